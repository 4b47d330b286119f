// The skinned buttons in the gallery, driven with the real pointer and keys; where the
// look is the behaviour, the test reads the pixels on the screen.
#include "tests/ui/gallery_test_support.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
// Icon buttons keep their image left of this column, in every look.
constexpr int kLabelColumn = 21;

struct ButtonCase {
    const char* name;
    int id;
    bool icon;
};

const ButtonCase kButtons[] = {
    {"CTextButton", IDC_TEXT, false},
    {"CIconButton", IDC_ICON_BUTTON, true},
    {"CCancelButton", IDC_CANCEL_SKIN, true},
    {"COkButton", IDC_OK_SKIN, true},
};

// What the label and frame of a button look like at the moment.
struct Look {
    int blue = 0;
    int black = 0;
    RECT blueBounds = {};
    RECT blackBounds = {};
    bool blueUnderline = false;
    bool blackUnderline = false;
    COLORREF topLeft = 0;
    COLORREF bottomRight = 0;
    COLORREF bottomLeft = 0;
};

// A row of the label (not always its lowest: descenders reach below) that runs along most
// of its width; letters alone never do.
bool Underlined(const CPixels& label, const RECT& bounds, COLORREF colour) {
    const int width = bounds.right - bounds.left;
    for (int y = bounds.top; y < bounds.bottom; ++y) {
        if (label.LongestRun(y, colour) * 10 >= width * 8)
            return true;
    }
    return false;
}

Look Inspect(HWND button, bool icon) {
    const CPixels all = CaptureClient(button);
    const CPixels label = icon ? all.FromColumn(kLabelColumn) : all;
    Look look;
    look.blue = label.Count(kBlue);
    look.black = label.Count(kBlack);
    look.blueBounds = label.Bounds(kBlue);
    look.blackBounds = label.Bounds(kBlack);
    look.blueUnderline = Underlined(label, look.blueBounds, kBlue);
    look.blackUnderline = Underlined(label, look.blackBounds, kBlack);
    look.topLeft = all.At(0, 0);
    look.bottomRight = all.At(all.width() - 1, all.height() - 1);
    look.bottomLeft = all.At(0, all.height() - 1);
    return look;
}

HWND Away(CGalleryTestDlg& dlg) {
    return dlg.GetItem(IDC_LAST_CLICK);
}

TEST(Button, HoverLightsTheLabelAndFrameAndLeavingRestoresTheNormalLook) {
    for (const ButtonCase& c : kButtons) {
        SCOPED_TRACE(c.name);
        Look normal, hover, after;
        HWND captureOver = nullptr, captureAfter = reinterpret_cast<HWND>(1);
        RunGallery([&](CGalleryTestDlg& dlg) {
            HWND button = dlg.GetItem(c.id);
            MovePointerToCentre(Away(dlg));
            normal = Inspect(button, c.icon);
            MovePointerToCentre(button);
            hover = Inspect(button, c.icon);
            captureOver = GetCapture();
            MovePointerToCentre(Away(dlg));
            after = Inspect(button, c.icon);
            captureAfter = GetCapture();
            dlg.EndDialog(IDOK);
        });
        const COLORREF face = GetSysColor(COLOR_BTNFACE);
        EXPECT_EQ(0, normal.blue);
        EXPECT_GT(normal.black, 0);
        EXPECT_FALSE(normal.blackUnderline);
        EXPECT_EQ(face, normal.topLeft);
        EXPECT_EQ(face, normal.bottomRight);

        EXPECT_GT(hover.blue, 0);
        EXPECT_EQ(0, hover.black);
        EXPECT_TRUE(hover.blueUnderline);
        EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT), hover.topLeft);
        EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), hover.bottomRight);
        EXPECT_NE(nullptr, captureOver);

        EXPECT_EQ(0, after.blue);
        EXPECT_EQ(normal.black, after.black);
        EXPECT_EQ(face, after.topLeft);
        EXPECT_EQ(nullptr, captureAfter);
    }
}

TEST(Button, PressedLookMovesTheLabelAndImageByOnePixelAndSinksTheFrame) {
    for (const ButtonCase& c : kButtons) {
        SCOPED_TRACE(c.name);
        Look hover, pressed, released;
        CPixels hoverImage, pressedImage;
        int clicks = -1;
        RunGallery([&](CGalleryTestDlg& dlg) {
            HWND button = dlg.GetItem(c.id);
            MovePointerToCentre(button);
            hover = Inspect(button, c.icon);
            hoverImage = CaptureClient(button);
            PressLeftButton();
            pressed = Inspect(button, c.icon);
            pressedImage = CaptureClient(button);
            ReleaseLeftButton();
            released = Inspect(button, c.icon);
            clicks = dlg.GetClicks(c.id);
            MovePointerToCentre(Away(dlg));
            dlg.EndDialog(IDOK);
        });
        ASSERT_GT(pressed.blue, 0);
        EXPECT_EQ(hover.blueBounds.left + 1, pressed.blueBounds.left);
        EXPECT_EQ(hover.blueBounds.top + 1, pressed.blueBounds.top);
        EXPECT_EQ(hover.blueBounds.right + 1, pressed.blueBounds.right);
        EXPECT_EQ(hover.blueBounds.bottom + 1, pressed.blueBounds.bottom);
        EXPECT_TRUE(pressed.blueUnderline);
        EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), pressed.topLeft);
        EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT), pressed.bottomRight);
        if (c.id == IDC_CANCEL_SKIN) {
            // The red disc of image 2 sits one pixel further right and down than image 1's.
            const RECT over = hoverImage.Bounds(kRed);
            const RECT down = pressedImage.Bounds(kRed);
            EXPECT_EQ(over.left + 1, down.left);
            EXPECT_EQ(over.top + 1, down.top);
        }
        EXPECT_EQ(1, clicks);
        // The button-up redraws the hover look.
        EXPECT_EQ(hover.blueBounds.left, released.blueBounds.left);
        EXPECT_EQ(hover.blueBounds.top, released.blueBounds.top);
        EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT), released.topLeft);
    }
}

TEST(Button, DoubleClickCountsAsTwoClicks) {
    for (const ButtonCase& c : kButtons) {
        SCOPED_TRACE(c.name);
        int clicks = -1;
        RunGallery([&](CGalleryTestDlg& dlg) {
            MovePointerToCentre(dlg.GetItem(c.id));
            PressLeftButton();
            ReleaseLeftButton();
            PressLeftButton();
            ReleaseLeftButton();
            clicks = dlg.GetClicks(c.id);
            MovePointerToCentre(Away(dlg));
            dlg.EndDialog(IDOK);
        });
        EXPECT_EQ(2, clicks);
    }
}

TEST(Button, PressingAndDraggingOffReleasesTheCaptureAndGivesNoClick) {
    int clicks = -1;
    HWND capture = reinterpret_cast<HWND>(1);
    Look after;
    RunGallery([&](CGalleryTestDlg& dlg) {
        HWND button = dlg.GetItem(IDC_TEXT);
        MovePointerToCentre(button);
        PressLeftButton();
        MovePointerToCentre(Away(dlg));
        capture = GetCapture();
        ReleaseLeftButton();
        after = Inspect(button, false);
        clicks = dlg.GetClicks(IDC_TEXT);
        dlg.EndDialog(IDOK);
    });
    EXPECT_EQ(nullptr, capture);
    EXPECT_EQ(0, clicks);
    EXPECT_EQ(0, after.blue);
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), after.topLeft);
}

TEST(Button, FocusedButtonAwayFromThePointerShowsAnUnderlinedBlackLabel) {
    for (const ButtonCase& c : kButtons) {
        SCOPED_TRACE(c.name);
        Look focused, unfocused;
        RunGallery([&](CGalleryTestDlg& dlg) {
            HWND button = dlg.GetItem(c.id);
            MovePointerToCentre(Away(dlg));
            SetFocus(button);
            Settle();
            focused = Inspect(button, c.icon);
            SetFocus(dlg.GetItem(IDC_FOCUS));
            Settle();
            unfocused = Inspect(button, c.icon);
            dlg.EndDialog(IDOK);
        });
        EXPECT_EQ(0, focused.blue);
        EXPECT_TRUE(focused.blackUnderline);
        EXPECT_EQ(GetSysColor(COLOR_BTNFACE), focused.topLeft);
        EXPECT_FALSE(unfocused.blackUnderline);
    }
}

TEST(Button, SpaceBarClicksAFocusedButtonWithoutThePressedLook) {
    Look focused, pressed;
    int clicks = -1;
    RunGallery([&](CGalleryTestDlg& dlg) {
        HWND button = dlg.GetItem(IDC_OK_SKIN);
        MovePointerToCentre(Away(dlg));
        SetFocus(button);
        Settle();
        focused = Inspect(button, true);
        PressKey(VK_SPACE);
        pressed = Inspect(button, true);
        ReleaseKey(VK_SPACE);
        clicks = dlg.GetClicks(IDC_OK_SKIN);
        dlg.EndDialog(IDOK);
    });
    EXPECT_EQ(1, clicks);
    EXPECT_EQ(0, pressed.blue);
    EXPECT_EQ(focused.blackBounds.left, pressed.blackBounds.left);
    EXPECT_EQ(focused.blackBounds.top, pressed.blackBounds.top);
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), pressed.topLeft);
}

TEST(Button, DisabledButtonsAreEmbossedAndIgnoreThePointer) {
    const ButtonCase cases[] = {
        {"CTextButton", IDC_TEXT_OFF, false},
        {"CIconButton", IDC_ICON_BUTTON_OFF, true},
        {"CCancelButton", IDC_CANCEL_SKIN_OFF, true},
        {"COkButton", IDC_OK_SKIN_OFF, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Look away, over;
        int highlight = 0, shadow = 0;
        RunGallery([&](CGalleryTestDlg& dlg) {
            HWND button = dlg.GetItem(c.id);
            MovePointerToCentre(Away(dlg));
            away = Inspect(button, c.icon);
            const CPixels label = CaptureClient(button).FromColumn(c.icon ? kLabelColumn : 0);
            highlight = label.Count(GetSysColor(COLOR_BTNHIGHLIGHT));
            shadow = label.Count(GetSysColor(COLOR_BTNSHADOW));
            MovePointerToCentre(button);
            over = Inspect(button, c.icon);
            MovePointerToCentre(Away(dlg));
            dlg.EndDialog(IDOK);
        });
        // Embossed: highlight and shadow; the text button's plain copy lies under the shadow.
        EXPECT_GT(highlight, 0);
        EXPECT_GT(shadow, 0);
        EXPECT_EQ(0, away.blue);
        EXPECT_EQ(0, away.black);
        EXPECT_EQ(0, over.blue);
        EXPECT_EQ(GetSysColor(COLOR_BTNFACE), over.topLeft);
    }
}

TEST(Button, AmpersandUnderlinesTheNextLetter) {
    CPixels normal;
    RunGallery([&](CGalleryTestDlg& dlg) {
        MovePointerToCentre(Away(dlg));
        normal = CaptureClient(dlg.GetItem(IDC_PREFIX));
        dlg.EndDialog(IDOK);
    });
    // "&Remove": the lowest row of the label is a short line under the "R" alone.
    const RECT label = normal.Bounds(kBlack);
    const int width = label.right - label.left;
    ASSERT_GT(width, 0);
    const int line = normal.LongestRun(label.bottom - 1, kBlack);
    EXPECT_GE(line, 3);
    EXPECT_LT(line * 3, width);
    EXPECT_EQ(kBlack, normal.At(label.left, label.bottom - 1));
    int onRow = 0;
    for (int x = 0; x < normal.width(); ++x)
        onRow += normal.At(x, label.bottom - 1) == kBlack;
    EXPECT_EQ(line, onRow);
}

TEST(Button, IconButtonWithoutItsBitmapDrawsNothing) {
    int blue = -1, black = -1;
    RunGallery([&](CGalleryTestDlg& dlg) {
        HWND button = dlg.GetItem(IDC_NO_BITMAP);
        MovePointerToCentre(button);
        const CPixels pixels = CaptureClient(button);
        blue = pixels.Count(kBlue);
        black = pixels.Count(kBlack);
        MovePointerToCentre(Away(dlg));
        dlg.EndDialog(IDOK);
    });
    EXPECT_EQ(0, blue);
    EXPECT_EQ(0, black);
}

TEST(Button, NewFontChangesOnlyThePlainLabel) {
    Look before, normal, hover;
    HFONT kept = nullptr, sent = nullptr, controlFont = nullptr;
    RunGallery([&](CGalleryTestDlg& dlg) {
        HWND button = dlg.GetItem(IDC_TEXT);
        MovePointerToCentre(Away(dlg));
        before = Inspect(button, false);
        kept = reinterpret_cast<HFONT>(SendMessageA(button, WM_GETFONT, 0, 0));
        LOGFONTA big = {};
        big.lfHeight = -20;
        lstrcpyA(big.lfFaceName, "Arial");
        sent = CreateFontIndirectA(&big);
        SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(sent), TRUE);
        Settle();
        normal = Inspect(button, false);
        controlFont = reinterpret_cast<HFONT>(SendMessageA(button, WM_GETFONT, 0, 0));
        MovePointerToCentre(button);
        hover = Inspect(button, false);
        MovePointerToCentre(Away(dlg));
        dlg.EndDialog(IDOK);
    });
    DeleteObject(sent);
    EXPECT_GT(normal.blackBounds.bottom - normal.blackBounds.top,
              before.blackBounds.bottom - before.blackBounds.top);
    EXPECT_EQ(kept, controlFont);
    // The underlined copy is still the dialog's font: as tall as before, plus its underline.
    EXPECT_LE(hover.blueBounds.bottom - hover.blueBounds.top,
              before.blackBounds.bottom - before.blackBounds.top + 3);
}

TEST(Button, LosingTheFocusEndsTheHoverLook) {
    Look clicked, unfocused;
    RunGallery([&](CGalleryTestDlg& dlg) {
        HWND button = dlg.GetItem(IDC_TEXT);
        MovePointerToCentre(button);
        PressLeftButton();
        ReleaseLeftButton();
        MovePointerTo(button, 3, 3);
        clicked = Inspect(button, false);
        SetFocus(dlg.GetItem(IDC_FOCUS));
        Settle();
        unfocused = Inspect(button, false);
        MovePointerToCentre(Away(dlg));
        dlg.EndDialog(IDOK);
    });
    EXPECT_GT(clicked.blue, 0);
    EXPECT_EQ(0, unfocused.blue);
    EXPECT_GT(unfocused.black, 0);
}

TEST(Button, HoverEndsWhenAnotherWindowTakesTheCapture) {
    Look hover, after;
    RunGallery([&](CGalleryTestDlg& dlg) {
        HWND button = dlg.GetItem(IDC_TEXT);
        MovePointerToCentre(button);
        hover = Inspect(button, false);
        SetCapture(dlg.GetItem(IDC_FOCUS));
        Settle();
        after = Inspect(button, false);
        ReleaseCapture();
        MovePointerToCentre(Away(dlg));
        dlg.EndDialog(IDOK);
    });
    EXPECT_GT(hover.blue, 0);
    EXPECT_EQ(0, after.blue);
    EXPECT_GT(after.black, 0);
}

}  // namespace
