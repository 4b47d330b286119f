// Removing what the removal records describe, bottom-up, into the two logs. Nothing is
// deleted recursively: a directory goes only when it is empty by then.
#pragma once

#include "items/uninstall_record.h"
#include "uninstaller/removal_log.h"

// Removes the item's children in stored order, then the item itself when its remove
// flag is set (one file log line), then its shortcut when its shortcut flag is set (one
// shortcut log line). Failures are logged and never stop the walk. Returns 1.
int RemoveItem(const CUninstallItem& item, RemovalLog& fileLog, RemovalLog& shortcutLog);

// Removes the installation folder as an item, then the system items in stored order,
// then the uninstaller's shortcut and the program folder when they were recorded.
// Returns 1.
int RemoveRoot(const CUninstallRoot& root, RemovalLog& fileLog, RemovalLog& shortcutLog);
