#include "pages/pagetexts.h"

#include "app/main.h"
#include "texts/langtext.h"

void ApplyPageTexts(TMainForm* form, std::span<const PageText> rows)
{
    for (const PageText& row : rows) {
        TComponent* component = form->FindComponent(row.control);
        const std::string_view text = LangEntryText(row.text, LangIndex);
        if (row.item < 0) {
            if (auto* control = dynamic_cast<TControl*>(component))
                control->SetCaption(text);
        } else if (auto* group = dynamic_cast<TRadioGroup*>(component)) {
            if (row.item < group->ItemCount())
                group->SetItemText(row.item, text);
        } else if (auto* combo = dynamic_cast<TComboBox*>(component)) {
            if (row.item < combo->ItemCount())
                combo->SetItemText(row.item, text);
        }
    }
}
