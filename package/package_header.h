// The leading sections of a setup package (fields 1 to 10), read in order:
//
//   title               string
//   description         string
//   bitmapMarker        int32   negative: no bitmap block follows (writers put U here)
//   bitmap block        compressed block, only when bitmapMarker >= 0
//   uninstallerLength   int32   negative: no uninstaller; else that many raw bytes follow
//   uninstaller image   raw bytes
//   licenseMarker       int32   negative: no license block follows
//   license block       compressed block, only when licenseMarker >= 0
//   fileCount           int32   file items in the install tree, system items included
//   totalBytes          int32   uncompressed bytes of all install files
//
// The install tree section, the two registry lists and the trailer follow.
#pragma once

#include "package/byte_stream.h"

#include <cstdint>
#include <string>

struct PackageHeader {
    static constexpr uint32_t kNone = UINT32_MAX;

    std::string strTitle;
    std::string strDescription;
    int32_t nBitmapMarker = -1;
    uint32_t nBitmapBlock = kNone;       // offset of the bitmap block's header
    int32_t nUninstallerLength = -1;
    uint32_t nUninstallerImage = kNone;  // offset of the image's first byte
    int32_t nLicenseMarker = -1;
    uint32_t nLicenseBlock = kNone;      // offset of the license block's header
    int32_t nFileCount = 0;
    int32_t nTotalBytes = 0;
    uint32_t nInstallTree = kNone;       // offset of the install tree section

    bool HasBitmap() const { return nBitmapBlock != kNone; }
    bool HasUninstaller() const { return nUninstallerImage != kNone; }
    bool HasLicense() const { return nLicenseBlock != kNone; }
};

enum class PackageHeaderResult {
    kOk,
    kTruncated,  // the stream ended inside the leading sections
};

// Reads fields 1 to 10 from stream, which is positioned at the package's first byte
// (see SeekToAppendedData). Blocks and the uninstaller image are skipped, their
// offsets noted; the stream is left at the install tree section. Presets follow the
// format: markers and uninstallerLength read as absent, fileCount and totalBytes as 0
// when the stream ends there. A block or an image reaching past the end of the stream
// is reported as kTruncated, with the offsets read so far kept.
PackageHeaderResult ReadPackageHeader(ByteStream& stream, PackageHeader& header);
