// Extracting one item record of the setup package: the directory or file on disk, its
// shortcut, its removal record, then its children.
#include "items/install_item.h"

#include "codec/decompress.h"
#include "items/compact_path.h"
#include "items/file_info.h"
#include "items/file_system.h"
#include "items/install_records.h"
#include "items/item_name.h"
#include "items/recorded_link.h"
#include "items/uninstall_record.h"
#include "package/block_header.h"
#include "package/file_stream.h"
#include "package/package_int.h"
#include "package/package_string.h"

namespace {

constexpr int kShownChars = 50;
// An existing file more than this many seconds newer than the stored time is asked about.
constexpr int64_t kNewerThreshold = 60;

// Decides whether the file at path may be replaced; asks through signals where the
// rules say so. Without signals nothing can be answered, and the existing file stays.
bool MayOverwrite(const std::string& path, int32_t storedTime, CExtractSignals* signals) {
    uint32_t attributes = 0;
    if (!GetEntryAttributes(path, attributes))
        return true;
    if (attributes & (kAttrReadOnly | kAttrSystem)) {
        if (signals)
            signals->Ask(CExtractSignals::kReadOnly, path);
        return false;
    }
    if ((attributes & kAttrHidden) && !(signals && signals->Ask(CExtractSignals::kAskHidden, path)))
        return false;
    FileInfo existing;
    if (GetFileInfo(path, existing) && existing.nWriteTime - int64_t(storedTime) > kNewerThreshold)
        return signals && signals->Ask(CExtractSignals::kAskNewer, path);
    return true;
}

// The name of a file's link: the file name without its last extension.
std::string LinkBaseName(const std::string& name) {
    size_t dot = name.find_last_of('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

// Expands the file's block into path. False when the file cannot be created or the
// block cannot be expanded (damaged, or cancelled by the progress callback); a file
// that was created is recorded whatever follows, since it is on disk now.
bool WriteFileData(ByteStream& package, const std::string& path, CExtractSignals* signals,
                   CRemovalRecordWriter& record) {
    // A hidden file refuses to be replaced by a plain one; once the user has accepted
    // the overwrite, the new file is written without the attribute.
    uint32_t attributes = 0;
    if (GetEntryAttributes(path, attributes) && (attributes & kAttrHidden))
        ClearEntryAttributes(path, kAttrHidden);
    FileStream file;
    if (!file.Open(path, FileStream::kCreateDenyAll))
        return false;
    record.WritePath(kRemovalTypeFile, path);
    if (DecompressBlock(package, file, ExtractProgress, signals) < 0) {
        file.Close();
        if (signals)
            signals->SetStopped();
        return false;
    }
    file.Close();
    return true;
}

bool ExtractItem(CInstallItem& item, ByteStream& package, const std::string& parentPath,
                 CRemovalRecordWriter& record, ByteStream* uninstallData, CExtractSignals* signals,
                 const std::string* shortcutFolder) {
    int32_t type = 0;
    if (!ReadInt32(package, type) || !ReadInt32(package, item.m_bShortcut) || !ReadInt32(package, item.m_bRemove))
        return false;
    record.BeginItem(item.m_bShortcut, item.m_bRemove);

    // A name that is not one plain component would place the item outside its parent;
    // a path longer than a reader takes back could not be recorded. Both are damage.
    item.m_strName = ReadPackageString(package);
    if (!IsPlainItemName(item.m_strName))
        return false;
    std::string path = parentPath + "\\" + item.m_strName;
    if (path.size() > kMaxPackageString)
        return false;
    if (signals)
        signals->ShowItem(CompactPath(path, kShownChars), CompactPath(item.m_strName, kShownChars));

    if (type == kItemTypeDirectory) {
        MakeDirectory(path);
        record.WritePath(kRemovalTypeDirectory, path);
        if (signals && signals->PollCancel()) {
            signals->SetStopped();
            return false;
        }
        if (item.m_bShortcut)
            MakeRecordedLink(shortcutFolder ? *shortcutFolder : std::string(), path, item.m_strName, record);
    } else {
        int32_t storedTime = 0;
        if (!ReadInt32(package, storedTime))
            return false;
        if (!MayOverwrite(path, storedTime, signals)) {
            if (SkipBlock(package) < 0)
                return false;
            record.WriteKeptFile(path);
        } else {
            if (!WriteFileData(package, path, signals, record))
                return false;
            if (item.m_bShortcut)
                MakeRecordedLink(shortcutFolder ? *shortcutFolder : std::string(), path, LinkBaseName(item.m_strName), record);
            // A stored time of 0 means the package has none: the file keeps its own.
            if (storedTime != 0 && !SetFileWriteTime(path, storedTime))
                return false;
        }
    }

    int32_t count = 0;
    if (!ReadInt32(package, count) || count < 0)
        return false;
    record.BeginList(count);
    for (int32_t i = 0; i < count; ++i) {
        item.m_children.push_back(std::make_unique<CInstallItem>());
        uint32_t mark = record.Mark();
        int done = item.m_children.back()->Extract(package, path, uninstallData, signals, shortcutFolder);
        record.EndListRecord(mark);
        if (!done)
            return false;
    }
    return true;
}

}  // namespace

int CInstallItem::Extract(ByteStream& package, const std::string& parentPath, ByteStream* uninstallData,
                          CExtractSignals* signals, const std::string* shortcutFolder) {
    CRemovalRecordWriter record(uninstallData);
    bool done = false;
    // A failing medium (a full disk, a refused seek) ends the extraction like any other
    // failure, never the program.
    try {
        done = ExtractItem(*this, package, parentPath, record, uninstallData, signals, shortcutFolder);
    } catch (const CFileException&) {
        done = false;
    }
    if (!done)
        record.Close();
    return done ? 1 : 0;
}
