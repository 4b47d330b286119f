// The block compressor. The pair dictionary's lists are kept as prefixes of chains
// through a ring of earlier positions: entries are only added at a list's front and
// only cut from its tail, so a list is its newest entry followed through the ring,
// as many steps as its count says.
#include "codec/compress.h"

#include "package/package_int.h"

#include <cstring>
#include <memory>
#include <utility>
#include <vector>

namespace {

constexpr uint32_t kWindow = 4095;       // largest distance
constexpr uint32_t kRingSize = 4096;     // a power of two above the window
constexpr uint32_t kMinMatch = 3;
constexpr uint32_t kMaxMatch = 17;
constexpr uint32_t kListCap = 254;
constexpr uint32_t kListCut = 160;
constexpr uint32_t kKeyCount = 65536;
constexpr uint32_t kMaxGroupSize = 17;
constexpr uint32_t kOutputChunk = 64 * 1024;
// Zero bytes behind the data for the word-at-a-time comparison.
constexpr uint32_t kDataSlack = 32;
// The longest source whose block can state its sizes: all literals give C = n + n / 8
// rounded up, and 8 + C must fit an int32.
constexpr int64_t kMaxSource = (int64_t(INT32_MAX) - 8 - 1) / 9 * 8;

inline uint32_t KeyAt(const uint8_t* p) { return uint32_t(p[0]) << 8 | p[1]; }

inline uint64_t LoadWord(const uint8_t* p) {
    uint64_t v;
    std::memcpy(&v, p, 8);
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    v = __builtin_bswap64(v);
#endif
    return v;
}

// Number of equal leading bytes of a and b, at most 9.
inline uint32_t CommonLength(const uint8_t* a, const uint8_t* b) {
    uint64_t diff = LoadWord(a) ^ LoadWord(b);
    if (diff)
        return uint32_t(__builtin_ctzll(diff)) >> 3;
    return a[8] == b[8] ? 9 : 8;
}

// The pair dictionary. Positions are stored absolute, as the block's base plus the
// position in the block; every block starts its base at least a window past the
// previous block's end, so entries of earlier blocks are out of reach and a list whose
// head lies before the base is empty. Clearing the tables is thus needed only when the
// 32-bit positions run out, not once per block.
class PairDictionary {
public:
    struct Match {
        uint32_t nLength;
        uint32_t nDistance;
    };

    void Begin(uint32_t length) {
        if (UINT32_MAX - m_nNextBase < uint64_t(length) + 2 * kRingSize) {
            std::memset(m_lists, 0, sizeof m_lists);
            m_nNextBase = kRingSize;
        }
        m_nBase = m_nNextBase;
        m_nNextBase += length + kRingSize;
    }

    uint32_t Base() const { return m_nBase; }

    void Enter(uint32_t key, uint32_t position) {
        List& list = m_lists[key];
        if (list.nHead < m_nBase)
            list.nCount = 0;
        else if (list.nCount == kListCap)
            list.nCount = kListCut;
        m_ring[position & (kRingSize - 1)] = list.nHead;
        list.nHead = position;
        ++list.nCount;
    }

    // Best match for the bytes at here (absolute position). Candidates are taken
    // nearest first and only a strictly longer one replaces the best, so the nearest
    // wins among equal lengths. The walk visits every entry up to the first one
    // beyond the window, because meeting that entry is what shortens the list; each
    // candidate costs one word comparison and no unpredictable branch. endCap bounds
    // every match by the block's end.
    Match Search(const uint8_t* data, uint32_t here, uint32_t endCap) {
        const uint8_t* current = data + (here - m_nBase);
        List& list = m_lists[KeyAt(current)];
        uint32_t bestLength = kMinMatch - 1;
        uint32_t bestDistance = 0;
        if (list.nHead < m_nBase)
            return {bestLength, bestDistance};
        const uint64_t leading = LoadWord(current);
        const uint32_t oldest = here - kWindow;
        uint32_t candidate = list.nHead;
        for (uint32_t i = 0, count = list.nCount; i < count; ++i) {
            if (candidate < oldest) {
                list.nCount = i;
                break;
            }
            uint32_t distance = here - candidate;
            const uint8_t* earlier = current - distance;
            uint64_t diff = LoadWord(earlier) ^ leading;
            uint32_t length = diff ? uint32_t(__builtin_ctzll(diff)) >> 3 : 8 + CommonLength(earlier + 8, current + 8);
            // A match never reaches the byte just before here.
            uint32_t cap = distance - 1 < endCap ? distance - 1 : endCap;
            length = length < cap ? length : cap;
            bool longer = length > bestLength;
            bestDistance = longer ? distance : bestDistance;
            bestLength = longer ? length : bestLength;
            if (bestLength == kMaxMatch)
                break;
            candidate = m_ring[candidate & (kRingSize - 1)];
        }
        return {bestLength, bestDistance};
    }

private:
    struct List {
        uint32_t nHead;   // newest entry, absolute
        uint32_t nCount;  // entries in the list: its newest nCount entries of the chain
    };

    List m_lists[kKeyCount] = {};
    uint32_t m_ring[kRingSize] = {};  // entry at position p: the next older entry of its key
    uint32_t m_nBase = 0;
    uint32_t m_nNextBase = kRingSize;
};

// One dictionary per thread is kept between calls so that a block does not pay for
// allocating and clearing the tables. A call takes it out while it runs, so a nested
// call on the same thread gets a dictionary of its own.
thread_local std::unique_ptr<PairDictionary> t_pSpareDictionary;

class DictionaryLease {
public:
    DictionaryLease() : m_pDictionary(std::move(t_pSpareDictionary)) {
        if (!m_pDictionary)
            m_pDictionary.reset(new PairDictionary());
    }
    ~DictionaryLease() { t_pSpareDictionary = std::move(m_pDictionary); }
    DictionaryLease(const DictionaryLease&) = delete;
    DictionaryLease& operator=(const DictionaryLease&) = delete;

    PairDictionary& operator*() { return *m_pDictionary; }

private:
    std::unique_ptr<PairDictionary> m_pDictionary;
};

// Collects the groups and hands whole groups to the destination in large writes.
class GroupWriter {
public:
    // expected: the most the groups can take, so that small blocks allocate little.
    GroupWriter(ByteStream& destination, int64_t expected)
        : m_destination(destination),
          m_buffer(size_t(expected < kOutputChunk ? expected : kOutputChunk) + 2 * kMaxGroupSize) {
        StartGroup();
    }

    void Literal(uint8_t byte) {
        m_buffer[m_nEnd++] = byte;
        NextItem();
    }

    void Match(uint32_t distance, uint32_t length) {
        m_buffer[m_nGroup] |= uint8_t(0x80u >> m_nItems);
        m_buffer[m_nEnd] = uint8_t(distance >> 4);
        m_buffer[m_nEnd + 1] = uint8_t((distance & 15) << 4 | (length - 2));
        m_nEnd += 2;
        NextItem();
    }

    // Writes the groups completed so far; the open group stays behind.
    void WriteWholeGroups() {
        if (m_nGroup == 0)
            return;
        m_destination.Write(m_buffer.data(), m_nGroup);
        m_nWritten += m_nGroup;
        std::memmove(m_buffer.data(), m_buffer.data() + m_nGroup, m_nEnd - m_nGroup);
        m_nEnd -= m_nGroup;
        m_nGroup = 0;
    }

    // Closes an open group and writes everything; returns the bytes written in all.
    int64_t Finish() {
        if (m_nItems > 0)
            CloseGroup();
        else
            m_nEnd = m_nGroup;
        WriteWholeGroups();
        return m_nWritten;
    }

private:
    void StartGroup() {
        m_nGroup = m_nEnd;
        m_buffer[m_nEnd++] = 0;
        m_nItems = 0;
    }

    void CloseGroup() {
        m_nGroup = m_nEnd;
        if (m_nEnd >= kOutputChunk)
            WriteWholeGroups();
    }

    void NextItem() {
        if (++m_nItems == 8) {
            CloseGroup();
            StartGroup();
        }
    }

    ByteStream& m_destination;
    std::vector<uint8_t> m_buffer;
    uint32_t m_nGroup = 0;  // offset of the open group's flag byte
    uint32_t m_nEnd = 0;
    uint32_t m_nItems = 0;
    int64_t m_nWritten = 0;
};

// The smallest position at which the percentage reaches percent.
inline int64_t ReportThreshold(int32_t percent, int64_t length) {
    return (int64_t(percent) * (length + 1) + 99) / 100;
}

bool ReadAll(ByteStream& source, uint8_t* buffer, uint32_t length) {
    while (length > 0) {
        uint32_t got = source.Read(buffer, length);
        if (got == 0)
            return false;
        buffer += got;
        length -= got;
    }
    return true;
}

}  // namespace

int32_t CompressBlock(ByteStream& source, ByteStream& destination, int thorough, ProgressCallback callback, void* user) {
    const uint32_t length = source.GetLength();
    if (length > kMaxSource)
        return -1;
    source.Seek(0, ByteStream::kBegin);

    WriteInt32(destination, int32_t(length));
    const uint32_t sizeField = destination.GetPosition();
    WriteInt32(destination, 0);

    std::vector<uint8_t> buffer(size_t(length) + kDataSlack);
    if (!ReadAll(source, buffer.data(), length))
        return -1;
    const uint8_t* data = buffer.data();

    DictionaryLease lease;
    PairDictionary& dictionary = *lease;
    dictionary.Begin(length);
    const uint32_t base = dictionary.Base();
    GroupWriter writer(destination, int64_t(length) + length / 8);

    int64_t nextReport = callback ? ReportThreshold(1, length) : INT64_MAX;
    const int64_t n = length;
    int64_t pos = 0;
    while (pos < n - 1) {
        if (pos >= nextReport) {
            int32_t percent = int32_t(pos * 100 / (n + 1));
            nextReport = ReportThreshold(percent + 1, n);
            writer.WriteWholeGroups();
            if (callback(percent, user) == 0) {
                callback(-1, user);
                return -1;
            }
        }
        const uint32_t p = uint32_t(pos);
        if (p >= 2)
            dictionary.Enter(KeyAt(data + p - 1), base + p - 1);
        // The last two bytes are never covered by a match.
        uint32_t endCap = uint32_t(n - 2 - pos);
        if (endCap > kMaxMatch)
            endCap = kMaxMatch;
        PairDictionary::Match match = dictionary.Search(data, base + p, endCap);
        if (match.nLength >= kMinMatch) {
            writer.Match(match.nDistance, match.nLength);
            if (thorough) {
                for (uint32_t q = p, last = p + match.nLength - 2; q <= last; ++q)
                    dictionary.Enter(KeyAt(data + q), base + q);
            }
            pos += match.nLength;
        } else {
            writer.Literal(data[p]);
            ++pos;
        }
    }
    if (pos < n)
        writer.Literal(data[pos]);
    const int64_t packed = writer.Finish();

    const uint32_t end = destination.GetPosition();
    destination.Seek(sizeField, ByteStream::kBegin);
    WriteInt32(destination, int32_t(packed));
    destination.Seek(end, ByteStream::kBegin);
    if (callback)
        callback(-1, user);
    return int32_t(packed + 8);
}
