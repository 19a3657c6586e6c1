// Stepping values up and down: the step buttons of the item under the
// pointer, the plus and minus of the selection or of the live operating
// point.
#include "mapedit/tab.h"

#include <algorithm>
#include <cmath>

namespace {

int32_t Saturate(double v)
{
    return int32_t(std::clamp<double>(v, INT32_MIN, INT32_MAX));
}

// Keys of the groups that merge repeated steps of one item.
constexpr int32_t GROUP_X_POINT = 0x110001;
constexpr int32_t GROUP_Y_POINT = 0x120000;
constexpr int32_t GROUP_CELL = 0x140000;
constexpr int32_t GROUP_SELECTION_STEP = 0x500000;
constexpr int32_t GROUP_INCREMENT = 0x600000;
constexpr int32_t GROUP_LIVE = 0x240000;

int RowBit(int row)
{
    return row < 8 ? 1 : 0;
}

} // namespace

int TTab::CurrentItem(int& col, int& row) const
{
    if (!Sheet || Sheet->Sel.Count <= 0) {
        col = row = -2;
        return 0;
    }
    col = Sheet->Sel.BandX1;
    row = Sheet->Sel.BandY1;
    return 1;
}

int TTab::SelectionCounts(int& count, int& editable) const
{
    count = editable = 0;
    if (!Sheet)
        return 0;
    const CSheet& s = *Sheet;
    const TSel& sel = s.Sel;
    const int kind = sel.Kind ? sel.Kind : (sel.Mode & 0xFF);
    if (sel.Count == 0 || kind == 0)
        return 0;
    if (kind == HIT_XHEADER || kind == HIT_YHEADER) {
        const CAxe& a = kind == HIT_XHEADER ? s.X : s.Y;
        if (a.Collapsed)
            return 0;
        count = sel.Count;
        editable = a.Editable ? sel.Count : 0;
        return kind;
    }
    if (s.Y.Collapsed) {
        for (int c = 0; c < s.X.Count; c++)
            count += (sel.CellFlags[s.Y.UsedIndex * TAB_MAX_COLS + c] & SEL_SELECTED) != 0;
    } else if (s.X.Collapsed) {
        for (int r = 0; r < s.Y.Count; r++)
            count += (sel.CellFlags[r * TAB_MAX_COLS + s.X.UsedIndex] & SEL_SELECTED) != 0;
    } else {
        count = sel.Count;
    }
    if (count == 0)
        return 0;
    editable = s.V.Editable ? count : 0;
    return 1;
}

// One step of a cell: linear, or on logarithmic sheets about 1 % kept on
// whole tens. The table is read only inside its bounds, and a step never
// moves a value against its direction or leaves it where it was.
int TTab::StepAmount(int col, int row, int steps)
{
    if (steps == 0 || !Sheet)
        return 0;
    const CAxe& v = Sheet->V;
    if (!(Sheet->Flags & SHEET_LOG_STEPS))
        return steps;
    const int linear = [&] {
        const int s = int(std::trunc(steps * v.Step));
        return s != 0 ? s : (steps > 0 ? 1 : -1);
    }();
    if (col < 0 || row < 0 || col >= TAB_MAX_COLS || row >= TAB_MAX_ROWS || !v.Values)
        return linear;
    const int32_t value = v.Values[row * TAB_MAX_COLS + col];
    const float* t = LogStepTable;
    if (value <= t[0] || value >= t[TAB_LOG_STEPS - 1])
        return linear;
    const int i = int(std::upper_bound(t + 1, t + TAB_LOG_STEPS, float(value)) - t);
    const double e = (value - double(t[i - 1])) / (double(t[i]) - t[i - 1]);
    const auto at = [t](int k) { return double(t[std::clamp(k, 0, TAB_LOG_STEPS - 1)]); };
    const double w = (1 - e) * at(i - 1 + steps) + e * at(i + steps);
    const int64_t r = int64_t(std::trunc(w + 5)) / 10 * 10;
    if ((steps > 0 && r <= value) || (steps < 0 && r >= value))
        return linear;
    return int(r - value);
}

int32_t* TTab::ItemValue(int col, int row)
{
    if (!Sheet)
        return nullptr;
    CSheet& s = *Sheet;
    if (row == -1 && col >= 0 && col < TAB_MAX_COLS)
        return s.X.Values ? &s.X.Values[col] : nullptr;
    if (col == -1 && row >= 0 && row < TAB_MAX_ROWS)
        return s.Y.Values ? &s.Y.Values[row] : nullptr;
    if (col >= 0 && row >= 0 && col < TAB_MAX_COLS && row < TAB_MAX_ROWS)
        return s.V.Values ? &s.V.Values[row * TAB_MAX_COLS + col] : nullptr;
    return nullptr;
}

bool TTab::ItemEditable(int col, int row) const
{
    if (!Sheet || col < -1 || row < -1 || (col == -1 && row == -1))
        return false;
    const CSheet& s = *Sheet;
    return (row == -1 ? s.X.Editable : col == -1 ? s.Y.Editable : s.V.Editable) != 0;
}

// Steps either the one item (col, row) or every selected item of its kind.
void TTab::StepItems(int kinds, int32_t key, int steps, bool onlySelected, int col, int row)
{
    CSheet& s = *Sheet;
    TSel& sel = s.Sel;
    NoteChange(0, key);
    auto step = [&](int c, int r) {
        int32_t* v = ItemValue(c, r);
        if (v)
            *v = Saturate(double(*v) + (c >= 0 && r >= 0 ? StepAmount(c, r, steps) : steps));
    };
    if (!onlySelected) {
        step(col, row);
    } else if (kinds == CHANGED_X) {
        for (int c = 0; c < s.X.Count; c++)
            if (sel.XFlags[c] & SEL_SELECTED)
                step(c, -1);
    } else if (kinds == CHANGED_Y) {
        for (int r = 0; r < s.Y.Count; r++)
            if (sel.YFlags[r] & SEL_SELECTED)
                step(-1, r);
    } else {
        for (int r = 0; r < s.Y.Count; r++)
            for (int c = 0; c < s.X.Count; c++)
                if (sel.CellFlags[r * TAB_MAX_COLS + c] & SEL_SELECTED)
                    step(c, r);
    }
    NoteChange(kinds, key);
    RedrawBits |= REDRAW_VALUES;
}

void TTab::StepCurrentItem(int steps)
{
    if (!Sheet || !HoverOn || !ItemEditable(HoverCol, HoverRow))
        return;
    const TSel& sel = Sheet->Sel;
    const int c = HoverCol, r = HoverRow;
    if (r == -1) {
        const bool selected = sel.XFlags[c] & SEL_SELECTED;
        StepItems(CHANGED_X, selected ? GROUP_SELECTION_STEP + 0x10000 + sel.Count : GROUP_X_POINT + c, steps, selected,
            c, r);
    } else if (c == -1) {
        const bool selected = sel.YFlags[r] & SEL_SELECTED;
        StepItems(CHANGED_Y, selected ? GROUP_SELECTION_STEP + 0x20000 + sel.Count : GROUP_Y_POINT + RowBit(r), steps,
            selected, c, r);
    } else {
        const bool selected = sel.CellFlags[r * TAB_MAX_COLS + c] & SEL_SELECTED;
        StepItems(CHANGED_CELLS, selected ? GROUP_SELECTION_STEP + 0x40000 + sel.Count : GROUP_CELL + c + RowBit(r),
            steps, selected, c, r);
    }
}

void TTab::IncrementSelection(int steps)
{
    if (!Sheet)
        return;
    CSheet& s = *Sheet;
    TSel& sel = s.Sel;
    if (sel.Count <= 0) {
        if (!(s.Flags & SHEET_LIVE_MARKER) || s.LiveState <= 0)
            return;
        if (s.LiveCol == -1 && (s.Flags & SHEET_BASE_ADVANCE_LINE)) {
            NoteChange(0, GROUP_LIVE);
            BaseAdvance = Saturate(std::trunc(BaseAdvance + steps * s.V.Scale));
            NoteChange(CHANGED_CELLS, GROUP_LIVE);
            RedrawBits |= REDRAW_VALUES;
        } else if (s.LiveCol >= 0 && s.LiveRow >= 0 && s.LiveCol < s.X.Count && s.LiveRow < s.Y.Count && s.V.Editable) {
            StepItems(CHANGED_CELLS, GROUP_LIVE + s.LiveCol + RowBit(s.LiveRow), steps, false, s.LiveCol, s.LiveRow);
        }
        return;
    }
    bool anyX = false, anyY = false, anyCell = false;
    for (int c = 0; c < s.X.Count; c++)
        anyX |= (sel.XFlags[c] & SEL_SELECTED) != 0;
    for (int r = 0; r < s.Y.Count; r++)
        anyY |= (sel.YFlags[r] & SEL_SELECTED) != 0;
    for (int r = 0; r < s.Y.Count && !anyCell; r++)
        for (int c = 0; c < s.X.Count; c++)
            anyCell |= (sel.CellFlags[r * TAB_MAX_COLS + c] & SEL_SELECTED) != 0;
    int kinds = 0;
    if (anyX && s.X.Editable)
        kinds = CHANGED_X;
    if (anyY && s.Y.Editable)
        kinds = CHANGED_Y;
    if (anyCell && s.V.Editable)
        kinds = CHANGED_CELLS;
    const int32_t key = GROUP_INCREMENT + (kinds << 16) + sel.Count;
    NoteChange(0, key);
    for (int c = 0; c < s.X.Count && s.X.Editable; c++)
        if (sel.XFlags[c] & SEL_SELECTED)
            s.X.Values[c] = Saturate(double(s.X.Values[c]) + steps);
    for (int r = 0; r < s.Y.Count && s.Y.Editable; r++)
        if (sel.YFlags[r] & SEL_SELECTED)
            s.Y.Values[r] = Saturate(double(s.Y.Values[r]) + steps);
    for (int r = 0; r < s.Y.Count && s.V.Editable; r++)
        for (int c = 0; c < s.X.Count; c++)
            if (sel.CellFlags[r * TAB_MAX_COLS + c] & SEL_SELECTED) {
                int32_t& v = s.V.Values[r * TAB_MAX_COLS + c];
                v = Saturate(double(v) + StepAmount(c, r, steps));
            }
    NoteChange(kinds, key);
    RedrawBits |= REDRAW_VALUES;
}

void TTab::SetHoverItem(int col, int row)
{
    HoverOn = 0;
    if (!Sheet || col < -1 || row < -1 || (col == -1 && row == -1))
        return;
    const CSheet& s = *Sheet;
    if (col >= 0 && !s.X.Collapsed && (col < s.X.FirstVisible || col >= s.X.FirstVisible + VisibleCols))
        return;
    if (row >= 0 && !s.Y.Collapsed && (row < s.Y.FirstVisible || row >= s.Y.FirstVisible + VisibleRows))
        return;
    int x;
    if (col >= 0) {
        const int d = s.X.Collapsed ? 0 : col - s.X.FirstVisible;
        x = int((d + 1) * CellWidth + CellsLeft) - 10;
    } else {
        x = YHeaderLeft + YHeaderWidth;
    }
    int top, height;
    if (row == -1) {
        top = XHeaderTop;
        height = XHeaderHeight;
    } else {
        const int d = s.Y.Collapsed ? 0 : row - s.Y.FirstVisible;
        top = int(d * CellHeight + CellsTop);
        height = int((d + 1) * CellHeight + CellsTop) - top;
    }
    PlusRect = { x, top, x + 15, top + height / 2 };
    MinusRect = { x, top + height / 2 + 1, x + 15, top + height };
    HoverOn = 1;
    HoverCol = col;
    HoverRow = row;
}
