// The 8-byte header of a compressed block: uncompressed size U, then compressed
// size C, the number of group bytes that follow the header.
#pragma once

#include "package/byte_stream.h"

#include <cstdint>

constexpr uint32_t kBlockHeaderSize = 8;

struct BlockHeader {
    int32_t nUncompressed = 0;
    int32_t nCompressed = 0;
};

// Reads both fields; false when either read is short (the stream stays where the
// reads left it).
bool ReadBlockHeader(ByteStream& stream, BlockHeader& header);

// Skips a block without looking at its contents: returns U and leaves the stream
// after the block, or returns −1 when the header is truncated. A negative C is
// damage: −1, the stream left behind the header.
int32_t SkipBlock(ByteStream& stream);
