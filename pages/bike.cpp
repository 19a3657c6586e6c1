// The Bike page's layout, its cells, the model-change and special-setting
// flows and the notes memo.
#include "pages/bike.h"

#include "app/binding.h"
#include "app/editpath.h"
#include "app/language.h"
#include "app/main.h"
#include "app/main_menu.h"
#include "app/main_presets.h"
#include "files/bikedefaults.h"
#include "files/bikelist.h"
#include "files/notes.h"
#include "mapedit/tab.h"
#include "pages/pagelayout.h"
#include "pages/pages.h"
#include "pages/synchro.h"
#include "platform/dialogs.h"

using namespace bike_cells;

namespace {

using C = BikePageControls;
using Row = PageLayoutRow<C>;
using enum PageControlKind;

constexpr int MSG_WANT_CANCEL_SPECIAL = 30;
constexpr int MSG_NOT_FOR_BIKE = 43;
constexpr int NEW_SETTINGS_ALL_PAGES = -1;
constexpr int NEW_SETTINGS_DEFAULT = 0;
constexpr int NEW_SETTINGS_DELETE_SPECIAL = 1;
constexpr TColor SPECIAL_COLOUR = 0x0000FF;
constexpr int EDIT_WIDTH = 50;
// The page's three columns; the left one is wide enough for the special
// setting's caption in every language.
constexpr int LEFT_WIDTH = 320;
constexpr int MIDDLE_LEFT = LEFT_WIDTH + 16;
constexpr int RIGHT_LEFT = MIDDLE_LEFT + 238;
// The edits of the limiter and dwell groups, right of their longest label.
constexpr int VALUE_LEFT = 270;
constexpr int LAMBDA_TABLE_ID = 39;

constexpr const char* DISPLAY_TYPES = "No,Suzuki,SuzukiI TL1000S,Yamaha,Yamaha FZS600,Yamaha FZS1000,Yamaha "
                                      "YP400,YamahaTDM900,Kawa 07,Suzuki B-King,Honda,Peugeot";
constexpr const char* CAN_TYPES
    = "No,Triumph,Aprilia 04,Ducati Siemens,CAN-MV AGUSTA,Kawasaki 1,Yamaha,Kawasaki 2,BMW,SWM";

// clang-format off
constexpr Row LAYOUT[] = {
    // The model, the unit's version texts and the memo.
    { .kind = GroupBox, .field = &C::GroupBoxBike, .x = 8, .y = 8, .width = LEFT_WIDTH, .height = 100,
        .caption = "###Motorbike type##Mottorad Type##Typ motocyklu", .name = "GroupBoxBike" },
    { .kind = ComboBox, .field = &C::ComboBoxBike, .x = 8, .y = 20, .width = LEFT_WIDTH - 16, .height = 21,
        .name = "ComboBoxBike", .parent = &C::GroupBoxBike },
    { .kind = CheckBox, .field = &C::CheckBoxBikeSecial, .x = 8, .y = 50, .width = LEFT_WIDTH - 16, .height = 17,
        .caption = "###Special setting - For experienced user only!##Sonderstellung - Nur für geübte Benutzer!"
                   "##Speciální nastavení - Pro zkušené uživatele!",
        .name = "CheckBoxBikeSecial", .parent = &C::GroupBoxBike },
    { .kind = Label, .field = &C::LabelVerze1, .x = 8, .y = 76, .name = "LabelVerze1", .parent = &C::GroupBoxBike },
    { .kind = Label, .field = &C::LabelVerze2, .x = 110, .y = 76, .name = "LabelVerze2", .parent = &C::GroupBoxBike },
    { .kind = Label, .field = &C::LabelVerze3, .x = 210, .y = 76, .name = "LabelVerze3", .parent = &C::GroupBoxBike },
    { .kind = Label, .field = &C::LabelMemo, .x = 8, .y = 116,
        .caption = "###Memo sheet:##Notizblock##Poznámka uložená v zapalování:", .name = "LabelMemo" },
    { .kind = Memo, .field = &C::Memo1, .x = 8, .y = 134, .width = LEFT_WIDTH, .height = 90, .name = "Memo1" },
    { .kind = Label, .field = &C::LabelPocetProgramovani, .x = 8, .y = 230, .name = "LabelPocetProgramovani" },
    // Inputs.
    { .kind = CheckBox, .field = &C::CheckBoxFallEnable, .x = 8, .y = 252, .width = LEFT_WIDTH, .height = 17,
        .caption = "###Fall sensor enable##Not Aus Sensor enable##Pádový sensor povolen", .name = "CheckBoxFallEnable" },
    { .kind = CheckBox, .field = &C::CheckBoxBlokEnable, .x = 8, .y = 272, .width = LEFT_WIDTH, .height = 17,
        .caption = "###Blocking enable##Blockierung zulassen##Blokování povoleno", .name = "CheckBoxBlokEnable" },
    { .kind = CheckBox, .field = &C::CheckBoxBlokInvert, .x = 24, .y = 292, .width = LEFT_WIDTH - 16, .height = 17,
        .caption = "###Invert blocking input##Invert Blockierung##Inverze blokovacího vstupu", .name = "CheckBoxBlokInvert" },
    { .kind = GroupBox, .field = &C::GroupBoxActivation, .x = 8, .y = 316, .width = LEFT_WIDTH, .height = 90,
        .caption = "###Activation by Switch on##Aktierung durch Schaltung##Aktivace sepnutím", .name = "GroupBoxActivation" },
    { .kind = CheckBox, .field = &C::CheckBoxAktFall, .x = 8, .y = 20, .width = 150, .height = 17,
        .caption = "###Fall sensor##Not Aus Sensor##Pádový sensor", .name = "CheckBoxAktFall", .parent = &C::GroupBoxActivation },
    { .kind = CheckBox, .field = &C::CheckBoxAktClutch, .x = 8, .y = 42, .width = 150, .height = 17,
        .caption = "###Clutch##Kupplung##Spojka", .name = "CheckBoxAktClutch", .parent = &C::GroupBoxActivation },
    { .kind = CheckBox, .field = &C::CheckBoxAktStartLimiter, .x = 8, .y = 64, .width = 150, .height = 17,
        .caption = "###Start limiter##Startbegrenzer##Startovací omezovač", .name = "CheckBoxAktStartLimiter",
        .parent = &C::GroupBoxActivation },
    { .kind = CheckBox, .field = &C::CheckBoxAktRpm, .x = 164, .y = 20, .width = 150, .height = 17,
        .caption = "###Multifunctional switch####Multifunkční spínač", .name = "CheckBoxAktRpm",
        .parent = &C::GroupBoxActivation },
    { .kind = RadioGroup, .field = &C::RadioGroupDisplayTyp, .x = 8, .y = 412, .width = LEFT_WIDTH, .height = 140,
        .caption = "###Display Typ####Typ displeje", .items = DISPLAY_TYPES, .columns = 2, .name = "RadioGroupDisplayTyp" },
    // Warning temperature, rev counter, intake ports, CAN bus.
    { .kind = GroupBox, .field = &C::GroupBoxChlazeni, .x = MIDDLE_LEFT, .y = 8, .width = 230, .height = 46,
        .caption = "###Warning temperature [°C]##Warntemperatur [°C]##Varovná teplota [°C]", .name = "GroupBoxChlazeni" },
    { .kind = EditUpDown, .field = &C::UpDownFan1, .edit = &C::EditFan1, .x = 150, .y = 16, .width = EDIT_WIDTH,
        .min = 0, .max = 150, .name = "UpDownFan1", .editName = "EditFan1", .parent = &C::GroupBoxChlazeni },
    { .kind = Label, .field = &C::LabelRpmPulsu, .x = MIDDLE_LEFT + 8, .y = 66,
        .caption = "###Pulses per revolution##Pulse per Umdrehung##Pulzů za otáčku", .name = "LabelRpmPulsu" },
    { .kind = EditUpDown, .field = &C::UpDownRpmPulsu, .edit = &C::EditRpmPulsu, .x = MIDDLE_LEFT + 150, .y = 62, .width = EDIT_WIDTH,
        .min = RPM_PULSES_CMPS, .max = 12, .name = "UpDownRpmPulsu", .editName = "EditRpmPulsu" },
    { .kind = Label, .field = &C::LabelRpmKorekce, .x = MIDDLE_LEFT + 8, .y = 92,
        .caption = "###Correction##Korrektion##Korekce", .name = "LabelRpmKorekce" },
    { .kind = EditUpDown, .field = &C::UpDownRpmKorekce, .edit = &C::EditRpmKorekce, .x = MIDDLE_LEFT + 150, .y = 88,
        .width = EDIT_WIDTH, .min = -60, .max = 60, .name = "UpDownRpmKorekce", .editName = "EditRpmKorekce" },
    { .kind = GroupBox, .field = &C::GroupBoxIntakePort, .x = MIDDLE_LEFT, .y = 118, .width = 230, .height = 50,
        .caption = "###Intake ports##Einlaßstutzen##Sací hrdla", .name = "GroupBoxIntakePort" },
    { .kind = Label, .field = &C::LabelIntakePortRpm, .x = 8, .y = 22, .caption = "Rpm", .name = "LabelIntakePortRpm",
        .parent = &C::GroupBoxIntakePort },
    { .kind = EditUpDown, .field = &C::UpDownIntakePortRpm, .edit = &C::EditIntakePortRpm, .x = 40, .y = 18,
        .width = 60, .min = 100, .max = 25000, .name = "UpDownIntakePortRpm", .editName = "EditIntakePortRpm",
        .parent = &C::GroupBoxIntakePort, .step = 100 },
    { .kind = CheckBox, .field = &C::CheckBox1IntakeInvert, .x = 130, .y = 20, .width = 92, .height = 17,
        .caption = "###Invert##Invert##Inverzně", .name = "CheckBox1IntakeInvert", .parent = &C::GroupBoxIntakePort },
    { .kind = GroupBox, .field = &C::GroupBoxCan, .x = MIDDLE_LEFT, .y = 176, .width = 230, .height = 96, .caption = "CAN",
        .name = "GroupBoxCan" },
    { .kind = ComboBox, .field = &C::ComboBoxCanType, .x = 8, .y = 18, .width = 140, .height = 21,
        .items = CAN_TYPES, .name = "ComboBoxCanType", .parent = &C::GroupBoxCan },
    { .kind = RadioButton, .field = &C::RadioButtonCAN250, .x = 8, .y = 46, .width = 100, .height = 17,
        .caption = "250 kbit/s", .name = "RadioButtonCAN250", .parent = &C::GroupBoxCan },
    { .kind = RadioButton, .field = &C::RadioButtonCAN500, .x = 116, .y = 46, .width = 100, .height = 17,
        .caption = "500 kbit/s", .name = "RadioButtonCAN500", .parent = &C::GroupBoxCan },
    { .kind = CheckBox, .field = &C::CheckBoxCanNoRecord, .x = 8, .y = 70, .width = 200, .height = 17,
        .caption = "###No record####Bez záznamu", .name = "CheckBoxCanNoRecord", .parent = &C::GroupBoxCan },
    // Limiters.
    { .kind = GroupBox, .field = &C::GroupBoxOmez, .x = RIGHT_LEFT, .y = 8, .width = VALUE_LEFT + 86, .height = 130,
        .caption = "###Limiters##Begrenzer##Omezovače", .name = "GroupBoxOmez" },
    { .kind = Label, .field = &C::LabelIgnLimiter, .x = 8, .y = 23,
        .caption = "###Ignition limiter [rpm]##Zündungsbegrenzer [rpm]##Omezovač zážehem [rpm]",
        .name = "LabelIgnLimiter", .parent = &C::GroupBoxOmez },
    { .kind = EditUpDown, .field = &C::UpDownIgnLimiter, .edit = &C::EditIgnLimiter, .x = VALUE_LEFT, .y = 20, .width = 60,
        .min = 100, .max = 25000, .name = "UpDownIgnLimiter", .editName = "EditIgnLimiter", .parent = &C::GroupBoxOmez,
        .step = 100 },
    { .kind = Label, .field = &C::LabelJetLimiter, .x = 8, .y = 49,
        .caption = "###Injection limiter [rpm]##Einspritzbegrenzer [rpm]##Omezovač vstřikem [rpm]",
        .name = "LabelJetLimiter", .parent = &C::GroupBoxOmez },
    { .kind = EditUpDown, .field = &C::UpDownJetLimiter, .edit = &C::EditJetLimiter, .x = VALUE_LEFT, .y = 46, .width = 60,
        .min = 100, .max = 25000, .name = "UpDownJetLimiter", .editName = "EditJetLimiter", .parent = &C::GroupBoxOmez,
        .step = 100 },
    { .kind = Label, .field = &C::LabelRetardLimiterRpm, .x = 8, .y = 75,
        .caption = "###Retard limiter [rpm]##Spätzündungbegrenzer [rpm]##Omezovač zpožděním zážehu [rpm]",
        .name = "LabelRetardLimiterRpm", .parent = &C::GroupBoxOmez },
    { .kind = EditUpDown, .field = &C::UpDownRetardLimiterRpm, .edit = &C::EditRetardLimiterRpm, .x = VALUE_LEFT, .y = 72,
        .width = 60, .min = 100, .max = 25000, .name = "UpDownRetardLimiterRpm", .editName = "EditRetardLimiterRpm",
        .parent = &C::GroupBoxOmez, .step = 100 },
    { .kind = Label, .field = &C::LabelRetardLimiterAdv, .x = 8, .y = 101,
        .caption = "###Retard [°/100rpm]##Spätzündung [°/100rpm]##Zpoždění zážehu [°/100rpm]",
        .name = "LabelRetardLimiterAdv", .parent = &C::GroupBoxOmez },
    { .kind = EditUpDown, .field = &C::UpDownRetardLimiterAdv, .edit = &C::EditRetardLimiterAdv, .x = VALUE_LEFT, .y = 98,
        .width = 60, .min = -250, .max = -1, .name = "UpDownRetardLimiterAdv", .editName = "EditRetardLimiterAdv",
        .parent = &C::GroupBoxOmez },
    // Dwell.
    { .kind = GroupBox, .field = &C::GroupBoxDwell, .x = RIGHT_LEFT, .y = 146, .width = VALUE_LEFT + 86, .height = 130,
        .caption = "###Dwell time##Anfachung##Buzení", .name = "GroupBoxDwell" },
    { .kind = Label, .field = &C::LabelBuzeni, .x = 8, .y = 23,
        .caption = "###Dwell time  [us]##Anfachung  [us]##Buzení  [us]", .name = "LabelBuzeni", .parent = &C::GroupBoxDwell },
    { .kind = EditUpDown, .field = &C::UpDownBuzeni, .edit = &C::EditBuzeni, .x = VALUE_LEFT, .y = 20, .width = 60,
        .min = 100, .max = 10000, .name = "UpDownBuzeni", .editName = "EditBuzeni", .parent = &C::GroupBoxDwell,
        .step = 100 },
    { .kind = Label, .field = &C::LabelDwellDyn, .x = 8, .y = 49,
        .caption = "###Dynamical addition of dwell [%]##Anfachung Dyn. Komponente [%]##Dynamická složka buzení [%]",
        .name = "LabelDwellDyn", .parent = &C::GroupBoxDwell },
    { .kind = EditUpDown, .field = &C::UpDownDwellDyn, .edit = &C::EditDwellDyn, .x = VALUE_LEFT, .y = 46, .width = 60,
        .min = 0, .max = 30, .name = "UpDownDwellDyn", .editName = "EditDwellDyn", .parent = &C::GroupBoxDwell },
    { .kind = Label, .field = &C::LabelDwellMaxRPMLobe, .x = 8, .y = 75,
        .caption = "###Max rpm for lobe dwell [rpm]##Max rpm zur Erzeugung Daumen [min]##Max rpm pro buzení palcem [rpm]",
        .name = "LabelDwellMaxRPMLobe", .parent = &C::GroupBoxDwell },
    { .kind = EditUpDown, .field = &C::UpDownDwellMaxRPMLobe, .edit = &C::EditDwellMaxRPMLobe, .x = VALUE_LEFT, .y = 72,
        .width = 60, .min = 100, .max = 25000, .name = "UpDownDwellMaxRPMLobe", .editName = "EditDwellMaxRPMLobe",
        .parent = &C::GroupBoxDwell, .step = 100 },
    { .kind = Label, .field = &C::LabelDwellMaxTime, .x = 8, .y = 101,
        .caption = "###Max. dwell time [us]##Max. Anfachung [us]##Max. čas Buzení [us]", .name = "LabelDwellMaxTime",
        .parent = &C::GroupBoxDwell, .hidden = true },
    { .kind = EditUpDown, .field = &C::UpDownDwellMaxTime, .edit = &C::EditDwellMaxTime, .x = VALUE_LEFT, .y = 98,
        .width = 60, .min = 0, .max = 20000, .name = "UpDownDwellMaxTime", .editName = "EditDwellMaxTime",
        .parent = &C::GroupBoxDwell, .step = 100, .hidden = true },
    // Kept from older units and hidden for good.
    { .kind = CheckBox, .field = &C::CheckBoxInvInput, .x = 8, .y = 8, .width = 150, .height = 17,
        .caption = "###Inverse crankshaft polarity##Umgekehrte Kurbelgeber##Opačná polarita snímače kliky",
        .name = "CheckBoxInvInput", .hidden = true },
    { .kind = Label, .field = &C::LabelStartLimiter1, .x = 8, .y = 8, .caption = "###Start limiter##Startbegrenzer##Startovací omezovač",
        .suffix = " 1 [rpm]", .name = "LabelStartLimiter1", .hidden = true },
    { .kind = Label, .field = &C::LabelStartLimiter2, .x = 8, .y = 8, .caption = "###Start limiter##Startbegrenzer##Startovací omezovač",
        .suffix = " 2 [rpm]", .name = "LabelStartLimiter2", .hidden = true },
    { .kind = RadioGroup, .field = &C::RadioGroupPinEngine23, .x = 8, .y = 8, .width = 150, .height = 50,
        .items = "Neutral,Oil", .name = "RadioGroupPinEngine23", .hidden = true },
    { .kind = RadioGroup, .field = &C::RadioGroupPinEngine14, .x = 8, .y = 8, .width = 150, .height = 50,
        .items = "ATS,Neutral", .name = "RadioGroupPinEngine14", .hidden = true },
    { .kind = RadioGroup, .field = &C::RadioGroupPinBody11, .x = 8, .y = 8, .width = 150, .height = 50,
        .items = "Fan 1,Lambda 1 heat", .name = "RadioGroupPinBody11", .hidden = true },
    { .kind = RadioGroup, .field = &C::RadioGroupPinEngine13, .x = 8, .y = 8, .width = 150, .height = 50,
        .items = "APS,Min Tank", .name = "RadioGroupPinEngine13", .hidden = true },
    { .kind = RadioGroup, .field = &C::RadioGroupPinBody1, .x = 8, .y = 8, .width = 150, .height = 50,
        .items = "Start out,Lambda 2 heat", .name = "RadioGroupPinBody1", .hidden = true },
    { .kind = RadioGroup, .field = &C::RadioGroupPinBody35, .x = 8, .y = 8, .width = 150, .height = 50,
        .items = "Power mode,Fall sensor", .name = "RadioGroupPinBody35", .hidden = true },
};
// clang-format on

// A bound up-down: its control, cell, scale and bias.
struct UpDownCell {
    TUpDown* C::*upDown;
    int index;
    int scale;
    int bias;
};
// In the order they are stored; the rev-counter pulses read signed.
constexpr UpDownCell UP_DOWNS[] = {
    { &C::UpDownIgnLimiter, IGN_LIMITER, 100, 0 },
    { &C::UpDownJetLimiter, JET_LIMITER, 100, 0 },
    { &C::UpDownRetardLimiterRpm, RETARD_LIMITER_RPM, 100, 0 },
    { &C::UpDownRetardLimiterAdv, RETARD_LIMITER_ADV, -1, 0 },
    { &C::UpDownBuzeni, DWELL, 100, 0 },
    { &C::UpDownDwellDyn, DWELL_DYN, 1, 0 },
    { &C::UpDownDwellMaxRPMLobe, DWELL_MAX_RPM_LOBE, 100, 0 },
    { &C::UpDownDwellMaxTime, DWELL_MAX_TIME, 100, 0 },
    { &C::UpDownFan1, WARNING_TEMPERATURE, 1, 0 },
    { &C::UpDownRpmPulsu, RPM_PULSES | SIGNED_CELL, 1, 0 },
    { &C::UpDownRpmKorekce, RPM_CORRECTION, 1, -100 },
    { &C::UpDownIntakePortRpm, INTAKE_PORT_RPM, 100, 0 },
};

struct CheckBoxCell {
    TCheckBox* C::*box;
    int index;
};
// In the order they are stored (the special setting has its own step).
constexpr CheckBoxCell CHECK_BOXES[] = {
    { &C::CheckBoxFallEnable, FALL_ENABLE },
    { &C::CheckBoxBlokEnable, BLOCK_ENABLE },
    { &C::CheckBoxBlokInvert, BLOCK_INVERT },
    { &C::CheckBoxAktFall, ACT_FALL },
    { &C::CheckBoxAktClutch, ACT_CLUTCH },
    { &C::CheckBoxAktRpm, ACT_RPM },
    { &C::CheckBoxAktStartLimiter, ACT_START_LIMITER },
    { &C::CheckBox1IntakeInvert, INTAKE_INVERT },
    { &C::CheckBoxCanNoRecord, CAN_NO_RECORD },
};

constexpr TickRecord AFR_TICKS[] = {
    { 10, 2, 1, 1, 2 },
    { 100, 20, 20, 20, 20 },
    { 500, 100, 100, 100, 100 },
    { 1000, 200, 200, 200, 200 },
    {},
};
constexpr TickRecord RPM_TICKS[] = {
    { 4000, 2000, 1000, 200, 1000 },
    { 10000, 2000, 1000, 500, 1000 },
    { 25000, 2000, 1000, 1000, 2000 },
    {},
};
constexpr TColor AXIS_COLOUR = 0xA0E0C0;

uint8_t& Cell(TMainForm* form, int index)
{
    return form->PcImage.b[size_t(index)];
}

int SelectedBikeCode(const C& page)
{
    const int row = page.ComboBoxBike->ItemIndex();
    return row < 0 ? -1 : page.ComboBoxBike->ItemCode(row);
}

int AskSlot(TMainForm* form, int slot, unsigned buttons)
{
    return AskHoldingEdits(form, form->MessageTable[size_t(slot)].c_str(), "Confirm", buttons | MB_ICONQUESTION);
}

void ShowPulsesSource(TMainForm* form)
{
    C& page = form->BikePage;
    const uint8_t pulses = Cell(form, RPM_PULSES);
    if (pulses != 255 && pulses != 254)
        return;
    const bool loading = form->LoadingControls;
    form->LoadingControls = true;
    page.EditRpmPulsu->SetText(pulses == 255 ? "CKPS" : "CMPS");
    form->LoadingControls = loading;
}

// Clearing "Special setting": the model's synchronisation comes back unless
// the user cancels, which ticks the box again.
void DeleteSpecialSetting(TMainForm* form)
{
    SelectBikeCode(form);
    if (NewSettings(form, PAGE_SLOT_SYNCHRO, NEW_SETTINGS_DELETE_SPECIAL) == NEW_SETTINGS_CANCELLED) {
        Cell(form, SPECIAL) = 1;
        LoadBikePage(form);
        return;
    }
    LoadBikeDefaults(form, PAGE_SLOT_SYNCHRO);
    ApplyLanguage(form);
    LoadPages(form, 1);
}

} // namespace

void BuildBikePage(TMainForm* form)
{
    C& page = form->BikePage;
    auto* sheet = dynamic_cast<TControl*>(form->FindComponent("TabSheet_Bike"));
    BuildPageControls<C>(form, page, sheet, 0, LAYOUT);
    page.ComboBoxBike->OnChange = [form](TObject* sender) { form->ComboBoxBikeChange(sender); };
    page.RadioGroupDisplayTyp->OnClick = [form](TObject* sender) { form->RadioGroupDisplayTypeClick(sender); };
    page.Memo1->OnExit = [form](TObject* sender) { form->Memo1Exit(sender); };
    form->Memo1 = page.Memo1;
    form->EditRpmPulsu = page.EditRpmPulsu;
    form->UpDownRpmPulsu = page.UpDownRpmPulsu;
    form->Monitor.Pages.LabelPocetProgramovani = page.LabelPocetProgramovani;
}

void CreateBikePage(TMainForm* form)
{
    C& page = form->BikePage;
    TTabSheet* sheet = form->PageSheets[PAGE_SLOT_BIKE];
    // Under the dwell group and as wide as it, with room for both cells.
    TGroupBox* dwell = page.GroupBoxDwell;
    TTab* table = CreateMapTable(form->Maps, LAMBDA_TABLE_ID, dwell->Width(), int(0.3 * sheet->ClientHeight()),
        TABSTYLE_CAPTION | TABSTYLE_TABLE | TABSTYLE_2D, sheet);
    page.LambdaOnRpmTable = table;
    if (table) {
        table->ColumnSlots = 1;
        table->RowSlots = 2;
        const int s = table->AddSheet(
            "Lambda on RPM", "", "AFR", "RPM", 1, 2, SHEET_FAST_REPEAT_CELLS | SHEET_SWAP_GRAPH | SHEET_LIVE_MARKER);
        table->DefineAxes(s, 1, "", "", 0, 20000, 1.0, 1, nullptr, 0, 0, 1, 2, 2, 1, 0, -1, 0, AXIS_COLOUR, nullptr);
        table->DefineAxes(s, 2, "AFR", "", 0, 250, 0.1, 1, AFR_TICKS, 1, 1, 1, 9, 0, 0, 0, -2, 0, AXIS_COLOUR, nullptr);
        table->DefineAxes(
            s, 4, "RPM", "", 3, 250, 100.0, 1, RPM_TICKS, 1, 2, 0, 0, 0, 0, 0, 0, 0, AXIS_COLOUR, nullptr);
        table->move(dwell->Left(), dwell->Top() + dwell->Height() + 12);
        table->Sheets[s].TabFontSize = 9;
        table->SelectSheet(0);
    }
    FillBikeList(form);
}

void FillBikeList(TMainForm* form)
{
    if (TComboBox* list = form->BikePage.ComboBoxBike)
        FillBikeList(*list, Cell(form, BIKE_CODE));
}

void StoreBikeCode(TMainForm* form)
{
    if (Cell(form, SPECIAL) != 0)
        return;
    const int code = SelectedBikeCode(form->BikePage);
    if (code >= 0 && code < BIKE_SEPARATOR_CODE)
        WriteByteCell(form->PcImage, 0, BIKE_CODE, code);
}

void SelectBikeCode(TMainForm* form)
{
    C& page = form->BikePage;
    if (Cell(form, SPECIAL) != 0) {
        SelectComboByValueQuiet(form, page.ComboBoxBike, BIKE_SEPARATOR_CODE);
        return;
    }
    if (FindComboItemByValue(page.ComboBoxBike, Cell(form, BIKE_CODE)) < 0) {
        // Boxes never stack: a question already open has the user's attention.
        if (form->QuestionBoxesOpen == 0)
            AskHoldingEdits(form, form->MessageTable[MSG_NOT_FOR_BIKE].c_str(), "", MB_OK);
        return;
    }
    SelectComboByValue(form, page.ComboBoxBike, 0, BIKE_CODE);
}

void StoreNotes(TMainForm* form)
{
    std::vector<std::u16string> lines;
    for (int i = 0; i < form->BikePage.Memo1->LineCount(); ++i)
        lines.push_back(form->BikePage.Memo1->LineW(i));
    StoreNotes(form->PcImage, lines);
}

void LoadNotes(TMainForm* form)
{
    TMemo* memo = form->BikePage.Memo1;
    memo->Clear();
    for (const std::u16string& line : LoadNotes(form->PcImage))
        memo->AddLine(line);
}

void StoreBikePage(TMainForm* form)
{
    if (form->LoadingControls)
        return;
    C& page = form->BikePage;
    const uint8_t wasSpecial = Cell(form, SPECIAL);
    StoreCheckBoxToByte(form, page.CheckBoxBikeSecial, 0, SPECIAL);
    if (wasSpecial != 0 && Cell(form, SPECIAL) == 0) {
        DeleteSpecialSetting(form);
        return;
    }
    StoreBikeCode(form);
    StoreNotes(form);
    for (const CheckBoxCell& c : CHECK_BOXES)
        if (c.index != INTAKE_INVERT && c.index != CAN_NO_RECORD)
            StoreCheckBoxToByte(form, page.*c.box, 0, c.index);
    for (const UpDownCell& c : UP_DOWNS)
        StoreUpDownToByte(form, page.*c.upDown, 0, c.index, c.scale, c.bias);
    StoreCheckBoxToByte(form, page.CheckBox1IntakeInvert, 0, INTAKE_INVERT);
    if (TTab* table = page.LambdaOnRpmTable) {
        const CSheet& sheet = table->Sheets[0];
        for (int i = 0; i < 2; ++i) {
            Cell(form, LAMBDA_AFR + i) = uint8_t(sheet.Y.Values[i]);
            Cell(form, LAMBDA_RPM + i) = uint8_t(sheet.V.Values[i * TAB_MAX_COLS]);
        }
    }
    StoreRadioGroupToByte(form, page.RadioGroupDisplayTyp, 0, DISPLAY_TYPE);
    StoreComboToByte(form, page.ComboBoxCanType, 0, CAN_TYPE);
    Cell(form, CAN_SPEED) = page.RadioButtonCAN500->Checked() ? 1 : 0;
    StoreCheckBoxToByte(form, page.CheckBoxCanNoRecord, 0, CAN_NO_RECORD);
    if (form->FormCreated)
        UpdateSynchroControls(form);
}

void LoadBikePage(TMainForm* form)
{
    C& page = form->BikePage;
    form->LoadingControls = true;
    page.LabelVerze1->SetCaption(std::string_view(form->UnitTexts.name));
    page.LabelVerze2->SetCaption(std::string_view(form->UnitTexts.date));
    page.LabelVerze3->SetCaption(std::string_view(form->UnitTexts.time));
    SelectBikeCode(form);
    LoadNotes(form);
    form->LoadingControls = false;

    SetCheckBoxFromByte(form, page.CheckBoxBikeSecial, 0, SPECIAL);
    for (const CheckBoxCell& c : CHECK_BOXES)
        SetCheckBoxFromByte(form, page.*c.box, 0, c.index);
    for (const UpDownCell& c : UP_DOWNS)
        SetUpDownFromByte(form, page.*c.upDown, 0, c.index, c.scale, c.bias);
    ShowPulsesSource(form);

    if (TTab* table = page.LambdaOnRpmTable) {
        CSheet& sheet = table->Sheets[0];
        for (int i = 0; i < 2; ++i) {
            sheet.Y.Values[i] = Cell(form, LAMBDA_AFR + i);
            sheet.V.Values[i * TAB_MAX_COLS] = Cell(form, LAMBDA_RPM + i);
        }
        table->RedrawBits |= REDRAW_VALUES;
    }
    SetRadioGroupFromByte(form, page.RadioGroupDisplayTyp, 0, DISPLAY_TYPE);
    SetComboFromByte(form, page.ComboBoxCanType, 0, CAN_TYPE);
    form->LoadingControls = true;
    page.RadioButtonCAN250->SetChecked(Cell(form, CAN_SPEED) == 0);
    page.RadioButtonCAN500->SetChecked(Cell(form, CAN_SPEED) != 0);
    form->LoadingControls = false;
    MarkStaleMapLimits(form);
    UpdateBikeControls(form);
    if (form->FormCreated)
        UpdateSynchroControls(form);
}

void BikeTableChanged(TMainForm* form, TTab*)
{
    CommitEditNow(form);
}

void UpdateBikeControls(TMainForm* form)
{
    C& page = form->BikePage;
    page.CheckBoxBlokInvert->SetEnabled(Cell(form, BLOCK_ENABLE) != 0);
    page.CheckBoxBikeSecial->SetColor(Cell(form, SPECIAL) != 0 ? SPECIAL_COLOUR : clBtnFace);
    const int idleMode = Cell(form, IDLE_MODE);
    page.GroupBoxIntakePort->SetVisible(
        Cell(form, SERVO_MODE) == 0 && (Cell(form, SERVO_INTAKE_PORT) != 0 || (idleMode != 2 && idleMode != 3)));
    const bool pulseCount = Cell(form, RPM_PULSES) < 240;
    for (TControl* c : { static_cast<TControl*>(page.LabelRpmKorekce), static_cast<TControl*>(page.UpDownRpmKorekce),
             static_cast<TControl*>(page.EditRpmKorekce) })
        c->SetVisible(pulseCount);
}

void TMainForm::ComboBoxBikeChange(TObject*)
{
    TMainForm* form = this;
    const uint8_t oldCode = Cell(form, BIKE_CODE);
    if (LoadingControls)
        return;
    FocusProgramAfterChange();
    // A reload asked while the flow's questions are open would show the old
    // model again before the new one is stored; it runs when the flow ends.
    const QuestionHold hold(form);
    if (SelectedBikeCode(BikePage) == BIKE_SEPARATOR_CODE) {
        LoadBikePage(form);
        return;
    }
    if (Cell(form, SPECIAL) != 0) {
        if (AskSlot(form, MSG_WANT_CANCEL_SPECIAL, MB_OKCANCEL) != IDOK) {
            Cell(form, BIKE_CODE) = oldCode;
            LoadBikePage(form);
            return;
        }
        Cell(form, SPECIAL) = 0;
        SetCheckBoxQuiet(form, BikePage.CheckBoxBikeSecial, 0);
    }
    StoreBikeCode(form);
    CommitEditNow(form);
    if (NewSettings(form, NEW_SETTINGS_ALL_PAGES, NEW_SETTINGS_DEFAULT) == NEW_SETTINGS_CANCELLED) {
        Cell(form, BIKE_CODE) = oldCode;
        LoadBikePage(form);
        // The model committed above is taken back in the undo ring and the unit too.
        CommitEditNow(form);
        return;
    }
    Cell(form, SPECIAL) = 0;
    ApplyLanguage(form);
    LoadPages(form, 1);
}

void TMainForm::RadioGroupDisplayTypeClick(TObject* sender)
{
    if (!LoadingControls)
        NoteControlEdit(this, sender, 0);
}

void TMainForm::Memo1Exit(TObject* sender)
{
    if (LoadingControls)
        return;
    StoreNotes(this);
    NoteControlEdit(this, sender, 0);
}
