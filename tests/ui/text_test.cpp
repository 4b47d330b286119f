// String-table texts and the message boxes that show them.
#include "framework/app.h"
#include "framework/frame_window.h"
#include "tests/framework/test_support.h"
#include "tests/ui/gallery_ids.h"
#include "ui/message_box.h"
#include "ui/text.h"

#include <gtest/gtest.h>

namespace {

TEST(LoadText, LoadsFromTheStringTableAndKeepsTheText) {
    g_textCache.clear();
    EXPECT_EQ("Setup completed successfully!", LoadText(IDS_GALLERY_HELLO));
    ASSERT_EQ(1u, g_textCache.count(IDS_GALLERY_HELLO));
    EXPECT_EQ("Setup completed successfully!", g_textCache[IDS_GALLERY_HELLO]);
}

TEST(LoadText, SecondLoadIsServedFromTheCache) {
    g_textCache.clear();
    g_textCache[IDS_GALLERY_HELLO] = "kept from before";
    EXPECT_EQ("kept from before", LoadText(IDS_GALLERY_HELLO));
}

TEST(LoadText, MissingIdGivesAnEmptyTextThatIsKept) {
    g_textCache.clear();
    EXPECT_EQ("", LoadText(IDS_GALLERY_MISSING));
    ASSERT_EQ(1u, g_textCache.count(IDS_GALLERY_MISSING));
    EXPECT_EQ("", g_textCache[IDS_GALLERY_MISSING]);
}

TEST(LoadText, LongTextIsLoadedWhole) {
    g_textCache.clear();
    const std::string text = LoadText(IDS_GALLERY_LONG);
    ASSERT_EQ(300u, text.size());
    EXPECT_EQ("0123456789", text.substr(290));
}

TEST(MessageBoxId, ShowsTheTextCaptionedWithTheApplicationName) {
    g_textCache.clear();
    CMessageBoxWatcher watcher(IDOK);
    EXPECT_EQ(IDOK, MessageBoxId(IDS_GALLERY_HELLO, MB_OK | MB_ICONEXCLAMATION));
    watcher.Wait();
    ASSERT_TRUE(watcher.found());
    EXPECT_EQ("ui_tests", watcher.caption());
    EXPECT_EQ("Setup completed successfully!", watcher.text());
    EXPECT_EQ(nullptr, watcher.owner()) << "no main window: an unowned box";
}

TEST(MessageBoxId, MissingTextShowsAnEmptyBox) {
    CMessageBoxWatcher watcher(IDOK);
    MessageBoxId(IDS_GALLERY_MISSING, MB_OK | MB_ICONSTOP);
    watcher.Wait();
    ASSERT_TRUE(watcher.found());
    EXPECT_EQ("", watcher.text());
}

TEST(MessageBoxId, ReturnsTheAnswer) {
    for (int answer : {IDYES, IDNO}) {
        CMessageBoxWatcher watcher(answer);
        EXPECT_EQ(answer, MessageBoxId(IDS_GALLERY_HELLO, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2));
    }
}

class CIdleApp : public CApp {
protected:
    BOOL InitInstance() override { return FALSE; }
};

class CPlainFrame : public CFrameWnd {};

TEST(MessageBoxId, IsOwnedByTheParentOrElseTheMainWindow) {
    auto* frame = new CPlainFrame;
    ASSERT_TRUE(frame->Create(0, "main", WS_OVERLAPPEDWINDOW, RECT{0, 0, 300, 200}, nullptr, 0));
    HWND main = frame->GetHwnd();
    HWND other = CreateWindowA("STATIC", "other", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    CIdleApp app;
    app.SetMainWnd(frame);
    {
        CMessageBoxWatcher watcher(IDOK);
        MessageBoxId(IDS_GALLERY_HELLO, MB_OK);
        watcher.Wait();
        EXPECT_EQ(main, watcher.owner());
    }
    {
        CMessageBoxWatcher watcher(IDOK);
        MessageBoxId(IDS_GALLERY_HELLO, MB_OK, other);
        watcher.Wait();
        EXPECT_EQ(other, watcher.owner());
    }
    app.SetMainWnd(nullptr);
    DestroyWindow(other);
    DestroyWindow(main);
}

TEST(MessageBoxIds, TakesItsCaptionFromTheStringTable) {
    CMessageBoxWatcher watcher(IDOK);
    MessageBoxIds(IDS_GALLERY_HELLO, IDS_GALLERY_CAPTION, MB_OK);
    watcher.Wait();
    ASSERT_TRUE(watcher.found());
    EXPECT_EQ("Gallery caption", watcher.caption());
    EXPECT_EQ("Setup completed successfully!", watcher.text());
}

}  // namespace
