#include "pages/advance.h"

#include "app/binding.h"
#include "app/editpath.h"
#include "app/main.h"
#include "mapedit/tab.h"
#include "pages/pagelayout.h"
#include "pages/pages.h"

#include <algorithm>
#include <cstdio>

using namespace advance_cells;

namespace {

using C = AdvancePageControls;
using Row = PageLayoutRow<C>;
using enum PageControlKind;
using enum PageLeft;

constexpr const char* ADVANCE_CAPTION = "###Advance##Vorzündung##Předstih";
constexpr TColor AXIS_COLOUR = 0xFCE2F4;
// The strip of controls under the map.
constexpr int STRIP_HEIGHT = 30;
constexpr int EDIT_WIDTH = 30;

// The strip, left to right: base advance, the four cylinder corrections
// 50 pixels apart, the pickup correction, and the load signal at the right
// end, reaching 15 pixels up beside the map. Tops count from the strip's top.
// clang-format off
constexpr Row STRIP[] = {
    // kind, field, edit, anchor, x, y, width, height, min, max, caption, suffix, items, columns
    { EditUpDown, &C::UpDownBaseAdvance, &C::EditBaseAdvance, LEFT_ABSOLUTE, 8, 4, EDIT_WIDTH, 0, -20, 60, nullptr, nullptr, nullptr, 0 },
    { Label, &C::LabelBaseAdvance, nullptr, LEFT_FLOW, 4, 7, 0, 0, 0, 0,
        "###Base advance (°)##Base advance (°)##Základní předstih (°)", nullptr, nullptr, 0, "LabelBaseAdvance" },
    { EditUpDown, &C::UpDownCylinderCorrection1, &C::EditCylinderCorrection1, LEFT_FLOW, 20, 4, EDIT_WIDTH, 0, -15, 15, nullptr, nullptr, nullptr, 0 },
    { EditUpDown, &C::UpDownCylinderCorrection2, &C::EditCylinderCorrection2, LEFT_FLOW, 4, 4, EDIT_WIDTH, 0, -15, 15, nullptr, nullptr, nullptr, 0 },
    { EditUpDown, &C::UpDownCylinderCorrection3, &C::EditCylinderCorrection3, LEFT_FLOW, 4, 4, EDIT_WIDTH, 0, -15, 15, nullptr, nullptr, nullptr, 0 },
    { EditUpDown, &C::UpDownCylinderCorrection4, &C::EditCylinderCorrection4, LEFT_FLOW, 4, 4, EDIT_WIDTH, 0, -15, 15, nullptr, nullptr, nullptr, 0 },
    { Label, &C::LabelCylinderCorrection, nullptr, LEFT_FLOW, 4, 7, 0, 0, 0, 0,
        "###Correction for cylinder##Korrektion für Zylinder##Korekce pro válec", " 1,2,3,4", nullptr, 0 },
    { EditUpDown, &C::UpDownPickupCorrection, &C::EditPickupCorrection, LEFT_FLOW, 100, 4, EDIT_WIDTH, 0, 0, 24, nullptr, nullptr, nullptr, 0 },
    { Label, &C::LabelPickupCorrection, nullptr, LEFT_FLOW, 4, 7, 0, 0, 0, 0,
        "###Advance PickUp correction####PickUp korekce předstihu", nullptr, nullptr, 0, "LabelPickupCorrection" },
    { RadioGroup, &C::RadioGroupAdvanceLoad, nullptr, LEFT_FROM_RIGHT, 110, -15, 90, 40, 0, 0, "", nullptr, "TP,IAP", 2 },
};
// clang-format on

constexpr TUpDown* C::*CORRECTION_UPDOWNS[4] = { &C::UpDownCylinderCorrection1, &C::UpDownCylinderCorrection2,
    &C::UpDownCylinderCorrection3, &C::UpDownCylinderCorrection4 };
constexpr TEdit* C::*CORRECTION_EDITS[4] = { &C::EditCylinderCorrection1, &C::EditCylinderCorrection2,
    &C::EditCylinderCorrection3, &C::EditCylinderCorrection4 };

// Graph steps: span limit, then the four steps.
constexpr TickRecord RPM_TICKS[] = {
    { 4000, 2000, 1000, 200, 1000 },
    { 10000, 2000, 1000, 500, 1000 },
    { 25000, 2000, 1000, 1000, 2000 },
    {},
};
constexpr TickRecord ADVANCE_TICKS[] = {
    { 10, 5, 1, 1, 2 },
    { 30, 5, 5, 5, 5 },
    {},
};

int StoredRpmCount(const RsImage& image)
{
    const int count = image.b[RPM_COUNT];
    return count == 0 || count > MAP_COLUMNS ? MAP_COLUMNS : count;
}

void SetAxisText(char (&field)[256], const char* text)
{
    std::snprintf(field, sizeof field, "%s", text);
}
void SetAxisText(char (&field)[64], const char* text)
{
    std::snprintf(field, sizeof field, "%s", text);
}
void SetAxisText(char (&field)[16], const char* text)
{
    std::snprintf(field, sizeof field, "%s", text);
}

// Long labels (the widest language is measured) can push the pickup pair
// into the load-signal group: its 100-pixel gap gives way down to 20.
void KeepPickupBesideTheLoadSignal(AdvancePageControls& page)
{
    constexpr int MIN_GAP = 10, SHRINKABLE = 80;
    const int overlap = page.LabelPickupCorrection->Left() + page.LabelPickupCorrection->Width() + MIN_GAP
        - page.RadioGroupAdvanceLoad->Left();
    const int shift = std::clamp(overlap, 0, SHRINKABLE);
    for (TControl* c : { static_cast<TControl*>(page.EditPickupCorrection),
             static_cast<TControl*>(page.UpDownPickupCorrection), static_cast<TControl*>(page.LabelPickupCorrection) })
        c->SetLeft(c->Left() - shift);
}

} // namespace

void CreateAdvancePage(TMainForm* form)
{
    AdvancePageControls& page = form->Advance;
    TTabSheet* sheet = CreateRunTimeSheet(form, PAGE_SLOT_ADVANCE);
    const int stripTop = sheet->ClientHeight() - STRIP_HEIGHT;
    TTab* table = CreateMapTable(form->Maps, 0, sheet->ClientWidth(), stripTop,
        TABSTYLE_TOOLBAR | TABSTYLE_TABLE | TABSTYLE_2D | TABSTYLE_3D, sheet);
    form->Maps.AdvanceTable = table;
    if (table) {
        table->ColumnSlots = MAP_COLUMNS;
        table->RowSlots = MAP_ROWS;
        const int s = table->AddSheet(ADVANCE_CAPTION, "RPM", "TP", ADVANCE_CAPTION, MAP_COLUMNS, MAP_ROWS,
            SHEET_LIVE_MARKER | SHEET_BASE_ADVANCE_LINE | SHEET_LIMITER_LINE | SHEET_START_LIMITER_LINE);
        // X: editable breakpoints that may be inserted and deleted, never collapsed.
        table->DefineAxes(
            s, 1, "RPM", "", 3, 250, 100, 1, RPM_TICKS, 1, 1, 1, MAP_COLUMNS, 0, 0, 1, -1, 0, AXIS_COLOUR, nullptr);
        // Y: fixed throttle breakpoints the user may collapse.
        table->DefineAxes(
            s, 2, "TP", "%", 0, 100, 1, 1, nullptr, 0, 1, 1, MAP_ROWS, 1, 0, 0, -2, 0, AXIS_COLOUR, nullptr);
        table->DefineAxes(
            s, 4, "ADV", "°", 0, 60, 1, 0, ADVANCE_TICKS, 1, 2, 0, 0, 0, 0, 0, 0, 0, AXIS_COLOUR, nullptr);
        table->ApplyLimits(&table->Sheets[s], 0x107);
        table->SelectSheet(0);
    }
    BuildPageControls<C>(form, page, sheet, stripTop, STRIP);
    KeepPickupBesideTheLoadSignal(page);
    page.AdvanceRpmCount = MAP_COLUMNS;
    LoadAdvancePage(form);
}

void LoadAdvancePage(TMainForm* form)
{
    AdvancePageControls& page = form->Advance;
    const RsImage& image = form->PcImage;
    SetUpDownFromByte(form, page.UpDownBaseAdvance, 0, BASE_ADVANCE, 1, 0);
    for (int i = 0; i < 4; i++)
        SetUpDownFromByte(form, page.*CORRECTION_UPDOWNS[i], 0, CYLINDER_CORRECTION + i, 1, -100);
    SetUpDownFromByte(form, page.UpDownPickupCorrection, 0, PICKUP_CORRECTION, 1, 0);
    SetRadioGroupFromByte(form, page.RadioGroupAdvanceLoad, 0, LOAD_SIGNAL);

    TTab* table = form->Maps.AdvanceTable;
    if (!table)
        return;
    table->BaseAdvance = image.b[BASE_ADVANCE];
    CSheet& sheet = table->Sheets[0];
    sheet.X.Count = MAP_COLUMNS;
    sheet.Y.Count = MAP_ROWS;
    sheet.X.Collapsed = 0;
    sheet.Y.Collapsed = image.b[LOAD_AXIS_USED] == 0 ? 1 : 0;
    for (int c = 0; c < MAP_COLUMNS; c++)
        sheet.X.Values[c] = image.b[size_t(RPM_BREAKPOINTS + c)];
    for (int r = 0; r < MAP_ROWS; r++)
        for (int c = 0; c < MAP_COLUMNS; c++)
            sheet.V.Values[r * TAB_MAX_COLS + c] = image.b[size_t(MAP + MAP_COLUMNS * r + c)];
    page.AdvanceRpmCount = StoredRpmCount(image);
    sheet.X.Count = page.AdvanceRpmCount;
    for (int r = 0; r < MAP_ROWS; r++)
        sheet.Y.Values[r] = image.b[LOAD_SIGNAL] != 0 ? image.Word(IAP_BREAKPOINTS_WORD + r) : TP_BREAKPOINTS[r];

    UpdateAdvanceAxes(form);
    table->UpdateToolbar();
    table->RedrawBits |= REDRAW_VALUES;
    // Until the Bike page reloads them, the limiters a map edit writes back
    // must be the image's, not those of an earlier image.
    MarkStaleMapLimits(form);
    SyncMapTables(form->Maps);
}

void StoreAdvancePage(TMainForm* form)
{
    if (form->LoadingControls)
        return;
    AdvancePageControls& page = form->Advance;
    RsImage& image = form->PcImage;
    // The cell is unsigned and the consistency pass keeps it at most 40: a
    // retard typed into the field stores 0 rather than wrapping to 40.
    image.b[BASE_ADVANCE] = uint8_t(std::max(0, page.UpDownBaseAdvance->Position()));
    for (int i = 0; i < 4; i++)
        StoreUpDownToByte(form, page.*CORRECTION_UPDOWNS[i], 0, CYLINDER_CORRECTION + i, 1, -100);
    StoreUpDownToByte(form, page.UpDownPickupCorrection, 0, PICKUP_CORRECTION, 1, 0);

    TTab* table = form->Maps.AdvanceTable;
    if (table) {
        const CSheet& sheet = table->Sheets[0];
        for (int c = 0; c < MAP_COLUMNS; c++)
            image.b[size_t(RPM_BREAKPOINTS + c)] = uint8_t(sheet.X.Values[c]);
        // Columns beyond the count repeat the last used one.
        const int count = std::clamp(sheet.X.Count, 1, MAP_COLUMNS);
        for (int r = 0; r < MAP_ROWS; r++)
            for (int c = 0; c < MAP_COLUMNS; c++)
                image.b[size_t(MAP + MAP_COLUMNS * r + c)]
                    = uint8_t(sheet.V.Values[r * TAB_MAX_COLS + std::min(c, count - 1)]);
        page.AdvanceRpmCount = count;
        image.b[RPM_COUNT] = uint8_t(count);
        image.b[LOAD_AXIS_USED] = sheet.Y.Collapsed ? 0 : 1;
        // The IAP breakpoints belong to the load signal as it was loaded:
        // after a switch to IAP the reload shows the stored ones.
        if (image.b[LOAD_SIGNAL] != 0)
            for (int r = 0; r < MAP_ROWS; r++)
                image.SetWord(IAP_BREAKPOINTS_WORD + r, uint16_t(sheet.Y.Values[r]));
    }
    StoreRadioGroupToByte(form, page.RadioGroupAdvanceLoad, 0, LOAD_SIGNAL);
    if (table && table->BaseAdvance != image.b[BASE_ADVANCE])
        form->Maps.MapLimitsChanged = 1;
}

void AdvanceTableChanged(TMainForm* form, TTab*)
{
    SetUpDownFromByte(form, form->Advance.UpDownBaseAdvance, 0, BASE_ADVANCE, 1, 0);
    SetRadioGroupFromByte(form, form->Advance.RadioGroupAdvanceLoad, 0, LOAD_SIGNAL);
    CommitEditNow(form);
}

void UpdateAdvanceAxes(TMainForm* form)
{
    AdvancePageControls& page = form->Advance;
    const RsImage& image = form->PcImage;
    page.EditBaseAdvance->SetVisible(true);
    page.UpDownBaseAdvance->SetVisible(true);
    page.LabelBaseAdvance->SetVisible(true);
    for (int i = 0; i < 4; i++) {
        const bool shown = image.b[CYLINDERS] >= i + 1;
        (page.*CORRECTION_EDITS[i])->SetVisible(shown);
        (page.*CORRECTION_UPDOWNS[i])->SetVisible(shown);
    }
    page.LabelCylinderCorrection->SetVisible(true);

    TTab* table = form->Maps.AdvanceTable;
    if (!table)
        return;
    CAxe& y = table->Sheets[0].Y;
    const bool iap = image.b[LOAD_SIGNAL] != 0;
    y.Editable = iap ? 1 : 0;
    y.Min = 0;
    y.Max = iap ? 999 : 100;
    SetAxisText(y.Label, iap ? "IAP" : "TP");
    SetAxisText(y.Key, iap ? "IAP" : "TP");
    SetAxisText(y.Unit, iap ? "kPa" : "%");
}

void ColourBaseAdvance(TMainForm* form)
{
    TTab* table = form->Maps.AdvanceTable;
    TLabel* label = form->Advance.LabelBaseAdvance;
    if (!table || !table->Sheet || !label)
        return;
    // Below the map's first rpm breakpoint the base advance applies.
    const bool belowMap = table->Sheet->X.Values[0] * 100 > form->LiveValues.Rpm;
    const TColor colour = belowMap ? clLime : clBtnFace;
    if (label->Color() != colour)
        label->SetColor(colour);
}
