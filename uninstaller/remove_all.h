// The removal engine: undoes the installation that an uninstaller executable describes.
#pragma once

#include "uninstaller/removal_log.h"

#include <string>

// Reads the uninstall data of the executable at path and removes, in this order: the
// installation folder's contents, the installation folder, its shortcut, the system
// items, the uninstaller's shortcut, the program folder (all logged), the flagged
// HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE registry entries, and the registration key
// (skipped for a title that would name another key). Returns 1 when it got to the end;
// 0, having removed nothing, when the executable cannot be opened or does not carry
// whole uninstall data (items/uninstall_data.h).
int RemoveAllFrom(const std::string& executablePath, RemovalLog& fileLog, RemovalLog& shortcutLog);

// RemoveAllFrom the running executable, with the wait cursor shown.
int RemoveAll(RemovalLog& fileLog, RemovalLog& shortcutLog);
