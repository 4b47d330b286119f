#include "items/install_tree_win32.h"

#include <vector>

namespace {

// The item's text (with its other asked-for fields), read into a buffer that grows until the whole text fits.
std::string TreeItemText(HWND tree, TVITEMA& item) {
    std::vector<char> buffer(260);
    for (;;) {
        buffer[0] = '\0';
        item.pszText = buffer.data();
        item.cchTextMax = int(buffer.size());
        if (!SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
            return std::string();
        std::string text(item.pszText);
        if (text.size() + 1 < buffer.size() || buffer.size() >= 0x10000)
            return text;
        buffer.resize(buffer.size() * 4);
    }
}

void LoadChildren(InstallItemList& items, HWND tree, HTREEITEM parent) {
    HTREEITEM child = reinterpret_cast<HTREEITEM>(
        SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(parent)));
    while (child) {
        items.push_back(std::make_unique<CInstallItem>());
        LoadFromTree(*items.back(), tree, child);
        child = reinterpret_cast<HTREEITEM>(
            SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(child)));
    }
}

}  // namespace

void LoadFromTree(CInstallItem& item, HWND tree, HTREEITEM treeItem) {
    while (!item.m_children.empty())
        item.m_children.pop_back();

    TVITEMA data = {};
    data.mask = TVIF_HANDLE | TVIF_TEXT | TVIF_PARAM | TVIF_STATE;
    data.hItem = treeItem;
    data.stateMask = TVIS_STATEIMAGEMASK | TVIS_BOLD;
    item.m_strName = TreeItemText(tree, data);
    if (data.lParam)
        item.m_strSource = *reinterpret_cast<const std::string*>(data.lParam);
    // State image 1 is the clear box and 2 the ticked one; no box counts as clear.
    item.m_bRemove = ((data.state & TVIS_STATEIMAGEMASK) >> 12) > 1 ? 1 : 0;
    item.m_bShortcut = (data.state & TVIS_BOLD) ? 1 : 0;

    LoadChildren(item.m_children, tree, treeItem);
}

void LoadFromTrees(CInstallRoot& root, HWND tree, HTREEITEM folderItem, HTREEITEM systemItem) {
    LoadFromTree(root, tree, folderItem);
    while (!root.m_systemItems.empty())
        root.m_systemItems.pop_back();
    LoadChildren(root.m_systemItems, tree, systemItem);
}
