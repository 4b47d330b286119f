// Elsewhere than Windows the same calls reach the POSIX file system. There is no
// attribute word: a file without write permission counts as read-only, and nothing
// is hidden or a system file.
#include "items/file_system.h"

#include <sys/stat.h>
#include <unistd.h>

bool MakeDirectory(const std::string& path) {
    return ::mkdir(path.c_str(), 0777) == 0;
}

bool GetEntryAttributes(const std::string& path, uint32_t& attributes) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0)
        return false;
    attributes = (st.st_mode & S_IWUSR) ? 0 : kAttrReadOnly;
    return true;
}

bool ClearEntryAttributes(const std::string& path, uint32_t attributes) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0)
        return false;
    if ((attributes & kAttrReadOnly) == 0)
        return true;
    return ::chmod(path.c_str(), st.st_mode | S_IWUSR) == 0;
}

bool DeleteFileAt(const std::string& path) {
    return ::unlink(path.c_str()) == 0;
}

bool RemoveEmptyDirectory(const std::string& path) {
    return ::rmdir(path.c_str()) == 0;
}

std::string GetSystemDirectoryPath() {
    return std::string();
}
