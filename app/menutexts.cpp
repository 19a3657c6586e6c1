// The captions of the main menu and the tool-bar buttons, the check marks of
// the language items, and the hints of the version labels and commands.
#include "texts/menutexts.h"
#include "app/language.h"
#include "app/main.h"
#include "platform/menus.h"
#include "texts/langtext.h"

#include <string>

namespace {

// Writes one row for LangIndex into the window's menu item of that name, or
// else as a control text; a name the window lacks is passed by.
void ApplyMenuTextRow(TMainForm* form, const ControlTextRow& row)
{
    auto* item = dynamic_cast<TMenuItem*>(form->FindComponent(row.target.name));
    if (!item) {
        ApplyControlTextRow(form, row);
        return;
    }
    const std::string text = ControlTextRowText(row, LangIndex, form->MessageTable);
    if (row.property == TextProperty::HINT)
        item->SetHint(text);
    else
        item->SetCaption(text);
}

void SetChecked(TMainForm* form, const char* name, bool checked)
{
    if (auto* item = dynamic_cast<TMenuItem*>(form->FindComponent(name)))
        item->SetChecked(checked);
}

} // namespace

void ApplyMenuTexts(TMainForm* form)
{
    for (const ControlTextRow& row : MENU_CAPTIONS)
        ApplyMenuTextRow(form, row);
    SetChecked(form, "MenuEnglish", LangIndex == 0);
    SetChecked(form, "MenuGerman", LangIndex == 1);
    SetChecked(form, "MenuCzech", LangIndex == 2);
    for (const ControlTextRow& row : LANGUAGE_MENU_CAPTIONS)
        ApplyMenuTextRow(form, row);
}

void ApplyVersionHints(TMainForm* form)
{
    for (const ControlTextRow& row : VERSION_HINTS)
        ApplyMenuTextRow(form, row);
}
