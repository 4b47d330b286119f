// The uninstall data: what the installer appends to the uninstaller's image so that the
// uninstaller can undo the installation, its readers and its writer. Integers are int32
// little-endian; a string is its bytes and one NUL, read back with ReadPackageString
// (at most 256 characters).
//
// Uninstaller executable:
//   0        uninstaller image, N bytes, copied unchanged from the package
//   N        title               string
//            description         string  the title when the package's is empty
//            root removal record
//            registry list for HKEY_CURRENT_USER   (items/registry_entry.h)
//            registry list for HKEY_LOCAL_MACHINE
//   len − 4  trailer             int32   N
//
// Item removal record (one directory or file that was made or kept):
//   shortcut flag       int32   nonzero: the link pair follows the path
//   remove flag         int32   nonzero: the uninstaller deletes the entry
//   type                int32   1 directory, anything else a file (the writer uses 2)
//   path                string  full path
//   link tag            int32   3                  } only when the shortcut flag is set
//   link path           string  full path of .lnk  }
//   child count         int32
//   child item removal records
// A kept file (not overwritten) has both flags 0 and no link pair.
//
// Root removal record (the installation folder):
//   shortcut count      int32   copied from the package; > 0: the program folder exists
//   shortcut flag       int32   } as in an item record, for the installation folder;
//   remove flag         int32   } type is always 1
//   type                int32
//   path                string
//   link tag, link path         only when the shortcut flag is set
//   child count         int32
//   child item removal records
//   system item count   int32
//   system item removal records  items of the Windows system directory
//   program folder tag  int32   1                       } only when the shortcut
//   program folder      string  may be empty: none made } count is > 0
//   uninstaller tag     int32   3 when a path follows, else 0
//   uninstaller link    string  only when the uninstaller tag is 3
//
// The writer keeps the data readable whatever happens while installing: a shortcut flag
// is stored as set only when its link pair follows, and a record whose item could not be
// finished is closed for what was really made (see CRemovalRecordWriter::Close).
#pragma once

#include "package/byte_stream.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

constexpr int32_t kRemovalTypeDirectory = 1;
constexpr int32_t kRemovalTypeFile = 2;
constexpr int32_t kLinkTag = 3;
constexpr int32_t kProgramFolderTag = 1;
constexpr int32_t kNoUninstallerLinkTag = 0;

class CUninstallItem;
using UninstallItemList = std::vector<std::unique_ptr<CUninstallItem>>;

// One item removal record.
class CUninstallItem {
public:
    CUninstallItem() = default;
    CUninstallItem(const CUninstallItem&) = delete;
    CUninstallItem& operator=(const CUninstallItem&) = delete;
    virtual ~CUninstallItem() = default;

    // Replaces the contents with the record at the stream's position. 1 on success;
    // 0 at the first short int32, a negative count, a count larger than the bytes left
    // could hold, or nesting deeper than any installation makes.
    virtual int Read(ByteStream& stream);

    UninstallItemList m_children;
    std::string m_strPath;
    std::string m_strShortcut;
    int32_t m_nType = kRemovalTypeDirectory;
    int32_t m_bShortcut = 0;
    int32_t m_bRemove = 0;

protected:
    bool ReadRecord(ByteStream& stream, int depth);
    static bool ReadItems(ByteStream& stream, int32_t count, UninstallItemList& items, int depth);
};

// The root removal record.
class CUninstallRoot : public CUninstallItem {
public:
    int Read(ByteStream& stream) override;

    int32_t m_nShortcuts = 0;
    std::string m_strUninstallerShortcut;
    std::string m_strProgramFolder;
    UninstallItemList m_systemItems;
};

// Builds one removal record while its item is made, appending at the end of the
// uninstall data; with no uninstall data (null) every call does nothing. It steps back
// only to rewrite a field of its own record and returns to the end.
class CRemovalRecordWriter {
public:
    explicit CRemovalRecordWriter(ByteStream* data);

    // Whether BeginItem or BeginRoot has been called.
    bool IsBegun() const { return m_bBegun; }

    // Item record: the two flags as read from the package.
    void BeginItem(int32_t shortcut, int32_t remove);
    // Root record: the shortcut count and the two flags as read from the package.
    void BeginRoot(int32_t shortcutCount, int32_t shortcut, int32_t remove);
    // Type and path of an entry that was made.
    void WritePath(int32_t type, const std::string& path);
    // An existing file that was kept: both stored flags become 0, then type 2 and path.
    void WriteKeptFile(const std::string& path);
    // The link pair, for an item whose shortcut flag is set.
    void WriteLink(const std::string& linkPath);
    // No link was made although the flag is set: the stored flag becomes 0.
    void WriteNoLink();
    // A count followed by that many records: the children, or the root's system items.
    void BeginList(int32_t count);
    // The data's length, taken before each record of the open list...
    uint32_t Mark() const;
    // ...and after it: counts the record when one was left there.
    void EndListRecord(uint32_t mark);
    // Root only: the program folder that was made (empty if none), recorded by
    // WriteProgramFolder or, after a failure, by Close.
    void SetProgramFolder(const std::string& folder);
    // Root only, after the system items: the program folder record, then the
    // uninstaller's link pair or the tag for none. Written only when the shortcut count
    // is > 0, the only case in which the reader expects them.
    void WriteProgramFolder();
    void WriteUninstallerLink(const std::string& linkPath);
    void WriteNoUninstallerLink();

    // Closes a record whose item could not be finished. An item record for which
    // nothing was made (no path written) is taken out of the data again. Otherwise a
    // link pair still owed becomes a cleared flag, the open list's count becomes the
    // number of records really there, and every field still missing is written empty:
    // counts 0, for a root the system item count 0 and, when its shortcut count is > 0,
    // the program folder record and "no uninstaller link". Does nothing after a
    // complete record.
    void Close();

private:
    void Append(int32_t value);
    void Append(const std::string& text);
    void Patch(uint32_t offset, int32_t value);

    ByteStream* m_pData;
    uint32_t m_nStart = 0;
    uint32_t m_nFlagsAt = 0;
    bool m_bRoot = false;
    int32_t m_nShortcuts = 0;
    bool m_bBegun = false;
    bool m_bHasPath = false;
    bool m_bLinkOwed = false;
    int m_nLists = 0;           // lists begun: 0, 1 (children) or 2 (system items)
    uint32_t m_nCountAt = 0;    // the open list's count field
    int32_t m_nCount = 0;
    int32_t m_nRecorded = 0;
    std::string m_strProgramFolder;
    bool m_bProgramFolderWritten = false;
    bool m_bUninstallerTagWritten = false;
};
