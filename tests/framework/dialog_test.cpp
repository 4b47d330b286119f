// Modal dialogs from a template: their messages, data exchange and ending.
#include "framework/app.h"
#include "framework/button.h"
#include "framework/data_exchange.h"
#include "framework/dialog.h"
#include "framework/frame_window.h"
#include "tests/framework/framework_test_ids.h"
#include "tests/framework/test_support.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr UINT WM_TEST_SCRIPT = WM_USER + 1;  // posted at start: runs the test's script
constexpr UINT WM_TEST_END = WM_USER + 2;     // wParam: the code to end the dialog with
constexpr INT_PTR kGaveUp = -2;               // the dialog ended itself after waiting too long
constexpr UINT_PTR kSafetyTimer = 1;

class CDrawnButton : public CButton {
public:
    int m_nDrawn = 0;

protected:
    void DrawItem(const DRAWITEMSTRUCT&) override { ++m_nDrawn; }
};

// The test dialog: an edit and a static exchanged with members, an owner-drawn button
// attached to an object, a plain button. It runs m_script once it is up.
class CTestDlg : public CDialog {
public:
    explicit CTestDlg(UINT idTemplate = IDD_TEST, HWND parent = nullptr) : CDialog(idTemplate, parent) {}

    std::string m_strEdit = "initial";
    std::string m_strLabel = "label text";
    CDrawnButton m_btnDrawn;
    int m_nEditChanges = 0;
    int m_nPlainClicks = 0;
    std::function<void(CTestDlg&)> m_script;

    using CDialog::GetItem;

protected:
    void DoDataExchange(bool save) override {
        DdxControl(m_hWnd, IDC_DRAWN, m_btnDrawn);
        DdxText(m_hWnd, IDC_EDIT, m_strEdit, save);
        DdxText(m_hWnd, IDC_LABEL, m_strLabel, save);
    }
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        SetTimer(m_hWnd, kSafetyTimer, 10000, nullptr);
        PostMessageA(m_hWnd, WM_TEST_SCRIPT, 0, 0);
        return TRUE;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case WM_TEST_SCRIPT:
            if (m_script)
                m_script(*this);
            return 0;
        case WM_TEST_END:
            EndDialog(static_cast<INT_PTR>(wParam));
            return 0;
        case WM_TIMER:
            if (wParam == kSafetyTimer)
                EndDialog(kGaveUp);
            return 0;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDC_EDIT && HIWORD(wParam) == EN_CHANGE) {
                ++m_nEditChanges;
                return 0;
            }
            if (LOWORD(wParam) == IDC_PLAIN && HIWORD(wParam) == BN_CLICKED) {
                ++m_nPlainClicks;
                return 0;
            }
            break;
        }
        return CDialog::WindowProc(message, wParam, lParam);
    }
};

void PostKey(HWND target, WPARAM key) {
    PostMessageA(target, WM_KEYDOWN, key, 1);
    PostMessageA(target, WM_KEYUP, key, 0xC0000001);
}

TEST(Dialog, InitialisationWritesTheMembersToTheControls) {
    CTestDlg dlg;
    std::string edit, label;
    dlg.m_script = [&](CTestDlg& d) {
        edit = GetWindowTextString(d.GetItem(IDC_EDIT));
        label = GetWindowTextString(d.GetItem(IDC_LABEL));
        d.EndDialog(IDCANCEL);
    };
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ("initial", edit);
    EXPECT_EQ("label text", label);
}

TEST(Dialog, EnterReadsTheControlsAndEndsWithOk) {
    CTestDlg dlg;
    dlg.m_script = [](CTestDlg& d) {
        SetWindowTextA(d.GetItem(IDC_EDIT), "typed");
        SetFocus(d.GetItem(IDC_EDIT));
        PostKey(d.GetItem(IDC_EDIT), VK_RETURN);
    };
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ("typed", dlg.m_strEdit);
}

TEST(Dialog, EscapeAndCloseBoxEndWithCancelWithoutReadingTheControls) {
    const std::function<void(HWND)> enders[] = {
        [](HWND dialog) { PostKey(GetDlgItem(dialog, IDC_EDIT), VK_ESCAPE); },
        [](HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); },
        [](HWND dialog) { PostMessageA(dialog, WM_CLOSE, 0, 0); },
    };
    for (const auto& end : enders) {
        CTestDlg dlg;
        dlg.m_script = [&](CTestDlg& d) {
            SetWindowTextA(d.GetItem(IDC_EDIT), "typed");
            SetFocus(d.GetItem(IDC_EDIT));
            end(d.GetHwnd());
        };
        EXPECT_EQ(IDCANCEL, dlg.DoModal());
        EXPECT_EQ("initial", dlg.m_strEdit);
    }
}

TEST(Dialog, WritingAnUnchangedTextLeavesTheEditAlone) {
    CTestDlg dlg;
    int changesBefore = -1, changesSame = -1, changesOther = -1;
    DWORD selection = 0;
    std::string shown;
    dlg.m_script = [&](CTestDlg& d) {
        HWND edit = d.GetItem(IDC_EDIT);
        SendMessageA(edit, EM_SETSEL, 3, 3);
        changesBefore = d.m_nEditChanges;
        d.UpdateData(false);
        changesSame = d.m_nEditChanges;
        selection = static_cast<DWORD>(SendMessageA(edit, EM_GETSEL, 0, 0));
        d.m_strEdit = "other";
        d.UpdateData(false);
        changesOther = d.m_nEditChanges;
        shown = GetWindowTextString(edit);
        d.EndDialog(IDCANCEL);
    };
    dlg.DoModal();
    EXPECT_EQ(changesBefore, changesSame);
    EXPECT_EQ(MAKELONG(3, 3), static_cast<LONG>(selection));
    EXPECT_EQ(changesBefore + 1, changesOther);
    EXPECT_EQ("other", shown);
}

TEST(Dialog, ControlObjectIsAttachedOnceAndDrawsThroughReflection) {
    CTestDlg dlg;
    CWnd* attached = nullptr;
    int drawn = 0;
    dlg.m_script = [&](CTestDlg& d) {
        d.UpdateData(true);
        d.UpdateData(false);
        attached = CWnd::FromHandle(d.GetItem(IDC_DRAWN));
        ShowWindow(d.GetHwnd(), SW_SHOW);  // the dialog manager shows it only when idle
        PumpMessages();
        InvalidateRect(d.GetItem(IDC_DRAWN), nullptr, TRUE);
        UpdateWindow(d.GetItem(IDC_DRAWN));
        drawn = d.m_btnDrawn.m_nDrawn;
        d.EndDialog(IDCANCEL);
    };
    dlg.DoModal();
    EXPECT_EQ(&dlg.m_btnDrawn, attached);
    EXPECT_GE(drawn, 1);
    EXPECT_EQ(nullptr, dlg.m_btnDrawn.GetHwnd());
    EXPECT_EQ(nullptr, dlg.GetHwnd());
}

TEST(Dialog, CommandsAndPrivateMessagesReachTheDialogsHandlers) {
    CTestDlg dlg;
    dlg.m_script = [](CTestDlg& d) {
        SendMessageA(d.GetItem(IDC_PLAIN), BM_CLICK, 0, 0);
        PostMessageA(d.GetHwnd(), WM_TEST_END, 77, 0);
    };
    EXPECT_EQ(77, dlg.DoModal());
    EXPECT_EQ(1, dlg.m_nPlainClicks);
}

TEST(Dialog, MissingTemplateGivesMinusOne) {
    CTestDlg dlg(4321);
    EXPECT_EQ(-1, dlg.DoModal());
}

class CPlainFrame : public CFrameWnd {};

class CIdleApp : public CApp {
protected:
    BOOL InitInstance() override { return FALSE; }
};

TEST(Dialog, OwnerIsTheParentOrElseTheMainWindowsActivePopup) {
    auto* frame = new CPlainFrame;
    ASSERT_TRUE(frame->Create(0, "main", WS_OVERLAPPEDWINDOW, RECT{0, 0, 300, 200}, nullptr, 0));
    HWND main = frame->GetHwnd();
    HWND owners[2] = {};
    {
        CTestDlg withParent(IDD_TEST, main);
        withParent.m_script = [&](CTestDlg& d) {
            owners[0] = GetWindow(d.GetHwnd(), GW_OWNER);
            d.EndDialog(IDCANCEL);
        };
        withParent.DoModal();
    }
    {
        CIdleApp app;
        app.SetMainWnd(frame);
        CTestDlg withoutParent;
        withoutParent.m_script = [&](CTestDlg& d) {
            owners[1] = GetWindow(d.GetHwnd(), GW_OWNER);
            d.EndDialog(IDCANCEL);
        };
        withoutParent.DoModal();
        app.SetMainWnd(nullptr);
    }
    EXPECT_EQ(main, owners[0]);
    EXPECT_EQ(main, owners[1]);
    DestroyWindow(main);
}

}  // namespace
