#include "ui/offscreen_dc.h"

COffscreenDC::COffscreenDC(HDC dest) : CUniqueMemoryDC(CreateCompatibleDC(dest)), m_hDest(dest) {
    GetClipBox(dest, &m_rcArea);
    m_bitmap.Reset(CreateCompatibleBitmap(dest, m_rcArea.right - m_rcArea.left,
                                          m_rcArea.bottom - m_rcArea.top));
    if (!*this || !m_bitmap)
        return;
    m_hOldBitmap = SelectObject(Get(), m_bitmap.Get());
    SetWindowOrgEx(Get(), m_rcArea.left, m_rcArea.top, nullptr);
}

COffscreenDC::~COffscreenDC() {
    if (!m_hOldBitmap)
        return;
    BitBlt(m_hDest, m_rcArea.left, m_rcArea.top, m_rcArea.right - m_rcArea.left,
           m_rcArea.bottom - m_rcArea.top, Get(), m_rcArea.left, m_rcArea.top, SRCCOPY);
    SelectObject(Get(), m_hOldBitmap);
}
