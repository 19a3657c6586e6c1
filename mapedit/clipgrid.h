#pragma once
// Reading numbers out of clipboard texts, without widgets: the plain grid of
// spreadsheets and text editors (tab or blank separated, or C-style braces),
// the grid of the program's own sheet text with its key lines, and the text
// typed into the value editor. Texts are 8-bit; a zero byte ends them.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A number found at (Col, Row), counted from the start of the grid.
struct ClipNumber {
    int32_t Col = 0, Row = 0;
    double Value = 0;
};

// Plain text: braces when the text holds a "{" (parsing starts there), else
// tabs and line feeds, with runs of blanks after a line's first number as
// column breaks and a blank before exactly three digits as a digit group.
// Columns and rows start at 0.
std::vector<ClipNumber> ParseClipGrid(std::string_view text);

// The key lines of a sheet text and where its grid starts.
struct SheetClipKeys {
    std::string LabelX, LabelY, LabelData;
    int32_t SizeX = 0, SizeY = 0;
    // 'X' or 'Y' when the sender had that axis collapsed, else 0.
    char OnlyXY = 0;
    size_t GridStart = 0;
};
SheetClipKeys ReadSheetClipKeys(std::string_view text);

// The grid of a sheet text from keys.GridStart: the corner is (-1, -1), the X
// breakpoints are row -1 and the Y breakpoints column -1.
std::vector<ClipNumber> ParseSheetGrid(std::string_view text, size_t start);

// Text pasted into the value editor: commas become points, only digits,
// "-", "." and blanks remain, and it ends at the first tab or line feed.
std::string CleanEditorPaste(std::string_view text);

// A pasted display value x as a raw value: x / scale rounded half away from
// zero and held to the int32 range; 0 for a zero scale or a number that is
// not finite. With a maximum above 0, a value beyond 5 x that maximum is
// taken as thousandths.
int32_t ClipToRaw(double x, double scale, int32_t thousandthsAbove = 0);

// A finished copy text in the Czech interface: every "." becomes ",".
void UseDecimalComma(std::string& text);
