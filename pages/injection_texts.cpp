// The texts of the Injection page's sheet and run-time controls in the
// interface language.

#include "app/main.h"
#include "pages/injection.h"
#include "pages/pages.h"
#include "texts/langtext.h"
#include "texts/messagetable.h"

#include <utility>

void ApplyInjectionTexts(TMainForm* form)
{
    const InjectionPageControls& page = form->Injection;
    // Entries without German show English.
    const std::pair<TControl*, LangEntry> rows[] = {
        { form->PageSheets[PAGE_SLOT_INJECTION], { "Injection", "Einspritzung", "Vstřik" } },
        { page.RadioButtonBSplits, { "B splits", "B spaltungen", "B rozděluje" } },
        { page.RadioButtonBAdds, { "B adds", "B addiert", "B přidává" } },
        { page.CheckBoxCorrectResult,
            { "Correct the resulting injection time", nullptr, "Koriguj výsledný vstřikovací čas" } },
        { page.LabelCompensationLimit, { "Compensation limit [+/- %]", nullptr, "Limit kompenzace [+/- %]" } },
    };
    for (const auto& [control, text] : rows)
        if (control)
            control->SetCaption(std::string_view(LangEntryText(text, LangIndex)));
}
