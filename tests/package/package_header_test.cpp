// The leading sections of a setup package, read in order.
#include "package/appended_data.h"
#include "package/memory_stream.h"
#include "package/package_header.h"
#include "package/package_int.h"
#include "package/package_string.h"

#include <gtest/gtest.h>

namespace {

// A fake block: header with U and C, then C bytes.
void WriteFakeBlock(ByteStream& stream, int32_t u, const std::string& groups) {
    WriteInt32(stream, u);
    WriteInt32(stream, int32_t(groups.size()));
    stream.Write(groups.data(), uint32_t(groups.size()));
}

struct Sections {
    bool bitmap = true;
    int32_t uninstallerLength = 5;
    bool license = true;
};

MemoryStream BuildPackage(const Sections& s, uint32_t imageSize = 7) {
    MemoryStream stream;
    stream.Write(std::string(imageSize, 'M').data(), imageSize);
    WritePackageString(stream, "Title");
    WritePackageString(stream, "About it");
    WriteInt32(stream, s.bitmap ? 40 : -7);
    if (s.bitmap)
        WriteFakeBlock(stream, 40, "bitmapgroups");
    WriteInt32(stream, s.uninstallerLength);
    if (s.uninstallerLength > 0)
        stream.Write(std::string(size_t(s.uninstallerLength), 'U').data(), uint32_t(s.uninstallerLength));
    WriteInt32(stream, s.license ? 0 : -1);
    if (s.license)
        WriteFakeBlock(stream, 9, "lic");
    WriteInt32(stream, 3);
    WriteInt32(stream, 12345);
    stream.Write("TREE", 4);
    WriteTrailer(stream, imageSize);
    return stream;
}

TEST(PackageHeaderTest, ReadsEverySectionInOrder) {
    const Sections cases[] = {
        {true, 5, true}, {false, 5, true}, {true, -1, false}, {false, 0, false},
    };
    for (const Sections& s : cases) {
        MemoryStream stream = BuildPackage(s);
        SeekToAppendedData(stream);
        PackageHeader header;
        ASSERT_EQ(ReadPackageHeader(stream, header), PackageHeaderResult::kOk);
        EXPECT_EQ(header.strTitle, "Title");
        EXPECT_EQ(header.strDescription, "About it");
        EXPECT_EQ(header.HasBitmap(), s.bitmap);
        EXPECT_EQ(header.HasUninstaller(), s.uninstallerLength >= 0);
        EXPECT_EQ(header.nUninstallerLength, s.uninstallerLength);
        EXPECT_EQ(header.HasLicense(), s.license);
        EXPECT_EQ(header.nFileCount, 3);
        EXPECT_EQ(header.nTotalBytes, 12345);
        char tree[4];
        ASSERT_EQ(stream.Read(tree, 4), 4u);
        EXPECT_EQ(std::string(tree, 4), "TREE");
        if (header.HasUninstaller() && s.uninstallerLength > 0) {
            stream.Seek(header.nUninstallerImage, ByteStream::kBegin);
            char u;
            stream.Read(&u, 1);
            EXPECT_EQ(u, 'U');
        }
    }
}

TEST(PackageHeaderTest, EveryTruncationIsReportedAndNeverReadsOutOfBounds) {
    MemoryStream whole = BuildPackage(Sections());
    std::vector<uint8_t> bytes = whole.Detach();
    // Cut the package anywhere inside fields 1 to 10: the reader must say so.
    const size_t treeStart = bytes.size() - 8;
    for (size_t cut = 7; cut < treeStart; ++cut) {
        MemoryStream stream(std::vector<uint8_t>(bytes.begin(), bytes.begin() + long(cut)));
        stream.Seek(7, ByteStream::kBegin);
        PackageHeader header;
        EXPECT_EQ(ReadPackageHeader(stream, header), PackageHeaderResult::kTruncated) << cut;
    }
}

TEST(PackageHeaderTest, AnAbsurdUninstallerLengthIsTruncationNotAnAllocation) {
    MemoryStream stream;
    WritePackageString(stream, "T");
    WritePackageString(stream, "");
    WriteInt32(stream, -1);
    WriteInt32(stream, 0x7fffffff);
    stream.Seek(0, ByteStream::kBegin);
    PackageHeader header;
    EXPECT_EQ(ReadPackageHeader(stream, header), PackageHeaderResult::kTruncated);
    EXPECT_FALSE(header.HasUninstaller());
}

}  // namespace
