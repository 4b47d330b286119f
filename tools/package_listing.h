// What `list` prints: the leading sections, the install tree and the registry lists of
// a package, as text for people or as JSON for programs.
#pragma once

#include "items/registry_entry.h"
#include "tools/json_writer.h"
#include "tools/package_reader.h"

#include <ostream>
#include <string>

void PrintPackage(const PackageContents& contents, const std::string& path, std::ostream& out);
void WritePackageJson(const PackageContents& contents, const std::string& path, std::ostream& out);

// A registry list under its root's name, one entry a line with flags and values.
void PrintRegistryList(const CRegistryList& list, const char* rootName, std::ostream& out);
void WriteRegistryJson(CJsonWriter& json, const char* key, const CRegistryList& list);

// "YYYY-MM-DD HH:MM:SS" in UTC for a 32-bit time.
std::string FormatUtc(int32_t time);
