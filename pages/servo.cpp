// The Servo page's layout, cells and flows. The page is built at run time:
// one sheet holding ServoTable and the row of settings under it. The two
// servos share the row; which servo it shows follows the table's sheet.
#include "pages/servo.h"

#include "app/binding.h"
#include "app/editpath.h"
#include "app/language.h"
#include "app/main.h"
#include "app/maptables.h"
#include "mapedit/tab.h"
#include "pages/advance.h"
#include "pages/idle.h"
#include "pages/pagelayout.h"
#include "pages/pages.h"
#include "texts/langtext.h"
#include "texts/messagetable.h"

#include <algorithm>
#include <cstdio>

using namespace servo_cells;

namespace {

using C = ServoPageControls;
using Row = PageLayoutRow<C>;
using enum PageControlKind;
using enum PageLeft;

constexpr int ROW_HEIGHT = 30;
constexpr int PAIR_WIDTH = 25;
// The step-motor pair and the controller pairs share one place.
constexpr int SHARED_LEFT = 372;

// The row under the table, tops counted from the row's top.
// clang-format off
constexpr Row ROW[] = {
    { .kind = CheckBox, .field = &C::CheckBoxServoEnable, .x = 8, .y = 6, .width = 105, .height = 17,
        .caption = "###Servo enable##Servo zulassen##Servo povoleno", .name = "CheckBoxServoEnable" },
    { .kind = CheckBox, .field = &C::CheckBoxServoPercent, .x = 115, .y = 6, .width = 70, .height = 17,
        .caption = "###Percent##Perzent##Procent", .name = "CheckBoxServoPercent" },
    { .kind = EditUpDown, .field = &C::UpDownServoP, .edit = &C::EditServoP, .x = 188, .y = 4, .width = 35,
        .min = 0, .max = 1000, .name = "UpDownServoP", .editName = "EditServoP", .step = 5 },
    { .kind = Label, .field = &C::LabelServoP, .anchor = LEFT_FLOW, .x = 4, .y = 7, .caption = "1/P",
        .name = "LabelServoP" },
    { .kind = CheckBox, .field = &C::CheckBoxServoStepMotor, .x = 268, .y = 6, .width = 100, .height = 17,
        .caption = "###Step motor##Schrittmotor##Krokový motor", .name = "CheckBoxServoStepMotor" },

    { .kind = EditUpDown, .field = &C::UpDownServoPeriod, .edit = &C::EditServoPeriod, .x = SHARED_LEFT, .y = 4,
        .width = PAIR_WIDTH, .min = 2, .max = 100, .name = "UpDownServoPeriod", .editName = "EditServoPeriod",
        .step = 2 },
    { .kind = Label, .field = &C::LabelServoPeriod, .anchor = LEFT_FLOW, .x = 4, .y = 7,
        .caption = "###Period [ms]##Periode [ms]##Perioda [ms]", .name = "LabelServoPeriod" },
    { .kind = EditUpDown, .field = &C::UpDownServoExcitation, .edit = &C::EditServoExcitation, .anchor = LEFT_FLOW,
        .x = 12, .y = 4, .width = 45, .min = 250, .max = 25000, .name = "UpDownServoExcitation",
        .editName = "EditServoExcitation", .step = 250, .hidden = true },
    { .kind = Label, .field = &C::LabelServoExcitation, .anchor = LEFT_FLOW, .x = 4, .y = 7,
        .caption = "###Excitation [us]##Anfachung [us]##Buzení [us]", .name = "LabelServoExcitation",
        .hidden = true },

    { .kind = EditUpDown, .field = &C::UpDownServoI, .edit = &C::EditServoI, .x = SHARED_LEFT, .y = 4,
        .width = PAIR_WIDTH, .min = 0, .max = 250, .name = "UpDownServoI", .editName = "EditServoI" },
    { .kind = Label, .field = &C::LabelServoI, .anchor = LEFT_FLOW, .x = 4, .y = 7, .caption = "I",
        .name = "LabelServoI" },
    { .kind = EditUpDown, .field = &C::UpDownServoD, .edit = &C::EditServoD, .anchor = LEFT_FLOW, .x = 8, .y = 4,
        .width = PAIR_WIDTH, .min = 0, .max = 250, .name = "UpDownServoD", .editName = "EditServoD" },
    { .kind = Label, .field = &C::LabelServoD, .anchor = LEFT_FLOW, .x = 4, .y = 7, .caption = "D",
        .name = "LabelServoD" },
    { .kind = EditUpDown, .field = &C::UpDownServoIOff, .edit = &C::EditServoIOff, .anchor = LEFT_FLOW, .x = 8,
        .y = 4, .width = PAIR_WIDTH, .min = 0, .max = 250, .name = "UpDownServoIOff", .editName = "EditServoIOff" },
    { .kind = Label, .field = &C::LabelServoIOff, .anchor = LEFT_FLOW, .x = 4, .y = 7,
        .caption = "###I off##I aus##I vyp.", .name = "LabelServoIOff" },
    { .kind = EditUpDown, .field = &C::UpDownServoDOff, .edit = &C::EditServoDOff, .anchor = LEFT_FLOW, .x = 8,
        .y = 4, .width = PAIR_WIDTH, .min = 0, .max = 250, .name = "UpDownServoDOff", .editName = "EditServoDOff" },
    { .kind = Label, .field = &C::LabelServoDOff, .anchor = LEFT_FLOW, .x = 4, .y = 7,
        .caption = "###D off##D aus##D vyp.", .name = "LabelServoDOff" },
    { .kind = EditUpDown, .field = &C::UpDownServoO, .edit = &C::EditServoO, .anchor = LEFT_FLOW, .x = 8, .y = 4,
        .width = PAIR_WIDTH, .min = 0, .max = 250, .name = "UpDownServoO", .editName = "EditServoO" },
    { .kind = Label, .field = &C::LabelServoO, .anchor = LEFT_FLOW, .x = 4, .y = 7, .caption = "O",
        .name = "LabelServoO" },

    // Wide enough for "Minus" in the bundled font.
    { .kind = RadioGroup, .field = &C::RadioGroupServoPolarity, .anchor = LEFT_FROM_RIGHT, .x = 200, .y = -15,
        .width = 190, .height = 40, .caption = "###Polarity##Polarität##Polarita", .items = "Auto,Plus,Minus",
        .columns = 3, .name = "RadioGroupServoPolarity" },
    { .kind = CheckBox, .field = &C::CheckBoxServoIsTps, .anchor = LEFT_FROM_RIGHT, .x = 260, .y = 6, .width = 55,
        .height = 17, .caption = "###is TPS##ist TPS##je TPS", .name = "CheckBoxServoIsTps" },
};
// clang-format on

// The row's cells: the intake servo's cell and the exhaust servo's (-1: the
// intake servo's only), in load order.
enum class CellKind { UpDown, CheckBox, RadioGroup };
struct Cell {
    CellKind kind;
    TUpDown* C::*upDown;
    TCheckBox* C::*box;
    int index[2];
    int scale;
};
constexpr Cell CELLS[] = {
    { CellKind::CheckBox, nullptr, &C::CheckBoxServoEnable, { ENABLE[0], ENABLE[1] }, 1 },
    { CellKind::CheckBox, nullptr, &C::CheckBoxServoPercent, { PERCENT[0], PERCENT[1] }, 1 },
    { CellKind::UpDown, &C::UpDownServoP, nullptr, { 2784, 2783 }, 5 },
    { CellKind::CheckBox, nullptr, &C::CheckBoxServoStepMotor, { STEP_MOTOR, -1 }, 1 },
    { CellKind::UpDown, &C::UpDownServoPeriod, nullptr, { STEP_PERIOD, -1 }, 1 },
    { CellKind::UpDown, &C::UpDownServoExcitation, nullptr, { 2800, -1 }, 250 },
    { CellKind::UpDown, &C::UpDownServoI, nullptr, { 2791, 2790 }, 1 },
    { CellKind::UpDown, &C::UpDownServoD, nullptr, { 2793, 2792 }, 1 },
    { CellKind::UpDown, &C::UpDownServoIOff, nullptr, { 2795, 2794 }, 1 },
    { CellKind::UpDown, &C::UpDownServoDOff, nullptr, { 2797, 2796 }, 1 },
    { CellKind::UpDown, &C::UpDownServoO, nullptr, { 2798, -1 }, 1 },
    { CellKind::RadioGroup, nullptr, nullptr, { 4041, 4040 }, 1 },
    { CellKind::CheckBox, nullptr, &C::CheckBoxServoIsTps, { IS_TPS, -1 }, 1 },
};

constexpr const char* SHEET_CAPTIONS[2] = { "Intake servo", "Exhaust servo" };
constexpr TColor VOLT_COLOUR = 0xCEDBFF;
constexpr TColor PERCENT_COLOUR = 0xCEF0FF;

constexpr TickRecord TICKS_RPM[] = {
    { 4000, 2000, 1000, 200, 1000 },
    { 10000, 2000, 1000, 500, 1000 },
    { 25000, 2000, 1000, 1000, 2000 },
    {},
};
constexpr TickRecord TICKS_VOLT[] = { { 2, 1, 0.2, 0.2, 1 }, { 5, 1, 0.5, 0.5, 1 }, {} };
constexpr TickRecord TICKS_PERCENT[] = {
    { 10, 5, 1, 1, 2 },
    { 30, 5, 5, 5, 5 },
    { 100, 20, 10, 5, 20 },
    { 500, 100, 50, 25, 100 },
    {},
};

// The value axis of a servo map: positions in percent or as a voltage.
struct ValueAxis {
    const char* label;
    const char* key;
    const char* unit;
    int min, max;
    double scale;
    const TickRecord* ticks;
};
constexpr ValueAxis PERCENT_AXIS = { "Percentage", "[%]", "%", 1, 99, 1.0, TICKS_PERCENT };
constexpr ValueAxis VOLT_AXIS = { "Voltage", "U", "V", 0, 250, 0.02, TICKS_VOLT };

template <size_t N> void SetText(char (&field)[N], const char* text)
{
    std::snprintf(field, N, "%s", text);
}

void SetValueAxis(CAxe& v, const ValueAxis& axis, int max)
{
    SetText(v.Label, axis.label);
    SetText(v.Key, axis.key);
    SetText(v.Unit, axis.unit);
    v.Min = axis.min;
    v.Max = max;
    v.Scale = axis.scale;
    v.LoadTickTable(axis.ticks);
}

int StoredRpmCount(const RsImage& image, int servo)
{
    const int count = image.b[size_t(RPM_COUNT[servo])];
    return count == 0 || count > MAP_COLUMNS ? MAP_COLUMNS : count;
}

// The servo of the current sheet, or -1 when the table has none.
int CurrentServo(const TMainForm* form)
{
    const TTab* table = form->Maps.ServoTable;
    return table && (table->CurrentIndex == INTAKE || table->CurrentIndex == EXHAUST) ? table->CurrentIndex : -1;
}

void ShowPair(TControl* edit, TControl* upDown, TControl* label, bool shown)
{
    for (TControl* c : { edit, upDown, label })
        c->SetVisible(shown);
}

void FocusTableOnThePage(TMainForm* form)
{
    if (form->ActivePageIndex == PAGE_SLOT_SERVO && form->Maps.ServoTable)
        form->Maps.ServoTable->TakeFocus();
}

// Half-up rounding of value x num / den for values that are not negative.
int32_t ScaleRounded(int64_t value, int64_t num, int64_t den)
{
    return int32_t(std::max<int64_t>(0, (2 * value * num + den) / (2 * den)));
}

// The percent switch: the shown servo's map and, for the intake servo, the
// idle curves change between voltage and percent of 5 V.
void SwitchPercent(TMainForm* form, int servo, bool percent)
{
    TTab* table = form->Maps.ServoTable;
    uint8_t& stored = form->PcImage.b[size_t(PERCENT[servo])];
    if ((stored != 0) != percent) {
        // 250 (5.00 V) is 100 %: x 0.4 one way, x 2.5 the other.
        const int num = percent ? 2 : 5, den = percent ? 5 : 2;
        CSheet& sheet = table->Sheets[servo];
        for (int i = 0; i < TAB_CELLS; ++i)
            sheet.V.Values[i] = ScaleRounded(sheet.V.Values[i], num, den);
        if (servo == INTAKE)
            for (int first : { idle_cells::CURVE_WORD, idle_cells::START_CURVE_WORD })
                for (int i = 0; i < idle_cells::CURVE_POINTS; ++i) {
                    const uint16_t word = form->PcImage.Word(first + i);
                    const int32_t value = percent ? ScaleRounded(word, 1, 50) : int32_t(word) * 50;
                    form->PcImage.SetWord(first + i, uint16_t(std::min(value, 65535)));
                }
        SetValueAxis(sheet.V, percent ? PERCENT_AXIS : VOLT_AXIS, percent ? 100 : 250);
    }
    stored = percent ? 1 : 0;
}

} // namespace

void CreateServoPage(TMainForm* form)
{
    ServoPageControls& page = form->Servo;
    TTabSheet* sheet = CreateRunTimeSheet(form, PAGE_SLOT_SERVO);
    const int rowTop = sheet->ClientHeight() - ROW_HEIGHT;
    TTab* table = CreateMapTable(form->Maps, 1, sheet->ClientWidth(), rowTop,
        TABSTYLE_TOOLBAR | TABSTYLE_TABLE | TABSTYLE_2D | TABSTYLE_3D, sheet);
    form->Maps.ServoTable = table;
    if (table) {
        table->ColumnSlots = MAP_COLUMNS;
        table->RowSlots = MAP_ROWS;
        for (int servo : { INTAKE, EXHAUST }) {
            const int s = table->AddSheet(SHEET_CAPTIONS[servo], "RPM", "TP", "Voltage", MAP_COLUMNS, MAP_ROWS,
                SHEET_LIVE_MARKER | SHEET_ENABLE_BOX | SHEET_LIMITER_LINE | SHEET_START_LIMITER_LINE);
            // X: the rpm breakpoints, which the user edits, inserts, deletes
            // and may collapse.
            table->DefineAxes(s, 1, "RPM", "", 3, 250, 100.0, 1, TICKS_RPM, 1, 1, 1, MAP_COLUMNS, 1, 0, 1, -1, 0,
                VOLT_COLOUR, nullptr);
            // Y: fixed throttle breakpoints the user may collapse.
            table->DefineAxes(
                s, 2, "TP", "%", 1, 99, 1.0, 1, nullptr, 0, 1, 1, MAP_ROWS, 1, 0, 0, -2, 0, VOLT_COLOUR, nullptr);
            table->DefineAxes(
                s, 4, "U", "V", 0, 250, 0.02, 0, TICKS_VOLT, 1, 2, 0, 0, 0, 0, 0, 0, 0, VOLT_COLOUR, nullptr);
            table->ApplyLimits(&table->Sheets[s], 0x107);
        }
    }
    BuildPageControls<C>(form, page, sheet, rowTop, ROW);
    for (TCheckBox* box : { page.CheckBoxServoEnable, page.CheckBoxServoPercent, page.CheckBoxServoStepMotor })
        box->OnClick = [form](TObject* sender) { ServoCheckBoxClick(form, sender); };
    SetServoAxisColours(form);
    if (table)
        table->SelectSheet(INTAKE);
    page.ServoLastSheet = INTAKE;
    LoadServoPage(form);
}

void StoreServoPage(TMainForm* form)
{
    if (form->LoadingControls)
        return;
    ServoPageControls& page = form->Servo;
    RsImage& image = form->PcImage;
    // The row holds the settings of the servo it was loaded for.
    const int shown = page.ServoLastSheet;
    for (const Cell& c : CELLS) {
        const int index = c.index[shown];
        if (index < 0)
            continue;
        switch (c.kind) {
        case CellKind::CheckBox:
            StoreCheckBoxToByte(form, page.*c.box, 0, index);
            break;
        case CellKind::UpDown:
            StoreUpDownToByte(form, page.*c.upDown, 0, index, c.scale, 0);
            break;
        case CellKind::RadioGroup:
            StoreRadioGroupToByte(form, page.RadioGroupServoPolarity, 0, index);
            break;
        }
        if (index == STEP_MOTOR && image.b[BIKE] == BIKE_WITHOUT_STEP_MOTOR)
            image.b[STEP_MOTOR] = 0;
    }

    const int servo = CurrentServo(form);
    if (servo < 0)
        return;
    const CSheet& sheet = form->Maps.ServoTable->Sheets[servo];
    image.b[size_t(AXIS_STATE[servo])] = sheet.X.Collapsed ? 2 : sheet.Y.Collapsed ? 1 : 0;
    for (int c = 0; c < MAP_COLUMNS; ++c)
        image.b[size_t(RPM_BREAKPOINTS[servo] + c)] = uint8_t(std::clamp(sheet.X.Values[c], 0, 255));
    // Columns from the count on repeat the last used one.
    const int count = std::clamp(sheet.X.Count, 1, MAP_COLUMNS);
    for (int r = 0; r < MAP_ROWS; ++r)
        for (int c = 0; c < MAP_COLUMNS; ++c)
            image.b[size_t(MAP[servo] + MAP_COLUMNS * r + c)]
                = uint8_t(std::clamp(sheet.V.Values[r * TAB_MAX_COLS + std::min(c, count - 1)], 0, 255));
    image.b[size_t(RPM_COUNT[servo])] = uint8_t(count);
}

void LoadServoPage(TMainForm* form)
{
    ServoPageControls& page = form->Servo;
    RsImage& image = form->PcImage;
    TTab* table = form->Maps.ServoTable;
    const int shown = std::max(CurrentServo(form), 0);
    for (const Cell& c : CELLS) {
        const int index = c.index[shown];
        if (index < 0)
            continue;
        if (index == STEP_PERIOD) {
            // The unit drives the step motor in whole periods of 2 ms; 255 has
            // no even successor in a byte and becomes 254, never 0.
            uint8_t& period = image.b[STEP_PERIOD];
            period = period == 255 ? 254 : uint8_t(period + (period & 1));
        }
        switch (c.kind) {
        case CellKind::CheckBox:
            SetCheckBoxFromByte(form, page.*c.box, 0, index);
            break;
        case CellKind::UpDown:
            SetUpDownFromByte(form, page.*c.upDown, 0, index, c.scale, 0);
            break;
        case CellKind::RadioGroup:
            SetRadioGroupFromByte(form, page.RadioGroupServoPolarity, 0, index);
            break;
        }
    }
    page.ServoLastSheet = shown;
    if (!table)
        return;
    for (int servo : { INTAKE, EXHAUST }) {
        CSheet& sheet = table->Sheets[servo];
        sheet.Enabled = image.b[size_t(ENABLE[servo])] != 0 ? 1 : 0;
        const int state = image.b[size_t(AXIS_STATE[servo])];
        sheet.X.Collapsed = state == 2 ? 1 : 0;
        sheet.Y.Collapsed = state == 1 ? 1 : 0;
        sheet.X.Count = MAP_COLUMNS;
        sheet.Y.Count = MAP_ROWS;
        for (int c = 0; c < MAP_COLUMNS; ++c)
            sheet.X.Values[c] = image.b[size_t(RPM_BREAKPOINTS[servo] + c)];
        for (int r = 0; r < MAP_ROWS; ++r)
            sheet.Y.Values[r] = TP_BREAKPOINTS[r]; // the fixed throttle breakpoints of the maps
        for (int r = 0; r < MAP_ROWS; ++r)
            for (int c = 0; c < MAP_COLUMNS; ++c)
                sheet.V.Values[r * TAB_MAX_COLS + c] = image.b[size_t(MAP[servo] + MAP_COLUMNS * r + c)];
        const bool percent = image.b[size_t(PERCENT[servo])] != 0;
        SetValueAxis(sheet.V, percent ? PERCENT_AXIS : VOLT_AXIS, percent ? PERCENT_AXIS.max : VOLT_AXIS.max);
        sheet.X.Count = StoredRpmCount(image, servo);
    }
    SetServoAxisColours(form);
    table->UpdateToolbar();
    table->RedrawBits |= REDRAW_VALUES;
    SyncMapTables(form->Maps);
    UpdateServoControls(form);
    if (form->FormCreated)
        UpdateRaceControls(form);
}

void ServoTableChanged(TMainForm* form, TTab* table)
{
    ServoPageControls& page = form->Servo;
    const int servo = CurrentServo(form);
    if (servo >= 0) {
        const int32_t enabled = table->Sheets[servo].Enabled ? 1 : 0;
        uint8_t& stored = form->PcImage.b[size_t(ENABLE[servo])];
        if (enabled != stored) {
            stored = uint8_t(enabled);
            // The row may still show the other servo: its box is not this one's.
            if (page.ServoLastSheet == servo)
                SetCheckBoxQuiet(form, page.CheckBoxServoEnable, enabled);
            CommitEditNow(form);
        }
    }
    if (servo >= 0 && servo != page.ServoLastSheet) {
        // An edit of the row still waiting for its commit belongs to the
        // servo the row showed: it is kept there before the row changes.
        StoreServoPage(form);
        LoadServoPage(form);
    }
    CommitEditNow(form);
}

void ServoCheckBoxClick(TMainForm* form, TObject* sender)
{
    if (form->LoadingControls)
        return;
    ServoPageControls& page = form->Servo;
    TTab* table = form->Maps.ServoTable;
    const int servo = CurrentServo(form);
    if (servo < 0)
        return;
    if (sender == page.CheckBoxServoEnable) {
        if (page.CheckBoxServoEnable->Checked() != (table->Sheets[servo].Enabled != 0))
            table->DoCommand(19);
        FocusTableOnThePage(form);
        ApplyLanguage(form);
    } else if (sender == page.CheckBoxServoPercent) {
        SwitchPercent(form, servo, page.CheckBoxServoPercent->Checked());
        ApplyLanguage(form);
        UpdateIdleLabels(form);
        LoadTrackingPage(form);
        SetServoAxisColours(form);
        table->RedrawBits |= REDRAW_VALUES;
        NoteControlEdit(form, sender, EDIT_COMMIT_NOW);
        FocusTableOnThePage(form);
    } else if (sender == page.CheckBoxServoStepMotor) {
        form->PcImage.b[STEP_MOTOR] = page.CheckBoxServoStepMotor->Checked() ? 1 : 0;
        UpdateServoControls(form);
        NoteControlEdit(form, sender, EDIT_COMMIT_NOW);
        FocusTableOnThePage(form);
    }
}

void UpdateServoControls(TMainForm* form)
{
    C& p = form->Servo;
    const RsImage& image = form->PcImage;
    const int servo = std::max(CurrentServo(form), 0);
    const bool intake = servo == INTAKE;
    const bool enabled = image.b[size_t(ENABLE[servo])] != 0;
    const bool stepMotor = intake && enabled && image.b[STEP_MOTOR] != 0;
    const bool controller = enabled && !stepMotor;
    p.CheckBoxServoEnable->SetVisible(true);
    p.CheckBoxServoPercent->SetVisible(enabled);
    ShowPair(p.EditServoP, p.UpDownServoP, p.LabelServoP, enabled);
    p.CheckBoxServoStepMotor->SetVisible(enabled && intake);
    ShowPair(p.EditServoPeriod, p.UpDownServoPeriod, p.LabelServoPeriod, stepMotor);
    ShowPair(p.EditServoExcitation, p.UpDownServoExcitation, p.LabelServoExcitation, false);
    ShowPair(p.EditServoI, p.UpDownServoI, p.LabelServoI, controller);
    ShowPair(p.EditServoD, p.UpDownServoD, p.LabelServoD, controller);
    const bool offPairs = controller && (intake || form->TestMode);
    ShowPair(p.EditServoIOff, p.UpDownServoIOff, p.LabelServoIOff, offPairs);
    ShowPair(p.EditServoDOff, p.UpDownServoDOff, p.LabelServoDOff, offPairs);
    ShowPair(p.EditServoO, p.UpDownServoO, p.LabelServoO, controller && intake);
    p.RadioGroupServoPolarity->SetVisible(enabled);
    p.CheckBoxServoIsTps->SetVisible(enabled && intake);
}

void SetServoAxisColours(TMainForm* form)
{
    TTab* table = form->Maps.ServoTable;
    if (!table)
        return;
    for (int servo : { INTAKE, EXHAUST }) {
        const TColor colour = form->PcImage.b[size_t(PERCENT[servo])] != 0 ? PERCENT_COLOUR : VOLT_COLOUR;
        CSheet& sheet = table->Sheets[servo];
        sheet.X.Colour = sheet.Y.Colour = sheet.V.Colour = colour;
    }
}
