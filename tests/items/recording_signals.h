// A CExtractSignals that records what it is told and asks for a cancel on cue.
#pragma once

#include "items/extract_signals.h"

#include <string>
#include <utility>
#include <vector>

class RecordingSignals : public CExtractSignals {
public:
    // cancelAtPoll: the poll (counted from 1) that sees a cancel request; 0 for never.
    explicit RecordingSignals(int cancelAtPoll = 0) : m_nCancelAtPoll(cancelAtPoll) {}

    void ShowItem(const std::string& path, const std::string& name) override { m_items.emplace_back(path, name); }
    void ShowProgress(int32_t percent) override { m_progress.push_back(percent); }
    bool PollCancel() override { return ++m_nPolls == m_nCancelAtPoll; }
    void SetStopped() override { ++m_nStopped; }
    bool Ask(Prompt prompt, const std::string& path) override {
        m_questions.emplace_back(prompt, path);
        return m_bAnswer;
    }

    int m_nCancelAtPoll;
    int m_nPolls = 0;
    int m_nStopped = 0;
    bool m_bAnswer = true;
    std::vector<std::pair<std::string, std::string>> m_items;
    std::vector<int32_t> m_progress;
    std::vector<std::pair<Prompt, std::string>> m_questions;
};
