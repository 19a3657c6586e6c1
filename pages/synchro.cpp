// The Synchro page's layout, its bound cells, the visibility and enabling
// rules and the handlers of its lists and radio groups.
#include "pages/synchro.h"

#include "app/binding.h"
#include "app/editpath.h"
#include "app/main.h"
#include "files/bikedefaults.h"
#include "pages/pagelayout.h"
#include "pages/pages.h"
#include "texts/langtext.h"

#include <algorithm>
#include <variant>

using namespace synchro_cells;

namespace {

using C = SynchroPageControls;
using Row = PageLayoutRow<C>;
using enum PageControlKind;

constexpr int EDIT_WIDTH = 40;
constexpr int SMALL_EDIT_WIDTH = 24;
constexpr int MAX_LOBES = 58;

constexpr Row Pair(TUpDown* C::*upDown, TEdit* C::*edit, int x, int y, int min, int max, const char* name,
    const char* editName, TGroupBox* C::*parent, int step = 1, int width = EDIT_WIDTH)
{
    return { .kind = EditUpDown,
        .field = upDown,
        .edit = edit,
        .x = x,
        .y = y,
        .width = width,
        .min = min,
        .max = max,
        .name = name,
        .editName = editName,
        .parent = parent,
        .step = step };
}
constexpr Row Text(TLabel* C::*label, int x, int y, const char* caption, const char* name, TGroupBox* C::*parent,
    const char* suffix = nullptr)
{
    return { .kind = Label,
        .field = label,
        .x = x,
        .y = y,
        .caption = caption,
        .suffix = suffix,
        .name = name,
        .parent = parent };
}
constexpr Row Check(
    TCheckBox* C::*box, int x, int y, int width, const char* caption, const char* name, TGroupBox* C::*parent)
{
    return { .kind = CheckBox,
        .field = box,
        .x = x,
        .y = y,
        .width = width,
        .height = 17,
        .caption = caption,
        .name = name,
        .parent = parent };
}
constexpr Row Radio(TRadioGroup* C::*group, int x, int y, int height, const char* caption, const char* items,
    const char* name, TGroupBox* C::*parent)
{
    return { .kind = RadioGroup,
        .field = group,
        .x = x,
        .y = y,
        .width = 224,
        .height = height,
        .caption = caption,
        .items = items,
        .columns = 2,
        .name = name,
        .parent = parent };
}

constexpr auto SYN = &C::GroupBoxSynchro;
constexpr auto CHN = &C::GroupBoxSKanaly;
constexpr auto HUN = &C::GroupBoxKyvani;
constexpr auto SPC = &C::GroupBoxSynchroSpecial;

constexpr const char* MAX_ADVANCE = "###Maximum advance##Maximal Vorzündung##Maximální předstih";
constexpr const char* START_ADVANCE = "###Start advance##Start Vorzündung##Startovací předstih";
constexpr const char* COEFF = "###Coeff##Koeff##Koef";
constexpr const char* PHASE = "###Phase##Phase##Fáze";
constexpr const char* FIRST_SECOND = "1st,2nd";

// Channel rows: the maximum advance, then the start advance, of channels 1..4.
constexpr int CHANNEL_TOP = 62;
constexpr int CHANNEL_STEP = 22;
constexpr int ChannelY(int channel, bool start)
{
    return CHANNEL_TOP + (2 * channel + (start ? 1 : 0)) * CHANNEL_STEP;
}
// Condition rows of the special synchronisation.
constexpr int ConditionY(int n)
{
    return 184 + (n - 1) * 26;
}

// clang-format off
constexpr Row LAYOUT[] = {
    { .kind = GroupBox, .field = &C::GroupBoxSynchro, .x = 8, .y = 8, .width = 480, .height = 286,
        .caption = "###Setting of synchronization##Stellung der Synchronisierung##Nastavení synchronizace",
        .name = "GroupBoxSynchro" },
    Text(&C::LabelSynchro1, 8, 24, "1-", "LabelSynchro1", SYN),
    { .kind = ComboBox, .field = &C::ComboBoxSynchro1, .x = 30, .y = 20, .width = 300, .height = 21,
        .name = "ComboBoxSynchro1", .parent = SYN },
    Text(&C::LabelSynchro2, 8, 50, "2 -", "LabelSynchro2", SYN),
    { .kind = ComboBox, .field = &C::ComboBoxSynchro2, .x = 30, .y = 46, .width = 300, .height = 21,
        .name = "ComboBoxSynchro2", .parent = SYN },
    Text(&C::Label1, 8, 76, "3 -", "Label1", SYN),
    { .kind = ComboBox, .field = &C::ComboBoxNasobekPalcu, .x = 30, .y = 72, .width = 300, .height = 21,
        .name = "ComboBoxNasobekPalcu", .parent = SYN },
    Text(&C::LabelSpecSynchro, 8, 100, "Caution - For experienced user only!", "LabelSpecSynchro", SYN),
    Text(&C::LabelPocPalcu, 8, 127, "###Number of lobes##Leitstückanzahl##Počet výstupků", "LabelPocPalcu", SYN),
    Pair(&C::UpDownPocPalcu, &C::EditPocPalcu, 174, 124, 1, MAX_LOBES, "UpDownPocPalcu", "EditPocPalcu", SYN),
    Text(&C::LabelVynechPalcu, 8, 153,
        "###Number of missing lobes##Ausgelassene Leitstücke Anzahl##Počet vynechaných výstupků", "LabelVynechPalcu", SYN),
    Pair(&C::UpDownVynechPalcu, &C::EditVynechPalcu, 174, 150, 0, MAX_LOBES, "UpDownVynechPalcu", "EditVynechPalcu", SYN),
    Text(&C::LabelPosunPalcu, 8, 179,
        "###Number of shifted lobes##Verschiebte Leitstücke Anzahl##Počet posunutých výstupků", "LabelPosunPalcu", SYN),
    Pair(&C::UpDownPosunPalcu, &C::EditPosunPalcu, 174, 176, 0, 4, "UpDownPosunPalcu", "EditPosunPalcu", SYN),
    Text(&C::LabelPredaniHodnot, 8, 205, "###Lobe of value aquisition##Leitstück Translation##Palec předání hodnot",
        "LabelPredaniHodnot", SYN),
    Pair(&C::UpDownPredaniHodnot, &C::EditPredaniHodnot, 174, 202, 1, MAX_LOBES, "UpDownPredaniHodnot",
        "EditPredaniHodnot", SYN),
    Text(&C::LabelSynchroMaxRpm, 8, 231, "Synchro max rpm [rpm]", "LabelSynchroMaxRpm", SYN),
    Pair(&C::UpDownSynchroMaxRpm, &C::EditSynchroMaxRpm, 174, 228, 900, 25000, "UpDownSynchroMaxRpm",
        "EditSynchroMaxRpm", SYN, 100, 50),
    Check(&C::CheckBoxInvInputKlika, 248, 126, 228,
        "###Inverse crankshaft polarity##Umgekehrte Kurbelgeber##Opačná polarita snímače kliky", "CheckBoxInvInputKlika", SYN),
    Check(&C::CheckBoxInvInputVacka, 248, 148, 228,
        "###Inverse camshaft polarity##Umgekehrte Nockengeber##Opačná polarita snímače vačky", "CheckBoxInvInputVacka", SYN),
    Check(&C::CheckBoxKazdy2Vstrik, 248, 170, 228,
        "###Omission every 2nd injection##Ausfall jede 2. Einspritz##Vynechání každého 2. vstriku", "CheckBoxKazdy2Vstrik", SYN),
    Check(&C::CheckBoxIgnPoSynchro1, 248, 192, 228,
        "###Spark after synchro 1##Funke nach Synchro 1##Zápal po synchro 1", "CheckBoxIgnPoSynchro1", SYN),
    Check(&C::CheckBoxZamenaPickup, 248, 214, 228,
        "###Pickups interchange (pin 1 a 19)##Geber vertauschen (pin 1 a 19)##Záměna snimačů (pin 1 a 19)",
        "CheckBoxZamenaPickup", SYN),
    Check(&C::CheckBoxIgnEveryTurn, 248, 236, 228,
        "###Ignition every turn##Zündung jede Runde##Zápal každou otáčku", "CheckBoxIgnEveryTurn", SYN),
    Text(&C::LabelSyncInfo1, 8, 262, nullptr, "LabelSyncInfo1", SYN),
    Text(&C::LabelSyncInfo2, 200, 262, nullptr, "LabelSyncInfo2", SYN),

    { .kind = GroupBox, .field = &C::GroupBoxSKanaly, .x = 8, .y = 300, .width = 480, .height = 246,
        .caption = "###Channels##Kanäle##Kanlály", .name = "GroupBoxSKanaly" },
    Check(&C::CheckBoxPalceMode, 8, 20, 200, "###Version max-start advance####Verze max-start předstih",
        "CheckBoxPalceMode", CHN),
    Text(&C::LabelPocKanOut, 230, 21, "###Number of cylinders##Zylinderanzahl##Počet válců", "LabelPocKanOut", CHN),
    Pair(&C::UpDownPocKanOut, &C::EditPocKanOut, 400, 18, 1, 4, "UpDownPocKanOut", "EditPocKanOut", CHN),
    Text(&C::LabelLobe, 170, 44, "###lobe##Leitstück##Výstupek", "LabelLobe", CHN),
    Text(&C::LabelHrana2, 250, 44, "###2nd Edge##2. Kante##2. Hrana", "LabelHrana2", CHN),
    Text(&C::LabelSnimac2, 330, 44, "###2nd Pick-up##2. Geber##2. Snímač", "LabelSnimac2", CHN),
    Text(&C::LabelPalec1Zac, 8, ChannelY(0, false) + 3, MAX_ADVANCE, "LabelPalec1Zac", CHN, " 1"),
    Pair(&C::UpDownPalec1Zac, &C::EditPalec1Zac, 170, ChannelY(0, false), 1, 2 * MAX_LOBES, "UpDownPalec1Zac", "EditPalec1Zac", CHN),
    Check(&C::CheckBoxPalec1ZacH2, 262, ChannelY(0, false) + 2, 20, nullptr, "CheckBoxPalec1ZacH2", CHN),
    Check(&C::CheckBoxPalec1ZacP2, 346, ChannelY(0, false) + 2, 20, nullptr, "CheckBoxPalec1ZacP2", CHN),
    Text(&C::LabelTop1, 8, ChannelY(0, true) + 3, START_ADVANCE, "LabelTop1", CHN, " 1"),
    Pair(&C::UpDownTop1, &C::EditTop1, 170, ChannelY(0, true), 1, 2 * MAX_LOBES, "UpDownTop1", "EditTop1", CHN),
    Check(&C::CheckBoxPalec1EndH2, 262, ChannelY(0, true) + 2, 20, nullptr, "CheckBoxPalec1EndH2", CHN),
    Check(&C::CheckBoxPalec1EndP2, 346, ChannelY(0, true) + 2, 20, nullptr, "CheckBoxPalec1EndP2", CHN),
    Text(&C::LabelPalec2Zac, 8, ChannelY(1, false) + 3, MAX_ADVANCE, "LabelPalec2Zac", CHN, " 2"),
    Pair(&C::UpDownPalec2Zac, &C::EditPalec2Zac, 170, ChannelY(1, false), 1, 2 * MAX_LOBES, "UpDownPalec2Zac", "EditPalec2Zac", CHN),
    Check(&C::CheckBoxPalec2ZacH2, 262, ChannelY(1, false) + 2, 20, nullptr, "CheckBoxPalec2ZacH2", CHN),
    Check(&C::CheckBoxPalec2ZacP2, 346, ChannelY(1, false) + 2, 20, nullptr, "CheckBoxPalec2ZacP2", CHN),
    Text(&C::LabelTop2, 8, ChannelY(1, true) + 3, START_ADVANCE, "LabelTop2", CHN, " 2"),
    Pair(&C::UpDownTop2, &C::EditTop2, 170, ChannelY(1, true), 1, 2 * MAX_LOBES, "UpDownTop2", "EditTop2", CHN),
    Check(&C::CheckBoxPalec2EndH2, 262, ChannelY(1, true) + 2, 20, nullptr, "CheckBoxPalec2EndH2", CHN),
    Check(&C::CheckBoxPalec2EndP2, 346, ChannelY(1, true) + 2, 20, nullptr, "CheckBoxPalec2EndP2", CHN),
    Text(&C::LabelPalec3Zac, 8, ChannelY(2, false) + 3, MAX_ADVANCE, "LabelPalec3Zac", CHN, " 3"),
    Pair(&C::UpDownPalec3Zac, &C::EditPalec3Zac, 170, ChannelY(2, false), 1, 2 * MAX_LOBES, "UpDownPalec3Zac", "EditPalec3Zac", CHN),
    Check(&C::CheckBoxPalec3ZacH2, 262, ChannelY(2, false) + 2, 20, nullptr, "CheckBoxPalec3ZacH2", CHN),
    Check(&C::CheckBoxPalec3ZacP2, 346, ChannelY(2, false) + 2, 20, nullptr, "CheckBoxPalec3ZacP2", CHN),
    Text(&C::LabelTop3, 8, ChannelY(2, true) + 3, START_ADVANCE, "LabelTop3", CHN, " 3"),
    Pair(&C::UpDownTop3, &C::EditTop3, 170, ChannelY(2, true), 1, 2 * MAX_LOBES, "UpDownTop3", "EditTop3", CHN),
    Check(&C::CheckBoxPalec3EndH2, 262, ChannelY(2, true) + 2, 20, nullptr, "CheckBoxPalec3EndH2", CHN),
    Check(&C::CheckBoxPalec3EndP2, 346, ChannelY(2, true) + 2, 20, nullptr, "CheckBoxPalec3EndP2", CHN),
    Text(&C::LabelPalec4Zac, 8, ChannelY(3, false) + 3, MAX_ADVANCE, "LabelPalec4Zac", CHN, " 4"),
    Pair(&C::UpDownPalec4Zac, &C::EditPalec4Zac, 170, ChannelY(3, false), 1, 2 * MAX_LOBES, "UpDownPalec4Zac", "EditPalec4Zac", CHN),
    Check(&C::CheckBoxPalec4ZacH2, 262, ChannelY(3, false) + 2, 20, nullptr, "CheckBoxPalec4ZacH2", CHN),
    Check(&C::CheckBoxPalec4ZacP2, 346, ChannelY(3, false) + 2, 20, nullptr, "CheckBoxPalec4ZacP2", CHN),
    Text(&C::LabelTop4, 8, ChannelY(3, true) + 3, START_ADVANCE, "LabelTop4", CHN, " 4"),
    Pair(&C::UpDownTop4, &C::EditTop4, 170, ChannelY(3, true), 1, 2 * MAX_LOBES, "UpDownTop4", "EditTop4", CHN),
    Check(&C::CheckBoxPalec4EndH2, 262, ChannelY(3, true) + 2, 20, nullptr, "CheckBoxPalec4EndH2", CHN),
    Check(&C::CheckBoxPalec4EndP2, 346, ChannelY(3, true) + 2, 20, nullptr, "CheckBoxPalec4EndP2", CHN),

    { .kind = GroupBox, .field = &C::GroupBoxKyvani, .x = 496, .y = 8, .width = 240, .height = 312,
        .caption = "###Hunting##Schwingung##Kývání", .name = "GroupBoxKyvani" },
    Radio(&C::RadioGroupKyvaniPodminka, 8, 18, 40, "###Center section##Mittelabschnitt##Stredni úsek",
        "Shortest,Longest", "RadioGroupKyvaniPodminka", HUN),
    Text(&C::LabelKyvaniFaze1, 8, 64, "###Traced sections##Beobach. Abschnitte##Sledované úseky", "LabelKyvaniFaze1", HUN),
    Text(&C::LabelPredchoziOtacka, 110, 64, "###Previous revolution##Vorumdrehung##Předchozí otáčka",
        "LabelPredchoziOtacka", HUN),
    Pair(&C::UpDownKyvaniFaze1, &C::EditKyvaniFaze1, 8, 82, 1, MAX_LOBES, "UpDownKyvaniFaze1", "EditKyvaniFaze1", HUN),
    Check(&C::CheckBoxKyvaniOtackaF1, 130, 84, 20, nullptr, "CheckBoxKyvaniOtackaF1", HUN),
    Pair(&C::UpDownKyvaniFaze2, &C::EditKyvaniFaze2, 8, 106, 1, MAX_LOBES, "UpDownKyvaniFaze2", "EditKyvaniFaze2", HUN),
    Check(&C::CheckBoxKyvaniOtackaF2, 130, 108, 20, nullptr, "CheckBoxKyvaniOtackaF2", HUN),
    Pair(&C::UpDownKyvaniFaze3, &C::EditKyvaniFaze3, 8, 130, 1, MAX_LOBES, "UpDownKyvaniFaze3", "EditKyvaniFaze3", HUN),
    Check(&C::CheckBoxKyvaniOtackaF3, 130, 132, 20, nullptr, "CheckBoxKyvaniOtackaF3", HUN),
    Radio(&C::RadioGroupKyvOtVyst, 8, 158, 40, "###Revolutin by compliance##Umdrehung bei Erfüllung##Otáčka při splnění",
        FIRST_SECOND, "RadioGroupKyvOtVyst", HUN),
    Text(&C::LabelKyvaniMinRpm, 8, 209, "Min Rpm", "LabelKyvaniMinRpm", HUN),
    Pair(&C::UpDownKyvaniMinRpm, &C::EditKyvaniMinRpm, 170, 206, 0, 25000, "UpDownKyvaniMinRpm", "EditKyvaniMinRpm",
        HUN, 100, 50),
    Text(&C::LabelKyvaniPocOtacek, 8, 235,
        "###Number of revolution min##Umdrehunganzahl min##Počet otáček min.", "LabelKyvaniPocOtacek", HUN),
    Pair(&C::UpDownKyvaniPocOtacek, &C::EditKyvaniPocOtacek, 170, 232, 0, 250, "UpDownKyvaniPocOtacek",
        "EditKyvaniPocOtacek", HUN, 1, 50),
    Radio(&C::RadioGroupKyvSrc, 8, 262, 40, "###Source##Ursache##Zdroj", "IAP,AP", "RadioGroupKyvSrc", HUN),

    { .kind = GroupBox, .field = &C::GroupBoxSynchroSpecial, .x = 744, .y = 8, .width = 240, .height = 318,
        .caption = "###Synchro 1 special##Synchro 1 sonder##Synchro 1 specielní", .name = "GroupBoxSynchroSpecial" },
    Radio(&C::RadioGroupSyn1SpHrana, 8, 18, 40, "###Evaluation edge##Kante der Auswertung##Hrana vyhodnocení",
        FIRST_SECOND, "RadioGroupSyn1SpHrana", SPC),
    Radio(&C::RadioGroupSyn1SpPocetH, 8, 62, 40,
        "###Traced sections number##Beobachtenekanteanzahl##Počet sledovaných hran", "1,2", "RadioGroupSyn1SpPocetH", SPC),
    Text(&C::LabelSyn1SpPocPodm, 8, 113, "###Number of condition##Bedingunganzahl##Počet podmínek", "LabelSyn1SpPocPodm", SPC),
    Pair(&C::UpDownSyn1SpPocPodm, &C::EditSyn1SpPocPodm, 180, 110, 0, 5, "UpDownSyn1SpPocPodm", "EditSyn1SpPocPodm", SPC),
    Text(&C::LabelSyn1SpFazeOut, 8, 139, "###Lobe by compliance##Leitstück bei Erfüllung##Výstupek při splnění",
        "LabelSyn1SpFazeOut", SPC),
    Pair(&C::UpDownSyn1SpFazeOut, &C::EditSyn1SpFazeOut, 180, 136, 1, MAX_LOBES, "UpDownSyn1SpFazeOut",
        "EditSyn1SpFazeOut", SPC),
    Text(&C::LabelKoef1, 8, 166, COEFF, "LabelKoef1", SPC),
    Text(&C::LabelFaze1, 64, 166, PHASE, "LabelFaze1", SPC),
    Text(&C::LabelKoef2, 124, 166, COEFF, "LabelKoef2", SPC),
    Text(&C::LabelFaze2, 180, 166, PHASE, "LabelFaze2", SPC),
#define SYNCHRO_CONDITION_ROWS(n)                                                                                    \
    Pair(&C::UpDownSyn1SpKoef##n##1, &C::EditSyn1SpKoef##n##1, 8, ConditionY(n), 1, 6, "UpDownSyn1SpKoef" #n "1",    \
        "EditSyn1SpKoef" #n "1", SPC, 1, SMALL_EDIT_WIDTH),                                                        \
    Text(&C::LabelSyn1SpK##n##1, 52, ConditionY(n) + 3, "*", "LabelSyn1SpK" #n "1", SPC),                          \
    Pair(&C::UpDownSyn1SpFaze##n##1, &C::EditSyn1SpFaze##n##1, 64, ConditionY(n), -9, 0, "UpDownSyn1SpFaze" #n "1", \
        "EditSyn1SpFaze" #n "1", SPC, 1, SMALL_EDIT_WIDTH),                                                        \
    Text(&C::LabelSyn1SpN##n, 110, ConditionY(n) + 3, "<", "LabelSyn1SpN" #n, SPC),                                \
    Pair(&C::UpDownSyn1SpKoef##n##2, &C::EditSyn1SpKoef##n##2, 124, ConditionY(n), 1, 6, "UpDownSyn1SpKoef" #n "2",  \
        "EditSyn1SpKoef" #n "2", SPC, 1, SMALL_EDIT_WIDTH),                                                        \
    Text(&C::LabelSyn1SpK##n##2, 168, ConditionY(n) + 3, "*", "LabelSyn1SpK" #n "2", SPC),                         \
    Pair(&C::UpDownSyn1SpFaze##n##2, &C::EditSyn1SpFaze##n##2, 180, ConditionY(n), -9, 0, "UpDownSyn1SpFaze" #n "2", \
        "EditSyn1SpFaze" #n "2", SPC, 1, SMALL_EDIT_WIDTH)
    SYNCHRO_CONDITION_ROWS(1),
    SYNCHRO_CONDITION_ROWS(2),
    SYNCHRO_CONDITION_ROWS(3),
    SYNCHRO_CONDITION_ROWS(4),
    SYNCHRO_CONDITION_ROWS(5),
#undef SYNCHRO_CONDITION_ROWS
};
// clang-format on

// The bound cells in the order they are stored; a load reads them in the
// same order once the ranges that depend on the image are set.
enum class CellKind { LIST, UP_DOWN, CHECK, RADIO };
struct BoundCell {
    CellKind kind;
    int index;
    TComboBox* C::*list = nullptr;
    TUpDown* C::*upDown = nullptr;
    TCheckBox* C::*check = nullptr;
    TRadioGroup* C::*radio = nullptr;
    int scale = 1;
    int bias = 0;
};
constexpr BoundCell List(TComboBox* C::*list, int index)
{
    return { .kind = CellKind::LIST, .index = index, .list = list };
}
constexpr BoundCell Value(TUpDown* C::*upDown, int index, int scale = 1, int bias = 0)
{
    return { .kind = CellKind::UP_DOWN, .index = index, .upDown = upDown, .scale = scale, .bias = bias };
}
constexpr BoundCell Flag(TCheckBox* C::*check, int index)
{
    return { .kind = CellKind::CHECK, .index = index, .check = check };
}
constexpr BoundCell Choice(TRadioGroup* C::*radio, int index)
{
    return { .kind = CellKind::RADIO, .index = index, .radio = radio };
}

// clang-format off
constexpr BoundCell CELLS[] = {
    List(&C::ComboBoxSynchro1, SYNCHRO_TYPE),
    List(&C::ComboBoxSynchro2, SYNCHRO2_TYPE),
    List(&C::ComboBoxNasobekPalcu, IGNITIONS_PER_TURN),
    Value(&C::UpDownPredaniHodnot, ACQUISITION_LOBE, 1, 1),
    Value(&C::UpDownSynchroMaxRpm, SYNCHRO_MAX_RPM, 100),
    Value(&C::UpDownPocPalcu, LOBES),
    Flag(&C::CheckBoxInvInputKlika, INVERT_CRANK),
    Flag(&C::CheckBoxInvInputVacka, INVERT_CAM),
    Flag(&C::CheckBoxZamenaPickup, PICKUPS_SWAPPED),
    Flag(&C::CheckBoxKazdy2Vstrik, SKIP_SECOND_INJECTION),
    Flag(&C::CheckBoxIgnPoSynchro1, SPARK_AFTER_SYNCHRO1),
    Flag(&C::CheckBoxIgnEveryTurn, IGNITION_EVERY_TURN),
    Flag(&C::CheckBoxPalceMode, MAX_START_MODE),
    Value(&C::UpDownPocKanOut, CYLINDERS),
    Value(&C::UpDownPalec1Zac, LOBE_MAX + 0), Value(&C::UpDownTop1, LOBE_START + 0),
    Flag(&C::CheckBoxPalec1ZacH2, LOBE_EDGES + 0), Flag(&C::CheckBoxPalec1EndH2, LOBE_EDGES + 4),
    Flag(&C::CheckBoxPalec1ZacP2, LOBE_EDGES + 8), Flag(&C::CheckBoxPalec1EndP2, LOBE_EDGES + 12),
    Value(&C::UpDownPalec2Zac, LOBE_MAX + 1), Value(&C::UpDownTop2, LOBE_START + 1),
    Flag(&C::CheckBoxPalec2ZacH2, LOBE_EDGES + 1), Flag(&C::CheckBoxPalec2EndH2, LOBE_EDGES + 5),
    Flag(&C::CheckBoxPalec2ZacP2, LOBE_EDGES + 9), Flag(&C::CheckBoxPalec2EndP2, LOBE_EDGES + 13),
    Value(&C::UpDownPalec3Zac, LOBE_MAX + 2), Value(&C::UpDownTop3, LOBE_START + 2),
    Flag(&C::CheckBoxPalec3ZacH2, LOBE_EDGES + 2), Flag(&C::CheckBoxPalec3EndH2, LOBE_EDGES + 6),
    Flag(&C::CheckBoxPalec3ZacP2, LOBE_EDGES + 10), Flag(&C::CheckBoxPalec3EndP2, LOBE_EDGES + 14),
    Value(&C::UpDownPalec4Zac, LOBE_MAX + 3), Value(&C::UpDownTop4, LOBE_START + 3),
    Flag(&C::CheckBoxPalec4ZacH2, LOBE_EDGES + 3), Flag(&C::CheckBoxPalec4EndH2, LOBE_EDGES + 7),
    Flag(&C::CheckBoxPalec4ZacP2, LOBE_EDGES + 11), Flag(&C::CheckBoxPalec4EndP2, LOBE_EDGES + 15),
    Value(&C::UpDownVynechPalcu, MISSING_LOBES),
    Value(&C::UpDownPosunPalcu, SHIFTED_LOBES),
    Choice(&C::RadioGroupKyvaniPodminka, HUNTING_CONDITION),
    Value(&C::UpDownKyvaniFaze1, HUNTING_PHASES + 0, 1, 1), Flag(&C::CheckBoxKyvaniOtackaF1, HUNTING_PREVIOUS + 0),
    Value(&C::UpDownKyvaniFaze2, HUNTING_PHASES + 1, 1, 1), Flag(&C::CheckBoxKyvaniOtackaF2, HUNTING_PREVIOUS + 1),
    Value(&C::UpDownKyvaniFaze3, HUNTING_PHASES + 2, 1, 1), Flag(&C::CheckBoxKyvaniOtackaF3, HUNTING_PREVIOUS + 2),
    Choice(&C::RadioGroupKyvOtVyst, HUNTING_REVOLUTION),
    Value(&C::UpDownKyvaniMinRpm, HUNTING_MIN_RPM, 100),
    Value(&C::UpDownKyvaniPocOtacek, HUNTING_REVOLUTIONS),
    Choice(&C::RadioGroupKyvSrc, RECOGNITION_SOURCE),
    Choice(&C::RadioGroupSyn1SpHrana, SPECIAL_EDGE),
    Choice(&C::RadioGroupSyn1SpPocetH, SPECIAL_EDGE_COUNT),
    Value(&C::UpDownSyn1SpPocPodm, SPECIAL_CONDITIONS),
    Value(&C::UpDownSyn1SpFazeOut, SPECIAL_LOBE_OUT, 1, 1),
    Value(&C::UpDownSyn1SpKoef11, SPECIAL_COEFFICIENTS + 0), Value(&C::UpDownSyn1SpFaze11, SPECIAL_PHASES + 0, -1),
    Value(&C::UpDownSyn1SpKoef12, SPECIAL_COEFFICIENTS + 1), Value(&C::UpDownSyn1SpFaze12, SPECIAL_PHASES + 1, -1),
    Value(&C::UpDownSyn1SpKoef21, SPECIAL_COEFFICIENTS + 2), Value(&C::UpDownSyn1SpFaze21, SPECIAL_PHASES + 2, -1),
    Value(&C::UpDownSyn1SpKoef22, SPECIAL_COEFFICIENTS + 3), Value(&C::UpDownSyn1SpFaze22, SPECIAL_PHASES + 3, -1),
    Value(&C::UpDownSyn1SpKoef31, SPECIAL_COEFFICIENTS + 4), Value(&C::UpDownSyn1SpFaze31, SPECIAL_PHASES + 4, -1),
    Value(&C::UpDownSyn1SpKoef32, SPECIAL_COEFFICIENTS + 5), Value(&C::UpDownSyn1SpFaze32, SPECIAL_PHASES + 5, -1),
    Value(&C::UpDownSyn1SpKoef41, SPECIAL_COEFFICIENTS + 6), Value(&C::UpDownSyn1SpFaze41, SPECIAL_PHASES + 6, -1),
    Value(&C::UpDownSyn1SpKoef42, SPECIAL_COEFFICIENTS + 7), Value(&C::UpDownSyn1SpFaze42, SPECIAL_PHASES + 7, -1),
    Value(&C::UpDownSyn1SpKoef51, SPECIAL_COEFFICIENTS + 8), Value(&C::UpDownSyn1SpFaze51, SPECIAL_PHASES + 8, -1),
    Value(&C::UpDownSyn1SpKoef52, SPECIAL_COEFFICIENTS + 9), Value(&C::UpDownSyn1SpFaze52, SPECIAL_PHASES + 9, -1),
};

struct ListItem {
    const char* text;
    int code;
};
constexpr ListItem SYNCHRO1_ITEMS[] = {
    { "###missing lobe- min. 2##Ausgelassene Leitstücke min. 2##Vynechané výstupky min 2", 0 },
    { "###1 missing lobe##1 ausgelassene Leitstück##1 vynechaný výstupek", 1 },
    { "###1 missing lobe ver. 2##1 ausgelassene Leitstück ver. 2##1 vynechaný výstupek ver. 2", 2 },
    { "###Cam##Nocken##Vačka", 3 },
    { "###Cam Honda##Nocken Honda##Vačka Honda", 4 },
    { "###1 lobe##1 Leitstück##1 palec", 5 },
    { "###Shift of lobe##Verschiebte Leitstück##Posunutý palec", 7 },
    { "###Inserted lobe##Eingeschiebe Leitstück##Vsunutý výstupek", 8 },
    { "###Special setting of synchronization##Sonderstellung der Synchronisierung##Speciální nastavení synchronizace",
        SYNCHRO_TYPE_SPECIAL },
};
constexpr ListItem SYNCHRO2_ITEMS[] = {
    { "###Done with synchro 1##Gemacht durch synchro 1##Vyřešeno synchro 1", 0 },
    { "###Cam##Nocken##Vačka", SYNCHRO2_CAM },
    { "###Hunting##Schwingung##Kývání", 2 },
    { "###Hunting 1 cylinder##Schwingung 1 zylinder##Kývání 1 válec", 3 },
    { "###none##keine##Není", SYNCHRO2_NONE },
    { "IAP", 5 },
    { "###IAP 1 cylinder##IAP 1 zylinder##IAP 1 válec", 6 },
};
constexpr ListItem IGNITIONS_ITEMS[] = {
    { "###1 ignition per 2 revolutions (camshaft)##1 Zündung pro 2 Umdrehungen (Nockenwelle)"
      "##1 zápal za 2 otáčky (vačkový hřídel)", 0 },
    { "###1 ignition per revolution##1 Zündung pro Umdrehung##1 zápal za otáčku", 1 },
    { "###2 ignitions per revolution##2 Zündungen pro Umdrehung##2 zápaly za otáčku", 2 },
    { "###3 ignitions per revolution##3 Zündungen pro Umdrehung##3 zápaly za otáčku", 3 },
};
// clang-format on

uint8_t& Cell(TMainForm* form, int index)
{
    return form->PcImage.b[size_t(index)];
}

bool IsIntakePressure(int synchro2)
{
    return synchro2 == 5 || synchro2 == 6;
}

void FillList(TMainForm* form, TComboBox* list, std::span<const ListItem> items, int index)
{
    ClearComboItems(list);
    for (const ListItem& item : items)
        AddComboItem(list, SelectLangText(item.text), item.code);
    SelectComboByValue(form, list, 0, index);
}

// A list without a selection (a code it has no item for) keeps its byte.
void StoreListCode(TMainForm* form, TComboBox* list, int index)
{
    if (GetComboValue(list) >= 0)
        StoreComboValueToByte(form, list, 0, index);
}

void KeepCylindersInRange(TMainForm* form)
{
    uint8_t& cylinders = Cell(form, CYLINDERS);
    cylinders = std::clamp<uint8_t>(cylinders, 1, 4);
}

void SetLobeRanges(TMainForm* form)
{
    C& page = form->SynchroPage;
    const int lobes = std::clamp<int>(Cell(form, LOBES), 1, MAX_LOBES);
    page.UpDownPredaniHodnot->SetMax(lobes);
    const int limit = Cell(form, SYNCHRO2_TYPE) == SYNCHRO2_NONE ? lobes : 2 * lobes;
    for (int c = 0; c < 4; ++c) {
        page.LobeMaxUpDowns[size_t(c)]->SetMax(limit);
        page.LobeStartUpDowns[size_t(c)]->SetMax(limit);
    }
}

TControl* ControlOf(C& page, const Row& row)
{
    return std::visit([&page](auto field) { return static_cast<TControl*>(page.*field); }, row.field);
}

void Show(std::initializer_list<TControl*> controls, bool visible)
{
    for (TControl* c : controls)
        c->SetVisible(visible);
}

void ShowRecognitionTexts(C& page, bool intakePressure)
{
    const char* caption = intakePressure ? "IAP" : "###Hunting##Schwingung##Kývání";
    const char* condition = intakePressure ? "###Middle value##Mitte##Střední hodnota"
                                           : "###Center section##Mittelabschnitt##Stredni úsek";
    const char* item0 = intakePressure ? "###Minimal##Minimal##Nejmenší" : "###Shortest##Kürzeste##Nejkratší";
    const char* item1 = intakePressure ? "###Maximal##Maximal##Největší" : "###Longest##Längste##Nejdelší";
    const char* traced = intakePressure ? "###Traced lobes##Überwachten Leitstück##Sledované palce"
                                        : "###Traced sections##Beobach. Abschnitte##Sledované úseky";
    page.GroupBoxKyvani->SetCaption(std::string_view(SelectLangText(caption)));
    page.RadioGroupKyvaniPodminka->SetCaption(std::string_view(SelectLangText(condition)));
    page.RadioGroupKyvaniPodminka->SetItemText(0, SelectLangText(item0));
    page.RadioGroupKyvaniPodminka->SetItemText(1, SelectLangText(item1));
    page.LabelKyvaniFaze1->SetCaption(std::string_view(SelectLangText(traced)));
}

// With the camshaft as second synchronisation the recognition group is
// hidden, yet its two limits still apply: they stand on the page then.
void PlaceRecognitionLimits(TMainForm* form, bool onPage)
{
    C& page = form->SynchroPage;
    TControl* sheet = page.GroupBoxKyvani->Parent();
    for (size_t i = 0; i < form->HuntingControls.size(); ++i) {
        TControl* control = form->HuntingControls[i];
        const auto [left, top] = form->HuntingHomePositions[i];
        TControl* wanted = onPage ? sheet : page.GroupBoxKyvani;
        if (!control || control->Parent() == wanted)
            continue;
        control->SetParent(wanted);
        if (onPage)
            control->SetBounds(page.GroupBoxKyvani->Left() + left, page.GroupBoxKyvani->Top() + top, control->Width(),
                control->Height());
        else
            control->SetBounds(left, top, control->Width(), control->Height());
    }
}

} // namespace

void BuildSynchroPage(TMainForm* form)
{
    C& page = form->SynchroPage;
    auto* sheet = dynamic_cast<TControl*>(form->FindComponent("TabSheet_Synchro"));
    BuildPageControls<C>(form, page, sheet, 0, LAYOUT);
    page.ComboBoxSynchro1->OnChange = [form](TObject* sender) { form->ComboBoxSync1Change(sender); };
    page.ComboBoxSynchro2->OnChange = [form](TObject* sender) { form->ComboBoxSync2Change(sender); };
    page.ComboBoxNasobekPalcu->OnChange = [form](TObject* sender) { form->ComboBoxSync3Change(sender); };
    for (TRadioGroup* group : { page.RadioGroupKyvaniPodminka, page.RadioGroupKyvOtVyst, page.RadioGroupKyvSrc,
             page.RadioGroupSyn1SpHrana, page.RadioGroupSyn1SpPocetH })
        group->OnClick = [form](TObject* sender) { form->RadioGroupSync(sender); };
    form->HuntingControls = { page.EditKyvaniMinRpm, page.UpDownKyvaniMinRpm, page.LabelKyvaniMinRpm,
        page.EditKyvaniPocOtacek, page.UpDownKyvaniPocOtacek, page.LabelKyvaniPocOtacek };
    form->Monitor.Pages.LabelSyncInfo1 = page.LabelSyncInfo1;
    form->Monitor.Pages.LabelSyncInfo2 = page.LabelSyncInfo2;
}

void CreateSynchroPage(TMainForm* form)
{
    C& p = form->SynchroPage;
    p.LobeMaxUpDowns = { p.UpDownPalec1Zac, p.UpDownPalec2Zac, p.UpDownPalec3Zac, p.UpDownPalec4Zac };
    p.LobeStartUpDowns = { p.UpDownTop1, p.UpDownTop2, p.UpDownTop3, p.UpDownTop4 };
    p.LobeEdgeCheckBoxes = { p.CheckBoxPalec1ZacH2, p.CheckBoxPalec2ZacH2, p.CheckBoxPalec3ZacH2, p.CheckBoxPalec4ZacH2,
        p.CheckBoxPalec1EndH2, p.CheckBoxPalec2EndH2, p.CheckBoxPalec3EndH2, p.CheckBoxPalec4EndH2,
        p.CheckBoxPalec1ZacP2, p.CheckBoxPalec2ZacP2, p.CheckBoxPalec3ZacP2, p.CheckBoxPalec4ZacP2,
        p.CheckBoxPalec1EndP2, p.CheckBoxPalec2EndP2, p.CheckBoxPalec3EndP2, p.CheckBoxPalec4EndP2 };
    p.HuntingPhaseUpDowns = { p.UpDownKyvaniFaze1, p.UpDownKyvaniFaze2, p.UpDownKyvaniFaze3 };
    p.HuntingPrevCheckBoxes = { p.CheckBoxKyvaniOtackaF1, p.CheckBoxKyvaniOtackaF2, p.CheckBoxKyvaniOtackaF3 };
    p.SyncCoefUpDowns = { p.UpDownSyn1SpKoef11, p.UpDownSyn1SpKoef12, p.UpDownSyn1SpKoef21, p.UpDownSyn1SpKoef22,
        p.UpDownSyn1SpKoef31, p.UpDownSyn1SpKoef32, p.UpDownSyn1SpKoef41, p.UpDownSyn1SpKoef42, p.UpDownSyn1SpKoef51,
        p.UpDownSyn1SpKoef52 };
    p.SyncPhaseUpDowns = { p.UpDownSyn1SpFaze11, p.UpDownSyn1SpFaze12, p.UpDownSyn1SpFaze21, p.UpDownSyn1SpFaze22,
        p.UpDownSyn1SpFaze31, p.UpDownSyn1SpFaze32, p.UpDownSyn1SpFaze41, p.UpDownSyn1SpFaze42, p.UpDownSyn1SpFaze51,
        p.UpDownSyn1SpFaze52 };
    p.SyncCoefEdits
        = { p.EditSyn1SpKoef11, p.EditSyn1SpKoef12, p.EditSyn1SpKoef21, p.EditSyn1SpKoef22, p.EditSyn1SpKoef31,
              p.EditSyn1SpKoef32, p.EditSyn1SpKoef41, p.EditSyn1SpKoef42, p.EditSyn1SpKoef51, p.EditSyn1SpKoef52 };
    p.SyncPhaseEdits
        = { p.EditSyn1SpFaze11, p.EditSyn1SpFaze12, p.EditSyn1SpFaze21, p.EditSyn1SpFaze22, p.EditSyn1SpFaze31,
              p.EditSyn1SpFaze32, p.EditSyn1SpFaze41, p.EditSyn1SpFaze42, p.EditSyn1SpFaze51, p.EditSyn1SpFaze52 };
    FillSynchroLists(form);
}

void FillSynchroLists(TMainForm* form)
{
    C& page = form->SynchroPage;
    if (!page.ComboBoxSynchro1)
        return;
    FillList(form, page.ComboBoxSynchro1, SYNCHRO1_ITEMS, SYNCHRO_TYPE);
    FillList(form, page.ComboBoxSynchro2, SYNCHRO2_ITEMS, SYNCHRO2_TYPE);
    FillList(form, page.ComboBoxNasobekPalcu, IGNITIONS_ITEMS, IGNITIONS_PER_TURN);
}

void StoreSynchroPage(TMainForm* form)
{
    if (form->LoadingControls)
        return;
    C& page = form->SynchroPage;
    const uint8_t source = Cell(form, RECOGNITION_SOURCE);
    for (const BoundCell& cell : CELLS) {
        switch (cell.kind) {
        case CellKind::LIST:
            StoreListCode(form, page.*cell.list, cell.index);
            break;
        case CellKind::UP_DOWN:
            StoreUpDownToByte(form, page.*cell.upDown, 0, cell.index, cell.scale, cell.bias);
            break;
        case CellKind::CHECK:
            StoreCheckBoxToByte(form, page.*cell.check, 0, cell.index);
            break;
        case CellKind::RADIO:
            StoreRadioGroupToByte(form, page.*cell.radio, 0, cell.index);
            break;
        }
    }
    KeepCylindersInRange(form);
    // The atmospheric pressure input now serves the recognition: its sensor
    // goes off, and the Sensors page shows that.
    if (Cell(form, RECOGNITION_SOURCE) != source && Cell(form, RECOGNITION_SOURCE) == 1) {
        Cell(form, AP_SENSOR_OFF) = 1;
        if (PageOperation load = PageSlotTable[PAGE_SLOT_SENSORS].Load)
            load(form);
    }
}

void LoadSynchroPage(TMainForm* form)
{
    C& page = form->SynchroPage;
    SetLobeRanges(form);
    for (const BoundCell& cell : CELLS) {
        switch (cell.kind) {
        case CellKind::LIST:
            SelectComboByValue(form, page.*cell.list, 0, cell.index);
            break;
        case CellKind::UP_DOWN:
            SetUpDownFromByte(form, page.*cell.upDown, 0, cell.index, cell.scale, cell.bias);
            break;
        case CellKind::CHECK:
            SetCheckBoxFromByte(form, page.*cell.check, 0, cell.index);
            break;
        case CellKind::RADIO:
            SetRadioGroupFromByte(form, page.*cell.radio, 0, cell.index);
            break;
        }
    }
    KeepCylindersInRange(form);
    UpdateSynchroControls(form);
}

void UpdateSynchroControls(TMainForm* form)
{
    C& p = form->SynchroPage;
    if (!p.GroupBoxSynchro)
        return;
    const bool special = Cell(form, SPECIAL) != 0;
    const int type = Cell(form, SYNCHRO_TYPE);
    const int type2 = Cell(form, SYNCHRO2_TYPE);
    const int cylinders = Cell(form, CYLINDERS);
    const bool maxStart = Cell(form, MAX_START_MODE) != 0;
    const bool oneLobe = type == 5;
    const int conditions = Cell(form, SPECIAL_CONDITIONS);

    const std::array<std::array<TControl*, 4>, 4> maxRows = { {
        { p.EditPalec1Zac, p.UpDownPalec1Zac, p.LabelPalec1Zac, p.CheckBoxPalec1ZacH2 },
        { p.EditPalec2Zac, p.UpDownPalec2Zac, p.LabelPalec2Zac, p.CheckBoxPalec2ZacH2 },
        { p.EditPalec3Zac, p.UpDownPalec3Zac, p.LabelPalec3Zac, p.CheckBoxPalec3ZacH2 },
        { p.EditPalec4Zac, p.UpDownPalec4Zac, p.LabelPalec4Zac, p.CheckBoxPalec4ZacH2 },
    } };
    const std::array<std::array<TControl*, 3>, 4> startRows = { {
        { p.EditTop1, p.UpDownTop1, p.LabelTop1 },
        { p.EditTop2, p.UpDownTop2, p.LabelTop2 },
        { p.EditTop3, p.UpDownTop3, p.LabelTop3 },
        { p.EditTop4, p.UpDownTop4, p.LabelTop4 },
    } };
    for (int c = 0; c < 4; ++c) {
        const bool inUse = cylinders >= c + 1;
        for (TControl* control : startRows[size_t(c)])
            control->SetVisible(inUse);
        for (TControl* control : maxRows[size_t(c)])
            control->SetVisible(maxStart && inUse);
        p.LobeEdgeCheckBoxes[size_t(4 + c)]->SetVisible(inUse);
        p.LobeEdgeCheckBoxes[size_t(8 + c)]->SetVisible(maxStart && inUse && oneLobe);
        p.LobeEdgeCheckBoxes[size_t(12 + c)]->SetVisible(maxStart && inUse && oneLobe);
    }
    p.LabelHrana2->SetVisible(true);
    p.LabelSnimac2->SetVisible(maxStart && oneLobe);
    Show({ p.EditVynechPalcu, p.UpDownVynechPalcu, p.LabelVynechPalcu, p.EditPosunPalcu, p.UpDownPosunPalcu,
             p.LabelPosunPalcu },
        !maxStart);
    Show({ p.EditPocPalcu, p.UpDownPocPalcu, p.LabelPocPalcu }, !oneLobe);
    p.GroupBoxKyvani->SetVisible(type2 == 2 || type2 == 3 || IsIntakePressure(type2));
    Show({ p.LabelPredchoziOtacka, p.EditKyvaniFaze2, p.EditKyvaniFaze3, p.UpDownKyvaniFaze2, p.UpDownKyvaniFaze3,
             p.CheckBoxKyvaniOtackaF1, p.CheckBoxKyvaniOtackaF2, p.CheckBoxKyvaniOtackaF3 },
        type2 == 2 || type2 == 5);
    p.RadioGroupKyvSrc->SetVisible(IsIntakePressure(type2));
    for (int k = 0; k < 10; ++k)
        Show({ p.SyncCoefUpDowns[size_t(k)], p.SyncCoefEdits[size_t(k)], p.SyncPhaseUpDowns[size_t(k)],
                 p.SyncPhaseEdits[size_t(k)] },
            k < 2 * conditions);
    const std::array<std::array<TControl*, 3>, 5> conditionLabels = { {
        { p.LabelSyn1SpK11, p.LabelSyn1SpN1, p.LabelSyn1SpK12 },
        { p.LabelSyn1SpK21, p.LabelSyn1SpN2, p.LabelSyn1SpK22 },
        { p.LabelSyn1SpK31, p.LabelSyn1SpN3, p.LabelSyn1SpK32 },
        { p.LabelSyn1SpK41, p.LabelSyn1SpN4, p.LabelSyn1SpK42 },
        { p.LabelSyn1SpK51, p.LabelSyn1SpN5, p.LabelSyn1SpK52 },
    } };
    for (int n = 1; n <= 5; ++n)
        for (TControl* label : conditionLabels[size_t(n - 1)])
            label->SetVisible(conditions >= n);

    ShowRecognitionTexts(p, IsIntakePressure(type2));

    // Every bound control with its edit and label follows the special
    // setting; the special synchronisation's group also needs its type.
    const TControl* fixed[] = { p.GroupBoxSynchro, p.GroupBoxSKanaly, p.GroupBoxKyvani, p.LabelSynchro1,
        p.LabelSynchro2, p.Label1, p.LabelSpecSynchro, p.LabelSyncInfo1, p.LabelSyncInfo2 };
    const bool specialGroup = special && type == SYNCHRO_TYPE_SPECIAL;
    for (const Row& row : LAYOUT) {
        TControl* control = ControlOf(p, row);
        if (std::find(std::begin(fixed), std::end(fixed), control) != std::end(fixed))
            continue;
        const bool enabled = row.parent == SPC || control == p.GroupBoxSynchroSpecial ? specialGroup : special;
        control->SetEnabled(enabled);
        if (row.edit)
            (p.*row.edit)->SetEnabled(enabled);
    }

    PlaceRecognitionLimits(form, type2 == SYNCHRO2_CAM);
}

void TMainForm::ComboBoxSync1Change(TObject* Sender)
{
    if (LoadingControls)
        return;
    const int code = GetComboValue(SynchroPage.ComboBoxSynchro1);
    if (code < 0)
        return;
    PcImage.b[SYNCHRO_TYPE] = uint8_t(code);
    if (code != SYNCHRO_TYPE_SPECIAL)
        SetSynchroDefaults(PcImage);
    LoadSynchroPage(this);
    NoteControlEdit(this, Sender, EDIT_COMMIT_NOW);
    FocusProgramAfterChange();
}

void TMainForm::ComboBoxSync2Change(TObject* Sender)
{
    if (LoadingControls)
        return;
    NoteControlEdit(this, Sender, EDIT_COMMIT_NOW);
    FocusProgramAfterChange();
}

void TMainForm::ComboBoxSync3Change(TObject* Sender)
{
    if (LoadingControls)
        return;
    NoteControlEdit(this, Sender, EDIT_COMMIT_NOW);
    FocusProgramAfterChange();
}

void TMainForm::RadioGroupSync(TObject* Sender)
{
    if (!LoadingControls)
        NoteControlEdit(this, Sender, EDIT_COMMIT_NOW);
}
