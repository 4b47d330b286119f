// Reading back what an installation made: file contents, times, links.
#pragma once

#include <cstdint>
#include <string>

// The whole file, or "<missing>" when it cannot be opened.
std::string FileText(const std::string& path);
// Seconds since 1970 of the last write, or −1 when nothing is there.
int64_t WriteTime(const std::string& path);
bool Exists(const std::string& path);
// Target and description of a shell link file; false when it cannot be loaded.
bool ReadLink(const std::string& linkPath, std::string& target, std::string& description);
// Content that makes the codec report progress several times.
std::string BulkyText(size_t size, uint32_t seed);
