#pragma once
// A small reader of rich text (RTF) as word processors write it for short
// formatted notes: paragraphs, line breaks, tabs, bold, italic, underline,
// font size and colour. Everything else is dropped; font tables, pictures and
// the destinations marked \* are skipped. No widget is involved: the rich
// edit lays the runs into its document.

#include <string>
#include <string_view>
#include <vector>

// Groups nested deeper than this are read as text-free.
inline constexpr int RTF_MAX_DEPTH = 64;

struct RtfRun {
    // '\n' ends a paragraph, U+2028 breaks a line, '\t' is a tab.
    std::u16string text;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int halfPoints = 0; // \fs: the font size in half points, 0 when not given
    int colour = -1; // 0xRRGGBB from the colour table, -1 for the default
};

// Neighbouring runs of the same format are joined. 8-bit text and \'hh are
// Windows-1250; \uN gives a UTF-16 unit and skips the \ucN stand-in characters.
std::vector<RtfRun> ParseRtf(std::string_view rtf);

// A text counts as RTF when it holds "{\rtf1" anywhere.
bool IsRtfText(std::string_view text);
