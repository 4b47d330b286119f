// Installing the install tree section: the destination folder, the program folder with
// the root's and the uninstaller's shortcuts, the items below the destination and the
// system items, with the root removal record.
#include "items/install_places.h"

#include "items/compact_path.h"
#include "items/file_system.h"
#include "items/install_records.h"
#include "items/item_name.h"
#include "items/recorded_link.h"
#include "items/shell_links.h"
#include "items/uninstall_record.h"
#include "package/file_exception.h"
#include "package/package_int.h"
#include "package/package_string.h"

namespace {

constexpr int kShownChars = 50;

// The uninstaller's link name: its file name without the extension.
std::string UninstallerLinkName(const std::string& uninstallerPath) {
    std::string name = uninstallerPath.substr(uninstallerPath.find_last_of('\\') + 1);
    size_t dot = name.find_last_of('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

bool InstallItems(InstallItemList& items, int32_t count, ByteStream& package, const std::string& parentPath,
                  CRemovalRecordWriter& record, ByteStream* uninstallData, CExtractSignals* signals,
                  const std::string& programFolder) {
    record.BeginList(count);
    for (int32_t i = 0; i < count; ++i) {
        items.push_back(std::make_unique<CInstallItem>());
        uint32_t mark = record.Mark();
        int done = items.back()->Extract(package, parentPath, uninstallData, signals, &programFolder);
        record.EndListRecord(mark);
        if (!done)
            return false;
    }
    return true;
}

bool InstallSection(CInstallRoot& root, ByteStream& package, const std::string& destination,
                    CRemovalRecordWriter& record, ByteStream* uninstallData, CExtractSignals* signals,
                    const InstallPlaces& places) {
    int32_t shortcutCount = 0;
    int32_t rootType = 0;
    int32_t shortcut = 0;
    int32_t remove = 0;
    bool headRead = ReadInt32(package, shortcutCount) && ReadInt32(package, rootType) &&
                    ReadInt32(package, shortcut) && ReadInt32(package, remove);
    std::string name = headRead ? ReadPackageString(package) : std::string();
    if (!headRead || !IsPlainItemName(name) || destination.size() > kMaxPackageString)
        return false;
    root.m_bShortcut = shortcut;
    root.m_bRemove = remove;
    root.m_strName = name;
    record.BeginRoot(shortcutCount, shortcut, remove);

    MakeDirectory(destination);
    if (signals)
        signals->ShowItem(CompactPath(destination, kShownChars), CompactPath(name, kShownChars));
    record.WritePath(kRemovalTypeDirectory, destination);

    // Without a Programs folder there is no program folder, and no link is made
    // anywhere else instead.
    std::string programFolder;
    if (shortcutCount > 0 && !places.strProgramsFolder.empty()) {
        programFolder = places.strProgramsFolder + "\\" + name;
        if (programFolder.size() > kMaxPackageString)
            programFolder.clear();
        else
            MakeDirectory(programFolder);
    }
    record.SetProgramFolder(programFolder);
    if (root.m_bShortcut)
        MakeRecordedLink(programFolder, destination, name, record);

    int32_t childCount = 0;
    if (!ReadInt32(package, childCount) || childCount < 0)
        return false;
    if (!InstallItems(root.m_children, childCount, package, destination, record, uninstallData, signals,
                      programFolder))
        return false;

    int32_t systemCount = 0;
    if (!ReadInt32(package, systemCount) || systemCount < 0)
        return false;
    if (systemCount > 0 && places.strSystemDirectory.empty())
        return false;
    if (!InstallItems(root.m_systemItems, systemCount, package, places.strSystemDirectory, record,
                      uninstallData, signals, programFolder))
        return false;

    // The program folder record and the uninstaller's link exist only when the count is
    // positive: that is what the reader expects.
    if (shortcutCount > 0) {
        record.WriteProgramFolder();
        std::string linkName = UninstallerLinkName(root.m_strUninstaller);
        std::string linkPath = programFolder + "\\" + linkName + ".lnk";
        if (!root.m_strUninstaller.empty() && !programFolder.empty() && linkPath.size() <= kMaxPackageString) {
            CreateShortcut(root.m_strUninstaller, linkPath, linkName);
            record.WriteUninstallerLink(linkPath);
        } else {
            record.WriteNoUninstallerLink();
        }
    }
    return true;
}

}  // namespace

InstallPlaces GetInstallPlaces() {
    InstallPlaces places;
    places.strProgramsFolder = GetProgramsFolder();
    places.strSystemDirectory = GetSystemDirectoryPath();
    return places;
}

int InstallRootAt(CInstallRoot& root, ByteStream& package, const std::string& destination,
                  ByteStream* uninstallData, CExtractSignals* signals, const InstallPlaces& places) {
    while (!root.m_children.empty())
        root.m_children.pop_back();
    while (!root.m_systemItems.empty())
        root.m_systemItems.pop_back();
    CRemovalRecordWriter record(uninstallData);
    bool done = false;
    try {
        done = InstallSection(root, package, destination, record, uninstallData, signals, places);
    } catch (const CFileException&) {
        done = false;
    }
    if (!done) {
        // Nothing was made for a damaged head or a destination the data could not
        // hold; the record says so: no shortcuts, nothing to remove.
        if (!record.IsBegun()) {
            record.BeginRoot(0, 0, 0);
            record.WritePath(kRemovalTypeDirectory,
                             destination.size() > kMaxPackageString ? std::string() : destination);
        }
        record.Close();
    }
    return done ? 1 : 0;
}

int CInstallRoot::Install(ByteStream& package, std::string destination, ByteStream* uninstallData,
                          CExtractSignals* signals) {
    return InstallRootAt(*this, package, destination, uninstallData, signals, GetInstallPlaces());
}
