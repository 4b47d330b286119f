// Package strings read one after another from any bytes: each comes back with at most
// 256 characters and no NUL, and leaves the stream just behind its terminator.
#include "fuzz/fuzz_check.h"
#include "package/memory_stream.h"
#include "package/package_string.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MemoryStream stream(std::vector<uint8_t>(data, data + size));
    while (stream.GetPosition() < size) {
        uint32_t start = stream.GetPosition();
        std::string text = ReadPackageString(stream);
        FUZZ_CHECK(text.size() <= kMaxPackageString);
        FUZZ_CHECK(text.find('\0') == std::string::npos);
        FUZZ_CHECK(std::memcmp(text.data(), data + start, text.size()) == 0);
        FUZZ_CHECK(stream.GetPosition() == start + text.size() + 1);
    }
    return 0;
}
