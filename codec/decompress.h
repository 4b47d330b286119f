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
// and replaced from its start, with one write. The source is left right behind the
// block (header + C bytes). Items are taken from the block's own C bytes only, never
// from data that follows it. A match copies as one block move: with D < N its bytes
// not yet produced are zero, with D = 0 all N are. Items past U are ignored; items
// that produce fewer than U bytes leave the rest zero, and the result is still U.
// The callback hears each new percentage of group bytes consumed (1 to 99, between
// groups) and then -1.
//
// Returns U on success, −1 otherwise:
// - short header: nothing else happens (no callback call, destination untouched,
//   the source where the reads left it);
// - the callback cancels: the destination has length U but nothing written to it,
//   the source stands at the group that was not read, the callback hears -1;
// - a damaged block: negative U or C, U beyond the 8 bytes per group byte that C
//   bytes can expand to, C beyond the source's end, a match reaching before the
//   output's start or past U, a match cut off by the block's end, or a source that
//   delivers fewer bytes than its length claims. The destination is untouched, the
//   callback hears -1 and the source is left behind the block (behind the header when
//   C is negative or lies beyond 32-bit offsets). The sizes are checked before
//   anything is allocated, so a damaged header never sizes an allocation beyond
//   8 × C with C bytes present in the source; U bytes that cannot be allocated count
//   as damage too.
// Stream errors propagate as CFileException.
int32_t DecompressBlock(ByteStream& source, ByteStream& destination, ProgressCallback callback, void* user);
