// The seekable byte stream on which every format of the system is read and written.
#pragma once

#include <cstdint>

class ByteStream {
public:
    enum SeekOrigin { kBegin, kCurrent, kEnd };

    virtual ~ByteStream() = default;

    // Offset of the next byte to be read or written.
    virtual uint32_t GetPosition() const = 0;
    // Moves to offset counted from origin and returns the new position. Seeking past
    // the end is allowed (reads there return 0 bytes); before the start, or beyond what
    // a 32-bit position can hold, throws CFileException(kBadSeek).
    virtual uint32_t Seek(int64_t offset, SeekOrigin origin) = 0;
    // Reads up to count bytes and returns how many arrived: fewer (0 at the end) is not
    // an error. Throws CFileException only when the medium fails.
    virtual uint32_t Read(void* buffer, uint32_t count) = 0;
    // Writes all count bytes or throws CFileException.
    virtual void Write(const void* buffer, uint32_t count) = 0;
    virtual uint32_t GetLength() const = 0;
    // Grows (with zero bytes) or cuts the stream; the position is left alone.
    virtual void SetLength(uint32_t length) = 0;
    // Pushes buffered bytes to the medium.
    virtual void Flush() = 0;

    // Reads exactly count bytes: true when all arrived.
    bool ReadExact(void* buffer, uint32_t count) { return Read(buffer, count) == count; }
};
