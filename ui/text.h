// String-table texts, loaded once and kept for the rest of the run. User-interface thread only.
#pragma once

#include <windows.h>

#include <map>
#include <string>

using CTextCache = std::map<UINT, std::string>;

// Every text LoadText has loaded, by string id; entries are only ever added. Each program
// defines it once, beside its other process-wide objects.
extern CTextCache g_textCache;

// The program's string-table text id, from the cache when it was loaded before; an id
// without a string gives (and is kept as) an empty text.
std::string LoadText(UINT id);
