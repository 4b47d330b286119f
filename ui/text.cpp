#include "ui/text.h"

#include <vector>

namespace {

std::string LoadStringResource(UINT id) {
    // A string-table entry holds at most 65535 characters; grow until it fits.
    for (int size = 256; size <= 65536; size *= 2) {
        std::vector<char> buffer(static_cast<size_t>(size));
        int length = LoadStringA(GetModuleHandleA(nullptr), id, buffer.data(), size);
        if (length <= 0)
            return std::string();
        if (length < size - 1)
            return std::string(buffer.data(), static_cast<size_t>(length));
    }
    return std::string();
}

}  // namespace

std::string LoadText(UINT id) {
    auto found = g_textCache.find(id);
    if (found != g_textCache.end())
        return found->second;
    return g_textCache.emplace(id, LoadStringResource(id)).first->second;
}
