// Reads the input as clipboard text in every way a map table pastes it: the
// plain grid, the sheet text with its key lines, and the value editor's text.
#include "mapedit/clipgrid.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto checkCounts = [size](const std::vector<ClipNumber>& numbers) {
        if (numbers.size() > size)
            std::abort();
    };
    checkCounts(ParseClipGrid(text));
    const SheetClipKeys keys = ReadSheetClipKeys(text);
    if (keys.GridStart > size)
        std::abort();
    checkCounts(ParseSheetGrid(text, keys.GridStart));
    if (CleanEditorPaste(text).size() > size)
        std::abort();
    for (const ClipNumber& n : ParseClipGrid(text))
        ClipToRaw(n.Value, 0.1, 100);
    return 0;
}
