// Builds the install tree of a manifest from disk, and checks any install tree (also
// one loaded from a project record) before anything is written.
#pragma once

#include "items/install_root.h"
#include "items/item_name.h"
#include "tools/manifest.h"

#include <cstdint>
#include <string>

// Fills root: its name and flags, the items of [install] and [system]. Directories are
// walked in sorted order and siblings end up sorted by name, so the same inputs give
// the same tree. Throws CToolError(kExitInput) naming the manifest entry or file.
void BuildInstallTree(const Manifest& manifest, CInstallRoot& root);

// Refuses a tree that would make a broken or hostile package: names that are not plain
// file names, two siblings whose names differ only in case, nesting deeper than a
// reader follows, sources that are missing, unreadable, directories or 2 GiB and more,
// and a total size beyond what the package's 32-bit field holds. Throws
// CToolError(kExitInput) naming the item and its source.
void CheckInstallTree(const CInstallRoot& root);

// Gives every file of the tree this stored time instead of its source's.
void FixFileTimes(CInstallRoot& root, int32_t time);

const char* DescribeNameFault(ItemNameFault fault);
