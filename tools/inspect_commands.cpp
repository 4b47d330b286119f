// `list`, `verify` and `extract`: reading a setup program without running it.
#include "tools/commands.h"

#include "package/file_stream.h"
#include "package/memory_stream.h"
#include "tools/package_extract.h"
#include "tools/package_listing.h"
#include "tools/package_reader.h"
#include "tools/tool_error.h"

#include <iostream>

namespace {

void OpenSetup(FileStream& file, const std::string& path) {
    CFileException error(CFileException::kGeneric, 0);
    if (!file.Open(path, FileStream::kReadDenyWrite, &error))
        throw CToolError(kExitIo, path + " cannot be opened (" + CFileException::CauseName(error.GetCause()) + ")");
}

}  // namespace

int RunList(const std::string& setup, bool json) {
    FileStream file;
    OpenSetup(file, setup);
    PackageContents contents;
    ReadPackage(file, setup, contents);
    if (json)
        WritePackageJson(contents, setup, std::cout);
    else
        PrintPackage(contents, setup, std::cout);
    return kExitOk;
}

int RunVerify(const std::string& setup) {
    FileStream file;
    OpenSetup(file, setup);
    PackageContents contents;
    ReadPackage(file, setup, contents);

    auto fail = [&](uint32_t offset, const std::string& message) {
        throw CToolError(kExitDamaged, setup + ": offset " + std::to_string(offset) + ": " + message);
    };
    int blocks = 0;
    uint64_t expanded = 0;
    if (contents.bHasBitmap) {
        MemoryStream bitmap;
        ExpandBlock(file, setup, contents.bitmap, bitmap, "bitmap");
        if (bitmap.GetLength() < 2 || bitmap.GetData()[0] != 'B' || bitmap.GetData()[1] != 'M')
            fail(contents.bitmap.nOffset, "the bitmap block does not hold a Windows bitmap file");
        ++blocks;
        expanded += bitmap.GetLength();
    }
    if (contents.bHasLicense) {
        MemoryStream license;
        ExpandBlock(file, setup, contents.license, license, "license");
        ++blocks;
        expanded += license.GetLength();
    }
    int files = 0;
    uint64_t fileBytes = 0;
    auto expand = [&](const PackedItem& item, const std::string& path) {
        if (!item.IsFile())
            return;
        MemoryStream data;
        ExpandBlock(file, setup, item.data, data, "file data of '" + path + "'");
        ++files;
        ++blocks;
        fileBytes += data.GetLength();
    };
    ForEachItem(contents.children, "", expand);
    ForEachItem(contents.systemItems, "(system)", expand);
    expanded += fileBytes;

    if (files != contents.nFileCount)
        fail(contents.nTreeOffset, "the file count says " + std::to_string(contents.nFileCount) +
                                       " but the install tree holds " + std::to_string(files) + " files");
    if (contents.bHasUninstaller && contents.nShortcutCount <= 0)
        fail(contents.nTreeOffset, "the package carries an uninstaller but its shortcut count is " +
                                       std::to_string(contents.nShortcutCount) +
                                       ", so the uninstaller could not read its own data");
    if (fileBytes != uint32_t(contents.nTotalBytes))
        std::cerr << "vantrel-pack: warning: " << setup << ": the total size says " << uint32_t(contents.nTotalBytes)
                  << " bytes but the files expand to " << fileBytes << "\n";
    std::cout << setup << ": OK, " << files << " files, " << blocks << " blocks expanded to " << expanded
              << " bytes\n";
    return kExitOk;
}

int RunExtract(const std::string& setup, const std::string& directory, const std::string& systemDirectory) {
    FileStream file;
    OpenSetup(file, setup);
    PackageContents contents;
    ReadPackage(file, setup, contents);
    ExtractResult result = ExtractPackage(file, setup, contents, directory, systemDirectory);
    std::cout << directory << ": " << result.nFiles << " files and " << result.nDirectories
              << " directories extracted\n";
    if (result.nSkippedSystemItems)
        std::cerr << "vantrel-pack: " << result.nSkippedSystemItems
                  << " system items were not extracted (give --system-dir to write them)\n";
    return kExitOk;
}
