// The one builder every page's layout table goes through: names, group-box
// parents, every kind of control, hidden rows and the shared handlers the
// controls are bound to.

#include "pagewindow.h"

#include "pages/pagelayout.h"

namespace {

struct Sample {
    TGroupBox* GroupBoxOuter = nullptr;
    TGroupBox* GroupBoxInner = nullptr;
    TUpDown* UpDownLimit = nullptr;
    TEdit* EditLimit = nullptr;
    TDeciUpDown* UpDownRatio = nullptr;
    TDeciEdit* EditRatio = nullptr;
    TLabel* LabelLimit = nullptr;
    TComboBox* ComboBoxKind = nullptr;
    TRadioButton* RadioButtonSlow = nullptr;
    TMemo* MemoNotes = nullptr;
    TButton* ButtonGo = nullptr;
    TEdit* EditPlain = nullptr;
    TCheckBox* CheckBoxHidden = nullptr;
};
using S = Sample;
using enum PageControlKind;
using enum PageLeft;

constexpr PageLayoutRow<S> ROWS[] = {
    { .kind = GroupBox,
        .field = &S::GroupBoxOuter,
        .x = 10,
        .y = 5,
        .width = 300,
        .height = 200,
        .caption = "###Outer##Außen##Vnější",
        .name = "GroupBoxOuter" },
    { .kind = GroupBox,
        .field = &S::GroupBoxInner,
        .x = 8,
        .y = 16,
        .width = 200,
        .height = 150,
        .caption = "Inner",
        .name = "GroupBoxInner",
        .parent = &S::GroupBoxOuter },
    { .kind = EditUpDown,
        .field = &S::UpDownLimit,
        .edit = &S::EditLimit,
        .x = 8,
        .y = 20,
        .width = 40,
        .min = 100,
        .max = 25000,
        .name = "UpDownLimit",
        .editName = "EditLimit",
        .parent = &S::GroupBoxInner,
        .step = 100 },
    { .kind = Label,
        .field = &S::LabelLimit,
        .anchor = LEFT_FLOW,
        .x = 4,
        .y = 23,
        .caption = "Limit",
        .name = "LabelLimit",
        .parent = &S::GroupBoxInner },
    { .kind = DeciEditUpDown,
        .field = &S::UpDownRatio,
        .x = 8,
        .y = 50,
        .width = 40,
        .min = 0,
        .max = 250,
        .name = "UpDownRatio",
        .editName = "EditRatio",
        .parent = &S::GroupBoxInner,
        .step = 10,
        .deciEdit = &S::EditRatio },
    { .kind = ComboBox,
        .field = &S::ComboBoxKind,
        .x = 8,
        .y = 80,
        .width = 120,
        .items = "No,Triumph,BMW",
        .name = "ComboBoxKind",
        .parent = &S::GroupBoxInner },
    { .kind = RadioButton,
        .field = &S::RadioButtonSlow,
        .x = 220,
        .y = 20,
        .width = 70,
        .caption = "250 kbit/s",
        .name = "RadioButtonSlow",
        .parent = &S::GroupBoxOuter },
    { .kind = Memo, .field = &S::MemoNotes, .x = 320, .y = 5, .width = 150, .height = 80, .name = "MemoNotes" },
    { .kind = Button,
        .field = &S::ButtonGo,
        .x = 320,
        .y = 100,
        .width = 60,
        .height = 22,
        .caption = "Go",
        .name = "ButtonGo" },
    { .kind = Edit, .field = &S::EditPlain, .x = 320, .y = 130, .width = 60, .name = "EditPlain" },
    { .kind = CheckBox,
        .field = &S::CheckBoxHidden,
        .x = 320,
        .y = 160,
        .caption = "Old",
        .name = "CheckBoxHidden",
        .hidden = true },
};

TEST_F(PageWindow, TheLayoutBuilderMakesNamedControlsInTheirGroupBoxes)
{
    auto* sheet = dynamic_cast<TControl*>(form->FindComponent("TabSheet_Test"));
    ASSERT_TRUE(sheet);
    Sample s;
    BuildPageControls<S>(form.get(), s, sheet, 30, ROWS);

    struct Expect {
        const char* name;
        TControl* control;
        TControl* parent;
        int left, top;
    };
    const Expect expected[] = {
        { "GroupBoxOuter", s.GroupBoxOuter, sheet, 10, 35 },
        { "GroupBoxInner", s.GroupBoxInner, s.GroupBoxOuter, 8, 16 },
        { "UpDownLimit", s.UpDownLimit, s.GroupBoxInner, 48, 20 },
        { "EditLimit", s.EditLimit, s.GroupBoxInner, 8, 20 },
        { "UpDownRatio", s.UpDownRatio, s.GroupBoxInner, 48, 50 },
        { "EditRatio", s.EditRatio, s.GroupBoxInner, 8, 50 },
        { "ComboBoxKind", s.ComboBoxKind, s.GroupBoxInner, 8, 80 },
        { "RadioButtonSlow", s.RadioButtonSlow, s.GroupBoxOuter, 220, 20 },
        { "MemoNotes", s.MemoNotes, sheet, 320, 35 },
        { "ButtonGo", s.ButtonGo, sheet, 320, 130 },
        { "EditPlain", s.EditPlain, sheet, 320, 160 },
    };
    for (const Expect& e : expected) {
        ASSERT_TRUE(e.control) << e.name;
        EXPECT_EQ(e.control->Name(), e.name);
        EXPECT_EQ(form->FindComponent(e.name), static_cast<TComponent*>(e.control)) << e.name;
        EXPECT_EQ(e.control->Parent(), e.parent) << e.name;
        EXPECT_EQ(e.control->Left(), e.left) << e.name;
        EXPECT_EQ(e.control->Top(), e.top) << e.name;
    }
    // A flowing label starts after the pair's up-down.
    EXPECT_EQ(s.LabelLimit->Left(), s.UpDownLimit->Left() + s.UpDownLimit->Width() + 4);
    EXPECT_EQ(s.UpDownLimit->Increment(), 100);
    EXPECT_EQ(s.UpDownRatio->divisor, 10);
    EXPECT_EQ(s.UpDownRatio->partner, s.EditRatio);
    ASSERT_EQ(s.ComboBoxKind->ItemCount(), 3);
    EXPECT_EQ(s.ComboBoxKind->ItemText(2), "BMW");
    EXPECT_FALSE(s.CheckBoxHidden->Visible());
    EXPECT_TRUE(s.ButtonGo->Visible());
}

} // namespace
