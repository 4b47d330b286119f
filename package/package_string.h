// Package strings: single-byte characters followed by one NUL, no length prefix.
#pragma once

#include "package/byte_stream.h"

#include <string>

// The longest string a reader takes back whole. A longer stored string comes back
// cut to this length and leaves the stream inside itself.
constexpr size_t kMaxPackageString = 256;

// Reads a string of 0 to 256 characters with one bounded read and one seek, and
// leaves the stream just behind its terminator. A string without a terminator before
// the end of the stream returns the bytes that are there.
std::string ReadPackageString(ByteStream& stream);

// Writes the characters and the NUL: length + 1 bytes.
void WritePackageString(ByteStream& stream, const std::string& text);
