// Removal records: the reader against hand-made bytes and every kind of damage, and the
// writer's records, including those it closes after a failure.
#include "items/uninstall_record.h"
#include "package/memory_stream.h"
#include "tests/items/record_bytes.h"

#include <gtest/gtest.h>

namespace {

// A root with a linked installation folder, a directory holding a linked file and a
// kept file, one system item, the program folder and the uninstaller's link.
std::vector<uint8_t> FullRoot() {
    return RecordBytes()
        .Int(3).Int(1).Int(1).Int(1).Str("C:\\App").Int(3).Str("P\\App\\App.lnk")
        .Int(2)
        .Int(0).Int(1).Int(1).Str("C:\\App\\Doc").Int(1)
            .Int(1).Int(1).Int(2).Str("C:\\App\\Doc\\a.txt").Int(3).Str("P\\App\\a.lnk").Int(0)
        .Int(0).Int(0).Int(2).Str("C:\\App\\kept.dll").Int(0)
        .Int(1)
        .Int(0).Int(1).Int(2).Str("S\\x.dll").Int(0)
        .Int(1).Str("P\\App").Int(3).Str("P\\App\\Uninstall App.lnk")
        .Get();
}

TEST(UninstallRootReadTest, ReadsEveryField) {
    MemoryStream stream(FullRoot());
    CUninstallRoot root;
    ASSERT_EQ(root.Read(stream), 1);
    EXPECT_EQ(stream.GetPosition(), stream.GetLength());
    EXPECT_EQ(root.m_nShortcuts, 3);
    EXPECT_EQ(root.m_strPath, "C:\\App");
    EXPECT_EQ(root.m_strShortcut, "P\\App\\App.lnk");
    ASSERT_EQ(root.m_children.size(), 2u);
    const CUninstallItem& doc = *root.m_children[0];
    EXPECT_EQ(doc.m_nType, kRemovalTypeDirectory);
    EXPECT_EQ(doc.m_bShortcut, 0);
    ASSERT_EQ(doc.m_children.size(), 1u);
    EXPECT_EQ(doc.m_children[0]->m_strPath, "C:\\App\\Doc\\a.txt");
    EXPECT_EQ(doc.m_children[0]->m_strShortcut, "P\\App\\a.lnk");
    EXPECT_EQ(root.m_children[1]->m_bRemove, 0);
    ASSERT_EQ(root.m_systemItems.size(), 1u);
    EXPECT_EQ(root.m_systemItems[0]->m_strPath, "S\\x.dll");
    EXPECT_EQ(root.m_strProgramFolder, "P\\App");
    EXPECT_EQ(root.m_strUninstallerShortcut, "P\\App\\Uninstall App.lnk");
}

TEST(UninstallRootReadTest, ShortcutCountDecidesTheTail) {
    struct Case {
        int32_t shortcuts;
        std::vector<uint8_t> tail;
        std::string folder;
        std::string uninstallerLink;
    } cases[] = {
        {0, {}, "", ""},
        {-5, {}, "", ""},
        {1, RecordBytes().Int(1).Str("P\\App").Int(0).Get(), "P\\App", ""},
        // The tag of the program folder is not looked at; only 3 brings a link path.
        {2, RecordBytes().Int(7).Str("").Int(4).Get(), "", ""},
        {1, RecordBytes().Int(1).Str("P\\App").Int(3).Str("P\\App\\U.lnk").Get(), "P\\App", "P\\App\\U.lnk"},
    };
    for (const Case& c : cases) {
        RecordBytes bytes;
        bytes.Int(c.shortcuts).Int(0).Int(1).Int(1).Str("C:\\App").Int(0).Int(0);
        std::vector<uint8_t> all = bytes.Get();
        all.insert(all.end(), c.tail.begin(), c.tail.end());
        MemoryStream stream(all);
        CUninstallRoot root;
        ASSERT_EQ(root.Read(stream), 1) << c.shortcuts;
        EXPECT_EQ(stream.GetPosition(), stream.GetLength()) << c.shortcuts;
        EXPECT_EQ(root.m_strProgramFolder, c.folder);
        EXPECT_EQ(root.m_strUninstallerShortcut, c.uninstallerLink);
    }
}

// A record cut anywhere never reads back as a whole record: an int32 comes up short,
// or (for a cut inside the last string) the reader ends up beyond the data's end,
// which the reader of the whole uninstall data refuses.
TEST(UninstallRootReadTest, EveryTruncationIsSeen) {
    std::vector<uint8_t> full = FullRoot();
    for (size_t length = 0; length < full.size(); ++length) {
        MemoryStream stream(std::vector<uint8_t>(full.begin(), full.begin() + length));
        CUninstallRoot root;
        if (root.Read(stream) == 1) {
            EXPECT_GT(stream.GetPosition(), stream.GetLength()) << length;
        }
    }
}

TEST(UninstallItemReadTest, RefusesImpossibleCountsAndNesting) {
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {"negative child count", RecordBytes().Int(0).Int(1).Int(1).Str("d").Int(-1).Get()},
        {"count beyond the bytes left", RecordBytes().Int(0).Int(1).Int(1).Str("d").Int(0x7fffffff).Get()},
        {"two children in room for one", RecordBytes().Int(0).Int(1).Int(1).Str("d").Int(2)
                                              .Int(0).Int(1).Int(2).Str("f").Int(0).Hex("00 00 00 00").Get()},
    };
    for (const Case& c : cases) {
        MemoryStream stream(c.bytes);
        CUninstallItem item;
        EXPECT_EQ(item.Read(stream), 0) << c.what;
    }

    RecordBytes deep;
    for (int i = 0; i < 200; ++i)
        deep.Int(0).Int(1).Int(1).Str("d").Int(1);
    deep.Int(0).Int(1).Int(1).Str("d").Int(0);
    MemoryStream stream(deep.Get());
    CUninstallItem item;
    EXPECT_EQ(item.Read(stream), 0);
}

TEST(UninstallItemReadTest, TypeOtherThanOneIsAFileAndFlagsAreKept) {
    MemoryStream stream(RecordBytes().Int(0).Int(5).Int(9).Str("f").Int(0).Get());
    CUninstallItem item;
    ASSERT_EQ(item.Read(stream), 1);
    EXPECT_EQ(item.m_nType, 9);
    EXPECT_EQ(item.m_bRemove, 5);
}

// The writer's steps, as the extraction takes them, and the bytes they leave.
TEST(RemovalRecordWriterTest, WritesItemRecords) {
    struct Case {
        const char* what;
        void (*write)(CRemovalRecordWriter&);
        std::vector<uint8_t> expected;
    } cases[] = {
        {"directory with link",
         [](CRemovalRecordWriter& w) {
             w.BeginItem(1, 1);
             w.WritePath(1, "C:\\A\\Docs");
             w.WriteLink("P\\Docs.lnk");
             w.BeginList(0);
         },
         RecordBytes().Int(1).Int(1).Int(1).Str("C:\\A\\Docs").Int(3).Str("P\\Docs.lnk").Int(0).Get()},
        {"kept file loses both flags and its link",
         [](CRemovalRecordWriter& w) {
             w.BeginItem(1, 1);
             w.WriteKeptFile("C:\\A\\f.dll");
             w.WriteLink("never");
             w.BeginList(0);
         },
         RecordBytes().Int(0).Int(0).Int(2).Str("C:\\A\\f.dll").Int(0).Get()},
        {"link not made clears the stored flag",
         [](CRemovalRecordWriter& w) {
             w.BeginItem(1, 1);
             w.WritePath(2, "C:\\A\\f.txt");
             w.WriteNoLink();
             w.BeginList(0);
         },
         RecordBytes().Int(0).Int(1).Int(2).Str("C:\\A\\f.txt").Int(0).Get()},
        {"closed before anything was made: no record",
         [](CRemovalRecordWriter& w) {
             w.BeginItem(1, 1);
             w.Close();
         },
         {}},
        {"closed after the path: link owed becomes a cleared flag, count 0",
         [](CRemovalRecordWriter& w) {
             w.BeginItem(1, 1);
             w.WritePath(1, "C:\\A\\D");
             w.Close();
         },
         RecordBytes().Int(0).Int(1).Int(1).Str("C:\\A\\D").Int(0).Get()},
        {"closed inside the children: count becomes the records there",
         [](CRemovalRecordWriter& w) {
             w.BeginItem(0, 1);
             w.WritePath(1, "D");
             w.BeginList(3);
             w.EndListRecord(w.Mark());
             w.Close();
         },
         RecordBytes().Int(0).Int(1).Int(1).Str("D").Int(0).Get()},
        {"complete record: close changes nothing",
         [](CRemovalRecordWriter& w) {
             w.BeginItem(0, 1);
             w.WritePath(2, "f");
             w.BeginList(0);
             w.Close();
         },
         RecordBytes().Int(0).Int(1).Int(2).Str("f").Int(0).Get()},
    };
    for (const Case& c : cases) {
        MemoryStream data;
        CRemovalRecordWriter writer(&data);
        c.write(writer);
        EXPECT_EQ(StreamBytes(data), c.expected) << c.what;
        EXPECT_EQ(data.GetPosition(), data.GetLength()) << c.what;
    }
}

TEST(RemovalRecordWriterTest, ClosesChildRecordsInsideTheParent) {
    MemoryStream data;
    data.Write("head", 4);
    CRemovalRecordWriter parent(&data);
    parent.BeginItem(0, 1);
    parent.WritePath(1, "D");
    parent.BeginList(3);
    for (int i = 0; i < 2; ++i) {
        uint32_t mark = parent.Mark();
        CRemovalRecordWriter child(&data);
        child.BeginItem(0, 1);
        if (i == 0) {
            child.WritePath(2, "D\\a");
            child.BeginList(0);
        } else {
            child.Close();  // nothing made for the second child
        }
        parent.EndListRecord(mark);
    }
    parent.Close();
    EXPECT_EQ(StreamBytes(data), RecordBytes()
                                     .Hex("68 65 61 64")
                                     .Int(0).Int(1).Int(1).Str("D").Int(1)
                                     .Int(0).Int(1).Int(2).Str("D\\a").Int(0)
                                     .Get());
}

TEST(RemovalRecordWriterTest, RootTailOnlyWithAPositiveShortcutCount) {
    struct Case {
        int32_t shortcuts;
        bool close;
        std::vector<uint8_t> tail;
    } cases[] = {
        {0, false, {}},
        {0, true, {}},
        {2, false, RecordBytes().Int(1).Str("P\\App").Int(3).Str("P\\App\\U.lnk").Get()},
        {2, true, RecordBytes().Int(1).Str("P\\App").Int(0).Get()},
    };
    for (const Case& c : cases) {
        MemoryStream data;
        CRemovalRecordWriter root(&data);
        root.BeginRoot(c.shortcuts, 0, 1);
        root.WritePath(1, "C:\\App");
        root.SetProgramFolder("P\\App");
        if (c.close) {
            root.Close();
        } else {
            root.BeginList(0);
            root.BeginList(0);
            root.WriteProgramFolder();
            root.WriteUninstallerLink("P\\App\\U.lnk");
        }
        std::vector<uint8_t> expected = RecordBytes().Int(c.shortcuts).Int(0).Int(1).Int(1).Str("C:\\App").Int(0).Int(0).Get();
        expected.insert(expected.end(), c.tail.begin(), c.tail.end());
        EXPECT_EQ(StreamBytes(data), expected) << c.shortcuts << c.close;
        MemoryStream back(StreamBytes(data));
        CUninstallRoot read;
        EXPECT_EQ(read.Read(back), 1);
        EXPECT_EQ(back.GetPosition(), back.GetLength());
    }
}

TEST(RemovalRecordWriterTest, WithoutUninstallDataWritesNothing) {
    CRemovalRecordWriter writer(nullptr);
    writer.BeginRoot(1, 1, 1);
    writer.WritePath(1, "x");
    writer.WriteKeptFile("y");
    writer.WriteLink("z");
    writer.BeginList(2);
    writer.Close();
    EXPECT_EQ(writer.Mark(), 0u);
}

}  // namespace
