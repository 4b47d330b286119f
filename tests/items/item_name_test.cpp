// The plain item name rule shared by the builder and the installer.
#include "items/item_name.h"

#include <gtest/gtest.h>

namespace {

TEST(ItemNameTest, AcceptsPlainNamesAndNamesEachFault) {
    const struct {
        std::string name;
        ItemNameFault fault;
    } cases[] = {
        {"readme.txt", ItemNameFault::kNone},
        {"Uninstall Demo.exe", ItemNameFault::kNone},
        {".hidden", ItemNameFault::kNone},
        {"a..b", ItemNameFault::kNone},
        {"CONSOLE.txt", ItemNameFault::kNone},
        {"COM10", ItemNameFault::kNone},
        {"LPT0", ItemNameFault::kNone},
        {"\xE9t\xE9.txt", ItemNameFault::kNone},
        {std::string(256, 'n'), ItemNameFault::kNone},
        {"", ItemNameFault::kEmpty},
        {std::string(257, 'n'), ItemNameFault::kTooLong},
        {"a/b", ItemNameFault::kSeparator},
        {"a\\b", ItemNameFault::kSeparator},
        {"\\", ItemNameFault::kSeparator},
        {".", ItemNameFault::kDotName},
        {"..", ItemNameFault::kDotName},
        {"C:", ItemNameFault::kForbiddenChar},
        {"a:stream", ItemNameFault::kForbiddenChar},
        {"what?", ItemNameFault::kForbiddenChar},
        {"*", ItemNameFault::kForbiddenChar},
        {"a<b>", ItemNameFault::kForbiddenChar},
        {"pipe|", ItemNameFault::kForbiddenChar},
        {"quote\"", ItemNameFault::kForbiddenChar},
        {std::string("nul\0byte", 8), ItemNameFault::kForbiddenChar},
        {"tab\there", ItemNameFault::kForbiddenChar},
        {"name.", ItemNameFault::kTrailingDotOrSpace},
        {"name ", ItemNameFault::kTrailingDotOrSpace},
        {"...", ItemNameFault::kTrailingDotOrSpace},
        {"CON", ItemNameFault::kDeviceName},
        {"con", ItemNameFault::kDeviceName},
        {"Nul.txt", ItemNameFault::kDeviceName},
        {"aux.tar.gz", ItemNameFault::kDeviceName},
        {"PRN .log", ItemNameFault::kDeviceName},
        {"COM1", ItemNameFault::kDeviceName},
        {"lpt9.doc", ItemNameFault::kDeviceName},
        {"COM\xB9", ItemNameFault::kDeviceName},
        {"CONIN$", ItemNameFault::kDeviceName},
        {"conout$.x", ItemNameFault::kDeviceName},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CheckItemName(c.name), c.fault) << '"' << c.name << '"';
        EXPECT_EQ(IsPlainItemName(c.name), c.fault == ItemNameFault::kNone) << '"' << c.name << '"';
    }
}

}  // namespace
