#include "items/file_info.h"

#include <fcntl.h>
#include <sys/stat.h>

bool GetFileInfo(const std::string& path, FileInfo& info) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0)
        return false;
    info.nSize = S_ISREG(st.st_mode) ? uint64_t(st.st_size) : 0;
    info.nWriteTime = int64_t(st.st_mtime);
    info.bDirectory = S_ISDIR(st.st_mode);
    return true;
}

bool SetFileWriteTime(const std::string& path, int64_t writeTime) {
    struct timespec times[2];
    times[0].tv_sec = 0;
    times[0].tv_nsec = UTIME_OMIT;
    times[1].tv_sec = time_t(writeTime);
    times[1].tv_nsec = 0;
    return ::utimensat(AT_FDCWD, path.c_str(), times, 0) == 0;
}
