// The captions of the main menu and the tool-bar buttons, the check marks of
// the language items, and the hints of the version labels and commands.
#include "texts/menutexts.h"
#include "app/language.h"
#include "app/main.h"
#include "platform/menus.h"
#include "texts/langtext.h"

#include <string_view>

namespace {

// Writes one row for LangIndex into the window's menu item or control of
// that name; a name the window lacks is passed by.
void ApplyMenuTextRow(TMainForm* form, const MenuTextRow& row)
{
    const std::string_view text = LangEntryText(row.text, LangIndex);
    TComponent* target = form->FindComponent(row.name);
    if (auto* item = dynamic_cast<TMenuItem*>(target)) {
        if (row.property == MenuTextProperty::CAPTION)
            item->SetCaption(text);
        else
            item->SetHint(text);
    } else if (auto* control = dynamic_cast<TControl*>(target)) {
        if (row.property == MenuTextProperty::CAPTION)
            control->SetCaption(text);
        else
            control->SetHint(text);
    }
}

void SetChecked(TMainForm* form, const char* name, bool checked)
{
    if (auto* item = dynamic_cast<TMenuItem*>(form->FindComponent(name)))
        item->SetChecked(checked);
}

} // namespace

void ApplyMenuTexts(TMainForm* form)
{
    for (const MenuTextRow& row : MENU_CAPTIONS)
        ApplyMenuTextRow(form, row);
    SetChecked(form, "MenuEnglish", LangIndex == 0);
    SetChecked(form, "MenuGerman", LangIndex == 1);
    SetChecked(form, "MenuCzech", LangIndex == 2);
    for (const MenuTextRow& row : LANGUAGE_MENU_CAPTIONS)
        ApplyMenuTextRow(form, row);
}

void ApplyVersionHints(TMainForm* form)
{
    for (const MenuTextRow& row : VERSION_HINTS)
        ApplyMenuTextRow(form, row);
}
