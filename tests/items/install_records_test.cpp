// Project records, item records and the install tree section, byte for byte.
#include "codec/decompress.h"
#include "items/compact_path.h"
#include "items/file_info.h"
#include "items/install_root.h"
#include "package/memory_stream.h"
#include "package/package_int.h"
#include "package/package_string.h"
#include "tests/items/record_bytes.h"
#include "tests/items/recording_signals.h"
#include "tests/items/temp_dir.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

namespace {

std::unique_ptr<CInstallItem> Dir(const std::string& name, int32_t shortcut = 0, int32_t remove = 1) {
    auto item = std::make_unique<CInstallItem>();
    item->m_strName = name;
    item->m_bShortcut = shortcut;
    item->m_bRemove = remove;
    return item;
}

std::unique_ptr<CInstallItem> File(const std::string& name, const std::string& source, int32_t time,
                                   int32_t shortcut = 0, int32_t remove = 1) {
    auto item = Dir(name, shortcut, remove);
    item->m_strSource = source;
    item->m_nFixedTime = time;
    return item;
}

std::vector<uint8_t> PackageForm(CInstallItem& item, CExtractSignals* signals = nullptr, int expected = 1) {
    MemoryStream package;
    EXPECT_EQ(item.WriteToPackage(package, signals), expected);
    return StreamBytes(package);
}

TEST(InstallItemRecordTest, WritesItemRecordsByteForByte) {
    TempDir dir;
    std::string empty = dir.WriteFile("empty.txt", "");
    std::string oneByte = dir.WriteFile("a.txt", "A");
    std::string twoBytes = dir.WriteFile("ab.txt", "AB");

    struct Case {
        const char* what;
        std::function<std::unique_ptr<CInstallItem>()> make;
        RecordBytes expected;
    };
    const Case cases[] = {
        {"directory without children", [] { return Dir("Docs", 1, 0); },
         RecordBytes().Int(1).Int(1).Int(0).Str("Docs").Int(0)},
        {"empty file", [&] { return File("empty.txt", empty, 0x12345678); },
         RecordBytes().Int(2).Int(0).Int(1).Str("empty.txt").Int(0x12345678).Hex("00 00 00 00 00 00 00 00").Int(0)},
        {"one-byte file", [&] { return File("a.txt", oneByte, 7, 1, 1); },
         RecordBytes().Int(2).Int(1).Int(1).Str("a.txt").Int(7).Hex("01 00 00 00 02 00 00 00 00 41").Int(0)},
        {"directory with a file and a directory",
         [&] {
             auto bin = Dir("bin", 0, 1);
             bin->m_children.push_back(File("ab", twoBytes, -1, 0, 0));
             bin->m_children.push_back(Dir("sub"));
             return bin;
         },
         RecordBytes().Int(1).Int(0).Int(1).Str("bin").Int(2)
             .Int(2).Int(0).Int(0).Str("ab").Int(-1).Hex("02 00 00 00 03 00 00 00 00 41 42").Int(0)
             .Int(1).Int(0).Int(1).Str("sub").Int(0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto item = c.make();
        EXPECT_EQ(PackageForm(*item), c.expected.Get());
    }
}

// A root with a flagged directory, a file, a flagged system item and an uninstaller.
std::unique_ptr<CInstallRoot> SampleRoot(const TempDir& dir) {
    auto root = std::make_unique<CInstallRoot>();
    root->m_strName = "Demo";
    root->m_bShortcut = 1;
    root->m_children.push_back(Dir("Docs", 1, 0));
    root->m_children.push_back(File("readme.txt", dir.WriteFile("readme.txt", "A"), 100));
    root->m_systemItems.push_back(File("demo.dll", dir.WriteFile("demo.dll", "AB"), 200, 1, 0));
    root->SetUninstallerPath(dir.Join("uninstall.exe"));
    return root;
}

TEST(InstallRootRecordTest, WritesTheInstallTreeSection) {
    TempDir dir;
    auto root = SampleRoot(dir);
    RecordBytes expected;
    expected.Int(3)  // root, Docs and the uninstaller; system items are not counted
        .Int(1).Int(1).Int(1).Str("Demo")
        .Int(2)
        .Int(1).Int(1).Int(0).Str("Docs").Int(0)
        .Int(2).Int(0).Int(1).Str("readme.txt").Int(100).Hex("01 00 00 00 02 00 00 00 00 41").Int(0)
        .Int(1)
        .Int(2).Int(1).Int(0).Str("demo.dll").Int(200).Hex("02 00 00 00 03 00 00 00 00 41 42").Int(0);
    EXPECT_EQ(PackageForm(*root), expected.Get());
}

TEST(InstallRootRecordTest, CountsShortcuts) {
    struct Case {
        int32_t rootFlag, childFlag, grandchildFlag, systemFlag;
        bool uninstaller;
        int expected;
    };
    const Case cases[] = {
        {0, 0, 0, 0, false, 0},
        {0, 0, 0, 1, false, 0},  // a flagged system item alone does not count
        {0, 0, 0, 1, true, 1},
        {1, 0, 0, 0, false, 1},
        {1, 1, 1, 1, true, 4},
        {0, 0, 1, 0, false, 1},
    };
    for (const Case& c : cases) {
        CInstallRoot root;
        root.m_strName = "R";
        root.m_bShortcut = c.rootFlag;
        root.m_children.push_back(Dir("a", c.childFlag));
        root.m_children.back()->m_children.push_back(Dir("b", c.grandchildFlag));
        root.m_systemItems.push_back(Dir("s", c.systemFlag));
        if (c.uninstaller)
            root.SetUninstallerPath("C:\\Demo\\Uninstall Demo.exe");
        EXPECT_EQ(root.CountShortcuts(), c.expected);
    }
}

TEST(InstallRootRecordTest, CountsFilesAndTheirSizes) {
    TempDir dir;
    CInstallRoot root;
    root.m_children.push_back(Dir("d"));
    root.m_children.back()->m_children.push_back(File("three", dir.WriteFile("three", "123"), 0));
    root.m_children.push_back(File("five", dir.WriteFile("five", "12345"), 0));
    root.m_children.push_back(File("missing", dir.Join("missing"), 0));
    root.m_systemItems.push_back(File("seven", dir.WriteFile("seven", "1234567"), 0));
    uint32_t total = 10;
    EXPECT_EQ(root.CountFiles(total), 4);  // the missing file counts, without a size
    EXPECT_EQ(total, 10u + 3 + 5 + 7);
}

TEST(InstallRootRecordTest, SavesTheProjectRecordByteForByte) {
    CInstallRoot root;
    root.m_strName = "Demo";
    root.m_bShortcut = 1;
    root.m_bRemove = 0;
    root.m_children.push_back(File("a.txt", "/src/a.txt", 0, 1, 1));
    root.m_systemItems.push_back(Dir("sys", 0, 1));
    root.SetUninstallerPath("/u.exe");
    MemoryStream stream;
    root.Save(stream);
    RecordBytes expected;
    expected.Str("Demo").Str("").Int(0).Int(1).Int(1)   // remove flag before shortcut flag
        .Str("a.txt").Str("/src/a.txt").Int(1).Int(1).Int(0)
        .Int(1)
        .Str("sys").Str("").Int(1).Int(0).Int(0);
    EXPECT_EQ(StreamBytes(stream), expected.Get());
}

TEST(InstallRootRecordTest, ProjectRecordRoundTrips) {
    TempDir dir;
    auto root = SampleRoot(dir);
    root->m_children[0]->m_children.push_back(File("deep", "/x/deep", 0, 1, 0));
    MemoryStream first;
    root->Save(first);

    CInstallRoot loaded;
    first.Seek(0, ByteStream::kBegin);
    ASSERT_TRUE(loaded.Load(first));
    EXPECT_EQ(first.GetPosition(), first.GetLength());
    EXPECT_EQ(loaded.GetUninstallerPath(), "");
    ASSERT_EQ(loaded.m_children.size(), 2u);
    EXPECT_EQ(loaded.m_children[0]->m_children[0]->m_strSource, "/x/deep");
    EXPECT_EQ(loaded.m_systemItems[0]->m_strName, "demo.dll");

    MemoryStream second;
    loaded.Save(second);
    EXPECT_EQ(StreamBytes(second), StreamBytes(first));
}

TEST(InstallRootRecordTest, DamagedProjectRecordsFailWithoutRunningAway) {
    TempDir dir;
    auto root = SampleRoot(dir);
    MemoryStream whole;
    root->Save(whole);
    std::vector<uint8_t> bytes = StreamBytes(whole);

    for (size_t cut = 0; cut < bytes.size(); ++cut) {
        MemoryStream truncated(std::vector<uint8_t>(bytes.begin(), bytes.begin() + long(cut)));
        CInstallRoot loaded;
        EXPECT_FALSE(loaded.Load(truncated)) << "cut at " << cut;
    }

    MemoryStream huge(RecordBytes().Str("x").Str("").Int(1).Int(0).Int(0x7FFFFFFF).Get());
    CInstallRoot loaded;
    EXPECT_FALSE(loaded.Load(huge));
    EXPECT_EQ(loaded.m_children.size(), 1u);

    RecordBytes nested;
    for (int i = 0; i < 1000; ++i)
        nested.Str("d").Str("").Int(1).Int(0).Int(1);
    MemoryStream deep(nested.Get());
    CInstallItem item;
    EXPECT_FALSE(item.Load(deep));
}

TEST(InstallItemPackageTest, RefusesBadNamesAndMissingSourcesBeforeWriting) {
    TempDir dir;
    std::string present = dir.WriteFile("f", "data");
    struct Case {
        std::string name, source;
    };
    const Case cases[] = {
        {"", ""}, {"a\\b", ""}, {"..", ""}, {"NUL.txt", present}, {std::string(257, 'n'), present},
        {"missing", dir.Join("missing")},
    };
    for (const Case& c : cases) {
        auto item = File(c.name, c.source, 0);
        RecordingSignals signals;
        EXPECT_TRUE(PackageForm(*item, &signals, 0).empty()) << c.name;
        EXPECT_EQ(signals.m_nStopped, 0);
    }
}

TEST(InstallItemPackageTest, ACancelStopsAfterTheItemAndSetsStopped) {
    TempDir dir;
    auto parent = Dir("top");
    parent->m_children.push_back(Dir("never"));
    RecordingSignals signals(1);
    std::vector<uint8_t> bytes = PackageForm(*parent, &signals, 0);
    EXPECT_EQ(bytes, RecordBytes().Int(1).Int(0).Int(1).Str("top").Get());
    EXPECT_EQ(signals.m_nStopped, 1);
    EXPECT_EQ(signals.m_items.size(), 1u);
}

TEST(InstallItemPackageTest, ACancelDuringCompressionFails) {
    TempDir dir;
    std::string big(200000, '\0');
    std::mt19937 random(7);
    for (char& c : big)
        c = char(random());
    auto item = File("big.bin", dir.WriteFile("big.bin", big), 0);
    RecordingSignals signals(1);
    PackageForm(*item, &signals, 0);
    EXPECT_GE(signals.m_nStopped, 1);
}

TEST(InstallItemPackageTest, FileDataExpandsBackWithItsTimeAndShownTexts) {
    TempDir dir;
    std::string contents;
    std::mt19937 random(11);
    for (int i = 0; i < 50000; ++i)
        contents += "abcdefgh"[random() % 8];
    std::string source = dir.WriteFile("data.txt", contents);
    ASSERT_TRUE(SetFileWriteTime(source, 1000000000));
    CInstallItem item;
    item.m_strName = "data.txt";
    item.m_strSource = source;

    RecordingSignals signals;
    MemoryStream package;
    ASSERT_EQ(item.WriteToPackage(package, &signals), 1);
    ASSERT_EQ(signals.m_items.size(), 1u);
    EXPECT_EQ(signals.m_items[0].first, CompactPath(source, 50));
    EXPECT_EQ(signals.m_items[0].second, "data.txt");
    EXPECT_FALSE(signals.m_progress.empty());

    package.Seek(0, ByteStream::kBegin);
    EXPECT_EQ(ReadInt32Or(package, 0), 2);
    package.Seek(8, ByteStream::kCurrent);
    EXPECT_EQ(ReadPackageString(package), "data.txt");
    EXPECT_EQ(ReadInt32Or(package, 0), 1000000000);
    MemoryStream expanded;
    ASSERT_EQ(DecompressBlock(package, expanded, nullptr, nullptr), int32_t(contents.size()));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(expanded.GetData()), expanded.GetLength()), contents);
    EXPECT_EQ(ReadInt32Or(package, -1), 0);
    EXPECT_EQ(package.GetPosition(), package.GetLength());
}

}  // namespace
