#pragma once
// Builds live answers as the unit sends them: byte k and word k numbered from
// 1 as the block is, words high byte first on the wire.

#include <array>
#include <cstdint>
#include <vector>

#include "monitor/live.h"

struct LiveSet {
    char kind; // 'B' a single byte (B1, B162..B300), 'W' a word
    int k;
    int value;
};

inline std::array<uint8_t, LIVE_BLOCK_LEN> WireAnswer(const std::vector<LiveSet>& sets)
{
    std::array<uint8_t, LIVE_BLOCK_LEN> wire {};
    for (const LiveSet& s : sets) {
        if (s.kind == 'W') {
            wire[size_t(2 * s.k - 1)] = uint8_t(s.value >> 8);
            wire[size_t(2 * s.k)] = uint8_t(s.value);
        } else {
            wire[size_t(s.k - 1)] = uint8_t(s.value);
        }
    }
    return wire;
}

// The held block after the link's swap and store.
inline LiveBlock ReceivedBlock(const std::vector<LiveSet>& sets)
{
    std::array<uint8_t, LIVE_BLOCK_LEN> wire = WireAnswer(sets);
    SwapLiveWords(wire);
    LiveBlock block;
    StoreLiveAnswer(block, wire);
    return block;
}
