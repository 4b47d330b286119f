#include "tests/extract/test_package.h"

#include "codec/compress.h"
#include "package/memory_stream.h"
#include "package/package_int.h"
#include "package/package_string.h"

#include <utility>

TestItem TestDir(const std::string& name, std::vector<TestItem> children, int32_t shortcut, int32_t remove) {
    TestItem item;
    item.strName = name;
    item.children = std::move(children);
    item.bShortcut = shortcut;
    item.bRemove = remove;
    return item;
}

TestItem TestFile(const std::string& name, const std::string& content, int32_t time, int32_t shortcut,
                  int32_t remove) {
    TestItem item;
    item.nType = kItemTypeFile;
    item.strName = name;
    item.strContent = content;
    item.nTime = time;
    item.bShortcut = shortcut;
    item.bRemove = remove;
    return item;
}

void WriteTestItem(ByteStream& package, const TestItem& item) {
    WriteInt32(package, item.nType);
    WriteInt32(package, item.bShortcut);
    WriteInt32(package, item.bRemove);
    WritePackageString(package, item.strName);
    if (item.nType != kItemTypeDirectory) {
        WriteInt32(package, item.nTime);
        MemoryStream content(std::vector<uint8_t>(item.strContent.begin(), item.strContent.end()));
        CompressBlock(content, package, 0, nullptr, nullptr);
    }
    WriteInt32(package, int32_t(item.children.size()));
    for (const TestItem& child : item.children)
        WriteTestItem(package, child);
}

void WriteTestSection(ByteStream& package, const TestSection& section) {
    WriteInt32(package, section.nShortcuts);
    WriteInt32(package, kRootType);
    WriteInt32(package, section.bShortcut);
    WriteInt32(package, section.bRemove);
    WritePackageString(package, section.strName);
    WriteInt32(package, int32_t(section.children.size()));
    for (const TestItem& child : section.children)
        WriteTestItem(package, child);
    WriteInt32(package, int32_t(section.system.size()));
    for (const TestItem& item : section.system)
        WriteTestItem(package, item);
}
