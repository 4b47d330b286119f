// Drawing a button label: its "&" marks the next letter, which is drawn underlined.
#pragma once

#include <windows.h>

#include <string>

// DrawText of the label into box with the given format (prefix processing included).
void DrawLabel(HDC dc, const std::string& label, RECT box, UINT format);
// The label's size on one line in the selected font, "&" marks not counted.
SIZE MeasureLabel(HDC dc, const std::string& label);
// The label embossed, as the system draws disabled text, with its top-left at (x, y)
// in an extent of width x height.
void DrawLabelDisabled(HDC dc, const std::string& label, int x, int y, int width, int height);
