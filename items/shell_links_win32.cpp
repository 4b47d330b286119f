#include "items/shell_links.h"

#include <windows.h>
#include <objidl.h>
#include <shlobj.h>

namespace {

// Owns one reference to a COM interface.
template <typename T>
class CComRef {
public:
    CComRef() = default;
    ~CComRef() {
        if (m_p)
            m_p->Release();
    }
    CComRef(const CComRef&) = delete;
    CComRef& operator=(const CComRef&) = delete;

    T* operator->() const { return m_p; }
    T* Get() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    void** Put() { return reinterpret_cast<void**>(&m_p); }

private:
    T* m_p = nullptr;
};

// An item-id list from the shell, given back to the shell's allocator.
class CItemIdList {
public:
    explicit CItemIdList(IMalloc* allocator) : m_pAllocator(allocator) {}
    ~CItemIdList() {
        if (m_pList)
            m_pAllocator->Free(m_pList);
    }
    CItemIdList(const CItemIdList&) = delete;
    CItemIdList& operator=(const CItemIdList&) = delete;

    LPITEMIDLIST Get() const { return m_pList; }
    LPITEMIDLIST* Put() { return &m_pList; }

private:
    IMalloc* m_pAllocator;
    LPITEMIDLIST m_pList = nullptr;
};

std::string SpecialFolderPath(IMalloc* allocator, int folder) {
    CItemIdList list(allocator);
    if (FAILED(SHGetSpecialFolderLocation(nullptr, folder, list.Put())) || !list.Get())
        return std::string();
    char path[MAX_PATH] = {};
    if (!SHGetPathFromIDListA(list.Get(), path))
        return std::string();
    return path;
}

}  // namespace

std::string GetProgramsFolder() {
    CComRef<IMalloc> allocator;
    if (FAILED(SHGetMalloc(reinterpret_cast<IMalloc**>(allocator.Put()))) || !allocator)
        return std::string();
    std::string folder = SpecialFolderPath(allocator.Get(), CSIDL_PROGRAMS);
    if (folder.empty())
        folder = SpecialFolderPath(allocator.Get(), CSIDL_COMMON_PROGRAMS);
    return folder;
}

int CreateShortcut(const std::string& target, const std::string& linkPath, const std::string& description) {
    // The file name is handed to the link as UTF-16 in a MAX_PATH buffer; a longer
    // path would not fit, so no link is made for it.
    WCHAR wideLinkPath[MAX_PATH];
    if (linkPath.size() >= MAX_PATH ||
        MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, wideLinkPath, MAX_PATH) == 0)
        return FALSE;

    CComRef<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.Put())))
        return FALSE;
    link->SetPath(target.c_str());
    link->SetDescription(description.c_str());

    CComRef<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.Put())))
        return FALSE;
    return SUCCEEDED(file->Save(wideLinkPath, TRUE)) ? TRUE : FALSE;
}
