#include "mapedit/tab.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

// A bare control (no main window, nothing to follow) with ticks driven by the
// test and the keyboard state scripted.
struct TabFixture : ::testing::Test {
    TabInputState input;
    TTab tab { nullptr, 0, 0, TABSTYLE_TOOLBAR | TABSTYLE_TABLE | TABSTYLE_2D | TABSTYLE_3D };

    TabFixture()
    {
        SetTabInputProbe([this] { return input; });
        AddSheet(0);
        tab.SelectSheet(0);
    }
    ~TabFixture() override { SetTabInputProbe(nullptr); }

    CSheet& AddSheet(uint32_t flags)
    {
        CSheet& s = tab.Sheets[tab.AddSheet("Sheet", "X", "Y", "V", 15, 10, flags)];
        s.TabWidth = 60;
        return s;
    }

    void Send(QEvent& e) { QApplication::sendEvent(&tab, &e); }
    void Mouse(QEvent::Type type, int x, int y, Qt::MouseButton button = Qt::NoButton)
    {
        QMouseEvent e(type, QPointF(x, y), QPointF(x, y), button, button, Qt::NoModifier);
        Send(e);
    }
    void WheelBy(int delta)
    {
        QWheelEvent e(QPointF(5, 150), QPointF(5, 150), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
            Qt::NoScrollPhase, false);
        Send(e);
    }
    bool Key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& text = QString())
    {
        QKeyEvent e(QEvent::KeyPress, key, mods, text);
        Send(e);
        return e.isAccepted();
    }
    void Ticks(int n)
    {
        for (int i = 0; i < n; i++)
            tab.Tick();
    }
};

} // namespace

TEST(TTabConstruction, DefaultsOfABareControl)
{
    TTab tab(nullptr, 0, 0, TABSTYLE_ONOFF);
    EXPECT_EQ(tab.width(), 500);
    EXPECT_EQ(tab.height(), 200);
    EXPECT_EQ(tab.BackBitmap.size(), QSize(500, 200));
    EXPECT_EQ(tab.BackBitmap.depth(), 32);
    EXPECT_EQ(tab.CurrentIndex, -1);
    EXPECT_EQ(tab.Sheet, nullptr);
    EXPECT_EQ(tab.ViewRequest, VIEW_TABLE);
    EXPECT_EQ(tab.BandGap, 15);
    EXPECT_EQ(tab.YHeaderWidth, 45);
    EXPECT_EQ(tab.Colours[9], 0x44F444u);
    EXPECT_EQ(TTab(nullptr, 300, 100, 0).YHeaderWidth, 65);
    EXPECT_FLOAT_EQ(LogStepTable[0], 100.0f);
    EXPECT_NEAR(LogStepTable[1199], 100 * std::pow(1.01, 1199), 1.0);

    // Without a sheet only the tick counter moves.
    tab.Tick();
    EXPECT_EQ(tab.TabTicks, 1);
    EXPECT_EQ(tab.HandleKey(VK_DOWN, 0), 0);
    tab.SetPointer(10, 10);
    tab.LeftDown();
}

TEST_F(TabFixture, TabKeysWalkTheSheets)
{
    EXPECT_EQ(tab.HandleKey(KEY_TAB, 0), 0); // one sheet: nothing to do
    AddSheet(0).Hidden = 1;
    AddSheet(0);
    EXPECT_TRUE(Key(Qt::Key_Tab));
    EXPECT_EQ(tab.CurrentIndex, 2); // the hidden sheet is skipped
    EXPECT_TRUE(Key(Qt::Key_Tab));
    EXPECT_EQ(tab.CurrentIndex, 0); // wraps
    EXPECT_TRUE(Key(Qt::Key_Backtab, Qt::ShiftModifier));
    EXPECT_EQ(tab.CurrentIndex, 2);
    EXPECT_TRUE(Key(Qt::Key_Tab, Qt::ControlModifier));
    EXPECT_EQ(tab.CurrentIndex, 0); // back to the previous one
    tab.SelectSheet(1); // a hidden sheet made current by code
    tab.SelectSheet(2);
    input.ctrl = true;
    EXPECT_EQ(tab.HandleKey(KEY_TAB, 0), 1);
    EXPECT_EQ(tab.CurrentIndex, 2); // the previous sheet is hidden: stays
}

TEST_F(TabFixture, CommonKeysComeFirst)
{
    EXPECT_EQ(tab.HandleKey(0, '+'), 1); // steps the selection
    tab.EditorActive = 1;
    EXPECT_EQ(tab.HandleKey(0, '-'), 1); // the open editor takes it as text
    EXPECT_STREQ(tab.EditText, "-");
    EXPECT_TRUE(Key(Qt::Key_C, Qt::ControlModifier));
    EXPECT_TRUE(Key(Qt::Key_Insert, Qt::ShiftModifier));
    EXPECT_FALSE(Key(Qt::Key_Insert));
    EXPECT_FALSE(Key(Qt::Key_F1));
    EXPECT_EQ(tab.HandleKey(112 /* F1 */, 0), 0);
}

TEST_F(TabFixture, ButtonsFollowThePointer)
{
    TabButton& push = tab.Buttons[3];
    push.ButtonState = 1;
    push.Rect = { 100, 2, 124, 20 };
    TabButton& toggle = tab.Buttons[9];
    toggle.ButtonState = 1;
    toggle.ButtonKind = BUTTON_TOGGLE;
    toggle.Rect = { 130, 2, 154, 20 };
    toggle.Hint = "###Hint####Napoveda";
    TabButton& greyed = tab.Buttons[7];
    greyed.ButtonState = 1 | BUTTON_GREYED;
    greyed.Rect = { 160, 2, 184, 20 };

    Mouse(QEvent::MouseMove, 110, 10);
    EXPECT_EQ(push.Hover, 1);
    Mouse(QEvent::MouseButtonPress, 110, 10, Qt::LeftButton);
    EXPECT_EQ(push.Pressed, 1);
    Mouse(QEvent::MouseMove, 90, 10); // leaving releases a held push button
    EXPECT_EQ(push.Pressed, 0);
    EXPECT_EQ(push.Hover, 0);

    Mouse(QEvent::MouseMove, 140, 10);
    EXPECT_EQ(tab.HintText, "###Hint####Napoveda");
    Mouse(QEvent::MouseButtonPress, 140, 10, Qt::LeftButton);
    EXPECT_EQ(toggle.Pressed, 1);
    Mouse(QEvent::MouseButtonRelease, 140, 10, Qt::LeftButton);
    EXPECT_EQ(toggle.Pressed, 1);
    Mouse(QEvent::MouseButtonDblClick, 140, 10, Qt::LeftButton);
    EXPECT_EQ(toggle.Pressed, 0);

    Mouse(QEvent::MouseMove, 170, 10);
    EXPECT_EQ(greyed.Hover, 0);
    EXPECT_EQ(tab.HintText, "");
    QEvent leave(QEvent::Leave);
    Send(leave);
    EXPECT_EQ(tab.MouseX, 0);
    EXPECT_EQ(tab.MouseY, 0);
}

TEST_F(TabFixture, SheetTabsAreClickedThroughTheTabRow)
{
    AddSheet(0);
    int told = 0;
    tab.OnMapTableChanged = [&](TTab*) { told++; };
    Mouse(QEvent::MouseMove, 70, 10); // 2 + 60 + 2 for the current sheet: the second tab
    EXPECT_EQ(tab.HotSheetTab, 2);
    Mouse(QEvent::MouseButtonPress, 70, 10, Qt::LeftButton);
    EXPECT_EQ(tab.CurrentIndex, 1);
    EXPECT_EQ(told, 1);

    // A right click on a tab makes that sheet current before the menu.
    Mouse(QEvent::MouseMove, 30, 10);
    Mouse(QEvent::MouseButtonPress, 30, 10, Qt::RightButton);
    EXPECT_EQ(tab.CurrentIndex, 0);
    EXPECT_EQ(tab.PopupX, 30);
}

TEST_F(TabFixture, AClickOnNoViewClearsTheSelection)
{
    TabHitMap map;
    map.CountX = 15;
    map.CountY = 10;
    tab.Sheet->Sel.SelectItem(map, 2, 2);
    ASSERT_EQ(tab.Sheet->Sel.Kind, HIT_CELL);
    Mouse(QEvent::MouseButtonPress, 300, 150, Qt::LeftButton);
    EXPECT_EQ(tab.Sheet->Sel.Kind, 0);
    EXPECT_EQ(tab.Sheet->Sel.ItemFlags(2, 2), 0);
}

TEST_F(TabFixture, WheelStepsOncePerNotchAndNotWhileAButtonIsHeld)
{
    tab.RowSlots = 4;
    tab.UpdateToolbar();
    tab.Sheet->Y.FirstVisible = 3;
    WheelBy(-40);
    WheelBy(-40);
    EXPECT_EQ(tab.Sheet->Y.FirstVisible, 3);
    WheelBy(-40);
    EXPECT_EQ(tab.Sheet->Y.FirstVisible, 4); // a turn down scrolls down one row
    WheelBy(240);
    EXPECT_EQ(tab.Sheet->Y.FirstVisible, 2);
    input.leftButton = true;
    WheelBy(120);
    EXPECT_EQ(tab.Sheet->Y.FirstVisible, 2);
    input.leftButton = false;
    WheelBy(-120 * 20);
    EXPECT_EQ(tab.Sheet->Y.FirstVisible, 6); // 10 rows, 4 in view
}

TEST_F(TabFixture, StepButtonsRepeatAfterSixteenTicks)
{
    struct Case {
        uint32_t flags;
        int col, row;
        std::vector<int> marks; // total steps after ticks 15, 16, 35, 36, 37, 38, 60
    } cases[] = {
        { SHEET_FAST_REPEAT_CELLS, 1, 1, { 0, 1, 20, 30, 30, 40, 150 } },
        { 0, 1, 1, { 0, 1, 20, 21, 22, 23, 45 } },
        { SHEET_FAST_REPEAT_CELLS, 1, -1, { 0, 1, 20, 21, 22, 23, 45 } }, // a breakpoint of X
        { SHEET_FAST_REPEAT_X, 1, -1, { 0, 1, 20, 30, 30, 40, 150 } },
    };
    tab.Sheet->X.Max = tab.Sheet->V.Max = 1000;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.flags);
        tab.Sheet->Flags = c.flags;
        tab.Sheet->X.Values[1] = 0;
        tab.Sheet->V.Values[51] = 0;
        tab.HoverOn = 1;
        tab.HoverCol = c.col;
        tab.HoverRow = c.row;
        tab.HoverButton = 1;
        tab.PlusPressed = 1;
        tab.PressTick = tab.TabTicks;
        const int32_t& item = c.row == -1 ? tab.Sheet->X.Values[1] : tab.Sheet->V.Values[51];
        std::vector<int> seen;
        for (int d = 1; d <= 60; d++) {
            tab.Tick();
            if (d == 15 || d == 16 || d == 35 || d == 36 || d == 37 || d == 38 || d == 60)
                seen.push_back(item);
        }
        EXPECT_EQ(seen, c.marks);
    }
    tab.PlusPressed = 0;
    const int32_t before = tab.Sheet->X.Values[1];
    tab.Tick();
    EXPECT_EQ(tab.Sheet->X.Values[1], before);
}

TEST_F(TabFixture, CaretBlinksWithAPeriodOfSixteenTicks)
{
    tab.EditorActive = 1;
    tab.CaretX = 10;
    tab.CaretY = 5;
    tab.CaretHeight = 12;
    std::vector<int> phases;
    for (int i = 0; i < 17; i++) {
        phases.push_back(tab.CaretPhase);
        tab.Tick();
    }
    EXPECT_EQ(phases, (std::vector<int> { 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 0 }));
}

TEST_F(TabFixture, HeldScrollBarPagesThroughTheTick)
{
    tab.RowSlots = 2;
    tab.UpdateToolbar();
    TabScrollBar& v = tab.VScroll;
    ASSERT_EQ(v.Visible, 1);
    ASSERT_EQ(v.Total, 10);
    ASSERT_EQ(v.Page, 2);
    v.PointerX = v.Rect.left + 5;
    v.PointerY = v.Rect.bottom - 20;
    v.PointerMove();
    ASSERT_EQ(v.HoverPart, SB_TRACK_AFTER);
    v.PointerDown();
    tab.DoCommand(1002);
    EXPECT_EQ(tab.Sheet->Y.FirstVisible, 1);
    Ticks(2);
    EXPECT_EQ(tab.Sheet->Y.FirstVisible, 1);
    Ticks(1);
    EXPECT_EQ(tab.Sheet->Y.FirstVisible, 2);
    Ticks(20);
    EXPECT_GT(tab.Sheet->Y.FirstVisible, 2);
    EXPECT_EQ(v.PressedPart, 0); // stopped under the thumb
}

TEST_F(TabFixture, RendersTheBackBitmapAndPaintsIt)
{
    tab.Color = 0x00FF00;
    tab.RedrawBits = REDRAW_RENDER;
    tab.Tick();
    EXPECT_EQ(tab.RedrawBits, 0u);
    EXPECT_EQ(tab.BackBitmap.pixelColor(250, 198), QColor(0, 255, 0)); // below the table

    QImage screen(500, 200, QImage::Format_RGB32);
    screen.fill(Qt::black);
    {
        QPainter p(&screen);
        tab.Paint(p);
    }
    EXPECT_EQ(screen.pixelColor(499, 199), QColor(0, 255, 0));

    tab.Color = 0x0000FF;
    tab.EnterPrintMode();
    EXPECT_EQ(tab.PrintMode, 1);
    EXPECT_EQ(tab.BackBitmap.pixelColor(0, 0), QColor(255, 0, 0));
    tab.LeavePrintMode();
    EXPECT_EQ(tab.PrintMode, 0);

    tab.resize(300, 100);
    tab.Render();
    EXPECT_EQ(tab.BackBitmap.size(), QSize(300, 100));
}

TEST_F(TabFixture, LanguageChangeRebuildsOnTheNextTick)
{
    int lang = 0;
    SetTabLanguageSource([&] { return lang; });
    tab.Tick();
    EXPECT_EQ(tab.RedrawBits, 0u);
    lang = 2;
    tab.RedrawBits = 0;
    tab.Tick();
    EXPECT_EQ(tab.ToolbarLang, 2);
    SetTabLanguageSource(nullptr);
}

TEST_F(TabFixture, EventsWhileAHandlerRunsAreDropped)
{
    AddSheet(0);
    AddSheet(0);
    tab.OnMapTableChanged = [&](TTab*) {
        // As if a message box ran its own loop inside the handler.
        EXPECT_TRUE(TTab::InHandler());
        Key(Qt::Key_Tab);
        Mouse(QEvent::MouseMove, 250, 150);
    };
    Mouse(QEvent::MouseMove, 70, 10);
    Mouse(QEvent::MouseButtonPress, 70, 10, Qt::LeftButton);
    EXPECT_EQ(tab.CurrentIndex, 1); // the Tab inside was dropped
    EXPECT_EQ(tab.MouseX, 70);
    EXPECT_FALSE(TTab::InHandler());
    Key(Qt::Key_Tab);
    EXPECT_EQ(tab.CurrentIndex, 2);
}

TEST_F(TabFixture, DragBeyondTheCellsScrollsFasterTheFartherOut)
{
    // Five columns of 20 px from x 100 and four rows of 10 px from y 50 in view.
    tab.ColumnSlots = 5;
    tab.RowSlots = 4;
    tab.CellsLeft = 100;
    tab.CellsTop = 50;
    tab.CellWidth = 20;
    tab.CellHeight = 10;
    tab.VisibleCols = 5;
    tab.VisibleRows = 4;
    struct Case {
        const char* name;
        int mode, x, y, ticks, firstX, firstY;
    } cases[] = {
        { "5 px right: every 9 ticks", HIT_CELL, 205, 60, 18, 7, 5 },
        { "95 px right: every tick", HIT_CELL, 295, 60, 4, 9, 5 },
        { "50 px left: every 5 ticks", HIT_CELL, 50, 60, 10, 3, 5 },
        { "below and right at once", HIT_CELL, 205, 100, 18, 7, 6 },
        { "Y headers move only rows", HIT_YHEADER, 295, 100, 18, 5, 6 },
        { "X bands move only columns", HIT_XBAND, 295, 100, 2, 7, 5 },
        { "inside: no scrolling", HIT_CELL, 150, 60, 30, 5, 5 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        tab.Sheet->X.FirstVisible = 5;
        tab.Sheet->Y.FirstVisible = 5;
        tab.TabTicks = 0;
        TSel& sel = tab.Sheet->Sel;
        sel.Clear();
        sel.Mode = c.mode | SELMODE_TABLE_DRAG;
        sel.AnchorPx = 300;
        tab.MouseX = c.x;
        tab.MouseY = c.y;
        Ticks(c.ticks);
        EXPECT_EQ(tab.Sheet->X.FirstVisible, c.firstX);
        EXPECT_EQ(tab.Sheet->Y.FirstVisible, c.firstY);
        // The anchor keeps pointing at the same item.
        EXPECT_EQ(sel.AnchorPx, 300 - (c.firstX - 5) * 20);
    }
}

TEST_F(TabFixture, SpotsOfTheViewSwitchAndTheOnOffFlag)
{
    for (int32_t style : { TABSTYLE_TABLE | TABSTYLE_2D, TABSTYLE_TABLE | TABSTYLE_2D | TABSTYLE_ONOFF }) {
        TTab table(nullptr, 400, 200, style);
        table.AddSheet("", "X", "Y", "V", 3, 2, 0);
        table.SelectSheet(0);
        table.YHeaderLeft = 20;
        table.CellsTop = 40;
        table.CellHeight = 10;
        // The switch lies by the Y headers just under the rows shown; the on/off grid has none.
        table.SetPointer(15, 60);
        table.LeftDown();
        EXPECT_EQ(table.ViewBits, style & TABSTYLE_ONOFF ? VIEW_TABLE | VIEW_ONOFF : VIEW_2D);
    }
    TTab bare(nullptr, 400, 200, TABSTYLE_TABLE | TABSTYLE_2D | TABSTYLE_ONOFF);
    CSheet& s = bare.Sheets[bare.AddSheet("", "X", "Y", "V", 3, 2, 0)];
    bare.SelectSheet(0);
    bare.YHeaderLeft = 20;
    bare.CellsTop = 40;
    bare.CellHeight = 10;
    // The on/off flag: right of the Y headers (width 45) under the rows.
    bare.SetPointer(60, 70);
    bare.LeftDown();
    EXPECT_EQ(bare.Graph.OnOffFlag, 1);
    EXPECT_EQ(bare.RedrawBits & REDRAW_VALUES, REDRAW_VALUES);
    // A disabled sheet takes neither.
    s.Enabled = 0;
    bare.SetPointer(61, 70);
    bare.LeftDown();
    EXPECT_EQ(bare.Graph.OnOffFlag, 1);
}
