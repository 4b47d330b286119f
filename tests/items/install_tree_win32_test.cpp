// Filling the install tree from a real tree-view control in a test window.
#include "items/install_tree_win32.h"

#include <gtest/gtest.h>

namespace {

class InstallTreeTest : public testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX init = {sizeof init, ICC_TREEVIEW_CLASSES};
        ASSERT_TRUE(InitCommonControlsEx(&init));
        m_hTree = CreateWindowExA(0, WC_TREEVIEWA, "", WS_OVERLAPPEDWINDOW | TVS_CHECKBOXES | TVS_HASLINES, 0, 0,
                                  300, 400, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(m_hTree, nullptr);
    }
    void TearDown() override { DestroyWindow(m_hTree); }

    // checked: state image 2 (ticked) or 1 (clear).
    HTREEITEM Add(HTREEITEM parent, const char* text, bool checked, bool bold, const std::string* source = nullptr) {
        TVINSERTSTRUCTA insert = {};
        insert.hParent = parent;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_PARAM;
        insert.item.pszText = const_cast<char*>(text);
        insert.item.lParam = reinterpret_cast<LPARAM>(source);
        HTREEITEM item = reinterpret_cast<HTREEITEM>(
            SendMessageA(m_hTree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
        TVITEMA state = {};
        state.mask = TVIF_HANDLE | TVIF_STATE;
        state.hItem = item;
        state.stateMask = TVIS_STATEIMAGEMASK | TVIS_BOLD;
        state.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1) | (bold ? TVIS_BOLD : 0);
        SendMessageA(m_hTree, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&state));
        return item;
    }

    HWND m_hTree = nullptr;
};

TEST_F(InstallTreeTest, LoadsNamesFlagsSourcesAndOrder) {
    std::string appSource = "C:\\src\\app.exe";
    std::string longSource = "C:\\src\\long";
    std::string longName(300, 'L');
    HTREEITEM folder = Add(TVI_ROOT, "Demo", true, true);
    HTREEITEM bin = Add(folder, "bin", false, false);
    Add(bin, "app.exe", true, true, &appSource);
    Add(folder, "readme.txt", true, false);
    Add(folder, longName.c_str(), false, true, &longSource);
    HTREEITEM system = Add(TVI_ROOT, "System", false, false);
    Add(system, "a.dll", true, false, &appSource);
    HTREEITEM second = Add(system, "b.dll", false, true);

    CInstallRoot root;
    root.m_children.push_back(std::make_unique<CInstallItem>());
    root.m_strSource = "kept";
    LoadFromTrees(root, m_hTree, folder, system);

    EXPECT_EQ(root.m_strName, "Demo");
    EXPECT_EQ(root.m_strSource, "kept");  // no data on the tree item: the source stays
    EXPECT_EQ(root.m_bRemove, 1);
    EXPECT_EQ(root.m_bShortcut, 1);
    ASSERT_EQ(root.m_children.size(), 3u);
    const CInstallItem& binItem = *root.m_children[0];
    EXPECT_EQ(binItem.m_strName, "bin");
    EXPECT_EQ(binItem.m_bRemove, 0);
    EXPECT_EQ(binItem.m_bShortcut, 0);
    ASSERT_EQ(binItem.m_children.size(), 1u);
    EXPECT_EQ(binItem.m_children[0]->m_strName, "app.exe");
    EXPECT_EQ(binItem.m_children[0]->m_strSource, appSource);
    EXPECT_EQ(binItem.m_children[0]->m_bRemove, 1);
    EXPECT_EQ(binItem.m_children[0]->m_bShortcut, 1);
    EXPECT_EQ(root.m_children[1]->m_strName, "readme.txt");
    EXPECT_EQ(root.m_children[1]->m_strSource, "");
    EXPECT_EQ(root.m_children[2]->m_strName, longName);
    ASSERT_EQ(root.m_systemItems.size(), 2u);
    EXPECT_EQ(root.m_systemItems[0]->m_strName, "a.dll");
    EXPECT_EQ(root.m_systemItems[1]->m_strName, "b.dll");
    EXPECT_EQ(root.m_systemItems[1]->m_bShortcut, 1);

    // Loading again leaves exactly the second tree's system items.
    SendMessageA(m_hTree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(second));
    LoadFromTrees(root, m_hTree, folder, system);
    EXPECT_EQ(root.m_children.size(), 3u);
    ASSERT_EQ(root.m_systemItems.size(), 1u);
    EXPECT_EQ(root.m_systemItems[0]->m_strName, "a.dll");
}

}  // namespace
