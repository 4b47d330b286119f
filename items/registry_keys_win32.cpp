#include "items/registry_keys_win32.h"

#include "framework/unique_handle.h"
#include "items/registry_generated_string.h"

namespace {

const char kSoftware[] = "Software";

LONG CreateKey(HKEY parent, const std::string& name, CUniqueRegKey& key) {
    return RegCreateKeyExA(parent, name.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                           key.Put(), nullptr);
}

LONG OpenKey(HKEY parent, const std::string& name, CUniqueRegKey& key) {
    return RegOpenKeyExA(parent, name.c_str(), 0, KEY_ALL_ACCESS, key.Put());
}

int CreateChildren(const RegistryEntryList& children, HKEY key) {
    int result = 1;
    for (const auto& child : children) {
        if (!CreateRegistryEntry(*child, key))
            result = 0;
    }
    return result;
}

int RemoveChildren(const RegistryEntryList& children, HKEY key) {
    int result = 1;
    for (const auto& child : children) {
        if (!RemoveRegistryEntry(*child, key))
            result = 0;
    }
    return result;
}

int SetValue(const RegValue& value, const std::string& name, HKEY parent) {
    DWORD type = REG_SZ;
    std::string text;
    BYTE number[4];
    const BYTE* data = nullptr;
    DWORD size = 0;
    switch (value.nType) {
    case kRegValueString:
        text = value.strText;
        break;
    case kRegValueNumber:
        type = REG_DWORD;
        for (int i = 0; i < 4; ++i)
            number[i] = BYTE(uint32_t(value.nNumber) >> (8 * i));
        data = number;
        size = sizeof number;
        break;
    case kRegValueGenerated:
        text = GenerateString(value.nLength);
        break;
    default:
        return 0;
    }
    if (type == REG_SZ) {
        data = reinterpret_cast<const BYTE*>(text.c_str());
        size = DWORD(text.size() + 1);
    }
    return RegSetValueExA(parent, name.c_str(), 0, type, data, size) == ERROR_SUCCESS ? 1 : 0;
}

}  // namespace

int CreateRegistryList(const CRegistryList& list, HKEY root) {
    if (list.m_children.empty())
        return 1;
    CUniqueRegKey software;
    if (CreateKey(root, kSoftware, software) != ERROR_SUCCESS)
        return 0;
    if (!software)
        return 1;
    return CreateChildren(list.m_children, software.Get());
}

int RemoveRegistryList(const CRegistryList& list, HKEY root) {
    if (list.m_children.empty())
        return 1;
    CUniqueRegKey software;
    if (OpenKey(root, kSoftware, software) != ERROR_SUCCESS)
        return 0;
    if (!software)
        return 1;
    return RemoveChildren(list.m_children, software.Get());
}

int CreateRegistryEntry(const CRegistryEntry& entry, HKEY parent) {
    if (!entry.IsKey())
        return entry.m_pValue ? SetValue(*entry.m_pValue, entry.m_strName, parent) : 0;
    CUniqueRegKey key;
    if (CreateKey(parent, entry.m_strName, key) != ERROR_SUCCESS)
        return 0;
    if (!key)
        return 1;
    return CreateChildren(entry.m_children, key.Get());
}

int RemoveRegistryEntry(const CRegistryEntry& entry, HKEY parent) {
    if (!entry.IsKey()) {
        if (!entry.m_bRemove)
            return 1;
        return RegDeleteValueA(parent, entry.m_strName.c_str()) == ERROR_SUCCESS ? 1 : 0;
    }
    int result;
    {
        CUniqueRegKey key;
        if (OpenKey(parent, entry.m_strName, key) != ERROR_SUCCESS)
            return 0;
        if (!key)
            return 1;
        result = RemoveChildren(entry.m_children, key.Get());
    }
    // Deleting a key takes whatever is left inside it along: a key that holds an entry
    // the package keeps stays, so that the kept entry does.
    if (entry.m_bRemove && !entry.HoldsKeptEntry())
        RegDeleteKeyA(parent, entry.m_strName.c_str());
    return result;
}
