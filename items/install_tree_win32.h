// Filling an install tree from the authoring tool's tree-view control. Each tree item
// carries the item's name as its text, its remove flag as the check box (state image
// 2 ticked), its shortcut flag as bold text, and as data null or a pointer to a
// std::string holding the source path of a file.
#pragma once

#include "items/install_root.h"

#include <windows.h>
#include <commctrl.h>

// Replaces item's children by the subtree of treeItem and takes over its name, flags
// and (when the data is set) source path.
void LoadFromTree(CInstallItem& item, HWND tree, HTREEITEM treeItem);

// Fills root from the installation-folder item and its system items from the children
// of the system-directory item; the old system items are dropped.
void LoadFromTrees(CInstallRoot& root, HWND tree, HTREEITEM folderItem, HTREEITEM systemItem);
