// Helpers for tests that run real windows under Wine: pumping messages and answering the
// next message box from another thread.
#pragma once

#include <windows.h>

#include <string>

// Dispatches this thread's messages for a few rounds, giving input and paint messages
// that arrive meanwhile their turn; dialog keys go through IsDialogMessage of dialog.
void PumpMessages(HWND dialog = nullptr, int rounds = 5);

// Watches, on its own thread, for the next message box of this process and records what
// it shows, then presses button on it. Wait() returns once it has, or gives up after a
// few seconds (found() is false then).
class CMessageBoxWatcher {
public:
    explicit CMessageBoxWatcher(int button);
    ~CMessageBoxWatcher();
    CMessageBoxWatcher(const CMessageBoxWatcher&) = delete;
    CMessageBoxWatcher& operator=(const CMessageBoxWatcher&) = delete;

    void Wait();
    bool found() const { return m_bFound; }
    const std::string& caption() const { return m_strCaption; }
    const std::string& text() const { return m_strText; }
    HWND owner() const { return m_hOwner; }

private:
    static DWORD WINAPI ThreadMain(void* self);

    int m_nButton;
    HANDLE m_hThread = nullptr;
    bool m_bFound = false;
    std::string m_strCaption;
    std::string m_strText;
    HWND m_hOwner = nullptr;
};
