#pragma once
// Graph steps shared by the pages' map tables: span limit, then the four steps.

#include "mapedit/sheet.h"

// Engine speed in hundreds of rpm, shown in rpm.
inline constexpr TickRecord RPM_AXIS_TICKS[] = {
    { 4000, 2000, 1000, 200, 1000 },
    { 10000, 2000, 1000, 500, 1000 },
    { 25000, 2000, 1000, 1000, 2000 },
    {},
};
