// The Gear page's layout, cells, visibility and live colours. The voltage,
// ratio and automatic groups share one place: the gear system shows one of
// them, and the take buttons beside it serve the voltage and ratio rows.
#include "pages/gear.h"

#include "app/binding.h"
#include "app/editpath.h"
#include "app/main.h"
#include "pages/pagelayout.h"

#include <algorithm>
#include <cmath>
#include <vector>

using namespace gear_cells;

namespace {

using C = GearPageControls;
using Row = PageLayoutRow<C>;
using enum PageControlKind;

constexpr int ROW_STEP = 27;
constexpr int GROUP_TOP = 110;
constexpr int GROUP_HEIGHT = 250;
constexpr int GEAR_ROW_TOP = 24; // of gear 0's label inside the voltage group
constexpr int VALUE_LEFT = 24; // of the voltage and ratio edits in their groups
constexpr int VALUE_WIDTH = 40;
constexpr int ROW_LABEL_LEFT = VALUE_LEFT + VALUE_WIDTH + UPDOWN_WIDTH + 6;
constexpr int BUTTON_LEFT = 220;
constexpr int KOR_LEFT = 320;
constexpr int KOR_WIDTH = 470;
constexpr int KOR_ROW_TOP = 48; // of row 1's label
constexpr int KOR_EDIT_WIDTH = 30;
constexpr int SPEED_TOP = 372;
constexpr TColor LIT = 0x00FF00;

constexpr int GearTop(int gear)
{
    return GEAR_ROW_TOP + gear * ROW_STEP;
}
constexpr int KorTop(int row)
{
    return KOR_ROW_TOP + (row - 1) * ROW_STEP;
}

#define GEAR_LABEL(n, text)                                                                                            \
    {                                                                                                                  \
        .kind = Label, .field = &C::LabelGear##n, .x = ROW_LABEL_LEFT, .y = GearTop(n), .caption = text,               \
        .name = "LabelGear" #n, .parent = &C::GroupBoxNapetiProGear                                                    \
    }
#define RATIO_LABEL(n)                                                                                                 \
    {                                                                                                                  \
        .kind = Label, .field = &C::LabelPomerRpmSpeed##n, .x = ROW_LABEL_LEFT, .y = GearTop(n), .caption = #n,        \
        .name = "LabelPomerRpmSpeed" #n, .parent = &C::GroupBoxRpmSpeedProGear                                         \
    }
#define AUTO_LABELS(n)                                                                                                 \
    { .kind = Label,                                                                                                   \
        .field = &C::LabelMonGearAuto##n,                                                                              \
        .x = 200,                                                                                                      \
        .y = GearTop(n - 1),                                                                                           \
        .caption = #n ":",                                                                                             \
        .name = "LabelMonGearAuto" #n,                                                                                 \
        .parent = &C::GroupBoxMonAutoGear },                                                                           \
    {                                                                                                                  \
        .kind = Label, .field = &C::LabelMonPomerRpmSpeedAuto##n, .x = 224, .y = GearTop(n - 1), .caption = "--",      \
        .name = "LabelMonPomerRpmSpeedAuto" #n, .parent = &C::GroupBoxMonAutoGear                                      \
    }
#define KOR_LABEL(n, text)                                                                                             \
    {                                                                                                                  \
        .kind = Label, .field = &C::LabelGearKor##n, .x = 10, .y = KorTop(n), .caption = text,                         \
        .name = "LabelGearKor" #n, .parent = &C::GroupBoxGearKor                                                       \
    }
#define GEAR_BUTTON(n)                                                                                                 \
    {                                                                                                                  \
        .kind = Button, .field = &C::ButtonGear##n, .x = BUTTON_LEFT, .y = GROUP_TOP + GearTop(n) - 5, .width = 80,    \
        .height = 23, .caption = "<- Gear " #n, .name = "ButtonGear" #n                                                \
    }

// clang-format off
constexpr Row LAYOUT[] = {
    { .kind = RadioGroup, .field = &C::RadioGroupGearSystem, .x = 10, .y = 8, .width = 220, .height = 95,
        .caption = "Determining of gear", .name = "RadioGroupGearSystem" },
    { .kind = EditUpDown, .field = &C::UpDownPocetGear, .edit = &C::EditPocetGear, .x = 250, .y = 14, .width = 40,
        .min = 1, .max = 6, .name = "UpDownPocetGear", .editName = "EditPocetGear" },
    { .kind = Label, .field = &C::LabelPocetGear, .anchor = PageLeft::LEFT_FLOW, .x = 6, .y = 17,
        .caption = "Number of gears", .name = "LabelPocetGear" },

    { .kind = GroupBox, .field = &C::GroupBoxNapetiProGear, .x = 10, .y = GROUP_TOP, .width = 200,
        .height = GROUP_HEIGHT, .caption = "Voltage of gears", .name = "GroupBoxNapetiProGear" },
    GEAR_LABEL(0, "0 [mV]"), GEAR_LABEL(1, "1 [mv]"), GEAR_LABEL(2, "2 [mV]"), GEAR_LABEL(3, "3 [mv]"),
    GEAR_LABEL(4, "4 [mV]"), GEAR_LABEL(5, "5 [mv]"), GEAR_LABEL(6, "6 [mv]"),
    { .kind = Label, .field = &C::LabelMonGearNapeti, .x = 10, .y = GearTop(7) + 4, .caption = "U = -- mV",
        .name = "LabelMonGearNapeti", .parent = &C::GroupBoxNapetiProGear },

    { .kind = GroupBox, .field = &C::GroupBoxRpmSpeedProGear, .x = 10, .y = GROUP_TOP, .width = 200,
        .height = GROUP_HEIGHT, .caption = "Ration Rpm/Speed", .name = "GroupBoxRpmSpeedProGear" },
    { .kind = Label, .field = &C::LabelPomerRpmSpeedHeader, .x = VALUE_LEFT, .y = GearTop(0),
        .caption = "Rpm/Speed x 10", .name = "LabelPomerRpmSpeedHeader", .parent = &C::GroupBoxRpmSpeedProGear },
    RATIO_LABEL(1), RATIO_LABEL(2), RATIO_LABEL(3), RATIO_LABEL(4), RATIO_LABEL(5), RATIO_LABEL(6),

    { .kind = GroupBox, .field = &C::GroupBoxMonAutoGear, .x = 10, .y = GROUP_TOP, .width = 300,
        .height = GROUP_HEIGHT, .caption = "Automatic from ratio rpm speed", .name = "GroupBoxMonAutoGear" },
    { .kind = EditUpDown, .field = &C::UpDownGearAutoTime, .edit = &C::EditGearAutoTime, .x = 10, .y = GearTop(0) - 3,
        .width = 40, .min = 1, .max = 100, .name = "UpDownGearAutoTime", .editName = "EditGearAutoTime",
        .parent = &C::GroupBoxMonAutoGear },
    { .kind = Label, .field = &C::LabelGearAutoTime, .anchor = PageLeft::LEFT_FLOW, .x = 6, .y = GearTop(0),
        .caption = "Min Time [s]", .name = "LabelGearAutoTime", .parent = &C::GroupBoxMonAutoGear },
    { .kind = EditUpDown, .field = &C::UpDownGearAutoRpm, .edit = &C::EditGearAutoRpm, .x = 10, .y = GearTop(1) - 3,
        .width = 50, .min = 300, .max = 25000, .name = "UpDownGearAutoRpm", .editName = "EditGearAutoRpm",
        .parent = &C::GroupBoxMonAutoGear, .step = 100 },
    { .kind = Label, .field = &C::LabelGearAutoRpm, .anchor = PageLeft::LEFT_FLOW, .x = 6, .y = GearTop(1),
        .caption = "Min RPM", .name = "LabelGearAutoRpm", .parent = &C::GroupBoxMonAutoGear },
    { .kind = EditUpDown, .field = &C::UpDownGearAutoTps, .edit = &C::EditGearAutoTps, .x = 10, .y = GearTop(2) - 3,
        .width = 40, .min = 0, .max = 100, .name = "UpDownGearAutoTps", .editName = "EditGearAutoTps",
        .parent = &C::GroupBoxMonAutoGear },
    { .kind = Label, .field = &C::LabelGearAutoTps, .anchor = PageLeft::LEFT_FLOW, .x = 6, .y = GearTop(2),
        .caption = "Min TPS [%]", .name = "LabelGearAutoTps", .parent = &C::GroupBoxMonAutoGear },
    { .kind = Label, .field = &C::LabelGearAutoBand, .x = 10 + 40 + UPDOWN_WIDTH + 6, .y = GearTop(2) + 30,
        .caption = "Zone [%]", .name = "LabelGearAutoBand", .parent = &C::GroupBoxMonAutoGear },
    AUTO_LABELS(1), AUTO_LABELS(2), AUTO_LABELS(3), AUTO_LABELS(4), AUTO_LABELS(5), AUTO_LABELS(6),

    { .kind = Label, .field = &C::LabelMonPomerRpmSpeed, .x = 10, .y = GROUP_TOP + GROUP_HEIGHT + 8,
        .caption = "Rpm/Speed= --", .name = "LabelMonPomerRpmSpeed" },

    GEAR_BUTTON(0), GEAR_BUTTON(1), GEAR_BUTTON(2), GEAR_BUTTON(3), GEAR_BUTTON(4), GEAR_BUTTON(5), GEAR_BUTTON(6),

    { .kind = GroupBox, .field = &C::GroupBoxGearKor, .x = KOR_LEFT, .y = GROUP_TOP, .width = KOR_WIDTH,
        .height = GROUP_HEIGHT, .caption = "Correction per gear", .name = "GroupBoxGearKor" },
    { .kind = Label, .field = &C::LabelGearKorAdvance, .x = 71, .y = 22, .caption = "Advance [°]",
        .name = "LabelGearKorAdvance", .parent = &C::GroupBoxGearKor },
    { .kind = Label, .field = &C::LabelGearKorInjection, .x = 165, .y = 22, .caption = "Injection [%]",
        .name = "LabelGearKorInjection", .parent = &C::GroupBoxGearKor },
    { .kind = Label, .field = &C::LabelGearKorAccTres, .x = 259, .y = 22, .caption = "Acc. tres. [%]",
        .name = "LabelGearKorAccTres", .parent = &C::GroupBoxGearKor },
    { .kind = Label, .field = &C::LabelGearKorRetard, .x = 353, .y = 22, .caption = "Track [%]",
        .name = "LabelGearKorRetard", .parent = &C::GroupBoxGearKor },
    KOR_LABEL(1, "0-1"), KOR_LABEL(2, "2"), KOR_LABEL(3, "3"), KOR_LABEL(4, "4"), KOR_LABEL(5, "5"),
    KOR_LABEL(6, "6"),

    { .kind = Label, .field = &C::LabelSpeedRear, .x = KOR_LEFT, .y = SPEED_TOP, .caption = "Rear speedometer:",
        .name = "LabelSpeedRear" },
    { .kind = RadioGroup, .field = &C::RadioGroupRearMode, .x = KOR_LEFT, .y = SPEED_TOP + 16, .width = 230,
        .height = 60, .items = "Pulse over 1s for 100 km/h,Distance for pulse [mm]", .name = "RadioGroupRearMode" },
    { .kind = EditUpDown, .field = &C::UpDownPulsuProRear, .edit = &C::EditPulsuProRear, .x = KOR_LEFT,
        .y = SPEED_TOP + 82, .width = 50, .min = 1, .max = 32000, .name = "UpDownPulsuProRear",
        .editName = "EditPulsuProRear" },
    { .kind = Label, .field = &C::LabelSpeedFront, .x = KOR_LEFT + 240, .y = SPEED_TOP, .caption = "Front speedometer:",
        .name = "LabelSpeedFront" },
    { .kind = RadioGroup, .field = &C::RadioGroupFrontMode, .x = KOR_LEFT + 240, .y = SPEED_TOP + 16, .width = 230,
        .height = 60, .items = "Pulse over 1s for 100 km/h,Distance for pulse [mm]", .name = "RadioGroupFrontMode" },
    { .kind = EditUpDown, .field = &C::UpDownPulsuProFront, .edit = &C::EditPulsuProFront, .x = KOR_LEFT + 240,
        .y = SPEED_TOP + 82, .width = 50, .min = 0, .max = 32000, .name = "UpDownPulsuProFront",
        .editName = "EditPulsuProFront" },
    { .kind = Label, .field = &C::LabelSpeedOutCorrection, .x = KOR_LEFT, .y = SPEED_TOP + 121,
        .caption = "Speed output correction:", .name = "LabelSpeedOutCorrection" },
    { .kind = EditUpDown, .field = &C::UpDownSpeedOutCorrection, .edit = &C::EditSpeedOutCorrection,
        .anchor = PageLeft::LEFT_FLOW, .x = 8, .y = SPEED_TOP + 118, .width = 60, .min = 1, .max = 65000,
        .name = "UpDownSpeedOutCorrection", .editName = "EditSpeedOutCorrection" },

    { .kind = GroupBox, .field = &C::GroupBoxNeutral, .x = 440, .y = 8, .width = 300, .height = 95,
        .caption = "Setting Neutral", .name = "GroupBoxNeutral", .hidden = true },
    { .kind = CheckBox, .field = &C::CheckBoxNeutral, .x = 10, .y = 18, .width = 150, .height = 17,
        .caption = "Neutral detection", .name = "CheckBoxNeutral", .parent = &C::GroupBoxNeutral },
    { .kind = Label, .field = &C::LabelN0, .x = 80, .y = 43, .caption = "N [mV]", .name = "LabelN0",
        .parent = &C::GroupBoxNeutral },
    { .kind = Label, .field = &C::LabelN1, .x = 80, .y = 70, .caption = "no N [mv]", .name = "LabelN1",
        .parent = &C::GroupBoxNeutral },
    { .kind = Label, .field = &C::LabelMonGearNapeti1, .x = 170, .y = 43, .caption = "U = -- mV",
        .name = "LabelMonGearNapeti1", .parent = &C::GroupBoxNeutral },
};
// clang-format on

#undef GEAR_LABEL
#undef RATIO_LABEL
#undef AUTO_LABELS
#undef KOR_LABEL
#undef GEAR_BUTTON

constexpr TLabel* C::*GEAR_LABELS[GEAR_MAX + 1] = { &C::LabelGear0, &C::LabelGear1, &C::LabelGear2, &C::LabelGear3,
    &C::LabelGear4, &C::LabelGear5, &C::LabelGear6 };
// Gear 1..6; entry 0 unused.
constexpr TLabel* C::*RATIO_LABELS[GEAR_MAX + 1] = { nullptr, &C::LabelPomerRpmSpeed1, &C::LabelPomerRpmSpeed2,
    &C::LabelPomerRpmSpeed3, &C::LabelPomerRpmSpeed4, &C::LabelPomerRpmSpeed5, &C::LabelPomerRpmSpeed6 };
constexpr TLabel* C::*AUTO_GEAR_LABELS[GEAR_MAX + 1] = { nullptr, &C::LabelMonGearAuto1, &C::LabelMonGearAuto2,
    &C::LabelMonGearAuto3, &C::LabelMonGearAuto4, &C::LabelMonGearAuto5, &C::LabelMonGearAuto6 };
constexpr TLabel* C::*AUTO_RATIO_LABELS[GEAR_MAX + 1]
    = { nullptr, &C::LabelMonPomerRpmSpeedAuto1, &C::LabelMonPomerRpmSpeedAuto2, &C::LabelMonPomerRpmSpeedAuto3,
          &C::LabelMonPomerRpmSpeedAuto4, &C::LabelMonPomerRpmSpeedAuto5, &C::LabelMonPomerRpmSpeedAuto6 };
constexpr TLabel* C::*KOR_LABELS[GEAR_MAX + 1] = { nullptr, &C::LabelGearKor1, &C::LabelGearKor2, &C::LabelGearKor3,
    &C::LabelGearKor4, &C::LabelGearKor5, &C::LabelGearKor6 };
constexpr TButton* C::*BUTTONS[GEAR_MAX + 1] = { &C::ButtonGear0, &C::ButtonGear1, &C::ButtonGear2, &C::ButtonGear3,
    &C::ButtonGear4, &C::ButtonGear5, &C::ButtonGear6 };

// A correction column: its first byte (row 1), the bias of the byte, the range.
struct CorrectionColumn {
    const char* name;
    int firstCell;
    int bias;
    int min, max;
    double left; // of the group's width
};
constexpr CorrectionColumn CORRECTION_COLUMNS[GEAR_CORRECTIONS] = {
    { "Advance", ADVANCE, -100, -20, 20, 0.15 },
    { "Injection", INJECTION, 0, 0, 250, 0.35 },
    { "AccThreshold", ACC_THRESHOLD, 0, 0, 250, 0.55 },
    { "Track", TRACK, 0, 0, 250, 0.75 },
};

struct SystemItem {
    const char* text;
    int code;
};
constexpr SystemItem SYSTEM_ITEMS[] = {
    { "###No##Nein##Ne", NO_SYSTEM },
    { "###Gear position sensor##Gangsensor##Snímač polohy řazení", 0 },
    { "###Ration Rpm/Speed##Proportion Rpm/Geschwindigkeit##Poměr Rpm/rychlost", 1 },
    { "###Automatic ratio Rpm/Speed##Automatisch Proportion Rpm/Geschwindigkeit##Automatický poměr Rpm/rychlost", 2 },
};

void SetColour(TControl* control, TColor colour)
{
    if (control && control->Color() != colour)
        control->SetColor(colour);
}

void Show(TControl* control, bool visible)
{
    if (control)
        control->SetVisible(visible);
}

std::string Numbered(const char* stem, int n)
{
    return std::string(stem) + std::to_string(n);
}

void MakePair(TMainForm* form, TUpDown*& upDown, TEdit*& edit, TControl* parent, int left, int top, int min, int max,
    int step, int width, const std::string& name)
{
    CreateEditUpDown(form, upDown, edit, parent);
    PlaceEditUpDown(upDown, left, top, min, max, step, width);
    edit->SetName("Edit" + name);
    upDown->SetName("UpDown" + name);
}

// A bound control and its cell: a byte pair shows byte x scale + bias, a word
// pair the word + bias; the system list shows its item of the code.
enum class CellKind { SYSTEM_CODE, BYTE_PAIR, WORD_PAIR, RADIO };
struct BoundCell {
    CellKind kind;
    int index;
    TUpDown* upDown = nullptr;
    TRadioGroup* radio = nullptr;
    int scale = 1;
    int bias = 0;
};

// Every bound control of the page; loads and stores move them in this order.
std::vector<BoundCell> BoundCells(C& p)
{
    using enum CellKind;
    std::vector<BoundCell> cells = {
        { .kind = SYSTEM_CODE, .index = SYSTEM, .radio = p.RadioGroupGearSystem },
        { .kind = BYTE_PAIR, .index = COUNT, .upDown = p.UpDownPocetGear },
        { .kind = BYTE_PAIR, .index = AUTO_TIME, .upDown = p.UpDownGearAutoTime },
        { .kind = BYTE_PAIR, .index = AUTO_RPM, .upDown = p.UpDownGearAutoRpm, .scale = 100 },
        { .kind = BYTE_PAIR, .index = AUTO_TPS, .upDown = p.UpDownGearAutoTps },
        { .kind = BYTE_PAIR, .index = AUTO_BAND, .upDown = p.DeciUpDownGearAutoBand },
        { .kind = RADIO, .index = REAR_MODE, .radio = p.RadioGroupRearMode },
        { .kind = WORD_PAIR, .index = REAR_PULSES_WORD, .upDown = p.UpDownPulsuProRear },
        { .kind = RADIO, .index = FRONT_MODE, .radio = p.RadioGroupFrontMode },
        { .kind = WORD_PAIR, .index = FRONT_PULSES_WORD, .upDown = p.UpDownPulsuProFront },
        { .kind = WORD_PAIR, .index = SPEED_OUT_WORD, .upDown = p.UpDownSpeedOutCorrection },
    };
    for (int i = 0; i <= GEAR_MAX; ++i)
        cells.push_back({ .kind = WORD_PAIR, .index = VOLTAGE_WORD + i, .upDown = p.UpDownGearVoltage[size_t(i)] });
    for (int r = 1; r <= GEAR_MAX; ++r) {
        cells.push_back({ .kind = WORD_PAIR, .index = RATIO_WORD + r - 1, .upDown = p.UpDownGearRatio[size_t(r)] });
        for (int c = 0; c < GEAR_CORRECTIONS; ++c) {
            const CorrectionColumn& column = CORRECTION_COLUMNS[c];
            cells.push_back({ .kind = BYTE_PAIR,
                .index = column.firstCell + r - 1,
                .upDown = p.UpDownGearCorrection[size_t(r)][size_t(c)],
                .bias = column.bias });
        }
    }
    return cells;
}

enum class CellWay { STORE, LOAD };
// The control into its cell, or the cell into its control.
void MoveCell(TMainForm* form, const BoundCell& cell, CellWay way)
{
    const bool store = way == CellWay::STORE;
    switch (cell.kind) {
    case CellKind::SYSTEM_CODE:
        store ? StoreRadioGroupValueToByte(form, cell.radio, 0, cell.index)
              : SelectRadioGroupByValue(form, cell.radio, 0, cell.index);
        break;
    case CellKind::BYTE_PAIR:
        store ? StoreUpDownToByte(form, cell.upDown, 0, cell.index, cell.scale, cell.bias)
              : SetUpDownFromByte(form, cell.upDown, 0, cell.index, cell.scale, cell.bias);
        break;
    case CellKind::WORD_PAIR:
        store ? StoreUpDownToWord(form, cell.upDown, 0, cell.index, cell.bias)
              : SetUpDownFromWord(form, cell.upDown, 0, cell.index, cell.bias);
        break;
    case CellKind::RADIO:
        store ? StoreRadioGroupToByte(form, cell.radio, 0, cell.index)
              : SetRadioGroupFromByte(form, cell.radio, 0, cell.index);
        break;
    }
}

} // namespace

void BuildGearPage(TMainForm* form)
{
    C& page = form->GearPage;
    auto* sheet = dynamic_cast<TControl*>(form->FindComponent("TabSheet_Gear"));
    BuildPageControls<C>(form, page, sheet, 0, LAYOUT);
    page.RadioGroupGearSystem->OnClick = [form](TObject* sender) { form->RadioGroupGearSystemClick(sender); };
    for (TRadioGroup* group : { page.RadioGroupRearMode, page.RadioGroupFrontMode })
        group->OnClick = [form](TObject* sender) { form->RadioGroupSpeedModeClick(sender); };
    using Handler = void (TMainForm::*)(TObject*);
    constexpr Handler HANDLERS[GEAR_MAX + 1] = { &TMainForm::ButtonGear0Click, &TMainForm::ButtonGear1Click,
        &TMainForm::ButtonGear2Click, &TMainForm::ButtonGear3Click, &TMainForm::ButtonGear4Click,
        &TMainForm::ButtonGear5Click, &TMainForm::ButtonGear6Click };
    for (int i = 0; i <= GEAR_MAX; ++i)
        (page.*BUTTONS[i])->OnClick = [form, handler = HANDLERS[i]](TObject* sender) { (form->*handler)(sender); };
    LivePageControls& live = form->Monitor.Pages;
    live.LabelMonGearNapeti = page.LabelMonGearNapeti;
    live.LabelMonGearNapeti1 = page.LabelMonGearNapeti1;
    live.LabelMonPomerRpmSpeed = page.LabelMonPomerRpmSpeed;
}

void CreateGearPage(TMainForm* form)
{
    C& p = form->GearPage;
    for (int i = 0; i <= GEAR_MAX; ++i)
        MakePair(form, p.UpDownGearVoltage[size_t(i)], p.EditGearVoltage[size_t(i)], p.GroupBoxNapetiProGear,
            VALUE_LEFT, (p.*GEAR_LABELS[i])->Top() - 3, 0, 5000, 1, VALUE_WIDTH, Numbered("GearVoltage", i));
    for (int i = 0; i < 2; ++i)
        MakePair(form, p.UpDownGearNeutral[size_t(i)], p.EditGearNeutral[size_t(i)], p.GroupBoxNeutral, 10,
            (i == 0 ? p.LabelN0 : p.LabelN1)->Top() - 3, 0, 5000, 20, VALUE_WIDTH, Numbered("GearNeutral", i));
    for (int i = 1; i <= GEAR_MAX; ++i)
        MakePair(form, p.UpDownGearRatio[size_t(i)], p.EditGearRatio[size_t(i)], p.GroupBoxRpmSpeedProGear, VALUE_LEFT,
            (p.*RATIO_LABELS[i])->Top() - 3, 1, 32000, 1, VALUE_WIDTH, Numbered("GearRatio", i));
    const int korWidth = p.GroupBoxGearKor->Width();
    for (int r = 1; r <= GEAR_MAX; ++r)
        for (int c = 0; c < GEAR_CORRECTIONS; ++c) {
            const CorrectionColumn& column = CORRECTION_COLUMNS[c];
            MakePair(form, p.UpDownGearCorrection[size_t(r)][size_t(c)], p.EditGearCorrection[size_t(r)][size_t(c)],
                p.GroupBoxGearKor, int(std::lround(column.left * korWidth)), (p.*KOR_LABELS[r])->Top() - 3, column.min,
                column.max, 1, KOR_EDIT_WIDTH, std::string("Gear") + column.name + std::to_string(r));
        }
    for (int i = 1; i <= GEAR_MAX; ++i)
        p.LabelsGearAutoRatio[size_t(i)] = p.*AUTO_RATIO_LABELS[i];
    for (int i = 1; i <= GEAR_MAX; ++i)
        form->Monitor.Pages.LabelMonPomerRpmSpeedAuto[size_t(i - 1)] = p.LabelsGearAutoRatio[size_t(i)];
    CreateDeciEditUpDown(form, p.DeciUpDownGearAutoBand, p.DeciEditGearAutoBand, p.GroupBoxMonAutoGear);
    PlaceDeciEditUpDown(
        p.DeciUpDownGearAutoBand, p.EditGearAutoTps->Left(), p.EditGearAutoTps->Top() + 30, 0, 100, 10, 40);
    p.DeciEditGearAutoBand->SetName("DeciEditGearAutoBand");
    p.DeciUpDownGearAutoBand->SetName("DeciUpDownGearAutoBand");
    FillGearSystemList(form);
}

void FillGearSystemList(TMainForm* form)
{
    TRadioGroup* group = form->GearPage.RadioGroupGearSystem;
    if (!group)
        return;
    // Rebuilding the list moves its selection: that is no choice of the user.
    const int32_t loading = form->LoadingControls;
    form->LoadingControls = 1;
    ClearRadioGroupItems(group);
    form->LangScratch = { "Determining of gear", "Gangbestimmung", "Určení rychlostního stupně" };
    group->SetCaption(std::string_view(form->LangScratch[size_t(std::clamp(LangIndex, 0, 2))]));
    for (const SystemItem& item : SYSTEM_ITEMS)
        AddRadioGroupItem(group, SelectLangText(item.text), item.code);
    form->LoadingControls = loading;
    SelectRadioGroupByValue(form, group, 0, SYSTEM);
}

void StoreGearPage(TMainForm* form)
{
    if (form->LoadingControls)
        return;
    for (const BoundCell& cell : BoundCells(form->GearPage))
        MoveCell(form, cell, CellWay::STORE);
    RsImage& image = form->PcImage;
    image.b[SPEED_OUT_COPY] = uint8_t(std::min<int>(image.Word(SPEED_OUT_WORD), 250));
    UpdateGearControls(form);
}

void LoadGearPage(TMainForm* form)
{
    for (const BoundCell& cell : BoundCells(form->GearPage))
        MoveCell(form, cell, CellWay::LOAD);
    UpdateGearControls(form);
}

void UpdateGearControls(TMainForm* form)
{
    C& p = form->GearPage;
    if (!p.EditGearVoltage[0])
        return;
    const RsImage& image = form->PcImage;
    const int s = image.b[SYSTEM];
    const int n = image.b[COUNT];
    const bool some = s != NO_SYSTEM;
    const bool takes = s == 0 || s == 1;
    for (int k = 2; k <= GEAR_MAX; ++k) {
        Show(p.*GEAR_LABELS[k], n >= k);
        Show(p.*RATIO_LABELS[k], n >= k);
        Show(p.LabelsGearAutoRatio[size_t(k)], n >= k);
        Show(p.*AUTO_GEAR_LABELS[k], n >= k);
    }
    for (int k = 0; k <= GEAR_MAX; ++k)
        Show(p.*BUTTONS[k], takes && (k < 2 || n >= k));
    Show(p.LabelGearKor1, some);
    for (int k = 2; k <= GEAR_MAX; ++k) {
        const bool row = some && n >= k;
        Show(p.*KOR_LABELS[k], row);
        for (TControl* c : { static_cast<TControl*>(p.EditGearVoltage[size_t(k)]),
                 static_cast<TControl*>(p.UpDownGearVoltage[size_t(k)]),
                 static_cast<TControl*>(p.EditGearRatio[size_t(k)]),
                 static_cast<TControl*>(p.UpDownGearRatio[size_t(k)]) })
            Show(c, row);
        for (int c = 0; c < GEAR_CORRECTIONS; ++c) {
            Show(p.EditGearCorrection[size_t(k)][size_t(c)], row);
            Show(p.UpDownGearCorrection[size_t(k)][size_t(c)], row);
        }
    }
    Show(p.EditPocetGear, some);
    Show(p.UpDownPocetGear, some);
    Show(p.LabelPocetGear, some);
    Show(p.GroupBoxNapetiProGear, s == 0);
    Show(p.GroupBoxRpmSpeedProGear, s == 1);
    Show(p.GroupBoxMonAutoGear, s == 2);
    Show(p.LabelMonPomerRpmSpeed, s == 1 || s == 2);
    Show(p.GroupBoxNeutral, false);
}

void ShowGearLiveValues(TMainForm* form)
{
    C& p = form->GearPage;
    if (!p.EditGearVoltage[0])
        return;
    const int s = form->PcImage.b[SYSTEM];
    const int g = form->Monitor.Values.LiveGear;
    const auto light = [](TControl* edit, TControl* label, bool lit) {
        SetColour(edit, lit ? LIT : clWindow);
        SetColour(label, lit ? LIT : clBtnFace);
    };
    for (int i = 0; i <= GEAR_MAX; ++i) {
        light(p.EditGearVoltage[size_t(i)], p.*GEAR_LABELS[i], s == 0 && i == g);
        if (i >= 1) {
            light(p.EditGearRatio[size_t(i)], p.*RATIO_LABELS[i], s == 1 && i == g);
            light(p.LabelsGearAutoRatio[size_t(i)], p.*AUTO_GEAR_LABELS[i], s == 2 && i == g);
        }
        const bool bold = i == g && (i == 0 ? s == 0 : s == 0 || s == 1);
        TFont* font = (p.*BUTTONS[i])->Font();
        const unsigned style = bold ? (font->Style() | fsBold) : (font->Style() & ~unsigned(fsBold));
        if (font->Style() != style)
            font->SetStyle(style);
    }
    if (TFont* font = p.ButtonGear0->Font(); font->Color() != LIT)
        font->SetColor(LIT);
    // Row 1 serves gears 0 and 1, and stands for no gear.
    const int h = g == 0 || g == 255 ? 1 : g;
    for (int r = 1; r <= GEAR_MAX; ++r) {
        const bool lit = r == h;
        for (TEdit* edit : p.EditGearCorrection[size_t(r)])
            SetColour(edit, lit ? LIT : clWindow);
        SetColour(p.*KOR_LABELS[r], lit ? LIT : clBtnFace);
    }
}

void TakeGearLiveValue(TMainForm* form, int n)
{
    C& p = form->GearPage;
    const LiveValues& live = form->Monitor.Values;
    const int s = form->PcImage.b[SYSTEM];
    if (s == 0 && n >= 0 && n <= GEAR_MAX)
        SetUpDownQuiet(form, p.UpDownGearVoltage[size_t(n)], live.LiveGearMv);
    else if (s == 1 && n >= 1 && n <= GEAR_MAX)
        SetUpDownQuiet(form, p.UpDownGearRatio[size_t(n)], live.LiveRatio);
    CommitEditNow(form);
}

void TMainForm::RadioGroupGearSystemClick(TObject* Sender)
{
    if (LoadingControls)
        return;
    NoteControlEdit(this, Sender, EDIT_COMMIT_NOW);
}

void TMainForm::RadioGroupSpeedModeClick(TObject*)
{
    if (LoadingControls)
        return;
    CommitEditNow(this);
}

void TMainForm::ButtonGear0Click(TObject*)
{
    if (PcImage.b[SYSTEM] != 1)
        TakeGearLiveValue(this, 0);
}

void TMainForm::ButtonGear1Click(TObject*)
{
    TakeGearLiveValue(this, 1);
}

void TMainForm::ButtonGear2Click(TObject*)
{
    TakeGearLiveValue(this, 2);
}

void TMainForm::ButtonGear3Click(TObject*)
{
    TakeGearLiveValue(this, 3);
}

void TMainForm::ButtonGear4Click(TObject*)
{
    TakeGearLiveValue(this, 4);
}

void TMainForm::ButtonGear5Click(TObject*)
{
    TakeGearLiveValue(this, 5);
}

void TMainForm::ButtonGear6Click(TObject*)
{
    TakeGearLiveValue(this, 6);
}
