// The commands of vantrel-pack. Each returns its exit code or throws CToolError.
#pragma once

#include <optional>
#include <string>

struct BuildOptions {
    std::string strInput;  // a manifest, or a project record saved by `project`
    std::string strOutput = "Setup.exe";
    std::optional<std::string> stub;
    std::optional<std::string> uninstaller;
    bool bNoUninstaller = false;
    std::optional<std::string> title;
    std::optional<std::string> description;
    std::optional<std::string> bitmap;
    std::optional<std::string> license;
};

int RunBuild(const BuildOptions& options);
int RunProject(const std::string& manifest, const std::string& output);
int RunList(const std::string& setup, bool json);
int RunVerify(const std::string& setup);
int RunExtract(const std::string& setup, const std::string& directory, const std::string& systemDirectory);
int RunUninstallData(const std::string& uninstaller, bool json);
int RunCompressBlock(const std::string& input, const std::string& output, bool fast);
int RunExpandBlock(const std::string& input, const std::string& output);
