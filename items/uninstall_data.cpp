#include "items/uninstall_data.h"

#include "package/appended_data.h"
#include "package/memory_stream.h"
#include "package/package_string.h"

#include <vector>

bool ReadUninstallData(ByteStream& executable, UninstallData& data) {
    uint32_t length = executable.GetLength();
    if (length < kTrailerSize)
        return false;
    uint32_t end = length - kTrailerSize;
    uint32_t offset = SeekToAppendedData(executable);
    if (offset == 0 || offset > end || end - offset > kMaxUninstallDataSize)
        return false;

    // The records are read from a copy that ends where the trailer begins, so that
    // reading past their end is a short read and never takes the trailer for data.
    std::vector<uint8_t> bytes(end - offset);
    if (!executable.ReadExact(bytes.data(), uint32_t(bytes.size())))
        return false;
    MemoryStream records(std::move(bytes));
    data.strTitle = ReadPackageString(records);
    data.strDescription = ReadPackageString(records);
    if (!data.root.Read(records) || !data.currentUser.Read(records) || !data.localMachine.Read(records))
        return false;
    return records.GetPosition() == records.GetLength();
}
