// Copy and paste of a map table: the selection as plain text, the whole
// sheet as a plain grid and as the program's own sheet text, pastes of
// either (or into the open value editor), and the graph as a picture.
// Numbers travel as display values, with a decimal comma in Czech.
#include "mapedit/clipboard.h"
#include "mapedit/clipgrid.h"
#include "mapedit/numbers.h"
#include "mapedit/tab.h"
#include "platform/dialogs.h"

#include <algorithm>
#include <vector>

namespace {

// Room for a whole 50 x 30 sheet of the widest numbers with its key lines.
constexpr int CLIP_BUFFER = 65536;
constexpr size_t MAX_NAME_CHARS = 63;

const char* const SIZES_DIFFER
    = "###Table dimensions are not eqal and there is unable to change it !\nInsertion canceled...##Gleichen Sie die "
      "Dimensionen der Tabelle und kann nicht geändert werden !\nInsertion abgesagt...##Neshodují se rozměry "
      "tabulky a nelze je změnit !\nVkládání zrušeno...";

bool Czech()
{
    return TabLanguage() == 2;
}

// A number as it goes on the clipboard, with the decimal comma in Czech.
std::string ClipValue(int32_t raw, double scale, bool czech)
{
    std::string text = FormatNumber(raw, scale, nullptr, false);
    if (czech)
        UseDecimalComma(text);
    return text;
}

std::string Breakpoint(CAxe& axis, int index, bool czech)
{
    if (!axis.StringView)
        return ClipValue(axis.Values[index], axis.Scale, czech);
    const char* name = axis.StringViewPart(index, 0);
    std::string text = name ? SelectTabText(name) : std::string();
    if (text.size() > MAX_NAME_CHARS)
        text.resize(MAX_NAME_CHARS);
    return text;
}

} // namespace

std::string TTab::SelectionClipText()
{
    CSheet& s = *Sheet;
    const TSel& sel = s.Sel;
    const bool czech = Czech();
    std::string text;
    if (sel.Count <= 0)
        return text;
    if (sel.Kind == HIT_CELL) {
        int c1 = TAB_MAX_COLS, c2 = -1, r1 = TAB_MAX_ROWS, r2 = -1;
        for (int r = 0; r < s.Y.Count; r++)
            for (int c = 0; c < s.X.Count; c++)
                if (sel.CellFlags[r * TAB_MAX_COLS + c] & SEL_SELECTED) {
                    c1 = std::min(c1, c);
                    c2 = std::max(c2, c);
                    r1 = std::min(r1, r);
                    r2 = std::max(r2, r);
                }
        bool firstRow = true;
        for (int r = r1; r <= r2; r++) {
            if (s.Y.Collapsed && r != s.Y.UsedIndex)
                continue;
            if (!firstRow)
                text += '\n';
            firstRow = false;
            bool firstCol = true;
            for (int c = c1; c <= c2; c++) {
                if (s.X.Collapsed && c != s.X.UsedIndex)
                    continue;
                if (!firstCol)
                    text += '\t';
                firstCol = false;
                if (sel.CellFlags[r * TAB_MAX_COLS + c] & SEL_SELECTED)
                    text += ClipValue(s.V.Values[r * TAB_MAX_COLS + c], s.V.Scale, czech);
            }
        }
    } else if (sel.Kind == HIT_XHEADER || sel.Kind == HIT_YHEADER) {
        const bool xAxis = sel.Kind == HIT_XHEADER;
        CAxe& a = xAxis ? s.X : s.Y;
        const int16_t* flags = xAxis ? sel.XFlags : sel.YFlags;
        int first = -1, last = -1;
        for (int i = 0; i < a.Count; i++)
            if (flags[i] & SEL_SELECTED) {
                first = first < 0 ? i : first;
                last = i;
            }
        for (int i = first; first >= 0 && i <= last; i++) {
            if (i > first)
                text += xAxis ? '\t' : '\n';
            if (flags[i] & SEL_SELECTED)
                text += Breakpoint(a, i, czech);
        }
    }
    return text;
}

void TTab::SheetClipTexts(std::string& plain, std::string& sheet)
{
    CSheet& s = *Sheet;
    const bool czech = Czech();
    const int e = (Style & TABSTYLE_ONOFF) ? 1 : 0;
    const int cols = std::min(s.X.Count + e, TAB_MAX_COLS), rows = std::min(s.Y.Count + e, TAB_MAX_ROWS);
    const bool xc = s.X.Collapsed, yc = s.Y.Collapsed;
    sheet = std::string("Label:\t") + s.Caption + "\nLabelX:\t" + s.X.Key + "\nLabelY:\t" + s.Y.Key + "\nLabelData:\t"
        + s.V.Key + "\nSizeX:\t" + FormatNumber(s.X.Count, 1.0, nullptr, false) + "\nSizeY:\t"
        + FormatNumber(s.Y.Count, 1.0, nullptr, false) + "\nOnlyXY:\t"
        + (yc        ? "Y"
                : xc ? "X"
                     : "")
        + "\n";
    plain.clear();

    std::string points;
    for (int c = 0; c < s.X.Count; c++)
        points += (c ? "\t" : "") + Breakpoint(s.X, c, czech);
    sheet += "\t" + points + "\n";
    if (!xc)
        plain += (yc ? "" : "\t") + points + "\n";

    for (int r = 0; r < rows; r++) {
        const std::string y = r < s.Y.Count ? Breakpoint(s.Y, r, czech) : std::string();
        std::string cells;
        for (int c = 0; c < cols; c++)
            cells += (c ? "\t" : "") + ClipValue(s.V.Values[r * TAB_MAX_COLS + c], s.V.Scale, czech);
        sheet += (r ? "\n" : "") + y + "\t" + cells;
        if (yc && r != s.Y.UsedIndex)
            continue;
        if (!yc && r)
            plain += '\n';
        if (!yc)
            plain += y + "\t";
        plain += xc ? ClipValue(s.V.Values[r * TAB_MAX_COLS + s.X.UsedIndex], s.V.Scale, czech) : cells;
    }
}

void TTab::CopySelection()
{
    if (EditorActive) {
        const int a = std::min(MarkStart, MarkEnd), b = std::max(MarkStart, MarkEnd);
        const int n = int(std::strlen(EditText));
        if (a >= 0 && a < b && b <= n)
            ClipboardPutText(std::string(EditText + a, EditText + b));
        return;
    }
    const std::string text = SelectionClipText();
    if (!text.empty())
        ClipboardPutText(text);
}

void TTab::CopyTable()
{
    std::string plain, sheet;
    SheetClipTexts(plain, sheet);
    ClipboardPutTextAndFormat(plain, SheetClipFormat, sheet);
}

void TTab::Paste()
{
    const int has = ClipboardHasFormat(SheetClipFormat);
    if (!(has & 3))
        return;
    std::vector<char> text(CLIP_BUFFER), sheet(CLIP_BUFFER);
    ClipboardGetTextAndFormat(text.data(), SheetClipFormat, sheet.data(), CLIP_BUFFER);
    if (has & 2)
        PasteSheet(sheet.data());
    else
        PasteText(text.data());
}

void TTab::PasteText(const char* text)
{
    if (EditorActive) {
        if (MarkStart != MarkEnd)
            EditDeleteMarked();
        for (char c : CleanEditorPaste(text))
            EditInsert(c);
        RedrawBits |= REDRAW_RENDER;
        update();
        LayoutEditor();
        return;
    }
    int c0, r0;
    if (!CurrentItem(c0, r0))
        return;
    CSheet& s = *Sheet;
    TSel& sel = s.Sel;
    const CAxe& editing = r0 == -1 ? s.X : c0 == -1 ? s.Y : s.V;
    if (!editing.Editable)
        return;
    int cLow = c0, cHigh = c0 == -1 ? -1 : s.X.Count - 1;
    int rLow = r0, rHigh = r0 == -1 ? -1 : s.Y.Count - 1;
    if (s.X.Collapsed && c0 >= 0) {
        if (s.X.UsedIndex < std::min(sel.BandX1, sel.BandX2) || s.X.UsedIndex > std::max(sel.BandX1, sel.BandX2))
            return;
        cLow = cHigh = s.X.UsedIndex;
    }
    if (s.Y.Collapsed && r0 >= 0) {
        if (s.Y.UsedIndex < std::min(sel.BandY1, sel.BandY2) || s.Y.UsedIndex > std::max(sel.BandY1, sel.BandY2))
            return;
        rLow = rHigh = s.Y.UsedIndex;
    }
    const std::vector<ClipNumber> numbers = ParseClipGrid(text);
    NoteChange(0, CHANGE_MULTI_OPEN);
    sel.Clear();
    sel.Mode = r0 == -1 ? HIT_XHEADER : c0 == -1 ? HIT_YHEADER : HIT_CELL;
    int kinds = 0;
    for (const ClipNumber& n : numbers) {
        const int c = c0 + n.Col, r = r0 + n.Row;
        if (c < cLow || c > cHigh || r < rLow || r > rHigh)
            continue;
        if (r == -1) {
            s.X.Values[c] = ClipToRaw(n.Value, s.X.Scale);
            sel.XFlags[c] |= SEL_IN_BAND;
            kinds |= CHANGED_X;
        } else if (c == -1) {
            s.Y.Values[r] = ClipToRaw(n.Value, s.Y.Scale);
            sel.YFlags[r] |= SEL_IN_BAND;
            kinds |= CHANGED_Y;
        } else {
            s.V.Values[r * TAB_MAX_COLS + c] = ClipToRaw(n.Value, s.V.Scale, s.V.Max);
            sel.CellFlags[r * TAB_MAX_COLS + c] |= SEL_IN_BAND;
            kinds |= CHANGED_CELLS;
        }
    }
    sel.UpdateBandBounds();
    sel.Finish(TableHitMap);
    RedrawBits |= REDRAW_VALUES;
    NoteChange(kinds, CHANGE_MULTI_END);
}

void TTab::PasteSheet(const char* text)
{
    CSheet& s = *Sheet;
    const SheetClipKeys keys = ReadSheetClipKeys(text);
    const int match
        = (keys.LabelX == s.X.Key ? 1 : 0) | (keys.LabelY == s.Y.Key ? 2 : 0) | (keys.LabelData == s.V.Key ? 4 : 0);
    if (keys.SizeX == 0 || keys.SizeY == 0 || match == 0)
        return;
    const bool resizeX = keys.SizeX != s.X.Count, resizeY = keys.SizeY != s.Y.Count;
    const bool allowX = s.X.Editable && s.X.Resizable && (match & 1) && (match & 4);
    const bool allowY = s.Y.Editable && s.Y.Resizable && (match & 2) && (match & 4);
    if ((resizeX && !allowX) || (resizeY && !allowY)) {
        ErrorBox(SelectTabText(SIZES_DIFFER).c_str(), MB_OK);
        return;
    }
    const auto collapse
        = [](const CAxe& a, bool asked) { return a.CollapsePolicy == 2 || (a.CollapsePolicy != 0 && asked); };
    const bool collapseX = collapse(s.X, keys.OnlyXY == 'X'), collapseY = collapse(s.Y, keys.OnlyXY == 'Y');
    const int e = (Style & TABSTYLE_ONOFF) ? 1 : 0;
    const auto fit = [](int n, const CAxe& a, int room) {
        return std::clamp(n, std::max(1, a.MinCount), std::max(1, std::min(a.MaxCount, room)));
    };
    NoteChange(0, CHANGE_MULTI_OPEN);
    s.X.Count = fit(keys.SizeX, s.X, TAB_MAX_COLS - e);
    s.Y.Count = fit(keys.SizeY, s.Y, TAB_MAX_ROWS - e);
    if (collapseX)
        s.X.Collapsed = 1;
    if (collapseY)
        s.Y.Collapsed = 1;
    int kinds = 0;
    for (const ClipNumber& n : ParseSheetGrid(text, keys.GridStart)) {
        const int c = n.Col, r = n.Row;
        if (c > s.X.Count - 1 + e || r > s.Y.Count - 1 + e || (c == -1 && r == -1))
            continue;
        if (r == -1) {
            kinds |= CHANGED_X;
            // Named breakpoints keep their codes: digits inside a name are no breakpoint.
            if (c < s.X.Count && s.X.Editable && (match & 1) && !s.X.StringView)
                s.X.Values[c] = ClipToRaw(n.Value, s.X.Scale);
        } else if (c == -1) {
            kinds |= CHANGED_Y;
            if (r < s.Y.Count && s.Y.Editable && (match & 2) && !s.Y.StringView)
                s.Y.Values[r] = ClipToRaw(n.Value, s.Y.Scale);
        } else {
            kinds |= CHANGED_CELLS;
            if (s.V.Editable && (match & 4))
                s.V.Values[r * TAB_MAX_COLS + c] = ClipToRaw(n.Value, s.V.Scale);
        }
    }
    LayoutTable();
    s.Sel.Clear();
    RedrawBits |= REDRAW_VALUES;
    NoteChange(kinds, CHANGE_MULTI_END);
}

void TTab::CopyGraph()
{
    const TColor old = Color;
    Color = 0xFFFFFF;
    Render();
    ClipboardPutBitmapRect(
        BackBitmap, Graph.AreaLeft, Graph.AreaTop, width() - Graph.AreaRight, height() - Graph.AreaBottom);
    Color = old;
    Render();
}
