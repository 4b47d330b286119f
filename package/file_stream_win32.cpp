// FileStream on Windows: CreateFileA with the sharing each open mode names.
#include "package/file_stream.h"

#include "package/seek_target.h"

#include <windows.h>

namespace {

CFileException::Cause CauseOf(DWORD err) {
    switch (err) {
    case ERROR_FILE_NOT_FOUND: case ERROR_PATH_NOT_FOUND: case ERROR_INVALID_NAME:
    case ERROR_BAD_NETPATH: case ERROR_INVALID_DRIVE:
        return CFileException::kFileNotFound;
    case ERROR_ACCESS_DENIED: case ERROR_WRITE_PROTECT: return CFileException::kAccessDenied;
    case ERROR_SHARING_VIOLATION: case ERROR_LOCK_VIOLATION: return CFileException::kSharingViolation;
    case ERROR_DISK_FULL: case ERROR_HANDLE_DISK_FULL: return CFileException::kDiskFull;
    case ERROR_NEGATIVE_SEEK: case ERROR_SEEK: return CFileException::kBadSeek;
    case ERROR_CRC: case ERROR_READ_FAULT: case ERROR_WRITE_FAULT: return CFileException::kHardIO;
    default: return CFileException::kGeneric;
    }
}

HANDLE AsHandle(intptr_t h) {
    return reinterpret_cast<HANDLE>(h);
}

}  // namespace

FileStream::~FileStream() {
    Close();
}

bool FileStream::Open(const std::string& path, OpenMode mode, CFileException* error) {
    Close();
    DWORD access = GENERIC_WRITE;
    DWORD share = FILE_SHARE_READ;
    DWORD disposition = CREATE_ALWAYS;
    switch (mode) {
    case kReadDenyWrite: access = GENERIC_READ; disposition = OPEN_EXISTING; break;
    case kWriteExistingDenyWrite: disposition = OPEN_EXISTING; break;
    case kCreateDenyWrite: break;
    case kCreateDenyAll: share = 0; break;
    }
    HANDLE h = CreateFileA(path.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        DWORD err = GetLastError();
        if (error)
            *error = CFileException(CauseOf(err), long(err), path);
        return false;
    }
    m_hFile = reinterpret_cast<intptr_t>(h);
    m_strPath = path;
    return true;
}

void FileStream::Close() {
    if (m_hFile != kInvalidHandle) {
        CloseHandle(AsHandle(m_hFile));
        m_hFile = kInvalidHandle;
    }
}

void FileStream::ThrowLastError() const {
    DWORD err = GetLastError();
    throw CFileException(CauseOf(err), long(err), m_strPath);
}

uint32_t FileStream::GetPosition() const {
    LARGE_INTEGER zero{}, pos{};
    if (!SetFilePointerEx(AsHandle(m_hFile), zero, &pos, FILE_CURRENT))
        ThrowLastError();
    return static_cast<uint32_t>(pos.QuadPart);
}

uint32_t FileStream::Seek(int64_t offset, SeekOrigin origin) {
    uint32_t target = SeekTarget(GetPosition(), GetLength(), offset, origin);
    LARGE_INTEGER to{};
    to.QuadPart = target;
    if (!SetFilePointerEx(AsHandle(m_hFile), to, nullptr, FILE_BEGIN))
        ThrowLastError();
    return target;
}

uint32_t FileStream::Read(void* buffer, uint32_t count) {
    uint32_t total = 0;
    while (total < count) {
        DWORD got = 0;
        if (!ReadFile(AsHandle(m_hFile), static_cast<char*>(buffer) + total, count - total, &got, nullptr))
            ThrowLastError();
        if (got == 0)
            break;
        total += got;
    }
    return total;
}

void FileStream::Write(const void* buffer, uint32_t count) {
    uint32_t total = 0;
    while (total < count) {
        DWORD put = 0;
        if (!WriteFile(AsHandle(m_hFile), static_cast<const char*>(buffer) + total, count - total, &put, nullptr))
            ThrowLastError();
        if (put == 0)
            throw CFileException(CFileException::kDiskFull, ERROR_DISK_FULL, m_strPath);
        total += put;
    }
}

uint32_t FileStream::GetLength() const {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(AsHandle(m_hFile), &size))
        ThrowLastError();
    return static_cast<uint32_t>(size.QuadPart);
}

void FileStream::SetLength(uint32_t length) {
    uint32_t position = GetPosition();
    LARGE_INTEGER to{};
    to.QuadPart = length;
    if (!SetFilePointerEx(AsHandle(m_hFile), to, nullptr, FILE_BEGIN) || !SetEndOfFile(AsHandle(m_hFile)))
        ThrowLastError();
    to.QuadPart = position;
    if (!SetFilePointerEx(AsHandle(m_hFile), to, nullptr, FILE_BEGIN))
        ThrowLastError();
}

// Every write goes straight to the system, so there is nothing of ours to push;
// forcing the system's cache to disk after every block would make installs crawl.
void FileStream::Flush() {}
