// Reads the input as rich text; the runs never hold more characters than the
// input has bytes.
#include "platform/rtf.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    size_t total = 0;
    for (const RtfRun& run : ParseRtf(text)) {
        if (run.text.empty() || run.halfPoints < 0 || run.colour > 0xFFFFFF)
            std::abort();
        total += run.text.size();
    }
    if (total > size)
        std::abort();
    return 0;
}
