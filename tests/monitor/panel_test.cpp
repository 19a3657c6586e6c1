// Live blocks decoded into the monitor panel and the Monitor page: texts,
// colours, visibility and gauges, with and without live data.

#include "monitorwindow.h"

#include "app/language.h"
#include "monitor/mycomponent.h"
#include "monitor/valuedefs.h"
#include "platform/colors.h"
#include "texts/langtext.h"

namespace {

constexpr int KEEP = -2; // colour or visibility not looked at

struct Shown {
    const char* label;
    const char* text;
    TColor colour = KEEP;
    int visible = KEEP;
};

struct PanelCase {
    const char* name;
    bool present;
    bool extended;
    std::vector<LiveSet> sets;
    std::vector<Shown> shown;
};

// Two cylinders, limiter 12000 rpm, lambda bar 10.0 / 13.0 / 15.0 / 18.0, both servos on.
void SetImage(RsImage& image)
{
    image.b[2574] = 2;
    image.b[2560] = 120;
    image.b[2950] = 100;
    image.b[2951] = 130;
    image.b[2952] = 150;
    image.b[2953] = 180;
    image.b[2585] = 0;
    image.b[2781] = 1;
    image.b[2782] = 1;
}

// A running engine: every sensor in order, one lambda sensor.
const std::vector<LiveSet> RUNNING = {
    { 'W', 2, 6000 },
    { 'W', 47, 123 },
    { 'W', 6, 812 },
    { 'B', 195, 190 },
    { 'B', 196, 125 },
    { 'W', 9, 2100 },
    { 'W', 4, 1013 },
    { 'W', 69, 985 },
    { 'W', 10, 14000 },
    { 'B', 183, 10 },
    { 'B', 184, 12 },
    { 'B', 187, 30 },
    { 'B', 188, 50 },
    { 'B', 203, 147 },
    { 'B', 204, 255 },
    { 'B', 205, 255 },
    { 'B', 206, 255 },
    { 'W', 7, 450 },
    { 'B', 177, 0x20 },
    { 'B', 176, 0x04 | 0x40 | 0x80 },
    { 'B', 197, 3 },
    { 'B', 199, 16 },
    { 'B', 200, 30 },
    { 'B', 201, 255 },
    { 'B', 202, 2 },
    { 'B', 223, 1 },
    { 'W', 68, 0 },
};

std::vector<LiveSet> With(std::vector<LiveSet> sets, const std::vector<LiveSet>& more)
{
    sets.insert(sets.end(), more.begin(), more.end());
    return sets;
}

class PanelTexts : public MonitorWindow, public ::testing::WithParamInterface<PanelCase> { };

TEST_P(PanelTexts, ShowTheBlock)
{
    const PanelCase& c = GetParam();
    SetImage(form->PcImage);
    form->CheckBoxExtMonitor->SetChecked(c.extended);
    Show(c.sets, c.present);
    for (const Shown& s : c.shown) {
        TLabel* label = Label(s.label);
        ASSERT_NE(label, nullptr) << s.label;
        EXPECT_EQ(label->Caption(), s.text) << s.label;
        if (s.colour != KEEP) {
            EXPECT_EQ(label->Color(), s.colour) << s.label;
        }
        if (s.visible != KEEP) {
            EXPECT_EQ(label->Visible(), s.visible != 0) << s.label;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Blocks, PanelTexts,
    ::testing::Values(PanelCase { "NoUnit", false, false, RUNNING,
                          {
                              { "LabelRpm", "RPM= ---", clBtnFace },
                              { "LabelTpsMon", "TP= --- %", clBtnFace },
                              // The zeroed block counts four lambda sensors.
                              { "LabelLambda", "LAMBDA = ---, ---, ---, ---" },
                              { "LabelVoda", "Coolant= --- °C", clBtnFace },
                              { "LabelVzduch", "AT= --- °C", clBtnFace },
                              { "LabelTlak", "AP= --- kPa", clBtnFace },
                              { "LabelNapeti", "U= --- V", clBtnFace },
                              { "LabelMon_Ign", "Advance= --- °" },
                              { "LabelSnimacCkps", "Pick-up (CKPS) = ---", clBtnFace },
                              { "LabelGear", "Gear= ---", clBtnFace },
                              { "LabelTunningMsg", "T: ---", clBtnFace, 1 },
                              { "LabelTunningMsg4", "T: ---", clBtnFace, 1 },
                              { "LabelHourMeter", "Hour meter = 0:00 [h:mm]" },
                              { "LabelMon_Jet_1A", "Injection time 1A= --- us" },
                              { "LabelMonFallIn", "Fall sensor = ---", clBtnFace },
                              { "LabelMonPOut1", "Power out - disabled", clBtnFace },
                          } },
        PanelCase { "Running", true, false, RUNNING,
            {
                { "LabelRpm", "RPM= 6000", clFuchsia },
                { "LabelTpsMon", "TP= 12.3 %", clBtnFace },
                { "LabelLambda", "LAMBDA = 14.7 [AFR]", clBtnFace },
                { "LabelVoda", "Coolant= 90 °C", clBtnFace },
                { "LabelVzduch", "AT= 25 °C", clBtnFace },
                { "LabelTlak", "AP= 101.3 kPa", clBtnFace },
                { "LabelPodtlak", "IAP= 98.5 kPa", clBtnFace },
                { "LabelNapeti", "U= 14.0 V", clBtnFace },
                { "LabelMon_Ign", "Advance= 10 °" },
                // Duty of the longer injection: 6000 rpm x 5.0 ms / 12000.
                { "LabelMaxInjProcent", "Max injection= 25/0 %" },
                { "LabelMon_Jet_A", "Injection time A= 4000 us" },
                { "LabelSnimacCkps", "Pick-up (CKPS) =  is running", clLime },
                { "LabelSnimacCmps", "Pick-up (CMPS) =  no signal", clBtnFace },
                { "LabelGear", "Gear= 3", clBtnFace },
                { "LabelTunningMsg", "T: OK", clLime, 1 },
                // A code beyond the table keeps the text and turns fuchsia.
                { "LabelTunningMsg2", "T: ---", clFuchsia, 1 },
                { "LabelTunningMsg3", "T: ---", KEEP, 0 },
                { "LabelTunningMsg4", "T: Tunning is off", clBtnFace, 1 },
                { "LabelMonServoIntake", "Intake servo= 0 / 0 mV", clBtnFace },
                { "LabelMonServoExhaust", "Exhaust servo = 0 / 0 mV", clBtnFace },
                { "LabelHourMeter", "Hour meter = 1092:16 [h:mm]" },
                { "LabelMon_Jet_1A", "Injection time 1A= 3000 us", KEEP, 1 },
                { "LabelMon_Jet_2A", "Injection time 2A= 5000 us", KEEP, 1 },
                { "LabelMon_Jet_3A", "Injection time 3A= 0 us", KEEP, 0 },
                { "LabelAdvance1", "Advance 1= 10 °", KEEP, 1 },
                { "LabelAdvance2", "Advance 2= 12 °", KEEP, 1 },
                { "LabelAdvance3", "Advance 3=  0 °", KEEP, 0 },
                // Inputs are active at 0: a clear bit reads "YES" in colour.
                { "LabelMonFallIn", "Fall sensor = YES", clFuchsia },
                { "LabelMonIgnLimiter", "Limiter by ignition = YES", clFuchsia },
                { "LabelMonJetLimiter", "Limiter by injection = NO", clBtnFace },
                { "LabelMonRpmLambdaOut", "Tacho/Lambda = Lambda", clAqua },
            } },
        PanelCase { "SensorErrors", true, false,
            With(RUNNING,
                { { 'B', 195, 0 }, { 'B', 196, 0 }, { 'B', 178, 0x07 }, { 'W', 10, 18000 }, { 'B', 176, 0x1C } }),
            {
                { "LabelRpm", "RPM= 6000", clRed },
                { "LabelVoda", "Coolant= error", clRed },
                { "LabelVzduch", "AT= 50 °C", clRed },
                { "LabelTpsMon", "TP= error = 812 mV", clRed },
                { "LabelTlak", "AP= 101.3 kPa", clRed },
                { "LabelPodtlak", "IAP= error", clRed },
                { "LabelNapeti", "U= 18.0 V", clRed },
                { "LabelMonServoIntake", "Intake servo= 0 / 0 mV", clRed },
            } },
        PanelCase { "ExtendedWithSensorsOff", true, true,
            With(RUNNING, { { 'B', 179, 0x10 | 0x40 }, { 'W', 8, 1234 }, { 'W', 10, 11000 } }),
            {
                { "LabelVoda", "Coolant= Off (1234 mV)", clBtnFace },
                { "LabelVzduch", "AT= 25 °C= 2100 mV", clBtnFace },
                { "LabelLambda", "LAMBDA= Off (450 mV)" },
                { "LabelTpsMon", "TP= 12.3 %= 812 mV" },
                { "LabelNapeti", "U= 11.0 V", clYellow },
            } },
        PanelCase { "SignedAdvanceAndBase", true, false, With(RUNNING, { { 'B', 183, 0xF6 }, { 'W', 10, 15000 } }),
            {
                { "LabelMon_Ign", "Advance= -10 °" },
                { "LabelAdvance1", "Advance 1= -10 °" },
                { "LabelNapeti", "U= 15.0 V", clYellow },
            } },
        PanelCase { "FixedBaseAdvance", true, false, With(RUNNING, { { 'B', 177, 0x08 } }),
            {
                { "LabelMon_Ign", "Advance= BASE" },
                { "LabelAdvance1", "Advance 1= BASE" },
                { "LabelAdvance2", "Advance 2= BASE" },
            } },
        PanelCase { "PowerOutputs", true, false,
            With(RUNNING, { { 'B', 208, 2 }, { 'B', 209, 10 }, { 'B', 210, 40 }, { 'B', 220, 13 }, { 'B', 221, 99 } }),
            {
                { "LabelMonPOut1", "Lambda heat - 50%", clYellow },
                { "LabelMonPOut2", "N2O - on", clAqua },
                { "LabelMonPOut3", "Test", clLime },
                { "LabelMonPOut4", "Power out - disabled", clBtnFace },
                { "LabelMonPOut1a", "Lambda heat - 50%", clYellow },
                { "LabelMonPOut2a", "N2O - on", clAqua },
                { "LabelMonPOut3a", "Test", clLime },
                { "LabelMonPOut4a", "Power out - disabled", clBtnFace },
                { "LabelMonN2O", "N2O 40 %", KEEP, 1 },
            } }),
    [](const ::testing::TestParamInfo<PanelCase>& info) { return std::string(info.param.name); });

// The longest texts (hours counter, speeds, values of five digits) fit the
// panel in every language: a text longer than the panel is written smaller.
TEST_F(MonitorWindow, EveryTextFitsThePanelInEachLanguage)
{
    SetImage(form->PcImage);
    const int language = LangIndex;
    for (int lang : { 0, 1, 2 }) {
        SCOPED_TRACE(lang);
        LangIndex = lang;
        ApplyLanguage(form.get());
        Show(With(RUNNING, { { 'W', 68, 7385 }, { 'W', 36, 118 }, { 'W', 65, 121 }, { 'W', 10, 13900 } }), true);
        const QWidget* panel = form->GroupBoxMonitor->ClientWidget();
        for (const QWidget* child : panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            auto* label = dynamic_cast<const TLabel*>(child);
            if (!label || !child->isVisibleTo(panel) || label->Caption().empty())
                continue;
            EXPECT_LE(child->geometry().right(), panel->width()) << label->Caption();
        }
    }
    LangIndex = language;
    ApplyLanguage(form.get());
}

TEST_F(MonitorWindow, GaugesFollowTheBlock)
{
    SetImage(form->PcImage);
    Show(RUNNING);
    const MonitorPanelControls& p = form->Monitor.Panel;
    EXPECT_EQ(p.CGaugeRpm->Progress(), 50);
    EXPECT_EQ(p.CGaugeTps->Progress(), 12);
    EXPECT_EQ(p.CGaugeVoda->Progress(), 90);
    EXPECT_EQ(p.CGaugeVoda->ForeColor(), clAqua);
    EXPECT_EQ(p.CGaugeDuty->Progress(), 25);
    // AFR 14.7 on the bar 10.0 .. 18.0, below the third threshold.
    EXPECT_EQ(p.CGaugeLambda[0]->Progress(), 58);
    EXPECT_EQ(p.CGaugeLambda[0]->ForeColor(), clLime);
    EXPECT_FALSE(p.CGaugeLambda[1]->Visible());
    EXPECT_EQ(p.LabelLambdaBlue->Top(), p.CGaugeLambda[0]->Top() + 17);

    // A failed coolant sensor: the engine runs as if at 80 degrees.
    Show(With(RUNNING, { { 'B', 195, 0 }, { 'B', 204, 150 } }));
    EXPECT_EQ(p.CGaugeVoda->Progress(), 80);
    EXPECT_EQ(p.CGaugeVoda->ForeColor(), clRed);
    EXPECT_EQ(form->Monitor.Values.LiveTw, 180);
    EXPECT_EQ(form->LiveValues.CoolantByte, 0);
    // A second lambda sensor: two gauges, the scale under the lower one.
    EXPECT_EQ(form->Monitor.Panel.LabelLambda->Caption(), "LAMBDA = 14.7, 15.0 [AFR]");
    EXPECT_TRUE(p.CGaugeLambda[1]->Visible());
    EXPECT_EQ(p.LabelLambdaBlue->Top(), p.CGaugeLambda[1]->Top() + 17);

    // Duty reported by the unit wins over the computed one.
    Show(With(RUNNING, { { 'B', 228, 40 }, { 'B', 229, 7 } }));
    EXPECT_EQ(p.CGaugeDuty->Progress(), 40);
    EXPECT_EQ(p.CGaugeDutyB->Progress(), 7);
}

TEST_F(MonitorWindow, CylinderCountBeyondFourReadsNoMoreThanFourCylinders)
{
    // A block read back from the unit can carry any count.
    form->PcImage.b[2574] = 200;
    Show(With(RUNNING, { { 'B', 177, 0x08 } }));
    EXPECT_EQ(form->Monitor.Channels[20], form->PcImage.b[2657]);
    EXPECT_TRUE(Label("LabelAdvance4")->Visible());
    EXPECT_TRUE(Label("LabelMon_Jet_4B")->Visible());
}

TEST_F(MonitorWindow, TestButtonsFollowTheUnitsLock)
{
    const TestPageControls& t = form->TestPage;
    auto enabled = [&](const char* name) {
        for (size_t i = 0; i < ONE_SHOT_BITS.size(); ++i)
            if (std::string(ONE_SHOT_BITS[i].control) == name)
                return t.Buttons[i]->Enabled();
        ADD_FAILURE() << name;
        return false;
    };
    Show(RUNNING);
    EXPECT_TRUE(enabled("ButtonTestJet1A"));
    Show(With(RUNNING, { { 'B', 178, 0x08 } }));
    for (const char* locked :
        { "ButtonTestJet1A", "ButtonTestJet4B", "ButtonTestIgn3", "ButtonTestFuelPump", "ButtonTestCooling",
            "ButtonTestRpm", "ButtonTestPOut1", "ButtonTestPOut4", "ButtonTestServoExMinus", "ButtonTestServo3Plus" })
        EXPECT_FALSE(enabled(locked)) << locked;
    EXPECT_FALSE(t.GroupBoxTestJet->Enabled());
    for (const char* free : { "ButtonTestStop", "ButtonTestPortIn", "ButtonTestPOut5" })
        EXPECT_TRUE(enabled(free)) << free;
    // No unit: the zeroed block carries no lock.
    Show(With(RUNNING, { { 'B', 178, 0x08 } }), false);
    EXPECT_TRUE(enabled("ButtonTestJet1A"));
}

TEST_F(MonitorWindow, ThePanelIsEmptiedOnceWhenLiveDataGoes)
{
    Show(RUNNING);
    ASSERT_EQ(Label("LabelRpm")->Caption(), "RPM= 6000");
    EXPECT_EQ(form->LiveValues.Rpm, 6000);
    form->LogPlayerState = 0; // playback stopped
    form->Timer1Timer(form->Timer1);
    EXPECT_EQ(Label("LabelRpm")->Caption(), "RPM= ---");
    EXPECT_EQ(form->LiveValues.Rpm, 0) << "the map tables lose the operating point too";
    EXPECT_EQ(form->Live.W(2), 0);
}

// Every refresh updates the definitions; the external monitor is marked
// only when a value moved.
TEST_F(MonitorWindow, DefinitionsFollowTheBlockAndMarkTheMonitorOnChange)
{
    CMyGroup place;
    MonitorPlace = &place;
    MonitorHasValues = 0;
    struct Step {
        int rpm;
        int coolant;
        bool marked;
    };
    const Step steps[] = {
        { 3000, 185, true },
        { 3000, 185, false },
        { 3100, 185, true },
        { 3100, 0, true },
    };
    for (const Step& s : steps) {
        place.dirty = 0;
        Show({ { 'W', 2, s.rpm }, { 'B', 195, s.coolant } });
        EXPECT_EQ(GetDef(1010)->value, s.rpm);
        EXPECT_EQ(GetDef(1110)->value, s.coolant - 100);
        EXPECT_EQ(place.dirty != 0, s.marked) << s.rpm << " " << s.coolant;
        EXPECT_EQ(MonitorHasValues, 1);
    }
    EXPECT_EQ(GetDef(1110)->flags, 0x81) << "a coolant sensor reading 0";
    MonitorPlace = nullptr;
    MonitorHasValues = 0;
}

} // namespace
