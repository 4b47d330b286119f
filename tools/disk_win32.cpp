#include "tools/disk.h"

#include "framework/unique_handle.h"

#include <algorithm>

bool ListDirectory(const std::string& path, std::vector<DirEntry>& entries) {
    entries.clear();
    WIN32_FIND_DATAA data;
    CUniqueFind find(FindFirstFileA(JoinPath(path, "*").c_str(), &data));
    if (!find)
        return false;
    do {
        std::string name = data.cFileName;
        if (name == "." || name == "..")
            continue;
        entries.push_back({name, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (FindNextFileA(find.Get(), &data));
    std::sort(entries.begin(), entries.end(),
              [](const DirEntry& a, const DirEntry& b) { return a.strName < b.strName; });
    return true;
}

std::string FullPath(const std::string& path) {
    char buffer[MAX_PATH * 4];
    DWORD length = GetFullPathNameA(path.c_str(), sizeof buffer, buffer, nullptr);
    if (length == 0 || length >= sizeof buffer)
        return path;
    return std::string(buffer, length);
}

bool MoveReplacing(const std::string& from, const std::string& to) {
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
}
