// A skinned push button with a small image left of its label. The image comes from a
// bitmap strip of four equal images side by side: normal, hover, pressed, disabled.
#pragma once

#include "framework/image_list.h"
#include "ui/flat_button.h"

class CIconButton : public CFlatButton {
public:
    // Splits bitmap resource id into the four images, mask the transparent colour. A
    // bitmap that does not load leaves the button without images, and it draws nothing.
    void SetBitmap(UINT id, COLORREF mask);

protected:
    void DrawItem(const DRAWITEMSTRUCT& item) override;

    CUniqueImageList m_imageList;
};
