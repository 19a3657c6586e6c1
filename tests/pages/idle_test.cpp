// The Idle page on a started main window: the mode switch with its preset
// curves and labels, the curves' word factor per mode, the step period kept
// even, which rows each mode shows, the live colours and the curve tables'
// room for their cells.
#include "pagewindow.h"

#include "app/binding.h"
#include "mapedit/tab.h"
#include "pages/idle.h"

#include <vector>

namespace {

using namespace idle_cells;

class IdlePage : public PageWindow {
protected:
    void SetUp() override
    {
        PageWindow::SetUp();
        form->ShowPage(PAGE_SLOT_IDLE);
    }
    IdlePageControls& P() { return form->Idle; }
    TTab* Table() { return P().IdleTable; }
    int32_t& Cell(int sheet, int point) { return Table()->Sheets[sheet].V.Values[point * TAB_MAX_COLS]; }
    uint16_t Word(int index) { return form->PcImage.Word(index); }
    void SetWords(int first, uint16_t value)
    {
        for (int i = 0; i < CURVE_POINTS; ++i)
            form->PcImage.SetWord(first + i, value);
    }
    void Load(int mode, int percent = 0)
    {
        Byte(MODE) = uint8_t(mode);
        Byte(INTAKE_SERVO_PERCENT) = uint8_t(percent);
        LoadPages(form.get(), 0);
    }
    // Picks the mode as the user does.
    void Choose(int mode) { P().RadioGroupIdleMode->SetItemIndex(mode); }
};

TEST_F(IdlePage, SwitchingToTheStepMotorShowsOneRpmCurveWithItsPreset)
{
    SetWords(START_CURVE_WORD, 3600);
    Load(1);
    EXPECT_EQ(Table()->SheetCount, 2);
    Choose(2);
    EXPECT_EQ(Byte(MODE), 2);
    EXPECT_EQ(Table()->SheetCount, 1);
    EXPECT_STREQ(Table()->Sheets[0].Caption, "Desired RPM");
    const uint16_t expected[] = { 1000, 900, 800, 700, 600, 500, 400, 300, 200 };
    for (int i = 0; i < CURVE_POINTS; ++i) {
        EXPECT_EQ(Word(CURVE_WORD + i), expected[i]) << i;
        EXPECT_EQ(Word(START_CURVE_WORD + i), 3600) << "the start curve is kept, " << i;
        EXPECT_EQ(Cell(0, i), expected[i] / 10) << "a cell holds tens of rpm";
    }
    // Back to the servo: two sheets again.
    Choose(1);
    EXPECT_EQ(Table()->SheetCount, 2);
    EXPECT_EQ(Word(CURVE_WORD), 3600);
}

TEST_F(IdlePage, TheIntakeServoInPercentGetsThePercentPresetInBothCurves)
{
    Load(0, 1);
    Choose(1);
    const uint16_t expected[] = { 36, 36, 36, 31, 28, 24, 24, 24, 24 };
    for (int i = 0; i < CURVE_POINTS; ++i) {
        EXPECT_EQ(Word(CURVE_WORD + i), expected[i]) << i;
        EXPECT_EQ(Word(START_CURVE_WORD + i), expected[i]) << i;
    }
    EXPECT_STREQ(Table()->Sheets[1].V.Unit, "%");
}

TEST_F(IdlePage, EachModeReadsAndWritesTheCurveWordsWithItsFactor)
{
    struct Case {
        int mode, percent;
        uint16_t stored;
        int cell;
        uint16_t restored;
    } cases[] = {
        { 1, 0, 3602, 720, 3600 }, // millivolts in 5 mV cells
        { 1, 1, 72, 72, 72 },
        { 2, 0, 1234, 123, 1230 },
        { 3, 0, 30000, 30000, 30000 },
        { 4, 0, 55, 55, 55 },
    };
    for (const Case& c : cases) {
        SetWords(CURVE_WORD, c.stored);
        SetWords(START_CURVE_WORD, c.stored);
        Load(c.mode, c.percent);
        EXPECT_EQ(Cell(0, 4), c.cell) << "mode " << c.mode;
        StoreActivePage(form.get());
        EXPECT_EQ(Word(CURVE_WORD + 4), c.restored) << "mode " << c.mode;
        EXPECT_EQ(Word(START_CURVE_WORD + 8), c.restored) << "mode " << c.mode;
    }
}

TEST_F(IdlePage, TheWordFactorIsNeverZero)
{
    Load(3);
    Table()->Sheets[0].V.Scale = 0.25;
    EXPECT_EQ(IdleWordFactor(Table(), 0), 1);
    StoreActivePage(form.get());
    LoadPages(form.get(), 0);
}

TEST_F(IdlePage, TheStepPeriodLoadsEvenAndStaysSo)
{
    struct Case {
        uint8_t stored, shown;
    } cases[] = { { 101, 102 }, { 100, 100 }, { 255, 254 }, { 2, 2 } };
    for (const Case& c : cases) {
        Byte(STEP_PERIOD) = c.stored;
        Load(2);
        EXPECT_EQ(Byte(STEP_PERIOD), c.shown) << int(c.stored);
        EXPECT_EQ(P().UpDownIdleStepPerioda->Position(), std::min<int>(c.shown, 250));
        StoreAndReloadPage(form.get());
        EXPECT_EQ(Byte(STEP_PERIOD), std::min<int>(c.shown, 250)) << "held to the range, " << int(c.stored);
        EXPECT_NE(Byte(2915), 0) << "the step pulse survives the pass";
    }
}

TEST_F(IdlePage, TheCellsLoadAndStoreByTheirScale)
{
    struct Case {
        int cell;
        TUpDown* IdlePageControls::*upDown;
        int scale;
        int typed;
        uint8_t stored;
    } cases[] = {
        { 2917, &IdlePageControls::UpDownIdleHyster, 10, 120, 12 },
        { 2918, &IdlePageControls::UpDownIdleControlBand, 10, 2500, 250 },
        { 2913, &IdlePageControls::UpDownIdleTpsMez, 1, 140, 100 }, // held to the range
        { 2912, &IdlePageControls::UpDownIdleRpmMez, 100, 1500, 15 },
        { 4237, &IdlePageControls::UpDownIdleRegulation, 1, 40, 40 },
        { 2929, &IdlePageControls::UpDownIdleMaxAdv, 1, 0, 1 }, // held to the range
    };
    Load(4);
    for (const Case& c : cases) {
        TUpDown* upDown = P().*c.upDown;
        upDown->SetPosition(c.typed);
        StoreAndReloadPage(form.get());
        EXPECT_EQ(Byte(c.cell), c.stored) << c.cell;
        EXPECT_EQ(upDown->Position(), c.stored * c.scale) << c.cell;
    }
}

TEST_F(IdlePage, EachModeShowsItsRows)
{
    struct Case {
        int mode, advance;
        bool period, start, lobe, tps, hyster, band, advanceRows, table;
    } cases[] = {
        { 0, 0, false, false, false, false, false, false, false, false },
        { 1, 0, false, false, false, false, false, false, false, true },
        { 1, 1, false, false, false, true, false, true, true, true },
        { 2, 0, true, true, false, true, true, true, false, true },
        { 3, 0, true, false, false, false, false, false, false, true },
        { 4, 0, false, false, true, true, true, true, false, true },
    };
    for (const Case& c : cases) {
        Byte(ADVANCE_ON) = uint8_t(c.advance);
        Load(c.mode);
        const std::string where = "mode " + std::to_string(c.mode) + " advance " + std::to_string(c.advance);
        EXPECT_EQ(P().EditIdleStepPerioda->Visible(), c.period) << where;
        EXPECT_EQ(P().LabelIdleStart->Visible(), c.start) << where;
        EXPECT_EQ(P().UpDownIdleLobe->Visible(), c.lobe) << where;
        EXPECT_EQ(P().LabelIdleRegulation->Visible(), c.lobe) << where;
        EXPECT_EQ(P().EditIdleTpsMez->Visible(), c.tps) << where;
        EXPECT_EQ(P().EditIdleHyster->Visible(), c.hyster) << where;
        EXPECT_EQ(P().LabelIdleControlBand->Visible(), c.band) << where;
        EXPECT_EQ(P().EditIdleMaxAdv->Visible(), c.advanceRows) << where;
        EXPECT_EQ(!P().IdleAdvanceTable->isHidden(), c.advanceRows) << where;
        EXPECT_EQ(!Table()->isHidden(), c.table) << where;
        EXPECT_FALSE(P().EditIdleStepPuls->Visible());
        EXPECT_FALSE(P().EditIdleRpmMez->Visible());
        EXPECT_EQ(P().CheckBoxIdleSmerReg->Visible(), c.mode >= 1 && c.mode <= 3) << where;
    }
    Load(4);
    EXPECT_EQ(P().LabelIdleHyster->Caption(), "Desired RPM");
    Load(2);
    EXPECT_EQ(P().LabelIdleHyster->Caption(), "Hysteresis [rpm]");
}

TEST_F(IdlePage, TheAdvanceCurveHoldsFiftiesOfRpm)
{
    Byte(ADVANCE_ON) = 1;
    Byte(ADVANCE_CURVE + 3) = 24;
    Load(1);
    CAxe& v = P().IdleAdvanceTable->Sheets[0].V;
    EXPECT_EQ(P().IdleAdvanceTable->Sheets[0].V.Values[3 * TAB_MAX_COLS], 24);
    EXPECT_EQ(v.Scale, 50.0);
    P().IdleAdvanceTable->Sheets[0].V.Values[5 * TAB_MAX_COLS] = 30;
    StoreActivePage(form.get());
    EXPECT_EQ(Byte(ADVANCE_CURVE + 5), 30);
    EXPECT_EQ(Byte(ADVANCE_CURVE + 3), 24);
}

TEST_F(IdlePage, ALoadThenAStoreChangesNoByte)
{
    for (int mode : { 0, 1, 2, 3, 4 }) {
        Byte(MODE) = uint8_t(mode);
        // Values within the controls' ranges (the presets leave several at 0).
        for (int cell : { 2912, 2913, 2915, 2916, 2917, 2918, 2927, 2928, 2929, 4237, 4238 })
            Byte(cell) = 20;
        LoadPages(form.get(), 0);
        const RsImage before = form->PcImage;
        StoreActivePage(form.get());
        for (size_t i = 0; i < sizeof before.b; ++i)
            ASSERT_EQ(form->PcImage.b[i], before.b[i]) << "mode " << mode << " byte " << i;
    }
}

TEST_F(IdlePage, TheRegulatingRowsLightGreenWhileActive)
{
    Load(2);
    for (int bits : { 0, 1, 2, 3, 0 }) {
        form->Monitor.Values.IdleTpActive = bits & 1;
        form->Monitor.Values.IdleBandActive = (bits >> 1) & 1;
        RefreshPageColours(form.get());
        EXPECT_EQ(P().EditIdleTpsMez->Color(), (bits & 1) ? TColor(0x00FF00) : clWindow) << bits;
        EXPECT_EQ(P().LabelIdleTpsMez->Color(), (bits & 1) ? TColor(0x00FF00) : clBtnFace) << bits;
        EXPECT_EQ(P().EditIdleControlBand->Color(), (bits & 2) ? TColor(0x00FF00) : clWindow) << bits;
        EXPECT_EQ(P().LabelIdleControlBand->Color(), (bits & 2) ? TColor(0x00FF00) : clBtnFace) << bits;
    }
}

TEST_F(IdlePage, AnEditOfACurveReachesTheImageAndTheUndoRing)
{
    Load(4);
    Table()->Sheet->Sel.SelectItem(Table()->TableHitMap, 0, 2);
    for (char digit : std::string("77"))
        Table()->HandleKey(0, digit);
    Table()->HandleKey(KEY_ENTER, 0);
    EXPECT_EQ(Word(CURVE_WORD + 2), 77);
    EXPECT_NE(DefaultIni().find("77"), std::string::npos);
}

// Each curve table lays its nine rows over its whole height and gives its one
// column a fifth of the width beside the row headers.
TEST_F(IdlePage, TheCurveTablesAreNotCrammed)
{
    Load(1);
    for (const TTab* table : { P().IdleTable, P().IdleAdvanceTable }) {
        ASSERT_TRUE(table);
        EXPECT_EQ(table->VisibleRows, CURVE_POINTS);
        EXPECT_GE(table->CellsTop + CURVE_POINTS * table->CellHeight, table->height() - table->MarginBottom - 1);
        EXPECT_GE(5 * table->CellWidth, table->width() - table->CellsLeft - table->MarginRight - 1);
    }
}

} // namespace
