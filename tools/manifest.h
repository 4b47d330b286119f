// The build manifest, a TOML file. Paths in it are relative to the manifest's folder.
//
//   title = "…"                 program title (required; names the uninstaller)
//   description = "…"           one line, may be empty
//   bitmap = "banner.bmp"       optional Windows bitmap shown behind the setup dialog
//   license = "license.txt"     optional license text
//   stub = "setup.exe"          optional installer stub; default: the project's own
//   uninstaller = "…" | false   optional uninstaller; default: the project's own
//
//   [install]                   the installation folder
//   name, shortcut, remove      its name (default: title), shortcut and remove flags
//   [[install.add]]             directories and files taken from disk:
//     source = "dir" | "file"   omitted: just the (empty) folder `target`
//     target = "a/b"            folder inside the installation folder ("" = top)
//     name = "…"                new name for a single file
//     include = [..], exclude = [..]   patterns on paths below a source directory
//     shortcut, remove          flags of every item the entry makes (false, true)
//   [[install.set]]             flags of items matched by path after all adds:
//     path = "bin/*.exe", shortcut = true, remove = false
//   [[system.add]], [[system.set]]   the same for the Windows system directory
//
//   [[registry.current_user]], [[registry.local_machine]]   keys below "Software":
//     key = 'Vendor\Product'    "" for values right under Software
//     remove = true             parents that are not declared themselves keep false
//     values = [ { name = "…", string = "…" | number = 1 | generated = 12, remove = true } ]
#pragma once

#include "items/registry_entry.h"

#include <optional>
#include <string>
#include <vector>

struct TreeAdd {
    std::string strWhere;  // manifest file, line and table, for messages
    std::optional<std::string> source;
    std::string strTarget;
    std::optional<std::string> name;
    std::vector<std::string> include;
    std::vector<std::string> exclude;
    bool bShortcut = false;
    bool bRemove = true;
};

struct TreeSet {
    std::string strWhere;
    std::string strPath;
    std::optional<bool> shortcut;
    std::optional<bool> remove;
};

struct TreeEntries {
    std::vector<TreeAdd> adds;
    std::vector<TreeSet> sets;
};

struct Manifest {
    std::string strPath;
    std::string strTitle;
    std::string strDescription;
    std::optional<std::string> bitmap;
    std::optional<std::string> license;
    std::optional<std::string> stub;
    std::optional<std::string> uninstaller;
    bool bNoUninstaller = false;

    std::string strRootName;
    bool bRootShortcut = false;
    bool bRootRemove = true;
    TreeEntries install;
    TreeEntries system;

    CRegistryList user;
    CRegistryList machine;
};

// Reads and checks the manifest at path; source paths come back joined to the
// manifest's folder. Throws CToolError(kExitInput) naming the file, line and problem.
void LoadManifest(const std::string& path, Manifest& manifest);
