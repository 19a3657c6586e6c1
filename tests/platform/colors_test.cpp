#include "platform/colors.h"

#include <gtest/gtest.h>

#include <ios>

TEST(ScaleColor, ScalesEachChannelAndCarriesOverflow)
{
    struct Case {
        uint32_t colour;
        double red, green, blue;
        uint32_t expected;
    } cases[] = {
        { 0x204080, 2, 2, 2, 0x408100 }, // red 256 carries into green
        { 0xFFFFFF, 0.5, 0.5, 0.5, 0x7F7F7F }, { 0x030303, 0.9, 1.0, 0.0, 0x000302 }, // 2.7 truncated toward zero
        { 0xC0FFEE, 1, 1, 1, 0xC0FFEE }, { 0x0000FF, 1, 0, 0, 0x0000FF }, { 0x00FF00, 0, 2, 0, 0x01FE00 },
        { 0xFF0000, 0, 0, 2, 0x1FE0000 }, // blue overflows above the colour bits
    };
    for (const Case& c : cases)
        EXPECT_EQ(ScaleColor(c.colour, c.red, c.green, c.blue), c.expected) << std::hex << c.colour;
}
