#include "app/language.h"

#include "app/main.h"
#include "files/bikelist.h"
#include "pages/bike.h"
#include "pages/corrections.h"
#include "pages/gear.h"
#include "pages/idle.h"
#include "pages/injection.h"
#include "pages/injposition.h"
#include "pages/n2o.h"
#include "pages/pages.h"
#include "pages/powerout.h"
#include "pages/race.h"
#include "pages/sensors.h"
#include "pages/servo.h"
#include "pages/synchro.h"
#include "pages/tracking.h"
#include "pages/tuning.h"
#include "texts/langtext.h"

#include <string>
#include <utility>

namespace {

// "Correction for cylinder" followed by the numbers of the cylinders in use.
std::string CylinderCorrectionText(int cylinders)
{
    std::string text = SelectLangText("###Correction for cylinder##Korrektion für Zylinder##Korekce pro válec");
    const char* numbers[] = { " 1", ",2", ",3", ",4" };
    for (int i = 0; i < 4; i++)
        if (cylinders >= i + 1)
            text += numbers[i];
    return text;
}

// The language entry: the target takes the text of the current language,
// or the English one where the entry has none.
void SetCaption(TControl* control, const LangEntry& entry)
{
    if (control)
        control->SetCaption(std::string_view(LangEntryText(entry, LangIndex)));
}

void SetLiteralCaption(TControl* control, const char* text)
{
    if (control)
        control->SetCaption(std::string_view(SelectLangText(text)));
}

// The Idle page: its captions, then the mode list right after its group.
void ApplyIdleTexts(TMainForm* form)
{
    const IdlePageControls& idle = form->Idle;
    if (!idle.RadioGroupIdleMode)
        return;
    if (auto* sheet = dynamic_cast<TControl*>(form->FindComponent("TabSheet_Idle")))
        sheet->SetCaption(std::string_view(form->MessageTable[76]));
    SetLiteralCaption(idle.RadioGroupIdleMode, "###Idle control##Freilaufregulation##Regulace volnoběhu");
    FillIdleModeList(form);
    const std::pair<TControl*, const char*> texts[] = {
        { idle.LabelIdleStepPuls,
            "###Step motor excitation[us]##Schrittmotor Anfachung [us]##Buzení krokového motoru [us]" },
        { idle.LabelIdleStepPerioda,
            "###Step motor period [ms]##Schrittmotor Periode [ms]##Perioda krokového motoru [ms]" },
        { idle.LabelIdleRegulation,
            "###Idle regulation [0.1%/2rpm]##Freilaufregulationg[0.1%/2rpm]##Regulace volnoběhu [0.1%/2rpm]" },
        { idle.LabelIdleLobe, "###Idle lobe##Freilauf Leitstück##Palec volnoběhu" },
        { idle.GroupBoxIdleAdv, "###Advance control of Idle##Vorzündungregelung##Regulace předstihu při volnoběhu" },
        { idle.LabelIdleAdvNaRpm,
            "###Advance control[°/1000 rpm]##Vorzündungregelung [°/1000 rpm]##Regulace předstihu [°/1000 rpm]" },
        { idle.LabelIdleAdvNaCas,
            "###Regulace advance [°/10s]##Vorzündungregelung [°/10s]##Regulace předstihu [°/10s]" },
        { idle.LabelIdleMaxAdv, "###Maximal advance [°]##Maximal Vorzündung [°]##Maximální předstih [°]" },
        { idle.LabelIdleRpmMez, "###Control Range [rpm]##Steuer. Bereich [rpm]##Regul. rozsah [rpm]" },
        { idle.LabelIdleControlBand, "###Control band [rpm]##Control-Band [rpm]##Regulační pásmo [rpm]" },
    };
    for (const auto& [control, text] : texts)
        SetLiteralCaption(control, text);
    // The control range is kept in the image but never shown.
    for (TControl* c : { static_cast<TControl*>(idle.EditIdleRpmMez), static_cast<TControl*>(idle.UpDownIdleRpmMez),
             static_cast<TControl*>(idle.LabelIdleRpmMez) })
        c->SetVisible(false);
    UpdateIdleLabels(form);
}

using enum TextProperty;
// clang-format off
constexpr ControlText BIKE_PAGE_TEXTS[] = {
    { "TabSheet_Bike", CAPTION, 0, { "Bike", "Mottorad", "Motocykl" } },
    { "GroupBoxBike", CAPTION, 0, { "Motorbike type", "Mottorad Type", "Typ motocyklu" } },
    { "CheckBoxBikeSecial", CAPTION, 0, { "Special setting - For experienced user only!", "Sonderstellung - Nur für geübte Benutzer!", "Speciální nastavení - Pro zkušené uživatele!" } },
    { "LabelMemo", CAPTION, 0, { "Memo sheet:", "Notizblock", "Poznámka uložená v zapalování:" } },
    { "CheckBoxFallEnable", CAPTION, 0, { "Fall sensor enable", "Not Aus Sensor enable", "Pádový sensor povolen" } },
    { "CheckBoxBlokEnable", CAPTION, 0, { "Blocking enable", "Blockierung zulassen", "Blokování povoleno" } },
    { "CheckBoxBlokInvert", CAPTION, 0, { "Invert blocking input", "Invert Blockierung", "Inverze blokovacího vstupu" } },
    { "CheckBoxIgnEveryTurn", CAPTION, 0, { "Ignition every turn", "Zündung jede Runde", "Zápal každou otáčku" } },
    { "GroupBoxActivation", CAPTION, 0, { "Activation by Switch on", "Aktierung durch Schaltung", "Aktivace sepnutím" } },
    { "CheckBoxAktFall", CAPTION_SLOT, 53, {} },
    { "CheckBoxAktRpm", CAPTION, 0, { "Multifunctional switch", nullptr, "Multifunkční spínač" } },
    { "GroupBoxOmez", CAPTION, 0, { "Limiters", "Begrenzer", "Omezovače" } },
    { "LabelStartLimiter1", CAPTION, 0, { "Start limiter 1 [rpm]", "Startbegrenzer 1 [rpm]", "Startovací omezovač 1 [rpm]" } },
    { "LabelStartLimiter2", CAPTION, 0, { "Start limiter 2 [rpm]", "Startbegrenzer 2 [rpm]", "Startovací omezovač 2 [rpm]" } },
    { "CheckBoxAktStartLimiter", CAPTION, 0, { "Start limiter", "Startbegrenzer", "Startovací omezovač" } },
    { "LabelJetLimiter", CAPTION, 0, { "Injection limiter [rpm]", "Einspritzbegrenzer [rpm]", "Omezovač vstřikem [rpm]" } },
    { "LabelIgnLimiter", CAPTION, 0, { "Ignition limiter [rpm]", "Zündungsbegrenzer [rpm]", "Omezovač zážehem [rpm]" } },
    { "LabelRetardLimiterRpm", CAPTION, 0, { "Retard limiter [rpm]", "Spätzündungbegrenzer [rpm]", "Omezovač zpožděním zážehu [rpm]" } },
    { "LabelRetardLimiterAdv", CAPTION, 0, { "Retard [°/100rpm]", "Spätzündung [°/100rpm]", "Zpoždění zážehu [°/100rpm]" } },
    { "GroupBoxChlazeni", CAPTION_SLOT, 54, {} },
    { "LabelRpmPulsu", CAPTION, 0, { "Pulses per revolution", "Pulse per Umdrehung", "Pulzů za otáčku" } },
    { "LabelRpmKorekce", CAPTION, 0, { "Correction", "Korrektion", "Korekce" } },
    { "GroupBoxIntakePort", CAPTION, 0, { "Intake ports", "Einlaßstutzen", "Sací hrdla" } },
    { "LabelIntakePortRpm", CAPTION, 0, { "Rpm", "Rpm", "Rpm" } },
    { "CheckBox1IntakeInvert", CAPTION, 0, { "Invert", "Invert", "Inverzně" } },
    { "RadioGroupDisplayTyp", CAPTION, 0, { "Display Typ", nullptr, "Typ displeje" } },
    { "CheckBoxCanNoRecord", CAPTION, 0, { "No record", nullptr, "Bez záznamu" } },
    { "GroupBoxDwell", CAPTION, 0, { "Dwell time", "Anfachung", "Buzení" } },
    { "LabelBuzeni", CAPTION, 0, { "Dwell time  [us]", "Anfachung  [us]", "Buzení  [us]" } },
    { "LabelDwellDyn", CAPTION, 0, { "Dynamical addition of dwell [%]", "Anfachung Dyn. Komponente [%]", "Dynamická složka buzení [%]" } },
    { "LabelDwellMaxRPMLobe", CAPTION, 0, { "Max rpm for lobe dwell [rpm]", "Max rpm zur Erzeugung Daumen [min]", "Max rpm pro buzení palcem [rpm]" } },
    { "LabelDwellMaxTime", CAPTION, 0, { "Max. dwell time [us]", "Max. Anfachung [us]", "Max. čas Buzení [us]" } },
    { "CheckBoxInvInput", CAPTION, 0, { "Inverse crankshaft polarity", "Umgekehrte Kurbelgeber", "Opačná polarita snímače kliky" } },
    { "RadioGroupPinEngine23", CAPTION, 0, { "Funktion of pin Engine 23", "Funktion des Stift Engine 23", "Funkce pinu Engine 23" } },
    { "RadioGroupPinEngine23", ITEMS, 0, { "Neutral\nOil", "Ruhestellung\nÖl", "Neutrál\nOlej" } },
    { "RadioGroupPinEngine14", CAPTION, 0, { "Funktion of pin Engine 14", "Funktion des Stift Engine 14", "Funkce pinu Engine 14" } },
    { "RadioGroupPinEngine14", ITEMS, 0, { "ATS\nNeutral", "ATS\nRuhestellung", "ATS\nNeutrál" } },
    { "RadioGroupPinBody11", CAPTION, 0, { "Funktion of pin Body 11", "Funktion des Stift Body 11", "Funkce pinu Body 11" } },
    { "RadioGroupPinBody11", ITEMS, 0, { "Fan 1\nLambda 1 heat", "Lüfter 1\nLambdawärme 1", "Ventilátor 1\nLambda 1 ohřev" } },
    { "RadioGroupPinEngine13", CAPTION, 0, { "Function of pin Engine 13", "Funktion von Pin-Engine 13", "Funkce pinu Motor 13" } },
    { "RadioGroupPinEngine13", ITEMS, 0, { "APS\nMin Tank", "APS\nMin Tank", "APS\nMin nádrž" } },
    { "RadioGroupPinBody1", CAPTION, 0, { "Funktion of pin Body 1", "Funktion des Stift Body 1", "Funkce pinu Body 1" } },
    { "RadioGroupPinBody1", ITEMS, 0, { "Start out\nLambda 2 heat", "Start output\nLambdawärme 2", "Start výstup\nLambda 2 ohřev" } },
    { "RadioGroupPinBody35", CAPTION, 0, { "Funktion of pin Body 35", "Funktion des Stift Body 35", "Funkce pinu Body 35" } },
    { "RadioGroupPinBody35", ITEMS, 0, { "Power mode\nFall sensor", "Power mode\nAus Sensor", "Druhé nastavení\nPádový sensor" } },
};
// clang-format on

} // namespace

void ApplyControlText(TMainForm* form, const ControlText& row)
{
    auto* control = dynamic_cast<TControl*>(form->FindComponent(row.control));
    if (!control)
        return;
    if (row.property == CAPTION_SLOT) {
        control->SetCaption(std::string_view(form->MessageTable[size_t(row.item)]));
        return;
    }
    const LangEntry entry { row.text.english, row.text.german ? row.text.german : row.text.english, row.text.czech };
    const std::string text = LangEntryText(entry, LangIndex);
    if (row.property == CAPTION) {
        control->SetCaption(std::string_view(text));
        return;
    }
    if (row.property == ITEM) {
        if (auto* group = dynamic_cast<TRadioGroup*>(control); group && row.item < group->ItemCount())
            group->SetItemText(row.item, text);
        return;
    }
    if (auto* group = dynamic_cast<TRadioGroup*>(control)) {
        std::vector<std::string> items;
        for (size_t start = 0;;) {
            const size_t end = text.find('\n', start);
            items.push_back(text.substr(start, end - start));
            if (end == std::string::npos)
                break;
            start = end + 1;
        }
        const int index = group->ItemIndex();
        const int32_t loading = form->LoadingControls;
        form->LoadingControls = 1;
        group->SetItems(items);
        group->SetItemIndex(index);
        form->LoadingControls = loading;
    }
}

void ApplyLanguage(TMainForm* form)
{
    form->LangScratch.fill("Zeperon_12");
    FillMessageTable(form->MessageTable, LangIndex);
    ApplyMenuTexts(form);
    ApplyVersionHints(form);
    ApplyControlTexts(form);
}

void ApplyControlTexts(TMainForm* form)
{
    form->UpdateMainCaption();
    SetCaption(form->CheckBoxProgHned,
        { "Programming after change", "Programmierung nach Änderung", "Programování po změně" });
    for (const ControlText& row : BIKE_PAGE_TEXTS) {
        ApplyControlText(form, row);
        if (row.control == std::string_view("GroupBoxBike"))
            FillBikeList(form);
    }
    ApplySynchroTexts(form);
    SetCaption(form->PageSheets[PAGE_SLOT_ADVANCE], { "Advance", "Vorzündung", "Předstih" });
    ApplyInjectionTexts(form);
    FillControlTextSlots(form->MessageTable, LangIndex);
    SetCaption(form->TabMaintenance, { "Maintenance", "Wartung", "Údržba" });
    ApplyCorrectionsTexts(form);
    ApplySensorsTexts(form);
    ApplyInjectionPositionTexts(form);
    ApplyServoTexts(form);
    ApplyPowerOutTexts(form);
    const AdvancePageControls& advance = form->Advance;
    if (advance.LabelCylinderCorrection)
        advance.LabelCylinderCorrection->SetCaption(
            std::string_view(CylinderCorrectionText(form->PcImage.b[advance_cells::CYLINDERS])));
    if (TLabel* label = form->Injection.LabelInjCylCorrection)
        label->SetCaption(std::string_view(CylinderCorrectionText(form->PcImage.b[injection_cells::CYLINDERS])));
    SetLiteralCaption(advance.LabelPickupCorrection, "###Advance PickUp correction####PickUp korekce předstihu");
    SetLiteralCaption(advance.LabelBaseAdvance, "###Base advance (°)##Base advance (°)##Základní předstih (°)");
    ApplyRaceTexts(form);
    ApplyGearTexts(form);
    ApplyIdleTexts(form);
    ApplyTrackingTexts(form);
    ApplyN2OTexts(form);
    ApplyTuningTexts(form);
    UpdateLiveMonitor(form);
}
