// The Power out page on a started main window: the function lists, the
// on/off maps and hysteresis bound to the image, what shows with which
// function, and the N2O page following output 2 at once.
#include "pagewindow.h"

#include "app/language.h"
#include "app/main.h"
#include "pages/n2o.h"
#include "pages/powerout.h"

namespace {

using namespace powerout_cells;

class PowerOutPage : public PageWindow {
protected:
    void SetUp() override
    {
        PageWindow::SetUp();
        form->ShowPage(PAGE_SLOT_POWER_OUT);
    }
    PowerOutPageControls& P() { return form->PowerOut; }
    void Load() { LoadPowerOutPage(form.get()); }
    void Store() { StorePowerOutPage(form.get()); }
    int32_t& Cell(int n, int row, int column)
    {
        return P().PowerOutTables[size_t(n)]->Sheets[0].V.Values[row * TAB_MAX_COLS + column];
    }
};

TEST_F(PowerOutPage, EachOutputListsItsFunctionsWithN2OOnlyOnOutputTwo)
{
    for (int n = 0; n < POWER_OUT_COUNT; ++n) {
        SCOPED_TRACE(n);
        const TRadioGroup* group = P().PowerOutGroups[size_t(n)];
        ASSERT_EQ(group->ItemCount(), n == 1 ? 8 : 7);
        EXPECT_EQ(group->ItemText(group->ItemCount() - 1), "Special setting");
        EXPECT_EQ(group->ItemCode(group->ItemCount() - 1), SPECIAL);
        EXPECT_EQ(group->ItemText(0), "Off");
        EXPECT_EQ(group->ItemText(3), n == 1 ? "N2O" : "Track control");
        EXPECT_EQ(group->ItemCode(3), n == 1 ? 4 : 5);
    }
    EXPECT_EQ(P().PowerOutGroups[2]->Caption(), "Power out 3 (pin 53)");
}

TEST_F(PowerOutPage, TheMapAndHysteresisShowOnlyForTheSpecialSettingAndKeepTheirCells)
{
    Byte(FUNCTION + 1) = SPECIAL;
    Byte(ROWS + 3 + 2) = 0x05;
    Load();
    EXPECT_FALSE(P().PowerOutTables[1]->isHidden());
    EXPECT_TRUE(P().EditHysteresis[1]->Visible());
    EXPECT_TRUE(P().LabelPowerOutHysteresis[1]->Visible());
    EXPECT_TRUE(P().PowerOutTables[0]->isHidden());
    EXPECT_FALSE(P().UpDownHysteresis[0]->Visible());

    // The user picks "Off" for output 2: the commit hides its map.
    P().PowerOutGroups[1]->SetItemIndex(0);
    EXPECT_EQ(Byte(FUNCTION + 1), 0);
    EXPECT_TRUE(P().PowerOutTables[1]->isHidden());
    EXPECT_FALSE(P().LabelPowerOutHysteresis[1]->Visible());
    EXPECT_EQ(Byte(ROWS + 3 + 2), 0x05) << "the map's cells stay in the image";
}

TEST_F(PowerOutPage, HysteresisAndMapCellsStoreAsBytesAndBits)
{
    Load();
    P().EditHysteresis[0]->SetText("1234");
    Cell(0, 2, 3) = 1;
    Store();
    EXPECT_EQ(Byte(HYSTERESIS), 123);
    EXPECT_EQ(Byte(ROWS), 0);
    EXPECT_EQ(Byte(ROWS + 1), 0);
    EXPECT_EQ(Byte(ROWS + 2), 8);
    EXPECT_EQ(P().PowerOutTables[0]->Hysteresis, 1230);
    Load();
    EXPECT_EQ(P().UpDownHysteresis[0]->Position(), 1230);

    // A row byte with every bit set fills the row's four cells; bits 4..7 go.
    Byte(ROWS + 3 * 2 + 1) = 0xFF;
    Load();
    for (int c = 0; c < MAP_COLUMNS; ++c)
        EXPECT_EQ(Cell(2, 1, c), 1) << "column " << c;
    Cell(2, 0, 1) = 3; // only bit 0 of a cell counts
    Store();
    EXPECT_EQ(Byte(ROWS + 3 * 2 + 1), 0x0F);
    EXPECT_EQ(Byte(ROWS + 3 * 2), 0x02);
}

TEST_F(PowerOutPage, BreakpointsLoadIntoTheAxesAndALoadThenAStoreChangesNoByte)
{
    const uint8_t rpm[3] = { 30, 60, 90 }, tp[2] = { 20, 70 };
    for (int n = 0; n < POWER_OUT_COUNT; ++n) {
        Byte(FUNCTION + n) = uint8_t(n == 1 ? 4 : n);
        Byte(HYSTERESIS + n) = uint8_t(10 + n);
        for (int i = 0; i < RPM_POINTS; ++i)
            Byte(RPM + 3 * n + i) = uint8_t(rpm[i] + n);
        for (int i = 0; i < TP_POINTS; ++i)
            Byte(TP + 2 * n + i) = uint8_t(tp[i] + n);
        for (int r = 0; r < MAP_ROWS; ++r)
            Byte(ROWS + 3 * n + r) = uint8_t((n + r) & 0x0F);
    }
    Load();
    const CSheet& sheet = P().PowerOutTables[3]->Sheets[0];
    EXPECT_EQ(sheet.X.Values[2], 93);
    EXPECT_EQ(sheet.Y.Values[1], 73);
    const RsImage before = form->PcImage;
    Store();
    for (size_t i = 0; i < sizeof before.b; i++)
        ASSERT_EQ(form->PcImage.b[i], before.b[i]) << "byte " << i;
}

TEST_F(PowerOutPage, ACodeTheListLacksIsKeptByTheStore)
{
    const struct {
        int output, code;
    } cases[] = { { 0, 4 }, { 2, 4 }, { 3, 9 } };
    for (const auto& c : cases) {
        Byte(FUNCTION + c.output) = uint8_t(c.code);
        Load();
        EXPECT_EQ(P().PowerOutGroups[size_t(c.output)]->ItemIndex(), -1);
        EXPECT_TRUE(P().PowerOutTables[size_t(c.output)]->isHidden());
        Store();
        EXPECT_EQ(Byte(FUNCTION + c.output), c.code) << "output " << c.output + 1;
    }
}

TEST_F(PowerOutPage, AFunctionChangeOnOutputTwoSwitchesTheN2OPageAtOnce)
{
    Byte(n2o_cells::ENABLED) = 1;
    Byte(FUNCTION + 1) = 0;
    Load();
    ASSERT_FALSE(form->N2O.CheckBoxGas->Enabled());
    P().PowerOutGroups[1]->SetItemIndex(3);
    EXPECT_EQ(Byte(FUNCTION + 1), n2o_cells::N2O_FUNCTION);
    EXPECT_TRUE(form->N2O.CheckBoxGas->Enabled());
    EXPECT_TRUE(form->N2O.EditGas1->Enabled());
    EXPECT_EQ(form->N2O.LabelN2O_Output->Caption(), "Output: Power Out2 = N2O");
}

TEST_F(PowerOutPage, OutputsLieInATwoByTwoGridWithTheStateLabelsBelow)
{
    const TTabSheet* sheet = form->PageSheets[PAGE_SLOT_POWER_OUT];
    const int w = sheet->ClientWidth(), h = sheet->ClientHeight();
    const TRadioGroup* g0 = P().PowerOutGroups[0];
    const TRadioGroup* g1 = P().PowerOutGroups[1];
    const TRadioGroup* g2 = P().PowerOutGroups[2];
    EXPECT_EQ(g1->Top(), g0->Top());
    EXPECT_GT(g1->Left(), g0->Left() + g0->Width());
    EXPECT_EQ(g2->Left(), g0->Left());
    EXPECT_GT(g2->Top(), g0->Top() + g0->Height());
    for (int n = 0; n < POWER_OUT_COUNT; ++n) {
        const TTab* table = P().PowerOutTables[size_t(n)];
        SCOPED_TRACE(n);
        EXPECT_EQ(table->TableId, 25 + n);
        EXPECT_LE(table->x() + table->width(), w);
        EXPECT_LE(P().EditHysteresis[size_t(n)]->Top() + P().EditHysteresis[size_t(n)]->Height(), h);
    }
    for (size_t i = 0; i < P().LabelMonPOut.size(); ++i) {
        EXPECT_GT(P().LabelMonPOut[i]->Top(), g2->Top() + g2->Height());
        EXPECT_EQ(P().LabelMonPOut[i]->Visible(), i < 4);
        EXPECT_EQ(form->Monitor.Pages.PowerOutPageLabels[i], P().LabelMonPOut[i]);
    }
}

TEST_F(PowerOutPage, TheTextsFollowTheLanguageAndKeepTheSelection)
{
    Byte(FUNCTION + 1) = 6;
    Load();
    const struct {
        int language;
        const char* item;
        const char* hysteresis;
        const char* caption;
    } cases[] = {
        { 1, "nDekompressor", "Hysterese", "Power out 2 (pin 17)" },
        { 2, "nDekompresor", "Hystereze", "Power out 2 (pin 17)" },
        { 0, "Decompresor", "Hysteresis", "Power out 2 (pin 17)" },
    };
    for (const auto& c : cases) {
        LangIndex = c.language;
        ApplyLanguage(form.get());
        const TRadioGroup* group = P().PowerOutGroups[1];
        ASSERT_EQ(group->ItemIndex(), 5);
        EXPECT_EQ(group->ItemText(5), c.item);
        EXPECT_EQ(P().LabelPowerOutHysteresis[3]->Caption(), c.hysteresis);
        EXPECT_EQ(group->Caption(), c.caption);
        EXPECT_EQ(form->PageSheets[PAGE_SLOT_POWER_OUT]->Caption(), "Power out");
    }
}

} // namespace
