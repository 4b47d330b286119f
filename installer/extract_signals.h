// The installer's extraction signals: the four process-wide events through which the
// progress dialog and the extraction worker answer each other, and the worker's side
// of them, which reaches the dialog through the messages of installer/messages.h.
#pragma once

#include "framework/event.h"
#include "items/extract_signals.h"

#include <windows.h>

// Unnamed, automatic reset, not signalled at first; made before the program's own code
// runs and kept for the whole run.
extern CEvent g_evCancel;  // set by the dialog: the user asked to stop
extern CEvent g_evStopped; // set by the worker: it has stopped
extern CEvent g_evYes;     // set by the dialog: Yes, or the notice was seen
extern CEvent g_evNo;      // set by the dialog: No

// The extraction worker's signals to the progress dialog window.
class CWindowSignals : public CExtractSignals {
public:
    explicit CWindowSignals(HWND window) : m_hWnd(window) {}

    // Sends WM_SETUP_ITEM; returns when the dialog has shown it.
    void ShowItem(const std::string& path, const std::string& name) override;
    // Sends WM_SETUP_PROGRESS.
    void ShowProgress(int32_t percent) override;
    // Polls g_evCancel without waiting.
    bool PollCancel() override;
    // Sets g_evStopped.
    void SetStopped() override;
    // Posts the prompt's message and waits for g_evYes or g_evNo without time limit.
    // A prompt that cannot be posted keeps the file. A cancel request that arrives
    // instead of an answer (the dialog may be gone with the prompt unanswered) keeps
    // the file and is left set for the next poll.
    bool Ask(Prompt prompt, const std::string& path) override;

private:
    HWND m_hWnd;
};
