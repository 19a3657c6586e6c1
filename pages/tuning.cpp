// The Tuning page's layout and cells, its map of target air-fuel ratios and
// the switch of the tuning source, which may fold the compensation maps into
// the injection maps.
#include "pages/tuning.h"

#include "app/binding.h"
#include "app/editpath.h"
#include "app/main.h"
#include "mapedit/tab.h"
#include "pages/pagelayout.h"
#include "pages/pages.h"
#include "platform/dialogs.h"

using namespace tuning_cells;

namespace {

using C = TuningPageControls;
using Row = PageLayoutRow<C>;
using enum PageControlKind;
using enum PageLeft;

constexpr int MSG_WARNING = 129;
constexpr int MSG_FOLD_CORRECTIONS = 155;
// MoveCorrectionsToMaps: the correction tables into the maps, then cleared.
constexpr int FOLD_AND_CLEAR = 3;

constexpr TColor AXIS_COLOUR = 0xFFFFFF;
constexpr int EDIT_WIDTH = 50;
constexpr int LABEL_GAP = 4;
// The two columns of edit pairs and their rows inside the group.
constexpr int COLUMN_1 = 8, COLUMN_2 = 220;
constexpr int ROW_0 = 184, ROW_STEP = 26;
constexpr int RowTop(int row)
{
    return ROW_0 + ROW_STEP * row;
}

// The form's controls. Column 1 keeps rows 3 and 4 free for the step and the
// AFR tolerance, column 2 rows 0 and 4 for AFR min and max, which the table
// builder places from these edits.
// clang-format off
constexpr Row FORM[] = {
    { .kind = Label, .field = &C::LabelLadeniCaution, .x = 8, .y = 6, .caption = "Caution - For experienced user only!",
        .name = "LabelLadeniCaution" },
    { .kind = GroupBox, .field = &C::GroupBoxLadeni, .x = 8, .y = 26, .width = 430, .height = 380, .caption = "Tunning",
        .name = "GroupBoxLadeni" },
    { .kind = CheckBox, .field = &C::CheckBoxLadeniPovoleno, .x = 8, .y = 18, .width = 420, .height = 17,
        .caption = "Tunning on - parameters of this box will be stored to unit", .name = "CheckBoxLadeniPovoleno",
        .parent = &C::GroupBoxLadeni },
    { .kind = RadioGroup, .field = &C::RadioGroupLadeniMode, .x = 8, .y = 40, .width = 168, .height = 40,
        .caption = "Tunning mode", .items = "Points,All", .columns = 2, .name = "RadioGroupLadeniMode",
        .parent = &C::GroupBoxLadeni },
    { .kind = RadioGroup, .field = &C::RadioGroupLadeniOnByTLS, .x = 8, .y = 84, .width = 168, .height = 92,
        .caption = "Multifunctional switch", .items = "AFR,AFR+autotunning,Autotunning,Blocking launch control",
        .name = "RadioGroupLadeniOnByTLS", .parent = &C::GroupBoxLadeni },
    { .kind = RadioGroup, .field = &C::RadioGroupTunningSource, .x = 182, .y = 40, .width = 240, .height = 136,
        .caption = "Tunning source",
        .items = "Tune directly in maps IAP a TP [ms],Tune in comp. maps [%],Tune permanently in comp. maps [%]",
        .name = "RadioGroupTunningSource", .parent = &C::GroupBoxLadeni },

    { .kind = EditUpDown, .field = &C::UpDownLadeniTps, .edit = &C::EditLadeniTps, .x = COLUMN_1, .y = RowTop(0),
        .width = EDIT_WIDTH, .min = 1, .max = 20, .name = "UpDownLadeniTps", .editName = "EditLadeniTps",
        .parent = &C::GroupBoxLadeni },
    { .kind = Label, .field = &C::LabelLadeniTps, .anchor = LEFT_FLOW, .x = LABEL_GAP, .y = RowTop(0) + 3,
        .caption = "Tps, Iap tolerance", .name = "LabelLadeniTps", .parent = &C::GroupBoxLadeni },
    { .kind = EditUpDown, .field = &C::UpDownLadeniRpm, .edit = &C::EditLadeniRpm, .x = COLUMN_1, .y = RowTop(1),
        .width = EDIT_WIDTH, .min = 10, .max = 2000, .name = "UpDownLadeniRpm", .editName = "EditLadeniRpm",
        .parent = &C::GroupBoxLadeni, .step = 10 },
    { .kind = Label, .field = &C::LabelLadeniRpm, .anchor = LEFT_FLOW, .x = LABEL_GAP, .y = RowTop(1) + 3,
        .caption = "Rpm tolerance", .name = "LabelLadeniRpm", .parent = &C::GroupBoxLadeni },
    { .kind = EditUpDown, .field = &C::UpDownLadeniCas, .edit = &C::EditLadeniCas, .x = COLUMN_1, .y = RowTop(2),
        .width = EDIT_WIDTH, .min = 1, .max = 250, .name = "UpDownLadeniCas", .editName = "EditLadeniCas",
        .parent = &C::GroupBoxLadeni },
    { .kind = Label, .field = &C::LabelLadeniCas, .anchor = LEFT_FLOW, .x = LABEL_GAP, .y = RowTop(2) + 3,
        .caption = "Revolution for step", .name = "LabelLadeniCas", .parent = &C::GroupBoxLadeni },
    { .kind = EditUpDown, .field = &C::UpDownLadeniKanal, .edit = &C::EditLadeniKanal, .x = COLUMN_1, .y = RowTop(5),
        .width = EDIT_WIDTH, .min = 0, .max = 4, .name = "UpDownLadeniKanal", .editName = "EditLadeniKanal",
        .parent = &C::GroupBoxLadeni },
    { .kind = Label, .field = &C::LabelLadeniKanal, .anchor = LEFT_FLOW, .x = LABEL_GAP, .y = RowTop(5) + 3,
        .caption = "Channel", .name = "LabelLadeniKanal", .parent = &C::GroupBoxLadeni },
    // The Injection page bounds its correction tables by 0..150.
    { .kind = EditUpDown, .field = &C::UpDownCompLimit, .edit = &C::EditCompLimit, .x = COLUMN_1, .y = RowTop(6),
        .width = EDIT_WIDTH, .min = 0, .max = 150, .name = "UpDownCompLimit", .editName = "EditCompLimit",
        .parent = &C::GroupBoxLadeni },
    { .kind = Label, .field = &C::LabelCompLimit, .anchor = LEFT_FLOW, .x = LABEL_GAP, .y = RowTop(6) + 3,
        .caption = "Compensation limit [+/- %]", .name = "LabelCompLimit", .parent = &C::GroupBoxLadeni },

    { .kind = EditUpDown, .field = &C::UpDownLadeniTempMin, .edit = &C::EditLadeniTempMin, .x = COLUMN_2,
        .y = RowTop(1), .width = EDIT_WIDTH, .min = -30, .max = 150, .name = "UpDownLadeniTempMin",
        .editName = "EditLadeniTempMin", .parent = &C::GroupBoxLadeni },
    { .kind = Label, .field = &C::LabelLadeniTempMin, .anchor = LEFT_FLOW, .x = LABEL_GAP, .y = RowTop(1) + 3,
        .caption = "Temperature min", .name = "LabelLadeniTempMin", .parent = &C::GroupBoxLadeni },
    { .kind = EditUpDown, .field = &C::UpDownLadeniTpsMin, .edit = &C::EditLadeniTpsMin, .x = COLUMN_2,
        .y = RowTop(2), .width = EDIT_WIDTH, .min = 0, .max = 100, .name = "UpDownLadeniTpsMin",
        .editName = "EditLadeniTpsMin", .parent = &C::GroupBoxLadeni },
    { .kind = Label, .field = &C::LabelLadeniTpsMin, .anchor = LEFT_FLOW, .x = LABEL_GAP, .y = RowTop(2) + 3,
        .caption = "TP min", .name = "LabelLadeniTpsMin", .parent = &C::GroupBoxLadeni },
    { .kind = EditUpDown, .field = &C::UpDownLadeniRpmMin, .edit = &C::EditLadeniRpmMin, .x = COLUMN_2,
        .y = RowTop(3), .width = EDIT_WIDTH, .min = 0, .max = 25000, .name = "UpDownLadeniRpmMin",
        .editName = "EditLadeniRpmMin", .parent = &C::GroupBoxLadeni, .step = 100 },
    { .kind = Label, .field = &C::LabelLadeniRpmMin, .anchor = LEFT_FLOW, .x = LABEL_GAP, .y = RowTop(3) + 3,
        .caption = "RPM min", .name = "LabelLadeniRpmMin", .parent = &C::GroupBoxLadeni },
    { .kind = EditUpDown, .field = &C::UpDownLadeniTempMax, .edit = &C::EditLadeniTempMax, .x = COLUMN_2,
        .y = RowTop(5), .width = EDIT_WIDTH, .min = -30, .max = 150, .name = "UpDownLadeniTempMax",
        .editName = "EditLadeniTempMax", .parent = &C::GroupBoxLadeni },
    { .kind = Label, .field = &C::LabelLadeniTempMax, .anchor = LEFT_FLOW, .x = LABEL_GAP, .y = RowTop(5) + 3,
        .caption = "Temperature max", .name = "LabelLadeniTempMax", .parent = &C::GroupBoxLadeni },
    // One byte holds the value: 255 at most.
    { .kind = EditUpDown, .field = &C::UpDownLadeniMaxAcc, .edit = &C::EditLadeniMaxAcc, .x = COLUMN_2,
        .y = RowTop(6), .width = EDIT_WIDTH, .min = 0, .max = 255, .name = "UpDownLadeniMaxAcc",
        .editName = "EditLadeniMaxAcc", .parent = &C::GroupBoxLadeni },
    { .kind = Label, .field = &C::LabelLadeniMaxAcc, .anchor = LEFT_FLOW, .x = LABEL_GAP, .y = RowTop(6) + 3,
        .caption = "Acc. E/E Corr. max [%]", .name = "LabelMaxAcc", .parent = &C::GroupBoxLadeni },
    { .kind = GroupBox, .field = &C::GroupBoxLambdaPoz, .x = 450, .y = 26, .width = 10, .height = 10,
        .caption = "AFR desired", .name = "GroupBoxLambdaPoz" },
};
// clang-format on

// A cell of an edit pair: the up-down, the byte, position = byte x scale + bias.
struct Cell {
    TUpDown* C::*upDown;
    int index;
    int scale;
    int bias;
};
constexpr Cell CELLS[] = {
    { &C::UpDownLadeniRpm, 2987, 10, 0 },
    { &C::UpDownLadeniTps, 2988, 1, 0 },
    { &C::UpDownLadeniCas, 2989, 1, 0 },
    { &C::UpDownLadeniMaxAcc, 2992, 1, 0 },
    { &C::UpDownLadeniTpsMin, 2995, 1, 0 },
    { &C::UpDownLadeniRpmMin, 2996, 100, 0 },
    { &C::UpDownLadeniTempMin, 2997, 1, -100 },
    { &C::UpDownLadeniTempMax, 2998, 1, -100 },
    { &C::UpDownCompLimit, COMP_LIMIT, 1, 0 },
};
struct DeciCell {
    TDeciUpDown* C::*upDown;
    TDeciEdit* C::*edit;
    TLabel* C::*label;
    const char* name;
    const char* caption;
    int index;
};
constexpr DeciCell DECI_CELLS[] = {
    { &C::DeciUpDownLadeniHyster, &C::DeciEditLadeniHyster, &C::LabelLadeniHyster, "LadeniHyster", "AFR tolerance",
        2986 },
    { &C::DeciUpDownLadeniKrok, &C::DeciEditLadeniKrok, &C::LabelLadeniKrok, "LadeniKrok", "Step [%/AFR]", 2990 },
    { &C::DeciUpDownLadeniLambdaMin, &C::DeciEditLadeniLambdaMin, &C::LabelLadeniLambdaMin, "LadeniLambdaMin",
        "AFR min", 2993 },
    { &C::DeciUpDownLadeniLambdaMax, &C::DeciEditLadeniLambdaMax, &C::LabelLadeniLambdaMax, "LadeniLambdaMax",
        "AFR max", 2994 },
};

constexpr TickRecord RPM_TICKS[] = {
    { 4000, 2000, 1000, 200, 1000 },
    { 10000, 2000, 1000, 500, 1000 },
    { 25000, 2000, 1000, 1000, 2000 },
    {},
};
constexpr TickRecord AFR_TICKS[] = {
    { 10, 2, 1, 1, 2 },
    { 100, 20, 20, 20, 20 },
    { 500, 100, 100, 100, 100 },
    { 1000, 200, 200, 200, 200 },
    {},
};

void SetShown(std::initializer_list<TControl*> controls, bool shown)
{
    for (TControl* c : controls)
        c->SetVisible(shown);
}

void MakeDeciPair(TMainForm* form, TuningPageControls& page, const DeciCell& cell, int left, int top)
{
    TDeciUpDown*& upDown = page.*cell.upDown;
    TDeciEdit*& edit = page.*cell.edit;
    CreateDeciEditUpDown(form, upDown, edit, page.GroupBoxLadeni);
    PlaceDeciEditUpDown(upDown, left, top, 0, 250, 10, page.EditLadeniTps->Width());
    upDown->SetBounds(upDown->Left(), upDown->Top(), page.UpDownLadeniTps->Width(), page.UpDownLadeniTps->Height());
    edit->SetName(std::string("DeciEdit") + cell.name);
    upDown->SetName(std::string("DeciUpDown") + cell.name);
    TLabel*& label = page.*cell.label;
    CreateLabel(form, label, page.GroupBoxLadeni, upDown->Left() + upDown->Width() + LABEL_GAP, top + 3, u"");
    label->SetCaption(std::string_view(cell.caption));
    label->SetName(std::string("Label") + cell.name);
}

} // namespace

void BuildTuningPage(TMainForm* form)
{
    TuningPageControls& page = form->Tuning;
    auto* sheet = dynamic_cast<TControl*>(form->FindComponent("TabSheet_Ladeni"));
    BuildPageControls<C>(form, page, sheet, 0, FORM);
    page.RadioGroupLadeniMode->OnClick = [form](TObject* sender) { form->RadioGroupLadeniModeClick(sender); };
    page.RadioGroupLadeniOnByTLS->OnClick = [form](TObject* sender) { form->RadioGroupLadeniModeClick(sender); };
    page.RadioGroupTunningSource->OnClick = [form](TObject* sender) { form->RadioGroupTunningSrcClick(sender); };
    form->EditLadeniKanal = page.EditLadeniKanal;
    form->UpDownLadeniKanal = page.UpDownLadeniKanal;
    form->Monitor.Pages.CheckBoxLadeniPovoleno = page.CheckBoxLadeniPovoleno;
    form->Monitor.Pages.RadioGroupLadeniOnByTLS = page.RadioGroupLadeniOnByTLS;
}

void CreateTuningPage(TMainForm* form)
{
    TuningPageControls& page = form->Tuning;
    TTabSheet* sheet = form->PageSheets[PAGE_SLOT_TUNING];
    const int w = sheet->ClientWidth(), h = sheet->ClientHeight();
    const int left = w * 45 / 100, top = h / 10, width = w / 2 - 10, height = h * 3 / 4;
    page.GroupBoxLambdaPoz->SetBounds(left - 6, top - 20, width + 12, height + 28);
    TTab* table = CreateMapTable(form->Maps, 38, width, height, 0x71, sheet);
    form->Maps.TuningTable = table;
    if (table) {
        table->move(left, top);
        table->ColumnSlots = SIZE;
        table->RowSlots = 10;
        const int s = table->AddSheet("Lambda [AFR]", "RPM", "TP", "AFR", SIZE, SIZE, SHEET_LIVE_MARKER);
        table->DefineAxes(
            s, 1, "RPM", "", 3, 250, 100.0, 1, RPM_TICKS, 1, 1, 1, SIZE, 0, 0, 0, -1, 0, AXIS_COLOUR, nullptr);
        table->DefineAxes(
            s, 2, "TP", "%", 0, 100, 1.0, 1, nullptr, 0, 0, 1, SIZE, 0, 0, 0, -1, 0, AXIS_COLOUR, nullptr);
        table->DefineAxes(s, 4, "AFR", "", 0, 250, 0.1, 0, AFR_TICKS, 1, 2, 0, 0, 0, 0, 0, 0, 0, AXIS_COLOUR, nullptr);
        for (int r = 0; r < SIZE; r++)
            table->Sheets[s].Y.Values[r] = TUNING_TP_BREAKPOINTS[r];
        table->ApplyLimits(&table->Sheets[s], 0x107);
        table->SelectSheet(0);
    }
    const int tempSpan = page.EditLadeniTps->Top() - page.EditLadeniTempMin->Top();
    const int hysterTop = page.EditLadeniTempMax->Top() + tempSpan;
    MakeDeciPair(form, page, DECI_CELLS[0], page.EditLadeniTps->Left(), hysterTop);
    MakeDeciPair(form, page, DECI_CELLS[1], page.EditLadeniCas->Left(), page.EditLadeniRpmMin->Top());
    MakeDeciPair(form, page, DECI_CELLS[2], page.EditLadeniMaxAcc->Left(), page.EditLadeniTps->Top());
    MakeDeciPair(form, page, DECI_CELLS[3], page.EditLadeniMaxAcc->Left(), hysterTop);
}

void StoreTuningPage(TMainForm* form)
{
    if (form->LoadingControls)
        return;
    TuningPageControls& page = form->Tuning;
    RsImage& image = form->PcImage;
    StoreRadioGroupToByte(form, page.RadioGroupLadeniMode, 0, MODE);
    StoreRadioGroupToByte(form, page.RadioGroupLadeniOnByTLS, 0, SWITCH);
    StoreRadioGroupToByte(form, page.RadioGroupTunningSource, 0, SOURCE);
    for (const Cell& c : CELLS)
        StoreUpDownToByte(form, page.*c.upDown, 0, c.index, c.scale, c.bias);
    for (const DeciCell& c : DECI_CELLS)
        StoreUpDownToByte(form, page.*c.upDown, 0, c.index, 1, 0);
    StoreUpDownToByte(form, page.UpDownLadeniKanal, 0, CHANNEL, 1, 0);
    if (TTab* table = form->Maps.TuningTable) {
        const CSheet& sheet = table->Sheets[0];
        for (int c = 0; c < SIZE; c++)
            image.b[size_t(RPM_BREAKPOINTS + c)] = uint8_t(sheet.X.Values[c]);
        for (int r = 0; r < SIZE; r++)
            for (int c = 0; c < SIZE; c++)
                image.b[size_t(AFR + SIZE * r + c)] = uint8_t(sheet.V.Values[r * TAB_MAX_COLS + c]);
    }
}

void LoadTuningPage(TMainForm* form)
{
    TuningPageControls& page = form->Tuning;
    const RsImage& image = form->PcImage;
    SetRadioGroupFromByte(form, page.RadioGroupLadeniMode, 0, MODE);
    SetRadioGroupFromByte(form, page.RadioGroupLadeniOnByTLS, 0, SWITCH);
    SetRadioGroupFromByte(form, page.RadioGroupTunningSource, 0, SOURCE);
    for (const Cell& c : CELLS)
        SetUpDownFromByte(form, page.*c.upDown, 0, c.index, c.scale, c.bias);
    for (const DeciCell& c : DECI_CELLS)
        SetUpDownFromByte(form, page.*c.upDown, 0, c.index, 1, 0);
    // The maximum first, so a channel above an older output count is kept.
    page.UpDownLadeniKanal->SetMax(image.b[OUTPUTS]);
    SetUpDownFromByte(form, page.UpDownLadeniKanal, 0, CHANNEL, 1, 0);
    if (image.b[CHANNEL] == 0) {
        const int32_t wasLoading = form->LoadingControls;
        form->LoadingControls = 1;
        page.EditLadeniKanal->SetText("ALL");
        form->LoadingControls = wasLoading;
    }
    if (TTab* table = form->Maps.TuningTable) {
        CSheet& sheet = table->Sheets[0];
        sheet.X.Count = SIZE;
        sheet.Y.Count = SIZE;
        for (int c = 0; c < SIZE; c++)
            sheet.X.Values[c] = image.b[size_t(RPM_BREAKPOINTS + c)];
        for (int r = 0; r < SIZE; r++)
            for (int c = 0; c < SIZE; c++)
                sheet.V.Values[r * TAB_MAX_COLS + c] = image.b[size_t(AFR + SIZE * r + c)];
        table->UpdateToolbar();
        table->RedrawBits |= REDRAW_VALUES;
        SyncMapTables(form->Maps);
    }
    UpdateTuningControls(form);
}

void TuningTableChanged(TMainForm* form, TTab*)
{
    CommitEditNow(form);
}

void UpdateTuningControls(TMainForm* form)
{
    TuningPageControls& page = form->Tuning;
    if (!page.CheckBoxLadeniPovoleno)
        return;
    const RsImage& image = form->PcImage;
    const bool on = page.CheckBoxLadeniPovoleno->Checked();
    if (form->MenuLadeniOn)
        form->MenuLadeniOn->SetChecked(on);
    page.CheckBoxLadeniPovoleno->SetColor(on ? clRed : clBtnFace);
    const int switchItem = page.RadioGroupLadeniOnByTLS->ItemIndex();
    page.RadioGroupLadeniOnByTLS->SetColor(switchItem == 1 || switchItem == 2 ? clRed : clBtnFace);
    page.RadioGroupTunningSource->SetColor(page.RadioGroupTunningSource->ItemIndex() == 2 ? clRed : clBtnFace);

    const bool points = image.b[MODE] == 0;
    SetShown({ page.EditLadeniRpm, page.UpDownLadeniRpm, page.LabelLadeniRpm, page.EditLadeniTps, page.UpDownLadeniTps,
                 page.LabelLadeniTps },
        points);
    const bool channel
        = image.b[COUPLING] == 0 && image.b[OUTPUTS] >= 2 && page.RadioGroupTunningSource->ItemIndex() == 0;
    SetShown({ page.EditLadeniKanal, page.UpDownLadeniKanal, page.LabelLadeniKanal }, channel);
    page.UpDownLadeniKanal->SetMax(image.b[OUTPUTS]);
    SetShown({ page.EditCompLimit, page.UpDownCompLimit, page.LabelCompLimit }, image.b[SOURCE] != 0);
}

void TMainForm::RadioGroupLadeniModeClick(TObject* Sender)
{
    if (LoadingControls)
        return;
    NoteControlEdit(this, Sender, 0);
}

void TMainForm::RadioGroupTunningSrcClick(TObject* Sender)
{
    if (LoadingControls)
        return;
    TRadioGroup* group = Tuning.RadioGroupTunningSource;
    const int stored = PcImage.b[SOURCE];
    if (stored != 2 && group->ItemIndex() == 2) {
        LoadingControls = 1;
        const int answer = AskHoldingEdits(this, MessageTable[MSG_FOLD_CORRECTIONS].c_str(),
            MessageTable[MSG_WARNING].c_str(), MB_SYSTEMMODAL | MB_ICONWARNING | MB_OKCANCEL | MB_DEFBUTTON2);
        if (answer != IDOK) {
            group->SetItemIndex(stored);
            LoadingControls = 0;
            return;
        }
        LoadingControls = 0;
        MoveCorrectionsToMaps(this, FOLD_AND_CLEAR);
    }
    NoteControlEdit(this, Sender, 0);
}
