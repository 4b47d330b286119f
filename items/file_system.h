// What installing and removing need of the file system beyond the streams and
// items/file_info.h, behind one portable header. Paths are used as given.
#pragma once

#include <cstdint>
#include <string>

// Attribute bits of an existing entry, as Windows numbers them.
constexpr uint32_t kAttrReadOnly = 0x01;
constexpr uint32_t kAttrHidden = 0x02;
constexpr uint32_t kAttrSystem = 0x04;

// Creates the directory at path (its last component only). False when it could not be
// made, also when it exists already.
bool MakeDirectory(const std::string& path);

// The attribute bits of the file or directory at path; false when nothing is there.
bool GetEntryAttributes(const std::string& path, uint32_t& attributes);

// Clears the given attribute bits of the entry at path. False when it cannot.
bool ClearEntryAttributes(const std::string& path, uint32_t attributes);

// Deletes the file at path; false when it could not be deleted.
bool DeleteFileAt(const std::string& path);

// Removes the directory at path when it is empty; false otherwise.
bool RemoveEmptyDirectory(const std::string& path);

// The Windows system directory without a trailing separator; empty when unknown.
std::string GetSystemDirectoryPath();
