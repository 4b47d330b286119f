#include "uninstaller/uninstall_remove.h"

#include "items/file_system.h"

int RemoveItem(const CUninstallItem& item, RemovalLog& fileLog, RemovalLog& shortcutLog) {
    for (const auto& child : item.m_children)
        RemoveItem(*child, fileLog, shortcutLog);
    if (item.m_bRemove) {
        if (item.m_nType == kRemovalTypeDirectory)
            fileLog.push_back(FormatRemovalLine(kLogRemoveDirectory, item.m_strPath,
                                                RemoveEmptyDirectory(item.m_strPath)));
        else
            fileLog.push_back(FormatRemovalLine(kLogRemoveFile, item.m_strPath, DeleteFileAt(item.m_strPath)));
    }
    if (item.m_bShortcut)
        shortcutLog.push_back(FormatRemovalLine(kLogRemoveShortcut, item.m_strShortcut,
                                                DeleteFileAt(item.m_strShortcut)));
    return 1;
}

int RemoveRoot(const CUninstallRoot& root, RemovalLog& fileLog, RemovalLog& shortcutLog) {
    RemoveItem(root, fileLog, shortcutLog);
    for (const auto& item : root.m_systemItems)
        RemoveItem(*item, fileLog, shortcutLog);
    if (!root.m_strUninstallerShortcut.empty())
        shortcutLog.push_back(FormatRemovalLine(kLogRemoveUninstallerShortcut, root.m_strUninstallerShortcut,
                                                DeleteFileAt(root.m_strUninstallerShortcut)));
    if (!root.m_strProgramFolder.empty())
        shortcutLog.push_back(FormatRemovalLine(kLogRemoveProgramFolder, root.m_strProgramFolder,
                                                RemoveEmptyDirectory(root.m_strProgramFolder)));
    return 1;
}
