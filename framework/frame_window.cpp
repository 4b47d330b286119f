#include "framework/frame_window.h"

#include "framework/app.h"

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
    delete this;
}
