// Where everything of a map table lies and how the whole control is drawn:
// margins, sheet tabs, the table's grid and scroll bars, the choice of view.
#include "mapedit/tab.h"

#include "mapedit/tab_layout.h"
#include "mapedit/tabcanvas.h"
#include "platform/cp1250.h"

#include <QFontMetrics>

#include <algorithm>

using namespace tablayout_detail;

void TTab::LayoutTable()
{
    if (!Sheet)
        return;
    CAxe& x = Sheet->X;
    CAxe& y = Sheet->Y;
    VisibleCols = x.Collapsed ? 1 : std::min(ColumnSlots, x.Count);
    VisibleRows = (y.Collapsed && !x.Collapsed) ? 1 : std::min(RowSlots, y.Count);
    for (CAxe* a : { &x, &y }) {
        const int rule = a->CollapseTo;
        const int index = rule == -1 ? 0 : rule == -2 ? a->Count - 1 : rule == -3 ? a->Count / 2 : rule;
        a->UsedIndex = std::clamp(index, 0, std::max(0, a->Count - 1));
    }
    x.FirstVisible = std::clamp(x.FirstVisible, 0, std::max(0, x.Count - VisibleCols));
    y.FirstVisible = std::clamp(y.FirstVisible, 0, std::max(0, y.Count - VisibleRows));

    HScroll.Visible = !(VisibleCols < ColumnSlots || VisibleCols == x.Count);
    HScroll.Rect = { CellsLeft, int(CellsTop + VisibleRows * CellHeight + 1), int(CellsLeft + VisibleCols * CellWidth),
        int(CellsTop + VisibleRows * CellHeight + 1) + 15 };
    HScroll.Horizontal = 1;
    HScroll.Total = x.Count;
    HScroll.Page = ColumnSlots;
    HScroll.Position = x.FirstVisible;
    VScroll.Visible = !(VisibleRows < RowSlots || VisibleRows == y.Count);
    const int vx = int(CellsLeft + VisibleCols * CellWidth + 1);
    VScroll.Rect = { vx, CellsTop, vx + 15, int(CellsTop + VisibleRows * CellHeight) };
    VScroll.Horizontal = 0;
    VScroll.Total = y.Count;
    VScroll.Page = RowSlots;
    VScroll.Position = y.FirstVisible;
    BuildTableHitMaps();
    SetView(0);
}

void TTab::BuildTableHitMaps()
{
    if (!Sheet)
        return;
    const CAxe& xa = Sheet->X;
    const CAxe& ya = Sheet->Y;
    for (TabHitMap* m : { &TableHitMap, &TableBandMap }) {
        m->Reset();
        m->Width = width();
        m->Height = height();
        m->CountX = xa.Count;
        m->CountY = ya.Count;
        m->HasXHeader = m->HasYHeader = m->HasXBand = m->HasYBand = m->HasCells = 1;
    }
    const auto xAt = [&](int i) { return int((i - xa.FirstVisible) * CellWidth + CellsLeft); };
    const auto yAt = [&](int j) { return int((j - ya.FirstVisible) * CellHeight + CellsTop); };
    const auto visibleCol = [&](int i) { return i >= xa.FirstVisible && i < xa.FirstVisible + VisibleCols; };
    const auto visibleRow = [&](int j) { return j >= ya.FirstVisible && j < ya.FirstVisible + VisibleRows; };
    const int cols = std::min(xa.Count, TAB_MAX_COLS), rows = std::min(ya.Count, TAB_MAX_ROWS);
    for (int i = 0; i < cols && !xa.Collapsed; i++) {
        const int x = xAt(i), x2 = int(x + CellWidth);
        const TabRect header { x, XHeaderTop, x2, XHeaderTop + XHeaderHeight };
        const TabRect band { x, XHeaderTop + XHeaderHeight, x2, CellsTop };
        TableBandMap.XHeader(i) = header;
        TableBandMap.XBand(i) = band;
        if (visibleCol(i)) {
            TableHitMap.XHeader(i) = header;
            TableHitMap.XBand(i) = band;
        }
    }
    for (int j = 0; j < rows && !ya.Collapsed; j++) {
        const int y = yAt(j), y2 = int(y + CellHeight);
        const TabRect header { YHeaderLeft, y, YHeaderLeft + YHeaderWidth, y2 };
        const TabRect band { YHeaderLeft + YHeaderWidth, y, CellsLeft, y2 };
        TableBandMap.YHeader(j) = header;
        TableBandMap.YBand(j) = band;
        if (visibleRow(j)) {
            TableHitMap.YHeader(j) = header;
            TableHitMap.YBand(j) = band;
        }
    }
    for (int j = 0; j < rows; j++) {
        if (ya.Collapsed && j != ya.UsedIndex)
            continue;
        const int y = ya.Collapsed ? CellsTop : yAt(j);
        for (int i = 0; i < cols; i++) {
            if (xa.Collapsed && i != xa.UsedIndex)
                continue;
            const int x = xa.Collapsed ? CellsLeft : xAt(i);
            const TabRect cell { x, y, int(x + CellWidth), int(y + CellHeight) };
            TableBandMap.Cell(i, j) = cell;
            if ((xa.Collapsed || visibleCol(i)) && (ya.Collapsed || visibleRow(j)))
                TableHitMap.Cell(i, j) = cell;
        }
    }
}

void TTab::SetView(int view)
{
    if (view & (VIEW_TABLE | VIEW_2D | VIEW_3D))
        ViewRequest = (view & VIEW_3D) ? VIEW_3D : (view & VIEW_2D) ? VIEW_2D : VIEW_TABLE;
    int r = ViewRequest;
    if (r == VIEW_TABLE && !(Style & TABSTYLE_TABLE))
        r = VIEW_2D;
    if (r == VIEW_2D && !(Style & TABSTYLE_2D))
        r = VIEW_3D;
    if (r == VIEW_3D && !(Style & TABSTYLE_3D))
        r = VIEW_ONOFF;
    if (r == VIEW_ONOFF)
        r = (Style & TABSTYLE_TABLE) ? VIEW_TABLE : (Style & TABSTYLE_2D) ? VIEW_2D : 0;
    ViewRequest = ViewBits = r;
    for (int v = 0; v < 3; v++)
        Buttons[SLOT_VIEW_TABLE + v].Pressed = ViewRequest == (1 << v);
    TTabGraph& g = Graph;
    if (Style & TABSTYLE_ONOFF) {
        g.AreaLeft = int(CellsLeft - CellWidth * 0.5f);
        g.AreaRight = 0;
        g.AreaTop = int(CellsTop - CellHeight * 0.5f);
        g.AreaBottom = 0;
        ViewBits |= VIEW_ONOFF;
    } else if (ViewRequest == VIEW_TABLE && Sheet) {
        const CAxe& x = Sheet->X;
        const CAxe& y = Sheet->Y;
        const int xCount = std::max(1, x.Count), yCount = std::max(1, y.Count);
        int tw = int(CellWidth * (x.Collapsed ? 1 : xCount) + CellsLeft + 5);
        if (!y.Collapsed && RowSlots < yCount)
            tw += VScroll.Rect.Width();
        int th = int((y.Collapsed ? 1 : yCount) * CellHeight + CellsTop + 5);
        if (!x.Collapsed && ColumnSlots < xCount)
            th += HScroll.Rect.Height();
        const int fw = width() - tw - MarginRight;
        const int perColumn = x.Collapsed ? fw : fw / xCount;
        const int fh = height() - th - MarginBottom;
        const int t = y.Collapsed ? int(fh * 1.5) : int(fh / (yCount * 2.0 / 3.0));
        if (t > 100) {
            g.AreaLeft = MarginLeft;
            g.AreaRight = MarginRight;
            g.AreaTop = th;
            g.AreaBottom = MarginBottom;
            ViewBits |= VIEW_2D;
        } else if (perColumn > 100) {
            g.AreaLeft = tw;
            g.AreaRight = MarginRight;
            g.AreaTop = MarginTop;
            g.AreaBottom = MarginBottom;
            ViewBits |= VIEW_2D;
        }
    }
    if (ViewRequest == VIEW_2D || ViewRequest == VIEW_3D) {
        g.AreaLeft = MarginLeft;
        g.AreaRight = MarginRight;
        g.AreaTop = MarginTop;
        g.AreaBottom = MarginBottom;
    }
    const int dx = MarginLeft - Buttons[SLOT_TOP].Rect.left, dy = MarginTop - Buttons[SLOT_TOP].Rect.top;
    for (int i = SLOT_TOP; i < SLOT_TOP + 3; i++) {
        TabButton& b = Buttons[i];
        b.ButtonState = ViewRequest == VIEW_3D ? 1 : 0;
        if (ViewRequest == VIEW_3D)
            b.Rect = { b.Rect.left + dx, b.Rect.top + dy, b.Rect.right + dx, b.Rect.bottom + dy };
    }
    if (view)
        RedrawBits |= REDRAW_VALUES;
}

void TTab::PaintTabs(TabCanvas& cv)
{
    const int w = BackBitmap.width();
    cv.Painter.setFont(TabFont(9));
    cv.PenWidth = 1;
    cv.PenColour = clBlack;
    cv.Line(0, 0, w, 0);
    int x = 1;
    int left = -1, right = -1;
    for (int i = 0; i < SheetCount; i++) {
        const CSheet& s = Sheets[i];
        if (s.Hidden)
            continue;
        const bool current = i == CurrentIndex;
        int d = x + 1, e = d + s.TabWidth;
        x = e;
        int bottom = 18;
        if (current) {
            d -= 2;
            e += 2;
            bottom = 20;
            left = d;
            right = e;
        }
        const bool afterCurrent = i == CurrentIndex + 1, beforeCurrent = i + 1 == CurrentIndex;
        if (!afterCurrent || current) {
            cv.PenColour = clWhite;
            cv.Line(d, 0, d, bottom - 2);
        }
        cv.PenColour = clBlack;
        cv.Line(d, bottom - 2, d + 2, bottom);
        cv.Line(d + 2, bottom, e - 2, bottom);
        cv.Line(e - 2, bottom, e, bottom - 2);
        if (!beforeCurrent || current) {
            cv.Line(e, bottom - 2, e, 0);
            cv.PenColour = clGray;
            cv.Line(e - 1, bottom - 2, e - 1, 0);
        }
        const bool readOnly = !s.X.Editable && !s.Y.Editable && !s.V.Editable;
        cv.Painter.setFont(TabFont(9, false, !s.Enabled || readOnly));
        const QString text = QStringFromCp1250(SelectTabText(s.Caption).substr(0, 127));
        cv.FontColour = s.Enabled ? clBlack : clGray;
        cv.TextOut((d + e - cv.TextWidth(text)) / 2, bottom - 16, text);
    }
    if (left >= 0) {
        cv.PenColour = ColorToRGB(Color);
        cv.Line(left + 1, 0, right, 0);
    }
    cv.FontColour = clBlack;
    cv.Painter.setFont(TabFont(FONT_SIZE));
}

void TTab::Render()
{
    if (Rendering)
        return;
    Rendering = 1;
    // The back bitmap is the size of the control, also of a hidden one that was resized.
    if (BackBitmap.size() != size())
        BackBitmap = QImage(size(), QImage::Format_RGB32);
    {
        TabCanvas cv(BackBitmap);
        cv.FillRect(0, 0, BackBitmap.width(), BackBitmap.height(), Color);
        if (Sheet && Sheet->Active() && !Sheet->Hidden && (ViewBits & VIEW_TABLE))
            PaintTable(cv);
        if (Sheet && Sheet->Active() && !Sheet->Hidden)
            PaintGraphViews(cv);
        if (SheetCount > 1)
            PaintTabs(cv);
        if (SheetCount == 1 && (Style & TABSTYLE_CAPTION) && Sheet) {
            int x = ColumnSlots * CellWidth < 200 ? 0 : 10;
            if (Sheet->Flags & SHEET_ENABLE_BOX) {
                const QImage* box = ToolBitmaps[Sheet->Enabled ? GLYPH_CHECK_ON : GLYPH_CHECK_OFF];
                const int y = (Style & TABSTYLE_TOOLBAR) ? 5 : 1;
                if (box)
                    cv.Painter.drawImage(x + 3, y + 4, *box);
                x += 25;
            }
            cv.Painter.setFont(TabFont(Sheets[0].TabFontSize));
            cv.TextOut(x, 3, QStringFromCp1250(SelectTabText(Sheet->Caption).substr(0, 127)));
        }
        cv.Painter.setFont(TabFont(FONT_SIZE));
        if (Sheet && Sheet->Active() && !PrintMode)
            PaintToolbar(cv);
        if (Sheet && (Style & TABSTYLE_TOOLBAR) && (Sheet->Flags & SHEET_BIG_UNIT)) {
            cv.Painter.setFont(TabFont(int(1.5 * Sheets[0].TabFontSize)));
            const int y0 = Buttons[SLOT_COPY].ButtonKind ? Buttons[SLOT_COPY].Rect.top : MarginBase / 2;
            cv.TextOut(10, y0 + 3, QStringFromCp1250(Sheet->V.Unit));
        }
    }
    Rendering = 0;
    RedrawBits = 0;
    update();
}

void TTab::PaintStepButtons(TabCanvas& cv)
{
    if (!HoverOn)
        return;
    for (int which = 0; which < 2; which++) {
        const TabButtonRect& r = which == 0 ? PlusRect : MinusRect;
        const bool pressed = which == 0 ? PlusPressed : MinusPressed;
        DrawBevelBox(cv, r.left, r.top, r.Width(), r.Height(), pressed, Color, Colours[1], Colours[0]);
        const double w = r.Width(), h = r.Height();
        const int o = pressed ? 1 : 0;
        const auto X = [&](double f) { return int(r.left + f * w) + o; };
        const auto Y = [&](double f) { return int(which == 0 ? r.top + f * h : r.bottom - f * h); };
        const QPoint arrow[7] = { { X(0.5), Y(0.1) }, { X(0.9), Y(0.5) }, { X(0.7), Y(0.5) }, { X(0.7), Y(0.9) },
            { X(0.3), Y(0.9) }, { X(0.3), Y(0.5) }, { X(0.1), Y(0.5) } };
        cv.PenColour = cv.BrushColour = clGray;
        cv.PenWidth = 1;
        cv.Polygon(arrow, 7);
    }
}
