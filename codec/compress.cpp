// The block compressor: a greedy LZ77 coder whose choices are fixed by the pair
// dictionary's limits, made fast without changing a single choice.
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
constexpr uint32_t kHashBits = 15;
constexpr uint32_t kMaxGroupSize = 17;
constexpr uint32_t kOutputChunk = 64 * 1024;
// Zero bytes behind the data for the word-at-a-time comparison.
constexpr uint32_t kDataSlack = 32;
// The longest source whose block can state its sizes: all literals give C = n + n / 8
// rounded up, and 8 + C must fit an int32.
constexpr int64_t kMaxSource = (int64_t(INT32_MAX) - 8 - 1) / 9 * 8;

inline uint32_t Load32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

// The list of the pair at p. Which number a pair gets does not matter, only that
// equal pairs share a list.
inline uint32_t KeyOf(uint32_t bytes) { return bytes & 0xFFFF; }
inline uint32_t HashOfThree(uint32_t bytes) { return ((bytes & 0xFFFFFF) * 2654435761u) >> (32 - kHashBits); }
inline uint32_t KeyAt(const uint8_t* p) { return KeyOf(Load32(p)); }

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


// The pair dictionary, with the limits that decide which match is chosen and none of
// the cost of walking every entry.
//
// A list never needs its entries spelled out. Entries are only added at the front
// and only cut from the tail, so a list is the newest nCount of all the positions
// entered under its key; numbering those positions (serials) tells membership.
// Entries that cannot be longer than 2 bytes never matter, so the candidates are
// walked through a chain of the positions whose first three bytes hash alike, nearest
// first, and stop at the first one out of the window or out of the list. What a full
// walk does besides choosing, cutting a list back to its entries inside the window, is
// done from a count of those entries kept as the window moves on.
//
// Positions in the hash chain are absolute: each block's base lies a window past the
// previous block's end, so earlier blocks' entries are out of reach. Per-key state is
// put back to empty when a block ends, through the keys of its positions when it is
// small and wholesale when it is large, so the cost of a block stays in proportion to
// its length.
class PairDictionary {
public:
    struct Match {
        uint32_t nLength;
        uint32_t nDistance;
    };

    void Begin(const uint8_t* data, uint32_t length) {
        if (UINT32_MAX - m_nNextBase < uint64_t(length) + 2 * kRingSize) {
            std::memset(m_heads, 0, sizeof m_heads);
            m_nNextBase = kRingSize;
        }
        m_nBase = m_nNextBase;
        m_nNextBase += length + kRingSize;
        m_nFirstEntry = m_nEndEntry = 0;
        m_pData = data;
        m_nLength = length;
    }

    // Empties every key the block may have entered. The block's data must still be there.
    void End() {
        if (m_nLength < kWalkToClear) {
            for (uint32_t pos = 0; pos < m_nLength; ++pos)
                m_keys[KeyAt(m_pData + pos)] = KeyState{};
        } else {
            std::memset(m_keys, 0, sizeof m_keys);
        }
        m_nLength = 0;
    }

    // kEveryPosition: every position from 1 on is entered, in order (thorough mode), so
    // the window's entries need no queue: entering pos is when the entry kWindow before
    // it leaves the window of the search that follows.
    template <bool kEveryPosition>
    void Enter(uint32_t pos) {
        if (kEveryPosition && pos > kWindow)
            --m_keys[KeyAt(m_pData + pos - kWindow)].nInWindow;
        const uint32_t bytes = Load32(m_pData + pos);
        KeyState& key = m_keys[KeyOf(bytes)];
        key.nCount = uint8_t((key.nCount == kListCap ? kListCut : key.nCount) + 1);
        ++key.nInWindow;
        const uint32_t absolute = m_nBase + pos;
        m_serials[absolute & (kRingSize - 1)] = key.nNextSerial++;
        uint32_t& head = m_heads[HashOfThree(bytes)];
        m_chain[absolute & (kRingSize - 1)] = head;
        head = absolute;
        if (!kEveryPosition) {
            const uint32_t slot = m_nEndEntry++ & (kEntryRing - 1);
            m_entries[slot] = pos;
            m_entryKeys[slot] = uint16_t(KeyOf(bytes));
        }
    }

    // Fast mode: before the search at pos, takes the entries that have left the window
    // out of their keys' counts. Entries are made in position order, so they leave in
    // that order. How many leave is anybody's guess, so the counting goes without
    // branches where it can: after a literal (oneStep) the window moved by one position
    // and at most one entry leaves; otherwise entries are taken two at a time.
    void Retire(uint32_t pos, bool oneStep) {
        uint32_t first = m_nFirstEntry;
        if (oneStep) {
            first += Leave(first, pos);
        } else {
            for (;;) {
                const uint32_t older = Leave(first, pos);
                const uint32_t newer = Leave(first + 1, pos);
                first += older + newer;
                if (!newer)
                    break;
            }
        }
        m_nFirstEntry = first;
    }

    // Best match at pos, at most endCap long. Only a strictly longer candidate
    // replaces the best, so the nearest wins among equal lengths.
    template <bool kEveryPosition>
    Match Search(uint32_t pos, uint32_t endCap) {
        const uint8_t* current = m_pData + pos;
        const uint32_t bytes = Load32(current);
        KeyState& key = m_keys[KeyOf(bytes)];
        Match best = {kMinMatch - 1, 0};
        if (endCap >= kMinMatch) {
            const uint32_t here = m_nBase + pos;
            const uint32_t oldest = here - kWindow;
            const uint64_t leading = LoadWord(current);
            for (uint32_t candidate = m_heads[HashOfThree(bytes)]; candidate >= oldest;
                 candidate = m_chain[candidate & (kRingSize - 1)]) {
                uint32_t distance = here - candidate;
                const uint8_t* earlier = current - distance;
                uint64_t diff = LoadWord(earlier) ^ leading;
                if (diff & 0xFFFFFF)
                    continue;
                // The same pair: older entries of the key are out of the list too.
                if (uint16_t(key.nNextSerial - m_serials[candidate & (kRingSize - 1)]) > key.nCount)
                    break;
                uint32_t length = diff ? uint32_t(__builtin_ctzll(diff)) >> 3 : 8 + CommonLength(earlier + 8, current + 8);
                if (length <= best.nLength)
                    continue;
                // A match never reaches the byte just before pos.
                uint32_t cap = distance - 1 < endCap ? distance - 1 : endCap;
                length = length < cap ? length : cap;
                if (length > best.nLength) {
                    best = {length, distance};
                    if (length == kMaxMatch)
                        break;
                }
            }
        }
        // A full walk stops at a 17-byte candidate; otherwise it meets the list's first
        // entry beyond the window, if there is one, and drops it and all behind it.
        // Chosen without a branch: whether it cuts anything is a coin toss.
        const uint16_t pruned = key.nCount < key.nInWindow ? key.nCount : key.nInWindow;
        key.nCount = best.nLength < kMaxMatch ? pruned : key.nCount;
        return best;
    }

private:
    // Holds every entry still inside the window, and the one about to leave it.
    static constexpr uint32_t kEntryRing = 2 * kRingSize;

    struct KeyState {
        uint16_t nNextSerial;  // serial of the next entry; the list is the nCount before it
        uint16_t nCount;
        uint16_t nInWindow;    // entries within the window of the next search
    };
    // Blocks shorter than this clear their keys one position at a time.
    static constexpr uint32_t kWalkToClear = kKeyCount / 16;

    // Takes the queued entry number index out of its key's count if it lies outside the
    // window of a search at pos; returns 1 if it did. A number past the queue's end
    // leaves nothing; its slot still names some key, which loses 0.
    uint32_t Leave(uint32_t index, uint32_t pos) {
        const uint32_t slot = index & (kEntryRing - 1);
        const uint32_t leaves = (index - m_nFirstEntry < m_nEndEntry - m_nFirstEntry) & (m_entries[slot] + kWindow < pos);
        m_keys[m_entryKeys[slot]].nInWindow -= uint16_t(leaves);
        return leaves;
    }

    KeyState m_keys[kKeyCount] = {};
    uint32_t m_heads[1u << kHashBits] = {};  // newest position of each hash of three bytes
    uint32_t m_chain[kRingSize] = {};     // at a position: the next older one of its hash
    uint16_t m_serials[kRingSize] = {};   // at a position: its serial under its key
    uint32_t m_entries[kEntryRing] = {};  // entries in the window, oldest first
    uint16_t m_entryKeys[kEntryRing] = {};  // and their keys
    const uint8_t* m_pData = nullptr;
    uint32_t m_nBase = 0;
    uint32_t m_nNextBase = kRingSize;
    uint32_t m_nFirstEntry = 0;
    uint32_t m_nEndEntry = 0;
    uint32_t m_nLength = 0;
};

// One dictionary per thread is kept between calls so that a block does not pay for
// allocating and clearing the tables. A call takes it out for one block, so a nested
// call on the same thread gets a dictionary of its own, and gives it back empty, even
// when the destination throws.
thread_local std::unique_ptr<PairDictionary> t_pSpareDictionary;

class DictionaryLease {
public:
    // data (length bytes) must outlive the lease.
    DictionaryLease(const uint8_t* data, uint32_t length) : m_pDictionary(std::move(t_pSpareDictionary)) {
        if (!m_pDictionary)
            m_pDictionary.reset(new PairDictionary());
        m_pDictionary->Begin(data, length);
    }
    ~DictionaryLease() {
        m_pDictionary->End();
        t_pSpareDictionary = std::move(m_pDictionary);
    }
    DictionaryLease(const DictionaryLease&) = delete;
    DictionaryLease& operator=(const DictionaryLease&) = delete;

    PairDictionary& operator*() { return *m_pDictionary; }

private:
    std::unique_ptr<PairDictionary> m_pDictionary;
};

// Group bytes. Not a character type, so that storing one does not make the compiler
// assume any other state may have changed.
enum class GroupByte : uint8_t {};

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
        m_buffer[m_nEnd++] = GroupByte(byte);
        NextItem();
    }

    void Match(uint32_t distance, uint32_t length) {
        m_buffer[m_nGroup] = GroupByte(uint8_t(m_buffer[m_nGroup]) | 0x80u >> m_nItems);
        m_buffer[m_nEnd] = GroupByte(distance >> 4);
        m_buffer[m_nEnd + 1] = GroupByte((distance & 15) << 4 | (length - 2));
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
        m_buffer[m_nEnd++] = GroupByte(0);
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
    std::vector<GroupByte> m_buffer;
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

// The items of a block of n bytes; false when the callback cancels. kThorough enters
// every position covered by a match.
template <bool kThorough>
bool CompressGroups(const uint8_t* data, uint32_t n, PairDictionary& dictionary, GroupWriter& writer,
                    ProgressCallback callback, void* user) {
    int64_t nextReport = callback ? ReportThreshold(1, n) : INT64_MAX;
    uint32_t pos = 0;
    while (pos + 1 < n) {
        if (pos >= nextReport) {
            int32_t percent = int32_t(int64_t(pos) * 100 / (int64_t(n) + 1));
            nextReport = ReportThreshold(percent + 1, n);
            writer.WriteWholeGroups();
            if (callback(percent, user) == 0)
                return false;
        }
        if (pos >= 2)
            dictionary.Enter<kThorough>(pos - 1);
        // The last two bytes are never covered by a match.
        uint32_t endCap = n - 2 - pos;
        if (endCap > kMaxMatch)
            endCap = kMaxMatch;
        PairDictionary::Match match = dictionary.Search<kThorough>(pos, endCap);
        if (match.nLength >= kMinMatch) {
            writer.Match(match.nDistance, match.nLength);
            if (kThorough) {
                for (uint32_t q = pos, last = pos + match.nLength - 2; q <= last; ++q)
                    dictionary.Enter<kThorough>(q);
            }
            pos += match.nLength;
        } else {
            writer.Literal(data[pos]);
            ++pos;
        }
        if (!kThorough)
            dictionary.Retire(pos, match.nLength < kMinMatch);
    }
    if (pos < n)
        writer.Literal(data[pos]);
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

    std::unique_ptr<uint8_t[]> buffer(new uint8_t[size_t(length) + kDataSlack]);
    std::memset(buffer.get() + length, 0, kDataSlack);
    if (!ReadAll(source, buffer.get(), length))
        return -1;
    const uint8_t* data = buffer.get();

    DictionaryLease lease(data, length);
    PairDictionary& dictionary = *lease;
    GroupWriter writer(destination, int64_t(length) + length / 8);
    bool done = thorough ? CompressGroups<true>(data, length, dictionary, writer, callback, user)
                         : CompressGroups<false>(data, length, dictionary, writer, callback, user);
    if (!done) {
        callback(-1, user);
        return -1;
    }
    const int64_t packed = writer.Finish();

    const uint32_t end = destination.GetPosition();
    destination.Seek(sizeField, ByteStream::kBegin);
    WriteInt32(destination, int32_t(packed));
    destination.Seek(end, ByteStream::kBegin);
    if (callback)
        callback(-1, user);
    return int32_t(packed + 8);
}
