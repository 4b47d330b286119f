#include "framework/frame_window.h"

#include "framework/app.h"

BOOL CFrameWnd::Create(DWORD exStyle, const char* windowName, DWORD style, const RECT& rect, HWND parent,
                       UINT_PTR menu) {
    // A window that fails during its creation (WM_CREATE gives -1) is destroyed before
    // CreateWindowEx returns; its object must outlive that, for the maker to delete.
    m_bCreated = CWnd::Create(exStyle, windowName, style, rect, parent, menu) != FALSE;
    return m_bCreated;
}

LRESULT CFrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCDESTROY:
        if (GetApp() && GetApp()->GetMainWnd() == this) {
            GetApp()->SetMainWnd(nullptr);
            PostQuitMessage(0);
        }
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CFrameWnd::PostNcDestroy() {
    if (m_bCreated)
        delete this;
}
