#include "platform/colors.h"

#include <algorithm>
#include <cmath>

namespace {

// A product truncated toward zero, held inside the int32 range so that odd
// factors cannot overflow the conversion.
int64_t ScaledChannel(uint32_t value, double factor)
{
    const double product = std::trunc(double(value) * factor);
    if (std::isnan(product))
        return 0;
    return int64_t(std::clamp(product, -2147483648.0, 2147483647.0));
}

} // namespace

uint32_t ScaleColor(uint32_t colour, double red, double green, double blue)
{
    const int64_t r = ScaledChannel(colour & 0xFF, red);
    const int64_t g = ScaledChannel((colour >> 8) & 0xFF, green);
    const int64_t b = ScaledChannel((colour >> 16) & 0xFF, blue);
    return uint32_t(b * 65536 + g * 256 + r);
}
