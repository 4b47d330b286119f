// Without a Windows shell there is no Programs folder and no link is made.
#include "items/shell_links.h"

std::string GetProgramsFolder() {
    return std::string();
}

int CreateShortcut(const std::string&, const std::string&, const std::string&) {
    return 0;
}
