// 32-bit integers of the formats: 4 raw bytes, little-endian, two's complement.
#pragma once

#include "package/byte_stream.h"

#include <cstdint>

// A marker says whether an optional section follows: negative means absent.
constexpr int32_t kMarkerAbsent = -1;
inline bool IsPresent(int32_t marker) { return marker >= 0; }

inline int32_t LoadLE32(const uint8_t* p) {
    return static_cast<int32_t>(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24);
}

inline void StoreLE32(uint8_t* p, int32_t value) {
    uint32_t v = static_cast<uint32_t>(value);
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
    p[2] = uint8_t(v >> 16);
    p[3] = uint8_t(v >> 24);
}

// Reads one int32 with a single 4-byte read; a short read leaves value as it was
// (the caller's preset) and returns false.
inline bool ReadInt32(ByteStream& stream, int32_t& value) {
    uint8_t bytes[4];
    if (stream.Read(bytes, 4) != 4)
        return false;
    value = LoadLE32(bytes);
    return true;
}

// Reads one int32, or returns preset when the stream ends first.
inline int32_t ReadInt32Or(ByteStream& stream, int32_t preset) {
    ReadInt32(stream, preset);
    return preset;
}

inline void WriteInt32(ByteStream& stream, int32_t value) {
    uint8_t bytes[4];
    StoreLE32(bytes, value);
    stream.Write(bytes, 4);
}
