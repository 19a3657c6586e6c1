// The monitor window's sizing rules: the aspect lock of read-only mode, the
// limits of edit mode and the requests that are refused.
#include "monitor/monitorsizing.h"

#include <gtest/gtest.h>

namespace {

// A window of 300 x 116 without frame showing its base size 300 x 100 above
// the 16-pixel bar, at rest since the last tick.
MonitorSizing AtRest(int mode = MODE_READ_ONLY)
{
    MonitorSizing s;
    s.mode = mode;
    s.windowWidth = s.idleWidth = 300;
    s.windowHeight = s.idleHeight = 116;
    s.placeWidth = s.origWidth = 300;
    s.placeHeight = s.origHeight = 100;
    return s;
}

struct Request {
    const char* what;
    MonitorSizing state;
    int width, height;
    bool passes;
    int wantWidth, wantHeight;
};

TEST(CanResize, CorrectsOrRefusesEachRequest)
{
    MonitorSizing dragged = AtRest();
    dragged.windowWidth = 360;
    dragged.windowHeight = 136;
    dragged.placeWidth = 360;
    dragged.placeHeight = 120;
    MonitorSizing noBase = AtRest();
    noBase.origHeight = 0;
    MonitorSizing edit = AtRest(MODE_EDIT);
    edit.extentRight = 350;
    edit.extentBottom = 150;
    MonitorSizing framed = AtRest();
    framed.windowWidth = framed.idleWidth = 310;
    framed.windowHeight = framed.idleHeight = 146;

    const Request requests[] = {
        { "right edge: the height follows, truncated", AtRest(), 400, 116, true, 400, 149 },
        { "bottom edge: the width follows", AtRest(), 300, 216, true, 600, 216 },
        { "corner: the width leads", AtRest(), 360, 200, true, 360, 136 },
        { "smaller than the least place", AtRest(), 100, 116, true, 200, 82 },
        { "larger than the surface", AtRest(), 2000, 116, true, 1280, 442 },
        { "a frame counts in the window, not in the place", framed, 410, 146, true, 410, 179 },
        { "no change at all", AtRest(), 300, 116, false, 300, 116 },
        { "back to the size before the drag", dragged, 300, 116, false, 300, 116 },
        { "no base size: as asked", noBase, 500, 130, true, 500, 130 },
        { "edit: the widgets stay visible", edit, 250, 100, true, 350, 182 },
        { "edit: within the limits as asked", edit, 400, 200, true, 400, 200 },
        { "edit: at most the surface", edit, 1500, 1500, true, 1280, 1040 },
        { "loading: the least place only", AtRest(MODE_LOADING), 100, 20, true, 200, 51 },
        { "switching: anything", AtRest(MODE_SWITCHING), 10, 10, true, 10, 10 },
    };
    for (const Request& r : requests) {
        SCOPED_TRACE(r.what);
        int w = r.width, h = r.height;
        EXPECT_EQ(CanResize(r.state, w, h), r.passes);
        if (r.passes) {
            EXPECT_EQ(w, r.wantWidth);
            EXPECT_EQ(h, r.wantHeight);
        }
    }
}

} // namespace
