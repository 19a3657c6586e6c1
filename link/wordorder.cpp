#include "link/wordorder.h"

#include <algorithm>
#include <utility>

void SwapWordBytes(uint8_t* buffer, int first, int last, int rangeStart, int rangeEnd)
{
    if (!buffer)
        return;
    if (rangeStart >= 0)
        first = std::max(first, (rangeStart + 1) / 2);
    if (rangeEnd >= 0)
        last = std::min(last, rangeEnd / 2 - 1);
    for (int k = std::max(first, 0); k <= last; ++k)
        std::swap(buffer[2 * k], buffer[2 * k + 1]);
}
