#include "tests/ui/gallery_test_support.h"

#include "tests/framework/test_support.h"

#include <cstdio>
#include <cstdlib>

namespace {

constexpr UINT WM_GALLERY_SCRIPT = WM_USER + 1;  // posted at start: runs m_script
constexpr UINT_PTR kSafetyTimer = 1;

}  // namespace

BOOL CGalleryTestDlg::OnInitDialog() {
    CGalleryDlg::OnInitDialog();
    SetTimer(m_hWnd, kSafetyTimer, 60000, nullptr);
    PostMessageA(m_hWnd, WM_GALLERY_SCRIPT, 0, 0);
    return TRUE;
}

LRESULT CGalleryTestDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_GALLERY_SCRIPT:
        ShowWindow(m_hWnd, SW_SHOW);
        SetForegroundWindow(m_hWnd);
        Settle();
        if (m_script)
            m_script(*this);
        return 0;
    case WM_TIMER:
        if (wParam == kSafetyTimer) {
            EndDialog(-2);
            return 0;
        }
        break;
    }
    return CGalleryDlg::WindowProc(message, wParam, lParam);
}

INT_PTR RunGallery(const std::function<void(CGalleryTestDlg&)>& script) {
    CGalleryTestDlg dlg;
    dlg.m_script = script;
    return dlg.DoModal();
}

void Settle() {
    PumpMessages(GetActiveWindow(), 5);
}

namespace {

void SendMouse(DWORD flags) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof(input));
    Settle();
}

void SendKey(WORD key, DWORD flags) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = flags;
    SendInput(1, &input, sizeof(input));
    Settle();
}

}  // namespace

void MovePointerTo(HWND window, int x, int y) {
    POINT point = {x, y};
    ClientToScreen(window, &point);
    SetCursorPos(point.x, point.y);
    SendMouse(MOUSEEVENTF_MOVE);
}

void MovePointerToCentre(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    MovePointerTo(window, client.right / 2, client.bottom / 2);
}

void PressLeftButton() {
    SendMouse(MOUSEEVENTF_LEFTDOWN);
}

void ReleaseLeftButton() {
    SendMouse(MOUSEEVENTF_LEFTUP);
}

void PressKey(WORD key) {
    SendKey(key, 0);
}

void ReleaseKey(WORD key) {
    SendKey(key, KEYEVENTF_KEYUP);
}

CPixels::CPixels(int width, int height, COLORREF fill)
    : m_nWidth(width), m_nHeight(height), m_pixels(static_cast<size_t>(width) * height, fill) {}

int CPixels::Count(COLORREF colour) const {
    int count = 0;
    for (COLORREF pixel : m_pixels)
        count += pixel == colour;
    return count;
}

RECT CPixels::Bounds(COLORREF colour) const {
    RECT bounds = {m_nWidth, m_nHeight, 0, 0};
    for (int y = 0; y < m_nHeight; ++y) {
        for (int x = 0; x < m_nWidth; ++x) {
            if (At(x, y) != colour)
                continue;
            bounds.left = x < bounds.left ? x : bounds.left;
            bounds.top = y < bounds.top ? y : bounds.top;
            bounds.right = x + 1 > bounds.right ? x + 1 : bounds.right;
            bounds.bottom = y + 1 > bounds.bottom ? y + 1 : bounds.bottom;
        }
    }
    if (bounds.right == 0)
        return RECT{0, 0, 0, 0};
    return bounds;
}

int CPixels::LongestRun(int y, COLORREF colour) const {
    int longest = 0;
    int run = 0;
    for (int x = 0; x < m_nWidth; ++x) {
        run = At(x, y) == colour ? run + 1 : 0;
        longest = run > longest ? run : longest;
    }
    return longest;
}

CPixels CPixels::FromColumn(int left) const {
    CPixels part(m_nWidth > left ? m_nWidth - left : 0, m_nHeight, 0);
    part.Paste(*this, -left, 0);
    return part;
}

void CPixels::Paste(const CPixels& other, int x, int y) {
    for (int row = 0; row < other.height(); ++row) {
        for (int column = 0; column < other.width(); ++column) {
            if (x + column >= 0 && x + column < m_nWidth && y + row >= 0 && y + row < m_nHeight)
                Set(x + column, y + row, other.At(column, row));
        }
    }
}

bool CPixels::SaveBmp(const std::string& path) const {
    const int rowSize = (m_nWidth * 3 + 3) & ~3;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + static_cast<DWORD>(rowSize) * m_nHeight;
    info.biSize = sizeof(info);
    info.biWidth = m_nWidth;
    info.biHeight = m_nHeight;
    info.biPlanes = 1;
    info.biBitCount = 24;
    FILE* out = fopen(path.c_str(), "wb");
    if (!out)
        return false;
    fwrite(&file, sizeof(file), 1, out);
    fwrite(&info, sizeof(info), 1, out);
    std::vector<unsigned char> row(static_cast<size_t>(rowSize));
    for (int y = m_nHeight - 1; y >= 0; --y) {
        for (int x = 0; x < m_nWidth; ++x) {
            COLORREF pixel = At(x, y);
            row[x * 3] = GetBValue(pixel);
            row[x * 3 + 1] = GetGValue(pixel);
            row[x * 3 + 2] = GetRValue(pixel);
        }
        fwrite(row.data(), row.size(), 1, out);
    }
    return fclose(out) == 0;
}

namespace {

CPixels Capture(HDC source, int width, int height) {
    CPixels pixels(width, height, 0);
    if (width <= 0 || height <= 0)
        return pixels;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC memory = CreateCompatibleDC(source);
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY);
    GdiFlush();
    const auto* data = static_cast<const DWORD*>(bits);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            DWORD bgr = data[static_cast<size_t>(y) * width + x];
            pixels.Set(x, y, RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF));
        }
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    return pixels;
}

}  // namespace

CPixels CaptureClient(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    HDC dc = GetDC(window);
    CPixels pixels = Capture(dc, client.right, client.bottom);
    ReleaseDC(window, dc);
    return pixels;
}

std::string ScreenshotPath(const std::string& fileName) {
    const char* dir = getenv("VANTREL_SCREENSHOTS");
    std::string folder = dir && *dir ? dir : "screenshots";
    // Makes each missing folder on the way.
    for (size_t i = 3; i <= folder.size(); ++i) {
        if (i == folder.size() || folder[i] == '\\' || folder[i] == '/')
            CreateDirectoryA(folder.substr(0, i).c_str(), nullptr);
    }
    return folder + "\\" + fileName;
}
