// Plain, slow models of the block codec, written for clarity and checked against
// the real one: the compressor keeps every dictionary list as explicit entries; the
// expander works item by item in a zero-filled buffer.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

// One progress call of the compressor and the group bytes written before it.
struct ReferenceReport {
    int32_t nPercent;
    size_t nGroupBytes;

    bool operator==(const ReferenceReport& other) const {
        return nPercent == other.nPercent && nGroupBytes == other.nGroupBytes;
    }
};

// The whole block (header and groups); reports, when given, receives every progress
// call except the final -1.
std::vector<uint8_t> ReferenceCompress(const std::vector<uint8_t>& data, bool thorough,
                                       std::vector<ReferenceReport>* reports = nullptr);

// The expanded bytes of the block at the start of stream (which may go on behind the
// block), or nothing when the block is damaged.
std::optional<std::vector<uint8_t>> ReferenceExpand(const std::vector<uint8_t>& stream);
