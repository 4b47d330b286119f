// Registry list records: layout, byte-identical round trips, damaged input.
#include "items/registry_entry.h"
#include "items/registry_generated_string.h"
#include "tests/items/record_bytes.h"
#include "tests/items/registry_builders.h"

#include <gtest/gtest.h>

namespace {

TEST(RegistryRecordTest, WritesEntriesByteForByte) {
    struct Case {
        const char* what;
        std::unique_ptr<CRegistryEntry> entry;
        RecordBytes expected;
    };
    Case cases[] = {
        {"empty key", Key("Vantrel", 1), RecordBytes().Int(1).Str("Vantrel").Int(1).Int(0)},
        {"string value", Value("Path", 0, RegValue{kRegValueString, "C:\\x", 0, 0}),
         RecordBytes().Int(2).Str("Path").Int(0).Int(0).Int(0).Int(0).Str("C:\\x").Int(0)},
        {"number value", Value("Count", 1, RegValue{kRegValueNumber, "", -2, 0}),
         RecordBytes().Int(2).Str("Count").Int(1).Int(1).Int(-2).Int(0).Str("").Int(0)},
        {"generated value", Value("Id", 1, RegValue{kRegValueGenerated, "", 0, 10}),
         RecordBytes().Int(2).Str("Id").Int(1).Int(2).Int(0).Int(10).Str("").Int(0)},
        {"value without a record", Key("Default", 1), RecordBytes().Int(2).Str("").Int(1).Int(0).Int(0).Int(0).Str("").Int(0)},
    };
    cases[4].entry->m_nType = kRegEntryValue;
    cases[4].entry->m_strName = "";
    auto key = Key("Outer", 0);
    key->m_children.push_back(Key("Inner", 1));
    key->m_children.push_back(Value("N", 1, RegValue{kRegValueNumber, "", 5, 0}));
    for (Case& c : cases) {
        SCOPED_TRACE(c.what);
        MemoryStream stream;
        c.entry->Write(stream);
        EXPECT_EQ(StreamBytes(stream), c.expected.Get());
    }
    MemoryStream nested;
    key->Write(nested);
    EXPECT_EQ(StreamBytes(nested), RecordBytes()
                                       .Int(1).Str("Outer").Int(0).Int(2)
                                       .Int(1).Str("Inner").Int(1).Int(0)
                                       .Int(2).Str("N").Int(1).Int(1).Int(5).Int(0).Str("").Int(0)
                                       .Get());
}

// Two lists as a package holds them, with fields that no value uses filled in, an odd
// entry type, an unknown value type and a value that has children.
RecordBytes SampleLists() {
    RecordBytes bytes;
    bytes.Int(2)
        .Int(1).Str("Vantrel Demo").Int(1).Int(2)
            .Int(2).Str("Text").Int(1).Int(0).Int(77).Int(9).Str("hello").Int(0)
            .Int(5).Str("Odd").Int(0).Int(7).Int(1).Int(2).Str("x").Int(1)
                .Int(1).Str("Under a value").Int(0).Int(0)
        .Int(2).Str("Top").Int(0).Int(1).Int(42).Int(3).Str("unused").Int(0);
    bytes.Int(0);
    return bytes;
}

TEST(RegistryRecordTest, ListsRoundTripByteForByte) {
    MemoryStream stream(SampleLists().Get());
    CRegistryList user, machine;
    ASSERT_TRUE(user.Read(stream));
    ASSERT_TRUE(machine.Read(stream));
    EXPECT_EQ(stream.GetPosition(), stream.GetLength());
    ASSERT_EQ(user.m_children.size(), 2u);
    EXPECT_TRUE(user.m_children[0]->IsKey());
    EXPECT_EQ(user.m_children[0]->m_children[1]->m_pValue->nType, 7);
    EXPECT_FALSE(user.m_children[1]->IsKey());
    EXPECT_EQ(user.m_children[1]->m_pValue->strText, "unused");
    EXPECT_TRUE(machine.m_children.empty());

    MemoryStream written;
    user.Write(written);
    machine.Write(written);
    EXPECT_EQ(StreamBytes(written), SampleLists().Get());
}

TEST(RegistryRecordTest, ReadingReplacesWhatTheEntryHeld) {
    MemoryStream stream(SampleLists().Get());
    CRegistryList list;
    list.m_children.push_back(Key("stale", 1));
    ASSERT_TRUE(list.Read(stream));
    EXPECT_EQ(list.m_children[0]->m_strName, "Vantrel Demo");

    MemoryStream key(RecordBytes().Int(1).Str("K").Int(1).Int(0).Get());
    CRegistryEntry entry;
    entry.m_pValue = std::make_unique<RegValue>();
    ASSERT_TRUE(entry.Read(key));
    EXPECT_EQ(entry.m_pValue, nullptr);
}

TEST(RegistryRecordTest, DamagedListsFailWithoutRunningAway) {
    std::vector<uint8_t> bytes = SampleLists().Get();
    size_t firstListEnd = bytes.size() - 4;
    for (size_t cut = 0; cut < firstListEnd; ++cut) {
        MemoryStream truncated(std::vector<uint8_t>(bytes.begin(), bytes.begin() + long(cut)));
        CRegistryList list;
        EXPECT_FALSE(list.Read(truncated)) << "cut at " << cut;
    }

    const RecordBytes damaged[] = {
        RecordBytes().Int(0x7FFFFFFF).Int(1).Str("k").Int(1).Int(0),
        RecordBytes().Int(-1),
        RecordBytes().Int(1).Int(1).Str("k").Int(1).Int(-5),
    };
    for (const RecordBytes& d : damaged) {
        MemoryStream stream(d.Get());
        CRegistryList list;
        EXPECT_FALSE(list.Read(stream));
    }

    RecordBytes nested;
    nested.Int(1);
    for (int i = 0; i < 2000; ++i)
        nested.Int(1).Str("k").Int(1).Int(1);
    MemoryStream deep(nested.Get());
    CRegistryList list;
    EXPECT_FALSE(list.Read(deep));
}

int nextRandom = 0;
// Only the low byte counts: A0, A1, ...
int CountingRandom() {
    return 0x1A0 + nextRandom++;
}

TEST(GeneratedStringTest, TakesTheRightmostCharacters) {
    std::tm local = {};
    local.tm_mday = 7;
    local.tm_mon = 2;
    local.tm_year = 124;
    local.tm_hour = 9;
    local.tm_min = 5;
    local.tm_sec = 3;
    const struct {
        int32_t length;
        const char* expected;
    } cases[] = {
        {100, "A007A103A224A309A4050003"},
        {24, "A007A103A224A309A4050003"},
        {10, "09A4050003"},  // hour, random byte, minute, "00", seconds
        {1, "3"},
        {0, ""},
        {-3, ""},
    };
    for (const auto& c : cases) {
        nextRandom = 0;
        EXPECT_EQ(MakeGeneratedString(c.length, local, CountingRandom), c.expected) << c.length;
    }
}

TEST(GeneratedStringTest, TheLiveStringHasItsLength) {
    EXPECT_EQ(GenerateString(10).size(), 10u);
    EXPECT_EQ(GenerateString(40).size(), 24u);
    EXPECT_EQ(GenerateString(0), "");
}

}  // namespace
