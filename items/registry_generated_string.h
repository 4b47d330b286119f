// The data of a generated string value (value type 2): twelve 2-character groups,
//   R dd R mm R yy R HH R MM 00 SS
// where R is a pseudo-random byte in two uppercase hex digits and the others are the
// local day, month, two-digit year, hour, minute and second of one time snapshot.
// The value is the rightmost `length` characters of those 24.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

constexpr int kGeneratedStringChars = 24;

// random is called five times, once for each R from left to right; only its low byte
// is used. A length of 24 or more gives all 24 characters, 0 or less an empty string.
std::string MakeGeneratedString(int32_t length, const std::tm& local, int (*random)());

// The same from the current local time and the C run-time's rand(), which the
// installer seeds once at start-up.
std::string GenerateString(int32_t length);
