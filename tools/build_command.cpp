// `build` and `project`: from a manifest (or a project record) to a setup program.
#include "tools/commands.h"

#include "items/file_info.h"
#include "items/install_root.h"
#include "package/appended_data.h"
#include "package/file_stream.h"
#include "package/memory_stream.h"
#include "tools/console.h"
#include "tools/disk.h"
#include "tools/manifest.h"
#include "tools/output_file.h"
#include "tools/package_writer.h"
#include "tools/tool_error.h"
#include "tools/tree_builder.h"

#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// The project's own programs: beside vantrel-pack, or in the 32-bit Windows output
// next to it (out/win32), which is what ships.
std::optional<std::string> ProjectProgram(const char* fileName) {
    std::string here = DirectoryOf(GetModulePath());
    for (const std::string& candidate : {JoinPath(here, fileName), JoinPath(here, std::string("../win32/") + fileName)}) {
        FileInfo info;
        if (GetFileInfo(candidate, info) && !info.bDirectory)
            return FullPath(candidate);
    }
    return std::nullopt;
}

// A TOML manifest is text; a project record holds NUL bytes (every string ends in one).
bool IsProjectRecord(const std::string& path) {
    std::vector<uint8_t> bytes = ReadWholeFile(path, "input");
    return std::memchr(bytes.data(), 0, bytes.size()) != nullptr;
}

void LoadProject(const std::string& path, CInstallRoot& root) {
    MemoryStream stream(ReadWholeFile(path, "project record"));
    if (!root.Load(stream))
        throw CToolError(kExitInput, path + ": the project record is damaged or cut off at offset " +
                                         std::to_string(stream.GetPosition()));
    if (stream.GetPosition() != stream.GetLength())
        throw CToolError(kExitInput, path + ": offset " + std::to_string(stream.GetPosition()) +
                                         ": unexpected bytes after the project record");
}

void MakeSourcesFull(InstallItemList& items) {
    for (auto& item : items) {
        if (!item->m_strSource.empty())
            item->m_strSource = FullPath(item->m_strSource);
        MakeSourcesFull(item->m_children);
    }
}

// SOURCE_DATE_EPOCH, when set, replaces every file time so that builds repeat exactly.
std::optional<int32_t> SourceDateEpoch() {
    const char* text = std::getenv("SOURCE_DATE_EPOCH");
    if (!text || !*text)
        return std::nullopt;
    char* end = nullptr;
    long long value = std::strtoll(text, &end, 10);
    if (*end != '\0' || value < 0 || value > INT32_MAX)
        throw CToolError(kExitInput, std::string("SOURCE_DATE_EPOCH '") + text +
                                         "' is not a number of seconds from 1970 to 2038");
    return int32_t(value);
}

std::string Megabytes(double bytes) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", bytes / (1024.0 * 1024.0));
    return text;
}

}  // namespace

int RunBuild(const BuildOptions& options) {
    Manifest manifest;
    CInstallRoot root;
    if (IsProjectRecord(options.strInput)) {
        LoadProject(options.strInput, root);
        manifest.strTitle = root.m_strName;
    } else {
        LoadManifest(options.strInput, manifest);
        BuildInstallTree(manifest, root);
    }

    PackageInputs inputs;
    inputs.strTitle = options.title.value_or(manifest.strTitle);
    inputs.strDescription = options.description.value_or(manifest.strDescription);
    inputs.bitmap = options.bitmap ? options.bitmap : manifest.bitmap;
    inputs.license = options.license ? options.license : manifest.license;

    std::optional<std::string> stub = options.stub ? options.stub : manifest.stub;
    if (!stub)
        stub = ProjectProgram("setup.exe");
    if (!stub)
        throw CToolError(kExitInput, "no installer stub: the project's setup.exe is not beside vantrel-pack or in "
                                     "../win32; give --stub or `stub` in the manifest");
    inputs.strStub = *stub;

    if (!options.bNoUninstaller && !(manifest.bNoUninstaller && !options.uninstaller)) {
        std::optional<std::string> uninstaller = options.uninstaller ? options.uninstaller : manifest.uninstaller;
        if (!uninstaller)
            uninstaller = ProjectProgram("uninstall.exe");
        if (!uninstaller)
            throw CToolError(kExitInput, "no uninstaller: the project's uninstall.exe is not beside vantrel-pack or "
                                         "in ../win32; give --uninstaller, or --no-uninstaller to build without one");
        inputs.strUninstaller = *uninstaller;
    }
    if (std::optional<int32_t> time = SourceDateEpoch())
        FixFileTimes(root, *time);

    inputs.pRoot = &root;
    inputs.pUser = &manifest.user;
    inputs.pMachine = &manifest.machine;
    auto started = std::chrono::steady_clock::now();
    PackageSummary summary = WritePackage(inputs, options.strOutput, IsStderrTerminal());
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("%s: %d files, %s MB packed into %s MB in %.2f s (%s MB/s of input)\n", options.strOutput.c_str(),
                summary.nFiles, Megabytes(summary.nTotalBytes).c_str(), Megabytes(summary.nLength).c_str(), seconds,
                Megabytes(seconds > 0 ? summary.nTotalBytes / seconds : 0).c_str());
    return kExitOk;
}

int RunProject(const std::string& manifestPath, const std::string& output) {
    Manifest manifest;
    LoadManifest(manifestPath, manifest);
    CInstallRoot root;
    BuildInstallTree(manifest, root);
    MakeSourcesFull(root.m_children);
    MakeSourcesFull(root.m_systemItems);
    CheckInstallTree(root);

    MemoryStream record;
    root.Save(record);
    WriteOutputFile(output, record);
    std::printf("%s: project record of %u bytes\n", output.c_str(), record.GetLength());
    return kExitOk;
}
