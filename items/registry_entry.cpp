#include "items/registry_entry.h"

#include "package/package_int.h"
#include "package/package_string.h"

CRegistryEntry::~CRegistryEntry() {
    Clear();
}

void CRegistryEntry::Clear() {
    while (!m_children.empty())
        m_children.pop_back();
    m_pValue.reset();
}

bool CRegistryEntry::Read(ByteStream& stream) {
    return ReadRecord(stream, 0);
}

bool CRegistryEntry::ReadRecord(ByteStream& stream, int depth) {
    Clear();
    if (depth > kMaxRegistryDepth || !ReadInt32(stream, m_nType))
        return false;
    m_strName = ReadPackageString(stream);
    if (!ReadInt32(stream, m_bRemove))
        return false;
    if (!IsKey()) {
        m_pValue = std::make_unique<RegValue>();
        if (!ReadInt32(stream, m_pValue->nType) || !ReadInt32(stream, m_pValue->nNumber) ||
            !ReadInt32(stream, m_pValue->nLength))
            return false;
        m_pValue->strText = ReadPackageString(stream);
    }
    return ReadChildren(stream, depth);
}

bool CRegistryEntry::ReadChildren(ByteStream& stream, int depth) {
    int32_t count = 0;
    if (!ReadInt32(stream, count) || count < 0)
        return false;
    // One record at a time: a damaged count ends at the stream's end instead of
    // sizing anything.
    for (int32_t i = 0; i < count; ++i) {
        m_children.push_back(std::make_unique<CRegistryEntry>());
        if (!m_children.back()->ReadRecord(stream, depth + 1))
            return false;
    }
    return true;
}

void CRegistryEntry::Write(ByteStream& stream) const {
    WriteInt32(stream, m_nType);
    WritePackageString(stream, m_strName);
    WriteInt32(stream, m_bRemove);
    if (!IsKey()) {
        RegValue empty;
        const RegValue& value = m_pValue ? *m_pValue : empty;
        WriteInt32(stream, value.nType);
        WriteInt32(stream, value.nNumber);
        WriteInt32(stream, value.nLength);
        WritePackageString(stream, value.strText);
    }
    WriteInt32(stream, int32_t(m_children.size()));
    for (const auto& child : m_children)
        child->Write(stream);
}

bool CRegistryList::Read(ByteStream& stream) {
    Clear();
    return ReadChildren(stream, 0);
}

void CRegistryList::Write(ByteStream& stream) const {
    WriteInt32(stream, int32_t(m_children.size()));
    for (const auto& child : m_children)
        child->Write(stream);
}

bool CRegistryEntry::HoldsKeptEntry() const {
    for (const auto& child : m_children) {
        if (!child->m_bRemove || child->HoldsKeptEntry())
            return true;
    }
    return false;
}
