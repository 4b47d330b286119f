#include "ui/icon_button.h"

#include "framework/dc.h"
#include "ui/label.h"
#include "ui/offscreen_dc.h"

void CIconButton::SetBitmap(UINT id, COLORREF mask) {
    CUniqueBitmap bitmap(LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id)));
    BITMAP info = {};
    if (!bitmap || !GetObjectA(bitmap.Get(), sizeof(info), &info))
        return;
    m_imageList.Reset(ImageList_Create(info.bmWidth / 4, info.bmHeight, ILC_COLOR24 | ILC_MASK, 4, 0));
    if (m_imageList)
        ImageList_AddMasked(m_imageList.Get(), bitmap.Get(), mask);
}

void CIconButton::DrawItem(const DRAWITEMSTRUCT& item) {
    if (!m_imageList || ImageList_GetImageCount(m_imageList.Get()) == 0)
        return;
    int imageWidth = 0;
    int imageHeight = 0;
    ImageList_GetIconSize(m_imageList.Get(), &imageWidth, &imageHeight);

    COffscreenDC offscreen(item.hDC);
    HDC dc = offscreen.Get();
    const int width = item.rcItem.right - item.rcItem.left;
    const int height = item.rcItem.bottom - item.rcItem.top;
    const Look look = DrawFace(dc, item);

    const int y = static_cast<int>(height * 0.5 - imageHeight * 0.5);
    if (look == kPressed)
        ImageList_Draw(m_imageList.Get(), 2, dc, 4, y + 1, ILD_TRANSPARENT);
    else
        ImageList_Draw(m_imageList.Get(), look == kHover ? 1 : look == kDisabled ? 3 : 0, dc, 3, y,
                       ILD_TRANSPARENT);

    const std::string label = GetWindowTextString(m_hWnd);
    CSelectObject font(dc, GetLookFont(look, item.itemState));
    SetTextColor(dc, GetLookTextColour(look));
    if (look == kDisabled) {
        const SIZE size = MeasureLabel(dc, label);
        DrawLabelDisabled(dc, label, static_cast<int>((width - imageWidth - size.cx) * 0.5 + imageWidth),
                          static_cast<int>((height - size.cy) * 0.5), size.cx, size.cy);
        return;
    }
    RECT box = {imageWidth, 0, width, height};
    if (look == kPressed)
        box = {imageWidth + 1, 1, width + 1, height + 1};
    DrawLabel(dc, label, box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}
