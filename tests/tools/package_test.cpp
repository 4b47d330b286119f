// Writing a package and reading it back: every section where it belongs, and damaged
// or hostile packages refused with the offset of the fault, never a crash or a hang.
#include "package/file_stream.h"
#include "package/memory_stream.h"
#include "package/package_int.h"
#include "tests/items/temp_dir.h"
#include "tools/package_extract.h"
#include "tools/package_reader.h"
#include "tools/package_writer.h"
#include "tools/tool_error.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>

namespace {

std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

class PackageTest : public testing::Test {
protected:
    void SetUp() override {
        m_strStub = m_dir.WriteFile("stub.exe", "MZ stub bytes");
        m_strUninstaller = m_dir.WriteFile("uninstall.exe", "MZ uninstaller");
        std::string noise;
        std::mt19937 random(3);
        for (int i = 0; i < 3000; ++i)
            noise += char(random() % 4 + 'a');
        m_root.m_strName = "Demo";
        auto bin = std::make_unique<CInstallItem>();
        bin->m_strName = "bin";
        auto evil = std::make_unique<CInstallItem>();
        evil->m_strName = "evil";
        evil->m_strSource = m_dir.WriteFile("src/evil", noise);
        evil->m_nFixedTime = 1700000000;
        evil->m_bShortcut = 1;
        bin->m_children.push_back(std::move(evil));
        m_root.m_children.push_back(std::move(bin));
        auto system = std::make_unique<CInstallItem>();
        system->m_strName = "demo.dll";
        system->m_strSource = m_dir.WriteFile("src/demo.dll", "dll");
        m_root.m_systemItems.push_back(std::move(system));
        auto key = std::make_unique<CRegistryEntry>();
        key->m_strName = "Demo";
        m_user.m_children.push_back(std::move(key));

        PackageInputs inputs;
        inputs.strStub = m_strStub;
        inputs.strUninstaller = m_strUninstaller;
        inputs.bitmap = m_dir.WriteFile("b.bmp", "BM" + std::string(60, '\x11'));
        inputs.license = m_dir.WriteFile("license.txt", "Be nice.");
        inputs.strTitle = "Demo";
        inputs.strDescription = "About";
        inputs.pRoot = &m_root;
        inputs.pUser = &m_user;
        inputs.pMachine = &m_machine;
        m_strSetup = m_dir.Join("Setup.exe");
        WritePackage(inputs, m_strSetup, false);
        m_bytes = ReadBytes(m_strSetup);
    }

    // Reads the package and expands every block; the exit code of the first failure.
    static int ReadAll(const std::vector<uint8_t>& bytes) {
        try {
            MemoryStream stream(bytes);
            PackageContents contents;
            ReadPackage(stream, "p", contents);
            auto expand = [&](const PackedItem& item, const std::string&) {
                if (item.IsFile()) {
                    MemoryStream out;
                    ExpandBlock(stream, "p", item.data, out, "file");
                }
            };
            ForEachItem(contents.children, "", expand);
            ForEachItem(contents.systemItems, "", expand);
            return kExitOk;
        } catch (const CToolError& error) {
            return error.GetExitCode();
        }
    }

    TempDir m_dir;
    std::string m_strStub, m_strUninstaller, m_strSetup;
    CInstallRoot m_root;
    CRegistryList m_user, m_machine;
    std::vector<uint8_t> m_bytes;
};

TEST_F(PackageTest, ReadsBackEverySection) {
    MemoryStream stream(m_bytes);
    PackageContents c;
    ReadPackage(stream, m_strSetup, c);
    EXPECT_EQ(c.nPackageOffset, 13u);  // the stub's size
    EXPECT_EQ(c.strTitle, "Demo");
    EXPECT_EQ(c.strDescription, "About");
    EXPECT_TRUE(c.bHasBitmap);
    EXPECT_EQ(c.bitmap.nSize, 62);
    EXPECT_EQ(c.nUninstallerLength, 14);
    EXPECT_EQ(std::string(m_bytes.begin() + c.nUninstallerOffset, m_bytes.begin() + c.nUninstallerOffset + 14),
              "MZ uninstaller");
    EXPECT_EQ(c.license.nSize, 8);
    EXPECT_EQ(c.nFileCount, 2);
    EXPECT_EQ(c.nTotalBytes, 3003);
    EXPECT_EQ(c.nShortcutCount, 2);  // evil and the uninstaller
    EXPECT_EQ(m_root.GetUninstallerPath(), m_strUninstaller);
    ASSERT_EQ(c.children.size(), 1u);
    EXPECT_EQ(c.children[0].children[0].strName, "evil");
    EXPECT_EQ(c.children[0].children[0].nTime, 1700000000);
    EXPECT_EQ(c.systemItems[0].strName, "demo.dll");
    EXPECT_EQ(c.user.m_children[0]->m_strName, "Demo");
    EXPECT_TRUE(c.machine.m_children.empty());
    EXPECT_EQ(ReadAll(m_bytes), kExitOk);
}

TEST_F(PackageTest, EveryTruncationIsDamage) {
    std::vector<uint8_t> trailer(4);
    StoreLE32(trailer.data(), 13);
    for (size_t cut = 0; cut < m_bytes.size(); ++cut) {
        std::vector<uint8_t> raw(m_bytes.begin(), m_bytes.begin() + long(cut));
        EXPECT_EQ(ReadAll(raw), kExitDamaged) << "cut at " << cut;
        if (cut < 13 || cut + 4 >= m_bytes.size())
            continue;
        // Cut inside the package but closed with a proper trailer again.
        raw.insert(raw.end(), trailer.begin(), trailer.end());
        EXPECT_EQ(ReadAll(raw), kExitDamaged) << "cut at " << cut << " with a trailer";
    }
}

TEST_F(PackageTest, FlippedBytesNeverCrashOrHang) {
    for (size_t at = 13; at < m_bytes.size(); ++at) {
        for (uint8_t mask : {uint8_t(0x01), uint8_t(0x80), uint8_t(0xFF)}) {
            std::vector<uint8_t> damaged = m_bytes;
            damaged[at] ^= mask;
            int code = ReadAll(damaged);
            EXPECT_TRUE(code == kExitOk || code == kExitDamaged) << at;
        }
    }
}

TEST_F(PackageTest, AHostileNameIsDamageAndNothingIsExtracted) {
    const char* const hostile[] = {"../x", "..\\x", "C:xx", "NUL\0", "/etc"};
    for (const char* name : hostile) {
        std::vector<uint8_t> bytes = m_bytes;
        std::string text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        size_t at = text.find(std::string("evil", 5));
        ASSERT_NE(at, std::string::npos);
        std::copy(name, name + 4, bytes.begin() + long(at));
        MemoryStream stream(bytes);
        PackageContents contents;
        try {
            ReadPackage(stream, "p", contents);
            ADD_FAILURE() << name;
        } catch (const CToolError& error) {
            EXPECT_EQ(error.GetExitCode(), kExitDamaged);
            EXPECT_NE(std::string(error.what()).find("offset " + std::to_string(at)), std::string::npos)
                << error.what();
        }
    }
}

TEST_F(PackageTest, ExtractsIntoANewFolderOnly) {
    FileStream file;
    ASSERT_TRUE(file.Open(m_strSetup, FileStream::kReadDenyWrite));
    PackageContents contents;
    ReadPackage(file, m_strSetup, contents);
    ExtractResult result = ExtractPackage(file, m_strSetup, contents, m_dir.Join("out"), m_dir.Join("sys"));
    EXPECT_EQ(result.nFiles, 2);
    EXPECT_EQ(ReadBytes(m_dir.Join("out/bin/evil")), ReadBytes(m_dir.Join("src/evil")));
    EXPECT_EQ(ReadBytes(m_dir.Join("sys/demo.dll")), ReadBytes(m_dir.Join("src/demo.dll")));
    EXPECT_THROW(ExtractPackage(file, m_strSetup, contents, m_dir.Join("out"), ""), CToolError);
}

TEST_F(PackageTest, RefusesUnusableInputsAndLeavesTheOutputAlone) {
    std::string before = m_dir.WriteFile("keep.exe", "old");
    const struct {
        const char* what;
        std::string title, bitmap, license;
    } cases[] = {
        {"title with a colon", "Demo: 2", "", ""},
        {"long title", std::string(250, 't'), "", ""},
        {"not a bitmap", "Demo", m_dir.WriteFile("x.bmp", "GIF89a"), ""},
        {"license with NUL", "Demo", "", m_dir.WriteFile("l.txt", std::string("a\0b", 3))},
        {"missing license", "Demo", "", m_dir.Join("none.txt")},
    };
    for (const auto& c : cases) {
        PackageInputs inputs;
        inputs.strStub = m_strStub;
        inputs.strTitle = c.title;
        if (!c.bitmap.empty())
            inputs.bitmap = c.bitmap;
        if (!c.license.empty())
            inputs.license = c.license;
        inputs.pRoot = &m_root;
        inputs.pUser = &m_user;
        inputs.pMachine = &m_machine;
        EXPECT_THROW(WritePackage(inputs, before, false), CToolError) << c.what;
        EXPECT_EQ(ReadBytes(before), std::vector<uint8_t>({'o', 'l', 'd'})) << c.what;
    }
}

}  // namespace
