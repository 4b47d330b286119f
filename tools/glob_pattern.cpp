#include "tools/glob_pattern.h"

#include <vector>

namespace {

// Dynamic programming over (pattern position, text position): quadratic at worst,
// whatever the stars.
class Matcher {
public:
    Matcher(const std::string& pattern, const std::string& text)
        : m_pattern(pattern), m_text(text), m_memo((pattern.size() + 1) * (text.size() + 1), kUnknown) {}

    bool Match(size_t p, size_t t) {
        char& memo = m_memo[p * (m_text.size() + 1) + t];
        if (memo == kUnknown)
            memo = Compute(p, t) ? kYes : kNo;
        return memo == kYes;
    }

private:
    enum : char { kUnknown, kYes, kNo };

    bool Compute(size_t p, size_t t) {
        if (p == m_pattern.size())
            return t == m_text.size();
        char c = m_pattern[p];
        if (c == '*' && p + 1 < m_pattern.size() && m_pattern[p + 1] == '*') {
            size_t next = p + 2;
            // "**/" may stand for no directory at all.
            if (next < m_pattern.size() && m_pattern[next] == '/' && Match(next + 1, t))
                return true;
            for (size_t k = t; k <= m_text.size(); ++k) {
                if (Match(next, k))
                    return true;
            }
            return false;
        }
        if (c == '*') {
            for (size_t k = t; k <= m_text.size(); ++k) {
                if (Match(p + 1, k))
                    return true;
                if (k < m_text.size() && m_text[k] == '/')
                    break;
            }
            return false;
        }
        if (t == m_text.size())
            return false;
        if (c == '?')
            return m_text[t] != '/' && Match(p + 1, t + 1);
        return c == m_text[t] && Match(p + 1, t + 1);
    }

    const std::string& m_pattern;
    const std::string& m_text;
    std::vector<char> m_memo;
};

}  // namespace

bool MatchGlob(const std::string& pattern, const std::string& path) {
    std::string text = path;
    if (pattern.find('/') == std::string::npos) {
        size_t slash = path.rfind('/');
        if (slash != std::string::npos)
            text = path.substr(slash + 1);
    }
    return Matcher(pattern, text).Match(0, 0);
}
