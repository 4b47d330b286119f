// The leading sections of a package from any bytes, through the trailer as the
// installer finds them: the reader returns, and every offset it reports lies inside the
// stream.
#include "fuzz/fuzz_check.h"
#include "package/appended_data.h"
#include "package/memory_stream.h"
#include "package/package_header.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MemoryStream stream(std::vector<uint8_t>(data, data + size));
    SeekToAppendedData(stream);
    PackageHeader header;
    PackageHeaderResult result = ReadPackageHeader(stream, header);
    FUZZ_CHECK(header.strTitle.size() <= 256 && header.strDescription.size() <= 256);
    const uint32_t length = stream.GetLength();
    if (header.HasBitmap())
        FUZZ_CHECK(header.nBitmapBlock <= length);
    if (header.HasUninstaller())
        FUZZ_CHECK(uint64_t(header.nUninstallerImage) + uint32_t(header.nUninstallerLength) <= length);
    if (header.HasLicense())
        FUZZ_CHECK(header.nLicenseBlock <= length);
    if (result == PackageHeaderResult::kOk)
        FUZZ_CHECK(header.nInstallTree <= length && stream.GetPosition() == header.nInstallTree);
    return 0;
}
