// The builder's side of the extraction signals: a one-line progress display on stderr
// (files done, bytes, current file) and Ctrl-C as the cancel request.
#pragma once

#include "items/extract_signals.h"

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

class CTerminalProgress : public CExtractSignals {
public:
    // fileSizes: the files in the order they are packed. With show false nothing is
    // printed, but a cancel is still seen.
    CTerminalProgress(bool show, std::vector<uint64_t> fileSizes);
    ~CTerminalProgress() override;

    void ShowItem(const std::string& path, const std::string& name) override;
    void ShowProgress(int32_t percent) override;
    bool PollCancel() override;
    void SetStopped() override { m_bStopped = true; }
    bool Ask(Prompt prompt, const std::string& path) override;

    bool WasStopped() const { return m_bStopped; }
    bool WasCancelled() const { return m_bCancelled; }
    // The last item shown, for messages about a failure.
    const std::string& CurrentItem() const { return m_strItem; }
    // Clears the progress line.
    void Finish();

private:
    void Draw(bool force);

    bool m_bShow;
    std::vector<uint64_t> m_fileSizes;
    uint64_t m_nTotal = 0;
    uint64_t m_nDoneBefore = 0;  // bytes of the files before the current one
    size_t m_nFile = 0;          // files started so far
    int32_t m_nPercent = 0;
    std::string m_strItem;
    bool m_bStopped = false;
    bool m_bCancelled = false;
    bool m_bDrawn = false;
    std::chrono::steady_clock::time_point m_lastDraw;
};
