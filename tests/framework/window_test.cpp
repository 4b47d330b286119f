// How messages reach window objects: our own windows, subclassed controls, reflection.
#include "framework/button.h"
#include "framework/window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

constexpr UINT WM_TEST_PING = WM_USER + 1;  // wParam: a number; result: the number + 1

// Records every message that reaches its WindowProc and answers WM_TEST_PING.
class CRecorder : public CWnd {
public:
    std::vector<UINT> m_messages;
    int m_nPreSubclass = 0;
    int m_nPostNcDestroy = 0;
    bool m_bAttachedAtPreSubclass = false;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        m_messages.push_back(message);
        switch (message) {
        case WM_TEST_PING:
            return static_cast<LRESULT>(wParam) + 1;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
    void PreSubclassWindow() override {
        ++m_nPreSubclass;
        m_bAttachedAtPreSubclass = m_hWnd != nullptr;
    }
    void PostNcDestroy() override { ++m_nPostNcDestroy; }
};

// Counts the owner-draw requests reflected to it.
class CCountingButton : public CButton {
public:
    int m_nDrawn = 0;
    UINT m_idDrawn = 0;

protected:
    void DrawItem(const DRAWITEMSTRUCT& item) override {
        ++m_nDrawn;
        m_idDrawn = item.CtlID;
    }
};

// Counts the notifications reflected to it.
class CNotifiedButton : public CWnd {
public:
    int m_nClicked = 0;

protected:
    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM, LRESULT* result) override {
        if (message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED)
            return false;
        ++m_nClicked;
        *result = 0;
        return true;
    }
};

bool Contains(const std::vector<UINT>& messages, UINT message) {
    return std::find(messages.begin(), messages.end(), message) != messages.end();
}

const RECT kRect = {0, 0, 200, 100};

TEST(Window, OwnWindowReceivesItsMessagesFromCreationToDestruction) {
    CRecorder wnd;
    ASSERT_TRUE(wnd.Create(0, "recorder", WS_OVERLAPPEDWINDOW, kRect, nullptr, 0));
    HWND hwnd = wnd.GetHwnd();
    EXPECT_EQ(&wnd, CWnd::FromHandle(hwnd));
    EXPECT_EQ(42, SendMessageA(hwnd, WM_TEST_PING, 41, 0));
    ASSERT_FALSE(wnd.m_messages.empty());
    EXPECT_EQ(static_cast<UINT>(WM_NCCREATE), wnd.m_messages.front());
    EXPECT_TRUE(Contains(wnd.m_messages, WM_CREATE));

    DestroyWindow(hwnd);
    EXPECT_EQ(static_cast<UINT>(WM_NCDESTROY), wnd.m_messages.back());
    EXPECT_TRUE(Contains(wnd.m_messages, WM_DESTROY));
    EXPECT_EQ(1, wnd.m_nPostNcDestroy);
    EXPECT_EQ(nullptr, wnd.GetHwnd());
    EXPECT_EQ(nullptr, CWnd::FromHandle(hwnd));
}

TEST(Window, ObjectDestroysTheWindowItCreated) {
    HWND hwnd = nullptr;
    {
        CRecorder wnd;
        ASSERT_TRUE(wnd.Create(0, "recorder", WS_OVERLAPPEDWINDOW, kRect, nullptr, 0));
        hwnd = wnd.GetHwnd();
    }
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST(Window, CreateFailsForAnObjectThatHasAWindow) {
    CRecorder wnd;
    ASSERT_TRUE(wnd.Create(0, "recorder", WS_OVERLAPPEDWINDOW, kRect, nullptr, 0));
    EXPECT_FALSE(wnd.Create(0, "second", WS_OVERLAPPEDWINDOW, kRect, nullptr, 0));
}

TEST(Window, SubclassedControlRoutesMessagesUntilTheObjectLetsGo) {
    CRecorder parent;
    ASSERT_TRUE(parent.Create(0, "parent", WS_OVERLAPPEDWINDOW, kRect, nullptr, 0));
    HWND button = CreateWindowA("BUTTON", "button", WS_CHILD | BS_PUSHBUTTON, 0, 0, 50, 20,
                                parent.GetHwnd(), reinterpret_cast<HMENU>(7), nullptr, nullptr);
    ASSERT_NE(nullptr, button);
    const LONG_PTR ownProc = GetWindowLongPtrA(button, GWLP_WNDPROC);
    {
        CRecorder control;
        ASSERT_TRUE(control.SubclassWindow(button));
        EXPECT_EQ(1, control.m_nPreSubclass);
        EXPECT_TRUE(control.m_bAttachedAtPreSubclass);
        EXPECT_EQ(&control, CWnd::FromHandle(button));
        EXPECT_EQ(8, SendMessageA(button, WM_TEST_PING, 7, 0));
        // Messages the object passes on still reach the control's own procedure.
        SetWindowTextA(button, "renamed");
        EXPECT_EQ("renamed", GetWindowTextString(button));

        CRecorder second;
        EXPECT_FALSE(second.SubclassWindow(button));
        EXPECT_FALSE(control.SubclassWindow(button));
        EXPECT_FALSE(second.SubclassWindow(nullptr));
    }
    EXPECT_TRUE(IsWindow(button));
    EXPECT_EQ(ownProc, GetWindowLongPtrA(button, GWLP_WNDPROC));
    EXPECT_EQ(nullptr, CWnd::FromHandle(button));
    EXPECT_EQ(0, SendMessageA(button, WM_TEST_PING, 7, 0));
}

TEST(Window, SubclassedControlIsReleasedWhenItsWindowIsDestroyed) {
    CRecorder parent;
    ASSERT_TRUE(parent.Create(0, "parent", WS_OVERLAPPEDWINDOW, kRect, nullptr, 0));
    HWND button = CreateWindowA("BUTTON", "button", WS_CHILD | BS_PUSHBUTTON, 0, 0, 50, 20,
                                parent.GetHwnd(), nullptr, nullptr, nullptr);
    CRecorder control;
    ASSERT_TRUE(control.SubclassWindow(button));
    DestroyWindow(button);
    EXPECT_EQ(nullptr, control.GetHwnd());
    EXPECT_EQ(1, control.m_nPostNcDestroy);
    EXPECT_EQ(static_cast<UINT>(WM_NCDESTROY), control.m_messages.back());
}

TEST(Window, ParentReflectsOwnerDrawRequestToTheControlObject) {
    CRecorder parent;
    ASSERT_TRUE(parent.Create(0, "parent", WS_OVERLAPPEDWINDOW, kRect, nullptr, 0));
    HWND button = CreateWindowA("BUTTON", "drawn", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 0, 0, 50, 20,
                                parent.GetHwnd(), reinterpret_cast<HMENU>(12), nullptr, nullptr);
    CCountingButton control;
    ASSERT_TRUE(control.SubclassWindow(button));
    ShowWindow(parent.GetHwnd(), SW_SHOWNOACTIVATE);
    InvalidateRect(button, nullptr, TRUE);
    UpdateWindow(button);
    EXPECT_GE(control.m_nDrawn, 1);
    EXPECT_EQ(12u, control.m_idDrawn);
    EXPECT_TRUE(Contains(parent.m_messages, WM_DRAWITEM));
}

TEST(Window, ParentReflectsNotificationsItDoesNotHandle) {
    CRecorder parent;
    ASSERT_TRUE(parent.Create(0, "parent", WS_OVERLAPPEDWINDOW, kRect, nullptr, 0));
    HWND button = CreateWindowA("BUTTON", "plain", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 50, 20,
                                parent.GetHwnd(), reinterpret_cast<HMENU>(13), nullptr, nullptr);
    CNotifiedButton control;
    ASSERT_TRUE(control.SubclassWindow(button));
    SendMessageA(button, BM_CLICK, 0, 0);
    EXPECT_EQ(1, control.m_nClicked);
    EXPECT_TRUE(Contains(parent.m_messages, WM_COMMAND));
}

TEST(Window, OwnerDrawRequestOfAControlWithoutObjectGoesToDefaultHandling) {
    CRecorder parent;
    ASSERT_TRUE(parent.Create(0, "parent", WS_OVERLAPPEDWINDOW, kRect, nullptr, 0));
    HWND button = CreateWindowA("BUTTON", "drawn", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 0, 0, 50, 20,
                                parent.GetHwnd(), nullptr, nullptr, nullptr);
    ShowWindow(parent.GetHwnd(), SW_SHOWNOACTIVATE);
    UpdateWindow(button);
    EXPECT_TRUE(Contains(parent.m_messages, WM_DRAWITEM));
}

TEST(Window, WindowTextOfAnEmptyWindowIsEmpty) {
    CRecorder wnd;
    ASSERT_TRUE(wnd.Create(0, "", WS_OVERLAPPEDWINDOW, kRect, nullptr, 0));
    EXPECT_EQ("", GetWindowTextString(wnd.GetHwnd()));
    SetWindowTextA(wnd.GetHwnd(), std::string(300, 'x').c_str());
    EXPECT_EQ(std::string(300, 'x'), GetWindowTextString(wnd.GetHwnd()));
}

}  // namespace
