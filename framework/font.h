// Font creation beyond CreateFontIndirect. Fonts are owned as CUniqueFont
// (framework/unique_handle.h).
#pragma once

#include <windows.h>

// A font of the given size in tenths of a point and face name, converted to pixels at the
// screen's resolution. Null on failure.
HFONT CreatePointFont(int tenthsOfPoint, const char* faceName);
