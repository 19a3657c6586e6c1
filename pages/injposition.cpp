#include "pages/injposition.h"

#include "app/editpath.h"
#include "app/main.h"
#include "mapedit/tab.h"
#include "pages/axisticks.h"
#include "pages/pages.h"
#include "texts/langtext.h"
#include "texts/messagetable.h"

#include <algorithm>

using namespace injposition_cells;

namespace {

constexpr int TABLE_HEIGHT = 210;
constexpr TColor AXIS_COLOUR = 0xFCE2F4;
constexpr int32_t POSITION_STYLE = TABSTYLE_TOOLBAR | TABSTYLE_TABLE | TABSTYLE_CAPTION | TABSTYLE_POSITION_REF;
constexpr uint32_t POSITION_FLAGS
    = SHEET_LIVE_MARKER | SHEET_LIMITER_LINE | SHEET_START_LIMITER_LINE | SHEET_FAST_REPEAT_CELLS;
// Degrees, the cells shown times 5.
constexpr TickRecord POSITION_TICKS[] = {
    { 45, 15, 5, 5, 15 },
    { 180, 45, 45, 15, 45 },
    { 360, 45, 45, 45, 90 },
    { 720, 90, 90, 90, 180 },
    {},
};

// One injector group: its table and where it sits in the image.
struct PositionTable {
    TTab* MapTableSet::*table;
    int id;
    const char* caption;
    int rpm, position, reference;
};
constexpr PositionTable TABLES[] = {
    { &MapTableSet::InjectionPositionTableA, 3, "Position of Injection A", RPM_A, POSITION_A, REFERENCE_A },
    { &MapTableSet::InjectionPositionTableB, 4, "Position of Injection B", RPM_B, POSITION_B, REFERENCE_B },
};

TTab* BuildTable(TMainForm* form, TTabSheet* sheet, const PositionTable& def, int top)
{
    TTab* table = CreateMapTable(form->Maps, def.id, sheet->ClientWidth(), TABLE_HEIGHT, POSITION_STYLE, sheet);
    if (!table)
        return nullptr;
    table->move(0, top);
    table->ColumnSlots = POINTS;
    table->RowSlots = 1;
    table->VisibleRows = 5;
    const int s = table->AddSheet(def.caption, "RPM", "TP", "Position", POINTS, 1, POSITION_FLAGS);
    // X: all fifteen breakpoints, always shown, none inserted or deleted.
    table->DefineAxes(
        s, 1, "RPM", "", 3, 250, 100, 1, RPM_AXIS_TICKS, 1, 1, 1, POINTS, 0, 0, 0, -1, 0, AXIS_COLOUR, nullptr);
    // Y: a single row, always collapsed.
    table->DefineAxes(s, 2, "no", "", 0, 100, 1, 1, nullptr, 0, 0, 1, 1, 2, 1, 0, -2, 0, AXIS_COLOUR, nullptr);
    table->DefineAxes(
        s, 4, "Position", "°", 0, 150, 5, 0, POSITION_TICKS, 1, 2, 0, 0, 0, 0, 0, 0, 0, AXIS_COLOUR, nullptr);
    table->SelectSheet(0);
    return table;
}

} // namespace

void CreateInjectionPositionPage(TMainForm* form)
{
    for (const PositionTable& def : TABLES)
        form->Maps.*def.table = nullptr;
    TTabSheet* sheet = CreateRunTimeSheet(form, PAGE_SLOT_INJECTION_POSITION);
    int top = 0;
    for (const PositionTable& def : TABLES) {
        form->Maps.*def.table = BuildTable(form, sheet, def, top);
        top += TABLE_HEIGHT;
    }
}

void LoadInjectionPositionPage(TMainForm* form)
{
    const RsImage& image = form->PcImage;
    for (const PositionTable& def : TABLES) {
        TTab* table = form->Maps.*def.table;
        if (!table)
            continue;
        table->PositionRef = image.b[size_t(def.reference)];
        table->RefreshPositionButtons();
        CSheet& sheet = table->Sheets[0];
        sheet.X.Count = POINTS;
        sheet.Y.Count = 1;
        sheet.Y.Collapsed = 1;
        for (int i = 0; i < POINTS; i++) {
            sheet.X.Values[i] = image.b[size_t(def.rpm + i)];
            sheet.V.Values[i] = image.b[size_t(def.position + i)];
        }
        table->ApplyLimits(&sheet, 0x107);
        table->RedrawBits |= REDRAW_VALUES;
    }
    SyncMapTables(form->Maps);
}

void StoreInjectionPositionPage(TMainForm* form)
{
    if (form->LoadingControls)
        return;
    RsImage& image = form->PcImage;
    for (const PositionTable& def : TABLES) {
        const TTab* table = form->Maps.*def.table;
        if (!table)
            continue;
        image.b[size_t(def.reference)] = uint8_t(table->PositionRef);
        const CSheet& sheet = table->Sheets[0];
        for (int i = 0; i < POINTS; i++) {
            image.b[size_t(def.rpm + i)] = uint8_t(std::clamp(sheet.X.Values[i], sheet.X.Min, sheet.X.Max));
            image.b[size_t(def.position + i)] = uint8_t(std::clamp(sheet.V.Values[i], sheet.V.Min, sheet.V.Max));
        }
    }
}

void InjectionPositionTableChanged(TMainForm* form, TTab*)
{
    CommitEditNow(form);
}
