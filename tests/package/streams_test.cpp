// Memory and file streams: the behaviour every reader and writer relies on.
#include "package/file_exception.h"
#include "package/file_stream.h"
#include "package/memory_stream.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

std::string TempPath(const char* name) {
    return ::testing::TempDir() + name;
}

// The same contract for both kinds: writes, length changes, seeks past the end...
void WriteContractBytes(ByteStream& stream) {
    stream.Write("hello world", 11);
    EXPECT_EQ(stream.GetPosition(), 11u);
    EXPECT_EQ(stream.GetLength(), 11u);
    EXPECT_EQ(stream.Seek(-5, ByteStream::kEnd), 6u);
    EXPECT_EQ(stream.Seek(-1, ByteStream::kCurrent), 5u);
    EXPECT_THROW(stream.Seek(-1, ByteStream::kBegin), CFileException);
    stream.SetLength(5);
    EXPECT_EQ(stream.GetLength(), 5u);
    stream.SetLength(8);
    // Writing beyond the end fills the gap with zeros.
    stream.Seek(10, ByteStream::kBegin);
    stream.Write("!", 1);
    EXPECT_EQ(stream.GetLength(), 11u);
}

// ...and short reads, which return what is there without an error.
void ReadContractBytes(ByteStream& stream) {
    char buffer[32];
    std::memset(buffer, 'x', sizeof buffer);
    ASSERT_EQ(stream.Read(buffer, sizeof buffer), 11u);
    EXPECT_EQ(std::string(buffer, 11), std::string("hello\0\0\0\0\0!", 11));
    EXPECT_EQ(stream.Read(buffer, sizeof buffer), 0u);
    EXPECT_EQ(stream.Seek(100, ByteStream::kBegin), 100u);
    EXPECT_EQ(stream.Read(buffer, 4), 0u);
    stream.Seek(9, ByteStream::kBegin);
    EXPECT_EQ(stream.Read(buffer, 3), 2u);
}

TEST(MemoryStreamTest, FollowsTheStreamContract) {
    MemoryStream stream;
    WriteContractBytes(stream);
    stream.Seek(0, ByteStream::kBegin);
    ReadContractBytes(stream);
}

TEST(FileStreamTest, FollowsTheStreamContract) {
    FileStream stream;
    ASSERT_TRUE(stream.Open(TempPath("contract.bin"), FileStream::kCreateDenyWrite));
    WriteContractBytes(stream);
    stream.Close();
    ASSERT_TRUE(stream.Open(TempPath("contract.bin"), FileStream::kReadDenyWrite));
    ReadContractBytes(stream);
}

TEST(MemoryStreamTest, DetachHandsOverTheBytesAndLeavesTheStreamEmpty) {
    MemoryStream stream;
    std::string text(3000, 'a');
    stream.Write(text.data(), uint32_t(text.size()));
    std::vector<uint8_t> bytes = stream.Detach();
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), text);
    EXPECT_EQ(stream.GetLength(), 0u);
    EXPECT_EQ(stream.GetPosition(), 0u);
    stream.Write("b", 1);
    EXPECT_EQ(stream.GetLength(), 1u);
}

TEST(MemoryStreamTest, StartsAtTheBeginningOfGivenBytes) {
    MemoryStream stream(std::vector<uint8_t>{1, 2, 3});
    uint8_t b[3];
    EXPECT_EQ(stream.Read(b, 3), 3u);
    EXPECT_EQ(b[2], 3);
}

TEST(FileStreamTest, ReportsWhyAFileCannotBeOpened) {
    FileStream stream;
    CFileException error(CFileException::kGeneric, 0);
    EXPECT_FALSE(stream.Open(TempPath("no-such-dir/none.bin"), FileStream::kReadDenyWrite, &error));
    EXPECT_FALSE(stream.IsOpen());
    EXPECT_EQ(error.GetCause(), CFileException::kFileNotFound);
    EXPECT_NE(error.GetOsError(), 0);
    EXPECT_FALSE(stream.Open(TempPath("missing.bin"), FileStream::kWriteExistingDenyWrite, &error));
}

TEST(FileStreamTest, WriteExistingKeepsContentsAndCreateTruncates) {
    std::string path = TempPath("modes.bin");
    {
        FileStream stream;
        ASSERT_TRUE(stream.Open(path, FileStream::kCreateDenyAll));
        stream.Write("abcdef", 6);
    }
    {
        FileStream stream;
        ASSERT_TRUE(stream.Open(path, FileStream::kWriteExistingDenyWrite));
        EXPECT_EQ(stream.GetLength(), 6u);
        stream.Write("X", 1);
    }
    {
        FileStream stream;
        ASSERT_TRUE(stream.Open(path, FileStream::kReadDenyWrite));
        char buffer[8] = {};
        EXPECT_EQ(stream.Read(buffer, 8), 6u);
        EXPECT_STREQ(buffer, "Xbcdef");
    }
    {
        FileStream stream;
        ASSERT_TRUE(stream.Open(path, FileStream::kCreateDenyWrite));
        EXPECT_EQ(stream.GetLength(), 0u);
    }
    std::remove(path.c_str());
}

TEST(FileStreamTest, AWriterThatDeniesWritingKeepsOtherWritersOut) {
    std::string path = TempPath("sharing.bin");
    FileStream writer;
    ASSERT_TRUE(writer.Open(path, FileStream::kCreateDenyWrite));
    FileStream second;
    CFileException error(CFileException::kGeneric, 0);
    EXPECT_FALSE(second.Open(path, FileStream::kWriteExistingDenyWrite, &error));
    EXPECT_EQ(error.GetCause(), CFileException::kSharingViolation);
    writer.Close();
    EXPECT_TRUE(second.Open(path, FileStream::kWriteExistingDenyWrite));
}

}  // namespace
