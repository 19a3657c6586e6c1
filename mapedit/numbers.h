#pragma once
// Number texts and interpolation shared by every view of a map table.

#include <cstdint>
#include <string>

// raw * scale as shown to the user: decimals from the scale, a blank between
// digit groups, trailing zeros cut, " unit" appended when asked.
std::string FormatNumber(int32_t raw, double scale, const char* unit, bool showUnit);

// Bilinear value at (x, y) from the corners zab = z(xa, yb); weights are held
// to 0..1 (0.5 over a zero span) and the result is rounded half away from zero.
int32_t InterpolateBilinear(int32_t x, int32_t y, int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t z00,
    int32_t z01, int32_t z10, int32_t z11);

// Rewrites the block (c0, r0)-(c1, r1) of a table with row stride `stride` as
// the bilinear mix of its four corners, placed by the column and row
// positions when given, else by index.
void InterpolateBlock(int32_t* table, int stride, const int32_t* xs, const int32_t* ys, int c0, int r0, int c1, int r1);
