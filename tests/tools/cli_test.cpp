// vantrel-pack as a user runs it: build the example, then list, verify and extract it;
// exit codes and messages for bad input; reproducible output.
#include "tests/items/record_bytes.h"
#include "tests/items/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sys/wait.h>

namespace {

const std::string kSource = VANTREL_SOURCE_DIR;
const std::string kManifest = kSource + "/examples/demo/vantrel-demo.toml";

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string Quote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

class CliTest : public testing::Test {
protected:
    void SetUp() override {
        m_strStub = m_dir.WriteFile("stub.exe", "MZ a stub");
        m_strUninstaller = m_dir.WriteFile("uninstall.exe", "MZ an uninstaller");
    }

    // Runs vantrel-pack with args (already quoted where needed); returns its exit code
    // and keeps what it printed.
    int Run(const std::string& args, const std::string& environment = "") {
        std::string command = environment + " " + Quote(VANTREL_PACK) + " " + args + " >" +
                              Quote(m_dir.Join("stdout")) + " 2>" + Quote(m_dir.Join("stderr"));
        int status = std::system(command.c_str());
        m_strOut = ReadText(m_dir.Join("stdout"));
        m_strErr = ReadText(m_dir.Join("stderr"));
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    std::string Build(const std::string& output, const std::string& environment = "SOURCE_DATE_EPOCH=1700000000",
                      const std::string& manifest = kManifest) {
        std::string path = m_dir.Join(output);
        EXPECT_EQ(Run("build " + Quote(manifest) + " -o " + Quote(path) + " --stub " + Quote(m_strStub) +
                          " --uninstaller " + Quote(m_strUninstaller),
                      environment),
                  0)
            << m_strErr;
        return path;
    }

    TempDir m_dir;
    std::string m_strStub, m_strUninstaller, m_strOut, m_strErr;
};

TEST_F(CliTest, BuildsListsVerifiesAndExtractsTheExample) {
    std::string setup = Build("Setup.exe");
    EXPECT_NE(m_strOut.find("6 files"), std::string::npos) << m_strOut;
    EXPECT_EQ(ReadText(setup).substr(0, 9), "MZ a stub");

    ASSERT_EQ(Run("list " + Quote(setup)), 0) << m_strErr;
    for (const char* expected : {"title        Vantrel Demo", "shortcuts    4", "hello.cmd", "LICENSE.txt",
                                 "Greeting = \"Hello\" (REG_SZ)", "2023-11-14 22:13:20"})
        EXPECT_NE(m_strOut.find(expected), std::string::npos) << expected << "\n" << m_strOut;
    EXPECT_EQ(m_strOut.find("build.tmp"), std::string::npos);

    ASSERT_EQ(Run("list --json " + Quote(setup)), 0) << m_strErr;
    for (const char* expected : {"\"title\": \"Vantrel Demo\"", "\"shortcutCount\": 4", "\"name\": \"settings.ini\"",
                                 "\"valueType\": \"generated\"", "\"localMachine\": ["})
        EXPECT_NE(m_strOut.find(expected), std::string::npos) << expected << "\n" << m_strOut;

    ASSERT_EQ(Run("verify " + Quote(setup)), 0) << m_strErr;
    EXPECT_NE(m_strOut.find("OK, 6 files"), std::string::npos) << m_strOut;

    std::string out = m_dir.Join("extracted");
    ASSERT_EQ(Run("extract " + Quote(setup) + " " + Quote(out)), 0) << m_strErr;
    const std::string program = kSource + "/examples/demo/program/";
    for (const char* file : {"readme.txt", "bin/hello.cmd", "bin/settings.ini", "docs/manual.txt", "docs/changes.txt"})
        EXPECT_EQ(ReadText(out + "/" + file), ReadText(program + file)) << file;
    EXPECT_EQ(ReadText(out + "/docs/LICENSE.txt"), ReadText(kSource + "/examples/demo/license.txt"));
    EXPECT_FALSE(std::filesystem::exists(out + "/bin/build.tmp"));
    EXPECT_EQ(std::filesystem::last_write_time(out + "/readme.txt").time_since_epoch(),
              std::filesystem::last_write_time(out + "/docs/manual.txt").time_since_epoch());

    EXPECT_EQ(Run("extract " + Quote(setup) + " " + Quote(out)), 4);  // not empty any more
    EXPECT_NE(m_strErr.find("not empty"), std::string::npos) << m_strErr;
}

TEST_F(CliTest, SameInputsGiveTheSameBytes) {
    std::string first = Build("a.exe");
    std::string second = Build("b.exe");
    EXPECT_EQ(ReadText(first), ReadText(second));
    std::string unstamped1 = Build("c.exe", "SOURCE_DATE_EPOCH=");
    std::string unstamped2 = Build("d.exe", "SOURCE_DATE_EPOCH=");
    EXPECT_EQ(ReadText(unstamped1), ReadText(unstamped2));
}

TEST_F(CliTest, AProjectRecordBuildsTheSameTree) {
    std::string manifest = m_dir.WriteFile("m.toml", R"(
title = "Vantrel Demo"
[install]
shortcut = true
[[install.add]]
source = ")" + kSource + R"(/examples/demo/program"
exclude = ["*.tmp"]
[[install.set]]
path = "bin/hello.cmd"
shortcut = true
)");
    std::string fromManifest = Build("m.exe", "SOURCE_DATE_EPOCH=1", manifest);
    std::string project = m_dir.Join("demo.vproj");
    ASSERT_EQ(Run("project " + Quote(manifest) + " " + Quote(project)), 0) << m_strErr;
    std::string fromProject = Build("p.exe", "SOURCE_DATE_EPOCH=1", project);
    EXPECT_EQ(ReadText(fromProject), ReadText(fromManifest));

    std::string damaged = m_dir.WriteFile("cut.vproj", ReadText(project).substr(0, 40));
    EXPECT_EQ(Run("build " + Quote(damaged) + " --stub " + Quote(m_strStub) + " --no-uninstaller"), 3);
    EXPECT_NE(m_strErr.find("damaged or cut off"), std::string::npos) << m_strErr;
}

TEST_F(CliTest, DamageAndBadInputGiveTheirExitCodesAndMessages) {
    std::string setup = Build("Setup.exe");
    std::string text = ReadText(setup);
    std::string cut = m_dir.WriteFile("cut.exe", text.substr(0, text.size() - 30) + text.substr(text.size() - 4));
    EXPECT_EQ(Run("verify " + Quote(cut)), 1);
    EXPECT_NE(m_strErr.find("cut.exe: offset "), std::string::npos) << m_strErr;

    std::string flipped = text;
    size_t at = flipped.find("Hello from the");  // never: file data is compressed
    EXPECT_EQ(at, std::string::npos);
    flipped[flipped.size() - 300] ^= 0x5A;
    std::string damaged = m_dir.WriteFile("flipped.exe", flipped);
    int code = Run("verify " + Quote(damaged));
    EXPECT_TRUE(code == 0 || code == 1) << m_strErr;

    EXPECT_EQ(Run("verify " + Quote(m_dir.Join("missing.exe"))), 4);
    EXPECT_NE(m_strErr.find("missing.exe cannot be opened"), std::string::npos) << m_strErr;
    EXPECT_EQ(Run("frobnicate"), 2);
    EXPECT_EQ(Run("build"), 2);
    EXPECT_EQ(Run("--help"), 0);
    EXPECT_NE(m_strOut.find("Exit codes"), std::string::npos);
    EXPECT_EQ(Run("--version"), 0);
    EXPECT_NE(m_strOut.find("vantrel-pack "), std::string::npos);

    std::string bad = m_dir.WriteFile("bad.toml", "title = \"Demo\"\n[[install.add]]\nsource = \"nowhere\"\n");
    EXPECT_EQ(Run("build " + Quote(bad) + " --stub " + Quote(m_strStub) + " --no-uninstaller -o " +
                  Quote(m_dir.Join("never.exe"))),
              3);
    EXPECT_NE(m_strErr.find("bad.toml:2"), std::string::npos) << m_strErr;
    EXPECT_FALSE(std::filesystem::exists(m_dir.Join("never.exe")));
    EXPECT_FALSE(std::filesystem::exists(m_dir.Join("never.exe.part")));
}

TEST_F(CliTest, AHostileNameIsRefusedAndNothingLandsOutside) {
    std::string inner = m_dir.Join("inner");
    std::filesystem::create_directories(inner + "/x");
    std::ofstream(inner + "/x/payload") << "pwned";
    std::string manifest = m_dir.WriteFile("h.toml", "title = \"Demo\"\n[[install.add]]\nsource = \"inner/x/payload\"\n"
                                                     "target = \"abcd\"\n");
    std::string setup = Build("h.exe", "SOURCE_DATE_EPOCH=1", manifest);
    std::string text = ReadText(setup);
    size_t at = text.find(std::string("abcd", 5));
    ASSERT_NE(at, std::string::npos);
    text.replace(at, 4, "../.");
    std::string hostile = m_dir.WriteFile("hostile.exe", text);

    std::string out = m_dir.Join("deep/out");
    std::filesystem::create_directories(m_dir.Join("deep"));
    EXPECT_EQ(Run("extract " + Quote(hostile) + " " + Quote(out)), 1);
    EXPECT_NE(m_strErr.find("offset " + std::to_string(at)), std::string::npos) << m_strErr;
    EXPECT_NE(m_strErr.find("not one plain file name"), std::string::npos) << m_strErr;
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_FALSE(std::filesystem::exists(m_dir.Join("deep/payload")));
    EXPECT_EQ(Run("list " + Quote(hostile)), 1);
}

TEST_F(CliTest, BlocksRoundTripAndDamageIsReported) {
    std::string input = m_dir.WriteFile("in.txt", std::string(5000, 'x') + "tail");
    std::string block = m_dir.Join("in.blk");
    std::string back = m_dir.Join("back.txt");
    for (const char* mode : {"", " --fast"}) {
        ASSERT_EQ(Run("compress-block " + Quote(input) + " " + Quote(block) + mode), 0) << m_strErr;
        ASSERT_EQ(Run("expand-block " + Quote(block) + " " + Quote(back)), 0) << m_strErr;
        EXPECT_EQ(ReadText(back), ReadText(input));
    }
    std::string bytes = ReadText(block);
    const struct {
        std::string data;
        const char* message;
    } cases[] = {
        {bytes.substr(0, 5), "header is cut off"},
        {bytes.substr(0, bytes.size() - 1), "only"},
        {bytes + "x", "follow the block"},
        {bytes.substr(0, 4) + std::string("\xFF\xFF\xFF\xFF", 4) + bytes.substr(8), "negative"},
        {std::string("\x10\x00\x00\x00\x03\x00\x00\x00\x80\xFF\xFF", 11), "damaged"},
    };
    for (const auto& c : cases) {
        std::string damaged = m_dir.WriteFile("bad.blk", c.data);
        EXPECT_EQ(Run("expand-block " + Quote(damaged) + " " + Quote(m_dir.Join("never"))), 1) << c.message;
        EXPECT_NE(m_strErr.find(c.message), std::string::npos) << m_strErr;
        EXPECT_NE(m_strErr.find("bad.blk"), std::string::npos) << m_strErr;
    }
}

TEST_F(CliTest, DumpsTheUninstallDataOfAnInstalledUninstaller) {
    RecordBytes data;
    data.Hex("4D 5A 00 01 02 03")  // the uninstaller image
        .Str("Demo").Str("About Demo")
        .Int(2).Int(0).Int(1).Int(1).Str("C:\\Demo")
        .Int(1)
        .Int(1).Int(1).Int(2).Str("C:\\Demo\\a.txt").Int(3).Str("C:\\Progs\\Demo\\a.lnk").Int(0)
        .Int(0)
        .Int(1).Str("C:\\Progs\\Demo").Int(3).Str("C:\\Progs\\Demo\\Uninstall Demo.lnk")
        .Int(1).Int(1).Str("Demo").Int(1).Int(0)
        .Int(0)
        .Int(6);
    const std::vector<uint8_t>& bytes = data.Get();
    std::string installed = m_dir.WriteFile("Uninstall Demo.exe", std::string(bytes.begin(), bytes.end()));

    ASSERT_EQ(Run("uninstall-data " + Quote(installed)), 0) << m_strErr;
    for (const char* expected : {"title           Demo", "C:\\Demo\\a.txt", "link C:\\Progs\\Demo\\a.lnk",
                                 "program folder  C:\\Progs\\Demo", "HKEY_CURRENT_USER\\Software"})
        EXPECT_NE(m_strOut.find(expected), std::string::npos) << expected << "\n" << m_strOut;
    ASSERT_EQ(Run("uninstall-data --json " + Quote(installed)), 0) << m_strErr;
    EXPECT_NE(m_strOut.find("\"uninstallerLink\": \"C:\\\\Progs\\\\Demo\\\\Uninstall Demo.lnk\""), std::string::npos)
        << m_strOut;

    std::string cut = m_dir.WriteFile("cut.exe", std::string(bytes.begin(), bytes.end() - 12) + std::string("\x06\0\0\0", 4));
    EXPECT_EQ(Run("uninstall-data " + Quote(cut)), 1);
    EXPECT_NE(m_strErr.find("cut.exe"), std::string::npos) << m_strErr;
    std::string bare = m_dir.WriteFile("bare.exe", std::string("MZ\0\0\0\0\0\0", 8));
    EXPECT_EQ(Run("uninstall-data " + Quote(bare)), 1);
}

}  // namespace
