#pragma once
// The unit's parameter image: 4800 bytes at fixed offsets, also read as 2400
// 16-bit words, low byte first in every copy the PC holds. The unit itself
// keeps words 0..1199 and 2323..2332 high byte first; the link swaps them.

#include <array>
#include <cstdint>
#include <cstring>

constexpr int RS_LEN_EXE = 4800;  // bytes in the image
constexpr int RS_WORDS = RS_LEN_EXE / 2;
constexpr int RSKEY = 308;        // layout key of the image
constexpr int COMMAXBUF = 8000;   // size of the link's transmit and receive images

struct RsImage {
    std::array<uint8_t, RS_LEN_EXE> b{};

    uint8_t* data() { return b.data(); }
    const uint8_t* data() const { return b.data(); }

    uint16_t Word(int k) const { return uint16_t(b[size_t(2 * k)] | (b[size_t(2 * k + 1)] << 8)); }
    void SetWord(int k, uint16_t v)
    {
        b[size_t(2 * k)] = uint8_t(v);
        b[size_t(2 * k + 1)] = uint8_t(v >> 8);
    }
    void Fill(uint8_t v) { b.fill(v); }

    bool operator==(const RsImage&) const = default;
};
