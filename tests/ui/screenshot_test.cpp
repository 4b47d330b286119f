// Pictures for a person: the whole gallery, and every look of every button class side by
// side (rows: CTextButton, CIconButton, CCancelButton, COkButton). They land in the
// screenshots folder (out/<platform>/screenshots under CTest).
#include "tests/ui/gallery_test_support.h"

#include <gtest/gtest.h>

namespace {

// text in black on white, in the dialog's usual font.
CPixels RenderText(const char* text, int width, int height) {
    CPixels pixels(width, height, RGB(255, 255, 255));
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
    HGDIOBJ oldFont = SelectObject(memory, GetStockObject(DEFAULT_GUI_FONT));
    RECT box = {0, 0, width, height};
    FillRect(memory, &box, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DrawTextA(memory, text, -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            pixels.Set(x, y, GetPixel(memory, x, y));
    }
    SelectObject(memory, oldFont);
    SelectObject(memory, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

TEST(Screenshots, GalleryAndButtonLooks) {
    const int ids[][2] = {
        {IDC_TEXT, IDC_TEXT_OFF},
        {IDC_ICON_BUTTON, IDC_ICON_BUTTON_OFF},
        {IDC_CANCEL_SKIN, IDC_CANCEL_SKIN_OFF},
        {IDC_OK_SKIN, IDC_OK_SKIN_OFF},
    };
    constexpr int kLooks = 5;  // normal, focused, hover, pressed, disabled
    CPixels gallery;
    CPixels looks[4][kLooks];
    RunGallery([&](CGalleryTestDlg& dlg) {
        HWND away = dlg.GetItem(IDC_LAST_CLICK);
        MovePointerToCentre(away);
        gallery = CaptureClient(dlg.GetHwnd());
        for (int row = 0; row < 4; ++row) {
            HWND button = dlg.GetItem(ids[row][0]);
            MovePointerToCentre(away);
            looks[row][0] = CaptureClient(button);
            SetFocus(button);
            Settle();
            looks[row][1] = CaptureClient(button);
            SetFocus(dlg.GetItem(IDC_FOCUS));
            MovePointerToCentre(button);
            looks[row][2] = CaptureClient(button);
            PressLeftButton();
            looks[row][3] = CaptureClient(button);
            MovePointerToCentre(away);
            ReleaseLeftButton();
            looks[row][4] = CaptureClient(dlg.GetItem(ids[row][1]));
        }
        dlg.EndDialog(IDOK);
    });

    int cellWidth = 0, cellHeight = 0;
    for (const auto& row : looks) {
        for (const CPixels& look : row) {
            cellWidth = look.width() > cellWidth ? look.width() : cellWidth;
            cellHeight = look.height() > cellHeight ? look.height() : cellHeight;
        }
    }
    ASSERT_GT(cellWidth, 0);
    constexpr int kMargin = 8;
    constexpr int kTitleHeight = 16;
    const char* const titles[kLooks] = {"normal", "focused", "hover", "pressed", "disabled"};
    CPixels sheet(kLooks * (cellWidth + kMargin) + kMargin, kTitleHeight + 4 * (cellHeight + kMargin) + kMargin,
                  RGB(255, 255, 255));
    for (int column = 0; column < kLooks; ++column) {
        const int x = kMargin + column * (cellWidth + kMargin);
        sheet.Paste(RenderText(titles[column], cellWidth, kTitleHeight), x, kMargin / 2);
        for (int row = 0; row < 4; ++row)
            sheet.Paste(looks[row][column], x, kTitleHeight + kMargin + row * (cellHeight + kMargin));
    }
    EXPECT_TRUE(gallery.SaveBmp(ScreenshotPath("gallery.bmp")));
    EXPECT_TRUE(sheet.SaveBmp(ScreenshotPath("button_looks.bmp")));
}

}  // namespace
