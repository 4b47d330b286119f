// Package strings, int32 fields, the trailer and block skipping.
#include "package/appended_data.h"
#include "package/block_header.h"
#include "package/memory_stream.h"
#include "package/package_int.h"
#include "package/package_string.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

MemoryStream StreamOf(const std::string& bytes) {
    return MemoryStream(std::vector<uint8_t>(bytes.begin(), bytes.end()));
}

TEST(PackageStringTest, ReadsBackWholeStringsAndStopsBehindTheTerminator) {
    struct Case { size_t length; size_t expected; uint32_t endsAt; };
    const Case cases[] = {
        {0, 0, 1}, {1, 1, 2}, {255, 255, 256}, {256, 256, 257},
        // Longer strings come back cut, the stream left inside them (at character 258).
        {257, 256, 257}, {400, 256, 257},
    };
    for (const Case& c : cases) {
        std::string text(c.length, 'q');
        MemoryStream stream;
        WritePackageString(stream, text);
        EXPECT_EQ(stream.GetLength(), c.length + 1);
        stream.Write("tail", 5);
        stream.Seek(0, ByteStream::kBegin);
        EXPECT_EQ(ReadPackageString(stream), std::string(c.expected, 'q')) << c.length;
        EXPECT_EQ(stream.GetPosition(), c.endsAt) << c.length;
    }
}

TEST(PackageStringTest, ASecondStringIsReadAfterAShortFirstOne) {
    MemoryStream stream;
    WritePackageString(stream, "Title");
    WritePackageString(stream, "");
    WritePackageString(stream, "Description");
    stream.Seek(0, ByteStream::kBegin);
    EXPECT_EQ(ReadPackageString(stream), "Title");
    EXPECT_EQ(ReadPackageString(stream), "");
    EXPECT_EQ(ReadPackageString(stream), "Description");
    EXPECT_EQ(stream.GetPosition(), stream.GetLength());
}

TEST(PackageStringTest, AnUnterminatedStringReturnsTheBytesThatAreThere) {
    MemoryStream stream = StreamOf("abc");
    EXPECT_EQ(ReadPackageString(stream), "abc");
    EXPECT_EQ(stream.GetPosition(), 4u);
    EXPECT_EQ(ReadPackageString(stream), "");
}

TEST(PackageIntTest, ReadsLittleEndianAndKeepsThePresetOnShortReads) {
    MemoryStream stream = StreamOf(std::string("\x78\x56\x34\x12\xff\xff\xff\xff\x01\x02", 10));
    EXPECT_EQ(ReadInt32Or(stream, 0), 0x12345678);
    EXPECT_EQ(ReadInt32Or(stream, 0), -1);
    EXPECT_EQ(ReadInt32Or(stream, -1), -1);
    EXPECT_FALSE(IsPresent(-1));
    EXPECT_FALSE(IsPresent(INT32_MIN));
    EXPECT_TRUE(IsPresent(0));

    MemoryStream out;
    WriteInt32(out, -2);
    EXPECT_EQ(std::vector<uint8_t>(out.GetData(), out.GetData() + 4), (std::vector<uint8_t>{0xfe, 0xff, 0xff, 0xff}));
}

TEST(AppendedDataTest, FollowsTheTrailer) {
    MemoryStream stream = StreamOf("IMAGEDATA");
    stream.Seek(0, ByteStream::kEnd);
    WriteTrailer(stream, 5);
    EXPECT_EQ(SeekToAppendedData(stream), 5u);
    char b[4] = {};
    stream.Read(b, 4);
    EXPECT_EQ(std::string(b, 4), "DATA");

    struct Case { std::string bytes; uint32_t lands; };
    const Case cases[] = {
        {std::string("\0\0\0\0", 4), 0},       // trailer 0: read from the first byte
        {"ab", 0},                             // too short for a trailer
        {"", 0},
        {std::string("xx\xff\xff\xff\xff", 6), 0xffffffffu},  // damaged: lands past the end
    };
    for (const Case& c : cases) {
        MemoryStream s = StreamOf(c.bytes);
        EXPECT_EQ(SeekToAppendedData(s), c.lands);
        EXPECT_EQ(s.Read(b, 1), c.lands < c.bytes.size() ? 1u : 0u);
    }
}

TEST(AppendedDataTest, ModulePathNamesThisProgram) {
    EXPECT_FALSE(GetModulePath().empty());
}

TEST(SkipBlockTest, SkipsByTheCompressedSizeOrFailsOnATruncatedHeader) {
    MemoryStream stream = StreamOf(std::string("\x10\0\0\0\x03\0\0\0abcZ", 12));
    EXPECT_EQ(SkipBlock(stream), 16);
    EXPECT_EQ(stream.GetPosition(), 11u);

    for (size_t left = 0; left < 8; ++left) {
        MemoryStream shortStream = StreamOf(std::string(left, '\x01'));
        EXPECT_EQ(SkipBlock(shortStream), -1) << left;
    }
    MemoryStream negative = StreamOf(std::string("\x10\0\0\0\xff\xff\xff\xff", 8));
    EXPECT_EQ(SkipBlock(negative), -1);
}

}  // namespace
