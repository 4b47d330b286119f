// Any bytes as a block followed by other data: the decompressor must return, keep its
// progress promises and agree with the plain model of the format.
#include "codec/decompress.h"
#include "fuzz/fuzz_check.h"
#include "package/memory_stream.h"
#include "package/package_int.h"
#include "tests/codec/reference_codec.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace {

struct Progress {
    int32_t nLast = 0;
    bool bFinished = false;
};

int32_t Check(int32_t percent, void* user) {
    Progress* progress = static_cast<Progress*>(user);
    FUZZ_CHECK(!progress->bFinished);
    if (percent == -1) {
        progress->bFinished = true;
    } else {
        FUZZ_CHECK(percent > progress->nLast && percent <= 99);
        progress->nLast = percent;
    }
    return 1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> bytes(data, data + size);
    MemoryStream source(bytes);
    MemoryStream destination;
    Progress progress;
    int32_t result = DecompressBlock(source, destination, &Check, &progress);

    if (size < 8) {
        FUZZ_CHECK(result == -1 && !progress.bFinished);
        return 0;
    }
    FUZZ_CHECK(progress.bFinished);
    std::optional<std::vector<uint8_t>> model = ReferenceExpand(bytes);
    if (!model) {
        FUZZ_CHECK(result == -1);
        return 0;
    }
    FUZZ_CHECK(result == int32_t(model->size()));
    FUZZ_CHECK(destination.GetLength() == model->size());
    FUZZ_CHECK(std::vector<uint8_t>(destination.GetData(), destination.GetData() + destination.GetLength()) == *model);
    FUZZ_CHECK(source.GetPosition() == 8u + uint32_t(LoadLE32(data + 4)));
    return 0;
}
