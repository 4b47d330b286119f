// Driving the gallery in tests: the gallery dialog with a test script, real pointer and
// key input, and reading and saving what is on the screen.
#pragma once

#include "tests/ui/gallery_dlg.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// The gallery, running script once it is shown; the script ends it (EndDialog), or the
// dialog ends itself with -2 after a minute.
class CGalleryTestDlg : public CGalleryDlg {
public:
    std::function<void(CGalleryTestDlg&)> m_script;

    using CDialog::GetItem;

protected:
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// Runs the gallery with script and returns DoModal's result.
INT_PTR RunGallery(const std::function<void(CGalleryTestDlg&)>& script);

// Real input, as the system delivers it to the window under the pointer or with the focus;
// each call pumps the messages it causes.
void MovePointerTo(HWND window, int x, int y);
void MovePointerToCentre(HWND window);
void PressLeftButton();
void ReleaseLeftButton();
void PressKey(WORD key);
void ReleaseKey(WORD key);
// Lets the windows of this thread handle and paint what is pending.
void Settle();

// A picture of pixels, top row first.
class CPixels {
public:
    CPixels() = default;
    CPixels(int width, int height, COLORREF fill);

    int width() const { return m_nWidth; }
    int height() const { return m_nHeight; }
    COLORREF At(int x, int y) const { return m_pixels[static_cast<size_t>(y) * m_nWidth + x]; }
    void Set(int x, int y, COLORREF colour) { m_pixels[static_cast<size_t>(y) * m_nWidth + x] = colour; }

    int Count(COLORREF colour) const;
    // The smallest rectangle holding every pixel of colour; empty when there is none.
    RECT Bounds(COLORREF colour) const;
    // The longest run of colour along row y.
    int LongestRun(int y, COLORREF colour) const;
    // The part of the picture from column left on.
    CPixels FromColumn(int left) const;
    // Copies other with its top-left at (x, y), clipped.
    void Paste(const CPixels& other, int x, int y);
    // As a 24-bit BMP file; false when it could not be written.
    bool SaveBmp(const std::string& path) const;

private:
    int m_nWidth = 0;
    int m_nHeight = 0;
    std::vector<COLORREF> m_pixels;
};

// The client area of window as it is on the screen now.
CPixels CaptureClient(HWND window);
// Where screenshots go: VANTREL_SCREENSHOTS, else "screenshots" in the current folder.
std::string ScreenshotPath(const std::string& fileName);
