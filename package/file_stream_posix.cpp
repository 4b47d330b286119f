// FileStream on POSIX systems. Sharing is approximated with advisory locks:
// readers take a shared lock, writers an exclusive one.
#include "package/file_stream.h"

#include "package/seek_target.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

CFileException::Cause CauseOf(int err) {
    switch (err) {
    case ENOENT: case ENOTDIR: return CFileException::kFileNotFound;
    case EACCES: case EPERM: case EROFS: case EISDIR: return CFileException::kAccessDenied;
    case EWOULDBLOCK: return CFileException::kSharingViolation;
    case ENOSPC: case EFBIG: case EDQUOT: return CFileException::kDiskFull;
    case EIO: return CFileException::kHardIO;
    default: return CFileException::kGeneric;
    }
}

}  // namespace

FileStream::~FileStream() {
    Close();
}

bool FileStream::Open(const std::string& path, OpenMode mode, CFileException* error) {
    Close();
    int flags = O_CLOEXEC;
    int lock = LOCK_EX;
    switch (mode) {
    case kReadDenyWrite: flags |= O_RDONLY; lock = LOCK_SH; break;
    case kWriteExistingDenyWrite: flags |= O_WRONLY; break;
    case kCreateDenyWrite:
    case kCreateDenyAll: flags |= O_WRONLY | O_CREAT | O_TRUNC; break;
    }
    int fd = ::open(path.c_str(), flags, 0644);
    int err = errno;
    if (fd >= 0) {
        struct stat st;
        if (fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
            err = EISDIR;
        } else if (flock(fd, lock | LOCK_NB) != 0) {
            err = errno;
        } else {
            m_hFile = fd;
            m_strPath = path;
            return true;
        }
        ::close(fd);
    }
    if (error)
        *error = CFileException(CauseOf(err), err, path);
    return false;
}

void FileStream::Close() {
    if (m_hFile != kInvalidHandle) {
        ::close(static_cast<int>(m_hFile));
        m_hFile = kInvalidHandle;
    }
}

void FileStream::ThrowLastError() const {
    int err = errno;
    throw CFileException(CauseOf(err), err, m_strPath);
}

uint32_t FileStream::GetPosition() const {
    off_t pos = ::lseek(static_cast<int>(m_hFile), 0, SEEK_CUR);
    if (pos < 0)
        ThrowLastError();
    return static_cast<uint32_t>(pos);
}

uint32_t FileStream::Seek(int64_t offset, SeekOrigin origin) {
    uint32_t target = SeekTarget(GetPosition(), GetLength(), offset, origin);
    if (::lseek(static_cast<int>(m_hFile), off_t(target), SEEK_SET) < 0)
        ThrowLastError();
    return target;
}

uint32_t FileStream::Read(void* buffer, uint32_t count) {
    uint32_t total = 0;
    while (total < count) {
        ssize_t n = ::read(static_cast<int>(m_hFile), static_cast<char*>(buffer) + total, count - total);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ThrowLastError();
        }
        if (n == 0)
            break;
        total += static_cast<uint32_t>(n);
    }
    return total;
}

void FileStream::Write(const void* buffer, uint32_t count) {
    uint32_t total = 0;
    while (total < count) {
        ssize_t n = ::write(static_cast<int>(m_hFile), static_cast<const char*>(buffer) + total, count - total);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ThrowLastError();
        }
        total += static_cast<uint32_t>(n);
    }
}

uint32_t FileStream::GetLength() const {
    struct stat st;
    if (fstat(static_cast<int>(m_hFile), &st) != 0)
        ThrowLastError();
    return static_cast<uint32_t>(st.st_size);
}

void FileStream::SetLength(uint32_t length) {
    if (::ftruncate(static_cast<int>(m_hFile), off_t(length)) != 0)
        ThrowLastError();
}

void FileStream::Flush() {}
