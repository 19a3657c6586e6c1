#include "mapedit/sheet.h"
#include "mapedit/tabgraph.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

const TickRecord RPM_TICK_RECORDS[]
    = { { 4000, 2000, 1000, 200, 1000 }, { 10000, 2000, 1000, 500, 1000 }, { 25000, 2000, 1000, 1000, 2000 }, {} };
const TickRecord PERCENT_TICKS[] = { { 30, 10, 5, 1, 10 }, { 100, 20, 10, 5, 20 }, {} };

void Axis(CAxe& a, const char* label, int count, double scale, const TickRecord* ticks)
{
    std::strcpy(a.Label, label);
    a.Count = count;
    a.Scale = scale;
    if (ticks)
        a.LoadTickTable(ticks);
}

// Up to three sheets of 15 x 10 cells; sheet 0 is an advance map over rpm
// 300..25000 and throttle 0..90 %.
struct Scaling : ::testing::Test {
    CSheet sheets[3];
    TTabGraph g;
    GraphScaleSource src;

    Scaling()
    {
        for (CSheet& s : sheets) {
            s.AllocArrays();
            Axis(s.X, "RPM", 15, 100, RPM_TICK_RECORDS);
            Axis(s.Y, "TP", 10, 1, PERCENT_TICKS);
            Axis(s.V, "ADV", 0, 1, PERCENT_TICKS);
            s.V.Max = 60;
            for (int c = 0; c < 15; c++)
                s.X.Values[c] = c == 14 ? 250 : 3 + 10 * c;
            for (int r = 0; r < 10; r++)
                s.Y.Values[r] = 10 * r;
        }
        src.Sheets = sheets;
        src.SheetCount = 1;
        src.Shows2D = true;
    }
    void Fill(CSheet& s, int base, int perRow)
    {
        for (int r = 0; r < 10; r++)
            for (int c = 0; c < 15; c++)
                s.V.Values[r * TAB_MAX_COLS + c] = base + r * perRow + (c % 3);
    }
};

} // namespace

TEST(FormatTickLabel, PicksTheFormatByTheStep)
{
    const struct {
        double step, value;
        const char* text;
    } cases[] = {
        { 0.0005, 0.0015, "1.50m" },
        { 0.005, 0.02, "20m" },
        { 0.05, 0.25, "0.25" },
        { 0.5, 1.5, "1.5" },
        { 5, 15, "15" },
        { 999, 2997, "2997" },
        { 1000, 3000, "3k" },
        { 2500, 10000, "10k" },
        { 1000000, 2000000, "2M" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatTickLabel(c.step, c.value), c.text) << c.step << " " << c.value;
}

TEST_F(Scaling, RpmAxisSnapsToWholeStepsAndStopsAtZero)
{
    Fill(sheets[0], 10, 2);
    sheets[0].Y.Collapsed = 1;
    g.AutoScale(src);
    EXPECT_EQ(g.AxisUse, 1);
    EXPECT_EQ(sheets[0].X.Tick.SpanLimit, 25000);
    EXPECT_EQ(sheets[0].X.GraphMin, 0);
    EXPECT_EQ(sheets[0].X.GraphMax, 260);
    EXPECT_EQ(g.PlotAxis, &sheets[0].X);
    EXPECT_EQ(g.CurveCount, 1);
}

TEST_F(Scaling, ValueRangesOfFlatAndPercentMaps)
{
    // All cells 0: at least one tick step of range, never an empty one.
    sheets[0].Y.Collapsed = 1;
    g.AutoScale(src);
    EXPECT_EQ(sheets[0].V.GraphMin, 0);
    EXPECT_GE(sheets[0].V.GraphMax, 2);
    EXPECT_GT(sheets[0].V.Tick.Step1, 0);

    // 80..120 %: the span 40 takes the record {100, 20, 10, 5, 20}.
    for (int i = 0; i < TAB_CELLS; i++)
        sheets[0].V.Values[i] = 80 + (i % 50 == 3 ? 40 : 0);
    sheets[0].V.Max = 200;
    g.AutoScale(src);
    EXPECT_EQ(sheets[0].V.Tick.SpanLimit, 100);
    EXPECT_EQ(sheets[0].V.Tick.Step1, 20);
    EXPECT_EQ(sheets[0].V.GraphMin, 60);
    EXPECT_EQ(sheets[0].V.GraphMax, 140);
}

TEST_F(Scaling, BoundLinesWidenTheRpmAxis)
{
    Fill(sheets[0], 10, 2);
    sheets[0].Y.Collapsed = 1;
    for (int c = 0; c < 15; c++)
        sheets[0].X.Values[c] = 20 + c;
    sheets[0].Flags = SHEET_BASE_ADVANCE_LINE | SHEET_LIMITER_LINE;
    src.BaseAdvance = 45;
    src.LimiterRpm = 9000;
    g.AutoScale(src);
    EXPECT_EQ(sheets[0].X.GraphMin, 0);
    EXPECT_GE(sheets[0].X.GraphMax, 90);
    EXPECT_GE(sheets[0].V.GraphMax, 45);
}

TEST_F(Scaling, SheetsOfOneGroupShareTheirScales)
{
    src.SheetCount = 3;
    Fill(sheets[0], 10, 1);
    Fill(sheets[1], 50, 1);
    Fill(sheets[2], 0, 0);
    for (int i = 0; i < 3; i++)
        sheets[i].Y.Collapsed = 1;
    sheets[1].X.Values[14] = 400;
    sheets[0].V.GraphGroup = sheets[1].V.GraphGroup = 1;
    sheets[0].X.GraphGroup = sheets[1].X.GraphGroup = 1;
    sheets[2].V.GraphGroup = 2;
    int32_t ranges[3][4];
    for (int i = 0; i < 3; i++) {
        src.Current = i;
        g.AutoScale(src);
        ranges[i][0] = sheets[i].V.GraphMin;
        ranges[i][1] = sheets[i].V.GraphMax;
        ranges[i][2] = sheets[i].X.GraphMin;
        ranges[i][3] = sheets[i].X.GraphMax;
    }
    for (int k = 0; k < 4; k++)
        EXPECT_EQ(ranges[0][k], ranges[1][k]) << k;
    EXPECT_GE(ranges[0][1], 60);
    EXPECT_GE(ranges[0][3], 400);
    EXPECT_LT(ranges[2][1], 60);
    EXPECT_LT(ranges[2][3], 400);
}

TEST_F(Scaling, StackedCurvesAndSwappedSheets)
{
    // Rows rise by 5: the curves are stacked a step and a half apart, rounded up to whole steps.
    Fill(sheets[0], 10, 5);
    g.AutoScale(src);
    EXPECT_EQ(g.AxisUse, 3);
    EXPECT_EQ(g.CurveCount, 10);
    EXPECT_EQ(sheets[0].Y.GraphMin, 0);
    EXPECT_EQ(sheets[0].Y.GraphMax, 9);
    const double t = sheets[0].V.Tick.Step1;
    EXPECT_EQ(g.CurveOffset % int(t), 0);
    EXPECT_GE(g.CurveOffset, 5 + t / 2);
    EXPECT_EQ(g.ValueTop, 9 * g.CurveOffset + g.FirstCurveTop);

    // Drawn over Y, the 15 columns become the curves, and their count never passes the buffers.
    sheets[0].Flags = SHEET_SWAP_GRAPH;
    sheets[0].X.Count = 50;
    g.AutoScale(src);
    EXPECT_EQ(g.AxisA, &sheets[0].Y);
    EXPECT_EQ(g.CurveCount, 50);
    EXPECT_LE(g.CurveCount, GRAPH_CURVES);
}
