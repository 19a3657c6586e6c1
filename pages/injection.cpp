#include "pages/injection.h"

#include "app/binding.h"
#include "app/bitmaps.h"
#include "app/editpath.h"
#include "app/main.h"
#include "mapedit/tab.h"
#include "pages/advance.h"
#include "pages/pagelayout.h"
#include "pages/pages.h"

#include <algorithm>

using namespace injection_cells;

namespace {

using C = InjectionPageControls;
using Row = PageLayoutRow<C>;
using enum PageControlKind;
using enum PageLeft;

constexpr TColor AXIS_COLOUR = 0xFCF2E4;
constexpr TColor IAP_COLOUR = 0xFFEEEE;
constexpr TColor GREEN_COLOUR = 0xF4FEE4;
constexpr int32_t INJECTION_STYLE = TABSTYLE_TOOLBAR | TABSTYLE_TABLE | TABSTYLE_2D | TABSTYLE_3D;
constexpr uint32_t FLAGS_TIME
    = SHEET_LIVE_MARKER | SHEET_LOG_STEPS | SHEET_LIMITER_LINE | SHEET_START_LIMITER_LINE | SHEET_FAST_REPEAT_CELLS;
constexpr uint32_t FLAGS_PERCENT = FLAGS_TIME & ~SHEET_LOG_STEPS;
constexpr int RANGE_GROUP = 0x100;
// The map ends 30 pixels above the sheet's bottom, the strip 26.
constexpr int TABLE_TOP = 4;
constexpr int TABLE_BOTTOM_GAP = 30;
constexpr int STRIP_BOTTOM_GAP = 26;
// The groups of the strip start behind the coupling picture; a group shows
// only on its sheets, so they share the place (the B buttons too).
constexpr int GROUP_LEFT = 140;
constexpr int IAP_LABEL_ROOM = 70; // "IAP -> TP:" and its gap
constexpr int CYLINDER_PAIR_PITCH = 60;
constexpr int LABEL_GAP = 4;
constexpr int PAIR_GAP = 15;

// A sheet: where its breakpoints, count and cells are in the image.
struct SheetCells {
    const char* caption;
    const char* yLabel;
    int rpmBytes;
    bool ownsRpm; // stores its breakpoints and count; the compensation maps follow their base maps
    int countByte;
    bool words; // cells are words in µs (cell = word × 10), else bytes
    int cells; // word index or byte offset
    bool iapRows; // load breakpoints from the IAP words, else the TP list
};

constexpr SheetCells SHEETS[INJECTION_SHEETS] = {
    { "Inj. 1", "TP", INJECTOR_RPM, true, RPM_COUNTS, true, INJECTOR_MAP_WORDS, false },
    { "Inj. 2", "TP", INJECTOR_RPM + 20, true, RPM_COUNTS + 1, true, INJECTOR_MAP_WORDS + 200, false },
    { "Inj. 3", "TP", INJECTOR_RPM + 40, true, RPM_COUNTS + 2, true, INJECTOR_MAP_WORDS + 400, false },
    { "Inj. 4", "TP", INJECTOR_RPM + 60, true, RPM_COUNTS + 3, true, INJECTOR_MAP_WORDS + 600, false },
    { "Comp. TP", "TP", INJECTOR_RPM, false, RPM_COUNTS, false, TP_COMPENSATION, false },
    { "Inj. B", "TP", B_RPM, true, RPM_COUNTS + 4, false, B_SHARE, false },
    { "Inj. IAP", "IAP", IAP_RPM, true, RPM_COUNTS + 5, true, IAP_MAP_WORDS, true },
    { "Comp. IAP", "IAP", IAP_RPM, false, RPM_COUNTS + 5, false, IAP_COMPENSATION, true },
};
constexpr int COMP_TP_SHEET = 4;
constexpr int B_SHEET = 5;
constexpr int IAP_SHEET = 6;
constexpr int COMP_IAP_SHEET = 7;

// Graph steps: span limit, then the four steps.
constexpr TickRecord RPM_TICKS[] = {
    { 4000, 2000, 1000, 200, 1000 },
    { 10000, 2000, 1000, 500, 1000 },
    { 25000, 2000, 1000, 1000, 2000 },
    {},
};
constexpr TickRecord INJECTION_TICKS[] = {
    { 2.5, 1, 0.5, 0.5, 0.5 },
    { 10, 2, 1, 1, 1 },
    { 30, 5, 5, 5, 5 },
    {},
};
constexpr TickRecord PERCENT_TICKS[] = {
    { 10, 5, 1, 1, 2 },
    { 30, 5, 5, 5, 5 },
    { 100, 20, 10, 5, 20 },
    { 500, 100, 50, 25, 100 },
    {},
};

// clang-format off
constexpr Row STRIP[] = {
    { .kind = Image, .field = &C::ImageInjectionCoupling, .x = 4, .y = 0, .width = 128, .height = 24,
        .name = "ImageInjectionCoupling" },
    { .kind = RadioButton, .field = &C::RadioButtonBSplits, .anchor = LEFT_FLOW, .x = 8, .y = 3, .width = 110,
        .height = 17, .caption = "B spilts", .name = "RadioButtonBSplits" },
    { .kind = RadioButton, .field = &C::RadioButtonBAdds, .anchor = LEFT_FLOW, .x = 0, .y = 3, .width = 120,
        .height = 17, .caption = "B adds", .name = "RadioButtonBAdds" },
    { .kind = Label, .field = &C::LabelIapToTp, .x = GROUP_LEFT, .y = 5, .caption = "IAP -> TP:",
        .name = "LabelIapToTp" },
    // The compensation group, from the changeover label on.
    { .kind = Button, .field = &C::ButtonMoveCorrections, .anchor = LEFT_FLOW, .x = PAIR_GAP, .y = 4, .width = 150,
        .height = 16, .caption = "Move corections to tab", .name = "ButtonMoveCorrections" },
    { .kind = EditUpDown, .field = &C::UpDownCompensationLimit, .edit = &C::EditCompensationLimit,
        .anchor = LEFT_FLOW, .x = 10, .y = 2, .width = 30, .min = 0, .max = 150, .name = "UpDownCompensationLimit",
        .editName = "EditCompensationLimit" },
    // Measured with the caption the language pass gives it.
    { .kind = Label, .field = &C::LabelCompensationLimit, .anchor = LEFT_FLOW, .x = LABEL_GAP, .y = 5,
        .caption = "###Compensation limit [+/- %]##Compensation limit [+/- %]##Limit kompenzace [+/- %]",
        .name = "LabelCompensationLimit" },
    { .kind = CheckBox, .field = &C::CheckBoxCorrectResult, .anchor = LEFT_FLOW, .x = PAIR_GAP, .y = 2,
        .width = 230, .height = 20, .caption = "correct the resulting injection time",
        .name = "CheckBoxCorrectResult" },
    // The changeover group.
    { .kind = EditUpDown, .field = &C::UpDownIapBlend1, .edit = &C::EditIapBlend1, .x = GROUP_LEFT + IAP_LABEL_ROOM,
        .y = 2, .width = 30, .min = 0, .max = 101, .name = "UpDownIapBlend1", .editName = "EditIapBlend1" },
    { .kind = Label, .field = &C::LabelIapBlend1, .anchor = LEFT_FLOW, .x = LABEL_GAP, .y = 5, .caption = "TP min",
        .name = "LabelIapBlend1" },
    { .kind = EditUpDown, .field = &C::UpDownIapBlend2, .edit = &C::EditIapBlend2, .anchor = LEFT_FLOW,
        .x = PAIR_GAP, .y = 2, .width = 30, .min = 0, .max = 101, .name = "UpDownIapBlend2",
        .editName = "EditIapBlend2" },
    { .kind = Label, .field = &C::LabelIapBlend2, .anchor = LEFT_FLOW, .x = LABEL_GAP, .y = 5, .caption = "TP max",
        .name = "LabelIapBlend2" },
    { .kind = EditUpDown, .field = &C::UpDownIapBlend3, .edit = &C::EditIapBlend3, .anchor = LEFT_FLOW,
        .x = PAIR_GAP, .y = 2, .width = 40, .min = 0, .max = 25000, .name = "UpDownIapBlend3",
        .editName = "EditIapBlend3", .step = 100 },
    { .kind = Label, .field = &C::LabelIapBlend3, .anchor = LEFT_FLOW, .x = LABEL_GAP, .y = 5, .caption = "RPM min",
        .name = "LabelIapBlend3" },
    { .kind = EditUpDown, .field = &C::UpDownIapBlend4, .edit = &C::EditIapBlend4, .anchor = LEFT_FLOW,
        .x = PAIR_GAP, .y = 2, .width = 40, .min = 0, .max = 25000, .name = "UpDownIapBlend4",
        .editName = "EditIapBlend4", .step = 100 },
    { .kind = Label, .field = &C::LabelIapBlend4, .anchor = LEFT_FLOW, .x = LABEL_GAP, .y = 5, .caption = "RPM max",
        .name = "LabelIapBlend4" },
    // The cylinder corrections: one byte each.
    { .kind = EditUpDown, .field = &C::UpDownInjCylCorrection1, .edit = &C::EditInjCylCorrection1, .x = GROUP_LEFT,
        .y = 2, .width = 40, .min = 0, .max = 255, .name = "UpDownInjCylCorrection1",
        .editName = "EditInjCylCorrection1", .step = 5 },
    { .kind = EditUpDown, .field = &C::UpDownInjCylCorrection2, .edit = &C::EditInjCylCorrection2,
        .x = GROUP_LEFT + CYLINDER_PAIR_PITCH, .y = 2, .width = 40, .min = 0, .max = 255,
        .name = "UpDownInjCylCorrection2", .editName = "EditInjCylCorrection2", .step = 5 },
    { .kind = EditUpDown, .field = &C::UpDownInjCylCorrection3, .edit = &C::EditInjCylCorrection3,
        .x = GROUP_LEFT + 2 * CYLINDER_PAIR_PITCH, .y = 2, .width = 40, .min = 0, .max = 255,
        .name = "UpDownInjCylCorrection3", .editName = "EditInjCylCorrection3", .step = 5 },
    { .kind = EditUpDown, .field = &C::UpDownInjCylCorrection4, .edit = &C::EditInjCylCorrection4,
        .x = GROUP_LEFT + 3 * CYLINDER_PAIR_PITCH, .y = 2, .width = 40, .min = 0, .max = 255,
        .name = "UpDownInjCylCorrection4", .editName = "EditInjCylCorrection4", .step = 5 },
    { .kind = Label, .field = &C::LabelInjCylCorrection, .anchor = LEFT_FLOW, .x = PAIR_GAP, .y = 5,
        .caption = "###Correction for cylinder##Korrektion für Zylinder##Korekce pro válec", .suffix = " 1,2,3,4",
        .name = "LabelInjCylCorrection" },
};
// clang-format on

// The up-downs bound to one byte each: byte = position / scale.
struct BoundByte {
    TUpDown* C::*upDown;
    int offset;
    int scale;
};
constexpr BoundByte BOUND_BYTES[] = {
    { &C::UpDownIapBlend1, IAP_BLEND, 1 },
    { &C::UpDownIapBlend2, IAP_BLEND + 1, 1 },
    { &C::UpDownIapBlend3, IAP_BLEND + 2, 100 },
    { &C::UpDownIapBlend4, IAP_BLEND + 3, 100 },
    { &C::UpDownInjCylCorrection1, CYLINDER_CORRECTION, 1 },
    { &C::UpDownInjCylCorrection2, CYLINDER_CORRECTION + 1, 1 },
    { &C::UpDownInjCylCorrection3, CYLINDER_CORRECTION + 2, 1 },
    { &C::UpDownInjCylCorrection4, CYLINDER_CORRECTION + 3, 1 },
    { &C::UpDownCompensationLimit, COMPENSATION_LIMIT, 1 },
};

constexpr TUpDown* C::*CYLINDER_UPDOWNS[4] = { &C::UpDownInjCylCorrection1, &C::UpDownInjCylCorrection2,
    &C::UpDownInjCylCorrection3, &C::UpDownInjCylCorrection4 };
constexpr TEdit* C::*CYLINDER_EDITS[4]
    = { &C::EditInjCylCorrection1, &C::EditInjCylCorrection2, &C::EditInjCylCorrection3, &C::EditInjCylCorrection4 };

int32_t& Cell(CSheet& sheet, int column, int row)
{
    return sheet.V.Values[row * TAB_MAX_COLS + column];
}

// The image value of a sheet's cell as the sheet shows it.
int32_t ImageCell(const RsImage& image, const SheetCells& def, int column, int row)
{
    const int element = def.cells + MAP_COLUMNS * row + column;
    return def.words ? int32_t(image.Word(element)) * 10 : int32_t(image.b[size_t(element)]);
}

void StoreCell(RsImage& image, const SheetCells& def, int column, int row, int32_t value)
{
    const int element = def.cells + MAP_COLUMNS * row + column;
    if (def.words)
        image.SetWord(element, uint16_t(value / 10));
    else
        image.b[size_t(element)] = uint8_t(value);
}

int CouplingMode(const RsImage& image)
{
    return image.b[COUPLING];
}

// The number of outputs as tabs and titles read it: 1..4.
int OutputCount(const RsImage& image)
{
    return std::clamp(int(image.b[CYLINDERS]), 1, 4);
}

// The sheet whose image cells a sheet shows: with all four maps equal the
// injector sheets show map 1.
int SourceSheet(const RsImage& image, int sheet)
{
    return sheet < INJECTOR_MAPS && CouplingMode(image) == COUPLING_ALL_EQUAL ? 0 : sheet;
}

void DefineSheet(TTab* table, int index)
{
    const SheetCells& def = SHEETS[index];
    const bool time = def.words;
    const bool compensation = index == COMP_TP_SHEET || index == COMP_IAP_SHEET;
    const bool iap = def.iapRows;
    const int s = table->AddSheet(
        def.caption, "RPM", def.yLabel, "Injection", MAP_COLUMNS, MAP_ROWS, time ? FLAGS_TIME : FLAGS_PERCENT);
    if (s < 0)
        return;
    // The compensation maps take the rpm points of their base maps.
    const int rpmEditable = compensation ? 0 : 1;
    table->DefineAxes(s, 1, "RPM", "", 3, 250, 100, 1, RPM_TICKS, rpmEditable, 1, 1, MAP_COLUMNS, 0, 0, rpmEditable, -1,
        RANGE_GROUP, AXIS_COLOUR, nullptr);
    if (iap)
        table->DefineAxes(s, 2, "IAP", "kPa", 0, 500, 1, 1, nullptr, index == IAP_SHEET ? 1 : 0, 1, 1, MAP_ROWS, 0, 0,
            0, -2, 0, IAP_COLOUR, nullptr);
    else
        table->DefineAxes(
            s, 2, "TP", "%", 0, 100, 1, 1, nullptr, 0, 1, 1, MAP_ROWS, 0, 0, 0, -2, RANGE_GROUP, AXIS_COLOUR, nullptr);
    const QImage* picture = GetJpgBitmap("BGINJB");
    if (time) {
        table->DefineAxes(s, 4, "INJ", "ms", 0, 655350, 0.0001, 0, INJECTION_TICKS, 1, 0, 0, 0, 0, 0, 0, 0, RANGE_GROUP,
            AXIS_COLOUR, picture);
        table->Sheets[s].V.Step = 10;
    } else if (compensation) {
        table->DefineAxes(
            s, 4, "CMP", "%", 1, 250, 1, 0, PERCENT_TICKS, 1, 0, 0, 0, 0, 0, 0, 0, 0, AXIS_COLOUR, picture);
    } else {
        table->DefineAxes(
            s, 4, "INJB", "%", 0, 100, 1, 0, PERCENT_TICKS, 1, 0, 0, 0, 0, 0, 0, 0, 0, AXIS_COLOUR, picture);
    }
    table->ApplyLimits(&table->Sheets[s], 0x107);
}

void LoadSheet(TMainForm* form, TTab* table, int index)
{
    const RsImage& image = form->PcImage;
    const SheetCells& def = SHEETS[SourceSheet(image, index)];
    CSheet& sheet = table->Sheets[index];
    sheet.X.Count = MAP_COLUMNS;
    sheet.Y.Count = MAP_ROWS;
    sheet.X.Collapsed = 0;
    sheet.Y.Collapsed = 0;
    for (int c = 0; c < MAP_COLUMNS; c++)
        sheet.X.Values[c] = image.b[size_t(def.rpmBytes + c)];
    for (int r = 0; r < MAP_ROWS; r++) {
        sheet.Y.Values[r] = def.iapRows ? int16_t(image.Word(IAP_BREAKPOINTS_WORD + r)) : TP_BREAKPOINTS[r];
        for (int c = 0; c < MAP_COLUMNS; c++)
            Cell(sheet, c, r) = ImageCell(image, def, c, r);
    }
}

void SetShown(std::initializer_list<TControl*> controls, bool shown)
{
    for (TControl* c : controls)
        if (c->Visible() != shown)
            c->SetVisible(shown);
}

void DrawCouplingPicture(TMainForm* form, int mode, int outputs)
{
    TImage* image = form->Injection.ImageInjectionCoupling;
    if (mode == COUPLING_NORMAL || outputs == 1) {
        image->SetVisible(false);
        return;
    }
    static const char* const COUPLED[] = { "1 -> 2", "1 -> 2,3", "1 -> 2,3,4" };
    static const char* const EQUAL[] = { "1 = 2", "1 = 2 = 3", "1 = 2 = 3 = 4" };
    const bool coupled = mode == COUPLING_COUPLED;
    const std::string_view text = (coupled ? COUPLED : EQUAL)[outputs - 2];
    TCanvas* canvas = image->Canvas();
    const int w = image->Width(), h = image->Height();
    canvas->Brush.Style = bsSolid;
    canvas->Brush.Color = coupled ? clYellow : clAqua;
    canvas->Pen.Color = clBlack;
    canvas->Font.SetSize(14);
    canvas->Rectangle(0, 0, w, h);
    canvas->Brush.Style = bsClear;
    canvas->Font.SetSize(9);
    canvas->Font.SetColor(clBlack);
    canvas->TextOut((w - canvas->TextWidth(text)) / 2, (h - canvas->TextHeight(text)) / 2, text);
    image->Invalidate();
    image->SetVisible(true);
}

// Links and edit rights of the injector sheets: in coupled mode sheets 1..3
// follow sheet 0's rpm points and take its edits, so they are not edited.
void ApplyCouplingRights(TTab* table, int mode)
{
    const bool coupled = mode == COUPLING_COUPLED;
    table->Sheets[0].LinkId = coupled ? 1 : 0;
    for (int k = 1; k < INJECTION_SHEETS; k++) {
        CSheet& sheet = table->Sheets[k];
        if (k < INJECTOR_MAPS) {
            sheet.FollowerId = coupled ? 1 : 0;
            sheet.X.Editable = coupled ? 0 : 1;
            sheet.X.Resizable = coupled ? 0 : 1;
            sheet.V.Editable = coupled ? 0 : 1;
        } else {
            sheet.FollowerId = 0;
        }
    }
}

// The strip's controls by the shown sheet.
void ShowStripOf(TMainForm* form, int shown)
{
    InjectionPageControls& page = form->Injection;
    const RsImage& image = form->PcImage;
    const bool injector = shown >= 0 && shown < INJECTOR_MAPS;
    const bool compensation = shown == COMP_TP_SHEET || shown == COMP_IAP_SHEET;
    const bool correctResult = image.b[CORRECT_RESULT] != 0;
    SetShown({ page.LabelIapToTp, page.EditIapBlend1, page.UpDownIapBlend1, page.LabelIapBlend1, page.EditIapBlend2,
                 page.UpDownIapBlend2, page.LabelIapBlend2, page.EditIapBlend3, page.UpDownIapBlend3,
                 page.LabelIapBlend3, page.EditIapBlend4, page.UpDownIapBlend4, page.LabelIapBlend4 },
        injector);
    const int outputs = OutputCount(image);
    int lastRight = 0;
    for (int i = 0; i < 4; i++) {
        const bool shownPair = shown == IAP_SHEET && i < outputs;
        SetShown({ page.*CYLINDER_EDITS[i], page.*CYLINDER_UPDOWNS[i] }, shownPair);
        if (shownPair)
            lastRight = (page.*CYLINDER_UPDOWNS[i])->Left() + (page.*CYLINDER_UPDOWNS[i])->Width();
    }
    if (shown == IAP_SHEET)
        page.LabelInjCylCorrection->SetLeft(lastRight + PAIR_GAP);
    SetShown({ page.LabelInjCylCorrection }, shown == IAP_SHEET);
    SetShown({ page.EditCompensationLimit, page.UpDownCompensationLimit, page.LabelCompensationLimit }, compensation);
    SetShown({ page.ButtonMoveCorrections }, shown == COMP_TP_SHEET || (shown == COMP_IAP_SHEET && !correctResult));
    const int slot = shown != COMP_IAP_SHEET && correctResult ? 199 : 198;
    page.ButtonMoveCorrections->SetCaption(std::string_view(form->MessageTable[slot]));
    SetShown({ page.CheckBoxCorrectResult }, shown == COMP_IAP_SHEET);
    SetShown({ page.RadioButtonBSplits, page.RadioButtonBAdds }, shown == B_SHEET);
}

// A product above 16 bits holds at the longest time a word can give.
uint16_t Scaled(uint16_t word, int percent)
{
    return uint16_t(std::min(int64_t(word) * percent / 100, int64_t(0xFFFF)));
}

} // namespace

void CreateInjectionPage(TMainForm* form)
{
    InjectionPageControls& page = form->Injection;
    TTabSheet* sheet = CreateRunTimeSheet(form, PAGE_SLOT_INJECTION);
    TTab* table = CreateMapTable(
        form->Maps, 5, sheet->ClientWidth(), sheet->ClientHeight() - TABLE_BOTTOM_GAP, INJECTION_STYLE, sheet);
    form->Maps.InjectionTable = table;
    if (table) {
        table->move(0, TABLE_TOP);
        table->ColumnSlots = 15;
        table->RowSlots = MAP_ROWS;
        for (int s = 0; s < INJECTION_SHEETS; s++)
            DefineSheet(table, s);
    }
    page.InjectionRpmCounts.fill(15);
    BuildPageControls<C>(form, page, sheet, sheet->ClientHeight() - STRIP_BOTTOM_GAP, STRIP);
    page.ButtonMoveCorrections->OnClick
        = [form](TObject*) { MoveCorrectionsToMaps(form, MOVE_TP_CORRECTIONS | MOVE_IAP_CORRECTIONS); };
    SetInjectionBackgrounds(form);
    if (table)
        table->SelectSheet(0);
    LoadInjectionPage(form);
}

void NormaliseInjectionMaps(TMainForm* form)
{
    RsImage& image = form->PcImage;
    InjectionPageControls& page = form->Injection;
    for (int s = 0; s < INJECTION_SHEETS; s++) {
        const SheetCells& def = SHEETS[s];
        const int count = std::min(int(image.b[size_t(def.countByte)]), MAP_COLUMNS);
        page.InjectionRpmCounts[size_t(s)] = count;
        // A count of 0 comes before the first consistency pass, which makes it 20.
        const int n = count == 0 ? MAP_COLUMNS : count;
        if (def.ownsRpm)
            for (int c = n; c < MAP_COLUMNS; c++)
                image.b[size_t(def.rpmBytes + c)] = uint8_t(image.b[size_t(def.rpmBytes + n - 1)] + (c - n + 1));
        for (int r = 0; r < MAP_ROWS; r++)
            for (int c = n; c < MAP_COLUMNS; c++)
                StoreCell(image, def, c, r, ImageCell(image, def, n - 1, r));
    }
}

void LoadInjectionPage(TMainForm* form)
{
    InjectionPageControls& page = form->Injection;
    NormaliseInjectionMaps(form);
    for (const BoundByte& cell : BOUND_BYTES)
        SetUpDownFromByte(form, page.*cell.upDown, 0, cell.offset, cell.scale, 0);
    SetCheckBoxFromByte(form, page.CheckBoxCorrectResult, 0, CORRECT_RESULT);

    TTab* table = form->Maps.InjectionTable;
    if (table) {
        for (int s = 0; s < INJECTION_SHEETS; s++)
            LoadSheet(form, table, s);
        for (int s = 0; s < INJECTION_SHEETS; s++) {
            int& count = page.InjectionRpmCounts[size_t(s)];
            if (count == 0)
                count = 15;
            table->Sheets[s].X.Count = page.InjectionRpmCounts[size_t(SourceSheet(form->PcImage, s))];
        }
        TakeInjectionSnapshot(form);
        table->UpdateToolbar();
        table->RedrawBits |= REDRAW_VALUES;
        MarkStaleMapLimits(form);
        SyncMapTables(form->Maps);
    }
    const bool adds = form->PcImage.b[B_USE] != 0;
    const int32_t loading = form->LoadingControls;
    form->LoadingControls = 1;
    page.RadioButtonBSplits->SetChecked(!adds);
    page.RadioButtonBAdds->SetChecked(adds);
    form->LoadingControls = loading;
    UpdateInjectionTitles(form);
}

void StoreInjectionPage(TMainForm* form)
{
    if (form->LoadingControls)
        return;
    InjectionPageControls& page = form->Injection;
    RsImage& image = form->PcImage;
    for (const BoundByte& cell : BOUND_BYTES)
        StoreUpDownToByte(form, page.*cell.upDown, 0, cell.offset, cell.scale, 0);
    StoreCheckBoxToByte(form, page.CheckBoxCorrectResult, 0, CORRECT_RESULT);

    if (TTab* table = form->Maps.InjectionTable) {
        for (int s = 0; s < INJECTION_SHEETS; s++) {
            const SheetCells& def = SHEETS[s];
            // With all four maps equal, sheet 0 goes into every injector map.
            const CSheet& sheet = table->Sheets[SourceSheet(image, s)];
            if (def.ownsRpm) {
                for (int c = 0; c < MAP_COLUMNS; c++)
                    image.b[size_t(def.rpmBytes + c)] = uint8_t(sheet.X.Values[c]);
                image.b[size_t(def.countByte)] = uint8_t(sheet.X.Count);
            }
            if (s == IAP_SHEET)
                for (int r = 0; r < MAP_ROWS; r++)
                    image.SetWord(IAP_BREAKPOINTS_WORD + r, uint16_t(sheet.Y.Values[r]));
            for (int r = 0; r < MAP_ROWS; r++)
                for (int c = 0; c < MAP_COLUMNS; c++)
                    StoreCell(image, def, c, r, sheet.V.Values[r * TAB_MAX_COLS + c]);
            page.InjectionRpmCounts[size_t(s)] = sheet.X.Count;
        }
    }
    image.b[B_USE] = page.RadioButtonBSplits->Checked() ? 0 : 1;
    NormaliseInjectionMaps(form);
}

void InjectionTableChanged(TMainForm* form, TTab*)
{
    if (CouplingMode(form->PcImage) == COUPLING_COUPLED)
        CarryOverCoupledEdit(form);
    TakeInjectionSnapshot(form);
    CommitEditNow(form);
}

void TakeInjectionSnapshot(TMainForm* form)
{
    const TTab* table = form->Maps.InjectionTable;
    if (!table)
        return;
    InjectionPageControls& page = form->Injection;
    const CSheet& sheet = table->Sheets[0];
    std::copy_n(sheet.V.Values, TAB_CELLS, page.InjectionSnapshot.begin());
    page.InjectionSnapshotColumns = sheet.X.Count;
    page.InjectionSnapshotRows = sheet.Y.Count;
}

void UpdateInjectionTitles(TMainForm* form)
{
    const RsImage& image = form->PcImage;
    const int mode = CouplingMode(image);
    const int outputs = OutputCount(image);
    DrawCouplingPicture(form, mode, outputs);
    const std::pair<const char*, int> items[] = { { "Menu_Jet123Normal", COUPLING_NORMAL },
        { "Menu_Jet123Coupled", COUPLING_COUPLED }, { "Menu_Jet123Stejny", COUPLING_ALL_EQUAL } };
    for (const auto& [name, itemMode] : items)
        if (auto* item = dynamic_cast<TMenuItem*>(form->FindComponent(name)))
            item->SetChecked(mode == itemMode);

    TTab* table = form->Maps.InjectionTable;
    if (!table)
        return;
    const int tabs = mode == COUPLING_ALL_EQUAL ? 1 : outputs;
    for (int k = 0; k < INJECTOR_MAPS; k++)
        table->Sheets[k].Hidden = k >= tabs ? 1 : 0;
    const char* caption = tabs > 1 ? SHEETS[0].caption : outputs < 2 ? "Injection TP" : "Injection TP united";
    if (std::string_view(table->Sheets[0].Caption) != caption)
        table->SetSheetCaption(0, caption);
    ApplyCouplingRights(table, mode);
    if (table->CurrentIndex < 0 || table->Sheets[table->CurrentIndex].Hidden)
        table->SelectSheet(0);
    table->RedrawBits |= REDRAW_VALUES;
    const int limit = image.b[COMPENSATION_LIMIT];
    for (int s : { COMP_TP_SHEET, COMP_IAP_SHEET }) {
        table->Sheets[s].V.Min = std::max(0, 100 - limit);
        table->Sheets[s].V.Max = 100 + limit;
    }
    ShowStripOf(form, table->CurrentIndex);
}

void MoveCorrectionsToMaps(TMainForm* form, int flags)
{
    RsImage& image = form->PcImage;
    auto fold = [&image](int firstWord, int compensation) {
        for (int r = 0; r < MAP_ROWS; r++)
            for (int c = 0; c < MAP_COLUMNS; c++) {
                const int k = firstWord + MAP_COLUMNS * r + c;
                image.SetWord(k, Scaled(image.Word(k), image.b[size_t(compensation + MAP_COLUMNS * r + c)]));
            }
    };
    constexpr int COMPENSATION_CELLS = MAP_ROWS * MAP_COLUMNS;
    if (flags & MOVE_TP_CORRECTIONS) {
        for (int map = 0; map < INJECTOR_MAPS; map++)
            fold(INJECTOR_MAP_WORDS + map * COMPENSATION_CELLS, TP_COMPENSATION);
        std::fill_n(&image.b[TP_COMPENSATION], COMPENSATION_CELLS, uint8_t(100));
    }
    if ((flags & MOVE_IAP_CORRECTIONS) && image.b[CORRECT_RESULT] == 0) {
        fold(IAP_MAP_WORDS, IAP_COMPENSATION);
        std::fill_n(&image.b[IAP_COMPENSATION], COMPENSATION_CELLS, uint8_t(100));
    }
    LoadInjectionPage(form);
    CommitEditNow(form);
}

void SetInjectionBackgrounds(TMainForm* form)
{
    TTab* table = form->Maps.InjectionTable;
    if (!table)
        return;
    // Decoding the pictures waits for the first tick, so the start stays quick.
    const bool ticked = form->TickCount != 0;
    const QImage* green = ticked ? GetJpgBitmap("BGINJG") : nullptr;
    const QImage* blue = ticked ? GetJpgBitmap("BGINJB") : nullptr;
    auto paint = [](CSheet& sheet, TColor v, TColor x, TColor y, const QImage* picture) {
        sheet.V.Colour = v;
        sheet.X.Colour = x;
        sheet.Y.Colour = y;
        sheet.V.Background = picture;
        sheet.X.Background = nullptr;
        sheet.Y.Background = nullptr;
    };
    for (int k = 0; k < INJECTOR_MAPS; k++)
        paint(table->Sheets[k], GREEN_COLOUR, GREEN_COLOUR, GREEN_COLOUR, green);
    paint(table->Sheets[COMP_TP_SHEET], AXIS_COLOUR, AXIS_COLOUR, AXIS_COLOUR, blue);
    paint(table->Sheets[B_SHEET], GREEN_COLOUR, GREEN_COLOUR, IAP_COLOUR, green);
    table->RedrawBits |= REDRAW_RENDER | REDRAW_VALUES;
}
