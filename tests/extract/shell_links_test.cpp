// Shell links through the shell's link object, read back the same way.
#include "framework/com_init.h"
#include "items/shell_links.h"
#include "tests/extract/test_files.h"
#include "tests/items/temp_dir.h"

#include <gtest/gtest.h>

namespace {

class ShellLinksTest : public ::testing::Test {
protected:
    CComInit m_com;
    TempDir m_dir;
};

TEST_F(ShellLinksTest, SavesTargetAndDescriptionAndReplacesAnOldLink) {
    std::string link = m_dir.Join("App.lnk");
    std::string first = m_dir.WriteFile("first.exe", "1");
    std::string second = m_dir.WriteFile("second.exe", "2");
    ASSERT_TRUE(CreateShortcut(first, link, "First"));
    ASSERT_TRUE(CreateShortcut(second, link, "Second"));
    std::string target, description;
    ASSERT_TRUE(ReadLink(link, target, description));
    EXPECT_EQ(target, second);
    EXPECT_EQ(description, "Second");
}

TEST_F(ShellLinksTest, RefusesAMissingFolderAndAnOverlongPath) {
    std::string target = m_dir.WriteFile("t.exe", "t");
    EXPECT_FALSE(CreateShortcut(target, m_dir.Join("missing\\App.lnk"), "App"));
    EXPECT_FALSE(Exists(m_dir.Join("missing")));
    std::string overlong = m_dir.Path() + "\\" + std::string(300, 'x') + ".lnk";
    EXPECT_FALSE(CreateShortcut(target, overlong, "App"));
}

TEST_F(ShellLinksTest, FindsAProgramsFolder) {
    std::string folder = GetProgramsFolder();
    EXPECT_FALSE(folder.empty());
    EXPECT_TRUE(Exists(folder)) << folder;
}

}  // namespace
