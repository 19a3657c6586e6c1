// A monitor set comes from whatever file the user opens, and monitor.ini is
// read at start. Whatever it holds, the reader either refuses it or hands out
// records of known kinds, texts matching the text records and pictures that
// are whole BMP files inside the input.
#include "monitor/monitorset.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    MonitorSet set;
    const int result = DecodeMonitorSet({ data, size }, set);
    if (result == setread::BadFormat && !set.items.empty())
        __builtin_trap();
    size_t used = MONSET_HEADER_LEN + set.items.size() * MONSET_ITEM_LEN;
    for (const MonitorSetText& text : set.texts)
        used += 8 + text.text.size() + 1;
    for (const MonitorSetPicture& picture : set.pictures) {
        if (picture.bmp.size() < MONSET_MIN_BMP || picture.bmp[0] != 'B' || picture.bmp[1] != 'M')
            __builtin_trap();
        used += 4 + picture.bmp.size();
    }
    if (result != setread::BadFormat && used > size)
        __builtin_trap();
    if (result == setread::Ok) {
        // What was read writes back to the same leading bytes.
        const std::vector<uint8_t> again = EncodeMonitorSet(set);
        if (again.size() > size)
            __builtin_trap();
    }
    return 0;
}
