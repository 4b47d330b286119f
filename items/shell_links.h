// Shortcuts: where the Start menu's Programs folder is, and writing one shell link
// file. Free functions without state; CreateShortcut needs COM on the calling thread.
#pragma once

#include <string>

// The per-user Programs folder, else the all-users one; empty when neither is known.
std::string GetProgramsFolder();

// Writes a link at linkPath that opens target, with description. TRUE when the link
// file was saved. An existing link of that name is replaced; the folder must exist.
// A link path longer than 259 characters is refused (FALSE, nothing written).
int CreateShortcut(const std::string& target, const std::string& linkPath, const std::string& description);
