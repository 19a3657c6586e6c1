// Where everything of a map table lies and how the whole control is drawn:
// margins, sheet tabs, the toolbar, the table's grid and scroll bars, the
// choice of view, the value editor and scrolling.
#include "mapedit/tab.h"

#include "mapedit/clipboard.h"
#include "mapedit/numbers.h"
#include "mapedit/tabcanvas.h"
#include "platform/cp1250.h"

#include <QFontMetrics>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int kToolbarBase = 123, kPerCollapse = 75, kPerView = 63;
constexpr int kFontSize = 8;

const char* const kCopyHint = "###Copy##Kopieren##Kopírovat";
const char* const kCopyTableHint = "###Copy table##Tabelle kopieren##Kopírovat tabulku";
const char* const kPasteHint = "###Paste##Einfügen##Vložit";
const char* const kPlusHint = "###Increment selection or actual value##Increment Auswahl oder Istwert##Zvětšit "
                              "hodnotu vybraný"
                              "ch buň"
                              "ek nebo aktuální hodnotu";
const char* const kMinusHint = "###Decrement selection or actual value##Decrement Auswahl oder Istwert##Zmenšit "
                               "hodnotu vybraný"
                               "ch buň"
                               "ek nebo aktuální hodnotu";
const char* const kOnly = "###Only##Nur##Jen";
const char* const kAnd = "###and##und##a";
const char* const kOnlyHint = "###Use only this parameter for table definition##Verwenden Sie nur diese Parameter "
                              "für Tabellendefinition##Použít pouze tento parametr pro definici tabluky";
const char* const kBothHint = "###Use both dimensions for table definition##Benutzen Sie beide Dimensionen für "
                              "die Tabellendefinition##Použít oba rozměry pro definici tabluky";
const char* const kViewHints[3] = { "###View as table##Als Tabelle anzeigen##Zobrazit jako tabulku",
    "###View as graph 2D##Als 2D Graph anzeigen##Zobrazit jako 2D graf",
    "###View as graph 3D##Als 3D Graph anzeigen##Zobrazit jako 3D graf" };
const char* const kPresetCaptions[3] = { "###TOP##TOP##Seshora", "ISO1", "ISO2" };
const char* const kPresetHints[3] = { "###View graph form top##Ein Blick auf die Tabelle oben##Pohled na graf seshora",
    "###View graph as ISO1##Ein Blick auf die Tabelle isometrisch##Pohled na graf izometricky",
    "###View graph as ISO2##Ein Blick auf die Tabelle isometrisch##Pohled na graf izometricky" };
const char* const kPositionCaptions[3]
    = { "###Beginning##Beginn##Počátek", "###Centre##Mitte##Střed", "###End##Ende##Konec" };
const char* const kPositionHints[3] = { "###Position of Beginning##Lage für Beginn##Poloha zadána pro Počátek",
    "###Position of Centre##Lage für Mitte##Poloha zadána pro Střed",
    "###Position of End##Lage für Ende##Poloha zadána pro Konec" };
const char* const kAddColumnHint = "###Add column##Spalte hinzufügen##Přidat sloupec";
const char* const kRemoveColumnHint = "###Remove column##Spalte entfernen##Odstranit sloupec";

enum Slot {
    SLOT_COPY = 0,
    SLOT_COPY_TABLE = 1,
    SLOT_PASTE = 2,
    SLOT_PLUS = 3,
    SLOT_MINUS = 4,
    SLOT_VIEW_TABLE = 5,
    SLOT_ONLY_X = 13,
    SLOT_ONLY_Y = 14,
    SLOT_BOTH = 15,
    SLOT_TOP = 16,
    SLOT_BEGINNING = 20,
    SLOT_ADD_COLUMN = 23,
    SLOT_REMOVE_COLUMN = 24,
};

// Pictures by their slot in ToolBitmaps.
enum Glyph {
    GLYPH_COPY = 0,
    GLYPH_PASTE = 1,
    GLYPH_COPY_OFF = 2,
    GLYPH_PASTE_OFF = 3,
    GLYPH_COPY_SHEET = 4,
    GLYPH_PASTE_SHEET = 5,
    GLYPH_TABLE = 6,
    GLYPH_2D = 7,
    GLYPH_CHECK_OFF = 9,
    GLYPH_CHECK_ON = 10,
};

int Collapses(const CSheet& s)
{
    if (s.X.CollapsePolicy == 2 || s.Y.CollapsePolicy == 2)
        return 0;
    const int k = (s.X.CollapsePolicy == 1) + (s.Y.CollapsePolicy == 1);
    return k > 0 ? k + 1 : 0;
}

int ViewsAllowed(int32_t style)
{
    const int n = ((style & TABSTYLE_TABLE) != 0) + ((style & TABSTYLE_2D) != 0) + ((style & TABSTYLE_3D) != 0);
    return n == 1 ? 0 : n;
}

} // namespace

void TTab::UpdateToolbar()
{
    const int w = width(), h = height();
    int toolbar = 0;
    if (Style & TABSTYLE_TOOLBAR) {
        int k = 0;
        for (int i = 0; i < SheetCount; i++)
            k = std::max(k, Collapses(Sheets[i]));
        toolbar = kToolbarBase + kPerCollapse * k + kPerView * ViewsAllowed(Style);
    }
    MarginBase = 10;
    MarginLeft = 10;
    MarginRight = MarginBase + 17;
    MarginBottom = MarginBase + 17;
    MarginTop = 10;
    int y0 = MarginBase / 2;
    const int d = w - MarginRight - toolbar;
    if (SheetCount >= 2) {
        int tabs = 0;
        for (int i = 0; i < SheetCount; i++)
            tabs += Sheets[i].TabWidth;
        if (d - 10 < 2 + tabs)
            y0 = 25;
        MarginTop = y0 + 20;
    }
    if (Style & TABSTYLE_TOOLBAR)
        MarginTop = y0 + 31;
    else if (Style & TABSTYLE_CAPTION)
        MarginTop = y0 + 20;

    YHeaderLeft = MarginLeft;
    XHeaderTop = MarginTop;
    XHeaderHeight = (h - MarginTop - BandGap - MarginBottom) / (RowSlots + 1);
    CellsLeft = YHeaderLeft + YHeaderWidth + BandGap;
    CellsTop = XHeaderTop + XHeaderHeight + BandGap;
    CellWidth = float(w - CellsLeft - MarginRight) / float(std::max(1, ColumnSlots));
    CellHeight = float(h - CellsTop - MarginBottom) / float(std::max(1, RowSlots));
    if (Style & TABSTYLE_ONOFF) {
        CellsLeft = int(CellsLeft + CellWidth * 0.5f);
        CellsTop = int(CellsTop + CellHeight * 0.5f);
    }
    if (EditorActive)
        LayoutEditor();
    MakeHatchBrush(clWhite, ColorToRGB(Color));
    HScroll.Colour = VScroll.Colour = Color;
    for (int i = 0; i < TAB_BUTTONS; i++) {
        TabButton& b = Buttons[i];
        b.Colour = Color;
        b.ButtonKind = 0;
        b.ButtonState = 0;
        b.Glyph = b.GlyphHover = b.GlyphPressed = b.GlyphDisabled = nullptr;
        b.Caption = b.Hint = nullptr;
    }
    ButtonCount = 0;
    if (Sheet)
        LayoutButtons(w, d, y0);
    UpdateToolbarStates(1);
    LayoutTable();
    PointerMoved();
}

void TTab::LayoutButtons(int width, int d, int y0)
{
    CSheet& s = *Sheet;
    auto put = [this](int slot, int x0, int y, int x1, int y1, uint8_t kind, int32_t state) -> TabButton& {
        TabButton& b = Buttons[slot];
        b.Rect = { x0, y, x1, y1 };
        b.ButtonKind = kind;
        b.ButtonState = state;
        return b;
    };
    auto caption = [this](int slot, std::string text) {
        buttonCaptions[slot] = std::move(text);
        Buttons[slot].Caption = buttonCaptions[slot].c_str();
    };
    if ((Style & TABSTYLE_TOOLBAR) && !(Style & TABSTYLE_BARE_TABS)) {
        TabButton& copy = put(SLOT_COPY, d, y0, d + 24, y0 + 24, BUTTON_ALWAYS_PAINT, 0);
        copy.Glyph = ToolBitmaps[GLYPH_COPY];
        copy.GlyphDisabled = ToolBitmaps[GLYPH_COPY_OFF];
        copy.Hint = kCopyHint;
        TabButton& table = put(SLOT_COPY_TABLE, d + 30, y0, d + 54, y0 + 24, BUTTON_ALWAYS_PAINT, 1);
        table.Glyph = ToolBitmaps[GLYPH_COPY_SHEET];
        table.GlyphDisabled = ToolBitmaps[GLYPH_COPY_OFF];
        table.Hint = kCopyTableHint;
        TabButton& paste = put(SLOT_PASTE, d + 60, y0, d + 84, y0 + 24, BUTTON_ALWAYS_PAINT, 0);
        paste.Glyph = ToolBitmaps[GLYPH_PASTE];
        paste.GlyphDisabled = ToolBitmaps[GLYPH_PASTE_OFF];
        paste.Hint = kPasteHint;
        put(SLOT_PLUS, d + 100, y0, d + 112, y0 + 12, BUTTON_ALWAYS_PAINT, 0).Caption = "+";
        Buttons[SLOT_PLUS].Hint = kPlusHint;
        put(SLOT_MINUS, d + 100, y0 + 13, d + 112, y0 + 24, BUTTON_ALWAYS_PAINT, 0).Caption = "-";
        Buttons[SLOT_MINUS].Hint = kMinusHint;

        const bool collapsible = (s.X.CollapsePolicy == 1 || s.Y.CollapsePolicy == 1) && s.X.CollapsePolicy != 2
            && s.Y.CollapsePolicy != 2;
        if (collapsible) {
            const std::string only = SelectTabText(kOnly);
            const std::string x = SelectTabText(s.X.Label), y = SelectTabText(s.Y.Label);
            std::snprintf(AxisCaptions[0], sizeof AxisCaptions[0], "%s %s", only.c_str(), x.c_str());
            std::snprintf(AxisCaptions[1], sizeof AxisCaptions[1], "%s %s", only.c_str(), y.c_str());
            std::snprintf(
                AxisCaptions[2], sizeof AxisCaptions[2], "%s %s %s", x.c_str(), SelectTabText(kAnd).c_str(), y.c_str());
            int x0 = d + 128;
            const auto add = [&](int slot, const char* text, const char* hint, bool pressed) {
                TabButton& b = put(slot, x0, y0 + 6, x0 + 70, y0 + 24, BUTTON_TOGGLE, 1);
                b.Caption = text;
                b.Hint = hint;
                b.Pressed = pressed;
                x0 += 75;
            };
            if (s.Y.CollapsePolicy == 1)
                add(SLOT_ONLY_X, AxisCaptions[0], kOnlyHint, s.Y.Collapsed && !s.X.Collapsed);
            if (s.X.CollapsePolicy == 1)
                add(SLOT_ONLY_Y, AxisCaptions[1], kOnlyHint, s.X.Collapsed && !s.Y.Collapsed);
            add(SLOT_BOTH, AxisCaptions[2], kBothHint, !s.X.Collapsed && !s.Y.Collapsed);
        }
        const int views = ViewsAllowed(Style);
        if (views > 1) {
            int x0 = width - MarginRight - kPerView * views + 5;
            const int32_t allowed[3] = { TABSTYLE_TABLE, TABSTYLE_2D, TABSTYLE_3D };
            for (int v = 0; v < 3; v++) {
                if (!(Style & allowed[v]))
                    continue;
                TabButton& b = put(SLOT_VIEW_TABLE + v, x0, y0, x0 + 58, y0 + 24, BUTTON_TOGGLE, 1);
                b.Glyph = ToolBitmaps[GLYPH_TABLE + v];
                b.Hint = kViewHints[v];
                x0 += kPerView;
            }
        }
        for (int v = 0; v < 3; v++)
            Buttons[SLOT_VIEW_TABLE + v].ButtonKind = BUTTON_TOGGLE;
        ButtonCount = TAB_BUTTONS;
    }
    const int presetX[3][2] = { { 10, 55 }, { 60, 95 }, { 100, 135 } };
    for (int i = 0; i < 3; i++) {
        TabButton& b = put(SLOT_TOP + i, presetX[i][0], 25, presetX[i][1], 41, BUTTON_TOGGLE, 0);
        caption(SLOT_TOP + i, SelectTabText(kPresetCaptions[i]));
        b.Hint = kPresetHints[i];
    }
    if (Style & TABSTYLE_POSITION_REF) {
        const int o = PixelsPerInch * 220 / 96;
        for (int i = 0; i < 3; i++) {
            TabButton& b = put(SLOT_BEGINNING + i, o + 85 * i, y0 + 2, o + 85 * i + 80, y0 + 22, BUTTON_TOGGLE, 1);
            caption(SLOT_BEGINNING + i, SelectTabText(kPositionCaptions[i]));
            b.Hint = kPositionHints[i];
            b.Pressed = PositionRef == i;
        }
    }
    if ((Style & TABSTYLE_TABLE) && s.X.Resizable && !s.X.Collapsed) {
        const int x = int(CellsLeft + ColumnSlots * CellWidth + 2 + 3);
        const int y = XHeaderTop + XHeaderHeight + 8;
        TabButton& add = put(SLOT_ADD_COLUMN, x, y, x + 15, y + 15, BUTTON_ALWAYS_PAINT,
            16 + (s.X.Count >= s.X.MaxCount ? BUTTON_GREYED : 0));
        add.Caption = "+";
        add.Hint = kAddColumnHint;
        TabButton& remove = put(SLOT_REMOVE_COLUMN, x, y + 20, x + 15, y + 35, BUTTON_ALWAYS_PAINT,
            16 + (s.X.Count <= s.X.MinCount ? BUTTON_GREYED : 0));
        remove.Caption = "-";
        remove.Hint = kRemoveColumnHint;
    }
}

void TTab::UpdateToolbarStates(int force)
{
    if (!Sheet)
        return;
    int count = 0, editable = 0;
    SelectionCounts(count, editable);
    auto set = [this](TabButton& b, int32_t state) {
        if (b.ButtonState != state)
            RedrawBits |= REDRAW_RENDER;
        b.ButtonState = state;
    };
    StepsOnSelection = editable > 0 ? 1 : 0;
    const bool live = (Sheet->Flags & SHEET_LIVE_MARKER) && Sheet->LiveState > 0;
    const int32_t step = (editable > 0 || live) ? 1 : 0;
    if (Buttons[SLOT_PLUS].ButtonKind) {
        set(Buttons[SLOT_PLUS], step);
        set(Buttons[SLOT_MINUS], step);
    }
    if (Buttons[SLOT_PASTE].ButtonKind && (force || (TabTicks & 8))) {
        const int has = ClipboardHasFormat(SheetClipFormat);
        const bool anyEditable = Sheet->X.Editable || Sheet->Y.Editable || Sheet->V.Editable;
        const bool sheetFormat = (has & 2) && anyEditable;
        const bool text = (has & 1) && editable > 0;
        set(Buttons[SLOT_PASTE], (sheetFormat || text) ? 1 : 0);
        const QImage* glyph = ToolBitmaps[(has & 2) ? GLYPH_PASTE_SHEET : GLYPH_PASTE];
        if (Buttons[SLOT_PASTE].Glyph != glyph)
            RedrawBits |= REDRAW_RENDER;
        Buttons[SLOT_PASTE].Glyph = glyph;
    }
    if (Buttons[SLOT_COPY].ButtonKind) {
        const bool copy = EditorActive ? MarkStart != MarkEnd : count > 0;
        set(Buttons[SLOT_COPY], copy ? 1 : 0);
        Buttons[SLOT_COPY_TABLE].ButtonState = 1;
    }
}

void TTab::PaintToolbar(TabCanvas& cv)
{
    if (!(Style & TABSTYLE_TOOLBAR) || (Style & TABSTYLE_BARE_TABS))
        return;
    const TabButton& plus = Buttons[SLOT_PLUS];
    const TabButton& minus = Buttons[SLOT_MINUS];
    if (plus.ButtonState && minus.ButtonState && Sheet) {
        const int l = plus.Rect.left, t = plus.Rect.top, r = plus.Rect.right, b = minus.Rect.bottom;
        cv.BrushClear = true;
        if (StepsOnSelection) {
            cv.PenColour = clBlack;
            cv.PenWidth = 3;
            cv.Rectangle(l - 5, t - 3, r + 5, b + 3);
            cv.PenWidth = 1;
            cv.PenColour = clWhite;
            cv.Line(r + 2, b + 2, r + 2, b + 5);
            cv.Line(r + 4, b, r + 7, b);
            cv.FillRect(r + 3, b + 1, r + 8, b + 6, clBlack);
        } else {
            const int state = Sheet->LiveState;
            const TColor c = state == 1 ? Colours[9] : state == 2 ? Colours[10] : clBlack;
            cv.PenWidth = 3;
            cv.PenColour = (c >> 1) & 0x7F7F7F;
            cv.Ellipse(l - 3, t - 2, r + 7, b + 4);
            cv.PenColour = c;
            cv.Ellipse(l - 5, t - 3, r + 5, b + 3);
            cv.PenWidth = 1;
        }
        cv.BrushClear = false;
    }
    for (int i = 0; i < ButtonCount && i < TAB_BUTTONS; i++) {
        const TabButton& b = Buttons[i];
        if ((b.ButtonState & 1) || ((b.ButtonState >> 4) & 7) == ViewRequest)
            b.Paint(cv);
    }
}

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
    cv.Painter.setFont(TabFont(kFontSize));
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
        if (Sheet && Sheet->Enabled && !Sheet->Hidden && (ViewBits & VIEW_TABLE))
            PaintTable(cv);
        if (Sheet && Sheet->Enabled && !Sheet->Hidden)
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
        cv.Painter.setFont(TabFont(kFontSize));
        if (Sheet && Sheet->Enabled && !PrintMode)
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
    const QFontMetrics fm(TabFont(int(kFontSize * 1.4), true));
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
