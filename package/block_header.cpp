#include "package/block_header.h"

#include "package/package_int.h"

bool ReadBlockHeader(ByteStream& stream, BlockHeader& header) {
    return ReadInt32(stream, header.nUncompressed) && ReadInt32(stream, header.nCompressed);
}

int32_t SkipBlock(ByteStream& stream) {
    BlockHeader header;
    if (!ReadBlockHeader(stream, header) || header.nCompressed < 0)
        return -1;
    stream.Seek(header.nCompressed, ByteStream::kCurrent);
    return header.nUncompressed;
}
