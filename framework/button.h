// A push button control object. The parent's WM_DRAWITEM for an owner-drawn button is
// reflected to DrawItem, which draws nothing here.
#pragma once

#include "framework/window.h"

class CButton : public CWnd {
protected:
    virtual void DrawItem(const DRAWITEMSTRUCT& item);
    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};
