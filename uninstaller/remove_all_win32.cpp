#include "uninstaller/remove_all.h"

#include "framework/unique_handle.h"
#include "framework/wait_cursor.h"
#include "items/registration_key.h"
#include "items/registry_keys_win32.h"
#include "items/uninstall_data.h"
#include "package/appended_data.h"
#include "package/file_stream.h"
#include "uninstaller/uninstall_remove.h"

namespace {

bool ReadOwnData(const std::string& executablePath, UninstallData& data) {
    FileStream executable;
    if (executablePath.empty() || !executable.Open(executablePath, FileStream::kReadDenyWrite))
        return false;
    try {
        return ReadUninstallData(executable, data);
    } catch (const CFileException&) {
        return false;
    }
}

// Opens (or creates) the key first and deletes it only when a handle came back, as the
// installer made it: its two values, then the key.
void RemoveRegistration(const std::string& title) {
    std::string keyPath;
    if (!GetRegistrationKeyPath(title, keyPath))
        return;
    CUniqueRegKey key;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                    nullptr, key.Put(), nullptr);
    if (!key)
        return;
    RegDeleteValueA(key.Get(), "DisplayName");
    RegDeleteValueA(key.Get(), "UninstallString");
    key.Reset();
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, keyPath.c_str());
}

}  // namespace

int RemoveAllFrom(const std::string& executablePath, RemovalLog& fileLog, RemovalLog& shortcutLog) {
    UninstallData data;
    if (!ReadOwnData(executablePath, data))
        return 0;
    RemoveRoot(data.root, fileLog, shortcutLog);
    RemoveRegistryList(data.currentUser, HKEY_CURRENT_USER);
    RemoveRegistryList(data.localMachine, HKEY_LOCAL_MACHINE);
    RemoveRegistration(data.strTitle);
    return 1;
}

int RemoveAll(RemovalLog& fileLog, RemovalLog& shortcutLog) {
    CWaitCursor waitCursor;
    return RemoveAllFrom(GetModulePath(), fileLog, shortcutLog);
}
