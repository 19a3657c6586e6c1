#include "mapedit/tab.h"

#include <QApplication>
#include <QKeyEvent>

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

// A table built the way a page builds it: the advance map, 15 x 10, speed
// breakpoints 3..250 x 100 rpm and throttle 0..100 %.
struct PageTable : ::testing::Test {
    TTab tab { nullptr, 700, 360, TABSTYLE_TOOLBAR | TABSTYLE_TABLE | TABSTYLE_2D | TABSTYLE_3D };
    std::vector<int> reports; // the tick of every report to the owner

    PageTable()
    {
        SetTabInputProbe([] { return TabInputState {}; });
        tab.OnMapTableChanged = [this](TTab* t) { reports.push_back(t->TabTicks); };
        const int s = tab.AddSheet("###Advance##Vorzündung##Předstih", "RPM", "TP", "ADV", 15, 10,
            SHEET_LIVE_MARKER | SHEET_BASE_ADVANCE_LINE);
        tab.DefineAxes(s, 1, "RPM", "", 3, 250, 100, 1, nullptr, 1, 1, 1, 15, 0, 0, 1, -1, 1, 0xFCE2F4, nullptr);
        tab.DefineAxes(s, 2, "TP", "%", 0, 100, 1, 1, nullptr, 0, 1, 1, 10, 1, 0, 0, -2, 1, 0xFCE2F4, nullptr);
        tab.DefineAxes(s, 4, "ADV", "", 0, 60, 1, 0, nullptr, 1, 2, 0, 0, 0, 0, 0, 0, 1, 0xFCE2F4, nullptr);
        CSheet& sh = tab.Sheets[s];
        for (int c = 0; c < 15; c++)
            sh.X.Values[c] = 10 + 10 * c;
        for (int r = 0; r < 10; r++)
            sh.Y.Values[r] = 10 * r;
        for (int i = 0; i < TAB_CELLS; i++)
            sh.V.Values[i] = 20;
        tab.ApplyLimits(&sh, 0x107);
        tab.SelectSheet(0);
    }
    ~PageTable() override { SetTabInputProbe(nullptr); }

    CSheet& S() { return *tab.Sheet; }
    int32_t& Cell(int c, int r) { return S().V.Values[r * TAB_MAX_COLS + c]; }
    void Ticks(int n)
    {
        for (int i = 0; i < n; i++)
            tab.Tick();
    }
    void Key(int key, const QString& text = QString())
    {
        QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(&tab, &e);
    }
};

} // namespace

TEST_F(PageTable, SheetsAndAxesAreHeldToTheirLimits)
{
    for (int i = 1; i < TAB_MAX_SHEETS; i++)
        EXPECT_EQ(tab.AddSheet("", "", "", "", 60, 40, 0), i);
    EXPECT_EQ(tab.Sheets[1].X.Count, 50);
    EXPECT_EQ(tab.Sheets[1].Y.Count, 30);
    EXPECT_EQ(tab.AddSheet("", "", "", "", 5, 5, 0), -1);
    EXPECT_EQ(tab.SheetCount, TAB_MAX_SHEETS);

    tab.DefineAxes(0, 1, "RPM", "", 3, 250, 100, 1, nullptr, 1, 1, 0, 99, 0, 0, 1, -1, 1, 0, nullptr);
    EXPECT_EQ(S().X.MinCount, 1);
    EXPECT_EQ(S().X.Count, 15);
    EXPECT_GT(S().TabWidth, 15);
}

TEST_F(PageTable, ChangeGroupsReportEveryEditOnce)
{
    // One step of a cell as the stepping commands do it.
    auto step = [this](int32_t code) {
        tab.NoteChange(0, code);
        Cell(0, 0) += 1;
        tab.NoteChange(CHANGED_CELLS, code);
    };
    auto typed = [this](int32_t value) {
        tab.NoteChange(0, CHANGE_MULTI_OPEN);
        Cell(1, 0) = value;
        tab.NoteChange(CHANGED_CELLS, 0);
    };
    struct Case {
        const char* name;
        std::function<void()> run;
        std::vector<int> reports;
    } cases[] = {
        { "two steps 3 ticks apart merge and close 5 ticks after the second",
            [&] {
                step(0x140001);
                Ticks(3);
                step(0x140001);
                Ticks(10);
            },
            { 8 } },
        { "a step and at once a typed value: one report per group",
            [&] {
                step(0x140001);
                typed(30);
                Ticks(10);
            },
            { 0, 0 } },
        { "a step of another item closes the open group",
            [&] {
                step(0x140001);
                Ticks(1);
                step(0x140002);
                Ticks(10);
            },
            { 1, 6 } },
        { "an end code without an open multi-step group does nothing",
            [&] {
                tab.NoteChange(CHANGED_CELLS, CHANGE_MULTI_END);
                Ticks(10);
            },
            {} },
        { "a multi-step group ends with its end code",
            [&] {
                tab.NoteChange(0, CHANGE_MULTI_OPEN);
                Cell(2, 0) = 5;
                tab.NoteChange(CHANGED_CELLS, CHANGE_MULTI_OPEN);
                tab.NoteChange(CHANGED_CELLS, CHANGE_MULTI_OPEN);
                tab.NoteChange(0, CHANGE_MULTI_END);
                Ticks(10);
            },
            { 0 } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        reports.clear();
        tab.TabTicks = 0;
        c.run();
        EXPECT_EQ(reports, c.reports);
        EXPECT_EQ(tab.ChangeCode, 0);
        EXPECT_EQ(tab.ChangeKinds, 0);
    }
    EXPECT_EQ(Cell(1, 0), 30);

    // The end code alone runs no limits either.
    Cell(3, 0) = 99;
    tab.NoteChange(CHANGED_CELLS, CHANGE_MULTI_END);
    EXPECT_EQ(Cell(3, 0), 99);
    tab.NoteChange(CHANGED_CELLS, 0);
    EXPECT_EQ(Cell(3, 0), 60);
}

TEST_F(PageTable, BoundValuesAreHeldToTheSheetRanges)
{
    S().Flags |= SHEET_LIMITER_LINE | SHEET_START_LIMITER_LINE;
    tab.BaseAdvance = 75;
    tab.LimiterRpm = 30000;
    tab.StartLimiterRpm = 100;
    tab.ApplyLimits(&S(), 0);
    EXPECT_EQ(tab.BaseAdvance, 60);
    EXPECT_EQ(tab.LimiterRpm, 25000);
    EXPECT_EQ(tab.StartLimiterRpm, 300);
    std::snprintf(S().X.Label, sizeof S().X.Label, "Speed");
    tab.LimiterRpm = 30000;
    tab.ApplyLimits(&S(), 0);
    EXPECT_EQ(tab.LimiterRpm, 30000); // only "RPM" sheets bind them
}

TEST_F(PageTable, LivePositionOnEachAxisKey)
{
    struct Case {
        const char* key;
        std::vector<int32_t> points;
        double scale;
        int32_t live;
        int32_t missing;
        uint32_t flags;
        int expected;
    } cases[] = {
        { "RPM", { 10, 20, 30 }, 100, 2400, 0, 0, 1 },
        { "RPM", { 10, 20, 30 }, 100, 2600, 0, 0, 2 },
        { "RPM", { 10, 20, 30 }, 100, 500, 0, 0, 0 },
        { "RPM", { 10, 20, 30 }, 100, 500, 0, SHEET_BASE_ADVANCE_LINE, -1 },
        { "RPM", { 10, 20, 30 }, 100, 9900, 0, 0, 2 },
        { "Tst", { 0, 10, 20 }, 1, 15, 0, 0, 1 },
        { "TW", { 0, 10, 20 }, 1, 15, 0, 0, 2 },
        { "TP", { 0, 50, 100 }, 1, 60, 0x2, 0, -2 },
        { "IAP", { 0, 50, 100 }, 1, 60, 0x4, 0, -2 },
        { "IAP", { 0, 50, 100 }, 1, 60, 0x2, 0, 1 },
        { "AFR", { 100, 140, 180 }, 100, 150, 0, 0, 1 },
        { "RPM", { 10, 20, 30 }, 100, 2400, 0x100, 0, -2 },
        { "Other", { 10, 20, 30 }, 1, 20, 0, 0, -2 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.key) + " " + std::to_string(c.live));
        CAxe& a = S().X;
        std::snprintf(a.Key, sizeof a.Key, "%s", c.key);
        a.Count = int(c.points.size());
        std::copy(c.points.begin(), c.points.end(), a.Values);
        a.Scale = c.scale;
        S().Flags = c.flags;
        tab.LiveRpm = tab.LiveTst = tab.LiveTw = tab.LiveTp = tab.LiveIap = tab.LiveAfr = c.live;
        tab.LiveMissing = c.missing;
        EXPECT_EQ(tab.LivePositionOnAxis(a), c.expected);
    }
}

TEST_F(PageTable, MarkerStatesOfInjectionAndAdvanceSheets)
{
    std::snprintf(S().V.Key, sizeof S().V.Key, "INJ");
    tab.LiveRpm = 2400;
    tab.LiveTp = 30;
    struct Case {
        int share;
        int state;
    } injection[] = { { 50, 2 }, { 0, -1 }, { 100, 1 } };
    for (const Case& c : injection) {
        tab.LiveInjTpShare = c.share;
        tab.UpdateLivePosition();
        EXPECT_EQ(S().LiveState, c.state) << c.share;
    }
    EXPECT_EQ(S().LiveCol, 1);
    EXPECT_EQ(S().LiveRow, 3);
    tab.LiveRpm = 0; // a stopped engine hides the marker
    tab.UpdateLivePosition();
    EXPECT_EQ(S().LiveState, 0);

    std::snprintf(S().V.Key, sizeof S().V.Key, "ADV");
    tab.LiveRpm = 2400;
    tab.LiveLoadBits = 0x10; // the first map takes its load from the pressure: its TP map is unused
    tab.UpdateLivePosition();
    EXPECT_EQ(S().LiveState, -1);
    tab.LiveLoadBits = 0;
    tab.UpdateLivePosition();
    EXPECT_EQ(S().LiveState, 1);
}

TEST_F(PageTable, StepAmountsLinearAndLogarithmic)
{
    struct Case {
        uint32_t flags;
        double step;
        int32_t value;
        int n;
        int32_t expected;
    } cases[] = {
        { 0, 1, 1000, 1, 1001 }, { 0, 1, 1000, -3, 997 }, { SHEET_LOG_STEPS, 1, 1000, 1, 1010 },
        { SHEET_LOG_STEPS, 1, 1000, -1, 990 }, { SHEET_LOG_STEPS, 1, 500, 1, 510 },
        { SHEET_LOG_STEPS, 1, 500, -1, 499 },
        { SHEET_LOG_STEPS, 1, 101, 1, 102 }, // 1 % rounds back down to 100: the linear step instead
        { SHEET_LOG_STEPS, 1, 100, 1, 101 }, { SHEET_LOG_STEPS, 1, 2000, 10, 2210 },
        { SHEET_LOG_STEPS, 1, 101, -10, 100 }, // below the table's start: held to it
        { SHEET_LOG_STEPS, 10, 50, 1, 60 }, { SHEET_LOG_STEPS, 0.5, 50, 1, 51 }, // a step under 1 still moves
        { SHEET_LOG_STEPS, 1, 16000000, 10, 16000010 }, // beyond the table: linear
    };
    S().V.Max = INT32_MAX;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.value) + " by " + std::to_string(c.n));
        S().Flags = c.flags;
        S().V.Step = c.step;
        Cell(0, 0) = c.value;
        EXPECT_EQ(c.value + tab.StepAmount(0, 0, c.n), c.expected);
    }
    S().Flags = SHEET_LOG_STEPS;
    S().V.Step = 1;
    Cell(0, 0) = 15100000; // near the table's end a big step reads no further than its last entry
    EXPECT_GT(tab.StepAmount(0, 0, 50), 0);
    for (int32_t v = 100; v <= 391; v++) {
        Cell(0, 0) = v;
        EXPECT_GT(tab.StepAmount(0, 0, 1), 0) << v;
        EXPECT_LT(tab.StepAmount(0, 0, -1), 0) << v;
    }
}

TEST_F(PageTable, PlusStepsTheSelectionOrTheLivePoint)
{
    // Nothing selected and the engine below the first speed breakpoint: the base advance.
    tab.BaseAdvance = 10;
    tab.LiveRpm = 500;
    tab.LiveTp = 30;
    tab.UpdateLivePosition();
    ASSERT_EQ(S().LiveCol, -1);
    tab.DoCommand(3);
    EXPECT_EQ(tab.BaseAdvance, 11);
    // At 2400 rpm the live cell.
    tab.LiveRpm = 2400;
    tab.UpdateLivePosition();
    tab.DoCommand(3);
    EXPECT_EQ(Cell(1, 3), 21);
    // A selection of two cells takes the step instead.
    S().Sel.SelectItem(tab.TableHitMap, 4, 4);
    S().Sel.SelectRange(tab.TableHitMap, 5, 4);
    tab.DoCommand(4);
    EXPECT_EQ(Cell(4, 4), 19);
    EXPECT_EQ(Cell(5, 4), 19);
    EXPECT_EQ(Cell(1, 3), 21);
    // The hover step of a selected cell steps the selection, of another cell only it.
    tab.SetHoverItem(4, 4);
    tab.StepCurrentItem(1);
    EXPECT_EQ(Cell(5, 4), 20);
    tab.SetHoverItem(7, 7);
    tab.StepCurrentItem(1);
    EXPECT_EQ(Cell(7, 7), 21);
    EXPECT_EQ(Cell(5, 4), 20);
    // Values never leave the axis.
    Cell(7, 7) = 60;
    tab.StepCurrentItem(5);
    EXPECT_EQ(Cell(7, 7), 60);
}

TEST(TabLayout, ToolbarGeometry)
{
    struct Case {
        const char* name;
        int32_t style;
        int sheets;
        int copyLeft, marginTop;
        bool viewButtons;
    } cases[] = {
        { "toolbar, table, 2D and 3D, one sheet", TABSTYLE_TOOLBAR | TABSTYLE_TABLE | TABSTYLE_2D | TABSTYLE_3D, 1, 11,
            36, true },
        { "two sheets push the toolbar under the tabs", TABSTYLE_TOOLBAR | TABSTYLE_TABLE | TABSTYLE_2D | TABSTYLE_3D,
            2, 11, 56, true },
        { "only the table: no view buttons", TABSTYLE_TOOLBAR | TABSTYLE_TABLE, 1, 500 - 27 - 273, 36, false },
        { "a bare tab strip has no buttons", TABSTYLE_TOOLBAR | TABSTYLE_BARE_TABS | TABSTYLE_TABLE, 1, -1, 36, false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TTab tab(nullptr, 500, 300, c.style);
        for (int i = 0; i < c.sheets; i++) {
            tab.AddSheet("", "X", "Y", "V", 15, 10, 0);
            tab.Sheets[i].X.CollapsePolicy = 1;
            tab.Sheets[i].Y.CollapsePolicy = 0;
            tab.Sheets[i].TabWidth = 60;
        }
        tab.SelectSheet(0);
        EXPECT_EQ(tab.MarginTop, c.marginTop);
        if (c.copyLeft >= 0) {
            EXPECT_EQ(tab.Buttons[0].Rect.left, c.copyLeft);
            EXPECT_EQ(tab.ButtonCount, TAB_BUTTONS);
        } else {
            EXPECT_EQ(tab.Buttons[0].ButtonState, 0);
            EXPECT_EQ(tab.ButtonCount, 0);
        }
        EXPECT_EQ(tab.Buttons[5].ButtonState != 0, c.viewButtons);
        EXPECT_EQ(tab.CellsLeft, tab.YHeaderLeft + tab.YHeaderWidth + tab.BandGap);
        EXPECT_FLOAT_EQ(tab.CellWidth, (500.0f - tab.CellsLeft - 27) / 15);
    }
}

TEST(TabLayout, ViewFallbacksAndTheSharedGraph)
{
    struct Case {
        int32_t style;
        int request;
        int view;
    } cases[] = {
        { TABSTYLE_TABLE | TABSTYLE_2D, VIEW_3D, VIEW_TABLE },
        { TABSTYLE_2D | TABSTYLE_3D, VIEW_TABLE, VIEW_2D },
        { TABSTYLE_TABLE | TABSTYLE_3D, VIEW_2D, VIEW_3D },
        { TABSTYLE_3D, VIEW_2D, VIEW_3D },
    };
    for (const Case& c : cases) {
        TTab tab(nullptr, 500, 300, c.style);
        tab.AddSheet("", "X", "Y", "V", 4, 1, 0);
        tab.SelectSheet(0);
        tab.SetView(c.request);
        EXPECT_EQ(tab.ViewRequest, c.view) << c.style << " " << c.request;
    }
    // One row with room below: the 2D graph shares the control, under the table.
    TTab tab(nullptr, 500, 400, TABSTYLE_TABLE | TABSTYLE_2D);
    tab.AddSheet("", "X", "Y", "V", 4, 1, 0);
    tab.Sheets[0].Y.Collapsed = 1;
    tab.SelectSheet(0);
    EXPECT_EQ(tab.ViewBits, VIEW_TABLE | VIEW_2D);
    EXPECT_EQ(tab.Graph.AreaLeft, tab.MarginLeft);
    EXPECT_GT(tab.Graph.AreaTop, tab.CellsTop);
}

TEST_F(PageTable, TheEditorShowsWholeStepsAndStoresWhatWasTyped)
{
    S().V.Step = 10;
    S().V.Scale = 0.1;
    S().V.Max = 100000;
    Cell(2, 2) = 1234;
    tab.OpenEditor(2, 2, false);
    EXPECT_STREQ(tab.EditText, "123");
    tab.CommitEditor();
    EXPECT_EQ(Cell(2, 2), 1234); // an untouched text stores nothing
    EXPECT_TRUE(reports.empty());

    struct Case {
        const char* text;
        int32_t stored;
    } cases[] = {
        { "45,6", 456 }, { " 1 0 ", 100 }, { "-3", 0 }, // held to the axis
        { "99999999999999", 100000 }, // saturates at the top, never wraps round
        { "abc", 100000 }, // does not read: nothing changes
    };
    for (const Case& c : cases) {
        tab.OpenEditor(2, 2, true);
        std::snprintf(tab.EditText, sizeof tab.EditText, "%s", c.text);
        tab.CommitEditor();
        EXPECT_EQ(Cell(2, 2), c.stored) << c.text;
        EXPECT_EQ(tab.EditorActive, 0);
    }
    EXPECT_EQ(reports.size(), 4u);

    // A scroll that changes nothing leaves the editor open.
    tab.OpenEditor(2, 2, false);
    EXPECT_EQ(tab.ScrollBy(0, 1), 0);
    EXPECT_EQ(tab.EditorActive, 1);
}

TEST_F(PageTable, CursorMovesWrapAroundTheTable)
{
    struct Case {
        int col, row, dx, dy;
        int toCol, toRow;
    } cases[] = {
        { 14, 3, 1, 0, -1, 3 }, // past the last column onto the Y breakpoint
        { -1, 3, -1, 0, 14, 3 },
        { 14, -1, 1, 0, 0, -1 }, // an X breakpoint wraps to column 0
        { 2, 9, 0, 1, 2, -1 },
        { 2, 3, 10000 + 7, 0, 7, 3 },
    };
    for (const Case& c : cases) {
        S().Sel.SelectItem(tab.TableHitMap, c.col, c.row);
        EXPECT_EQ(tab.MoveCursor(c.dx, c.dy, false), 1);
        int col, row;
        tab.CurrentItem(col, row);
        EXPECT_EQ(col, c.toCol) << c.col << "," << c.row;
        EXPECT_EQ(row, c.toRow) << c.col << "," << c.row;
    }
}

TEST_F(PageTable, TypingIntoTheTable)
{
    S().X.Editable = 1;
    S().Sel.SelectItem(tab.TableHitMap, 3, 2);
    Key(Qt::Key_5, "5");
    EXPECT_EQ(tab.EditorActive, 1);
    EXPECT_STREQ(tab.EditText, "5");
    Key(Qt::Key_2, "2");
    Key(Qt::Key_Return);
    EXPECT_EQ(Cell(3, 2), 52);
    EXPECT_EQ(reports.size(), 1u);
    int col, row;
    tab.CurrentItem(col, row);
    EXPECT_EQ(col, 3);
    EXPECT_EQ(row, 2); // the first Enter stores and stays
    Key(Qt::Key_Return);
    tab.CurrentItem(col, row);
    EXPECT_EQ(row, 3);

    // Seventeen characters: the last is not taken; Escape drops the text.
    Key(Qt::Key_Backspace);
    for (int i = 0; i < 17; i++)
        Key(Qt::Key_1, "1");
    EXPECT_EQ(std::string(tab.EditText).size(), 16u);
    Key(Qt::Key_Escape);
    EXPECT_EQ(tab.EditorActive, 0);
    EXPECT_EQ(Cell(3, 3), 20);

    // + and - step the selection through the common keys.
    Key(Qt::Key_Plus, "+");
    Key(Qt::Key_Plus, "+");
    EXPECT_EQ(Cell(3, 3), 22);
    Ticks(6);
    EXPECT_EQ(reports.size(), 2u);

    // Typing with nothing selected is not the table's.
    S().Sel.Clear();
    EXPECT_EQ(tab.HandleKey(0, '7'), 0);
}

TEST_F(PageTable, StepButtonsOfTheHoverItem)
{
    tab.SetHoverItem(2, 1);
    ASSERT_EQ(tab.HoverOn, 1);
    EXPECT_EQ(tab.PlusRect.Width(), 15);
    EXPECT_EQ(tab.MinusRect.top, tab.PlusRect.bottom + 1);
    tab.SetPointer(tab.PlusRect.left + 3, tab.PlusRect.top + 2);
    ASSERT_EQ(tab.HoverButton, 1);
    tab.LeftDown();
    tab.LeftUp();
    EXPECT_EQ(Cell(2, 1), 21);
    tab.SetPointer(tab.MinusRect.left + 3, tab.MinusRect.top + 2);
    tab.Wheel(-1);
    EXPECT_EQ(Cell(2, 1), 20);
    Ticks(6);
    EXPECT_EQ(reports.size(), 1u); // both steps of the one cell in one group
    // Scrolled out of view, an item gets no buttons.
    tab.SetHoverItem(2, 29);
    EXPECT_EQ(tab.HoverOn, 0);
}

TEST_F(PageTable, CornerAndRightClicksChooseWhatIsSelected)
{
    const int allCellsX = tab.YHeaderLeft + tab.YHeaderWidth + 5, allCellsY = tab.XHeaderTop + tab.XHeaderHeight + 5;
    tab.SetPointer(allCellsX, allCellsY);
    tab.LeftDown();
    EXPECT_EQ(S().Sel.Count, 150);
    tab.LeftDown();
    EXPECT_EQ(S().Sel.Count, 0); // the second click clears
    // The header corner's diagonal: upper right the X breakpoints, lower left the Y ones.
    tab.SetPointer(tab.YHeaderLeft + tab.YHeaderWidth - 2, tab.XHeaderTop + 2);
    tab.LeftDown();
    EXPECT_EQ(S().Sel.Count, 15);
    EXPECT_EQ(S().Sel.BandY1, -1);
    tab.SetPointer(tab.YHeaderLeft + 2, tab.XHeaderTop + tab.XHeaderHeight - 2);
    tab.LeftDown();
    EXPECT_EQ(S().Sel.Count, 10);
    EXPECT_EQ(S().Sel.BandX1, -1);

    // A right click keeps a selection it lands in and replaces one it misses.
    S().Sel.SelectItem(tab.TableHitMap, 1, 1);
    S().Sel.SelectRange(tab.TableHitMap, 2, 2);
    const TabRect inside = tab.TableHitMap.Cell(2, 2);
    tab.SetPointer(inside.left + 3, inside.top + 3);
    tab.RightDown();
    EXPECT_EQ(S().Sel.Count, 4);
    const TabRect outside = tab.TableHitMap.Cell(6, 6);
    tab.SetPointer(outside.left + 3, outside.top + 3);
    tab.RightDown();
    EXPECT_EQ(S().Sel.Count, 1);
    // A column's band strip selects its cells.
    const TabRect band = tab.TableHitMap.XBand(4);
    tab.SetPointer(band.left + 3, band.top + 3);
    tab.RightDown();
    EXPECT_EQ(S().Sel.Count, 10);
    EXPECT_EQ(S().Sel.BandX1, 4);
}

TEST(TabPositionButtons, ShowTheReferenceAndReportAChange)
{
    TTab tab(nullptr, 700, 300, TABSTYLE_TABLE | TABSTYLE_POSITION_REF);
    int reports = 0;
    tab.OnMapTableChanged = [&](TTab*) { reports++; };
    tab.AddSheet("", "X", "Y", "V", 4, 4, 0);
    tab.SelectSheet(0);
    EXPECT_EQ(tab.Buttons[20].Pressed, 1);
    tab.DoCommand(22);
    EXPECT_EQ(tab.PositionRef, 2);
    EXPECT_EQ(tab.Buttons[20].Pressed + tab.Buttons[21].Pressed, 0);
    EXPECT_EQ(tab.Buttons[22].Pressed, 1);
    EXPECT_EQ(reports, 1);
    tab.DoCommand(22); // already set: nothing
    EXPECT_EQ(reports, 1);
    tab.PositionRef = 1; // a page sets it
    tab.RedrawBits = 0;
    tab.RefreshPositionButtons();
    EXPECT_EQ(tab.Buttons[21].Pressed, 1);
    EXPECT_EQ(tab.RedrawBits & REDRAW_RENDER, REDRAW_RENDER);
}

TEST(TabLayout, CollapsedAxesUseTheirRuleIndex)
{
    TTab tab(nullptr, 500, 300, TABSTYLE_TABLE);
    tab.AddSheet("", "X", "Y", "V", 7, 3, 0);
    tab.SelectSheet(0);
    CAxe& x = tab.Sheet->X;
    x.Collapsed = 1;
    for (auto [rule, used] : { std::pair { -1, 0 }, { -2, 6 }, { -3, 3 }, { 9, 6 } }) {
        x.CollapseTo = rule;
        tab.LayoutTable();
        EXPECT_EQ(x.UsedIndex, used) << rule;
        EXPECT_EQ(tab.VisibleCols, 1);
        // Only the used column has cells to hit, at the left of the cell area.
        EXPECT_EQ(tab.TableHitMap.Cell(used, 0).left, tab.CellsLeft);
    }
}
