#include "tools/disk.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <sys/stat.h>

bool ListDirectory(const std::string& path, std::vector<DirEntry>& entries) {
    entries.clear();
    DIR* dir = ::opendir(path.c_str());
    if (!dir)
        return false;
    while (const dirent* entry = ::readdir(dir)) {
        std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        struct stat st;
        bool isDirectory = ::stat(JoinPath(path, name).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
        entries.push_back({name, isDirectory});
    }
    ::closedir(dir);
    std::sort(entries.begin(), entries.end(),
              [](const DirEntry& a, const DirEntry& b) { return a.strName < b.strName; });
    return true;
}

std::string FullPath(const std::string& path) {
    char buffer[PATH_MAX];
    if (!::realpath(path.c_str(), buffer))
        return path;
    return buffer;
}

bool MoveReplacing(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0;
}
