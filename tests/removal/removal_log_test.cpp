// Log lines: prefix, compacted path, closing quote, dots to column 80, status.
#include "uninstaller/removal_log.h"

#include "items/compact_path.h"

#include <gtest/gtest.h>

namespace {

TEST(RemovalLogTest, LinesLineUpAtColumn80) {
    struct Case {
        const char* prefix;
        std::string path;
        bool removed;
        std::string expected;
    } cases[] = {
        {kLogRemoveFile, "C:\\App\\a.txt", true,
         "Remove File \"C:\\App\\a.txt\"" + std::string(54, '.') + "ok\r\n"},
        {kLogRemoveDirectory, "C:\\App", false,
         "Remove Directory \"C:\\App\"" + std::string(55, '.') + "failed\r\n"},
        {kLogRemoveShortcut, "", true, "Remove Shortcut \"\"" + std::string(62, '.') + "ok\r\n"},
        // The longest prefix and a path of 45 characters: 75 before the dots.
        {kLogRemoveUninstallerShortcut, "C:\\Users\\Someone\\Start Menu\\Uninstall Abc.lnk", true,
         "Remove Uninstaller Shortcut \"C:\\Users\\Someone\\Start Menu\\Uninstall Abc.lnk\".....ok\r\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatRemovalLine(c.prefix, c.path, c.removed), c.expected) << c.path;
}

// The log shows the compacted path; a line already at column 76 or beyond (the
// fallback leaves a path without a backslash whole) still gets 4 dots.
TEST(RemovalLogTest, LongPathsAreCompactedAndGetAtLeastFourDots) {
    for (std::string path : {"C:\\Program Files\\Example Company\\Example Product\\Data\\readme.txt",
                             "averyveryverylongfilenamewithoutanybackslashatall.dat"}) {
        std::string line = FormatRemovalLine(kLogRemoveUninstallerShortcut, path, false);
        std::string head = "Remove Uninstaller Shortcut \"" + CompactPath(path, 45) + "\"";
        ASSERT_EQ(line.substr(0, head.size()), head) << path;
        size_t dots = line.size() - head.size() - 8;
        EXPECT_EQ(line.substr(head.size()), std::string(dots, '.') + "failed\r\n");
        EXPECT_EQ(head.size() + dots, std::max<size_t>(80, head.size() + 4)) << path;
    }
    EXPECT_NE(CompactPath("C:\\Program Files\\Example Company\\Example Product\\Data\\readme.txt", 45).size(), 63u);
}

}  // namespace
