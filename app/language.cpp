#include "app/language.h"

#include "app/main.h"
#include "files/bikelist.h"
#include "pages/idle.h"
#include "pages/pages.h"
#include "pages/sensors.h"
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

} // namespace

void ApplyLanguage(TMainForm* form)
{
    form->LangScratch.fill("Zeperon_12");
    FillMessageTable(form->MessageTable, LangIndex);
    ApplyMenuTexts(form);
    ApplyVersionHints(form);
    ApplyControlTexts(form);
}

// The menus keep their form texts until their texts are added.
void ApplyMenuTexts(TMainForm*)
{
}

void ApplyVersionHints(TMainForm*)
{
}

void ApplyControlTexts(TMainForm* form)
{
    form->UpdateMainCaption();
    SetCaption(form->CheckBoxProgHned,
        { "Programming after change", "Programmierung nach Änderung", "Programování po změně" });
    // The bike list follows the language with the Bike page's controls.
    if (auto* bikes = dynamic_cast<TComboBox*>(form->FindComponent("ComboBoxBike")))
        FillBikeList(*bikes, form->PcImage.b[cell::BikeCode]);
    SetCaption(form->PageSheets[PAGE_SLOT_ADVANCE], { "Advance", "Vorzündung", "Předstih" });
    FillControlTextSlots(form->MessageTable, LangIndex);
    SetCaption(form->TabMaintenance, { "Maintenance", "Wartung", "Údržba" });
    ApplySensorsTexts(form);
    const AdvancePageControls& advance = form->Advance;
    if (advance.LabelCylinderCorrection)
        advance.LabelCylinderCorrection->SetCaption(
            std::string_view(CylinderCorrectionText(form->PcImage.b[advance_cells::CYLINDERS])));
    SetLiteralCaption(advance.LabelPickupCorrection, "###Advance PickUp correction####PickUp korekce předstihu");
    SetLiteralCaption(advance.LabelBaseAdvance, "###Base advance (°)##Base advance (°)##Základní předstih (°)");
    ApplyIdleTexts(form);
    UpdateLiveMonitor(form);
}
