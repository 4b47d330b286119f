// The file error: raised only when the medium fails (a read, write, seek or length
// change refused by the operating system), never for damaged data.
#pragma once

#include <exception>
#include <string>

class CFileException : public std::exception {
public:
    enum Cause {
        kGeneric,
        kFileNotFound,
        kAccessDenied,
        kSharingViolation,
        kDiskFull,
        kBadSeek,
        kHardIO,
    };

    CFileException(Cause cause, long osError, std::string fileName = std::string())
        : m_cause(cause), m_lOsError(osError), m_strFileName(std::move(fileName)) {}

    Cause GetCause() const { return m_cause; }
    // The operating system's own error code (errno on Linux, GetLastError on Windows).
    long GetOsError() const { return m_lOsError; }
    const std::string& GetFileName() const { return m_strFileName; }
    const char* what() const noexcept override;

    static const char* CauseName(Cause cause);

private:
    Cause m_cause;
    long m_lOsError;
    std::string m_strFileName;
};
