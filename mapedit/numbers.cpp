#include "mapedit/numbers.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

int32_t RoundHalfAway(double r)
{
    r = r > 0 ? r + 0.5 : r < 0 ? r - 0.5 : r;
    if (!(r > double(INT32_MIN)))
        return INT32_MIN;
    if (!(r < double(INT32_MAX)))
        return INT32_MAX;
    return int32_t(r);
}

double Weight(double at, double from, double to)
{
    return to == from ? 0.5 : (at - from) / (to - from);
}

double Mix(double u, double v, int32_t z00, int32_t z01, int32_t z10, int32_t z11)
{
    return u * (v * z11 + (1 - v) * z10) + (1 - u) * (v * z01 + (1 - v) * z00);
}

} // namespace

std::string FormatNumber(int32_t raw, double scale, const char* unit, bool showUnit)
{
    int decimals = 0;
    if (scale < 1) {
        // A zero scale has no sensible precision; nine places show anything it gives.
        double d = std::trunc(0.99 - std::log10(std::fabs(scale)));
        decimals = std::isfinite(d) ? int(std::clamp(d, 0.0, 9.0)) : 9;
    }
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, raw * scale);
    std::string text = buf;

    size_t digits = (!text.empty() && text[0] == '-') ? 1 : 0;
    size_t point = text.find('.');
    size_t end = point == std::string::npos ? text.size() : point;
    for (size_t at = end; at >= digits + 4; at -= 3)
        text.insert(at - 3, 1, ' ');

    point = text.find('.');
    if (point != std::string::npos) {
        size_t last = text.find_last_not_of('0');
        text.erase(last + 1);
        if (text.back() == '.')
            text.pop_back();
    }
    if (unit && showUnit) {
        text += ' ';
        text += unit;
    }
    return text;
}

int32_t InterpolateBilinear(int32_t x, int32_t y, int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t z00,
    int32_t z01, int32_t z10, int32_t z11)
{
    double u = std::clamp(Weight(x, x0, x1), 0.0, 1.0);
    double v = std::clamp(Weight(y, y0, y1), 0.0, 1.0);
    return RoundHalfAway(Mix(u, v, z00, z01, z10, z11));
}

void InterpolateBlock(int32_t* table, int stride, const int32_t* xs, const int32_t* ys, int c0, int r0, int c1, int r1)
{
    if (c0 < 0 || r0 < 0 || c1 < 0 || r1 < 0)
        return;
    const int32_t z00 = table[r0 * stride + c0], z10 = table[r0 * stride + c1];
    const int32_t z01 = table[r1 * stride + c0], z11 = table[r1 * stride + c1];
    for (int c = c0; c <= c1; c++) {
        double u = xs ? Weight(xs[c], xs[c0], xs[c1]) : Weight(c, c0, c1);
        for (int r = r0; r <= r1; r++) {
            double v = ys ? Weight(ys[r], ys[r0], ys[r1]) : Weight(r, r0, r1);
            table[r * stride + c] = RoundHalfAway(Mix(u, v, z00, z01, z10, z11));
        }
    }
}
