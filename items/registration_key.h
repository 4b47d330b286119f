// The registration with the system's list of installed programs: one key per product,
// named after its title, below HKEY_LOCAL_MACHINE.
#pragma once

#include <string>

constexpr char kUninstallKeyPrefix[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

// The registration key's path for title. False, with no path, when the title would
// name another key: an empty title names the list of installed programs itself, and a
// backslash would reach into another key.
inline bool GetRegistrationKeyPath(const std::string& title, std::string& keyPath) {
    if (title.empty() || title.find('\\') != std::string::npos)
        return false;
    keyPath = kUninstallKeyPrefix + title;
    return true;
}
