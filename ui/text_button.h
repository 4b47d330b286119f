// A skinned push button with a centred label and no image.
#pragma once

#include "ui/flat_button.h"

class CTextButton : public CFlatButton {
protected:
    void DrawItem(const DRAWITEMSTRUCT& item) override;
};
