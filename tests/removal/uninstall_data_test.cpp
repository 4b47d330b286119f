// Reading the whole uninstall data of an executable: only data that is whole is taken.
#include "items/uninstall_data.h"
#include "package/memory_stream.h"
#include "tests/items/record_bytes.h"

#include <gtest/gtest.h>

namespace {

const std::vector<uint8_t> kImage = {'M', 'Z', 0x90, 0, 3, 0, 0, 0, 4, 0, 0, 0, 0xff, 0xff, 0, 0};

std::vector<uint8_t> Records() {
    return RecordBytes()
        .Str("Product").Str("About the product")
        .Int(1).Int(0).Int(1).Int(1).Str("C:\\App").Int(1)
        .Int(0).Int(1).Int(2).Str("C:\\App\\a.txt").Int(0)
        .Int(0)
        .Int(1).Str("P\\Product").Int(3).Str("P\\Product\\Uninstall Product.lnk")
        .Int(1).Int(1).Str("Vantrel Test").Int(1).Int(0)
        .Int(0)
        .Get();
}

std::vector<uint8_t> Executable(const std::vector<uint8_t>& records, int32_t trailer) {
    std::vector<uint8_t> file = kImage;
    file.insert(file.end(), records.begin(), records.end());
    std::vector<uint8_t> end = RecordBytes().Int(trailer).Get();
    file.insert(file.end(), end.begin(), end.end());
    return file;
}

TEST(UninstallDataTest, ReadsWholeData) {
    MemoryStream executable(Executable(Records(), int32_t(kImage.size())));
    UninstallData data;
    ASSERT_TRUE(ReadUninstallData(executable, data));
    EXPECT_EQ(data.strTitle, "Product");
    EXPECT_EQ(data.strDescription, "About the product");
    EXPECT_EQ(data.root.m_strPath, "C:\\App");
    ASSERT_EQ(data.root.m_children.size(), 1u);
    EXPECT_EQ(data.root.m_strUninstallerShortcut, "P\\Product\\Uninstall Product.lnk");
    ASSERT_EQ(data.currentUser.m_children.size(), 1u);
    EXPECT_EQ(data.currentUser.m_children[0]->m_strName, "Vantrel Test");
    EXPECT_TRUE(data.localMachine.m_children.empty());
}

TEST(UninstallDataTest, RefusesWhatIsNotWholeUninstallData) {
    std::vector<uint8_t> records = Records();
    std::vector<uint8_t> bare = kImage;
    bare.insert(bare.end(), 4, 0);
    std::vector<uint8_t> oneShort(records.begin(), records.end() - 1);
    std::vector<uint8_t> oneMore = records;
    oneMore.push_back(0);
    std::vector<uint8_t> noLists(records.begin(), records.end() - 8);
    struct Case {
        const char* what;
        std::vector<uint8_t> file;
    } cases[] = {
        {"bare image, trailer 0", bare},
        {"trailer past the end", Executable(records, 100000)},
        {"trailer negative", Executable(records, -8)},
        {"trailer inside the root record", Executable(records, int32_t(kImage.size()) + 8 + 18 + 2)},
        {"trailer one byte early", Executable(records, int32_t(kImage.size()) - 1)},
        {"records one byte short", Executable(oneShort, int32_t(kImage.size()))},
        {"a byte beyond the records", Executable(oneMore, int32_t(kImage.size()))},
        {"registry lists missing", Executable(noLists, int32_t(kImage.size()))},
        {"shorter than a trailer", {0, 0, 0}},
        {"empty", {}},
    };
    for (const Case& c : cases) {
        MemoryStream executable(c.file);
        UninstallData data;
        EXPECT_FALSE(ReadUninstallData(executable, data)) << c.what;
    }
}

// Every flipped byte either still reads as whole data or is refused; it never crashes
// or hangs.
TEST(UninstallDataTest, FlippedBytesNeverCrash) {
    std::vector<uint8_t> file = Executable(Records(), int32_t(kImage.size()));
    for (size_t i = kImage.size(); i < file.size(); ++i) {
        for (uint8_t flip : {uint8_t(0x01), uint8_t(0x80), uint8_t(0xff)}) {
            std::vector<uint8_t> damaged = file;
            damaged[i] ^= flip;
            MemoryStream executable(damaged);
            UninstallData data;
            ReadUninstallData(executable, data);
        }
    }
}

}  // namespace
