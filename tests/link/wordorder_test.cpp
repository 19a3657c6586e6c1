#include "link/wordorder.h"

#include <gtest/gtest.h>

#include <vector>

TEST(SwapWordBytes, SwapsOnlyWordsInsideTheByteRange)
{
    struct Case {
        int first, last, start, end;
        int swappedFrom, swappedTo; // words expected swapped, inclusive; from > to: none
    } cases[] = {
        { 0, 1199, -1, -1, 0, 1199 },
        { 0, 1199, 0, 1200, 0, 599 },
        { 0, 1199, 3600, 4800, 1, 0 },
        { 0, 1199, 300, 900, 150, 449 },
        { 2323, 2332, 0, 4800, 2323, 2332 },
        { 2323, 2332, 4650, 4800, 2325, 2332 },
        { 10, 20, 5, -1, 10, 20 },
        { 0, 20, 7, 17, 4, 7 }, // odd bounds: no word that sticks out of the range
        { 5, 4, -1, -1, 1, 0 },
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> buffer(4800);
        for (size_t i = 0; i < buffer.size(); ++i)
            buffer[i] = uint8_t(i * 7 + 3);
        SwapWordBytes(buffer.data(), c.first, c.last, c.start, c.end);
        for (int k = 0; k < 2400; ++k) {
            const bool swapped = k >= c.swappedFrom && k <= c.swappedTo;
            const uint8_t lo = uint8_t(2 * k * 7 + 3), hi = uint8_t((2 * k + 1) * 7 + 3);
            ASSERT_EQ(buffer[2 * k], swapped ? hi : lo) << "case " << c.first << ".." << c.last << " word " << k;
            ASSERT_EQ(buffer[2 * k + 1], swapped ? lo : hi) << "word " << k;
        }
    }
}
