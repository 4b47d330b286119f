#include "package/appended_data.h"

#include <climits>
#include <unistd.h>

std::string GetModulePath() {
    char buffer[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer);
    if (n <= 0 || size_t(n) >= sizeof buffer)
        return std::string();
    return std::string(buffer, size_t(n));
}
