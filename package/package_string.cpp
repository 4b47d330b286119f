#include "package/package_string.h"

#include <cstring>

std::string ReadPackageString(ByteStream& stream) {
    uint32_t start = stream.GetPosition();
    char buffer[kMaxPackageString + 4] = {};
    uint32_t got = stream.Read(buffer, kMaxPackageString);
    size_t length = strnlen(buffer, got);
    // A damaged trailer can leave the stream at the last position a 32-bit offset
    // holds, where nothing is read and no position lies behind the terminator.
    int64_t behind = int64_t(start) + length + 1;
    if (behind <= int64_t(UINT32_MAX))
        stream.Seek(behind, ByteStream::kBegin);
    return std::string(buffer, length);
}

void WritePackageString(ByteStream& stream, const std::string& text) {
    stream.Write(text.c_str(), static_cast<uint32_t>(text.size() + 1));
}
