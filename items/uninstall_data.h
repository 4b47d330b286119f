// Reading the uninstall data of an uninstaller executable (layout in
// items/uninstall_record.h), and only when it is whole: removals are never driven by
// bytes that are not uninstall data.
#pragma once

#include "items/registry_entry.h"
#include "items/uninstall_record.h"
#include "package/byte_stream.h"

#include <string>

struct UninstallData {
    std::string strTitle;
    std::string strDescription;
    CUninstallRoot root;
    CRegistryList currentUser;   // below HKEY_CURRENT_USER\Software
    CRegistryList localMachine;  // below HKEY_LOCAL_MACHINE\Software
};

// The most uninstall data a reader takes in; far beyond what any installation records.
constexpr uint32_t kMaxUninstallDataSize = 64u << 20;

// Reads everything the uninstaller needs from the executable. True only when the
// trailer points inside the file, after its first byte, at no more than
// kMaxUninstallDataSize bytes, and the title, the description, the root removal record
// and both registry lists read back whole and end exactly at the trailer. So the bare
// uninstaller image (its last four bytes are zero), a foreign trailer and truncated or
// misaligned records all give false. Errors of the medium propagate as CFileException.
bool ReadUninstallData(ByteStream& executable, UninstallData& data);
