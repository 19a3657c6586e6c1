#include "mapedit/tabbuttons.h"

#include <gtest/gtest.h>

namespace {

// A horizontal bar 240 pixels long and 20 thick: arrows of 20, a track of 200.
TabScrollBar Bar(int total, int page, int position)
{
    TabScrollBar b;
    b.Horizontal = 1;
    b.Visible = 1;
    b.Rect = { 100, 50, 340, 70 };
    b.Total = total;
    b.Page = page;
    b.Position = position;
    return b;
}

int Hover(TabScrollBar& b, int x)
{
    b.PointerX = x;
    b.PointerY = 60;
    b.PointerMove();
    return b.HoverPart;
}

} // namespace

TEST(TabScrollBar, ThumbGeometry)
{
    struct Case {
        int total, page, position, length, offset;
    } cases[] = {
        { 20, 10, 0, 100, 0 },
        { 20, 10, 10, 100, 100 },
        { 20, 10, 5, 100, 50 },
        { 20, 10, 99, 100, 100 }, // held to the end of the track
        { 1000, 10, 0, 10, 0 }, // never shorter than 10
        { 1000, 10, 495, 10, 95 },
        { 10, 10, 0, 200, 0 }, // nothing to scroll: no division by zero
        { 0, 0, 0, 10, 0 },
    };
    for (const Case& c : cases) {
        TabScrollBar b = Bar(c.total, c.page, c.position);
        EXPECT_EQ(b.ThumbLength(), c.length) << c.total << "/" << c.page << "@" << c.position;
        EXPECT_EQ(b.ThumbOffset(), c.offset) << c.total << "/" << c.page << "@" << c.position;
    }
    // A bar too short for its arrows has no track; nothing divides by it.
    TabScrollBar tiny = Bar(20, 10, 5);
    tiny.Rect = { 0, 0, 30, 20 };
    tiny.Dragging = 1;
    tiny.PointerX = 25;
    EXPECT_EQ(tiny.PointerMove(), 0);
}

TEST(TabScrollBar, HoverPartsAndPointerResults)
{
    TabScrollBar b = Bar(20, 10, 5); // thumb from 170 to 270
    struct Case {
        int x, part;
    } parts[] = { { 100, SB_FIRST_ARROW }, { 119, SB_FIRST_ARROW }, { 120, SB_TRACK_BEFORE }, { 169, SB_TRACK_BEFORE },
        { 170, SB_THUMB }, { 269, SB_THUMB }, { 270, SB_TRACK_AFTER }, { 319, SB_TRACK_AFTER },
        { 320, SB_SECOND_ARROW }, { 340, SB_SECOND_ARROW }, { 341, 0 } };
    for (const Case& c : parts)
        EXPECT_EQ(Hover(b, c.x), c.part) << c.x;

    EXPECT_EQ(b.PointerDown(), 0); // not over the bar
    Hover(b, 110);
    EXPECT_EQ(b.PointerDown(), SB_USED | SB_MOVED);
    EXPECT_EQ(b.Position, 4);
    EXPECT_EQ(b.PointerUp(), SB_USED | SB_REDRAW);
    EXPECT_EQ(b.PointerUp(), SB_USED);
    b.Position = 0;
    EXPECT_EQ(b.PointerDown(), SB_USED | SB_REDRAW); // already at the start
    b.PointerUp();
    Hover(b, 300);
    EXPECT_EQ(b.PointerDown(), SB_USED | SB_MOVED);
    EXPECT_EQ(b.Position, 9); // a page less one
    // Leaving the bar releases the press.
    b.PointerY = 90;
    EXPECT_EQ(b.PointerMove(), SB_REDRAW);
    EXPECT_EQ(b.PressedPart, 0);
    EXPECT_EQ(b.PointerUp(), 0);
}

TEST(TabScrollBar, ThumbDragFollowsThePointer)
{
    TabScrollBar b = Bar(20, 10, 0);
    Hover(b, 150);
    EXPECT_EQ(b.PointerDown(), SB_USED | SB_REDRAW);
    EXPECT_EQ(b.Dragging, 1);
    b.PointerX = 200; // 50 of 200 pixels: a quarter of the 20 items
    EXPECT_EQ(b.PointerMove(), SB_MOVED);
    EXPECT_EQ(b.Position, 5);
    EXPECT_EQ(b.PointerMove(), 0);
    b.PointerX = 900;
    b.PointerMove();
    EXPECT_EQ(b.Position, 10);
    b.PointerX = -900;
    b.PointerMove();
    EXPECT_EQ(b.Position, 0);
    EXPECT_EQ(b.PointerUp(), SB_USED | SB_REDRAW);
    EXPECT_EQ(b.Dragging, 0);
}

TEST(TabScrollBar, HeldTrackRepeatsFromTheThirdTickAndStopsUnderTheThumb)
{
    TabScrollBar b = Bar(100, 10, 0); // thumb 20 px, a page step of 9
    Hover(b, 300);
    ASSERT_EQ(b.PointerDown(), SB_USED | SB_MOVED);
    std::vector<int> results, positions;
    for (int tick = 0; tick < 12; tick++) {
        results.push_back(b.Step());
        positions.push_back(b.Position);
    }
    EXPECT_EQ(results, (std::vector<int> { 0, 0, 2, 2, 2, 2, 2, 2, 2, 2, 1, 0 }));
    EXPECT_EQ(positions, (std::vector<int> { 9, 9, 18, 27, 36, 45, 54, 63, 72, 81, 81, 81 }));
    EXPECT_EQ(b.PressedPart, 0);

    // An arrow held at the end changes nothing.
    TabScrollBar end = Bar(20, 10, 10);
    Hover(end, 330);
    end.PointerDown();
    for (int tick = 0; tick < 5; tick++)
        EXPECT_EQ(end.Step(), 0);
}
