#include "items/recorded_link.h"

#include "items/shell_links.h"
#include "package/package_string.h"

void MakeRecordedLink(const std::string& folder, const std::string& target, const std::string& linkName,
                      CRemovalRecordWriter& record) {
    std::string linkPath = folder + "\\" + linkName + ".lnk";
    if (folder.empty() || linkPath.size() > kMaxPackageString) {
        record.WriteNoLink();
        return;
    }
    CreateShortcut(target, linkPath, linkName);
    record.WriteLink(linkPath);
}
