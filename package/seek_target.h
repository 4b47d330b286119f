// The position a seek lands on, shared by every stream kind.
#pragma once

#include "package/byte_stream.h"
#include "package/file_exception.h"

#include <cstdint>

// Throws CFileException(kBadSeek) for a target before the start or beyond 4 GiB − 1.
inline uint32_t SeekTarget(uint32_t position, uint32_t length, int64_t offset,
                           ByteStream::SeekOrigin origin) {
    int64_t base = origin == ByteStream::kBegin ? 0
                 : origin == ByteStream::kCurrent ? int64_t(position)
                 : int64_t(length);
    int64_t target = base + offset;
    if (target < 0 || target > int64_t(UINT32_MAX))
        throw CFileException(CFileException::kBadSeek, 0);
    return static_cast<uint32_t>(target);
}
