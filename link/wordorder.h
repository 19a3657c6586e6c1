#pragma once
// The byte order of the words the unit keeps high byte first.

#include <cstdint>

// Swaps the two bytes of every 16-bit word k (bytes 2k and 2k + 1) from word
// `first` to word `last` inclusive. A `rangeStart` of 0 or more and a
// `rangeEnd` of 0 or more narrow the words to those lying wholly inside the
// byte range [rangeStart, rangeEnd); -1 leaves that side open.
void SwapWordBytes(uint8_t* buffer, int first, int last, int rangeStart, int rangeEnd);
