// The block decompressor. Block layout:
//
//   offset 0   int32  U  uncompressed size
//   offset 4   int32  C  compressed size: bytes of group data after this header
//   offset 8   C bytes of groups
//
// A group is a flag byte and up to 8 items, described from the flag's most
// significant bit down: a clear bit is a literal byte; a set bit a 2-byte match h, l
// with distance D = h × 16 + (l >> 4) (0 to 4095) and length N = (l & 15) + 2
// (2 to 17), repeating N bytes that begin D bytes before the output's end. Every
// group but the last holds 8 items; the last one ends the block unpadded.
#pragma once

#include "codec/progress.h"
#include "package/byte_stream.h"

#include <cstdint>

// Expands the block at source's position into destination, which is set to length U
// and replaced from its start. The source is left right behind the block (header +
// C bytes), although the reader may look up to 7 bytes beyond it.
//
// Returns U on success. Returns −1 when the header is short (nothing else happens:
// no callback call, destination untouched), when the callback cancels (destination
// keeps length U, no bytes written to it; callback told −1), or when the block is
// damaged: a negative U or C, a U larger than C bytes can expand to, a match reaching
// before the output's start or past U, or group data that ends before C bytes (the
// callback is told −1 there too). Stream errors propagate as CFileException.
int32_t DecompressBlock(ByteStream& source, ByteStream& destination, ProgressCallback callback, void* user);
