// A private folder for one test, removed with everything in it afterwards.
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

class TempDir {
public:
    TempDir() {
        std::random_device random;
        m_path = std::filesystem::temp_directory_path() / ("vantrel-test-" + std::to_string(random()));
        std::filesystem::create_directories(m_path);
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string Path() const { return m_path.string(); }
    std::string Join(const std::string& name) const { return (m_path / name).string(); }

    // Writes a file below the folder and returns its full path.
    std::string WriteFile(const std::string& name, const std::string& contents) const {
        std::filesystem::path path = m_path / name;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << contents;
        return path.string();
    }

private:
    std::filesystem::path m_path;
};
