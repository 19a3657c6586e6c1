// The monitor group in edit mode: selection, dragging, resizing, the rubber
// band, keys and focus order, driven by pointer and key input.

#include "widgetfixture.h"

#include <vector>

namespace {

class EditGroup : public WidgetGroupTest {
protected:
    void SetUp() override
    {
        WidgetGroupTest::SetUp();
        group.editMode = 1;
    }
};

TEST_F(EditGroup, DragStopsEverySelectedWidgetAtTheEdge)
{
    struct Case {
        const char* what;
        int dx, dy;
        Rect a, b;
    };
    // a at (20, 30) 50 x 20 and b at (300, 200) 60 x 40, dragged by a.
    const Case cases[] = {
        { "free", 10, 5, { 30, 35, 50, 20 }, { 310, 205, 60, 40 } },
        { "left edge stops both", -50, 0, { 0, 30, 50, 20 }, { 280, 200, 60, 40 } },
        { "right edge, inclusive", 100, 0, { 60, 30, 50, 20 }, { 340, 200, 60, 40 } },
        { "bottom edge", 0, 100, { 20, 90, 50, 20 }, { 300, 260, 60, 40 } },
        { "top edge", 0, -100, { 20, 0, 50, 20 }, { 300, 170, 60, 40 } },
        { "corner", -100, 100, { 0, 90, 50, 20 }, { 280, 260, 60, 40 } },
    };
    for (const Case& c : cases) {
        group.FreeAll();
        auto* a = Add<CMyValue>(20, 30, 50, 20);
        auto* b = Add<CMyValue>(300, 200, 60, 40);
        Click(40, 40);
        Click(320, 220, true);
        ASSERT_EQ(group.selCount, 2) << c.what;
        Drag(40, 40, 40 + c.dx, 40 + c.dy);
        EXPECT_EQ(RectOf(a), c.a) << c.what;
        EXPECT_EQ(RectOf(b), c.b) << c.what;
        EXPECT_EQ(a->moving, 0);
    }
}

TEST_F(EditGroup, HandlesKeepTheOppositeEdgeAndTheLimits)
{
    struct Case {
        const char* what;
        int hx, hy; // where the handle is grabbed
        int dx, dy;
        Rect expected;
    };
    // A free widget at (100, 100) 100 x 50: handles at its corners and edge middles.
    const Case cases[] = {
        { "top-left", 101, 101, 20, 10, { 120, 110, 80, 40 } },
        { "top", 150, 101, 5, -30, { 100, 70, 100, 80 } },
        { "right", 199, 125, 40, 9, { 100, 100, 140, 50 } },
        { "bottom-right", 199, 149, 10, 10, { 100, 100, 110, 60 } },
        { "bottom-left", 101, 149, -30, 20, { 70, 100, 130, 70 } },
        { "left, down to minw", 101, 125, 150, 0, { 196, 100, 4, 50 } },
        { "right, down to minw", 199, 125, -150, 0, { 100, 100, 4, 50 } },
        { "top, down to minh", 150, 101, 0, 80, { 100, 146, 100, 4 } },
        { "left, up to the group edge", 101, 125, -300, 0, { 0, 100, 200, 50 } },
        { "bottom, up to the group edge", 150, 149, 0, 500, { 100, 100, 100, 200 } },
    };
    for (const Case& c : cases) {
        group.FreeAll();
        auto* w = Add<CMyImage>(100, 100, 100, 50);
        Click(150, 125);
        Move(c.hx, c.hy);
        ASSERT_NE(w->handle, 0) << c.what;
        Drag(c.hx, c.hy, c.hx + c.dx, c.hy + c.dy);
        EXPECT_EQ(RectOf(w), c.expected) << c.what;
        EXPECT_EQ(w->resizing, 0);
    }
}

TEST_F(EditGroup, ProportionLockedResizeFollowsTheSmallerRatio)
{
    auto* w = Add<CMyValue>(100, 100, 100, 50);
    Click(150, 125);
    Move(199, 149);
    EXPECT_EQ(w->handle, 4) << "a locked widget has corner handles only";
    EXPECT_EQ(group.cursor, mycursor::SizeNWSE);
    Drag(199, 149, 259, 159);
    EXPECT_EQ(RectOf(w), (Rect { 100, 100, 120, 60 }));
    EXPECT_EQ(w->ow, 100);
    EXPECT_EQ(w->oh, 50);
}

TEST_F(EditGroup, ShiftArrowsResizeLockedWidgetsInBothDirections)
{
    struct Case {
        int key;
        Rect expected;
    };
    const Case cases[] = {
        { vkey::Right, { 100, 100, 101, 50 } }, // the lock cuts the height's half step
        { vkey::Left, { 100, 100, 98, 49 } },
        { vkey::Up, { 100, 100, 98, 49 } },
        { vkey::Down, { 100, 100, 101, 50 } },
    };
    for (const Case& c : cases) {
        group.FreeAll();
        auto* w = Add<CMyValue>(100, 100, 100, 50);
        Click(150, 125);
        Key(c.key, true);
        EXPECT_EQ(RectOf(w), c.expected) << c.key;
    }
}

TEST_F(EditGroup, ArrowsMoveTheSelectionWithinTheGroup)
{
    auto* a = Add<CMyValue>(0, 10, 50, 20);
    auto* b = Add<CMyValue>(100, 100, 50, 20);
    Click(10, 15);
    Click(110, 110, true);
    Key(vkey::Right);
    Key(vkey::Down);
    EXPECT_EQ(RectOf(a), (Rect { 1, 11, 50, 20 }));
    EXPECT_EQ(RectOf(b), (Rect { 101, 101, 50, 20 }));
    Key(vkey::Left);
    Key(vkey::Left);
    EXPECT_EQ(a->Left, 0) << "the second step would leave the group";
    EXPECT_EQ(b->Left, 100);
}

TEST_F(EditGroup, ClicksSelectCtrlAddsAndASelectedWidgetKeepsTheSelection)
{
    auto* a = Add<CMyValue>(10, 10, 50, 20);
    auto* b = Add<CMyValue>(100, 10, 50, 20);
    auto* c = Add<CMyValue>(200, 10, 50, 20);
    Click(20, 20);
    Click(110, 20, true);
    EXPECT_EQ((std::vector { a->selected, b->selected, c->selected }), (std::vector { 1, 1, 0 }));
    EXPECT_EQ(group.focused, b);
    Click(20, 20);
    EXPECT_EQ((std::vector { a->selected, b->selected, c->selected }), (std::vector { 1, 1, 0 }))
        << "a click on a selected widget keeps the others, to drag them together";
    EXPECT_EQ(group.focused, b);
    Click(210, 20);
    EXPECT_EQ((std::vector { a->selected, b->selected, c->selected }), (std::vector { 0, 0, 1 }));
    EXPECT_EQ(group.selCount, 1);
}

TEST_F(EditGroup, RubberBandSelectsWhatLiesWhollyInside)
{
    auto* inside = Add<CMyValue>(50, 50, 40, 20);
    auto* partly = Add<CMyValue>(80, 150, 40, 20);
    auto* earlier = Add<CMyValue>(300, 250, 40, 20);
    Click(310, 260);
    group.ctrl = 1;
    Press(100, 200);
    EXPECT_EQ(group.banding, 1) << "a press on empty space starts a band";
    Move(40, 40);
    EXPECT_EQ(group.cursor, mycursor::Cross);
    EXPECT_EQ(group.bandX1, 40);
    Release(30, 30);
    group.ctrl = 0;
    EXPECT_EQ(group.banding, 0);
    EXPECT_EQ(inside->selected, 1);
    EXPECT_EQ(partly->selected, 0);
    EXPECT_EQ(earlier->selected, 1) << "Ctrl keeps the selection";
    EXPECT_EQ(group.selCount, 2);

    // Without Ctrl the band starts afresh; corners beyond the group are held to it.
    Press(395, 295);
    Release(-50, -50);
    EXPECT_EQ(group.bandX0, 0);
    EXPECT_EQ(group.bandY0, 0);
    EXPECT_EQ(group.selCount, 3);
    EXPECT_EQ(group.focused, earlier) << "the last selected widget takes the focus";
}

TEST_F(EditGroup, TabFocusesTheTopmostOtherWidget)
{
    auto* a = Add<CMyValue>(10, 10, 50, 20);
    auto* b = Add<CMyValue>(100, 10, 50, 20);
    auto* passive = Add<CMyButt>(200, 10, 50, 20);
    passive->focusable = 0;
    Key(vkey::Tab);
    EXPECT_EQ(group.focused, b);
    EXPECT_EQ(b->selected, 1);
    Key(vkey::Tab);
    EXPECT_EQ(group.focused, a);
    EXPECT_EQ(a->selected, 1);
    EXPECT_EQ(b->selected, 0);
    EXPECT_EQ(group.selCount, 1);
    EXPECT_EQ(group.items.back(), a);
}

TEST_F(EditGroup, AFocusedGaugeKeepsItsLabelAndValueInFront)
{
    auto* label = Add<CMyLabel>(10, 10, 80, 12, 1010);
    auto* value = Add<CMyValue>(10, 30, 80, 20, 1010);
    auto* otherLabel = Add<CMyLabel>(10, 60, 80, 12, 1020);
    auto* gauge = Add<CMyIndicator>(5, 5, 100, 50, 1010);
    auto* other = Add<CMyValue>(200, 10, 50, 20, 1020);
    group.editMode = 0;
    Click(100, 40);
    EXPECT_EQ(group.focused, gauge);
    EXPECT_EQ(group.items, (std::vector<CMyComponent*> { otherLabel, other, gauge, label, value }));
    EXPECT_EQ(gauge->selected, 0) << "outside edit mode nothing is selected";
}

TEST_F(EditGroup, DirtyMarksAndOwnership)
{
    auto* a = Add<CMyValue>(10, 10, 50, 20);
    group.dirty = 0;
    a->MarkDirty(1);
    EXPECT_EQ(group.dirty, 1);
    EXPECT_EQ(a->dirty, 1);
    group.PaintDirty();
    EXPECT_EQ(group.dirty, 0);
    EXPECT_EQ(a->dirty, 0);
    group.MarkDirty(1);
    EXPECT_EQ(group.dirty, 2) << "a top-level group always repaints whole";

    CMyValue stranger;
    group.Delete(&stranger);
    EXPECT_EQ(group.count(), 1);
    Click(20, 20);
    group.Delete(a);
    EXPECT_EQ(group.count(), 0);
    EXPECT_EQ(group.focused, nullptr);
    EXPECT_EQ(group.selCount, 0);
}

TEST(MonitorMarks, LiveChangesLiftThePlaceholdersAndMarkThePlace)
{
    MonitorHasValues = 0;
    MarkMonitorDirty();
    EXPECT_EQ(MonitorHasValues, 1) << "without a monitor window too";
    CMyGroup place;
    MonitorPlace = &place;
    MarkMonitorDirty();
    MonitorPlace = nullptr;
    EXPECT_EQ(place.dirty, 2);
    MonitorHasValues = 0;
}

} // namespace
