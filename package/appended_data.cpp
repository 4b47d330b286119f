#include "package/appended_data.h"

#include "package/package_int.h"

uint32_t SeekToAppendedData(ByteStream& stream) {
    int32_t offset = 0;
    if (stream.GetLength() >= kTrailerSize) {
        stream.Seek(-int64_t(kTrailerSize), ByteStream::kEnd);
        ReadInt32(stream, offset);
    }
    // The trailer is an int32 but offsets are unsigned: a file of more than 2 GiB keeps
    // its data beyond what a signed offset reaches.
    return stream.Seek(uint32_t(offset), ByteStream::kBegin);
}

void WriteTrailer(ByteStream& stream, uint32_t offset) {
    WriteInt32(stream, static_cast<int32_t>(offset));
}
