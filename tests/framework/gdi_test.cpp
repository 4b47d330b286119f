// Device-context, font and cursor wrappers, and the rich-edit class.
#include "framework/dc.h"
#include "framework/font.h"
#include "framework/image_list.h"
#include "framework/rich_edit.h"
#include "framework/unique_handle.h"
#include "framework/wait_cursor.h"

#include <gtest/gtest.h>

namespace {

TEST(Gdi, SelectionIsUndoneAtTheEndOfItsScope) {
    CClientDC screen(nullptr);
    CUniqueMemoryDC memory(CreateCompatibleDC(screen.Get()));
    ASSERT_TRUE(memory);
    HGDIOBJ before = GetCurrentObject(memory.Get(), OBJ_FONT);
    CUniqueFont font(CreatePointFont(120, "Arial"));
    ASSERT_TRUE(font);
    {
        CSelectObject selected(memory.Get(), font.Get());
        EXPECT_EQ(font.Get(), GetCurrentObject(memory.Get(), OBJ_FONT));
    }
    EXPECT_EQ(before, GetCurrentObject(memory.Get(), OBJ_FONT));
}

TEST(Gdi, PointFontHeightFollowsTheScreensResolution) {
    CClientDC screen(nullptr);
    const int dpi = GetDeviceCaps(screen.Get(), LOGPIXELSY);
    for (int tenths : {80, 120, 384}) {
        CUniqueFont font(CreatePointFont(tenths, "Times New Roman"));
        LOGFONTA logFont = {};
        ASSERT_TRUE(GetObjectA(font.Get(), sizeof(logFont), &logFont));
        EXPECT_EQ(-MulDiv(tenths, dpi, 720), logFont.lfHeight) << tenths;
        EXPECT_STREQ("Times New Roman", logFont.lfFaceName);
    }
}

TEST(Gdi, FillSolidRectFillsExactlyTheRectangle) {
    CClientDC screen(nullptr);
    CUniqueMemoryDC memory(CreateCompatibleDC(screen.Get()));
    CUniqueBitmap bitmap(CreateCompatibleBitmap(screen.Get(), 8, 8));
    CSelectObject selected(memory.Get(), bitmap.Get());
    FillSolidRect(memory.Get(), RECT{0, 0, 8, 8}, RGB(255, 255, 255));
    FillSolidRect(memory.Get(), RECT{2, 2, 5, 5}, RGB(0, 0, 255));
    EXPECT_EQ(RGB(0, 0, 255), GetPixel(memory.Get(), 2, 2));
    EXPECT_EQ(RGB(0, 0, 255), GetPixel(memory.Get(), 4, 4));
    EXPECT_EQ(RGB(255, 255, 255), GetPixel(memory.Get(), 5, 5));
    EXPECT_EQ(RGB(255, 255, 255), GetPixel(memory.Get(), 1, 2));
}

TEST(Gdi, ImageListIsOwned) {
    CUniqueImageList list(ImageList_Create(17, 18, ILC_COLOR24 | ILC_MASK, 4, 0));
    ASSERT_TRUE(list);
    EXPECT_EQ(0, ImageList_GetImageCount(list.Get()));
}

TEST(WaitCursor, ShowsTheHourglassAndThenThePreviousCursor) {
    HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    SetCursor(arrow);
    {
        CWaitCursor wait;
        EXPECT_EQ(LoadCursorA(nullptr, IDC_WAIT), GetCursor());
    }
    EXPECT_EQ(arrow, GetCursor());
}

TEST(RichEdit, ClassIsAvailableOnceLoaded) {
    ASSERT_TRUE(InitRichEdit());
    EXPECT_TRUE(InitRichEdit());
    HWND edit = CreateWindowExA(0, "RICHEDIT", "license", WS_POPUP | ES_MULTILINE | ES_READONLY, 0, 0,
                                100, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, edit);
    char text[16] = {};
    GetWindowTextA(edit, text, sizeof(text));
    EXPECT_STREQ("license", text);
    DestroyWindow(edit);
}

}  // namespace
