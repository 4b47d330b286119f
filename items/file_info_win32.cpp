#include "items/file_info.h"

#include "framework/unique_handle.h"

namespace {

// FILETIME counts 100 ns steps from 1601-01-01; 1970 lies this many steps later.
constexpr int64_t kUnixEpochAsFileTime = 116444736000000000LL;
constexpr int64_t kTicksPerSecond = 10000000;

int64_t ToUnixTime(const FILETIME& ft) {
    int64_t ticks = int64_t((uint64_t(ft.dwHighDateTime) << 32) | ft.dwLowDateTime) - kUnixEpochAsFileTime;
    int64_t seconds = ticks / kTicksPerSecond;
    return ticks % kTicksPerSecond < 0 ? seconds - 1 : seconds;
}

FILETIME ToFileTime(int64_t unixTime) {
    uint64_t ticks = uint64_t(unixTime * kTicksPerSecond + kUnixEpochAsFileTime);
    FILETIME ft;
    ft.dwLowDateTime = DWORD(ticks);
    ft.dwHighDateTime = DWORD(ticks >> 32);
    return ft;
}

}  // namespace

bool GetFileInfo(const std::string& path, FileInfo& info) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return false;
    info.bDirectory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    info.nSize = info.bDirectory ? 0 : (uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    info.nWriteTime = ToUnixTime(data.ftLastWriteTime);
    return true;
}

bool SetFileWriteTime(const std::string& path, int64_t writeTime) {
    CUniqueFile file(CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file)
        return false;
    FILETIME ft = ToFileTime(writeTime);
    return SetFileTime(file.Get(), nullptr, nullptr, &ft) != FALSE;
}
