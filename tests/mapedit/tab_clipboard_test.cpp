#include "tab_edit_support.h"

#include <cstring>

namespace {

struct ClipboardExchange : EditFixture {
    std::string PlainOnBoard()
    {
        std::vector<char> text(65536), second(65536);
        ClipboardGetTextAndFormat(text.data(), tab.SheetClipFormat, second.data(), int(text.size()));
        return text.data();
    }
    void PastePlain(const char* text)
    {
        ClipboardPutText(text);
        tab.DoCommand(2);
    }
};

} // namespace

TEST_F(ClipboardExchange, CopyTableGivesBothTextsByteForByte)
{
    CSheet& s = Add(3, 2);
    tab.SetSheetCaption(0, "###Advance##Zündung##Předstih");
    std::string plain, sheet;
    tab.SheetClipTexts(plain, sheet);
    const std::string grid = "\t1 000\t2 000\t3 000\n10\t1\t2\t3\n20\t4\t5\t6";
    EXPECT_EQ(sheet,
        "Label:\t###Advance##Zündung##Předstih\nLabelX:\tRPM\nLabelY:\tTP\nLabelData:\tADV\nSizeX:\t3\nSizeY:\t2\n"
        "OnlyXY:\t\n"
            + grid);
    EXPECT_EQ(plain, grid);

    s.Y.Collapsed = 1;
    s.Y.UsedIndex = 1;
    tab.SheetClipTexts(plain, sheet);
    EXPECT_EQ(plain, "1 000\t2 000\t3 000\n4\t5\t6");
    EXPECT_NE(sheet.find("OnlyXY:\tY\n"), std::string::npos);
    s.Y.Collapsed = 0;
    s.X.Collapsed = 1;
    s.X.UsedIndex = 2;
    tab.SheetClipTexts(plain, sheet);
    EXPECT_EQ(plain, "10\t3\n20\t6");
}

TEST_F(ClipboardExchange, CopySelectionAndTheCzechDecimalComma)
{
    CSheet& s = Add(3, 2);
    s.V.Scale = 0.1;
    Cell(s, 0, 0) = 125;
    Select(HIT_CELL, { { 0, 0 }, { 2, 0 }, { 1, 1 } });
    tab.DoCommand(0);
    EXPECT_EQ(PlainOnBoard(), "12.5\t\t0.3\n\t0.5\t");
    lang = 2;
    tab.DoCommand(0);
    EXPECT_EQ(PlainOnBoard(), "12,5\t\t0,3\n\t0,5\t");
    std::string plain, sheet;
    tab.SheetClipTexts(plain, sheet);
    EXPECT_NE(plain.find("\n10\t12,5\t"), std::string::npos);
    EXPECT_NE(sheet.find("\n10\t12,5\t"), std::string::npos);

    Select(HIT_YHEADER, { { -1, 0 }, { -1, 1 } });
    tab.DoCommand(0);
    EXPECT_EQ(PlainOnBoard(), "10\n20");

    ClipboardPutText("kept");
    Select(HIT_CELL, {});
    tab.DoCommand(0); // nothing selected: nothing copied
    EXPECT_EQ(PlainOnBoard(), "kept");
}

TEST_F(ClipboardExchange, PlainPasteDialects)
{
    struct Case {
        const char* text;
        int col, row; // the current item
        std::vector<int32_t> row0, row1;
        int32_t max = 100000;
    };
    const Case cases[] = {
        { "1 234", 0, 0, { 1234, 0, 0 }, { 0, 0, 0 } },
        { "1  2   3", 0, 0, { 1, 2, 3 }, { 0, 0, 0 } },
        { "{1,2,3},{4,5,6}", 0, 0, { 1, 2, 3 }, { 4, 5, 6 } },
        { "7\t8\t9\t10\n11", 1, 0, { 0, 7, 8 }, { 0, 11, 0 } }, // cut at the table's edge
        { "2500", 2, 1, { 0, 0, 0 }, { 0, 0, 3 }, 100 }, // beyond 5 x max: thousandths
        { "500", 2, 1, { 0, 0, 0 }, { 0, 0, 100 }, 100 }, // held at the maximum
        { "12,5", 0, 1, { 0, 0, 0 }, { 13, 0, 0 } },
    };
    for (const Case& c : cases) {
        TTab t(nullptr, 0, 0, TABSTYLE_TABLE);
        t.SheetClipFormat = tab.SheetClipFormat;
        CSheet& s = AddTo(t, 3, 2);
        s.V.Max = c.max;
        std::fill_n(s.V.Values, TAB_CELLS, 0);
        s.Sel.SelectItem(t.TableHitMap, c.col, c.row);
        ClipboardPutText(c.text);
        t.DoCommand(2);
        EXPECT_EQ(Row(s, 0), c.row0) << c.text;
        EXPECT_EQ(Row(s, 1), c.row1) << c.text;
    }

    CSheet& s = Add(3, 2);
    Select(HIT_XHEADER, { { 1, -1 } });
    PastePlain("1 500\t2 500\n99");
    EXPECT_EQ(Points(s.X), (std::vector<int32_t> { 1000, 1500, 2500 }));
    EXPECT_EQ(s.Sel.Kind, HIT_XHEADER);
    EXPECT_EQ(s.Sel.Count, 2);
    s.V.Editable = 0;
    Select(HIT_CELL, { { 0, 0 } });
    PastePlain("55");
    EXPECT_EQ(Cell(s, 0, 0), 1); // not editable: refused
}

TEST_F(ClipboardExchange, PasteIntoTheOpenEditor)
{
    Add(3, 2);
    tab.EditorActive = 1;
    std::strcpy(tab.EditText, "1");
    tab.Caret = 1;
    tab.MarkStart = tab.MarkEnd = 0;
    PastePlain("12,5abc\t7");
    EXPECT_STREQ(tab.EditText, "112.5");
    EXPECT_EQ(tab.Caret, 5);
    PastePlain("123456789012345678");
    EXPECT_EQ(std::strlen(tab.EditText), 16u);
    EXPECT_STREQ(tab.EditText, "112.512345678901");
}

TEST_F(ClipboardExchange, SheetTextRoundTripsAndResizes)
{
    CSheet& from = Add(10, 4);
    from.V.Scale = 0.1;
    Cell(from, 3, 2) = -12345;
    tab.DoCommand(1);

    TTab other(nullptr, 0, 0, TABSTYLE_TABLE);
    other.SheetClipFormat = tab.SheetClipFormat;
    CSheet& to = AddTo(other, 3, 2);
    to.V.Scale = 0.1;
    std::fill_n(to.V.Values, TAB_CELLS, 0);
    other.DoCommand(2);
    ASSERT_EQ(to.X.Count, 10);
    ASSERT_EQ(to.Y.Count, 4);
    EXPECT_EQ(Points(to.X), Points(from.X));
    EXPECT_EQ(Points(to.Y), Points(from.Y));
    for (int r = 0; r < 4; r++)
        EXPECT_EQ(Row(to, r), Row(from, r));

    // A different X key with a size to change: refused with the message.
    CSheet& stranger = AddTo(other, 3, 2, 50, 30, "IAP");
    other.SelectSheet(1);
    const std::vector<int32_t> before = Row(stranger, 0);
    other.DoCommand(2);
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_TRUE(dialogs.boxes[0].text.startsWith("Table dimensions are not eqal"));
    EXPECT_EQ(stranger.X.Count, 3);
    EXPECT_EQ(Row(stranger, 0), before);
}

TEST_F(ClipboardExchange, SheetPasteCollapsePoliciesAndNamedAxes)
{
    CSheet& s = Add(3, 2);
    const char* text = "Label:\tS\nLabelX:\tRPM\nLabelY:\tTP\nLabelData:\tADV\nSizeX:\t3\nSizeY:\t2\nOnlyXY:\tX\n"
                       "\tGear 1\tGear 2\tGear 3\n11\t1\t2\t3\n22\t4\t5\t6";
    ClipboardPutTextAndFormat("", tab.SheetClipFormat, text);
    s.X.CollapsePolicy = 0;
    s.Y.CollapsePolicy = 2;
    s.X.StringView = "###1st##1.##1.\n###2nd##2.##2.\n###3rd##3.##3.";
    s.X.SplitStringView();
    tab.DoCommand(2);
    EXPECT_EQ(s.X.Collapsed, 0);
    EXPECT_EQ(s.Y.Collapsed, 1);
    EXPECT_EQ(Points(s.X), (std::vector<int32_t> { 1000, 2000, 3000 })); // names are no numbers
    EXPECT_EQ(Points(s.Y), (std::vector<int32_t> { 11, 22 }));
    s.X.StringView = nullptr;
}

TEST_F(ClipboardExchange, AFullSheetOfWideNumbersIsNotCut)
{
    CSheet& from = Add(50, 30);
    for (int i = 0; i < TAB_CELLS; i++)
        from.V.Values[i] = -99999 + i;
    for (int c = 0; c < 50; c++)
        from.X.Values[c] = 900000 + c;
    tab.DoCommand(1);
    EXPECT_GT(PlainOnBoard().size(), 9000u);

    TTab other(nullptr, 0, 0, TABSTYLE_TABLE);
    other.SheetClipFormat = tab.SheetClipFormat;
    CSheet& to = AddTo(other, 50, 30);
    std::fill_n(to.V.Values, TAB_CELLS, 0);
    other.DoCommand(2);
    EXPECT_EQ(Row(to, 29), Row(from, 29));
    EXPECT_EQ(Points(to.X), Points(from.X));
}
