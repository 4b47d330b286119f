// Writes a setup package: a copy of the installer stub, then title, description,
// bitmap, uninstaller image, license, file count and total size, the install tree,
// the two registry lists and the trailer.
#pragma once

#include "items/install_root.h"
#include "items/registry_entry.h"

#include <cstdint>
#include <optional>
#include <string>

struct PackageInputs {
    std::string strStub;
    std::string strUninstaller;  // empty: the package carries no uninstaller
    std::optional<std::string> bitmap;
    std::optional<std::string> license;
    std::string strTitle;
    std::string strDescription;
    CInstallRoot* pRoot = nullptr;
    const CRegistryList* pUser = nullptr;
    const CRegistryList* pMachine = nullptr;
};

struct PackageSummary {
    int nFiles = 0;
    uint32_t nTotalBytes = 0;
    uint32_t nPackageOffset = 0;  // size of the stub
    uint32_t nLength = 0;         // size of the whole setup program
};

// Checks every input, then writes the package to output through a temporary file that
// replaces output only when all went well; a failure leaves output untouched. Sets the
// root's uninstaller path when an uninstaller is packed. Throws CToolError.
PackageSummary WritePackage(const PackageInputs& inputs, const std::string& output, bool showProgress);

// The whole file at path; what names it in messages ("bitmap", "license", …).
// Throws CToolError(kExitInput) when it cannot be read or holds 2 GiB or more.
std::vector<uint8_t> ReadWholeFile(const std::string& path, const std::string& what);
