#include "app/utils.h"

#include "platform/cp1250.h"
#include "platform/dialogs.h"

#include <QObject>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
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

int MessageBoxFlagged(const char* text, const char* caption, unsigned type)
{
    return Dialogs().MessageBox(QStringFromCp1250(text ? text : ""), QStringFromCp1250(caption ? caption : ""), type);
}

int ErrorBox(const char* text, unsigned type)
{
    return MessageBoxFlagged(text, "Error", (type & ~unsigned(MB_ICONMASK)) | MB_ICONERROR);
}

const char* ShortClassName(const QObject* object)
{
    static std::string name;
    name.clear();
    if (object) {
        const char* full = object->metaObject()->className();
        if (full[0])
            name = full + 1;
    }
    return name.c_str();
}

char* CopyBounded(char* destination, const char* destinationEnd, const char* source, const char* sourceEnd)
{
    if (!destination || !source)
        return destination;
    size_t length = sourceEnd ? size_t(std::max<std::ptrdiff_t>(sourceEnd - source, 0)) : std::strlen(source);
    if (destinationEnd) {
        if (destinationEnd <= destination)
            return destination;
        length = std::min(length, size_t(destinationEnd - destination - 1));
    }
    std::memmove(destination, source, length);
    destination[length] = 0;
    return destination + length;
}

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
