#include "monitor/gaugescale.h"

#include <cmath>

double GaugeTickCount(int lengthPx)
{
    double n = lengthPx / 5;
    if (n > 10)
        n = (n - 10) * 0.5 + 10;
    if (n > 20)
        n = 20;
    return n;
}

double ScaleStep(double span, double ticks)
{
    // A range read from a file or the image may be inverted or empty, and a
    // gauge may be narrower than one tick: such a scale would never settle.
    if (!(span > 0) || !(ticks >= 1) || !std::isfinite(span))
        return 0;
    // Doubles span about 630 decades; no valid range needs more steps.
    constexpr int MAX_STEPS = 700;
    double m = 1;
    for (int i = 0; i < MAX_STEPS && 0.1 * ticks > span; ++i) {
        span *= 10;
        m *= 10;
    }
    for (int i = 0; i < MAX_STEPS && span > ticks; ++i) {
        span *= 0.1;
        m *= 0.1;
    }
    if (span > ticks * 0.5)
        m *= 0.5;
    return m;
}
