// Install throughput under Wine: a 50 MB example installed through a hidden window as the
// progress dialog would drive it, beside a plain copy of the same files, in one run.
// Also the same install without a window, to show what the messages cost. Prints the
// median of several runs; asserts nothing. Not part of the test suite.
#include "framework/com_init.h"
#include "items/install_places.h"
#include "package/memory_stream.h"
#include "tests/extract/script_window.h"
#include "tests/extract/test_files.h"
#include "tests/extract/test_package.h"
#include "tests/items/temp_dir.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <vector>

namespace {

constexpr int kFiles = 50;
constexpr size_t kFileSize = 1 << 20;
constexpr int kRuns = 5;

double Seconds() {
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return double(now.QuadPart) / double(frequency.QuadPart);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main() {
    CComInit com;
    TempDir dir;
    std::string sources = dir.Join("sources");
    std::filesystem::create_directories(sources);

    // Text-like files of varying redundancy, as an application folder holds.
    TestSection section;
    section.strName = "Throughput";
    std::vector<std::string> names;
    for (int i = 0; i < kFiles; ++i) {
        std::string name = "file" + std::to_string(i) + ".dat";
        std::string content = BulkyText(kFileSize, uint32_t(i + 1));
        if (i % 3 == 0)
            for (size_t at = 0; at + 64 < content.size(); at += 128)
                std::copy(content.begin() + at, content.begin() + at + 64, content.begin() + at + 64);
        dir.WriteFile("sources\\" + name, content);
        section.children.push_back(TestFile(name, content, 1400000000));
        names.push_back(name);
    }
    MemoryStream package;
    WriteTestSection(package, section);
    double megabytes = double(kFiles) * double(kFileSize) / 1e6;
    std::printf("example: %d files, %.1f MB, package %.1f MB\n", kFiles, megabytes, package.GetLength() / 1e6);

    InstallPlaces places;
    places.strSystemDirectory = dir.Join("system");
    std::vector<double> install, quiet, copy;
    for (int run = 0; run < kRuns; ++run) {
        std::string dest = dir.Join("install" + std::to_string(run));
        package.Seek(0, ByteStream::kBegin);
        CInstallRoot root;
        MemoryStream data;
        CScriptWindow window;
        double start = Seconds();
        int done = window.Run([&](CExtractSignals& signals) {
            return InstallRootAt(root, package, dest, &data, &signals, places);
        });
        install.push_back(Seconds() - start);
        if (!done)
            std::printf("install run %d failed\n", run);

        std::filesystem::remove_all(dest);
        package.Seek(0, ByteStream::kBegin);
        CInstallRoot quietRoot;
        MemoryStream quietData;
        start = Seconds();
        InstallRootAt(quietRoot, package, dest, &quietData, nullptr, places);
        quiet.push_back(Seconds() - start);

        std::string target = dir.Join("copy" + std::to_string(run));
        start = Seconds();
        CreateDirectoryA(target.c_str(), nullptr);
        for (const std::string& name : names)
            CopyFileA((sources + "\\" + name).c_str(), (target + "\\" + name).c_str(), FALSE);
        copy.push_back(Seconds() - start);
        std::filesystem::remove_all(dest);
        std::filesystem::remove_all(target);
    }
    double installTime = Median(install);
    double quietTime = Median(quiet);
    double copyTime = Median(copy);
    std::printf("install: median %.3f s, %.1f MB/s (of %d runs)\n", installTime, megabytes / installTime, kRuns);
    std::printf("install without a window: median %.3f s, %.1f MB/s\n", quietTime, megabytes / quietTime);
    std::printf("copy:    median %.3f s, %.1f MB/s (of %d runs)\n", copyTime, megabytes / copyTime, kRuns);
    return 0;
}
