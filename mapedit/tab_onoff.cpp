// The on/off grid: the breakpoints of the sheet as lines, the cells as the
// fields between them, switched by a click or a rubber band; in the
// proportional layout the lines can be dragged or stepped with the wheel.
#include "mapedit/numbers.h"
#include "mapedit/tab.h"
#include "mapedit/tabcanvas.h"
#include "platform/colors.h"
#include "platform/cp1250.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

double SafeSpan(double span)
{
    return span > 0 ? span : 1;
}

void Arrow(TabCanvas& cv, int sx, int sy, int ex, int ey)
{
    cv.Line(sx, sy, ex, ey);
    const double dx = ex - sx, dy = ey - sy, len = std::hypot(dx, dy);
    if (len < 1)
        return;
    const int bx = ex + int(std::floor(-dx * 7 / len + 0.5)), by = ey + int(std::floor(-dy * 7 / len + 0.5));
    const int px = int(std::floor(-dy * 3 / len + 0.5)), py = int(std::floor(dx * 3 / len + 0.5));
    cv.Line(ex, ey, bx + px, by + py);
    cv.Line(ex, ey, bx - px, by - py);
}

// The part of [a1, a2] and the band's [b1, b2] overlap, edges included.
bool Overlaps(int a1, int a2, int b1, int b2)
{
    return (b1 >= a1 && b1 <= a2) || (b2 >= a1 && b2 <= a2) || (b1 <= a1 && b2 >= a2);
}

} // namespace

void TTab::LayoutOnOff()
{
    TTabGraph& g = Graph;
    if (!Sheet)
        return;
    CAxe& h = Sheet->X;
    CAxe& s = Sheet->Y;
    if (s.GraphMax > s.Max)
        s.GraphMax = s.Max;
    g.InnerLeft = g.AreaLeft;
    g.InnerBottom = height() - g.AreaBottom - 18;
    g.PlotWidth = std::max(1, width() - g.AreaLeft - g.AreaRight - 30);
    g.PlotHeight = std::max(1, height() - g.AreaTop - g.AreaBottom - 18);
    if (g.OnOffFlag) {
        h.GraphMin = 0;
        h.GraphMax = h.Max;
        s.GraphMin = s.Min;
        s.GraphMax = s.Max;
        g.UnitX = g.PlotWidth / SafeSpan(double(h.GraphMax) - h.GraphMin);
        g.UnitY = g.PlotHeight / SafeSpan(double(s.GraphMax) - s.GraphMin);
    } else {
        g.UnitX = g.PlotWidth / double(std::max(1, h.Count + 1));
        g.UnitY = g.PlotHeight / double(std::max(1, s.Count + 1));
    }
    SetPlotCorners();
    PlaceOnOffLines();
}

void TTab::PlaceOnOffLines()
{
    TTabGraph& g = Graph;
    ResetGraphHitMap();
    if (!Sheet)
        return;
    const CAxe& h = Sheet->X;
    const CAxe& s = Sheet->Y;
    // One field more than lines, and no more fields than cells.
    g.LinesX = h.Collapsed ? 0 : std::clamp(h.Count, 0, TAB_MAX_COLS - 1);
    g.LinesY = s.Collapsed ? 0 : std::clamp(s.Count, 0, TAB_MAX_ROWS - 1);
    const int top = g.InnerBottom - g.PlotHeight;
    for (int i = 0; i < g.LinesX; i++) {
        const double p = g.OnOffFlag && h.UseValues ? double(h.Values[i]) - h.GraphMin : i + 1;
        const int x = int(g.InnerLeft + p * g.UnitX);
        g.LineX[i] = x;
        g.HitMap.XHeader(i) = { x - 2, top, x + 2, g.InnerBottom };
    }
    for (int j = 0; j < g.LinesY; j++) {
        const double p = g.OnOffFlag && s.UseValues ? double(s.Values[j]) - s.GraphMin : j + 1;
        const int y = int(top + p * g.UnitY);
        g.LineY[j] = y;
        g.HitMap.YHeader(j) = { g.InnerLeft, y - 2, g.InnerLeft + g.PlotWidth, y + 2 };
    }
    g.HitMap.CountX = g.LinesX;
    g.HitMap.CountY = g.LinesY;
    g.HitMap.HasCells = 1;
}

namespace {

struct Field {
    int left, top, right, bottom;
};

Field FieldRect(const TTabGraph& g, int i, int j)
{
    const int top = g.InnerBottom - g.PlotHeight;
    return { i == 0 ? g.InnerLeft : g.LineX[i - 1], j == 0 ? top : g.LineY[j - 1],
        i == g.LinesX ? g.InnerLeft + g.PlotWidth : g.LineX[i], j == g.LinesY ? g.InnerBottom : g.LineY[j] };
}

bool UnderBand(const TSel& sel, const Field& f)
{
    const int x1 = std::min(sel.AnchorPx, sel.PointerPx), x2 = std::max(sel.AnchorPx, sel.PointerPx);
    const int y1 = std::min(sel.AnchorPy, sel.PointerPy), y2 = std::max(sel.AnchorPy, sel.PointerPy);
    return Overlaps(f.left, f.right, x1, x2) && Overlaps(f.top, f.bottom, y1, y2);
}

} // namespace

void TTab::PaintOnOff(TabCanvas& cv)
{
    TTabGraph& g = Graph;
    if (!Sheet)
        return;
    CSheet& sh = *Sheet;
    const CAxe& h = sh.X;
    const CAxe& s = sh.Y;
    const CAxe& v = sh.V;
    const TSel& sel = sh.Sel;
    const int left = g.InnerLeft, bottom = g.InnerBottom, top = bottom - g.PlotHeight, right = left + g.PlotWidth;
    const bool band = sel.Mode & SELMODE_GRAPH_DRAG;
    cv.FillRect(g.AreaLeft, g.AreaTop, width() - g.AreaRight, height() - g.AreaBottom, Color);
    TColor off = 0xE0F0F0, on = 0x008000;
    if (!v.Editable) {
        off = TColor(ScaleColor(off, 0.9, 0.9, 0.98));
        on = TColor(ScaleColor(on, 0.5, 0.5, 0.5));
    }
    for (int j = 0; j <= g.LinesY; j++) {
        for (int i = 0; i <= g.LinesX; i++) {
            const Field f = FieldRect(g, i, j);
            const int32_t value = v.Values[j * TAB_MAX_COLS + i];
            TColor fill = value == 1 ? on : off;
            if (band && UnderBand(sel, f))
                fill = value == 0 ? 0x00FF00 : 0x808080;
            cv.FillRect(f.left, f.top, f.right + 1, f.bottom + 1, fill);
            if (value > 1 && !(band && UnderBand(sel, f))) {
                const QPoint tri[3] = { { f.left, f.bottom }, { f.right, f.bottom }, { f.right, f.top } };
                cv.PenColour = cv.BrushColour = on;
                cv.PenWidth = 1;
                cv.Polygon(tri, 3);
            }
            if (g.OnOffFlag)
                continue;
            const int cx = (f.left + f.right) / 2, cy = (f.top + f.bottom) / 2;
            cv.PenColour = 0x000000;
            cv.PenWidth = 1;
            cv.BrushColour = fill;
            const auto checkBox = [&](int y, bool checked) {
                cv.Rectangle(cx - 6, y - 6, cx + 7, y + 7);
                if (!checked)
                    return;
                cv.PenWidth = 2;
                cv.PenColour = 0xFFFFFF;
                cv.Line(cx - 3, y, cx - 1, y + 3);
                cv.Line(cx - 1, y + 3, cx + 4, y - 3);
                cv.PenWidth = 1;
                cv.PenColour = 0x000000;
            };
            if (value > 1) {
                checkBox(cy - 10, false);
                checkBox(cy + 10, true);
            } else {
                checkBox(cy, value == 1);
            }
        }
    }

    cv.Painter.setFont(TabFont(8));
    if (g.OnOffFlag) {
        cv.PenColour = 0xC0C0C0;
        cv.FontColour = 0x808080;
        const int th = cv.TextHeight();
        if (!h.Collapsed && h.Scale != 0 && h.Tick.Step2 > 0) {
            const double grid = h.Tick.Step2 / h.Scale, label = h.Tick.Step4 / h.Scale;
            for (double t = h.GraphMin; t <= h.GraphMax + 1e-9 && (h.GraphMax - h.GraphMin) / grid < 1000; t += grid) {
                const int x = int(left + (t - h.GraphMin) * g.UnitX);
                cv.Line(x, bottom + 3, x, top);
            }
            int lastRight = INT_MIN;
            for (double t = h.GraphMin; label > 0 && t <= h.GraphMax + 1e-9 && (h.GraphMax - h.GraphMin) / label < 1000;
                 t += label) {
                const QString q = QStringFromCp1250(FormatTickLabel(h.Tick.Step4, t * h.Scale));
                const int w = cv.TextWidth(q), x = int(left + (t - h.GraphMin) * g.UnitX) - w / 2;
                if (x <= lastRight)
                    continue;
                cv.TextOut(x, bottom + 4, q);
                lastRight = x + w;
            }
        }
        if (!s.Collapsed && s.Scale != 0 && s.Tick.Step2 > 0) {
            const double grid = s.Tick.Step2 / s.Scale, label = s.Tick.Step4 / s.Scale;
            const auto yOf = [&](double t) { return top + int(std::floor((t - s.GraphMin) * g.UnitY + 0.5)); };
            for (double t = s.GraphMin; t <= s.GraphMax + 1e-9 && (s.GraphMax - s.GraphMin) / grid < 1000; t += grid)
                cv.Line(left, yOf(t), right + 3, yOf(t));
            int lastY = INT_MIN;
            for (double t = s.GraphMin; label > 0 && t <= s.GraphMax + 1e-9 && (s.GraphMax - s.GraphMin) / label < 1000;
                 t += label) {
                std::string text = FormatTickLabel(s.Tick.Step4, t * s.Scale) + s.Unit;
                text.resize(std::min<size_t>(text.size(), 31));
                const int y = yOf(t);
                if (lastY != INT_MIN && y <= lastY + th + 2)
                    continue;
                cv.TextOut(right + 5, y - th / 2, QStringFromCp1250(text));
                lastY = y;
            }
        }
    }

    cv.PenColour = 0x000000;
    cv.PenWidth = 1;
    cv.Line(left, top, left, bottom + 2);
    cv.Line(left - 1, top, left - 1, bottom + 2);
    cv.Line(left - 1, bottom, right + 2, bottom);
    cv.Line(left - 1, bottom + 1, right + 2, bottom + 1);
    if (!g.OnOffFlag) {
        cv.Line(left - 1, top, right + 2, top);
        cv.Line(left - 1, top - 1, right + 2, top - 1);
        cv.Line(right, top, right, bottom);
        cv.Line(right + 1, top, right + 1, bottom);
    }

    const bool hover = g.OnOffFlag != 0;
    for (int i = 0; i < g.LinesX; i++) {
        const int x = g.LineX[i];
        if (hover && h.Scale != 0) {
            const int half = int(Hysteresis * g.UnitX / h.Scale + 0.5);
            if (half > 1) {
                cv.PenColour = 0x000000;
                for (int y = top + 2 * i; y < bottom; y += 6)
                    cv.Line(x - half, y, x + half, y);
            }
        }
        cv.PenColour = 0xFFFF00;
        cv.Line(x - 1, bottom, x - 1, top - 1);
        cv.Line(x + 1, bottom, x + 1, top - 1);
        cv.PenColour = 0xFF0000;
        cv.Line(x, bottom, x, top - 1);
        cv.PenColour = 0x808080;
        Arrow(cv, int(CellsLeft + i * CellWidth + CellWidth * 0.5), XHeaderTop + XHeaderHeight, x, top - 2);
        if (g.GraphHit == 50 + i) {
            cv.PenWidth = 3;
            cv.PenColour = g.Dragging ? 0xFF0000 : 0x0000FF;
            cv.Line(x, bottom, x, top - 1);
            cv.PenWidth = 1;
        }
    }
    for (int j = 0; j < g.LinesY; j++) {
        const int y = g.LineY[j];
        cv.PenColour = 0xFFFF00;
        cv.Line(left, y - 1, right - 1, y - 1);
        cv.Line(left, y + 1, right - 1, y + 1);
        cv.PenColour = 0xFF0000;
        cv.Line(left, y, right - 1, y);
        cv.PenColour = 0x808080;
        Arrow(cv, YHeaderLeft + YHeaderWidth, int(CellsTop + j * CellHeight + CellHeight * 0.5), left - 2, y);
        if (g.GraphHit == 100 + j) {
            cv.PenWidth = 3;
            cv.PenColour = g.Dragging ? 0xFF0000 : 0x0000FF;
            cv.Line(left, y, right - 1, y);
            cv.PenWidth = 1;
        }
    }
    if (g.OnOffFlag && (sh.Flags & SHEET_LIVE_MARKER) && std::strcmp(h.Label, "RPM") == 0 && !(LiveMissing & 0x100)
        && h.Scale != 0) {
        const double raw = LiveRpm / h.Scale;
        if (raw >= h.GraphMin && raw <= h.GraphMax) {
            const int x = int(left + (raw - h.GraphMin) * g.UnitX);
            cv.PenColour = 0x00FF00;
            cv.Line(x, bottom, x, top);
        }
    }
    if (band) {
        cv.PenColour = 0x0000FF;
        cv.BrushClear = true;
        cv.Rectangle(std::min(sel.AnchorPx, sel.PointerPx), std::min(sel.AnchorPy, sel.PointerPy),
            std::max(sel.AnchorPx, sel.PointerPx) + 1, std::max(sel.AnchorPy, sel.PointerPy) + 1);
        cv.BrushClear = false;
    }
}

void TTab::OnOffMouseMove()
{
    TTabGraph& g = Graph;
    if (!Sheet)
        return;
    CSheet& sh = *Sheet;
    CAxe& h = sh.X;
    CAxe& s = sh.Y;
    const int top = g.InnerBottom - g.PlotHeight;
    if (g.Dragging && g.GraphHit >= 50 && g.GraphHit < 50 + g.LinesX) {
        const int i = g.GraphHit - 50;
        const int32_t p = int32_t(std::floor((MouseX - g.InnerLeft - g.GrabX) / g.UnitX + 0.5));
        if (h.Editable)
            h.Values[i] = p + h.GraphMin;
        ApplyLimits(&sh, CHANGED_X | CHANGED_CELLS);
        RedrawBits |= REDRAW_RENDER;
        OnOffFollowPointer(h.Values[i], INT32_MAX, true, false);
    } else if (g.Dragging && g.GraphHit >= 100 && g.GraphHit < 100 + g.LinesY) {
        const int j = g.GraphHit - 100;
        const int32_t p = int32_t(std::floor((MouseY - top - g.GrabY) / g.UnitY + 0.5));
        if (s.Editable)
            s.Values[j] = p + s.GraphMin;
        ApplyLimits(&sh, CHANGED_Y | CHANGED_CELLS);
        RedrawBits |= REDRAW_RENDER;
        OnOffFollowPointer(INT32_MAX, s.Values[j], false, true);
    } else if (!g.Dragging && (sh.Sel.Mode & SELMODE_GRAPH_DRAG)) {
        sh.Sel.PointerPx = std::clamp(MouseX, g.InnerLeft + 1, g.InnerLeft + g.PlotWidth - 1);
        sh.Sel.PointerPy = std::clamp(MouseY, top + 1, g.InnerBottom - 1);
        RedrawBits |= REDRAW_RENDER;
        return;
    } else if (!g.Dragging && PointerInGraph) {
        int best = INT_MAX, found = -100;
        for (int i = 0; i < g.LinesX; i++) {
            const int d = std::abs(MouseX - g.LineX[i]);
            if (d < best) {
                best = d;
                found = 50 + i;
            }
        }
        for (int j = 0; j < g.LinesY; j++) {
            const int d = std::abs(MouseY - g.LineY[j]);
            const bool yBest = found >= 100;
            if ((!yBest && d <= best) || (yBest && (g.LineY[j] > height() / 2 ? d <= best - 3 : d <= best))) {
                best = d;
                found = 100 + j;
            }
        }
        const int hit = best < 5 && g.OnOffFlag ? found : -100;
        if (hit != g.GraphHit)
            RedrawBits |= REDRAW_VALUES;
        g.GraphHit = hit;
    }
    if (SkipPointerMove)
        RedrawBits |= REDRAW_VALUES;
    OnOffHintText();
}

void TTab::OnOffFollowPointer(int32_t h, int32_t v, bool keepX, bool keepY)
{
    TTabGraph& g = Graph;
    const double unitX = g.UnitX, unitY = g.UnitY;
    Graph.AutoScale(GraphSource());
    LayoutOnOff();
    ReanchorPointer(
        unitX, unitY, keepX && h != INT32_MAX, keepY && v != INT32_MAX,
        [&] { return int((h - Sheet->X.GraphMin) * g.UnitX + g.InnerLeft + g.GrabX); },
        [&] { return int((v - Sheet->Y.GraphMin) * g.UnitY + g.InnerBottom - g.PlotHeight + g.GrabY); });
}

int TTab::OnOffMouseDown()
{
    TTabGraph& g = Graph;
    if (g.Dragging || !Sheet)
        return 1;
    CSheet& sh = *Sheet;
    const int top = g.InnerBottom - g.PlotHeight;
    if (g.GraphHit == -100) {
        if (!sh.V.Editable)
            return 0;
        const int x = std::clamp(MouseX, g.InnerLeft + 1, g.InnerLeft + g.PlotWidth - 1);
        const int y = std::clamp(MouseY, top + 1, g.InnerBottom - 1);
        sh.Sel.BeginAt(g.HitMap, x, y, ShiftDown, CtrlDown);
        if (!sh.Sel.Mode)
            sh.Sel.Mode = HIT_CELL;
        sh.Sel.Mode |= SELMODE_GRAPH_DRAG;
        sh.Sel.AnchorPx = sh.Sel.PointerPx = x;
        sh.Sel.AnchorPy = sh.Sel.PointerPy = y;
        NoteChange(0, CHANGE_MULTI_OPEN);
        RedrawBits |= REDRAW_RENDER;
        return 1;
    }
    const bool xLine = g.GraphHit < 100;
    const CAxe& axis = xLine ? sh.X : sh.Y;
    if (!axis.Editable)
        return 1;
    if (xLine)
        g.GrabX = MouseX - g.LineX[g.GraphHit - 50];
    else
        g.GrabY = MouseY - g.LineY[g.GraphHit - 100];
    g.Dragging = 1;
    NoteChange(0, CHANGE_MULTI_OPEN);
    OnOffHintText();
    return 1;
}

int TTab::OnOffMouseUp()
{
    TTabGraph& g = Graph;
    if (!Sheet)
        return 0;
    CSheet& sh = *Sheet;
    if (g.Dragging) {
        g.Dragging = 0;
        NoteChange(CHANGED_X | CHANGED_Y, CHANGE_MULTI_END);
        OnOffHintText();
        RedrawBits |= REDRAW_RENDER;
        return 1;
    }
    if (!(sh.Sel.Mode & SELMODE_GRAPH_DRAG))
        return 0;
    for (int j = 0; j <= g.LinesY; j++) {
        for (int i = 0; i <= g.LinesX; i++) {
            if (!UnderBand(sh.Sel, FieldRect(g, i, j)))
                continue;
            int32_t& cell = sh.V.Values[j * TAB_MAX_COLS + i];
            cell = cell == 0 ? 1 : 0;
        }
    }
    NoteChange(CHANGED_CELLS, CHANGE_MULTI_END);
    sh.Sel.Finish(g.HitMap);
    RedrawBits |= REDRAW_RENDER;
    return 0;
}

int TTab::OnOffRightDown()
{
    if (!Sheet)
        return 0;
    if (Sheet->Sel.Mode & SELMODE_GRAPH_DRAG)
        RedrawBits |= REDRAW_RENDER;
    Sheet->Sel.Clear();
    return 0;
}

int TTab::OnOffWheel(int n)
{
    TTabGraph& g = Graph;
    if (g.Dragging || !Sheet || g.GraphHit < 50)
        return 0;
    CSheet& sh = *Sheet;
    const bool xLine = g.GraphHit < 100;
    const int index = xLine ? g.GraphHit - 50 : g.GraphHit - 100;
    CAxe& axis = xLine ? sh.X : sh.Y;
    if (!axis.Editable || index >= (xLine ? g.LinesX : g.LinesY))
        return 0;
    // X lines group per line; all Y lines share one group that never meets an X line's.
    const int32_t code = xLine ? 0x140000 + index + 1 : 0x140000;
    NoteChange(0, code);
    axis.Values[index] += n > 0 ? 1 : -1;
    ApplyLimits(&sh, xLine ? CHANGED_X : CHANGED_Y);
    NoteChange(xLine ? CHANGED_X : CHANGED_Y, code);
    RedrawBits |= REDRAW_VALUES;
    return 1;
}

int TTab::OnOffKey(int)
{
    return 0;
}

void TTab::OnOffHintText()
{
    TTabGraph& g = Graph;
    g.HintText.clear();
    if (!Sheet || g.GraphHit < 50)
        return;
    const bool xLine = g.GraphHit < 100;
    const int index = xLine ? g.GraphHit - 50 : g.GraphHit - 100;
    const CAxe& axis = xLine ? Sheet->X : Sheet->Y;
    const std::string prefix = g.Dragging ? SelectTabText("###Dragging: ##Ziehen: ##Tažení: ") : std::string();
    const std::string label = SelectTabText(axis.Label);
    const std::string value = FormatNumber(axis.Values[index], axis.Scale, axis.Unit, true);
    char text[400];
    std::snprintf(text, sizeof text, "%s%s = %s", prefix.c_str(), label.c_str(), value.c_str());
    g.HintText = text;
}
