// Extracting item records against the real file system and shell, driven through a
// hidden window exactly as the progress dialog drives it.
#include "framework/com_init.h"
#include "installer/messages.h"
#include "items/file_info.h"
#include "items/install_item.h"
#include "package/file_exception.h"
#include "package/memory_stream.h"
#include "package/package_int.h"
#include "tests/extract/script_window.h"
#include "tests/extract/test_files.h"
#include "tests/extract/test_package.h"
#include "tests/items/record_bytes.h"
#include "tests/items/temp_dir.h"

#include <gtest/gtest.h>

namespace {

constexpr int32_t kStoredTime = 1500000000;
constexpr int32_t kSentinel = 0x5a5a1234;

class ExtractTest : public ::testing::Test {
protected:
    // Extracts item below parent with the window's script; notes whether the package
    // was left right behind the item's record.
    int Extract(CScriptWindow& window, const TestItem& item, const std::string& parent,
                const std::string* shortcutFolder = nullptr) {
        MemoryStream package;
        WriteTestItem(package, item);
        WriteInt32(package, kSentinel);
        package.Seek(0, ByteStream::kBegin);
        int result = ExtractFrom(window, package, parent, shortcutFolder);
        int32_t next = 0;
        m_bAligned = ReadInt32(package, next) && next == kSentinel;
        return result;
    }

    int ExtractFrom(CScriptWindow& window, ByteStream& package, const std::string& parent,
                    const std::string* shortcutFolder = nullptr) {
        return window.Run([&](CExtractSignals& signals) {
            CInstallItem extracted;
            return extracted.Extract(package, parent, &m_data, &signals, shortcutFolder);
        });
    }

    std::vector<uint8_t> Data() const { return StreamBytes(m_data); }

    CComInit m_com;
    TempDir m_dir;
    MemoryStream m_data;
    bool m_bAligned = false;
};

// The write decision for an existing file: which prompts, in which order, and whether
// the file is replaced. The record of a kept file has both flags 0.
TEST_F(ExtractTest, WriteDecisionFollowsTheRules) {
    struct Case {
        const char* what;
        bool exists;
        DWORD attributes;
        int64_t newerBy;
        std::vector<bool> answers;
        std::vector<UINT> prompts;
        bool replaced;
    } cases[] = {
        {"nothing there", false, 0, 0, {}, {}, true},
        {"same time", true, 0, 0, {}, {}, true},
        {"older", true, 0, -5000, {}, {}, true},
        {"60 s newer", true, 0, 60, {}, {}, true},
        {"61 s newer, Yes", true, 0, 61, {true}, {WM_SETUP_ASK_NEWER}, true},
        {"61 s newer, No", true, 0, 61, {false}, {WM_SETUP_ASK_NEWER}, false},
        {"read-only", true, FILE_ATTRIBUTE_READONLY, 0, {}, {WM_SETUP_READONLY}, false},
        {"system", true, FILE_ATTRIBUTE_SYSTEM, 0, {}, {WM_SETUP_READONLY}, false},
        {"read-only, hidden, newer", true, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN, 3600, {},
         {WM_SETUP_READONLY}, false},
        {"hidden, Yes", true, FILE_ATTRIBUTE_HIDDEN, 0, {true}, {WM_SETUP_ASK_HIDDEN}, true},
        {"hidden, No", true, FILE_ATTRIBUTE_HIDDEN, 0, {false}, {WM_SETUP_ASK_HIDDEN}, false},
        {"hidden and newer, No", true, FILE_ATTRIBUTE_HIDDEN, 3600, {false}, {WM_SETUP_ASK_HIDDEN}, false},
        {"hidden and newer, Yes Yes", true, FILE_ATTRIBUTE_HIDDEN, 3600, {true, true},
         {WM_SETUP_ASK_HIDDEN, WM_SETUP_ASK_NEWER}, true},
        {"hidden and newer, Yes No", true, FILE_ATTRIBUTE_HIDDEN, 3600, {true, false},
         {WM_SETUP_ASK_HIDDEN, WM_SETUP_ASK_NEWER}, false},
    };
    std::string content = BulkyText(40000, 7);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        m_data.SetLength(0);
        m_data.Seek(0, ByteStream::kBegin);
        std::string path = m_dir.Join("app.dll");
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
        if (c.exists) {
            m_dir.WriteFile("app.dll", "old");
            SetFileWriteTime(path, kStoredTime + c.newerBy);
            SetFileAttributesA(path.c_str(), c.attributes ? c.attributes : FILE_ATTRIBUTE_NORMAL);
        }

        CScriptWindow window(c.answers);
        EXPECT_EQ(Extract(window, TestFile("app.dll", content, kStoredTime), m_dir.Path()), 1);
        EXPECT_TRUE(m_bAligned);

        std::vector<UINT> prompts;
        for (const auto& message : window.m_messages) {
            if (message.nMessage != WM_SETUP_ITEM) {
                prompts.push_back(message.nMessage);
                std::string expected = message.nMessage == WM_SETUP_ASK_HIDDEN ? path + "|hidden" : path;
                EXPECT_EQ(message.strText, expected);
            }
        }
        EXPECT_EQ(prompts, c.prompts);
        EXPECT_EQ(window.m_nUnscripted, 0);
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (c.replaced) {
            EXPECT_EQ(FileText(path), content);
            EXPECT_EQ(WriteTime(path), kStoredTime);
            EXPECT_FALSE(window.m_progress.empty());
            EXPECT_EQ(Data(), RecordBytes().Int(0).Int(1).Int(2).Str(path).Int(0).Get());
        } else {
            EXPECT_EQ(FileText(path), "old");
            EXPECT_EQ(WriteTime(path), kStoredTime + c.newerBy);
            EXPECT_TRUE(window.m_progress.empty());
            EXPECT_EQ(Data(), RecordBytes().Int(0).Int(0).Int(2).Str(path).Int(0).Get());
        }
    }
}

TEST_F(ExtractTest, StoredTimeZeroLeavesTheTimeOfWriting) {
    int64_t before = int64_t(time(nullptr)) - 5;
    CScriptWindow window;
    TestItem tree = TestDir("d", {TestFile("stamped", "s", kStoredTime), TestFile("unstamped", "u", 0)});
    ASSERT_EQ(Extract(window, tree, m_dir.Path()), 1);
    EXPECT_EQ(WriteTime(m_dir.Join("d\\stamped")), kStoredTime);
    EXPECT_GE(WriteTime(m_dir.Join("d\\unstamped")), before);
}

// Shortcuts go into the shortcut folder, named after the item (a file without its
// last extension); the record holds tag 3 and the link path after the item's path.
TEST_F(ExtractTest, ShortcutsAreMadeAndRecorded) {
    struct Case {
        TestItem item;
        std::string linkName;
    } cases[] = {
        {TestDir("Docs", {}, 1), "Docs"},
        {TestFile("readme.txt.bak", "r", 0, 1), "readme.txt"},
        {TestFile("LICENSE", "l", 0, 1), "LICENSE"},
    };
    std::string folder = m_dir.Join("Programs");
    CreateDirectoryA(folder.c_str(), nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.linkName);
        m_data.SetLength(0);
        m_data.Seek(0, ByteStream::kBegin);
        CScriptWindow window;
        ASSERT_EQ(Extract(window, c.item, m_dir.Path(), &folder), 1);
        std::string path = m_dir.Join(c.item.strName);
        std::string link = folder + "\\" + c.linkName + ".lnk";
        EXPECT_EQ(Data(), RecordBytes().Int(1).Int(1).Int(c.item.nType).Str(path).Int(3).Str(link).Int(0).Get());
        std::string target, description;
        ASSERT_TRUE(ReadLink(link, target, description));
        EXPECT_EQ(target, path);
        EXPECT_EQ(description, c.linkName);
    }
}

// Where no link can be made the stored shortcut flag is cleared, so that the reader
// expects no link pair; a link path of 256 characters is still recorded.
TEST_F(ExtractTest, NoLinkWithoutAFolderOrForAnOverlongLinkPath) {
    std::string empty;
    std::string longFolder = "C:\\" + std::string(256 - 3 - 9, 'f');  // + "\Docs.lnk": 256
    std::string longerFolder = longFolder + "g";
    struct Case {
        const char* what;
        const std::string* folder;
        bool recorded;
    } cases[] = {
        {"no folder", nullptr, false},
        {"empty folder", &empty, false},
        {"link path of 256", &longFolder, true},
        {"link path of 257", &longerFolder, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        m_data.SetLength(0);
        m_data.Seek(0, ByteStream::kBegin);
        CScriptWindow window;
        ASSERT_EQ(Extract(window, TestDir("Docs", {}, 1), m_dir.Path(), c.folder), 1);
        std::string path = m_dir.Join("Docs");
        if (c.recorded) {
            std::string link = *c.folder + "\\Docs.lnk";
            ASSERT_EQ(link.size(), 256u);
            EXPECT_EQ(Data(), RecordBytes().Int(1).Int(1).Int(1).Str(path).Int(3).Str(link).Int(0).Get());
        } else {
            EXPECT_EQ(Data(), RecordBytes().Int(0).Int(1).Int(1).Str(path).Int(0).Get());
        }
        EXPECT_FALSE(Exists("\\Docs.lnk"));
    }
}

// A name that is not one plain component is damage: nothing is made or recorded.
TEST_F(ExtractTest, RefusesNamesThatLeaveTheParent) {
    for (std::string name : {"", "a\\b", "a/b", ".", "..", "..\\up", "C:x", "CON", "nul.txt", "trail."}) {
        SCOPED_TRACE(name);
        m_data.SetLength(0);
        m_data.Seek(0, ByteStream::kBegin);
        for (TestItem item : {TestDir(name, {TestFile("f", "x")}), TestFile(name, "x")}) {
            CScriptWindow window;
            EXPECT_EQ(Extract(window, item, m_dir.Join("inner")), 0);
            EXPECT_TRUE(window.m_messages.empty());
        }
        EXPECT_EQ(m_data.GetLength(), 0u);
    }
    EXPECT_TRUE(std::filesystem::is_empty(m_dir.Path()));
}

TEST_F(ExtractTest, PathLongerThanARecordCanHoldIsRefused) {
    std::string parent = m_dir.Path() + "\\" + std::string(250 - m_dir.Path().size(), 'p');
    CScriptWindow window;
    EXPECT_EQ(Extract(window, TestFile("toolong.txt", "x"), parent), 0);
    EXPECT_EQ(m_data.GetLength(), 0u);
}

TEST_F(ExtractTest, CancelAtADirectoryStopsBeforeItsLinkAndChildren) {
    std::string folder = m_dir.Join("Programs");
    CreateDirectoryA(folder.c_str(), nullptr);
    CScriptWindow window;
    window.m_nCancelAtItem = 1;
    EXPECT_EQ(Extract(window, TestDir("A", {TestDir("B")}, 1), m_dir.Path(), &folder), 0);
    EXPECT_TRUE(window.m_bStopped);
    EXPECT_TRUE(Exists(m_dir.Join("A")));
    EXPECT_FALSE(Exists(m_dir.Join("A\\B")));
    EXPECT_FALSE(Exists(folder + "\\A.lnk"));
    EXPECT_EQ(Data(), RecordBytes().Int(0).Int(1).Int(1).Str(m_dir.Join("A")).Int(0).Get());
}

// Cancel during a file: the file stays at its full length without its content and is
// recorded; the parent's child count says how many records follow.
TEST_F(ExtractTest, CancelDuringAFileIsSeenByTheProgressCallback) {
    std::string bulky = BulkyText(300000, 3);
    CScriptWindow window;
    window.m_nCancelAtProgress = 1;
    TestItem tree = TestDir("A", {TestFile("first", "1"), TestFile("big", bulky), TestFile("after", "2")});
    EXPECT_EQ(Extract(window, tree, m_dir.Path()), 0);
    EXPECT_TRUE(window.m_bStopped);
    std::string big = m_dir.Join("A\\big");
    FileInfo info;
    ASSERT_TRUE(GetFileInfo(big, info));
    EXPECT_EQ(info.nSize, bulky.size());
    EXPECT_NE(FileText(big), bulky);
    EXPECT_FALSE(Exists(m_dir.Join("A\\after")));
    EXPECT_EQ(Data(), RecordBytes()
                          .Int(0).Int(1).Int(1).Str(m_dir.Join("A")).Int(2)
                          .Int(0).Int(1).Int(2).Str(m_dir.Join("A\\first")).Int(0)
                          .Int(0).Int(1).Int(2).Str(big).Int(0)
                          .Get());
}

// Failures that are no cancel: the extraction reports FALSE and the records describe
// what was made.
TEST_F(ExtractTest, FailuresEndTheExtractionWithCompleteRecords) {
    std::string occupied = m_dir.Join("A\\taken");
    std::filesystem::create_directories(occupied);

    // The directory in the way is newer than the file: Yes lets the write fail.
    CScriptWindow window({true});
    TestItem tree = TestDir("A", {TestFile("ok", "1"), TestFile("taken", "2"), TestFile("never", "3")});
    EXPECT_EQ(Extract(window, tree, m_dir.Path()), 0);
    EXPECT_FALSE(window.m_bStopped);
    EXPECT_FALSE(Exists(m_dir.Join("A\\never")));
    EXPECT_EQ(Data(), RecordBytes()
                          .Int(0).Int(1).Int(1).Str(m_dir.Join("A")).Int(1)
                          .Int(0).Int(1).Int(2).Str(m_dir.Join("A\\ok")).Int(0)
                          .Get());
}

TEST_F(ExtractTest, DamagedBlockStopsWithTheFileRecorded) {
    // A block header that promises 1000 bytes of groups where 3 follow.
    MemoryStream package(RecordBytes().Int(2).Int(0).Int(1).Str("broken").Int(0).Int(10).Int(1000).Hex("00 41 42").Get());
    CScriptWindow window;
    EXPECT_EQ(ExtractFrom(window, package, m_dir.Path()), 0);
    EXPECT_TRUE(window.m_bStopped);
    std::string path = m_dir.Join("broken");
    EXPECT_TRUE(Exists(path));
    EXPECT_EQ(Data(), RecordBytes().Int(0).Int(1).Int(2).Str(path).Int(0).Get());
}

// A medium that fails under the extraction ends it with FALSE, never the program.
class FailingStream : public MemoryStream {
public:
    FailingStream(std::vector<uint8_t> bytes, uint32_t failAt) : MemoryStream(std::move(bytes)), m_nFailAt(failAt) {}
    uint32_t Read(void* buffer, uint32_t count) override {
        if (GetPosition() + count > m_nFailAt)
            throw CFileException(CFileException::kHardIO, 23);
        return MemoryStream::Read(buffer, count);
    }

private:
    uint32_t m_nFailAt;
};

TEST_F(ExtractTest, FailingMediumEndsWithFalse) {
    MemoryStream whole;
    WriteTestItem(whole, TestDir("A", {TestFile("f", BulkyText(5000, 1)), TestDir("B")}));
    std::vector<uint8_t> bytes = StreamBytes(whole);
    for (uint32_t failAt : {0u, 10u, 30u, 60u, uint32_t(bytes.size() - 10)}) {
        SCOPED_TRACE(failAt);
        m_data.SetLength(0);
        m_data.Seek(0, ByteStream::kBegin);
        FailingStream package(bytes, failAt);
        CScriptWindow window;
        EXPECT_EQ(ExtractFrom(window, package, m_dir.Path()), 0);
    }
}

TEST_F(ExtractTest, WithoutSignalsAnExistingFileThatWouldBeAskedAboutStays) {
    std::string path = m_dir.WriteFile("hidden.dat", "old");
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN);
    MemoryStream package;
    WriteTestItem(package, TestFile("hidden.dat", "new"));
    package.Seek(0, ByteStream::kBegin);
    CInstallItem item;
    EXPECT_EQ(item.Extract(package, m_dir.Path(), &m_data, nullptr, nullptr), 1);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(FileText(path), "old");
}

}  // namespace
