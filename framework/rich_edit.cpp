#include "framework/rich_edit.h"

#include "framework/unique_handle.h"

#include <string>

namespace {

// By full path only, so that no copy beside the executable is loaded instead.
HMODULE LoadSystemLibrary(const char* name) {
    char dir[MAX_PATH] = {};
    UINT length = GetSystemDirectoryA(dir, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    std::string path(dir, length);
    path += '\\';
    path += name;
    return LoadLibraryA(path.c_str());
}

CUniqueModule g_richEdit;

}  // namespace

bool InitRichEdit() {
    if (!g_richEdit)
        g_richEdit.Reset(LoadSystemLibrary("riched32.dll"));
    return static_cast<bool>(g_richEdit);
}
