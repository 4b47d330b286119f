// A shortcut made for an installed item and recorded in its removal record.
#pragma once

#include "items/uninstall_record.h"

#include <string>

// Makes folder\linkName.lnk opening target, described by linkName, and records its
// link pair. No link is made, and the record says so, when the folder is empty or the
// link path is longer than the uninstall data can hold (256 characters). A link that
// cannot be saved is recorded all the same; removing it later fails harmlessly.
void MakeRecordedLink(const std::string& folder, const std::string& target, const std::string& linkName,
                      CRemovalRecordWriter& record);
