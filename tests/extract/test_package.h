// Install tree sections for tests, written with the record writers: any tree, any
// flags, any names (damaged ones too).
#pragma once

#include "items/install_records.h"
#include "package/byte_stream.h"

#include <cstdint>
#include <string>
#include <vector>

struct TestItem {
    int32_t nType = kItemTypeDirectory;
    int32_t bShortcut = 0;
    int32_t bRemove = 1;
    std::string strName;
    int32_t nTime = 0;
    std::string strContent;
    std::vector<TestItem> children;
};

TestItem TestDir(const std::string& name, std::vector<TestItem> children = {}, int32_t shortcut = 0,
                 int32_t remove = 1);
TestItem TestFile(const std::string& name, const std::string& content, int32_t time = 0, int32_t shortcut = 0,
                  int32_t remove = 1);

struct TestSection {
    int32_t nShortcuts = 0;
    int32_t bShortcut = 0;
    int32_t bRemove = 1;
    std::string strName = "Product";
    std::vector<TestItem> children;
    std::vector<TestItem> system;
};

// An item record with its file data compressed, children depth first.
void WriteTestItem(ByteStream& package, const TestItem& item);
// The install tree section.
void WriteTestSection(ByteStream& package, const TestSection& section);
