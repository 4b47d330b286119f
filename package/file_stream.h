// A disk file as a ByteStream. The object owns the open file and closes it when
// destroyed; each open mode names what other openers may do meanwhile.
#pragma once

#include "package/byte_stream.h"
#include "package/file_exception.h"

#include <cstdint>
#include <string>

class FileStream : public ByteStream {
public:
    enum OpenMode {
        kReadDenyWrite,          // read; others may read but not write
        kWriteExistingDenyWrite, // write an existing file; others may read but not write
        kCreateDenyWrite,        // create or truncate, then write; others may read but not write
        kCreateDenyAll,          // create or truncate, then write; others may neither read nor write
    };

    FileStream() = default;
    ~FileStream() override;
    FileStream(const FileStream&) = delete;
    FileStream& operator=(const FileStream&) = delete;

    // Opens path in mode. On failure returns false and, when error is given, fills it
    // with the cause and the OS error code; the stream stays closed.
    bool Open(const std::string& path, OpenMode mode, CFileException* error = nullptr);
    // Closes the file; nothing happens when it is not open.
    void Close();
    bool IsOpen() const { return m_hFile != kInvalidHandle; }
    const std::string& GetPath() const { return m_strPath; }

    uint32_t GetPosition() const override;
    uint32_t Seek(int64_t offset, SeekOrigin origin) override;
    uint32_t Read(void* buffer, uint32_t count) override;
    void Write(const void* buffer, uint32_t count) override;
    uint32_t GetLength() const override;
    void SetLength(uint32_t length) override;
    void Flush() override;

private:
    // The OS handle (a HANDLE on Windows, a descriptor on Linux), held as an integer
    // so that this header stays portable.
    static constexpr intptr_t kInvalidHandle = -1;

    [[noreturn]] void ThrowLastError() const;

    intptr_t m_hFile = kInvalidHandle;
    std::string m_strPath;
};
