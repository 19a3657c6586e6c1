#include "image/rsimage.h"

#include <gtest/gtest.h>

#include <vector>

TEST(RsImage, WordsAreLowByteFirst)
{
    RsImage image;
    image.SetWord(1, 0x1234);
    EXPECT_EQ(image.b[2], 0x34);
    EXPECT_EQ(image.b[3], 0x12);
    image.b[RS_LEN_EXE - 2] = 0xCD;
    image.b[RS_LEN_EXE - 1] = 0xAB;
    EXPECT_EQ(image.Word(RS_WORDS - 1), 0xABCD);
}

// A control bound to a cell: what it shows for the raw bytes, and what the
// cell holds after the control stores a typed value.
struct CellCase {
    const char* what;
    bool word;
    int index; // with or without SIGNED_CELL
    int scale;
    int bias;
    uint16_t raw;
    int shown;
};

const CellCase LOAD_CASES[] = {
    { "signed byte 0xFF", false, SIGNED_CELL, 1, 0, 0xFF, -1 },
    { "same byte unsigned", false, 0, 1, 0, 0xFF, 255 },
    { "hundreds of rpm", false, 0, 100, 0, 45, 4500 },
    { "advance with offset", false, 0, 1, -100, 130, 30 },
    { "phase shown negated", false, 0, -1, 0, 9, -9 },
    { "lobe shown from 1", false, 0, 1, 1, 0, 1 },
    { "signed word 0xFFFF", true, SIGNED_CELL, 1, 0, 0xFFFF, -1 },
    { "unsigned word", true, 0, 1, 0, 0xFFFF, 65535 },
    { "word with bias", true, 0, 1, -100, 130, 30 },
};

TEST(CellBinding, LoadShowsScaleTimesRawPlusBias)
{
    const int offset = 100;
    for (const CellCase& c : LOAD_CASES) {
        SCOPED_TRACE(c.what);
        RsImage image;
        if (c.word)
            image.SetWord(offset + 3, c.raw);
        else
            image.b[offset + 3] = uint8_t(c.raw);
        int index = 3 | (c.index & SIGNED_CELL);
        int shown
            = c.word ? LoadWordCell(image, offset, index, c.bias) : LoadByteCell(image, offset, index, c.scale, c.bias);
        EXPECT_EQ(shown, c.shown);
    }
}

struct StoreCase {
    const char* what;
    bool word;
    int index;
    int scale;
    int bias;
    int value;
    uint16_t raw;
};

const StoreCase STORE_CASES[] = {
    { "-1 into a signed byte", false, SIGNED_CELL, 1, 0, -1, 0xFF },
    { "-1 into an unsigned byte", false, 0, 1, 0, -1, 0xFF },
    { "4550 at scale 100", false, 0, 100, 0, 4550, 45 },
    { "4599 at scale 100 truncates", false, 0, 100, 0, 4599, 45 },
    { "-150 at scale 100 truncates toward zero", false, 0, 100, 0, -150, 0xFF },
    { "30 with bias -100", false, 0, 1, -100, 30, 130 },
    { "negated phase", false, 0, -1, 0, -9, 9 },
    { "300 cut to 8 bits", false, 0, 1, 0, 300, 44 },
    { "zero scale counts as 1", false, 0, 0, 0, 7, 7 },
    { "word 30 with bias -100", true, 0, 1, -100, 30, 130 },
    { "word 70000 cut to 16 bits", true, 0, 1, 0, 70000, 4464 },
    { "-1 into a signed word", true, SIGNED_CELL, 1, 0, -1, 0xFFFF },
};

TEST(CellBinding, StoreDividesTruncatingAndCutsToTheCellWidth)
{
    const int offset = 200;
    for (const StoreCase& c : STORE_CASES) {
        SCOPED_TRACE(c.what);
        RsImage image;
        image.Fill(0x5A);
        int index = 2 | c.index;
        if (c.word) {
            StoreWordCell(image, offset, index, c.value, c.bias);
            EXPECT_EQ(image.Word(offset + 2), c.raw);
            EXPECT_EQ(image.Word(offset + 1), 0x5A5A) << "neighbour untouched";
        } else {
            StoreByteCell(image, offset, index, c.value, c.scale, c.bias);
            EXPECT_EQ(image.b[offset + 2], c.raw);
            EXPECT_EQ(image.b[offset + 3], 0x5A) << "neighbour untouched";
        }
    }
}

TEST(CellBinding, ExtremeValuesDoNotOverflow)
{
    EXPECT_EQ(StoredByteValue(INT32_MIN, -1, 0), 0); // 2^31 keeps its low 8 bits
    EXPECT_EQ(StoredWordValue(INT32_MIN, 1), 0xFFFF);
}

TEST(ListBinding, PositionAndCodeLists)
{
    const std::vector<int> codes = { 0, 1, 4, 2 };
    struct Case {
        const char* what;
        ListBinding kind;
        uint8_t cell;
        int item;
    } cases[] = {
        { "position selects the cell's item", ListBinding::Position, 2, 2 },
        { "position past the list selects none", ListBinding::Position, 4, NO_ITEM },
        { "code selects the item carrying it", ListBinding::Code, 4, 2 },
        { "code no item carries selects none", ListBinding::Code, 3, NO_ITEM },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ListItemForCell(c.kind, c.cell, codes), c.item);
    }
    EXPECT_EQ(CellForListItem(ListBinding::Position, 3, codes), 3);
    EXPECT_EQ(CellForListItem(ListBinding::Code, 3, codes), 2);
    EXPECT_EQ(CellForListItem(ListBinding::Code, NO_ITEM, codes), 255);
    EXPECT_EQ(CellForListItem(ListBinding::Position, NO_ITEM, codes), 255);

    // A cell whose code no item carries shows no selection and stores 255.
    int shown = ListItemForCell(ListBinding::Code, 9, codes);
    EXPECT_EQ(CellForListItem(ListBinding::Code, shown, codes), 255);
}

TEST(ListBinding, FirstItemCarryingTheCodeWins)
{
    const std::vector<int> codes = { 7, 3, 3 };
    EXPECT_EQ(ListItemForCell(ListBinding::Code, 3, codes), 1);
}
