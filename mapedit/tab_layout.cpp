// The toolbar of a map table: its buttons, where they lie and how they are
// drawn. Where the rest lies and how it is drawn is in tab_view.cpp; the value
// editor and scrolling are in tab_editor.cpp.
#include "mapedit/tab.h"

#include "mapedit/clipboard.h"
#include "mapedit/tab_layout.h"
#include "mapedit/tabcanvas.h"

#include <QFontMetrics>

#include <algorithm>
#include <cstdio>

using namespace tablayout_detail;

namespace {

constexpr int TOOLBAR_BASE = 123, PER_COLLAPSE = 75, PER_VIEW = 63;

const char* const COPY_HINT = "###Copy##Kopieren##Kopírovat";
const char* const COPY_TABLE_HINT = "###Copy table##Tabelle kopieren##Kopírovat tabulku";
const char* const PASTE_HINT = "###Paste##Einfügen##Vložit";
const char* const PLUS_HINT = "###Increment selection or actual value##Increment Auswahl oder Istwert##Zvětšit "
                              "hodnotu vybraný"
                              "ch buň"
                              "ek nebo aktuální hodnotu";
const char* const MINUS_HINT = "###Decrement selection or actual value##Decrement Auswahl oder Istwert##Zmenšit "
                               "hodnotu vybraný"
                               "ch buň"
                               "ek nebo aktuální hodnotu";
const char* const ONLY = "###Only##Nur##Jen";
const char* const AND = "###and##und##a";
const char* const ONLY_HINT = "###Use only this parameter for table definition##Verwenden Sie nur diese Parameter "
                              "für Tabellendefinition##Použít pouze tento parametr pro definici tabluky";
const char* const BOTH_HINT = "###Use both dimensions for table definition##Benutzen Sie beide Dimensionen für "
                              "die Tabellendefinition##Použít oba rozměry pro definici tabluky";
const char* const VIEW_HINTS[3] = { "###View as table##Als Tabelle anzeigen##Zobrazit jako tabulku",
    "###View as graph 2D##Als 2D Graph anzeigen##Zobrazit jako 2D graf",
    "###View as graph 3D##Als 3D Graph anzeigen##Zobrazit jako 3D graf" };
const char* const PRESET_CAPTIONS[3] = { "###TOP##TOP##Seshora", "ISO1", "ISO2" };
const char* const PRESET_HINTS[3] = { "###View graph form top##Ein Blick auf die Tabelle oben##Pohled na graf seshora",
    "###View graph as ISO1##Ein Blick auf die Tabelle isometrisch##Pohled na graf izometricky",
    "###View graph as ISO2##Ein Blick auf die Tabelle isometrisch##Pohled na graf izometricky" };
const char* const POSITION_CAPTIONS[3]
    = { "###Beginning##Beginn##Počátek", "###Centre##Mitte##Střed", "###End##Ende##Konec" };
const char* const POSITION_HINTS[3] = { "###Position of Beginning##Lage für Beginn##Poloha zadána pro Počátek",
    "###Position of Centre##Lage für Mitte##Poloha zadána pro Střed",
    "###Position of End##Lage für Ende##Poloha zadána pro Konec" };
const char* const ADD_COLUMN_HINT = "###Add column##Spalte hinzufügen##Přidat sloupec";
const char* const REMOVE_COLUMN_HINT = "###Remove column##Spalte entfernen##Odstranit sloupec";

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
        toolbar = TOOLBAR_BASE + PER_COLLAPSE * k + PER_VIEW * ViewsAllowed(Style);
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
        copy.Hint = COPY_HINT;
        TabButton& table = put(SLOT_COPY_TABLE, d + 30, y0, d + 54, y0 + 24, BUTTON_ALWAYS_PAINT, 1);
        table.Glyph = ToolBitmaps[GLYPH_COPY_SHEET];
        table.GlyphDisabled = ToolBitmaps[GLYPH_COPY_OFF];
        table.Hint = COPY_TABLE_HINT;
        TabButton& paste = put(SLOT_PASTE, d + 60, y0, d + 84, y0 + 24, BUTTON_ALWAYS_PAINT, 0);
        paste.Glyph = ToolBitmaps[GLYPH_PASTE];
        paste.GlyphDisabled = ToolBitmaps[GLYPH_PASTE_OFF];
        paste.Hint = PASTE_HINT;
        put(SLOT_PLUS, d + 100, y0, d + 112, y0 + 12, BUTTON_ALWAYS_PAINT, 0).Caption = "+";
        Buttons[SLOT_PLUS].Hint = PLUS_HINT;
        put(SLOT_MINUS, d + 100, y0 + 13, d + 112, y0 + 24, BUTTON_ALWAYS_PAINT, 0).Caption = "-";
        Buttons[SLOT_MINUS].Hint = MINUS_HINT;

        const bool collapsible = (s.X.CollapsePolicy == 1 || s.Y.CollapsePolicy == 1) && s.X.CollapsePolicy != 2
            && s.Y.CollapsePolicy != 2;
        if (collapsible) {
            const std::string only = SelectTabText(ONLY);
            const std::string x = SelectTabText(s.X.Label), y = SelectTabText(s.Y.Label);
            std::snprintf(AxisCaptions[0], sizeof AxisCaptions[0], "%s %s", only.c_str(), x.c_str());
            std::snprintf(AxisCaptions[1], sizeof AxisCaptions[1], "%s %s", only.c_str(), y.c_str());
            std::snprintf(
                AxisCaptions[2], sizeof AxisCaptions[2], "%s %s %s", x.c_str(), SelectTabText(AND).c_str(), y.c_str());
            int x0 = d + 128;
            const auto add = [&](int slot, const char* text, const char* hint, bool pressed) {
                TabButton& b = put(slot, x0, y0 + 6, x0 + 70, y0 + 24, BUTTON_TOGGLE, 1);
                b.Caption = text;
                b.Hint = hint;
                b.Pressed = pressed;
                x0 += 75;
            };
            if (s.Y.CollapsePolicy == 1)
                add(SLOT_ONLY_X, AxisCaptions[0], ONLY_HINT, s.Y.Collapsed && !s.X.Collapsed);
            if (s.X.CollapsePolicy == 1)
                add(SLOT_ONLY_Y, AxisCaptions[1], ONLY_HINT, s.X.Collapsed && !s.Y.Collapsed);
            add(SLOT_BOTH, AxisCaptions[2], BOTH_HINT, !s.X.Collapsed && !s.Y.Collapsed);
        }
        const int views = ViewsAllowed(Style);
        if (views > 1) {
            int x0 = width - MarginRight - PER_VIEW * views + 5;
            const int32_t allowed[3] = { TABSTYLE_TABLE, TABSTYLE_2D, TABSTYLE_3D };
            for (int v = 0; v < 3; v++) {
                if (!(Style & allowed[v]))
                    continue;
                TabButton& b = put(SLOT_VIEW_TABLE + v, x0, y0, x0 + 58, y0 + 24, BUTTON_TOGGLE, 1);
                b.Glyph = ToolBitmaps[GLYPH_TABLE + v];
                b.Hint = VIEW_HINTS[v];
                x0 += PER_VIEW;
            }
        }
        for (int v = 0; v < 3; v++)
            Buttons[SLOT_VIEW_TABLE + v].ButtonKind = BUTTON_TOGGLE;
        ButtonCount = TAB_BUTTONS;
    }
    const int presetX[3][2] = { { 10, 55 }, { 60, 95 }, { 100, 135 } };
    for (int i = 0; i < 3; i++) {
        TabButton& b = put(SLOT_TOP + i, presetX[i][0], 25, presetX[i][1], 41, BUTTON_TOGGLE, 0);
        caption(SLOT_TOP + i, SelectTabText(PRESET_CAPTIONS[i]));
        b.Hint = PRESET_HINTS[i];
    }
    if (Style & TABSTYLE_POSITION_REF) {
        const int o = PixelsPerInch * 220 / 96;
        for (int i = 0; i < 3; i++) {
            TabButton& b = put(SLOT_BEGINNING + i, o + 85 * i, y0 + 2, o + 85 * i + 80, y0 + 22, BUTTON_TOGGLE, 1);
            caption(SLOT_BEGINNING + i, SelectTabText(POSITION_CAPTIONS[i]));
            b.Hint = POSITION_HINTS[i];
            b.Pressed = PositionRef == i;
        }
    }
    if ((Style & TABSTYLE_TABLE) && s.X.Resizable && !s.X.Collapsed) {
        const int x = int(CellsLeft + ColumnSlots * CellWidth + 2 + 3);
        const int y = XHeaderTop + XHeaderHeight + 8;
        TabButton& add = put(SLOT_ADD_COLUMN, x, y, x + 15, y + 15, BUTTON_ALWAYS_PAINT,
            16 + (s.X.Count >= s.X.MaxCount ? BUTTON_GREYED : 0));
        add.Caption = "+";
        add.Hint = ADD_COLUMN_HINT;
        TabButton& remove = put(SLOT_REMOVE_COLUMN, x, y + 20, x + 15, y + 35, BUTTON_ALWAYS_PAINT,
            16 + (s.X.Count <= s.X.MinCount ? BUTTON_GREYED : 0));
        remove.Caption = "-";
        remove.Hint = REMOVE_COLUMN_HINT;
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
