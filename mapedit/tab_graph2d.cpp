// The 2D graph: the cells of the current sheet as curves over one axis, one
// curve per breakpoint of the other axis stacked upwards, with the bound
// lines, the live marker, and editing by dragging points and lines.
#include "mapedit/numbers.h"
#include "mapedit/tab.h"
#include "mapedit/tabcanvas.h"
#include "platform/cp1250.h"

#include <QCursor>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

// The "BT_T" picture among the toolbar pictures.
constexpr int TABLE_GLYPH = 12;

bool IsRpm(const CAxe& a)
{
    return std::strcmp(a.Label, "RPM") == 0;
}

int Floor(double v)
{
    return int(std::clamp(std::floor(v), -1e9, 1e9));
}

double SafeSpan(double span)
{
    return span > 0 ? span : 1;
}

void RoundedSquare(TabCanvas& cv, int x, int y, int half, int corner, TColor pen, TColor fill, bool filled)
{
    cv.Painter.setPen(QPen(ColorToQColor(pen), 1));
    cv.Painter.setBrush(filled ? QBrush(ColorToQColor(fill)) : QBrush(Qt::NoBrush));
    cv.Painter.drawRoundedRect(QRect(x - half, y - half, 2 * half, 2 * half), corner, corner);
}

} // namespace

GraphScaleSource TTab::GraphSource()
{
    GraphScaleSource src;
    src.Sheets = Sheets;
    src.SheetCount = SheetCount;
    src.Current = CurrentIndex;
    src.BaseAdvance = BaseAdvance;
    src.LimiterRpm = LimiterRpm;
    src.StartLimiterRpm = StartLimiterRpm;
    src.Shows2D = (ViewBits & VIEW_2D) != 0;
    return src;
}

int TTab::GraphViewHandles(int view, TabViewEvent event, int argument)
{
    const bool d2 = view == VIEW_2D, d3 = view == VIEW_3D;
    switch (event) {
    case TabViewEvent::PointerMove:
        d2 ? Graph2DMouseMove() : d3 ? Surface3DMouseMove() : OnOffMouseMove();
        return 0;
    case TabViewEvent::LeftDown:
        return d2 ? Graph2DMouseDown() : d3 ? Surface3DMouseDown() : OnOffMouseDown();
    case TabViewEvent::LeftUp:
        return d2 ? Graph2DMouseUp() : d3 ? Surface3DMouseUp() : OnOffMouseUp();
    case TabViewEvent::RightDown:
        return d2 ? Graph2DRightDown() : d3 ? Surface3DRightDown() : OnOffRightDown();
    case TabViewEvent::DoubleClick:
        return 0;
    case TabViewEvent::Wheel:
        return d2 ? Graph2DWheel(argument) : d3 ? Surface3DWheel(argument) : OnOffWheel(argument);
    case TabViewEvent::Key:
        return d2 ? Graph2DKey(argument) : d3 ? Surface3DKey(argument) : OnOffKey(argument);
    }
    return 0;
}

void TTab::PaintGraphViews(TabCanvas& cv)
{
    if (!Sheet || !(ViewBits & (VIEW_2D | VIEW_3D | VIEW_ONOFF)))
        return;
    Graph.BindAxes(*Sheet);
    if ((RedrawBits & REDRAW_VALUES) || Graph.PlotRight < Graph.PlotLeft)
        ScaleGraph();
    if (ViewBits & VIEW_2D)
        PaintGraph2D(cv);
    if (ViewBits & VIEW_3D)
        PaintSurface3D(cv);
    if (ViewBits & VIEW_ONOFF)
        PaintOnOff(cv);
}

void TTab::SetPlotCorners()
{
    TTabGraph& g = Graph;
    g.PlotLeft = g.AreaLeft;
    g.PlotTop = g.AreaTop;
    g.PlotRight = width() - g.AreaRight - 1;
    g.PlotBottom = height() - g.AreaBottom - 1;
}

void TTab::ResetGraphHitMap()
{
    TTabGraph& g = Graph;
    g.HitMap.Reset();
    g.HitMap.Width = width();
    g.HitMap.Height = height();
}

void TTab::ReanchorPointer(
    double unitX, double unitY, bool keepX, bool keepY, const std::function<int()>& x, const std::function<int()>& y)
{
    const TTabGraph& g = Graph;
    const bool moveX = keepX && g.UnitX != unitX, moveY = keepY && g.UnitY != unitY;
    if (moveX)
        MouseX = x();
    if (moveY)
        MouseY = y();
    if (!moveX && !moveY)
        return;
    SkipPointerMove = 1;
    if (isVisible())
        QCursor::setPos(mapToGlobal(QPoint(MouseX, MouseY)));
}

void TTab::ScaleGraph()
{
    if (!Sheet)
        return;
    Graph.AutoScale(GraphSource());
    if (ViewBits & VIEW_2D)
        LayoutGraph2D();
    if (ViewBits & VIEW_3D)
        Graph3DProject();
    if (ViewBits & VIEW_ONOFF)
        LayoutOnOff();
}

void TTab::LayoutGraph2D()
{
    TTabGraph& g = Graph;
    if (!Sheet || !g.PlotAxis)
        return;
    const CAxe& h = *g.PlotAxis;
    const CAxe& s = *g.CurveAxis;
    const CAxe& v = *g.ValueAxis;
    const int rightInset = g.CurveCount > 1 ? 30 : 15;
    g.InnerLeft = g.AreaLeft + 45;
    g.InnerBottom = height() - g.AreaBottom - 18;
    g.PlotWidth = std::max(1, width() - g.AreaLeft - g.AreaRight - 45 - rightInset);
    g.PlotHeight = std::max(1, height() - g.AreaTop - g.AreaBottom - 8 - 18);
    g.UnitX = g.PlotWidth / SafeSpan(double(h.GraphMax) - h.GraphMin);
    g.UnitY = g.PlotHeight / SafeSpan(double(g.ValueTop) - v.GraphMin);
    g.CurrentCurve = g.CurveCount <= 1 ? 0 : std::clamp(g.CurrentCurve, 0, g.CurveCount - 1);
    const bool hIsY = &h == &Sheet->Y;
    g.StrideH = hIsY ? TAB_MAX_COLS : 1;
    g.StrideS = hIsY ? 1 : TAB_MAX_COLS;
    g.BaseIndex = s.Collapsed ? std::max(0, s.UsedIndex) * g.StrideS : 0;
    SetPlotCorners();
    PlaceGraph2DPoints();
}

void TTab::PlaceGraph2DPoints()
{
    TTabGraph& g = Graph;
    ResetGraphHitMap();
    if (!Sheet || !g.PlotAxis)
        return;
    g.HitMap.CountX = Sheet->X.Count;
    g.HitMap.CountY = Sheet->Y.Count;
    const CAxe& h = *g.PlotAxis;
    const CAxe& v = *g.ValueAxis;
    const int points = std::clamp(h.Count, 0, GRAPH_CURVES);
    const bool baseLine = (Sheet->Flags & SHEET_BASE_ADVANCE_LINE) && IsRpm(h) && v.Scale != 0;
    for (int c = 0; c < g.CurveCount; c++) {
        const double lift = double(g.CurveCount - c - 1) * g.CurveOffset;
        for (int p = -1; p < points; p++) {
            const int idx = std::clamp(std::max(p, 0) * g.StrideH + c * g.StrideS + g.BaseIndex, 0, TAB_CELLS - 1);
            double u = 0, w;
            if (p >= 0)
                u = h.UseValues ? double(h.Values[p]) - h.GraphMin : p;
            if (p < 0 && baseLine)
                w = BaseAdvance / v.Scale - v.GraphMin;
            else
                w = double(v.Values[idx]) - v.GraphMin;
            w += lift;
            const int x = int(g.InnerLeft + u * g.UnitX), y = int(g.InnerBottom - w * g.UnitY);
            if (p < 0) {
                g.CurveBase[c] = y;
                continue;
            }
            g.PointX[c * GRAPH_CURVES + p] = x;
            g.PointY[c * GRAPH_CURVES + p] = y;
            g.HitMap.Cell(idx % TAB_MAX_COLS, idx / TAB_MAX_COLS) = { x - 2, y - 2, x + 2, y + 2 };
        }
    }
    g.HitMap.HasCells = 1;
}

void TTab::PaintGraph2D(TabCanvas& cv)
{
    TTabGraph& g = Graph;
    if (!Sheet || !g.PlotAxis)
        return;
    CSheet& sh = *Sheet;
    const CAxe& h = *g.PlotAxis;
    const CAxe& s = *g.CurveAxis;
    const CAxe& v = *g.ValueAxis;
    const TSel& sel = sh.Sel;
    const int count = g.CurveCount, cur = g.CurrentCurve;
    const int points = std::clamp(h.Count, 0, GRAPH_CURVES);
    const int left = g.InnerLeft, bottom = g.InnerBottom, top = bottom - g.PlotHeight;
    const int right = left + g.PlotWidth;
    const bool rpm = IsRpm(h);
    const bool baseLine = (sh.Flags & SHEET_BASE_ADVANCE_LINE) && rpm;
    const auto cellIndex
        = [&](int c, int p) { return std::clamp(p * g.StrideH + c * g.StrideS + g.BaseIndex, 0, TAB_CELLS - 1); };

    // The preview of an interpolation: the points stand at the values the block would get.
    const int32_t* values = v.Values;
    const bool preview = InterpolateHandle && sel.IsBlock && sel.BandX1 >= 0 && sel.BandY1 >= 0;
    if (preview) {
        int32_t* work = reinterpret_cast<int32_t*>(WorkBuffer.get());
        std::copy(v.Values, v.Values + TAB_CELLS, work);
        InterpolateBlock(work, TAB_MAX_COLS, sh.X.UseValues ? sh.X.Values : nullptr,
            sh.Y.UseValues ? sh.Y.Values : nullptr, sel.BlockX1, sel.BlockY1, sel.BlockX2, sel.BlockY2);
        values = work;
    }
    const auto pointY = [&](int c, int p) {
        if (!preview)
            return g.PointY[c * GRAPH_CURVES + p];
        const double w = double(values[cellIndex(c, p)]) - v.GraphMin + double(count - c - 1) * g.CurveOffset;
        return int(bottom - w * g.UnitY);
    };
    const auto pointX = [&](int c, int p) { return g.PointX[c * GRAPH_CURVES + p]; };
    const auto xOf = [&](double raw) { return int(left + (raw - h.GraphMin) * g.UnitX); };

    cv.FillRect(g.AreaLeft, g.AreaTop, width() - g.AreaRight, height() - g.AreaBottom, Color);
    cv.FillRect(left, top, right, bottom, count > 1 ? 0xF0FBFF : 0xFFFFFF);
    int yb = bottom, bandTop = top;
    if (count > 1) {
        yb = bottom - Floor(double(count - cur - 1) * g.CurveOffset * g.UnitY + 0.5 - 1);
        bandTop = std::max(top, yb - Floor((double(v.GraphMax) - v.GraphMin) * g.UnitY));
        cv.FillRect(left, bandTop, right, std::min(yb, bottom), 0xFFFFFF);
    }
    if ((sh.Flags & SHEET_LIMITER_LINE) && rpm && h.Scale != 0) {
        const int x = std::clamp(xOf(LimiterRpm / h.Scale), left, right);
        cv.FillRect(x, top, right, bottom, count > 1 ? 0xC0D5DD : 0xDDDDDD);
        if (count > 1)
            cv.FillRect(x, bandTop, right, std::min(yb, bottom), 0xDDDDDD);
    }
    if ((sh.Flags & SHEET_START_LIMITER_LINE) && rpm && h.Scale != 0) {
        const int x = xOf(StartLimiterRpm / h.Scale);
        cv.FillRect(std::max(left, x - 10), top, std::min(right, x + 10), bottom, 0xC0FFFF);
    }

    // Grid every second step of the tick record, labels every fourth, in raw units.
    const double gridH = h.Scale != 0 ? h.Tick.Step2 / h.Scale : 0, labelH = h.Scale != 0 ? h.Tick.Step4 / h.Scale : 0;
    const double gridV = v.Scale != 0 ? v.Tick.Step2 / v.Scale : 0, labelV = v.Scale != 0 ? v.Tick.Step4 / v.Scale : 0;
    cv.PenWidth = 1;
    cv.PenColour = 0xC0C0C0;
    if (gridH > 0 && (h.GraphMax - h.GraphMin) / gridH < 1000)
        for (double t = h.GraphMin; t <= h.GraphMax + 1e-9; t += gridH)
            cv.Line(xOf(t), bottom + 3, xOf(t), top);
    if (gridV > 0 && (g.ValueTop - v.GraphMin) / gridV < 1000)
        for (double t = v.GraphMin; t <= g.ValueTop + 1e-9; t += gridV) {
            const int y = int(bottom - (t - v.GraphMin) * g.UnitY);
            cv.Line(left - 3, y, right, y);
        }
    if (count > 1)
        cv.Line(left - 3, yb, right, yb);

    cv.Painter.setFont(TabFont(8));
    cv.FontColour = 0x808080;
    const int th = cv.TextHeight();
    if (labelH > 0 && (h.GraphMax - h.GraphMin) / labelH < 1000) {
        int lastRight = INT_MIN;
        for (double t = h.GraphMin; t <= h.GraphMax + 1e-9; t += labelH) {
            std::string text;
            if (h.UseValues) {
                text = FormatTickLabel(h.Tick.Step4, t * h.Scale);
            } else {
                const int i = std::clamp(int(std::floor(t + 0.5)), 0, std::max(0, h.Count - 1));
                text = FormatNumber(h.Values[i], h.Scale, h.Unit, true);
            }
            const QString q = QStringFromCp1250(text);
            const int w = cv.TextWidth(q), x = xOf(t) - w / 2;
            if (x <= lastRight)
                continue;
            cv.TextOut(x, bottom + 4, q);
            lastRight = x + w;
        }
    }
    if (labelV > 0 && (v.GraphMax - v.GraphMin) / labelV < 1000) {
        int lastY = INT_MAX;
        for (double t = v.GraphMin; t <= v.GraphMax + 1e-9; t += labelV) {
            const int y = bottom - Floor((t - v.GraphMin + double(count - cur - 1) * g.CurveOffset) * g.UnitY + 0.5);
            if (y < top)
                break;
            std::string text = FormatTickLabel(v.Tick.Step4, t * v.Scale) + (v.Unit[0] ? v.Unit : "%");
            text.resize(std::min<size_t>(text.size(), 31));
            if (y >= lastY - th - 2)
                continue;
            const QString q = QStringFromCp1250(text);
            cv.TextOut(count > 1 ? right + 5 : left - 5 - cv.TextWidth(q), y - th / 2, q);
            lastY = y;
        }
    }

    cv.PenColour = 0x000000;
    cv.Line(left, bottom + 2, left, top - 1);
    cv.Line(left - 1, bottom + 2, left - 1, top - 1);
    cv.Line(left - 1, bottom, right + 1, bottom);
    cv.Line(left - 1, bottom + 1, right + 1, bottom + 1);

    const bool live = (sh.Flags & SHEET_LIVE_MARKER) && !(LiveMissing & 0x100);
    const auto liveLine = [&](double raw, TColor colour) {
        if (raw < h.GraphMin || raw > h.GraphMax)
            return;
        cv.PenColour = colour;
        cv.Line(xOf(raw), bottom, xOf(raw), top);
    };
    if (live && rpm && h.Scale != 0)
        liveLine(LiveRpm / h.Scale, 0x00FF00);
    if (live && s.StringView && s.Values) {
        for (int i = 0; i < std::min(2, s.Count); i++) {
            if (s.Values[i] / 1000 == 11 && h.Scale != 0)
                liveLine(LiveTw / h.Scale, 0x00FF00);
            if (s.Values[i] / 1000 == 12 && h.Scale != 0)
                liveLine(LiveTa / h.Scale, 0xFF0000);
        }
    }

    // Curves: the others grey, the current one on top.
    const int xEnd = int(left + (double(h.GraphMax) - h.GraphMin) * g.UnitX);
    cv.PenWidth = 2;
    for (int pass = 0; pass < 2; pass++) {
        for (int c = 0; c < count; c++) {
            if ((c == cur) != (pass == 1))
                continue;
            const TColor colour = c == cur ? sh.LineColour : 0x808080;
            for (int p = 0; p <= points && points > 0; p++) {
                const bool marked = p > 0 && p < points && sel.CellFlags[cellIndex(c, p)] != 0
                    && sel.CellFlags[cellIndex(c, p - 1)] != 0;
                cv.PenColour = marked ? sh.MarkColour : colour;
                if (p == 0) {
                    if (sh.Flags & SHEET_SKIP_FIRST_SEGMENT)
                        continue;
                    const int yb0 = g.CurveBase[c];
                    cv.Line(left, yb0, pointX(c, 0), yb0);
                    cv.Line(pointX(c, 0), yb0, pointX(c, 0), pointY(c, 0));
                } else if (p < points) {
                    cv.Line(pointX(c, p - 1), pointY(c, p - 1), pointX(c, p), pointY(c, p));
                } else if (!(sh.Flags & SHEET_SKIP_LAST_SEGMENT)) {
                    cv.Line(pointX(c, p - 1), pointY(c, p - 1), xEnd, pointY(c, p - 1));
                }
            }
        }
    }
    cv.PenWidth = 1;
    if (count > 1 && s.Values) {
        cv.FontColour = 0x000000;
        for (int c = 0; c < count; c++) {
            std::string text;
            if (s.StringView) {
                const char* name = g.CurveAxis->StringViewPart(s.Values[c], 0);
                text = name ? SelectTabText(name) : std::string();
            } else {
                text = FormatNumber(s.Values[c], s.Scale, s.Unit, true);
            }
            const QString q = QStringFromCp1250(text);
            cv.TextOut(left - 5 - cv.TextWidth(q), g.CurveBase[c] - th / 2, q);
        }
    }

    // The live operating point.
    int liveC = -1, liveP = -1;
    TColor liveColour = Colours[9];
    if ((sh.Flags & SHEET_LIVE_MARKER) && (sh.LiveState == 1 || sh.LiveState == 2)) {
        int col = sh.X.Collapsed ? 0 : sh.LiveCol, row = sh.Y.Collapsed ? 0 : sh.LiveRow;
        if (&h == &sh.Y)
            std::swap(col, row);
        liveP = col;
        liveC = count > 1 ? row : 0;
        liveColour = sh.LiveState == 1 ? Colours[9] : Colours[10];
    }

    for (int c = 0; c < count; c++) {
        const bool current = c == cur;
        if (baseLine)
            RoundedSquare(cv, left, g.CurveBase[c], 3, 3, current ? sh.LineColour : 0x808080,
                current ? 0x00FFFF : 0x808080, true);
        for (int p = 0; p < points; p++) {
            const int idx = cellIndex(c, p);
            const int flags = sel.CellFlags[idx];
            const int x = pointX(c, p), y = pointY(c, p);
            TColor pen = current ? sh.LineColour : 0x808080, fill = current ? 0x00FFFF : 0x808080;
            if (flags) {
                pen = fill = sh.MarkColour;
                if (flags & SEL_CORNER)
                    fill = 0x008000;
                if (preview && values[idx] != v.Values[idx])
                    fill = 0x00FFFF;
            }
            RoundedSquare(cv, x, y, 3, 3, pen, fill, true);
            if (flags)
                RoundedSquare(cv, x, y, 5, 5, sh.MarkColour, 0, false);
            if (c == liveC && p == liveP) {
                cv.BrushClear = true;
                cv.PenColour = liveColour;
                cv.Ellipse(x - 7, y - 7, x + 8, y + 8);
                cv.Ellipse(x - 8, y - 8, x + 9, y + 9);
                cv.BrushClear = false;
            }
        }
    }

    // The element under the pointer.
    cv.PenColour = g.Dragging ? sh.MarkColour : sh.LineColour;
    cv.BrushClear = true;
    const auto box = [&](int x, int y) { cv.Rectangle(x - 5, y - 5, x + 5, y + 5); };
    if (g.GraphHit == -1 && baseLine) {
        for (int c = 0; c < count; c++)
            box(left, g.CurveBase[c]);
    } else if (g.GraphHit >= 0) {
        const int hc = g.GraphHit / GRAPH_CURVES, hp = g.GraphHit % GRAPH_CURVES;
        const bool selected = hc < count && hp < points && sel.CellFlags[cellIndex(hc, hp)] != 0;
        for (int c = 0; c < count; c++) {
            for (int p = 0; p < points; p++) {
                const bool both = ShiftDown && CtrlDown;
                const bool moves = (c == hc && p == hp) || both || (ShiftDown && c == hc) || (CtrlDown && p == hp)
                    || (selected && sel.CellFlags[cellIndex(c, p)] != 0);
                if (moves)
                    box(pointX(c, p), pointY(c, p));
            }
        }
    } else if ((g.GraphHit == -2 && (sh.Flags & SHEET_LIMITER_LINE))
        || (g.GraphHit == -3 && (sh.Flags & SHEET_START_LIMITER_LINE))) {
        if (rpm && h.Scale != 0) {
            const int x = xOf((g.GraphHit == -2 ? LimiterRpm : StartLimiterRpm) / h.Scale);
            cv.PenWidth = 2;
            cv.Line(x, bottom, x, top);
            cv.PenWidth = 1;
        }
    }
    if (sel.Mode & SELMODE_GRAPH_DRAG) {
        cv.PenColour = 0x0000FF;
        cv.Rectangle(std::min(sel.AnchorPx, sel.PointerPx), std::min(sel.AnchorPy, sel.PointerPy),
            std::max(sel.AnchorPx, sel.PointerPx) + 1, std::max(sel.AnchorPy, sel.PointerPy) + 1);
    }
    cv.BrushClear = false;
    if (ViewBits == VIEW_2D && !(Style & TABSTYLE_TOOLBAR) && ToolBitmaps[TABLE_GLYPH]) {
        const int n = sh.Y.Collapsed ? 1 : std::min(sh.Y.Count, RowSlots);
        cv.Painter.drawImage(YHeaderLeft - 10, int(CellsTop + n * CellHeight - 2), *ToolBitmaps[TABLE_GLYPH]);
    }
    cv.FontColour = 0x000000;
}

void TTab::Graph2DMouseMove()
{
    TTabGraph& g = Graph;
    if (!Sheet || !g.PlotAxis)
        return;
    CSheet& sh = *Sheet;
    TSel& sel = sh.Sel;
    CAxe& h = *g.PlotAxis;
    CAxe& v = *g.ValueAxis;
    const int left = g.InnerLeft, bottom = g.InnerBottom, top = bottom - g.PlotHeight;
    const int points = std::clamp(h.Count, 0, GRAPH_CURVES);
    const bool rpm = IsRpm(h);
    const bool baseLine = (sh.Flags & SHEET_BASE_ADVANCE_LINE) && rpm;
    if (!g.Dragging && (sel.Mode & SELMODE_GRAPH_DRAG)) {
        const int x = std::clamp(MouseX, left + 1, left + g.PlotWidth - 1);
        const int y = std::clamp(MouseY, top + 1, bottom - 1);
        if (sel.DragTo(g.HitMap, x, y, false))
            RedrawBits |= REDRAW_RENDER;
        return;
    }
    if (!g.Dragging) {
        if (!PointerInGraph)
            return;
        int best = INT_MAX, bestCurve = g.CurrentCurve, hit = -100;
        for (int c = 0; c < g.CurveCount; c++) {
            const auto consider = [&](int x, int y, int code) {
                const int d = int(std::hypot(double(MouseX - x), double(MouseY - y)));
                if (d < best) {
                    best = d;
                    bestCurve = c;
                    hit = code;
                }
            };
            if (baseLine)
                consider(left, g.CurveBase[c], -1);
            for (int p = 0; p < points; p++)
                consider(g.PointX[c * GRAPH_CURVES + p], g.PointY[c * GRAPH_CURVES + p], c * GRAPH_CURVES + p);
        }
        if (bestCurve != g.CurrentCurve) {
            g.CurrentCurve = bestCurve;
            RedrawBits |= REDRAW_RENDER;
        }
        const auto nearLine = [&](uint32_t flag, int32_t value) {
            return (sh.Flags & flag) && rpm && h.Scale != 0
                && std::abs(MouseX - int(left + (value / h.Scale - h.GraphMin) * g.UnitX)) < 5;
        };
        if (best >= 5)
            hit = nearLine(SHEET_LIMITER_LINE, LimiterRpm)            ? -2
                : nearLine(SHEET_START_LIMITER_LINE, StartLimiterRpm) ? -3
                                                                      : -100;
        if (hit >= 0) {
            const int idx = std::clamp(
                (hit % GRAPH_CURVES) * g.StrideH + (hit / GRAPH_CURVES) * g.StrideS + g.BaseIndex, 0, TAB_CELLS - 1);
            if (sel.CellFlags[idx] & SEL_CORNER) {
                hit = -100;
                InterpolateHandle = 1;
            }
        }
        if (hit != g.GraphHit || InterpolateHandle != PrevInterpolateHandle)
            RedrawBits |= REDRAW_RENDER;
        g.GraphHit = hit;
        Graph2DHintText();
        return;
    }

    const int curve = g.GraphHit >= 0 ? g.GraphHit / GRAPH_CURVES : g.GrabCurve;
    const double dx = MouseX - left - g.GrabX, dy = MouseY - bottom - g.GrabY;
    const int32_t hv = int32_t(h.GraphMin + Floor(dx / g.UnitX + 0.5));
    const int32_t vv = int32_t(v.GraphMin - Floor(dy / g.UnitY + 0.5) - (g.CurveCount - curve - 1) * g.CurveOffset);
    if (g.GraphHit >= 0) {
        const int c = g.GraphHit / GRAPH_CURVES, p = g.GraphHit % GRAPH_CURVES;
        if (c >= g.CurveCount || p >= points)
            return;
        const auto cellIndex = [&](int cc, int pp) {
            return std::clamp(pp * g.StrideH + cc * g.StrideS + g.BaseIndex, 0, TAB_CELLS - 1);
        };
        const int idx = cellIndex(c, p);
        const int kinds = CHANGED_CELLS | (&h == &sh.X ? CHANGED_X : CHANGED_Y);
        const bool moveBreakpoint = h.Editable && h.UseValues;
        const int32_t oldCell = v.Values[idx], oldBreak = h.Values[p];
        if (v.Editable)
            v.Values[idx] = vv;
        if (moveBreakpoint)
            h.Values[p] = hv;
        ApplyLimits(&sh, kinds);
        const int32_t dV = v.Values[idx] - oldCell, dH = h.Values[p] - oldBreak;
        if (dV == 0 && dH == 0)
            return;
        const bool selected = sel.CellFlags[idx] != 0;
        bool curveHasSel[GRAPH_CURVES] = {}, columnHasSel[GRAPH_CURVES] = {};
        for (int cc = 0; cc < g.CurveCount; cc++)
            for (int pp = 0; pp < points; pp++)
                if (sel.CellFlags[cellIndex(cc, pp)]) {
                    curveHasSel[cc] = true;
                    columnHasSel[pp] = true;
                }
        bool breakMoved[GRAPH_CURVES] = {};
        breakMoved[p] = true;
        for (int cc = 0; cc < g.CurveCount; cc++) {
            for (int pp = 0; pp < points; pp++) {
                if (cc == c && pp == p)
                    continue;
                bool goes = (ShiftDown && CtrlDown) || (ShiftDown && cc == c) || (CtrlDown && pp == p);
                if (selected)
                    goes = goes || sel.CellFlags[cellIndex(cc, pp)] != 0 || (ShiftDown && curveHasSel[cc])
                        || (CtrlDown && columnHasSel[pp]);
                if (!goes)
                    continue;
                if (v.Editable)
                    v.Values[cellIndex(cc, pp)] += dV;
                if (moveBreakpoint && !breakMoved[pp]) {
                    h.Values[pp] += dH;
                    breakMoved[pp] = true;
                }
            }
        }
        ApplyLimits(&sh, kinds);
        RedrawBits |= REDRAW_RENDER;
        Graph2DFollowPointer(h.Values[p], v.Values[idx], c, true, true);
    } else if (g.GraphHit == -1) {
        BaseAdvance = int32_t(vv * v.Scale);
        ApplyLimits(&sh, 0);
        RedrawBits |= REDRAW_RENDER;
        Graph2DFollowPointer(0, int32_t(BaseAdvance / (v.Scale != 0 ? v.Scale : 1)), g.GrabCurve, false, true);
    } else if (g.GraphHit == -2 || g.GraphHit == -3) {
        (g.GraphHit == -2 ? LimiterRpm : StartLimiterRpm) = int32_t(hv * h.Scale);
        ApplyLimits(&sh, 0);
        RedrawBits |= REDRAW_RENDER;
        const int32_t bound = g.GraphHit == -2 ? LimiterRpm : StartLimiterRpm;
        Graph2DFollowPointer(int32_t(bound / (h.Scale != 0 ? h.Scale : 1)), 0, 0, true, false);
    }
    if (SkipPointerMove)
        RedrawBits |= REDRAW_VALUES;
    Graph2DHintText();
}

void TTab::Graph2DFollowPointer(int32_t h, int32_t v, int curve, bool keepX, bool keepY)
{
    TTabGraph& g = Graph;
    const double unitX = g.UnitX, unitY = g.UnitY;
    Graph.AutoScale(GraphSource());
    LayoutGraph2D();
    if (!g.PlotAxis)
        return;
    ReanchorPointer(
        unitX, unitY, keepX, keepY, [&] { return int((h - g.PlotAxis->GraphMin) * g.UnitX + g.InnerLeft + g.GrabX); },
        [&] {
            return int(g.InnerBottom
                - (double(v) + double(g.CurveCount - curve - 1) * g.CurveOffset - g.ValueAxis->GraphMin) * g.UnitY
                + g.GrabY);
        });
}

int TTab::Graph2DMouseDown()
{
    TTabGraph& g = Graph;
    if (g.Dragging || !Sheet || !g.PlotAxis)
        return 1;
    TSel& sel = Sheet->Sel;
    const CAxe& h = *g.PlotAxis;
    const int left = g.InnerLeft, bottom = g.InnerBottom, top = bottom - g.PlotHeight;
    if (g.GraphHit == -100 && InterpolateHandle) {
        DoCommand(101);
        return 1;
    }
    if (g.GraphHit == -100) {
        const int x = std::clamp(MouseX, left + 1, left + g.PlotWidth - 1);
        const int y = std::clamp(MouseY, top + 1, bottom - 1);
        sel.BeginAt(g.HitMap, x, y, ShiftDown, CtrlDown);
        if (sel.Mode)
            sel.Mode |= SELMODE_GRAPH_DRAG;
        RedrawBits |= REDRAW_RENDER;
        return 1;
    }
    int px = 0, py = 0;
    if (g.GraphHit >= 0) {
        if (!h.Editable && !g.ValueAxis->Editable)
            return 1;
        px = g.PointX[g.GraphHit];
        py = g.PointY[g.GraphHit];
    } else if (g.GraphHit == -1) {
        px = left;
        py = g.CurveBase[g.CurrentCurve];
    } else {
        const int32_t bound = g.GraphHit == -2 ? LimiterRpm : StartLimiterRpm;
        px = h.Scale != 0 ? int(left + (bound / h.Scale - h.GraphMin) * g.UnitX) : left;
        py = bottom;
    }
    g.GrabX = MouseX - px;
    g.GrabY = MouseY - py;
    g.GrabCurve = g.CurrentCurve;
    g.Dragging = 1;
    NoteChange(0, CHANGE_MULTI_OPEN);
    Graph2DHintText();
    return 1;
}

int TTab::Graph2DMouseUp()
{
    TTabGraph& g = Graph;
    if (!Sheet)
        return 0;
    if (g.Dragging) {
        g.Dragging = 0;
        NoteChange(CHANGED_CELLS, CHANGE_MULTI_END);
        Graph2DHintText();
        RedrawBits |= REDRAW_RENDER;
        return 1;
    }
    if (Sheet->Sel.Mode & SELMODE_GRAPH_DRAG) {
        Sheet->Sel.Finish(g.HitMap);
        RedrawBits |= REDRAW_RENDER;
    }
    return 0;
}

int TTab::Graph2DRightDown()
{
    TTabGraph& g = Graph;
    if (!Sheet)
        return 0;
    TSel& sel = Sheet->Sel;
    if (g.GraphHit < 0) {
        sel.Clear();
    } else {
        const int c = g.GraphHit / GRAPH_CURVES, p = g.GraphHit % GRAPH_CURVES;
        const int idx = std::clamp(p * g.StrideH + c * g.StrideS + g.BaseIndex, 0, TAB_CELLS - 1);
        if (!sel.CellFlags[idx]) {
            sel.Clear();
            sel.Mode = 1;
            sel.CellFlags[idx] = SEL_IN_BAND;
            sel.UpdateBandBounds();
            sel.Finish(g.HitMap);
        }
    }
    RedrawBits |= REDRAW_RENDER;
    return 0;
}

int TTab::Graph2DWheel(int n)
{
    TTabGraph& g = Graph;
    if (g.Dragging || !Sheet || !g.PlotAxis)
        return 0;
    TSel& sel = Sheet->Sel;
    if (g.GraphHit < 0) {
        if (sel.Kind != HIT_CELL)
            return 0;
        IncrementSelection(n);
        return 1;
    }
    const int c = g.GraphHit / GRAPH_CURVES, p = g.GraphHit % GRAPH_CURVES;
    const int idx = std::clamp(p * g.StrideH + c * g.StrideS + g.BaseIndex, 0, TAB_CELLS - 1);
    if (sel.CellFlags[idx]) {
        IncrementSelection(n);
        return 1;
    }
    const bool hIsY = g.PlotAxis == &Sheet->Y;
    const int keepOn = HoverOn, keepCol = HoverCol, keepRow = HoverRow;
    HoverOn = 1;
    HoverCol = Sheet->X.Collapsed ? Sheet->X.UsedIndex : hIsY ? c : p;
    HoverRow = Sheet->Y.Collapsed ? Sheet->Y.UsedIndex : hIsY ? p : c;
    StepCurrentItem(n);
    HoverOn = keepOn;
    HoverCol = keepCol;
    HoverRow = keepRow;
    return 1;
}

int TTab::Graph2DKey(int)
{
    return 0;
}

void TTab::Graph2DHintText()
{
    TTabGraph& g = Graph;
    g.HintText.clear();
    if (!Sheet || !g.PlotAxis || g.GraphHit == -100)
        return;
    const CAxe& h = *g.PlotAxis;
    const CAxe& s = *g.CurveAxis;
    const CAxe& v = *g.ValueAxis;
    const std::string prefix = g.Dragging ? SelectTabText("###Dragging: ##Ziehen: ##Tažení: ") : std::string();
    char text[400];
    if (g.GraphHit >= 0) {
        const int c = g.GraphHit / GRAPH_CURVES, p = g.GraphHit % GRAPH_CURVES;
        const int idx = std::clamp(p * g.StrideH + c * g.StrideS + g.BaseIndex, 0, TAB_CELLS - 1);
        const std::string hl = SelectTabText(h.Label), vl = SelectTabText(v.Label);
        const std::string hb = FormatNumber(h.Values[std::min(p, TAB_MAX_COLS - 1)], h.Scale, h.Unit, true);
        const std::string cell = FormatNumber(v.Values[idx], v.Scale, v.Unit, true);
        if (g.CurveCount > 1) {
            const std::string sl = SelectTabText(s.Label);
            const std::string sb = FormatNumber(s.Values[std::min(c, TAB_MAX_COLS - 1)], s.Scale, s.Unit, true);
            std::snprintf(text, sizeof text, "%s%s = %s; %s = %s; %s = %s", prefix.c_str(), sl.c_str(), sb.c_str(),
                hl.c_str(), hb.c_str(), vl.c_str(), cell.c_str());
        } else {
            std::snprintf(text, sizeof text, "%s%s = %s; %s = %s", prefix.c_str(), hl.c_str(), hb.c_str(), vl.c_str(),
                cell.c_str());
        }
    } else {
        const char* name = g.GraphHit == -1 ? "###Base advance##Base vorrücken##Základní předstih"
            : g.GraphHit == -2              ? "###Limiter##Limiter##Omezovač"
                                            : "###Start limiter##Start limiter##Startovací omezovač";
        const int32_t value = g.GraphHit == -1 ? BaseAdvance : g.GraphHit == -2 ? LimiterRpm : StartLimiterRpm;
        const std::string shown = FormatNumber(value, 1.0, g.GraphHit == -1 ? v.Unit : h.Unit, true);
        std::snprintf(text, sizeof text, "%s%s = %s", prefix.c_str(), SelectTabText(name).c_str(), shown.c_str());
    }
    g.HintText = text;
}
