// The block compressor: golden blocks, agreement with the plain model of the
// dictionary, the limits every block keeps, progress and cancel.
#include "codec/compress.h"
#include "package/package_int.h"
#include "tests/codec/probe_stream.h"
#include "tests/codec/reference_codec.h"
#include "tests/codec/test_inputs.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<uint8_t> Compress(const std::vector<uint8_t>& data, bool thorough, int32_t* result = nullptr) {
    ProbeStream source(data);
    MemoryStream block;
    int32_t size = CompressBlock(source, block, thorough, nullptr, nullptr);
    if (result)
        *result = size;
    return std::vector<uint8_t>(block.GetData(), block.GetData() + block.GetLength());
}

std::vector<uint8_t> Hex(const std::string& text) {
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i < text.size(); i += 3)
        bytes.push_back(uint8_t(std::stoul(text.substr(i, 2), nullptr, 16)));
    return bytes;
}

TEST(CompressBlockTest, GoldenBlocks) {
    struct Case {
        const char* name;
        std::vector<uint8_t> input;
        bool thorough;
        const char* block;
    };
    const std::vector<uint8_t> abcd = Hex("61 62 63 64 61 62 63 64 61 62 63 64");
    const std::vector<uint8_t> twentyA(20, 0x61);
    const Case cases[] = {
        {"empty", {}, true, "00 00 00 00 00 00 00 00"},
        {"empty fast", {}, false, "00 00 00 00 00 00 00 00"},
        {"one byte", {0x41}, true, "01 00 00 00 02 00 00 00 00 41"},
        {"two bytes", {0x41, 0x42}, true, "02 00 00 00 03 00 00 00 00 41 42"},
        {"two bytes fast", {0x41, 0x42}, false, "02 00 00 00 03 00 00 00 00 41 42"},
        {"abcd thorough", abcd, true, "0C 00 00 00 0D 00 00 00 04 61 62 63 64 61 00 41 61 62 00 63 64"},
        {"abcd fast", abcd, false, "0C 00 00 00 0D 00 00 00 04 61 62 63 64 61 00 41 61 62 00 63 64"},
        {"twenty a thorough", twentyA, true, "14 00 00 00 0F 00 00 00 07 61 61 61 61 61 00 41 00 74 00 52 00 61 61"},
        {"twenty a fast", twentyA, false, "14 00 00 00 0F 00 00 00 07 61 61 61 61 61 00 41 00 74 00 72 00 61 61"},
    };
    for (const Case& c : cases) {
        int32_t result = 0;
        std::vector<uint8_t> block = Compress(c.input, c.thorough, &result);
        EXPECT_EQ(block, Hex(c.block)) << c.name;
        EXPECT_EQ(result, int32_t(block.size())) << c.name;
    }
}

TEST(CompressBlockTest, ChoosesTheSameMatchesAsThePlainDictionary) {
    for (const TestInput& input : GeneratedInputs()) {
        for (bool thorough : {true, false}) {
            int32_t result = 0;
            std::vector<uint8_t> block = Compress(input.bytes, thorough, &result);
            ASSERT_EQ(block, ReferenceCompress(input.bytes, thorough)) << input.strName << (thorough ? " thorough" : " fast");
            EXPECT_EQ(result, int32_t(block.size()));
        }
    }
}

// Walks the groups of a block and checks what every block of the writer keeps: each
// match at least 3 long, shorter than its distance, and clear of the last two bytes.
void ExpectWriterLimits(const std::vector<uint8_t>& block, const std::string& name) {
    const int64_t size = LoadLE32(block.data());
    int64_t out = 0;
    size_t at = 8;
    while (at < block.size()) {
        uint8_t flag = block[at++];
        for (int bit = 7; bit >= 0 && at < block.size(); --bit) {
            if (!(flag >> bit & 1)) {
                ++at;
                ++out;
                continue;
            }
            int distance = block[at] * 16 + (block[at + 1] >> 4);
            int length = (block[at + 1] & 15) + 2;
            at += 2;
            ASSERT_GE(length, 3) << name;
            ASSERT_LT(length, distance) << name;
            ASSERT_LE(distance, out) << name;
            ASSERT_LE(out + length, size - 2) << name;
            out += length;
        }
    }
    EXPECT_EQ(out, size) << name;
}

TEST(CompressBlockTest, EveryBlockKeepsTheWritersLimits) {
    for (const TestInput& input : GeneratedInputs()) {
        for (bool thorough : {true, false})
            ExpectWriterLimits(Compress(input.bytes, thorough), input.strName);
    }
}

TEST(CompressBlockTest, WritesAtTheDestinationsPositionAndReadsTheWholeSource) {
    std::vector<uint8_t> data = GeneratedText(9, 3000);
    ProbeStream source(data);
    source.Seek(1234, ByteStream::kBegin);
    MemoryStream destination;
    destination.Write("prefix", 6);
    int32_t result = CompressBlock(source, destination, 1, nullptr, nullptr);

    std::vector<uint8_t> expected = ReferenceCompress(data, true);
    ASSERT_EQ(result, int32_t(expected.size()));
    EXPECT_EQ(destination.GetPosition(), 6 + expected.size());
    EXPECT_EQ(std::vector<uint8_t>(destination.GetData() + 6, destination.GetData() + destination.GetLength()), expected);
}

TEST(CompressBlockTest, ReportsEachNewPercentageThenMinusOne) {
    for (size_t length : {size_t(1), size_t(2), size_t(50), size_t(99), size_t(100), size_t(101), size_t(777), size_t(100000)}) {
        std::vector<uint8_t> data = GeneratedText(uint32_t(length), length);
        std::vector<ReferenceReport> reports;
        ReferenceCompress(data, true, &reports);
        ProbeStream source(data);
        MemoryStream destination;
        ProgressLog log;
        CompressBlock(source, destination, 1, &ProgressLog::Callback, &log);
        std::vector<int32_t> expected;
        for (const ReferenceReport& report : reports)
            expected.push_back(report.nPercent);
        expected.push_back(-1);
        EXPECT_EQ(log.calls, expected) << length;
    }
}

TEST(CompressBlockTest, CancelLeavesTheHeaderWithZeroSizeAndTheGroupsWrittenSoFar) {
    std::vector<uint8_t> data = GeneratedText(10, 50000);
    std::vector<ReferenceReport> reports;
    std::vector<uint8_t> full = ReferenceCompress(data, true, &reports);
    for (size_t cancelAt : {size_t(1), size_t(2), size_t(50), size_t(99)}) {
        ProbeStream source(data);
        MemoryStream destination;
        ProgressLog log;
        log.m_nCancelAt = cancelAt;
        EXPECT_EQ(CompressBlock(source, destination, 1, &ProgressLog::Callback, &log), -1);
        ASSERT_EQ(log.calls.size(), cancelAt + 1);
        EXPECT_EQ(log.calls.back(), -1);

        std::vector<uint8_t> expected(full.begin(), full.begin() + 8 + reports[cancelAt - 1].nGroupBytes);
        StoreLE32(expected.data() + 4, 0);
        EXPECT_EQ(std::vector<uint8_t>(destination.GetData(), destination.GetData() + destination.GetLength()), expected)
            << cancelAt;
    }
}

TEST(CompressBlockTest, AShortSourceLeavesAnEmptyHeader) {
    ProbeStream source(std::vector<uint8_t>(100, 1));
    source.m_nFakeLength = 150;
    MemoryStream destination;
    ProgressLog log;
    EXPECT_EQ(CompressBlock(source, destination, 1, &ProgressLog::Callback, &log), -1);
    EXPECT_EQ(std::vector<uint8_t>(destination.GetData(), destination.GetData() + destination.GetLength()),
              Hex("96 00 00 00 00 00 00 00"));
    EXPECT_EQ(destination.GetPosition(), 8u);
    EXPECT_TRUE(log.calls.empty());
}

TEST(CompressBlockTest, ASourceTooLongForTheFormatWritesNothing) {
    // Its block could not state C: the source is refused before anything is read.
    ProbeStream source;
    source.m_nFakeLength = 0x80000000u;
    MemoryStream destination;
    EXPECT_EQ(CompressBlock(source, destination, 0, nullptr, nullptr), -1);
    EXPECT_EQ(destination.GetLength(), 0u);
}

TEST(CompressBlockTest, SourcesDeliveredInPiecesAreReadWhole) {
    std::vector<uint8_t> data = CodeLike(11, 5000);
    ProbeStream source(data);
    source.m_nReadLimit = 7;
    MemoryStream destination;
    CompressBlock(source, destination, 1, nullptr, nullptr);
    EXPECT_EQ(std::vector<uint8_t>(destination.GetData(), destination.GetData() + destination.GetLength()),
              ReferenceCompress(data, true));
}

TEST(CompressBlockTest, AFailedWriteRaisesAndLaterBlocksAreStillExact) {
    // Inputs whose choices hang on the lists' counts, one short enough for the
    // dictionary to empty its keys one by one, one long enough to empty them all at
    // once. The two header writes go through and the groups fail, so the dictionary
    // is left with the input's keys half filled; compressing the input again shows
    // whether any of that leaked.
    std::vector<std::vector<uint8_t>> inputs;
    for (const TestInput& input : GeneratedInputs()) {
        if (input.strName == "crowded pair")
            inputs.emplace_back(input.bytes.begin(), input.bytes.begin() + 4000);
        if (input.strName == "runs and noise")
            inputs.push_back(input.bytes);
    }
    ASSERT_EQ(inputs.size(), 2u);
    for (const std::vector<uint8_t>& data : inputs) {
        for (bool thorough : {true, false}) {
            ProbeStream source(data);
            ProbeStream destination;
            destination.m_nFailFromWrite = 3;
            EXPECT_THROW(CompressBlock(source, destination, thorough, nullptr, nullptr), CFileException);
            EXPECT_EQ(Compress(data, thorough), ReferenceCompress(data, thorough))
                << data.size() << (thorough ? " bytes, thorough" : " bytes, fast");
        }
    }
}

// A callback that compresses another block in the middle of the first one.
int32_t CompressInside(int32_t percent, void* user) {
    if (percent == 50) {
        std::vector<uint8_t>* inner = static_cast<std::vector<uint8_t>*>(user);
        *inner = Compress(GeneratedText(13, 8000), false);
    }
    return 1;
}

TEST(CompressBlockTest, ABlockCompressedFromTheCallbackDoesNotDisturbTheOuterOne) {
    std::vector<uint8_t> data = GeneratedText(14, 30000);
    ProbeStream source(data);
    MemoryStream destination;
    std::vector<uint8_t> inner;
    CompressBlock(source, destination, 1, &CompressInside, &inner);
    EXPECT_EQ(std::vector<uint8_t>(destination.GetData(), destination.GetData() + destination.GetLength()),
              ReferenceCompress(data, true));
    EXPECT_EQ(inner, ReferenceCompress(GeneratedText(13, 8000), false));
}

TEST(CompressBlockTest, StaysExactOverAMillionBlocksOnOneThread) {
    // Enough blocks for the dictionary's positions to run out and start over.
    std::vector<uint8_t> small = {1, 2, 1, 2, 1, 2, 1, 2};
    std::vector<uint8_t> expected = ReferenceCompress(small, true);
    for (int i = 0; i < 1100000; ++i) {
        ProbeStream source(small);
        MemoryStream destination;
        CompressBlock(source, destination, 1, nullptr, nullptr);
        ASSERT_EQ(std::vector<uint8_t>(destination.GetData(), destination.GetData() + destination.GetLength()), expected) << i;
    }
    std::vector<uint8_t> data = GeneratedText(15, 20000);
    EXPECT_EQ(Compress(data, true), ReferenceCompress(data, true));
}

}  // namespace
