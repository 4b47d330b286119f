// Where an installation puts what does not go into its destination folder: the Start
// menu's Programs folder (which receives the program folder) and the Windows system
// directory. Tests pass folders of their own.
#pragma once

#include "items/install_root.h"

#include <string>

struct InstallPlaces {
    std::string strProgramsFolder;  // empty: no program folder and no shortcuts
    std::string strSystemDirectory; // empty: system items cannot be installed
};

// The real places: GetProgramsFolder() and the Windows system directory.
InstallPlaces GetInstallPlaces();

// CInstallRoot::Install with the places given. Returns TRUE when the whole section was
// installed. On FALSE (damaged package, a file that cannot be written, a failing
// medium, a cancel) what was made stays, and the uninstall data still ends with one
// complete root removal record describing exactly what was made and recorded.
int InstallRootAt(CInstallRoot& root, ByteStream& package, const std::string& destination,
                  ByteStream* uninstallData, CExtractSignals* signals, const InstallPlaces& places);
