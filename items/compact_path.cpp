#include "items/compact_path.h"

std::string CompactPathFallback(const std::string& path, int maxChars) {
    if (maxChars < 0 || path.size() <= size_t(maxChars))
        return path;
    size_t firstBackslash = path.find('\\');
    if (firstBackslash == std::string::npos)
        return path;
    std::string head = path.substr(0, firstBackslash + 1);
    std::string tail;
    if (maxChars > 5)
        tail = path.substr(path.size() - size_t(maxChars - 5));
    size_t tailBackslash = tail.find('\\');
    if (tailBackslash != std::string::npos)
        tail.erase(0, tailBackslash);
    return head + "..." + tail;
}
