#include "image/selfcheck.h"

#include <gtest/gtest.h>

namespace {

// Tables that fit: the image's 2400 words and 4800 bytes from 0, the live
// block's 80 words and 300 bytes from 1, bit fields of 8 and 4 bits.
LayoutTables FittingTables()
{
    LayoutTables layout;
    layout.enumerations = {
        { "Adrw", { { 0, 200 }, { 2323, 77 } }, 0, 2400 },
        { "Adrb", { { 4799, 1 }, { 2400, 150 } }, 0, 4800 },
        { "Monw", { { 1, 16 }, { 75, 6 } }, 1, 80 },
        { "Monb", { { 175, 8 }, { 300, 1 } }, 1, 300 },
    };
    layout.bitFieldWidths = { 8, 4 };
    layout.imageLength = 4800;
    layout.linkBufferLength = 8000;
    return layout;
}

} // namespace

TEST(SelfCheck, ExcessIsHowFarTheRunsReachPastTheirArea)
{
    struct Case {
        std::vector<CellSpan> runs;
        int areaFirst, areaCount, excess;
    };
    const Case cases[] = {
        { { { 0, 4800 } }, 0, 4800, 0 },
        { { { 4790, 12 }, { 0, 1 } }, 0, 4800, 2 },
        { { { 1, 80 } }, 1, 80, 0 }, // W1..W80
        { { { 80, 1 } }, 0, 80, 1 }, // W80 in an area counted from 0
        { { { 10, 5 } }, 1, 80, -66 },
        { {}, 1, 300, -300 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(EnumerationExcess(c.runs, c.areaFirst, c.areaCount), c.excess);
    const int bits[] = { 0, 3, 8 };
    EXPECT_EQ(BitFieldWidth(bits), 9);
    const int endedBits[] = { 2, 7, -1, -1 };
    EXPECT_EQ(BitFieldWidth(endedBits), 8);
}

TEST(SelfCheck, FittingTablesPassSilently)
{
    EXPECT_TRUE(SelfCheckMessages(FittingTables()).empty());
}

TEST(SelfCheck, EachMisfitGivesItsMessageInCheckOrder)
{
    LayoutTables layout = FittingTables();
    layout.imageLength = 8001;
    const int wideField[] = { 0, 8 };
    layout.bitFieldWidths.push_back(BitFieldWidth(wideField));
    layout.enumerations[3].runs.push_back({ 300, 3 }); // B300..B302
    layout.enumerations[0].runs.push_back({ 2399, 2 });
    layout.enumerations[1].runs.push_back({ 10, 5 }); // room to spare is fine
    EXPECT_EQ(SelfCheckMessages(layout),
        (std::vector<std::string> {
            "Software error: Enum Adrw to long - 1",
            "Software error: Enum Monb to long - 2",
            "Software error: More then 8 bits in bitfield - 9",
            "Software error: RS_LEN_EXE>COMMAXBUF - 8001>8000",
        }));
}
