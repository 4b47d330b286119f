// Every block the compressor writes expands to exactly its source, in both modes.
#include "codec/compress.h"
#include "codec/decompress.h"
#include "package/memory_stream.h"
#include "tests/codec/test_inputs.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

void ExpectRoundTrip(const std::vector<uint8_t>& data, const std::string& name) {
    for (int thorough : {1, 0}) {
        MemoryStream source(data);
        MemoryStream stream;
        int32_t blockSize = CompressBlock(source, stream, thorough, nullptr, nullptr);
        ASSERT_EQ(uint32_t(blockSize), stream.GetLength()) << name;
        stream.Write("tail", 4);
        stream.Seek(0, ByteStream::kBegin);
        MemoryStream expanded;
        ASSERT_EQ(DecompressBlock(stream, expanded, nullptr, nullptr), int32_t(data.size())) << name;
        ASSERT_EQ(stream.GetPosition(), uint32_t(blockSize)) << name;
        ASSERT_EQ(std::vector<uint8_t>(expanded.GetData(), expanded.GetData() + expanded.GetLength()), data)
            << name << (thorough ? " thorough" : " fast");
    }
}

TEST(RoundTripTest, GeneratedInputs) {
    for (const TestInput& input : GeneratedInputs())
        ExpectRoundTrip(input.bytes, input.strName);
}

TEST(RoundTripTest, InputsOverAMegabyte) {
    ExpectRoundTrip(GeneratedText(31, 1500000), "text");
    ExpectRoundTrip(RandomBytes(32, 1100000), "random");
    ExpectRoundTrip(RandomBytes(33, 1200000, 3), "three symbols");
    ExpectRoundTrip(CodeLike(34, 1100000), "code");
    ExpectRoundTrip(std::vector<uint8_t>(1300000, 0), "zeros");
    std::vector<uint8_t> executable = OwnExecutable(4000000);
    ASSERT_GT(executable.size(), 100000u);
    ExpectRoundTrip(executable, "executable");
}

}  // namespace
