#include "items/compact_path.h"

#include "framework/unique_handle.h"

#include <vector>

namespace {

typedef BOOL(WINAPI* PathCompactPathExAProc)(LPSTR out, LPCSTR src, UINT cchMax, DWORD flags);

// Loads the library from the system directory only: a copy planted in the current or
// the program's directory is never picked up.
CUniqueModule LoadSystemLibrary(const char* fileName) {
    char directory[MAX_PATH];
    UINT length = GetSystemDirectoryA(directory, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return CUniqueModule();
    std::string path(directory, length);
    path += '\\';
    path += fileName;
    return CUniqueModule(LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
}

}  // namespace

std::string CompactPath(const std::string& path, int maxChars) {
    // Some implementations of the system function shorten a path that would fit.
    if (maxChars < 0 || path.size() <= size_t(maxChars))
        return path;
    CUniqueModule shlwapi = LoadSystemLibrary("shlwapi.dll");
    if (!shlwapi)
        return CompactPathFallback(path, maxChars);
    auto compact = reinterpret_cast<PathCompactPathExAProc>(
        reinterpret_cast<void*>(GetProcAddress(shlwapi.Get(), "PathCompactPathExA")));
    if (!compact)
        return CompactPathFallback(path, maxChars);
    std::vector<char> buffer(size_t(maxChars) + 1, '\0');
    if (!compact(buffer.data(), path.c_str(), UINT(maxChars) + 1, 0))
        return CompactPathFallback(path, maxChars);
    return std::string(buffer.data());
}
