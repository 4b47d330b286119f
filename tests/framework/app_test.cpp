// The application object: name, start-up, message loop, main window, message box.
#include "framework/app.h"
#include "framework/frame_window.h"
#include "tests/framework/test_support.h"

#include <gtest/gtest.h>

namespace {

int g_nFramesDeleted = 0;

class CCountedFrame : public CFrameWnd {
public:
    ~CCountedFrame() override { ++g_nFramesDeleted; }
};

// Start-up makes a frame the main window and closes it again through the message loop.
class CClosingApp : public CApp {
public:
    bool m_bCreated = false;

protected:
    BOOL InitInstance() override {
        auto* frame = new CCountedFrame;
        m_bCreated = frame->Create(0, "main", WS_OVERLAPPEDWINDOW, RECT{0, 0, 300, 200}, nullptr, 0);
        SetMainWnd(frame);
        PostMessageA(frame->GetHwnd(), WM_CLOSE, 0, 0);
        return TRUE;
    }
};

// A frame whose creation fails in WM_CREATE.
class CFailingFrame : public CCountedFrame {
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_CREATE)
            return -1;
        return CCountedFrame::WindowProc(message, wParam, lParam);
    }
};

class CResultApp : public CApp {
public:
    explicit CResultApp(BOOL result) : m_result(result) {}

protected:
    BOOL InitInstance() override { return m_result; }

private:
    BOOL m_result;
};

TEST(App, NameIsTheExecutablesFileNameWithoutExtension) {
    EXPECT_EQ("framework_tests", GetAppName());
}

TEST(App, ClosingTheMainWindowEndsTheLoopAndDeletesTheFrame) {
    g_nFramesDeleted = 0;
    CClosingApp app;
    EXPECT_EQ(&app, GetApp());
    EXPECT_EQ(0, app.Run());
    EXPECT_TRUE(app.m_bCreated);
    EXPECT_EQ(1, g_nFramesDeleted);
    EXPECT_EQ(nullptr, app.GetMainWnd());
    EXPECT_EQ(nullptr, GetMainWindow());
}

TEST(App, FrameWhoseCreationFailsIsLeftToItsMaker) {
    g_nFramesDeleted = 0;
    auto* frame = new CFailingFrame;
    EXPECT_FALSE(frame->Create(0, "failing", WS_OVERLAPPEDWINDOW, RECT{0, 0, 300, 200}, nullptr, 0));
    EXPECT_EQ(0, g_nFramesDeleted);
    EXPECT_EQ(nullptr, frame->GetHwnd());
    delete frame;
    EXPECT_EQ(1, g_nFramesDeleted);
}

TEST(App, RunReturnsAtOnceWithoutMainWindow) {
    for (BOOL result : {FALSE, TRUE}) {
        CResultApp app(result);
        EXPECT_EQ(0, app.Run());
    }
    EXPECT_EQ(nullptr, GetApp());
}

TEST(App, MessageBoxIsCaptionedWithTheApplicationNameAndOwnedByTheMainWindow) {
    auto* frame = new CCountedFrame;
    ASSERT_TRUE(frame->Create(0, "main", WS_OVERLAPPEDWINDOW, RECT{0, 0, 300, 200}, nullptr, 0));
    CResultApp app(TRUE);
    app.SetMainWnd(frame);
    CMessageBoxWatcher watcher(IDNO);
    EXPECT_EQ(IDNO, AppMessageBox("Do you really want to quit this setup?", MB_YESNO | MB_ICONQUESTION));
    watcher.Wait();
    ASSERT_TRUE(watcher.found());
    EXPECT_EQ("framework_tests", watcher.caption());
    EXPECT_EQ("Do you really want to quit this setup?", watcher.text());
    EXPECT_EQ(frame->GetHwnd(), watcher.owner());
    app.SetMainWnd(nullptr);
    DestroyWindow(frame->GetHwnd());
}

}  // namespace
