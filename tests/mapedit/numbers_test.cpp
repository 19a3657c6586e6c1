#include "mapedit/numbers.h"

#include <gtest/gtest.h>

#include <vector>

TEST(FormatNumber, GroupsDecimalsAndUnits)
{
    struct Case {
        int32_t raw;
        double scale;
        const char* unit;
        bool show;
        const char* text;
    } cases[] = {
        { 12345, 1.0, nullptr, false, "12 345" },
        { -1234, 0.1, nullptr, false, "-123.4" },
        { -123456, 1.0, nullptr, false, "-123 456" },
        { -123, 1.0, nullptr, false, "-123" },
        { 1500, 0.01, nullptr, false, "15" },
        { 100, 100.0, "rpm", true, "10 000 rpm" },
        { 100, 100.0, "rpm", false, "10 000" },
        { 5, 0.1, nullptr, false, "0.5" },
        { 7, 0.5, nullptr, false, "3.5" },
        { 123, 0.05, nullptr, false, "6.15" },
        { 1234567, 0.01, "ms", true, "12 345.67 ms" },
        { 1000, 1.0, "", true, "1 000 " },
        { 0, 1.0, nullptr, false, "0" },
        { 123, 1.0, nullptr, false, "123" },
        { 1234, 1.0, nullptr, false, "1 234" },
        { 2147483647, 1.0, nullptr, false, "2 147 483 647" },
        { -2147483647 - 1, 1.0, nullptr, false, "-2 147 483 648" },
        { 3, 0.0, nullptr, false, "0" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatNumber(c.raw, c.scale, c.unit, c.show), c.text) << c.raw << " x " << c.scale;
}

TEST(InterpolateBilinear, WeightsClampedAndRoundedHalfAwayFromZero)
{
    struct Case {
        int32_t x, y, x0, y0, x1, y1, z00, z01, z10, z11, expected;
    } cases[] = {
        { 5, 0, 0, 0, 10, 10, 0, 0, 10, 10, 5 }, // halfway along x
        { -5, 0, 0, 0, 10, 10, 7, 9, 100, 100, 7 }, // left of x0: the x0 column
        { 50, 10, 0, 0, 10, 10, 7, 9, 100, 200, 200 },
        { 3, 3, 5, 0, 5, 10, 10, 10, 20, 20, 15 }, // zero x span: mean of the columns
        { 1, 0, 0, 0, 2, 0, 0, 0, 1, 1, 1 }, // 0.5 rounds up
        { 1, 0, 0, 0, 2, 0, 0, 0, -1, -1, -1 }, // -0.5 rounds away from zero
        { 1, 0, 0, 0, 4, 0, 0, 0, -2, -2, -1 }, // -0.5 again
        { 1, 0, 0, 0, 3, 0, 0, 0, -2, -2, -1 }, // -0.67
        { 1, 1, 0, 0, 2, 2, 0, 10, 20, 30, 15 },
        { 2147483647, 0, -2147483647 - 1, 0, 2147483647, 0, -5, -5, 9, 9, 9 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(InterpolateBilinear(c.x, c.y, c.x0, c.y0, c.x1, c.y1, c.z00, c.z01, c.z10, c.z11), c.expected)
            << c.x << "," << c.y;
}

TEST(InterpolateBlock, FillsBetweenTheCornersByIndexOrPosition)
{
    // One row: the ends stay, the cells between follow a line.
    std::vector<int32_t> row { 0, 99, 99, 99, 30, 77 };
    InterpolateBlock(row.data(), 6, nullptr, nullptr, 0, 0, 4, 0);
    EXPECT_EQ(row, (std::vector<int32_t> { 0, 8, 15, 23, 30, 77 }));

    // Placed by breakpoint values instead of index.
    std::vector<int32_t> placed { 0, 99, 100 };
    const int32_t xs[] = { 0, 90, 100 };
    InterpolateBlock(placed.data(), 3, xs, nullptr, 0, 0, 2, 0);
    EXPECT_EQ(placed, (std::vector<int32_t> { 0, 90, 100 }));

    // A 3 x 3 block with stride 4: the centre is the mean of the corners.
    std::vector<int32_t> t { 0, 0, 40, -1, 0, 0, 0, -1, 80, 0, 120, -1 };
    InterpolateBlock(t.data(), 4, nullptr, nullptr, 0, 0, 2, 2);
    EXPECT_EQ(t, (std::vector<int32_t> { 0, 20, 40, -1, 40, 60, 80, -1, 80, 100, 120, -1 }));

    // Equal positions count as a zero span (0.5); negative corners do nothing.
    std::vector<int32_t> flat { 10, 0, 30 };
    const int32_t same[] = { 5, 5, 5 };
    InterpolateBlock(flat.data(), 3, same, nullptr, 0, 0, 2, 0);
    EXPECT_EQ(flat, (std::vector<int32_t> { 20, 20, 20 }));
    InterpolateBlock(flat.data(), 3, nullptr, nullptr, -1, 0, 2, 0);
    EXPECT_EQ(flat, (std::vector<int32_t> { 20, 20, 20 }));
}
