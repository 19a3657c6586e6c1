#include "pages/sensors.h"

#include "app/binding.h"
#include "app/bitmaps.h"
#include "app/editpath.h"
#include "app/main.h"
#include "files/loadgroups.h"
#include "mapedit/tab.h"
#include "pages/pagelayout.h"
#include "pages/pages.h"
#include "texts/langtext.h"
#include "texts/messagetable.h"

#include <algorithm>
#include <cstdio>

using namespace sensors_cells;

namespace {

using C = SensorsPageControls;
using Row = PageLayoutRow<C>;
using enum PageControlKind;
using enum PageLeft;

constexpr int CAN_ID_MAX = 2047;
constexpr int TABSTYLE_SENSOR = TABSTYLE_TABLE | TABSTYLE_2D | TABSTYLE_CAPTION;
constexpr TColor SENSOR_COLOUR = 0xA0E0C0;
constexpr TColor LAMBDA_X_COLOUR = 0xFCF2E4;
constexpr TColor LAMBDA_COLOUR = 0xECD2F4;
constexpr TColor RED = 0x0000FF;
constexpr int32_t OHM_OPEN = 20000000;
constexpr int PULL_UP_OHM = 2200;
constexpr int SUPPLY_MV = 5000;
constexpr int TEMPERATURES[SENSORS_TEMP_ROWS] = { -10, 5, 20, 35, 50, 65, 80, 95, 110 };
constexpr int TP_FULL_OFFSET = 250;
constexpr int TP_BYTE_MAX = 250;
// Byte 3002 holds the minimum advance + 100; the Tracking page edits 40..160.
constexpr int MIN_ADVANCE_LOW = 40, MIN_ADVANCE_HIGH = 160;
constexpr const char* LAMBDA_CAN_SINGLE = "Uego-CAN (ID:802)";
constexpr const char* LAMBDA_CAN_MULTI = "Uego-CAN (multichannel)";

// The form's controls of the page; the group boxes come before their rows.
// clang-format off
constexpr Row FORM_ROWS[] = {
    { .kind = RadioGroup, .field = &C::RadioGroupCidloLambdaMode, .x = 530, .y = 280, .width = 250, .height = 82,
        .caption = "Type of lambda sensor", .items = "Standard,Uego," "Uego-CAN (ID:802)", .name = "RadioGroupCidloLambdaMode" },
    { .kind = GroupBox, .field = &C::GroupBoxCANID, .x = 530, .y = 150, .width = 250, .height = 110,
        .caption = "UEGO CAN ID", .name = "GroupBoxCANID" },
    { .kind = Label, .field = &C::LabelCANID01, .x = 10, .y = 21, .caption = "Cyl. 1", .name = "LabelCANID01", .parent = &C::GroupBoxCANID },
    { .kind = EditUpDown, .field = &C::UpDownCANID01, .edit = &C::EditCANID01, .x = 70, .y = 18, .width = 60, .min = 1,
        .max = CAN_ID_MAX, .name = "UpDownCANID01", .editName = "EditCANID01", .parent = &C::GroupBoxCANID },
    { .kind = Label, .field = &C::LabelCANID02, .x = 10, .y = 43, .caption = "Cyl. 2", .name = "LabelCANID02", .parent = &C::GroupBoxCANID },
    { .kind = EditUpDown, .field = &C::UpDownCANID02, .edit = &C::EditCANID02, .x = 70, .y = 40, .width = 60, .min = 1,
        .max = CAN_ID_MAX, .name = "UpDownCANID02", .editName = "EditCANID02", .parent = &C::GroupBoxCANID },
    { .kind = Label, .field = &C::LabelCANID03, .x = 10, .y = 65, .caption = "Cyl. 3", .name = "LabelCANID03", .parent = &C::GroupBoxCANID },
    { .kind = EditUpDown, .field = &C::UpDownCANID03, .edit = &C::EditCANID03, .x = 70, .y = 62, .width = 60, .min = 1,
        .max = CAN_ID_MAX, .name = "UpDownCANID03", .editName = "EditCANID03", .parent = &C::GroupBoxCANID },
    { .kind = Label, .field = &C::LabelCANID04, .x = 10, .y = 87, .caption = "Cyl. 4", .name = "LabelCANID04", .parent = &C::GroupBoxCANID },
    { .kind = EditUpDown, .field = &C::UpDownCANID04, .edit = &C::EditCANID04, .x = 70, .y = 84, .width = 60, .min = 1,
        .max = CAN_ID_MAX, .name = "UpDownCANID04", .editName = "EditCANID04", .parent = &C::GroupBoxCANID },
    { .kind = Button, .field = &C::ButtonTps0, .x = 200, .y = 40, .width = 60, .height = 25, .caption = "<- 0%", .name = "ButtonTps0" },
    { .kind = Button, .field = &C::ButtonTps100, .x = 200, .y = 110, .width = 60, .height = 25, .caption = "<- 100%", .name = "ButtonTps100" },
    { .kind = CheckBox, .field = &C::CheckBoxTPS3pt, .x = 200, .y = 140, .width = 60, .height = 17, .caption = "3 pt",
        .name = "CheckBoxTPS3pt" },
    { .kind = Button, .field = &C::ButtonTpsX, .x = 200, .y = 160, .width = 60, .height = 25, .caption = "<- X%",
        .name = "ButtonTpsX" },
    { .kind = Label, .field = &C::LabelFuelMonitor, .x = 530, .y = 470, .caption = "", .name = "LabelFuelMonitor" },
    { .kind = GroupBox, .field = &C::GroupBoxPotenc, .x = 790, .y = 5, .width = 196, .height = 356,
        .caption = "Potentiometer", .name = "GroupBoxPotenc" },
    { .kind = ComboBox, .field = &C::ComboBoxPotencMode, .x = 8, .y = 18, .width = 180, .height = 21,
        .name = "ComboBoxPotencMode", .parent = &C::GroupBoxPotenc },
    { .kind = Label, .field = &C::LabelUpPotencRozsah, .x = 8, .y = 46, .name = "LabelUpPotencRozsah", .parent = &C::GroupBoxPotenc },
    { .kind = EditUpDown, .field = &C::UpDownPotencRozsah, .edit = &C::EditPotencRozsah, .x = 8, .y = 62, .width = 60,
        .min = -100, .max = 100, .name = "UpDownPotencRozsah", .editName = "EditPotencRozsah", .parent = &C::GroupBoxPotenc },
    { .kind = Label, .field = &C::LabelPotencRozsah, .anchor = LEFT_FLOW, .x = 6, .y = 65, .name = "LabelPotencRozsah",
        .parent = &C::GroupBoxPotenc },
    { .kind = Label, .field = &C::LabelUpPotencRozsah2, .x = 8, .y = 90, .name = "LabelUpPotencRozsah2", .parent = &C::GroupBoxPotenc },
    { .kind = EditUpDown, .field = &C::UpDownPotencRozsah2, .edit = &C::EditPotencRozsah2, .x = 8, .y = 106, .width = 60,
        .min = 0, .max = 100, .name = "UpDownPotencRozsah2", .editName = "EditPotencRozsah2", .parent = &C::GroupBoxPotenc },
    { .kind = Label, .field = &C::LabelPotencRozsah2, .anchor = LEFT_FLOW, .x = 6, .y = 109, .name = "LabelPotencRozsah2",
        .parent = &C::GroupBoxPotenc },
    { .kind = Label, .field = &C::LabelUpPotencRozsah3, .x = 8, .y = 134, .name = "LabelUpPotencRozsah3", .parent = &C::GroupBoxPotenc },
    { .kind = EditUpDown, .field = &C::UpDownPotencRozsah3, .edit = &C::EditPotencRozsah3, .x = 8, .y = 150, .width = 60,
        .min = -250, .max = 250, .name = "UpDownPotencRozsah3", .editName = "EditPotencRozsah3", .parent = &C::GroupBoxPotenc },
    { .kind = Label, .field = &C::LabelPotencRozsah3, .anchor = LEFT_FLOW, .x = 6, .y = 153, .name = "LabelPotencRozsah3",
        .parent = &C::GroupBoxPotenc },
    { .kind = Label, .field = &C::LabelUpPotencRozsah4, .x = 8, .y = 178, .name = "LabelUpPotencRozsah4", .parent = &C::GroupBoxPotenc },
    { .kind = EditUpDown, .field = &C::UpDownPotencRozsah4, .edit = &C::EditPotencRozsah4, .x = 8, .y = 194, .width = 60,
        .min = -250, .max = 250, .name = "UpDownPotencRozsah4", .editName = "EditPotencRozsah4", .parent = &C::GroupBoxPotenc },
    { .kind = Label, .field = &C::LabelPotencRozsah4, .anchor = LEFT_FLOW, .x = 6, .y = 197, .name = "LabelPotencRozsah4",
        .parent = &C::GroupBoxPotenc },
    { .kind = Button, .field = &C::ButtonLaunchPotiSave, .x = 8, .y = 224, .width = 180, .height = 25,
        .caption = "Store values set by poti", .name = "ButtonLaunchPotiSave", .parent = &C::GroupBoxPotenc },
    { .kind = Label, .field = &C::LabelMonAcclimRetard, .x = 8, .y = 256, .name = "LabelMonAcclimRetard", .parent = &C::GroupBoxPotenc },
    { .kind = Label, .field = &C::LabelMonAcclimPropEffect, .x = 8, .y = 274, .name = "LabelMonAcclimPropEffect", .parent = &C::GroupBoxPotenc },
    { .kind = Label, .field = &C::LabelMonAcclimSpeedRet, .x = 8, .y = 292, .name = "LabelMonAcclimSpeedRet", .parent = &C::GroupBoxPotenc },
    { .kind = Label, .field = &C::LabelMonAcclimMinAdv, .x = 8, .y = 310, .name = "LabelMonAcclimMinAdv", .parent = &C::GroupBoxPotenc },
};
// clang-format on

constexpr TickRecord TICKS_TEMP[] = { { 100, 10, 10, 10, 20 }, {} };
constexpr TickRecord TICKS_VOLT[] = { { 2, 1, 0.2, 0.2, 1 }, { 5, 1, 0.5, 0.5, 1 }, {} };
constexpr TickRecord TICKS_OHM[] = { { 100, 20, 10, 5, 20 }, { 500, 100, 50, 25, 100 }, { 1000, 200, 100, 50, 200 },
    { 5000, 1000, 500, 250, 1000 }, {} };
constexpr TickRecord TICKS_PERCENT[]
    = { { 10, 5, 1, 1, 2 }, { 30, 5, 5, 5, 5 }, { 100, 20, 10, 5, 20 }, { 500, 100, 50, 25, 100 }, {} };
constexpr TickRecord TICKS_AFR[]
    = { { 10, 2, 1, 1, 2 }, { 100, 20, 20, 20, 20 }, { 500, 100, 100, 100, 100 }, { 1000, 200, 200, 200, 200 }, {} };

constexpr const char* TEMP_NAMES = "###Coolant##Kühlflüssigkeit##Voda,###Inlet Air##Ansaugluft##Vzduch";

// The sensors switched off by their table's enable box, and the byte that
// keeps it (1 = off).
constexpr std::pair<TTab * C::*, int> SENSOR_SWITCHES[] = { { &C::TpSensorTable, TP_OFF },
    { &C::ApSensorTable, AP_OFF }, { &C::IapSensorTable, IAP_OFF }, { &C::LambdaSensorTable, LAMBDA_OFF } };

constexpr TUpDown* C::*CAN_UPDOWNS[4] = { &C::UpDownCANID01, &C::UpDownCANID02, &C::UpDownCANID03, &C::UpDownCANID04 };
constexpr TEdit* C::*CAN_EDITS[4] = { &C::EditCANID01, &C::EditCANID02, &C::EditCANID03, &C::EditCANID04 };
constexpr TLabel* C::*CAN_LABELS[4] = { &C::LabelCANID01, &C::LabelCANID02, &C::LabelCANID03, &C::LabelCANID04 };
constexpr TUpDown* C::*RANGE_UPDOWNS[4]
    = { &C::UpDownPotencRozsah, &C::UpDownPotencRozsah2, &C::UpDownPotencRozsah3, &C::UpDownPotencRozsah4 };

int32_t& Cell(TTab* table, int column, int row)
{
    return table->Sheets[0].V.Values[row * TAB_MAX_COLS + column];
}

void DefineVoltageAxis(TTab* table)
{
    table->DefineAxes(0, 4, "U", "V", 0, 5000, 0.001, 1, TICKS_VOLT, 1, 2, 0, 0, 0, 0, 0, 0, 0, 0xFFFFFF,
        GetJpgBitmap("BGRAINBOW9x22"));
    table->Sheets[0].V.IsBreakpointAxis = 1;
}

void DefineResistanceAxis(TTab* table)
{
    table->DefineAxes(0, 4, "R", "", 0, OHM_OPEN, 1.0, 1, TICKS_OHM, 1, 2, 0, 0, 0, 0, 0, 0, 0, 0xFFFFFF,
        GetJpgBitmap("BGRAINBOW9x22"));
    table->Sheets[0].V.IsBreakpointAxis = 1;
}

bool ResistanceView(const TTab* table)
{
    return std::string_view(table->Sheets[0].V.Key) == "R";
}

void SetFonts(TTab* table)
{
    table->Sheets[0].TabFontSize = 9;
    table->Sheets[0].LabelFontSize = 9;
}

// A sensor table of one voltage column over two points: throttle, AP, IAP.
TTab* CreatePointTable(TMainForm* form, TTabSheet* sheet, int id, const char* caption, const char* yKey,
    const char* yUnit, int yMax, const TickRecord* yTicks, bool yEditable, int valueMax, double valueScale,
    const char* yLabel, const char* valueLabel, int columns)
{
    TTab* table = CreateMapTable(form->Maps, id, 100, 100, TABSTYLE_SENSOR, sheet);
    if (!table)
        return nullptr;
    table->ColumnSlots = columns;
    table->RowSlots = 2;
    const int s = table->AddSheet(caption, "", yLabel, valueLabel, columns, 2, 0xAB);
    table->DefineAxes(s, 1, "", "", 0, 20000, 1.0, 1, nullptr, 0, 0, 1, 2, 2, 1, 0, -1, 0, SENSOR_COLOUR, nullptr);
    table->DefineAxes(
        s, 2, yKey, yUnit, 0, yMax, 1.0, 1, yTicks, yEditable ? 1 : 0, 1, 1, 2, 0, 0, 0, -2, 0, SENSOR_COLOUR, nullptr);
    table->DefineAxes(
        s, 4, "U", "V", 0, valueMax, valueScale, 1, TICKS_VOLT, 1, 2, 0, 0, 0, 0, 0, 0, 0, SENSOR_COLOUR, nullptr);
    table->Sheets[s].V.IsBreakpointAxis = 1;
    table->VisibleCols = columns;
    table->VisibleRows = 2;
    SetFonts(table);
    return table;
}

void StorePressureTable(TTab* table, RsImage& image, int word)
{
    const CSheet& s = table->Sheets[0];
    image.SetWord(word, uint16_t(s.Y.Values[0]));
    image.SetWord(word + 2, uint16_t(s.Y.Values[1]));
    image.SetWord(word + 1, uint16_t(Cell(table, 0, 0)));
    image.SetWord(word + 3, uint16_t(Cell(table, 0, 1)));
}

// The first word of a column of the temperature table: with the inlet-air
// sensor alone the single column shows the inlet-air words. The table's own
// layout decides, so a column goes back to the words it was filled from even
// when a sensor has just been switched on or off.
int TempColumnWord(const TTab* temp, int column)
{
    const bool airFirst = temp->Sheets[0].X.Values[0] == 1;
    return (column == 0) == airFirst ? AIR_MV_WORD : COOLANT_MV_WORD;
}

// Equal voltages at both points give no slope: the value axis turns red.
void ColourPressureAxis(TTab* table)
{
    const TColor colour = Cell(table, 0, 0) == Cell(table, 0, 1) ? RED : SENSOR_COLOUR;
    if (table->Sheets[0].V.Colour != colour) {
        table->Sheets[0].V.Colour = colour;
        table->RedrawBits |= REDRAW_RENDER;
    }
}

void StoreTemperatureWord(RsImage& image, int word, int32_t cell, bool resistance)
{
    const int32_t stored = int16_t(image.Word(word));
    if (!resistance) {
        image.SetWord(word, uint16_t(cell));
        return;
    }
    if (SensorMvToOhm(stored) == cell)
        return;
    const int32_t mv = SensorOhmToMv(cell);
    if (mv == stored) {
        if (SensorMvToOhm(stored) < cell)
            image.SetWord(word, uint16_t(stored + 1));
    } else {
        image.SetWord(word, uint16_t(mv));
    }
}

void ShowPotentiometerRules(TMainForm* form)
{
    SensorsPageControls& page = form->Sensors;
    const RsImage& image = form->PcImage;
    const int m = image.b[POT_MODE];
    const bool r1 = m >= 1 && m <= 4, r2 = m == 1 || m == 2 || m == 4, r34 = m == 4;
    for (TControl* c : { static_cast<TControl*>(page.EditPotencRozsah), static_cast<TControl*>(page.UpDownPotencRozsah),
             static_cast<TControl*>(page.LabelPotencRozsah) })
        c->SetVisible(r1);
    for (TControl* c :
        { static_cast<TControl*>(page.EditPotencRozsah2), static_cast<TControl*>(page.UpDownPotencRozsah2),
            static_cast<TControl*>(page.LabelPotencRozsah2), static_cast<TControl*>(page.LabelUpPotencRozsah2) })
        c->SetVisible(r2);
    for (TControl* c : { static_cast<TControl*>(page.EditPotencRozsah3),
             static_cast<TControl*>(page.UpDownPotencRozsah3), static_cast<TControl*>(page.LabelPotencRozsah3),
             static_cast<TControl*>(page.EditPotencRozsah4), static_cast<TControl*>(page.UpDownPotencRozsah4),
             static_cast<TControl*>(page.LabelPotencRozsah4), static_cast<TControl*>(page.LabelUpPotencRozsah),
             static_cast<TControl*>(page.LabelUpPotencRozsah3), static_cast<TControl*>(page.LabelUpPotencRozsah4) })
        c->SetVisible(r34);

    const std::string range = form->MessageTable[133];
    auto slot = [form](int n) { return form->MessageTable[size_t(n)] + ":"; };
    switch (m) {
    case 1:
    case 2:
        page.LabelPotencRozsah->SetCaption(range + (m == 1 ? "  +/- %" : "  +/- °"));
        page.LabelUpPotencRozsah2->SetCaption("TP min:");
        page.LabelPotencRozsah2->SetCaption("%");
        break;
    case 3:
        page.LabelPotencRozsah->SetCaption(range + "  +/- RPM");
        break;
    case 4: {
        page.LabelUpPotencRozsah->SetCaption(slot(135));
        page.LabelUpPotencRozsah2->SetCaption(slot(138));
        page.LabelPotencRozsah2->SetCaption(range + "  +/- °/s");
        page.LabelUpPotencRozsah3->SetCaption(slot(137));
        page.LabelUpPotencRozsah4->SetCaption(slot(154));
        page.LabelPotencRozsah4->SetCaption(range + " °");
        TUpDown* r1Control = page.UpDownPotencRozsah;
        if (image.b[ACC_SPEED_SOURCE] == 0) {
            page.LabelPotencRozsah->SetCaption(range + "  +/- rpm/s");
            page.LabelPotencRozsah3->SetCaption(range + "  +/- °/10 krpm/s");
            if (r1Control->Increment() != 100) {
                const int p = r1Control->Position();
                r1Control->SetIncrement(100);
                r1Control->SetMax(25000);
                SetUpDownQuiet(form, r1Control, p * 100);
            }
        } else {
            page.LabelPotencRozsah->SetCaption(range + "  +/- km/h/s");
            page.LabelPotencRozsah3->SetCaption(range + "  +/- 0.1°/km/h/s");
            if (r1Control->Increment() != 1) {
                const int p = r1Control->Position();
                r1Control->SetIncrement(1);
                r1Control->SetMax(250);
                SetUpDownQuiet(form, r1Control, p / 100);
            }
            page.UpDownPotencRozsah3->SetIncrement(1);
            page.UpDownPotencRozsah3->SetMax(250);
        }
        break;
    }
    default:
        break;
    }
}

void SetLimits(TUpDown* upDown, int step, int min, int max)
{
    upDown->SetIncrement(step);
    upDown->SetMin(min);
    upDown->SetMax(max);
}

void StorePotentiometerRanges(TMainForm* form)
{
    SensorsPageControls& page = form->Sensors;
    RsImage& image = form->PcImage;
    for (int i = 0; i < 4; i++)
        image.SetWord(POT_RANGE_WORD + i, 0);
    auto position = [&](int i) { return (page.*RANGE_UPDOWNS[i])->Position(); };
    switch (image.b[POT_MODE]) {
    case 1:
    case 2:
        image.SetWord(POT_RANGE_WORD + 1, uint16_t(position(1)));
        image.SetWord(POT_RANGE_WORD, uint16_t(position(0)));
        break;
    case 3:
        image.SetWord(POT_RANGE_WORD, uint16_t(position(0) / 50));
        break;
    case 4:
        image.SetWord(POT_RANGE_WORD, uint16_t(image.b[ACC_SPEED_SOURCE] == 0 ? position(0) / 100 : position(0)));
        for (int i = 1; i < 4; i++)
            image.SetWord(POT_RANGE_WORD + i, uint16_t(position(i)));
        break;
    default:
        image.SetWord(POT_RANGE_WORD, uint16_t(position(0)));
        break;
    }
}

void LoadPotentiometerRanges(TMainForm* form)
{
    SensorsPageControls& page = form->Sensors;
    const RsImage& image = form->PcImage;
    auto word = [&](int i) { return int32_t(int16_t(image.Word(POT_RANGE_WORD + i))); };
    switch (image.b[POT_MODE]) {
    case 1:
    case 2:
        SetUpDownQuiet(form, page.UpDownPotencRozsah2, word(1));
        SetUpDownQuiet(form, page.UpDownPotencRozsah, word(0));
        break;
    case 3:
        SetUpDownQuiet(form, page.UpDownPotencRozsah, word(0) * 50);
        break;
    case 4:
        SetUpDownQuiet(form, page.UpDownPotencRozsah, image.b[ACC_SPEED_SOURCE] != 0 ? word(0) : word(0) * 100);
        for (int i = 1; i < 4; i++)
            SetUpDownQuiet(form, page.*RANGE_UPDOWNS[i], word(i));
        break;
    default:
        SetUpDownQuiet(form, page.UpDownPotencRozsah, word(0));
        break;
    }
}

} // namespace

int32_t SensorMvToOhm(int32_t mv)
{
    if (mv >= SUPPLY_MV)
        return OHM_OPEN;
    return int32_t(int64_t(mv) * PULL_UP_OHM / (SUPPLY_MV - mv));
}

int32_t SensorOhmToMv(int32_t ohm)
{
    if (ohm >= OHM_OPEN)
        return SUPPLY_MV;
    if (ohm <= 0)
        return 0;
    // In 64 bits: a megohm times 5000 does not fit 32.
    return int32_t(int64_t(ohm) * SUPPLY_MV / (int64_t(ohm) + PULL_UP_OHM));
}

bool SensorTableFromImage(TMainForm* form, TTab* table)
{
    const SensorsPageControls& page = form->Sensors;
    const RsImage& image = form->PcImage;
    if (!table)
        return false;
    CSheet& s = table->Sheets[0];
    bool changed = false;
    auto show = [&changed](int32_t& shown, int32_t value) {
        changed |= shown != value;
        shown = value;
    };
    auto word = [&image](int k) { return int32_t(int16_t(image.Word(k))); };
    if (table == page.TpSensorTable) {
        show(s.Y.Values[0], 0);
        show(s.Y.Values[1], 100);
        show(Cell(table, 0, 0), image.b[TP_ZERO]);
        show(Cell(table, 0, 1), image.b[TP_FULL] + TP_FULL_OFFSET);
    } else if (table == page.TempSensorTable) {
        const bool resistance = ResistanceView(table);
        for (int c = 0; c < 2; c++)
            for (int r = 0; r < SENSORS_TEMP_ROWS; r++) {
                const int32_t mv = word(TempColumnWord(table, c) + r);
                show(Cell(table, c, r), resistance ? SensorMvToOhm(mv) : mv);
            }
    } else if (table == page.LambdaSensorTable) {
        for (int r = 0; r < SENSORS_LAMBDA_ROWS; r++) {
            show(s.Y.Values[r], image.b[size_t(LAMBDA_AFR + r)]);
            show(Cell(table, 0, r), word(LAMBDA_MV_WORD + r));
        }
    } else if (table == page.ApSensorTable || table == page.IapSensorTable) {
        // Pressure and voltage alternate: kPa, mV, kPa, mV.
        const int first = table == page.ApSensorTable ? AP_WORD : IAP_WORD;
        for (int r = 0; r < 2; r++) {
            show(s.Y.Values[r], word(first + 2 * r));
            show(Cell(table, 0, r), word(first + 2 * r + 1));
        }
        ColourPressureAxis(table);
    }
    if (changed)
        table->RedrawBits |= REDRAW_VALUES;
    return changed;
}

void BuildSensorsPage(TMainForm* form)
{
    SensorsPageControls& page = form->Sensors;
    auto* sheet = dynamic_cast<TTabSheet*>(form->FindComponent("TabSheet_Cidla"));
    BuildPageControls<C>(form, page, sheet, 0, FORM_ROWS);
    page.RadioGroupCidloLambdaMode->OnClick = [form](TObject* sender) { form->RadioGroupCidloLambdaModeClick(sender); };
    page.ButtonTps0->OnClick = [form](TObject* sender) { form->ButtonTps0Click(sender); };
    page.ButtonTps100->OnClick = [form](TObject* sender) { form->ButtonTps100Click(sender); };
    page.ButtonTpsX->OnClick = [form](TObject* sender) { form->ButtonTpsXClick(sender); };
    page.ButtonLaunchPotiSave->OnClick = [form](TObject* sender) { form->ButtonPotiSave(sender); };
    page.ComboBoxPotencMode->OnChange = [form](TObject* sender) { form->FormRadioGroupClick(sender); };
    LivePageControls& live = form->Monitor.Pages;
    live.LabelMonAcclimRetard = page.LabelMonAcclimRetard;
    live.LabelMonAcclimPropEffect = page.LabelMonAcclimPropEffect;
    live.LabelMonAcclimSpeedRet = page.LabelMonAcclimSpeedRet;
    live.LabelMonAcclimMinAdv = page.LabelMonAcclimMinAdv;
}

void CreateSensorsPage(TMainForm* form)
{
    SensorsPageControls& page = form->Sensors;
    TTabSheet* sheet = form->PageSheets[PAGE_SLOT_SENSORS];
    const int W = form->PageSheets[PAGE_SLOT_BIKE]->Width();
    const int H = form->PageSheets[PAGE_SLOT_BIKE]->Height();
    auto place = [](TTab* table, int left, int top, int width, int height) {
        if (table)
            table->setGeometry(left, top, width, height);
    };

    const int left = W * 27 / 100;
    // clang-format off
    const Row switchRows[] = {
        { .kind = CheckBox, .field = &C::CheckBoxTempWaterSensor, .x = left, .y = 10, .width = 200, .height = 17,
            .caption = "Temperature water sensor", .name = "CheckBoxTempWaterSensor" },
        { .kind = CheckBox, .field = &C::CheckBoxTempAirSensor, .x = left, .y = 30, .width = 200, .height = 17,
            .caption = "Temperature air sensor", .name = "CheckBoxTempAirSensor" },
    };
    // clang-format on
    BuildPageControls<C>(form, page, sheet, 0, switchRows);

    // Temperature sensors: two named columns over nine fixed temperatures.
    TTab* temp = CreateMapTable(form->Maps, 33, W * 27 / 100, 288, TABSTYLE_SENSOR, sheet);
    page.TempSensorTable = temp;
    if (temp) {
        temp->ColumnSlots = 2;
        temp->RowSlots = SENSORS_TEMP_ROWS;
        temp->AddSheet("Characteristic of temperature sensors", "", "", "Voltage", 2, SENSORS_TEMP_ROWS, 0x4003);
        temp->DefineAxes(
            0, 1, "", "", 0, 20000, 1.0, 1, nullptr, 0, 0, 1, 2, 0, 0, 0, -1, 0, 0xFFFFFF, GetJpgBitmap("BGWA"));
        temp->DefineAxes(0, 2, "TW", "°C", -10, 110, 1.0, 1, TICKS_TEMP, 0, 1, 1, SENSORS_TEMP_ROWS, 0, 0, 0, -2, 0,
            0xFFFFFF, GetJpgBitmap("BGRAINBOW9x22"));
        DefineVoltageAxis(temp);
        CSheet& s = temp->Sheets[0];
        s.X.StringView = TEMP_NAMES;
        s.X.SplitStringView();
        s.X.Values[0] = 0;
        s.X.Values[1] = 1;
        for (int r = 0; r < SENSORS_TEMP_ROWS; r++)
            s.Y.Values[r] = TEMPERATURES[r];
        place(temp, W * 26 / 100, H * 12 / 100, W * 27 / 100, 288);
        temp->VisibleCols = 2;
        temp->VisibleRows = SENSORS_TEMP_ROWS;
        s.TabFontSize = 9;
        temp->ApplyLimits(&s, 263);
    }

    // The view of the temperature characteristic, and under it the quickshift
    // row, kept hidden.
    const int viewTop = (temp ? temp->y() + temp->height() : 300) + 10;
    constexpr int QS = 45; // the quickshift row's top
    // clang-format off
    const Row viewRows[] = {
        { .kind = RadioGroup, .field = &C::RadioGroupCharView, .x = left, .y = 0, .width = 250, .height = 37,
            .caption = "View characteristic as ", .items = "Voltage,Resistance", .columns = 2, .name = "RadioGroupCharView" },
        { .kind = Label, .field = &C::LabelQuickshiftAnalog, .x = left, .y = QS + 3, .caption = "Quickshift analog [V]",
            .name = "LabelQuickshiftAnalog" },
        { .kind = Label, .field = &C::LabelQuickshiftDown, .x = left + 130, .y = QS + 3, .caption = "dn.",
            .name = "LabelQuickshiftDown" },
        { .kind = DeciEditUpDown, .field = &C::UpDownQuickshiftDown, .x = left + 150, .y = QS, .width = 40, .min = 0,
            .max = 500, .name = "UpDownQuickshiftDown", .editName = "EditQuickshiftDown", .step = 100,
            .deciEdit = &C::EditQuickshiftDown },
        { .kind = Label, .field = &C::LabelQuickshiftUp, .x = left + 210, .y = QS + 3, .caption = "up",
            .name = "LabelQuickshiftUp" },
        { .kind = DeciEditUpDown, .field = &C::UpDownQuickshiftUp, .x = left + 230, .y = QS, .width = 40, .min = 0,
            .max = 500, .name = "UpDownQuickshiftUp", .editName = "EditQuickshiftUp", .step = 100,
            .deciEdit = &C::EditQuickshiftUp },
        { .kind = Label, .field = &C::LabelQuickshiftMon, .x = left + 290, .y = QS + 3, .name = "LabelQuickshiftMon" },
    };
    // clang-format on
    BuildPageControls<C>(form, page, sheet, viewTop, viewRows);
    page.RadioGroupCharView->OnClick = [form](TObject*) { CharViewClick(form); };
    SetRadioGroupQuiet(form, page.RadioGroupCharView, 0);

    // Lambda: six ratios with their voltages.
    page.LambdaTableHeight = H * 220 / 450;
    TTab* lambda = CreateMapTable(form->Maps, 34, W * 25 / 100, page.LambdaTableHeight, TABSTYLE_SENSOR, sheet);
    page.LambdaSensorTable = lambda;
    if (lambda) {
        lambda->ColumnSlots = 1;
        lambda->RowSlots = SENSORS_LAMBDA_ROWS;
        lambda->AddSheet("Lambda sensor", "", "AFR", "Voltage", 1, SENSORS_LAMBDA_ROWS, 0x0B);
        lambda->DefineAxes(
            0, 1, "", "", 0, 20000, 1.0, 1, nullptr, 0, 0, 1, 1, 2, 1, 0, -1, 0, LAMBDA_X_COLOUR, nullptr);
        lambda->DefineAxes(0, 2, "AFR", "", 0, 250, 0.1, 1, TICKS_AFR, 1, 1, 1, SENSORS_LAMBDA_ROWS, 0, 0, 0, -2, 0,
            LAMBDA_COLOUR, nullptr);
        lambda->DefineAxes(
            0, 4, "U", "V", 0, 5000, 0.001, 1, TICKS_VOLT, 1, 2, 0, 0, 0, 0, 0, 0, 0, LAMBDA_COLOUR, nullptr);
        lambda->Sheets[0].V.IsBreakpointAxis = 1;
        place(lambda, W * 53 / 100, 5, W * 25 / 100, page.LambdaTableHeight);
        lambda->VisibleCols = 2;
        lambda->VisibleRows = SENSORS_LAMBDA_ROWS;
        SetFonts(lambda);
        lambda->ApplyLimits(&lambda->Sheets[0], 263);
    }
    TRadioGroup* lambdaMode = page.RadioGroupCidloLambdaMode;
    lambdaMode->SetTop(5 + page.LambdaTableHeight + 1);
    page.GroupBoxCANID->SetTop(lambdaMode->Top() - page.GroupBoxCANID->Height() - 20);

    TTab* tp = CreatePointTable(
        form, sheet, 35, "TP sensor", "TP", "%", 100, TICKS_PERCENT, false, 500, 0.01, "TP", "Voltage", 1);
    page.TpSensorTable = tp;
    if (tp) {
        tp->Sheets[0].Y.IsBreakpointAxis = 1;
        place(tp, 10, 17, W * 18 / 100, H * 30 / 100);
    }
    TTab* ap = CreatePointTable(form, sheet, 36, "###AP (pressure) sensor##AP (druck) sensor##Snímač AP (tlaku)", "P",
        "kPa", 1000, TICKS_AFR, true, 5000, 0.001, "###Pressure##Druck##Tlak", "###Voltage##Spannung##Napětí", 1);
    page.ApSensorTable = ap;
    if (ap) {
        place(ap, 10, H * 40 / 100, W * 18 / 100, H * 30 / 100);
        ap->ApplyLimits(&ap->Sheets[0], 263);
    }
    TTab* iap = CreatePointTable(form, sheet, 37,
        "###IAP (intake pressure) sensor##IAP (ansaugdruck) sensor##Snímač IAP (sacího tlaku)", "P", "kPa", 1000,
        TICKS_AFR, true, 5000, 0.001, "###Pressure##Druck##Tlak", "###Voltage##Spannung##Napětí", 2);
    page.IapSensorTable = iap;
    if (iap) {
        place(iap, 10, H * 70 / 100, W * 25 / 100 - 2, H * 30 / 100);
        iap->ApplyLimits(&iap->Sheets[0], 263);
    }

    page.GroupBoxPotenc->SetHeight(lambdaMode->Top() + lambdaMode->Height() - page.GroupBoxPotenc->Top());

    // The fuel sensor is never shown; it keeps the ids of the tables complete.
    const int fuelTop = lambdaMode->Top() + lambdaMode->Height() + 2;
    const int fuelHeight = std::max(1, sheet->ClientHeight() - fuelTop - 2);
    TTab* fuel = CreateMapTable(form->Maps, 41, sheet->ClientWidth() * 250 / 609, fuelHeight, TABSTYLE_SENSOR, sheet);
    page.FuelSensorTable = fuel;
    if (fuel) {
        fuel->AddSheet("Fuel sensor calibration", "U", "", "Fuel", 5, 1, 0x701);
        fuel->DefineAxes(0, 1, "U", "V", 0, 250, 0.02, 1, TICKS_VOLT, 1, 1, 1, 5, 0, 0, 0, -1, 0, 0x70F0C8, nullptr);
        fuel->DefineAxes(0, 2, "", "", 0, 20000, 1.0, 1, nullptr, 0, 0, 1, 1, 2, 1, 0, -2, 0, 0x70F0C8, nullptr);
        fuel->DefineAxes(
            0, 4, "Fuel", "%", 0, 100, 1.0, 1, TICKS_PERCENT, 1, 2, 0, 0, 0, 0, 0, 0, 0, 0x70F0C8, nullptr);
        place(fuel, lambdaMode->Left(), fuelTop, sheet->ClientWidth() * 250 / 609, fuelHeight);
        fuel->VisibleCols = 5;
        fuel->VisibleRows = 2;
    }
    for (TTab* table : { tp, temp, lambda, ap, fuel, iap })
        if (table)
            table->SelectSheet(0);
    if (fuel)
        fuel->hide();

    TComboBox* combo = page.ComboBoxPotencMode;
    ClearComboItems(combo);
    const char* const modes[] = { "No", "Injection", "Advance", "Start Limiter", "Launch control" };
    for (int i = 0; i < 5; i++)
        AddComboItem(combo, modes[i], i);
}

void StoreSensorsPage(TMainForm* form)
{
    if (form->LoadingControls)
        return;
    SensorsPageControls& page = form->Sensors;
    RsImage& image = form->PcImage;
    image.b[COOLANT_OFF] = page.CheckBoxTempWaterSensor->Checked() ? 0 : 1;
    image.b[AIR_OFF] = page.CheckBoxTempAirSensor->Checked() ? 0 : 1;
    for (const auto& [field, byte] : SENSOR_SWITCHES)
        if (TTab* table = page.*field)
            image.b[size_t(byte)] = table->Sheets[0].Enabled ? 0 : 1;
    if (TTab* tp = page.TpSensorTable) {
        image.b[TP_ZERO] = uint8_t(std::clamp(Cell(tp, 0, 0), 0, TP_BYTE_MAX));
        image.b[TP_FULL] = uint8_t(std::clamp(Cell(tp, 0, 1) - TP_FULL_OFFSET, 0, TP_BYTE_MAX));
    }
    StoreRadioGroupToByte(form, page.RadioGroupCidloLambdaMode, 0, LAMBDA_TYPE);
    StoreComboToByte(form, page.ComboBoxPotencMode, 0, POT_MODE);
    for (int i = 0; i < 4; i++)
        image.SetWord(CAN_ID_WORD + i, uint16_t((page.*CAN_UPDOWNS[i])->Position()));
    StorePotentiometerRanges(form);
    if (TTab* temp = page.TempSensorTable) {
        const bool resistance = ResistanceView(temp);
        const int columns = std::clamp(temp->Sheets[0].X.Count, 1, 2);
        for (int c = 0; c < columns; c++)
            for (int r = 0; r < SENSORS_TEMP_ROWS; r++)
                StoreTemperatureWord(image, TempColumnWord(temp, c) + r, Cell(temp, c, r), resistance);
    }
    if (TTab* lambda = page.LambdaSensorTable)
        for (int r = 0; r < SENSORS_LAMBDA_ROWS; r++) {
            image.b[size_t(LAMBDA_AFR + r)] = uint8_t(lambda->Sheets[0].Y.Values[r]);
            image.SetWord(LAMBDA_MV_WORD + r, uint16_t(Cell(lambda, 0, r)));
        }
    if (page.ApSensorTable)
        StorePressureTable(page.ApSensorTable, image, AP_WORD);
    if (page.IapSensorTable)
        StorePressureTable(page.IapSensorTable, image, IAP_WORD);
    UpdateSensorsControls(form);
}

void LoadSensorsPage(TMainForm* form)
{
    SensorsPageControls& page = form->Sensors;
    const RsImage& image = form->PcImage;
    SetRadioGroupFromByte(form, page.RadioGroupCidloLambdaMode, 0, LAMBDA_TYPE);
    SetComboFromByte(form, page.ComboBoxPotencMode, 0, POT_MODE);
    for (int i = 0; i < 4; i++)
        SetUpDownQuiet(form, page.*CAN_UPDOWNS[i], image.Word(CAN_ID_WORD + i));
    UpdatePotentiometerControls(form);
    LoadPotentiometerRanges(form);
    // The column count follows the sensors in use before the columns are filled.
    UpdateSensorsControls(form);
    for (TTab* table :
        { page.TpSensorTable, page.TempSensorTable, page.LambdaSensorTable, page.ApSensorTable, page.IapSensorTable })
        SensorTableFromImage(form, table);
    SetCheckBoxQuiet(form, page.CheckBoxTempWaterSensor, image.b[COOLANT_OFF] == 0 ? 1 : 0);
    SetCheckBoxQuiet(form, page.CheckBoxTempAirSensor, image.b[AIR_OFF] == 0 ? 1 : 0);
    for (const auto& [field, byte] : SENSOR_SWITCHES)
        if (TTab* table = page.*field)
            table->Sheets[0].Enabled = image.b[size_t(byte)] == 0 ? 1 : 0;
    UpdateSensorsControls(form);
    for (TTab* table : { page.TempSensorTable, page.LambdaSensorTable, page.TpSensorTable, page.ApSensorTable,
             page.IapSensorTable, page.FuelSensorTable })
        if (table)
            table->RedrawBits |= REDRAW_VALUES;
    SyncMapTables(form->Maps);
}

void UpdateSensorsControls(TMainForm* form)
{
    SensorsPageControls& page = form->Sensors;
    const RsImage& image = form->PcImage;
    const int T = image.b[LAMBDA_TYPE], N = image.b[CYLINDERS], K = image.b[MAPS_COUPLED];
    // 1. The quickshift row is not used.
    for (TControl* c :
        { static_cast<TControl*>(page.EditQuickshiftDown), static_cast<TControl*>(page.UpDownQuickshiftDown),
            static_cast<TControl*>(page.EditQuickshiftUp), static_cast<TControl*>(page.UpDownQuickshiftUp),
            static_cast<TControl*>(page.LabelQuickshiftDown), static_cast<TControl*>(page.LabelQuickshiftUp),
            static_cast<TControl*>(page.LabelQuickshiftAnalog), static_cast<TControl*>(page.LabelQuickshiftMon) })
        c->SetVisible(false);
    // 2. A CAN sensor delivers the ratio itself: the curve is not used.
    if (page.LambdaSensorTable)
        page.LambdaSensorTable->Sheets[0].Inactive = T == 2 ? 1 : 0;
    // 3.
    ShowPotentiometerRules(form);
    // 4. Equal voltages at both points give no slope.
    for (TTab* table : { page.ApSensorTable, page.IapSensorTable })
        if (table)
            ColourPressureAxis(table);
    // 5.
    page.ButtonTps0->SetVisible(image.b[TP_OFF] == 0);
    page.ButtonTps100->SetVisible(image.b[TP_OFF] == 0);
    page.RadioGroupCidloLambdaMode->SetVisible(image.b[LAMBDA_OFF] == 0);
    // 6. The temperature columns of the sensors in use.
    const int used = (image.b[COOLANT_OFF] == 0 ? 2 : 0) + (image.b[AIR_OFF] == 0 ? 1 : 0);
    page.RadioGroupCharView->SetVisible(used > 0);
    if (TTab* temp = page.TempSensorTable) {
        temp->setVisible(used > 0);
        CAxe& x = temp->Sheets[0].X;
        const int columns = used == 1 || used == 2 ? 1 : 2;
        x.Count = columns;
        x.Values[0] = used == 1 ? 1 : 0;
        x.Values[1] = 1;
        temp->VisibleCols = columns;
    }
    // 7.
    const LiveValues& live = form->Monitor.Values;
    const bool acc
        = image.b[POT_MODE] == 4 && (live.AccThreshold != 0 || live.AccPropEffect != 0 || live.AccReturnSpeed != 0);
    for (TLabel* label : { page.LabelMonAcclimRetard, page.LabelMonAcclimPropEffect, page.LabelMonAcclimSpeedRet,
             page.LabelMonAcclimMinAdv })
        label->SetVisible(acc);
    // 8.
    TRadioGroup* mode = page.RadioGroupCidloLambdaMode;
    const bool single = K != 0 || N <= 1;
    if (mode->ItemCount() > 2)
        mode->SetItemText(2, single ? LAMBDA_CAN_SINGLE : LAMBDA_CAN_MULTI);
    if (TTab* lambda = page.LambdaSensorTable) {
        const int height = !single && T == 2 ? 30 : page.LambdaTableHeight;
        if (lambda->height() != height)
            lambda->resize(lambda->width(), height);
    }
    // 9.
    page.GroupBoxCANID->SetVisible(image.b[LAMBDA_OFF] == 0 && T == 2 && K == 0 && N >= 2);
    for (int n = 0; n < 4; n++) {
        const bool shown = n == 0 || N >= n + 1;
        (page.*CAN_EDITS[n])->SetVisible(shown);
        (page.*CAN_UPDOWNS[n])->SetVisible(shown);
        (page.*CAN_LABELS[n])->SetVisible(shown);
    }
}

void UpdatePotentiometerControls(TMainForm* form)
{
    SensorsPageControls& page = form->Sensors;
    const RsImage& image = form->PcImage;
    switch (image.b[POT_MODE]) {
    case 1:
        SetLimits(page.UpDownPotencRozsah, 1, -100, 100);
        SetLimits(page.UpDownPotencRozsah2, 1, 0, 100);
        break;
    case 2:
        SetLimits(page.UpDownPotencRozsah, 1, -60, 60);
        SetLimits(page.UpDownPotencRozsah2, 1, 0, 100);
        break;
    case 3:
        SetLimits(page.UpDownPotencRozsah, 50, -10000, 10000);
        break;
    case 4: {
        const bool rpm = image.b[ACC_SPEED_SOURCE] == 0;
        SetLimits(page.UpDownPotencRozsah, rpm ? 100 : 1, rpm ? -25000 : -250, rpm ? 25000 : 250);
        for (int i = 1; i < 4; i++)
            SetLimits(page.*RANGE_UPDOWNS[i], 1, -250, 250);
        break;
    }
    default:
        break;
    }
}

void SensorsTableChanged(TMainForm* form, TTab*)
{
    CommitEditNow(form);
}

void CharViewClick(TMainForm* form)
{
    if (form->LoadingControls)
        return;
    SensorsPageControls& page = form->Sensors;
    if (TTab* temp = page.TempSensorTable) {
        if (page.RadioGroupCharView->ItemIndex() == 1)
            DefineResistanceAxis(temp);
        else
            DefineVoltageAxis(temp);
    }
    LoadSensorsPage(form);
    NoteControlEdit(form, page.RadioGroupCharView, 0);
    if (form->ActivePageIndex == PAGE_SLOT_SENSORS && page.TempSensorTable && page.TempSensorTable->isVisible())
        page.TempSensorTable->setFocus();
}

namespace {

// A throttle point the buttons take from the live voltage: the window of
// voltages it accepts, its byte (10 mV, less the offset) and its table row.
struct ThrottlePoint {
    int lowMv, highMv;
    int byte, offset, row;
};
constexpr ThrottlePoint TP_CLOSED = { 300, 2500, TP_ZERO, 0, 0 };
constexpr ThrottlePoint TP_OPEN = { 2500, 4900, TP_FULL, TP_FULL_OFFSET, 1 };

void TakeThrottlePoint(TMainForm* form, const ThrottlePoint& point)
{
    const int mv = form->Monitor.Values.LiveTpMv;
    if (mv < point.lowMv || mv > point.highMv)
        return;
    uint8_t& byte = form->PcImage.b[size_t(point.byte)];
    byte = uint8_t(mv / 10 - point.offset);
    if (TTab* tp = form->Sensors.TpSensorTable)
        Cell(tp, 0, point.row) = byte + point.offset;
    CommitEditNow(form);
}

} // namespace

void TMainForm::ButtonTps0Click(TObject*)
{
    TakeThrottlePoint(this, TP_CLOSED);
}

void TMainForm::ButtonTps100Click(TObject*)
{
    TakeThrottlePoint(this, TP_OPEN);
}

void TMainForm::ButtonTpsXClick(TObject*)
{
}

void TMainForm::RadioGroupCidloLambdaModeClick(TObject*)
{
    if (LoadingControls)
        return;
    CommitEditNow(this);
    SetLambdaDefaultCurve(PcImage, PcImage.b[sensors_cells::LAMBDA_TYPE]);
    LoadPages(this, 0);
    if (Sensors.LambdaSensorTable)
        Sensors.LambdaSensorTable->RedrawBits |= REDRAW_VALUES;
    Undo->SnapshotAfterEdit();
}

void TMainForm::ButtonPotiSave(TObject*)
{
    if (LoadingControls)
        return;
    const ::LiveValues& live = Monitor.Values;
    RsImage& image = PcImage;
    if (image.b[POT_MODE] != 4 || (live.AccThreshold == 0 && live.AccPropEffect == 0))
        return;
    image.b[POT_MODE] = 0;
    auto shift = [&](int base, int offset) {
        for (int i = 0; i < 25; i++) {
            uint8_t& cell = image.b[size_t(base + i)];
            cell = uint8_t(std::clamp(cell + int(int8_t(offset)), 0, 250));
        }
    };
    shift(ACC_THRESHOLD_MAP, live.AccThresholdPot);
    shift(ACC_RETURN_MAP, live.AccReturnSpeedPot);
    shift(ACC_PROP_MAP, live.AccPropEffectPot);
    // Held to the range of the minimum-advance control: never wrapped.
    image.b[MIN_ADVANCE] = uint8_t(
        std::clamp(image.b[MIN_ADVANCE] + int(int8_t(live.AccMinAdvancePot)), MIN_ADVANCE_LOW, MIN_ADVANCE_HIGH));
    LoadPages(this, 1);
}
