// The rule for a name in the install tree: one plain file name that Windows can create
// as given, inside the folder that receives it. The builder refuses other names before
// it writes anything; readers of a package refuse them as damage.
#pragma once

#include <string>

enum class ItemNameFault {
    kNone,
    kEmpty,
    kTooLong,         // more than the 256 characters a reader takes back
    kSeparator,       // '\' or '/'
    kDotName,         // "." or ".."
    kForbiddenChar,   // control character or one of < > : " | ? *
    kTrailingDotOrSpace,  // Windows would drop it and name another file
    kDeviceName,      // CON, NUL, COM1, LPT1, … with or without an extension
};

ItemNameFault CheckItemName(const std::string& name);

inline bool IsPlainItemName(const std::string& name) {
    return CheckItemName(name) == ItemNameFault::kNone;
}
