#include "tools/terminal_progress.h"

#include "tools/console.h"

#include <cstdio>

namespace {

std::string Megabytes(uint64_t bytes) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", double(bytes) / (1024.0 * 1024.0));
    return text;
}

}  // namespace

CTerminalProgress::CTerminalProgress(bool show, std::vector<uint64_t> fileSizes)
    : m_bShow(show), m_fileSizes(std::move(fileSizes)) {
    for (uint64_t size : m_fileSizes)
        m_nTotal += size;
}

CTerminalProgress::~CTerminalProgress() {
    Finish();
}

void CTerminalProgress::ShowItem(const std::string& path, const std::string& name) {
    m_strItem = name;
    if (path.empty())
        return;  // a directory: nothing to count
    if (m_nFile > 0 && m_nFile <= m_fileSizes.size())
        m_nDoneBefore += m_fileSizes[m_nFile - 1];
    ++m_nFile;
    m_nPercent = 0;
    Draw(true);
}

void CTerminalProgress::ShowProgress(int32_t percent) {
    m_nPercent = percent;
    Draw(false);
}

bool CTerminalProgress::PollCancel() {
    if (WasInterrupted())
        m_bCancelled = true;
    return m_bCancelled;
}

bool CTerminalProgress::Ask(Prompt, const std::string&) {
    return false;
}

void CTerminalProgress::Draw(bool force) {
    if (!m_bShow)
        return;
    auto now = std::chrono::steady_clock::now();
    if (!force && now - m_lastDraw < std::chrono::milliseconds(100))
        return;
    m_lastDraw = now;
    uint64_t current = m_nFile > 0 && m_nFile <= m_fileSizes.size() ? m_fileSizes[m_nFile - 1] : 0;
    uint64_t done = m_nDoneBefore + current * uint64_t(m_nPercent) / 100;
    constexpr int kBarWidth = 20;
    int filled = m_nTotal ? int(done * kBarWidth / m_nTotal) : 0;
    std::string line = "[" + std::string(size_t(filled), '#') + std::string(size_t(kBarWidth - filled), '.') + "] " +
                       std::to_string(m_nFile) + "/" + std::to_string(m_fileSizes.size()) + " files, " +
                       Megabytes(done) + "/" + Megabytes(m_nTotal) + " MB  " + m_strItem;
    size_t width = size_t(TerminalColumns() > 1 ? TerminalColumns() - 1 : 79);
    if (line.size() > width)
        line.resize(width);
    std::fprintf(stderr, "\r%-*s", int(width), line.c_str());
    std::fflush(stderr);
    m_bDrawn = true;
}

void CTerminalProgress::Finish() {
    if (!m_bDrawn)
        return;
    size_t width = size_t(TerminalColumns() > 1 ? TerminalColumns() - 1 : 79);
    std::fprintf(stderr, "\r%-*s\r", int(width), "");
    std::fflush(stderr);
    m_bDrawn = false;
}
