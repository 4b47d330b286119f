// A file's status by name: size, last-write time and whether it is a directory, and
// setting the last-write time. Times are seconds since 1970-01-01 00:00:00 UTC.
#pragma once

#include <cstdint>
#include <string>

struct FileInfo {
    uint64_t nSize = 0;
    int64_t nWriteTime = 0;
    bool bDirectory = false;
};

// False when nothing can be found at path.
bool GetFileInfo(const std::string& path, FileInfo& info);

// Replaces the last-write time of the file at path; its other times and attributes
// stay. False when the file cannot be opened or the time cannot be set.
bool SetFileWriteTime(const std::string& path, int64_t writeTime);
