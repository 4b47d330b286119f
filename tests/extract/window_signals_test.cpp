// The worker's signals to the progress dialog: messages, their strings, the events.
#include "installer/extract_signals.h"
#include "installer/messages.h"
#include "tests/extract/script_window.h"

#include <gtest/gtest.h>

namespace {

TEST(WindowSignalsTest, PromptsCarryTheirStringsAndAnswersComeBack) {
    CScriptWindow window({true, false});
    std::vector<bool> answers;
    window.Run([&](CExtractSignals& signals) {
        signals.ShowItem("C:\\dest\\a.txt", "a.txt");
        signals.ShowProgress(42);
        answers.push_back(signals.Ask(CExtractSignals::kAskHidden, "C:\\dest\\h"));
        answers.push_back(signals.Ask(CExtractSignals::kAskNewer, "C:\\dest\\n"));
        answers.push_back(signals.Ask(CExtractSignals::kReadOnly, "C:\\dest\\r"));
        return 1;
    });
    EXPECT_EQ(answers, (std::vector<bool>{true, false, true}));
    ASSERT_EQ(window.m_messages.size(), 4u);
    EXPECT_EQ(window.m_messages[0].nMessage, WM_SETUP_ITEM);
    EXPECT_EQ(window.m_messages[0].strText, "C:\\dest\\a.txt|a.txt");
    EXPECT_EQ(window.m_messages[1].nMessage, WM_SETUP_ASK_HIDDEN);
    EXPECT_EQ(window.m_messages[1].strText, "C:\\dest\\h|hidden");
    EXPECT_EQ(window.m_messages[2].nMessage, WM_SETUP_ASK_NEWER);
    EXPECT_EQ(window.m_messages[3].nMessage, WM_SETUP_READONLY);
    EXPECT_EQ(window.m_progress, std::vector<int>{42});
}

TEST(WindowSignalsTest, CancelIsPolledOnceAndStoppedIsSet) {
    CScriptWindow window;
    std::vector<bool> polls;
    window.Run([&](CExtractSignals& signals) {
        polls.push_back(signals.PollCancel());
        g_evCancel.Set();
        polls.push_back(signals.PollCancel());
        polls.push_back(signals.PollCancel());
        signals.SetStopped();
        return 1;
    });
    EXPECT_EQ(polls, (std::vector<bool>{false, true, false}));
    EXPECT_TRUE(window.m_bStopped);
}

// A prompt whose window is gone cannot be answered: the file is kept at once. A cancel
// that arrives instead of an answer keeps the file and stays for the next poll.
TEST(WindowSignalsTest, UnanswerablePromptsKeepTheFile) {
    HWND gone = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(gone);
    CWindowSignals toNowhere(gone);
    EXPECT_FALSE(toNowhere.Ask(CExtractSignals::kAskNewer, "C:\\x"));
    toNowhere.ShowItem("C:\\x", "x");

    // A window on this thread that is never pumped: the prompt stays queued.
    HWND unpumped = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    CWindowSignals signals(unpumped);
    g_evCancel.Set();
    EXPECT_FALSE(signals.Ask(CExtractSignals::kAskHidden, "C:\\x"));
    EXPECT_TRUE(signals.PollCancel());
    MSG msg;
    while (PeekMessageA(&msg, unpumped, WM_SETUP_ASK_HIDDEN, WM_SETUP_ASK_HIDDEN, PM_REMOVE)) {
        TakeMessageString(msg.wParam);
        TakeMessageString(msg.lParam);
    }
    DestroyWindow(unpumped);
}

}  // namespace
