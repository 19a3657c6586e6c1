// The language switch on a started main window: the message table and the
// control texts follow the language, and nothing else changes.
#include "app/language.h"
#include "pagewindow.h"

#include "pages/advance.h"

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

TEST_F(PageWindow, ASwitchOfLanguageChangesNoImageByteNoUndoStepAndNoRequest)
{
    // An edit first, so the ring and the marks hold something.
    form->CheckBoxProgHned->SetChecked(true);
    form->Advance.UpDownPickupCorrection->SetPosition(Byte(advance_cells::PICKUP_CORRECTION) == 7 ? 8 : 7);
    CommitEditNow(form.get());
    form->LinkRequest = REQ_NONE;
    const RsImage image = form->PcImage;
    const auto marks = form->Images.ChangeMarks;
    const int current = form->Undo->UndoCurrent(), oldest = form->Undo->UndoOldest(), newest = form->Undo->UndoNewest();
    const std::string ini = DefaultIni();
    for (int language : { 0, 1, 2, 0 }) {
        SwitchTo(form.get(), language);
        Tick(EDIT_DEBOUNCE_TICKS + 1);
        EXPECT_EQ(form->PcImage.b, image.b) << language;
        EXPECT_EQ(form->Images.ChangeMarks, marks) << language;
        EXPECT_EQ(form->Undo->UndoCurrent(), current) << language;
        EXPECT_EQ(form->Undo->UndoOldest(), oldest) << language;
        EXPECT_EQ(form->Undo->UndoNewest(), newest) << language;
        EXPECT_EQ(form->LinkRequest, REQ_NONE) << language;
        EXPECT_EQ(DefaultIni(), ini) << language;
    }
    EXPECT_TRUE(dialogs.boxes.empty());
}

} // namespace
