// The install driver's own steps around the extraction, for tests that install without
// the setup dialog: the start of the uninstall data, the registration with the list of
// installed programs, and the uninstaller file.
#pragma once

#include "framework/unique_handle.h"
#include "items/registration_key.h"
#include "items/registry_entry.h"
#include "package/appended_data.h"
#include "package/file_stream.h"
#include "package/memory_stream.h"
#include "package/package_string.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// The uninstaller image, the title, then the description (the title when it is empty).
inline void BeginUninstallData(MemoryStream& data, const std::vector<uint8_t>& image, const std::string& title,
                               const std::string& description) {
    data.Write(image.data(), uint32_t(image.size()));
    WritePackageString(data, title);
    WritePackageString(data, description.empty() ? title : description);
}

// The title's registration key with "DisplayName" and the quoted "UninstallString".
// False when the title names no key of its own or the key cannot be written.
inline bool WriteRegistration(const std::string& title, const std::string& uninstallerPath) {
    std::string keyPath;
    if (!GetRegistrationKeyPath(title, keyPath))
        return false;
    CUniqueRegKey key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, key.Put(), nullptr) != ERROR_SUCCESS)
        return false;
    std::string command = "\"" + uninstallerPath + "\"";
    auto set = [&](const char* name, const std::string& text) {
        return RegSetValueExA(key.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                              DWORD(text.size() + 1)) == ERROR_SUCCESS;
    };
    return set("DisplayName", title) && set("UninstallString", command);
}

// Appends both lists' records and the trailer (the image's length, where the title
// starts), then writes everything to the uninstaller file in one go. False when the
// file cannot be created.
inline bool FinishUninstaller(MemoryStream& data, const CRegistryList& currentUser, const CRegistryList& localMachine,
                              uint32_t imageLength, const std::string& path) {
    currentUser.Write(data);
    localMachine.Write(data);
    WriteTrailer(data, imageLength);
    FileStream file;
    if (!file.Open(path, FileStream::kCreateDenyWrite))
        return false;
    std::vector<uint8_t> bytes = data.Detach();
    file.Write(bytes.data(), uint32_t(bytes.size()));
    return true;
}
