#include "mapedit/clipgrid.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Cell {
    int col, row;
    double value;
    bool operator==(const Cell&) const = default;
};

std::vector<Cell> Cells(const std::vector<ClipNumber>& numbers)
{
    std::vector<Cell> out;
    for (const ClipNumber& n : numbers)
        out.push_back({ n.Col, n.Row, n.Value });
    return out;
}

} // namespace

TEST(ClipGrid, PasteDialects)
{
    struct Case {
        const char* text;
        std::vector<Cell> cells;
    };
    const Case cases[] = {
        { "1 234", { { 0, 0, 1234 } } },
        { "100 200 300", { { 0, 0, 100200300 } } },
        { "1  2   3", { { 0, 0, 1 }, { 1, 0, 2 }, { 2, 0, 3 } } },
        { "  7 8\n9", { { 0, 0, 7 }, { 1, 0, 8 }, { 0, 1, 9 } } },
        { "1\t\t3\n4\t5", { { 0, 0, 1 }, { 2, 0, 3 }, { 0, 1, 4 }, { 1, 1, 5 } } },
        { "12,5\t-0.25\r\n", { { 0, 0, 12.5 }, { 1, 0, -0.25 } } },
        // a blank after a tab is no column break; trailing blanks add no column
        { "1\t 234 \n5", { { 0, 0, 1 }, { 1, 0, 234 }, { 0, 1, 5 } } },
        { "{1,2,3},{4,5,6}", { { 0, 0, 1 }, { 1, 0, 2 }, { 2, 0, 3 }, { 0, 1, 4 }, { 1, 1, 5 }, { 2, 1, 6 } } },
        { "int m[] = {{1, 2}, {3, 4}};", { { 0, 0, 1 }, { 1, 0, 2 }, { 0, 1, 3 }, { 1, 1, 4 } } },
        // braces keep commas as separators, so no decimal comma there
        { "{1,5}", { { 0, 0, 1 }, { 1, 0, 5 } } },
        { "abc\tx\tRPM 3", { { 2, 0, 3 } } },
        { "", {} },
    };
    for (const Case& c : cases)
        EXPECT_EQ(Cells(ParseClipGrid(c.text)), c.cells) << c.text;
}

TEST(ClipGrid, NumbersAreCutAt64CharactersAndTheTextAtItsZeroByte)
{
    const std::string longNumber = "1" + std::string(80, '0');
    const auto numbers = ParseClipGrid(longNumber);
    ASSERT_EQ(numbers.size(), 1u);
    EXPECT_DOUBLE_EQ(numbers[0].Value, 1e63);
    EXPECT_EQ(Cells(ParseClipGrid(std::string("1\t2\0\t3", 5))), (std::vector<Cell> { { 0, 0, 1 }, { 1, 0, 2 } }));
}

TEST(ClipGrid, SheetTextKeysAndGrid)
{
    const std::string caption(200, 'c');
    const std::string text = "Label:\t" + caption
        + "\nLabelX:\tRPM\nLabelY:\tTP\nLabelData:\tADV\nSizeX:\t3\nSizeY:\t2\nOnlyXY:\tY\n"
          "\t1 000\t2 000\t3 000\n10\t1\t2\t3\n20\t4\t5\t6,5";
    const SheetClipKeys keys = ReadSheetClipKeys(text);
    EXPECT_EQ(keys.LabelX, "RPM");
    EXPECT_EQ(keys.LabelY, "TP");
    EXPECT_EQ(keys.LabelData, "ADV");
    EXPECT_EQ(keys.SizeX, 3);
    EXPECT_EQ(keys.SizeY, 2);
    EXPECT_EQ(keys.OnlyXY, 'Y');
    ASSERT_EQ(text[keys.GridStart], '\t');
    const std::vector<Cell> grid = { { 0, -1, 1000 }, { 1, -1, 2000 }, { 2, -1, 3000 }, { -1, 0, 10 }, { 0, 0, 1 },
        { 1, 0, 2 }, { 2, 0, 3 }, { -1, 1, 20 }, { 0, 1, 4 }, { 1, 1, 5 }, { 2, 1, 6.5 } };
    EXPECT_EQ(Cells(ParseSheetGrid(text, keys.GridStart)), grid);

    const SheetClipKeys bad = ReadSheetClipKeys("SizeX:\tmany\nno tab here\nSizeY:\t4");
    EXPECT_EQ(bad.SizeX, 0);
    EXPECT_EQ(bad.SizeY, 0); // the last key line has no line feed
    EXPECT_EQ(bad.OnlyXY, 0);
}

TEST(ClipGrid, EditorTextAndRawValues)
{
    EXPECT_EQ(CleanEditorPaste("12,5abc"), "12.5");
    EXPECT_EQ(CleanEditorPaste("- 1 2\t3\n4"), "- 1 2");

    struct Case {
        double x, scale;
        int32_t max;
        int32_t raw;
    };
    const Case cases[] = {
        { 12.5, 0.1, 0, 125 },
        { -2.5, 1, 0, -3 },
        { 2.5, 1, 0, 3 },
        { 2500, 1, 100, 3 }, // beyond 5 x max: thousandths
        { 500, 1, 100, 500 },
        { 1e30, 1, 0, INT32_MAX },
        { -1e30, 1, 0, INT32_MIN },
        { 5, 0, 0, 0 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(ClipToRaw(c.x, c.scale, c.max), c.raw) << c.x;

    std::string czech = "1.5\t2";
    UseDecimalComma(czech);
    EXPECT_EQ(czech, "1,5\t2");
}
