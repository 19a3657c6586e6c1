#include "mapedit/selection.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

namespace {

// A table laid out like the table view: Y headers at x 20..40, Y band strips
// 40..50, cells from x 50 in 20-pixel columns; X headers at y 10..20, X band
// strips 20..30, cells from y 30 in 10-pixel rows. Neighbours share borders.
constexpr int CX = 50, CY = 30, CW = 20, CH = 10;

TabHitMap Grid(int cols, int rows)
{
    TabHitMap m;
    m.Width = 600;
    m.Height = 400;
    m.CountX = cols;
    m.CountY = rows;
    m.HasXHeader = m.HasYHeader = m.HasXBand = m.HasYBand = m.HasCells = 1;
    for (int c = 0; c < cols; c++) {
        m.XHeader(c) = { CX + c * CW, 10, CX + (c + 1) * CW, 20 };
        m.XBand(c) = { CX + c * CW, 21, CX + (c + 1) * CW, 29 };
        for (int r = 0; r < rows; r++)
            m.Cell(c, r) = { CX + c * CW, CY + r * CH, CX + (c + 1) * CW, CY + (r + 1) * CH };
    }
    for (int r = 0; r < rows; r++) {
        m.YHeader(r) = { 20, CY + r * CH, 40, CY + (r + 1) * CH };
        m.YBand(r) = { 41, CY + r * CH, 49, CY + (r + 1) * CH };
    }
    return m;
}

// Centre of a cell, header (row or column -1) or band strip (-3).
int Px(int c)
{
    return c == -1 ? 30 : c == -3 ? 45 : CX + c * CW + CW / 2;
}
int Py(int r)
{
    return r == -1 ? 15 : r == -3 ? 25 : CY + r * CH + CH / 2;
}

// The selected cells of the first rows as text, '#' selected, 'c' corner.
std::string Picture(const TSel& s, int cols, int rows)
{
    std::string out;
    for (int r = 0; r < rows; r++) {
        for (int c = 0; c < cols; c++) {
            int f = s.ItemFlags(c, r);
            out += (f & SEL_CORNER) ? 'c' : (f & SEL_SELECTED) ? '#' : (f & SEL_IN_BAND) ? '+' : '.';
        }
        out += '\n';
    }
    return out;
}

void Select(TSel& s, TabHitMap& m, const std::vector<std::pair<int, int>>& cells)
{
    s.Clear();
    s.Mode = HIT_CELL;
    for (auto [c, r] : cells)
        s.CellFlags[r * TAB_MAX_COLS + c] = SEL_IN_BAND;
    s.UpdateBandBounds();
    s.Finish(m);
}

} // namespace

TEST(TabHitMap, ResetAndSharedBorders)
{
    TabHitMap m = Grid(3, 2);
    EXPECT_EQ(m.HitAll(Px(1), Py(1)), HIT_CELL);
    EXPECT_EQ(m.HitCol, 1);
    EXPECT_EQ(m.HitRow, 1);
    // The corner shared by four cells: HitAll reports the later column and
    // the upper row, HitItem the left column and the upper row.
    const int x = CX + CW, y = CY + CH;
    EXPECT_EQ(m.HitAll(x, y), HIT_CELL);
    EXPECT_EQ(m.HitCol, 1);
    EXPECT_EQ(m.HitRow, 0);
    int c = 9, r = 9;
    EXPECT_EQ(m.HitItem(x, y, c, r), HIT_CELL);
    EXPECT_EQ(c, 0);
    EXPECT_EQ(r, 0);

    struct Case {
        int x, y, all, item, col, row;
    } cases[] = {
        { Px(2), Py(-1), HIT_XHEADER, HIT_XHEADER, 2, -1 }, { Px(-1), Py(1), HIT_YHEADER, HIT_YHEADER, -1, 1 },
        { Px(0), Py(-3), HIT_XBAND, 0, -2, -2 }, { Px(-3), Py(0), HIT_YBAND, 0, -2, -2 },
        { Px(0), CY, HIT_CELL, HIT_CELL, 0, 0 }, // the band strip and the cells do not touch
        { 5, 5, 0, 0, -2, -2 }, { Px(3), Py(0), 0, 0, -2, -2 }, // beyond CountX
    };
    for (const Case& k : cases) {
        EXPECT_EQ(m.HitAll(k.x, k.y), k.all) << k.x << "," << k.y;
        EXPECT_EQ(m.HitItem(k.x, k.y, c, r), k.item);
        EXPECT_EQ(c, k.col);
        EXPECT_EQ(r, k.row);
    }

    m.CountX = 99; // a bad count never reads past the rectangles
    m.HitAll(5, 5);
    m.Width = 77;
    m.Reset();
    EXPECT_EQ(m.CountX, 0);
    EXPECT_EQ(m.HasCells, 0);
    EXPECT_EQ(m.Width, 77);
    EXPECT_EQ(m.Cell(49, 29).left, 65535);
    EXPECT_EQ(m.HitAll(65535, 65535), 0);
}

TEST(TSel, DragOverCellsThenFinish)
{
    TabHitMap m = Grid(5, 4);
    TSel s;
    s.BeginAtHit(m, Px(1), Py(1), false, false);
    s.Mode |= SELMODE_TABLE_DRAG;
    EXPECT_EQ(s.DragTo(m, Px(3), Py(2), false), 1);
    EXPECT_EQ(s.DragTo(m, Px(3), Py(2), false), 0);
    EXPECT_EQ(s.BandX1, 1);
    EXPECT_EQ(s.BandY2, 2);
    EXPECT_EQ(s.Count, 6);
    s.Finish(m);
    EXPECT_EQ(Picture(s, 5, 4), ".....\n.c#c.\n.c#c.\n.....\n");
    EXPECT_EQ(s.IsBlock, 1);
    EXPECT_EQ(s.Kind, HIT_CELL);
    EXPECT_EQ(s.Mode, 0);
    EXPECT_EQ(s.AnchorCol, 1);
    EXPECT_EQ(s.AnchorRow, 1);

    // A pointer beyond the control is clamped, and no cell past the counts is touched.
    s.BeginAtHit(m, Px(4), Py(3), false, false);
    s.DragTo(m, -50, -50, false);
    EXPECT_EQ(s.PointerPx, 0);
    EXPECT_EQ(s.PointerPy, 0);
    EXPECT_EQ(s.Count, 20);
    EXPECT_EQ(s.ItemFlags(5, 0), 0);
    EXPECT_EQ(s.ItemFlags(0, 4), 0);
}

TEST(TSel, ModifiersAtTheStartOfADrag)
{
    TabHitMap m = Grid(5, 4);
    struct Case {
        const char* name;
        bool shift, ctrl;
        const char* picture;
        int anchorPx;
    } cases[] = {
        { "none clears", false, false, "....#\n.....\n", Px(4) },
        { "shift extends from the kept anchor pixel", true, false, "c###c\n.....\n", Px(0) },
        { "ctrl keeps the selection, new anchor", false, true, "#...#\n.....\n", Px(4) },
        { "both count as none", true, true, "....#\n.....\n", Px(4) },
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        TSel s;
        s.BeginAtHit(m, Px(0), Py(0), false, false);
        s.Finish(m);
        s.BeginAtHit(m, Px(4), Py(0), k.shift, k.ctrl);
        s.Finish(m);
        EXPECT_EQ(Picture(s, 5, 2), k.picture);
        EXPECT_EQ(s.AnchorPx, k.anchorPx);
    }

    // A click where no item lies clears and starts no drag.
    TSel s;
    s.BeginAtHit(m, Px(0), Py(0), false, false);
    s.Finish(m);
    s.BeginAtHit(m, 5, 5, false, false);
    EXPECT_EQ(s.Mode, 0);
    EXPECT_EQ(s.Count, 0);
    EXPECT_EQ(s.ItemFlags(0, 0), 0);
}

TEST(TSel, KindsNeverMix)
{
    TabHitMap m = Grid(5, 4);
    TSel s;
    s.BeginAtHit(m, Px(0), Py(-1), false, false);
    s.DragTo(m, Px(3), Py(-1), false);
    s.Finish(m);
    EXPECT_EQ(s.Kind, HIT_XHEADER);
    EXPECT_EQ(s.Count, 4);
    EXPECT_EQ(s.IsBlock, 1);
    EXPECT_EQ(s.BlockY1, -1);
    EXPECT_EQ(s.CornerMarks(0, -1, false, false), 1 | 4);
    EXPECT_EQ(s.CornerMarks(3, -1, false, false), 2 | 8);

    // Ctrl-dragging over cells drops the header selection.
    s.BeginAtHit(m, Px(1), Py(1), false, true);
    s.Finish(m);
    EXPECT_EQ(s.Kind, HIT_CELL);
    EXPECT_EQ(s.Count, 1);
    EXPECT_EQ(s.ItemFlags(0, -1), 0);
}

TEST(TSel, BandStripsSelectWholeColumnsAndRows)
{
    TabHitMap m = Grid(5, 4);
    TSel s;
    s.BeginAtHit(m, Px(1), Py(-3), false, false);
    s.DragTo(m, Px(3), Py(-3), false);
    EXPECT_EQ(s.AnchorCol, -2);
    EXPECT_EQ(s.AnchorRow, -2);
    s.Finish(m);
    EXPECT_EQ(Picture(s, 5, 4), ".c#c.\n.###.\n.###.\n.c#c.\n");
    EXPECT_EQ(s.Kind, HIT_CELL);

    s.BeginAtHit(m, Px(-3), Py(2), false, false);
    s.Finish(m);
    EXPECT_EQ(Picture(s, 5, 4), ".....\n.....\nc###c\n.....\n");
    EXPECT_EQ(s.Count, 5);
}

TEST(TSel, BlockShapes)
{
    TabHitMap m = Grid(6, 5);
    using Cells = std::vector<std::pair<int, int>>;
    struct Case {
        const char* name;
        Cells cells;
        int isBlock;
        const char* picture;
    } cases[] = {
        { "2 x 2", { { 1, 1 }, { 2, 1 }, { 1, 2 }, { 2, 2 } }, 0, "......\n.##...\n.##...\n......\n......\n" },
        { "1 x 3", { { 2, 0 }, { 2, 1 }, { 2, 2 } }, 1, "..c...\n..#...\n..c...\n......\n......\n" },
        { "3 x 1", { { 0, 4 }, { 1, 4 }, { 2, 4 } }, 1, "......\n......\n......\n......\nc#c...\n" },
        { "to the last column", { { 3, 0 }, { 4, 0 }, { 5, 0 } }, 1, "...c#c\n......\n......\n......\n......\n" },
        { "L", { { 0, 0 }, { 0, 1 }, { 0, 2 }, { 1, 2 } }, 0, "#.....\n#.....\n##....\n......\n......\n" },
        { "L mirrored", { { 1, 0 }, { 1, 1 }, { 0, 2 }, { 1, 2 }, { 2, 2 } }, 0,
            ".#....\n.#....\n###...\n......\n......\n" },
        { "shorter second row", { { 0, 0 }, { 1, 0 }, { 2, 0 }, { 0, 1 }, { 1, 1 } }, 0,
            "###...\n##....\n......\n......\n......\n" },
        { "two blocks side by side", { { 0, 0 }, { 1, 0 }, { 2, 0 }, { 4, 0 } }, 0,
            "###.#.\n......\n......\n......\n......\n" },
        { "two blocks one above the other", { { 0, 0 }, { 1, 0 }, { 2, 0 }, { 0, 2 }, { 1, 2 }, { 2, 2 } }, 0,
            "###...\n......\n###...\n......\n......\n" },
        { "3 x 3", { { 1, 1 }, { 2, 1 }, { 3, 1 }, { 1, 2 }, { 2, 2 }, { 3, 2 }, { 1, 3 }, { 2, 3 }, { 3, 3 } }, 1,
            "......\n.c#c..\n.###..\n.c#c..\n......\n" },
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        TSel s;
        Select(s, m, k.cells);
        EXPECT_EQ(s.IsBlock, k.isBlock);
        EXPECT_EQ(s.Count, int(k.cells.size()));
        EXPECT_EQ(Picture(s, 6, 5), k.picture);
    }
}

TEST(TSel, CornerMarksOfBlocksAndCollapsedAxes)
{
    TabHitMap m = Grid(6, 5);
    TSel s;
    Select(s, m, { { 1, 1 }, { 2, 1 }, { 3, 1 } });
    EXPECT_EQ(s.CornerMarks(1, 1, false, false), 1 | 4); // corners coincide pairwise
    EXPECT_EQ(s.CornerMarks(3, 1, false, false), 2 | 8);
    EXPECT_EQ(s.CornerMarks(2, 1, false, false), 0);
    EXPECT_EQ(s.CornerMarks(2, 1, true, false), 1 | 2 | 4 | 8);
    Select(s, m, { { 1, 1 }, { 2, 1 }, { 1, 2 }, { 2, 2 } });
    EXPECT_EQ(s.CornerMarks(1, 1, false, false), 0);
}

TEST(TSel, SelectItemAndRange)
{
    TabHitMap m = Grid(10, 10);
    TSel s;
    s.SelectItem(m, 2, 3);
    EXPECT_EQ(s.Kind, HIT_CELL);
    EXPECT_EQ(s.AnchorCol, 2);
    EXPECT_EQ(s.EndRow, 3);
    s.SelectRange(m, 4, -1); // a cell range never reaches into a header
    EXPECT_EQ(s.EndRow, 0);
    EXPECT_EQ(s.Count, 12);
    EXPECT_EQ(s.IsBlock, 1);
    EXPECT_EQ(s.AnchorCol, 2);

    s.SelectItem(m, -1, 4);
    EXPECT_EQ(s.AnchorCol, -1);
    EXPECT_EQ(s.AnchorRow, 4);
    s.SelectRange(m, 3, 7);
    EXPECT_EQ(s.Kind, HIT_YHEADER);
    EXPECT_EQ(s.Count, 4);
    EXPECT_EQ(s.EndCol, -1);
    for (int r = 0; r < 10; r++)
        EXPECT_EQ(s.ItemFlags(-1, r) != 0, r >= 4 && r <= 7) << r;
    EXPECT_EQ(s.CornerMarks(-1, 4, false, false), 1 | 2);

    // Clear keeps the anchor, so a later range still starts from it.
    s.Clear();
    s.SelectRange(m, 0, 5);
    EXPECT_EQ(s.Count, 2);
    s.SelectItem(m, 7, -1);
    EXPECT_EQ(s.Kind, HIT_XHEADER);
    EXPECT_EQ(s.AnchorRow, -1);
    s.SelectItem(m, -2, -2);
    EXPECT_EQ(s.Count, 0);
}

TEST(TSel, ItemFlagsOutsideTheRanges)
{
    TSel s;
    std::fill(std::begin(s.CellFlags), std::end(s.CellFlags), SEL_SELECTED);
    std::fill(std::begin(s.XFlags), std::end(s.XFlags), SEL_SELECTED);
    std::fill(std::begin(s.YFlags), std::end(s.YFlags), SEL_SELECTED);
    for (auto [c, r] :
        std::vector<std::pair<int, int>> { { -1, -1 }, { 50, 0 }, { 0, 30 }, { -2, 0 }, { 0, -2 }, { -1, 30 } })
        EXPECT_EQ(s.ItemFlags(c, r), 0) << c << "," << r;
    EXPECT_EQ(s.ItemFlags(49, 29), SEL_SELECTED);
    EXPECT_EQ(s.ItemFlags(-1, 29), SEL_SELECTED);
    EXPECT_EQ(s.ItemFlags(49, -1), SEL_SELECTED);
}
