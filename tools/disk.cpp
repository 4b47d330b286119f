#include "tools/disk.h"

namespace {

size_t LastSeparator(const std::string& path) {
    return path.find_last_of("/\\");
}

}  // namespace

std::string JoinPath(const std::string& base, const std::string& name) {
    if (base.empty())
        return name;
    if (base.back() == '/' || base.back() == '\\')
        return base + name;
    return base + '/' + name;
}

std::string DirectoryOf(const std::string& path) {
    size_t separator = LastSeparator(path);
    if (separator == std::string::npos)
        return ".";
    if (separator == 0)
        return path.substr(0, 1);
    return path.substr(0, separator);
}

std::string BaseNameOf(const std::string& path) {
    size_t separator = LastSeparator(path);
    return separator == std::string::npos ? path : path.substr(separator + 1);
}
