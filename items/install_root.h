// The top of the install tree: the installation folder, its program name and the
// items that go into the Windows system directory.
#pragma once

#include "items/install_item.h"

class CInstallRoot : public CInstallItem {
public:
    CInstallRoot() = default;
    ~CInstallRoot() override;

    // Base project record, then the system item count and their records.
    bool Load(ByteStream& stream) override;
    void Save(ByteStream& stream) const override;
    // Base count plus the system items.
    int CountFiles(uint32_t& totalBytes) const override;
    // The install tree section: shortcut count, root record, system items.
    int WriteToPackage(ByteStream& package, CExtractSignals* signals) override;
    // Base count plus one for the uninstaller's shortcut when the uninstaller path is set.
    int CountShortcuts() const override;
    // Reads the install tree section and installs it into destination and the system
    // directory, with the program folder and its shortcuts, appending the root removal
    // record to uninstallData (may be null). Called once on a fresh root.
    virtual int Install(ByteStream& package, std::string destination, ByteStream* uninstallData,
                        CExtractSignals* signals);

    void SetUninstallerPath(const std::string& path) { m_strUninstaller = path; }
    const std::string& GetUninstallerPath() const { return m_strUninstaller; }

    std::string m_strUninstaller;
    InstallItemList m_systemItems;
};
