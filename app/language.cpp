#include "app/language.h"

#include "app/main.h"
#include "files/bikelist.h"
#include "pages/pages.h"
#include "pages/sensors.h"
#include "texts/langtext.h"

#include <string>

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
    UpdateLiveMonitor(form);
}
