#include "tools/tree_builder.h"

#include "items/file_info.h"
#include "items/install_records.h"
#include "package/file_stream.h"
#include "tools/disk.h"
#include "tools/glob_pattern.h"
#include "tools/tool_error.h"

#include <algorithm>
#include <climits>

namespace {

// Windows compares names without regard to case.
std::string Folded(const std::string& name) {
    std::string folded = name;
    for (char& c : folded) {
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    }
    return folded;
}

CInstallItem* FindChild(CInstallItem& parent, const std::string& name) {
    std::string folded = Folded(name);
    for (auto& child : parent.m_children) {
        if (Folded(child->m_strName) == folded)
            return child.get();
    }
    return nullptr;
}

std::string JoinTarget(const std::string& folder, const std::string& name) {
    return folder.empty() ? name : folder + "/" + name;
}

bool MatchesAny(const std::vector<std::string>& patterns, const std::string& path) {
    for (const std::string& pattern : patterns) {
        if (MatchGlob(pattern, path))
            return true;
    }
    return false;
}

void SortTree(InstallItemList& items) {
    std::sort(items.begin(), items.end(),
              [](const std::unique_ptr<CInstallItem>& a, const std::unique_ptr<CInstallItem>& b) {
                  return a->m_strName < b->m_strName;
              });
    for (auto& item : items)
        SortTree(item->m_children);
}

class CTreeBuilder {
public:
    explicit CTreeBuilder(const char* section) : m_strSection(section) {}

    void Add(CInstallItem& top, const TreeAdd& add) {
        m_pAdd = &add;
        std::string folder;
        CInstallItem& parent = Folder(top, add.strTarget, folder);
        if (!add.source) {
            parent.m_bShortcut = add.bShortcut;
            parent.m_bRemove = add.bRemove;
            return;
        }
        FileInfo info;
        if (!GetFileInfo(*add.source, info))
            Fail("source " + *add.source + " does not exist");
        if (!info.bDirectory) {
            AddFile(parent, folder, add.name.value_or(BaseNameOf(*add.source)), *add.source);
            return;
        }
        if (add.name)
            Fail("name renames a single file; source " + *add.source + " is a directory");
        bool emptyOnDisk = false;
        Walk(parent, folder, *add.source, "", 0, emptyOnDisk);
    }

    void Set(CInstallItem& top, const TreeSet& set) {
        int matched = 0;
        for (auto& child : top.m_children)
            matched += ApplySet(*child, "", set);
        if (matched == 0)
            throw CToolError(kExitInput, set.strWhere + ": path '" + set.strPath + "' matches no item in [" +
                                             m_strSection + "]");
    }

private:
    [[noreturn]] void Fail(const std::string& message) const {
        throw CToolError(kExitInput, m_pAdd->strWhere + ": " + message);
    }

    void CheckName(const std::string& name, const std::string& path) const {
        ItemNameFault fault = CheckItemName(name);
        if (fault != ItemNameFault::kNone)
            Fail("'" + path + "' cannot be installed: " + DescribeNameFault(fault));
    }

    // The directory item at target below top, made (with default flags) where missing.
    CInstallItem& Folder(CInstallItem& top, const std::string& target, std::string& folder) {
        CInstallItem* current = &top;
        size_t start = 0;
        while (start < target.size()) {
            size_t end = target.find_first_of("/\\", start);
            if (end == std::string::npos)
                end = target.size();
            std::string part = target.substr(start, end - start);
            start = end + 1;
            if (part.empty())
                continue;
            folder = JoinTarget(folder, part);
            CheckName(part, folder);
            CInstallItem* child = FindChild(*current, part);
            if (child && !child->m_strSource.empty())
                Fail("'" + folder + "' is a file and cannot also be a folder");
            if (!child) {
                current->m_children.push_back(std::make_unique<CInstallItem>());
                child = current->m_children.back().get();
                child->m_strName = part;
            }
            current = child;
        }
        return *current;
    }

    void AddFile(CInstallItem& parent, const std::string& folder, const std::string& name, const std::string& source) {
        std::string path = JoinTarget(folder, name);
        CheckName(name, path);
        if (FindChild(parent, name))
            Fail("'" + path + "' is added twice (names differing only in case are the same file on Windows)");
        auto item = std::make_unique<CInstallItem>();
        item->m_strName = name;
        item->m_strSource = source;
        item->m_bShortcut = m_pAdd->bShortcut;
        item->m_bRemove = m_pAdd->bRemove;
        parent.m_children.push_back(std::move(item));
    }

    // Adds what the directory at source holds below parent; true when anything was.
    bool Walk(CInstallItem& parent, const std::string& folder, const std::string& source, const std::string& relative,
              int depth, bool& emptyOnDisk) {
        std::vector<DirEntry> entries;
        if (!ListDirectory(source, entries))
            Fail("directory " + source + " cannot be read");
        emptyOnDisk = entries.empty();
        bool added = false;
        const TreeAdd& add = *m_pAdd;
        for (const DirEntry& entry : entries) {
            std::string path = relative.empty() ? entry.strName : relative + "/" + entry.strName;
            if (MatchesAny(add.exclude, path))
                continue;
            bool included = add.include.empty() || MatchesAny(add.include, path);
            std::string target = JoinTarget(folder, entry.strName);
            std::string entrySource = JoinPath(source, entry.strName);
            if (!entry.bDirectory) {
                if (included) {
                    AddFile(parent, folder, entry.strName, entrySource);
                    added = true;
                }
                continue;
            }
            if (depth + 1 >= kMaxItemDepth)
                Fail("directory " + entrySource + " is nested deeper than " + std::to_string(kMaxItemDepth) + " levels");
            CheckName(entry.strName, target);
            CInstallItem* child = FindChild(parent, entry.strName);
            if (child && !child->m_strSource.empty())
                Fail("'" + target + "' is a file and cannot also be a folder");
            bool made = !child;
            if (made) {
                parent.m_children.push_back(std::make_unique<CInstallItem>());
                child = parent.m_children.back().get();
                child->m_strName = entry.strName;
                child->m_bShortcut = add.bShortcut;
                child->m_bRemove = add.bRemove;
            }
            bool childEmpty = false;
            bool keep = Walk(*child, target, entrySource, path, depth + 1, childEmpty) || (childEmpty && included);
            if (!keep && made)
                parent.m_children.pop_back();
            added = added || keep;
        }
        return added;
    }

    int ApplySet(CInstallItem& item, const std::string& folder, const TreeSet& set) {
        std::string path = JoinTarget(folder, item.m_strName);
        int matched = 0;
        if (MatchGlob(set.strPath, path)) {
            if (set.shortcut)
                item.m_bShortcut = *set.shortcut;
            if (set.remove)
                item.m_bRemove = *set.remove;
            ++matched;
        }
        for (auto& child : item.m_children)
            matched += ApplySet(*child, path, set);
        return matched;
    }

    std::string m_strSection;
    const TreeAdd* m_pAdd = nullptr;
};

void BuildSection(const TreeEntries& entries, const char* section, CInstallItem& top) {
    CTreeBuilder builder(section);
    for (const TreeAdd& add : entries.adds)
        builder.Add(top, add);
    SortTree(top.m_children);
    for (const TreeSet& set : entries.sets)
        builder.Set(top, set);
}

struct CheckTotals {
    uint64_t nBytes = 0;
};

void CheckItems(const InstallItemList& items, const std::string& folder, int depth, CheckTotals& totals) {
    for (size_t i = 0; i < items.size(); ++i) {
        const CInstallItem& item = *items[i];
        std::string path = JoinTarget(folder, item.m_strName);
        ItemNameFault fault = CheckItemName(item.m_strName);
        if (fault != ItemNameFault::kNone)
            throw CToolError(kExitInput, "item '" + path + "' cannot be installed: " + DescribeNameFault(fault));
        for (size_t j = 0; j < i; ++j) {
            if (Folded(items[j]->m_strName) == Folded(item.m_strName))
                throw CToolError(kExitInput, "items '" + JoinTarget(folder, items[j]->m_strName) + "' and '" + path +
                                                 "' would be the same file on Windows");
        }
        if (depth >= kMaxItemDepth)
            throw CToolError(kExitInput, "item '" + path + "' is nested deeper than " + std::to_string(kMaxItemDepth) +
                                             " levels");
        if (!item.m_strSource.empty()) {
            const std::string& source = item.m_strSource;
            FileInfo info;
            if (!GetFileInfo(source, info))
                throw CToolError(kExitInput, "item '" + path + "': source " + source + " does not exist");
            if (info.bDirectory)
                throw CToolError(kExitInput, "item '" + path + "': source " + source + " is a directory");
            if (info.nSize > uint64_t(INT32_MAX))
                throw CToolError(kExitInput, "item '" + path + "': source " + source +
                                                 " is 2 GiB or larger, more than a package block holds");
            FileStream stream;
            CFileException error(CFileException::kGeneric, 0);
            if (!stream.Open(source, FileStream::kReadDenyWrite, &error))
                throw CToolError(kExitInput, "item '" + path + "': source " + source + " cannot be read (" +
                                                 CFileException::CauseName(error.GetCause()) + ")");
            totals.nBytes += info.nSize;
        }
        CheckItems(item.m_children, path, depth + 1, totals);
    }
}

void FixTimes(InstallItemList& items, int32_t time) {
    for (auto& item : items) {
        if (!item->m_strSource.empty())
            item->m_nFixedTime = time;
        FixTimes(item->m_children, time);
    }
}

}  // namespace

const char* DescribeNameFault(ItemNameFault fault) {
    switch (fault) {
    case ItemNameFault::kNone: return "it is a plain name";
    case ItemNameFault::kEmpty: return "the name is empty";
    case ItemNameFault::kTooLong: return "the name is longer than the 256 characters a reader takes back";
    case ItemNameFault::kSeparator: return "the name contains a path separator";
    case ItemNameFault::kDotName: return "the name is \".\" or \"..\"";
    case ItemNameFault::kForbiddenChar: return "the name contains a character Windows forbids in file names";
    case ItemNameFault::kTrailingDotOrSpace: return "the name ends with a dot or a space, which Windows drops";
    case ItemNameFault::kDeviceName: return "the name is a Windows device (CON, NUL, COM1, ...)";
    }
    return "the name is not a plain file name";
}

void BuildInstallTree(const Manifest& manifest, CInstallRoot& root) {
    root.m_strName = manifest.strRootName;
    root.m_bShortcut = manifest.bRootShortcut;
    root.m_bRemove = manifest.bRootRemove;
    BuildSection(manifest.install, "install", root);
    CInstallItem system;
    BuildSection(manifest.system, "system", system);
    for (auto& item : system.m_children)
        root.m_systemItems.push_back(std::move(item));
    system.m_children.clear();
}

void CheckInstallTree(const CInstallRoot& root) {
    ItemNameFault fault = CheckItemName(root.m_strName);
    if (fault != ItemNameFault::kNone)
        throw CToolError(kExitInput, "the installation folder's name '" + root.m_strName +
                                         "' cannot be used: " + DescribeNameFault(fault));
    CheckTotals totals;
    CheckItems(root.m_children, "", 0, totals);
    CheckItems(root.m_systemItems, "(system)", 0, totals);
    if (totals.nBytes > uint64_t(INT32_MAX))
        throw CToolError(kExitInput, "the files add up to " + std::to_string(totals.nBytes) +
                                         " bytes, more than a package's 32-bit total holds");
}

void FixFileTimes(CInstallRoot& root, int32_t time) {
    FixTimes(root.m_children, time);
    FixTimes(root.m_systemItems, time);
}
