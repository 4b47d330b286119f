// The install tree's on-disk records. Integers are int32 little-endian; a string is
// its bytes and one NUL, read back with ReadPackageString (at most 256 characters).
//
// Install tree section of the setup package (written by CInstallRoot::WriteToPackage):
//   shortcut count      int32   CountShortcuts(); the program folder is made when > 0
//   root type           int32   always 1, read and ignored
//   root shortcut flag  int32
//   root remove flag    int32
//   root name           string  not empty; also names the program folder
//   child count         int32
//   child item records          installed below the destination folder
//   system item count   int32
//   system item records         installed below the Windows system directory
// The root record has no time and no file data.
//
// Item record (written by CInstallItem::WriteToPackage, read by Extract):
//   type                int32   2 file (has a source), 1 directory; readers take every
//                               value other than 1 for a file
//   shortcut flag       int32
//   remove flag         int32
//   name                string  one plain path component, never empty
//   time                int32   files only: last-write time, seconds since 1970 UTC
//   file data           block   files only: the whole content as one compressed block
//                               (header U, C lets a reader skip it)
//   child count         int32   present for files too
//   child item records          depth first, in list order
//
// Project record (authoring state, Save / Load):
//   name                string
//   source path         string  empty for a directory
//   remove flag         int32   note: remove before shortcut, unlike the item record
//   shortcut flag       int32
//   child count         int32
//   child project records
// The root's project record is followed by an int32 system item count and that many
// project records. The uninstaller path is not part of it.
#pragma once

#include <cstdint>

constexpr int32_t kItemTypeDirectory = 1;
constexpr int32_t kItemTypeFile = 2;
constexpr int32_t kRootType = 1;

// Deepest nesting a reader follows. A tree deeper than this cannot be installed with
// 260-character paths anyway, and the cap keeps a damaged record from exhausting the
// stack.
constexpr int kMaxItemDepth = 128;
