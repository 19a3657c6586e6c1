// The Power out page: per output a function group, an on/off map with its
// speed hysteresis, laid out in a 2 x 2 grid from the sheet's size.
#include "pages/powerout.h"

#include "app/binding.h"
#include "app/controlfactory.h"
#include "app/main.h"
#include "mapedit/tab.h"
#include "pages/n2o.h"
#include "pages/pages.h"
#include "texts/langtext.h"

#include <cmath>

using namespace powerout_cells;

namespace {

struct PowerOutFunction {
    int code;
    const char* text;
    bool outputTwoOnly;
};
// In the order of the list; "Special setting" last.
constexpr PowerOutFunction FUNCTIONS[] = {
    { 0, "###Off##Aus##Vypnuto", false },
    { 1, "###Lambda heat##Lambdawärmung##Ohřev lambda", false },
    { 2, "###Gear shift light##Schaltblitz##Kontrolka řazení", false },
    { 4, "N2O", true },
    { 5, "Track control", false },
    { 6, "###Decompresor##nDekompressor##nDekompresor", false },
    { 7, "###Sol. quickshift down##Sol. wechsel unten##Sol. rychlořazení", false },
    { SPECIAL, "###Special setting##Sonderstellung##Speciální nastavení", false },
};
constexpr const char* GROUP_CAPTIONS[POWER_OUT_COUNT] = {
    "###Power out 1 (pin 18)####Power out 1 (pin 18)",
    "###Power out 2 (pin 17)####Power out 2 (pin 17)",
    "###Power out 3 (pin 53)####Power out 3 (pin 53)",
    "###Power out 4 (pin 54)####Power out 4 (pin 54)",
};
constexpr int TABLE_ID = 25; // + n
constexpr int32_t TABLE_STYLE = TABSTYLE_ONOFF | TABSTYLE_2D | TABSTYLE_TABLE;
constexpr TColor AXIS_COLOUR = 0xFCE2F4;
constexpr TickRecord RPM_TICKS[] = { { 25000, 2000, 1000, 1000, 2000 }, {} };
constexpr TickRecord TP_TICKS[] = { { 100, 25, 25, 10, 25 }, {} };
constexpr TickRecord VALUE_TICKS[] = { { 10, 5, 1, 1, 2 }, { 30, 5, 5, 5, 5 }, {} };
constexpr int HYSTERESIS_EDIT_WIDTH = 40;
constexpr int HYSTERESIS_MAX = 2500; // rpm, in steps of 10
constexpr int HYSTERESIS_START = 100;
constexpr int STATE_LABELS_SHOWN = 4;
constexpr int STATE_LABEL_STEP = 180;

// Where output n goes on a sheet of width w and height h.
struct OutputPlace {
    int groupLeft, groupTop, groupWidth, groupHeight;
    int tableLeft, tableWidth, tableHeight;
    int editLeft, editTop;
};
OutputPlace PlaceOutput(int n, int w, int h)
{
    const int column = w / 2 - 3;
    const int row = int(std::lround(h * 10 / 23.0)) - 3;
    const double unit = column / 8.0;
    OutputPlace p {};
    p.groupLeft = n % 2 * column + 3;
    p.groupTop = int(std::lround(n / 2 * row * 1.05));
    p.groupWidth = int(std::lround(2.2 * unit));
    p.groupHeight = row - 1;
    const int tableStart = p.groupLeft + int(std::lround(2.3 * unit));
    p.tableLeft = tableStart - 5;
    p.tableWidth = int(std::lround(column - 2.3 * unit - 10)) + 10;
    p.tableHeight = row - 32;
    p.editLeft = tableStart + 20;
    p.editTop = p.groupTop + p.groupHeight - 25;
    return p;
}

// Runs a change of the controls with the window's loading guard set.
template <class F> void Quietly(TMainForm* form, F change)
{
    const int32_t wasLoading = form->LoadingControls;
    form->LoadingControls = 1;
    change();
    form->LoadingControls = wasLoading;
}

} // namespace

void BuildPowerOutPage(TMainForm* form)
{
    PowerOutPageControls& page = form->PowerOut;
    auto* sheet = dynamic_cast<TControl*>(form->FindComponent("TabSheet_PowerOut"));
    page.ScrollBarPout = new TScrollBar(form);
    page.ScrollBarPout->SetName("ScrollBarPout");
    page.ScrollBarPout->SetParent(sheet);
    for (size_t i = 0; i < page.LabelMonPOut.size(); ++i) {
        CreateLabel(form, page.LabelMonPOut[i], sheet, 8 + STATE_LABEL_STEP * int(i), 0, u"");
        page.LabelMonPOut[i]->SetName("LabelMonPOut" + std::to_string(i + 1) + "a");
        page.LabelMonPOut[i]->SetCaption("Power out " + std::to_string(i + 1) + "= --");
    }
}

void CreatePowerOutPage(TMainForm* form)
{
    PowerOutPageControls& page = form->PowerOut;
    TTabSheet* sheet = form->PageSheets[PAGE_SLOT_POWER_OUT];
    const int w = sheet->ClientWidth(), h = sheet->ClientHeight();
    for (int n = 0; n < POWER_OUT_COUNT; ++n) {
        const OutputPlace p = PlaceOutput(n, w, h);
        TRadioGroup*& group = page.PowerOutGroups[size_t(n)];
        CreateRadioGroup(form, group, sheet, p.groupLeft, p.groupTop, p.groupWidth, p.groupHeight, "", "");
        group->OnClick = [form](TObject* sender) { form->FormRadioGroupClick(sender); };
        FillPowerOutList(form, n);
        SetRadioGroupQuiet(form, group, 0);

        TTab* table = CreateMapTable(form->Maps, TABLE_ID + n, p.tableWidth, p.tableHeight, TABLE_STYLE, sheet);
        page.PowerOutTables[size_t(n)] = table;
        if (table) {
            table->move(p.tableLeft, p.groupTop);
            table->ColumnSlots = MAP_COLUMNS;
            table->RowSlots = MAP_ROWS;
            const int s = table->AddSheet("1", "RPM", "TP", "Pout1", RPM_POINTS, TP_POINTS, SHEET_LIVE_MARKER);
            table->DefineAxes(s, 1, "RPM", "", 3, 250, 100.0, 1, RPM_TICKS, 1, 1, 1, RPM_POINTS, 0, 0, 0, -1, 0,
                AXIS_COLOUR, nullptr);
            table->DefineAxes(
                s, 2, "TP", "%", 0, 100, 1.0, 1, TP_TICKS, 1, 1, 1, TP_POINTS, 1, 0, 0, -2, 0, AXIS_COLOUR, nullptr);
            table->DefineAxes(
                s, 4, "PO", "", 0, 2, 1.0, 1, VALUE_TICKS, 1, 2, 0, 0, 0, 0, 0, 0, 0, AXIS_COLOUR, nullptr);
            table->ApplyLimits(&table->Sheets[s], 0x107);
            table->SelectSheet(0);
        }

        TUpDown*& upDown = page.UpDownHysteresis[size_t(n)];
        CreateEditUpDown(form, upDown, page.EditHysteresis[size_t(n)], sheet);
        PlaceEditUpDown(upDown, p.editLeft, p.editTop, 0, HYSTERESIS_MAX, 10, HYSTERESIS_EDIT_WIDTH);
        SetUpDownQuiet(form, upDown, HYSTERESIS_START);
        TLabel*& label = page.LabelPowerOutHysteresis[size_t(n)];
        CreateLabel(form, label, sheet, upDown->Left() + upDown->Width() + 10, p.editTop + 5, u"Hysterese");
    }
    // The state labels in one row under the tables, the scroll bar above them.
    const int labelTop = h - 20;
    page.ScrollBarPout->SetBounds(8, labelTop - 20, w - 16, 16);
    for (size_t i = 0; i < page.LabelMonPOut.size(); ++i) {
        page.LabelMonPOut[i]->SetTop(labelTop);
        page.LabelMonPOut[i]->SetVisible(i < STATE_LABELS_SHOWN);
    }
}

void FillPowerOutList(TMainForm* form, int n)
{
    TRadioGroup* group = form->PowerOut.PowerOutGroups[size_t(n)];
    if (!group)
        return;
    Quietly(form, [&] {
        group->SetCaption(std::string_view(SelectLangText(GROUP_CAPTIONS[n])));
        ClearRadioGroupItems(group);
        for (const PowerOutFunction& f : FUNCTIONS)
            if (!f.outputTwoOnly || n == 1)
                AddRadioGroupItem(group, SelectLangText(f.text), f.code);
    });
    SelectRadioGroupByValue(form, group, 0, FUNCTION + n);
}

void StorePowerOutPage(TMainForm* form)
{
    PowerOutPageControls& page = form->PowerOut;
    RsImage& image = form->PcImage;
    for (int n = 0; n < POWER_OUT_COUNT; ++n) {
        // A code the list lacks selects nothing; the byte keeps it.
        if (GetRadioGroupValue(page.PowerOutGroups[size_t(n)]) >= 0)
            StoreRadioGroupValueToByte(form, page.PowerOutGroups[size_t(n)], 0, FUNCTION + n);
        StoreUpDownToByte(form, page.UpDownHysteresis[size_t(n)], 0, HYSTERESIS + n, 10, 0);
        if (TTab* table = page.PowerOutTables[size_t(n)]) {
            table->Hysteresis = image.b[size_t(HYSTERESIS + n)] * 10;
            table->RedrawBits |= REDRAW_VALUES;
        }
        StorePowerOutTable(form, n);
    }
    UpdateN2OControls(form);
}

void LoadPowerOutPage(TMainForm* form)
{
    PowerOutPageControls& page = form->PowerOut;
    const RsImage& image = form->PcImage;
    for (int n = 0; n < POWER_OUT_COUNT; ++n) {
        SelectRadioGroupByValue(form, page.PowerOutGroups[size_t(n)], 0, FUNCTION + n);
        SetUpDownFromByte(form, page.UpDownHysteresis[size_t(n)], 0, HYSTERESIS + n, 10, 0);
        LoadPowerOutTable(form, n);
        if (TTab* table = page.PowerOutTables[size_t(n)]) {
            // The band shows from the first load, not only after a store.
            table->Hysteresis = image.b[size_t(HYSTERESIS + n)] * 10;
            table->UpdateToolbar();
            table->RedrawBits |= REDRAW_VALUES;
        }
    }
    UpdatePowerOutControls(form);
    UpdateN2OControls(form);
}

void LoadPowerOutTable(TMainForm* form, int n)
{
    TTab* table = form->PowerOut.PowerOutTables[size_t(n)];
    if (!table)
        return;
    const RsImage& image = form->PcImage;
    CSheet& sheet = table->Sheets[0];
    for (int i = 0; i < RPM_POINTS; ++i)
        sheet.X.Values[i] = image.b[size_t(RPM + 3 * n + i)];
    for (int i = 0; i < TP_POINTS; ++i)
        sheet.Y.Values[i] = image.b[size_t(TP + 2 * n + i)];
    for (int r = 0; r < MAP_ROWS; ++r) {
        const int bits = image.b[size_t(ROWS + 3 * n + r)];
        for (int c = 0; c < MAP_COLUMNS; ++c)
            sheet.V.Values[r * TAB_MAX_COLS + c] = (bits >> c) & 1;
    }
}

void StorePowerOutTable(TMainForm* form, int n)
{
    const TTab* table = form->PowerOut.PowerOutTables[size_t(n)];
    if (!table)
        return;
    RsImage& image = form->PcImage;
    const CSheet& sheet = table->Sheets[0];
    for (int i = 0; i < RPM_POINTS; ++i)
        image.b[size_t(RPM + 3 * n + i)] = uint8_t(sheet.X.Values[i]);
    for (int i = 0; i < TP_POINTS; ++i)
        image.b[size_t(TP + 2 * n + i)] = uint8_t(sheet.Y.Values[i]);
    for (int r = 0; r < MAP_ROWS; ++r) {
        int bits = 0;
        for (int c = 0; c < MAP_COLUMNS; ++c)
            bits |= (sheet.V.Values[r * TAB_MAX_COLS + c] & 1) << c;
        image.b[size_t(ROWS + 3 * n + r)] = uint8_t(bits);
    }
}

void UpdatePowerOutControls(TMainForm* form)
{
    PowerOutPageControls& page = form->PowerOut;
    for (int n = 0; n < POWER_OUT_COUNT; ++n) {
        const bool special = form->PcImage.b[size_t(FUNCTION + n)] == SPECIAL;
        const size_t i = size_t(n);
        if (page.PowerOutTables[i])
            page.PowerOutTables[i]->setVisible(special);
        for (TControl* control :
            { static_cast<TControl*>(page.EditHysteresis[i]), static_cast<TControl*>(page.UpDownHysteresis[i]),
                static_cast<TControl*>(page.LabelPowerOutHysteresis[i]) })
            if (control)
                control->SetVisible(special);
    }
}
