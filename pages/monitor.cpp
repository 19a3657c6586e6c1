// The Monitor page's layout: four groups of labels whose texts all come from
// the live refresh, and labels of older units that stay hidden.
#include "pages/monitor.h"

#include "app/controlfactory.h"
#include "app/main.h"

namespace {

enum Group { INJ, INPUT, ADVANCE, POWER };

struct GroupPlace {
    const char* name;
    const char* caption;
    int left, top, width, height;
};
constexpr GroupPlace GROUPS[] = {
    { "GroupBoxMonInj", "Injection", 8, 8, 360, 150 },
    { "GroupBoxMonInput", "Feature activated", 8, 164, 500, 250 },
    { "GroupBoxMonAdvance", "Advance", 376, 8, 180, 150 },
    { "GroupBox3", "Power Outs", 516, 164, 230, 250 },
};

struct NamedLabel {
    const char* name;
    int group;
    int left, top;
};
// Injection group: LabelMon_Jet_1A..4A, then 1B..4B.
constexpr NamedLabel JET_A[4] = { { "LabelMon_Jet_1A", INJ, 8, 20 }, { "LabelMon_Jet_2A", INJ, 8, 38 },
    { "LabelMon_Jet_3A", INJ, 8, 56 }, { "LabelMon_Jet_4A", INJ, 8, 74 } };
constexpr NamedLabel JET_B[4] = { { "LabelMon_Jet_1B", INJ, 184, 20 }, { "LabelMon_Jet_2B", INJ, 184, 38 },
    { "LabelMon_Jet_3B", INJ, 184, 56 }, { "LabelMon_Jet_4B", INJ, 184, 74 } };
// In the order of the panel's state table.
constexpr NamedLabel STATES[14] = {
    { "LabelMonFallIn", INPUT, 8, 20 },
    { "LabelMonBlock2In", INPUT, 8, 38 },
    { "LabelMonStartLimiterIn", INPUT, 8, 56 },
    { "LabelMonClutchIn", INPUT, 8, 74 },
    { "LabelMonRpmLambdaIn", INPUT, 8, 92 },
    { "LabelMonStartLimiterOut", INPUT, 250, 20 },
    { "LabelMonStartLimiterRetardOut", INPUT, 250, 38 },
    { "LabelMonIgnLimiter", INPUT, 250, 56 },
    { "LabelMonJetLimiter", INPUT, 250, 74 },
    { "LabelMonRetardLimiter", INPUT, 250, 92 },
    { "LabelMonRpmLambdaOut", INPUT, 250, 110 },
    { "LabelMonClutchOut", INPUT, 250, 128 },
    { "LabelMonPitRetardOn", INPUT, 250, 146 },
    { "LabelPitIgn", INPUT, 250, 164 },
};
constexpr NamedLabel ADVANCES[4] = { { "LabelAdvance1", ADVANCE, 8, 20 }, { "LabelAdvance2", ADVANCE, 8, 38 },
    { "LabelAdvance3", ADVANCE, 8, 56 }, { "LabelAdvance4", ADVANCE, 8, 74 } };
constexpr NamedLabel POWER_OUTS[5] = { { "LabelMonPOut1", POWER, 8, 20 }, { "LabelMonPOut2", POWER, 8, 38 },
    { "LabelMonPOut3", POWER, 8, 56 }, { "LabelMonPOut4", POWER, 8, 74 }, { "LabelMonPOut5", POWER, 8, 92 } };

struct SingleLabel {
    TLabel* MonitorPageControls::*field;
    NamedLabel place;
};
constexpr SingleLabel SINGLES[] = {
    { &MonitorPageControls::LabelMon_PolohaA, { "LabelMon_PolohaA", INJ, 8, 98 } },
    { &MonitorPageControls::LabelMon_PolohaB, { "LabelMon_PolohaB", INJ, 184, 98 } },
    { &MonitorPageControls::LabelDleTpsProcent, { "LabelDleTpsProcent", INJ, 8, 116 } },
    { &MonitorPageControls::LabelDwellMer, { "LabelDwellMer", ADVANCE, 8, 98 } },
    { &MonitorPageControls::LabelN2oEnable, { "LabelN2oEnable", INPUT, 8, 128 } },
    { &MonitorPageControls::LabelMonPotenc, { "LabelMonPotenc", INPUT, 8, 146 } },
    { &MonitorPageControls::LabelMonN2O, { "LabelMonN2O", POWER, 8, 116 } },
};

// Labels of older units: hidden when the window is made and never shown.
constexpr NamedLabel HIDDEN[] = {
    { "LabelMonTlStartIn", INPUT, 8, 190 },
    { "LabelMonNeutral", INPUT, 8, 190 },
    { "LabelMonPinBody1In", INPUT, 8, 190 },
    { "LabelMonPinBody11In", INPUT, 8, 190 },
    { "LabelMonPinEngine14In", INPUT, 8, 190 },
    { "LabelMonPinEngine23In", INPUT, 8, 190 },
    { "LabelMonPinBody35In", INPUT, 8, 190 },
    { "Label2", INPUT, 8, 190 },
    { "LabelMonSideStand", INPUT, 8, 190 },
    { "LabelMonTlStartOut", INPUT, 8, 190 },
    { "LabelMonFan1", INPUT, 8, 190 },
    { "LabelMonFan2", INPUT, 8, 190 },
    { "LabelOilOk", INPUT, 8, 190 },
    { "LabelMonLambda1Heat", INPUT, 8, 190 },
    { "LabelMonFuelMv", INPUT, 8, 190 },
};

} // namespace

void BuildMonitorPage(TMainForm* form)
{
    MonitorPageControls& m = form->Monitor.MonitorPage;
    auto* sheet = dynamic_cast<TControl*>(form->FindComponent("TabSheet_Monitor"));
    std::array<TGroupBox*, std::size(GROUPS)> boxes {};
    for (size_t i = 0; i < std::size(GROUPS); ++i) {
        CreateGroupBox(form, boxes[i], sheet, GROUPS[i].left, GROUPS[i].top, GROUPS[i].width, GROUPS[i].height);
        boxes[i]->SetName(GROUPS[i].name);
        boxes[i]->SetCaption(GROUPS[i].caption);
    }
    auto make = [&](const NamedLabel& at) {
        TLabel* label = nullptr;
        CreateLabel(form, label, boxes[size_t(at.group)], at.left, at.top, u"");
        label->SetName(at.name);
        return label;
    };
    for (size_t n = 0; n < 4; ++n) {
        m.LabelMon_JetA[n] = make(JET_A[n]);
        m.LabelMon_JetB[n] = make(JET_B[n]);
        make(ADVANCES[n]);
    }
    for (size_t i = 0; i < std::size(STATES); ++i)
        m.StateLabels[i] = make(STATES[i]);
    for (const NamedLabel& at : POWER_OUTS)
        make(at);
    for (const SingleLabel& s : SINGLES)
        m.*s.field = make(s.place);
    for (const NamedLabel& at : HIDDEN)
        make(at);
    TLabel* pilot = make({ "LabelMonPilotLight", INPUT, 8, 164 });
    pilot->SetCaption("Pilot Light = --");
    TCGauge* fuel = new TCGauge(form);
    fuel->SetName("CGaugeFuel");
    fuel->SetParent(boxes[INPUT]);
    fuel->SetBounds(8, 210, 150, 12);
}

void RegisterMonitorLabels(TMainForm* form)
{
    MonitorPageControls& m = form->Monitor.MonitorPage;
    for (size_t n = 0; n < std::size(ADVANCES); ++n)
        m.MonitorAdvanceLabels[n] = dynamic_cast<TLabel*>(form->FindComponent(ADVANCES[n].name));
    for (size_t n = 0; n < std::size(POWER_OUTS); ++n)
        m.MonitorPowerOutLabels[n] = dynamic_cast<TLabel*>(form->FindComponent(POWER_OUTS[n].name));
    form->Monitor.Pages.PowerOutPageLabels = form->PowerOut.LabelMonPOut;
}
