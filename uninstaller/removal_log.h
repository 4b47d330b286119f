// The two logs of a removal, one line per attempt, shown by the summary afterwards:
// a prefix, the path compacted to 45 characters, a closing quote, dots up to column 80
// (at least 4), then "ok\r\n" or "failed\r\n".
#pragma once

#include <string>
#include <vector>

using RemovalLog = std::vector<std::string>;

constexpr char kLogRemoveDirectory[] = "Remove Directory \"";
constexpr char kLogRemoveFile[] = "Remove File \"";
constexpr char kLogRemoveShortcut[] = "Remove Shortcut \"";
constexpr char kLogRemoveUninstallerShortcut[] = "Remove Uninstaller Shortcut \"";
constexpr char kLogRemoveProgramFolder[] = "Remove Program Folder \"";

std::string FormatRemovalLine(const char* prefix, const std::string& path, bool removed);
