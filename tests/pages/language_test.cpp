// The language switch on a started main window: the message table and the
// control texts follow the language, and nothing else changes.
#include "app/language.h"
#include "pagewindow.h"

#include "pages/advance.h"
#include "platform/stdctrls.h"

#include <string>
#include <utility>
#include <vector>

namespace {

// What the language commands run.
void SwitchTo(TMainForm* form, int language)
{
    LangIndex = language;
    ApplyLanguage(form);
    LoadPages(form, 0);
}

TEST_F(PageWindow, TextsFollowTheLanguage)
{
    Byte(advance_cells::CYLINDERS) = 2;
    const struct {
        int language;
        const char* slot11;
        const char* slot48;
        const char* programAfterChange;
        const char* cylinderLabel;
        const char* baseAdvanceLabel;
    } cases[] = {
        { 1, "Vorzündung", "Lage", "Programmierung nach Änderung", "Korrektion für Zylinder 1,2", "Base advance (°)" },
        { 2, "Předstih", "Poloha", "Programování po změně", "Korekce pro válec 1,2", "Základní předstih (°)" },
        { 0, "Advance", "Position", "Programming after change", "Correction for cylinder 1,2", "Base advance (°)" },
    };
    for (const auto& c : cases) {
        SwitchTo(form.get(), c.language);
        EXPECT_EQ(form->MessageTable[11], c.slot11);
        EXPECT_EQ(form->MessageTable[48], c.slot48);
        EXPECT_EQ(form->CheckBoxProgHned->Caption(), c.programAfterChange);
        EXPECT_EQ(form->PageSheets[PAGE_SLOT_ADVANCE]->Caption(), c.slot11);
        EXPECT_EQ(form->Advance.LabelCylinderCorrection->Caption(), c.cylinderLabel);
        EXPECT_EQ(form->Advance.LabelBaseAdvance->Caption(), c.baseAdvanceLabel);
    }
    // The German pickup text is empty and shows the English one.
    SwitchTo(form.get(), 1);
    EXPECT_EQ(form->Advance.LabelPickupCorrection->Caption(), "Advance PickUp correction");
}

// The selected item and its code of every list of the window.
std::vector<std::pair<int, int>> ListSelections(const TMainForm* form)
{
    std::vector<std::pair<int, int>> selections;
    for (int i = 0; i < form->ComponentCount(); ++i) {
        TComponent* c = form->Components(i);
        if (auto* group = dynamic_cast<TRadioGroup*>(c)) {
            const int index = group->ItemIndex();
            selections.emplace_back(index, index >= 0 ? group->ItemCode(index) : -1);
        } else if (auto* combo = dynamic_cast<TComboBox*>(c)) {
            const int index = combo->ItemIndex();
            selections.emplace_back(index, index >= 0 ? combo->ItemCode(index) : -1);
        }
    }
    return selections;
}

TEST_F(PageWindow, ASwitchOfLanguageOnEveryPageChangesNoImageByteNoUndoStepAndNoRequest)
{
    // An edit first, so the ring and the marks hold something.
    form->CheckBoxProgHned->SetChecked(true);
    form->Advance.UpDownPickupCorrection->SetPosition(Byte(advance_cells::PICKUP_CORRECTION) == 7 ? 8 : 7);
    CommitEditNow(form.get());
    form->LinkRequest = REQ_NONE;
    LoadPages(form.get(), 1);
    const RsImage image = form->PcImage;
    const auto marks = form->Images.ChangeMarks;
    const int current = form->Undo->UndoCurrent(), oldest = form->Undo->UndoOldest(), newest = form->Undo->UndoNewest();
    const std::string ini = DefaultIni();
    const auto selections = ListSelections(form.get());
    for (int language : { 0, 1, 2, 0 }) {
        for (int slot = 0; slot < PAGE_SLOTS; ++slot) {
            TTabSheet* sheet = form->PageSheets[size_t(slot)];
            if (!sheet || !sheet->TabVisible())
                continue;
            form->ShowPage(slot);
            SwitchTo(form.get(), language);
            Tick(EDIT_DEBOUNCE_TICKS + 1);
            const std::string where = std::to_string(language) + " on page " + std::to_string(slot);
            EXPECT_EQ(form->PcImage.b, image.b) << where;
            EXPECT_EQ(form->Images.ChangeMarks, marks) << where;
            EXPECT_EQ(form->Undo->UndoCurrent(), current) << where;
            EXPECT_EQ(form->Undo->UndoOldest(), oldest) << where;
            EXPECT_EQ(form->Undo->UndoNewest(), newest) << where;
            EXPECT_EQ(form->LinkRequest, REQ_NONE) << where;
        }
        EXPECT_EQ(DefaultIni(), ini) << language;
        // Every page was shown and so reloaded: each list selects the
        // image's code again.
        EXPECT_EQ(ListSelections(form.get()), selections) << language;
    }
    EXPECT_TRUE(dialogs.boxes.empty());
}

} // namespace
