#include "package/appended_data.h"

#include <windows.h>

std::string GetModulePath() {
    HMODULE module = GetModuleHandleA(nullptr);
    if (!module)
        return std::string();
    char buffer[MAX_PATH + 1] = {};
    DWORD n = GetModuleFileNameA(module, buffer, MAX_PATH);
    // A name that did not fit comes back cut; a cut path names nothing useful.
    if (n == 0 || n >= MAX_PATH)
        return std::string();
    return std::string(buffer, n);
}
