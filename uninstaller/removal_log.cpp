#include "uninstaller/removal_log.h"

#include "items/compact_path.h"

namespace {

constexpr int kLogPathChars = 45;
constexpr size_t kStatusColumn = 80;
constexpr size_t kMinDots = 4;

}  // namespace

std::string FormatRemovalLine(const char* prefix, const std::string& path, bool removed) {
    std::string line = prefix;
    line += CompactPath(path, kLogPathChars);
    line += '"';
    size_t dots = line.size() + kMinDots < kStatusColumn ? kStatusColumn - line.size() : kMinDots;
    line.append(dots, '.');
    line += removed ? "ok\r\n" : "failed\r\n";
    return line;
}
