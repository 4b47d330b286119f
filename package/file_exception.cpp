#include "package/file_exception.h"

const char* CFileException::CauseName(Cause cause) {
    switch (cause) {
    case kFileNotFound: return "file not found";
    case kAccessDenied: return "access denied";
    case kSharingViolation: return "file in use";
    case kDiskFull: return "disk full";
    case kBadSeek: return "bad seek";
    case kHardIO: return "input/output error";
    case kGeneric: break;
    }
    return "file error";
}

const char* CFileException::what() const noexcept {
    return CauseName(m_cause);
}
