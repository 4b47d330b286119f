// The block compressor: a greedy LZ77 coder with a 4095-byte window, matches of 3 to
// 17 bytes and a dictionary of earlier positions keyed by the two bytes found there.
// Output is the block format of codec/decompress.h, byte-exact to the format's writer.
#pragma once

#include "codec/progress.h"
#include "package/byte_stream.h"

#include <cstdint>

// Compresses all of source (offset 0 to its length, whatever its position) into one
// block written at destination's position; destination is left at the block's end.
// thorough: nonzero enters every position covered by a match into the dictionary
// (smaller output); zero skips them (faster).
//
// Returns the block's size, 8 + C. Returns −1 when the source delivers fewer bytes
// than its length (destination holds a header with C = 0, no callback call), when
// the callback cancels (header with C = 0 and the groups written so far; callback
// told −1), or when the source is too long for a block to state its sizes (over
// about 1.9 GB; nothing written, no callback call). Stream errors propagate as
// CFileException.
//
// Any thread may call it; blocks on one thread reuse that thread's dictionary tables,
// so a block costs no table clearing.
int32_t CompressBlock(ByteStream& source, ByteStream& destination, int thorough, ProgressCallback callback, void* user);
