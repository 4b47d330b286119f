// A window object and the one path by which a message reaches it: the window procedure
// finds the object in the window's GWLP_USERDATA and calls its WindowProc, a switch over
// the messages that class handles; each class passes the rest to its base class, and the
// last one hands them to Default.
#pragma once

#include <windows.h>

#include <string>

class CWnd {
public:
    CWnd() = default;
    // A window made by Create is destroyed with its object; a subclassed control is
    // given its own procedure back and lives on.
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND GetHwnd() const { return m_hWnd; }

    // Creates a window of the framework's default class (arrow cursor, window-colour
    // background, double clicks) for this object. id is the control id of a child window,
    // else a menu handle or 0. FALSE when the window could not be made.
    BOOL Create(DWORD exStyle, const char* windowName, DWORD style, const RECT& rect, HWND parent,
                UINT_PTR id);

    // Attaches this object to an existing window, usually a dialog's control: calls
    // PreSubclassWindow, then routes the window's messages to WindowProc until the window
    // is destroyed or the object is. FALSE when hwnd is null or this object is attached.
    BOOL SubclassWindow(HWND hwnd);

    // The object attached to hwnd by Create or SubclassWindow, or null.
    static CWnd* FromHandle(HWND hwnd);

protected:
    // Handles this class's messages and passes the rest on; the base version reflects a
    // child control's owner-draw request and notifications to the child's object.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // What the window does with a message nobody here handles: DefWindowProc for our own
    // windows, the control's or dialog manager's own procedure for attached windows.
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);
    // Called by SubclassWindow before the object takes the messages.
    virtual void PreSubclassWindow() {}
    // Called after the last message (WM_NCDESTROY), once the object is detached.
    virtual void PostNcDestroy() {}
    // Gets a child control's WM_DRAWITEM, WM_COMMAND or WM_NOTIFY that its parent did not
    // handle. Returns true with *result set when it handled the message.
    virtual bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    HWND m_hWnd = nullptr;

private:
    static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void Attach(HWND hwnd);
    void Detach();
    bool ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    // The attached window's own procedure, which Default calls; null for our own windows,
    // whose default is DefWindowProc.
    WNDPROC m_pfnSuper = nullptr;
};

// The window's text ("" when it has none).
std::string GetWindowTextString(HWND hwnd);
