#include "image/selfcheck.h"

#include "image/rsimage.h"

LayoutConstants ThisBuildLayout()
{
    // The cell enumerations and bit fields are kept by the image and live-block
    // code; each entry here states how that code's declarations fit their area.
    // Today every enumeration ends exactly at its area and every bit field is
    // one byte wide.
    return LayoutConstants {
        { { { "Adrw", 0 }, { "Adrb", 0 }, { "Monw", 0 }, { "Monb", 0 } } },
        { 8, 8, 8, 8, 8, 8, 8 },
        RS_LEN_EXE,
        COMMAXBUF,
    };
}

std::vector<std::string> SelfCheckMessages(const LayoutConstants& layout)
{
    std::vector<std::string> messages;
    for (const auto& e : layout.enumerations)
        if (e.excess > 0)
            messages.push_back(
                std::string("Software error: Enum ") + e.name + " to long - " + std::to_string(e.excess));
    for (int width : layout.bitFieldWidths)
        if (width > 8)
            messages.push_back("Software error: More then 8 bits in bitfield - " + std::to_string(width));
    if (layout.imageLength > layout.linkBufferLength)
        messages.push_back("Software error: RS_LEN_EXE>COMMAXBUF - " + std::to_string(layout.imageLength) + ">"
            + std::to_string(layout.linkBufferLength));
    return messages;
}
