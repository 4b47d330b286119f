// An executable with appended data: the image, the data, then the trailer, an int32
// holding the offset of the data's first byte. The trailer is the file's last 4 bytes.
#pragma once

#include "package/byte_stream.h"

#include <string>

constexpr uint32_t kTrailerSize = 4;

// Full path of the running executable; empty when it cannot be obtained.
std::string GetModulePath();

// Positions stream at the first byte of the appended data, as the trailer says. A file
// too short to hold a trailer lands at offset 0. Returns the offset it went to.
uint32_t SeekToAppendedData(ByteStream& stream);

// Appends the trailer that points at offset.
void WriteTrailer(ByteStream& stream, uint32_t offset);
