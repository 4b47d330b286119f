// Shortens a path for display: the system's path compaction where it is available,
// the fallback rule otherwise. Keeps no state; safe on any thread.
#pragma once

#include <string>

// A path of at most maxChars characters is returned unchanged. Otherwise the system
// function gives at most maxChars characters; the fallback keeps the path up to its
// first backslash, then "..." and the last maxChars − 5 characters starting at a
// backslash in them (so its result may be longer), and leaves a path without any
// backslash whole.
std::string CompactPath(const std::string& path, int maxChars);

std::string CompactPathFallback(const std::string& path, int maxChars);
