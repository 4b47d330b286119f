// The install tree: directories and files below the installation folder. The same
// item carries three forms: the project record (authoring), the item record of the
// setup package, and the removal record it appends to the uninstall data while it is
// extracted. Record layouts are in items/install_records.h.
#pragma once

#include "items/extract_signals.h"
#include "package/byte_stream.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CInstallItem;
using InstallItemList = std::vector<std::unique_ptr<CInstallItem>>;

class CInstallItem {
public:
    CInstallItem() = default;
    CInstallItem(const CInstallItem&) = delete;
    CInstallItem& operator=(const CInstallItem&) = delete;
    virtual ~CInstallItem();

    // Reads a project record and appends the children it describes. Meant for a
    // fresh item. False at the first short read or past the deepest nesting a reader
    // follows; the tree then holds what was read so far.
    virtual bool Load(ByteStream& stream);
    // Writes the project record of the item and its subtree.
    virtual void Save(ByteStream& stream) const;
    // Number of file items in the subtree; adds each file's size on disk (when it is
    // found) to totalBytes.
    virtual int CountFiles(uint32_t& totalBytes) const;
    // Appends the item record, compressing file data in thorough mode. FALSE when a
    // name is not a plain item name or a source cannot be opened or holds 2 GiB or more
    // (nothing of that record is written), or when compression fails or a cancel is
    // seen (both set "stopped"); the package is then incomplete.
    virtual int WriteToPackage(ByteStream& package, CExtractSignals* signals);
    // Reads one item record from the package and makes the item below parentPath,
    // appending its removal record to uninstallData (may be null); shortcuts go into
    // *shortcutFolder (may be null). TRUE when the item and its subtree were made.
    virtual int Extract(ByteStream& package, const std::string& parentPath, ByteStream* uninstallData,
                        CExtractSignals* signals, const std::string* shortcutFolder);
    // Shortcut flags set in the subtree, this item's included.
    virtual int CountShortcuts() const;

    std::string m_strName;
    std::string m_strSource;
    int32_t m_bShortcut = 0;
    int32_t m_bRemove = 1;
    InstallItemList m_children;
    // Authoring side only: the time stored for a file instead of its source's
    // last-write time (reproducible packages). Not part of any record.
    std::optional<int32_t> m_nFixedTime;

protected:
    bool LoadRecord(ByteStream& stream, int depth);

    // Destroys the children from the last to the first.
    static void DestroyItems(InstallItemList& items);
};
