// The refresh of every live display from the held live block. Each label is
// written from the block, the decoded values and the image on every run, so
// a run without live data leaves "---" everywhere and nothing stale.
#include "monitor/panel.h"

#include "app/main.h"
#include "monitor/extmonitor_live.h"
#include "monitor/livetext.h"
#include "pages/pages.h"
#include "pages/test.h"
#include "texts/langtext.h"

#include <QFontMetrics>
#include <QVariant>
#include <QWidget>

#include <cstdlib>

namespace {

using namespace live;

// Image cells the panel reads.
constexpr int CELL_LIMITER = 2560; // rpm / 100
constexpr int MIN_FIT_PERCENT = 70;
constexpr int CELL_SECOND_ADVANCE_SHOWN = 2585;
constexpr int CELL_POT_MODE = 2779; // 4: launch control
constexpr int POT_MODE_LAUNCH = 4;
constexpr int CELL_EXHAUST_SERVO_ON = 2781;
constexpr int CELL_INTAKE_SERVO_ON = 2782;

// Message slots.
enum Slot {
    S_ADVANCE = 11,
    S_PROGRAMMINGS = 12,
    S_BLOCKING = 13,
    S_START_LIMITER = 14,
    S_START_LIMITER_RETARD = 16,
    S_LIMITER_IGN = 17,
    S_LIMITER_INJ = 18,
    S_LIMITER_RETARD = 19,
    S_YES = 20,
    S_NO = 21,
    S_CKPS = 38,
    S_CMPS = 39,
    S_RUNNING = 40,
    S_NO_SIGNAL = 41,
    S_INJ_TIME = 46,
    S_MAX_INJ = 47,
    S_POSITION = 48,
    S_EXHAUST_SERVO = 49,
    S_INTAKE_SERVO = 50,
    S_POTENTIOMETER = 52,
    S_FALL_SENSOR = 53,
    S_COOLING = 54,
    S_GEAR = 55,
    S_SHIFT_UP = 66,
    S_TACHO_AUTOTUNE = 69,
    S_TACHO_LAMBDA = 70,
    S_INJ_BY_TP = 71,
    S_COOLANT = 72,
    S_IDLE = 76,
    S_GEAR_VOLTAGE = 108,
    S_STEP_SERVO = 109,
    S_PIT_RETARD = 110,
    S_PIT_NO_IGN = 111,
    S_GAS_HANDLE = 112,
    S_POWER_OUT_OFF = 113,
    S_SPEED_OF_RETURN = 138,
    S_PROP_EFFECT = 140,
    S_ACC_THRESHOLD = 141,
    S_MIN_ADVANCE = 143,
    S_SPEED_REAR = 147,
    S_SPEED_FRONT = 148,
    S_SPEED_REAR_FRONT = 149,
    S_LAUNCH_ACCEL = 150,
    S_LAUNCH_RETARD = 151,
    S_SLIP = 152,
    S_TRACK_RETARD = 153,
    S_NO_SYNC = 156,
    S_HOUR_METER = 157,
    S_HOURS_MINUTES = 158,
    S_N2O = 159,
    S_RPM_SPEED = 172,
    S_DWELL = 173,
    S_OFF = 183,
};

// The texts of the self-tuning state codes 0..25.
constexpr int TUNING_STATE_SLOTS[26] = { 82, 84, 85, 86, 93, 94, 95, 96, 97, 98, 99, 100, 101, 102, 103, 104, 105, 83,
    87, 88, 89, 90, 91, 92, 107, 106 };

struct PowerOutState {
    int slot;
    TColor colour;
};
// Codes 1..13 of a power output's state; any other code shows "disabled".
constexpr PowerOutState POWER_OUT_STATES[14] = { { S_POWER_OUT_OFF, clBtnFace }, { 114, clWhite }, { 115, clYellow },
    { 116, clAqua }, { 117, clWhite }, { 118, clYellow }, { 119, clAqua }, { 120, clWhite }, { 121, clAqua },
    { 122, clWhite }, { 123, clAqua }, { 124, clWhite }, { 125, clAqua }, { 126, clLime } };
constexpr int POWER_OUT_BYTES[4] = { BPowerOut1, BPowerOut2, BPowerOut3, BPowerOut4 };

// A correction label: "%s= %s <unit>" with the name slot and (Wk - divisor x offset) / divisor.
struct CorrectionLabel {
    TLabel* LivePageControls::*label;
    const char* format;
    int slot;
    int word;
    int divisor;
    int offset;
};
constexpr CorrectionLabel CORRECTION_LABELS[] = {
    { &LivePageControls::LabelCorInjTW, "%s= %s %%", 160, WCorCoolant, 10, 0 },
    { &LivePageControls::LabelCorInjAT, "%s= %s %%", 161, WCorAir, 10, 0 },
    { &LivePageControls::LabelCorInjAP, "%s= %s %%", 162, WCorAp, 10, 0 },
    { &LivePageControls::LabelCorInjStart, "%s= %s %%", 163, WCorStart, 10, 0 },
    { &LivePageControls::LabelCorInjPotenc, "%s= %s %%", 164, WCorPot, 10, 0 },
    { &LivePageControls::LabelCorInjU, "%s= %s us", 171, WCorBattery, 1, 1000 },
    { &LivePageControls::LabelCorAdvTW, "%s= %s °", 160, WAdvCorCoolant, 10, 100 },
    { &LivePageControls::LabelCorAdvPotenc, "%s= %s °", 164, WAdvCorPot, 10, 100 },
    { &LivePageControls::LabelCorAdvIdle, "%s= %s °", 165, WAdvCorIdle, 10, 100 },
    { &LivePageControls::LabelCorAdvAT, "%s= %s °", 161, WAdvCorAir, 10, 100 },
    { &LivePageControls::LabelAccCor, "%s= %s %%", 166, WAccCor, 10, 0 },
    { &LivePageControls::LabelCorInjAcc, "%s= %s ms", 169, WAccSize, 10, 0 },
    { &LivePageControls::LabelStartJet, "%s= %s ms", 170, WStartInjection, 10, 0 },
    { &LivePageControls::LabelCorAccTW, "%s= %s %%", 167, WAccCoolantCor, 10, 0 },
    { &LivePageControls::LabelCorAccJet, "%s= %s %%", 168, WAccInjCor, 10, 0 },
};

// An input or output state on the Monitor page. A plain label takes its
// colour while the bit is 1, an inverted one while it is 0.
struct StateLabel {
    const char* name;
    bool inverted;
    int slot;
    int byte;
    int bit;
    TColor colour;
    int slotOne; // text while the bit is 1
    int slotZero;
};
constexpr int S_TACHO = 67;
constexpr int S_LAMBDA = 68;
constexpr StateLabel STATE_LABELS[14] = {
    { "LabelMonFallIn", true, S_FALL_SENSOR, BInputs, 0, clFuchsia, S_NO, S_YES },
    { "LabelMonBlock2In", true, S_BLOCKING, BInputs, 2, clAqua, S_NO, S_YES },
    { "LabelMonStartLimiterIn", true, S_START_LIMITER, BInputs, 4, clFuchsia, S_NO, S_YES },
    { "LabelMonClutchIn", true, S_SHIFT_UP, BInputs, 6, clLime, S_NO, S_YES },
    { "LabelMonRpmLambdaIn", true, S_TACHO_AUTOTUNE, BLimiters, 0, clAqua, S_NO, S_YES },
    { "LabelMonStartLimiterOut", false, S_START_LIMITER, BInputs, 5, clFuchsia, S_YES, S_NO },
    { "LabelMonStartLimiterRetardOut", false, S_START_LIMITER_RETARD, BOutputs, 0, clFuchsia, S_YES, S_NO },
    { "LabelMonIgnLimiter", false, S_LIMITER_IGN, BLimiters, 2, clFuchsia, S_YES, S_NO },
    { "LabelMonJetLimiter", false, S_LIMITER_INJ, BLimiters, 3, clFuchsia, S_YES, S_NO },
    { "LabelMonRetardLimiter", false, S_LIMITER_RETARD, BLimiters, 4, clFuchsia, S_YES, S_NO },
    { "LabelMonRpmLambdaOut", true, S_TACHO_LAMBDA, BLimiters, 1, clAqua, S_TACHO, S_LAMBDA },
    { "LabelMonClutchOut", false, S_SHIFT_UP, BInputs, 7, clRed, S_YES, S_NO },
    { "LabelMonPitRetardOn", false, S_PIT_RETARD, BErrors, 5, clFuchsia, S_YES, S_NO },
    { "LabelPitIgn", false, S_PIT_NO_IGN, BErrors, 6, clFuchsia, S_YES, S_NO },
};

// One run of the refresh: the block, the values, the texts and the switch
// "Extended Monitor" that adds the raw sensor voltages.
class Refresh {
public:
    explicit Refresh(TMainForm* form)
        : form_(form)
        , live_(form->Monitor)
        , k_(form->Live)
        , v_(live_.Values)
        , ch_(live_.Channels)
        , image_(form->PcImage.b)
        , text_(form->Live, LiveDataPresent(form), form->MessageTable)
        , ext_(form->CheckBoxExtMonitor && form->CheckBoxExtMonitor->Checked())
    {
    }
    void Run();

private:
    bool present() const { return text_.Present(); }
    const char* Slot(int slot) const { return text_.Slot(slot).c_str(); }
    static void SetText(TLabel* label, const std::string& text)
    {
        if (!label || label->Caption() == text)
            return;
        label->SetCaption(text);
        FitToPanel(*label, text);
    }
    // A text longer than the panel is written smaller, down to MIN_FIT_PERCENT
    // of the label's own size, rather than cut at the panel's edge.
    static void FitToPanel(TLabel& label, const std::string& text)
    {
        QWidget* widget = label.Widget();
        const QWidget* panel = widget->parentWidget();
        if (!panel)
            return;
        QVariant base = widget->property("panelFontSize");
        if (!base.isValid()) {
            base = label.Font()->Size();
            widget->setProperty("panelFontSize", base);
        }
        const int full = base.toInt();
        const int room = panel->width() - label.Left() - 2;
        const QString caption = QString::fromStdString(text);
        QFont font = label.Font()->ToQFont();
        int size = full;
        for (; size > full * MIN_FIT_PERCENT / 100; --size) {
            font.setPointSize(size);
            if (QFontMetrics(font).horizontalAdvance(caption) <= room)
                break;
        }
        if (label.Font()->Size() != size)
            label.Font()->SetSize(size);
    }
    static void SetColour(TLabel* label, TColor colour)
    {
        if (label)
            label->SetColor(colour);
    }
    void SetBitColour(TLabel* label, bool flag, TColor colour) const
    {
        SetColour(label, present() && flag ? colour : clBtnFace);
    }
    // "name = state" with slot a while the bit is 1 and slot b while it is 0;
    // the colour shows while the bit is 1, or while it is 0 for an inverted label.
    void ShowBitState(TLabel* label, int nameSlot, int byte, int bit, TColor colour, int slotA, int slotB,
        bool colourWhenZero = false) const;
    void ShowStateText(TLabel* label, int code) const;

    void Values();
    void Rpm();
    void Throttle();
    void Lambda();
    void Coolant();
    void Air();
    void Pressures();
    void Battery();
    void AdvanceAndInjection();
    void States();
    void Servos();
    void GasHandle();
    void TestValues();
    void Synchro();
    void Corrections();
    void GearPage();
    void TrackingPage();
    void AccelerationLimiter();
    void MonitorPage();
    void AdvanceLabels();
    void ShowModeStates();
    void HourMeter();

    TMainForm* form_;
    LiveMonitor& live_;
    LiveBlock& k_;
    LiveValues& v_;
    LiveChannelArray& ch_;
    const std::array<uint8_t, RS_LEN_EXE>& image_;
    LiveText text_;
    bool ext_;
};

void Refresh::ShowBitState(
    TLabel* label, int nameSlot, int byte, int bit, TColor colour, int slotA, int slotB, bool colourWhenZero) const
{
    if (!label)
        return;
    label->SetEnabled(true);
    label->SetCaption(FormatText("%s = %s", Slot(nameSlot), text_.Bit(byte, bit, slotA, slotB).c_str()));
    const bool set = text_.BitSet(byte, bit);
    SetBitColour(label, colourWhenZero ? !set : set, colour);
}

void Refresh::ShowStateText(TLabel* label, int code) const
{
    if (!label)
        return;
    label->SetVisible(code != NotUsed);
    if (!present()) {
        label->SetCaption("T: ---");
        label->SetColor(clBtnFace);
        return;
    }
    if (code < int(std::size(TUNING_STATE_SLOTS)))
        label->SetCaption(text_.Slot(TUNING_STATE_SLOTS[code]));
    TColor colour = clFuchsia;
    if (code == 2)
        colour = clBtnFace;
    else if (code == 14)
        colour = clAqua;
    else if (code == 15)
        colour = clYellow;
    else if (code == 16)
        colour = clLime;
    label->SetColor(colour);
}

void Refresh::Values()
{
    DecodeLiveBlock(k_, present(), v_);
    form_->Images.UnitBike = LiveUnitBike(form_->Images.UnitImage, form_->Images.UnitImageValid != 0);
    ComputePanelChannels(k_, v_, form_->PcImage, ch_);

    // What the map tables take on every tick.
    MapLiveValues& maps = form_->LiveValues;
    maps.Rpm = v_.LiveRpm;
    maps.Throttle = v_.LiveTpPercent;
    maps.ServoThrottle = v_.LiveGasPercent;
    maps.Pressure = v_.LiveIap;
    maps.InjTpShare = v_.LiveInjTpShare;
    maps.CoolantByte = k_.B(BCoolant);
    maps.AirByte = k_.B(BAir);
    maps.TimeSinceStart = v_.LiveStartTime;
    maps.Afr = v_.LiveAfr[0];
    maps.ThrottleMissing = v_.TpError != 0;
    maps.PressureMissing = v_.IapError != 0;
    maps.FirstMapIap = v_.LoadSourceA != 0;
    maps.SecondMapIap = v_.LoadSourceB != 0;
}

void Refresh::Rpm()
{
    MonitorPanelControls& p = live_.Panel;
    SetText(p.LabelRpm, FormatText("RPM= %s", text_.Int(v_.LiveRpm).c_str()));
    if (image_[CELL_LIMITER] != 0)
        p.CGaugeRpm->SetProgress(v_.LiveRpm / image_[CELL_LIMITER]);
    const int limiters = v_.LimiterIgn + v_.LimiterInj + v_.LimiterRetard;
    SetColour(p.LabelRpm, limiters == 0 ? clBtnFace : limiters == 3 ? clRed : clFuchsia);
}

void Refresh::Throttle()
{
    MonitorPanelControls& p = live_.Panel;
    const std::string volts = text_.Int(v_.GasHandle ? k_.W(WIntakeServo1) : v_.LiveTpMv);
    if (k_.Bit(BSensorsOff, 1)) {
        SetText(p.LabelTpsMon,
            ext_ ? FormatText("TP= %s (%s mV)", Slot(S_OFF), volts.c_str()) : FormatText("TP= %s", Slot(S_OFF)));
        SetColour(p.LabelTpsMon, clBtnFace);
        SetColour(p.LabelGasMon, clBtnFace);
    } else if (v_.TpError) {
        SetText(p.LabelTpsMon, FormatText("TP= error = %s mV", volts.c_str()));
        SetColour(p.LabelTpsMon, clRed);
        p.CGaugeTps->SetProgress(0);
        p.CGaugeGas->SetProgress(v_.LiveGasPercent / 10);
        SetColour(p.LabelGasMon, v_.GasHandle ? clRed : clBtnFace);
    } else {
        const std::string percent = text_.Scaled(v_.LiveTpPercent, 10, "%4.1f");
        SetText(p.LabelTpsMon,
            ext_ ? FormatText("TP= %s %%= %s mV", percent.c_str(), volts.c_str())
                 : FormatText("TP= %s %%", percent.c_str()));
        SetColour(p.LabelTpsMon, clBtnFace);
        SetColour(p.LabelGasMon, clBtnFace);
        p.CGaugeTps->SetProgress(v_.LiveTpPercent / 10);
        p.CGaugeGas->SetProgress(v_.LiveGasPercent / 10);
    }
    p.LabelGasMon->SetVisible(v_.GasHandle != 0);
    p.CGaugeGas->SetVisible(v_.GasHandle != 0);
    for (int i = 1; i < 4; ++i)
        p.CGaugeLambda[size_t(i)]->SetVisible(v_.LambdaCount > i);
}

void Refresh::Lambda()
{
    MonitorPanelControls& p = live_.Panel;
    SetColour(p.LabelLambda, clBtnFace);
    auto afr = [this](int i) { return text_.Scaled(v_.LiveAfr[size_t(i)], 10, "%4.1f"); };
    auto placeSegments = [&p](const TCGauge* gauge) {
        const int top = gauge->Top() + 17;
        for (TLabel* label : { p.LabelLambdaBlue, p.LabelLambdaGreen, p.LabelLambdaRed })
            label->SetTop(top);
    };
    const int count = std::clamp(v_.LambdaCount, 1, 4);
    if (count != 1 || v_.LiveLambdaMv == NoLambdaVoltage) {
        static constexpr const char* FORMS[4]
            = { "LAMBDA = %s [AFR]", "LAMBDA = %s, %s [AFR]", "LAMBDA = %s, %s, %s [AFR]", "LAMBDA = %s, %s, %s, %s" };
        const std::string a1 = afr(0), a2 = afr(1), a3 = afr(2), a4 = afr(3);
        SetText(p.LabelLambda, FormatText(FORMS[count - 1], a1.c_str(), a2.c_str(), a3.c_str(), a4.c_str()));
        placeSegments(p.CGaugeLambda[size_t(count - 1)]);
        for (int i = 0; i < count; ++i)
            UpdateMonitorGauge(form_, p.CGaugeLambda[size_t(i)], v_.LiveAfr[size_t(i)]);
        return;
    }
    placeSegments(p.CGaugeLambda[0]);
    const std::string volts = text_.Int(v_.LiveLambdaMv);
    if (k_.Bit(BSensorsOff, 6)) {
        SetText(p.LabelLambda,
            ext_ ? FormatText("LAMBDA= %s (%s mV)", Slot(S_OFF), volts.c_str())
                 : FormatText("LAMBDA= %s", Slot(S_OFF)));
        p.CGaugeLambda[0]->SetVisible(false);
        return;
    }
    const std::string a1 = afr(0);
    SetText(p.LabelLambda,
        ext_ ? FormatText("LAMBDA = %s [AFR] = %s mV", a1.c_str(), volts.c_str())
             : FormatText("LAMBDA = %s [AFR]", a1.c_str()));
    UpdateMonitorGauge(form_, p.CGaugeLambda[0], v_.LiveAfr[0]);
}

void Refresh::Coolant()
{
    MonitorPanelControls& p = live_.Panel;
    const char* name = Slot(S_COOLANT);
    const std::string volts = text_.Word(WCoolantMv);
    if (k_.Bit(BSensorsOff, 4)) {
        SetText(p.LabelVoda,
            ext_ ? FormatText("%s= %s (%s mV)", name, Slot(S_OFF), volts.c_str())
                 : FormatText("%s= %s", name, Slot(S_OFF)));
        SetColour(p.LabelVoda, clBtnFace);
        p.CGaugeVoda->SetVisible(false);
        return;
    }
    if (present() && k_.B(BCoolant) == SensorError) {
        // The decode has put in the value the engine runs with meanwhile.
        SetColour(p.LabelVoda, clRed);
        p.CGaugeVoda->SetForeColor(clRed);
        SetText(
            p.LabelVoda, ext_ ? FormatText("%s= error = %s mV", name, volts.c_str()) : FormatText("%s= error", name));
    } else {
        const bool hot = v_.LiveTw >= 200;
        SetColour(p.LabelVoda, hot ? clYellow : clBtnFace);
        p.CGaugeVoda->SetForeColor(hot ? clYellow : clAqua);
        const std::string degrees = text_.Int(v_.LiveTw - TemperatureOffset);
        SetText(p.LabelVoda,
            ext_ ? FormatText("%s= %s °C= %s mV", name, degrees.c_str(), volts.c_str())
                 : FormatText("%s= %s °C", name, degrees.c_str()));
    }
    p.CGaugeVoda->SetProgress(v_.LiveTw - TemperatureOffset);
    p.CGaugeVoda->SetVisible(true);
}

void Refresh::Air()
{
    TLabel* label = live_.Panel.LabelVzduch;
    const std::string volts = text_.Word(WAirMv);
    if (k_.Bit(BSensorsOff, 5)) {
        SetText(
            label, ext_ ? FormatText("AT= %s (%s mV)", Slot(S_OFF), volts.c_str()) : FormatText("AT= %s", Slot(S_OFF)));
        SetColour(label, clBtnFace);
        return;
    }
    const bool error = present() && v_.LiveTa == SensorError;
    // A failed sensor shows the value the unit runs with meanwhile.
    const std::string degrees = text_.Int(error ? 50 : v_.LiveTa - TemperatureOffset);
    SetColour(label, error ? clRed : clBtnFace);
    SetText(label,
        ext_ ? FormatText("AT= %s °C= %s mV", degrees.c_str(), volts.c_str())
             : FormatText("AT= %s °C", degrees.c_str()));
}

void Refresh::Pressures()
{
    MonitorPanelControls& p = live_.Panel;
    const std::string apVolts = text_.Word(WApMv);
    const std::string ap = text_.Scaled(v_.LiveAp, 10, "%4.1f");
    if (k_.Bit(BSensorsOff, 2)) {
        if (ext_) {
            p.LabelTlak->Font()->SetSize(LangIndex == 2 ? 11 : 12);
            SetText(p.LabelTlak, FormatText("AP= %s(%s kPa)= %s mV", Slot(S_OFF), ap.c_str(), apVolts.c_str()));
        } else {
            p.LabelTlak->Font()->SetSize(12);
            SetText(p.LabelTlak, FormatText("AP= %s", Slot(S_OFF)));
        }
        SetColour(p.LabelTlak, clBtnFace);
    } else {
        p.LabelTlak->Font()->SetSize(12);
        SetText(p.LabelTlak,
            ext_ ? FormatText("AP= %s kPa= %s mV", ap.c_str(), apVolts.c_str()) : FormatText("AP= %s kPa", ap.c_str()));
        SetColour(p.LabelTlak, v_.ApError ? clRed : clBtnFace);
    }

    const std::string iapVolts = text_.Word(WIapMv);
    if (k_.Bit(BSensorsOff, 3)) {
        SetText(p.LabelPodtlak,
            ext_ ? FormatText("IAP= %s (%s mV)", Slot(S_OFF), iapVolts.c_str()) : FormatText("IAP= %s", Slot(S_OFF)));
        SetColour(p.LabelPodtlak, clBtnFace);
    } else if (v_.IapError) {
        SetColour(p.LabelPodtlak, clRed);
        SetText(p.LabelPodtlak, ext_ ? FormatText("IAP= error = %s mV", iapVolts.c_str()) : std::string("IAP= error"));
    } else {
        SetColour(p.LabelPodtlak, clBtnFace);
        const std::string iap = text_.Scaled(v_.LiveIap, 10, "%4.1f");
        SetText(p.LabelPodtlak,
            ext_ ? FormatText("IAP= %s kPa= %s mV", iap.c_str(), iapVolts.c_str())
                 : FormatText("IAP= %s kPa", iap.c_str()));
    }
}

void Refresh::Battery()
{
    TLabel* label = live_.Panel.LabelNapeti;
    const int mv = k_.W(WBatteryMv);
    SetText(label, FormatText("U= %s V", text_.Scaled(mv, 1000, "%.1f").c_str()));
    TColor colour = clBtnFace;
    if (present()) {
        if (mv >= 18000 || mv <= 7000)
            colour = clRed;
        else if (mv >= 15000 || mv <= 11000)
            colour = clYellow;
    }
    SetColour(label, colour);
}

void Refresh::AdvanceAndInjection()
{
    MonitorPanelControls& p = live_.Panel;
    if (v_.FixedAdvance)
        SetText(p.LabelMon_Ign, FormatText("%s= BASE", Slot(S_ADVANCE)));
    else
        SetText(p.LabelMon_Ign,
            FormatText("%s= %s °", Slot(S_ADVANCE), text_.Int(int(ch_[livech::Advance1]), "%2i").c_str()));
    const int dutyA = int(ch_[livech::DutyA]);
    const int dutyB = int(ch_[livech::DutyB]);
    SetText(p.LabelMaxInjProcent,
        FormatText("%s= %s/%s %%", Slot(S_MAX_INJ), text_.Int(dutyA).c_str(), text_.Int(dutyB).c_str()));
    p.CGaugeDuty->SetForeColor(dutyA <= 100 ? clBlue : clYellow);
    p.CGaugeDuty->SetProgress(dutyA);
    p.CGaugeDutyB->SetForeColor(dutyB <= 100 ? clBlue : clYellow);
    p.CGaugeDutyB->SetProgress(dutyB);
    SetText(
        p.LabelMon_Jet_A, FormatText("%s A= %s us", Slot(S_INJ_TIME), text_.Int(int(ch_[livech::InjTimeA])).c_str()));
    SetText(
        p.LabelMon_Jet_B, FormatText("%s B= %s us", Slot(S_INJ_TIME), text_.Int(int(ch_[livech::InjTimeB])).c_str()));
}

void Refresh::States()
{
    MonitorPanelControls& p = live_.Panel;
    ShowBitState(p.LabelSnimacCkps, S_CKPS, BStates, 5, clLime, S_RUNNING, S_NO_SIGNAL);
    ShowBitState(p.LabelSnimacCmps, S_CMPS, BStates, 6, clLime, S_RUNNING, S_NO_SIGNAL);
    ShowBitState(p.LabelMonFallOut, S_FALL_SENSOR, BInputs, 1, clRed, S_YES, S_NO);
    ShowBitState(p.LabelMonBlock2Out, S_BLOCKING, BInputs, 3, clRed, S_YES, S_NO);
    SetText(p.LabelMonSpeed,
        FormatText("%s= %s/%s [km/h]", Slot(S_SPEED_REAR_FRONT), text_.Word(WSpeedRear).c_str(),
            text_.Word(WSpeedFront).c_str()));
    ShowBitState(p.LabelChlazeniMon, S_COOLING, BStates, 4, clWhite, S_YES, S_NO);
    if (v_.LiveGear == NoGear)
        SetText(p.LabelGear, FormatText("%s= ---", Slot(S_GEAR)));
    else
        SetText(p.LabelGear, FormatText("%s= %s", Slot(S_GEAR), text_.Int(v_.LiveGear).c_str()));
    SetColour(p.LabelGear, present() && v_.LiveGear == 0 ? clLime : clBtnFace);
    for (int i = 0; i < 4; ++i)
        ShowStateText(p.LabelTunningMsg[size_t(i)], k_.B(BTuneState1 + i));
}

void Refresh::Servos()
{
    MonitorPanelControls& p = live_.Panel;
    const std::string in1 = text_.Word(WIntakeServo1), in2 = text_.Word(WIntakeServo2);
    const char* name = Slot(S_INTAKE_SERVO);
    if (k_.Bit(BErrors, 4))
        SetText(p.LabelMonServoIntake, FormatText("%s= %s mV/ %s", name, in1.c_str(), Slot(S_IDLE)));
    else if (k_.Bit(BOutputs, 1))
        SetText(p.LabelMonServoIntake,
            FormatText("%s= %s / %s %% (%s/%s mV)", name, text_.Byte(BIntakeServoPercent1).c_str(),
                text_.Byte(BIntakeServoPercent1 + 1).c_str(), in1.c_str(), in2.c_str()));
    else
        SetText(p.LabelMonServoIntake, FormatText("%s= %s / %s mV", name, in1.c_str(), in2.c_str()));
    SetColour(p.LabelMonServoIntake, k_.Bit(BLimiters, 7) || image_[CELL_INTAKE_SERVO_ON] == 0 ? clBtnFace : clRed);

    const std::string ex1 = text_.Word(WExhaustServo1), ex2 = text_.Word(WExhaustServo2);
    name = Slot(S_EXHAUST_SERVO);
    if (k_.Bit(BOutputs, 2))
        SetText(p.LabelMonServoExhaust,
            FormatText("%s= %s / %s %% (%s/%s mV)", name, text_.Byte(BExhaustServoPercent1).c_str(),
                text_.Byte(BExhaustServoPercent1 + 1).c_str(), ex1.c_str(), ex2.c_str()));
    else
        SetText(p.LabelMonServoExhaust, FormatText("%s= %s / %s mV", name, ex1.c_str(), ex2.c_str()));
    SetColour(p.LabelMonServoExhaust, k_.Bit(BLimiters, 6) || image_[CELL_EXHAUST_SERVO_ON] == 0 ? clBtnFace : clRed);
}

void Refresh::GasHandle()
{
    const char* name = Slot(S_GAS_HANDLE);
    const std::string volts = text_.Word(WTpMv);
    std::string shown;
    if (v_.TpError)
        shown = ext_ ? FormatText("%s=error = %s mV", name, volts.c_str()) : FormatText("%s=error", name);
    else if (ext_)
        shown = FormatText("%s= %s %%= %s mV", name, text_.Scaled(v_.LiveGasPercent, 10).c_str(), volts.c_str());
    else
        shown = FormatText("%s= %s %%", name, text_.Scaled(v_.LiveGasPercent, 10).c_str());
    SetText(live_.Panel.LabelGasMon, shown);
    form_->LabelEeDataErr->SetVisible(k_.Bit(BStates, 7));
}

void Refresh::TestValues()
{
    for (int i = 0; i < 12; ++i) {
        const int word = i < 8 ? WTest1 + i : WTest9 + i - 8;
        SetText(form_->TestLabels[size_t(i)], FormatText("Test%d= %s", i + 1, text_.Word(word).c_str()));
    }
    SetText(live_.Pages.LabelPocetProgramovani,
        FormatText("%s = %s", Slot(S_PROGRAMMINGS), text_.Word(WProgrammings).c_str()));
}

void Refresh::Synchro()
{
    TLabel* first = live_.Pages.LabelSyncInfo1;
    TLabel* second = live_.Pages.LabelSyncInfo2;
    auto show = [this](TLabel* label, const char* head, int slot, TColor colour) {
        SetText(label, FormatText("%s%s", head, Slot(slot)));
        SetColour(label, colour);
    };
    switch (k_.B(BSynchro)) {
    case 0:
        show(first, "Synchro 1:", S_NO_SYNC, clBtnFace);
        show(second, "Synchro 2:", S_NO_SYNC, clBtnFace);
        break;
    case 1:
        show(first, "Synchro 1:", S_YES, clLime);
        show(second, "Synchro 2:", S_NO, clBtnFace);
        break;
    case 2:
        show(first, "Synchro 1:", S_YES, clLime);
        show(second, "Synchro 2:", S_YES, clLime);
        break;
    default:
        break;
    }
}

void Refresh::Corrections()
{
    LivePageControls& pages = live_.Pages;
    for (const CorrectionLabel& c : CORRECTION_LABELS)
        SetText(
            pages.*c.label, FormatText(c.format, Slot(c.slot), text_.WordScaled(c.word, c.divisor, c.offset).c_str()));
    SetText(
        pages.LabelAccTres, FormatText("%s= %s %%/s", Slot(174), text_.Int(k_.B(BAccThresholdPercent) * 10).c_str()));
}

void Refresh::GearPage()
{
    LivePageControls& pages = live_.Pages;
    const std::string volts = FormatText("%s= %s mV", Slot(S_GEAR_VOLTAGE), text_.Int(v_.LiveGearMv).c_str());
    SetText(pages.LabelMonGearNapeti, volts);
    SetText(pages.LabelMonGearNapeti1, volts);
    SetText(pages.LabelMonPomerRpmSpeed, FormatText("%s= %s", Slot(S_RPM_SPEED), text_.Word(WRatio).c_str()));
    for (int i = 0; i < 6; ++i)
        SetText(pages.LabelMonPomerRpmSpeedAuto[size_t(i)], text_.Word(WRatioGear1 + i));
    const std::string servo = FormatText("%s= %s", Slot(S_STEP_SERVO), text_.Word(WStepServo).c_str());
    SetText(pages.LabelMonServoPosition, servo);
    SetText(pages.LabelMonServoPositionCopy, servo);
}

void Refresh::TrackingPage()
{
    LivePageControls& pages = live_.Pages;
    const int accel = k_.SignedW(WLaunchAccel);
    if (v_.LaunchUnitKmh == 0) {
        SetText(
            pages.LabelLaunchAccel, FormatText("%s= %s [rpm/s]", Slot(S_LAUNCH_ACCEL), text_.Int(accel * 10).c_str()));
    } else {
        // Tenths of km/h/s, rounded half away from zero.
        const int rounded = accel > 0 ? (accel + 5) / 10 : -((5 - accel) / 10);
        SetText(
            pages.LabelLaunchAccel, FormatText("%s= %s [km/h/s]", Slot(S_LAUNCH_ACCEL), text_.Int(rounded).c_str()));
    }
    SetText(pages.LabelLaunchRetard,
        FormatText("%s= %s °", Slot(S_LAUNCH_RETARD), text_.Scaled(k_.W(WLaunchRetard), 10).c_str()));
    const std::string front = FormatText("%s = %s [km/h]", Slot(S_SPEED_FRONT), text_.Word(WSpeedFront).c_str());
    SetText(pages.LabelTrackSpeedFront, front);
    SetText(pages.LabelMonSpeedF1, front);
    SetText(
        pages.LabelTrackSpeedRear, FormatText("%s = %s [km/h]", Slot(S_SPEED_REAR), text_.Word(WSpeedRear).c_str()));
    SetText(pages.LabelSlip, FormatText("%s = %s [%%]", Slot(S_SLIP), text_.Scaled(k_.SignedW(WSlip), 100).c_str()));
    SetText(pages.LabelTrackRetard,
        FormatText("%s = %s [°]", Slot(S_TRACK_RETARD), text_.Scaled(k_.W(WTrackRetard), 10).c_str()));
}

void Refresh::AccelerationLimiter()
{
    LivePageControls& pages = live_.Pages;
    const bool kmh = v_.LaunchUnitKmh != 0;
    if (!kmh)
        SetText(pages.LabelMonAcclimRetard,
            FormatText("%s = %s (%s) [rpm/s]", Slot(S_ACC_THRESHOLD), text_.Int(v_.AccThreshold).c_str(),
                text_.Int(v_.AccThresholdPot * 100, "%+i").c_str()));
    else
        SetText(pages.LabelMonAcclimRetard,
            FormatText("%s = %s (%s)  [km/h/s]", Slot(S_ACC_THRESHOLD), text_.Int(v_.AccThreshold).c_str(),
                text_.Int(v_.AccThresholdPot, "%+i").c_str()));
    SetText(pages.LabelMonAcclimPropEffect,
        FormatText(kmh ? "%s = %s (%s)  [°/km/h/s]" : "%s = %s (%s) [°/1000 rpm/s]", Slot(S_PROP_EFFECT),
            text_.Scaled(v_.AccPropEffect, 10).c_str(), text_.Scaled(v_.AccPropEffectPot, 10, "%+.1f").c_str()));
    SetText(pages.LabelMonAcclimSpeedRet,
        FormatText("%s = %s (%s) [°/s]", Slot(S_SPEED_OF_RETURN), text_.Int(v_.AccReturnSpeed).c_str(),
            text_.Int(v_.AccReturnSpeedPot, "%+i").c_str()));
    SetText(pages.LabelMonAcclimMinAdv,
        FormatText("%s = %s (%s) [°]", Slot(S_MIN_ADVANCE), text_.Int(v_.AccMinAdvance).c_str(),
            text_.Int(v_.AccMinAdvancePot, "%+i").c_str()));
    const bool shown = image_[CELL_POT_MODE] == POT_MODE_LAUNCH
        && (v_.AccThreshold != 0 || v_.AccPropEffect != 0 || v_.AccReturnSpeed != 0 || v_.AccMinAdvance != 0);
    for (TLabel* label : { pages.LabelMonAcclimRetard, pages.LabelMonAcclimPropEffect, pages.LabelMonAcclimSpeedRet,
             pages.LabelMonAcclimMinAdv })
        if (label)
            label->SetVisible(shown);
}

void Refresh::MonitorPage()
{
    MonitorPageControls& m = live_.MonitorPage;
    const int cylinders = LiveCylinders(form_->PcImage);
    for (int n = 0; n < MaxCylinders; ++n) {
        const std::string a
            = FormatText("%s %iA= %s us", Slot(S_INJ_TIME), n + 1, text_.Int(k_.B(BInjA1 + n) * 100).c_str());
        const std::string b
            = FormatText("%s %iB= %s us", Slot(S_INJ_TIME), n + 1, text_.Int(k_.B(BInjB1 + n) * 100).c_str());
        SetText(m.LabelMon_JetA[size_t(n)], a);
        SetText(m.LabelMon_JetB[size_t(n)], b);
        // Cylinder 1 is always there.
        if (n > 0) {
            m.LabelMon_JetA[size_t(n)]->SetVisible(cylinders > n);
            m.LabelMon_JetB[size_t(n)]->SetVisible(cylinders > n);
        }
    }
    SetText(m.LabelMon_PolohaA, FormatText("%s A= %s °", Slot(S_POSITION), text_.Word(WInjPosA).c_str()));
    SetText(m.LabelMon_PolohaB, FormatText("%s B= %s °", Slot(S_POSITION), text_.Word(WInjPosB).c_str()));
    SetText(m.LabelDleTpsProcent, FormatText("%s= %2s %%", Slot(S_INJ_BY_TP), text_.Int(v_.LiveInjTpShare).c_str()));
    const std::string dwell = FormatText("%s= %s [ms]", Slot(S_DWELL), text_.Scaled(k_.W(WDwell), 10).c_str());
    SetText(m.LabelDwellMer, dwell);
    SetText(live_.Pages.LabelDwellMer2, dwell);
    ShowBitState(m.LabelN2oEnable, S_N2O, BStates, 1, clLime, S_YES, S_NO);
    for (size_t i = 0; i < std::size(STATE_LABELS); ++i) {
        const StateLabel& s = STATE_LABELS[i];
        ShowBitState(m.StateLabels[i], s.slot, s.byte, s.bit, s.colour, s.slotOne, s.slotZero, s.inverted);
    }
    SetText(m.LabelMonPotenc, FormatText("%s = %s mV", Slot(S_POTENTIOMETER), text_.Word(WPotMv).c_str()));
}

void Refresh::AdvanceLabels()
{
    const int cylinders = LiveCylinders(form_->PcImage);
    for (int n = 1; n <= MaxCylinders; ++n) {
        TLabel* label = live_.MonitorPage.MonitorAdvanceLabels[size_t(n - 1)];
        if (!label)
            continue;
        std::string shown;
        if (v_.FixedAdvance && present())
            shown = FormatText("%s %i= BASE", Slot(S_ADVANCE), n);
        else
            shown = FormatText("%s %i= %s °", Slot(S_ADVANCE), n,
                text_.Int(int(ch_[size_t(livech::Advance1 + n - 1)]), "%2i").c_str());
        if (image_[CELL_SECOND_ADVANCE_SHOWN] != 0 && present())
            shown += FormatText(" / %i°", int(k_.W(WSecondAdvance1 + n - 1)));
        label->SetCaption(shown);
        label->SetVisible(cylinders >= n);
    }
}

void Refresh::ShowModeStates()
{
    for (int i = 0; i < 4; ++i) {
        const int code = k_.B(POWER_OUT_BYTES[i]);
        const PowerOutState& state = code >= 1 && code <= 13 ? POWER_OUT_STATES[code] : POWER_OUT_STATES[0];
        for (TLabel* label :
            { live_.MonitorPage.MonitorPowerOutLabels[size_t(i)], live_.Pages.PowerOutPageLabels[size_t(i)] }) {
            SetText(label, Slot(state.slot));
            SetColour(label, state.colour);
        }
    }
    if (TLabel* n2o = live_.MonitorPage.LabelMonN2O) {
        n2o->SetVisible(k_.B(BPowerOut2) == 10);
        n2o->SetCaption(FormatText("N2O %s %%", text_.Byte(BN2oPercent).c_str()));
    }
}

void Refresh::HourMeter()
{
    const int32_t minutes = HourMeterMinutes(k_);
    SetText(live_.Panel.LabelHourMeter,
        FormatText("%s = %i:%02i %s", Slot(S_HOUR_METER), minutes / 60, minutes % 60, Slot(S_HOURS_MINUTES)));
}

void Refresh::Run()
{
    Values();
    Rpm();
    Throttle();
    Lambda();
    Coolant();
    Air();
    Pressures();
    Battery();
    AdvanceAndInjection();
    States();
    Servos();
    GasHandle();
    TestValues();
    Synchro();
    Corrections();
    GearPage();
    TrackingPage();
    AccelerationLimiter();
    MonitorPage();
    AdvanceLabels();
    ShowModeStates();
    HourMeter();
    live_.ShownLive = present();
}

} // namespace

bool LiveDataPresent(const TMainForm* form)
{
    return form->Link->ConnectedPort.load(std::memory_order_acquire) != 0 || form->LogPlayerState == 2
        || form->LogPlayerState == 6;
}

void UpdateLiveMonitor(TMainForm* form)
{
    Refresh(form).Run();
    EnableTestButtons(form);
    ShowLambdaBar(form);
    UpdateDefValues(form);
}

void RefreshLiveMonitorWhenDataGone(TMainForm* form)
{
    if (form->Monitor.ShownLive && !LiveDataPresent(form))
        UpdateLiveMonitor(form);
}
