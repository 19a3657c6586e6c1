// The command dispatcher of a map table and its editing verbs: rows and
// columns inserted and deleted (linked sheets follow their master), the
// collapse, view-angle, enable and position commands, interpolation of a
// marked block and the stretch or move of a dragged block.
#include "mapedit/numbers.h"
#include "mapedit/tab.h"
#include "platform/dialogs.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace {

const char* const COLUMNS_FULL = "###Column count is on maximum !\nDelete some first...##Spaltenanzahl ist auf maximal "
                                 "!\nLöschen einige erste...##Dosaženo maximálního počtu sloupců !\nNejprve nějaký "
                                 "vymažte...";
const char* const ROWS_FULL = "###Row count is on maximum !\nDelete some first...##Zeilenanzahl ist auf maximal "
                              "!\nLöschen einige erste...##Dosaženo maximálního počtu řádků !\nNejprve nějaký "
                              "vymažte...";

int32_t Saturate(int64_t v)
{
    return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

int32_t Halve(int32_t a, int32_t b)
{
    return int32_t((int64_t(a) + b) / 2);
}

} // namespace

// Followers of the current sheet, each made current in index order while
// `change` runs on it; the master is current again afterwards.
template <typename Change> void TTab::ForEachFollower(bool viaSelectSheet, Change change)
{
    const int master = CurrentIndex;
    const int32_t link = Sheet->LinkId;
    if (link == 0)
        return;
    for (int i = 0; i < SheetCount; i++) {
        if (i == master || Sheets[i].FollowerId != link)
            continue;
        if (viaSelectSheet) {
            SelectSheet(i);
        } else {
            CurrentIndex = i;
            Sheet = &Sheets[i];
        }
        change(Sheets[i]);
    }
    if (viaSelectSheet) {
        SelectSheet(master);
    } else {
        CurrentIndex = master;
        Sheet = &Sheets[master];
    }
}

void TTab::InsertAt(int what, int index)
{
    if (Sheet)
        InsertLine(what, index, false);
}

void TTab::DeleteAt(int what, int index)
{
    if (Sheet)
        DeleteLine(what, index, false);
}

void TTab::InsertLine(int what, int index, bool follower)
{
    CSheet& s = *Sheet;
    const bool columns = what == 1;
    CAxe& a = columns ? s.X : s.Y;
    const int extra = (Style & TABSTYLE_ONOFF) ? 1 : 0;
    // The arrays hold 50 columns and 30 rows; an on/off grid needs one more
    // cell than breakpoints, and followers too stay inside.
    const int room = (columns ? TAB_MAX_COLS : TAB_MAX_ROWS) - extra;
    if (!follower) {
        if (!a.Resizable)
            return;
        if (a.Count >= a.MaxCount || a.Count >= room) {
            ErrorBox(SelectTabText(columns ? COLUMNS_FULL : ROWS_FULL).c_str(), MB_OK);
            return;
        }
        NoteChange(0, CHANGE_MULTI_OPEN);
    } else if (a.Count >= room) {
        return;
    }
    s.Sel.Clear();
    const int b = std::clamp(index, 0, a.Count);
    int32_t* cells = s.V.Values;
    const int cellLines = std::min(a.Count + extra, room + extra - 1);
    for (int i = a.Count; i > b; i--)
        a.Values[i] = a.Values[i - 1];
    for (int i = cellLines; i > b; i--) {
        if (columns)
            for (int r = 0; r < TAB_MAX_ROWS; r++)
                cells[r * TAB_MAX_COLS + i] = cells[r * TAB_MAX_COLS + i - 1];
        else
            std::copy_n(cells + (i - 1) * TAB_MAX_COLS, TAB_MAX_COLS, cells + i * TAB_MAX_COLS);
    }
    a.Count++;
    if (!follower)
        LayoutTable();

    const bool next = b + 1 < a.Count;
    const int left = b == 0 ? b + 1 : b - 1;
    if (next)
        a.Values[b] = Halve(a.Values[left], a.Values[b + 1]);
    else if (b > 0 && a.Values[b] <= a.Values[b - 1])
        a.Values[b] = a.Values[b - 1];
    const int across = columns ? s.Y.Count + extra : s.X.Count + extra;
    for (int k = 0; k < across; k++) {
        auto cell
            = [&](int i) -> int32_t& { return columns ? cells[k * TAB_MAX_COLS + i] : cells[i * TAB_MAX_COLS + k]; };
        if (next)
            cell(b) = Halve(cell(left), cell(b + 1));
        else if (b > 0)
            cell(b) = cell(b - 1);
    }

    TSel& sel = s.Sel;
    sel.Mode = HIT_CELL;
    const CAxe& other = columns ? s.Y : s.X;
    for (int k = 0; k < other.Count; k++) {
        if (other.Collapsed && k != other.UsedIndex)
            continue;
        sel.CellFlags[columns ? k * TAB_MAX_COLS + b : b * TAB_MAX_COLS + k] |= SEL_IN_BAND;
    }
    sel.UpdateBandBounds();
    sel.Finish(TableHitMap);

    if (!follower) {
        ScrollToCurrentItem();
        ForEachFollower(!columns, [&](CSheet& f) {
            InsertLine(what, b, true);
            ApplyLimits(&f, columns ? CHANGED_X | CHANGED_CELLS : CHANGED_Y | CHANGED_CELLS);
        });
        NoteChange(columns ? CHANGED_X | CHANGED_CELLS : CHANGED_Y | CHANGED_CELLS, CHANGE_MULTI_END);
    }
    RedrawBits |= REDRAW_VALUES;
    if (!follower)
        Render();
}

void TTab::DeleteLine(int what, int index, bool follower)
{
    CSheet& s = *Sheet;
    const bool columns = what == 1;
    CAxe& a = columns ? s.X : s.Y;
    if ((!follower && !a.Resizable) || a.Collapsed || a.Count <= a.MinCount || a.Count <= 1 || index < 0
        || index >= a.Count)
        return;
    if (!follower)
        NoteChange(0, CHANGE_MULTI_OPEN);
    TSel& sel = s.Sel;
    int32_t* cells = s.V.Values;
    const int extra = (Style & TABSTYLE_ONOFF) ? 1 : 0;
    const int last = std::min(a.Count + extra, columns ? TAB_MAX_COLS : TAB_MAX_ROWS) - 1;
    for (int i = index; i < a.Count - 1; i++) {
        a.Values[i] = a.Values[i + 1];
        int16_t* flags = columns ? sel.XFlags : sel.YFlags;
        flags[i] = flags[i + 1];
    }
    for (int i = index; i < last; i++) {
        if (columns) {
            for (int r = 0; r < TAB_MAX_ROWS; r++) {
                cells[r * TAB_MAX_COLS + i] = cells[r * TAB_MAX_COLS + i + 1];
                sel.CellFlags[r * TAB_MAX_COLS + i] = sel.CellFlags[r * TAB_MAX_COLS + i + 1];
            }
        } else {
            std::copy_n(cells + (i + 1) * TAB_MAX_COLS, TAB_MAX_COLS, cells + i * TAB_MAX_COLS);
            std::copy_n(sel.CellFlags + (i + 1) * TAB_MAX_COLS, TAB_MAX_COLS, sel.CellFlags + i * TAB_MAX_COLS);
        }
    }
    // The line that moved down leaves no selection behind it.
    (columns ? sel.XFlags : sel.YFlags)[a.Count - 1] = 0;
    for (int k = 0; k < (columns ? TAB_MAX_ROWS : TAB_MAX_COLS); k++)
        sel.CellFlags[columns ? k * TAB_MAX_COLS + last : last * TAB_MAX_COLS + k] = 0;
    a.Count--;
    if (!follower) {
        LayoutTable();
        NoteChange(columns ? CHANGED_X | CHANGED_CELLS : CHANGED_Y | CHANGED_CELLS, CHANGE_MULTI_OPEN);
    }
    RedrawBits |= REDRAW_VALUES;
    if (!follower)
        ForEachFollower(false, [&](CSheet& f) {
            f.Sel.Clear();
            DeleteLine(what, index, true);
            ApplyLimits(&f, columns ? CHANGED_X | CHANGED_CELLS : CHANGED_Y | CHANGED_CELLS);
        });
}

// Every surviving selected item is marked again and the selection finished
// for the table as it is now.
void TTab::RecommitSelection(bool updateBounds)
{
    TSel& sel = Sheet->Sel;
    const int kind = sel.Kind;
    auto remark = [](int16_t* flags, int n) {
        for (int i = 0; i < n; i++)
            flags[i] = (flags[i] & SEL_SELECTED) ? SEL_IN_BAND : 0;
    };
    remark(sel.XFlags, TAB_MAX_COLS);
    remark(sel.YFlags, TAB_MAX_ROWS);
    remark(sel.CellFlags, TAB_CELLS);
    sel.Mode = kind;
    sel.Kind = sel.IsBlock = 0;
    sel.AnchorPx = sel.AnchorPy = sel.PointerPx = sel.PointerPy = -1;
    sel.BandX1 = sel.BandY1 = sel.BandX2 = sel.BandY2 = -2;
    sel.Count = 0;
    if (updateBounds)
        sel.UpdateBandBounds();
    sel.Finish(TableHitMap);
}

void TTab::DeleteSelected(int what)
{
    if (!Sheet)
        return;
    const bool columns = what == 1;
    CAxe& a = columns ? Sheet->X : Sheet->Y;
    if (!a.Resizable || a.Collapsed)
        return;
    const TSel& sel = Sheet->Sel;
    const int lineKind = columns ? HIT_XHEADER : HIT_YHEADER;
    auto wanted = [&](int i) {
        const CSheet& s = *Sheet;
        if (sel.Kind == lineKind)
            return ((columns ? sel.XFlags : sel.YFlags)[i] & SEL_SELECTED) != 0;
        if (sel.Kind != HIT_CELL)
            return false;
        const CAxe& other = columns ? s.Y : s.X;
        for (int k = 0; k < other.Count; k++) {
            if (other.Collapsed && k != other.UsedIndex)
                continue;
            if (!(sel.CellFlags[columns ? k * TAB_MAX_COLS + i : i * TAB_MAX_COLS + k] & SEL_SELECTED))
                return false;
        }
        return true;
    };
    for (int i = 0; i < a.Count;) {
        const int before = a.Count;
        if (wanted(i))
            DeleteAt(what, i);
        if (a.Count == before)
            i++;
    }
    RecommitSelection(false);
    RecommitSelection(Sheet->Sel.IsBlock != 0);
    NoteChange(0, CHANGE_MULTI_END);
    if (RedrawBits)
        Render();
}

void TTab::InterpolateSelection()
{
    CSheet& s = *Sheet;
    TSel& sel = s.Sel;
    if (!sel.IsBlock)
        return;
    if (sel.BandY1 == -1) {
        if (sel.BlockX1 < 0 || sel.BlockX2 >= s.X.Count)
            return;
        NoteChange(0, CHANGE_MULTI_OPEN);
        InterpolateBlock(s.X.Values, TAB_MAX_COLS, nullptr, nullptr, sel.BlockX1, 0, sel.BlockX2, 0);
        NoteChange(CHANGED_X, 0);
    } else if (sel.BandX1 == -1) {
        if (sel.BlockY1 < 0 || sel.BlockY2 >= s.Y.Count)
            return;
        NoteChange(0, CHANGE_MULTI_OPEN);
        InterpolateBlock(s.Y.Values, 1, nullptr, nullptr, 0, sel.BlockY1, 0, sel.BlockY2);
        NoteChange(CHANGED_Y, 0);
    } else {
        if (sel.BlockX1 < 0 || sel.BlockY1 < 0 || sel.BlockX2 >= s.X.Count || sel.BlockY2 >= s.Y.Count)
            return;
        NoteChange(0, CHANGE_MULTI_OPEN);
        InterpolateBlock(s.V.Values, TAB_MAX_COLS, s.X.UseValues ? s.X.Values : nullptr,
            s.Y.UseValues ? s.Y.Values : nullptr, sel.BlockX1, sel.BlockY1, sel.BlockX2, sel.BlockY2);
        NoteChange(CHANGED_CELLS, 0);
    }
    sel.Clear();
    RedrawBits |= REDRAW_VALUES;
}

// The dragged block (the band) is stretched over DragRect, extrapolated
// from its edge slopes, or moved there.
void TTab::ApplyBlockDrag()
{
    if (!Sheet || (BlockDrag != 1 && BlockDrag != 2))
        return;
    CSheet& s = *Sheet;
    TSel& sel = s.Sel;
    const bool xPoints = sel.BandY1 == -1, yPoints = !xPoints && sel.BandX1 == -1;
    CAxe& axis = xPoints ? s.X : yPoints ? s.Y : s.V;
    if (!axis.Editable)
        return;
    // Items as (i, j) in the snapshot: X breakpoints one row, Y breakpoints one column.
    std::array<int32_t, TAB_CELLS> snap {};
    if (xPoints)
        std::copy_n(s.X.Values, TAB_MAX_COLS, snap.begin());
    else if (yPoints)
        for (int r = 0; r < TAB_MAX_ROWS; r++)
            snap[r * TAB_MAX_COLS] = s.Y.Values[r];
    else
        std::copy_n(s.V.Values, TAB_CELLS, snap.begin());
    auto at = [&snap](int i, int j) -> int64_t {
        return snap[std::clamp(j, 0, TAB_MAX_ROWS - 1) * TAB_MAX_COLS + std::clamp(i, 0, TAB_MAX_COLS - 1)];
    };
    const int a1 = xPoints || !yPoints ? std::min(sel.BandX1, sel.BandX2) : 0;
    const int a2 = xPoints || !yPoints ? std::max(sel.BandX1, sel.BandX2) : 0;
    const int b1 = yPoints || !xPoints ? std::min(sel.BandY1, sel.BandY2) : 0;
    const int b2 = yPoints || !xPoints ? std::max(sel.BandY1, sel.BandY2) : 0;
    if (a1 < 0 || b1 < 0)
        return;
    const int x1 = yPoints ? 0 : std::max(0, std::min<int>(DragRect.left, DragRect.right));
    const int x2 = yPoints ? 0 : std::min<int>(s.X.Count - 1, std::max<int>(DragRect.left, DragRect.right));
    const int y1 = xPoints ? 0 : std::max(0, std::min<int>(DragRect.top, DragRect.bottom));
    const int y2 = xPoints ? 0 : std::min<int>(s.Y.Count - 1, std::max<int>(DragRect.top, DragRect.bottom));
    const int kinds = xPoints ? CHANGED_X : yPoints ? CHANGED_Y : CHANGED_CELLS;

    sel.Clear();
    NoteChange(0, CHANGE_MULTI_OPEN);
    sel.Mode = xPoints ? HIT_XHEADER : yPoints ? HIT_YHEADER : HIT_CELL;
    for (int j = y1; j <= y2; j++)
        for (int i = x1; i <= x2; i++) {
            int64_t v;
            if (BlockDrag == 2) {
                v = at(a1 + i - x1, b1 + j - y1);
            } else {
                const int ci = std::clamp(i, a1, a2), cj = std::clamp(j, b1, b2);
                v = at(ci, cj);
                if (i < a1 && a2 > a1)
                    v += int64_t(i - a1) * (at(a1 + 1, cj) - at(a1, cj));
                else if (i > a2 && a2 > a1)
                    v += int64_t(i - a2) * (at(a2, cj) - at(a2 - 1, cj));
                if (j < b1 && b2 > b1)
                    v += int64_t(j - b1) * (at(ci, b1 + 1) - at(ci, b1));
                else if (j > b2 && b2 > b1)
                    v += int64_t(j - b2) * (at(ci, b2) - at(ci, b2 - 1));
            }
            if (xPoints) {
                s.X.Values[i] = Saturate(v);
                sel.XFlags[i] |= SEL_IN_BAND;
            } else if (yPoints) {
                s.Y.Values[j] = Saturate(v);
                sel.YFlags[j] |= SEL_IN_BAND;
            } else {
                s.V.Values[j * TAB_MAX_COLS + i] = Saturate(v);
                sel.CellFlags[j * TAB_MAX_COLS + i] |= SEL_IN_BAND;
            }
        }
    NoteChange(kinds, 0);
    sel.UpdateBandBounds();
    sel.Finish(TableHitMap);
    RedrawBits |= REDRAW_VALUES;
}

// Commands 13 (only X), 14 (only Y) and 15 (both axes).
void TTab::SetCollapse(int code)
{
    CSheet& s = *Sheet;
    const int px = s.X.CollapsePolicy, py = s.Y.CollapsePolicy;
    const bool allowed = code == 13 ? (px != 2 && py != 0) : code == 14 ? (px != 0 && py != 2) : (px != 2 && py != 2);
    const int wantX = code == 14 ? 1 : 0, wantY = code == 13 ? 1 : 0;
    if (!allowed || (s.X.Collapsed == wantX && s.Y.Collapsed == wantY))
        return;
    NoteChange(0, CHANGE_MULTI_OPEN);
    for (int i = 13; i <= 15; i++)
        Buttons[i].Pressed = i == code ? 1 : 0;
    s.X.Collapsed = wantX;
    s.Y.Collapsed = wantY;
    SelectSheet(CurrentIndex);
    NoteChange(CHANGED_X | CHANGED_Y | CHANGED_CELLS, 0);
    RedrawBits |= REDRAW_RENDER;
}

void TTab::DoCommand(int code)
{
    if (!Sheet)
        return;
    switch (code) {
    case 0:
        CopySelection();
        break;
    case 1:
        CopyTable();
        break;
    case 2:
        Paste();
        break;
    case 3:
    case 4:
        IncrementSelection(code == 3 ? 1 : -1);
        break;
    case 5:
    case 6:
    case 7:
        SetView(code == 5 ? VIEW_TABLE : code == 6 ? VIEW_2D : VIEW_3D);
        break;
    case 13:
    case 14:
    case 15:
        SetCollapse(code);
        break;
    case 16:
    case 17:
    case 18: {
        static constexpr int32_t angles[3][3] = { { -18, 0, 0 }, { -5, 4, 0 }, { -5, 24, 0 } };
        const int32_t* a = angles[code - 16];
        Graph.AngleX = a[0];
        Graph.AngleXY = a[1];
        Graph.AngleXYZ = a[2];
        for (int i = 16; i <= 18; i++)
            Buttons[i].Pressed = i == code ? 1 : 0;
        RedrawBits |= REDRAW_VALUES;
        break;
    }
    case 19:
        NoteChange(0, CHANGE_MULTI_OPEN);
        Sheet->Enabled = !Sheet->Enabled;
        RedrawBits |= REDRAW_VALUES;
        NoteChange(CHANGED_X | CHANGED_Y | CHANGED_CELLS, 0);
        break;
    case 20:
    case 21:
    case 22:
        if (PositionRef == code - 20)
            break;
        NoteChange(0, CHANGE_MULTI_OPEN);
        PositionRef = code - 20;
        RefreshPositionButtons();
        NoteChange(CHANGED_X | CHANGED_Y | CHANGED_CELLS, 0);
        break;
    case 23:
    case 24:
        if (code == 23)
            InsertAt(1, Sheet->X.Count);
        else
            DeleteAt(1, Sheet->X.Count - 1);
        Sheet->Sel.Clear();
        UpdateToolbar();
        break;
    case 40:
        CopyGraph();
        break;
    case 101:
        InterpolateSelection();
        break;
    case 1001:
    case 1002: {
        CAxe& a = code == 1001 ? Sheet->X : Sheet->Y;
        a.FirstVisible = (code == 1001 ? HScroll : VScroll).Position;
        LayoutTable();
        HoverOn = 0;
        RedrawBits |= REDRAW_RENDER;
        break;
    }
    default:
        break;
    }
}
