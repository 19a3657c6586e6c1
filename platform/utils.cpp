#include "platform/utils.h"

#include "platform/object.h"

#include <algorithm>
#include <cstring>
#include <string>

const char* ShortClassName(const TObject* object)
{
    static std::string name;
    name.clear();
    if (object) {
        const char* full = object->ClassName();
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
