// The Servo page on a started main window: the row's cells of each servo, the
// maps with their rpm count and axis state, the percent switch with the idle
// curves, the enable box through the table, which controls each servo shows,
// the sheet tab that moves the row to the other servo, and the texts.
#include "pagewindow.h"

#include "app/language.h"
#include "pages/idle.h"
#include "pages/servo.h"
#include "texts/langtext.h"

#include <string>

namespace {

using namespace servo_cells;

class ServoPage : public PageWindow {
protected:
    void SetUp() override
    {
        PageWindow::SetUp();
        form->ShowPage(PAGE_SLOT_SERVO);
    }
    void TearDown() override
    {
        LangIndex = 0;
        PageWindow::TearDown();
    }
    ServoPageControls& P() { return form->Servo; }
    TTab* Table() { return form->Maps.ServoTable; }
    int32_t& Cell(int sheet, int column, int row)
    {
        return Table()->Sheets[sheet].V.Values[row * TAB_MAX_COLS + column];
    }
    uint8_t& MapByte(int servo, int column, int row) { return Byte(MAP[servo] + MAP_COLUMNS * row + column); }
    void Load() { LoadPages(form.get(), 0); }
    // The user's click on a sheet's tab.
    void ClickSheetTab(int sheet)
    {
        Table()->HotSheetTab = sheet + 1;
        Table()->LeftDown();
    }
    // Both servos used, in voltage, with the controller constants in range.
    void BothServosInVolts()
    {
        for (int servo : { INTAKE, EXHAUST }) {
            Byte(ENABLE[servo]) = 1;
            Byte(PERCENT[servo]) = 0;
        }
        Byte(STEP_MOTOR) = 0;
        Load();
    }
};

TEST_F(ServoPage, TheRowReadsAndWritesTheCellsOfTheShownServo)
{
    struct Case {
        int sheet;
        TUpDown* ServoPageControls::*upDown;
        TEdit* ServoPageControls::*edit;
        int cell;
        const char* typed;
        uint8_t stored;
    } cases[] = {
        { INTAKE, &ServoPageControls::UpDownServoP, &ServoPageControls::EditServoP, 2784, "500", 100 },
        { EXHAUST, &ServoPageControls::UpDownServoP, &ServoPageControls::EditServoP, 2783, "35", 7 },
        { INTAKE, &ServoPageControls::UpDownServoI, &ServoPageControls::EditServoI, 2791, "17", 17 },
        { EXHAUST, &ServoPageControls::UpDownServoI, &ServoPageControls::EditServoI, 2790, "300", 250 },
        { EXHAUST, &ServoPageControls::UpDownServoD, &ServoPageControls::EditServoD, 2792, "9", 9 },
        { INTAKE, &ServoPageControls::UpDownServoIOff, &ServoPageControls::EditServoIOff, 2795, "4", 4 },
        { EXHAUST, &ServoPageControls::UpDownServoDOff, &ServoPageControls::EditServoDOff, 2796, "6", 6 },
        { INTAKE, &ServoPageControls::UpDownServoO, &ServoPageControls::EditServoO, 2798, "-3", 0 },
        { INTAKE, &ServoPageControls::UpDownServoP, &ServoPageControls::EditServoP, 2784, "5000", 200 },
        { INTAKE, &ServoPageControls::UpDownServoI, &ServoPageControls::EditServoI, 2791, "abc", 17 },
    };
    BothServosInVolts();
    for (const Case& c : cases) {
        ClickSheetTab(c.sheet);
        const uint8_t other = Byte(c.sheet == INTAKE ? c.cell - 1 : c.cell + 1);
        (P().*c.edit)->SetText(c.typed);
        CommitEditNow(form.get());
        EXPECT_EQ(Byte(c.cell), c.stored) << c.cell << " typed " << c.typed;
        EXPECT_EQ(Byte(c.sheet == INTAKE ? c.cell - 1 : c.cell + 1), other) << "the other servo keeps its cell";
        EXPECT_EQ((P().*c.upDown)->Position() / (c.cell >= 2783 && c.cell <= 2784 ? 5 : 1), c.stored);
    }
}

TEST_F(ServoPage, PolarityAndTheIntakeBoxesReachTheirBytes)
{
    BothServosInVolts();
    P().RadioGroupServoPolarity->SetItemIndex(2);
    EXPECT_EQ(Byte(4041), 2);
    P().CheckBoxServoIsTps->SetChecked(true);
    EXPECT_EQ(Byte(IS_TPS), 1);
    ClickSheetTab(EXHAUST);
    EXPECT_EQ(P().RadioGroupServoPolarity->ItemIndex(), Byte(4040));
    P().RadioGroupServoPolarity->SetItemIndex(1);
    EXPECT_EQ(Byte(4040), 1);
    EXPECT_EQ(Byte(4041), 2);
}

TEST_F(ServoPage, ThePercentSwitchConvertsTheShownMapAsWritten)
{
    // Shown from another page, the commit of the switch leaves the servo
    // map's cells as the switch made them.
    BothServosInVolts();
    MapByte(INTAKE, 0, 0) = 250;
    MapByte(INTAKE, 1, 0) = 1;
    MapByte(EXHAUST, 0, 0) = 250;
    Load();
    form->ShowPage(PAGE_SLOT_BIKE);
    P().CheckBoxServoPercent->SetChecked(true);
    EXPECT_EQ(Cell(INTAKE, 0, 0), 100);
    EXPECT_EQ(Cell(INTAKE, 1, 0), 0);
    EXPECT_EQ(Cell(EXHAUST, 0, 0), 250) << "the other servo's map is not touched";
    EXPECT_STREQ(Table()->Sheets[INTAKE].V.Unit, "%");
    EXPECT_EQ(Byte(PERCENT[INTAKE]), 1);
    Cell(INTAKE, 2, 0) = 37;
    P().CheckBoxServoPercent->SetChecked(false);
    EXPECT_EQ(Cell(INTAKE, 0, 0), 250);
    EXPECT_EQ(Cell(INTAKE, 2, 0), 93);
    EXPECT_STREQ(Table()->Sheets[INTAKE].V.Unit, "V");
    EXPECT_EQ(Table()->Sheets[INTAKE].V.Max, 250);
    EXPECT_EQ(Byte(PERCENT[INTAKE]), 0);
}

TEST_F(ServoPage, ThroughTheCommitThePercentMapIsHeldTo1To99)
{
    BothServosInVolts();
    MapByte(INTAKE, 0, 0) = 250;
    MapByte(INTAKE, 1, 0) = 1;
    Load();
    P().CheckBoxServoPercent->SetChecked(true);
    EXPECT_EQ(MapByte(INTAKE, 0, 0), 99);
    EXPECT_EQ(MapByte(INTAKE, 1, 0), 1);
    EXPECT_EQ(Cell(INTAKE, 0, 0), 99);
    EXPECT_EQ(Table()->Sheets[INTAKE].V.Min, 1);
    EXPECT_EQ(Table()->Sheets[INTAKE].V.Max, 99);
    EXPECT_EQ(Table()->Sheets[INTAKE].X.Colour, TColor(0xCEF0FF));
    EXPECT_EQ(Table()->Sheets[EXHAUST].X.Colour, TColor(0xCEDBFF));
    P().CheckBoxServoPercent->SetChecked(false);
    EXPECT_EQ(MapByte(INTAKE, 0, 0), 248);
    EXPECT_EQ(Cell(INTAKE, 0, 0), 248);
    EXPECT_EQ(Table()->Sheets[INTAKE].X.Colour, TColor(0xCEDBFF));
}

TEST_F(ServoPage, TheIdleCurvesFollowTheIntakeServoOnly)
{
    using namespace idle_cells;
    BothServosInVolts();
    const auto setCurves = [&](uint16_t a, uint16_t b) {
        for (int first : { CURVE_WORD, START_CURVE_WORD }) {
            form->PcImage.SetWord(first, a);
            form->PcImage.SetWord(first + 8, b);
        }
    };
    const auto expectCurves = [&](uint16_t a, uint16_t b, const char* where) {
        for (int first : { CURVE_WORD, START_CURVE_WORD }) {
            EXPECT_EQ(form->PcImage.Word(first), a) << where;
            EXPECT_EQ(form->PcImage.Word(first + 8), b) << where;
        }
    };
    setCurves(3600, 2400);
    ClickSheetTab(EXHAUST);
    P().CheckBoxServoPercent->SetChecked(true);
    expectCurves(3600, 2400, "the exhaust servo in percent");
    P().CheckBoxServoPercent->SetChecked(false);
    ClickSheetTab(INTAKE);
    P().CheckBoxServoPercent->SetChecked(true);
    expectCurves(72, 48, "the intake servo in percent");
    P().CheckBoxServoPercent->SetChecked(false);
    expectCurves(3600, 2400, "the intake servo in volts again");
    // Nothing wraps on the way back.
    setCurves(2000, 0);
    Byte(PERCENT[INTAKE]) = 1;
    Load();
    P().CheckBoxServoPercent->SetChecked(false);
    expectCurves(65535, 0, "a word beyond the percent range");
}

TEST_F(ServoPage, ColumnsFromTheRpmCountOnCopyTheLastUsedColumn)
{
    BothServosInVolts();
    Byte(RPM_COUNT[INTAKE]) = 12;
    for (int r = 0; r < MAP_ROWS; ++r)
        for (int c = 0; c < MAP_COLUMNS; ++c)
            MapByte(INTAKE, c, r) = uint8_t(10 + r + c);
    Load();
    EXPECT_EQ(Table()->Sheets[INTAKE].X.Count, 12);
    Cell(INTAKE, 11, 3) = 200;
    StoreActivePage(form.get());
    for (int r = 0; r < MAP_ROWS; ++r)
        for (int c = 12; c < MAP_COLUMNS; ++c)
            EXPECT_EQ(MapByte(INTAKE, c, r), MapByte(INTAKE, 11, r)) << "row " << r << " column " << c;
    EXPECT_EQ(MapByte(INTAKE, 14, 3), 200);
    EXPECT_EQ(Byte(RPM_COUNT[INTAKE]), 12);
    // A count the unit cannot have reads as 15.
    for (uint8_t count : { 0, 16, 255 }) {
        Byte(RPM_COUNT[EXHAUST]) = count;
        Load();
        EXPECT_EQ(Table()->Sheets[EXHAUST].X.Count, 15) << int(count);
    }
}

TEST_F(ServoPage, TheAxisStateCollapsesOneAxis)
{
    struct Case {
        uint8_t state;
        int xCollapsed, yCollapsed;
    } cases[] = { { 0, 0, 0 }, { 1, 0, 1 }, { 2, 1, 0 } };
    BothServosInVolts();
    for (const Case& c : cases)
        for (int servo : { INTAKE, EXHAUST }) {
            ClickSheetTab(servo);
            Byte(AXIS_STATE[servo]) = c.state;
            Load();
            const CSheet& sheet = Table()->Sheets[servo];
            EXPECT_EQ(sheet.X.Collapsed, c.xCollapsed) << int(c.state);
            EXPECT_EQ(sheet.Y.Collapsed, c.yCollapsed) << int(c.state);
            EXPECT_EQ(sheet.Y.Values[0], 0);
            EXPECT_EQ(sheet.Y.Values[9], 100) << "the TP axis keeps its fixed breakpoints";
            StoreActivePage(form.get());
            EXPECT_EQ(Byte(AXIS_STATE[servo]), c.state);
        }
    // Both collapsed: the RPM axis wins.
    Table()->Sheets[EXHAUST].X.Collapsed = Table()->Sheets[EXHAUST].Y.Collapsed = 1;
    StoreActivePage(form.get());
    EXPECT_EQ(Byte(AXIS_STATE[EXHAUST]), 2);
}

TEST_F(ServoPage, EachServoShowsTheControlsItUses)
{
    struct Case {
        int sheet, enabled, stepMotor, testMode;
        bool percent, stepBox, period, iAndD, offPairs, o, polarity, isTps;
    } cases[] = {
        { INTAKE, 0, 0, 0, false, false, false, false, false, false, false, false },
        { INTAKE, 1, 0, 0, true, true, false, true, true, true, true, true },
        { INTAKE, 1, 1, 0, true, true, true, false, false, false, true, true },
        { EXHAUST, 1, 0, 0, true, false, false, true, false, false, true, false },
        { EXHAUST, 1, 0, 1, true, false, false, true, true, false, true, false },
        { EXHAUST, 1, 1, 1, true, false, false, true, true, false, true, false },
        { EXHAUST, 0, 0, 1, false, false, false, false, false, false, false, false },
    };
    for (const Case& c : cases) {
        const std::string where = "sheet " + std::to_string(c.sheet) + " enabled " + std::to_string(c.enabled)
            + " step motor " + std::to_string(c.stepMotor) + " test mode " + std::to_string(c.testMode);
        form->TestMode = uint8_t(c.testMode);
        ClickSheetTab(c.sheet);
        Byte(ENABLE[c.sheet]) = uint8_t(c.enabled);
        Byte(STEP_MOTOR) = uint8_t(c.stepMotor);
        Load();
        EXPECT_TRUE(P().CheckBoxServoEnable->Visible()) << where;
        EXPECT_EQ(P().CheckBoxServoPercent->Visible(), c.percent) << where;
        EXPECT_EQ(P().EditServoP->Visible(), c.percent) << where;
        EXPECT_EQ(P().CheckBoxServoStepMotor->Visible(), c.stepBox) << where;
        EXPECT_EQ(P().EditServoPeriod->Visible(), c.period) << where;
        EXPECT_EQ(P().LabelServoPeriod->Visible(), c.period) << where;
        EXPECT_FALSE(P().EditServoExcitation->Visible()) << where;
        EXPECT_EQ(P().UpDownServoI->Visible(), c.iAndD) << where;
        EXPECT_EQ(P().LabelServoD->Visible(), c.iAndD) << where;
        EXPECT_EQ(P().EditServoIOff->Visible(), c.offPairs) << where;
        EXPECT_EQ(P().LabelServoDOff->Visible(), c.offPairs) << where;
        EXPECT_EQ(P().EditServoO->Visible(), c.o) << where;
        EXPECT_EQ(P().RadioGroupServoPolarity->Visible(), c.polarity) << where;
        EXPECT_EQ(P().CheckBoxServoIsTps->Visible(), c.isTps) << where;
    }
}

TEST_F(ServoPage, TheStepMotorBoxShowsItsPeriodAndIsOffForBike47)
{
    struct Case {
        uint8_t bike;
        uint8_t stored;
    } cases[] = { { 11, 1 }, { 47, 0 } };
    for (const Case& c : cases) {
        Byte(BIKE) = c.bike;
        BothServosInVolts();
        P().CheckBoxServoStepMotor->SetChecked(true);
        EXPECT_EQ(Byte(STEP_MOTOR), c.stored) << int(c.bike);
        EXPECT_EQ(P().CheckBoxServoStepMotor->Checked(), c.stored != 0) << int(c.bike);
        EXPECT_EQ(P().EditServoPeriod->Visible(), c.stored != 0) << int(c.bike);
        EXPECT_EQ(P().EditServoI->Visible(), c.stored == 0) << int(c.bike);
    }
}

TEST_F(ServoPage, TheStepPeriodLoadsEvenAndStaysSo)
{
    struct Case {
        uint8_t stored, kept, shown;
    } cases[] = { { 51, 52, 52 }, { 50, 50, 50 }, { 255, 254, 100 }, { 2, 2, 2 } };
    for (const Case& c : cases) {
        Byte(STEP_PERIOD) = c.stored;
        Byte(2800) = 1;
        BothServosInVolts();
        EXPECT_EQ(Byte(STEP_PERIOD), c.kept) << int(c.stored);
        EXPECT_EQ(P().UpDownServoPeriod->Position(), c.shown) << int(c.stored);
        CommitEditNow(form.get());
        EXPECT_EQ(Byte(STEP_PERIOD), c.shown) << "held to the range, " << int(c.stored);
        EXPECT_NE(Byte(2800), 0) << "the excitation survives the pass";
    }
}

TEST_F(ServoPage, UntickingEnableSwitchesTheSheetOffAndClearsIsTps)
{
    BothServosInVolts();
    Byte(IS_TPS) = 1;
    Load();
    ASSERT_TRUE(P().CheckBoxServoIsTps->Checked());
    P().CheckBoxServoEnable->SetChecked(false);
    EXPECT_EQ(Table()->Sheets[INTAKE].Enabled, 0);
    EXPECT_EQ(Table()->Sheets[EXHAUST].Enabled, 1);
    EXPECT_EQ(Byte(ENABLE[INTAKE]), 0);
    EXPECT_EQ(Byte(IS_TPS), 0);
    EXPECT_FALSE(P().CheckBoxServoIsTps->Visible());
    EXPECT_FALSE(P().EditServoI->Visible());
    // And back on.
    P().CheckBoxServoEnable->SetChecked(true);
    EXPECT_EQ(Table()->Sheets[INTAKE].Enabled, 1);
    EXPECT_EQ(Byte(ENABLE[INTAKE]), 1);
    EXPECT_TRUE(P().EditServoI->Visible());
}

TEST_F(ServoPage, ASheetTabMovesTheRowToTheOtherServo)
{
    Byte(2791) = 10;
    Byte(2790) = 20;
    BothServosInVolts();
    EXPECT_EQ(P().UpDownServoI->Position(), 10);
    ClickSheetTab(EXHAUST);
    EXPECT_EQ(P().ServoLastSheet, EXHAUST);
    EXPECT_EQ(P().UpDownServoI->Position(), 20);
    EXPECT_FALSE(P().CheckBoxServoStepMotor->Visible());
    ClickSheetTab(INTAKE);
    EXPECT_EQ(P().UpDownServoI->Position(), 10);
    EXPECT_EQ(Byte(2790), 20);
    EXPECT_EQ(Byte(2791), 10);
}

TEST_F(ServoPage, AClickOnTheUpDownJustBeforeATabIsKeptForItsServo)
{
    Byte(2791) = 10;
    Byte(2790) = 20;
    BothServosInVolts();
    P().UpDownServoI->SetPosition(11);
    P().UpDownServoI->Click(btNext);
    P().UpDownServoI->Click(btPrev);
    ClickSheetTab(EXHAUST);
    EXPECT_EQ(Byte(2791), 11);
    EXPECT_EQ(Byte(2790), 20);
    EXPECT_EQ(P().UpDownServoI->Position(), 20);
}

TEST_F(ServoPage, AStaleEnableFlagNeverWritesOneServosRowIntoTheOther)
{
    Byte(2791) = 10;
    Byte(2790) = 20;
    BothServosInVolts();
    // The unit switched the exhaust servo off; only its block came back.
    Byte(ENABLE[EXHAUST]) = 0;
    ClickSheetTab(EXHAUST);
    EXPECT_EQ(Byte(2790), 20);
    EXPECT_EQ(Byte(2791), 10);
    EXPECT_EQ(P().UpDownServoI->Position(), 20);
}

TEST_F(ServoPage, ALoadThenAStoreChangesNoByte)
{
    for (int servo : { INTAKE, EXHAUST }) {
        Byte(ENABLE[servo]) = 1;
        Byte(RPM_COUNT[servo]) = 15;
        for (int c = 0; c < MAP_COLUMNS; ++c)
            Byte(RPM_BREAKPOINTS[servo] + c) = uint8_t(10 + 10 * c);
    }
    for (int cell : { 2783, 2784, 2790, 2791, 2792, 2793, 2794, 2795, 2796, 2797, 2798, 2799, 2800 })
        Byte(cell) = 20;
    Byte(4040) = 1;
    Byte(4041) = 2;
    Byte(STEP_MOTOR) = 0;
    Byte(IS_TPS) = 0;
    Load();
    for (int servo : { INTAKE, EXHAUST })
        for (int percent : { 0, 1 }) {
            ClickSheetTab(servo);
            Byte(PERCENT[servo]) = uint8_t(percent);
            Byte(AXIS_STATE[servo]) = uint8_t(percent + 1);
            Load();
            const RsImage before = form->PcImage;
            StoreActivePage(form.get());
            for (size_t i = 0; i < sizeof before.b; ++i)
                ASSERT_EQ(form->PcImage.b[i], before.b[i]) << "servo " << servo << " byte " << i;
        }
}

TEST_F(ServoPage, TheTextsFollowTheLanguage)
{
    struct Case {
        int language;
        const char* sheet;
        const char* enable;
        const char* polarity;
        const char* iOff;
    } cases[] = {
        { 1, "Servo", "Servo zulassen", "Polarität", "I aus" },
        { 2, "Servo", "Servo povoleno", "Polarita", "I vyp." },
        { 0, "Servo", "Servo enable", "Polarity", "I off" },
    };
    for (const Case& c : cases) {
        LangIndex = c.language;
        ApplyLanguage(form.get());
        EXPECT_EQ(form->PageSheets[PAGE_SLOT_SERVO]->Caption(), c.sheet);
        EXPECT_EQ(P().CheckBoxServoEnable->Caption(), c.enable);
        EXPECT_EQ(P().RadioGroupServoPolarity->Caption(), c.polarity);
        EXPECT_EQ(P().LabelServoIOff->Caption(), c.iOff);
    }
}

} // namespace
