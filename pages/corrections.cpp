#include "pages/corrections.h"

#include "app/binding.h"
#include "app/bitmaps.h"
#include "app/editpath.h"
#include "app/main.h"
#include "mapedit/tab.h"
#include "pages/axisticks.h"
#include "pages/pagelayout.h"
#include "pages/pages.h"

#include <algorithm>
#include <span>

using namespace corrections_cells;

namespace {

using C = CorrectionsPageControls;
using Row = PageLayoutRow<C>;
using L = LivePageControls;
using LiveRow = PageLayoutRow<L>;
using enum PageControlKind;
using enum PageLeft;

constexpr int ACC_MAX = 30000;
constexpr int ACC_TIME_MIN = 10;
constexpr int DEAD_TIME_SCALE = 10;
constexpr int DEAD_TIME_MAX = 2000;
constexpr int EDIT_WIDTH = 60;
// The live corrections' strip along the bottom of the sheet.
constexpr int LIVE_STRIP_HEIGHT = 72;
constexpr int LIVE_BOX_HEIGHT = 68;

// The acceleration group; Create moves it to its place.
// clang-format off
constexpr Row ACC_ROWS[] = {
    { .kind = GroupBox, .field = &C::GroupBoxAccK, .x = 600, .y = 70, .width = 380, .height = 128,
        .caption = "###Acceleration correction of synchronous injections##Beschleunigungskorrektur den Synchron Injektionen##Akcelerační korekce synchronních vstřiků",
        .name = "GroupBoxAccK" },
    { .kind = EditUpDown, .field = &C::UpDownAccKPlus, .edit = &C::EditAccKPlus, .x = 10, .y = 20, .width = EDIT_WIDTH,
        .max = ACC_MAX, .name = "UpDownAccKPlus", .editName = "EditAccKPlus", .parent = &C::GroupBoxAccK },
    { .kind = Label, .field = &C::LabelAccKPlus, .anchor = LEFT_FLOW, .x = 6, .y = 23,
        .caption = "###Enrichment + [%/100%]##Enrichment + [%/100%]##Obohacení + [%/100%]", .name = "LabelAccKPlus",
        .parent = &C::GroupBoxAccK },
    { .kind = EditUpDown, .field = &C::UpDownAccKMinus, .edit = &C::EditAccKMinus, .x = 10, .y = 46, .width = EDIT_WIDTH,
        .max = ACC_MAX, .name = "UpDownAccKMinus", .editName = "EditAccKMinus", .parent = &C::GroupBoxAccK },
    { .kind = Label, .field = &C::LabelAccKMinus, .anchor = LEFT_FLOW, .x = 6, .y = 49,
        .caption = "###Enleanment - [%/100%]##Enleanment - [%/100%]##Ochuzení - [%/100%]", .name = "LabelAccKMinus",
        .parent = &C::GroupBoxAccK },
    { .kind = EditUpDown, .field = &C::UpDownAccT100, .edit = &C::EditAccT100, .x = 10, .y = 72, .width = EDIT_WIDTH,
        .min = ACC_TIME_MIN, .max = ACC_MAX, .name = "UpDownAccT100", .editName = "EditAccT100",
        .parent = &C::GroupBoxAccK, .step = 10 },
    { .kind = Label, .field = &C::LabelAccT100, .anchor = LEFT_FLOW, .x = 6, .y = 75,
        .caption = "###Time constant TP 100% [10ms]##Zeitkonstante - TP 100% [10ms]##Časová konstanta - TP 100% [10ms]",
        .name = "LabelAccT100", .parent = &C::GroupBoxAccK },
    { .kind = EditUpDown, .field = &C::UpDownAccT0, .edit = &C::EditAccT0, .x = 10, .y = 98, .width = EDIT_WIDTH,
        .min = ACC_TIME_MIN, .max = ACC_MAX, .name = "UpDownAccT0", .editName = "EditAccT0",
        .parent = &C::GroupBoxAccK, .step = 10 },
    { .kind = Label, .field = &C::LabelAccT0, .anchor = LEFT_FLOW, .x = 6, .y = 101,
        .caption = "###Time constant by TP 0% [10ms]##Zeitkonstante - TP 0% [10ms]##Časová konstanta - TP 0% [10ms]",
        .name = "LabelAccT0", .parent = &C::GroupBoxAccK },
};

// The dead-time pair just above the strip, then the strip's three group boxes
// of live labels; tops count from the strip's top.
constexpr Row LIVE_ROWS[] = {
    { .kind = EditUpDown, .field = &C::UpDownDeadTime, .edit = &C::EditDeadTime, .x = 10, .y = -24, .width = EDIT_WIDTH,
        .max = DEAD_TIME_MAX, .name = "UpDownDeadTime", .editName = "EditDeadTime", .step = DEAD_TIME_SCALE },
    { .kind = Label, .field = &C::LabelDeadTime, .anchor = LEFT_FLOW, .x = 6, .y = -21,
        .caption = "###Dead time [us]##Todeszeit [us]##Mrtvý čas [us]", .name = "LabelDeadTime" },
    { .kind = GroupBox, .field = &C::GroupBoxInjCor, .x = 8, .y = 0, .width = 320, .height = LIVE_BOX_HEIGHT,
        .caption = "###Injection Corrections##Einspritzung Korrektionen##Korekce vstřikování", .name = "GroupBoxInjCor" },
    { .kind = GroupBox, .field = &C::GroupBoxAdvCor, .x = 336, .y = 0, .width = 300, .height = LIVE_BOX_HEIGHT,
        .caption = "###Advance Corrections##Vorzündung Korrektionen##Korekce předstihu", .name = "GroupBoxAdvCor" },
    { .kind = GroupBox, .field = &C::GroupBoxAccCor, .x = 644, .y = 0, .width = 340, .height = LIVE_BOX_HEIGHT,
        .caption = "###Acceleration Corrections##Beschleunigung Korrektionen##Korekce akcelerace", .name = "GroupBoxAccCor" },
};

// The live corrections are the monitor panel's labels, in two columns in
// their group boxes.
constexpr LiveRow INJECTION_LIVE_ROWS[] = {
    { .kind = Label, .field = &L::LabelCorInjTW, .x = 8, .y = 16, .name = "LabelCorInjTW" },
    { .kind = Label, .field = &L::LabelCorInjAT, .x = 8, .y = 32, .name = "LabelCorInjAT" },
    { .kind = Label, .field = &L::LabelCorInjAP, .x = 8, .y = 48, .name = "LabelCorInjAP" },
    { .kind = Label, .field = &L::LabelCorInjStart, .x = 164, .y = 16, .name = "LabelCorInjStart" },
    { .kind = Label, .field = &L::LabelCorInjPotenc, .x = 164, .y = 32, .name = "LabelCorInjPotenc" },
    { .kind = Label, .field = &L::LabelCorInjU, .x = 164, .y = 48, .name = "LabelCorInjU" },
};
constexpr LiveRow ADVANCE_LIVE_ROWS[] = {
    { .kind = Label, .field = &L::LabelCorAdvTW, .x = 8, .y = 16, .name = "LabelCorAdvTW" },
    { .kind = Label, .field = &L::LabelCorAdvAT, .x = 8, .y = 32, .name = "LabelCorAdvAT" },
    { .kind = Label, .field = &L::LabelCorAdvPotenc, .x = 154, .y = 16, .name = "LabelCorAdvPotenc" },
    { .kind = Label, .field = &L::LabelCorAdvIdle, .x = 154, .y = 32, .name = "LabelCorAdvIdle" },
};
constexpr LiveRow ACCELERATION_LIVE_ROWS[] = {
    { .kind = Label, .field = &L::LabelAccTres, .x = 8, .y = 16, .name = "LabelAccTres" },
    { .kind = Label, .field = &L::LabelAccCor, .x = 8, .y = 32, .name = "LabelAccCor" },
    { .kind = Label, .field = &L::LabelCorInjAcc, .x = 8, .y = 48, .name = "LabelCorInjAcc" },
    { .kind = Label, .field = &L::LabelStartJet, .x = 174, .y = 16, .name = "LabelStartJet" },
    { .kind = Label, .field = &L::LabelCorAccTW, .x = 174, .y = 32, .name = "LabelCorAccTW" },
    { .kind = Label, .field = &L::LabelCorAccJet, .x = 174, .y = 48, .name = "LabelCorAccJet" },
};
// clang-format on

constexpr std::pair<TGroupBox * C::*, std::span<const LiveRow>> LIVE_GROUPS[] = {
    { &C::GroupBoxInjCor, INJECTION_LIVE_ROWS },
    { &C::GroupBoxAdvCor, ADVANCE_LIVE_ROWS },
    { &C::GroupBoxAccCor, ACCELERATION_LIVE_ROWS },
};

// Graph steps: span limit, then the four steps.
constexpr TickRecord TEMP_TICKS[] = { { 100, 10, 10, 10, 20 }, {} };
constexpr TickRecord PERCENT_TICKS[]
    = { { 10, 5, 1, 1, 2 }, { 30, 5, 5, 5, 5 }, { 100, 20, 10, 5, 20 }, { 500, 100, 50, 25, 100 }, {} };
constexpr TickRecord DEGREE_TICKS[] = { { 10, 5, 1, 1, 2 }, { 30, 5, 5, 5, 5 }, {} };
constexpr TickRecord MS_TICKS[] = { { 2.5, 1, 0.5, 0.5, 0.5 }, { 10, 2, 1, 1, 1 }, { 30, 5, 5, 5, 5 }, {} };
constexpr TickRecord VOLT_TICKS[] = { { 2, 1, 0.2, 0.2, 1 }, { 5, 1, 0.5, 0.5, 1 }, {} };
constexpr TickRecord TIME_TICKS[]
    = { { 10, 2, 1, 1, 2 }, { 100, 20, 20, 20, 20 }, { 500, 100, 100, 100, 100 }, { 1000, 200, 200, 200, 200 }, {} };

constexpr int COOLANT_POINTS[] = { -10, 20, 50, 80, 90, 95, 100, 105, 110, 115 };
constexpr int AIR_POINTS[] = { -10, 20, 50, 80, 100, 110, 120 };
constexpr int THROTTLE_POINTS[] = { 0, 5, 20, 60, 100 };
constexpr int VOLTAGE_POINTS[] = { 80, 90, 100, 110, 120, 130, 140, 150, 160 }; // tenths of a volt

constexpr TColor WHITE = 0xFFFFFF;
constexpr TColor PLAIN = 0xECD2F4;
constexpr TColor START_TIME_X = 0xFCF2E4;

// A breakpoint axis: fixed points (editable ones come from the image).
struct AxisDef {
    const char* key;
    const char* unit;
    int min, max;
    double scale;
    const TickRecord* ticks;
    int count;
    const int* fixed; // null: none fixed
    bool editable;
};

// The start time axis ends at 250 s: its points are single bytes.
constexpr AxisDef COOLANT_WIDE = { "TW", "°C", -40, 140, 1, TEMP_TICKS, 10, COOLANT_POINTS, false };
constexpr AxisDef COOLANT = { "TW", "°C", -10, 120, 1, TEMP_TICKS, 10, COOLANT_POINTS, false };
constexpr AxisDef AIR = { "TA", "°C", -40, 150, 1, TEMP_TICKS, 7, AIR_POINTS, false };
constexpr AxisDef THROTTLE = { "TP", "%", 0, 100, 1, PERCENT_TICKS, 5, THROTTLE_POINTS, false };
constexpr AxisDef START_TIME = { "Tst", "s", 0, 250, 1, TIME_TICKS, 5, nullptr, true };
constexpr AxisDef VOLTAGE = { "U", "V", 50, 200, 0.1, VOLT_TICKS, 9, VOLTAGE_POINTS, false };
constexpr AxisDef RPM = { "RPM", "", 3, 250, 100, RPM_AXIS_TICKS, 4, nullptr, true };

struct ValueDef {
    const char* key;
    const char* unit;
    int min, max;
    double scale;
    const TickRecord* ticks;
};

struct CorrectionTableDef {
    int id;
    const char* caption;
    AxisDef y;
    const AxisDef* x; // null: one column, the X axis collapsed
    ValueDef value;
    const char* xPicture;
    TColor xColour;
    const char* picture; // of the Y and value axes
    TColor colour;
    uint32_t flags;
    int visibleColumns, visibleRows;
    bool rowHeaderMargin;
    bool graphAxis; // the value axis is the graph's breakpoint axis
};

constexpr const char* COOLANT_RAINBOW = "BGRAINBOW10x22";
constexpr const char* AIR_RAINBOW = "BGRAINBOW7x22";
constexpr const char* CELL_PICTURE = "BGWA";
constexpr uint32_t FLAGS = SHEET_LIVE_MARKER | SHEET_SWAP_GRAPH;

// clang-format off
constexpr CorrectionTableDef TABLE_DEFS[CORRECTIONS_TABLES] = {
    { 7, "Correction of synchronous injections of cool temperature", COOLANT_WIDE, nullptr,
        { "INJ", "%", 5, 250, 1, PERCENT_TICKS }, CELL_PICTURE, WHITE, COOLANT_RAINBOW, WHITE, FLAGS, 6, 10, false, true },
    { 8, "Correction of synchronous injections of air temperature", AIR, nullptr,
        { "INJ", "%", 5, 250, 1, PERCENT_TICKS }, CELL_PICTURE, WHITE, AIR_RAINBOW, WHITE, FLAGS, 6, 10, false, true },
    { 9, "Correction of advance of cool temperature", COOLANT_WIDE, nullptr,
        { "ADV", "°", -20, 20, 1, DEGREE_TICKS }, CELL_PICTURE, WHITE, COOLANT_RAINBOW, WHITE, FLAGS, 6, 10, false, true },
    { 10, "Correction of advance of air temperature", AIR, nullptr,
        { "ADV", "°", -20, 20, 1, DEGREE_TICKS }, CELL_PICTURE, WHITE, AIR_RAINBOW, WHITE, FLAGS, 6, 10, false, true },
    { 11, "Acceleration treshold", THROTTLE, nullptr,
        { "ACCTR", "%/s", 1, 250, 10, PERCENT_TICKS }, CELL_PICTURE, WHITE, nullptr, PLAIN, FLAGS, 1, 5, true, false },
    { 12, "Acceleration asynchronous injections (repeated by 10 ms)", THROTTLE, &RPM,
        { "INJ", "ms", 0, 150, 0.05, MS_TICKS }, nullptr, PLAIN, nullptr, PLAIN,
        FLAGS | SHEET_LIMITER_LINE | SHEET_START_LIMITER_LINE, 4, 5, true, false },
    { 13, "The temperature correction of acceleration asynchronous injections", COOLANT, nullptr,
        { "COR", "%", 5, 250, 1, PERCENT_TICKS }, CELL_PICTURE, WHITE, COOLANT_RAINBOW, WHITE, FLAGS, 6, 10, false, true },
    { 14, "The temperature correction of acceleration correction of synchronous injections", COOLANT, nullptr,
        { "COR", "%", 5, 250, 1, PERCENT_TICKS }, CELL_PICTURE, WHITE, COOLANT_RAINBOW, WHITE, FLAGS, 6, 10, false, true },
    { 15, "Asynchronous start injection", COOLANT, nullptr,
        { "START", "ms", 0, 250, 1, DEGREE_TICKS }, CELL_PICTURE, WHITE, COOLANT_RAINBOW, WHITE, FLAGS, 6, 10, false, true },
    { 16, "The start time correction of synchronous injections (for -10 ° C)", START_TIME, nullptr,
        { "COR", "%", 100, 350, 1, PERCENT_TICKS }, nullptr, START_TIME_X, nullptr, PLAIN,
        FLAGS | SHEET_FAST_REPEAT_CELLS, 5, 5, false, true },
    { 17, "Voltage correction of injections", VOLTAGE, nullptr,
        { "INJ", "us", -100, 150, 1, TIME_TICKS }, nullptr, PLAIN, nullptr, PLAIN, FLAGS, 6, 10, false, true },
    { 18, "Voltage correction of dwell time", VOLTAGE, nullptr,
        { "DWELL", "us", -20, 100, 100, TIME_TICKS }, nullptr, PLAIN, nullptr, PLAIN, FLAGS, 6, 10, false, false },
};
// clang-format on

constexpr const char* TAB_CAPTIONS[CORRECTIONS_TABS] = {
    "###Injection/Temp.##Einspritz/Temp.##Vstřik/Teplota",
    "###Advance/Temp.##Vorzündung/Temp.##Předstih/Teplota",
    "###Acceleration##Beschleunigung##Zrychlení",
    "###Acceleration/Temp.##Beschleunigung/Temp.##Zrychlení/Teplota",
    "###Starting##Start##Start",
    "###Voltage##Spannung##Napětí",
};

// The tables each tab of the strip shows; the acceleration group shows with
// its tables, the dead-time pair with the voltage tables.
constexpr std::array<int, 2> TAB_TABLES[CORRECTIONS_TABS]
    = { { 7, 8 }, { 9, 10 }, { 11, 12 }, { 13, 14 }, { 15, 16 }, { 17, 18 } };
constexpr int ACCELERATION_TAB = 2;
constexpr int VOLTAGE_TAB = 5;

// Where a table's numbers sit in the image. A cell is shown as the stored
// number plus the bias; cell i of a run is column i % columns of row
// i / columns.
enum class Part { CELLS, X_POINTS, Y_POINTS };
enum class Coding { BYTE, SIGNED_BYTE, WORD };
struct CellRun {
    int id;
    Part part;
    int first; // the first breakpoint or cell of the run
    int count;
    Coding coding;
    int at; // byte offset, or word index for words
    int bias;
};

// clang-format off
constexpr CellRun CELL_RUNS[] = {
    { 7, Part::CELLS, 0, 10, Coding::BYTE, 2676, 0 },
    { 8, Part::CELLS, 0, 7, Coding::BYTE, 2726, 0 },
    { 9, Part::CELLS, 0, 10, Coding::BYTE, 2686, -100 },
    { 10, Part::CELLS, 0, 7, Coding::BYTE, 2733, -100 },
    { 11, Part::CELLS, 0, 5, Coding::BYTE, 2740, 0 },
    { 12, Part::X_POINTS, 0, 4, Coding::BYTE, 2745, 0 },
    { 12, Part::CELLS, 0, 20, Coding::BYTE, 2749, 0 },
    { 13, Part::CELLS, 0, 10, Coding::BYTE, 2696, 0 },
    { 14, Part::CELLS, 0, 10, Coding::BYTE, 2706, 0 },
    { 15, Part::CELLS, 0, 10, Coding::BYTE, 2716, 0 },
    // The start time table: its first time (0 s) and its last cell (100 %) are fixed.
    { 16, Part::Y_POINTS, 1, 4, Coding::BYTE, 2769, 0 },
    { 16, Part::CELLS, 0, 4, Coding::BYTE, 2773, 100 },
    { 17, Part::CELLS, 0, 9, Coding::WORD, 1040, -100 },
    { 18, Part::CELLS, 0, 9, Coding::SIGNED_BYTE, 4668, 0 },
};
// clang-format on

constexpr int START_TIME_ID = 16;
constexpr int START_TIME_LAST = 4;
constexpr int START_TIME_LAST_CELL = 100;

const CorrectionTableDef& DefOf(int id)
{
    return TABLE_DEFS[size_t(id - CORRECTIONS_FIRST_ID)];
}

int32_t& CellOf(CSheet& sheet, int columns, int i)
{
    return sheet.V.Values[(i / columns) * TAB_MAX_COLS + i % columns];
}

int Columns(const CorrectionTableDef& def)
{
    return def.x ? def.x->count : 1;
}

// The number of a run's element i as shown, and the axis that bounds it.
int32_t& Element(CSheet& sheet, const CellRun& run, int i)
{
    const int k = run.first + i;
    switch (run.part) {
    case Part::X_POINTS:
        return sheet.X.Values[k];
    case Part::Y_POINTS:
        return sheet.Y.Values[k];
    case Part::CELLS:
        break;
    }
    return CellOf(sheet, Columns(DefOf(run.id)), k);
}

const CAxe& AxisOf(const CSheet& sheet, Part part)
{
    return part == Part::X_POINTS ? sheet.X : part == Part::Y_POINTS ? sheet.Y : sheet.V;
}

int32_t Stored(const RsImage& image, const CellRun& run, int i)
{
    switch (run.coding) {
    case Coding::BYTE:
        return image.b[size_t(run.at + i)];
    case Coding::SIGNED_BYTE:
        return int8_t(image.b[size_t(run.at + i)]);
    case Coding::WORD:
        return image.Word(run.at + i);
    }
    return 0;
}

void Store(RsImage& image, const CellRun& run, int i, int32_t raw)
{
    if (run.coding == Coding::WORD)
        image.SetWord(run.at + i, uint16_t(raw));
    else
        image.b[size_t(run.at + i)] = uint8_t(raw);
}

void SetFixedPoints(TTab* table, const CorrectionTableDef& def)
{
    CSheet& sheet = table->Sheets[0];
    if (def.y.fixed)
        for (int r = 0; r < def.y.count; r++)
            sheet.Y.Values[r] = def.y.fixed[r];
}

// The start time table's first time and last cell; true when one changed.
bool FixStartTimeTable(TTab* table)
{
    if (!table || !table->Sheet)
        return false;
    CSheet& sheet = table->Sheets[0];
    int32_t& first = sheet.Y.Values[0];
    int32_t& last = sheet.V.Values[START_TIME_LAST * TAB_MAX_COLS];
    const bool changed = first != 0 || last != START_TIME_LAST_CELL;
    first = 0;
    last = START_TIME_LAST_CELL;
    return changed;
}

TTab* BuildTable(TMainForm* form, TTabSheet* parent, const CorrectionTableDef& def)
{
    TTab* table = CreateMapTable(form->Maps, def.id, 100, 100, TABSTYLE_TABLE | TABSTYLE_2D | TABSTYLE_CAPTION, parent);
    if (!table)
        return nullptr;
    const int columns = Columns(def);
    table->ColumnSlots = columns;
    table->RowSlots = def.y.count;
    const int s = table->AddSheet(
        def.caption, def.x ? def.x->key : "", def.y.key, def.value.key, columns, def.y.count, def.flags);
    const QImage* xPicture = def.xPicture ? GetJpgBitmap(def.xPicture) : nullptr;
    const QImage* picture = def.picture ? GetJpgBitmap(def.picture) : nullptr;
    if (const AxisDef* x = def.x)
        table->DefineAxes(s, 1, x->key, x->unit, x->min, x->max, x->scale, 1, x->ticks, 1, 1, 1, x->count, 0, 0, 0, -1,
            0, def.xColour, xPicture);
    else
        table->DefineAxes(s, 1, "", "", 0, 20000, 1, 1, nullptr, 0, 0, 1, 1, 2, 1, 0, -1, 0, def.xColour, xPicture);
    const AxisDef& y = def.y;
    table->DefineAxes(s, 2, y.key, y.unit, y.min, y.max, y.scale, 1, y.ticks, y.editable ? 1 : 0, 1, 1, y.count, 0, 0,
        0, -2, 0, def.colour, picture);
    const ValueDef& v = def.value;
    table->DefineAxes(
        s, 4, v.key, v.unit, v.min, v.max, v.scale, 0, v.ticks, 1, 2, 0, 0, 0, 0, 0, 0, 0, def.colour, picture);
    CSheet& sheet = table->Sheets[s];
    sheet.V.IsBreakpointAxis = def.graphAxis ? 1 : 0;
    sheet.TabFontSize = 9;
    sheet.LabelFontSize = 9;
    table->VisibleCols = def.visibleColumns;
    table->VisibleRows = def.visibleRows;
    if (def.rowHeaderMargin)
        table->YHeaderWidth = 50;
    SetFixedPoints(table, def);
    return table;
}

TTab* BuildHeaderTable(TMainForm* form, TTabSheet* parent, int width)
{
    constexpr int HEADER_TOP = 4, HEADER_HEIGHT = 21;
    TTab* header = CreateMapTable(
        form->Maps, CORRECTIONS_HEADER_ID, width, HEADER_HEIGHT, TABSTYLE_TOOLBAR | TABSTYLE_BARE_TABS, parent);
    if (!header)
        return nullptr;
    header->move(0, HEADER_TOP);
    header->ColumnSlots = 1;
    header->RowSlots = 1;
    for (const char* caption : TAB_CAPTIONS) {
        const int s = header->AddSheet(caption, "", "", "", 1, 1, 0);
        header->DefineAxes(s, 7, "", "", 0, 100, 1, 1, nullptr, 0, 0, 1, 1, 0, 0, 0, 0, 0x100, WHITE, nullptr);
    }
    return header;
}

} // namespace

void BuildCorrectionsPage(TMainForm* form)
{
    CorrectionsPageControls& page = form->Corrections;
    auto* sheet = dynamic_cast<TTabSheet*>(form->FindComponent("TabSheet_Korekce"));
    BuildPageControls<C>(form, page, sheet, 0, ACC_ROWS);
    BuildPageControls<C>(form, page, sheet, sheet->ClientHeight() - LIVE_STRIP_HEIGHT, LIVE_ROWS);
    for (const auto& [box, rows] : LIVE_GROUPS)
        BuildPageControls<L>(form, form->Monitor.Pages, page.*box, 0, rows);
}

void CreateCorrectionsPage(TMainForm* form)
{
    CorrectionsPageControls& page = form->Corrections;
    TTabSheet* sheet = form->PageSheets[PAGE_SLOT_CORRECTIONS];
    const int W = form->PageSheets[PAGE_SLOT_BIKE]->Width();
    const int H = form->PageSheets[PAGE_SLOT_BIKE]->Height();

    page.CorrectionsHeaderTable = BuildHeaderTable(form, sheet, W);
    form->Maps.CorrectionsTable = page.CorrectionsHeaderTable;
    for (const CorrectionTableDef& def : TABLE_DEFS)
        page.Tables[size_t(def.id - CORRECTIONS_FIRST_ID)] = BuildTable(form, sheet, def);

    page.GroupBoxAccK->SetLeft(W * 6 / 10);
    page.GroupBoxAccK->SetTop(70);
    const int liveTop = page.GroupBoxInjCor->Top();
    const int half = W / 2 - 15, right = W / 2 + 25;
    const int accTop = page.GroupBoxAccK->Top();
    const int accHeight = H * 43 / 100;
    const struct {
        int id, left, top, width, height;
    } places[] = {
        { 7, 10, 30, half, liveTop - 31 - 30 },
        { 8, right, 30, half, liveTop - 31 - 30 },
        { 9, 10, 30, half, liveTop - 31 - 30 },
        { 10, right, 30, half, liveTop - 31 - 30 },
        { 11, W * 3 / 100, accTop - 25, W * 15 / 100, accHeight },
        { 12, W * 17 / 100, accTop - 25, W * 34 / 100, accHeight },
        { 13, 10, 30, half, liveTop - 31 - 30 },
        { 14, right, 30, half, liveTop - 31 - 30 },
        { 15, 10, 30, half, liveTop - 31 - 30 },
        { 16, W * 47 / 100, accTop, W * 53 / 100, accHeight },
        { 17, 10, 25, half, liveTop - 26 - 25 },
        { 18, right, 25, half, liveTop - 26 - 25 },
    };
    for (const auto& p : places)
        if (TTab* table = page.Table(p.id))
            table->setGeometry(p.left, p.top, p.width, std::max(1, p.height));
    if (page.CorrectionsHeaderTable)
        page.CorrectionsHeaderTable->SelectSheet(0);
    for (TTab* table : page.Tables)
        if (table)
            table->SelectSheet(0);
}

void LoadCorrectionsPage(TMainForm* form)
{
    CorrectionsPageControls& page = form->Corrections;
    const RsImage& image = form->PcImage;
    SetUpDownFromWord(form, page.UpDownAccKPlus, 0, ACC_K_PLUS_WORD, 0);
    SetUpDownFromWord(form, page.UpDownAccKMinus, 0, ACC_K_MINUS_WORD, 0);
    SetUpDownFromWord(form, page.UpDownAccT100, 0, ACC_T100_WORD, 0);
    SetUpDownFromWord(form, page.UpDownAccT0, 0, ACC_T0_WORD, 0);
    for (const CorrectionTableDef& def : TABLE_DEFS)
        if (TTab* table = page.Table(def.id))
            SetFixedPoints(table, def);
    for (const CellRun& run : CELL_RUNS)
        if (TTab* table = page.Table(run.id))
            for (int i = 0; i < run.count; i++)
                Element(table->Sheets[0], run, i) = Stored(image, run, i) + run.bias;
    FixStartTimeTable(page.Table(START_TIME_ID));
    SetUpDownFromByte(form, page.UpDownDeadTime, 0, DEAD_TIME, DEAD_TIME_SCALE, 0);
    for (TTab* table : page.Tables)
        if (table)
            table->RedrawBits |= REDRAW_VALUES;
    SyncMapTables(form->Maps);
    ShowCorrectionsTables(form);
}

void StoreCorrectionsPage(TMainForm* form)
{
    if (form->LoadingControls)
        return;
    CorrectionsPageControls& page = form->Corrections;
    RsImage& image = form->PcImage;
    StoreUpDownToWord(form, page.UpDownAccKPlus, 0, ACC_K_PLUS_WORD, 0);
    StoreUpDownToWord(form, page.UpDownAccKMinus, 0, ACC_K_MINUS_WORD, 0);
    StoreUpDownToWord(form, page.UpDownAccT100, 0, ACC_T100_WORD, 0);
    StoreUpDownToWord(form, page.UpDownAccT0, 0, ACC_T0_WORD, 0);
    for (const CellRun& run : CELL_RUNS)
        if (TTab* table = page.Table(run.id)) {
            CSheet& sheet = table->Sheets[0];
            const CAxe& axis = AxisOf(sheet, run.part);
            for (int i = 0; i < run.count; i++)
                Store(image, run, i, std::clamp(Element(sheet, run, i), axis.Min, axis.Max) - run.bias);
        }
    StoreUpDownToByte(form, page.UpDownDeadTime, 0, DEAD_TIME, DEAD_TIME_SCALE, 0);
}

void CorrectionsTableChanged(TMainForm* form, TTab*)
{
    TTab* startTime = form->Corrections.Table(START_TIME_ID);
    if (FixStartTimeTable(startTime))
        startTime->RedrawBits |= REDRAW_VALUES;
    CommitEditNow(form);
    ShowCorrectionsTables(form);
}

void ShowCorrectionsTables(TMainForm* form)
{
    CorrectionsPageControls& page = form->Corrections;
    const int tab = page.CorrectionsHeaderTable ? page.CorrectionsHeaderTable->CurrentIndex : 0;
    for (int t = 0; t < CORRECTIONS_TABS; t++)
        for (int id : TAB_TABLES[t])
            if (TTab* table = page.Table(id))
                table->setVisible(t == tab);
    page.GroupBoxAccK->SetVisible(tab == ACCELERATION_TAB);
    for (TControl* c : { static_cast<TControl*>(page.LabelDeadTime), static_cast<TControl*>(page.EditDeadTime),
             static_cast<TControl*>(page.UpDownDeadTime) })
        c->SetVisible(tab == VOLTAGE_TAB);
}
