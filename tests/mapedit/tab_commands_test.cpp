#include "tab_edit_support.h"

namespace {

using Commands = EditFixture;

} // namespace

TEST_F(Commands, InsertColumnAveragesItsNeighbours)
{
    struct Case {
        std::vector<int32_t> xs, row;
        int at;
        std::vector<int32_t> wantRow;
    };
    const Case cases[] = {
        { { 1000, 2000 }, { -3, 0 }, 1, { -3, -1, 0 } }, { { 1000, 2000, 3000 }, { 5, 6, 7 }, 0, { 5, 5, 6, 7 } },
        { { 1000, 2000 }, { 8, 9 }, 2, { 8, 9, 9 } }, { { 1000, 2000 }, { 8, 9 }, 99, { 8, 9, 9 } }, // held to the end
    };
    for (const Case& c : cases) {
        TTab t(nullptr, 0, 0, TABSTYLE_TABLE);
        CSheet& s = AddTo(t, int(c.xs.size()), 1);
        std::copy(c.xs.begin(), c.xs.end(), s.X.Values);
        std::copy(c.row.begin(), c.row.end(), s.V.Values);
        t.InsertAt(1, c.at);
        EXPECT_EQ(Row(s, 0), c.wantRow) << c.at;
        const std::vector<int32_t> xs = Points(s.X);
        EXPECT_TRUE(std::is_sorted(xs.begin(), xs.end()) && std::adjacent_find(xs.begin(), xs.end()) == xs.end());
        const int b = std::min<int>(c.at, int(c.xs.size()));
        EXPECT_EQ(s.Sel.Kind, HIT_CELL);
        EXPECT_EQ(s.Sel.BandX1, b);
    }
}

TEST_F(Commands, InsertBetweenGivesTheMeanAndAppendRestoresARemovedBreakpoint)
{
    CSheet& s = Add(3, 2);
    tab.InsertAt(1, 1);
    EXPECT_EQ(Points(s.X), (std::vector<int32_t> { 1000, 1500, 2000, 3000 }));
    tab.DoCommand(24);
    tab.DoCommand(24);
    EXPECT_EQ(Points(s.X), (std::vector<int32_t> { 1000, 1500 }));
    tab.DoCommand(23);
    EXPECT_EQ(Points(s.X), (std::vector<int32_t> { 1000, 1500, 2000 }));
    EXPECT_EQ(Row(s, 1), (std::vector<int32_t> { 4, 4, 4 })); // a copy of the last column
    EXPECT_EQ(s.Sel.Count, 0);
}

TEST_F(Commands, FullAndMinimalAxesRefuse)
{
    CSheet& s = Add(3, 2, 3, 2);
    const std::vector<int32_t> before = Row(s, 0);
    tab.DoCommand(23);
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_TRUE(dialogs.boxes[0].text.startsWith("Column count is on maximum !\nDelete some first..."));
    EXPECT_EQ(s.X.Count, 3);
    lang = 2;
    tab.InsertAt(0, 1);
    ASSERT_EQ(dialogs.boxes.size(), 2u);
    EXPECT_EQ(
        dialogs.boxes[1].text, QString::fromUtf16(u"Dosaženo maximálního počtu řádků !\nNejprve nějaký vymažte..."));
    EXPECT_EQ(s.Y.Count, 2);

    s.X.MinCount = 3;
    tab.DoCommand(24);
    EXPECT_EQ(s.X.Count, 3);
    s.X.Resizable = 0;
    s.X.MinCount = 1;
    tab.DeleteAt(1, 0);
    EXPECT_EQ(s.X.Count, 3);
    EXPECT_EQ(Row(s, 0), before);
    EXPECT_EQ(dialogs.boxes.size(), 2u);
}

TEST_F(Commands, LinkedSheetsFollowTheirMasterWithinTheArrays)
{
    CSheet& master = Add(3, 2);
    master.LinkId = 7;
    Add(3, 2).FollowerId = 7;
    Add(3, 29).FollowerId = 7;
    CSheet& full = Add(3, 30);
    full.FollowerId = 7;
    Add(3, 2); // not linked
    int told = 0;
    tab.OnMapTableChanged = [&told](TTab*) { told++; };

    tab.InsertAt(0, 1);
    EXPECT_EQ(tab.CurrentIndex, 0);
    EXPECT_EQ(tab.PreviousIndex, 3); // the last follower
    EXPECT_EQ(told, 1);
    EXPECT_EQ(master.Y.Count, 3);
    EXPECT_EQ(tab.Sheets[1].Y.Count, 3);
    EXPECT_EQ(tab.Sheets[1].Y.Values[1], 15);
    EXPECT_EQ(tab.Sheets[2].Y.Count, 30);
    EXPECT_EQ(full.Y.Count, 30); // already full: a follower never grows past 30 rows
    EXPECT_EQ(tab.Sheets[4].Y.Count, 2);
    const std::vector<int32_t> ys = Points(tab.Sheets[2].Y);
    EXPECT_TRUE(std::adjacent_find(ys.begin(), ys.end(), std::greater_equal<>()) == ys.end());

    tab.DeleteAt(1, 0);
    tab.FlushChangeGroup();
    for (int i : { 0, 1, 2, 3 })
        EXPECT_EQ(tab.Sheets[i].X.Count, 2) << i;
    EXPECT_EQ(tab.Sheets[1].X.Values[0], 2000);
    EXPECT_EQ(tab.Sheets[4].X.Count, 3);
    EXPECT_EQ(tab.CurrentIndex, 0);
}

TEST_F(Commands, DeleteSelectedColumnsRescansAndKeepsTheRestSelected)
{
    CSheet& s = Add(5, 2);
    Select(HIT_CELL, { { 2, 0 }, { 2, 1 }, { 3, 0 }, { 3, 1 }, { 4, 1 } });
    tab.DeleteSelected(1);
    EXPECT_EQ(Points(s.X), (std::vector<int32_t> { 1000, 2000, 5000 }));
    EXPECT_EQ(Row(s, 1), (std::vector<int32_t> { 6, 7, 10 }));
    EXPECT_EQ(s.Sel.ItemFlags(2, 1) & SEL_SELECTED, SEL_SELECTED);
    EXPECT_EQ(s.Sel.Count, 1);

    Select(HIT_XHEADER, { { 0, -1 }, { 1, -1 }, { 2, -1 } });
    tab.DeleteSelected(1); // never empties the table: stops at the least count
    EXPECT_EQ(s.X.Count, 1);
}

TEST_F(Commands, InterpolateMarkedBlocks)
{
    CSheet& s = Add(4, 3);
    s.X.UseValues = 0;
    Cell(s, 0, 0) = 0;
    Cell(s, 2, 0) = 20;
    Cell(s, 0, 2) = 100;
    Cell(s, 2, 2) = 120;
    Select(HIT_CELL, { { 0, 0 }, { 1, 0 }, { 2, 0 }, { 0, 1 }, { 1, 1 }, { 2, 1 }, { 0, 2 }, { 1, 2 }, { 2, 2 } });
    ASSERT_TRUE(s.Sel.IsBlock);
    tab.DoCommand(101);
    EXPECT_EQ(Row(s, 1), (std::vector<int32_t> { 50, 60, 70, 8 }));
    EXPECT_EQ(s.Sel.Count, 0);

    s.X.Values[3] = 7000;
    Select(HIT_XHEADER, { { 1, -1 }, { 2, -1 }, { 3, -1 } });
    tab.DoCommand(101);
    EXPECT_EQ(Points(s.X), (std::vector<int32_t> { 1000, 2000, 4500, 7000 }));

    Select(HIT_CELL, { { 0, 0 }, { 1, 0 } }); // two items are no block
    tab.DoCommand(101);
    EXPECT_EQ(Row(s, 0), (std::vector<int32_t> { 0, 10, 20, 4 }));
}

TEST_F(Commands, BlockDragStretchesAndMoves)
{
    CSheet& s = Add(6, 3);
    for (int r = 0; r < 3; r++)
        for (int c = 0; c < 6; c++)
            Cell(s, c, r) = 10 * r + c;
    Select(HIT_CELL, { { 1, 1 }, { 2, 1 }, { 1, 2 }, { 2, 2 } });
    tab.BlockDrag = 1;
    tab.DragRect = { 0, 0, 4, 2 };
    tab.ApplyBlockDrag();
    // The plane 10 r + c continues on every side, corners included.
    for (int r = 0; r < 3; r++)
        for (int c = 0; c <= 4; c++)
            EXPECT_EQ(Cell(s, c, r), 10 * r + c) << c << "," << r;
    EXPECT_EQ(s.Sel.Count, 15);

    Cell(s, 0, 0) = 99;
    Select(HIT_CELL, { { 0, 0 } });
    tab.DragRect = { 3, 1, 5, 2 };
    tab.ApplyBlockDrag(); // a single item fills the target
    EXPECT_EQ(Row(s, 2), (std::vector<int32_t> { 20, 21, 22, 99, 99, 99 }));

    Select(HIT_CELL, { { 0, 0 }, { 1, 0 } });
    tab.BlockDrag = 2;
    tab.DragRect = { 4, 1, 5, 1 };
    tab.ApplyBlockDrag();
    EXPECT_EQ(Row(s, 1), (std::vector<int32_t> { 10, 11, 12, 99, 99, 1 }));

    Select(HIT_XHEADER, { { 0, -1 }, { 1, -1 } });
    tab.BlockDrag = 1;
    tab.DragRect = { 0, -1, 4, -1 };
    tab.ApplyBlockDrag();
    EXPECT_EQ(Points(s.X), (std::vector<int32_t> { 1000, 2000, 3000, 4000, 5000, 6000 }));
}

TEST_F(Commands, CollapseEnableAndAngles)
{
    CSheet& s = Add(3, 2);
    tab.DoCommand(13);
    EXPECT_EQ(s.Y.Collapsed, 1);
    EXPECT_EQ(s.X.Collapsed, 0);
    s.X.CollapsePolicy = 0;
    tab.DoCommand(14); // X may never collapse
    EXPECT_EQ(s.X.Collapsed, 0);
    tab.DoCommand(15);
    EXPECT_EQ(s.Y.Collapsed, 0);

    tab.DoCommand(19);
    EXPECT_EQ(s.Enabled, 0);
    tab.DoCommand(17);
    EXPECT_EQ(tab.Graph.AngleX, -5);
    EXPECT_EQ(tab.Graph.AngleXY, 4);
    EXPECT_EQ(tab.Buttons[17].Pressed, 1);
    EXPECT_EQ(tab.Buttons[16].Pressed, 0);
}

TEST_F(Commands, BlockHandlesOfTheTableView)
{
    CSheet& s = Add(5, 4);
    Select(HIT_CELL, { { 1, 1 }, { 2, 1 }, { 1, 2 }, { 2, 2 } });
    const auto at = [this](double c, double r) {
        tab.MouseX = int(tab.CellsLeft + c * tab.CellWidth);
        tab.MouseY = int(tab.CellsTop + r * tab.CellHeight);
        tab.PointerMoved();
    };
    at(3, 3); // the bottom-right corner stretches
    ASSERT_EQ(tab.CornerHandle, 1);
    tab.TableMouseDown();
    ASSERT_EQ(tab.BlockDrag, 1);
    at(4.2, 3.1); // one cell further right
    EXPECT_EQ(tab.DragRect.right, 3);
    EXPECT_EQ(tab.DragRect.bottom, 2);
    tab.TableMouseUp();
    EXPECT_EQ(tab.BlockDrag, 0);
    EXPECT_EQ(Row(s, 1), (std::vector<int32_t> { 6, 7, 8, 9, 10 })); // extrapolated, here as it was
    EXPECT_EQ(s.Sel.Count, 6);

    Select(HIT_CELL, { { 1, 1 }, { 2, 1 } });
    at(1.5, 1); // the top edge moves
    ASSERT_EQ(tab.EdgeHandle, 1);
    tab.TableMouseDown();
    ASSERT_EQ(tab.BlockDrag, 2);
    at(4.6, 3.2); // three columns right would pass the edge: stops there
    EXPECT_EQ(tab.DragRect.left, 3);
    EXPECT_EQ(tab.DragRect.top, 3);
    tab.TableMouseUp();
    EXPECT_EQ(Row(s, 3), (std::vector<int32_t> { 16, 17, 18, 7, 8 }));

    Select(HIT_CELL, { { 0, 0 }, { 1, 0 }, { 2, 0 } });
    Cell(s, 1, 0) = 50;
    at(0.1, 0.1); // a corner triangle of the marked block interpolates it
    ASSERT_EQ(tab.InterpolateHandle, 1);
    tab.TableMouseDown();
    EXPECT_EQ(Row(s, 0)[1], 2);
}
