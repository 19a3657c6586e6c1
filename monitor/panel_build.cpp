// The monitor panel's layout: labels and gauges inside GroupBoxMonitor, top to
// bottom as the engine is read: speed, throttle, lambda, temperatures,
// pressures, battery, advance and injection, then the states.
#include "monitor/panel.h"

#include "app/main.h"

namespace {

constexpr int BIG_FONT = 12;

struct PanelLabel {
    TLabel* MonitorPanelControls::*field;
    const char* name;
    int left, top;
    bool big;
};
constexpr PanelLabel LABELS[] = {
    { &MonitorPanelControls::LabelRpm, "LabelRpm", 8, 14, true },
    { &MonitorPanelControls::LabelTpsMon, "LabelTpsMon", 8, 50, true },
    { &MonitorPanelControls::LabelGasMon, "LabelGasMon", 8, 84, false },
    { &MonitorPanelControls::LabelLambda, "LabelLambda", 8, 112, true },
    { &MonitorPanelControls::LabelVoda, "LabelVoda", 8, 200, true },
    { &MonitorPanelControls::LabelVzduch, "LabelVzduch", 8, 236, true },
    { &MonitorPanelControls::LabelTlak, "LabelTlak", 8, 255, true },
    { &MonitorPanelControls::LabelPodtlak, "LabelPodtlak", 8, 274, true },
    { &MonitorPanelControls::LabelNapeti, "LabelNapeti", 8, 293, true },
    { &MonitorPanelControls::LabelMon_Ign, "LabelMon_Ign", 8, 314, false },
    { &MonitorPanelControls::LabelMaxInjProcent, "LabelMaxInjProcent", 8, 328, false },
    { &MonitorPanelControls::LabelMon_Jet_A, "LabelMon_Jet_A", 8, 356, false },
    { &MonitorPanelControls::LabelMon_Jet_B, "LabelMon_Jet_B", 8, 370, false },
    { &MonitorPanelControls::LabelSnimacCkps, "LabelSnimacCkps", 8, 386, false },
    { &MonitorPanelControls::LabelSnimacCmps, "LabelSnimacCmps", 8, 400, false },
    { &MonitorPanelControls::LabelMonFallOut, "LabelMonFallOut", 8, 414, false },
    { &MonitorPanelControls::LabelMonBlock2Out, "LabelMonBlock2Out", 8, 428, false },
    { &MonitorPanelControls::LabelChlazeniMon, "LabelChlazeniMon", 8, 442, false },
    { &MonitorPanelControls::LabelMonSpeed, "LabelMonSpeed", 8, 456, false },
    { &MonitorPanelControls::LabelGear, "LabelGear", 8, 470, false },
    { &MonitorPanelControls::LabelHourMeter, "LabelHourMeter", 8, 484, false },
    { &MonitorPanelControls::LabelMonServoIntake, "LabelMonServoIntake", 8, 500, false },
    { &MonitorPanelControls::LabelMonServoExhaust, "LabelMonServoExhaust", 8, 514, false },
};

struct PanelGauge {
    TCGauge* MonitorPanelControls::*field;
    const char* name;
    int left, top, width, max;
};
constexpr PanelGauge GAUGES[] = {
    { &MonitorPanelControls::CGaugeRpm, "CGaugeRpm", 8, 34, 204, 100 },
    { &MonitorPanelControls::CGaugeTps, "CGaugeTps", 8, 70, 204, 100 },
    { &MonitorPanelControls::CGaugeGas, "CGaugeGas", 8, 98, 204, 100 },
    { &MonitorPanelControls::CGaugeVoda, "CGaugeVoda", 8, 220, 204, 120 },
    { &MonitorPanelControls::CGaugeDuty, "CGaugeDuty", 8, 342, 100, 100 },
    { &MonitorPanelControls::CGaugeDutyB, "CGaugeDutyB", 112, 342, 100, 100 },
};
constexpr int GAUGE_HEIGHT = 12;
// CGaugeLambda .. CGaugeLambda4, one under the other.
constexpr int LAMBDA_GAUGE_TOP = 132;
constexpr int LAMBDA_GAUGE_STEP = 14;
constexpr int TUNING_TOP = 530;

struct Segment {
    TLabel* MonitorPanelControls::*field;
    const char* name;
    TColor colour;
};
constexpr Segment SEGMENTS[] = {
    { &MonitorPanelControls::LabelLambdaBlue, "LabelLambdaBlue", clBlue },
    { &MonitorPanelControls::LabelLambdaGreen, "LabelLambdaGreen", clLime },
    { &MonitorPanelControls::LabelLambdaRed, "LabelLambdaRed", clFuchsia },
};

template <class T> T* Make(TMainForm* form, TControl* parent, const std::string& name)
{
    T* control = new T(form);
    control->SetName(name);
    control->SetParent(parent);
    return control;
}

} // namespace

void BuildMonitorPanel(TMainForm* form)
{
    MonitorPanelControls& p = form->Monitor.Panel;
    TControl* box = form->GroupBoxMonitor;
    for (const PanelLabel& l : LABELS) {
        TLabel* label = Make<TLabel>(form, box, l.name);
        label->SetLeft(l.left);
        label->SetTop(l.top);
        if (l.big)
            label->Font()->SetSize(BIG_FONT);
        p.*l.field = label;
    }
    for (const PanelGauge& g : GAUGES) {
        TCGauge* gauge = Make<TCGauge>(form, box, g.name);
        gauge->SetBounds(g.left, g.top, g.width, GAUGE_HEIGHT);
        gauge->SetMaxValue(g.max);
        gauge->SetForeColor(clBlue);
        p.*g.field = gauge;
    }
    for (size_t i = 0; i < p.CGaugeLambda.size(); ++i) {
        TCGauge* gauge
            = Make<TCGauge>(form, box, i == 0 ? std::string("CGaugeLambda") : "CGaugeLambda" + std::to_string(i + 1));
        gauge->SetBounds(8, LAMBDA_GAUGE_TOP + int(i) * LAMBDA_GAUGE_STEP, 204, GAUGE_HEIGHT);
        gauge->SetShowText(false);
        p.CGaugeLambda[i] = gauge;
    }
    // The three scale segments under the lambda gauges; the lambda bar lays
    // them out from the thresholds of the image.
    int left = 8;
    for (const Segment& s : SEGMENTS) {
        TLabel* label = Make<TLabel>(form, box, s.name);
        label->SetAutoSize(false);
        label->SetBounds(left, LAMBDA_GAUGE_TOP + 17, 68, 6);
        label->SetColor(s.colour);
        p.*s.field = label;
        left += 68;
    }
    for (size_t i = 0; i < p.LabelTunningMsg.size(); ++i) {
        TLabel* label = Make<TLabel>(
            form, box, i == 0 ? std::string("LabelTunningMsg") : "LabelTunningMsg" + std::to_string(i + 1));
        label->SetLeft(8);
        label->SetTop(TUNING_TOP + int(i) * 14);
        p.LabelTunningMsg[i] = label;
    }

    // The live test values: hidden but in test mode.
    for (size_t i = 0; i < form->TestLabels.size(); ++i) {
        TLabel* label = Make<TLabel>(form, form, "LabelTest" + std::to_string(i + 1));
        label->SetBounds(4 + int(i) * 82, 668, 80, 14);
        label->SetVisible(false);
        form->TestLabels[i] = label;
    }

    // "Extended Monitor" shares its place with the data error label.
    TCheckBox* ext = Make<TCheckBox>(form, form, "CheckBoxExtMonitor");
    const TControl* error = form->LabelEeDataErr;
    ext->SetBounds(error->Left(), error->Top(), 200, 17);
    ext->SetCaption("Extended Monitor");
    ext->OnClick = [form](TObject*) { UpdateLiveMonitor(form); };
    form->CheckBoxExtMonitor = ext;
}
