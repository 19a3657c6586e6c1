// The table view's pointer and key handlers: selecting, the step buttons of
// the item under the pointer, the value editor and moving the current item.
#include "mapedit/tab.h"

#include "platform/cp1250.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr int EDITOR_MAX_CHARS = 16;

bool EditorCharacter(int code)
{
    return code == ' ' || code == ',' || code == '-' || code == '.' || (code >= '0' && code <= '9');
}

} // namespace

int TTab::CaretFromX(int x) const
{
    if (x < EditLeft)
        return 0;
    const int n = int(std::strlen(EditText));
    int caret = 0;
    for (int i = 0; i < n; i++)
        if (EditLeft + (CharOffsets[i] + CharOffsets[i + 1]) / 2 <= x)
            caret = i + 1;
    return std::min(caret, n);
}

void TTab::TableMouseMove()
{
    int col = -2, row = -2;
    TableHitMap.HitItem(MouseX, MouseY, col, row);
    const bool left = ReadTabInput().leftButton;
    EdgeHandle = CornerHandle = HoverButton = OverEditedItem = 0;
    if (BlockDrag) {
        TrackBlockDrag();
        return;
    }
    if (HScroll.Dragging || VScroll.Dragging) {
        TabScrollBar& bar = HScroll.Dragging ? HScroll : VScroll;
        bar.PointerX = MouseX;
        bar.PointerY = MouseY;
        const int r = bar.PointerMove();
        if (r & SB_MOVED)
            DoCommand(&bar == &HScroll ? 1001 : 1002);
        if (r & SB_REDRAW)
            RedrawBits |= REDRAW_RENDER;
        return;
    }
    if (EditorActive) {
        OverEditedItem = col == EditCol && row == EditRow;
        if (left && !(Sheet->Sel.Mode & SELMODE_TABLE_DRAG)) {
            Caret = CaretFromX(MouseX);
            LayoutEditor();
            if (MarkEnd != Caret)
                RedrawBits |= REDRAW_RENDER;
            MarkEnd = Caret;
            UpdateCursor();
            return;
        }
    }
    FindBlockHandles();
    TSel& sel = Sheet->Sel;
    if (sel.Mode & SELMODE_TABLE_DRAG) {
        const int x = std::clamp<int>(MouseX, CellsLeft + 1, int(CellsLeft + VisibleCols * CellWidth) - 1);
        const int y = std::clamp<int>(MouseY, CellsTop + 1, int(CellsTop + VisibleRows * CellHeight) - 1);
        if (sel.DragTo(TableBandMap, x, y, false))
            RedrawBits |= REDRAW_RENDER;
        if (HoverOn) {
            HoverOn = 0;
            RedrawBits |= REDRAW_RENDER;
        }
        return;
    }
    if (HoverOn) {
        if (PlusRect.Holds(MouseX, MouseY))
            HoverButton = 1;
        else if (MinusRect.Holds(MouseX, MouseY))
            HoverButton = 2;
    }
    if (HoverButton)
        EdgeHandle = CornerHandle = InterpolateHandle = 0;
    if (!HoverButton && !EdgeHandle && !CornerHandle && !InterpolateHandle) {
        if (PlusPressed || MinusPressed) {
            PlusPressed = MinusPressed = 0;
            RedrawBits |= REDRAW_RENDER;
            UpdateCursor();
            return;
        }
        if (col > -2 && ItemEditable(col, row)) {
            if (!HoverOn || col != HoverCol || row != HoverRow) {
                RedrawBits |= REDRAW_RENDER;
                SetHoverItem(col, row);
            }
        } else if (HoverOn) {
            HoverOn = 0;
            RedrawBits |= REDRAW_RENDER;
        }
    }
    if (HoverButton)
        return;
    for (TabScrollBar* bar : { &HScroll, &VScroll }) {
        bar->PointerX = MouseX;
        bar->PointerY = MouseY;
        if (bar->PointerMove() & SB_REDRAW)
            RedrawBits |= REDRAW_RENDER;
    }
}

namespace {

// Replaces the selection by every cell, every X or every Y breakpoint of the sheet.
void SelectAll(TSel& sel, const CSheet& s, const TabHitMap& map, int kind)
{
    sel.Clear();
    sel.Mode = kind;
    if (kind == HIT_CELL) {
        for (int r = 0; r < s.Y.Count; r++)
            for (int c = 0; c < s.X.Count; c++)
                sel.CellFlags[r * TAB_MAX_COLS + c] = SEL_IN_BAND;
    } else {
        const int n = kind == HIT_XHEADER ? s.X.Count : s.Y.Count;
        for (int i = 0; i < n; i++)
            (kind == HIT_XHEADER ? sel.XFlags[i] : sel.YFlags[i]) = SEL_IN_BAND;
    }
    sel.UpdateBandBounds();
    sel.Finish(map);
}

} // namespace

bool TTab::CornerClick(int x, int y)
{
    CSheet& s = *Sheet;
    TSel& sel = s.Sel;
    const int L = YHeaderLeft, W = YHeaderWidth, T = XHeaderTop, H = XHeaderHeight, CX = CellsLeft, CY = CellsTop;
    const auto inside = [](int v, int low, int high) { return v > low && v < high; };
    const bool xc = s.X.Collapsed, yc = s.Y.Collapsed;
    bool all = false, allX = false, allY = false;
    if (xc) {
        all = inside(x, L + W + 2, int(CX + CellWidth)) && inside(y, CY - 30, CY);
        allY = !yc && inside(x, L, L + W) && inside(y, CY - 30, CY);
    }
    if (yc) {
        all = all || (inside(x, L, CX) && inside(y, T + H + 2, int(CY + CellHeight)));
        allX = !xc && inside(x, L + 1, CX) && inside(y, T, T + H);
    }
    if (!xc && !yc) {
        all = inside(x, L + W + 2, CX) && inside(y, T + H + 2, CY);
        if (!all && inside(x, L, CX) && inside(y, T, CY)) {
            allX = H * (x - L) > W * (y - T);
            allY = !allX;
        }
    }
    if (!all && !allX && !allY)
        return false;
    if (all && sel.Count >= s.X.Count * s.Y.Count)
        sel.Clear();
    else
        SelectAll(sel, s, TableHitMap, all ? HIT_CELL : allX ? HIT_XHEADER : HIT_YHEADER);
    RedrawBits |= REDRAW_RENDER;
    PointerMoved();
    return true;
}

int TTab::TableMouseDown()
{
    int col = -2, row = -2;
    TableHitMap.HitItem(MouseX, MouseY, col, row);
    if (HoverOn && HoverButton) {
        CommitEditor();
        PlusPressed = HoverButton == 1;
        MinusPressed = HoverButton == 2;
        Repeated = 0;
        PressTick = TabTicks;
        RedrawBits |= REDRAW_RENDER;
        return 1;
    }
    if (InterpolateHandle) {
        DoCommand(101);
        return 1;
    }
    if (EditorActive) {
        if (col == EditCol && row == EditRow) {
            if (MouseX < EditLeft)
                Caret = MarkStart = MarkEnd = 0;
            else
                Caret = MarkStart = MarkEnd = CaretFromX(MouseX);
            LayoutEditor();
            RedrawBits |= REDRAW_RENDER;
            return 1;
        }
        CommitEditor();
    }
    if (CornerHandle || EdgeHandle) {
        StartBlockDrag();
        return 1;
    }
    if (CornerClick(MouseX, MouseY))
        return 1;
    for (TabScrollBar* bar : { &HScroll, &VScroll }) {
        bar->PointerX = MouseX;
        bar->PointerY = MouseY;
        const int r = bar->PointerDown();
        if (r & SB_MOVED)
            DoCommand(bar == &HScroll ? 1001 : 1002);
        if (r & SB_REDRAW)
            RedrawBits |= REDRAW_RENDER;
        if (r & SB_USED)
            return 1;
    }
    if (MouseX < YHeaderLeft || MouseX > CellsLeft + VisibleCols * CellWidth || MouseY < XHeaderTop
        || MouseY > CellsTop + VisibleRows * CellHeight)
        return 0;
    TSel& sel = Sheet->Sel;
    sel.BeginAtHit(TableHitMap, MouseX, MouseY, ShiftDown, CtrlDown);
    if (sel.Mode)
        sel.Mode |= SELMODE_TABLE_DRAG;
    PointerMoved();
    RedrawBits |= REDRAW_RENDER;
    return 1;
}

int TTab::TableMouseUp()
{
    if (HoverOn && (PlusPressed || MinusPressed)) {
        PlusPressed = MinusPressed = 0;
        if (!Repeated && HoverButton)
            StepCurrentItem(HoverButton == 1 ? 1 : -1);
        RedrawBits |= REDRAW_RENDER;
        return 1;
    }
    if (BlockDrag) {
        ApplyBlockDrag();
        BlockDrag = 0;
        RedrawBits |= REDRAW_RENDER;
        UpdateCursor();
        return 1;
    }
    for (TabScrollBar* bar : { &HScroll, &VScroll }) {
        const int r = bar->PointerUp();
        if (r & SB_REDRAW)
            RedrawBits |= REDRAW_RENDER;
        if (r & SB_USED)
            return 1;
    }
    Sheet->Sel.Finish(TableHitMap);
    PointerMoved();
    RedrawBits |= REDRAW_RENDER;
    return 0;
}

int TTab::TableRightDown()
{
    CSheet& s = *Sheet;
    TSel& sel = s.Sel;
    if (sel.Mode & SELMODE_TABLE_DRAG) {
        sel.Finish(TableHitMap);
        PointerMoved();
    }
    const int x = MouseX, y = MouseY;
    const int hit = TableHitMap.HitAll(x, y);
    if (!hit)
        sel.Clear();
    const int L = YHeaderLeft, W = YHeaderWidth, T = XHeaderTop, H = XHeaderHeight, CX = CellsLeft, CY = CellsTop;
    const auto inside = [](int v, int low, int high) { return v > low && v < high; };
    int area = 0;
    if (s.Y.Collapsed && inside(x, L + 1, CX) && inside(y, T, T + H))
        area = HIT_XHEADER;
    if (s.X.Collapsed && inside(x, L, L + W) && inside(y, CY - 30, CY))
        area = HIT_YHEADER;
    if (!s.X.Collapsed && !s.Y.Collapsed && inside(x, L, CX) && inside(y, T, CY))
        area = H * (x - L) > W * (y - T) ? HIT_XHEADER : HIT_YHEADER;
    if (inside(x, L + W + 2, CX) && inside(y, T + H + 2, CY))
        area = HIT_CELL;
    int col = -2, row = -2;
    if (area) {
        SelectAll(sel, s, TableHitMap, area);
    } else if (TableHitMap.HitItem(x, y, col, row)) {
        if (sel.ItemFlags(col, row) == 0)
            sel.SelectItem(TableHitMap, col, row);
    } else if (hit & (HIT_XBAND | HIT_YBAND)) {
        // A band strip stands for the cells of its column or row.
        const bool column = hit & HIT_XBAND;
        const int index = column ? TableHitMap.HitCol : TableHitMap.HitRow;
        const int n = column ? s.Y.Count : s.X.Count;
        bool allSelected = true;
        for (int i = 0; i < n; i++) {
            const int c = column ? index : i, r = column ? i : index;
            if ((column ? s.Y.Collapsed && r != s.Y.UsedIndex : s.X.Collapsed && c != s.X.UsedIndex))
                continue;
            allSelected &= (sel.CellFlags[r * TAB_MAX_COLS + c] & SEL_SELECTED) != 0;
        }
        if (!allSelected && index >= 0) {
            sel.Clear();
            sel.Mode = HIT_CELL;
            for (int i = 0; i < n; i++) {
                const int c = column ? index : i, r = column ? i : index;
                if (!(column ? s.Y.Collapsed && r != s.Y.UsedIndex : s.X.Collapsed && c != s.X.UsedIndex))
                    sel.CellFlags[r * TAB_MAX_COLS + c] = SEL_IN_BAND;
            }
            sel.UpdateBandBounds();
            sel.Finish(TableHitMap);
        }
    }
    RedrawBits |= REDRAW_RENDER;
    return 0;
}

int TTab::TableDoubleClick()
{
    if (HoverOn && HoverButton) {
        PlusPressed = HoverButton == 1;
        MinusPressed = HoverButton == 2;
        PressTick = TabTicks;
        RedrawBits |= REDRAW_RENDER;
        return 1;
    }
    int col = -2, row = -2;
    TableHitMap.HitItem(MouseX, MouseY, col, row);
    if (col < -1 || !ItemEditable(col, row)) {
        UpdateCursor();
        return 0;
    }
    if (!EditorActive || col != EditCol || row != EditRow)
        OpenEditor(col, row, false);
    PointerMoved();
    MarkStart = 0;
    MarkEnd = int(std::strlen(EditText));
    Caret = CaretFromX(MouseX);
    LayoutEditor();
    RedrawBits |= REDRAW_RENDER;
    return 1;
}

int TTab::TableWheel(int direction)
{
    if (!HoverOn)
        return 0;
    StepCurrentItem(direction > 0 ? 1 : -1);
    return 1;
}

void TTab::EditDeleteMarked()
{
    const int a = std::min(MarkStart, MarkEnd), b = std::max(MarkStart, MarkEnd);
    const int n = int(std::strlen(EditText));
    if (a < 0 || a == b || b > n)
        return;
    std::memmove(EditText + a, EditText + b, size_t(n - b + 1));
    Caret = a;
    MarkStart = MarkEnd = -1;
}

void TTab::EditInsert(char c)
{
    if (MarkStart != MarkEnd)
        EditDeleteMarked();
    const int n = int(std::strlen(EditText));
    if (n >= EDITOR_MAX_CHARS)
        return;
    Caret = std::clamp(Caret, 0, n);
    std::memmove(EditText + Caret + 1, EditText + Caret, size_t(n - Caret + 1));
    EditText[Caret++] = c;
}

int TTab::EditorKey(int code)
{
    const int n = int(std::strlen(EditText));
    const bool marked = MarkStart != MarkEnd && MarkStart >= 0 && MarkEnd >= 0;
    if (EditorCharacter(code)) {
        EditInsert(char(code));
    } else if (code == KEY_BACKSPACE || code == VK_DELETE * 256) {
        if (marked)
            EditDeleteMarked();
        else if (code == KEY_BACKSPACE && Caret > 0) {
            std::memmove(EditText + Caret - 1, EditText + Caret, size_t(n - Caret + 1));
            Caret--;
        } else if (code != KEY_BACKSPACE && Caret < n) {
            std::memmove(EditText + Caret, EditText + Caret + 1, size_t(n - Caret));
        }
    } else if (code == KEY_ENTER || code == VK_UP * 256 || code == VK_DOWN * 256 || code == VK_PRIOR * 256
        || code == VK_NEXT * 256) {
        CommitEditor();
        RedrawBits |= REDRAW_RENDER;
        return 1;
    } else if (code == KEY_ESCAPE) {
        EditorActive = 0;
        RedrawBits |= REDRAW_RENDER;
        return 1;
    } else if (code == VK_LEFT * 256 || code == VK_RIGHT * 256 || code == VK_HOME * 256 || code == VK_END * 256) {
        if (ShiftDown && MarkStart == -1 && MarkEnd == -1)
            MarkStart = Caret;
        if (code == VK_LEFT * 256)
            Caret = std::max(0, Caret - 1);
        else if (code == VK_RIGHT * 256)
            Caret = std::min(n, Caret + 1);
        else
            Caret = code == VK_HOME * 256 ? 0 : n;
        if (ShiftDown) {
            if (MarkStart == -1)
                MarkStart = Caret;
            if (MarkEnd != Caret)
                RedrawBits |= REDRAW_RENDER;
            MarkEnd = Caret;
        } else {
            ClearTextMarks(true);
        }
    } else {
        return 0;
    }
    LayoutEditor();
    RedrawBits |= REDRAW_RENDER;
    return 1;
}

int TTab::CursorKey(int code)
{
    CSheet& s = *Sheet;
    int c, r;
    const bool current = CurrentItem(c, r);
    const bool extend = ShiftDown;
    switch (code) {
    case VK_LEFT * 256:
        return MoveCursor(-1, 0, extend), 1;
    case VK_RIGHT * 256:
        return MoveCursor(1, 0, extend), 1;
    case VK_UP * 256:
        return MoveCursor(0, -1, extend), 1;
    case VK_DOWN * 256:
        return MoveCursor(0, 1, extend), 1;
    case VK_HOME * 256:
    case VK_END * 256: {
        const int to = s.X.Collapsed ? s.X.UsedIndex : code == VK_HOME * 256 ? 0 : s.X.Count - 1;
        return MoveCursor(10000 + to, 0, extend), 1;
    }
    case VK_PRIOR * 256:
    case VK_NEXT * 256: {
        const int to = s.Y.Collapsed ? s.Y.UsedIndex : code == VK_PRIOR * 256 ? 0 : s.Y.Count - 1;
        return MoveCursor(0, 10000 + to, extend), 1;
    }
    case KEY_ENTER:
        if (current && (r == s.Y.Count - 1 || (s.Y.Collapsed && r != -1)))
            MoveCursor(1, 1, false);
        else
            MoveCursor(0, 1, false);
        return 1;
    case KEY_ESCAPE:
        if (s.Sel.Count <= 0)
            return 0;
        s.Sel.Clear();
        RedrawBits |= REDRAW_RENDER;
        return 1;
    case KEY_BACKSPACE:
    case VK_DELETE * 256:
        if (current && ItemEditable(c, r)) {
            OpenEditor(c, r, true);
            RedrawBits |= REDRAW_RENDER;
        }
        return 1;
    case VK_INSERT * 256:
        if (current && ItemEditable(c, r)) {
            OpenEditor(c, r, false);
            ClearTextMarks(false);
            LayoutEditor();
            RedrawBits |= REDRAW_RENDER;
        }
        return 1;
    default:
        return 0;
    }
}

int TTab::TableKey(int code)
{
    if (!Sheet)
        return 0;
    if (!EditorActive && EditorCharacter(code)) {
        int c, r;
        if (!CurrentItem(c, r) || !ItemEditable(c, r))
            return 0;
        OpenEditor(c, r, true);
    }
    return EditorActive ? EditorKey(code) : CursorKey(code);
}
