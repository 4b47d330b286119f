#include "items/compact_path.h"

std::string CompactPath(const std::string& path, int maxChars) {
    return CompactPathFallback(path, maxChars);
}
