// A growable in-memory byte stream. Its buffer grows in steps of 1024 bytes and
// can be handed over with Detach.
#pragma once

#include "package/byte_stream.h"

#include <cstdint>
#include <vector>

class MemoryStream : public ByteStream {
public:
    static constexpr uint32_t kGrowthStep = 1024;

    MemoryStream() = default;
    // A stream holding bytes, positioned at its start.
    explicit MemoryStream(std::vector<uint8_t> bytes);

    uint32_t GetPosition() const override { return m_nPosition; }
    uint32_t Seek(int64_t offset, SeekOrigin origin) override;
    uint32_t Read(void* buffer, uint32_t count) override;
    void Write(const void* buffer, uint32_t count) override;
    uint32_t GetLength() const override { return static_cast<uint32_t>(m_bytes.size()); }
    void SetLength(uint32_t length) override;
    void Flush() override {}

    // The stream's bytes, valid until the next write or length change.
    const uint8_t* GetData() const { return m_bytes.data(); }
    // Hands the bytes to the caller, who owns them from then on; the stream is left empty.
    std::vector<uint8_t> Detach();

private:
    void Reserve(uint64_t length);

    std::vector<uint8_t> m_bytes;
    uint32_t m_nPosition = 0;
};
