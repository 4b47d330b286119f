// Writes the install tree of a package below a folder, on any system, without running
// the installer.
#pragma once

#include "tools/package_reader.h"

#include <string>

struct ExtractResult {
    int nFiles = 0;
    int nDirectories = 0;
    int nSkippedSystemItems = 0;
};

// The installation folder's items go below directory, the system items below
// systemDirectory (skipped when it is empty). Each target folder must be new or
// empty, so everything below it is made here and nothing lands outside it; the names
// were checked when the package was read. Stored times are applied. Throws
// CToolError: kExitDamaged for a damaged block or two items of one name, kExitIo when
// a file cannot be written.
ExtractResult ExtractPackage(ByteStream& file, const std::string& path, const PackageContents& contents,
                             const std::string& directory, const std::string& systemDirectory);
