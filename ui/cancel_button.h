// The icon button with the red cancel mark.
#pragma once

#include "resources/button_bitmaps.h"
#include "ui/icon_button.h"

class CCancelButton : public CIconButton {
protected:
    void PreSubclassWindow() override {
        CIconButton::PreSubclassWindow();
        SetBitmap(IDB_CANCEL_BUTTON, RGB(255, 0, 255));
    }
};
