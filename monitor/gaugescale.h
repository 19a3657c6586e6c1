#pragma once
// The scale arithmetic of the monitor's gauges, kept apart from drawing so
// that its limits can be checked on their own.

// Number of scale ticks a gauge of `lengthPx` pixels has room for: one per
// 5 pixels, growing at half the rate beyond 10 and never more than 20.
double GaugeTickCount(int lengthPx);

// The scale factor m of a range `span` wide with room for `ticks` ticks: the
// scale has a tick every 1/m value units, at most `ticks` of them, at steps
// of 1, 2 or 5 times a power of ten. Returns 0 when there is nothing to scale
// (an empty or inverted range, or no room for a tick).
double ScaleStep(double span, double ticks);
