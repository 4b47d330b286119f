#include "items/install_root.h"

#include "items/install_records.h"
#include "items/item_name.h"
#include "package/package_int.h"
#include "package/package_string.h"

CInstallRoot::~CInstallRoot() {
    DestroyItems(m_systemItems);
}

bool CInstallRoot::Load(ByteStream& stream) {
    if (!CInstallItem::Load(stream))
        return false;
    int32_t count = 0;
    if (!ReadInt32(stream, count) || count < 0)
        return false;
    for (int32_t i = 0; i < count; ++i) {
        m_systemItems.push_back(std::make_unique<CInstallItem>());
        if (!m_systemItems.back()->Load(stream))
            return false;
    }
    return true;
}

void CInstallRoot::Save(ByteStream& stream) const {
    CInstallItem::Save(stream);
    WriteInt32(stream, int32_t(m_systemItems.size()));
    for (const auto& item : m_systemItems)
        item->Save(stream);
}

int CInstallRoot::CountFiles(uint32_t& totalBytes) const {
    int files = CInstallItem::CountFiles(totalBytes);
    for (const auto& item : m_systemItems)
        files += item->CountFiles(totalBytes);
    return files;
}

int CInstallRoot::WriteToPackage(ByteStream& package, CExtractSignals* signals) {
    if (!IsPlainItemName(m_strName))
        return 0;
    WriteInt32(package, CountShortcuts());
    WriteInt32(package, kRootType);
    WriteInt32(package, m_bShortcut);
    WriteInt32(package, m_bRemove);
    WritePackageString(package, m_strName);
    WriteInt32(package, int32_t(m_children.size()));
    for (const auto& child : m_children) {
        if (!child->WriteToPackage(package, signals))
            return 0;
    }
    WriteInt32(package, int32_t(m_systemItems.size()));
    for (const auto& item : m_systemItems) {
        if (!item->WriteToPackage(package, signals))
            return 0;
    }
    return 1;
}

int CInstallRoot::CountShortcuts() const {
    return CInstallItem::CountShortcuts() + (m_strUninstaller.empty() ? 0 : 1);
}
