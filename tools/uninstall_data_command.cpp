// `uninstall-data`: what an installed uninstaller would remove.
#include "tools/commands.h"

#include "items/uninstall_data.h"
#include "package/file_stream.h"
#include "tools/json_writer.h"
#include "tools/package_listing.h"
#include "tools/tool_error.h"

#include <iostream>

namespace {

std::string Flags(int32_t shortcut, int32_t remove) {
    return std::string(shortcut ? "S" : "-") + (remove ? "R" : "-");
}

void PrintItems(const UninstallItemList& items, int depth, std::ostream& out) {
    for (const auto& item : items) {
        out << Flags(item->m_bShortcut, item->m_bRemove) << "  " << (item->m_nType == kRemovalTypeDirectory ? "dir " : "file")
            << "  " << std::string(size_t(depth) * 2, ' ') << item->m_strPath << "\n";
        if (item->m_bShortcut)
            out << "          " << std::string(size_t(depth) * 2, ' ') << "link " << item->m_strShortcut << "\n";
        PrintItems(item->m_children, depth + 1, out);
    }
}

void WriteItemsJson(CJsonWriter& json, const char* key, const UninstallItemList& items) {
    json.BeginArray(key);
    for (const auto& item : items) {
        json.BeginObject()
            .String("path", item->m_strPath)
            .String("type", item->m_nType == kRemovalTypeDirectory ? "directory" : "file")
            .Int("typeValue", item->m_nType)
            .Bool("shortcut", item->m_bShortcut != 0)
            .Bool("remove", item->m_bRemove != 0);
        if (item->m_bShortcut)
            json.String("link", item->m_strShortcut);
        WriteItemsJson(json, "children", item->m_children);
        json.EndObject();
    }
    json.EndArray();
}

}  // namespace

int RunUninstallData(const std::string& uninstaller, bool json) {
    FileStream file;
    CFileException error(CFileException::kGeneric, 0);
    if (!file.Open(uninstaller, FileStream::kReadDenyWrite, &error))
        throw CToolError(kExitIo, uninstaller + " cannot be opened (" + CFileException::CauseName(error.GetCause()) + ")");
    UninstallData data;
    if (!ReadUninstallData(file, data))
        throw CToolError(kExitDamaged, uninstaller + ": no whole uninstall data: the trailer, a removal record or a "
                                                     "registry list is damaged or cut off, or this is a bare "
                                                     "uninstaller that was never installed");
    const CUninstallRoot& root = data.root;
    if (json) {
        CJsonWriter writer(std::cout);
        writer.BeginObject()
            .String("file", uninstaller)
            .String("title", data.strTitle)
            .String("description", data.strDescription)
            .BeginObject("root")
            .Int("shortcutCount", root.m_nShortcuts)
            .String("path", root.m_strPath)
            .Bool("shortcut", root.m_bShortcut != 0)
            .Bool("remove", root.m_bRemove != 0);
        if (root.m_bShortcut)
            writer.String("link", root.m_strShortcut);
        WriteItemsJson(writer, "children", root.m_children);
        WriteItemsJson(writer, "systemItems", root.m_systemItems);
        writer.String("programFolder", root.m_strProgramFolder)
            .String("uninstallerLink", root.m_strUninstallerShortcut)
            .EndObject()
            .BeginObject("registry");
        WriteRegistryJson(writer, "currentUser", data.currentUser);
        WriteRegistryJson(writer, "localMachine", data.localMachine);
        writer.EndObject().EndObject();
        writer.Finish();
        return kExitOk;
    }
    std::cout << uninstaller << ": uninstall data\n";
    std::cout << "title           " << data.strTitle << "\n";
    std::cout << "description     " << data.strDescription << "\n";
    std::cout << "shortcuts       " << root.m_nShortcuts << "\n";
    std::cout << "program folder  " << (root.m_strProgramFolder.empty() ? "(none)" : root.m_strProgramFolder) << "\n";
    std::cout << "uninstaller     " << (root.m_strUninstallerShortcut.empty() ? "(no link)" : root.m_strUninstallerShortcut)
              << "\n\n";
    std::cout << Flags(root.m_bShortcut, root.m_bRemove) << "  dir   " << root.m_strPath << "  (installation folder)\n";
    if (root.m_bShortcut)
        std::cout << "          link " << root.m_strShortcut << "\n";
    PrintItems(root.m_children, 1, std::cout);
    std::cout << "--  (system directory)\n";
    PrintItems(root.m_systemItems, 1, std::cout);
    std::cout << "\n";
    PrintRegistryList(data.currentUser, "HKEY_CURRENT_USER", std::cout);
    PrintRegistryList(data.localMachine, "HKEY_LOCAL_MACHINE", std::cout);
    return kExitOk;
}
