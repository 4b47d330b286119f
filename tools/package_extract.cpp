#include "tools/package_extract.h"

#include "items/file_info.h"
#include "items/file_system.h"
#include "package/file_stream.h"
#include "tools/disk.h"
#include "tools/tool_error.h"

namespace {

// Makes the folder (its parent must exist) or takes an existing empty one.
void PrepareFolder(const std::string& directory) {
    FileInfo info;
    if (GetFileInfo(directory, info)) {
        std::vector<DirEntry> entries;
        if (!info.bDirectory || !ListDirectory(directory, entries))
            throw CToolError(kExitIo, directory + " is not a folder");
        if (!entries.empty())
            throw CToolError(kExitIo, directory + " is not empty; extract into a new or empty folder");
        return;
    }
    if (!MakeDirectory(directory))
        throw CToolError(kExitIo, directory + " cannot be created");
}

class CExtractor {
public:
    CExtractor(ByteStream& file, const std::string& path, ExtractResult& result)
        : m_file(file), m_strPath(path), m_result(result) {}

    void Items(const std::vector<PackedItem>& items, const std::string& folder) {
        for (const PackedItem& item : items) {
            std::string target = JoinPath(folder, item.strName);
            FileInfo existing;
            if (GetFileInfo(target, existing))
                throw CToolError(kExitDamaged, m_strPath + ": offset " + std::to_string(item.nOffset) + ": '" +
                                                   item.strName + "' is in " + folder +
                                                   " twice (names differing only in case count as one)");
            if (item.IsFile())
                File(item, target);
            else if (!MakeDirectory(target))
                throw CToolError(kExitIo, target + " cannot be created");
            else
                ++m_result.nDirectories;
            Items(item.children, target);
        }
    }

private:
    void File(const PackedItem& item, const std::string& target) {
        FileStream out;
        CFileException error(CFileException::kGeneric, 0);
        if (!out.Open(target, FileStream::kCreateDenyAll, &error))
            throw CToolError(kExitIo, target + " cannot be created (" + CFileException::CauseName(error.GetCause()) + ")");
        ExpandBlock(m_file, m_strPath, item.data, out, "file data of '" + item.strName + "'");
        out.Close();
        if (item.nTime != 0)
            SetFileWriteTime(target, item.nTime);
        ++m_result.nFiles;
    }

    ByteStream& m_file;
    const std::string& m_strPath;
    ExtractResult& m_result;
};

}  // namespace

ExtractResult ExtractPackage(ByteStream& file, const std::string& path, const PackageContents& contents,
                             const std::string& directory, const std::string& systemDirectory) {
    ExtractResult result;
    CExtractor extractor(file, path, result);
    PrepareFolder(directory);
    extractor.Items(contents.children, directory);
    if (systemDirectory.empty()) {
        result.nSkippedSystemItems = int(contents.systemItems.size());
    } else {
        PrepareFolder(systemDirectory);
        extractor.Items(contents.systemItems, systemDirectory);
    }
    return result;
}
