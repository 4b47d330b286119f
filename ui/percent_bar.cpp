#include "ui/percent_bar.h"

#include "framework/dc.h"
#include "framework/unique_handle.h"

#include <climits>

BOOL CPercentBar::CreateInPlaceOf(HWND placeholder) {
    RECT rect;
    if (!GetClientRect(placeholder, &rect))
        return FALSE;
    return Create(0, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, rect, placeholder, 0);
}

void CPercentBar::SetRange(int lower, int upper) {
    // The one bound that has no room above it moves down, so the range never wraps.
    if (lower == INT_MAX)
        lower = INT_MAX - 1;
    m_nLower = lower;
    m_nUpper = lower < upper ? upper : lower + 1;
    Repaint(false);
}

void CPercentBar::SetPos(int pos) {
    m_nPos = pos < m_nLower ? m_nLower : pos > m_nUpper ? m_nUpper : pos;
    Repaint(true);
}

void CPercentBar::SetStep(int step) {
    m_nStep = step;
}

void CPercentBar::StepIt() {
    long long next = static_cast<long long>(m_nPos) + m_nStep;
    m_nPos = next < m_nUpper ? static_cast<int>(next) : m_nUpper;
    Repaint(true);
}

void CPercentBar::Repaint(bool now) {
    if (!m_hWnd)
        return;
    InvalidateRect(m_hWnd, nullptr, TRUE);
    if (now)
        UpdateWindow(m_hWnd);
}

LRESULT CPercentBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        OnPaint();
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CPercentBar::OnPaint() {
    CPaintDC paint(m_hWnd);
    HDC dc = paint.Get();
    RECT client;
    GetClientRect(m_hWnd, &client);
    const int width = client.right;
    const int height = client.bottom;
    const int percent = BarPercent(m_nPos, m_nLower, m_nUpper);
    const std::string label = BarLabel(percent);
    const int filled = BarFillWidth(percent, width);

    // The label, white on black, in a bitmap three text heights wide (a longer label is
    // cut off at its right).
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    const int textHeight = metrics.tmHeight;
    CUniqueMemoryDC memory(CreateCompatibleDC(dc));
    CUniqueBitmap bitmap(CreateCompatibleBitmap(dc, 3 * textHeight, textHeight));
    CSelectObject selected(memory.Get(), bitmap.Get());
    const RECT labelBox = {0, 0, 3 * textHeight, textHeight};
    FillSolidRect(memory.Get(), labelBox, RGB(0, 0, 0));
    SetTextColor(memory.Get(), RGB(255, 255, 255));
    SetBkColor(memory.Get(), RGB(0, 0, 0));
    SetBkMode(memory.Get(), OPAQUE);
    TextOutA(memory.Get(), 0, 0, label.c_str(), static_cast<int>(label.size()));
    SIZE size = {};
    GetTextExtentPoint32A(memory.Get(), label.c_str(), static_cast<int>(label.size()), &size);

    const RECT bar = {0, 0, filled, height};
    const RECT back = {filled, 0, width, height};
    FillSolidRect(dc, bar, m_crBar);
    FillSolidRect(dc, back, m_crBack);
    // White label pixels invert what lies beneath (yellow on blue, black on white).
    BitBlt(dc, (width >> 1) - (size.cx >> 1), (height >> 1) - (size.cy >> 1), 3 * textHeight,
           textHeight, memory.Get(), 0, 0, SRCINVERT);
}

int BarPercent(int pos, int lower, int upper) {
    // In 64 bits: the range of a bar may span most of int.
    long long percent = (static_cast<long long>(pos) - lower) * 100 / (static_cast<long long>(upper) - lower);
    return percent < 0 ? 0 : percent > 100 ? 100 : static_cast<int>(percent);
}

std::string BarLabel(int percent) {
    char text[16];
    wsprintfA(text, "%d %%", percent);
    return text;
}

int BarFillWidth(int percent, int width) {
    return static_cast<int>(percent * 0.01 * width);
}
