// The N2O page's layout and cells, and its enabling by power output 2.
#include "pages/n2o.h"

#include "app/binding.h"
#include "app/main.h"
#include "pages/pagelayout.h"
#include "texts/langtext.h"

using namespace n2o_cells;

namespace {

using C = N2OPageControls;
using Row = PageLayoutRow<C>;
using enum PageControlKind;
using enum PageLeft;

constexpr int EDIT_WIDTH = 50;
constexpr int LABEL_GAP = 4;
constexpr int ROW_0 = 44, ROW_STEP = 28;
constexpr int RowTop(int row)
{
    return ROW_0 + ROW_STEP * row;
}
// The two limits and the hidden repetition rate below the groups.
constexpr int LIMITS_TOP = 232;

// clang-format off
constexpr Row FORM[] = {
    { .kind = GroupBox, .field = &C::GroupBoxGas, .x = 8, .y = 8, .width = 420, .height = 216, .caption = "N2O",
        .name = "GroupBoxGas" },
    { .kind = CheckBox, .field = &C::CheckBoxGas, .x = 8, .y = 18, .width = 300, .height = 17, .caption = "N2O enabled",
        .name = "CheckBoxGas", .parent = &C::GroupBoxGas },
    { .kind = EditUpDown, .field = &C::UpDownGas1, .edit = &C::EditGas1, .x = 8, .y = RowTop(0), .width = EDIT_WIDTH,
        .min = 0, .max = 100, .name = "UpDownGas1", .editName = "EditGas1", .parent = &C::GroupBoxGas },
    { .kind = Label, .field = &C::LabelGas1, .anchor = LEFT_FLOW, .x = LABEL_GAP, .y = RowTop(0) + 3,
        .caption = "N2O initial [%]", .name = "LabelGas1", .parent = &C::GroupBoxGas },
    { .kind = EditUpDown, .field = &C::UpDownGas2, .edit = &C::EditGas2, .x = 8, .y = RowTop(1), .width = EDIT_WIDTH,
        .min = 0, .max = 100, .name = "UpDownGas2", .editName = "EditGas2", .parent = &C::GroupBoxGas },
    { .kind = Label, .field = &C::LabelGas2, .anchor = LEFT_FLOW, .x = LABEL_GAP, .y = RowTop(1) + 3,
        .caption = "N2O final [%]", .name = "LabelGas2", .parent = &C::GroupBoxGas },
    { .kind = EditUpDown, .field = &C::UpDownGasD, .edit = &C::EditGasD, .x = 8, .y = RowTop(2), .width = EDIT_WIDTH,
        .min = 0, .max = 25500, .name = "UpDownGasD", .editName = "EditGasD", .parent = &C::GroupBoxGas, .step = 100 },
    { .kind = Label, .field = &C::LabelGasD, .anchor = LEFT_FLOW, .x = LABEL_GAP, .y = RowTop(2) + 3,
        .caption = "Delay [ms]", .name = "LabelGasD", .parent = &C::GroupBoxGas },
    { .kind = EditUpDown, .field = &C::UpDownGasT, .edit = &C::EditGasT, .x = 8, .y = RowTop(3), .width = EDIT_WIDTH,
        .min = 0, .max = 25500, .name = "UpDownGasT", .editName = "EditGasT", .parent = &C::GroupBoxGas, .step = 100 },
    { .kind = Label, .field = &C::LabelGasT, .anchor = LEFT_FLOW, .x = LABEL_GAP, .y = RowTop(3) + 3,
        .caption = "Build up time [ms]", .name = "LabelGasT", .parent = &C::GroupBoxGas },
    { .kind = EditUpDown, .field = &C::UpDownGasJetKor1, .edit = &C::EditGasJetKor1, .x = 8, .y = RowTop(4),
        .width = EDIT_WIDTH, .min = 100, .max = 350, .name = "UpDownGasJetKor1", .editName = "EditGasJetKor1",
        .parent = &C::GroupBoxGas },
    { .kind = Label, .field = &C::LabelGasJetKor1, .anchor = LEFT_FLOW, .x = LABEL_GAP, .y = RowTop(4) + 3,
        .caption = "Correction Inj. initial [%]", .name = "LabelGasJetKor1", .parent = &C::GroupBoxGas },
    { .kind = EditUpDown, .field = &C::UpDownGasJetKor2, .edit = &C::EditGasJetKor2, .x = 8, .y = RowTop(5),
        .width = EDIT_WIDTH, .min = 100, .max = 350, .name = "UpDownGasJetKor2", .editName = "EditGasJetKor2",
        .parent = &C::GroupBoxGas },
    { .kind = Label, .field = &C::LabelGasJetKor2, .anchor = LEFT_FLOW, .x = LABEL_GAP, .y = RowTop(5) + 3,
        .caption = "Correction Inj. final [%]", .name = "LabelGasJetKor2", .parent = &C::GroupBoxGas },

    { .kind = GroupBox, .field = &C::GroupBoxRetard, .x = 436, .y = 8, .width = 360, .height = 216, .caption = "Retard",
        .name = "GroupBoxRetard" },
    { .kind = EditUpDown, .field = &C::UpDownRetard1, .edit = &C::EditRetard1, .x = 8, .y = RowTop(0),
        .width = EDIT_WIDTH, .min = 0, .max = 25, .name = "UpDownRetard1", .editName = "EditRetard1",
        .parent = &C::GroupBoxRetard },
    { .kind = Label, .field = &C::LabelRetard1, .anchor = LEFT_FLOW, .x = LABEL_GAP, .y = RowTop(0) + 3,
        .caption = "Retard initial [°]", .name = "LabelRetard1", .parent = &C::GroupBoxRetard },
    { .kind = EditUpDown, .field = &C::UpDownRetard2, .edit = &C::EditRetard2, .x = 8, .y = RowTop(1),
        .width = EDIT_WIDTH, .min = 0, .max = 25, .name = "UpDownRetard2", .editName = "EditRetard2",
        .parent = &C::GroupBoxRetard },
    { .kind = Label, .field = &C::LabelRetard2, .anchor = LEFT_FLOW, .x = LABEL_GAP, .y = RowTop(1) + 3,
        .caption = "Retard final [°]", .name = "LabelRetard2", .parent = &C::GroupBoxRetard },
    { .kind = EditUpDown, .field = &C::UpDownRetardD, .edit = &C::EditRetardD, .x = 8, .y = RowTop(2),
        .width = EDIT_WIDTH, .min = 0, .max = 25500, .name = "UpDownRetardD", .editName = "EditRetardD",
        .parent = &C::GroupBoxRetard, .step = 100 },
    { .kind = Label, .field = &C::LabelRetardD, .anchor = LEFT_FLOW, .x = LABEL_GAP, .y = RowTop(2) + 3,
        .caption = "Delay [ms]", .name = "LabelRetardD", .parent = &C::GroupBoxRetard },
    { .kind = EditUpDown, .field = &C::UpDownRetardT, .edit = &C::EditRetardT, .x = 8, .y = RowTop(3),
        .width = EDIT_WIDTH, .min = 0, .max = 25500, .name = "UpDownRetardT", .editName = "EditRetardT",
        .parent = &C::GroupBoxRetard, .step = 100 },
    { .kind = Label, .field = &C::LabelRetardT, .anchor = LEFT_FLOW, .x = LABEL_GAP, .y = RowTop(3) + 3,
        .caption = "Build up time [ms]", .name = "LabelRetardT", .parent = &C::GroupBoxRetard },

    { .kind = EditUpDown, .field = &C::UpDownN2O_RPMmin, .edit = &C::EditN2O_RPMmin, .x = 16, .y = LIMITS_TOP,
        .width = EDIT_WIDTH, .min = 0, .max = 25000, .name = "UpDownN2O_RPMmin", .editName = "EditN2O_RPMmin",
        .step = 100 },
    { .kind = Label, .field = &C::LabelN2O_RPMmin, .anchor = LEFT_FLOW, .x = LABEL_GAP, .y = LIMITS_TOP + 3,
        .caption = "RPM min (if 0 - used default value 2000 for older, 5000 for newer versios firmware)",
        .name = "LabelN2O_RPMmin" },
    { .kind = EditUpDown, .field = &C::UpDownN2O_TPSmin, .edit = &C::EditN2O_TPSmin, .x = 16, .y = LIMITS_TOP + ROW_STEP,
        .width = EDIT_WIDTH, .min = 0, .max = 100, .name = "UpDownN2O_TPSmin", .editName = "EditN2O_TPSmin" },
    { .kind = Label, .field = &C::LabelN2O_TPSmin, .anchor = LEFT_FLOW, .x = LABEL_GAP, .y = LIMITS_TOP + ROW_STEP + 3,
        .caption = "TP min [%] (if 0 - used default value 85%)", .name = "LabelN2O_TPSmin" },
    { .kind = EditUpDown, .field = &C::UpDownN2O_Repeat, .edit = &C::EditN2O_Repeat, .x = 16,
        .y = LIMITS_TOP + 2 * ROW_STEP, .width = EDIT_WIDTH, .min = 6, .max = 20, .name = "UpDownN2O_Repeat",
        .editName = "EditN2O_Repeat", .step = 2, .hidden = true },
    { .kind = Label, .field = &C::LabelN2O_Repeat, .anchor = LEFT_FLOW, .x = LABEL_GAP,
        .y = LIMITS_TOP + 2 * ROW_STEP + 3, .caption = "Repetition rate [Hz]", .name = "LabelN2O_Repeat",
        .hidden = true },
    { .kind = Label, .field = &C::LabelN2O_Input, .x = 16, .y = LIMITS_TOP + 3 * ROW_STEP, .name = "LabelN2O_Input" },
    { .kind = Label, .field = &C::LabelN2O_Output, .x = 16, .y = LIMITS_TOP + 3 * ROW_STEP + 20,
        .name = "LabelN2O_Output" },
};
// clang-format on

// A bound cell: the up-down, the byte, position = byte x scale + bias.
struct Cell {
    TUpDown* C::*upDown;
    TEdit* C::*edit;
    TLabel* C::*label;
    int index;
    int scale;
    int bias;
};
constexpr Cell CELLS[] = {
    { &C::UpDownGas1, &C::EditGas1, &C::LabelGas1, 2802, 1, 0 },
    { &C::UpDownGas2, &C::EditGas2, &C::LabelGas2, 2803, 1, 0 },
    { &C::UpDownGasD, &C::EditGasD, &C::LabelGasD, 2805, 100, 0 },
    { &C::UpDownGasT, &C::EditGasT, &C::LabelGasT, 2804, 100, 0 },
    { &C::UpDownGasJetKor1, &C::EditGasJetKor1, &C::LabelGasJetKor1, 2810, 1, 100 },
    { &C::UpDownGasJetKor2, &C::EditGasJetKor2, &C::LabelGasJetKor2, 2811, 1, 100 },
    { &C::UpDownRetard1, &C::EditRetard1, &C::LabelRetard1, 2806, 1, 0 },
    { &C::UpDownRetard2, &C::EditRetard2, &C::LabelRetard2, 2807, 1, 0 },
    { &C::UpDownRetardD, &C::EditRetardD, &C::LabelRetardD, 2809, 100, 0 },
    { &C::UpDownRetardT, &C::EditRetardT, &C::LabelRetardT, 2808, 100, 0 },
    { &C::UpDownN2O_RPMmin, &C::EditN2O_RPMmin, &C::LabelN2O_RPMmin, 4235, 100, 0 },
    { &C::UpDownN2O_TPSmin, &C::EditN2O_TPSmin, &C::LabelN2O_TPSmin, 4236, 1, 0 },
};

constexpr TColor GROUP_GREY = clGray;
constexpr const char* OUTPUT_IS_N2O
    = "###Output: Power Out2 = N2O##Ausgang: Power Out2 = N2O##Výstup: Power Out2 = N2O";
constexpr const char* SELECT_OUTPUT = "###Output: Select Power Out2 to allow N2O function##Ausgang: Wählen Sie Power "
                                      "Out2, um die N2O-Funktion zu ermöglichen##Výstup: Navolte POUT2 pro povolení "
                                      "funkce N2O";

} // namespace

void BuildN2OPage(TMainForm* form)
{
    auto* sheet = dynamic_cast<TControl*>(form->FindComponent("TabSheet_Gas"));
    BuildPageControls<C>(form, form->N2O, sheet, 0, FORM);
}

void StoreN2OPage(TMainForm* form)
{
    if (form->LoadingControls)
        return;
    N2OPageControls& page = form->N2O;
    StoreCheckBoxToByte(form, page.CheckBoxGas, 0, ENABLED);
    for (const Cell& c : CELLS)
        StoreUpDownToByte(form, page.*c.upDown, 0, c.index, c.scale, c.bias);
}

void LoadN2OPage(TMainForm* form)
{
    N2OPageControls& page = form->N2O;
    SetCheckBoxFromByte(form, page.CheckBoxGas, 0, ENABLED);
    for (const Cell& c : CELLS)
        SetUpDownFromByte(form, page.*c.upDown, 0, c.index, c.scale, c.bias);
    UpdateN2OControls(form);
}

void UpdateN2OControls(TMainForm* form)
{
    N2OPageControls& page = form->N2O;
    if (!page.CheckBoxGas)
        return;
    const RsImage& image = form->PcImage;
    const bool outputIsN2O = image.b[POWER_OUT_2] == N2O_FUNCTION;
    const bool enabled = outputIsN2O && image.b[ENABLED] != 0;
    page.CheckBoxGas->SetEnabled(outputIsN2O);
    for (TGroupBox* group : { page.GroupBoxGas, page.GroupBoxRetard })
        group->Font()->SetColor(enabled ? clBlack : GROUP_GREY);
    for (const Cell& c : CELLS)
        for (TControl* control : { static_cast<TControl*>(page.*c.upDown), static_cast<TControl*>(page.*c.edit),
                 static_cast<TControl*>(page.*c.label) })
            control->SetEnabled(enabled);
    page.LabelN2O_Input->SetVisible(false);
    page.LabelN2O_Output->SetCaption(std::string_view(SelectLangText(outputIsN2O ? OUTPUT_IS_N2O : SELECT_OUTPUT)));
    page.LabelN2O_Output->SetColor(outputIsN2O ? clBtnFace : clYellow);
}
