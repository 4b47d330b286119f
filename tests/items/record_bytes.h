// Hand-made record fixtures: expected bytes written piece by piece.
#pragma once

#include "package/memory_stream.h"

#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <string>
#include <vector>

class RecordBytes {
public:
    RecordBytes& Int(int32_t value) {
        for (int i = 0; i < 4; ++i)
            m_bytes.push_back(uint8_t(uint32_t(value) >> (8 * i)));
        return *this;
    }
    RecordBytes& Str(const std::string& text) {
        m_bytes.insert(m_bytes.end(), text.begin(), text.end());
        m_bytes.push_back(0);
        return *this;
    }
    // Bytes given as hex pairs separated by spaces: "01 00 41".
    RecordBytes& Hex(const std::string& hex) {
        for (size_t i = 0; i < hex.size(); i += 3)
            m_bytes.push_back(uint8_t(std::strtoul(hex.substr(i, 2).c_str(), nullptr, 16)));
        return *this;
    }
    const std::vector<uint8_t>& Get() const { return m_bytes; }

private:
    std::vector<uint8_t> m_bytes;
};

inline std::vector<uint8_t> StreamBytes(const MemoryStream& stream) {
    return std::vector<uint8_t>(stream.GetData(), stream.GetData() + stream.GetLength());
}
