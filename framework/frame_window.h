// A top-level frame window. Frame objects are made with new. Once Create has succeeded,
// the object deletes itself after its window's last message; when Create fails, the
// object is still there and its maker deletes it. When the frame is the application's
// main window, its destruction also ends the message loop.
#pragma once

#include "framework/window.h"

class CFrameWnd : public CWnd {
public:
    BOOL Create(DWORD exStyle, const char* windowName, DWORD style, const RECT& rect, HWND parent,
                UINT_PTR menu);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;

private:
    bool m_bCreated = false;
};
