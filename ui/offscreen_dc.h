// Double buffering: drawing goes to a memory bitmap of the destination's clip box, in the
// destination's own coordinates, and reaches the destination in one copy when the object
// is destroyed, so a change of look never flickers.
#pragma once

#include "framework/unique_handle.h"

class COffscreenDC : public CUniqueMemoryDC {
public:
    explicit COffscreenDC(HDC dest);
    ~COffscreenDC();

private:
    HDC m_hDest;
    CUniqueBitmap m_bitmap;
    HGDIOBJ m_hOldBitmap = nullptr;
    RECT m_rcArea = {};
};
