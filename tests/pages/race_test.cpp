// The Race page on a started main window: its cells as bytes, the gear rows,
// the live gear, the display choice, and the deceleration action in the unit
// of the idle actuator.
#include "pagewindow.h"

#include "app/language.h"
#include "monitor/panel.h"
#include "pages/gear.h"
#include "pages/race.h"
#include "support/livetest.h"

#include <functional>
#include <vector>

namespace {

using namespace race_cells;
using P = RacePageControls;

class RacePage : public PageWindow {
protected:
    void SetUp() override
    {
        PageWindow::SetUp();
        form->ShowPage(PAGE_SLOT_RACE);
    }
    P& Page() { return form->RacePage; }
    void Load() { LoadRacePage(form.get()); }
    void Store() { StoreRacePage(form.get()); }
    int16_t SignedWord(int k) const { return int16_t(form->PcImage.Word(k)); }
    void SetWord(int k, int value) { form->PcImage.SetWord(k, uint16_t(value)); }
    void Idle(int mode, int percent)
    {
        Byte(IDLE_MODE) = uint8_t(mode);
        Byte(INTAKE_SERVO_PERCENT) = uint8_t(percent);
    }
    // A live block as a paused playback leaves it, decoded, then a tick's colours.
    void Live(const std::vector<LiveSet>& sets)
    {
        form->Live = ReceivedBlock(sets);
        form->LogPlayerState = 6;
        UpdateLiveMonitor(form.get());
        RefreshPageColours(form.get());
    }
};

TEST_F(RacePage, TypedValuesAreStoredByTheirScaleAndHeldToTheirRange)
{
    struct Case {
        const char* what;
        std::function<TUpDown*(P&)> upDown;
        int cell;
        int typed;
        uint8_t stored;
        int shown;
    } cases[] = {
        { "clutch advance", [](P& p) { return p.UpDownClutchAdv; }, CLUTCH_ADVANCE, -5, 251, -5 },
        { "pit min advance", [](P& p) { return p.UpDownPitMinAdv; }, PIT_MIN_ADVANCE, -60, 196, -60 },
        { "clutch min rpm below its range", [](P& p) { return p.UpDownClutchMinRpm; }, 2878, 900, 10, 1000 },
        { "pit speed above its range", [](P& p) { return p.UpDownPitSpeed; }, 2896, 300, 255, 255 },
        { "pit min rpm", [](P& p) { return p.UpDownPitMinRpm; }, 2900, 4500, 45, 4500 },
        { "shift light of gear 3", [](P& p) { return p.GearUpDowns[2][0]; }, SHIFT_LIGHT_1 + 2, 12000, 120, 12000 },
        { "second shift light of gear 6", [](P& p) { return p.GearUpDowns[5][1]; }, SHIFT_LIGHT_2 + 5, 30000, 250,
            25000 },
        { "master time of gear 6", [](P& p) { return p.GearUpDowns[5][2]; }, MASTER_TIME + 5, 1250, 250, 1250 },
        { "master pause of gear 1", [](P& p) { return p.GearUpDowns[0][3]; }, MASTER_PAUSE, 2500, 250, 2500 },
        { "deceleration rpm min", [](P& p) { return p.UpDownDCRPMmin; }, 4681, 30000, 250, 25000 },
    };
    Byte(GEAR_COUNT) = 6;
    Byte(GEAR_SYSTEM) = 0;
    Load();
    for (const Case& c : cases) {
        TUpDown* upDown = c.upDown(Page());
        upDown->SetPosition(c.typed);
        StoreAndReloadPage(form.get());
        EXPECT_EQ(Byte(c.cell), c.stored) << c.what;
        EXPECT_EQ(upDown->Position(), c.shown) << c.what;
    }
}

TEST_F(RacePage, GearRowsFollowTheGearCountAndSystem)
{
    struct Case {
        int system, count;
        bool labels[6];
        bool rows[6];
    } cases[] = {
        { 0, 4, { true, true, true, true, false, false }, { true, true, true, true, false, false } },
        { 1, 6, { true, true, true, true, true, true }, { true, true, true, true, true, true } },
        { 3, 6, { false, false, false, false, false, false }, { true, false, false, false, false, false } },
    };
    for (const Case& c : cases) {
        Byte(GEAR_SYSTEM) = uint8_t(c.system);
        Byte(GEAR_COUNT) = uint8_t(c.count);
        Load();
        TLabel* labels[] = { Page().LabelRaceGear1, Page().LabelRaceGear2, Page().LabelRaceGear3, Page().LabelRaceGear4,
            Page().LabelRaceGear5, Page().LabelRaceGear6 };
        for (int g = 0; g < RACE_GEARS; ++g) {
            EXPECT_EQ(labels[g]->Visible(), c.labels[g]) << "system " << c.system << " gear " << g + 1;
            for (int col = 0; col < RACE_GEAR_COLUMNS; ++col) {
                EXPECT_EQ(Page().GearEdits[size_t(g)][size_t(col)]->Visible(), c.rows[g])
                    << "system " << c.system << " gear " << g + 1;
                EXPECT_EQ(Page().GearUpDowns[size_t(g)][size_t(col)]->Visible(), c.rows[g]);
            }
        }
    }
}

TEST_F(RacePage, TheEngagedGearLightsItsRow)
{
    Byte(GEAR_SYSTEM) = 0;
    Byte(GEAR_COUNT) = 6;
    Load();
    TLabel* labels[] = { Page().LabelRaceGear1, Page().LabelRaceGear2, Page().LabelRaceGear3, Page().LabelRaceGear4,
        Page().LabelRaceGear5, Page().LabelRaceGear6 };
    for (int gear : { 3, 255, 0, 6 }) {
        Live({ { 'B', 197, gear } });
        for (int g = 1; g <= RACE_GEARS; ++g) {
            const bool lit = g == gear;
            EXPECT_EQ(labels[g - 1]->Color(), lit ? TColor(0x00FF00) : clBtnFace) << "live " << gear << " row " << g;
            for (TEdit* edit : Page().GearEdits[size_t(g - 1)])
                EXPECT_EQ(edit->Color(), lit ? TColor(0x00FF00) : clWindow) << "live " << gear << " row " << g;
        }
    }
}

TEST_F(RacePage, TheDecelerationActionTakesTheUnitOfTheIdleActuator)
{
    struct Case {
        int mode, percent;
        int cell; // a byte, or a word index when `word`
        bool word;
        int value; // in the image
        int shown;
        const char* caption;
    } cases[] = {
        { 1, 0, DC_SERVO_MV, false, 40, 2000, "Intake servo [mV]" },
        { 1, 1, DC_SERVO_PERCENT, false, 55, 55, "Intake servo [%]" },
        { 2, 0, DC_STEP_WORD, true, -1200, -1200, "Step motor without potentiometer" },
        { 3, 0, DC_STEP_TP_MIN_WORD, true, 30000, 30000, "Step motor set TP min" },
    };
    for (const Case& c : cases) {
        Idle(c.mode, c.percent);
        if (c.word)
            SetWord(c.cell, c.value);
        else
            Byte(c.cell) = uint8_t(c.value);
        Load();
        EXPECT_EQ(Page().UpDownDCaction->Position(), c.shown) << "mode " << c.mode;
        EXPECT_EQ(Page().LabelDCaction->Caption(), c.caption) << "mode " << c.mode;
        Store();
        EXPECT_EQ(c.word ? int(SignedWord(c.cell)) : int(Byte(c.cell)), c.value) << "mode " << c.mode;
    }
}

TEST_F(RacePage, AnActionOfAnotherUnitIsNotHeldToTheOldRange)
{
    Idle(1, 1);
    Byte(DC_SERVO_PERCENT) = 60;
    Load();
    ASSERT_EQ(Page().UpDownDCaction->Max(), 100);
    Idle(2, 1);
    SetWord(DC_STEP_WORD, -1200);
    Load();
    EXPECT_EQ(Page().UpDownDCaction->Position(), -1200);
    Store();
    EXPECT_EQ(SignedWord(DC_STEP_WORD), -1200);
}

TEST_F(RacePage, SwitchingTheServoToPercentMovesTheActionToItsByte)
{
    Idle(1, 0);
    Byte(DC_SERVO_MV) = 40;
    Byte(DC_SERVO_PERCENT) = 7;
    Load();
    ASSERT_EQ(Page().UpDownDCaction->Position(), 2000);
    // The Servo page's load after the unit switch.
    Byte(INTAKE_SERVO_PERCENT) = 1;
    UpdateRaceControls(form.get());
    EXPECT_EQ(Page().LabelDCaction->Caption(), "Intake servo [%]");
    Store();
    EXPECT_EQ(Byte(DC_SERVO_PERCENT), 100) << "held to 0..100";
    EXPECT_EQ(Byte(DC_SERVO_MV), 40) << "the millivolt byte is left alone";
}

TEST_F(RacePage, WithoutAnIdleActuatorTheActionCellsAreLeftAlone)
{
    for (int mode : { 0, 4, 200 }) {
        Idle(mode, 0);
        Byte(DC_ALLOWED) = 1;
        Byte(DC_SERVO_PERCENT) = 7;
        Byte(DC_SERVO_MV) = 9;
        SetWord(DC_STEP_WORD, 1234);
        SetWord(DC_STEP_TP_MIN_WORD, -4321);
        Load();
        Page().UpDownDCaction->SetPosition(3);
        Store();
        EXPECT_EQ(Byte(DC_SERVO_PERCENT), 7) << mode;
        EXPECT_EQ(Byte(DC_SERVO_MV), 9) << mode;
        EXPECT_EQ(SignedWord(DC_STEP_WORD), 1234) << mode;
        EXPECT_EQ(SignedWord(DC_STEP_TP_MIN_WORD), -4321) << mode;
        EXPECT_EQ(Byte(DC_ALLOWED), 1) << "the allowed box keeps its value, mode " << mode;
        EXPECT_FALSE(Page().CheckBoxRaceDC->Enabled()) << mode;
        EXPECT_FALSE(Page().ButtonDCTest->Enabled()) << mode;
        EXPECT_FALSE(Page().EditDCaction->Enabled()) << mode;
    }
}

TEST_F(RacePage, DecelerationControlsFollowAllowedAndSpeed)
{
    struct Case {
        int allowed, bySpeed;
        bool useSpeed, speedMin, tpsRpm, action;
    } cases[] = {
        { 0, 0, false, false, false, false },
        { 1, 0, true, false, true, true },
        { 1, 1, true, true, false, true },
    };
    for (const Case& c : cases) {
        Idle(2, 0);
        Byte(DC_ALLOWED) = uint8_t(c.allowed);
        Byte(DC_USE_SPEED) = uint8_t(c.bySpeed);
        Load();
        EXPECT_TRUE(Page().CheckBoxRaceDC->Enabled());
        EXPECT_TRUE(Page().ButtonDCTest->Enabled());
        EXPECT_EQ(Page().CheckBoxDCUseSpeed->Enabled(), c.useSpeed) << c.allowed << c.bySpeed;
        EXPECT_EQ(Page().EditDCSpeedMin->Enabled(), c.speedMin) << c.allowed << c.bySpeed;
        EXPECT_EQ(Page().LabelDCSpeedMin->Enabled(), c.speedMin) << c.allowed << c.bySpeed;
        EXPECT_EQ(Page().UpDownDCTPSmin->Enabled(), c.tpsRpm) << c.allowed << c.bySpeed;
        EXPECT_EQ(Page().EditDCRPMmin->Enabled(), c.tpsRpm) << c.allowed << c.bySpeed;
        EXPECT_EQ(Page().UpDownDCaction->Enabled(), c.action) << c.allowed << c.bySpeed;
    }
}

TEST_F(RacePage, OnlyListedBikesKeepADisplayChoice)
{
    struct Case {
        int bike;
        bool enabled;
        uint8_t kept;
    } cases[] = { { 17, true, 2 }, { 61, true, 2 }, { 11, false, 0 }, { 0, false, 0 } };
    for (const Case& c : cases) {
        Byte(BIKE_CODE) = uint8_t(c.bike);
        Byte(DISPLAY) = 2;
        Load();
        EXPECT_EQ(Page().RadioGroupDisplay->Enabled(), c.enabled) << c.bike;
        EXPECT_EQ(Byte(DISPLAY), c.kept) << c.bike;
        Store();
        EXPECT_EQ(Byte(DISPLAY), c.kept) << "the store keeps it, bike " << c.bike;
    }
}

TEST_F(RacePage, ALoadThenAStoreChangesNoByte)
{
    for (int mode : { 0, 1, 2, 3 }) {
        Idle(mode, mode == 1 ? 0 : 1);
        Byte(BIKE_CODE) = 17;
        // Cells outside their ranges are first held to them.
        Load();
        Store();
        Load();
        const RsImage before = form->PcImage;
        Store();
        for (int i = 0; i < int(std::size(before.b)); ++i)
            EXPECT_EQ(form->PcImage.b[size_t(i)], before.b[size_t(i)]) << "byte " << i << ", idle mode " << mode;
    }
}

TEST_F(RacePage, TheClutchModeCommitsAtOnce)
{
    Byte(CLUTCH_MODE) = 0;
    Load();
    Page().RadioGroupClutchMode->SetItemIndex(1);
    EXPECT_EQ(Byte(CLUTCH_MODE), 1);
    Page().RadioGroupClutchMode->SetItemIndex(0);
    EXPECT_EQ(Byte(CLUTCH_MODE), 0);
}

TEST_F(RacePage, TestSetsOnlyTheDecelerationBitOnce)
{
    Idle(2, 0);
    Load();
    Page().ButtonDCTest->Click();
    Page().ButtonDCTest->Click();
    const std::array<uint8_t, 4> expected { 0, 0, 0, 0x80 };
    EXPECT_EQ(form->OneShot.Pending(), expected);
}

TEST_F(RacePage, RaceAndGearTextsFollowTheLanguage)
{
    Idle(1, 1);
    Byte(race_cells::GEAR_SYSTEM) = 0;
    Byte(CLUTCH_MODE) = 1;
    struct Case {
        int language;
        const char* clutchItem;
        const char* action;
        const char* shiftLight;
        const char* gearSheet;
        const char* gearButton;
        const char* gearSystem;
        const char* gearItem;
    } cases[] = {
        { 1, "Spätzündung", "Ansaugservo [%]", "Schaltblitz [rpm]", "Gang", "<- Gang 3", "Gangbestimmung",
            "Gangsensor" },
        { 2, "Zpoždění zážehu", "Sací servo [%]", "Kontrolka řazení [rpm]", "Převod", "<- Převod 3",
            "Určení rychlostního stupně", "Snímač polohy řazení" },
        { 0, "Retard", "Intake servo [%]", "Gear shift light [rpm]", "Gear", "<- Gear 3", "Determining of gear",
            "Gear position sensor" },
    };
    const int saved = LangIndex;
    for (const Case& c : cases) {
        LangIndex = c.language;
        ApplyLanguage(form.get());
        LoadPages(form.get(), 1);
        TRadioGroup* clutch = Page().RadioGroupClutchMode;
        EXPECT_EQ(clutch->ItemText(1), c.clutchItem) << c.language;
        EXPECT_EQ(clutch->ItemIndex(), 1) << "the choice stays, " << c.language;
        EXPECT_EQ(Page().LabelDCaction->Caption(), c.action) << c.language;
        EXPECT_EQ(Page().LabelGearShiftLight->Caption(), c.shiftLight) << c.language;
        const GearPageControls& gear = form->GearPage;
        EXPECT_EQ(form->PageSheets[PAGE_SLOT_GEAR]->Caption(), c.gearSheet) << c.language;
        EXPECT_EQ(gear.ButtonGear3->Caption(), c.gearButton) << c.language;
        EXPECT_EQ(gear.RadioGroupGearSystem->Caption(), c.gearSystem) << c.language;
        EXPECT_EQ(gear.RadioGroupGearSystem->ItemText(gear.RadioGroupGearSystem->ItemIndex()), c.gearItem)
            << c.language;
    }
    LangIndex = saved;
    EXPECT_EQ(Byte(CLUTCH_MODE), 1);
    EXPECT_EQ(Byte(race_cells::GEAR_SYSTEM), 0);
}

} // namespace
