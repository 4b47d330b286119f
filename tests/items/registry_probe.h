// Looking into the real registry from tests: whether a key or a value is there, and
// what a value holds.
#pragma once

#include "framework/unique_handle.h"

#include <windows.h>

#include <string>
#include <utility>

inline bool KeyExists(HKEY root, const std::string& path) {
    CUniqueRegKey key;
    return RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, key.Put()) == ERROR_SUCCESS;
}

inline bool ValueExists(HKEY root, const std::string& path, const char* name) {
    CUniqueRegKey key;
    return RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, key.Put()) == ERROR_SUCCESS &&
           RegQueryValueExA(key.Get(), name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

// The value's type and data bytes (a string's NUL included), or REG_NONE when it is
// missing.
inline std::pair<DWORD, std::string> QueryValue(HKEY root, const std::string& path, const char* name) {
    CUniqueRegKey key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, key.Put()) != ERROR_SUCCESS)
        return {REG_NONE, ""};
    char data[512];
    DWORD type = REG_NONE;
    DWORD size = sizeof data;
    if (RegQueryValueExA(key.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size) != ERROR_SUCCESS)
        return {REG_NONE, ""};
    return {type, std::string(data, size)};
}
