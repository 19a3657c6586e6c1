// Scaling of the graph views: the ranges of the two breakpoint axes and the
// value axis over the sheets drawn on one scale, widened for the bound
// lines, then snapped outward to whole tick steps.
#include "mapedit/tabgraph.h"

#include "mapedit/sheet.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

constexpr int32_t NO_MIN = INT32_MAX;
constexpr int32_t NO_MAX = -INT32_MAX;

// Doubles become raw values cut toward zero, held inside int32.
int32_t ToRaw(double v)
{
    if (!(v == v))
        return 0;
    return int32_t(std::clamp(v, -2147483647.0, 2147483647.0));
}

bool IsRpm(const CAxe* a)
{
    return a && std::strcmp(a->Label, "RPM") == 0;
}

// The smallest span an axis is given: the first tick step, at least 2 raw units.
double MinimumSpan(const CAxe& a)
{
    double m = 2;
    if (a.TickRecordCount > 0 && a.Scale != 0)
        m = std::max(2.0, a.TickRecords[0].Step1 / a.Scale);
    return m;
}

// Snaps GraphMin down and GraphMax up to whole steps t of the shown values
// (raw * s) with a margin of a fifth of a step that stops at 0.
void SnapOutward(CAxe& a, double t, double s)
{
    if (!(t > 0) || s == 0)
        return;
    double lo = a.GraphMin * s - 0.2 * t;
    if (a.GraphMin * s >= 0)
        lo = std::max(lo, 0.0);
    a.GraphMin = ToRaw(std::floor(t * std::floor(lo / t) / s + 0.5));
    double hi = a.GraphMax * s + 0.2 * t;
    if (a.GraphMax * s <= 0)
        hi = std::min(hi, 0.0);
    a.GraphMax = ToRaw(std::floor(t * std::ceil(hi / t) / s + 0.5));
    if (a.GraphMax <= a.GraphMin)
        a.GraphMax = ToRaw(a.GraphMin + t);
}

void Widen(CAxe& a, int32_t v)
{
    a.GraphMin = std::min(a.GraphMin, v);
    a.GraphMax = std::max(a.GraphMax, v);
}

} // namespace

std::string FormatTickLabel(double step, double value)
{
    char text[64];
    if (step < 0.001)
        std::snprintf(text, sizeof text, "%.2lfm", value * 1000);
    else if (step < 0.01)
        std::snprintf(text, sizeof text, "%.0lfm", value * 1000);
    else if (step < 0.1)
        std::snprintf(text, sizeof text, "%.2lf", value);
    else if (step < 1)
        std::snprintf(text, sizeof text, "%.1lf", value);
    else if (step < 1000)
        std::snprintf(text, sizeof text, "%.0lf", value);
    else if (step < 1000000)
        std::snprintf(text, sizeof text, "%.0lfk", value * 0.001);
    else
        std::snprintf(text, sizeof text, "%.0lfM", value * 0.000001);
    return text;
}

void TTabGraph::BindAxes(CSheet& sheet)
{
    const bool swap = sheet.Flags & SHEET_SWAP_GRAPH;
    AxisA = swap ? &sheet.Y : &sheet.X;
    AxisB = swap ? &sheet.X : &sheet.Y;
    ValueAxis = &sheet.V;
    AxisUse = 3;
    if (sheet.Y.Collapsed)
        AxisUse = 1;
    if (sheet.X.Collapsed)
        AxisUse = 2;
    if (!PlotAxis)
        PlotAxis = AxisA;
    if (!CurveAxis)
        CurveAxis = AxisB;
}

void TTabGraph::AxisRange(const GraphScaleSource& src, int which)
{
    CAxe& a = which == 1 ? *AxisA : *AxisB;
    int32_t lo = NO_MIN, hi = NO_MAX;
    const bool swap = src.Sheets[src.Current].Flags & SHEET_SWAP_GRAPH;
    for (int i = 0; i < src.SheetCount; i++) {
        CSheet& sh = src.Sheets[i];
        CAxe& s = (which == 1) != swap ? sh.X : sh.Y;
        if (i != src.Current && (!(s.GraphGroup & a.GraphGroup) || s.UseValues != a.UseValues))
            continue;
        if (s.UseValues) {
            for (int k = 0; k < s.Count && s.Values; k++) {
                lo = std::min(lo, s.Values[k]);
                hi = std::max(hi, s.Values[k]);
            }
        } else {
            lo = 0;
            if (s.Count >= hi)
                hi = s.Count - 1;
        }
    }
    a.GraphMin = lo;
    a.GraphMax = hi;
}

void TTabGraph::ValueRange(const GraphScaleSource& src)
{
    CSheet& cur = src.Sheets[src.Current];
    int32_t lo = NO_MIN, hi = NO_MAX;
    int32_t rise = 0, riseAcross = 0, top0 = NO_MAX, left0 = NO_MAX;
    for (int i = 0; i < src.SheetCount; i++) {
        CSheet& sh = src.Sheets[i];
        if (i != src.Current && !(sh.V.GraphGroup & cur.V.GraphGroup))
            continue;
        if (!sh.V.Values)
            continue;
        const int cols = std::clamp(sh.X.Count, 1, TAB_MAX_COLS), rows = std::clamp(sh.Y.Count, 1, TAB_MAX_ROWS);
        const int c0 = sh.X.Collapsed ? std::clamp(sh.X.UsedIndex, 0, cols - 1) : 0;
        const int c1 = sh.X.Collapsed ? c0 + 1 : cols;
        const int r0 = sh.Y.Collapsed ? std::clamp(sh.Y.UsedIndex, 0, rows - 1) : 0;
        const int r1 = sh.Y.Collapsed ? r0 + 1 : rows;
        const int32_t* v = sh.V.Values;
        for (int r = r0; r < r1; r++) {
            for (int c = c0; c < c1; c++) {
                const int32_t x = v[r * TAB_MAX_COLS + c];
                lo = std::min(lo, x);
                hi = std::max(hi, x);
                if (r == 0)
                    top0 = std::max(top0, x);
                if (c == 0)
                    left0 = std::max(left0, x);
                if (!sh.Y.Collapsed && r + 1 < r1)
                    rise = std::max<int64_t>(
                        rise, std::min<int64_t>(INT32_MAX, int64_t(v[(r + 1) * TAB_MAX_COLS + c]) - x));
                if (!sh.X.Collapsed && c + 1 < c1)
                    riseAcross = std::max<int64_t>(
                        riseAcross, std::min<int64_t>(INT32_MAX, int64_t(v[r * TAB_MAX_COLS + c + 1]) - x));
            }
        }
    }
    CAxe& va = cur.V;
    va.GraphMin = lo == NO_MIN ? 0 : lo;
    va.GraphMax = hi == NO_MAX ? 0 : hi;
    const bool swap = cur.Flags & SHEET_SWAP_GRAPH;
    CurveOffset = swap ? riseAcross : rise;
    const int32_t top = swap ? left0 : top0;
    FirstCurveTop = top == NO_MAX ? va.GraphMax : top;
}

void TTabGraph::AutoScale(const GraphScaleSource& src)
{
    if (!src.Sheets || src.SheetCount <= 0 || src.Current < 0 || src.Current >= src.SheetCount)
        return;
    CSheet& cur = src.Sheets[src.Current];
    BindAxes(cur);
    CAxe& a = *AxisA;
    CAxe& b = *AxisB;
    CAxe& v = *ValueAxis;
    AxisRange(src, 1);
    AxisRange(src, 2);
    ValueRange(src);
    const bool unrangedA = a.GraphMin == NO_MIN, unrangedB = b.GraphMin == NO_MIN;

    for (CAxe* x : { &a, &b, &v }) {
        if (x->GraphMin == NO_MIN)
            continue;
        const double m = MinimumSpan(*x);
        if (x->GraphMax <= x->GraphMin + m)
            x->GraphMax = ToRaw(x->GraphMin + m);
    }
    if (FirstCurveTop <= v.GraphMin + MinimumSpan(v))
        FirstCurveTop = ToRaw(v.GraphMin + MinimumSpan(v));

    CAxe* rpm[2] = { IsRpm(&a) && !unrangedA ? &a : nullptr, IsRpm(&b) && !unrangedB ? &b : nullptr };
    if ((cur.Flags & SHEET_BASE_ADVANCE_LINE) && (rpm[0] || rpm[1])) {
        for (CAxe* x : rpm)
            if (x && x->GraphMin > 0)
                x->GraphMin = 0;
        if (v.Scale != 0) {
            const int32_t base = ToRaw(src.BaseAdvance / v.Scale);
            Widen(v, base);
            if (rpm[0])
                FirstCurveTop = std::max(FirstCurveTop, base);
        }
    }
    for (uint32_t flag : { SHEET_LIMITER_LINE, SHEET_START_LIMITER_LINE }) {
        if (!(cur.Flags & flag))
            continue;
        const int32_t value = flag == SHEET_LIMITER_LINE ? src.LimiterRpm : src.StartLimiterRpm;
        for (CAxe* x : rpm)
            if (x && x->Scale != 0)
                Widen(*x, ToRaw(value / x->Scale));
    }

    for (CAxe* x : { &a, &b }) {
        if (x->GraphMin == NO_MIN)
            continue;
        x->PickTickRecord(ToRaw((double(x->GraphMax) - x->GraphMin) * x->Scale));
        if (x->UseValues)
            SnapOutward(*x, x->Tick.Step1, x->Scale);
    }
    if (AxisUse == 3 && src.Shows2D) {
        b.GraphMin = 0;
        b.GraphMax = std::max(0, b.Count - 1);
    }

    const double s = v.Scale;
    const auto valueTop
        = [&] { ValueTop = AxisUse == 3 ? ToRaw(double(b.Count - 1) * CurveOffset + FirstCurveTop) : v.GraphMax; };
    valueTop();
    v.PickTickRecord(ToRaw(s * (double(ValueTop) - v.GraphMin)));
    const double t = v.Tick.Step1;
    SnapOutward(v, t, s);
    if (t > 0 && s != 0) {
        const double span = t / s;
        if (v.GraphMax < v.GraphMin + span) {
            if (v.Max != 0)
                v.GraphMax = ToRaw(v.GraphMin + span);
            else
                v.GraphMin = ToRaw(v.GraphMax - span);
        }
        CurveOffset = ToRaw(std::floor(t * std::ceil((s * CurveOffset + 0.5 * t) / t) / s + 0.5));
        FirstCurveTop = ToRaw(std::floor(t * std::ceil((0.2 * t + s * FirstCurveTop) / t) / s + 0.5));
        FirstCurveTop = std::max(FirstCurveTop, ToRaw(v.GraphMin + t));
        FirstCurveTop = std::min(FirstCurveTop, v.GraphMax);
    }
    valueTop();

    for (CAxe* x : { &a, &b }) {
        if (x->GraphMin == NO_MIN) {
            x->GraphMin = 0;
            x->GraphMax = std::max(0, x->Count - 1);
        }
    }

    PlotAxis = &a;
    CurveAxis = &b;
    CurveCount = 1;
    if (AxisUse == 3)
        CurveCount = std::clamp(b.Count, 1, GRAPH_CURVES);
    if ((AxisUse == 1 && a.Collapsed) || (AxisUse == 2 && !b.Collapsed)) {
        PlotAxis = &b;
        CurveAxis = &a;
    }
}
