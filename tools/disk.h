// What the builder needs of the host's disk beyond the streams: directory listings,
// full paths and replacing a file. Paths use '/' between components; Windows takes it.
#pragma once

#include <string>
#include <vector>

struct DirEntry {
    std::string strName;
    bool bDirectory = false;
};

// The entries of the directory at path, without "." and "..", sorted by the bytes of
// their names. Links are followed. False when the directory cannot be listed.
bool ListDirectory(const std::string& path, std::vector<DirEntry>& entries);

// The full path of path; path itself when it cannot be resolved.
std::string FullPath(const std::string& path);

// Moves the file from over to, replacing a file already there.
bool MoveReplacing(const std::string& from, const std::string& to);

// Joins two paths with '/'; an empty base gives name alone.
std::string JoinPath(const std::string& base, const std::string& name);

// The path up to its last separator ("." when there is none), and the part after it.
std::string DirectoryOf(const std::string& path);
std::string BaseNameOf(const std::string& path);
