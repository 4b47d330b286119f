// File status by name and setting a file's last-write time.
#include "items/file_info.h"
#include "tests/items/temp_dir.h"

#include <gtest/gtest.h>

namespace {

TEST(FileInfoTest, ReadsSizeAndTimeAndSetsTheTime) {
    TempDir dir;
    std::string path = dir.WriteFile("f.bin", std::string(1234, 'x'));
    for (int64_t time : {int64_t(0), int64_t(86400), int64_t(1000000000), int64_t(2147483647)}) {
        ASSERT_TRUE(SetFileWriteTime(path, time));
        FileInfo info;
        ASSERT_TRUE(GetFileInfo(path, info));
        EXPECT_EQ(info.nSize, 1234u);
        EXPECT_EQ(info.nWriteTime, time);
        EXPECT_FALSE(info.bDirectory);
    }
    FileInfo directory;
    ASSERT_TRUE(GetFileInfo(dir.Path(), directory));
    EXPECT_TRUE(directory.bDirectory);
    FileInfo missing;
    EXPECT_FALSE(GetFileInfo(dir.Join("missing"), missing));
    EXPECT_FALSE(SetFileWriteTime(dir.Join("missing"), 5));
}

}  // namespace
