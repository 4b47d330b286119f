#include "ui/flat_button.h"

#include "framework/dc.h"

#include <windowsx.h>

namespace {

// A copy of font (null: the system font) with the underline flag set as asked.
HFONT CopyFont(HFONT font, BYTE underline) {
    LOGFONTA logFont = {};
    if (!font || !GetObjectA(font, sizeof(logFont), &logFont))
        GetObjectA(GetStockObject(SYSTEM_FONT), sizeof(logFont), &logFont);
    logFont.lfUnderline = underline;
    return CreateFontIndirectA(&logFont);
}

BYTE IsUnderlined(HFONT font) {
    LOGFONTA logFont = {};
    return font && GetObjectA(font, sizeof(logFont), &logFont) ? logFont.lfUnderline : 0;
}

}  // namespace

CFlatButton::CFlatButton()
    : m_crFill(GetSysColor(COLOR_BTNFACE)), m_crFillHover(GetSysColor(COLOR_BTNFACE)) {}

void CFlatButton::PreSubclassWindow() {
    SetWindowLongPtrA(m_hWnd, GWL_STYLE, GetWindowLongPtrA(m_hWnd, GWL_STYLE) | BS_OWNERDRAW);
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(m_hWnd, WM_GETFONT, 0, 0));
    if (!m_fontNormal)
        m_fontNormal.Reset(CopyFont(font, FALSE));
    if (!m_fontUnderline)
        m_fontUnderline.Reset(CopyFont(font, TRUE));
}

LRESULT CFlatButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_LBUTTONDBLCLK:
        // An owner-drawn button takes a double click as no press at all: pressing it here
        // lets the coming button-up complete a second click.
        SendMessageA(m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);
        break;
    case WM_MOUSEMOVE: {
        RECT client;
        GetClientRect(m_hWnd, &client);
        if (GetCapture() != m_hWnd) {
            SetCapture(m_hWnd);
            m_bHover = 1;
            InvalidateRect(m_hWnd, nullptr, FALSE);
        }
        POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (!PtInRect(&client, point)) {
            ReleaseCapture();
            m_bHover = 0;
            InvalidateRect(m_hWnd, nullptr, FALSE);
        }
        break;
    }
    case WM_LBUTTONUP:
        InvalidateRect(m_hWnd, nullptr, FALSE);
        break;
    case WM_CAPTURECHANGED:
        // Another window took the capture (a menu, a drag), or it was let go while the
        // pointer is elsewhere: the pointer is no longer known to be over the button.
        if (m_bHover && reinterpret_cast<HWND>(lParam) != m_hWnd &&
            (lParam != 0 || !IsPointerInside())) {
            m_bHover = 0;
            InvalidateRect(m_hWnd, nullptr, FALSE);
        }
        break;
    case WM_KILLFOCUS: {
        LRESULT result = Default(message, wParam, lParam);
        m_bHover = 0;
        InvalidateRect(m_hWnd, nullptr, FALSE);
        return result;
    }
    case WM_SETFONT: {
        // Kept from the control, whose own font and the underlined copy stay as they were.
        HFONT font = reinterpret_cast<HFONT>(wParam);
        m_fontNormal.Reset(CopyFont(font, IsUnderlined(font)));
        if (LOWORD(lParam))
            InvalidateRect(m_hWnd, nullptr, TRUE);
        return 0;
    }
    }
    return CButton::WindowProc(message, wParam, lParam);
}

CFlatButton::Look CFlatButton::GetLook(const DRAWITEMSTRUCT& item) const {
    if (item.itemState & ODS_DISABLED)
        return kDisabled;
    if (m_bHover && (item.itemAction & ODA_SELECT))
        return kPressed;
    return m_bHover ? kHover : kNormal;
}

CFlatButton::Look CFlatButton::DrawFace(HDC dc, const DRAWITEMSTRUCT& item) const {
    SetBkMode(dc, TRANSPARENT);
    const Look look = GetLook(item);
    const RECT& rect = item.rcItem;
    bool lit = look == kHover || look == kPressed;
    FillSolidRect(dc, rect, lit ? m_crFillHover : m_crFill);
    if (!lit)
        return look;
    COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
    COLORREF topLeft = look == kPressed ? shadow : highlight;
    COLORREF bottomRight = look == kPressed ? highlight : shadow;
    const RECT top = {rect.left, rect.top, rect.right - 1, rect.top + 1};
    const RECT left = {rect.left, rect.top, rect.left + 1, rect.bottom - 1};
    const RECT right = {rect.right - 1, rect.top, rect.right, rect.bottom};
    const RECT bottom = {rect.left, rect.bottom - 1, rect.right, rect.bottom};
    FillSolidRect(dc, top, topLeft);
    FillSolidRect(dc, left, topLeft);
    FillSolidRect(dc, right, bottomRight);
    FillSolidRect(dc, bottom, bottomRight);
    return look;
}

HFONT CFlatButton::GetLookFont(Look look, UINT itemState) const {
    bool underline = look == kHover || look == kPressed || (look == kNormal && (itemState & ODS_FOCUS));
    return underline ? m_fontUnderline.Get() : m_fontNormal.Get();
}

COLORREF CFlatButton::GetLookTextColour(Look look) const {
    return look == kHover || look == kPressed ? m_crTextHover : m_crText;
}

bool CFlatButton::IsPointerInside() const {
    POINT point;
    RECT client;
    if (!GetCursorPos(&point) || !ScreenToClient(m_hWnd, &point))
        return false;
    GetClientRect(m_hWnd, &client);
    return PtInRect(&client, point) != FALSE;
}
