// The control texts: every translated control of the main window gets its
// caption, item list or item texts in the current language, in a fixed order
// of steps; the pages' list fillers run between the rows that precede them,
// and a few texts follow bytes of the image.
#include "app/language.h"

#include "app/main.h"
#include "monitor/ExtMon.h"
#include "monitor/panel.h"
#include "pages/bike.h"
#include "pages/gear.h"
#include "pages/idle.h"
#include "pages/powerout.h"
#include "pages/race.h"
#include "pages/synchro.h"
#include "texts/langtext.h"

#include <string>
#include <string_view>
#include <vector>

namespace {

// The second synchronisation types that sense the intake pressure.
constexpr int SYNCHRO2_IAP_FIRST = 5;
constexpr int SYNCHRO2_IAP_LAST = 6;

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    for (size_t start = 0;;) {
        const size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end - start));
        if (end == std::string::npos)
            return lines;
        start = end + 1;
    }
}

bool Names(const ControlTextRow& row, std::string_view name)
{
    return row.target.kind == TargetKind::CONTROL && name == row.target.name;
}

// The rows of a table in order; `after` runs right after the row naming
// `control`.
template <class F> void ApplyRows(TMainForm* form, ControlTextTable rows, std::string_view control, F after)
{
    for (const ControlTextRow& row : rows) {
        ApplyControlTextRow(form, row);
        if (Names(row, control))
            after();
    }
}

void ApplyRows(TMainForm* form, ControlTextTable rows)
{
    for (const ControlTextRow& row : rows)
        ApplyControlTextRow(form, row);
}

void ApplyExternalMonitorCaption(TMainForm* form)
{
    if (!FormEM)
        return;
    ApplyRows(form, EXTERNAL_MONITOR_TEXTS);
    FormEM->FormResize(nullptr);
    // The monitor's own timer writes its caption with the connection state
    // only when that state or the language changed; start it over so the
    // state comes back after the plain caption above.
    FormEM->CaptionState = -1;
}

void ApplySynchroTexts(TMainForm* form)
{
    ApplyRows(form, SYNCHRO_TEXTS, "GroupBoxSynchro", [form] { FillSynchroLists(form); });
    const int synchro2 = form->PcImage.b[synchro_cells::SYNCHRO2_TYPE];
    const bool iap = synchro2 >= SYNCHRO2_IAP_FIRST && synchro2 <= SYNCHRO2_IAP_LAST;
    ApplyRows(form, iap ? SYNCHRO_IAP_TEXTS : SYNCHRO_HUNTING_TEXTS);
    ApplyRows(form, SYNCHRO_LAST_TEXTS);
}

void ApplyPowerOutTexts(TMainForm* form)
{
    ApplyRows(form, POWER_OUT_SHEET_TEXTS);
    for (int n = 0; n < POWER_OUT_COUNT; ++n) {
        FillPowerOutList(form, n);
        for (const ControlTextRow& row : POWER_OUT_HYSTERESIS_TEXTS)
            ApplyControlTextRow(form, row, n);
    }
}

void ApplyIdleTexts(TMainForm* form)
{
    ApplyRows(form, IDLE_TEXTS, "RadioGroupIdleMode", [form] { FillIdleModeList(form); });
    // The control range is kept in the image but never shown.
    const IdlePageControls& idle = form->Idle;
    for (TControl* c : { static_cast<TControl*>(idle.EditIdleRpmMez), static_cast<TControl*>(idle.UpDownIdleRpmMez),
             static_cast<TControl*>(idle.LabelIdleRpmMez) })
        if (c)
            c->SetVisible(false);
}

void ApplyCylinderCorrectionTexts(TMainForm* form)
{
    const std::string text = CylinderCorrectionText(form->PcImage.b[synchro_cells::CYLINDERS], LangIndex);
    for (TLabel* label : { form->Advance.LabelCylinderCorrection, form->Injection.LabelInjCylCorrection })
        if (label)
            label->SetCaption(std::string_view(text));
}

} // namespace

TControl* FindControlTextTarget(TMainForm* form, const TextTarget& target, int entry)
{
    switch (target.kind) {
    case TargetKind::CONTROL:
        return dynamic_cast<TControl*>(form->FindComponent(target.name));
    case TargetKind::PAGE_SHEET:
        return target.index >= 0 && target.index < PAGE_SLOTS ? form->PageSheets[size_t(target.index)] : nullptr;
    case TargetKind::EXTERNAL_MONITOR:
        return FormEM;
    case TargetKind::HYSTERESIS_LABEL:
        return entry >= 0 && entry < POWER_OUT_COUNT ? form->PowerOut.LabelPowerOutHysteresis[size_t(entry)] : nullptr;
    case TargetKind::MESSAGE_SLOT:
        break;
    }
    return nullptr;
}

void ApplyControlTextRow(TMainForm* form, const ControlTextRow& row, int entry)
{
    const std::string text = ControlTextRowText(row, LangIndex, form->MessageTable);
    if (row.target.kind == TargetKind::MESSAGE_SLOT) {
        if (row.target.index >= 0 && row.target.index < MESSAGE_SLOTS)
            form->MessageTable[size_t(row.target.index)] = text;
        return;
    }
    TControl* control = FindControlTextTarget(form, row.target, entry);
    if (!control)
        return;
    switch (row.property) {
    case TextProperty::CAPTION:
        control->SetCaption(std::string_view(text));
        break;
    case TextProperty::HINT:
        control->SetHint(text);
        break;
    case TextProperty::ITEMS:
        if (auto* group = dynamic_cast<TRadioGroup*>(control))
            group->SetItems(Lines(text));
        break;
    case TextProperty::ITEM:
        if (auto* group = dynamic_cast<TRadioGroup*>(control))
            group->SetItemText(row.item, text);
        else if (auto* combo = dynamic_cast<TComboBox*>(control))
            combo->SetItemText(row.item, text);
        break;
    }
}

void ApplyControlTexts(TMainForm* form)
{
    form->UpdateMainCaption();
    ApplyExternalMonitorCaption(form);
    ApplyRows(form, PROGRAM_AFTER_CHANGE_TEXTS);
    ApplyRows(form, BIKE_TEXTS, "GroupBoxBike", [form] { FillBikeList(form); });
    ApplySynchroTexts(form);
    ApplyRows(form, ADVANCE_INJECTION_TEXTS);
    ApplyRows(form, CORRECTIONS_TEXTS);
    ApplyRows(form, SENSORS_TEXTS);
    ApplyPowerOutTexts(form);
    ApplyRows(form, SERVO_TEXTS);
    ApplyRows(form, RACE_TEXTS);
    UpdateRaceControls(form);
    ApplyRows(form, GEAR_TEXTS, "TabSheet_Gear", [form] { FillGearSystemList(form); });
    ApplyIdleTexts(form);
    ApplyRows(form, N2O_TEXTS);
    ApplyRows(form, TUNING_TEXTS);
    ApplyRows(form, TRACKING_TEXTS);
    ApplyRows(form, MONITOR_TEXTS);
    ApplyRows(form, TEST_TEXTS);
    ApplyRows(form, MAINTENANCE_TEXTS);
    ApplyCylinderCorrectionTexts(form);
    ApplyRows(form, RUNTIME_LITERAL_TEXTS);
    UpdateLiveMonitor(form);
}
