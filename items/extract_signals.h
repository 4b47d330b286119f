// What the item operations raise while they write or extract a package, and how they
// learn of a cancel. In the installer the progress dialog's window and the
// process-wide events stand behind it; the builder puts a terminal line and a Ctrl-C
// flag there; tests put a script.
#pragma once

#include <cstdint>
#include <string>

class CExtractSignals {
public:
    enum Prompt {
        kAskHidden,  // existing file is hidden: overwrite? (answer counts)
        kAskNewer,   // existing file is more than a minute newer: overwrite? (answer counts)
        kReadOnly,   // existing file is read-only or system: notice only, it is kept
    };

    virtual ~CExtractSignals() = default;

    // The current item: path and name, each already compacted to at most 50 characters.
    // Returns once the item is shown.
    virtual void ShowItem(const std::string& path, const std::string& name) = 0;
    // The current block's progress in whole percent. Returns once it is shown.
    virtual void ShowProgress(int32_t percent) = 0;
    // Polls for a cancel request without waiting; a request seen is consumed.
    virtual bool PollCancel() = 0;
    // Tells the dialog that the worker has stopped (after a cancel or a failed block).
    virtual void SetStopped() = 0;
    // Puts a question about the file at the full path and waits without time limit
    // for the answer: true for Yes (or the acknowledged notice).
    virtual bool Ask(Prompt prompt, const std::string& path) = 0;
};

// The codec's progress callback for item operations; context is a CExtractSignals*
// or null. Polls cancel first: a request seen sets "stopped" and returns 0. Otherwise
// shows percent (unless it is −1) and returns 1.
int32_t ExtractProgress(int32_t percent, void* context);
