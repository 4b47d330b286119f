// Path compaction for the progress texts: the fallback rule, and the system function
// where it loads.
#include "items/compact_path.h"

#include <gtest/gtest.h>

namespace {

const std::string kLong = "C:\\Program Files\\Example Company\\Example Product\\Data\\readme.txt";

TEST(CompactPathTest, FallbackFollowsItsRule) {
    const struct {
        std::string path;
        int maxChars;
        std::string expected;
    } cases[] = {
        {kLong, 30, "C:\\...\\Data\\readme.txt"},
        {kLong, 60, "C:\\...\\Example Company\\Example Product\\Data\\readme.txt"},
        {"C:\\Games\\averyveryverylongfilenamewithoutanybackslash.txt", 20, "C:\\...nybackslash.txt"},
        {kLong, 64, kLong},
        {"no backslash at all, however long it is", 10, "no backslash at all, however long it is"},
        {"C:\\abcdefgh", 5, "C:\\..."},
        {"C:\\abcdefgh", 0, "C:\\..."},
        {"", 0, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CompactPathFallback(c.path, c.maxChars), c.expected) << c.path << " / " << c.maxChars;
}

TEST(CompactPathTest, ShortPathsStayWholeAndLongOnesGetShorter) {
    EXPECT_EQ(CompactPath("C:\\Demo\\a.txt", 50), "C:\\Demo\\a.txt");
    EXPECT_EQ(CompactPath(kLong, 64), kLong);
    std::string shortened = CompactPath(kLong, 30);
    EXPECT_LT(shortened.size(), kLong.size());
    EXPECT_NE(shortened.find("readme.txt"), std::string::npos);
}

}  // namespace
