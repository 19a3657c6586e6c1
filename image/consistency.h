#pragma once
// The consistency pass: brings the edited image into a state the unit
// accepts. It caps single settings, keeps pairs in order, makes the
// breakpoint axes strictly monotonic inside their ranges, works out the
// derived synchronisation values, gives unused CAN identifiers their default,
// fills the unused map columns and repairs the language index. It runs over
// the whole image every time, silently, and a second run changes nothing.

#include "image/rsimage.h"

// Modes of the run primitives. SIGNED added to a direction reads the cells as
// two's complement; any mode of 99 or more counts as SIGNED + (mode - 100).
constexpr int FALLING = -1;
constexpr int FLAT = 0;
constexpr int RISING = 1;
constexpr int SIGNED = 100;

// Bounds the run of count bytes at offset + index. Position i of n + 1 cells
// lies within low + i .. high - (n - i) when rising, low + (n - i) .. high - i
// when falling, low .. high when flat; where the two bounds cross the upper
// one wins. A rising run is then made strictly increasing (a cell not above
// its predecessor becomes predecessor + 1), a falling one strictly decreasing.
// Values are stored as their low 8 bits.
void ConstrainBytes(RsImage& image, int mode, int offset, int index, int low, int high, int count);
// The same on words, with the bounds and the repair spaced by step. A cell
// above its predecessor by less than step stays: only the order is repaired.
void ConstrainWords(RsImage& image, int mode, int offset, int index, int low, int high, int count, int step);

// Rows of rowLength cells from offset on: in each of the rows, the columns
// from used on become copies of column used - 1 (used is at least 1).
void FillByteColumns(RsImage& image, int offset, int rowLength, int used, int rows);
void FillWordColumns(RsImage& image, int offset, int rowLength, int used, int rows);

// The whole pass over the edited image. It also repairs the language index:
// LangIndex other than 1 or 2 becomes 0.
void NormalizeParameterImage(RsImage& PcImage);
