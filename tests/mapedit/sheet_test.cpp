#include "mapedit/sheet.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// A breakpoint axis as a sheet sets it up, loaded like a page loads it: the
// load itself never counts as a move.
struct AxisFixture {
    CSheet sheet;
    CAxe& x = sheet.X;

    AxisFixture(std::vector<int32_t> values, int32_t min, int32_t max, int32_t gap = 1)
    {
        sheet.AllocArrays();
        x.Count = int32_t(values.size());
        x.Min = min;
        x.Max = max;
        x.Gap = gap;
        Load(values);
        x.KeepIncreasing();
    }
    void Load(const std::vector<int32_t>& values) { std::copy(values.begin(), values.end(), x.Values); }
    // One user edit between two ticks, then the change check.
    std::vector<int32_t> Move(int index, int32_t to)
    {
        x.Values[index] = to;
        x.KeepIncreasing();
        return Now();
    }
    std::vector<int32_t> Now() const { return std::vector<int32_t>(x.Values, x.Values + x.Count); }
};

std::vector<int32_t> Tens()
{
    return { 10, 20, 30, 40, 50, 60, 70, 80, 90, 100 };
}

struct Recorder {
    std::vector<std::string> messages;
    Recorder()
    {
        SetMapErrorReporter([this](const char* m) { messages.push_back(m); });
    }
    ~Recorder() { SetMapErrorReporter(nullptr); }
};

} // namespace

TEST(KeepIncreasing, PushedNeighboursFollowTheMovedBreakpointBack)
{
    AxisFixture a(Tens(), 0, 250);
    EXPECT_EQ(a.Move(3, 65), (std::vector<int32_t> { 10, 20, 30, 65, 66, 67, 70, 80, 90, 100 }));
    EXPECT_EQ(a.x.Pushed[4], 1);
    EXPECT_EQ(a.x.Pushed[5], 1);
    EXPECT_EQ(a.Move(3, 55), (std::vector<int32_t> { 10, 20, 30, 55, 56, 60, 70, 80, 90, 100 }));
    EXPECT_EQ(a.x.Pushed[5], 0);
    EXPECT_EQ(a.Move(3, 35), (std::vector<int32_t> { 10, 20, 30, 35, 50, 60, 70, 80, 90, 100 }));
    EXPECT_EQ(a.x.Pushed[4], 0);
    // Downwards the same way.
    EXPECT_EQ(a.Move(3, 5), (std::vector<int32_t> { 2, 3, 4, 5, 50, 60, 70, 80, 90, 100 }));
    EXPECT_EQ(a.Move(3, 40), Tens());
}

TEST(KeepIncreasing, MovingAnotherBreakpointForgetsTheEarlierPush)
{
    AxisFixture a(Tens(), 0, 250);
    a.Move(3, 65);
    // Breakpoint 6 moves next: 4 and 5 stay where they were pushed to.
    EXPECT_EQ(a.Move(6, 75), (std::vector<int32_t> { 10, 20, 30, 65, 66, 67, 75, 80, 90, 100 }));
    EXPECT_EQ(a.x.Pushed[4], 0);
    EXPECT_EQ(a.Move(3, 35), (std::vector<int32_t> { 10, 20, 30, 35, 66, 67, 75, 80, 90, 100 }));
}

TEST(KeepIncreasing, ValuesBeyondTheLimitsAreHeldWithRoomForTheOthers)
{
    struct Case {
        const char* name;
        int index;
        int32_t typed;
        std::vector<int32_t> expected;
    } cases[] = {
        { "last above max", 9, 300, { 10, 20, 30, 40, 50, 60, 70, 80, 90, 250 } },
        { "inner above max pushes the rest", 7, 300, { 10, 20, 30, 40, 50, 60, 70, 248, 249, 250 } },
        { "first below min", 0, -40, { 0, 20, 30, 40, 50, 60, 70, 80, 90, 100 } },
        { "inner below min pushes below", 2, -5, { 0, 1, 2, 40, 50, 60, 70, 80, 90, 100 } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AxisFixture a(Tens(), 0, 250);
        EXPECT_EQ(a.Move(c.index, c.typed), c.expected);
    }
}

TEST(KeepIncreasing, WholeAxisPassAfterALoadOrSeveralChanges)
{
    AxisFixture gap(Tens(), 0, 100, 5);
    gap.x.LastMoved = -3;
    gap.Load({ 50, 40, 30, 200, 1, 1, 1, 1, 1, 1 });
    gap.x.KeepIncreasing();
    // The limit passes first, then the forward pass raises each breakpoint
    // above its predecessor; nothing is sorted.
    EXPECT_EQ(gap.Now(), (std::vector<int32_t> { 50, 55, 60, 70, 75, 80, 85, 90, 95, 100 }));

    AxisFixture two(Tens(), 0, 100);
    two.x.Values[2] = 95;
    two.x.Values[8] = 15;
    two.x.KeepIncreasing();
    EXPECT_EQ(two.Now(), (std::vector<int32_t> { 10, 20, 93, 94, 95, 96, 97, 98, 99, 100 }));
}

TEST(KeepIncreasing, SingleBreakpointAndImpossibleLimits)
{
    AxisFixture one({ 500 }, 0, 100);
    EXPECT_EQ(one.Now(), std::vector<int32_t> { 100 });
    EXPECT_EQ(one.Move(0, -7), std::vector<int32_t> { 0 });

    // Ten breakpoints 20 apart cannot fit into 0..100: the passes still end.
    AxisFixture tight(Tens(), 0, 100, 20);
    EXPECT_EQ(tight.Now().size(), 10u);
    EXPECT_EQ(tight.Move(4, 1000).size(), 10u);
}

TEST(ClampToAxisLimits, TouchesOnlyTheUsedCells)
{
    CSheet s;
    s.AllocArrays();
    s.V.Min = -5;
    s.V.Max = 5;
    std::fill(s.V.Values, s.V.Values + TAB_CELLS, 99);
    s.V.Values[1 * 50 + 0] = -99;
    ClampToAxisLimits(s.V, 2, 2);
    EXPECT_EQ(s.V.Values[0], 5);
    EXPECT_EQ(s.V.Values[1], 5);
    EXPECT_EQ(s.V.Values[50], -5);
    EXPECT_EQ(s.V.Values[51], 5);
    EXPECT_EQ(s.V.Values[2], 99);
    EXPECT_EQ(s.V.Values[100], 99);
}

TEST(TickRecords, LoadAddAndPick)
{
    const TickRecord rpm[]
        = { { 4000, 2000, 1000, 200, 1000 }, { 10000, 2000, 1000, 500, 1000 }, { 25000, 2000, 1000, 1000, 2000 }, {} };
    CAxe a;
    a.LoadTickTable(rpm);
    EXPECT_EQ(a.TickRecordCount, 3);
    struct {
        int32_t span;
        double step3;
    } picks[] = { { 100, 200 }, { 4000, 200 }, { 4001, 500 }, { 25000, 1000 }, { 90000, 1000 } };
    for (auto p : picks) {
        a.PickTickRecord(p.span);
        EXPECT_EQ(a.Tick.Step3, p.step3) << p.span;
    }
    a.UseValues = 0;
    a.PickTickRecord(100);
    EXPECT_EQ(a.Tick.Step1, 1.0);
    EXPECT_EQ(a.Tick.Step4, 1.0);
    EXPECT_EQ(a.Tick.SpanLimit, 25000); // left as it was

    for (int i = 0; i < 3; i++)
        a.AddTickRecord(i, 1, 1, 1, 1);
    EXPECT_EQ(a.TickRecordCount, 5);
    EXPECT_EQ(a.TickRecords[4].SpanLimit, 2); // the sixth overwrote the fifth
    a.LoadTickTable(nullptr);
    EXPECT_EQ(a.TickRecordCount, 0);
}

TEST(NamedValues, SplitsACopyAndPicksByValueModuloThousand)
{
    Recorder rec;
    CSheet s;
    s.AllocArrays();
    CAxe& y = s.Y;
    y.Count = 4;
    // A literal sits in read-only memory: a split that wrote into it would crash.
    y.StringView = "Coolant,Inlet Air\r\nGear 3";
    y.SplitStringView();
    y.SplitStringView();
    std::vector<int32_t> values { 0, 1, 1002, -1 };
    std::copy(values.begin(), values.end(), y.Values);
    EXPECT_STREQ(y.StringViewPart(0, 0), "Coolant");
    EXPECT_STREQ(y.StringViewPart(1, 0), "Inlet Air");
    EXPECT_STREQ(y.StringViewPart(2, 1), "Gear 3"); // no second set: falls back to the first
    EXPECT_TRUE(rec.messages.empty());

    y.StringView2 = "a\nb";
    y.SplitStringView();
    EXPECT_STREQ(y.StringViewPart(1, 1), "b");
    EXPECT_STREQ(y.StringViewPart(1, 0), "Inlet Air");
}

TEST(NamedValues, AtMostEightParts)
{
    CAxe a;
    a.StringView = "0,1,2,3,4,5,6,7,8,9";
    a.SplitStringView();
    EXPECT_STREQ(a.Parts[7], "7");
    a.StringView = "one";
    a.SplitStringView();
    EXPECT_STREQ(a.Parts[0], "one");
    EXPECT_EQ(a.Parts[1], nullptr);
}

TEST(NamedValues, EachErrorIsReportedOnceAndGivesNoName)
{
    Recorder rec;
    CSheet s;
    s.AllocArrays();
    CAxe& x = s.X;
    x.Count = 3;
    x.StringView = "a,b";
    x.SplitStringView();
    x.Values[0] = 9;
    x.Values[1] = 5;
    x.Values[2] = -1;
    for (int paint = 0; paint < 3; paint++) {
        EXPECT_EQ(x.StringViewPart(0, 0), nullptr);
        EXPECT_EQ(x.StringViewPart(1, 0), nullptr);
        EXPECT_EQ(x.StringViewPart(2, 0), nullptr);
        EXPECT_EQ(x.StringViewPart(3, 0), nullptr);
    }
    EXPECT_EQ(rec.messages,
        (std::vector<std::string> { "Spatny index stringview >MAXSV", "Spatny stringview (part is NULL)",
            "Spatny index stringview >MAXSV", "Spatny index stringview >n" }));
}

TEST(CSheetArrays, DefaultsAndFreeingTwice)
{
    CSheet s;
    EXPECT_EQ(s.X.Count, 50);
    EXPECT_EQ(s.Y.MaxCount, 30);
    EXPECT_EQ(s.V.Count, 1);
    EXPECT_EQ(s.LiveCol, -2);
    EXPECT_EQ(s.X.Values, nullptr);
    s.AllocArrays();
    EXPECT_EQ(s.V.PrevValues, nullptr);
    char* owned = new char[4];
    std::strcpy(owned, "a,b");
    s.X.StringView = owned;
    s.X.OwnsStringView = 1;
    s.X.SplitStringView();
    s.FreeArrays();
    EXPECT_EQ(s.X.StringView, nullptr);
    EXPECT_STREQ(s.X.Parts[1], "b"); // the split copy outlives the freed text
    s.FreeArrays();
    EXPECT_EQ(s.X.Values, nullptr);
}
