// Install, then remove through the uninstaller's own data: the logs in order, what
// stays on disk and in the registry, and executables that carry no uninstall data.
#include "framework/com_init.h"
#include "framework/unique_handle.h"
#include "items/install_places.h"
#include "items/registration_key.h"
#include "items/registry_entry.h"
#include "items/registry_keys_win32.h"
#include "package/file_stream.h"
#include "package/memory_stream.h"
#include "package/package_int.h"
#include "tests/extract/test_files.h"
#include "tests/extract/test_package.h"
#include "tests/items/record_bytes.h"
#include "tests/items/registry_probe.h"
#include "tests/items/temp_dir.h"
#include "tests/removal/driver_steps.h"
#include "uninstaller/remove_all.h"

#include <gtest/gtest.h>

#include <random>

namespace {

const std::vector<uint8_t> kImage = {'M', 'Z', 0x90, 0, 3, 0, 0, 0, 4, 0, 0, 0, 0xff, 0xff, 0, 0, 0xb8, 0, 0, 0};

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    FileStream file;
    ASSERT_TRUE(file.Open(path, FileStream::kCreateDenyWrite));
    file.Write(bytes.data(), uint32_t(bytes.size()));
}

class RemoveAllTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device random;
        m_strTag = "VantrelRemovalTest" + std::to_string(random());
        m_strTitle = "Vantrel Removal " + std::to_string(random());
        m_dest = m_dir.Join("dest");
        m_places.strProgramsFolder = m_dir.Join("Programs");
        m_places.strSystemDirectory = m_dir.Join("System32");
        CreateDirectoryA(m_places.strProgramsFolder.c_str(), nullptr);
        CreateDirectoryA(m_places.strSystemDirectory.c_str(), nullptr);
        m_uninstaller = m_dest + "\\Uninstall " + m_strTitle + ".exe";
        GetRegistrationKeyPath(m_strTitle, m_registration);
        CleanRegistry();
    }
    void TearDown() override {
        SetFileAttributesA((m_dest + "\\kept.ini").c_str(), FILE_ATTRIBUTE_NORMAL);
        CleanRegistry();
    }

    void CleanRegistry() {
        RegDeleteTreeA(HKEY_CURRENT_USER, ("Software\\" + m_strTag).c_str());
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, ("Software\\" + m_strTag).c_str());
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, m_registration.c_str());
    }

    // The two registry lists: below HKCU a kept key with a flagged and a kept value and
    // a flagged subkey; below HKLM a flagged key.
    std::vector<uint8_t> RegistryLists() const {
        return RecordBytes()
            .Int(1)
            .Int(1).Str(m_strTag).Int(0).Int(3)
                .Int(2).Str("Flagged").Int(1).Int(0).Int(0).Int(0).Str("x").Int(0)
                .Int(2).Str("Kept").Int(0).Int(1).Int(7).Int(0).Str("").Int(0)
                .Int(1).Str("Sub").Int(1).Int(0)
            .Int(1)
            .Int(1).Str(m_strTag).Int(1).Int(1)
                .Int(2).Str("Value").Int(1).Int(0).Int(0).Int(0).Str("y").Int(0)
            .Get();
    }

    // Installs the example and writes its uninstaller, as the install driver does.
    void InstallExample(const std::string& title) {
        TestSection section;
        section.nShortcuts = 3;
        section.bShortcut = 1;
        section.strName = "Product";
        section.children = {TestDir("Doc", {TestFile("a.txt", "a", 1400000000, 1)}), TestFile("b.txt", "b"),
                            TestFile("kept.ini", "new")};
        section.system = {TestFile(m_strTag + ".dll", "s")};
        MemoryStream package;
        WriteTestSection(package, section);
        package.Seek(0, ByteStream::kBegin);

        // A read-only file in the way is kept, and so not recorded for removal.
        CreateDirectoryA(m_dest.c_str(), nullptr);
        std::string kept = m_dir.WriteFile("dest\\kept.ini", "old");
        SetFileAttributesA(kept.c_str(), FILE_ATTRIBUTE_READONLY);

        MemoryStream data;
        BeginUninstallData(data, kImage, title, "Description");
        CInstallRoot root;
        root.SetUninstallerPath(m_uninstaller);
        {
            CComInit com;
            ASSERT_EQ(InstallRootAt(root, package, m_dest, &data, nullptr, m_places), 1);
        }
        MemoryStream lists(RegistryLists());
        CRegistryList currentUser, localMachine;
        ASSERT_TRUE(currentUser.Read(lists));
        ASSERT_TRUE(localMachine.Read(lists));
        ASSERT_EQ(CreateRegistryList(currentUser, HKEY_CURRENT_USER), 1);
        ASSERT_EQ(CreateRegistryList(localMachine, HKEY_LOCAL_MACHINE), 1);
        ASSERT_TRUE(FinishUninstaller(data, currentUser, localMachine, uint32_t(kImage.size()), m_uninstaller));
        // An empty title has no registration key of its own.
        ASSERT_EQ(WriteRegistration(title, m_uninstaller), !title.empty());
    }

    std::string Program(const std::string& name) const {
        return m_places.strProgramsFolder + "\\Product" + (name.empty() ? "" : "\\" + name);
    }

    TempDir m_dir;
    std::string m_strTag, m_strTitle, m_dest, m_uninstaller, m_registration;
    InstallPlaces m_places;
};

TEST_F(RemoveAllTest, RemovesTheInstallationInOrderAndLeavesWhatItMustNot) {
    InstallExample(m_strTitle);
    RemovalLog files, shortcuts;
    EXPECT_EQ(RemoveAllFrom(m_uninstaller, files, shortcuts), 1);

    std::string system = m_places.strSystemDirectory + "\\" + m_strTag + ".dll";
    EXPECT_EQ(files, (RemovalLog{
                         FormatRemovalLine(kLogRemoveFile, m_dest + "\\Doc\\a.txt", true),
                         FormatRemovalLine(kLogRemoveDirectory, m_dest + "\\Doc", true),
                         FormatRemovalLine(kLogRemoveFile, m_dest + "\\b.txt", true),
                         FormatRemovalLine(kLogRemoveDirectory, m_dest, false),
                         FormatRemovalLine(kLogRemoveFile, system, true),
                     }));
    EXPECT_EQ(shortcuts, (RemovalLog{
                             FormatRemovalLine(kLogRemoveShortcut, Program("a.lnk"), true),
                             FormatRemovalLine(kLogRemoveShortcut, Program("Product.lnk"), true),
                             FormatRemovalLine(kLogRemoveUninstallerShortcut,
                                               Program("Uninstall " + m_strTitle + ".lnk"), true),
                             FormatRemovalLine(kLogRemoveProgramFolder, Program(""), true),
                         }));

    // What remains: the uninstaller in its folder and the kept file, nothing else.
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(m_dest))
        left.push_back(entry.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"Uninstall " + m_strTitle + ".exe", "kept.ini"}));
    SetFileAttributesA((m_dest + "\\kept.ini").c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(FileText(m_dest + "\\kept.ini"), "old");
    EXPECT_FALSE(Exists(system));
    EXPECT_TRUE(std::filesystem::is_empty(m_places.strProgramsFolder));

    std::string key = "Software\\" + m_strTag;
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, key));
    EXPECT_TRUE(ValueExists(HKEY_CURRENT_USER, key, "Kept"));
    EXPECT_FALSE(ValueExists(HKEY_CURRENT_USER, key, "Flagged"));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, key + "\\Sub"));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, key));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, m_registration));

    // A second run finds nothing left: every line fails, and the registration key is
    // made and deleted again.
    RemovalLog filesAgain, shortcutsAgain;
    EXPECT_EQ(RemoveAllFrom(m_uninstaller, filesAgain, shortcutsAgain), 1);
    EXPECT_EQ(filesAgain.size(), files.size());
    EXPECT_EQ(shortcutsAgain.size(), shortcuts.size());
    for (const RemovalLog* log : {&filesAgain, &shortcutsAgain})
        for (const std::string& line : *log)
            EXPECT_EQ(line.substr(line.size() - 8), "failed\r\n") << line;
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, m_registration));
}

// An executable without whole uninstall data drives no removal at all.
TEST_F(RemoveAllTest, ExecutablesWithoutUninstallDataRemoveNothing) {
    InstallExample(m_strTitle);
    FileStream installed;
    ASSERT_TRUE(installed.Open(m_uninstaller, FileStream::kReadDenyWrite));
    std::vector<uint8_t> whole(installed.GetLength());
    installed.Read(whole.data(), uint32_t(whole.size()));
    installed.Close();

    std::vector<uint8_t> bare = kImage;
    bare.insert(bare.end(), 4, 0);
    std::vector<uint8_t> truncated(whole.begin(), whole.end() - 9);
    truncated.insert(truncated.end(), whole.end() - 4, whole.end());
    std::vector<uint8_t> farTrailer = whole;
    farTrailer.back() = 0x40;
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {"bare image", bare},
        {"records cut short", truncated},
        {"trailer beyond the file", farTrailer},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string path = m_dir.Join("other.exe");
        WriteBytes(path, c.bytes);
        RemovalLog files, shortcuts;
        EXPECT_EQ(RemoveAllFrom(path, files, shortcuts), 0);
        EXPECT_TRUE(files.empty());
        EXPECT_TRUE(shortcuts.empty());
    }
    RemovalLog files, shortcuts;
    EXPECT_EQ(RemoveAllFrom(m_dir.Join("missing.exe"), files, shortcuts), 0);
    EXPECT_TRUE(Exists(m_dest + "\\b.txt"));
    EXPECT_TRUE(Exists(Program("Product.lnk")));
    EXPECT_TRUE(ValueExists(HKEY_CURRENT_USER, "Software\\" + m_strTag, "Flagged"));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, m_registration));
}

// An empty title would name the list of installed programs itself: the registration
// removal is skipped, the rest goes on.
TEST_F(RemoveAllTest, EmptyTitleSkipsTheRegistrationRemoval) {
    InstallExample("");
    std::string list(kUninstallKeyPrefix, sizeof kUninstallKeyPrefix - 2);
    CUniqueRegKey key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, list.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.Put(),
                              nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key.Get(), "DisplayName", 0, REG_SZ, reinterpret_cast<const BYTE*>("marker"), 7);

    RemovalLog files, shortcuts;
    EXPECT_EQ(RemoveAllFrom(m_uninstaller, files, shortcuts), 1);
    EXPECT_FALSE(files.empty());
    EXPECT_TRUE(ValueExists(HKEY_LOCAL_MACHINE, list, "DisplayName"));
    RegDeleteValueA(key.Get(), "DisplayName");
    EXPECT_FALSE(ValueExists(HKEY_LOCAL_MACHINE, "Software\\" + m_strTag, "Value"));
}

}  // namespace
