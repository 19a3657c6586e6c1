// The texts of the Corrections page's controls in the three languages.
#include "app/main.h"
#include "pages/corrections.h"
#include "texts/langtext.h"
#include "texts/messagetable.h"

namespace {

struct CorrectionsText {
    const char* control;
    LangEntry text;
};

// clang-format off
constexpr CorrectionsText CORRECTIONS_TEXTS[] = {
    { "TabSheet_Korekce", { "Corrections", "Korrektionen", "Korekce" } },
    { "GroupBoxAccK", { "Acceleration correction of synchronous injections", "Beschleunigungskorrektur den Synchron Injektionen", "Akcelerační korekce synchronních vstřiků" } },
    { "LabelAccKPlus", { "Enrichment + [%/100%]", nullptr, "Obohacení + [%/100%]" } },
    { "LabelAccKMinus", { "Enleanment - [%/100%]", nullptr, "Ochuzení - [%/100%]" } },
    { "LabelAccT0", { "Time constant by TP 0% [10ms]", "Zeitkonstante - TP 0% [10ms]", "Časová konstanta - TP 0% [10ms]" } },
    { "LabelAccT100", { "Time constant TP 100% [10ms]", "Zeitkonstante - TP 100% [10ms]", "Časová konstanta - TP 100% [10ms]" } },
    { "GroupBoxInjCor", { "Injection Corrections", "Einspritzung Korrektionen", "Korekce vstřikování" } },
    { "GroupBoxAdvCor", { "Advance Corrections", "Vorzündung Korrektionen", "Korekce předstihu" } },
    { "GroupBoxAccCor", { "Acceleration Corrections", "Beschleunigung Korrektionen", "Korekce akcelerace" } },
    { "LabelDeadTime", { "Dead time [us]", "Todeszeit [us]", "Mrtvý čas [us]" } },
};
// clang-format on

} // namespace

void ApplyCorrectionsTexts(TMainForm* form)
{
    for (const CorrectionsText& row : CORRECTIONS_TEXTS)
        if (auto* control = dynamic_cast<TControl*>(form->FindComponent(row.control)))
            control->SetCaption(std::string_view(LangEntryText(row.text, LangIndex)));
}
