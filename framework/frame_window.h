// A top-level frame window. Frame objects are made with new: once a frame has a window,
// the object deletes itself after the window's last message (before that, its maker
// deletes it). When the frame is the application's main window, its destruction also
// ends the message loop.
#pragma once

#include "framework/window.h"

class CFrameWnd : public CWnd {
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;
};
