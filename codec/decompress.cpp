// The block decompressor: the groups are read in chunks, expanded in memory and the
// result is written to the destination with one write.
#include "codec/decompress.h"

#include "package/block_header.h"

#include <cstring>
#include <memory>
#include <new>

namespace {

constexpr uint32_t kMaxGroupSize = 17;     // flag byte and 8 two-byte matches
constexpr uint32_t kMaxGroupOutput = 136;  // 8 matches of 17 bytes
// No group yields more than 8 output bytes per group byte (136 from 17, 17 from the
// 3 bytes of a one-match group), so C bytes never expand to more than 8 × C.
constexpr int64_t kMaxExpansion = 8;
constexpr uint32_t kChunkSize = 64 * 1024;
// Room behind the data and the output for the whole-word copies of the fast path.
constexpr uint32_t kSlack = 32;

enum class Outcome { kDone, kCancelled, kDamaged };

// Bytes of a whole group with a given flag byte: the flag, 8 items, one more byte per
// match. A table, because the processors the programs are built for need not count
// bits in one instruction.
struct GroupSizes {
    uint8_t bytes[256];
    constexpr GroupSizes() : bytes() {
        for (uint32_t flag = 0; flag < 256; ++flag) {
            uint32_t size = 9;
            for (uint32_t bit = 0x80; bit != 0; bit >>= 1)
                size += (flag & bit) ? 1 : 0;
            bytes[flag] = uint8_t(size);
        }
    }
};
constexpr GroupSizes kGroupSizes;
static_assert(kGroupSizes.bytes[0x00] == 9 && kGroupSizes.bytes[0xA5] == 13 && kGroupSizes.bytes[0xFF] == kMaxGroupSize,
              "a group has its flag byte, 8 items and one more byte per match");

inline void Copy8(uint8_t* to, const uint8_t* from) {
    uint64_t v;
    std::memcpy(&v, from, 8);
    std::memcpy(to, &v, 8);
}

inline void Copy16(uint8_t* to, const uint8_t* from) {
    uint64_t a, b;
    std::memcpy(&a, from, 8);
    std::memcpy(&b, from + 8, 8);
    std::memcpy(to, &a, 8);
    std::memcpy(to + 8, &b, 8);
}

// A match as the block move it is defined to be: the first D bytes repeat what was
// produced, the rest of a match with D < N comes from the part of the output not yet
// produced, which is zero.
inline void CopyMatchExact(uint8_t* to, uint32_t distance, uint32_t length) {
    uint32_t copied = distance < length ? distance : length;
    std::memcpy(to, to - distance, copied);
    std::memset(to + copied, 0, length - copied);
}

// The group data of one block, read from the source in chunks and never beyond the
// block's C bytes.
class GroupReader {
public:
    GroupReader(ByteStream& source, uint32_t size)
        : m_source(source), m_nUnread(size),
          m_nCapacity((size < kChunkSize ? size : kChunkSize) + kMaxGroupSize) {}

    bool Allocate() {
        m_pBuffer.reset(new (std::nothrow) uint8_t[m_nCapacity + kSlack]());
        return m_pBuffer != nullptr;
    }

    // Makes a whole group available, or the rest of the block when less is left.
    // False when the source ends before the block does.
    bool Fill() {
        if (m_nEnd - m_nPos >= kMaxGroupSize || m_nUnread == 0)
            return true;
        uint32_t kept = m_nEnd - m_nPos;
        std::memmove(m_pBuffer.get(), m_pBuffer.get() + m_nPos, kept);
        m_nPos = 0;
        m_nEnd = kept;
        uint32_t want = m_nCapacity - m_nEnd;
        if (want > m_nUnread)
            want = m_nUnread;
        while (want > 0) {
            uint32_t got = m_source.Read(m_pBuffer.get() + m_nEnd, want);
            if (got == 0)
                return false;
            m_nEnd += got;
            m_nUnread -= got;
            want -= got;
        }
        return true;
    }

    const uint8_t* Data() const { return m_pBuffer.get() + m_nPos; }
    uint32_t Available() const { return m_nEnd - m_nPos; }
    void Skip(uint32_t count) { m_nPos += count; }

private:
    ByteStream& m_source;
    uint32_t m_nUnread;
    uint32_t m_nCapacity;
    std::unique_ptr<uint8_t[]> m_pBuffer;
    uint32_t m_nPos = 0;
    uint32_t m_nEnd = 0;
};

class BlockExpander {
public:
    BlockExpander(uint8_t* output, uint32_t size) : m_pOut(output), m_nSize(size) {}

    uint32_t Produced() const { return m_nOut; }

    // Any other group: items stop when the output is full or the group's bytes in the
    // block run out; every copy is exact.
    bool CarefulGroup(const uint8_t* group, uint32_t itemBytes) {
        const uint8_t* in = group + 1;
        uint32_t i = 0;
        for (uint32_t bit = 0x80; bit != 0 && i < itemBytes && m_nOut < m_nSize; bit >>= 1) {
            if (!(group[0] & bit)) {
                m_pOut[m_nOut++] = in[i++];
                continue;
            }
            if (i + 1 >= itemBytes)
                return false;
            uint32_t distance = uint32_t(in[i]) << 4 | in[i + 1] >> 4;
            uint32_t length = (in[i + 1] & 15u) + 2;
            i += 2;
            if (distance > m_nOut || length > m_nSize - m_nOut)
                return false;
            CopyMatchExact(m_pOut + m_nOut, distance, length);
            m_nOut += length;
        }
        return true;
    }

    static constexpr uint32_t kDamaged = UINT32_MAX;

    // Expands whole groups from data while each lies in the buffer and in the block
    // (left bytes) and cannot reach the output's end, up to the first group at or past
    // stopAt. Returns the bytes used, or kDamaged.
    uint32_t FastGroups(const uint8_t* data, uint32_t available, uint32_t left, uint32_t stopAt) {
        uint32_t at = 0;
        while (at < stopAt && available - at >= kMaxGroupSize && m_nSize - m_nOut >= kMaxGroupOutput) {
            uint32_t size = kGroupSizes.bytes[data[at]];
            if (size > left - at)
                break;
            if (!FastGroup(data + at))
                return kDamaged;
            at += size;
        }
        return at;
    }

private:
    // A group that lies whole in the data and cannot reach the output's end: items are
    // copied with whole-word moves that may write past them into the slack.
    bool FastGroup(const uint8_t* group) {
        // Locals, not members: the byte stores below could otherwise alias them.
        uint8_t* const output = m_pOut;
        uint32_t out = m_nOut;
        const uint8_t* in = group + 1;
        uint32_t bits = uint32_t(group[0]) << 24;
        uint32_t items = 8;
        while (items > 0) {
            if (!(bits & 0x80000000u)) {
                uint32_t run = bits ? uint32_t(__builtin_clz(bits)) : 32;
                if (run > items)
                    run = items;
                Copy8(output + out, in);
                out += run;
                in += run;
                bits <<= run;
                items -= run;
                continue;
            }
            uint32_t distance = uint32_t(in[0]) << 4 | in[1] >> 4;
            uint32_t length = (in[1] & 15u) + 2;
            in += 2;
            bits <<= 1;
            --items;
            if (distance > out)
                return false;
            uint8_t* to = output + out;
            if (distance >= length) {
                // Reads only produced bytes; anything copied past length lands in
                // bytes not produced yet.
                Copy16(to, to - distance);
                to[16] = (to - distance)[16];
            } else {
                CopyMatchExact(to, distance, length);
            }
            out += length;
        }
        m_nOut = out;
        return true;
    }

    uint8_t* m_pOut;
    uint32_t m_nSize;
    uint32_t m_nOut = 0;
};

// The smallest count of consumed bytes at which the percentage reaches percent.
inline int64_t ReportThreshold(int32_t percent, int32_t packed) {
    return (int64_t(percent) * (int64_t(packed) + 1) + 99) / 100;
}

}  // namespace

int32_t DecompressBlock(ByteStream& source, ByteStream& destination, ProgressCallback callback, void* user) {
    BlockHeader header;
    if (!ReadBlockHeader(source, header))
        return -1;
    const int32_t size = header.nUncompressed;
    const int32_t packed = header.nCompressed;
    const uint32_t start = source.GetPosition();
    const int64_t end = int64_t(start) + packed;

    auto finish = [&](int32_t result) {
        if (callback)
            callback(-1, user);
        return result;
    };
    auto damaged = [&]() {
        source.Seek(end, ByteStream::kBegin);
        return finish(-1);
    };

    // Checked before anything is allocated or written: the sizes must fit each other
    // and the data must be there.
    if (packed < 0 || end > int64_t(UINT32_MAX))
        return finish(-1);
    if (size < 0 || int64_t(size) > kMaxExpansion * packed || end > int64_t(source.GetLength()))
        return damaged();

    std::unique_ptr<uint8_t[]> output(new (std::nothrow) uint8_t[uint32_t(size) + kSlack]);
    GroupReader reader(source, uint32_t(packed));
    if (!output || !reader.Allocate())
        return damaged();

    BlockExpander expander(output.get(), uint32_t(size));
    uint32_t consumed = 0;
    int64_t nextReport = callback ? ReportThreshold(1, packed) : INT64_MAX;
    Outcome outcome = Outcome::kDone;
    while (consumed < uint32_t(packed)) {
        if (consumed >= nextReport) {
            int32_t percent = int32_t(int64_t(consumed) * 100 / (int64_t(packed) + 1));
            nextReport = ReportThreshold(percent + 1, packed);
            if (callback(percent, user) == 0) {
                outcome = Outcome::kCancelled;
                break;
            }
        }
        if (!reader.Fill()) {
            outcome = Outcome::kDamaged;
            break;
        }
        const uint8_t* groups = reader.Data();
        const uint32_t left = uint32_t(packed) - consumed;
        const int64_t untilReport = nextReport - consumed;
        uint32_t used = expander.FastGroups(groups, reader.Available(), left,
                                            untilReport < left ? uint32_t(untilReport) : left);
        if (used == 0) {
            // The block's last groups, or the output's last bytes.
            used = kGroupSizes.bytes[groups[0]];
            if (used > left)
                used = left;
            if (!expander.CarefulGroup(groups, used - 1))
                used = BlockExpander::kDamaged;
        }
        if (used == BlockExpander::kDamaged) {
            outcome = Outcome::kDamaged;
            break;
        }
        reader.Skip(used);
        consumed += used;
    }

    if (outcome == Outcome::kCancelled) {
        // The destination already has its length U, as if it had been set before the
        // expansion began; the source stands where reading group by group would have
        // left it, at the group not read.
        output.reset();
        destination.SetLength(uint32_t(size));
        destination.Seek(0, ByteStream::kBegin);
        source.Seek(int64_t(start) + consumed, ByteStream::kBegin);
        return finish(-1);
    }
    if (outcome == Outcome::kDamaged)
        return damaged();

    uint32_t produced = expander.Produced();
    std::memset(output.get() + produced, 0, uint32_t(size) - produced);
    destination.SetLength(uint32_t(size));
    destination.Seek(0, ByteStream::kBegin);
    destination.Write(output.get(), uint32_t(size));
    destination.Flush();
    output.reset();
    source.Seek(end, ByteStream::kBegin);
    return finish(size);
}
