#include "package/package_header.h"

#include "package/block_header.h"
#include "package/package_int.h"
#include "package/package_string.h"

namespace {

// Skips a block lying at the stream's position and checks that all of it is there.
bool SkipWholeBlock(ByteStream& stream, uint32_t length) {
    if (SkipBlock(stream) < 0)
        return false;
    return stream.GetPosition() <= length;
}

}  // namespace

PackageHeaderResult ReadPackageHeader(ByteStream& stream, PackageHeader& header) {
    header = PackageHeader();
    uint32_t length = stream.GetLength();
    header.strTitle = ReadPackageString(stream);
    header.strDescription = ReadPackageString(stream);
    if (stream.GetPosition() > length)
        return PackageHeaderResult::kTruncated;

    ReadInt32(stream, header.nBitmapMarker);
    if (IsPresent(header.nBitmapMarker)) {
        header.nBitmapBlock = stream.GetPosition();
        if (!SkipWholeBlock(stream, length))
            return PackageHeaderResult::kTruncated;
    }

    ReadInt32(stream, header.nUninstallerLength);
    if (header.nUninstallerLength >= 0) {
        uint32_t image = stream.GetPosition();
        if (uint64_t(image) + uint32_t(header.nUninstallerLength) > length)
            return PackageHeaderResult::kTruncated;
        header.nUninstallerImage = image;
        stream.Seek(header.nUninstallerLength, ByteStream::kCurrent);
    }

    ReadInt32(stream, header.nLicenseMarker);
    if (IsPresent(header.nLicenseMarker)) {
        header.nLicenseBlock = stream.GetPosition();
        if (!SkipWholeBlock(stream, length))
            return PackageHeaderResult::kTruncated;
    }

    if (!ReadInt32(stream, header.nFileCount) || !ReadInt32(stream, header.nTotalBytes))
        return PackageHeaderResult::kTruncated;
    header.nInstallTree = stream.GetPosition();
    return PackageHeaderResult::kOk;
}
