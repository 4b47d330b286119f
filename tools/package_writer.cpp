#include "tools/package_writer.h"

#include "codec/compress.h"
#include "items/file_info.h"
#include "items/item_name.h"
#include "package/appended_data.h"
#include "package/file_stream.h"
#include "package/memory_stream.h"
#include "package/package_int.h"
#include "package/package_string.h"
#include "tools/terminal_progress.h"
#include "tools/tool_error.h"
#include "tools/console.h"
#include "tools/disk.h"
#include "tools/tree_builder.h"

#include <climits>
#include <cstdio>
#include <cstring>

namespace {

std::string Describe(const CFileException& error) {
    std::string text = CFileException::CauseName(error.GetCause());
    if (error.GetOsError())
        text += ", system error " + std::to_string(error.GetOsError());
    return text;
}

// Removes the temporary output unless the package was completed.
class CPartialFile {
public:
    explicit CPartialFile(std::string path) : m_strPath(std::move(path)) {}
    ~CPartialFile() {
        m_stream.Close();
        if (!m_bKept)
            std::remove(m_strPath.c_str());
    }
    FileStream& Stream() { return m_stream; }
    const std::string& Path() const { return m_strPath; }
    void Keep() { m_bKept = true; }

private:
    std::string m_strPath;
    FileStream m_stream;
    bool m_bKept = false;
};

void CopyFileInto(const std::string& path, const std::string& what, ByteStream& out) {
    FileStream in;
    CFileException error(CFileException::kGeneric, 0);
    if (!in.Open(path, FileStream::kReadDenyWrite, &error))
        throw CToolError(kExitInput, what + " " + path + " cannot be read (" + Describe(error) + ")");
    std::vector<uint8_t> buffer(1 << 20);
    for (;;) {
        uint32_t got = in.Read(buffer.data(), uint32_t(buffer.size()));
        if (got == 0)
            break;
        out.Write(buffer.data(), got);
    }
}

void CollectSizes(const InstallItemList& items, std::vector<uint64_t>& sizes) {
    for (const auto& item : items) {
        if (!item->m_strSource.empty()) {
            FileInfo info;
            sizes.push_back(GetFileInfo(item->m_strSource, info) ? info.nSize : 0);
        }
        CollectSizes(item->m_children, sizes);
    }
}

void WriteCompressedSection(ByteStream& out, const std::vector<uint8_t>& data) {
    MemoryStream source(data);
    if (CompressBlock(source, out, 1, nullptr, nullptr) < 0)
        throw CToolError(kExitIo, "compressing a section failed");
}

void CheckTexts(const PackageInputs& inputs) {
    if (inputs.strTitle.empty())
        throw CToolError(kExitInput, "the title is empty");
    if (inputs.strTitle.size() > kMaxPackageString)
        throw CToolError(kExitInput, "the title is longer than the 256 characters a reader takes back");
    if (inputs.strDescription.size() > kMaxPackageString)
        throw CToolError(kExitInput, "the description is longer than the 256 characters a reader takes back");
    ItemNameFault fault = CheckItemName("Uninstall " + inputs.strTitle + ".exe");
    if (fault != ItemNameFault::kNone)
        throw CToolError(kExitInput, "the title '" + inputs.strTitle + "' cannot name the uninstaller file \"Uninstall " +
                                         inputs.strTitle + ".exe\": " + DescribeNameFault(fault));
}

}  // namespace

std::vector<uint8_t> ReadWholeFile(const std::string& path, const std::string& what) {
    FileStream in;
    CFileException error(CFileException::kGeneric, 0);
    if (!in.Open(path, FileStream::kReadDenyWrite, &error))
        throw CToolError(kExitInput, what + " " + path + " cannot be read (" + Describe(error) + ")");
    uint32_t length = in.GetLength();
    if (length > uint32_t(INT32_MAX))
        throw CToolError(kExitInput, what + " " + path + " is 2 GiB or larger");
    std::vector<uint8_t> bytes(length);
    if (!in.ReadExact(bytes.data(), length))
        throw CToolError(kExitIo, what + " " + path + " changed while it was read");
    return bytes;
}

PackageSummary WritePackage(const PackageInputs& inputs, const std::string& output, bool showProgress) {
    CInstallRoot& root = *inputs.pRoot;
    CheckTexts(inputs);
    root.SetUninstallerPath(inputs.strUninstaller);
    CheckInstallTree(root);

    std::vector<uint8_t> bitmap, license;
    if (inputs.bitmap) {
        bitmap = ReadWholeFile(*inputs.bitmap, "bitmap");
        if (bitmap.size() < 2 || bitmap[0] != 'B' || bitmap[1] != 'M')
            throw CToolError(kExitInput, "bitmap " + *inputs.bitmap + " is not a Windows bitmap file (no \"BM\" at its start)");
    }
    if (inputs.license) {
        license = ReadWholeFile(*inputs.license, "license");
        const void* nul = std::memchr(license.data(), 0, license.size());
        if (nul)
            throw CToolError(kExitInput, "license " + *inputs.license + " holds a NUL byte at offset " +
                                             std::to_string(static_cast<const uint8_t*>(nul) - license.data()) +
                                             "; the installer would show only the text before it");
    }
    FileInfo stubInfo, uninstallerInfo;
    if (!GetFileInfo(inputs.strStub, stubInfo) || stubInfo.bDirectory)
        throw CToolError(kExitInput, "installer stub " + inputs.strStub + " does not exist");
    if (!inputs.strUninstaller.empty()) {
        if (!GetFileInfo(inputs.strUninstaller, uninstallerInfo) || uninstallerInfo.bDirectory)
            throw CToolError(kExitInput, "uninstaller " + inputs.strUninstaller + " does not exist");
        if (uninstallerInfo.nSize > uint64_t(INT32_MAX))
            throw CToolError(kExitInput, "uninstaller " + inputs.strUninstaller + " is 2 GiB or larger");
    }

    PackageSummary summary;
    summary.nFiles = root.CountFiles(summary.nTotalBytes);
    std::vector<uint64_t> sizes;
    CollectSizes(root.m_children, sizes);
    CollectSizes(root.m_systemItems, sizes);

    CPartialFile part(output + ".part");
    CFileException error(CFileException::kGeneric, 0);
    if (!part.Stream().Open(part.Path(), FileStream::kCreateDenyAll, &error))
        throw CToolError(kExitIo, "output " + part.Path() + " cannot be created (" + Describe(error) + ")");
    ByteStream& out = part.Stream();
    try {
        CopyFileInto(inputs.strStub, "installer stub", out);
        summary.nPackageOffset = out.GetPosition();
        WritePackageString(out, inputs.strTitle);
        WritePackageString(out, inputs.strDescription);
        if (inputs.bitmap) {
            WriteInt32(out, int32_t(bitmap.size()));
            WriteCompressedSection(out, bitmap);
        } else {
            WriteInt32(out, kMarkerAbsent);
        }
        if (!inputs.strUninstaller.empty()) {
            WriteInt32(out, int32_t(uninstallerInfo.nSize));
            uint32_t before = out.GetPosition();
            CopyFileInto(inputs.strUninstaller, "uninstaller", out);
            if (out.GetPosition() - before != uninstallerInfo.nSize)
                throw CToolError(kExitIo, "uninstaller " + inputs.strUninstaller + " changed while it was read");
        } else {
            WriteInt32(out, kMarkerAbsent);
        }
        if (inputs.license) {
            WriteInt32(out, int32_t(license.size()));
            WriteCompressedSection(out, license);
        } else {
            WriteInt32(out, kMarkerAbsent);
        }
        WriteInt32(out, summary.nFiles);
        WriteInt32(out, int32_t(summary.nTotalBytes));

        CatchInterrupt();
        CTerminalProgress progress(showProgress, std::move(sizes));
        if (!root.WriteToPackage(out, &progress)) {
            progress.Finish();
            if (progress.WasCancelled())
                throw CToolError(kExitCancelled, "interrupted; " + output + " was not written");
            throw CToolError(kExitIo, "packing '" + progress.CurrentItem() + "' failed: its source could not be read");
        }
        progress.Finish();
        inputs.pUser->Write(out);
        inputs.pMachine->Write(out);
        WriteTrailer(out, summary.nPackageOffset);
        out.Flush();
        summary.nLength = out.GetLength();
    } catch (const CFileException& failure) {
        throw CToolError(kExitIo, (failure.GetFileName().empty() ? part.Path() : failure.GetFileName()) + ": " +
                                      Describe(failure));
    }
    part.Stream().Close();
    if (!MoveReplacing(part.Path(), output))
        throw CToolError(kExitIo, "output " + output + " cannot be replaced");
    part.Keep();
    return summary;
}
