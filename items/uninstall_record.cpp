#include "items/uninstall_record.h"

#include "items/install_records.h"
#include "package/package_int.h"
#include "package/package_string.h"

namespace {

// The smallest item removal record: three int32, an empty path and a child count.
constexpr uint32_t kMinItemRecordSize = 4 * 4 + 1;

uint32_t BytesLeft(const ByteStream& stream) {
    uint32_t length = stream.GetLength();
    uint32_t position = stream.GetPosition();
    return position < length ? length - position : 0;
}

}  // namespace

int CUninstallItem::Read(ByteStream& stream) {
    return ReadRecord(stream, 0) ? 1 : 0;
}

bool CUninstallItem::ReadRecord(ByteStream& stream, int depth) {
    m_children.clear();
    m_strPath.clear();
    m_strShortcut.clear();
    if (depth > kMaxItemDepth)
        return false;
    if (!ReadInt32(stream, m_bShortcut) || !ReadInt32(stream, m_bRemove) || !ReadInt32(stream, m_nType))
        return false;
    m_strPath = ReadPackageString(stream);
    if (m_bShortcut) {
        int32_t tag = 0;
        if (!ReadInt32(stream, tag))
            return false;
        m_strShortcut = ReadPackageString(stream);
    }
    int32_t count = 0;
    if (!ReadInt32(stream, count))
        return false;
    return ReadItems(stream, count, m_children, depth + 1);
}

bool CUninstallItem::ReadItems(ByteStream& stream, int32_t count, UninstallItemList& items, int depth) {
    if (count < 0 || uint32_t(count) > BytesLeft(stream) / kMinItemRecordSize)
        return false;
    for (int32_t i = 0; i < count; ++i) {
        items.push_back(std::make_unique<CUninstallItem>());
        if (!items.back()->ReadRecord(stream, depth))
            return false;
    }
    return true;
}

int CUninstallRoot::Read(ByteStream& stream) {
    m_systemItems.clear();
    m_strProgramFolder.clear();
    m_strUninstallerShortcut.clear();
    if (!ReadInt32(stream, m_nShortcuts) || !ReadRecord(stream, 0))
        return 0;
    int32_t systemCount = 0;
    if (!ReadInt32(stream, systemCount) || !ReadItems(stream, systemCount, m_systemItems, 1))
        return 0;
    if (m_nShortcuts <= 0)
        return 1;
    int32_t folderTag = 0;
    int32_t uninstallerTag = 0;
    if (!ReadInt32(stream, folderTag))
        return 0;
    m_strProgramFolder = ReadPackageString(stream);
    if (!ReadInt32(stream, uninstallerTag))
        return 0;
    if (uninstallerTag == kLinkTag)
        m_strUninstallerShortcut = ReadPackageString(stream);
    return 1;
}

CRemovalRecordWriter::CRemovalRecordWriter(ByteStream* data) : m_pData(data) {
    if (m_pData)
        m_nStart = m_pData->GetLength();
}

void CRemovalRecordWriter::Append(int32_t value) {
    if (m_pData)
        WriteInt32(*m_pData, value);
}

void CRemovalRecordWriter::Append(const std::string& text) {
    if (m_pData)
        WritePackageString(*m_pData, text);
}

void CRemovalRecordWriter::Patch(uint32_t offset, int32_t value) {
    if (!m_pData)
        return;
    m_pData->Seek(offset, ByteStream::kBegin);
    WriteInt32(*m_pData, value);
    m_pData->Seek(0, ByteStream::kEnd);
}

void CRemovalRecordWriter::BeginItem(int32_t shortcut, int32_t remove) {
    m_bBegun = true;
    m_nFlagsAt = m_nStart;
    m_bLinkOwed = shortcut != 0;
    Append(shortcut);
    Append(remove);
}

void CRemovalRecordWriter::BeginRoot(int32_t shortcutCount, int32_t shortcut, int32_t remove) {
    m_bRoot = true;
    m_nShortcuts = shortcutCount;
    Append(shortcutCount);
    m_bBegun = true;
    m_nFlagsAt = m_nStart + 4;
    m_bLinkOwed = shortcut != 0;
    Append(shortcut);
    Append(remove);
}

void CRemovalRecordWriter::WritePath(int32_t type, const std::string& path) {
    m_bHasPath = true;
    Append(type);
    Append(path);
}

void CRemovalRecordWriter::WriteKeptFile(const std::string& path) {
    Patch(m_nFlagsAt, 0);
    Patch(m_nFlagsAt + 4, 0);
    m_bLinkOwed = false;
    WritePath(kRemovalTypeFile, path);
}

void CRemovalRecordWriter::WriteLink(const std::string& linkPath) {
    if (!m_bLinkOwed)
        return;
    m_bLinkOwed = false;
    Append(kLinkTag);
    Append(linkPath);
}

void CRemovalRecordWriter::WriteNoLink() {
    if (!m_bLinkOwed)
        return;
    m_bLinkOwed = false;
    Patch(m_nFlagsAt, 0);
}

void CRemovalRecordWriter::BeginList(int32_t count) {
    ++m_nLists;
    m_nCountAt = Mark();
    m_nCount = count;
    m_nRecorded = 0;
    Append(count);
}

uint32_t CRemovalRecordWriter::Mark() const {
    return m_pData ? m_pData->GetLength() : 0;
}

void CRemovalRecordWriter::EndListRecord(uint32_t mark) {
    if (Mark() > mark)
        ++m_nRecorded;
}

void CRemovalRecordWriter::SetProgramFolder(const std::string& folder) {
    m_strProgramFolder = folder;
}

void CRemovalRecordWriter::WriteProgramFolder() {
    if (m_nShortcuts <= 0 || m_bProgramFolderWritten)
        return;
    m_bProgramFolderWritten = true;
    Append(kProgramFolderTag);
    Append(m_strProgramFolder);
}

void CRemovalRecordWriter::WriteUninstallerLink(const std::string& linkPath) {
    if (m_nShortcuts <= 0 || m_bUninstallerTagWritten)
        return;
    m_bUninstallerTagWritten = true;
    Append(kLinkTag);
    Append(linkPath);
}

void CRemovalRecordWriter::WriteNoUninstallerLink() {
    if (m_nShortcuts <= 0 || m_bUninstallerTagWritten)
        return;
    m_bUninstallerTagWritten = true;
    Append(kNoUninstallerLinkTag);
}

void CRemovalRecordWriter::Close() {
    if (!m_pData || !m_bBegun)
        return;
    if (!m_bHasPath) {
        m_pData->SetLength(m_nStart);
        m_pData->Seek(0, ByteStream::kEnd);
        m_bBegun = false;
        return;
    }
    WriteNoLink();
    int lists = m_bRoot ? 2 : 1;
    if (m_nLists > 0 && m_nRecorded != m_nCount) {
        Patch(m_nCountAt, m_nRecorded);
        m_nCount = m_nRecorded;
    }
    while (m_nLists < lists)
        BeginList(0);
    if (m_bRoot) {
        WriteProgramFolder();
        WriteNoUninstallerLink();
    }
}
