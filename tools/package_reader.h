// Reads a whole setup package back without installing it: every record is walked and
// checked against what is really in the file; blocks are located, not expanded.
#pragma once

#include "items/registry_entry.h"
#include "package/byte_stream.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct BlockInfo {
    uint32_t nOffset = 0;  // of the block header
    int32_t nSize = 0;     // U
    int32_t nCompressed = 0;  // C
};

struct PackedItem {
    uint32_t nOffset = 0;
    int32_t nType = 0;
    int32_t bShortcut = 0;
    int32_t bRemove = 0;
    std::string strName;
    int32_t nTime = 0;
    BlockInfo data;  // files only
    std::vector<PackedItem> children;

    bool IsFile() const { return nType != 1; }
};

struct PackageContents {
    uint32_t nLength = 0;          // of the whole file
    uint32_t nPackageOffset = 0;   // where the trailer says the package starts
    std::string strTitle;
    std::string strDescription;
    bool bHasBitmap = false;
    BlockInfo bitmap;
    bool bHasUninstaller = false;
    uint32_t nUninstallerOffset = 0;
    int32_t nUninstallerLength = 0;
    bool bHasLicense = false;
    BlockInfo license;
    int32_t nFileCount = 0;
    int32_t nTotalBytes = 0;

    uint32_t nTreeOffset = 0;
    int32_t nShortcutCount = 0;
    int32_t nRootType = 0;
    int32_t bRootShortcut = 0;
    int32_t bRootRemove = 0;
    std::string strRootName;
    std::vector<PackedItem> children;
    std::vector<PackedItem> systemItems;

    uint32_t nUserListOffset = 0;
    CRegistryList user;
    uint32_t nMachineListOffset = 0;
    CRegistryList machine;
};

// Reads the package of the setup program in file. Throws CToolError(kExitDamaged)
// naming the byte offset and what is wrong: a trailer or section outside the file, a
// string without its terminator or longer than 256 characters, a negative count or
// size, a block reaching past the package, an item name that is not one plain file
// name, nesting deeper than a reader follows, or bytes left before the trailer.
void ReadPackage(ByteStream& file, const std::string& path, PackageContents& contents);

// Expands the block into destination and checks it yields its U bytes. Throws
// CToolError(kExitDamaged) naming the block's offset when it does not.
void ExpandBlock(ByteStream& file, const std::string& path, const BlockInfo& block, ByteStream& destination,
                 const std::string& what);

// Calls visit for every item, depth first, with its '/'-separated path.
template <typename Visit>
void ForEachItem(const std::vector<PackedItem>& items, const std::string& folder, Visit visit) {
    for (const PackedItem& item : items) {
        std::string path = folder.empty() ? item.strName : folder + "/" + item.strName;
        visit(item, path);
        ForEachItem(item.children, path, visit);
    }
}
