// The progress bar: range, position and step rules, percentage and label, and its pixels.
#include "tests/ui/gallery_test_support.h"
#include "ui/percent_bar.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kYellow = RGB(255, 255, 0);

TEST(PercentBar, RangeNeedsAnUpperBoundAboveTheLowerOne) {
    const struct {
        int lower, upper, expectLower, expectUpper;
    } cases[] = {
        {0, 100, 0, 100},
        {0, 0, 0, 1},
        {5, 5, 5, 6},
        {10, 3, 10, 11},
        {-20, -10, -20, -10},
        {INT_MIN, INT_MAX, INT_MIN, INT_MAX},
        {INT_MAX, INT_MAX, INT_MAX - 1, INT_MAX},
    };
    for (const auto& c : cases) {
        CPercentBar bar;
        bar.SetPos(50);
        bar.SetRange(c.lower, c.upper);
        EXPECT_EQ(c.expectLower, bar.GetLower()) << c.lower << ".." << c.upper;
        EXPECT_EQ(c.expectUpper, bar.GetUpper()) << c.lower << ".." << c.upper;
        EXPECT_EQ(50, bar.GetPos()) << "the position is left alone";
    }
}

TEST(PercentBar, PositionIsClampedToTheRange) {
    const struct {
        int pos, expect;
    } cases[] = {{-1, 10}, {10, 10}, {15, 15}, {20, 20}, {21, 20}, {INT_MIN, 10}, {INT_MAX, 20}};
    for (const auto& c : cases) {
        CPercentBar bar;
        bar.SetRange(10, 20);
        bar.SetPos(c.pos);
        EXPECT_EQ(c.expect, bar.GetPos()) << c.pos;
    }
}

TEST(PercentBar, StepAdvancesUpToTheUpperBoundOnly) {
    CPercentBar bar;
    bar.SetRange(0, 3);
    bar.SetStep(2);
    bar.StepIt();
    EXPECT_EQ(2, bar.GetPos());
    bar.StepIt();
    EXPECT_EQ(3, bar.GetPos());
    bar.StepIt();
    EXPECT_EQ(3, bar.GetPos());

    // No lower clamp: a negative step may go below the range.
    bar.SetStep(-5);
    bar.StepIt();
    EXPECT_EQ(-2, bar.GetPos());

    CPercentBar wide;
    wide.SetRange(0, INT_MAX);
    wide.SetPos(INT_MAX - 1);
    wide.SetStep(INT_MAX);
    wide.StepIt();
    EXPECT_EQ(INT_MAX, wide.GetPos());
}

TEST(PercentBar, PercentageLabelAndFilledWidth) {
    const struct {
        int pos, lower, upper, percent;
    } cases[] = {
        {0, 0, 100, 0},     {42, 0, 100, 42},         {100, 0, 100, 100},
        {1, 0, 3, 33},      {2, 0, 3, 66},            {5, 5, 6, 0},
        {150, 0, 200, 75},  {-5, -10, 0, 50},         {INT_MAX, 0, INT_MAX, 100},
        {INT_MAX / 2, INT_MIN, INT_MAX, 74},
        // Outside the range (SetRange does not move the position): held to 0..100.
        {0, 10, 20, 0},     {50, 10, 20, 100},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.percent, BarPercent(c.pos, c.lower, c.upper)) << c.pos << " in " << c.lower << ".." << c.upper;
    EXPECT_EQ("0 %", BarLabel(0));
    EXPECT_EQ("42 %", BarLabel(42));
    EXPECT_EQ("100 %", BarLabel(100));
    EXPECT_EQ(0, BarFillWidth(0, 340));
    EXPECT_EQ(142, BarFillWidth(42, 340));
    EXPECT_EQ(340, BarFillWidth(100, 340));
    EXPECT_EQ(33, BarFillWidth(33, 101));
}

// The label's box: the smallest rectangle holding every pixel that is neither of the two
// bar colours.
RECT LabelBox(const CPixels& bar) {
    CPixels marked(bar.width(), bar.height(), kWhite);
    for (int y = 0; y < bar.height(); ++y) {
        for (int x = 0; x < bar.width(); ++x) {
            if (bar.At(x, y) != kWhite && bar.At(x, y) != kBlue)
                marked.Set(x, y, kBlack);
        }
    }
    return marked.Bounds(kBlack);
}

// Every pixel outside box is colour.
bool AllOutside(const CPixels& bar, const RECT& box, COLORREF colour) {
    for (int y = 0; y < bar.height(); ++y) {
        for (int x = 0; x < bar.width(); ++x) {
            POINT point = {x, y};
            if (!PtInRect(&box, point) && bar.At(x, y) != colour)
                return false;
        }
    }
    return true;
}

TEST(PercentBar, FillIsBlueAndWhiteWithTheLabelInvertedInTheMiddle) {
    CPixels bar0, bar42, bar100;
    RunGallery([&](CGalleryTestDlg& dlg) {
        bar0 = CaptureClient(dlg.m_bar0.GetHwnd());
        bar42 = CaptureClient(dlg.m_bar42.GetHwnd());
        bar100 = CaptureClient(dlg.m_bar100.GetHwnd());
        dlg.EndDialog(IDOK);
    });
    const int width = bar42.width();
    ASSERT_GT(width, 100);
    for (const CPixels* bar : {&bar0, &bar42, &bar100}) {
        const RECT label = LabelBox(*bar);
        EXPECT_LT(label.left, width / 2);
        EXPECT_GT(label.right, width / 2);
        EXPECT_LT(label.right - label.left, width / 4);
    }

    // 0 %: white, with a black label.
    EXPECT_TRUE(AllOutside(bar0, LabelBox(bar0), kWhite));
    EXPECT_GT(bar0.Count(kBlack), 0);
    EXPECT_EQ(0, bar0.Count(kYellow));

    // 42 %: blue up to 42 % of the width; the centred label lies on the white part.
    const int filled = BarFillWidth(42, width);
    for (int y = 0; y < bar42.height(); ++y) {
        EXPECT_EQ(kBlue, bar42.At(filled - 1, y));
        EXPECT_EQ(kWhite, bar42.At(filled, y));
    }
    EXPECT_EQ(filled * bar42.height(), bar42.Count(kBlue));
    EXPECT_GT(bar42.Count(kBlack), 0);
    EXPECT_EQ(0, bar42.Count(kYellow));

    // 100 %: blue, with the label inverted to yellow.
    EXPECT_TRUE(AllOutside(bar100, LabelBox(bar100), kBlue));
    EXPECT_GT(bar100.Count(kYellow), 0);
    EXPECT_EQ(0, bar100.Count(kWhite));
    EXPECT_EQ(0, bar100.Count(kBlack));
}

TEST(PercentBar, PositionAndStepRepaintAtOnceRangeLater) {
    int blueAfterSetPos = -1, blueAfterStep = -1;
    BOOL pendingAfterRange = FALSE, pendingAfterSetPos = TRUE;
    RunGallery([&](CGalleryTestDlg& dlg) {
        HWND bar = dlg.m_bar42.GetHwnd();
        dlg.m_bar42.SetPos(100);
        pendingAfterSetPos = GetUpdateRect(bar, nullptr, FALSE);
        blueAfterSetPos = CaptureClient(bar).Count(kBlue);
        dlg.m_bar42.SetRange(0, 200);
        pendingAfterRange = GetUpdateRect(bar, nullptr, FALSE);
        dlg.m_bar42.SetStep(50);
        dlg.m_bar42.StepIt();  // 150 of 200
        blueAfterStep = CaptureClient(bar).Count(kBlue);
        dlg.EndDialog(IDOK);
    });
    EXPECT_FALSE(pendingAfterSetPos);
    EXPECT_TRUE(pendingAfterRange);
    EXPECT_GT(blueAfterSetPos, blueAfterStep);
    EXPECT_GT(blueAfterStep, 0);
}

}  // namespace
