#include "image/selfcheck.h"

std::vector<std::string> SelfCheckMessages(const LayoutTables& layout)
{
    std::vector<std::string> messages;
    for (const CellEnumeration& e : layout.enumerations)
        if (const int excess = EnumerationExcess(e.runs, e.areaFirst, e.areaCount); excess > 0)
            messages.push_back(std::string("Software error: Enum ") + e.name + " to long - " + std::to_string(excess));
    for (int width : layout.bitFieldWidths)
        if (width > MAX_BIT_FIELD_WIDTH)
            messages.push_back("Software error: More then 8 bits in bitfield - " + std::to_string(width));
    if (layout.imageLength > layout.linkBufferLength)
        messages.push_back("Software error: RS_LEN_EXE>COMMAXBUF - " + std::to_string(layout.imageLength) + ">"
            + std::to_string(layout.linkBufferLength));
    return messages;
}
