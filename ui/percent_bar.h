// A progress bar that paints itself: a blue filled part, a white empty part and the
// percentage in the middle, drawn by exclusive-or so that it reads on both parts.
#pragma once

#include "framework/window.h"

#include <string>

class CPercentBar : public CWnd {
public:
    // Creates the bar as a child of placeholder covering its whole client area.
    BOOL CreateInPlaceOf(HWND placeholder);

    // upper is taken only above lower, else the range becomes lower to lower + 1. The
    // position is kept as it is. Repainted when the window gets to it.
    void SetRange(int lower, int upper);
    // Clamps pos to the range; repaints at once.
    void SetPos(int pos);
    // Not repainted.
    void SetStep(int step);
    // Advances the position by the step, at most to the upper bound; repaints at once.
    void StepIt();

    int GetPos() const { return m_nPos; }
    int GetLower() const { return m_nLower; }
    int GetUpper() const { return m_nUpper; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnPaint();
    void Repaint(bool now);

    int m_nPos = 0;
    int m_nStep = 1;
    int m_nLower = 0;
    int m_nUpper = 100;
    COLORREF m_crBar = RGB(0, 0, 255);
    COLORREF m_crBack = RGB(255, 255, 255);
};

// Where pos stands in lower..upper (upper > lower), in whole percent, truncated toward
// zero and held to 0..100.
int BarPercent(int pos, int lower, int upper);
// The label for a percentage: "42 %".
std::string BarLabel(int percent);
// Width of the filled part of a bar width pixels wide.
int BarFillWidth(int percent, int width);
