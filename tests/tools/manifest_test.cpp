// Reading manifests: the tree they describe, their registry lists, and clear errors.
#include "tools/manifest.h"
#include "tools/tool_error.h"
#include "tools/tree_builder.h"
#include "tests/items/temp_dir.h"

#include <gtest/gtest.h>

namespace {

// A program folder: a/one.txt, a/two.tmp, a/sub/three.txt, a/empty/, top.txt.
void MakeProgram(const TempDir& dir) {
    dir.WriteFile("prog/a/one.txt", "1");
    dir.WriteFile("prog/a/two.tmp", "2");
    dir.WriteFile("prog/a/sub/three.txt", "3");
    dir.WriteFile("prog/top.txt", "t");
    std::filesystem::create_directories(dir.Join("prog/a/empty"));
}

std::string Describe(const InstallItemList& items) {
    std::string text;
    for (const auto& item : items) {
        text += item->m_strName;
        text += item->m_bShortcut ? "+S" : "";
        text += item->m_bRemove ? "" : "-R";
        if (!item->m_children.empty())
            text += "(" + Describe(item->m_children) + ")";
        else if (item->m_strSource.empty())
            text += "/";
        text += " ";
    }
    return text;
}

std::string BuildError(const TempDir& dir, const std::string& toml) {
    std::string path = dir.WriteFile("m.toml", toml);
    try {
        Manifest manifest;
        LoadManifest(path, manifest);
        CInstallRoot root;
        BuildInstallTree(manifest, root);
        CheckInstallTree(root);
    } catch (const CToolError& error) {
        EXPECT_EQ(error.GetExitCode(), kExitInput);
        return error.what();
    }
    return "";
}

TEST(ManifestTest, BuildsTheTreeItDescribes) {
    TempDir dir;
    MakeProgram(dir);
    std::string path = dir.WriteFile("m.toml", R"(
title = "Demo"
[install]
shortcut = true
[[install.add]]
source = "prog"
exclude = ["*.tmp"]
[[install.add]]
source = "prog/top.txt"
target = "docs/more"
name = "TOP.TXT"
remove = false
[[install.add]]
target = "logs"
[[install.set]]
path = "a/**/*.txt"
shortcut = true
[[system.add]]
source = "prog/top.txt"
name = "demo.dll"
)");
    Manifest manifest;
    LoadManifest(path, manifest);
    CInstallRoot root;
    BuildInstallTree(manifest, root);
    CheckInstallTree(root);
    EXPECT_EQ(root.m_strName, "Demo");
    EXPECT_EQ(root.m_bShortcut, 1);
    EXPECT_EQ(Describe(root.m_children),
              "a(empty/ one.txt+S sub(three.txt+S ) ) docs(more(TOP.TXT-R ) ) logs/ top.txt ");
    EXPECT_EQ(Describe(root.m_systemItems), "demo.dll ");
    const std::string& source = root.m_systemItems[0]->m_strSource;
    EXPECT_EQ(source.substr(source.size() - 12), "prog/top.txt");
}

TEST(ManifestTest, ReadsRegistryLists) {
    TempDir dir;
    std::string path = dir.WriteFile("m.toml", R"(
title = "Demo"
uninstaller = false
[[registry.current_user]]
key = 'Vendor\Product'
values = [ { name = "S", string = "text" }, { name = "N", number = 0xFFFFFFFF, remove = false },
           { name = "G", generated = 10 } ]
[[registry.current_user]]
key = 'Vendor'
remove = false
[[registry.local_machine]]
values = [ { string = "default" } ]
)");
    Manifest manifest;
    LoadManifest(path, manifest);
    EXPECT_TRUE(manifest.bNoUninstaller);
    ASSERT_EQ(manifest.user.m_children.size(), 1u);
    const CRegistryEntry& vendor = *manifest.user.m_children[0];
    EXPECT_EQ(vendor.m_strName, "Vendor");
    EXPECT_EQ(vendor.m_bRemove, 0);
    const CRegistryEntry& product = *vendor.m_children[0];
    EXPECT_EQ(product.m_bRemove, 1);
    ASSERT_EQ(product.m_children.size(), 3u);
    EXPECT_EQ(product.m_children[0]->m_pValue->strText, "text");
    EXPECT_EQ(product.m_children[1]->m_pValue->nNumber, -1);
    EXPECT_EQ(product.m_children[1]->m_bRemove, 0);
    EXPECT_EQ(product.m_children[2]->m_pValue->nType, kRegValueGenerated);
    EXPECT_EQ(product.m_children[2]->m_pValue->nLength, 10);
    ASSERT_EQ(manifest.machine.m_children.size(), 1u);
    EXPECT_EQ(manifest.machine.m_children[0]->m_strName, "");
}

TEST(ManifestTest, RefusesWhatWouldMakeABrokenPackage) {
    TempDir dir;
    MakeProgram(dir);
    const struct {
        std::string toml;
        std::string message;
    } cases[] = {
        {"title = \"Demo\"\ntitel = 1\n", "m.toml:2: unknown key 'titel'"},
        {"description = \"no title\"\n", "needs a title"},
        {"title = \"" + std::string(257, 'x') + "\"\n", "at most 256"},
        {"title = \"Demo\"\n[[install.add]]\nsource = \"missing\"\n", "source"},
        {"title = \"Demo\"\n[[install.add]]\nsource = \"prog/top.txt\"\nname = \"CON\"\n", "device"},
        {"title = \"Demo\"\n[[install.add]]\nsource = \"prog/top.txt\"\ntarget = \"a/../b\"\n", "'a/..'"},
        {"title = \"Demo\"\n[[install.add]]\nsource = \"prog/top.txt\"\nname = \"a:b\"\n", "forbids"},
        {"title = \"Demo\"\n[[install.add]]\nsource = \"prog/top.txt\"\n[[install.add]]\nsource = \"prog/a/one.txt\"\nname = \"TOP.txt\"\n",
         "added twice"},
        {"title = \"Demo\"\n[[install.add]]\nsource = \"prog\"\n[[install.set]]\npath = \"nothing/*\"\n",
         "matches no item"},
        {"title = \"Demo\"\n[[install.add]]\nsource = \"prog/top.txt\"\ntarget = \"top.txt\"\n[[install.add]]\nsource = \"prog/top.txt\"\n",
         "added twice"},
        {"title = \"Demo\"\n[[registry.current_user]]\nkey = 'A'\nvalues = [ { name = \"x\" } ]\n", "exactly one"},
        {"title = \"Demo\"\n[[registry.current_user]]\nkey = 'A'\nvalues = [ { string = \"a\", number = 1 } ]\n",
         "exactly one"},
        {"title = \"Demo\"\n[[registry.current_user]]\nkey = 'A\\\\B'\n", "empty component"},
        {"title = \"Demo\"\n[[registry.current_user]]\nvalues = [ { number = 4294967296 } ]\n", "32 bits"},
        {"title = [1]\n", "must be a string"},
        {"title = \"Demo\"\n[install\n", "m.toml:2"},
    };
    for (const auto& c : cases) {
        std::string message = BuildError(dir, c.toml);
        EXPECT_NE(message.find(c.message), std::string::npos) << c.toml << "\n-> " << message;
    }
}

}  // namespace
