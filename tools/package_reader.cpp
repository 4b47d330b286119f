#include "tools/package_reader.h"

#include "codec/decompress.h"
#include "items/install_records.h"
#include "items/item_name.h"
#include "package/appended_data.h"
#include "package/package_int.h"
#include "package/package_string.h"
#include "tools/tool_error.h"
#include "tools/tree_builder.h"

namespace {

// Reads the records in order, checking each field against the end of the package
// (the trailer's first byte).
class CCheckedReader {
public:
    CCheckedReader(ByteStream& stream, const std::string& path, uint32_t end)
        : m_stream(stream), m_strPath(path), m_nEnd(end) {}

    [[noreturn]] void Fail(uint32_t offset, const std::string& message) const {
        throw CToolError(kExitDamaged, m_strPath + ": offset " + std::to_string(offset) + ": " + message);
    }

    uint32_t Position() const { return m_stream.GetPosition(); }
    uint32_t End() const { return m_nEnd; }
    ByteStream& Stream() { return m_stream; }

    int32_t Int(const std::string& what) {
        uint32_t at = Position();
        int32_t value = 0;
        if (at > m_nEnd || m_nEnd - at < 4 || !ReadInt32(m_stream, value))
            Fail(at, what + " is cut off");
        return value;
    }

    int32_t Count(const std::string& what) {
        uint32_t at = Position();
        int32_t count = Int(what);
        if (count < 0)
            Fail(at, what + " is negative (" + std::to_string(count) + ")");
        return count;
    }

    std::string String(const std::string& what) {
        uint32_t at = Position();
        std::string text = ReadPackageString(m_stream);
        uint64_t after = uint64_t(at) + text.size() + 1;
        if (after > m_nEnd)
            Fail(at, what + " has no terminator before the end of the package");
        if (text.size() == kMaxPackageString) {
            uint8_t terminator = 1;
            m_stream.Seek(int64_t(after) - 1, ByteStream::kBegin);
            m_stream.Read(&terminator, 1);
            if (terminator != 0)
                Fail(at, what + " is longer than the 256 characters a reader takes back");
        }
        return text;
    }

    BlockInfo Block(const std::string& what) {
        BlockInfo block;
        block.nOffset = Position();
        block.nSize = Int(what + " block's uncompressed size");
        block.nCompressed = Int(what + " block's compressed size");
        if (block.nSize < 0)
            Fail(block.nOffset, what + " block has a negative size (" + std::to_string(block.nSize) + ")");
        if (block.nCompressed < 0)
            Fail(block.nOffset, what + " block has a negative compressed size (" + std::to_string(block.nCompressed) + ")");
        Skip(block.nOffset, uint32_t(block.nCompressed), what + " block");
        return block;
    }

    void Skip(uint32_t from, uint32_t count, const std::string& what) {
        uint32_t at = Position();
        if (at > m_nEnd || m_nEnd - at < count)
            Fail(from, what + " of " + std::to_string(count) + " bytes reaches past the end of the package");
        m_stream.Seek(int64_t(at) + count, ByteStream::kBegin);
    }

    void Items(int32_t count, std::vector<PackedItem>& items, int depth, const std::string& folder) {
        for (int32_t i = 0; i < count; ++i) {
            items.emplace_back();
            Item(items.back(), depth, folder);
        }
    }

private:
    void Item(PackedItem& item, int depth, const std::string& folder) {
        item.nOffset = Position();
        if (depth >= kMaxItemDepth)
            Fail(item.nOffset, "items are nested deeper than " + std::to_string(kMaxItemDepth) + " levels");
        item.nType = Int("item type");
        item.bShortcut = Int("item shortcut flag");
        item.bRemove = Int("item remove flag");
        uint32_t nameAt = Position();
        item.strName = String("item name");
        std::string path = folder.empty() ? item.strName : folder + "/" + item.strName;
        ItemNameFault fault = CheckItemName(item.strName);
        if (fault != ItemNameFault::kNone)
            Fail(nameAt, "item name '" + path + "' is not one plain file name: " + DescribeNameFault(fault));
        if (item.IsFile()) {
            item.nTime = Int("file time of '" + path + "'");
            item.data = Block("file data of '" + path + "'");
        }
        Items(Count("child count of '" + path + "'"), item.children, depth + 1, path);
    }

    ByteStream& m_stream;
    std::string m_strPath;
    uint32_t m_nEnd;
};

void ReadList(CCheckedReader& reader, CRegistryList& list, uint32_t& offset, const char* what) {
    offset = reader.Position();
    if (!list.Read(reader.Stream()) || reader.Position() > reader.End())
        reader.Fail(offset, std::string(what) + " registry list is damaged or cut off");
}

}  // namespace

void ReadPackage(ByteStream& file, const std::string& path, PackageContents& contents) {
    contents.nLength = file.GetLength();
    if (contents.nLength < kTrailerSize)
        throw CToolError(kExitDamaged, path + ": offset 0: the file is too short to hold a package trailer");
    uint32_t end = contents.nLength - kTrailerSize;
    file.Seek(end, ByteStream::kBegin);
    int32_t start = ReadInt32Or(file, 0);
    if (start < 0 || uint32_t(start) > end)
        throw CToolError(kExitDamaged, path + ": offset " + std::to_string(end) + ": the trailer points at offset " +
                                           std::to_string(start) + ", outside the file");
    contents.nPackageOffset = uint32_t(start);
    file.Seek(start, ByteStream::kBegin);

    CCheckedReader reader(file, path, end);
    contents.strTitle = reader.String("title");
    contents.strDescription = reader.String("description");
    if (IsPresent(reader.Int("bitmap marker"))) {
        contents.bHasBitmap = true;
        contents.bitmap = reader.Block("bitmap");
    }
    uint32_t lengthAt = reader.Position();
    contents.nUninstallerLength = reader.Int("uninstaller length");
    if (contents.nUninstallerLength >= 0) {
        contents.bHasUninstaller = true;
        contents.nUninstallerOffset = reader.Position();
        reader.Skip(lengthAt, uint32_t(contents.nUninstallerLength), "uninstaller image");
    }
    if (IsPresent(reader.Int("license marker"))) {
        contents.bHasLicense = true;
        contents.license = reader.Block("license");
    }
    contents.nFileCount = reader.Int("file count");
    contents.nTotalBytes = reader.Int("total size");

    contents.nTreeOffset = reader.Position();
    contents.nShortcutCount = reader.Int("shortcut count");
    contents.nRootType = reader.Int("root type");
    contents.bRootShortcut = reader.Int("root shortcut flag");
    contents.bRootRemove = reader.Int("root remove flag");
    uint32_t nameAt = reader.Position();
    contents.strRootName = reader.String("root name");
    ItemNameFault fault = CheckItemName(contents.strRootName);
    if (fault != ItemNameFault::kNone)
        reader.Fail(nameAt, "the root name '" + contents.strRootName + "' is not one plain file name: " +
                                DescribeNameFault(fault));
    reader.Items(reader.Count("root child count"), contents.children, 0, "");
    reader.Items(reader.Count("system item count"), contents.systemItems, 0, "");

    ReadList(reader, contents.user, contents.nUserListOffset, "the current-user");
    ReadList(reader, contents.machine, contents.nMachineListOffset, "the local-machine");
    if (reader.Position() != end)
        reader.Fail(reader.Position(), std::to_string(end - reader.Position()) +
                                           " unexpected bytes between the registry lists and the trailer");
}

void ExpandBlock(ByteStream& file, const std::string& path, const BlockInfo& block, ByteStream& destination,
                 const std::string& what) {
    file.Seek(block.nOffset, ByteStream::kBegin);
    int32_t size = DecompressBlock(file, destination, nullptr, nullptr);
    if (size != block.nSize || file.GetPosition() != block.nOffset + 8 + uint32_t(block.nCompressed))
        throw CToolError(kExitDamaged, path + ": offset " + std::to_string(block.nOffset) + ": " + what +
                                           " block is damaged and does not expand to its " +
                                           std::to_string(block.nSize) + " bytes");
}
