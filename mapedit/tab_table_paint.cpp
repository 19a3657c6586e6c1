// The table view's picture: headers, corner, band strips, cells with their
// values, the selection, the live operating point, frames, the editor's text
// and the scroll bars, layer over layer in the back bitmap.
#include "mapedit/tab.h"

#include "mapedit/numbers.h"
#include "mapedit/tabcanvas.h"
#include "platform/cp1250.h"

#include <QFontMetrics>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr int FONT_SIZE = 8;
// Slots of ToolBitmaps
constexpr int GLYPH_GRAPH = 11;
constexpr int GLYPH_PROPORTIONAL = 13;
constexpr int GLYPH_NOT_PROPORTIONAL = 14;
const char* const COLUMNS_TEXT = "###Number of columns##Anzahl der Spalten##Počet sloupců";

QFont ValueFont(const CAxe& a)
{
    if (a.ValueFontSize == 0)
        return TabFont(int(FONT_SIZE * 1.4), true);
    return TabFont(std::abs(a.ValueFontSize), a.ValueFontSize > 0);
}

// 0 none of the items selected, 1 some, 2 all.
int Shading(int selected, int total)
{
    return selected == 0 || total == 0 ? 0 : selected < total ? 1 : 2;
}

} // namespace

void TTab::PaintTable(TabCanvas& cv)
{
    CSheet& s = *Sheet;
    CAxe& xa = s.X;
    CAxe& ya = s.Y;
    CAxe& va = s.V;
    TSel& sel = s.Sel;
    const int L = YHeaderLeft, W = YHeaderWidth, T = XHeaderTop, H = XHeaderHeight;
    const int CX = CellsLeft, CY = CellsTop;
    const float CW = CellWidth, CH = CellHeight;
    const bool xc = xa.Collapsed, yc = ya.Collapsed, onoff = Style & TABSTYLE_ONOFF;
    // A collapsed axis shows its one used item.
    const int VC = xc ? 1 : VisibleCols, VR = yc ? 1 : VisibleRows;
    const TColor face = ColorToRGB(Color);
    const int cellsRight = int(CX + VC * CW), cellsBottom = int(CY + VR * CH);
    const auto colOf = [&](int d) { return xc ? xa.UsedIndex : xa.FirstVisible + d; };
    const auto rowOf = [&](int e) { return yc ? ya.UsedIndex : ya.FirstVisible + e; };
    const auto xAt = [&](int d) { return int(CX + d * CW); };
    const auto yAt = [&](int e) { return int(CY + e * CH); };
    const auto shadeColour = [&](int shade) {
        return PrintMode || shade == 0 ? face : shade == 1 ? Colours[5] : Colours[6];
    };
    const auto panel = [&](int x, int y, int w, int h, int shade) {
        DrawBevelBox(cv, x, y, w, h, shade == 2 && !PrintMode, shadeColour(shade), Colours[1], Colours[0]);
    };
    const auto cellSelected = [&](int c, int r) { return (sel.CellFlags[r * TAB_MAX_COLS + c] & SEL_SELECTED) != 0; };

    // Interpolation preview of the marked block.
    int32_t* preview = reinterpret_cast<int32_t*>(WorkBuffer.get());
    const bool previewOn = InterpolateHandle && sel.IsBlock;
    if (previewOn) {
        if (sel.BandY1 == -1) {
            std::copy(xa.Values, xa.Values + TAB_MAX_COLS, preview);
            InterpolateBlock(preview, TAB_MAX_COLS, nullptr, nullptr, sel.BlockX1, 0, sel.BlockX2, 0);
        } else if (sel.BandX1 == -1) {
            std::copy(ya.Values, ya.Values + TAB_MAX_ROWS, preview);
            InterpolateBlock(preview, 1, nullptr, nullptr, 0, sel.BlockY1, 0, sel.BlockY2);
        } else {
            std::copy(va.Values, va.Values + TAB_CELLS, preview);
            InterpolateBlock(preview, TAB_MAX_COLS, xa.UseValues ? xa.Values : nullptr,
                ya.UseValues ? ya.Values : nullptr, sel.BlockX1, sel.BlockY1, sel.BlockX2, sel.BlockY2);
        }
    }

    HScroll.Paint(cv);
    VScroll.Paint(cv);

    // Backgrounds.
    if (!PrintMode) {
        const auto background = [&](const CAxe& a, int x, int y, int w, int h, int shiftX, int shiftY) {
            DrawBevelBox(cv, x, y, w, h, true, a.Colour, Colours[1], Colours[0]);
            if (a.Background)
                TileBitmap(cv, *a.Background, x + 1, y + 1, x + w - 1, y + h - 1, shiftX, shiftY);
        };
        if (!xc)
            background(xa, CX, T, int(VC * CW), H, int(xa.FirstVisible * CW), 0);
        if (!yc)
            background(ya, L, CY, W, int(VR * CH), 0, int(ya.FirstVisible * CH));
        if (!onoff)
            background(va, CX, CY, int(VC * CW), int(VR * CH), int(xa.FirstVisible * CW), int(ya.FirstVisible * CH));
    }

    // Grid lines.
    cv.PenWidth = 1;
    cv.PenColour = Colours[2];
    for (int d = 1; d < VC; d++) {
        if (!xc)
            cv.Line(xAt(d), T + 1, xAt(d), T + H - 1);
        if (!onoff)
            cv.Line(xAt(d), CY + 1, xAt(d), cellsBottom - 1);
    }
    for (int e = 1; e < VR; e++) {
        if (!yc)
            cv.Line(L + 1, yAt(e), L + W - 1, yAt(e));
        if (!onoff)
            cv.Line(CX + 1, yAt(e), cellsRight - 1, yAt(e));
    }

    // Selection counts behind the shadings.
    int xSelected = 0, ySelected = 0, cellsSelected = 0;
    for (int c = 0; c < xa.Count; c++)
        xSelected += (sel.XFlags[c] & SEL_SELECTED) != 0;
    for (int r = 0; r < ya.Count; r++)
        ySelected += (sel.YFlags[r] & SEL_SELECTED) != 0;
    for (int r = 0; r < ya.Count; r++)
        for (int c = 0; c < xa.Count; c++)
            cellsSelected += cellSelected(c, r);
    const auto centred = [&](const QString& text, int left, int right, int y, bool white) {
        cv.FontColour = white ? clWhite : clBlack;
        cv.TextOut((left + right - cv.TextWidth(text)) / 2 + (white ? 1 : 0), y + (white ? 1 : 0), text);
    };
    const QFont labelFont = TabFont(std::abs(s.LabelFontSize), s.LabelFontSize >= 0);
    cv.Painter.setFont(labelFont);
    const QString xLabel = QStringFromCp1250(SelectTabText(xa.Label));
    const QString yLabel = QStringFromCp1250(SelectTabText(ya.Label));
    const QString vLabel = QStringFromCp1250(SelectTabText(va.Label));
    const auto fitted = [&](const QString& text, int room) {
        const int w = cv.TextWidth(text);
        if (w > room && w > 0) {
            QFont f = labelFont;
            f.setPixelSize(std::max(1, labelFont.pixelSize() * room / w));
            cv.Painter.setFont(f);
        }
    };

    // Corner, X part.
    if (xc) {
        if (!onoff) {
            int shown = 0;
            for (int r = 0; r < ya.Count; r++)
                shown += cellSelected(xa.UsedIndex, r);
            const int shade = Shading(shown, ya.Count);
            const int x = L + W + 2, w = int(CX + CW) - x;
            panel(x, CY - 30, w, 28, shade);
            fitted(vLabel, w - 4);
            centred(vLabel, x, x + w, CY - 30 + (28 - cv.TextHeight()) / 2, shade == 2);
            cv.Painter.setFont(labelFont);
        }
    } else {
        const int shade = Shading(xSelected, xa.Count);
        const int left = yc ? L + 1 : L + 2;
        const QPoint poly[4]
            = { { left, T }, { yc ? L + 1 : L + W + 1, T + H - 1 }, { CX - 1, T + H - 1 }, { CX - 1, T } };
        cv.BrushColour = shadeColour(shade);
        cv.PenColour = Colours[1];
        cv.Polygon(poly, 4);
        cv.PenColour = Colours[0];
        if (shade != 2) {
            cv.Line(left, T, CX - 1, T);
            if (yc)
                cv.Line(left, T, left, T + H - 1);
        } else {
            cv.Line(CX - 1, T, CX - 1, T + H - 1);
            cv.Line(left, T + H - 1, CX - 1, T + H - 1);
        }
        if (yc)
            centred(xLabel, L, CX, T + (H - cv.TextHeight()) / 2, shade == 2);
        else {
            cv.FontColour = shade == 2 ? clWhite : clBlack;
            cv.TextOut(CX - cv.TextWidth(xLabel) - 3, T, xLabel);
        }
    }
    // Corner, Y part.
    if (yc) {
        if (!onoff) {
            int shown = 0;
            for (int c = 0; c < xa.Count; c++)
                shown += cellSelected(c, ya.UsedIndex);
            const int shade = Shading(shown, xa.Count);
            const int y = T + H + 2, h = int(CY + CH) - y;
            panel(L, y, CX - 2 - L, h, shade);
            fitted(vLabel, CX - L - 6);
            centred(vLabel, L, CX, int(CY + (CH - cv.TextHeight()) / 2), shade == 2);
            cv.Painter.setFont(labelFont);
        }
    } else if (!onoff) {
        const int shade = Shading(ySelected, ya.Count);
        const int top = xc ? CY - 30 : T + 2;
        const QPoint poly[4]
            = { { L, top }, { L + W - 1, xc ? CY - 30 : T + H + 1 }, { L + W - 1, CY - 1 }, { L, CY - 1 } };
        cv.BrushColour = shadeColour(shade);
        cv.PenColour = Colours[1];
        cv.Polygon(poly, 4);
        cv.PenColour = Colours[0];
        if (shade != 2)
            cv.Line(L, top, L, CY - 1);
        else {
            cv.Line(L + W - 1, top, L + W - 1, CY - 1);
            cv.Line(L, CY - 1, L + W - 1, CY - 1);
        }
        if (xc)
            centred(yLabel, L, L + W, CY - cv.TextHeight() - 5, shade == 2);
        else {
            cv.FontColour = shade == 2 ? clWhite : clBlack;
            cv.TextOut(L + 5, CY - cv.TextHeight() - 5, yLabel);
        }
    }
    // The all-cells square.
    if (!xc && !yc && !onoff)
        panel(L + W + 2, T + H + 2, CX - 1 - (L + W + 2), CY - 1 - (T + H + 2),
            Shading(cellsSelected, xa.Count * ya.Count));

    // Band strips.
    if (!onoff) {
        for (int d = 0; d < VC && !xc; d++) {
            const int c = colOf(d);
            int shown = 0, total = 0;
            for (int r = 0; r < ya.Count; r++) {
                if (yc && r != ya.UsedIndex)
                    continue;
                total++;
                shown += cellSelected(c, r);
            }
            panel(xAt(d) + 1, T + H + 2, int(CW) - 1, CY - 1 - (T + H + 2), Shading(shown, total));
        }
        for (int e = 0; e < VR && !yc; e++) {
            const int r = rowOf(e);
            int shown = 0, total = 0;
            for (int c = 0; c < xa.Count; c++) {
                if (xc && c != xa.UsedIndex)
                    continue;
                total++;
                shown += cellSelected(c, r);
            }
            panel(L + W + 2, yAt(e) + 1, CX - 1 - (L + W + 2), int(CH) - 1, Shading(shown, total));
        }
    }

    // Selected items: dither, inner lines and the block's corner marks.
    const QRgb dither = ColorToQColor(Colours[3]).rgb();
    const TColor cornerColour = InterpolateHandle ? Colours[8] : Colours[7];
    const auto markItem = [&](int x, int y, int w, int h, int flags, int corners, bool editable) {
        if ((flags & SEL_SELECTED) && sel.Count > 1) {
            FillDotted(BackBitmap, x, y, w, h, dither);
            cv.PenColour = clWhite;
            cv.PenWidth = 1;
            cv.Line(x, y + h - 1, x + w, y + h - 1);
            cv.Line(x, y + h - 2, x + w, y + h - 2);
            cv.Line(x + w - 1, y, x + w - 1, y + h);
            cv.Line(x + w - 2, y, x + w - 2, y + h);
        }
        if (editable && corners)
            DrawCornerTriangles(cv, x, y, w, h, corners, cornerColour);
    };
    if (!onoff)
        for (int e = 0; e < VR; e++)
            for (int d = 0; d < VC; d++) {
                const int c = colOf(d), r = rowOf(e);
                markItem(xAt(d) + 1, yAt(e) + 1, xAt(d + 1) - xAt(d) - 2, yAt(e + 1) - yAt(e) - 2, sel.ItemFlags(c, r),
                    sel.CornerMarks(c, r, xc, yc), va.Editable);
            }
    for (int d = 0; d < VC && !xc; d++) {
        const int c = colOf(d);
        markItem(xAt(d) + 1, T + 1, xAt(d + 1) - xAt(d) - 2, H - 2, sel.XFlags[c], sel.CornerMarks(c, -1, xc, yc),
            xa.Editable);
    }
    for (int e = 0; e < VR && !yc; e++) {
        const int r = rowOf(e);
        markItem(L + 1, yAt(e) + 1, W - 2, yAt(e + 1) - yAt(e) - 2, sel.YFlags[r], sel.CornerMarks(-1, r, xc, yc),
            ya.Editable);
    }

    // Live operating point.
    const auto visibleCol = [&](int c) { return !xc && c >= xa.FirstVisible && c < xa.FirstVisible + VC; };
    const auto visibleRow = [&](int r) { return !yc && r >= ya.FirstVisible && r < ya.FirstVisible + VR; };
    const auto cellDX = [&](int c) { return xc ? 0 : c - xa.FirstVisible; };
    const auto cellDY = [&](int r) { return yc ? 0 : r - ya.FirstVisible; };
    if ((s.Flags & SHEET_LIVE_MARKER) && s.LiveState != 0) {
        const TColor ring = s.LiveState == 1 ? Colours[9] : Colours[10];
        if (visibleCol(s.LiveCol))
            DrawRing(cv, xAt(cellDX(s.LiveCol)), T, int(CW), H, ring);
        if (visibleRow(s.LiveRow))
            DrawRing(cv, L, yAt(cellDY(s.LiveRow)), W, int(CH), ring);
        const bool colShown = xc ? s.LiveCol == xa.UsedIndex : visibleCol(s.LiveCol);
        const bool rowShown = yc ? s.LiveRow == ya.UsedIndex : visibleRow(s.LiveRow);
        if (s.LiveState > 0 && !onoff && colShown && rowShown)
            DrawRing(cv, xAt(cellDX(s.LiveCol)), yAt(cellDY(s.LiveRow)), int(CW), int(CH), ring);
    }
    if ((s.Flags & SHEET_LIVE_MARKER) && xa.StringView)
        for (int c = 0; c < 2 && c < xa.Count; c++) {
            const int r = s.NamedRowLive[c];
            if (xa.Values[c] >= 0 && xa.Values[c] <= 31 && (xc ? c == xa.UsedIndex : visibleCol(c))
                && (yc ? r == ya.UsedIndex : visibleRow(r)))
                DrawRing(cv, xAt(cellDX(c)), yAt(cellDY(r)), int(CW), int(CH), Colours[9]);
        }

    // Frames: the current range and the target of a block drag.
    const auto frame = [&](int c1, int r1, int c2, int r2, int pen, TColor colour, bool handle) {
        if (c1 > c2)
            std::swap(c1, c2);
        if (r1 > r2)
            std::swap(r1, r2);
        if ((r1 == -1 && xc) || (c1 == -1 && yc))
            return;
        if (xc && c1 >= 0) {
            if (xa.UsedIndex < c1 || xa.UsedIndex > c2)
                return;
            c1 = c2 = xa.UsedIndex;
        }
        if (yc && r1 >= 0) {
            if (ya.UsedIndex < r1 || ya.UsedIndex > r2)
                return;
            r1 = r2 = ya.UsedIndex;
        }
        const int fc = xc ? xa.UsedIndex : xa.FirstVisible, lc = xc ? xa.UsedIndex : xa.FirstVisible + VC - 1;
        const int fr = yc ? ya.UsedIndex : ya.FirstVisible, lr = yc ? ya.UsedIndex : ya.FirstVisible + VR - 1;
        if (c1 >= 0 && (c2 < fc || c1 > lc))
            return;
        if (r1 >= 0 && (r2 < fr || r1 > lr))
            return;
        const bool cutLeft = c1 >= 0 && c1 < fc, cutRight = c1 >= 0 && c2 > lc;
        const bool cutTop = r1 >= 0 && r1 < fr, cutBottom = r1 >= 0 && r2 > lr;
        const TabButtonRect box = ItemRect(c1 < 0 ? -1 : std::max(c1, fc), r1 < 0 ? -1 : std::max(r1, fr),
            c1 < 0 ? -1 : std::min(c2, lc), r1 < 0 ? -1 : std::min(r2, lr));
        cv.PenColour = colour;
        cv.PenWidth = pen;
        if (!cutTop)
            cv.Line(box.left, box.top, box.right, box.top);
        if (!cutBottom)
            cv.Line(box.left, box.bottom, box.right, box.bottom);
        if (!cutLeft)
            cv.Line(box.left, box.top, box.left, box.bottom);
        if (!cutRight)
            cv.Line(box.right, box.top, box.right, box.bottom);
        cv.PenWidth = 1;
        if (handle && !cutRight && !cutBottom) {
            const int R = box.right, B = box.bottom;
            cv.PenColour = clWhite;
            cv.Line(R - 3, B - 1, R - 3, B + 2);
            cv.Line(R - 1, B - 3, R + 2, B - 3);
            cv.FillRect(R - 2, B - 2, R + 3, B + 3, clBlack);
        }
    };
    if (sel.BandX1 >= -1 && sel.BandY1 >= -1 && (!onoff || sel.BandX1 == -1 || sel.BandY1 == -1))
        frame(sel.BandX1, sel.BandY1, sel.BandX2, sel.BandY2, hasFocus() ? 3 : 2, clBlack, true);

    // Outline of a selection of several items.
    if (sel.Count > 1) {
        cv.PenColour = clBlack;
        cv.PenWidth = 1;
        const auto outline = [&](int c, int r, const TabButtonRect& box, bool header) {
            if (!(sel.ItemFlags(c, r) & SEL_SELECTED))
                return;
            const auto selected = [&](int cc, int rr) { return (sel.ItemFlags(cc, rr) & SEL_SELECTED) != 0; };
            const bool x = r == -1, y = c == -1;
            const bool left = header && x ? !selected(c - 1, r) : y ? true : !selected(c - 1, r);
            const bool right = header && y ? true : !selected(c + 1, r);
            const bool top = header && y ? !selected(c, r - 1) : x ? true : !selected(c, r - 1);
            const bool bottom = header && x ? true : !selected(c, r + 1);
            if (left)
                cv.Line(box.left, box.top, box.left, box.bottom);
            if (right)
                cv.Line(box.right, box.top, box.right, box.bottom + 1);
            if (top)
                cv.Line(box.left, box.top, box.right, box.top);
            if (bottom)
                cv.Line(box.left, box.bottom, box.right + 1, box.bottom);
        };
        for (int e = 0; e < VR && !onoff; e++)
            for (int d = 0; d < VC; d++)
                outline(colOf(d), rowOf(e), ItemRect(colOf(d), rowOf(e), colOf(d), rowOf(e)), false);
        for (int d = 0; d < VC && !xc; d++)
            outline(colOf(d), -1, ItemRect(colOf(d), -1, colOf(d), -1), true);
        for (int e = 0; e < VR && !yc; e++)
            outline(-1, rowOf(e), ItemRect(-1, rowOf(e), -1, rowOf(e)), true);
    }
    if (BlockDrag)
        frame(DragRect.left, DragRect.top, DragRect.right, DragRect.bottom, 3, clGray, false);

    // Values.
    const QFont editorFont = TabFont(int(FONT_SIZE * 1.4), true);
    const auto value = [&](int c, int r, const CAxe& a, const TabButtonRect& box, int32_t stored, int32_t shown,
                           const std::string& text, bool italic) {
        const int right = box.right - 1, bottom = box.bottom - 1;
        if (EditorActive && c == EditCol && r == EditRow) {
            cv.Painter.setFont(editorFont);
            if (MarkStart != MarkEnd && MarkStart >= 0 && MarkEnd >= 0) {
                const int a1 = std::min(MarkStart, MarkEnd), a2 = std::max(MarkStart, MarkEnd);
                cv.FillRect(
                    EditLeft + CharOffsets[a1], EditTop, EditLeft + CharOffsets[a2], EditTop + EditHeight, Colours[4]);
            }
            cv.FontColour = clBlack;
            cv.TextOut(EditLeft, EditTop, QStringFromCp1250(EditText));
            return;
        }
        QFont f = ValueFont(a);
        if (italic) {
            f = TabFont(int(std::max(1, std::abs(a.ValueFontSize) ? std::abs(a.ValueFontSize) : int(FONT_SIZE * 1.4))
                            * 1.2 * 5 / 7),
                false, true);
        }
        cv.Painter.setFont(f);
        QString t = QStringFromCp1250(text);
        int w = cv.TextWidth(t);
        if (a.StringView && w > CW && w > 0) {
            f.setPixelSize(std::max(1, int(std::lround(f.pixelSize() * CW / w))));
            cv.Painter.setFont(f);
            w = cv.TextWidth(t);
        }
        cv.FontColour = shown != stored ? Colours[8] : italic ? clGray : clBlack;
        cv.TextOut((box.left + right - w) / 2 + 2, (box.top + bottom - cv.TextHeight()) / 2, t);
    };
    const double step = va.Step != 0 ? va.Step : 1.0;
    if (!onoff)
        for (int e = 0; e < VR; e++)
            for (int d = 0; d < VC; d++) {
                const int c = colOf(d), r = rowOf(e);
                const int32_t stored = va.Values[r * TAB_MAX_COLS + c];
                const bool corner = sel.CornerMarks(c, r, xc, yc) != 0;
                const int32_t shown = previewOn && sel.BandX1 >= 0 && sel.BandY1 >= 0 && cellSelected(c, r) && !corner
                    ? preview[r * TAB_MAX_COLS + c]
                    : stored;
                const std::string text = FormatNumber(int32_t(std::trunc(shown / step)), step * va.Scale, "", false);
                value(c, r, va, ItemRect(c, r, c, r), stored, shown, text, !va.Editable);
            }
    const auto header = [&](CAxe& a, int c, int r, int index, bool previewAxis) {
        const int32_t stored = a.Values[index];
        const bool selected = (sel.ItemFlags(c, r) & SEL_SELECTED) != 0;
        const bool corner = sel.CornerMarks(c, r, xc, yc) != 0;
        const int32_t shown = previewOn && previewAxis && selected && !corner ? preview[index] : stored;
        std::string text;
        if (a.StringView) {
            const char* name = a.StringViewPart(index, 0);
            text = name ? SelectTabText(name) : std::string();
        } else {
            text = FormatNumber(shown, a.Scale, a.Unit, true);
        }
        value(c, r, a, ItemRect(c, r, c, r), stored, shown, text, !a.Editable && !a.StringView);
    };
    for (int d = 0; d < VC && !xc; d++)
        header(xa, colOf(d), -1, colOf(d), sel.BandY1 == -1);
    for (int e = 0; e < VR && !yc; e++)
        header(ya, -1, rowOf(e), rowOf(e), sel.BandX1 == -1);

    // Counts of resizable axes.
    cv.Painter.setFont(TabFont(10, true));
    cv.FontColour = clBlack;
    if (ya.Resizable && !yc) {
        const QString t = QString::asprintf("(%i)", ya.Count);
        cv.TextOut(L + (W - cv.TextWidth(t)) / 2, cellsBottom + 2, t);
    }
    if (xa.Resizable && !xc) {
        const auto upwards = [&](int x, int y, const QString& t) {
            cv.Painter.save();
            cv.Painter.translate(x, y);
            cv.Painter.rotate(-90);
            cv.TextOut(0, 0, t);
            cv.Painter.restore();
        };
        const QString count = QString::asprintf("(%i)", xa.Count);
        const int x = int(CX + ColumnSlots * CW + 2);
        upwards(x, T + (cv.TextWidth(count) + H) / 2, count);
        const QString label = QStringFromCp1250(SelectTabText(COLUMNS_TEXT));
        upwards(x, T + H + cv.TextWidth(label) + 55, label);
    }
    cv.Painter.setFont(TabFont(FONT_SIZE));
    PaintStepButtons(cv);

    // The switch to the 2D graph on tables without a toolbar, and the on/off
    // grid's switch of its value-proportional axes.
    const int shownRows = yc ? 1 : std::min(ya.Count, RowSlots);
    if (ViewBits == VIEW_TABLE && !(Style & TABSTYLE_TOOLBAR) && ToolBitmaps[GLYPH_GRAPH])
        cv.Painter.drawImage(L - 10, int(CY + shownRows * CH - 2), *ToolBitmaps[GLYPH_GRAPH]);
    if (onoff) {
        const int bx = L + W - 10, by = int(CY + (yc ? 0 : shownRows) * CH + 5);
        cv.BrushColour = clWhite;
        cv.BrushClear = false;
        cv.PenColour = clBlack;
        cv.PenWidth = 1;
        cv.Rectangle(bx, by, bx + 10, by + 10);
        if (const QImage* mark = ToolBitmaps[Graph.OnOffFlag ? GLYPH_PROPORTIONAL : GLYPH_NOT_PROPORTIONAL])
            cv.Painter.drawImage(bx + 12, by, *mark);
    }
}
