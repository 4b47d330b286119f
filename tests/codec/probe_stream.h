// A memory stream that records what is done to it and can be told to misbehave.
#pragma once

#include "package/file_exception.h"
#include "package/memory_stream.h"

#include <cstdint>
#include <vector>

class ProbeStream : public MemoryStream {
public:
    ProbeStream() = default;
    explicit ProbeStream(std::vector<uint8_t> bytes) : MemoryStream(std::move(bytes)) {}

    uint32_t Read(void* buffer, uint32_t count) override {
        if (count > m_nReadLimit)
            count = m_nReadLimit;
        return MemoryStream::Read(buffer, count);
    }
    void Write(const void* buffer, uint32_t count) override {
        if (++m_nWrites >= m_nFailFromWrite && m_nFailFromWrite > 0)
            throw CFileException(CFileException::kDiskFull, 0);
        MemoryStream::Write(buffer, count);
    }
    uint32_t GetLength() const override { return m_nFakeLength ? m_nFakeLength : MemoryStream::GetLength(); }

    std::vector<uint8_t> Bytes() const { return std::vector<uint8_t>(GetData(), GetData() + MemoryStream::GetLength()); }

    int m_nWrites = 0;
    uint32_t m_nReadLimit = UINT32_MAX;  // most bytes one Read returns
    uint32_t m_nFakeLength = 0;          // nonzero: the length the stream claims
    int m_nFailFromWrite = 0;            // nonzero: this write (1-based) and all after it throw
};

// Records every progress call; cancels at call number m_nCancelAt (1-based) if set.
struct ProgressLog {
    std::vector<int32_t> calls;
    size_t m_nCancelAt = 0;

    static int32_t Callback(int32_t percent, void* user) {
        ProgressLog* log = static_cast<ProgressLog*>(user);
        log->calls.push_back(percent);
        return log->calls.size() == log->m_nCancelAt ? 0 : 1;
    }
};
