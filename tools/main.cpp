// vantrel-pack: builds Vantrel setup programs and reads them back.
#include "package/file_exception.h"
#include "tools/commands.h"
#include "tools/tool_error.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <new>

namespace {

const char kExitCodes[] =
    "Exit codes:\n"
    "  0    success\n"
    "  1    a package, block or uninstall data is damaged\n"
    "  2    the command line is wrong\n"
    "  3    a manifest, project record or input file cannot be used\n"
    "  4    reading or writing a file failed\n"
    "  130  interrupted\n"
    "\n"
    "SOURCE_DATE_EPOCH, when set, replaces the time of every packed file.";

}  // namespace

int main(int argc, char** argv) {
    CLI::App app("Builds Vantrel setup programs from a manifest and reads them back.", "vantrel-pack");
    // Paths starting with '/' are paths, also on Windows: no "/option" style.
    app.allow_windows_style_options(false);
    app.set_version_flag("--version", "vantrel-pack " VANTREL_VERSION);
    app.footer(kExitCodes);
    app.require_subcommand(1);

    BuildOptions build;
    CLI::App* buildCommand = app.add_subcommand("build", "Build a setup program from a manifest or a project record");
    buildCommand->add_option("input", build.strInput, "TOML manifest, or a project record saved by `project`")
        ->required();
    buildCommand->add_option("-o,--output", build.strOutput, "Setup program to write")->capture_default_str();
    buildCommand->add_option("--stub", build.stub, "Installer executable the package is appended to");
    auto* uninstallerOption =
        buildCommand->add_option("--uninstaller", build.uninstaller, "Uninstaller executable to pack");
    buildCommand->add_flag("--no-uninstaller", build.bNoUninstaller, "Pack no uninstaller")->excludes(uninstallerOption);
    buildCommand->add_option("--title", build.title, "Title (overrides the manifest's)");
    buildCommand->add_option("--description", build.description, "Description (overrides the manifest's)");
    buildCommand->add_option("--bitmap", build.bitmap, "Bitmap file (overrides the manifest's)");
    buildCommand->add_option("--license", build.license, "License text file (overrides the manifest's)");

    std::string projectManifest, projectOutput;
    CLI::App* projectCommand = app.add_subcommand("project", "Save the install tree of a manifest as a project record");
    projectCommand->add_option("manifest", projectManifest, "TOML manifest")->required();
    projectCommand->add_option("output", projectOutput, "Project record to write")->required();

    std::string setup;
    bool json = false;
    CLI::App* listCommand = app.add_subcommand("list", "Show the header, install tree and registry lists of a package");
    listCommand->add_option("setup", setup, "Setup program")->required();
    listCommand->add_flag("--json", json, "Print JSON");

    CLI::App* verifyCommand = app.add_subcommand("verify", "Walk every record and expand every block of a package");
    verifyCommand->add_option("setup", setup, "Setup program")->required();

    std::string directory, systemDirectory;
    CLI::App* extractCommand = app.add_subcommand("extract", "Write the install tree of a package below a folder");
    extractCommand->add_option("setup", setup, "Setup program")->required();
    extractCommand->add_option("directory", directory, "New or empty folder for the installation folder's items")
        ->required();
    extractCommand->add_option("--system-dir", systemDirectory, "New or empty folder for the system items");

    std::string uninstaller;
    CLI::App* uninstallCommand =
        app.add_subcommand("uninstall-data", "Show the uninstall data of an installed uninstaller");
    uninstallCommand->add_option("uninstaller", uninstaller, "Uninstaller executable")->required();
    uninstallCommand->add_flag("--json", json, "Print JSON");

    std::string input, output;
    bool fast = false;
    CLI::App* compressCommand = app.add_subcommand("compress-block", "Compress a file into one block");
    compressCommand->add_option("input", input, "File to compress")->required();
    compressCommand->add_option("output", output, "Block to write")->required();
    compressCommand->add_flag("--fast", fast, "Fast mode (larger output)");

    CLI::App* expandCommand = app.add_subcommand("expand-block", "Expand one block into a file");
    expandCommand->add_option("input", input, "Block to expand")->required();
    expandCommand->add_option("output", output, "File to write")->required();

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        return app.exit(error) == 0 ? kExitOk : kExitUsage;
    }

    try {
        if (buildCommand->parsed())
            return RunBuild(build);
        if (projectCommand->parsed())
            return RunProject(projectManifest, projectOutput);
        if (listCommand->parsed())
            return RunList(setup, json);
        if (verifyCommand->parsed())
            return RunVerify(setup);
        if (extractCommand->parsed())
            return RunExtract(setup, directory, systemDirectory);
        if (uninstallCommand->parsed())
            return RunUninstallData(uninstaller, json);
        if (compressCommand->parsed())
            return RunCompressBlock(input, output, fast);
        if (expandCommand->parsed())
            return RunExpandBlock(input, output);
    } catch (const CToolError& error) {
        std::fprintf(stderr, "vantrel-pack: %s\n", error.what());
        return error.GetExitCode();
    } catch (const CFileException& error) {
        std::fprintf(stderr, "vantrel-pack: %s: %s (system error %ld)\n", error.GetFileName().c_str(),
                     CFileException::CauseName(error.GetCause()), error.GetOsError());
        return kExitIo;
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "vantrel-pack: out of memory\n");
        return kExitIo;
    }
    return kExitUsage;
}
