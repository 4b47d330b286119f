#include "tests/codec/reference_codec.h"

#include <list>

namespace {

int32_t Load32(const uint8_t* p) {
    return int32_t(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24);
}

void Store32(std::vector<uint8_t>& out, size_t at, int32_t value) {
    for (int i = 0; i < 4; ++i)
        out[at + i] = uint8_t(uint32_t(value) >> (8 * i));
}

class Dictionary {
public:
    Dictionary() : m_lists(65536), m_counts(65536, 0) {}

    void Enter(const std::vector<uint8_t>& data, int64_t p) {
        int key = data[p] * 256 + data[p + 1];
        std::list<int64_t>& list = m_lists[key];
        if (m_counts[key] == 254) {
            list.resize(160);
            m_counts[key] = 160;
        }
        list.push_front(p);
        ++m_counts[key];
    }

    void Search(const std::vector<uint8_t>& data, int64_t pos, int& best, int& distance) {
        int64_t n = int64_t(data.size());
        int key = data[pos] * 256 + data[pos + 1];
        std::list<int64_t>& list = m_lists[key];
        best = 0;
        distance = 0;
        for (auto it = list.begin(); it != list.end(); ++it) {
            int64_t p = *it;
            if (p < pos - 4095) {
                m_counts[key] = uint16_t(m_counts[key] - std::distance(it, list.end()));
                list.erase(it, list.end());
                return;
            }
            int length = 0;
            for (int j = 2;; ++j) {
                if (!(pos + j < n - 1) || !(p + j < pos)) {
                    length = j - 1;
                    break;
                }
                if (data[p + j] != data[pos + j]) {
                    length = j;
                    break;
                }
                if (j == 17) {
                    length = 17;
                    break;
                }
            }
            if (length > best) {
                best = length;
                distance = int(pos - p);
                if (length == 17)
                    return;
            }
        }
    }

private:
    std::vector<std::list<int64_t>> m_lists;
    std::vector<uint16_t> m_counts;
};

}  // namespace

std::vector<uint8_t> ReferenceCompress(const std::vector<uint8_t>& data, bool thorough,
                                       std::vector<ReferenceReport>* reports) {
    int64_t n = int64_t(data.size());
    std::vector<uint8_t> out(8, 0);
    Store32(out, 0, int32_t(n));
    Dictionary dictionary;
    std::vector<uint8_t> group(1, 0);
    int items = 0;
    auto endItem = [&]() {
        if (++items == 8) {
            out.insert(out.end(), group.begin(), group.end());
            group.assign(1, 0);
            items = 0;
        }
    };
    int32_t lastPercent = 0;
    int64_t pos = 0;
    while (pos < n - 1) {
        int32_t percent = int32_t(pos * 100 / (n + 1));
        if (percent != lastPercent) {
            lastPercent = percent;
            if (reports)
                reports->push_back({percent, out.size() - 8});
        }
        if (pos >= 2)
            dictionary.Enter(data, pos - 1);
        int best, distance;
        dictionary.Search(data, pos, best, distance);
        if (best >= 3) {
            group[0] |= uint8_t(0x80 >> items);
            group.push_back(uint8_t(distance >> 4));
            group.push_back(uint8_t((distance & 15) << 4 | (best - 2)));
            if (thorough) {
                for (int64_t q = pos; q <= pos + best - 2; ++q)
                    dictionary.Enter(data, q);
            }
            pos += best;
        } else {
            group.push_back(data[pos]);
            ++pos;
        }
        endItem();
    }
    if (pos < n) {
        group.push_back(data[pos]);
        endItem();
    }
    if (items > 0)
        out.insert(out.end(), group.begin(), group.end());
    Store32(out, 4, int32_t(out.size() - 8));
    return out;
}

std::optional<std::vector<uint8_t>> ReferenceExpand(const std::vector<uint8_t>& stream) {
    if (stream.size() < 8)
        return std::nullopt;
    int64_t size = Load32(stream.data());
    int64_t packed = Load32(stream.data() + 4);
    if (size < 0 || packed < 0 || size > 8 * packed || 8 + packed > int64_t(stream.size()))
        return std::nullopt;
    const uint8_t* groups = stream.data() + 8;
    std::vector<uint8_t> out(size_t(size), 0);
    int64_t produced = 0;
    for (int64_t at = 0; at < packed;) {
        uint8_t flag = groups[at];
        int64_t itemBytes = 0;
        for (int bit = 0; bit < 8; ++bit)
            itemBytes += (flag >> bit & 1) ? 2 : 1;
        int64_t present = std::min(itemBytes, packed - at - 1);
        const uint8_t* items = groups + at + 1;
        int64_t i = 0;
        for (int bit = 7; bit >= 0 && i < present && produced < size; --bit) {
            if (!(flag >> bit & 1)) {
                out[size_t(produced++)] = items[i++];
                continue;
            }
            if (i + 1 >= present)
                return std::nullopt;
            int64_t distance = items[i] * 16 + (items[i + 1] >> 4);
            int64_t length = (items[i + 1] & 15) + 2;
            i += 2;
            if (distance > produced || produced + length > size)
                return std::nullopt;
            std::vector<uint8_t> moved(out.begin() + (produced - distance),
                                       out.begin() + (produced - distance + length));
            std::copy(moved.begin(), moved.end(), out.begin() + produced);
            produced += length;
        }
        at += 1 + itemBytes;
    }
    return out;
}
