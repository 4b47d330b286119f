// The removal walk on a real folder: bottom-up order, both logs, what stays.
#include "uninstaller/uninstall_remove.h"

#include "tests/items/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

std::unique_ptr<CUninstallItem> Item(int32_t type, const std::string& path, int32_t remove,
                                     const std::string& shortcut = std::string()) {
    auto item = std::make_unique<CUninstallItem>();
    item->m_nType = type;
    item->m_strPath = path;
    item->m_bRemove = remove;
    item->m_bShortcut = shortcut.empty() ? 0 : 1;
    item->m_strShortcut = shortcut;
    return item;
}

class RemovalWalkTest : public ::testing::Test {
protected:
    // dest/ holds Doc/ (with a.txt, linked) and kept.txt (both flags 0), and the
    // uninstaller's own file, which was never recorded; sys/ holds x.dll; the
    // program folder holds the links.
    void SetUp() override {
        m_dest = m_dir.Join("dest");
        m_doc = m_dir.Join("dest/Doc");
        m_file = m_dir.WriteFile("dest/Doc/a.txt", "a");
        m_kept = m_dir.WriteFile("dest/kept.txt", "k");
        m_uninstaller = m_dir.WriteFile("dest/Uninstall Product.exe", "u");
        m_system = m_dir.WriteFile("sys/x.dll", "x");
        m_folder = m_dir.Join("Programs");
        m_fileLink = m_dir.WriteFile("Programs/a.lnk", "l");
        m_uninstallerLink = m_dir.WriteFile("Programs/Uninstall Product.lnk", "l");

        m_root.m_nShortcuts = 2;
        m_root.m_nType = kRemovalTypeDirectory;
        m_root.m_strPath = m_dest;
        m_root.m_bRemove = 1;
        auto doc = Item(kRemovalTypeDirectory, m_doc, 1);
        doc->m_children.push_back(Item(kRemovalTypeFile, m_file, 1, m_fileLink));
        m_root.m_children.push_back(std::move(doc));
        m_root.m_children.push_back(Item(kRemovalTypeFile, m_kept, 0));
        m_root.m_systemItems.push_back(Item(kRemovalTypeFile, m_system, 1));
        m_root.m_strProgramFolder = m_folder;
        m_root.m_strUninstallerShortcut = m_uninstallerLink;
    }

    TempDir m_dir;
    std::string m_dest, m_doc, m_file, m_kept, m_uninstaller, m_system, m_folder, m_fileLink, m_uninstallerLink;
    CUninstallRoot m_root;
};

TEST_F(RemovalWalkTest, RemovesBottomUpInTheOverallOrder) {
    RemovalLog files, shortcuts;
    EXPECT_EQ(RemoveRoot(m_root, files, shortcuts), 1);

    RemovalLog expectedFiles = {
        FormatRemovalLine(kLogRemoveFile, m_file, true),
        FormatRemovalLine(kLogRemoveDirectory, m_doc, true),
        // The uninstaller's own file keeps the installation folder.
        FormatRemovalLine(kLogRemoveDirectory, m_dest, false),
        FormatRemovalLine(kLogRemoveFile, m_system, true),
    };
    RemovalLog expectedShortcuts = {
        FormatRemovalLine(kLogRemoveShortcut, m_fileLink, true),
        FormatRemovalLine(kLogRemoveUninstallerShortcut, m_uninstallerLink, true),
        FormatRemovalLine(kLogRemoveProgramFolder, m_folder, true),
    };
    EXPECT_EQ(files, expectedFiles);
    EXPECT_EQ(shortcuts, expectedShortcuts);

    EXPECT_TRUE(std::filesystem::exists(m_kept));
    EXPECT_TRUE(std::filesystem::exists(m_uninstaller));
    for (const std::string& gone : {m_file, m_doc, m_system, m_fileLink, m_uninstallerLink, m_folder})
        EXPECT_FALSE(std::filesystem::exists(gone)) << gone;
}

TEST_F(RemovalWalkTest, ADirectoryNotFlaggedStaysWhileItsFlaggedFileGoes) {
    m_root.m_children[0]->m_bRemove = 0;
    RemovalLog files, shortcuts;
    RemoveRoot(m_root, files, shortcuts);
    EXPECT_EQ(files.front(), FormatRemovalLine(kLogRemoveFile, m_file, true));
    EXPECT_EQ(files.size(), 3u);
    EXPECT_TRUE(std::filesystem::exists(m_doc));
}

TEST_F(RemovalWalkTest, SecondRunFailsEveryLine) {
    RemovalLog files, shortcuts;
    RemoveRoot(m_root, files, shortcuts);
    RemovalLog again, againShortcuts;
    RemoveRoot(m_root, again, againShortcuts);
    ASSERT_EQ(again.size(), files.size());
    ASSERT_EQ(againShortcuts.size(), shortcuts.size());
    for (const std::string& line : again)
        EXPECT_EQ(line.substr(line.size() - 8), "failed\r\n") << line;
    for (const std::string& line : againShortcuts)
        EXPECT_EQ(line.substr(line.size() - 8), "failed\r\n") << line;
}

TEST_F(RemovalWalkTest, NoShortcutFlagsLeaveTwoShortcutLines) {
    m_root.m_children[0]->m_children[0]->m_bShortcut = 0;
    RemovalLog files, shortcuts;
    RemoveRoot(m_root, files, shortcuts);
    ASSERT_EQ(shortcuts.size(), 2u);
    EXPECT_EQ(shortcuts[0].rfind(kLogRemoveUninstallerShortcut, 0), 0u);
    EXPECT_EQ(shortcuts[1].rfind(kLogRemoveProgramFolder, 0), 0u);
}

}  // namespace
