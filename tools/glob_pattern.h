// Path patterns of the manifest, matched against '/'-separated relative paths:
//   *    any characters within one path component
//   ?    one character other than '/'
//   **   any characters across components; "**/" also matches no component at all
// A pattern without '/' is matched against the last component alone, at any depth.
#pragma once

#include <string>

bool MatchGlob(const std::string& pattern, const std::string& path);
