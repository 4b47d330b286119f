// The manifest's path patterns.
#include "tools/glob_pattern.h"

#include <gtest/gtest.h>

namespace {

TEST(GlobPatternTest, MatchesAsDocumented) {
    const struct {
        const char* pattern;
        const char* path;
        bool matches;
    } cases[] = {
        {"*.tmp", "a.tmp", true},
        {"*.tmp", "deep/down/a.tmp", true},  // no '/': the last component at any depth
        {"*.tmp", "a.tmp/b.txt", false},
        {"bin/*.exe", "bin/demo.exe", true},
        {"bin/*.exe", "bin/sub/demo.exe", false},
        {"bin/*.exe", "x/bin/demo.exe", false},
        {"bin/**", "bin/sub/demo.exe", true},
        {"**/demo.exe", "demo.exe", true},
        {"**/demo.exe", "a/b/demo.exe", true},
        {"docs/**/*.txt", "docs/a.txt", true},
        {"docs/**/*.txt", "docs/x/y/a.txt", true},
        {"docs/**/*.txt", "docsx/a.txt", false},
        {"?.txt", "a.txt", true},
        {"?.txt", "ab.txt", false},
        {"a?b", "a/b", false},
        {"**", "anything/at/all", true},
        {"docs", "docs", true},
        {"docs", "docs/readme.txt", false},
        {"*", "", true},
        {"a*b*c*d*e*f*g", "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MatchGlob(c.pattern, c.path), c.matches) << c.pattern << " ~ " << c.path;
}

}  // namespace
