// Installing whole install tree sections into temporary places: files, times, links,
// the program folder and the root removal record, byte for byte.
#include "framework/com_init.h"
#include "installer/messages.h"
#include "items/compact_path.h"
#include "items/install_places.h"
#include "items/uninstall_record.h"
#include "package/memory_stream.h"
#include "package/package_int.h"
#include "tests/extract/script_window.h"
#include "tests/extract/test_files.h"
#include "tests/extract/test_package.h"
#include "tests/items/record_bytes.h"
#include "tests/items/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

namespace {

constexpr int32_t kTime = 1400000000;

class InstallTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dest = m_dir.Join("Product Dest");
        m_places.strProgramsFolder = m_dir.Join("Programs");
        m_places.strSystemDirectory = m_dir.Join("System32");
        CreateDirectoryA(m_places.strProgramsFolder.c_str(), nullptr);
        CreateDirectoryA(m_places.strSystemDirectory.c_str(), nullptr);
        m_root.SetUninstallerPath(m_dest + "\\Uninstall Product.exe");
    }

    int Install(CScriptWindow& window, const TestSection& section) {
        MemoryStream package;
        WriteTestSection(package, section);
        package.Seek(0, ByteStream::kBegin);
        return Install(window, package);
    }

    int Install(CScriptWindow& window, ByteStream& package) {
        return window.Run([&](CExtractSignals& signals) {
            return InstallRootAt(m_root, package, m_dest, &m_data, &signals, m_places);
        });
    }

    // The data holds exactly one whole root removal record.
    void ExpectReadable() {
        MemoryStream back(StreamBytes(m_data));
        CUninstallRoot root;
        EXPECT_EQ(root.Read(back), 1);
        EXPECT_EQ(back.GetPosition(), back.GetLength());
    }

    std::string Program(const std::string& name) const { return m_places.strProgramsFolder + "\\Product\\" + name; }

    CComInit m_com;
    TempDir m_dir;
    std::string m_dest;
    InstallPlaces m_places;
    CInstallRoot m_root;
    MemoryStream m_data;
};

TEST_F(InstallTest, InstallsTheWholeSection) {
    std::string a = BulkyText(30000, 11);
    TestSection section;
    section.nShortcuts = 3;
    section.bShortcut = 1;
    section.children = {TestDir("Doc", {TestFile("a.txt", a, kTime, 1)}), TestFile("b.bin", "bee", kTime + 1)};
    section.system = {TestFile("vt.dll", "sys", kTime + 2)};
    CScriptWindow window;
    ASSERT_EQ(Install(window, section), 1);

    std::string sys = m_places.strSystemDirectory;
    EXPECT_EQ(FileText(m_dest + "\\Doc\\a.txt"), a);
    EXPECT_EQ(FileText(m_dest + "\\b.bin"), "bee");
    EXPECT_EQ(FileText(sys + "\\vt.dll"), "sys");
    EXPECT_EQ(WriteTime(m_dest + "\\Doc\\a.txt"), kTime);
    EXPECT_EQ(WriteTime(m_dest + "\\b.bin"), kTime + 1);
    EXPECT_EQ(WriteTime(sys + "\\vt.dll"), kTime + 2);

    struct Link {
        std::string path, target, description;
    } links[] = {
        {Program("Product.lnk"), m_dest, "Product"},
        {Program("a.lnk"), m_dest + "\\Doc\\a.txt", "a"},
        {Program("Uninstall Product.lnk"), m_dest + "\\Uninstall Product.exe", "Uninstall Product"},
    };
    for (const Link& link : links) {
        std::string target, description;
        ASSERT_TRUE(ReadLink(link.path, target, description)) << link.path;
        EXPECT_EQ(target, link.target);
        EXPECT_EQ(description, link.description);
    }

    EXPECT_EQ(StreamBytes(m_data),
              RecordBytes()
                  .Int(3).Int(1).Int(1).Int(1).Str(m_dest).Int(3).Str(Program("Product.lnk"))
                  .Int(2)
                  .Int(0).Int(1).Int(1).Str(m_dest + "\\Doc").Int(1)
                  .Int(1).Int(1).Int(2).Str(m_dest + "\\Doc\\a.txt").Int(3).Str(Program("a.lnk")).Int(0)
                  .Int(0).Int(1).Int(2).Str(m_dest + "\\b.bin").Int(0)
                  .Int(1)
                  .Int(0).Int(1).Int(2).Str(sys + "\\vt.dll").Int(0)
                  .Int(1).Str(m_places.strProgramsFolder + "\\Product")
                  .Int(3).Str(Program("Uninstall Product.lnk"))
                  .Get());

    std::vector<std::string> items;
    for (const auto& message : window.m_messages)
        items.push_back(message.strText);
    auto shown = [](const std::string& path, const std::string& name) {
        return CompactPath(path, 50) + "|" + CompactPath(name, 50);
    };
    EXPECT_EQ(items, (std::vector<std::string>{shown(m_dest, "Product"), shown(m_dest + "\\Doc", "Doc"),
                                               shown(m_dest + "\\Doc\\a.txt", "a.txt"),
                                               shown(m_dest + "\\b.bin", "b.bin"), shown(sys + "\\vt.dll", "vt.dll")}));
    EXPECT_FALSE(window.m_progress.empty());
    ASSERT_EQ(m_root.m_children.size(), 2u);
    EXPECT_EQ(m_root.m_children[0]->m_children[0]->m_strName, "a.txt");
    ASSERT_EQ(m_root.m_systemItems.size(), 1u);
    EXPECT_EQ(m_root.m_strName, "Product");
}

// Where the package or the machine leaves no room for a link, none is made anywhere
// else, and the data still reads back whole.
TEST_F(InstallTest, ShortcutEdgesKeepTheDataReadable) {
    struct Case {
        const char* what;
        bool programsFolderKnown;
        int32_t shortcuts;
        int32_t rootShortcut;
        int32_t systemShortcut;
        std::vector<uint8_t> head;  // the root's first three fields as stored
        std::vector<uint8_t> tail;  // after the system items
    };
    std::string folder = m_dir.Join("Programs") + "\\Product";
    Case cases[] = {
        {"no Programs folder", false, 2, 1, 0, RecordBytes().Int(2).Int(0).Int(1).Get(),
         RecordBytes().Int(1).Str("").Int(0).Get()},
        {"count 0 with an uninstaller", true, 0, 0, 0, RecordBytes().Int(0).Int(0).Int(1).Get(), {}},
        {"flagged system item, count 0", true, 0, 0, 1, RecordBytes().Int(0).Int(0).Int(1).Get(), {}},
        {"only the uninstaller's link", true, 1, 0, 0, RecordBytes().Int(1).Int(0).Int(1).Get(),
         RecordBytes().Int(1).Str(folder).Int(3).Str(folder + "\\Uninstall Product.lnk").Get()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        m_data.SetLength(0);
        m_data.Seek(0, ByteStream::kBegin);
        m_places.strProgramsFolder = c.programsFolderKnown ? m_dir.Join("Programs") : std::string();
        DeleteFileA((m_places.strSystemDirectory + "\\s.dll").c_str());
        TestSection section;
        section.nShortcuts = c.shortcuts;
        section.bShortcut = c.rootShortcut;
        section.system = {TestFile("s.dll", "s", 0, c.systemShortcut)};
        CScriptWindow window;
        ASSERT_EQ(Install(window, section), 1);
        std::vector<uint8_t> expected = c.head;
        std::vector<uint8_t> body = RecordBytes()
                                        .Int(1).Str(m_dest).Int(0).Int(1)
                                        .Int(0).Int(1).Int(2).Str(m_places.strSystemDirectory + "\\s.dll").Int(0)
                                        .Get();
        expected.insert(expected.end(), body.begin(), body.end());
        expected.insert(expected.end(), c.tail.begin(), c.tail.end());
        EXPECT_EQ(StreamBytes(m_data), expected);
        ExpectReadable();
        EXPECT_FALSE(Exists("\\Product"));
        EXPECT_FALSE(Exists("\\s.lnk"));
        EXPECT_EQ(Exists(folder), c.programsFolderKnown && c.shortcuts > 0);
        RemoveDirectoryA(folder.c_str());
        DeleteFileA((folder + "\\Uninstall Product.lnk").c_str());
        RemoveDirectoryA(folder.c_str());
    }
}

TEST_F(InstallTest, OverlongRootLinkIsNotMade) {
    TestSection section;
    section.nShortcuts = 2;
    section.bShortcut = 1;
    // The program folder still fits a record; its link to itself would not.
    section.strName = std::string(252 - m_places.strProgramsFolder.size() - 1 - 4, 'N');
    std::string folder = m_places.strProgramsFolder + "\\" + section.strName;
    ASSERT_LE(folder.size(), 256u);
    CScriptWindow window;
    ASSERT_EQ(Install(window, section), 1);
    ExpectReadable();
    MemoryStream back(StreamBytes(m_data));
    CUninstallRoot root;
    ASSERT_EQ(root.Read(back), 1);
    EXPECT_EQ(root.m_bShortcut, 0);
    EXPECT_EQ(root.m_strProgramFolder, folder);
    DeleteFileA(root.m_strUninstallerShortcut.c_str());
    RemoveDirectoryA(folder.c_str());
}

// Whatever stops the installation part-way, the data ends with one whole root
// removal record that names exactly what is on disk.
TEST_F(InstallTest, PartWayFailuresLeaveAWholeRootRecord) {
    struct Case {
        const char* what;
        int cancelAtItem;
        bool occupy;
        bool damage;
        bool systemDirectoryKnown;
        std::vector<bool> answers;
        std::vector<std::string> made;
        std::vector<std::string> notMade;
    } cases[] = {
        // The directory in the way is newer than the file: Yes lets the write fail.
        {"file path taken by a directory", 0, true, false, true, {true}, {"Doc", "Doc\\a.txt"},
         {"Doc\\c.txt", "z.txt"}},
        {"damaged block", 0, false, true, true, {}, {"Doc", "Doc\\a.txt", "Doc\\b.txt"}, {"Doc\\c.txt", "z.txt"}},
        {"cancel at a directory", 2, false, false, true, {}, {"Doc"}, {"Doc\\a.txt", "z.txt"}},
        {"no system directory", 0, false, false, false, {},
         {"Doc", "Doc\\a.txt", "Doc\\b.txt", "Doc\\c.txt", "z.txt"}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        m_dest = dir.Join("dest");
        m_places.strSystemDirectory = c.systemDirectoryKnown ? m_dir.Join("System32") : std::string();
        m_data.SetLength(0);
        m_data.Seek(0, ByteStream::kBegin);
        if (c.occupy)
            std::filesystem::create_directories(m_dest + "\\Doc\\b.txt");

        MemoryStream package;
        TestSection section;
        section.nShortcuts = 2;
        section.bShortcut = 1;
        section.children = {TestDir("Doc", {TestFile("a.txt", "a"), TestFile("b.txt", "b"), TestFile("c.txt", "c")}),
                            TestFile("z.txt", "z")};
        section.system = {TestFile("s.dll", "s")};
        WriteTestSection(package, section);
        std::vector<uint8_t> bytes = StreamBytes(package);
        if (c.damage) {
            // b.txt's block header: compressed size far beyond the data.
            std::string name = "b.txt";
            auto at = std::search(bytes.begin(), bytes.end(), name.begin(), name.end()) + 6 + 4 + 4;
            at[3] = 0x7f;
        }
        MemoryStream damaged(bytes);
        CScriptWindow window(c.answers);
        window.m_nCancelAtItem = c.cancelAtItem;
        EXPECT_EQ(Install(window, damaged), 0);
        ExpectReadable();

        MemoryStream back(StreamBytes(m_data));
        CUninstallRoot root;
        ASSERT_EQ(root.Read(back), 1);
        std::vector<std::string> recorded;
        std::function<void(const CUninstallItem&)> collect = [&](const CUninstallItem& item) {
            recorded.push_back(item.m_strPath.substr(m_dest.size() + 1));
            for (const auto& child : item.m_children)
                collect(*child);
        };
        for (const auto& child : root.m_children)
            collect(*child);
        EXPECT_EQ(recorded, c.made);
        for (const std::string& made : c.made)
            EXPECT_TRUE(Exists(m_dest + "\\" + made)) << made;
        for (const std::string& missing : c.notMade)
            EXPECT_FALSE(Exists(m_dest + "\\" + missing)) << missing;
        EXPECT_TRUE(root.m_systemItems.empty());
        EXPECT_EQ(root.m_strProgramFolder, m_places.strProgramsFolder + "\\Product");
        EXPECT_TRUE(root.m_strUninstallerShortcut.empty());
        RemoveDirectoryA(root.m_strProgramFolder.c_str());
        DeleteFileA((root.m_strProgramFolder + "\\Product.lnk").c_str());
        RemoveDirectoryA(root.m_strProgramFolder.c_str());
    }
}

TEST_F(InstallTest, DamagedHeadMakesNothingAndRecordsAnEmptyRoot) {
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {"truncated head", RecordBytes().Int(2).Int(1).Get()},
        {"empty root name", RecordBytes().Int(2).Int(1).Int(1).Int(1).Str("").Int(0).Int(0).Get()},
        {"root name with a separator", RecordBytes().Int(2).Int(1).Int(1).Int(1).Str("..\\x").Int(0).Int(0).Get()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        m_data.SetLength(0);
        m_data.Seek(0, ByteStream::kBegin);
        MemoryStream package(c.bytes);
        CScriptWindow window;
        EXPECT_EQ(Install(window, package), 0);
        EXPECT_EQ(StreamBytes(m_data), RecordBytes().Int(0).Int(0).Int(0).Int(1).Str(m_dest).Int(0).Int(0).Get());
        EXPECT_FALSE(Exists(m_dest));
        EXPECT_TRUE(std::filesystem::is_empty(m_places.strProgramsFolder));
    }
}

}  // namespace
