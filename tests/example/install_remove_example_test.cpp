// The example package end to end: built from examples/demo, installed into temporary
// places the way the install driver does it, then removed through the uninstaller it
// wrote. Afterwards only what the records keep is left.
#include "framework/com_init.h"
#include "installer/messages.h"
#include "items/install_places.h"
#include "items/registration_key.h"
#include "items/registry_keys_win32.h"
#include "items/uninstall_data.h"
#include "package/appended_data.h"
#include "package/file_stream.h"
#include "package/memory_stream.h"
#include "package/package_header.h"
#include "tests/extract/script_window.h"
#include "tests/extract/test_files.h"
#include "tests/items/registry_probe.h"
#include "tests/items/temp_dir.h"
#include "tests/removal/driver_steps.h"
#include "tools/commands.h"
#include "tools/tool_error.h"
#include "uninstaller/remove_all.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {

const std::string kExample = VANTREL_SOURCE_DIR "/examples/demo";
const std::string kTitle = "Vantrel Demo";
const std::string kDescription = "A tiny program folder packed by vantrel-pack";
const std::string kUninstallerName = "Uninstall Vantrel Demo.exe";
// The manifest's registry keys, below Software of both roots.
const std::string kKey = "Software\\Vantrel Demo";

// Until the real uninstaller is built any bytes serve as its image; a NUL and high
// bytes make sure it is copied exactly.
const std::vector<uint8_t> kImage = {'M', 'Z', 0x90, 0, 3, 0, 0, 0, 'u', 'n', 'i', 0, 0xff, 0xfe, 0x80, '\n'};

// Every folder and file below path, relative to it, sorted.
std::vector<std::string> ListTree(const std::string& path) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(path))
        names.push_back(entry.path().lexically_relative(path).string());
    std::sort(names.begin(), names.end());
    return names;
}

bool AllFailed(const RemovalLog& log) {
    return std::all_of(log.begin(), log.end(), [](const std::string& line) {
        return line.size() > 8 && line.compare(line.size() - 8, 8, "failed\r\n") == 0;
    });
}

class ExampleTest : public testing::Test {
protected:
    void SetUp() override {
        // The destination the setup dialog proposes: a base folder and the title.
        m_dest = m_dir.Join(kTitle);
        m_uninstaller = m_dest + "\\" + kUninstallerName;
        m_places.strProgramsFolder = m_dir.Join("Programs");
        m_places.strSystemDirectory = m_dir.Join("System32");
        CreateDirectoryA(m_places.strProgramsFolder.c_str(), nullptr);
        CreateDirectoryA(m_places.strSystemDirectory.c_str(), nullptr);
        ASSERT_TRUE(GetRegistrationKeyPath(kTitle, m_registration));
        CleanRegistry();
    }
    void TearDown() override { CleanRegistry(); }

    // The example's keys are fixed by its manifest, so nothing else may hold them.
    void CleanRegistry() {
        RegDeleteTreeA(HKEY_CURRENT_USER, kKey.c_str());
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kKey.c_str());
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, m_registration.c_str());
    }

    // `vantrel-pack build` of the example's manifest, with stand-ins for the programs.
    std::string BuildExample() {
        BuildOptions options;
        options.strInput = kExample + "/vantrel-demo.toml";
        options.strOutput = m_dir.Join("Setup.exe");
        options.stub = m_dir.WriteFile("stub.exe", "MZ placeholder installer stub\n");
        options.uninstaller = m_dir.WriteFile("uninstall.exe", std::string(kImage.begin(), kImage.end()));
        EXPECT_EQ(RunBuild(options), kExitOk);
        return options.strOutput;
    }

    // The install driver's sequence from the package header to the uninstaller file;
    // the extraction runs on a worker thread that talks to a window, as under the
    // progress dialog.
    void Install(const std::string& setup) {
        FileStream package;
        ASSERT_TRUE(package.Open(setup, FileStream::kReadDenyWrite));
        SeekToAppendedData(package);
        PackageHeader header;
        ASSERT_EQ(ReadPackageHeader(package, header), PackageHeaderResult::kOk);
        EXPECT_EQ(header.strTitle, kTitle);
        EXPECT_EQ(header.strDescription, kDescription);
        EXPECT_TRUE(header.HasBitmap());
        EXPECT_TRUE(header.HasLicense());
        EXPECT_EQ(header.nFileCount, 6);
        ASSERT_TRUE(header.HasUninstaller());
        std::vector<uint8_t> image(header.nUninstallerLength);
        package.Seek(header.nUninstallerImage, ByteStream::kBegin);
        ASSERT_TRUE(package.ReadExact(image.data(), uint32_t(image.size())));
        EXPECT_EQ(image, kImage);

        MemoryStream data;
        BeginUninstallData(data, image, header.strTitle, header.strDescription);
        CInstallRoot root;
        root.SetUninstallerPath(m_dest + "\\Uninstall " + header.strTitle + ".exe");
        ASSERT_TRUE(WriteRegistration(header.strTitle, root.GetUninstallerPath()));

        package.Seek(header.nInstallTree, ByteStream::kBegin);
        CScriptWindow window(std::vector<bool>(16, true));
        int installed = window.Run([&](CExtractSignals& signals) {
            return InstallRootAt(root, package, m_dest, &data, &signals, m_places);
        });
        ASSERT_EQ(installed, 1);
        // Into a fresh folder: the installation folder, two folders, six files, and no
        // question asked.
        EXPECT_EQ(window.m_messages.size(), 9u);
        for (const auto& message : window.m_messages)
            EXPECT_EQ(message.nMessage, UINT(WM_SETUP_ITEM)) << message.strText;

        // The extraction leaves the package where the lists begin; the trailer follows them.
        uint32_t listsStart = package.GetPosition();
        CRegistryList currentUser, localMachine;
        ASSERT_TRUE(currentUser.Read(package));
        ASSERT_TRUE(localMachine.Read(package));
        uint32_t listsEnd = package.GetPosition();
        EXPECT_EQ(listsEnd + kTrailerSize, package.GetLength());
        m_lists.resize(listsEnd - listsStart);
        package.Seek(listsStart, ByteStream::kBegin);
        ASSERT_TRUE(package.ReadExact(m_lists.data(), uint32_t(m_lists.size())));

        ASSERT_EQ(CreateRegistryList(currentUser, HKEY_CURRENT_USER), 1);
        ASSERT_EQ(CreateRegistryList(localMachine, HKEY_LOCAL_MACHINE), 1);
        ASSERT_TRUE(FinishUninstaller(data, currentUser, localMachine, uint32_t(image.size()),
                                      root.GetUninstallerPath()));
    }

    std::string Program(const std::string& name) const {
        return m_places.strProgramsFolder + "\\" + kTitle + (name.empty() ? "" : "\\" + name);
    }

    CComInit m_com;
    TempDir m_dir;
    std::string m_dest, m_uninstaller, m_registration;
    InstallPlaces m_places;
    std::vector<uint8_t> m_lists;  // both registry lists as the package holds them
};

TEST_F(ExampleTest, InstallThenRemoveLeavesOnlyWhatIsKept) {
    ASSERT_NO_FATAL_FAILURE(Install(BuildExample()));

    // The example's files byte for byte (the *.tmp file left out, the license renamed
    // into docs), and the uninstaller beside them.
    struct Source {
        const char* installed;
        const char* source;
    } sources[] = {
        {"readme.txt", "program/readme.txt"},         {"bin\\hello.cmd", "program/bin/hello.cmd"},
        {"bin\\settings.ini", "program/bin/settings.ini"}, {"docs\\manual.txt", "program/docs/manual.txt"},
        {"docs\\changes.txt", "program/docs/changes.txt"}, {"docs\\LICENSE.txt", "license.txt"},
    };
    for (const Source& file : sources) {
        std::string source = FileText(kExample + "/" + file.source);
        ASSERT_NE(source, "<missing>") << file.source;
        EXPECT_EQ(FileText(m_dest + "\\" + file.installed), source) << file.installed;
    }
    EXPECT_EQ(ListTree(m_dest), (std::vector<std::string>{kUninstallerName, "bin", "bin\\hello.cmd",
                                                          "bin\\settings.ini", "docs", "docs\\LICENSE.txt",
                                                          "docs\\changes.txt", "docs\\manual.txt", "readme.txt"}));
    EXPECT_TRUE(ListTree(m_places.strSystemDirectory).empty());

    // The program folder: links to the installation folder, to the two flagged items
    // and to the uninstaller.
    struct Link {
        std::string name, target;
    } links[] = {
        {"Vantrel Demo.lnk", m_dest},
        {"hello.lnk", m_dest + "\\bin\\hello.cmd"},
        {"docs.lnk", m_dest + "\\docs"},
        {"Uninstall Vantrel Demo.lnk", m_uninstaller},
    };
    for (const Link& link : links) {
        std::string target, description;
        ASSERT_TRUE(ReadLink(Program(link.name), target, description)) << link.name;
        EXPECT_EQ(target, link.target);
    }
    EXPECT_EQ(ListTree(m_places.strProgramsFolder),
              (std::vector<std::string>{"Vantrel Demo", "Vantrel Demo\\Uninstall Vantrel Demo.lnk",
                                        "Vantrel Demo\\Vantrel Demo.lnk", "Vantrel Demo\\docs.lnk",
                                        "Vantrel Demo\\hello.lnk"}));

    // The uninstaller: the image, then whole uninstall data at the offset the trailer
    // names, carrying the package's registry lists unchanged.
    {
        FileStream written;
        ASSERT_TRUE(written.Open(m_uninstaller, FileStream::kReadDenyWrite));
        std::vector<uint8_t> head(kImage.size());
        ASSERT_TRUE(written.ReadExact(head.data(), uint32_t(head.size())));
        EXPECT_EQ(head, kImage);
        EXPECT_EQ(SeekToAppendedData(written), kImage.size());
        UninstallData data;
        ASSERT_TRUE(ReadUninstallData(written, data));
        EXPECT_EQ(data.strTitle, kTitle);
        EXPECT_EQ(data.strDescription, kDescription);
        EXPECT_EQ(data.root.m_strPath, m_dest);
        EXPECT_EQ(data.root.m_strProgramFolder, Program(""));
        EXPECT_EQ(data.root.m_strUninstallerShortcut, Program("Uninstall Vantrel Demo.lnk"));
        MemoryStream lists;
        data.currentUser.Write(lists);
        data.localMachine.Write(lists);
        EXPECT_EQ(std::vector<uint8_t>(lists.GetData(), lists.GetData() + lists.GetLength()), m_lists);
    }

    // The registry: the manifest's values and the registration.
    struct Value {
        HKEY root;
        std::string key;
        const char* name;
        DWORD type;
        std::string data;
    } values[] = {
        {HKEY_CURRENT_USER, kKey + "\\Settings", "Greeting", REG_SZ, std::string("Hello", 6)},
        {HKEY_CURRENT_USER, kKey + "\\Settings", "Color", REG_SZ, std::string("blue", 5)},
        {HKEY_CURRENT_USER, kKey + "\\Settings", "Runs", REG_DWORD, std::string(4, '\0')},
        {HKEY_LOCAL_MACHINE, kKey, "Version", REG_DWORD, std::string("\0\0\1\0", 4)},
        {HKEY_LOCAL_MACHINE, m_registration, "DisplayName", REG_SZ, kTitle + '\0'},
        {HKEY_LOCAL_MACHINE, m_registration, "UninstallString", REG_SZ, "\"" + m_uninstaller + "\"" + '\0'},
    };
    for (const Value& value : values)
        EXPECT_EQ(QueryValue(value.root, value.key, value.name), std::make_pair(value.type, value.data)) << value.name;
    // A generated string of 12: hour, random byte, minute, "00", seconds, in hex digits.
    auto [type, installId] = QueryValue(HKEY_LOCAL_MACHINE, kKey, "InstallId");
    EXPECT_EQ(type, DWORD(REG_SZ));
    ASSERT_EQ(installId.size(), 13u);
    EXPECT_EQ(installId.find_first_not_of("0123456789ABCDEF"), 12u) << installId;
    EXPECT_EQ(installId.substr(8, 2), "00");

    RemovalLog files, shortcuts;
    EXPECT_EQ(RemoveAllFrom(m_uninstaller, files, shortcuts), 1);
    EXPECT_EQ(files, (RemovalLog{
                         FormatRemovalLine(kLogRemoveFile, m_dest + "\\bin\\hello.cmd", true),
                         // settings.ini is kept, so its folder cannot go.
                         FormatRemovalLine(kLogRemoveDirectory, m_dest + "\\bin", false),
                         FormatRemovalLine(kLogRemoveFile, m_dest + "\\docs\\LICENSE.txt", true),
                         FormatRemovalLine(kLogRemoveFile, m_dest + "\\docs\\changes.txt", true),
                         FormatRemovalLine(kLogRemoveFile, m_dest + "\\docs\\manual.txt", true),
                         FormatRemovalLine(kLogRemoveDirectory, m_dest + "\\docs", true),
                         FormatRemovalLine(kLogRemoveFile, m_dest + "\\readme.txt", true),
                         // The uninstaller is still inside: it never deletes itself.
                         FormatRemovalLine(kLogRemoveDirectory, m_dest, false),
                     }));
    EXPECT_EQ(shortcuts, (RemovalLog{
                             FormatRemovalLine(kLogRemoveShortcut, Program("hello.lnk"), true),
                             FormatRemovalLine(kLogRemoveShortcut, Program("docs.lnk"), true),
                             FormatRemovalLine(kLogRemoveShortcut, Program("Vantrel Demo.lnk"), true),
                             FormatRemovalLine(kLogRemoveUninstallerShortcut,
                                               Program("Uninstall Vantrel Demo.lnk"), true),
                             FormatRemovalLine(kLogRemoveProgramFolder, Program(""), true),
                         }));

    // Left behind: the uninstaller and the kept settings file in its folder.
    std::vector<std::string> left = {kUninstallerName, "bin", "bin\\settings.ini"};
    EXPECT_EQ(ListTree(m_dest), left);
    EXPECT_EQ(FileText(m_dest + "\\bin\\settings.ini"), FileText(kExample + "/program/bin/settings.ini"));
    EXPECT_TRUE(ListTree(m_places.strProgramsFolder).empty());
    EXPECT_TRUE(ListTree(m_places.strSystemDirectory).empty());
    // Every key and value of the example is flagged but Color: it stays, and so do the
    // keys that hold it, although they are flagged; everything else goes.
    EXPECT_TRUE(ValueExists(HKEY_CURRENT_USER, kKey + "\\Settings", "Color"));
    EXPECT_FALSE(ValueExists(HKEY_CURRENT_USER, kKey + "\\Settings", "Greeting"));
    EXPECT_FALSE(ValueExists(HKEY_CURRENT_USER, kKey + "\\Settings", "Runs"));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kKey));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, m_registration));

    // A second run finds nothing left to remove: every line fails, nothing else changes.
    RemovalLog filesAgain, shortcutsAgain;
    EXPECT_EQ(RemoveAllFrom(m_uninstaller, filesAgain, shortcutsAgain), 1);
    EXPECT_EQ(filesAgain.size(), files.size());
    EXPECT_EQ(shortcutsAgain.size(), shortcuts.size());
    EXPECT_TRUE(AllFailed(filesAgain));
    EXPECT_TRUE(AllFailed(shortcutsAgain));
    EXPECT_EQ(ListTree(m_dest), left);
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, m_registration));
}

}  // namespace
