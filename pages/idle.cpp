// The Idle page's layout, cells and curves. The idle mode decides what the
// two curves of the actuator hold (millivolts or percent of the intake servo,
// rpm, steps, percent of the FID valve) and so the factor between a curve
// cell and its image word.
#include "pages/idle.h"

#include "app/binding.h"
#include "app/bitmaps.h"
#include "app/editpath.h"
#include "app/main.h"
#include "app/maptables.h"
#include "mapedit/tab.h"
#include "pages/pagelayout.h"
#include "pages/pages.h"
#include "pages/race.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

using namespace idle_cells;

namespace {

using C = IdlePageControls;
using Row = PageLayoutRow<C>;
using enum PageControlKind;

constexpr int EDIT_WIDTH = 50;
constexpr int COLUMN_A = 280;
constexpr int COLUMN_B = 560;
constexpr int ROW_STEP = 26;

// The mode list and the regulation rows above the two curves, with the idle
// advance box under the first column of rows, so that the widest language
// fits within the sheet. The lobe row shares the start row's place, and the
// step pulse and control range pairs, never shown, share the first row: no
// two of them are shown together.
// clang-format off
constexpr Row LAYOUT[] = {
    { .kind = RadioGroup, .field = &C::RadioGroupIdleMode, .x = 10, .y = 4, .width = 250, .height = 110,
        .caption = "###Idle control##Freilaufregulation##Regulace volnoběhu", .name = "RadioGroupIdleMode" },
    { .kind = CheckBox, .field = &C::CheckBoxIdleSmerReg, .x = 10, .y = 120, .width = 250, .height = 17,
        .caption = "###Inverze direction of regulation##Umgekehrt Richtung##Opačný směr regulace",
        .name = "CheckBoxIdleSmerReg" },
    { .kind = Label, .field = &C::LabelIdleModeErr, .x = 10, .y = 142, .name = "LabelIdleModeErr", .hidden = true },
    { .kind = Label, .field = &C::LabelMonServoPositionCopy, .x = 10, .y = 160, .caption = "Servo step position=",
        .name = "LabelMonServoPositionCopy" },

    { .kind = EditUpDown, .field = &C::UpDownIdleStepPuls, .edit = &C::EditIdleStepPuls, .x = COLUMN_A, .y = 4,
        .width = EDIT_WIDTH, .min = 250, .max = 25000, .name = "UpDownIdleStepPuls", .editName = "EditIdleStepPuls",
        .step = 250, .hidden = true },
    { .kind = Label, .field = &C::LabelIdleStepPuls, .anchor = PageLeft::LEFT_FLOW, .x = 4, .y = 7,
        .caption = "###Step motor excitation[us]##Schrittmotor Anfachung [us]##Buzení krokového motoru [us]",
        .name = "LabelIdleStepPuls", .hidden = true },
    { .kind = EditUpDown, .field = &C::UpDownIdleStepPerioda, .edit = &C::EditIdleStepPerioda, .x = COLUMN_A,
        .y = 4, .width = EDIT_WIDTH, .min = 2, .max = 250, .name = "UpDownIdleStepPerioda",
        .editName = "EditIdleStepPerioda", .step = 2 },
    { .kind = Label, .field = &C::LabelIdleStepPerioda, .anchor = PageLeft::LEFT_FLOW, .x = 4, .y = 7,
        .caption = "###Step motor period [ms]##Schrittmotor Periode [ms]##Perioda krokového motoru [ms]",
        .name = "LabelIdleStepPerioda" },
    { .kind = EditUpDown, .field = &C::UpDownIdleStart, .edit = &C::EditIdleStart, .x = COLUMN_A, .y = 4 + ROW_STEP,
        .width = EDIT_WIDTH, .min = 0, .max = 30000, .name = "UpDownIdleStart", .editName = "EditIdleStart", .step = 10 },
    { .kind = Label, .field = &C::LabelIdleStart, .anchor = PageLeft::LEFT_FLOW, .x = 4, .y = 7 + ROW_STEP,
        .caption = "Start [ms]", .name = "LabelIdleStart" },
    { .kind = EditUpDown, .field = &C::UpDownIdleLobe, .edit = &C::EditIdleLobe, .x = COLUMN_A, .y = 4 + ROW_STEP,
        .width = EDIT_WIDTH, .min = 1, .max = 58, .name = "UpDownIdleLobe", .editName = "EditIdleLobe" },
    { .kind = Label, .field = &C::LabelIdleLobe, .anchor = PageLeft::LEFT_FLOW, .x = 4, .y = 7 + ROW_STEP,
        .caption = "###Idle lobe##Freilauf Leitstück##Palec volnoběhu", .name = "LabelIdleLobe" },
    { .kind = EditUpDown, .field = &C::UpDownIdleRegulation, .edit = &C::EditIdleRegulation, .x = COLUMN_A,
        .y = 4 + 2 * ROW_STEP, .width = EDIT_WIDTH, .min = 2, .max = 250, .name = "UpDownIdleRegulation",
        .editName = "EditIdleRegulation", .step = 2 },
    { .kind = Label, .field = &C::LabelIdleRegulation, .anchor = PageLeft::LEFT_FLOW, .x = 4, .y = 7 + 2 * ROW_STEP,
        .caption = "###Idle regulation [0.1%/2rpm]##Freilaufregulationg[0.1%/2rpm]##Regulace volnoběhu [0.1%/2rpm]",
        .name = "LabelIdleRegulation" },

    { .kind = EditUpDown, .field = &C::UpDownIdleRpmMez, .edit = &C::EditIdleRpmMez, .x = COLUMN_B, .y = 4,
        .width = EDIT_WIDTH, .min = 300, .max = 20000, .name = "UpDownIdleRpmMez", .editName = "EditIdleRpmMez",
        .step = 100, .hidden = true },
    { .kind = Label, .field = &C::LabelIdleRpmMez, .anchor = PageLeft::LEFT_FLOW, .x = 4, .y = 7,
        .caption = "###Control Range [rpm]##Steuer. Bereich [rpm]##Regul. rozsah [rpm]", .name = "LabelIdleRpmMez",
        .hidden = true },
    { .kind = EditUpDown, .field = &C::UpDownIdleTpsMez, .edit = &C::EditIdleTpsMez, .x = COLUMN_B, .y = 4,
        .width = EDIT_WIDTH, .min = 1, .max = 100, .name = "UpDownIdleTpsMez", .editName = "EditIdleTpsMez" },
    { .kind = Label, .field = &C::LabelIdleTpsMez, .anchor = PageLeft::LEFT_FLOW, .x = 4, .y = 7,
        .caption = "Regul range TPSx10 [%]", .name = "LabelIdleTpsMez" },
    { .kind = EditUpDown, .field = &C::UpDownIdleHyster, .edit = &C::EditIdleHyster, .x = COLUMN_B,
        .y = 4 + ROW_STEP, .width = EDIT_WIDTH, .min = 0, .max = 2500, .name = "UpDownIdleHyster",
        .editName = "EditIdleHyster", .step = 10 },
    { .kind = Label, .field = &C::LabelIdleHyster, .anchor = PageLeft::LEFT_FLOW, .x = 4, .y = 7 + ROW_STEP,
        .caption = "Hysteresis [rpm]", .name = "LabelIdleHyster" },
    { .kind = EditUpDown, .field = &C::UpDownIdleControlBand, .edit = &C::EditIdleControlBand, .x = COLUMN_B,
        .y = 4 + 2 * ROW_STEP, .width = EDIT_WIDTH, .min = 10, .max = 2500, .name = "UpDownIdleControlBand",
        .editName = "EditIdleControlBand", .step = 10 },
    { .kind = Label, .field = &C::LabelIdleControlBand, .anchor = PageLeft::LEFT_FLOW, .x = 4, .y = 7 + 2 * ROW_STEP,
        .caption = "###Control band [rpm]##Control-Band [rpm]##Regulační pásmo [rpm]", .name = "LabelIdleControlBand" },

    { .kind = GroupBox, .field = &C::GroupBoxIdleAdv, .x = COLUMN_A, .y = 4 + 3 * ROW_STEP, .width = 270,
        .height = 122,
        .caption = "###Advance control of Idle##Vorzündungregelung##Regulace předstihu při volnoběhu",
        .name = "GroupBoxIdleAdv" },
    { .kind = CheckBox, .field = &C::CheckBoxIdleAdvOn, .x = 10, .y = 18, .width = 80, .height = 17, .caption = "On",
        .name = "CheckBoxIdleAdvOn", .parent = &C::GroupBoxIdleAdv },
    { .kind = EditUpDown, .field = &C::UpDownIdleAdvNaRpm, .edit = &C::EditIdleAdvNaRpm, .x = 10, .y = 40,
        .width = 40, .min = 1, .max = 100, .name = "UpDownIdleAdvNaRpm", .editName = "EditIdleAdvNaRpm",
        .parent = &C::GroupBoxIdleAdv },
    { .kind = Label, .field = &C::LabelIdleAdvNaRpm, .anchor = PageLeft::LEFT_FLOW, .x = 4, .y = 43,
        .caption = "###Advance control[°/1000 rpm]##Vorzündungregelung [°/1000 rpm]##Regulace předstihu [°/1000 rpm]",
        .name = "LabelIdleAdvNaRpm", .parent = &C::GroupBoxIdleAdv },
    { .kind = EditUpDown, .field = &C::UpDownIdleAdvNaCas, .edit = &C::EditIdleAdvNaCas, .x = 10, .y = 66,
        .width = 40, .min = 0, .max = 250, .name = "UpDownIdleAdvNaCas", .editName = "EditIdleAdvNaCas",
        .parent = &C::GroupBoxIdleAdv },
    { .kind = Label, .field = &C::LabelIdleAdvNaCas, .anchor = PageLeft::LEFT_FLOW, .x = 4, .y = 69,
        .caption = "###Regulace advance [°/10s]##Vorzündungregelung [°/10s]##Regulace předstihu [°/10s]",
        .name = "LabelIdleAdvNaCas", .parent = &C::GroupBoxIdleAdv },
    { .kind = EditUpDown, .field = &C::UpDownIdleMaxAdv, .edit = &C::EditIdleMaxAdv, .x = 10, .y = 92,
        .width = 40, .min = 1, .max = 100, .name = "UpDownIdleMaxAdv", .editName = "EditIdleMaxAdv",
        .parent = &C::GroupBoxIdleAdv },
    { .kind = Label, .field = &C::LabelIdleMaxAdv, .anchor = PageLeft::LEFT_FLOW, .x = 4, .y = 95,
        .caption = "###Maximal advance [°]##Maximal Vorzündung [°]##Maximální předstih [°]", .name = "LabelIdleMaxAdv",
        .parent = &C::GroupBoxIdleAdv },
};
// clang-format on

// The page's bound cells other than the mode and the curves.
enum class CellKind { UpDownByte, UpDownWord, CheckBox };
struct Cell {
    CellKind kind;
    TUpDown* C::*upDown;
    TCheckBox* C::*box;
    int index;
    int scale;
};
constexpr int STEP_PULSE = 2915;
// In load order: the step pulse comes right before the period it is kept under.
constexpr Cell CELLS[] = {
    { CellKind::CheckBox, nullptr, &C::CheckBoxIdleSmerReg, 2914, 1 },
    { CellKind::UpDownByte, &C::UpDownIdleStepPuls, nullptr, STEP_PULSE, 250 },
    { CellKind::UpDownByte, &C::UpDownIdleStepPerioda, nullptr, STEP_PERIOD, 1 },
    { CellKind::UpDownWord, &C::UpDownIdleStart, nullptr, 1085, 1 },
    { CellKind::UpDownByte, &C::UpDownIdleRegulation, nullptr, 4237, 1 },
    { CellKind::UpDownByte, &C::UpDownIdleLobe, nullptr, 4238, 1 },
    { CellKind::UpDownByte, &C::UpDownIdleRpmMez, nullptr, 2912, 100 },
    { CellKind::UpDownByte, &C::UpDownIdleTpsMez, nullptr, 2913, 1 },
    { CellKind::UpDownByte, &C::UpDownIdleHyster, nullptr, 2917, 10 },
    { CellKind::UpDownByte, &C::UpDownIdleControlBand, nullptr, 2918, 10 },
    { CellKind::CheckBox, nullptr, &C::CheckBoxIdleAdvOn, ADVANCE_ON, 1 },
    { CellKind::UpDownByte, &C::UpDownIdleAdvNaRpm, nullptr, 2927, 1 },
    { CellKind::UpDownByte, &C::UpDownIdleAdvNaCas, nullptr, 2928, 1 },
    { CellKind::UpDownByte, &C::UpDownIdleMaxAdv, nullptr, 2929, 1 },
};

struct ModeItem {
    const char* text;
    int code;
};
constexpr ModeItem MODE_ITEMS[] = {
    { "No", 0 },
    { "Intake servo", 1 },
    { "Step motor without potentiometer", 2 },
    { "Step motor set TP min", 3 },
    { "FID valve", 4 },
};

constexpr TickRecord TICKS_TEMP[] = { { 100, 10, 10, 10, 20 }, {} };
constexpr TickRecord TICKS_VOLT[] = { { 2, 1, 0.2, 0.2, 1 }, { 5, 1, 0.5, 0.5, 1 }, {} };
constexpr TickRecord TICKS_PERCENT[] = {
    { 10, 5, 1, 1, 2 },
    { 30, 5, 5, 5, 5 },
    { 100, 20, 10, 5, 20 },
    { 500, 100, 50, 25, 100 },
    {},
};
constexpr TickRecord TICKS_RPM_FINE[] = {
    { 200, 100, 50, 20, 100 },
    { 4000, 2000, 500, 200, 1000 },
    { 10000, 2000, 1000, 500, 1000 },
    { 25000, 2000, 1000, 1000, 2000 },
    {},
};
constexpr int TEMPERATURES[CURVE_POINTS] = { -10, 5, 20, 35, 50, 65, 80, 95, 110 };

// The value axis of the curves in one mode.
struct CurveAxis {
    const char* caption0;
    const char* caption1; // null: one sheet
    const char* label;
    const char* key;
    const char* unit;
    int max;
    double scale;
    const TickRecord* ticks;
};
constexpr CurveAxis SERVO_PERCENT = { "Start position of intake servo", "Start position of intake servo - START",
    "Percentage", "[%]", "%", 100, 1.0, TICKS_PERCENT };
constexpr CurveAxis SERVO_VOLTS = { "Start position of intake servo", "Start position of intake servo - START",
    "Voltage", "U", "V", 1000, 0.005, TICKS_VOLT };
constexpr CurveAxis STEP_RPM = { "Desired RPM", nullptr, "RPM", "RPM", "", 1200, 10.0, TICKS_RPM_FINE };
constexpr CurveAxis STEP_TP_MIN = { "TP min [in steps of servo]", "TP min - START [in steps of servo]", "Steps", "", "",
    30000, 1.0, TICKS_RPM_FINE };
constexpr CurveAxis FID_PERCENT
    = { "Min. position", "Min. position - START", "Percentage", "[%]", "%", 100, 1.0, TICKS_PERCENT };

// The preset curves of a newly chosen mode, index 0 at -10 °C.
constexpr uint16_t PRESET_SERVO_VOLTS[] = { 3600, 3600, 3600, 3100, 2800, 2400, 2400, 2400, 2400 };
constexpr uint16_t PRESET_SERVO_PERCENT[] = { 36, 36, 36, 31, 28, 24, 24, 24, 24 };
constexpr uint16_t PRESET_STEP_RPM[] = { 1000, 900, 800, 700, 600, 500, 400, 300, 200 };
constexpr uint16_t PRESET_STEP_TP_MIN[] = { 10, 9, 8, 7, 6, 5, 4, 3, 2 };
constexpr uint16_t PRESET_FID[] = { 100, 90, 80, 70, 60, 50, 40, 30, 20 };

constexpr int MESSAGE_DESIRED_RPM = 77;
constexpr int MESSAGE_HYSTERESIS = 78;
constexpr TColor ACTIVE_COLOUR = 0x00FF00;

template <size_t N> void SetText(char (&field)[N], const char* text)
{
    std::snprintf(field, N, "%s", text);
}

void ShowRow(TControl* edit, TControl* upDown, TControl* label, bool shown)
{
    for (TControl* c : { edit, upDown, label })
        if (c)
            c->SetVisible(shown);
}

void SetCurveAxis(TTab* table, const CurveAxis& axis)
{
    table->SheetCount = axis.caption1 ? 2 : 1;
    for (int s = 0; s < 2; ++s) {
        CAxe& v = table->Sheets[s].V;
        SetText(v.Label, axis.label);
        SetText(v.Key, axis.key);
        SetText(v.Unit, axis.unit);
        v.Min = 0;
        v.Max = axis.max;
        v.Scale = axis.scale;
        v.LoadTickTable(axis.ticks);
    }
    table->SetSheetCaption(0, axis.caption0);
    table->SetSheetCaption(1, axis.caption1 ? axis.caption1 : axis.caption0);
    if (!axis.caption1 && table->CurrentIndex != 0)
        table->SelectSheet(0);
}

// A 1 x 9 curve over coolant temperature.
void DefineCurveSheet(
    TTab* table, int s, const char* key, const char* unit, int max, double scale, const TickRecord* ticks)
{
    const QImage* rainbow = GetJpgBitmap("BGRAINBOW9x22");
    table->DefineAxes(
        s, 1, "", "", 0, 20000, 1.0, 1, nullptr, 0, 0, 1, 1, 0, 1, 0, -1, 0, 0xFFFFFF, GetJpgBitmap("BGWA"));
    table->DefineAxes(
        s, 2, "TW", "°C", -10, 110, 1.0, 1, TICKS_TEMP, 0, 0, 1, CURVE_POINTS, 0, 0, 0, -2, 0, 0xFFFFFF, rainbow);
    table->DefineAxes(s, 4, key, unit, 0, max, scale, 0, ticks, 1, 2, 0, 0, 0, 0, 0, 0, 0, 0xFFFFFF, rainbow);
    for (int i = 0; i < CURVE_POINTS; ++i)
        table->Sheets[s].Y.Values[i] = TEMPERATURES[i];
    table->ApplyLimits(&table->Sheets[s], 0x107);
}

TTab* CreateCurveTable(TMainForm* form, int id, int left, TControl* sheet)
{
    TTabSheet* reference = form->PageSheets[PAGE_SLOT_BIKE];
    const int w = reference ? reference->Width() : sheet->Width();
    const int h = reference ? reference->Height() : sheet->Height();
    TTab* table = CreateMapTable(form->Maps, id, w / 2 - 10, 288, TABSTYLE_CAPTION | TABSTYLE_2D | TABSTYLE_TABLE,
        dynamic_cast<QWidget*>(sheet));
    if (table) {
        table->move(left < 0 ? w / 2 : left, h * 37 / 100);
        table->ColumnSlots = 5;
        table->RowSlots = CURVE_POINTS;
    }
    return table;
}

int32_t& CurveCell(TTab* table, int sheet, int point)
{
    return table->Sheets[sheet].V.Values[point * TAB_MAX_COLS];
}

} // namespace

void BuildIdlePage(TMainForm* form)
{
    auto* sheet = dynamic_cast<TControl*>(form->FindComponent("TabSheet_Idle"));
    BuildPageControls<C>(form, form->Idle, sheet, 0, LAYOUT);
    form->Idle.RadioGroupIdleMode->OnClick = [form](TObject* sender) { form->RadioGroupIdleModeClick(sender); };
    form->Monitor.Pages.LabelMonServoPositionCopy = form->Idle.LabelMonServoPositionCopy;
}

void CreateIdlePage(TMainForm* form)
{
    IdlePageControls& page = form->Idle;
    auto* sheet = dynamic_cast<TControl*>(form->FindComponent("TabSheet_Idle"));
    page.IdleTable = CreateCurveTable(form, 2, 10, sheet);
    if (TTab* t = page.IdleTable) {
        for (int s = 0; s < 2; ++s) {
            t->AddSheet("", "", "T", "", 1, CURVE_POINTS, SHEET_LIVE_MARKER | SHEET_SWAP_GRAPH);
            DefineCurveSheet(t, s, "U", "V", 5000, 0.001, TICKS_VOLT);
        }
        t->SelectSheet(0);
    }
    page.IdleAdvanceTable = CreateCurveTable(form, 19, -1, sheet);
    if (TTab* t = page.IdleAdvanceTable) {
        t->AddSheet("Idle advance RPM desired", "", "T", "", 1, CURVE_POINTS, SHEET_LIVE_MARKER | SHEET_SWAP_GRAPH);
        DefineCurveSheet(t, 0, "RPM", "", 240, 50.0, TICKS_RPM_FINE);
        t->SelectSheet(0);
    }
    FillIdleModeList(form);
}

void FillIdleModeList(TMainForm* form)
{
    TRadioGroup* group = form->Idle.RadioGroupIdleMode;
    // Rebuilding the list moves its selection: that is no choice of the user.
    const int32_t loading = form->LoadingControls;
    form->LoadingControls = 1;
    ClearRadioGroupItems(group);
    for (const ModeItem& item : MODE_ITEMS)
        AddRadioGroupItem(group, SelectLangText(item.text), item.code);
    form->LoadingControls = loading;
    SelectRadioGroupByValue(form, group, 0, MODE);
}

int IdleWordFactor(const TTab* table, int sheet)
{
    const CAxe& v = table->Sheets[sheet].V;
    if (std::strcmp(v.Unit, "V") == 0)
        return 5;
    if (std::strcmp(v.Unit, "%") == 0)
        return 1;
    // A scale below 1 would give a factor of 0 and a division by it.
    return std::max(1, int(v.Scale));
}

void StoreIdlePage(TMainForm* form)
{
    if (form->LoadingControls)
        return;
    IdlePageControls& page = form->Idle;
    RsImage& image = form->PcImage;
    StoreRadioGroupValueToByte(form, page.RadioGroupIdleMode, 0, MODE);
    for (const Cell& c : CELLS) {
        if (c.kind == CellKind::CheckBox)
            StoreCheckBoxToByte(form, page.*c.box, 0, c.index);
        else if (c.kind == CellKind::UpDownWord)
            StoreUpDownToWord(form, page.*c.upDown, 0, c.index, 0);
        else
            StoreUpDownToByte(form, page.*c.upDown, 0, c.index, c.scale, 0);
    }
    if (TTab* t = page.IdleAdvanceTable) {
        const double scale = t->Sheets[0].V.Scale;
        for (int i = 0; i < CURVE_POINTS; ++i)
            image.b[size_t(ADVANCE_CURVE + i)] = uint8_t(std::clamp(int(CurveCell(t, 0, i) * scale * 0.02), 0, 255));
    }
    if (TTab* t = page.IdleTable)
        for (int s = 0; s < 2; ++s) {
            const int factor = IdleWordFactor(t, s);
            const int first = s == 0 ? CURVE_WORD : START_CURVE_WORD;
            for (int i = 0; i < CURVE_POINTS; ++i)
                image.SetWord(first + i, uint16_t(std::clamp(CurveCell(t, s, i) * factor, 0, 65535)));
        }
}

void LoadIdlePage(TMainForm* form)
{
    IdlePageControls& page = form->Idle;
    RsImage& image = form->PcImage;
    SelectRadioGroupByValue(form, page.RadioGroupIdleMode, 0, MODE);
    for (const Cell& c : CELLS) {
        if (c.index == STEP_PERIOD) {
            // The unit drives the step motor in whole periods of 2 ms; 255 has
            // no even successor in a byte and becomes 254, never 0.
            uint8_t& period = image.b[STEP_PERIOD];
            period = period == 255 ? 254 : uint8_t(period + (period & 1));
        }
        if (c.kind == CellKind::CheckBox)
            SetCheckBoxFromByte(form, page.*c.box, 0, c.index);
        else if (c.kind == CellKind::UpDownWord)
            SetUpDownFromWord(form, page.*c.upDown, 0, c.index, 0);
        else
            SetUpDownFromByte(form, page.*c.upDown, 0, c.index, c.scale, 0);
    }
    if (TTab* t = page.IdleAdvanceTable) {
        const double scale = t->Sheets[0].V.Scale;
        for (int i = 0; i < CURVE_POINTS; ++i)
            CurveCell(t, 0, i) = int32_t(image.b[size_t(ADVANCE_CURVE + i)] * 50 / scale);
    }
    UpdateIdleLabels(form);
    if (TTab* t = page.IdleTable)
        for (int s = 0; s < 2; ++s) {
            const int factor = IdleWordFactor(t, s);
            const int first = s == 0 ? CURVE_WORD : START_CURVE_WORD;
            for (int i = 0; i < CURVE_POINTS; ++i)
                CurveCell(t, s, i) = image.Word(first + i) / factor;
        }
    for (TTab* t : { page.IdleTable, page.IdleAdvanceTable })
        if (t) {
            t->UpdateToolbar();
            t->RedrawBits |= REDRAW_VALUES;
        }
    SyncMapTables(form->Maps);
    UpdateIdleLabels(form);
    UpdateRaceControls(form);
}

void IdleTableChanged(TMainForm* form, TTab*)
{
    CommitEditNow(form);
}

void UpdateIdleLabels(TMainForm* form)
{
    C& p = form->Idle;
    const RsImage& image = form->PcImage;
    const int m = image.b[MODE];
    const bool advance = image.b[ADVANCE_ON] != 0;
    p.RadioGroupIdleMode->SetVisible(true);
    p.CheckBoxIdleSmerReg->SetVisible(m >= 1 && m <= 3);
    p.UpDownIdleStepPerioda->SetMin(2);
    p.UpDownIdleStepPerioda->SetIncrement(2);
    ShowRow(p.EditIdleStepPuls, p.UpDownIdleStepPuls, p.LabelIdleStepPuls, false);
    ShowRow(p.EditIdleStepPerioda, p.UpDownIdleStepPerioda, p.LabelIdleStepPerioda, m == 2 || m == 3);
    ShowRow(p.EditIdleStart, p.UpDownIdleStart, p.LabelIdleStart, m == 2);
    ShowRow(p.EditIdleRegulation, p.UpDownIdleRegulation, p.LabelIdleRegulation, m == 4);
    ShowRow(p.EditIdleLobe, p.UpDownIdleLobe, p.LabelIdleLobe, m == 4);
    p.CheckBoxIdleSmerReg->SetCaption(
        SelectLangText(m == 1 ? "###Min-Max (Minimum check)##Min-Max (Minimum abhacken)##Min-Max (Minimum zaškrtnout)"
                              : "###Inverze direction of regulation##Umgekehrt Richtung##Opačný směr regulace"));
    if (auto* corrections = dynamic_cast<TControl*>(form->FindComponent("LabelCorAdvIdle")))
        corrections->SetVisible(advance);
    ShowRow(p.EditIdleAdvNaRpm, p.UpDownIdleAdvNaRpm, p.LabelIdleAdvNaRpm, advance);
    ShowRow(p.EditIdleAdvNaCas, p.UpDownIdleAdvNaCas, p.LabelIdleAdvNaCas, advance);
    ShowRow(p.EditIdleMaxAdv, p.UpDownIdleMaxAdv, p.LabelIdleMaxAdv, advance);
    if (p.IdleAdvanceTable)
        p.IdleAdvanceTable->setVisible(advance);
    const bool steps = m == 2 || m == 4;
    ShowRow(p.EditIdleTpsMez, p.UpDownIdleTpsMez, p.LabelIdleTpsMez, advance || steps);
    ShowRow(p.EditIdleHyster, p.UpDownIdleHyster, p.LabelIdleHyster, steps);
    ShowRow(p.EditIdleControlBand, p.UpDownIdleControlBand, p.LabelIdleControlBand, advance || steps);
    if (m <= 4)
        p.LabelIdleModeErr->SetVisible(false);
    if (TTab* t = p.IdleTable) {
        t->setVisible(m != 0);
        const bool percent = image.b[INTAKE_SERVO_PERCENT] != 0;
        switch (m) {
        case 1:
            SetCurveAxis(t, percent ? SERVO_PERCENT : SERVO_VOLTS);
            break;
        case 2:
            SetCurveAxis(t, STEP_RPM);
            break;
        case 3:
            SetCurveAxis(t, STEP_TP_MIN);
            break;
        case 4:
            SetCurveAxis(t, FID_PERCENT);
            break;
        default:
            break;
        }
    }
    p.LabelIdleHyster->SetCaption(form->MessageTable[m == 4 ? MESSAGE_DESIRED_RPM : MESSAGE_HYSTERESIS]);
}

void ShowIdleLiveValues(TMainForm* form)
{
    C& p = form->Idle;
    const LiveValues& v = form->Monitor.Values;
    const auto light = [](TControl* edit, TControl* label, bool active) {
        const TColor editColour = active ? ACTIVE_COLOUR : clWindow;
        const TColor labelColour = active ? ACTIVE_COLOUR : clBtnFace;
        if (edit->Color() != editColour)
            edit->SetColor(editColour);
        if (label->Color() != labelColour)
            label->SetColor(labelColour);
    };
    light(p.EditIdleTpsMez, p.LabelIdleTpsMez, v.IdleTpActive != 0);
    light(p.EditIdleControlBand, p.LabelIdleControlBand, v.IdleBandActive != 0);
}

void TMainForm::RadioGroupIdleModeClick(TObject*)
{
    if (LoadingControls)
        return;
    CommitEditNow(this);
    const uint16_t* running = nullptr;
    const uint16_t* start = nullptr;
    switch (PcImage.b[MODE]) {
    case 1:
        running = start = PcImage.b[INTAKE_SERVO_PERCENT] ? PRESET_SERVO_PERCENT : PRESET_SERVO_VOLTS;
        break;
    case 2:
        running = PRESET_STEP_RPM;
        break;
    case 3:
        running = start = PRESET_STEP_TP_MIN;
        break;
    case 4:
        running = start = PRESET_FID;
        break;
    default:
        break;
    }
    for (int i = 0; i < CURVE_POINTS; ++i) {
        if (running)
            PcImage.SetWord(CURVE_WORD + i, running[i]);
        if (start)
            PcImage.SetWord(START_CURVE_WORD + i, start[i]);
    }
    LoadIdlePage(this);
}
