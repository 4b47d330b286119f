// Device contexts that must be given back, a selection that must be undone, and a fill.
// A memory device context is CUniqueMemoryDC (framework/unique_handle.h).
#pragma once

#include <windows.h>

// Fills rect with colour (the opaque background of an empty text-out).
inline void FillSolidRect(HDC dc, const RECT& rect, COLORREF colour) {
    COLORREF old = SetBkColor(dc, colour);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    SetBkColor(dc, old);
}

// BeginPaint ... EndPaint, for WM_PAINT.
class CPaintDC {
public:
    explicit CPaintDC(HWND hwnd) : m_hWnd(hwnd) { m_hDC = BeginPaint(hwnd, &m_ps); }
    ~CPaintDC() { EndPaint(m_hWnd, &m_ps); }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    HDC Get() const { return m_hDC; }

private:
    HWND m_hWnd;
    PAINTSTRUCT m_ps = {};
    HDC m_hDC;
};

// GetDC ... ReleaseDC: a window's client area outside WM_PAINT (null: the screen).
class CClientDC {
public:
    explicit CClientDC(HWND hwnd) : m_hWnd(hwnd), m_hDC(GetDC(hwnd)) {}
    ~CClientDC() {
        if (m_hDC)
            ReleaseDC(m_hWnd, m_hDC);
    }
    CClientDC(const CClientDC&) = delete;
    CClientDC& operator=(const CClientDC&) = delete;

    HDC Get() const { return m_hDC; }

private:
    HWND m_hWnd;
    HDC m_hDC;
};

// Selects an object into a device context and selects the previous one back at the end.
// The object must outlive the selection.
class CSelectObject {
public:
    CSelectObject(HDC dc, HGDIOBJ object) : m_hDC(dc), m_hOld(SelectObject(dc, object)) {}
    ~CSelectObject() {
        if (m_hOld && m_hOld != HGDI_ERROR)
            SelectObject(m_hDC, m_hOld);
    }
    CSelectObject(const CSelectObject&) = delete;
    CSelectObject& operator=(const CSelectObject&) = delete;

private:
    HDC m_hDC;
    HGDIOBJ m_hOld;
};
