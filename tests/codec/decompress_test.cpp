// The block decompressor: the block format, progress and cancel, and damaged blocks,
// which must end in a clean -1 without touching the destination.
#include "codec/compress.h"
#include "codec/decompress.h"
#include "package/file_stream.h"
#include "package/package_int.h"
#include "tests/codec/probe_stream.h"
#include "tests/codec/reference_codec.h"
#include "tests/codec/test_inputs.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace {

std::vector<uint8_t> Block(int32_t size, int32_t packed, std::vector<uint8_t> groups) {
    std::vector<uint8_t> bytes(8 + groups.size());
    StoreLE32(bytes.data(), size);
    StoreLE32(bytes.data() + 4, packed);
    std::copy(groups.begin(), groups.end(), bytes.begin() + 8);
    return bytes;
}

std::vector<uint8_t> BlockOf(std::vector<uint8_t> groups, int32_t size) {
    int32_t packed = int32_t(groups.size());
    return Block(size, packed, std::move(groups));
}

std::vector<uint8_t> CompressedBlock(const std::vector<uint8_t>& data, bool thorough = true) {
    MemoryStream source(data);
    MemoryStream block;
    CompressBlock(source, block, thorough, nullptr, nullptr);
    return std::vector<uint8_t>(block.GetData(), block.GetData() + block.GetLength());
}

struct Expansion {
    int32_t nResult = 0;
    std::vector<uint8_t> output;
    uint32_t nSourcePosition = 0;
    int nWrites = 0;
    std::vector<int32_t> calls;
};

Expansion Expand(const std::vector<uint8_t>& stream, size_t cancelAt = 0,
                 std::vector<uint8_t> destinationBefore = {}) {
    ProbeStream source(stream);
    ProbeStream destination(std::move(destinationBefore));
    ProgressLog log;
    log.m_nCancelAt = cancelAt;
    Expansion e;
    e.nResult = DecompressBlock(source, destination, &ProgressLog::Callback, &log);
    e.output = destination.Bytes();
    e.nSourcePosition = source.GetPosition();
    e.nWrites = destination.m_nWrites;
    e.calls = log.calls;
    return e;
}

std::vector<uint8_t> Bytes(const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); }

TEST(DecompressBlockTest, AnEmptyBlockSetsTheDestinationEmpty) {
    Expansion e = Expand(Block(0, 0, {}), 0, Bytes("old contents"));
    EXPECT_EQ(e.nResult, 0);
    EXPECT_TRUE(e.output.empty());
    EXPECT_EQ(e.nSourcePosition, 8u);
    EXPECT_EQ(e.calls, std::vector<int32_t>{-1});
}

TEST(DecompressBlockTest, ExpandsHandWrittenBlocks) {
    std::vector<uint8_t> fourK(4096);
    std::vector<uint8_t> literals;
    for (size_t i = 0; i < fourK.size(); ++i) {
        if (i % 8 == 0)
            literals.push_back(0);
        fourK[i] = uint8_t(i * 7 + i / 256);
        literals.push_back(fourK[i]);
    }
    auto withMatch = [&](std::vector<uint8_t> groups, std::vector<uint8_t> match) {
        groups.push_back(0x80);
        groups.insert(groups.end(), match.begin(), match.end());
        return groups;
    };
    // 01 23: D = 18, N = 5. FF FF: D = 4095, N = 17.
    std::vector<uint8_t> near = fourK;
    for (int i = 0; i < 5; ++i)
        near.push_back(near[near.size() - 18]);
    std::vector<uint8_t> far = fourK;
    for (int i = 0; i < 17; ++i)
        far.push_back(far[far.size() - 4095]);

    struct Case {
        const char* name;
        std::vector<uint8_t> block;
        std::vector<uint8_t> expected;
    };
    const Case cases[] = {
        {"one byte", BlockOf({0x00, 0x41}, 1), Bytes("A")},
        {"D 18 N 5", BlockOf(withMatch(literals, {0x01, 0x23}), int32_t(near.size())), near},
        {"D 4095 N 17", BlockOf(withMatch(literals, {0xFF, 0xFF}), int32_t(far.size())), far},
        // Matches with D < N copy as one block move: what is not yet produced is zero.
        {"D 2 N 5", BlockOf({0x10, 'a', 'b', 'c', 0x00, 0x23}, 8), Bytes(std::string("abcbc\0\0\0", 8))},
        {"D 0 N 4", BlockOf({0x20, 'a', 'b', 0x00, 0x02, 'z'}, 7), Bytes(std::string("ab\0\0\0\0z", 7))},
        {"D 1 N 3", BlockOf({0x20, 'x', 'y', 0x00, 0x11}, 5), Bytes(std::string("xyy\0\0", 5))},
        // Items that expand to fewer than U bytes leave the rest zero.
        {"short items", BlockOf({0x00, 'a', 'b'}, 5), Bytes(std::string("ab\0\0\0", 5))},
        {"U 8 x C", BlockOf({0x00, 'a', 'b'}, 24), Bytes(std::string("ab") + std::string(22, '\0'))},
        // Items past U are ignored.
        {"items past U", BlockOf({0x00, 'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 0x00, 'i'}, 3), Bytes("abc")},
    };
    for (const Case& c : cases) {
        Expansion e = Expand(c.block);
        EXPECT_EQ(e.nResult, int32_t(c.expected.size())) << c.name;
        EXPECT_EQ(e.output, c.expected) << c.name;
        EXPECT_EQ(e.nSourcePosition, c.block.size()) << c.name;
        EXPECT_EQ(e.nWrites, 1) << c.name;
        EXPECT_EQ(e.calls.back(), -1) << c.name;
    }
}

TEST(DecompressBlockTest, StopsRightBehindABlockThatOthersFollow) {
    for (size_t length : {size_t(1), size_t(9), size_t(13), size_t(5000), size_t(70001)}) {
        std::vector<uint8_t> data = GeneratedText(uint32_t(length), length);
        std::vector<uint8_t> stream = CompressedBlock(data);
        size_t blockSize = stream.size();
        std::vector<uint8_t> following = Bytes("FOLLOWING DATA, NOT PART OF THE BLOCK");
        stream.insert(stream.end(), following.begin(), following.end());
        Expansion e = Expand(stream);
        EXPECT_EQ(e.nResult, int32_t(length));
        EXPECT_EQ(e.output, data) << length;
        EXPECT_EQ(e.nSourcePosition, blockSize) << length;
    }
}

TEST(DecompressBlockTest, ReadsABlockAtTheVeryEndOfAFile) {
    std::vector<uint8_t> data = GeneratedText(21, 10007);
    std::vector<uint8_t> block = CompressedBlock(data);
    std::string path = (std::filesystem::temp_directory_path() / "vantrel_decompress_test.bin").string();
    {
        FileStream file;
        ASSERT_TRUE(file.Open(path, FileStream::kCreateDenyWrite));
        file.Write("lead", 4);
        file.Write(block.data(), uint32_t(block.size()));
    }
    FileStream file;
    ASSERT_TRUE(file.Open(path, FileStream::kReadDenyWrite));
    file.Seek(4, ByteStream::kBegin);
    MemoryStream destination;
    EXPECT_EQ(DecompressBlock(file, destination, nullptr, nullptr), int32_t(data.size()));
    EXPECT_EQ(std::vector<uint8_t>(destination.GetData(), destination.GetData() + destination.GetLength()), data);
    EXPECT_EQ(file.GetPosition(), file.GetLength());
    file.Close();
    std::remove(path.c_str());
}

TEST(DecompressBlockTest, ReplacesTheDestinationWhereverItStood) {
    std::vector<uint8_t> data = CodeLike(22, 3000);
    ProbeStream source(CompressedBlock(data));
    ProbeStream destination(std::vector<uint8_t>(10000, 0xEE));
    destination.Seek(500, ByteStream::kBegin);
    EXPECT_EQ(DecompressBlock(source, destination, nullptr, nullptr), 3000);
    EXPECT_EQ(destination.Bytes(), data);
    EXPECT_EQ(destination.m_nWrites, 1);
}

TEST(DecompressBlockTest, TakesASourceThatDeliversInPieces) {
    std::vector<uint8_t> data = GeneratedText(23, 20000);
    ProbeStream source(CompressedBlock(data));
    source.m_nReadLimit = 5;
    MemoryStream destination;
    EXPECT_EQ(DecompressBlock(source, destination, nullptr, nullptr), 20000);
    EXPECT_EQ(std::vector<uint8_t>(destination.GetData(), destination.GetData() + destination.GetLength()), data);
    EXPECT_EQ(source.GetPosition(), source.GetLength());
}

// The percentages the group starts give: floor(consumed × 100 / (C + 1)), each new
// one once, never 0.
std::vector<int32_t> ExpectedPercents(const std::vector<uint8_t>& block) {
    int64_t packed = LoadLE32(block.data() + 4);
    std::vector<int32_t> percents;
    int32_t last = 0;
    for (int64_t at = 0; at < packed;) {
        int32_t percent = int32_t(at * 100 / (packed + 1));
        if (percent != last)
            percents.push_back(last = percent);
        at += 9 + __builtin_popcount(block[size_t(8 + at)]);
    }
    return percents;
}

TEST(DecompressBlockTest, ReportsEachNewPercentageThenMinusOne) {
    for (size_t length : {size_t(2), size_t(40), size_t(300), size_t(2000), size_t(300000)}) {
        std::vector<uint8_t> block = CompressedBlock(GeneratedText(24, length));
        Expansion e = Expand(block);
        std::vector<int32_t> expected = ExpectedPercents(block);
        expected.push_back(-1);
        EXPECT_EQ(e.calls, expected) << length;
    }
}

TEST(DecompressBlockTest, CancelWritesNothingAndStopsInsideTheBlock) {
    std::vector<uint8_t> data = GeneratedText(25, 100000);
    std::vector<uint8_t> block = CompressedBlock(data);
    std::vector<int32_t> percents = ExpectedPercents(block);
    int64_t packed = LoadLE32(block.data() + 4);
    for (size_t cancelAt : {size_t(1), size_t(2), size_t(60), percents.size()}) {
        Expansion e = Expand(block, cancelAt, Bytes("old"));
        EXPECT_EQ(e.nResult, -1);
        ASSERT_EQ(e.calls.size(), cancelAt + 1);
        EXPECT_EQ(e.calls.back(), -1);
        EXPECT_EQ(e.nWrites, 0);
        EXPECT_EQ(e.output.size(), data.size());
        // At the start of the group that would have been read next.
        int64_t consumed = int64_t(e.nSourcePosition) - 8;
        EXPECT_EQ(consumed * 100 / (packed + 1), e.calls[cancelAt - 1]);
        EXPECT_LT(e.nSourcePosition, block.size());
    }
}

TEST(DecompressBlockTest, DamagedBlocksFailWithoutTouchingTheDestination) {
    const std::vector<uint8_t> old = Bytes("old contents");
    struct Case {
        const char* name;
        std::vector<uint8_t> stream;
        uint32_t sourceAfter;  // behind the block where C allows, else behind the header
    };
    const Case cases[] = {
        {"negative U", Block(-1, 2, {0x00, 'a'}), 10},
        {"negative C", Block(1, -5, {0x00, 'a'}), 8},
        {"most negative C", Block(1, INT32_MIN, {0x00, 'a'}), 8},
        {"U beyond 8 x C", Block(17, 2, {0x00, 'a'}), 10},
        {"largest U", Block(INT32_MAX, 10, std::vector<uint8_t>(10, 0)), 18},
        {"C beyond the stream", Block(1, 1000, {0x00, 'a'}), 1008},
        {"largest U and C", Block(INT32_MAX, INT32_MAX, {0x00, 'a'}), 8 + uint32_t(INT32_MAX)},
        {"match before the start", BlockOf({0x40, 'a', 0x00, 0x21}, 4), 12},
        {"match at the start", BlockOf({0x80, 0x00, 0x11, 0x00}, 4), 12},
        {"match past U", BlockOf({0x10, 'a', 'b', 'c', 0x00, 0x33}, 6), 14},
        {"match cut by C", BlockOf({0x40, 'a', 0x00}, 4), 11},
        {"match cut by C, block followed", Block(4, 3, {0x40, 'a', 0x00, 0x11, 'x'}), 11},
    };
    for (const Case& c : cases) {
        Expansion e = Expand(c.stream, 0, old);
        EXPECT_EQ(e.nResult, -1) << c.name;
        EXPECT_EQ(e.calls, std::vector<int32_t>{-1}) << c.name;
        EXPECT_EQ(e.nWrites, 0) << c.name;
        EXPECT_EQ(e.output, old) << c.name;
        EXPECT_EQ(e.nSourcePosition, c.sourceAfter) << c.name;
    }
}

TEST(DecompressBlockTest, ASourceThatEndsBeforeItsLengthFails) {
    // The stream claims more than it delivers: the block's data runs out.
    std::vector<uint8_t> block = CompressedBlock(GeneratedText(29, 5000));
    std::vector<uint8_t> cut(block.begin(), block.begin() + block.size() / 2);
    ProbeStream source(cut);
    source.m_nFakeLength = uint32_t(block.size());
    ProbeStream destination(Bytes("old"));
    ProgressLog log;
    EXPECT_EQ(DecompressBlock(source, destination, &ProgressLog::Callback, &log), -1);
    EXPECT_EQ(log.calls.back(), -1);
    EXPECT_EQ(destination.Bytes(), Bytes("old"));
    EXPECT_EQ(source.GetPosition(), block.size());
}

TEST(DecompressBlockTest, AShortHeaderFailsWithoutAnyCall) {
    for (size_t length = 0; length < 8; ++length) {
        Expansion e = Expand(std::vector<uint8_t>(length, 0), 0, Bytes("old"));
        EXPECT_EQ(e.nResult, -1);
        EXPECT_TRUE(e.calls.empty());
        EXPECT_EQ(e.output, Bytes("old"));
        EXPECT_EQ(e.nSourcePosition, length);
    }
}

TEST(DecompressBlockTest, EveryTruncationFails) {
    std::vector<uint8_t> data = GeneratedText(26, 4000);
    std::vector<uint8_t> block = CompressedBlock(data);
    for (size_t length = 8; length < block.size(); ++length) {
        Expansion e = Expand(std::vector<uint8_t>(block.begin(), block.begin() + length));
        ASSERT_EQ(e.nResult, -1) << length;
        ASSERT_EQ(e.nWrites, 0) << length;
    }
    EXPECT_EQ(Expand(block).output, data);
}

// Runs the decompressor on a damaged stream and compares it with the plain model:
// the same result and, on success, the same bytes.
void ExpectLikeTheModel(const std::vector<uint8_t>& stream, const std::string& name) {
    Expansion e = Expand(stream);
    std::optional<std::vector<uint8_t>> model = ReferenceExpand(stream);
    if (!model) {
        ASSERT_EQ(e.nResult, -1) << name;
        ASSERT_EQ(e.nWrites, 0) << name;
    } else {
        ASSERT_EQ(e.nResult, int32_t(model->size())) << name;
        ASSERT_EQ(e.output, *model) << name;
        ASSERT_EQ(e.nSourcePosition, 8u + uint32_t(LoadLE32(stream.data() + 4))) << name;
    }
    ASSERT_EQ(e.calls.back(), -1) << name;
}

TEST(DecompressBlockTest, FlippedBytesAndShortenedSizesBehaveLikeTheModel) {
    std::vector<uint8_t> block = CompressedBlock(GeneratedText(27, 3000));
    block.insert(block.end(), 20, 0x5A);
    const size_t blockSize = block.size() - 20;
    for (size_t at = 0; at < blockSize; ++at) {
        for (uint8_t flip : {0x01, 0x10, 0x80, 0xFF}) {
            std::vector<uint8_t> damaged = block;
            damaged[at] ^= flip;
            ExpectLikeTheModel(damaged, "flip at " + std::to_string(at));
        }
    }
    for (int32_t packed = 0; packed < int32_t(blockSize - 8); ++packed) {
        std::vector<uint8_t> damaged = block;
        StoreLE32(damaged.data() + 4, packed);
        ExpectLikeTheModel(damaged, "C " + std::to_string(packed));
    }
}

TEST(DecompressBlockTest, RandomBlocksBehaveLikeTheModel) {
    std::mt19937 random(28);
    for (int round = 0; round < 3000; ++round) {
        // Mostly matches with small distances, so that many blocks get far.
        std::vector<uint8_t> groups(random() % 400);
        for (size_t i = 0; i < groups.size(); ++i)
            groups[i] = uint8_t(random() % 3 == 0 ? random() % 4 : random());
        int32_t packed = int32_t(groups.size());
        int32_t size = int32_t(random() % (8 * uint32_t(packed) + 2));
        std::vector<uint8_t> stream = Block(size, packed, groups);
        stream.insert(stream.end(), random() % 20, 0xA5);
        ExpectLikeTheModel(stream, "round " + std::to_string(round));
    }
}

}  // namespace
