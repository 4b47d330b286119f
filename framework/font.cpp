#include "framework/font.h"

#include "framework/dc.h"

#include <cstring>

HFONT CreatePointFont(int tenthsOfPoint, const char* faceName) {
    CClientDC screen(nullptr);
    LOGFONTA font = {};
    // A negative height asks for the character height, which is what a point size means.
    font.lfHeight = -MulDiv(tenthsOfPoint, GetDeviceCaps(screen.Get(), LOGPIXELSY), 720);
    font.lfCharSet = DEFAULT_CHARSET;
    strncpy(font.lfFaceName, faceName, LF_FACESIZE - 1);
    return CreateFontIndirectA(&font);
}
