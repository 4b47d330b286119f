// Pictures for a person: the whole gallery, and every look of every button class side by
// side. They land in the screenshots folder (out/<platform>/screenshots under CTest).
#include "tests/ui/gallery_test_support.h"

#include <gtest/gtest.h>

namespace {

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
        gallery = CaptureWindow(dlg.GetHwnd());
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
    CPixels sheet(kLooks * (cellWidth + kMargin) + kMargin, 4 * (cellHeight + kMargin) + kMargin,
                  RGB(255, 255, 255));
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < kLooks; ++column)
            sheet.Paste(looks[row][column], kMargin + column * (cellWidth + kMargin),
                        kMargin + row * (cellHeight + kMargin));
    }
    EXPECT_TRUE(gallery.SaveBmp(ScreenshotPath("gallery.bmp")));
    EXPECT_TRUE(sheet.SaveBmp(ScreenshotPath("button_looks.bmp")));
}

}  // namespace
