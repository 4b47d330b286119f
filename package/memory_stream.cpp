#include "package/memory_stream.h"

#include "package/file_exception.h"
#include "package/seek_target.h"

#include <cstring>
#include <utility>

MemoryStream::MemoryStream(std::vector<uint8_t> bytes) : m_bytes(std::move(bytes)) {}

uint32_t MemoryStream::Seek(int64_t offset, SeekOrigin origin) {
    m_nPosition = SeekTarget(m_nPosition, GetLength(), offset, origin);
    return m_nPosition;
}

uint32_t MemoryStream::Read(void* buffer, uint32_t count) {
    if (m_nPosition >= m_bytes.size())
        return 0;
    uint32_t available = static_cast<uint32_t>(m_bytes.size()) - m_nPosition;
    uint32_t n = count < available ? count : available;
    std::memcpy(buffer, m_bytes.data() + m_nPosition, n);
    m_nPosition += n;
    return n;
}

void MemoryStream::Write(const void* buffer, uint32_t count) {
    if (count == 0)
        return;
    uint64_t end = uint64_t(m_nPosition) + count;
    if (end > UINT32_MAX)
        throw CFileException(CFileException::kDiskFull, 0);
    if (end > m_bytes.size()) {
        Reserve(end);
        m_bytes.resize(static_cast<size_t>(end));
    }
    std::memcpy(m_bytes.data() + m_nPosition, buffer, count);
    m_nPosition = static_cast<uint32_t>(end);
}

void MemoryStream::SetLength(uint32_t length) {
    Reserve(length);
    m_bytes.resize(length);
}

std::vector<uint8_t> MemoryStream::Detach() {
    std::vector<uint8_t> bytes = std::move(m_bytes);
    m_bytes = std::vector<uint8_t>();
    m_nPosition = 0;
    return bytes;
}

void MemoryStream::Reserve(uint64_t length) {
    if (length <= m_bytes.capacity())
        return;
    uint64_t rounded = (length + kGrowthStep - 1) / kGrowthStep * kGrowthStep;
    // Growing one step at a time would make appending n bytes cost n²/1024 copies;
    // the buffer at least doubles, still in whole steps.
    uint64_t doubled = uint64_t(m_bytes.capacity()) * 2;
    m_bytes.reserve(static_cast<size_t>(rounded > doubled ? rounded : doubled));
}
