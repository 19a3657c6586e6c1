// The 3D surface: the current sheet over the plane of its two breakpoint
// axes, turned by three angles, drawn as a mesh, in one colour or shaded by
// height, with a colour legend strip that shows the scale and the live value.
#include "mapedit/numbers.h"
#include "mapedit/tab.h"
#include "mapedit/tabcanvas.h"
#include "platform/cp1250.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

constexpr double PI = 3.14159265358979323846;
constexpr int COLOURS = 63;
// Grid positions run from -2 (the second lead-in) to 50 (the end position).
constexpr int GRID_OFFSET = 2;
constexpr int GRID_SIZE = TAB_MAX_COLS + 3;

// Height colours, already as Windows colour values, and as bitmap pixels.
TColor HeightColours[COLOURS];
QRgb HeightPixels[COLOURS];

void BuildHeightColours()
{
    static const int stops[7] = { 0, 15, 25, 32, 40, 52, 61 };
    static const uint32_t colours[7] = { 0x000055, 0x0000FF, 0x00FF00, 0xFFFF00, 0xCCCC00, 0xFF0000, 0xFF00FF };
    const auto channel = [](uint32_t c, int shift) { return double((c >> shift) & 0xFF); };
    for (int i = 0; i < 6; i++) {
        for (int j = stops[i]; j < stops[i + 1]; j++) {
            const double t = double(j - stops[i]) / (stops[i + 1] - stops[i]);
            uint32_t rgb = 0;
            for (int shift : { 16, 8, 0 })
                rgb |= uint32_t((1 - t) * channel(colours[i], shift) + t * channel(colours[i + 1], shift)) << shift;
            HeightColours[j] = ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
        }
    }
    const uint32_t last = colours[6];
    HeightColours[61] = HeightColours[62] = ((last & 0xFF) << 16) | (last & 0xFF00) | ((last >> 16) & 0xFF);
    for (int i = 0; i < COLOURS; i++)
        HeightPixels[i] = ColorToQColor(HeightColours[i]).rgb();
}

int Round(double v)
{
    return int(std::clamp(std::floor(v + 0.5), -1e8, 1e8));
}

double SafeSpan(double span)
{
    return span > 0 ? span : 1;
}

bool IsRpm(const CAxe& a)
{
    return std::strcmp(a.Label, "RPM") == 0;
}

void RotateBasis(int axis, double* r0, double* r1, double* r2, double angle)
{
    const double c = std::cos(angle), s = std::sin(angle);
    for (double* r : { r0, r1, r2 }) {
        const double x = r[0], y = r[1], z = r[2];
        if (axis == 0) {
            r[1] = y * c - z * s;
            r[2] = y * s + z * c;
        } else if (axis == 1) {
            r[0] = x * c - z * s;
            r[2] = x * s + z * c;
        } else {
            r[0] = x * c - y * s;
            r[1] = x * s + y * c;
        }
    }
}

// A projected point: screen x, screen y and its colour index.
struct P3 {
    double x = 0, y = 0, i = 0;
};

// The back bitmap's pixels, written straight into.
struct Pixels {
    explicit Pixels(QImage& image)
        : bits(reinterpret_cast<QRgb*>(image.bits()))
        , stride(int(image.bytesPerLine() / 4))
        , width(image.width())
        , height(image.height())
    {
    }
    QRgb* Row(int y) const { return bits + ptrdiff_t(y) * stride; }
    QRgb* bits;
    int stride, width, height;
};

// The pixels a triangle covers, with the rule of a filled polygon with a
// one-pixel outline: corners on whole pixels, the pixels of the outline and
// those whose centre lies inside. Calls span(y, x1, x2) for each row's run
// of pixels inside the image; nothing for a triangle without area.
template <typename Span> void ScanTriangle(const Pixels& image, const P3& a, const P3& b, const P3& c, Span span)
{
    const double x[3] = { double(Round(a.x)), double(Round(b.x)), double(Round(c.x)) };
    const double y[3] = { double(Round(a.y)), double(Round(b.y)), double(Round(c.y)) };
    const double area = (x[1] - x[0]) * (y[2] - y[0]) - (y[1] - y[0]) * (x[2] - x[0]);
    if (area == 0)
        return;
    // Edge k runs from corner k to corner k + 1; inside, A x + B y + C >= -T,
    // kept as x >= (or <=) P y + Q.
    double P[3], Q[3];
    int kind[3]; // 1: a left bound, -1: a right bound, 0: a horizontal edge
    double rowFrom = -1e9, rowTo = 1e9; // the rows a horizontal edge allows
    for (int k = 0; k < 3; k++) {
        const int n = (k + 1) % 3;
        const double dx = x[n] - x[k], dy = y[n] - y[k];
        const double sign = area > 0 ? 1 : -1;
        const double A = -dy * sign, B = dx * sign, C = (dy * x[k] - dx * y[k]) * sign;
        // The outline takes the pixels nearest the edge along its minor
        // axis; the fill those whose centre, half a pixel on, is inside.
        const double T = 0.5 * std::max({ std::fabs(dx), std::fabs(dy), A + B }) + 1e-9;
        kind[k] = A > 0 ? 1 : A < 0 ? -1 : 0;
        if (kind[k] != 0) {
            P[k] = -B / A;
            Q[k] = (-T - C) / A;
        } else if (B > 0) {
            rowFrom = std::max(rowFrom, (-T - C) / B);
        } else {
            rowTo = std::min(rowTo, (-T - C) / B);
        }
    }
    const int top = std::max({ 0, int(std::ceil(std::min({ y[0], y[1], y[2] }) - 0.5)), int(std::ceil(rowFrom)) });
    const int bottom
        = std::min({ image.height - 1, int(std::floor(std::max({ y[0], y[1], y[2] }) + 0.5)), int(std::floor(rowTo)) });
    const double left = std::min({ x[0], x[1], x[2] }) - 0.5, right = std::max({ x[0], x[1], x[2] }) + 0.5;
    for (int py = top; py <= bottom; py++) {
        double from = left, to = right;
        for (int k = 0; k < 3; k++) {
            if (kind[k] > 0)
                from = std::max(from, P[k] * py + Q[k]);
            else if (kind[k] < 0)
                to = std::min(to, P[k] * py + Q[k]);
        }
        // Whole pixels from `from` to `to`, without the library's slow ceil and floor.
        int x1 = int(from), x2 = int(to);
        x1 += x1 < from;
        x2 -= x2 > to;
        x1 = std::max(0, x1);
        x2 = std::min(image.width - 1, x2);
        if (x1 <= x2)
            span(py, x1, x2);
    }
}

void FillPolygon(const Pixels& px, const P3& a, const P3& b, const P3& c, TColor colour)
{
    const QRgb rgb = ColorToQColor(colour).rgb();
    ScanTriangle(px, a, b, c, [&](int y, int x1, int x2) { std::fill(px.Row(y) + x1, px.Row(y) + x2 + 1, rgb); });
}

// Fills a front-facing triangle as `depth` halvings of its sides would (each
// piece in the colour of its mean height, no halving once the heights of a
// piece agree within a colour step), with every pixel written once: the
// pixel finds the piece it lies in from its place in the triangle.
void FillTriangleShaded(const Pixels& px, const P3& a, const P3& b, const P3& c, int depth)
{
    if (depth < 0)
        return;
    double spread = std::max({ std::fabs(a.i - b.i), std::fabs(b.i - c.i), std::fabs(c.i - a.i) });
    int levels = 0;
    while (levels < depth && spread >= 1) {
        spread /= 2;
        levels++;
    }
    const double area = (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
    if (levels == 0 || area == 0) {
        const int index = std::clamp(int(std::floor((a.i + b.i + c.i) / 3 + 0.5)), 0, COLOURS - 1);
        const QRgb rgb = HeightPixels[index];
        ScanTriangle(px, a, b, c, [&](int y, int x1, int x2) { std::fill(px.Row(y) + x1, px.Row(y) + x2 + 1, rgb); });
        return;
    }
    // The pieces form a grid of n steps along the sides from a to b and a to
    // c; (p, q) is a pixel's place on it, p + q <= n.
    const int n = 1 << levels;
    const double pdx = n * (c.y - a.y) / area, pdy = -n * (c.x - a.x) / area;
    const double qdx = -n * (b.y - a.y) / area, qdy = n * (b.x - a.x) / area;
    // A piece's mean height: that of its centre, a third or two thirds of a
    // step into the cell whose corner (fp, fq) is. All in 1/65536 steps; a
    // sliver of a triangle may step very far per pixel, so places and steps
    // are held to 1e15, which a row of pixels cannot carry past 64 bits.
    constexpr double ONE = 65536;
    const auto fixed = [](double v) { return int64_t(std::clamp(v * ONE, -1e15, 1e15)); };
    const int64_t stepB = fixed((b.i - a.i) / n), stepC = fixed((c.i - a.i) / n);
    const int64_t third = (stepB + stepC) / 3;
    const int64_t base = fixed(a.i + 0.5); // adding a half and cutting rounds
    const int64_t last = int64_t(n) * 65536 - 1, lastCell = n - 1;
    const int64_t pStep = fixed(pdx), qStep = fixed(qdx);
    ScanTriangle(px, a, b, c, [&](int y, int x1, int x2) {
        QRgb* row = px.Row(y);
        int64_t p = fixed(pdx * (x1 - a.x) + pdy * (y - a.y));
        int64_t q = fixed(qdx * (x1 - a.x) + qdy * (y - a.y));
        for (int x = x1; x <= x2; x++, p += pStep, q += qStep) {
            // Pixels of the outline may lie just outside: held to the grid.
            const int64_t pc = std::clamp<int64_t>(p, 0, last), qc = std::clamp<int64_t>(q, 0, last);
            int64_t fp = pc >> 16, fq = qc >> 16;
            const int64_t over = fp + fq - lastCell; // > 0 only just outside the far side
            if (over > 0) {
                fp = std::max<int64_t>(fp - over, 0);
                fq = lastCell - fp;
            }
            const int64_t upper = ((pc & 0xFFFF) + (qc & 0xFFFF)) >> 16 & int64_t(fp + fq < lastCell);
            const int64_t i = base + stepB * fp + stepC * fq + third * (1 + upper);
            row[x] = HeightPixels[std::clamp<int64_t>(i >> 16, 0, COLOURS - 1)];
        }
    });
}

// A one-pixel line without its end point, as the canvas draws it, written
// straight into the bitmap.
void MeshLine(const Pixels& image, int x1, int y1, int x2, int y2, TColor colour)
{
    const QRgb rgb = ColorToQColor(colour).rgb();
    const int dx = std::abs(x2 - x1), dy = -std::abs(y2 - y1);
    const int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
    int err = dx + dy;
    while (x1 != x2 || y1 != y2) {
        if (x1 >= 0 && y1 >= 0 && x1 < image.width && y1 < image.height)
            image.Row(y1)[x1] = rgb;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x1 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y1 += sy;
        }
    }
}

void DrawTriangle3D(TabCanvas& cv, P3 a, P3 b, P3 c, TColor front, TColor back, TColor line, int mode)
{
    for (P3* p : { &a, &b, &c })
        p->i = std::clamp(p->i, 0.0, 61.0);
    const Pixels px(cv.Image);
    if (mode > 0) {
        const double e = (a.x - c.x) * (b.y - c.y) - (a.y - c.y) * (b.x - c.x);
        if (e < 0) {
            if (mode == 1)
                FillPolygon(px, a, b, c, front);
            else
                FillTriangleShaded(px, a, b, c, mode - 2);
        } else if (e > 0) {
            FillPolygon(px, a, b, c, back);
        }
    }
    MeshLine(px, Round(a.x), Round(a.y), Round(b.x), Round(b.y), line);
}

void DrawOutlinedText(TabCanvas& cv, int x, int y, const QString& text, int flags)
{
    const int w = cv.TextWidth(text), h = cv.TextHeight();
    const int left = x - w / 2, top = y - h / 2;
    TColor dark = 0x000000, light = 0xFFFFFF;
    if (flags & SEL_CORNER) {
        dark = 0x004400;
        light = 0x00DD00;
    } else if (flags) {
        dark = 0x440000;
        light = 0xDD0000;
    }
    if (flags & 8) {
        cv.FontColour = 0x000000;
        cv.TextOut(left, top, text);
        return;
    }
    cv.FontColour = dark;
    cv.TextOut(left, top, text);
    cv.FontColour = light;
    cv.TextOut(left - 1, top - 1, text);
}

// The grid of the surface along one graph axis: positions relative to the
// axis's GraphMin from index first to index last (both included), and the
// range of quad columns.
struct SurfaceAxis {
    double pos[GRID_SIZE] = {};
    int first = 0, last = 0, quadFirst = 0, quadLast = 0, count = 1;

    double& At(int k) { return pos[k + GRID_OFFSET]; }
};

SurfaceAxis BuildAxis(const CAxe& a, bool baseLine)
{
    SurfaceAxis s;
    s.count = std::clamp(a.Count, 1, TAB_MAX_COLS);
    if (!a.UseValues || !a.Values) {
        for (int k = 0; k < s.count; k++)
            s.At(k) = k - a.GraphMin;
        s.first = 0;
        s.last = s.count - 1;
        s.quadFirst = 1;
        s.quadLast = s.count - 1;
        return s;
    }
    for (int k = 0; k < s.count; k++)
        s.At(k) = double(a.Values[k]) - a.GraphMin;
    s.At(-1) = 0;
    s.At(s.count) = double(a.GraphMax) - a.GraphMin;
    s.first = -1;
    s.last = s.count;
    s.quadFirst = 0;
    s.quadLast = s.count;
    if (baseLine) {
        s.At(-2) = 0;
        s.At(-1) = a.Collapsed ? 0 : s.At(0);
        s.first = -2;
        s.quadFirst = -1;
    }
    return s;
}

} // namespace

void TTab::Graph3DProject()
{
    TTabGraph& g = Graph;
    if (!g.AxisA || !g.AxisB || !g.ValueAxis)
        return;
    g.PlotWidth = std::max(1, width() - g.AreaLeft - g.AreaRight - (g.StripWidth + 10) - 10);
    g.PlotHeight = std::max(1, height() - g.AreaTop - g.AreaBottom - 20);
    double aspect = double(g.PlotWidth) / g.PlotHeight;
    double r0[3] = { 1, 0, 0 }, r1[3] = { 0, 1, 0 }, r2[3] = { 0, 0, 1 };
    RotateBasis(0, r0, r1, r2, g.AngleX * PI / 36);
    RotateBasis(1, r0, r1, r2, g.AngleXY * PI / 36);
    RotateBasis(2, r0, r1, r2, g.AngleXYZ * PI / 36);
    for (double* r : { r0, r1, r2 }) {
        const double sum = std::fabs(r[0]) + std::fabs(r[1]) + std::fabs(r[2]);
        for (int i = 0; i < 3; i++)
            r[i] /= sum;
    }
    const double kx = g.PlotHeight / SafeSpan(double(g.AxisA->GraphMax) - g.AxisA->GraphMin);
    const double kv = g.PlotHeight / SafeSpan(double(g.ValueAxis->GraphMax) - g.ValueAxis->GraphMin);
    const double ky = g.PlotHeight / SafeSpan(double(g.AxisB->GraphMax) - g.AxisB->GraphMin);
    double neg0 = 0, neg1 = 0;
    for (int i = 0; i < 3; i++) {
        neg0 += r0[i] < 0 ? -r0[i] : 0;
        neg1 += r1[i] < 0 ? -r1[i] : 0;
    }
    g.OriginX = g.AreaLeft + g.StripWidth + 10;
    g.OffsetX = int(neg0 * g.PlotWidth / aspect);
    g.OriginY = int(height() - g.AreaBottom - 10 - neg1 * g.PlotHeight);
    const double k[3] = { kx, kv, ky };
    for (int i = 0; i < 3; i++) {
        g.M0[i] = k[i] * r0[i];
        g.M1[i] = k[i] * r1[i];
        g.M2[i] = i == 1 ? 0 : k[i] * r2[i];
    }
    g.UnitA = kx;
    g.UnitV = kv;
    g.UnitB = ky;
    BuildHeightColours();
    aspect *= 0.95;
    if (aspect > 0.94 && aspect < 1.06)
        aspect = 1.0;
    g.Aspect = aspect;
    g.PlotLeft = g.AreaLeft;
    g.PlotTop = g.AreaTop;
    g.PlotRight = width() - g.AreaRight - 1;
    g.PlotBottom = height() - g.AreaBottom - 1;
}

void TTab::ProjectPoint3D(double a, double b, double c, double& x, double& y, double& depth) const
{
    const TTabGraph& g = Graph;
    const double px = g.M0[0] * a + g.M0[1] * b + g.M0[2] * c;
    const double py = g.M1[0] * a + g.M1[1] * b + g.M1[2] * c;
    depth = g.M2[0] * a + g.M2[1] * b + g.M2[2] * c;
    x = g.OriginX + (g.OffsetX + px) * g.Aspect;
    y = g.OriginY - py;
}

namespace {

int LabelWanted3D(int mode, int k, int j, int flags, int selCount, const CAxe& ga, const CAxe& gb, int liveK, int liveJ,
    const double heights[GRID_SIZE][GRID_SIZE])
{
    if (mode == 0)
        return 0;
    const bool live = k == liveK && j == liveJ;
    if (mode == 1)
        return live;
    const int ca = std::clamp(ga.Count, 1, TAB_MAX_COLS), cb = std::clamp(gb.Count, 1, TAB_MAX_COLS);
    if (k < 0 || j < 0 || k >= ca || j >= cb)
        return 0;
    if (mode == 3 || live || (flags & SEL_CORNER) || (flags && selCount < 5))
        return 1;
    if ((ga.Collapsed && k != ga.UsedIndex) || (gb.Collapsed && j != gb.UsedIndex))
        return 0;
    const double h = heights[k + GRID_OFFSET][j + GRID_OFFSET];
    bool below = true, above = true;
    const auto neighbour = [&](int kk, int jj) {
        const double n = heights[kk + GRID_OFFSET][jj + GRID_OFFSET];
        below = below && h < n;
        above = above && h > n;
    };
    if (!ga.Collapsed) {
        if (k > 0)
            neighbour(k - 1, j);
        if (k + 1 < ca)
            neighbour(k + 1, j);
    }
    if (!gb.Collapsed) {
        if (j > 0)
            neighbour(k, j - 1);
        if (j + 1 < cb)
            neighbour(k, j + 1);
    }
    return below || above;
}

} // namespace

void TTab::PaintSurface3D(TabCanvas& cv)
{
    TTabGraph& g = Graph;
    if (!Sheet || !g.AxisA || !g.AxisB || !g.ValueAxis)
        return;
    CSheet& sh = *Sheet;
    const CAxe& ga = *g.AxisA;
    const CAxe& gb = *g.AxisB;
    const CAxe& va = *g.ValueAxis;
    const bool swap = sh.Flags & SHEET_SWAP_GRAPH;
    const bool baseSheet = sh.Flags & SHEET_BASE_ADVANCE_LINE;
    const bool baseA = baseSheet && IsRpm(ga) && ga.UseValues;
    const bool baseB = baseSheet && IsRpm(gb) && gb.UseValues;
    SurfaceAxis ax = BuildAxis(ga, baseA), ay = BuildAxis(gb, baseB);

    // Heights and selection flags of the displayed grid.
    static double heights[GRID_SIZE][GRID_SIZE];
    static int16_t flags[GRID_SIZE][GRID_SIZE];
    const auto cellOf = [&](int k, int j) {
        int col = swap ? j : k, row = swap ? k : j;
        if (sh.X.Collapsed)
            col = sh.X.UsedIndex;
        if (sh.Y.Collapsed)
            row = sh.Y.UsedIndex;
        return std::clamp(row, 0, TAB_MAX_ROWS - 1) * TAB_MAX_COLS + std::clamp(col, 0, TAB_MAX_COLS - 1);
    };
    for (int k = ax.first; k <= ax.last; k++) {
        for (int j = ay.first; j <= ay.last; j++) {
            const int kk = std::clamp(k, 0, ax.count - 1), jj = std::clamp(j, 0, ay.count - 1);
            const int idx = cellOf(kk, jj);
            double hgt = double(va.Values[idx]) - va.GraphMin;
            if (va.Scale != 0 && ((baseA && !ga.Collapsed && k < 0) || (baseB && !gb.Collapsed && j < 0)))
                hgt = BaseAdvance / va.Scale - va.GraphMin;
            heights[k + GRID_OFFSET][j + GRID_OFFSET] = hgt;
            flags[k + GRID_OFFSET][j + GRID_OFFSET] = (k == kk && j == jj) ? sh.Sel.CellFlags[idx] : 0;
        }
    }

    double low = va.GraphMin, high = va.GraphMax;
    if (va.ColourByLimits) {
        low = va.Min;
        high = va.Max;
    }
    const double colourSpan = SafeSpan(high - low);

    // The live point in grid positions.
    int liveK = INT_MIN, liveJ = INT_MIN;
    TColor liveColour = sh.LiveState == 1 ? Colours[9] : Colours[10];
    if ((sh.Flags & SHEET_LIVE_MARKER) && (sh.LiveState == 1 || sh.LiveState == 2)) {
        int col = sh.X.Collapsed ? sh.X.UsedIndex : sh.LiveCol == -1 ? -2 : sh.LiveCol;
        int row = sh.Y.Collapsed ? sh.Y.UsedIndex : sh.LiveRow == -1 ? -2 : sh.LiveRow;
        if (swap)
            std::swap(col, row);
        liveK = col;
        liveJ = row;
    }

    cv.FillRect(g.AreaLeft, g.AreaTop, width() - g.AreaRight, height() - g.AreaBottom, Color);
    cv.PenColour = 0x000000;
    cv.PenWidth = 1;
    const double spanA = double(ga.GraphMax) - ga.GraphMin, spanB = double(gb.GraphMax) - gb.GraphMin;
    const double spanV = double(va.GraphMax) - va.GraphMin;
    double ox, oy, od;
    ProjectPoint3D(0, 0, 0, ox, oy, od);
    double ends[3][3];
    ProjectPoint3D(spanA, 0, 0, ends[0][0], ends[0][1], ends[0][2]);
    ProjectPoint3D(0, spanV, 0, ends[1][0], ends[1][1], ends[1][2]);
    ProjectPoint3D(0, 0, spanB, ends[2][0], ends[2][1], ends[2][2]);
    const bool fromTop = std::fabs(ends[1][0] - ox) < 0.001 && std::fabs(ends[1][1] - oy) < 0.001;
    const CAxe* axisOf[3] = { &ga, &va, &gb };
    cv.Painter.setFont(TabFont(8));
    const auto drawAxis = [&](int which) {
        cv.PenColour = 0x000000;
        cv.PenWidth = 1;
        const int x = Round(ends[which][0]), y = Round(ends[which][1]);
        cv.Line(Round(ox), Round(oy), x, y);
        const QString label = QStringFromCp1250(SelectTabText(axisOf[which]->Label));
        const int tw = cv.TextWidth(label), w = std::max(tw + 4, 32);
        cv.Painter.setPen(QPen(QColor(0, 0, 0), 1));
        cv.Painter.setBrush(ColorToQColor(Color));
        cv.Painter.drawRoundedRect(QRect(x - w / 2, y - 8, w, 16), 2, 2);
        cv.FontColour = 0x000000;
        cv.TextOut(x - tw / 2, y - 7, label);
    };
    for (int i = 0; i < 3; i++)
        drawAxis(i);

    const int dirX = ends[0][2] >= od ? 1 : -1, dirY = ends[2][2] >= od ? 1 : -1;
    const bool columnsOuter = std::fabs(ends[0][0] - ox) < std::fabs(ends[2][0] - ox);
    cv.Painter.setFont(TabFont(g.LabelMode <= 2 ? 9 : 7));
    const TColor line = g.DrawMode == 0 ? 0x000000 : 0xFFFFFF;
    const int selCount = sh.Sel.Count;
    const auto quad = [&](int q, int r) {
        struct Corner {
            int k, j;
            double a, h, b;
            P3 p;
            double depth;
        };
        Corner cs[4] = { { q, r - 1 }, { q - 1, r - 1 }, { q - 1, r }, { q, r } };
        double ca = 0, ch = 0, cb = 0;
        for (Corner& c : cs) {
            c.a = ax.At(c.k);
            c.b = ay.At(c.j);
            c.h = heights[c.k + GRID_OFFSET][c.j + GRID_OFFSET];
            ca += c.a / 4;
            ch += c.h / 4;
            cb += c.b / 4;
            ProjectPoint3D(c.a, c.h, c.b, c.p.x, c.p.y, c.depth);
            c.p.i = (c.h + va.GraphMin - low) / colourSpan * 61;
        }
        P3 centre;
        double cd;
        ProjectPoint3D(ca, ch, cb, centre.x, centre.y, cd);
        centre.i = (ch + va.GraphMin - low) / colourSpan * 61;
        // Triangles of two neighbouring corners and the centre, far ones first.
        int tri[4][2] = { { 0, 1 }, { 1, 2 }, { 3, 0 }, { 2, 3 } };
        double depth[4];
        for (int t = 0; t < 4; t++)
            depth[t] = (cs[tri[t][0]].depth + cs[tri[t][1]].depth) / 2;
        for (int pass = 0; pass < 3; pass++)
            for (int t = 0; t + 1 < 4 - pass; t++)
                if (depth[t] > depth[t + 1]) {
                    std::swap(depth[t], depth[t + 1]);
                    std::swap(tri[t], tri[t + 1]);
                }
        for (auto& t : tri) {
            const Corner& c1 = cs[t[0]];
            const Corner& c2 = cs[t[1]];
            const int f1 = flags[c1.k + GRID_OFFSET][c1.j + GRID_OFFSET];
            const int f2 = flags[c2.k + GRID_OFFSET][c2.j + GRID_OFFSET];
            TColor edge = line;
            if (f1 && f2)
                edge = ((f1 | f2) & SEL_CORNER) ? 0x008000 : 0xFF0000;
            DrawTriangle3D(cv, c1.p, c2.p, centre, 0xFF8888, 0xC0C0C0, edge, g.DrawMode);
        }
        for (const Corner& c : cs) {
            const int f = flags[c.k + GRID_OFFSET][c.j + GRID_OFFSET];
            const bool isLive = c.k == liveK && c.j == liveJ;
            const bool wanted = LabelWanted3D(g.LabelMode, c.k, c.j, f, selCount, ga, gb, liveK, liveJ, heights);
            if (!wanted && !isLive)
                continue;
            const double step = va.Step != 0 ? va.Step : 1;
            const QString text = QStringFromCp1250(
                FormatNumber(int32_t(std::floor((c.h + va.GraphMin) / step)), step * va.Scale, "", false));
            const int x = Round(c.p.x), y = Round(c.p.y);
            if (isLive) {
                int radius = 6;
                if (wanted)
                    radius = std::max(7, cv.TextWidth(text) / 2 + cv.TextHeight() / 4 + 2);
                cv.BrushClear = true;
                cv.PenColour = 0xFFFFFF;
                cv.Ellipse(x - radius, y - radius, x + radius + 1, y + radius + 1);
                cv.BrushClear = false;
                cv.PenColour = 0x000000;
                cv.BrushColour = liveColour;
                cv.Ellipse(x - radius + 1, y - radius + 1, x + radius, y + radius);
                if (wanted)
                    DrawOutlinedText(cv, x, y, text, 8);
            } else {
                DrawOutlinedText(cv, x, y, text, f);
            }
        }
    };
    const int qa0 = dirX > 0 ? ax.quadFirst : ax.quadLast, qa1 = dirX > 0 ? ax.quadLast : ax.quadFirst;
    const int qb0 = dirY > 0 ? ay.quadFirst : ay.quadLast, qb1 = dirY > 0 ? ay.quadLast : ay.quadFirst;
    if (ax.quadFirst <= ax.quadLast && ay.quadFirst <= ay.quadLast) {
        if (columnsOuter) {
            for (int q = qa0;; q += dirX) {
                for (int r = qb0;; r += dirY) {
                    quad(q, r);
                    if (r == qb1)
                        break;
                }
                if (q == qa1)
                    break;
            }
        } else {
            for (int r = qb0;; r += dirY) {
                for (int q = qa0;; q += dirX) {
                    quad(q, r);
                    if (q == qa1)
                        break;
                }
                if (r == qb1)
                    break;
            }
        }
    }
    cv.Painter.setFont(TabFont(8));
    if (dirY < 0 || fromTop) {
        drawAxis(0);
        drawAxis(1);
    }
    if (dirX < 0 || fromTop)
        drawAxis(2);

    // The legend strip with its scale and the live value.
    const int sl = g.AreaLeft + 30, sr = g.AreaLeft + 90;
    const int sb = height() - g.AreaBottom, st = g.AreaTop + 45;
    for (int i = 0; i < 61; i++)
        cv.FillRect(sl, sb - (sb - st) * (i + 1) / 61, sr, sb - (sb - st) * i / 61, HeightColours[i]);
    CAxe& vm = *g.ValueAxis;
    if (va.Scale != 0) {
        vm.PickTickRecord(int32_t((high - low) * va.Scale));
        double step = vm.Tick.Step4 / va.Scale;
        vm.PickTickRecord(int32_t((double(g.ValueTop) - va.GraphMin) * va.Scale));
        if (2 * step > high - low)
            step *= 0.2;
        cv.FontColour = 0x808080;
        cv.PenColour = 0x808080;
        const int th = cv.TextHeight();
        int lastY = INT_MAX;
        if (step > 0 && (high - low) / step < 1000) {
            for (double t = low; t <= high + 1e-9; t += step) {
                const int y = sb - int(std::floor((t - low) * (sb - st) / colourSpan + 0.5));
                cv.Line(sl, y, sr, y);
                std::string text = FormatTickLabel(step * va.Scale, t * va.Scale) + (va.Unit[0] ? va.Unit : "%");
                text.resize(std::min<size_t>(text.size(), 63));
                if (y >= lastY - th - 2)
                    continue;
                const QString q = QStringFromCp1250(text);
                cv.TextOut(sl - 5 - cv.TextWidth(q), y - th / 2, q);
                lastY = y;
            }
        }
    }
    if (liveK >= 0 && liveJ >= 0 && liveK < ax.count && liveJ < ay.count) {
        const double cell = va.Values[cellOf(liveK, liveJ)];
        const int y = sb - int(std::floor((cell - low) * (sb - st) / colourSpan + 0.5));
        const double step = va.Step != 0 ? va.Step : 1;
        std::string text
            = FormatNumber(int32_t(std::floor(cell / step)), step * va.Scale, "", false) + (va.Unit[0] ? va.Unit : "%");
        text.resize(std::min<size_t>(text.size(), 63));
        const QString q = QStringFromCp1250(text);
        const int xc = (sl + sr) / 2, tw = cv.TextWidth(q), th = cv.TextHeight();
        cv.FillRect(xc, y - 8, sr + tw + 20, y + 9, 0xFFFFFF);
        cv.PenColour = liveColour;
        const int dx[6] = { 3, 2, 1, 1, 2, 3 }, dy[6] = { -3, -2, -1, 2, 3, 4 };
        for (int i = 0; i < 6; i++)
            cv.Line(xc + dx[i], y + dy[i], sr + 5, y + dy[i]);
        cv.PenColour = 0x000000;
        cv.Line(xc, y, sr + 5, y);
        cv.Line(xc, y + 1, sr + 5, y + 1);
        cv.Line(xc, y, xc + 8, y - 4);
        cv.Line(xc, y + 1, xc + 8, y + 5);
        cv.FontColour = 0x000000;
        cv.TextOut(sr + 10, y - th / 2, q);
    }
    char title[64];
    std::snprintf(title, sizeof title, "X:%i\xB0  XY:%i\xB0  XYZ:%i\xB0", g.AngleX * 5, g.AngleXY * 5, g.AngleXYZ * 5);
    const QString t = QStringFromCp1250(title);
    cv.FontColour = 0x000000;
    const int tx = (g.AreaLeft + g.StripWidth - cv.TextWidth(t)) / 2;
    cv.FillRect(tx, g.AreaTop + 25, tx + cv.TextWidth(t), g.AreaTop + 25 + cv.TextHeight(), Color);
    cv.TextOut(tx, g.AreaTop + 25, t);
}

void TTab::DetectViewPreset()
{
    static const int presets[3][3] = { { -18, 0, 0 }, { -5, 4, 0 }, { -5, 24, 0 } };
    for (int i = 0; i < 3; i++) {
        const int* p = presets[i];
        Buttons[16 + i].Pressed = Graph.AngleX == p[0] && Graph.AngleXY == p[1] && Graph.AngleXYZ == p[2];
    }
}

namespace {

int WrapAngle(int a)
{
    while (a > 36)
        a -= 72;
    while (a < -35)
        a += 72;
    return a;
}

} // namespace

void TTab::Surface3DMouseMove()
{
    TTabGraph& g = Graph;
    if (g.Dragging) {
        const int ax = WrapAngle(g.GrabAngleX - (MouseY - g.GrabY) / 10);
        const int axy = WrapAngle(g.GrabAngleXY + (MouseX - g.GrabX) / 10);
        if (ax != g.AngleX || axy != g.AngleXY) {
            g.AngleX = ax;
            g.AngleXY = axy;
            RedrawBits |= REDRAW_VALUES;
            DetectViewPreset();
        }
        g.HintFlags &= ~1;
    }
    g.HintText.clear();
    if (MouseY <= g.AreaTop + 45)
        return;
    if (MouseX < g.StripWidth - 10) {
        const std::string text = SelectTabText("###Set actual value - mouse wheel##Istwert setzen - "
                                               "Mausrad##Nastav aktuální hodnotu - kolečko myši");
        g.HintText = (g.HintFlags & 2) ? text + "|" + text : "|" + text;
    } else if (MouseX > g.StripWidth + 20) {
        const std::string text = SelectTabText(
            "###Rotate: drag mouse (X, XY) and wheel (XYZ)   \nGraph quality: CTRL+mouse wheel   \nView values: "
            "SHIFT + mouse wheel##Drehen: Ziehen Sie die Maus (X, XY) und Rad (XYZ)  nGraph Qualität: STRG + "
            "Mausrad  nView Werte: SHIFT + Mausrad##Otáčení - tažení myší (X a XY) a kolečkem (XYZ)  \nJemnost "
            "vykreslení grafu: CTRL+kolečko myši   \nZobrazení hodnot: SHIFT+kolečko myši");
        g.HintText = (g.HintFlags & 1) ? text + "|" + text : "|" + text;
    }
}

int TTab::Surface3DMouseDown()
{
    TTabGraph& g = Graph;
    if (MouseX <= g.StripWidth)
        return 0;
    g.Dragging = 1;
    g.GrabX = MouseX;
    g.GrabY = MouseY;
    g.GrabAngleX = g.AngleX;
    g.GrabAngleXY = g.AngleXY;
    return 1;
}

int TTab::Surface3DMouseUp()
{
    Graph.Dragging = 0;
    return 1;
}

int TTab::Surface3DRightDown()
{
    return 0;
}

int TTab::Surface3DWheel(int n)
{
    TTabGraph& g = Graph;
    if (MouseX < g.StripWidth) {
        if (Sheet) {
            TSel& sel = Sheet->Sel;
            const int32_t count = sel.Count;
            sel.Count = 0;
            IncrementSelection(n);
            sel.Count = count;
        }
        g.HintFlags &= ~2;
        return 1;
    }
    if (CtrlDown) {
        g.DrawMode = std::clamp(g.DrawMode + n, 0, 5);
        RedrawBits |= REDRAW_RENDER;
    } else if (ShiftDown) {
        g.LabelMode = std::clamp(g.LabelMode + n, 0, 3);
        RedrawBits |= REDRAW_RENDER;
    } else {
        g.AngleXYZ = WrapAngle(g.AngleXYZ + n);
        DetectViewPreset();
        RedrawBits |= REDRAW_VALUES;
    }
    g.HintFlags &= ~1;
    return 1;
}

int TTab::Surface3DKey(int character)
{
    if (character != KEY_SPACE || !Sheet)
        return 0;
    Graph.LabelMode = (Graph.LabelMode + 1) % 4;
    RedrawBits |= REDRAW_VALUES;
    return 1;
}
