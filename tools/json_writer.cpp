#include "tools/json_writer.h"

#include <cstdio>

std::string CJsonWriter::Quote(const std::string& text) {
    std::string quoted = "\"";
    for (char c : text) {
        unsigned char byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (byte < 0x20 || byte >= 0x7F) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", unsigned(byte));
            quoted += escape;
        } else {
            quoted += c;
        }
    }
    return quoted + "\"";
}

void CJsonWriter::Key(const char* key) {
    if (!m_first.empty()) {
        if (!m_first.back())
            m_out << ',';
        m_first.back() = false;
        m_out << '\n' << std::string(m_first.size() * 2, ' ');
    }
    if (key)
        m_out << Quote(key) << ": ";
}

CJsonWriter& CJsonWriter::Open(const char* key, char bracket) {
    Key(key);
    m_out << bracket;
    m_first.push_back(true);
    return *this;
}

CJsonWriter& CJsonWriter::Close(char bracket) {
    bool empty = m_first.back();
    m_first.pop_back();
    if (!empty)
        m_out << '\n' << std::string(m_first.size() * 2, ' ');
    m_out << bracket;
    return *this;
}

CJsonWriter& CJsonWriter::Null(const char* key) {
    Key(key);
    m_out << "null";
    return *this;
}

CJsonWriter& CJsonWriter::Bool(const char* key, bool value) {
    Key(key);
    m_out << (value ? "true" : "false");
    return *this;
}

CJsonWriter& CJsonWriter::Int(const char* key, int64_t value) {
    Key(key);
    m_out << value;
    return *this;
}

CJsonWriter& CJsonWriter::String(const char* key, const std::string& value) {
    Key(key);
    m_out << Quote(value);
    return *this;
}
