#include "monitor/livetext.h"

#include <cstdarg>
#include <cstdio>

namespace {
constexpr const char* NO_VALUE = "---";
}

std::string FormatText(const char* format, ...)
{
    char buffer[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    return buffer;
}

std::string LiveText::Int(int value, const char* format) const
{
    if (!present_)
        return NO_VALUE;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format ? format : "%i", value);
    return buffer;
}

std::string LiveText::Scaled(int value, int divisor, const char* format) const
{
    if (!present_)
        return NO_VALUE;
    const double shown = double(value) / divisor;
    char buffer[64];
    if (format) {
        std::snprintf(buffer, sizeof buffer, format, shown);
    } else {
        int decimals = 0;
        for (int d = divisor; d >= 10 && d % 10 == 0; d /= 10)
            ++decimals;
        std::snprintf(buffer, sizeof buffer, "%.*f", decimals, shown);
    }
    return buffer;
}

std::string LiveText::WordScaled(int k, int divisor, int offset) const
{
    return Scaled(int(block_.W(k)) - divisor * offset, divisor);
}

std::string LiveText::Bit(int k, int n, int slotA, int slotB) const
{
    if (!present_)
        return NO_VALUE;
    return Slot(BitSet(k, n) ? slotA : slotB);
}
