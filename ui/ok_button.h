// The icon button with the check mark.
#pragma once

#include "resources/button_bitmaps.h"
#include "ui/icon_button.h"

class COkButton : public CIconButton {
protected:
    void PreSubclassWindow() override {
        CIconButton::PreSubclassWindow();
        SetBitmap(IDB_OK_BUTTON, RGB(255, 0, 255));
    }
};
