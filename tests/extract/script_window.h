// A hidden window that plays the progress dialog for tests. A worker thread runs the
// work with CWindowSignals aimed at the window, exactly as the dialog's worker will;
// the window records what arrives, answers prompts from a script and asks for a
// cancel on cue.
#pragma once

#include "items/extract_signals.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class CScriptWindow {
public:
    struct Message {
        UINT nMessage;
        std::string strText;  // WM_SETUP_ITEM: path|name; prompts: path, plus |attribute
    };

    explicit CScriptWindow(std::vector<bool> answers = {});
    ~CScriptWindow();
    CScriptWindow(const CScriptWindow&) = delete;
    CScriptWindow& operator=(const CScriptWindow&) = delete;

    // Clears the four events, runs work(signals) on a worker thread with COM, and
    // handles this thread's messages until the worker has posted WM_SETUP_DONE.
    // Returns work's result.
    int Run(std::function<int(CExtractSignals&)> work);

    // Items and prompts in the order they arrived.
    std::vector<Message> m_messages;
    std::vector<int> m_progress;
    // The item or progress message (counted from 1) whose arrival sets g_evCancel.
    int m_nCancelAtItem = 0;
    int m_nCancelAtProgress = 0;
    // Prompts that found no answer left in the script (answered No).
    int m_nUnscripted = 0;
    // Whether the worker set g_evStopped.
    bool m_bStopped = false;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    bool NextAnswer();

    HWND m_hWnd = nullptr;
    std::vector<bool> m_answers;
    size_t m_nNextAnswer = 0;
    int m_nItems = 0;
    bool m_bDone = false;
};
