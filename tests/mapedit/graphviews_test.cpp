#include "mapedit/tab.h"
#include "support/tempdir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

const TickRecord RPM_TICK_RECORDS[]
    = { { 4000, 2000, 1000, 200, 1000 }, { 10000, 2000, 1000, 500, 1000 }, { 25000, 2000, 1000, 1000, 2000 }, {} };
const TickRecord PERCENT_TICKS[] = { { 30, 10, 5, 1, 10 }, { 100, 20, 10, 5, 20 }, {} };
const TickRecord ADVANCE_TICK_RECORDS[] = { { 20, 5, 1, 1, 5 }, { 60, 10, 5, 1, 10 }, {} };

// An advance map as a page builds it: 16 speeds x 10 throttle openings,
// advance rising with speed and falling with load.
struct GraphViews : ::testing::Test {
    TTab tab { nullptr, 720, 420, TABSTYLE_TOOLBAR | TABSTYLE_TABLE | TABSTYLE_2D | TABSTYLE_3D };
    TabInputState input;
    std::vector<int> reports;
    TempDir dir;

    GraphViews()
    {
        SetTabInputProbe([this] { return input; });
        tab.OnMapTableChanged = [this](TTab* t) { reports.push_back(t->TabTicks); };
        const int s = tab.AddSheet("###Advance##Vorzündung##Předstih", "RPM", "TP", "ADV", 16, 10,
            SHEET_LIVE_MARKER | SHEET_BASE_ADVANCE_LINE | SHEET_LIMITER_LINE);
        tab.DefineAxes(
            s, 1, "RPM", "", 3, 250, 100, 1, RPM_TICK_RECORDS, 1, 1, 1, 16, 0, 0, 1, -1, 1, 0xFCE2F4, nullptr);
        tab.DefineAxes(s, 2, "TP", "%", 0, 100, 1, 1, PERCENT_TICKS, 1, 1, 1, 10, 0, 0, 1, -2, 1, 0xFCE2F4, nullptr);
        tab.DefineAxes(
            s, 4, "ADV", "°", 0, 60, 1, 1, ADVANCE_TICK_RECORDS, 1, 2, 0, 0, 0, 0, 0, 0, 1, 0xFCE2F4, nullptr);
        CSheet& sh = tab.Sheets[s];
        for (int c = 0; c < 16; c++)
            sh.X.Values[c] = 10 + 8 * c;
        for (int r = 0; r < 10; r++)
            sh.Y.Values[r] = 10 * r;
        for (int r = 0; r < 10; r++)
            for (int c = 0; c < 16; c++)
                sh.V.Values[r * TAB_MAX_COLS + c] = std::min(40, 8 + 2 * c) - r;
        tab.BaseAdvance = 10;
        tab.LimiterRpm = 13000;
        tab.LiveRpm = 5200;
        tab.ApplyLimits(&sh, 0x107);
        tab.SelectSheet(0);
        sh.LiveCol = 5;
        sh.LiveRow = 3;
        sh.LiveState = 1;
    }
    ~GraphViews() override { SetTabInputProbe(nullptr); }

    CSheet& S() { return *tab.Sheet; }
    int32_t& Cell(int c, int r) { return S().V.Values[r * TAB_MAX_COLS + c]; }
    void Show(int view)
    {
        tab.SetView(view);
        tab.Render();
    }
    // The pictures go to the test's folder, and to ZP_PICTURES when it names one.
    void Save(const char* name)
    {
        EXPECT_TRUE(tab.BackBitmap.save(QString::fromStdString(dir.file(name))));
        if (const char* keep = std::getenv("ZP_PICTURES"))
            tab.BackBitmap.save(QString::fromStdString(std::string(keep) + "/" + name));
    }
    void Ticks(int n)
    {
        for (int i = 0; i < n; i++)
            tab.Tick();
    }
    int PointX(int c, int p) const { return tab.Graph.PointX[c * GRAPH_CURVES + p]; }
    int PointY(int c, int p) const { return tab.Graph.PointY[c * GRAPH_CURVES + p]; }
};

} // namespace

TEST_F(GraphViews, PointerPicksTheNearestCurveAndPoint)
{
    Show(VIEW_2D);
    Save("graph2d.png");
    TTabGraph& g = tab.Graph;
    ASSERT_EQ(g.CurveCount, 10);
    tab.SetPointer(PointX(4, 7) + 2, PointY(4, 7) - 2);
    EXPECT_EQ(g.GraphHit, 4 * GRAPH_CURVES + 7);
    EXPECT_EQ(g.CurrentCurve, 4);
    EXPECT_NE(g.HintText.find("ADV = "), std::string::npos) << g.HintText;

    // Far from every point the nearest curve still becomes the current one.
    tab.SetPointer(PointX(2, 10), PointY(2, 10) - 7);
    EXPECT_EQ(g.GraphHit, -100);
    EXPECT_EQ(g.CurrentCurve, 2);

    // The base-advance point at the left edge, and the limiter line.
    tab.Render();
    tab.SetPointer(g.InnerLeft, g.CurveBase[6]);
    EXPECT_EQ(g.GraphHit, -1);
    const int xLimiter = int(g.InnerLeft + (130 - S().X.GraphMin) * g.UnitX);
    tab.SetPointer(xLimiter + 3, g.InnerBottom - 3);
    EXPECT_EQ(g.GraphHit, -2);
}

TEST_F(GraphViews, DraggingAPointIsOneChange)
{
    Show(VIEW_2D);
    TTabGraph& g = tab.Graph;
    const int32_t before = Cell(7, 3), breakpoint = S().X.Values[7];
    const int x = PointX(3, 7), y = PointY(3, 7);
    tab.SetPointer(x, y);
    ASSERT_EQ(g.GraphHit, 3 * GRAPH_CURVES + 7);
    const QImage original = tab.BackBitmap.copy();
    tab.LeftDown();
    EXPECT_EQ(g.Dragging, 1);
    tab.SetPointer(x, y - int(5 * g.UnitY));
    tab.SetPointer(x, y - int(8 * g.UnitY));
    tab.LeftUp();
    // The pointer was moved along with a rescale; the move event it sends is skipped.
    if (tab.SkipPointerMove)
        tab.PointerMoved();
    EXPECT_EQ(g.Dragging, 0);
    EXPECT_EQ(Cell(7, 3), before + 8);
    EXPECT_EQ(S().X.Values[7], breakpoint);
    EXPECT_EQ(Cell(7, 4), std::min(40, 8 + 14) - 4); // no other point went with it
    Ticks(8);
    EXPECT_EQ(reports.size(), 1u);
    EXPECT_NE(tab.BackBitmap, original);

    // With Shift and Ctrl every cell moves by the same amount.
    input.shift = input.ctrl = true;
    tab.Tick();
    tab.SetPointer(PointX(3, 7), PointY(3, 7));
    const int32_t other = Cell(2, 8);
    tab.LeftDown();
    tab.SetPointer(PointX(3, 7), PointY(3, 7) + int(3 * g.UnitY));
    tab.LeftUp();
    const int32_t delta = Cell(7, 3) - (before + 8);
    EXPECT_LT(delta, -1);
    EXPECT_EQ(Cell(2, 8) - other, delta);
    EXPECT_EQ(Cell(15, 0), std::min(40, 8 + 30) + delta);
}

TEST_F(GraphViews, WheelOnThe2DGraphStepsPointsOrTheCellSelection)
{
    Show(VIEW_2D);
    TTabGraph& g = tab.Graph;
    tab.SetPointer(PointX(0, 2), PointY(0, 2));
    const int32_t before = Cell(2, 0);
    tab.Wheel(1);
    EXPECT_EQ(Cell(2, 0), before + 1);
    EXPECT_EQ(tab.HoverOn, 0);

    // Empty plot without a cell selection: not consumed, nothing changes.
    tab.SetPointer(g.InnerLeft + g.PlotWidth - 3, g.InnerBottom - g.PlotHeight + 3);
    ASSERT_EQ(g.GraphHit, -100);
    EXPECT_EQ(tab.Graph2DWheel(1), 0);
    EXPECT_EQ(tab.Graph2DKey(KEY_SPACE), 0);
}

TEST_F(GraphViews, SurfaceTurnsWithTheMouseAndTheWheel)
{
    Show(VIEW_3D);
    Save("surface3d.png");
    TTabGraph& g = tab.Graph;
    EXPECT_EQ(g.DrawMode, 5);
    const int x = 400, y = 200;
    tab.SetPointer(x, y);
    tab.LeftDown();
    tab.SetPointer(x, y + 10);
    EXPECT_EQ(g.AngleX, -6);
    tab.SetPointer(x + 25, y + 10);
    EXPECT_EQ(g.AngleXY, 26);
    tab.LeftUp();
    EXPECT_EQ(g.Dragging, 0);

    // From -35 one more step down wraps to 36.
    g.AngleX = -35;
    tab.LeftDown();
    tab.SetPointer(x, y + 20);
    tab.LeftUp();
    EXPECT_EQ(g.AngleX, 36);

    struct {
        bool shift, ctrl;
        int direction;
        int32_t TTabGraph::*field;
        int32_t expected;
    } wheels[] = {
        { false, true, 1, &TTabGraph::DrawMode, 5 }, // held at 5
        { false, true, -1, &TTabGraph::DrawMode, 4 },
        { true, false, -1, &TTabGraph::LabelMode, 0 }, // held at 0
        { true, false, 1, &TTabGraph::LabelMode, 1 },
        { false, false, 1, &TTabGraph::AngleXYZ, 1 },
    };
    for (const auto& w : wheels) {
        input.shift = w.shift;
        input.ctrl = w.ctrl;
        tab.Tick();
        tab.SetPointer(x, y);
        tab.Wheel(w.direction);
        EXPECT_EQ(g.*w.field, w.expected);
    }
    EXPECT_EQ(g.HintFlags & 1, 0);
    input = {};
    tab.Tick();

    // Space walks the label modes; other keys are left to the control.
    EXPECT_EQ(tab.Surface3DKey(KEY_SPACE), 1);
    EXPECT_EQ(g.LabelMode, 2);
    EXPECT_EQ(tab.Surface3DKey('a'), 0);

    g.AngleX = -18;
    g.AngleXY = 1;
    g.AngleXYZ = 0;
    tab.SetPointer(x, y);
    tab.Wheel(-1);
    EXPECT_EQ(g.AngleXY, 1);
    EXPECT_EQ(g.AngleXYZ, -1);
    g.AngleXY = 0;
    tab.Wheel(1);
    EXPECT_EQ(tab.Buttons[16].Pressed, 1);
    tab.Wheel(1);
    EXPECT_EQ(tab.Buttons[16].Pressed, 0);
}

TEST_F(GraphViews, WheelOverTheLegendStepsTheLiveCell)
{
    Show(VIEW_3D);
    S().Sel.SelectItem(tab.TableHitMap, 1, 1);
    const int32_t count = S().Sel.Count, live = Cell(5, 3), selected = Cell(1, 1);
    tab.SetPointer(60, 300);
    tab.Wheel(1);
    EXPECT_EQ(Cell(5, 3), live + 1);
    EXPECT_EQ(Cell(1, 1), selected);
    EXPECT_EQ(S().Sel.Count, count);
    EXPECT_EQ(tab.Graph.HintFlags & 2, 0);
}

TEST_F(GraphViews, SurfaceProjectionAndDrawModes)
{
    TTabGraph& g = tab.Graph;
    // A plot about as wide as it is high projects without stretch.
    Show(VIEW_3D);
    tab.resize(tab.width() + g.PlotHeight - g.PlotWidth + 20, tab.height());
    Show(VIEW_3D);
    EXPECT_EQ(g.Aspect, 1.0);
    tab.resize(720, 420);
    for (int mode = 0; mode <= 5; mode++) {
        g.DrawMode = mode;
        g.LabelMode = mode % 4;
        Show(VIEW_3D);
        const std::string name = "surface3d-mode" + std::to_string(mode) + ".png";
        Save(name.c_str());
    }
    // The wire mesh is black on the background; filled modes cover it.
    g.DrawMode = 0;
    Show(VIEW_3D);
    int black = 0;
    for (int y = 100; y < 400; y++)
        for (int x = 200; x < 700; x++)
            black += tab.BackBitmap.pixel(x, y) == qRgb(0, 0, 0);
    EXPECT_GT(black, 300);
}

TEST_F(GraphViews, SwappedSheetOfFiftyColumnsStaysInsideTheBuffers)
{
    CSheet& s = tab.Sheets[tab.AddSheet("Wide", "RPM", "TP", "ADV", 50, 30, SHEET_SWAP_GRAPH)];
    for (int c = 0; c < 50; c++)
        s.X.Values[c] = c;
    for (int r = 0; r < 30; r++)
        s.Y.Values[r] = r;
    s.X.UseValues = s.Y.UseValues = 1;
    for (int i = 0; i < TAB_CELLS; i++)
        s.V.Values[i] = i % 37;
    tab.SelectSheet(1);
    Show(VIEW_2D);
    EXPECT_EQ(tab.Graph.CurveCount, 50);
    EXPECT_EQ(tab.Graph.PlotAxis, &s.Y);
    tab.SetPointer(PointX(49, 29), PointY(49, 29));
    EXPECT_EQ(tab.Graph.GraphHit, 49 * GRAPH_CURVES + 29);
    Show(VIEW_3D);
}

namespace {

// An on/off map: 3 speed and 2 temperature breakpoints, 4 x 3 fields.
struct OnOffGrid : ::testing::Test {
    TTab tab { nullptr, 600, 400, TABSTYLE_TABLE | TABSTYLE_ONOFF };
    std::vector<int> reports;
    TempDir dir;

    OnOffGrid()
    {
        SetTabInputProbe([] { return TabInputState {}; });
        tab.OnMapTableChanged = [this](TTab*) { reports.push_back(1); };
        const int s = tab.AddSheet("Fan", "RPM", "TW", "ON", 3, 2, SHEET_LIVE_MARKER);
        tab.DefineAxes(
            s, 1, "RPM", "", 0, 150, 100, 1, RPM_TICK_RECORDS, 1, 1, 1, 3, 0, 0, 1, -1, 1, 0xFCE2F4, nullptr);
        tab.DefineAxes(s, 2, "TW", "°C", 0, 120, 1, 1, PERCENT_TICKS, 1, 1, 1, 2, 0, 0, 1, -2, 1, 0xFCE2F4, nullptr);
        tab.DefineAxes(s, 4, "ON", "", 0, 2, 1, 1, nullptr, 1, 0, 0, 0, 0, 0, 0, 0, 1, 0xFCE2F4, nullptr);
        CSheet& sh = tab.Sheets[s];
        sh.X.Values[0] = 30;
        sh.X.Values[1] = 60;
        sh.X.Values[2] = 100;
        sh.Y.Values[0] = 40;
        sh.Y.Values[1] = 90;
        tab.ApplyLimits(&sh, 0x107);
        tab.SelectSheet(0);
        tab.Render();
    }
    ~OnOffGrid() override { SetTabInputProbe(nullptr); }

    CSheet& S() { return *tab.Sheet; }
    int32_t& Cell(int c, int r) { return S().V.Values[r * TAB_MAX_COLS + c]; }
    // Centre of field (i, j).
    QPoint Field(int i, int j) const
    {
        const TTabGraph& g = tab.Graph;
        const int top = g.InnerBottom - g.PlotHeight;
        const int l = i == 0 ? g.InnerLeft : g.LineX[i - 1], r = i == g.LinesX ? g.InnerLeft + g.PlotWidth : g.LineX[i];
        const int t = j == 0 ? top : g.LineY[j - 1], b = j == g.LinesY ? g.InnerBottom : g.LineY[j];
        return { (l + r) / 2, (t + b) / 2 };
    }
    void Drag(QPoint from, QPoint to)
    {
        tab.SetPointer(from.x(), from.y());
        tab.LeftDown();
        tab.SetPointer(to.x(), to.y());
        tab.LeftUp();
    }
    int OnCount()
    {
        int n = 0;
        for (int j = 0; j < 3; j++)
            for (int i = 0; i < 4; i++)
                n += Cell(i, j) != 0;
        return n;
    }
};

} // namespace

TEST_F(OnOffGrid, ClickAndBandToggleFields)
{
    EXPECT_EQ(tab.ViewBits & VIEW_ONOFF, VIEW_ONOFF);
    EXPECT_EQ(tab.Graph.LinesX, 3);
    EXPECT_EQ(tab.Graph.LinesY, 2);
    tab.BackBitmap.save(QString::fromStdString(dir.file("onoff-empty.png")));

    const QPoint f = Field(1, 2);
    Drag(f, f);
    EXPECT_EQ(Cell(1, 2), 1);
    EXPECT_EQ(OnCount(), 1);
    for (int i = 0; i < 8; i++)
        tab.Tick();
    EXPECT_EQ(reports.size(), 1u);

    // A band whose edge lies on a line takes the fields on both sides of it.
    const QPoint a = Field(2, 0);
    Drag(a, QPoint(tab.Graph.LineX[2], a.y()));
    EXPECT_EQ(Cell(2, 0), 1);
    EXPECT_EQ(Cell(3, 0), 1);
    EXPECT_EQ(OnCount(), 3);

    // A field holding 2 goes to 0.
    Cell(0, 0) = 2;
    tab.Render();
    Drag(Field(0, 0), Field(0, 0));
    EXPECT_EQ(Cell(0, 0), 0);
    tab.Render();
    if (const char* keep = std::getenv("ZP_PICTURES"))
        tab.BackBitmap.save(QString(keep) + "/onoff.png");
}

TEST_F(OnOffGrid, LinesMoveOnlyInTheProportionalLayout)
{
    TTabGraph& g = tab.Graph;
    // Equal spacing: no line can be hovered, so the wheel changes nothing.
    tab.SetPointer(g.LineX[1], Field(1, 1).y());
    EXPECT_EQ(g.GraphHit, -100);
    EXPECT_EQ(tab.OnOffWheel(1), 0);

    g.OnOffFlag = 1;
    tab.RedrawBits |= REDRAW_VALUES;
    tab.Render();
    if (const char* keep = std::getenv("ZP_PICTURES"))
        tab.BackBitmap.save(QString(keep) + "/onoff-proportional.png");
    tab.SetPointer(g.LineX[1] + 1, Field(1, 1).y());
    ASSERT_EQ(g.GraphHit, 51);
    EXPECT_EQ(tab.OnOffWheel(1), 1);
    EXPECT_EQ(S().X.Values[1], 61);

    // Dragging the line moves its breakpoint within its neighbours.
    tab.Render();
    tab.SetPointer(g.LineX[1], Field(1, 1).y());
    tab.LeftDown();
    EXPECT_EQ(g.Dragging, 1);
    tab.SetPointer(g.LineX[1] + int(10 * g.UnitX), Field(1, 1).y());
    tab.LeftUp();
    EXPECT_EQ(S().X.Values[1], 71);
    EXPECT_EQ(OnCount(), 0);
}

TEST_F(OnOffGrid, ReadOnlyMapsAndWideSheets)
{
    S().V.Editable = 0;
    tab.Render();
    Drag(Field(1, 1), Field(1, 1));
    EXPECT_EQ(Cell(1, 1), 0);

    // 50 columns and 30 rows: the fields stay within the cells.
    const int s = tab.AddSheet("Wide", "RPM", "TW", "ON", 50, 30, 0);
    tab.SelectSheet(s);
    tab.Render();
    EXPECT_EQ(tab.Graph.LinesX, TAB_MAX_COLS - 1);
    EXPECT_EQ(tab.Graph.LinesY, TAB_MAX_ROWS - 1);
    tab.SetPointer(tab.Graph.InnerLeft + tab.Graph.PlotWidth - 2, tab.Graph.InnerBottom - 2);
    tab.LeftDown();
    tab.LeftUp();
    EXPECT_EQ(tab.Sheet->V.Values[TAB_CELLS - 1], 1);
}
