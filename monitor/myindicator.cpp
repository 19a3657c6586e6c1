#include "monitor/myindicator.h"

#include "monitor/gaugescale.h"
#include "monitor/valuedefs.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace {

constexpr TColor SILVER = 0xC0C0C0;
// Labels of a small dial keep to this size.
constexpr int SMALL_LABEL_SIZE = 8;

TColor StateColour(int flags)
{
    TColor c = clWhite;
    if (flags & defflag::High)
        c = clYellow;
    if (flags & defflag::Limiting)
        c = clFuchsia;
    if (flags & defflag::Alarm)
        c = clRed;
    return c;
}

} // namespace

// What a paint has worked out before it draws.
struct CMyIndicator::Look {
    double min;
    double max;
    double v; // the value drawn, within the range
    double ticks;
    double m; // scale factor; 0 when the dial has no scale
    int length; // the dial's smaller side
    TColor state;
    TColor line;
    TColor fill;
};

CMyIndicator::CMyIndicator()
{
    minh = 4;
    minw = 10;
    ColorMk = clRed;
    kind = widgetkind::Gauge;
}

void CMyIndicator::Paint()
{
    if (!canvas || !HasArea())
        return;
    const ValueDef& d = *s;
    // A style from a file may be anything; what is not known is a bar.
    const int style = Style == VerticalBar || Style == Dial ? Style : HorizontalBar;
    const float z = zoom;
    Look look {};
    look.min = d.min;
    look.max = d.max;
    // An empty or inverted range has no place for a value.
    if (!(look.max - look.min > 0))
        return;
    look.v = MonitorHasValues ? std::clamp(d.value, look.min, look.max) : look.min;
    int length = style == HorizontalBar ? Width - 2 : style == VerticalBar ? Height - 2 : (Height + Width) / 2 * 4;
    length = int(float(length) * z);
    look.ticks = GaugeTickCount(length);
    look.length = std::min(Scaled(Height), Scaled(Width));
    look.m = ScaleStep(look.max - look.min, look.ticks);
    look.state = StateColour(d.flags);
    look.line = d.flags == 0 ? SILVER : clBlack;
    look.fill = d.flags == 0 ? BlendColor(TextColor, clWhite) : ColorMk;

    TCanvas& c = *canvas;
    const int savedSize = c.Font.Size();
    c.Brush.Style = bsSolid;
    c.Pen.Style = psSolid;
    if (style == Dial)
        PaintDial(look);
    else
        PaintBar(look, style);
    c.Pen.Width = 1;
    c.Brush.Style = bsSolid;
    c.Brush.Color = clWhite;
    c.Font.SetSize(savedSize);
    c.Font.SetColor(clBlack);
    CMyObj::Paint();
}

void CMyIndicator::PaintBar(const Look& k, int style)
{
    TCanvas& c = *canvas;
    const float z = zoom;
    c.Pen.Color = k.line;
    c.Brush.Color = k.state;
    if (s->displayKind == defkind::Number || !MonitorHasValues)
        c.Rectangle(Scaled(Left), Scaled(Top), Scaled(Left + Width), Scaled(Top + Height));
    const double share = (k.v - k.min) / (k.max - k.min);
    if (style == HorizontalBar) {
        const int p = MonitorHasValues ? int(share * (Width * z - 2)) : 2;
        const int x = int(Left * z + 1 + p);
        const int y1 = int(Top * z + 1), y2 = int((Top + Height) * z - 1);
        if (k.state == clWhite) {
            c.Pen.Color = k.fill;
            c.Brush.Color = k.fill;
            c.Rectangle(int(Left * z + 1), y1, x, y2);
        } else {
            c.Pen.Color = clBlack;
            c.MoveTo(x, y1);
            c.LineTo(x, y2);
        }
    } else {
        const int p = MonitorHasValues ? int(share * (Height * z - 2)) : 2;
        const int bottom = int((Top + Height) * z - 1);
        const int x1 = int(Left * z + 1), x2 = int((Left + Width) * z - 1);
        if (k.state == clWhite) {
            c.Pen.Color = k.fill;
            c.Brush.Color = k.fill;
            c.Rectangle(x1, bottom - p, x2, bottom);
        } else {
            c.Pen.Color = clBlack;
            c.MoveTo(x1, bottom - p);
            c.LineTo(x2, bottom - p);
        }
    }
}

void CMyIndicator::PaintDial(const Look& k)
{
    using std::numbers::pi;
    TCanvas& c = *canvas;
    const float z = zoom;
    const int cx = Scaled(Left + Width / 2), cy = Scaled(Top + Height / 2);
    const int pw = k.length / 50;
    const int rx = (Scaled(Width) - pw) / 2, ry = (Scaled(Height) - pw) / 2;
    c.Pen.Color = k.line;
    c.Font.SetColor(k.line);
    c.Brush.Color = k.state;
    c.Pen.Width = pw;
    c.Ellipse(cx - rx, cy - ry, cx + rx, cy + ry);

    const double aspect = rx != 0 ? double(ry) / rx : 1.0;
    const double R = rx;
    const double Ri = std::min(0.9 * R, R - 3);
    c.Brush.Style = bsClear;
    const auto angle = [&](double u) { return 5 * pi / 4 - 3 * pi / 2 * (u - k.min) / (k.max - k.min); };
    const auto point = [&](double r, double a) {
        return TPoint { cx + int(std::cos(a) * r), cy - int(std::sin(a) * r * aspect) };
    };

    if (k.m > 0) {
        const double m = k.m;
        const int fs = std::min(int(Width * z * 0.04), int(Height * z / 15));
        const double middle = (k.max + k.min) / 2;
        for (int i = 0; i < k.ticks; ++i) {
            const double t = k.min * m + i;
            const double label = t / m;
            const double tick = std::floor(t + 0.5) / m;
            if (tick > k.max)
                break;
            const double a = angle(tick);
            const TPoint outer = point(R, a), inner = point(Ri, a);
            c.MoveTo(outer.X, outer.Y);
            c.LineTo(inner.X, inner.Y);

            int size = fs;
            if (fs <= 2) {
                continue;
            } else if (fs <= 6) {
                const bool first = i == 0;
                const bool last = k.max * m < label * m + 0.5;
                const bool centre = label - 0.5 / m < middle && middle < label + 0.5 / m;
                if (!first && !last && !centre)
                    continue;
                size = SMALL_LABEL_SIZE;
            }
            c.Font.SetSize(size);
            char text[64];
            std::snprintf(text, sizeof text, m > 10 ? "%.2f" : m > 1 ? "%.1f" : "%.0f", label);
            const int w = c.TextWidth(text), h = c.TextHeight(text);
            const double tn = std::tan(a);
            double ox, oy;
            if (std::abs(tn) < 0.01) {
                ox = -std::cos(a) * (w / 2 + 2);
                oy = -std::sin(a) * (w / 2 + 2);
            } else if (std::abs(tn) > 100) {
                ox = -std::cos(a) * (h / 2 + 2);
                oy = -std::sin(a) * (h / 2 + 2);
            } else {
                double dxA = w / 2 + 4;
                if (std::cos(a) > 0)
                    dxA = -dxA;
                double dyB = h / 2 + 1;
                if (std::sin(a) > 0)
                    dyB = -dyB;
                const double ax = dxA, ay = tn * dxA, bx = dyB / tn, by = dyB;
                const bool takeB = std::abs(bx) < std::abs(ax) || std::abs(by) < std::abs(ay);
                ox = takeB ? bx : ax;
                oy = takeB ? by : ay;
            }
            c.TextOut(int(inner.X + ox - w / 2), int(inner.Y - oy - h / 2), text);
        }
    }

    // The needle: thick up to half its length, thinner beyond.
    c.Brush.Style = bsSolid;
    c.Pen.Color = k.state != clWhite ? clBlack : k.fill;
    const int nw = k.length / 12;
    const double Rn = std::min(0.85 * R, R - 3);
    const double half = Rn * 0.5;
    const double a = angle(k.v);
    const TPoint tail = point(-2.0 * nw, a), mid = point(half, a), tip = point(Rn, a);
    c.MoveTo(tail.X, tail.Y);
    c.Pen.Width = nw;
    c.LineTo(mid.X, mid.Y);
    c.Pen.Width = 1;
    c.MoveTo(mid.X, mid.Y);
    c.Pen.Width = nw / 2;
    c.LineTo(tip.X, tip.Y);

    c.Pen.Width = 0;
    c.Pen.Color = k.state;
    c.Brush.Color = k.state;
    c.Ellipse(tail.X - nw, tail.Y - nw, tail.X + nw, tail.Y + nw);

    const TColor hub = s->flags == 0 ? SILVER : clBlack;
    c.Pen.Color = hub;
    c.Brush.Color = hub;
    const int hk = nw / 3;
    c.Ellipse(cx - hk, cy - hk, cx + hk, cy + hk);
}
