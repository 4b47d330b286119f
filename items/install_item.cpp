#include "items/install_item.h"

#include "codec/compress.h"
#include "items/compact_path.h"
#include "items/file_info.h"
#include "items/install_records.h"
#include "items/item_name.h"
#include "package/file_stream.h"
#include "package/package_int.h"
#include "package/package_string.h"

#include <climits>

namespace {

// How long the texts of the progress display may be.
constexpr int kShownChars = 50;

// The record holds a 32-bit time; later or earlier times are pinned to its ends.
int32_t ToStoredTime(int64_t time) {
    if (time > INT32_MAX)
        return INT32_MAX;
    if (time < INT32_MIN)
        return INT32_MIN;
    return int32_t(time);
}

}  // namespace

CInstallItem::~CInstallItem() {
    DestroyItems(m_children);
}

void CInstallItem::DestroyItems(InstallItemList& items) {
    while (!items.empty())
        items.pop_back();
}

bool CInstallItem::Load(ByteStream& stream) {
    return LoadRecord(stream, 0);
}

bool CInstallItem::LoadRecord(ByteStream& stream, int depth) {
    if (depth > kMaxItemDepth)
        return false;
    m_strName = ReadPackageString(stream);
    m_strSource = ReadPackageString(stream);
    int32_t remove = 0;
    int32_t shortcut = 0;
    int32_t count = 0;
    if (!ReadInt32(stream, remove) || !ReadInt32(stream, shortcut) || !ReadInt32(stream, count) || count < 0)
        return false;
    m_bRemove = remove;
    m_bShortcut = shortcut;
    // Children arrive one record at a time, so a damaged count ends at the stream's end
    // instead of sizing anything.
    for (int32_t i = 0; i < count; ++i) {
        m_children.push_back(std::make_unique<CInstallItem>());
        if (!m_children.back()->LoadRecord(stream, depth + 1))
            return false;
    }
    return true;
}

void CInstallItem::Save(ByteStream& stream) const {
    WritePackageString(stream, m_strName);
    WritePackageString(stream, m_strSource);
    WriteInt32(stream, m_bRemove);
    WriteInt32(stream, m_bShortcut);
    WriteInt32(stream, int32_t(m_children.size()));
    for (const auto& child : m_children)
        child->Save(stream);
}

int CInstallItem::CountFiles(uint32_t& totalBytes) const {
    int files = 0;
    for (const auto& child : m_children)
        files += child->CountFiles(totalBytes);
    if (!m_strSource.empty()) {
        FileInfo info;
        if (GetFileInfo(m_strSource, info))
            totalBytes += uint32_t(info.nSize);
        ++files;
    }
    return files;
}

int CInstallItem::WriteToPackage(ByteStream& package, CExtractSignals* signals) {
    if (!IsPlainItemName(m_strName))
        return 0;
    bool isFile = !m_strSource.empty();
    // The source is opened before anything is written, so a missing file leaves no
    // half record behind.
    FileStream source;
    if (isFile && (!source.Open(m_strSource, FileStream::kReadDenyWrite) || source.GetLength() > uint32_t(INT32_MAX)))
        return 0;

    WriteInt32(package, isFile ? kItemTypeFile : kItemTypeDirectory);
    WriteInt32(package, m_bShortcut);
    WriteInt32(package, m_bRemove);
    WritePackageString(package, m_strName);
    if (signals)
        signals->ShowItem(CompactPath(m_strSource, kShownChars), CompactPath(m_strName, kShownChars));

    if (isFile) {
        int32_t time = 0;
        if (m_nFixedTime) {
            time = *m_nFixedTime;
        } else {
            FileInfo info;
            if (GetFileInfo(m_strSource, info))
                time = ToStoredTime(info.nWriteTime);
        }
        WriteInt32(package, time);
        source.Seek(0, ByteStream::kBegin);
        if (CompressBlock(source, package, 1, ExtractProgress, signals) < 0) {
            if (signals)
                signals->SetStopped();
            return 0;
        }
        source.Close();
    }

    if (signals && signals->PollCancel()) {
        signals->SetStopped();
        return 0;
    }

    WriteInt32(package, int32_t(m_children.size()));
    for (const auto& child : m_children) {
        if (!child->WriteToPackage(package, signals))
            return 0;
    }
    return 1;
}

int CInstallItem::CountShortcuts() const {
    int shortcuts = m_bShortcut ? 1 : 0;
    for (const auto& child : m_children)
        shortcuts += child->CountShortcuts();
    return shortcuts;
}
