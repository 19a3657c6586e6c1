// The value editor over a cell of a map table, scrolling and the cursor.
#include "mapedit/tab.h"

#include "mapedit/numbers.h"
#include "mapedit/tab_layout.h"
#include "mapedit/tabcanvas.h"
#include "platform/cp1250.h"

#include <QFontMetrics>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

using namespace tablayout_detail;

void TTab::OpenEditor(int col, int row, bool empty)
{
    if (!Sheet)
        return;
    EditCol = col;
    EditRow = row;
    std::string text;
    const int32_t* v = ItemValue(col, row);
    if (!empty && v) {
        const CSheet& s = *Sheet;
        if (row == -1)
            text = FormatNumber(*v, s.X.Scale, "", false);
        else if (col == -1)
            text = FormatNumber(*v, s.Y.Scale, "", false);
        else {
            const double step = s.V.Step != 0 ? s.V.Step : 1.0;
            text = FormatNumber(int32_t(std::trunc(*v / step)), step * s.V.Scale, "", false);
        }
    }
    std::snprintf(EditText, sizeof EditText, "%s", text.c_str());
    editOpenedText = EditText;
    Caret = int(std::strlen(EditText));
    MarkStart = MarkEnd = 0;
    EditorActive = 1;
    LayoutEditor();
}

TabButtonRect TTab::ItemRect(int c1, int r1, int c2, int r2) const
{
    const CSheet& s = *Sheet;
    TabButtonRect r;
    const auto colX = [&](int c) { return int((s.X.Collapsed ? 0 : c - s.X.FirstVisible) * CellWidth + CellsLeft); };
    const auto rowY = [&](int j) { return int((s.Y.Collapsed ? 0 : j - s.Y.FirstVisible) * CellHeight + CellsTop); };
    if (c1 == -1) {
        r.left = YHeaderLeft;
        r.right = YHeaderLeft + YHeaderWidth;
    } else {
        r.left = colX(c1);
        r.right = s.X.Collapsed ? int(CellsLeft + CellWidth) : colX(c2 + 1);
    }
    if (r1 == -1) {
        r.top = XHeaderTop;
        r.bottom = XHeaderTop + XHeaderHeight;
    } else {
        r.top = rowY(r1);
        r.bottom = s.Y.Collapsed ? int(CellsTop + CellHeight) : rowY(r2 + 1);
    }
    return r;
}

void TTab::LayoutEditor()
{
    if (!EditorActive || !Sheet)
        return;
    const QFontMetrics fm(TabFont(int(FONT_SIZE * 1.4), true));
    const QString text = QStringFromCp1250(EditText);
    const TabButtonRect item = ItemRect(EditCol, EditRow, EditCol, EditRow);
    const int l = item.left, r = item.right - 1, t = item.top, b = item.bottom - 1;
    EditWidth = fm.horizontalAdvance(text);
    EditHeight = fm.height();
    EditLeft = (l + r - EditWidth) / 2;
    EditTop = (t + b - EditHeight) / 2;
    CharOffsets[0] = 0;
    for (int i = 0; i < text.size() && i < 128; i++)
        CharOffsets[i + 1] = CharOffsets[i] + fm.horizontalAdvance(text[i]);
    Caret = std::clamp(Caret, 0, int(text.size()));
    CaretX = EditLeft + CharOffsets[Caret];
    CaretY = EditTop;
    CaretHeight = EditHeight;
    CaretWidth = 2;
    CaretPhase = 0;
}

void TTab::CommitEditor()
{
    if (!EditorActive)
        return;
    EditorActive = 0;
    RedrawBits |= REDRAW_RENDER;
    // Closing on an untouched text stores nothing: the text shows the cell in
    // whole steps and would round it.
    if (!Sheet || editOpenedText == EditText)
        return;
    std::string text = EditText;
    const size_t comma = text.find(',');
    if (comma != std::string::npos)
        text[comma] = '.';
    std::erase_if(text, [](char c) { return c == ' ' || c == '\t'; });
    char* end = nullptr;
    const double x = std::strtod(text.c_str(), &end);
    if (end == text.c_str() || !std::isfinite(x))
        return;
    const double h = x >= 0 ? 0.5 : -0.5;
    const int col = EditCol, row = EditRow;
    int32_t* v = ItemValue(col, row);
    if (!v || !ItemEditable(col, row))
        return;
    const CAxe& a = row == -1 ? Sheet->X : col == -1 ? Sheet->Y : Sheet->V;
    if (a.Scale == 0)
        return;
    // Beyond the integer range the value stops at its end; the limits then hold it to the axis.
    const double stored = std::trunc(x / a.Scale + h);
    NoteChange(0, CHANGE_MULTI_OPEN);
    *v = int32_t(std::clamp<double>(stored, INT32_MIN, INT32_MAX));
    NoteChange(row == -1 ? CHANGED_X : col == -1 ? CHANGED_Y : CHANGED_CELLS, 0);
    RedrawBits |= REDRAW_VALUES;
}

void TTab::ClearTextMarks(bool repaint)
{
    if (MarkStart == MarkEnd)
        return;
    MarkStart = MarkEnd = -1;
    if (repaint)
        RedrawBits |= REDRAW_RENDER;
}

int TTab::ScrollBy(int columns, int rows)
{
    if (!Sheet)
        return 0;
    CAxe& x = Sheet->X;
    CAxe& y = Sheet->Y;
    const int newX
        = x.Collapsed ? x.FirstVisible : std::clamp(x.FirstVisible + columns, 0, std::max(0, x.Count - VisibleCols));
    const int newY
        = y.Collapsed ? y.FirstVisible : std::clamp(y.FirstVisible + rows, 0, std::max(0, y.Count - VisibleRows));
    if (newX == x.FirstVisible && newY == y.FirstVisible)
        return 0;
    x.FirstVisible = HScroll.Position = newX;
    y.FirstVisible = VScroll.Position = newY;
    LayoutTable();
    HoverOn = 0;
    CommitEditor();
    RedrawBits |= REDRAW_RENDER;
    return 1;
}

void TTab::ScrollIntoView(int col, int row)
{
    if (!Sheet)
        return;
    const CAxe& x = Sheet->X;
    const CAxe& y = Sheet->Y;
    int dx = 0, dy = 0;
    if (!x.Collapsed && col >= 0) {
        if (col < x.FirstVisible)
            dx = col - x.FirstVisible;
        else if (col >= x.FirstVisible + VisibleCols)
            dx = col - VisibleCols + 1 - x.FirstVisible;
    }
    if (!y.Collapsed && row >= 0) {
        if (row < y.FirstVisible)
            dy = row - y.FirstVisible;
        else if (row >= y.FirstVisible + VisibleRows)
            dy = row - VisibleRows + 1 - y.FirstVisible;
    }
    if (dx || dy)
        ScrollBy(dx, dy);
}

void TTab::ScrollToCurrentItem()
{
    int c, r;
    if (CurrentItem(c, r))
        ScrollIntoView(c, r);
}

int TTab::MoveCursor(int dx, int dy, bool extend)
{
    if (!Sheet)
        return 0;
    CSheet& s = *Sheet;
    TSel& sel = s.Sel;
    int c, r;
    if (!CurrentItem(c, r) && !(dx >= 10000 && dy >= 10000))
        return 0;
    if (extend) {
        c = sel.EndCol;
        r = sel.EndRow;
    }
    const int oldC = c, oldR = r;
    const auto step = [&](int at, int d, const CAxe& a, int lo) {
        if (extend) {
            if (at < 0)
                return at;
            if (d >= 10000)
                return d - 10000;
            return a.Collapsed ? a.UsedIndex : std::clamp(at + d, 0, a.Count - 1);
        }
        if (d >= 10000)
            return d - 10000;
        if (a.Collapsed)
            return at == -1 ? a.UsedIndex : -1;
        at += d;
        if (at < lo)
            return a.Count - 1;
        if (at >= a.Count)
            return lo;
        return at;
    };
    if (dx != 0)
        c = step(c, dx, s.X, (r == -1 || s.Y.Collapsed) ? 0 : -1);
    if (dy != 0)
        r = step(r, dy, s.Y, (c == -1 || s.X.Collapsed) ? 0 : -1);
    if (c == oldC && r == oldR)
        return 0;
    if (extend) {
        sel.SelectRange(TableHitMap, c, r);
        ScrollIntoView(c, r);
    } else {
        sel.SelectItem(TableHitMap, c, r);
        ScrollToCurrentItem();
    }
    RedrawBits |= REDRAW_RENDER;
    return 1;
}
