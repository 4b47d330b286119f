// Compress then expand must give the input back, and the compressor must choose the
// same matches as the plain model of its dictionary. The first byte picks the mode and
// how often the rest is repeated, so that inputs reach past the window and fill lists.
#include "codec/compress.h"
#include "codec/decompress.h"
#include "fuzz/fuzz_check.h"
#include "package/memory_stream.h"
#include "tests/codec/reference_codec.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const bool thorough = (data[0] & 1) != 0;
    // At most 64 KiB in all: the model is slow.
    size_t copies = 1 + (data[0] >> 1 & 7) * (data[0] >> 4 & 15);
    if (copies > 65536 / size)
        copies = 65536 / size > 0 ? 65536 / size : 1;
    std::vector<uint8_t> input;
    for (size_t i = 0; i < copies; ++i)
        input.insert(input.end(), data + 1, data + size);
    // A byte changed per copy keeps the repeats from being exact.
    for (size_t at = size; at < input.size(); at += size)
        input[at] ^= uint8_t(at);

    MemoryStream source(input);
    MemoryStream block;
    int32_t blockSize = CompressBlock(source, block, thorough, nullptr, nullptr);
    FUZZ_CHECK(blockSize >= 8 && uint32_t(blockSize) == block.GetLength());
    std::vector<uint8_t> written(block.GetData(), block.GetData() + block.GetLength());
    FUZZ_CHECK(written == ReferenceCompress(input, thorough));

    block.Seek(0, ByteStream::kBegin);
    MemoryStream expanded;
    FUZZ_CHECK(DecompressBlock(block, expanded, nullptr, nullptr) == int32_t(input.size()));
    FUZZ_CHECK(std::vector<uint8_t>(expanded.GetData(), expanded.GetData() + expanded.GetLength()) == input);
    return 0;
}
