// The Race page's layout, cells and rules. The deceleration action follows
// the idle actuator: percent or millivolts of the intake servo, or steps of
// the step motor, each in its own cell.
#include "pages/race.h"

#include "app/binding.h"
#include "app/editpath.h"
#include "app/main.h"
#include "pages/pagelayout.h"

#include <algorithm>
#include <cmath>

using namespace race_cells;

namespace {

using C = RacePageControls;
using Row = PageLayoutRow<C>;
using enum PageControlKind;

constexpr int EDIT_WIDTH = 50;
constexpr int ROW_STEP = 26;
constexpr int CLUTCH_LEFT = 10;
constexpr int CLUTCH_TOP = 100;
constexpr int CLUTCH_WIDTH = 620;
constexpr int GEAR_ROW_TOP = 40; // of the first row label inside "Setting according gear"
constexpr int RIGHT_COLUMN = 645;
constexpr int DC_TOP = 310;

constexpr int GearLabelTop(int gear)
{
    return GEAR_ROW_TOP + (gear - 1) * ROW_STEP;
}

// clang-format off
constexpr Row LAYOUT[] = {
    { .kind = RadioGroup, .field = &C::RadioGroupClutchMode, .x = 10, .y = 8, .width = 180, .height = 80,
        .caption = "Quickshift up mode", .items = "No ignition,Retard", .name = "RadioGroupClutchMode" },
    { .kind = EditUpDown, .field = &C::UpDownClutchMinRpm, .edit = &C::EditClutchMinRpm, .x = 210, .y = 12,
        .width = EDIT_WIDTH, .min = 1000, .max = 25000, .name = "UpDownClutchMinRpm", .editName = "EditClutchMinRpm",
        .step = 100 },
    { .kind = Label, .field = &C::LabelClutchMinRpm, .anchor = PageLeft::LEFT_FLOW, .x = 6, .y = 15,
        .caption = "Min Rpm for shift up", .name = "LabelClutchMinRpm" },
    { .kind = EditUpDown, .field = &C::UpDownClutchJet, .edit = &C::EditClutchJet, .x = 210, .y = 12 + ROW_STEP,
        .width = EDIT_WIDTH, .min = 0, .max = 100, .name = "UpDownClutchJet", .editName = "EditClutchJet" },
    { .kind = Label, .field = &C::LabelClutchJet, .anchor = PageLeft::LEFT_FLOW, .x = 6, .y = 15 + ROW_STEP,
        .caption = "Shift up Inj. [%]", .name = "LabelClutchJet" },
    { .kind = EditUpDown, .field = &C::UpDownClutchAdv, .edit = &C::EditClutchAdv, .x = 210, .y = 12 + 2 * ROW_STEP,
        .width = EDIT_WIDTH, .min = -60, .max = 60, .name = "UpDownClutchAdv", .editName = "EditClutchAdv" },
    { .kind = Label, .field = &C::LabelClutchAdv, .anchor = PageLeft::LEFT_FLOW, .x = 6, .y = 15 + 2 * ROW_STEP,
        .caption = "Shift up advance [°]", .name = "LabelClutchAdv" },

    { .kind = GroupBox, .field = &C::GroupBoxClutch, .x = CLUTCH_LEFT, .y = CLUTCH_TOP, .width = CLUTCH_WIDTH,
        .height = 200, .caption = "Setting according gear", .name = "GroupBoxClutch" },
    { .kind = Label, .field = &C::LabelGearShiftLight, .x = 31, .y = 18, .caption = "Gear shift light",
        .suffix = " [rpm]", .name = "LabelGearShiftLight", .parent = &C::GroupBoxClutch },
    { .kind = Label, .field = &C::LabelClutchTime, .x = 285, .y = 18, .caption = "Shift up master time [ms]",
        .name = "LabelClutchTime", .parent = &C::GroupBoxClutch },
    { .kind = Label, .field = &C::LabelClutchPause, .x = 448, .y = 18, .caption = "Shift up master pause [ms]",
        .name = "LabelClutchPause", .parent = &C::GroupBoxClutch },
    { .kind = Label, .field = &C::LabelRaceGear1, .x = 6, .y = GearLabelTop(1), .caption = "0-1 ",
        .name = "LabelRaceGear1", .parent = &C::GroupBoxClutch },
    { .kind = Label, .field = &C::LabelRaceGear2, .x = 6, .y = GearLabelTop(2), .caption = "2",
        .name = "LabelRaceGear2", .parent = &C::GroupBoxClutch },
    { .kind = Label, .field = &C::LabelRaceGear3, .x = 6, .y = GearLabelTop(3), .caption = "3",
        .name = "LabelRaceGear3", .parent = &C::GroupBoxClutch },
    { .kind = Label, .field = &C::LabelRaceGear4, .x = 6, .y = GearLabelTop(4), .caption = "4",
        .name = "LabelRaceGear4", .parent = &C::GroupBoxClutch },
    { .kind = Label, .field = &C::LabelRaceGear5, .x = 6, .y = GearLabelTop(5), .caption = "5",
        .name = "LabelRaceGear5", .parent = &C::GroupBoxClutch },
    { .kind = Label, .field = &C::LabelRaceGear6, .x = 6, .y = GearLabelTop(6), .caption = "6",
        .name = "LabelRaceGear6", .parent = &C::GroupBoxClutch },

    { .kind = GroupBox, .field = &C::GroupBoxPitControl, .x = RIGHT_COLUMN, .y = 8, .width = 300, .height = 160,
        .caption = "Pit speed control", .name = "GroupBoxPitControl" },
    { .kind = EditUpDown, .field = &C::UpDownPitSpeed, .edit = &C::EditPitSpeed, .x = 10, .y = 20, .width = EDIT_WIDTH,
        .min = 20, .max = 255, .name = "UpDownPitSpeed", .editName = "EditPitSpeed", .parent = &C::GroupBoxPitControl },
    { .kind = Label, .field = &C::LabelPitSpeed, .anchor = PageLeft::LEFT_FLOW, .x = 6, .y = 23,
        .caption = "Speed [km/h]", .name = "LabelPitSpeed", .parent = &C::GroupBoxPitControl },
    { .kind = EditUpDown, .field = &C::UpDownPitRetardP, .edit = &C::EditPitRetardP, .x = 10, .y = 20 + ROW_STEP,
        .width = EDIT_WIDTH, .min = 0, .max = 250, .name = "UpDownPitRetardP", .editName = "EditPitRetardP",
        .parent = &C::GroupBoxPitControl },
    { .kind = Label, .field = &C::LabelPitRetardP, .anchor = PageLeft::LEFT_FLOW, .x = 6, .y = 23 + ROW_STEP,
        .caption = "Retard - P [°/km/h]", .name = "LabelPitRetardP", .parent = &C::GroupBoxPitControl },
    { .kind = EditUpDown, .field = &C::UpDownPitRetardI, .edit = &C::EditPitRetardI, .x = 10, .y = 20 + 2 * ROW_STEP,
        .width = EDIT_WIDTH, .min = 0, .max = 250, .name = "UpDownPitRetardI", .editName = "EditPitRetardI",
        .parent = &C::GroupBoxPitControl },
    { .kind = Label, .field = &C::LabelPitRetardI, .anchor = PageLeft::LEFT_FLOW, .x = 6, .y = 23 + 2 * ROW_STEP,
        .caption = "Retard - I [°/s]", .name = "LabelPitRetardI", .parent = &C::GroupBoxPitControl },
    { .kind = EditUpDown, .field = &C::UpDownPitMinAdv, .edit = &C::EditPitMinAdv, .x = 10, .y = 20 + 3 * ROW_STEP,
        .width = EDIT_WIDTH, .min = -60, .max = 60, .name = "UpDownPitMinAdv", .editName = "EditPitMinAdv",
        .parent = &C::GroupBoxPitControl },
    { .kind = Label, .field = &C::LabelPitMinAdv, .anchor = PageLeft::LEFT_FLOW, .x = 6, .y = 23 + 3 * ROW_STEP,
        .caption = "Min Advance [°]", .name = "LabelPitMinAdv", .parent = &C::GroupBoxPitControl },
    { .kind = EditUpDown, .field = &C::UpDownPitMinRpm, .edit = &C::EditPitMinRpm, .x = 10, .y = 20 + 4 * ROW_STEP,
        .width = EDIT_WIDTH, .min = 600, .max = 25000, .name = "UpDownPitMinRpm", .editName = "EditPitMinRpm",
        .parent = &C::GroupBoxPitControl, .step = 100 },
    { .kind = Label, .field = &C::LabelPitMinRpm, .anchor = PageLeft::LEFT_FLOW, .x = 6, .y = 23 + 4 * ROW_STEP,
        .caption = "Min Rpm", .name = "LabelPitMinRpm", .parent = &C::GroupBoxPitControl },

    { .kind = RadioGroup, .field = &C::RadioGroupDisplay, .x = RIGHT_COLUMN, .y = 180, .width = 300, .height = 90,
        .caption = "Display on Bike", .items = "Speed,Temperature,Gear", .name = "RadioGroupDisplay" },

    { .kind = GroupBox, .field = &C::GroupBoxRaceDC, .x = CLUTCH_LEFT, .y = DC_TOP, .width = CLUTCH_WIDTH,
        .height = 140, .caption = "Deceleration control", .name = "GroupBoxRaceDC" },
    { .kind = CheckBox, .field = &C::CheckBoxRaceDC, .x = 10, .y = 20, .width = 260, .height = 17,
        .caption = "Deceleration control allowed", .name = "CheckBoxRaceDC", .parent = &C::GroupBoxRaceDC },
    { .kind = CheckBox, .field = &C::CheckBoxDCUseSpeed, .x = 280, .y = 20, .width = 260, .height = 17,
        .caption = "Use Speed for activation", .name = "CheckBoxDCUseSpeed", .parent = &C::GroupBoxRaceDC },
    { .kind = EditUpDown, .field = &C::UpDownDCSpeedMin, .edit = &C::EditDCSpeedMin, .x = 10, .y = 46,
        .width = EDIT_WIDTH, .min = 0, .max = 250, .name = "UpDownDCSpeedMin", .editName = "EditDCSpeedMin",
        .parent = &C::GroupBoxRaceDC },
    { .kind = Label, .field = &C::LabelDCSpeedMin, .anchor = PageLeft::LEFT_FLOW, .x = 6, .y = 49,
        .caption = "Speed min", .name = "LabelDCSpeedMin", .parent = &C::GroupBoxRaceDC },
    { .kind = EditUpDown, .field = &C::UpDownDCTPSmin, .edit = &C::EditDCTPSmin, .x = 10, .y = 46 + ROW_STEP,
        .width = EDIT_WIDTH, .min = 0, .max = 100, .name = "UpDownDCTPSmin", .editName = "EditDCTPSmin",
        .parent = &C::GroupBoxRaceDC },
    { .kind = Label, .field = &C::LabelDCTPSmin, .anchor = PageLeft::LEFT_FLOW, .x = 6, .y = 49 + ROW_STEP,
        .caption = "TP min", .name = "LabelDCTPSmin", .parent = &C::GroupBoxRaceDC },
    { .kind = EditUpDown, .field = &C::UpDownDCRPMmin, .edit = &C::EditDCRPMmin, .x = 10, .y = 46 + 2 * ROW_STEP,
        .width = EDIT_WIDTH, .min = 0, .max = 25000, .name = "UpDownDCRPMmin", .editName = "EditDCRPMmin",
        .parent = &C::GroupBoxRaceDC, .step = 100 },
    { .kind = Label, .field = &C::LabelDCRPMmin, .anchor = PageLeft::LEFT_FLOW, .x = 6, .y = 49 + 2 * ROW_STEP,
        .caption = "RPM min", .name = "LabelDCRPMmin", .parent = &C::GroupBoxRaceDC },
    { .kind = EditUpDown, .field = &C::UpDownDCaction, .edit = &C::EditDCaction, .x = 280, .y = 46,
        .width = EDIT_WIDTH + 10, .min = 1000, .max = 25000, .name = "UpDownDCaction", .editName = "EditDCaction",
        .parent = &C::GroupBoxRaceDC, .step = 5 },
    { .kind = Label, .field = &C::LabelDCaction, .anchor = PageLeft::LEFT_FLOW, .x = 6, .y = 49,
        .name = "LabelDCaction", .parent = &C::GroupBoxRaceDC },
    { .kind = Button, .field = &C::ButtonDCTest, .x = 280, .y = 46 + 2 * ROW_STEP, .width = 75, .height = 25,
        .caption = "Test", .name = "ButtonDCTest", .parent = &C::GroupBoxRaceDC },

    { .kind = GroupBox, .field = &C::GroupBoxRaceQuickShiftDown, .x = RIGHT_COLUMN, .y = 280, .width = 300,
        .height = 80, .caption = "Quickshift down", .name = "GroupBoxRaceQuickShiftDown" },
    { .kind = EditUpDown, .field = &C::UpDownRaceQSDTime, .edit = &C::EditRaceQSDTime, .x = 10, .y = 20,
        .width = EDIT_WIDTH, .min = 0, .max = 250, .name = "UpDownRaceQSDTime", .editName = "EditRaceQSDTime",
        .parent = &C::GroupBoxRaceQuickShiftDown },
    { .kind = Label, .field = &C::LabelRaceQSDTime, .anchor = PageLeft::LEFT_FLOW, .x = 6, .y = 23,
        .caption = "Quickshift down time [ms]", .name = "LabelRaceQSDTime", .parent = &C::GroupBoxRaceQuickShiftDown },
    { .kind = EditUpDown, .field = &C::UpDownRaceQSDTPSmax, .edit = &C::EditRaceQSDTPSmax, .x = 10, .y = 20 + ROW_STEP,
        .width = EDIT_WIDTH, .min = 0, .max = 100, .name = "UpDownRaceQSDTPSmax", .editName = "EditRaceQSDTPSmax",
        .parent = &C::GroupBoxRaceQuickShiftDown },
    { .kind = Label, .field = &C::LabelRaceQSDTPSmax, .anchor = PageLeft::LEFT_FLOW, .x = 6, .y = 23 + ROW_STEP,
        .caption = "TPS target [%]", .name = "LabelRaceQSDTPSmax", .parent = &C::GroupBoxRaceQuickShiftDown },
};
// clang-format on

constexpr TLabel* C::*GEAR_LABELS[RACE_GEARS] = {
    &C::LabelRaceGear1,
    &C::LabelRaceGear2,
    &C::LabelRaceGear3,
    &C::LabelRaceGear4,
    &C::LabelRaceGear5,
    &C::LabelRaceGear6,
};

// A per-gear column: its first cell (gear 1), where it starts in the group,
// its range and the scale of its byte.
struct GearColumn {
    const char* name;
    int firstCell;
    double left; // of the group's width
    int min, max, step, scale;
};
constexpr GearColumn GEAR_COLUMNS[RACE_GEAR_COLUMNS] = {
    { "ShiftLight1", SHIFT_LIGHT_1, 0.05, 300, 25000, 100, 100 },
    { "ShiftLight2", SHIFT_LIGHT_2, 0.2, 300, 25000, 100, 100 },
    { "MasterTime", MASTER_TIME, 0.5, 0, 1250, 5, 5 },
    { "MasterPause", MASTER_PAUSE, 0.8, 0, 2500, 100, 10 },
};
// The order in which a gear's columns are stored and loaded.
constexpr int GEAR_COLUMN_ORDER[RACE_GEAR_COLUMNS] = { 2, 3, 0, 1 };

// An up-down bound to a byte: its cell (SIGNED_CELL: read signed) and scale.
struct UpDownCell {
    TUpDown* C::*upDown;
    int index;
    int scale;
};
constexpr UpDownCell CLUTCH_CELLS[] = {
    { &C::UpDownClutchMinRpm, 2878, 100 },
    { &C::UpDownClutchJet, 2879, 1 },
    { &C::UpDownClutchAdv, CLUTCH_ADVANCE | SIGNED_CELL, 1 },
};
constexpr UpDownCell PIT_CELLS[] = {
    { &C::UpDownPitSpeed, 2896, 1 },
    { &C::UpDownPitRetardP, 2897, 1 },
    { &C::UpDownPitRetardI, 2898, 1 },
    { &C::UpDownPitMinAdv, PIT_MIN_ADVANCE | SIGNED_CELL, 1 },
    { &C::UpDownPitMinRpm, 2900, 100 },
};
constexpr UpDownCell DC_CELLS[] = {
    { &C::UpDownDCSpeedMin, 4686, 1 },
    { &C::UpDownDCTPSmin, 4682, 1 },
    { &C::UpDownDCRPMmin, 4681, 100 },
};

// The bike codes whose display takes the unit's choice.
constexpr int DISPLAY_BIKES[] = { 17, 18, 27, 34, 35, 42, 47, 51, 55, 59, 60, 61 };

// The deceleration action in the unit of the idle actuator.
struct DecelerationAction {
    int messageSlot;
    int min, max, step;
    int cell; // a byte, or a word index when `word`
    bool word;
    int scale; // of a byte
};
constexpr DecelerationAction ACTION_SERVO_PERCENT = { 184, 0, 100, 1, DC_SERVO_PERCENT, false, 1 };
constexpr DecelerationAction ACTION_SERVO_MV = { 185, 0, 5000, 5, DC_SERVO_MV, false, 50 };
constexpr DecelerationAction ACTION_STEP = { 186, -30000, 30000, 1, DC_STEP_WORD | SIGNED_CELL, true, 1 };
constexpr DecelerationAction ACTION_STEP_TP_MIN = { 187, -30000, 30000, 1, DC_STEP_TP_MIN_WORD | SIGNED_CELL, true, 1 };

// Null for an idle mode without a deceleration action.
const DecelerationAction* ActionOf(const RsImage& image)
{
    switch (image.b[IDLE_MODE]) {
    case 1:
        return image.b[INTAKE_SERVO_PERCENT] ? &ACTION_SERVO_PERCENT : &ACTION_SERVO_MV;
    case 2:
        return &ACTION_STEP;
    case 3:
        return &ACTION_STEP_TP_MIN;
    default:
        return nullptr;
    }
}

// The action's caption and range: before its value is loaded, so a value of
// another unit is not held to the old range.
void SetActionUnit(TMainForm* form)
{
    const DecelerationAction* action = ActionOf(form->PcImage);
    if (!action)
        return;
    C& p = form->RacePage;
    p.LabelDCaction->SetCaption(std::string_view(form->MessageTable[size_t(action->messageSlot)]));
    p.UpDownDCaction->SetMin(action->min);
    p.UpDownDCaction->SetMax(action->max);
    p.UpDownDCaction->SetIncrement(action->step);
}

void ShowAll(std::initializer_list<TControl*> controls, bool visible)
{
    for (TControl* c : controls)
        c->SetVisible(visible);
}

void EnableAll(std::initializer_list<TControl*> controls, bool enabled)
{
    for (TControl* c : controls)
        c->SetEnabled(enabled);
}

void SetColour(TControl* control, TColor colour)
{
    if (control->Color() != colour)
        control->SetColor(colour);
}

} // namespace

void BuildRacePage(TMainForm* form)
{
    C& page = form->RacePage;
    auto* sheet = dynamic_cast<TControl*>(form->FindComponent("TabSheet_Race"));
    BuildPageControls<C>(form, page, sheet, 0, LAYOUT);
    page.RadioGroupClutchMode->OnClick = [form](TObject* sender) { form->RadioGroupClutchModeClick(sender); };
    page.ButtonDCTest->OnClick = [form](TObject* sender) { form->ButtonDCTestClick(sender); };
}

void CreateRacePage(TMainForm* form)
{
    C& page = form->RacePage;
    const int groupWidth = page.GroupBoxClutch->Width();
    const int editWidth = groupWidth <= 530 ? 42 : 50;
    for (int g = 0; g < RACE_GEARS; ++g) {
        const int top = (page.*GEAR_LABELS[g])->Top() - 2;
        for (int c = 0; c < RACE_GEAR_COLUMNS; ++c) {
            const GearColumn& column = GEAR_COLUMNS[c];
            TUpDown*& upDown = page.GearUpDowns[size_t(g)][size_t(c)];
            TEdit*& edit = page.GearEdits[size_t(g)][size_t(c)];
            CreateEditUpDown(form, upDown, edit, page.GroupBoxClutch);
            PlaceEditUpDown(upDown, int(std::lround(column.left * groupWidth)), top, column.min, column.max,
                column.step, editWidth);
            const std::string suffix = std::string(column.name) + std::to_string(g + 1);
            edit->SetName("EditRace" + suffix);
            upDown->SetName("UpDownRace" + suffix);
        }
    }
}

void StoreRacePage(TMainForm* form)
{
    if (form->LoadingControls)
        return;
    C& p = form->RacePage;
    StoreRadioGroupToByte(form, p.RadioGroupClutchMode, 0, CLUTCH_MODE);
    for (int g = 0; g < RACE_GEARS; ++g)
        for (int c : GEAR_COLUMN_ORDER) {
            const GearColumn& column = GEAR_COLUMNS[c];
            StoreUpDownToByte(form, p.GearUpDowns[size_t(g)][size_t(c)], 0, column.firstCell + g, column.scale, 0);
        }
    for (const UpDownCell& c : CLUTCH_CELLS)
        StoreUpDownToByte(form, p.*c.upDown, 0, c.index, c.scale, 0);
    StoreRadioGroupToByte(form, p.RadioGroupDisplay, 0, DISPLAY);
    for (const UpDownCell& c : PIT_CELLS)
        StoreUpDownToByte(form, p.*c.upDown, 0, c.index, c.scale, 0);
    StoreCheckBoxToByte(form, p.CheckBoxRaceDC, 0, DC_ALLOWED);
    StoreCheckBoxToByte(form, p.CheckBoxDCUseSpeed, 0, DC_USE_SPEED);
    for (const UpDownCell& c : DC_CELLS)
        StoreUpDownToByte(form, p.*c.upDown, 0, c.index, c.scale, 0);
    if (const DecelerationAction* action = ActionOf(form->PcImage)) {
        if (action->word)
            StoreUpDownToWord(form, p.UpDownDCaction, 0, action->cell, 0);
        else
            StoreUpDownToByte(form, p.UpDownDCaction, 0, action->cell, action->scale, 0);
    }
}

void LoadRacePage(TMainForm* form)
{
    C& p = form->RacePage;
    SetRadioGroupFromByte(form, p.RadioGroupClutchMode, 0, CLUTCH_MODE);
    for (int g = 0; g < RACE_GEARS; ++g)
        for (int c : GEAR_COLUMN_ORDER) {
            const GearColumn& column = GEAR_COLUMNS[c];
            SetUpDownFromByte(form, p.GearUpDowns[size_t(g)][size_t(c)], 0, column.firstCell + g, column.scale, 0);
        }
    for (const UpDownCell& c : CLUTCH_CELLS)
        SetUpDownFromByte(form, p.*c.upDown, 0, c.index, c.scale, 0);
    SetRadioGroupFromByte(form, p.RadioGroupDisplay, 0, DISPLAY);
    for (const UpDownCell& c : PIT_CELLS)
        SetUpDownFromByte(form, p.*c.upDown, 0, c.index, c.scale, 0);
    SetCheckBoxFromByte(form, p.CheckBoxRaceDC, 0, DC_ALLOWED);
    SetCheckBoxFromByte(form, p.CheckBoxDCUseSpeed, 0, DC_USE_SPEED);
    for (const UpDownCell& c : DC_CELLS)
        SetUpDownFromByte(form, p.*c.upDown, 0, c.index, c.scale, 0);
    SetActionUnit(form);
    if (const DecelerationAction* action = ActionOf(form->PcImage)) {
        if (action->word)
            SetUpDownFromWord(form, p.UpDownDCaction, 0, action->cell, 0);
        else
            SetUpDownFromByte(form, p.UpDownDCaction, 0, action->cell, action->scale, 0);
    }
    UpdateRaceControls(form);
}

void UpdateRaceControls(TMainForm* form)
{
    C& p = form->RacePage;
    // The Idle and Servo pages run this also before the per-gear pairs exist.
    if (!p.GearEdits[0][0])
        return;
    RsImage& image = form->PcImage;
    const bool displayChoice = std::ranges::find(DISPLAY_BIKES, image.b[BIKE_CODE]) != std::end(DISPLAY_BIKES);
    p.RadioGroupDisplay->SetEnabled(displayChoice);
    if (!displayChoice) {
        // Such a bike's display shows the speed: the choice is cleared in the
        // image and on the page, so no later store writes the old one back.
        image.b[DISPLAY] = 0;
        SetRadioGroupQuiet(form, p.RadioGroupDisplay, 0);
    }

    const int system = image.b[GEAR_SYSTEM];
    const int count = image.b[GEAR_COUNT];
    (p.*GEAR_LABELS[0])->SetVisible(system != 3);
    for (int g = 2; g <= RACE_GEARS; ++g) {
        const bool shown = count >= g && system != 3;
        (p.*GEAR_LABELS[g - 1])->SetVisible(shown);
        for (int c = 0; c < RACE_GEAR_COLUMNS; ++c)
            ShowAll({ p.GearEdits[size_t(g - 1)][size_t(c)], p.GearUpDowns[size_t(g - 1)][size_t(c)] }, shown);
    }

    // UpdateDecelerationControls: 0 no idle actuator, 1 not allowed, 2 allowed.
    const int mode = image.b[IDLE_MODE];
    const int state = mode < 1 || mode > 3 ? 0 : image.b[DC_ALLOWED] ? 2 : 1;
    const bool bySpeed = image.b[DC_USE_SPEED] != 0;
    EnableAll({ p.CheckBoxRaceDC, p.ButtonDCTest }, state != 0);
    p.CheckBoxDCUseSpeed->SetEnabled(state == 2);
    EnableAll({ p.EditDCSpeedMin, p.UpDownDCSpeedMin, p.LabelDCSpeedMin }, state == 2 && bySpeed);
    EnableAll({ p.EditDCTPSmin, p.UpDownDCTPSmin, p.LabelDCTPSmin, p.EditDCRPMmin, p.UpDownDCRPMmin, p.LabelDCRPMmin },
        state == 2 && !bySpeed);
    EnableAll({ p.EditDCaction, p.UpDownDCaction, p.LabelDCaction }, state == 2);

    SetActionUnit(form);
    ShowRaceLiveValues(form);
}

void ShowRaceLiveValues(TMainForm* form)
{
    C& p = form->RacePage;
    const int gear = form->Monitor.Values.LiveGear;
    for (int i = 1; i <= RACE_GEARS; ++i) {
        const bool lit = gear == i;
        for (TEdit* edit : p.GearEdits[size_t(i - 1)])
            if (edit)
                SetColour(edit, lit ? TColor(0x00FF00) : clWindow);
        SetColour(p.*GEAR_LABELS[i - 1], lit ? TColor(0x00FF00) : clBtnFace);
    }
}

void TMainForm::RadioGroupClutchModeClick(TObject*)
{
    if (LoadingControls)
        return;
    CommitEditNow(this);
    UpdateRaceControls(this);
    Undo->SnapshotAfterEdit();
}

void TMainForm::ButtonDCTestClick(TObject*)
{
    OneShot.Set(3, 0x80);
}
