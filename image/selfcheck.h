#pragma once
// The start-up check that the tables the program addresses its cells with
// fit the areas they index: the word and byte cells of the parameter image,
// the words and bytes of the live block, the bit fields of the state bytes,
// and the image inside the link's buffers. With a sound layout it says
// nothing; each misfit becomes one message for the main window to show.
//
// The checks are constexpr, so a table known at compile time is checked by
// a static_assert where it is declared as well.

#include <algorithm>
#include <span>
#include <string>
#include <vector>

// Cells first .. first + count - 1 of an enumeration.
struct CellSpan {
    int first;
    int count;
};

// How far the runs reach past the area of cells areaFirst .. areaFirst +
// areaCount - 1 (0 or less: they fit).
constexpr int EnumerationExcess(std::span<const CellSpan> runs, int areaFirst, int areaCount)
{
    int end = areaFirst;
    for (const CellSpan& run : runs)
        end = std::max(end, run.first + run.count);
    return end - (areaFirst + areaCount);
}

// The width of a bit field whose bits are listed: the highest bit + 1.
constexpr int BitFieldWidth(std::span<const int> bits)
{
    int width = 0;
    for (int bit : bits)
        width = std::max(width, bit + 1);
    return width;
}

constexpr int MAX_BIT_FIELD_WIDTH = 8;

struct CellEnumeration {
    const char* name;
    std::vector<CellSpan> runs;
    int areaFirst;
    int areaCount;
};

struct LayoutTables {
    // Adrw, Adrb, Monw, Monb: the word and byte cells of the image, the
    // words and bytes of the live block.
    std::vector<CellEnumeration> enumerations;
    std::vector<int> bitFieldWidths;
    int imageLength; // RS_LEN_EXE
    int linkBufferLength; // COMMAXBUF
};

// The messages of every failing check, in the order the checks run.
std::vector<std::string> SelfCheckMessages(const LayoutTables& layout);
