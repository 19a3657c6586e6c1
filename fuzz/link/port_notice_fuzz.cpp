// Port notice lines come from any program of the same user.
#include "link/portnoticeline.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view line(reinterpret_cast<const char*>(data), size);
    if (auto notice = ParsePortNotice(line)) {
        std::string back = FormatPortNotice(*notice);
        back.pop_back();
        if (!(ParsePortNotice(back) == notice))
            __builtin_trap();
    }
    return 0;
}
