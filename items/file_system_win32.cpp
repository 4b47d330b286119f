#include "items/file_system.h"

#include <windows.h>

bool MakeDirectory(const std::string& path) {
    return CreateDirectoryA(path.c_str(), nullptr) != FALSE;
}

bool GetEntryAttributes(const std::string& path, uint32_t& attributes) {
    DWORD found = GetFileAttributesA(path.c_str());
    if (found == INVALID_FILE_ATTRIBUTES)
        return false;
    attributes = found;
    return true;
}

bool ClearEntryAttributes(const std::string& path, uint32_t attributes) {
    DWORD found = GetFileAttributesA(path.c_str());
    if (found == INVALID_FILE_ATTRIBUTES)
        return false;
    DWORD kept = found & ~DWORD(attributes);
    // Zero would mean "no change" to SetFileAttributesA; a file without bits is normal.
    return SetFileAttributesA(path.c_str(), kept ? kept : FILE_ATTRIBUTE_NORMAL) != FALSE;
}

bool DeleteFileAt(const std::string& path) {
    return DeleteFileA(path.c_str()) != FALSE;
}

bool RemoveEmptyDirectory(const std::string& path) {
    return RemoveDirectoryA(path.c_str()) != FALSE;
}

std::string GetSystemDirectoryPath() {
    char buffer[MAX_PATH];
    UINT length = GetSystemDirectoryA(buffer, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return std::string();
    return std::string(buffer, length);
}
