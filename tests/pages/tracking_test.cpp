// The Tracking page on a started main window: its cells shown and stored
// (biased, scaled, negated and signed ones), the acceleration maps with their
// means and their rebuild, the afterstart point counts, the sections chosen by
// the two switches and the header bar, the speed source with its units, the
// servo pairs, the live status labels, the texts and the maps' room.
#include "pagewindow.h"

#include "app/language.h"
#include "app/maptables.h"
#include "monitor/live.h"
#include "monitor/panel.h"
#include "pages/tracking.h"

#include <set>
#include <vector>

namespace {

using namespace tracking_cells;
using C = TrackingPageControls;

class TrackingPage : public PageWindow {
protected:
    void SetUp() override
    {
        PageWindow::SetUp();
        form->ShowPage(PAGE_SLOT_TRACKING);
    }
    void TearDown() override
    {
        form->ConnectedPort.store(0);
        PageWindow::TearDown();
    }
    C& P() { return form->Tracking; }
    void Load() { LoadTrackingPage(form.get()); }
    void Store() { StoreTrackingPage(form.get()); }
    void Commit() { StoreAndReloadPage(form.get()); }
    int32_t& Cell(TTab* table, int sheet, int column, int row)
    {
        return table->Sheets[sheet].V.Values[row * TAB_MAX_COLS + column];
    }
    void Sections(int launch, int track, int section)
    {
        Byte(LAUNCH_ENABLE) = uint8_t(launch);
        Byte(TRACK_ENABLE) = uint8_t(track);
        P().TrackingHeaderBar->SelectSheet(section);
        Load();
    }
    int Section() { return P().TrackingHeaderBar->CurrentIndex; }
    static bool Shown(const TTab* table) { return !table->isHidden(); }
};

TEST_F(TrackingPage, PairsShowTheirBytesAndStoreThemBack)
{
    struct Case {
        int cell;
        uint8_t byte;
        TUpDown* C::*upDown;
        int position;
        uint8_t stored;
        int source = 0, intakePercent = 0, exhaustPercent = 0;
    } cases[] = {
        { LAUNCH_MIN_ADVANCE, 40, &C::UpDownLaunchMinAdv, -60, 40 },
        { LAUNCH_MIN_ADVANCE, 160, &C::UpDownLaunchMinAdv, 60, 160 },
        { LAUNCH_MIN_ADVANCE, 200, &C::UpDownLaunchMinAdv, 60, 160 },
        { TRACK_MIN_ADVANCE, 88, &C::UpDownTrackMinAdv, -12, 88 },
        { LAUNCH_MAX_SPEED, 200, &C::UpDownLaunchMaxSpeed, 100, 100 },
        { START_IGN_LIMITER, 95, &C::UpDownStartIgnLimiter, 9500, 95 },
        { START_RETARD_LIMITER, 0, &C::UpDownStartRetardLimiter, 100, 1 },
        { START_LIMITER_DELAY, 12, &C::UpDownStartLimiterDelay, 1200, 12 },
        { TRACK_MIN_RPM, 250, &C::UpDownTrackMinRpm, 25000, 250 },
        { TRACK_MIN_SPEED, 251, &C::UpDownTrackMinSpeed, 250, 250 },
        { ACC_MIN_SPEED, 45, &C::UpDownAccMinSpeed, 4500, 45, 0 },
        { ACC_MIN_SPEED, 45, &C::UpDownAccMinSpeed, 45, 45, 1 },
        { ACC_MIN_SPEED, 251, &C::UpDownAccMinSpeed, 250, 250, 1 },
        { START_SERVO_IN_THRESHOLD, 100, &C::UpDownStartServoInThreshold, 2000, 100 },
        { START_SERVO_IN_THRESHOLD, 255, &C::UpDownStartServoInThreshold, 5000, 250 },
        { START_SERVO_IN_THRESHOLD, 120, &C::UpDownStartServoInThreshold, 100, 100, 0, 1 },
        { START_SERVO_EX_THRESHOLD, 60, &C::UpDownStartServoExThreshold, 60, 60, 0, 0, 1 },
        { START_SERVO_EX_THRESHOLD, 60, &C::UpDownStartServoExThreshold, 1200, 60, 0, 1, 0 },
        { TRACK_FILTER_OVERLAP, 250, &C::UpDownTrackOverlap, 250, 250 },
    };
    for (const Case& c : cases) {
        Byte(SPEED_SOURCE) = uint8_t(c.source);
        Byte(INTAKE_SERVO_PERCENT) = uint8_t(c.intakePercent);
        Byte(EXHAUST_SERVO_PERCENT) = uint8_t(c.exhaustPercent);
        Byte(c.cell) = c.byte;
        Load();
        const std::string where = std::to_string(c.cell) + " byte " + std::to_string(c.byte);
        EXPECT_EQ((P().*c.upDown)->Position(), c.position) << where;
        Store();
        EXPECT_EQ(Byte(c.cell), c.stored) << where;
    }
}

TEST_F(TrackingPage, SwitchesAndTheFilterEndStoreAsZeroOrOne)
{
    for (uint8_t end : { 0, 7 }) {
        Byte(TRACK_FILTER_END) = end;
        Byte(START_SERVO_IN) = end;
        Load();
        EXPECT_EQ(P().RadioButtonTrackEnd->Checked(), end != 0);
        EXPECT_EQ(P().RadioButtonTrackBegin->Checked(), end == 0);
        EXPECT_EQ(P().CheckBoxStartServoIn->Checked(), end != 0);
        Store();
        EXPECT_EQ(Byte(TRACK_FILTER_END), end ? 1 : 0);
        EXPECT_EQ(Byte(START_SERVO_IN), end ? 1 : 0);
    }
}

TEST_F(TrackingPage, RetardCellsAreNegatedAndTrackBytesReadSigned)
{
    TTab* retard = P().AfterstartRetardTable;
    TTab* limiter = P().AfterstartLimiterTable;
    TTab* track = P().TrackControlTable;
    Byte(RETARD_VALUES + 3) = 12;
    Byte(LIMITER_VALUES + 14) = 95;
    Byte(TRACK_RETARD + 10 * 5 + 9) = 200;
    Byte(TRACK_RETARD + 10 * 2 + 4) = 30;
    form->PcImage.SetWord(TRACK_TP_WORD + 5, 100);
    Byte(TRACK_SLIP + 9) = 90;
    Load();
    EXPECT_EQ(Cell(retard, 0, 3, 0), -12);
    EXPECT_EQ(Cell(limiter, 0, 14, 0), 95);
    EXPECT_EQ(Cell(track, 0, 9, 5), 56) << "200 is -56 read signed";
    EXPECT_EQ(Cell(track, 0, 4, 2), -30);
    EXPECT_EQ(track->Sheets[0].Y.Values[5], 100);
    EXPECT_EQ(track->Sheets[0].X.Values[9], 90);

    Cell(retard, 0, 7, 0) = -12;
    Cell(track, 0, 0, 0) = -30;
    Cell(limiter, 0, 0, 0) = 40;
    track->Sheets[0].Y.Values[0] = 3;
    Store();
    EXPECT_EQ(Byte(RETARD_VALUES + 7), 12);
    EXPECT_EQ(Byte(TRACK_RETARD), 30);
    EXPECT_EQ(Byte(LIMITER_VALUES), 40);
    EXPECT_EQ(Byte(TRACK_RETARD + 10 * 5 + 9), 200);
    EXPECT_EQ(form->PcImage.Word(TRACK_TP_WORD), 3);
    EXPECT_EQ(form->PcImage.Word(TRACK_TP_WORD + 5), 100);
}

TEST_F(TrackingPage, PointCountsAreForcedIntoOneToFifteen)
{
    const struct {
        uint8_t byte;
        int count;
    } cases[] = { { 0, 1 }, { 1, 1 }, { 7, 7 }, { 15, 15 }, { 16, 15 }, { 200, 15 } };
    for (const auto& c : cases) {
        Byte(RETARD_COUNT) = c.byte;
        Byte(LIMITER_COUNT) = c.byte;
        Load();
        EXPECT_EQ(Byte(RETARD_COUNT), c.count) << int(c.byte);
        EXPECT_EQ(Byte(LIMITER_COUNT), c.count) << int(c.byte);
        EXPECT_EQ(P().AfterstartRetardTable->Sheets[0].X.Count, c.count) << int(c.byte);
        EXPECT_EQ(P().AfterstartLimiterTable->Sheets[0].X.Count, c.count) << int(c.byte);
        Store();
        EXPECT_EQ(Byte(RETARD_COUNT), c.count) << int(c.byte);
    }
}

TEST_F(TrackingPage, EveryStoreWritesTheMeansOfTheAccelerationMaps)
{
    TTab* t = P().AccelerationTable;
    Load();
    for (int s = 0; s < 3; ++s) {
        for (int r = 0; r < ACC_SIZE; ++r)
            for (int c = 0; c < ACC_SIZE; ++c)
                Cell(t, s, c, r) = 50;
        Cell(t, s, 4, 4) = 49 - s;
    }
    Store();
    EXPECT_EQ(Byte(ACC_THRESHOLD_MEAN), 49) << "1249 / 25";
    EXPECT_EQ(Byte(ACC_RETURN_MEAN), 49) << "1248 / 25";
    EXPECT_EQ(Byte(ACC_EFFECT_MEAN), 49) << "1247 / 25";
    EXPECT_EQ(Byte(ACCELERATION_MAPS[0].cells + 24), 49);
    EXPECT_EQ(Byte(ACCELERATION_MAPS[2].cells + 24), 47);
    // The throttle rows are fixed and never written.
    for (int r = 0; r < ACC_SIZE; ++r)
        EXPECT_EQ(t->Sheets[1].Y.Values[r], (std::array { 2, 5, 20, 60, 100 })[size_t(r)]);
}

TEST_F(TrackingPage, ANeverSetAccelerationMapIsRebuiltFromItsMean)
{
    TTab* t = P().AccelerationTable;
    const AccelerationMapCells& unset = ACCELERATION_MAPS[1];
    const AccelerationMapCells& set = ACCELERATION_MAPS[2];
    for (int i = 0; i < ACC_SIZE * ACC_SIZE; ++i) {
        Byte(unset.cells + i) = uint8_t(i);
        Byte(set.cells + i) = uint8_t(100 + i);
    }
    for (int i = 0; i < ACC_SIZE; ++i) {
        Byte(unset.x + i) = uint8_t(i == 0 ? 0 : 70 + i);
        Byte(set.x + i) = uint8_t(30 + i);
    }
    Byte(unset.mean) = 37;
    Load();
    for (int i = 0; i < ACC_SIZE; ++i) {
        EXPECT_EQ(Byte(unset.x + i), ACCELERATION_DEFAULT_RPM[i] / 100) << i;
        EXPECT_EQ(t->Sheets[1].X.Values[i], ACCELERATION_DEFAULT_RPM[i] / 100) << i;
        EXPECT_EQ(t->Sheets[2].X.Values[i], 30 + i) << "a set map is copied";
    }
    for (int i = 0; i < ACC_SIZE * ACC_SIZE; ++i) {
        EXPECT_EQ(Byte(unset.cells + i), 37) << i;
        EXPECT_EQ(Cell(t, 1, i % ACC_SIZE, i / ACC_SIZE), 37) << i;
        EXPECT_EQ(Cell(t, 2, i % ACC_SIZE, i / ACC_SIZE), 100 + i) << i;
    }
    // The user's cells survive the next commit and load.
    Cell(t, 1, 2, 3) = 90;
    Commit();
    EXPECT_EQ(Byte(unset.cells + 3 * ACC_SIZE + 2), 90);
    EXPECT_EQ(Cell(t, 1, 2, 3), 90);
    EXPECT_EQ(Byte(unset.cells), 37);
}

TEST_F(TrackingPage, ALoadAndAStoreWithoutEditChangeOnlyTheRepairs)
{
    Byte(RETARD_COUNT) = 0;
    Byte(LIMITER_COUNT) = 9;
    Byte(ACCELERATION_MAPS[0].x) = 0;
    Byte(ACCELERATION_MAPS[0].mean) = 12;
    Byte(TRACK_RETARD + 17) = 0x80;
    Byte(TRACK_FILTER_END) = 1;
    // In range for their pairs: a byte out of range is clamped by its store.
    Byte(LAUNCH_MIN_ADVANCE) = 100;
    Byte(TRACK_MIN_ADVANCE) = 90;
    Byte(START_IGN_LIMITER) = 80;
    Byte(START_RETARD_LIMITER) = 75;
    const RsImage before = form->PcImage;
    Load();
    Store();
    std::set<int> repairs { RETARD_COUNT };
    for (int i = 0; i < ACC_SIZE; ++i)
        repairs.insert(ACCELERATION_MAPS[0].x + i);
    for (int i = 0; i < ACC_SIZE * ACC_SIZE; ++i)
        repairs.insert(ACCELERATION_MAPS[0].cells + i);
    for (size_t i = 0; i < before.b.size(); ++i)
        if (!repairs.contains(int(i)))
            EXPECT_EQ(form->PcImage.b[i], before.b[i]) << "byte " << i;
}

TEST_F(TrackingPage, TheSwitchesChooseTheSectionShown)
{
    const struct {
        int launch, track, section;
        int shownSection;
        bool bar, switches, status, launchGroups, afterstart, tracking;
        bool launchTabs, trackTab;
    } cases[] = {
        { 0, 1, 0, 2, true, true, true, false, false, true, false, true },
        { 0, 1, 1, 2, true, true, true, false, false, true, false, true },
        { 0, 0, 0, 0, false, true, false, false, false, false, false, false },
        { 0, 0, 2, 2, false, true, false, false, false, false, false, false },
        { 1, 1, 1, 1, true, false, false, false, true, false, true, true },
        { 1, 0, 2, 0, true, true, true, true, false, false, true, false },
        { 1, 1, 0, 0, true, true, true, true, false, false, true, true },
    };
    for (const auto& c : cases) {
        Sections(c.launch, c.track, c.section);
        const std::string where = "launch " + std::to_string(c.launch) + " track " + std::to_string(c.track) + " on "
            + std::to_string(c.section);
        EXPECT_EQ(Section(), c.shownSection) << where;
        EXPECT_EQ(Shown(P().TrackingHeaderBar), c.bar) << where;
        EXPECT_EQ(P().CheckBoxLaunchEnable->Visible(), c.switches) << where;
        EXPECT_EQ(P().CheckBoxTrackEnable->Visible(), c.switches) << where;
        EXPECT_EQ(P().LabelTrackSpeedFront->Visible(), c.status) << where;
        EXPECT_EQ(P().LabelTrackRetard->Visible(), c.status) << where;
        EXPECT_EQ(P().GroupBoxStartLimiters->Visible(), c.launchGroups) << where;
        EXPECT_EQ(P().GroupBoxAccLimiters->Visible(), c.launchGroups) << where;
        EXPECT_EQ(P().GroupBoxStartServoEx->Visible(), c.launchGroups) << where;
        EXPECT_EQ(P().EditLaunchMinAdv->Visible(), c.launchGroups) << where;
        EXPECT_EQ(Shown(P().AfterstartRetardTable), c.afterstart) << where;
        EXPECT_EQ(Shown(P().AfterstartLimiterTable), c.afterstart) << where;
        EXPECT_EQ(Shown(P().TrackControlTable), c.tracking) << where;
        EXPECT_EQ(P().GroupBoxTrackLimits->Visible(), c.tracking) << where;
        const CSheet* tabs = P().TrackingHeaderBar->Sheets;
        EXPECT_EQ(tabs[0].Hidden == 0, c.launchTabs) << where;
        EXPECT_EQ(tabs[1].Hidden == 0, c.launchTabs) << where;
        EXPECT_EQ(tabs[2].Hidden == 0, c.trackTab) << where;
        EXPECT_FALSE(P().LabelAccRetardLimiter->Visible()) << where;
        EXPECT_FALSE(P().EditAccReturnSpeed->Visible()) << where;
    }
}

TEST_F(TrackingPage, TickingASwitchCommitsAndTheReloadSwitchesTheSection)
{
    Sections(0, 0, 0);
    P().CheckBoxTrackEnable->SetChecked(true);
    EXPECT_EQ(Byte(TRACK_ENABLE), 1);
    EXPECT_EQ(Section(), 2);
    EXPECT_TRUE(Shown(P().TrackControlTable));
    EXPECT_FALSE(P().GroupBoxAccLimiters->Visible());

    P().CheckBoxLaunchEnable->SetChecked(true);
    EXPECT_EQ(Byte(LAUNCH_ENABLE), 1);
    EXPECT_EQ(P().TrackingHeaderBar->Sheets[0].Hidden, 0);

    P().CheckBoxTrackEnable->SetChecked(false);
    EXPECT_EQ(Byte(TRACK_ENABLE), 0);
    EXPECT_EQ(Section(), 0);
    EXPECT_TRUE(P().GroupBoxAccLimiters->Visible());
    EXPECT_FALSE(Shown(P().TrackControlTable));
}

TEST_F(TrackingPage, AHeaderTabClickCommitsAndShowsItsSection)
{
    Sections(1, 1, 0);
    P().UpDownTrackSections->SetPosition(77);
    TTab* bar = P().TrackingHeaderBar;
    bar->SelectSheet(1);
    bar->OnMapTableChanged(bar);
    EXPECT_EQ(Byte(TRACK_FILTER_SECTIONS), 77) << "the click commits the page";
    EXPECT_EQ(Section(), 1);
    EXPECT_TRUE(Shown(P().AfterstartRetardTable));
    EXPECT_FALSE(P().GroupBoxStartLimiters->Visible());
    EXPECT_FALSE(P().CheckBoxLaunchEnable->Visible());
}

TEST_F(TrackingPage, TheSpeedSourceSetsUnitsScalesAndTheMinimumSpeedPair)
{
    Sections(1, 0, 0);
    CSheet* sheets = P().AccelerationTable->Sheets;
    const struct {
        int item;
        const char* thresholdUnit;
        double thresholdScale;
        const char* effectUnit;
        double effectScale;
        int max;
        const char* caption;
    } cases[] = {
        { 1, "km/h/s", 1.0, "°/km/h/s", 0.01, 250, "Speed min [km/h]" },
        { 0, "rpm/s", 100.0, "°/1000 rpm/s", 0.1, 25000, "RPM min" },
    };
    for (const auto& c : cases) {
        P().RadioGroupSpeedSource->SetItemIndex(c.item);
        EXPECT_EQ(Byte(SPEED_SOURCE), c.item);
        EXPECT_STREQ(sheets[0].V.Unit, c.thresholdUnit);
        EXPECT_DOUBLE_EQ(sheets[0].V.Scale, c.thresholdScale);
        EXPECT_STREQ(sheets[2].V.Unit, c.effectUnit);
        EXPECT_DOUBLE_EQ(sheets[2].V.Scale, c.effectScale);
        EXPECT_EQ(sheets[2].V.Max, 250);
        EXPECT_EQ(P().UpDownAccMinSpeed->Max(), c.max);
        EXPECT_EQ(P().LabelAccMinSpeed->Caption(), c.caption);
    }
    // A source the page does not know leaves the units alone.
    Byte(SPEED_SOURCE) = 2;
    Load();
    EXPECT_STREQ(sheets[0].V.Unit, "rpm/s");
    EXPECT_DOUBLE_EQ(sheets[2].V.Scale, 0.1);
}

TEST_F(TrackingPage, TheServoPairsFollowTheirSwitchAndUnit)
{
    Byte(START_SERVO_IN) = 0;
    Byte(START_SERVO_EX) = 1;
    Byte(INTAKE_SERVO_PERCENT) = 1;
    Byte(EXHAUST_SERVO_PERCENT) = 0;
    Load();
    EXPECT_FALSE(P().EditStartServoInThreshold->Enabled());
    EXPECT_FALSE(P().UpDownStartServoInFuel->Enabled());
    EXPECT_TRUE(P().CheckBoxStartServoIn->Enabled());
    EXPECT_TRUE(P().EditStartServoExThreshold->Enabled());
    EXPECT_TRUE(P().EditStartServoExFuel->Enabled());
    EXPECT_EQ(P().UpDownStartServoInThreshold->Max(), 100);
    EXPECT_EQ(P().UpDownStartServoExThreshold->Max(), 5000);
    EXPECT_EQ(P().UpDownStartServoExThreshold->Increment(), 20);
    EXPECT_TRUE(P().LabelStartServoInThreshold->Caption().ends_with(" [%]"));
    EXPECT_TRUE(P().LabelStartServoExThreshold->Caption().ends_with(" [mV]"));
}

TEST_F(TrackingPage, ADecodedLiveBlockShowsInTheStatusLabels)
{
    EXPECT_EQ(P().LabelTrackSlip->Caption(), "Slip = --- [%]") << "no unit: no values";
    form->ConnectedPort.store(5);
    LiveBlock& live = form->Live;
    const auto word = [&](int k, int value) {
        live.b[size_t(2 * k)] = uint8_t(value);
        live.b[size_t(2 * k + 1)] = uint8_t(value >> 8);
    };
    word(live::WLaunchAccel, -250);
    word(live::WLaunchRetard, 125);
    word(live::WSpeedFront, 121);
    word(live::WSpeedRear, 118);
    word(live::WSlip, -1234);
    word(live::WTrackRetard, 55);
    const struct {
        uint8_t unit;
        const char* accel;
    } cases[] = { { 0, "L. accel.= -2500 [rpm/s]" }, { 1, "L. accel.= -25 [km/h/s]" } };
    for (const auto& c : cases) {
        live.b[211] = c.unit;
        UpdateLiveMonitor(form.get());
        EXPECT_EQ(P().LabelLaunchAccel->Caption(), c.accel);
        EXPECT_EQ(P().LabelLaunchRetard->Caption(), "L. retard= 12.5 °");
        EXPECT_EQ(P().LabelTrackSpeedFront->Caption(), "Speed front = 121 [km/h]");
        EXPECT_EQ(P().LabelTrackSpeedRear->Caption(), "Speed rear = 118 [km/h]");
        EXPECT_EQ(P().LabelTrackSlip->Caption(), "Slip = -12.34 [%]");
        EXPECT_EQ(P().LabelTrackRetard->Caption(), "Track retard = 5.5 [°]");
    }
}

TEST_F(TrackingPage, TextsFollowTheLanguage)
{
    const struct {
        int language;
        const char* launch;
        const char* delay;
        const char* wheelSpeed;
    } cases[] = {
        { 2, "Ovládání startu povoleno", "Zpoždění startovacího limiteru [ms]", "Rychlost dle zadního kola - km/h" },
        { 1, "Launch enable", "Startbegrenzer Verzögerung [ms]", "Rear wheel speed - km/h" },
        { 0, "Launch enable", "Star limiter delay [ms]", "Rear wheel speed - km/h" },
    };
    for (const auto& c : cases) {
        LangIndex = c.language;
        ApplyLanguage(form.get());
        EXPECT_EQ(P().CheckBoxLaunchEnable->Caption(), c.launch);
        EXPECT_EQ(P().LabelStartLimiterDelay->Caption(), c.delay);
        EXPECT_EQ(P().RadioGroupSpeedSource->ItemText(1), c.wheelSpeed);
    }
}

TEST_F(TrackingPage, ControlsAndMapsStandInTheirPlaces)
{
    TTabSheet* sheet = form->PageSheets[PAGE_SLOT_TRACKING];
    const int w = sheet->ClientWidth();
    EXPECT_EQ(P().TrackingHeaderBar->width(), w);
    EXPECT_EQ(P().TrackingHeaderBar->y(), 4);
    EXPECT_EQ(P().AfterstartLimiterTable->y(), 222);
    EXPECT_EQ(P().TrackControlTable->width(), (w * 6 + 5) / 10);
    EXPECT_EQ(P().AccelerationTable->x(), 205);
    EXPECT_EQ(P().AccelerationTable->TableId, 24);
    // A pair's label stands 60 pixels right of a 40-wide edit (55 of a
    // 35-wide one) and 4 pixels lower.
    EXPECT_EQ(P().LabelTrackMinRpm->Left() - P().EditTrackMinRpm->Left(), 60);
    EXPECT_EQ(P().LabelTrackMinRpm->Top() - P().EditTrackMinRpm->Top(), 4);
    EXPECT_EQ(P().LabelLaunchMinAdv->Left() - P().EditLaunchMinAdv->Left(), 55);
    EXPECT_EQ(P().LabelTrackRetard->Font()->Size(), 12);
    for (TTab* t : { P().AfterstartRetardTable, P().AfterstartLimiterTable, P().TrackControlTable })
        EXPECT_EQ(t->Sheets[0].V.IsBreakpointAxis, 1) << t->TableId;
}

// The track-control map and the acceleration maps are laid out for their own
// column and row counts, so no cell is crammed.
TEST_F(TrackingPage, TheMapsFillTheirTables)
{
    for (const TTab* table : { P().TrackControlTable, P().AccelerationTable })
        ExpectCellsFill(table);
}

} // namespace
