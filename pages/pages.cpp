#include "pages/pages.h"

#include "app/main.h"
#include "image/consistency.h"
#include "mapedit/tab.h"
#include "monitor/panel.h"
#include "pages/advance.h"
#include "pages/bike.h"
#include "pages/corrections.h"
#include "pages/gear.h"
#include "pages/idle.h"
#include "pages/injection.h"
#include "pages/injposition.h"
#include "pages/monitor.h"
#include "pages/n2o.h"
#include "pages/powerout.h"
#include "pages/race.h"
#include "pages/sensors.h"
#include "pages/servo.h"
#include "pages/synchro.h"
#include "pages/test.h"
#include "pages/tracking.h"
#include "pages/tuning.h"

#include <algorithm>

namespace {

constexpr uint64_t Ids(std::initializer_list<int> ids)
{
    uint64_t mask = 0;
    for (int id : ids)
        mask |= uint64_t(1) << id;
    return mask;
}

} // namespace

// clang-format off
const std::array<PageSlot, PAGE_SLOT_COUNT> PageSlotTable = { {
    // page, run-time sheet, its caption, Create, Store, Load, TableChanged, table ids, per-tick colour
    { "Bike", nullptr, nullptr, CreateBikePage, StoreBikePage, LoadBikePage, BikeTableChanged, Ids({ 39 }), nullptr },
    { "Synchro", nullptr, nullptr, CreateSynchroPage, StoreSynchroPage, LoadSynchroPage, nullptr, 0, nullptr },
    { "Advance", "TabSheet_Advance", "Advance", CreateAdvancePage, StoreAdvancePage, LoadAdvancePage,
        AdvanceTableChanged, Ids({ 0 }), ColourBaseAdvance },
    { "Injection", "TabSheet_Injection", "Injection", CreateInjectionPage, StoreInjectionPage, LoadInjectionPage,
        InjectionTableChanged, Ids({ 5 }), nullptr },
    { "Injection position", "TabSheet_InjPosition", "Injection position", CreateInjectionPositionPage,
        StoreInjectionPositionPage, LoadInjectionPositionPage, InjectionPositionTableChanged, Ids({ 3, 4 }), nullptr },
    { "Corrections", nullptr, nullptr, CreateCorrectionsPage, StoreCorrectionsPage, LoadCorrectionsPage,
        CorrectionsTableChanged, Ids({ 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17 }), nullptr },
    { "Input", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0, nullptr },
    { "Sensors", nullptr, nullptr, CreateSensorsPage, StoreSensorsPage, LoadSensorsPage, SensorsTableChanged,
        Ids({ 33, 34, 35, 36, 37, 41 }), nullptr },
    { "Servo", "TabSheet_Servo", "Servo", CreateServoPage, StoreServoPage, LoadServoPage, ServoTableChanged,
        Ids({ 1 }), nullptr },
    { "Idle", nullptr, nullptr, CreateIdlePage, StoreIdlePage, LoadIdlePage, IdleTableChanged, Ids({ 2, 19 }),
        ShowIdleLiveValues },
    { "Power out", nullptr, nullptr, CreatePowerOutPage, StorePowerOutPage, LoadPowerOutPage, nullptr,
        Ids({ 25, 26, 27, 28 }), nullptr },
    { "Race", nullptr, nullptr, CreateRacePage, StoreRacePage, LoadRacePage, nullptr, 0, ShowRaceLiveValues },
    { "Gear", nullptr, nullptr, CreateGearPage, StoreGearPage, LoadGearPage, nullptr, 0, ShowGearLiveValues },
    { "N2O", nullptr, nullptr, nullptr, StoreN2OPage, LoadN2OPage, nullptr, 0, nullptr },
    { "Tuning", nullptr, nullptr, CreateTuningPage, StoreTuningPage, LoadTuningPage, TuningTableChanged, Ids({ 38 }),
        nullptr },
    { "Knock", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0, nullptr },
    { "Tracking", nullptr, nullptr, CreateTrackingPage, StoreTrackingPage, LoadTrackingPage, TrackingTableChanged,
        Ids({ 20, 21, 22 }), nullptr },
    { "Monitor", nullptr, nullptr, RegisterMonitorLabels, nullptr, nullptr, nullptr, 0, nullptr },
    { "OBD", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0, nullptr },
    { "Test", nullptr, nullptr, nullptr, StoreTestPage, LoadTestPage, nullptr, 0, nullptr },
} };
// clang-format on

namespace {

// The build order fixes the ids of the map tables and where the run-time
// sheets go; Idle comes after Gear.
constexpr int CREATE_ORDER[] = { 0, 1, 2, 3, 4, 5, 7, 8, 10, 11, 12, 9, 13, 14, 16, 17, 19 };
constexpr int LOAD_ORDER[] = { 0, 1, 2, 3, 4, 5, 7, 8, 10, 11, 12, 9, 13, 14, 16, 18, 19 };
// Page slots of the form's own sheets, in their order; -1 for the maintenance
// sheet. The hidden Input and Knock sheets keep no slot entry.
constexpr int FORM_SHEET_SLOTS[] = { 0, 1, 5, 6, 7, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, -1 };

const PageSlot* SlotOf(int page)
{
    return page >= 0 && page < PAGE_SLOT_COUNT ? &PageSlotTable[size_t(page)] : nullptr;
}

TLabel* LabelNamed(TMainForm* form, const std::string& name)
{
    return dynamic_cast<TLabel*>(form->FindComponent(name));
}

} // namespace

TTabSheet* CreateRunTimeSheet(TMainForm* form, int slot)
{
    const PageSlot& def = PageSlotTable[size_t(slot)];
    auto* sheet = new TTabSheet(form);
    sheet->SetName(def.runTimeSheet);
    sheet->SetCaption(std::string_view(def.runTimeCaption));
    sheet->SetPageControl(form->PageControl1);
    sheet->SetPageIndex(slot);
    form->PageSheets[size_t(slot)] = sheet;
    return sheet;
}

void CreateSettingsPages(TMainForm* form)
{
    for (size_t i = 0; i < form->FormSheets.size() && i < std::size(FORM_SHEET_SLOTS); ++i) {
        const int slot = FORM_SHEET_SLOTS[i];
        if (slot >= 0 && slot != PAGE_SLOT_INPUT && slot != PAGE_SLOT_KNOCK)
            form->PageSheets[size_t(slot)] = form->FormSheets[i];
    }
    form->Maps.MapTableCount = 0;
    form->Maps.Host.TableChanged = [form](TTab* table) { PageTableChanged(form, table); };
    GatherTestLabels(form);
    for (int slot : CREATE_ORDER) {
        const PageSlot& def = PageSlotTable[size_t(slot)];
        if (def.Create)
            def.Create(form);
        else if (def.runTimeSheet)
            CreateRunTimeSheet(form, slot);
    }
}

void StoreActivePage(TMainForm* form)
{
    if (const PageSlot* def = SlotOf(form->ActivePageIndex); def && def->Store)
        def->Store(form);
    UpdateLiveMonitor(form);
}

int LoadPages(TMainForm* form, int all)
{
    if (form->QuestionBoxesOpen > 0) {
        form->PageReloadWaiting = std::max(form->PageReloadWaiting, all ? 1 : 0);
        return all;
    }
    if (all) {
        form->Maps.MapSyncPrev = 1;
        for (int slot : LOAD_ORDER)
            if (PageOperation load = PageSlotTable[size_t(slot)].Load)
                load(form);
    } else if (const PageSlot* def = SlotOf(form->ActivePageIndex); def && def->Load) {
        def->Load(form);
    }
    ShowLambdaBar(form);
    return all;
}

void StoreAndReloadPage(TMainForm* form)
{
    StoreActivePage(form);
    NormalizeParameterImage(form->PcImage);
    LoadPages(form, 0);
    form->Undo->SnapshotAfterEdit();
}

void RefreshPageColours(TMainForm* form)
{
    if (const PageSlot* def = SlotOf(form->ActivePageIndex); def && def->Colour)
        def->Colour(form);
    // The two share one place in the window.
    if (form->CheckBoxExtMonitor) {
        const bool visible = !form->LabelEeDataErr->Visible();
        if (form->CheckBoxExtMonitor->Visible() != visible)
            form->CheckBoxExtMonitor->SetVisible(visible);
    }
}

void MarkStaleMapLimits(TMainForm* form)
{
    const RsImage& image = form->PcImage;
    const MapTableSet& maps = form->Maps;
    const bool advanceStale = maps.AdvanceTable
        && (maps.AdvanceTable->StartLimiterRpm != image.b[IMAGE_START_LIMITER] * 100
            || maps.AdvanceTable->LimiterRpm != image.b[IMAGE_LIMITER] * 100);
    const bool injectionStale
        = maps.InjectionTable && maps.InjectionTable->LimiterRpm != image.b[IMAGE_LIMITER_INJ] * 100;
    if (advanceStale || injectionStale)
        form->Maps.MapLimitsChanged = 1;
}

void PageTableChanged(TMainForm* form, TTab* table)
{
    if (!table || table->TableId < 0 || table->TableId >= 64)
        return;
    const uint64_t bit = uint64_t(1) << table->TableId;
    for (const PageSlot& def : PageSlotTable)
        if ((def.tableIds & bit) && def.TableChanged) {
            def.TableChanged(form, table);
            return;
        }
}

int ChooseChangedBlock(int activePage, uint32_t changedBlocks)
{
    constexpr uint32_t ADVANCE_BLOCK_BIT = 1u << 8; // block 9, bytes 2400..2699: the advance map
    if (activePage == PAGE_SLOT_ADVANCE && (changedBlocks & ADVANCE_BLOCK_BIT))
        return 9;
    return LinkSequencer::LowestChangedBlock(int(changedBlocks));
}

void ReadNextChangedBlock(TMainForm* form)
{
    const int block = ChooseChangedBlock(form->ActivePageIndex, uint32_t(form->ChangedBlocks));
    if (block == 0) {
        form->LinkState = linkstate::LivePoll;
        SendLiveRequest(form);
        return;
    }
    form->Sequencer.ReadBlock(block);
}

namespace {

enum class CellKind {
    Byte,
    WordTimes10,
    // A sensor calibration: its cells and breakpoints lie in more than one
    // range (the temperature columns in two word ranges, the pressure points
    // between their voltages, the lambda ratios apart from their voltages)
    // and take the page's own encoding and view.
    Calibration,
};

template <TTab* MapTableSet::*table> TTab* MapsTable(TMainForm& form)
{
    return form.Maps.*table;
}

template <TTab* SensorsPageControls::*table> TTab* SensorsTable(TMainForm& form)
{
    return form.Sensors.*table;
}

// Where the map tables' sheets take their cells from the image.
struct ImageMapEntry {
    TTab* (*table)(TMainForm&); // null: the Bike page's bound bytes
    int sheet;
    CellKind kind;
    int start; // byte offset, or word index for words
    int rows, columns;
    int testFrom, testTo; // bytes tested against the range, inclusive
};

constexpr int WordBytes(int word)
{
    return 2 * word;
}

namespace cells = sensors_cells;
using S = SensorsPageControls;

constexpr ImageMapEntry IMAGE_MAP_ENTRIES[] = {
    { MapsTable<&MapTableSet::AdvanceTable>, 0, CellKind::Byte, 2400, 10, 15, 2400, 2549 },
    { MapsTable<&MapTableSet::InjectionTable>, 0, CellKind::WordTimes10, 0, 10, 20, 0, 399 },
    { MapsTable<&MapTableSet::InjectionTable>, 1, CellKind::WordTimes10, 200, 10, 20, 400, 799 },
    { MapsTable<&MapTableSet::InjectionTable>, 2, CellKind::WordTimes10, 400, 10, 20, 800, 1199 },
    { MapsTable<&MapTableSet::InjectionTable>, 3, CellKind::WordTimes10, 600, 10, 20, 1200, 1599 },
    { MapsTable<&MapTableSet::InjectionTable>, 4, CellKind::Byte, 4243, 10, 20, 4243, 4442 },
    { MapsTable<&MapTableSet::InjectionTable>, 5, CellKind::Byte, 3378, 10, 20, 3378, 3577 },
    { MapsTable<&MapTableSet::InjectionTable>, 6, CellKind::WordTimes10, 800, 10, 20, 1600, 1999 },
    { MapsTable<&MapTableSet::InjectionTable>, 7, CellKind::Byte, 4443, 10, 20, 4443, 4642 },
    { MapsTable<&MapTableSet::ServoTable>, 0, CellKind::Byte, 3728, 10, 15, 3728, 3877 },
    { MapsTable<&MapTableSet::ServoTable>, 1, CellKind::Byte, 3578, 10, 15, 3578, 3727 },
    { MapsTable<&MapTableSet::InjectionPositionTableA>, 0, CellKind::Byte, 3168, 1, 15, 3168, 3182 },
    { MapsTable<&MapTableSet::InjectionPositionTableB>, 0, CellKind::Byte, 3198, 1, 15, 3198, 3212 },
    { nullptr, 0, CellKind::Byte, 0, 0, 0, 2560, 2563 },
    { MapsTable<&MapTableSet::TuningTable>, 0, CellKind::Byte, 2961, 5, 5, 2961, 2985 },
    // The sensor calibrations, by the bytes they show.
    { SensorsTable<&S::ApSensorTable>, 0, CellKind::Calibration, 0, 0, 0, WordBytes(cells::AP_WORD),
        WordBytes(cells::AP_WORD + 4) - 1 },
    { SensorsTable<&S::IapSensorTable>, 0, CellKind::Calibration, 0, 0, 0, WordBytes(cells::IAP_WORD),
        WordBytes(cells::IAP_WORD + 4) - 1 },
    { SensorsTable<&S::TempSensorTable>, 0, CellKind::Calibration, 0, 0, 0, WordBytes(cells::COOLANT_MV_WORD),
        WordBytes(cells::COOLANT_MV_WORD + SENSORS_TEMP_ROWS) - 1 },
    { SensorsTable<&S::TempSensorTable>, 0, CellKind::Calibration, 0, 0, 0, WordBytes(cells::AIR_MV_WORD),
        WordBytes(cells::AIR_MV_WORD + SENSORS_TEMP_ROWS) - 1 },
    { SensorsTable<&S::LambdaSensorTable>, 0, CellKind::Calibration, 0, 0, 0, WordBytes(cells::LAMBDA_MV_WORD),
        WordBytes(cells::LAMBDA_MV_WORD + SENSORS_LAMBDA_ROWS) - 1 },
    { SensorsTable<&S::LambdaSensorTable>, 0, CellKind::Calibration, 0, 0, 0, cells::LAMBDA_AFR,
        cells::LAMBDA_AFR + SENSORS_LAMBDA_ROWS - 1 },
    { SensorsTable<&S::TpSensorTable>, 0, CellKind::Calibration, 0, 0, 0, cells::TP_ZERO, cells::TP_FULL },
};

// The cells of the entries of one kind, and the bytes every entry tests.
constexpr auto ImageMapRuns(bool words)
{
    std::array<CellSpan, std::size(IMAGE_MAP_ENTRIES)> runs {};
    for (size_t i = 0; i < runs.size(); ++i) {
        const ImageMapEntry& e = IMAGE_MAP_ENTRIES[i];
        if (!words)
            runs[i] = { e.testFrom, e.testTo - e.testFrom + 1 };
        else if (e.kind == CellKind::WordTimes10)
            runs[i] = { e.start, e.rows * e.columns };
    }
    return runs;
}
constexpr auto ImageMapByteCells()
{
    std::array<CellSpan, std::size(IMAGE_MAP_ENTRIES)> runs {};
    for (size_t i = 0; i < runs.size(); ++i) {
        const ImageMapEntry& e = IMAGE_MAP_ENTRIES[i];
        if (e.kind == CellKind::Byte && e.rows * e.columns > 0)
            runs[i] = { e.start, e.rows * e.columns };
    }
    return runs;
}
static_assert(EnumerationExcess(ImageMapRuns(true), 0, RS_WORDS) <= 0, "a map reaches past the image's words");
static_assert(EnumerationExcess(ImageMapRuns(false), 0, RS_LEN_EXE) <= 0, "a map reaches past the image");
static_assert(EnumerationExcess(ImageMapByteCells(), 0, RS_LEN_EXE) <= 0, "a map reaches past the image");

} // namespace

void ImageMapCells(std::vector<CellSpan>& words, std::vector<CellSpan>& bytes)
{
    const auto keep = [](std::vector<CellSpan>& into, const auto& runs) {
        for (const CellSpan& run : runs)
            if (run.count > 0)
                into.push_back(run);
    };
    keep(words, ImageMapRuns(true));
    keep(bytes, ImageMapRuns(false));
    keep(bytes, ImageMapByteCells());
}

void ImageRangeToMaps(TMainForm* form, int from, int to)
{
    const RsImage& image = form->PcImage;
    for (const ImageMapEntry& entry : IMAGE_MAP_ENTRIES) {
        if (entry.testTo < from || entry.testFrom >= to)
            continue;
        if (!entry.table) {
            if (PageOperation load = PageSlotTable[PAGE_SLOT_BIKE].Load)
                load(form);
            continue;
        }
        TTab* table = entry.table(*form);
        if (!table || entry.sheet >= table->SheetCount)
            continue;
        if (entry.kind == CellKind::Calibration) {
            SensorTableFromImage(form, table);
            continue;
        }
        CSheet& sheet = table->Sheets[entry.sheet];
        bool changed = false;
        for (int r = 0; r < entry.rows; r++)
            for (int c = 0; c < entry.columns; c++) {
                const int element = entry.start + r * entry.columns + c;
                const int32_t value = entry.kind == CellKind::Byte ? int32_t(image.b[size_t(element)])
                                                                   : int32_t(image.Word(element)) * 10;
                int32_t& cell = sheet.V.Values[r * TAB_MAX_COLS + c];
                changed |= cell != value;
                cell = value;
            }
        if (changed)
            table->RedrawBits |= REDRAW_VALUES;
        // The coupled maps follow edits of map 1 against what the unit holds.
        if (table == form->Maps.InjectionTable && entry.sheet == 0)
            TakeInjectionSnapshot(form);
    }
}

bool LayOutLambdaBar(int t0, int t1, int t2, int t3, int gaugeLeft, int gaugeWidth, LambdaBarLayout& out)
{
    if (t3 == t0)
        return false;
    const int span = t3 - t0;
    out.blueLeft = gaugeLeft;
    out.blueWidth = (t1 - t0) * gaugeWidth / span;
    out.greenLeft = out.blueLeft + out.blueWidth;
    out.greenWidth = (t2 - t1) * gaugeWidth / span;
    out.redLeft = out.greenLeft + out.greenWidth;
    out.redWidth = gaugeLeft + gaugeWidth - out.redLeft;
    return true;
}

void ShowLambdaBar(TMainForm* form)
{
    const TColor progColour = form->CheckBoxProgHned->Checked() ? TColor(0x0000FF) : clBtnFace;
    if (form->CheckBoxProgHned->Color() != progColour)
        form->CheckBoxProgHned->SetColor(progColour);
    for (const char* name : { "LabelSnimacCkps", "LabelSnimacCmps" })
        if (TLabel* label = LabelNamed(form, name))
            label->SetVisible(true);
    // The lambda limits edited on the Test page.
    const RsImage& image = form->PcImage;
    LambdaBarLayout bar {};
    auto* gauge = dynamic_cast<TControl*>(form->FindComponent("CGaugeLambda"));
    if (!gauge
        || !LayOutLambdaBar(
            image.b[2950], image.b[2951], image.b[2952], image.b[2953], gauge->Left(), gauge->Width(), bar))
        return;
    const struct {
        const char* name;
        int left, width;
    } labels[] = {
        { "LabelLambdaBlue", bar.blueLeft, bar.blueWidth },
        { "LabelLambdaGreen", bar.greenLeft, bar.greenWidth },
        { "LabelLambdaRed", bar.redLeft, bar.redWidth },
    };
    for (const auto& l : labels)
        if (TLabel* label = LabelNamed(form, l.name)) {
            label->SetLeft(l.left);
            label->SetWidth(l.width);
        }
}

void GatherTestLabels(TMainForm* form)
{
    for (size_t i = 0; i < form->TestLabels.size(); ++i)
        form->TestLabels[i] = LabelNamed(form, "LabelTest" + std::to_string(i + 1));
}
