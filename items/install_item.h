// The install tree: directories and files below the installation folder. The same
// item carries three forms: the project record (authoring), the item record of the
// setup package, and the removal record it appends to the uninstall data while it is
// extracted. Record layouts are in items/install_records.h.
#pragma once

#include "items/extract_signals.h"
#include "package/byte_stream.h"

#include <cstdint>
#include <memory>
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
    // fresh item; short reads are not detected (a damaged record gives a partial tree).
    virtual void Load(ByteStream& stream);
    // Writes the project record of the item and its subtree.
    virtual void Save(ByteStream& stream) const;
    // Number of file items in the subtree; adds each file's size on disk (when it is
    // found) to totalBytes.
    virtual int CountFiles(uint32_t& totalBytes) const;
    // Appends the item record, compressing file data in thorough mode. FALSE when a
    // source cannot be opened, compression fails or a cancel is seen (the last two set
    // "stopped"); the package is then incomplete.
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

protected:
    // Destroys the children from the last to the first.
    static void DestroyItems(InstallItemList& items);
};
