#pragma once
// Colours of the map editor are Windows colour values 0x00BBGGRR.

#include <cstdint>

using TColor = uint32_t;
