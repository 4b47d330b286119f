#include "ui/text_button.h"

#include "framework/dc.h"
#include "ui/offscreen_dc.h"
#include "ui/label.h"

void CTextButton::DrawItem(const DRAWITEMSTRUCT& item) {
    COffscreenDC offscreen(item.hDC);
    HDC dc = offscreen.Get();
    const int width = item.rcItem.right - item.rcItem.left;
    const int height = item.rcItem.bottom - item.rcItem.top;
    const Look look = DrawFace(dc, item);

    const std::string label = GetWindowTextString(m_hWnd);
    CSelectObject font(dc, GetLookFont(look, item.itemState));
    SetTextColor(dc, GetLookTextColour(look));
    RECT box = {0, 0, width, height};
    if (look == kDisabled) {
        // Plain first, then embossed over it.
        DrawLabel(dc, label, box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        const SIZE size = MeasureLabel(dc, label);
        DrawLabelDisabled(dc, label, (width - size.cx) / 2, (height - size.cy) / 2, width, height);
        return;
    }
    if (look == kPressed)
        OffsetRect(&box, 1, 1);
    DrawLabel(dc, label, box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
}
