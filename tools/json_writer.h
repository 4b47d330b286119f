// A small streaming JSON writer for the --json outputs. Package text is single-byte
// ANSI; bytes from 0x80 up are written as the Latin-1 characters of the same number.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

class CJsonWriter {
public:
    explicit CJsonWriter(std::ostream& out) : m_out(out) {}

    CJsonWriter& BeginObject(const char* key = nullptr) { return Open(key, '{'); }
    CJsonWriter& EndObject() { return Close('}'); }
    CJsonWriter& BeginArray(const char* key = nullptr) { return Open(key, '['); }
    CJsonWriter& EndArray() { return Close(']'); }
    CJsonWriter& Null(const char* key);
    CJsonWriter& Bool(const char* key, bool value);
    CJsonWriter& Int(const char* key, int64_t value);
    CJsonWriter& String(const char* key, const std::string& value);
    // Ends the document with a newline.
    void Finish() { m_out << '\n'; }

    static std::string Quote(const std::string& text);

private:
    CJsonWriter& Open(const char* key, char bracket);
    CJsonWriter& Close(char bracket);
    void Key(const char* key);

    std::ostream& m_out;
    std::vector<bool> m_first;  // per open container: nothing written in it yet
};
