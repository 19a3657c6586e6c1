#include "app/language.h"

#include "app/main.h"
#include "texts/langtext.h"

void ApplyLanguage(TMainForm* form)
{
    form->LangScratch.fill("Zeperon_12");
    FillMessageTable(form->MessageTable, LangIndex);
    ApplyMenuTexts(form);
    ApplyVersionHints(form);
    ApplyControlTexts(form);
}
