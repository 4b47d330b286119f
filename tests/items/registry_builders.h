// Registry entries made by hand for tests.
#pragma once

#include "items/registry_entry.h"

#include <memory>
#include <string>

inline std::unique_ptr<CRegistryEntry> Key(const std::string& name, int32_t remove) {
    auto entry = std::make_unique<CRegistryEntry>();
    entry->m_nType = kRegEntryKey;
    entry->m_strName = name;
    entry->m_bRemove = remove;
    return entry;
}

inline std::unique_ptr<CRegistryEntry> Value(const std::string& name, int32_t remove, RegValue value) {
    auto entry = Key(name, remove);
    entry->m_nType = kRegEntryValue;
    entry->m_pValue = std::make_unique<RegValue>(std::move(value));
    return entry;
}
