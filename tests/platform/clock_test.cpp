#include "platform/clock.h"

#include <gtest/gtest.h>

TEST(ProgramClock, DifferencesSurviveTheWrap)
{
    SetProgramClock(3);
    EXPECT_EQ(TmrNow(), 150);
    int32_t before = TmrNow();
    SetProgramClock(10);
    EXPECT_EQ(TmrSince(before), 350);

    // 85899345 ticks x 50 passes 2^32: the clock wraps, the difference does not.
    SetProgramClock(85899340);
    int32_t nearWrap = TmrNow();
    SetProgramClock(85899350);
    EXPECT_EQ(TmrSince(nearWrap), 500);
    EXPECT_EQ(TmrDiff(INT32_MIN, INT32_MAX), 1);
    SetProgramClock(0);
}
