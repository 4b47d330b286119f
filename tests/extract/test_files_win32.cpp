#include "tests/extract/test_files.h"

#include "items/file_info.h"
#include "package/file_stream.h"

#include <windows.h>
#include <objidl.h>
#include <shlobj.h>

#include <memory>
#include <vector>

std::string FileText(const std::string& path) {
    FileStream file;
    if (!file.Open(path, FileStream::kReadDenyWrite))
        return "<missing>";
    std::string text(file.GetLength(), '\0');
    file.Read(text.data(), uint32_t(text.size()));
    return text;
}

int64_t WriteTime(const std::string& path) {
    FileInfo info;
    return GetFileInfo(path, info) ? info.nWriteTime : -1;
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

namespace {

struct ComRelease {
    void operator()(IUnknown* object) const { object->Release(); }
};
template <typename T>
using ComRef = std::unique_ptr<T, ComRelease>;

}  // namespace

bool ReadLink(const std::string& linkPath, std::string& target, std::string& description) {
    IShellLinkA* rawLink = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&rawLink))))
        return false;
    ComRef<IShellLinkA> link(rawLink);
    IPersistFile* rawFile = nullptr;
    if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&rawFile))))
        return false;
    ComRef<IPersistFile> file(rawFile);
    std::wstring wide(linkPath.begin(), linkPath.end());
    if (FAILED(file->Load(wide.c_str(), STGM_READ)))
        return false;
    char buffer[MAX_PATH * 2] = {};
    if (FAILED(link->GetPath(buffer, sizeof buffer, nullptr, 0)))
        return false;
    target = buffer;
    char text[INFOTIPSIZE] = {};
    link->GetDescription(text, sizeof text);
    description = text;
    return true;
}

std::string BulkyText(size_t size, uint32_t seed) {
    std::string text;
    text.reserve(size);
    uint32_t state = seed;
    while (text.size() < size) {
        state = state * 1103515245u + 12345u;
        text += char('a' + (state >> 16) % 26);
        if ((state >> 8) % 11 == 0)
            text += ' ';
    }
    text.resize(size);
    return text;
}
