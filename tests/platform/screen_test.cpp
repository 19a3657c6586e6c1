// Windows brought back onto a monitor.
#include "platform/screen.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

struct Fit {
    const char* what;
    TRect rect;
    std::vector<TRect> monitors;
    TRect expected;
};

bool operator==(const TRect& a, const TRect& b)
{
    return a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom;
}

const TRect LEFT { 0, 0, 1920, 1080 };
const TRect RIGHT { 1920, 0, 3200, 1024 };

TEST(FitRectToMonitors, MovesOntoTheNearestMonitorAndShrinksToIt)
{
    const Fit fits[] = {
        { "inside stays", { 100, 100, 500, 400 }, { LEFT, RIGHT }, { 100, 100, 500, 400 } },
        { "nearest wins", { 3000, 900, 3400, 1200 }, { LEFT, RIGHT }, { 2800, 724, 3200, 1024 } },
        { "left of everything", { -500, 10, -100, 110 }, { LEFT, RIGHT }, { 0, 10, 400, 110 } },
        { "larger than the monitor", { -50, -50, 2000, 1200 }, { LEFT }, { 0, 0, 1920, 1080 } },
        { "equal distances: the first", { 1800, 0, 2040, 100 }, { LEFT, RIGHT }, { 1680, 0, 1920, 100 } },
        { "no monitors", { 5, 6, 7, 8 }, {}, { 5, 6, 7, 8 } },
        { "a huge Left", { INT_MAX - 100, 0, INT_MAX, 100 }, { LEFT }, { 1820, 0, 1920, 100 } },
        { "unplugged monitor", { 4000, 200, 4453, 528 }, { LEFT }, { 1467, 200, 1920, 528 } },
    };
    for (const Fit& f : fits) {
        SCOPED_TRACE(f.what);
        const TRect got = FitRectToMonitors(f.rect, f.monitors);
        EXPECT_TRUE(got == f.expected) << got.Left << "," << got.Top << "," << got.Right << "," << got.Bottom;
    }
}

} // namespace
