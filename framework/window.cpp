#include "framework/window.h"

#include <vector>

namespace {

constexpr char kDefaultClassName[] = "VantrelWnd";

// Registers the default class once; its procedure is StaticWndProc.
bool RegisterDefaultClass(WNDPROC proc) {
    static ATOM atom = 0;
    if (atom)
        return true;
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kDefaultClassName;
    atom = RegisterClassExA(&wc);
    return atom != 0;
}

}  // namespace

CWnd::~CWnd() {
    if (!m_hWnd)
        return;
    HWND hwnd = m_hWnd;
    bool owned = m_pfnSuper == nullptr;
    // Detached first, so that the messages of a destruction reach no half-destroyed object.
    Detach();
    if (owned)
        DestroyWindow(hwnd);
}

BOOL CWnd::Create(DWORD exStyle, const char* windowName, DWORD style, const RECT& rect, HWND parent,
                  UINT_PTR id) {
    if (m_hWnd || !RegisterDefaultClass(StaticWndProc))
        return FALSE;
    // StaticWndProc attaches the object at WM_NCCREATE, from lpCreateParams.
    HWND hwnd = CreateWindowExA(exStyle, kDefaultClassName, windowName, style, rect.left, rect.top,
                                rect.right - rect.left, rect.bottom - rect.top, parent,
                                reinterpret_cast<HMENU>(id), GetModuleHandleA(nullptr), this);
    return hwnd != nullptr;
}

BOOL CWnd::SubclassWindow(HWND hwnd) {
    if (!hwnd || m_hWnd || FromHandle(hwnd))
        return FALSE;
    m_hWnd = hwnd;
    PreSubclassWindow();
    WNDPROC super = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
    Attach(hwnd);
    m_pfnSuper = super;
    SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StaticWndProc));
    return TRUE;
}

CWnd* CWnd::FromHandle(HWND hwnd) {
    // GWLP_USERDATA holds our object only while our procedure runs the window.
    if (!hwnd ||
        GetWindowLongPtrA(hwnd, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(StaticWndProc))
        return nullptr;
    return reinterpret_cast<CWnd*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

LRESULT CALLBACK CWnd::StaticWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* created = static_cast<CWnd*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        created->Attach(hwnd);
    }
    auto* wnd = reinterpret_cast<CWnd*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!wnd)  // messages before WM_NCCREATE, or after the object let go
        return DefWindowProcA(hwnd, message, wParam, lParam);
    if (message != WM_NCDESTROY)
        return wnd->WindowProc(message, wParam, lParam);
    LRESULT result = wnd->WindowProc(message, wParam, lParam);
    wnd->Detach();
    wnd->PostNcDestroy();
    return result;
}

void CWnd::Attach(HWND hwnd) {
    m_hWnd = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void CWnd::Detach() {
    // A subclassed window gets its own procedure back; our own windows keep StaticWndProc,
    // which finds no object any more.
    if (m_pfnSuper &&
        GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(StaticWndProc))
        SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, 0);
    m_hWnd = nullptr;
    m_pfnSuper = nullptr;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DRAWITEM:
    case WM_COMMAND:
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (ReflectToChild(message, wParam, lParam, &result))
            return result;
        break;
    }
    }
    return Default(message, wParam, lParam);
}

LRESULT CWnd::Default(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!m_pfnSuper)
        return DefWindowProcA(m_hWnd, message, wParam, lParam);
    return CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
}

bool CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*) {
    return false;
}

bool CWnd::ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    HWND child = nullptr;
    if (message == WM_DRAWITEM) {
        auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item->CtlType != ODT_MENU)
            child = item->hwndItem;
    } else if (message == WM_COMMAND) {
        child = reinterpret_cast<HWND>(lParam);  // null for menus and accelerators
    } else if (message == WM_NOTIFY) {
        child = reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
    }
    CWnd* control = child && child != m_hWnd ? FromHandle(child) : nullptr;
    return control && control->OnChildNotify(message, wParam, lParam, result);
}

std::string GetWindowTextString(HWND hwnd) {
    int length = GetWindowTextLengthA(hwnd);
    if (length <= 0)
        return std::string();
    std::vector<char> buffer(static_cast<size_t>(length) + 1);
    int copied = GetWindowTextA(hwnd, buffer.data(), length + 1);
    return std::string(buffer.data(), copied > 0 ? static_cast<size_t>(copied) : 0);
}
