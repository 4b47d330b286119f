// The system's path compaction, loaded from the system directory.
#include "items/compact_path.h"

#include <gtest/gtest.h>

namespace {

TEST(CompactPathWin32Test, UsesTheSystemFunctionWithinTheLimit) {
    const std::string path = "C:\\Program Files\\Example Company\\Example Product\\Data\\readme.txt";
    for (int maxChars : {20, 30, 50, 60}) {
        std::string shortened = CompactPath(path, maxChars);
        EXPECT_LE(shortened.size(), size_t(maxChars)) << shortened;
        EXPECT_NE(shortened.find("..."), std::string::npos) << shortened;
    }
    // The fallback would leave this one longer than 20 characters.
    EXPECT_LE(CompactPath("C:\\Games\\averyveryverylongfilenamewithoutanybackslash.txt", 20).size(), 20u);
}

}  // namespace
