#include "items/item_name.h"

#include "package/package_string.h"

#include <cstring>

namespace {

char Upper(char c) {
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

bool EqualsUpper(const std::string& text, const char* upper) {
    if (text.size() != std::strlen(upper))
        return false;
    for (size_t i = 0; i < text.size(); ++i) {
        if (Upper(text[i]) != upper[i])
            return false;
    }
    return true;
}

// Windows opens the device for these whatever extension follows, and ignores spaces
// before the extension. COM and LPT also take the superscript digits 1 to 3.
bool IsDeviceName(const std::string& name) {
    std::string base = name.substr(0, name.find('.'));
    while (!base.empty() && base.back() == ' ')
        base.pop_back();
    static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
    for (const char* device : kDevices) {
        if (EqualsUpper(base, device))
            return true;
    }
    if (base.size() != 4)
        return false;
    std::string stem = base.substr(0, 3);
    if (!EqualsUpper(stem, "COM") && !EqualsUpper(stem, "LPT"))
        return false;
    unsigned char digit = static_cast<unsigned char>(base[3]);
    return (digit >= '1' && digit <= '9') || digit == 0xB9 || digit == 0xB2 || digit == 0xB3;
}

}  // namespace

ItemNameFault CheckItemName(const std::string& name) {
    if (name.empty())
        return ItemNameFault::kEmpty;
    if (name.size() > kMaxPackageString)
        return ItemNameFault::kTooLong;
    if (name == "." || name == "..")
        return ItemNameFault::kDotName;
    for (char c : name) {
        if (c == '\\' || c == '/')
            return ItemNameFault::kSeparator;
        if (static_cast<unsigned char>(c) < 0x20 || std::strchr("<>:\"|?*", c))
            return ItemNameFault::kForbiddenChar;
    }
    if (name.back() == '.' || name.back() == ' ')
        return ItemNameFault::kTrailingDotOrSpace;
    if (IsDeviceName(name))
        return ItemNameFault::kDeviceName;
    return ItemNameFault::kNone;
}
