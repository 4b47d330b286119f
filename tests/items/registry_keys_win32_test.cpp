// Registry lists created in and removed from the real registry, below a private key
// of HKEY_CURRENT_USER that stands in for the root.
#include "framework/unique_handle.h"
#include "items/registry_keys_win32.h"
#include "tests/items/registry_builders.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class RegistryKeysTest : public testing::Test {
protected:
    void SetUp() override {
        m_strKey = "Software\\VantrelTests\\Registry-" + std::to_string(GetCurrentProcessId());
        RegDeleteTreeA(HKEY_CURRENT_USER, m_strKey.c_str());
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, m_strKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                  m_root.Put(), nullptr),
                  ERROR_SUCCESS);
    }
    void TearDown() override {
        m_root.Reset();
        RegDeleteTreeA(HKEY_CURRENT_USER, m_strKey.c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\VantrelTests");
    }

    bool Exists(const std::string& subKey) {
        CUniqueRegKey key;
        return RegOpenKeyExA(m_root.Get(), subKey.c_str(), 0, KEY_READ, key.Put()) == ERROR_SUCCESS;
    }

    // The value's type and data, or type REG_NONE when it is missing.
    std::pair<DWORD, std::string> Query(const std::string& subKey, const std::string& name) {
        CUniqueRegKey key;
        if (RegOpenKeyExA(m_root.Get(), subKey.c_str(), 0, KEY_READ, key.Put()) != ERROR_SUCCESS)
            return {REG_NONE, ""};
        char data[512];
        DWORD type = REG_NONE;
        DWORD size = sizeof data;
        if (RegQueryValueExA(key.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data), &size) !=
            ERROR_SUCCESS)
            return {REG_NONE, ""};
        return {type, std::string(data, size)};
    }

    // Software\Demo (flagged) holding three values and the unflagged key Sub, which
    // holds one flagged and one unflagged value.
    static void FillSample(CRegistryList& list) {
        auto demo = Key("Demo", 1);
        demo->m_children.push_back(Value("Text", 1, RegValue{kRegValueString, "hello", 99, 7}));
        demo->m_children.push_back(Value("Number", 1, RegValue{kRegValueNumber, "unused", 0x01020304, 0}));
        demo->m_children.push_back(Value("Stamp", 1, RegValue{kRegValueGenerated, "", 0, 10}));
        auto sub = Key("Sub", 0);
        sub->m_children.push_back(Value("Keep", 0, RegValue{kRegValueString, "kept", 0, 0}));
        sub->m_children.push_back(Value("Gone", 1, RegValue{kRegValueNumber, "", 1, 0}));
        demo->m_children.push_back(std::move(sub));
        list.m_children.push_back(std::move(demo));
    }

    std::string m_strKey;
    CUniqueRegKey m_root;
};

TEST_F(RegistryKeysTest, CreatesKeysAndTheThreeValueTypes) {
    CRegistryList list;
    FillSample(list);
    EXPECT_EQ(CreateRegistryList(list, m_root.Get()), 1);

    EXPECT_EQ(Query("Software\\Demo", "Text"), std::make_pair(DWORD(REG_SZ), std::string("hello", 6)));
    EXPECT_EQ(Query("Software\\Demo", "Number"), std::make_pair(DWORD(REG_DWORD), std::string("\x04\x03\x02\x01", 4)));
    auto stamp = Query("Software\\Demo", "Stamp");
    EXPECT_EQ(stamp.first, DWORD(REG_SZ));
    ASSERT_EQ(stamp.second.size(), 11u);
    EXPECT_EQ(stamp.second.substr(6, 2), "00");
    EXPECT_EQ(Query("Software\\Demo\\Sub", "Keep").second, std::string("kept", 5));

    // Created again over itself: existing keys are opened, values overwritten.
    list.m_children[0]->m_children[0]->m_pValue->strText = "again";
    EXPECT_EQ(CreateRegistryList(list, m_root.Get()), 1);
    EXPECT_EQ(Query("Software\\Demo", "Text").second, std::string("again", 6));
}

TEST_F(RegistryKeysTest, AnUnknownValueTypeFailsAndTheRestIsStillCreated) {
    CRegistryList list;
    list.m_children.push_back(Value("Bad", 1, RegValue{3, "x", 0, 0}));
    list.m_children.push_back(Value("Good", 1, RegValue{kRegValueNumber, "", 9, 0}));
    EXPECT_EQ(CreateRegistryList(list, m_root.Get()), 0);
    EXPECT_EQ(Query("Software", "Bad").first, DWORD(REG_NONE));
    EXPECT_EQ(Query("Software", "Good").first, DWORD(REG_DWORD));
}

TEST_F(RegistryKeysTest, AnEmptyListTouchesNothing) {
    CRegistryList list;
    EXPECT_EQ(CreateRegistryList(list, m_root.Get()), 1);
    EXPECT_EQ(RemoveRegistryList(list, m_root.Get()), 1);
    EXPECT_FALSE(Exists("Software"));
}

TEST_F(RegistryKeysTest, RemovesFlaggedEntriesDepthFirst) {
    CRegistryList list;
    FillSample(list);
    ASSERT_EQ(CreateRegistryList(list, m_root.Get()), 1);
    EXPECT_EQ(RemoveRegistryList(list, m_root.Get()), 1);

    // Sub is not flagged: it stays with its unflagged value, so its flagged parent
    // cannot be deleted either (which is not a failure).
    EXPECT_EQ(Query("Software\\Demo\\Sub", "Keep").second, std::string("kept", 5));
    EXPECT_EQ(Query("Software\\Demo\\Sub", "Gone").first, DWORD(REG_NONE));
    EXPECT_EQ(Query("Software\\Demo", "Text").first, DWORD(REG_NONE));
    EXPECT_TRUE(Exists("Software\\Demo"));
    EXPECT_TRUE(Exists("Software"));

    list.m_children[0]->m_children[3]->m_bRemove = 1;
    list.m_children[0]->m_children[3]->m_children[0]->m_bRemove = 1;
    EXPECT_EQ(RemoveRegistryList(list, m_root.Get()), 0);  // the values removed before are missing now
    EXPECT_FALSE(Exists("Software\\Demo"));
    EXPECT_TRUE(Exists("Software"));
}

TEST_F(RegistryKeysTest, AFlaggedKeyHoldingAKeptValueStaysWithIt) {
    CRegistryList list;
    auto key = Key("Settings", 1);
    key->m_children.push_back(Value("Color", 0, RegValue{kRegValueString, "blue", 0, 0}));
    key->m_children.push_back(Value("Greeting", 1, RegValue{kRegValueString, "hi", 0, 0}));
    list.m_children.push_back(std::move(key));
    ASSERT_EQ(CreateRegistryList(list, m_root.Get()), 1);
    EXPECT_EQ(RemoveRegistryList(list, m_root.Get()), 1);
    EXPECT_EQ(Query("Software\\Settings", "Color").second, std::string("blue", 5));
    EXPECT_EQ(Query("Software\\Settings", "Greeting").first, DWORD(REG_NONE));

    list.m_children[0]->m_children[0]->m_bRemove = 1;
    list.m_children[0]->m_children[1]->m_bRemove = 0;
    list.m_children[0]->m_children.pop_back();
    EXPECT_EQ(RemoveRegistryList(list, m_root.Get()), 1);
    EXPECT_FALSE(Exists("Software\\Settings"));
}

TEST_F(RegistryKeysTest, AMissingKeyFailsItsSubtree) {
    CRegistryList list;
    FillSample(list);
    EXPECT_EQ(RemoveRegistryList(list, m_root.Get()), 0);
    ASSERT_EQ(RegCreateKeyExA(m_root.Get(), "Software", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              CUniqueRegKey().Put(), nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RemoveRegistryList(list, m_root.Get()), 0);
}

}  // namespace
