// The control texts of the main window's frame, the external monitor, the
// Bike page and the Synchro page; the text a row writes.
#include "texts/controltexts.h"

#include "texts/langtext.h"

namespace {

using enum TextProperty;
using enum TargetKind;

constexpr LangEntry START_LIMITER = { "Start limiter", "Startbegrenzer", "Startovací omezovač" };
constexpr LangEntry MAXIMUM_ADVANCE = { "Maximum advance", "Maximal Vorzündung", "Maximální předstih" };
constexpr LangEntry START_ADVANCE = { "Start advance", "Start Vorzündung", "Startovací předstih" };

// clang-format off
constexpr ControlTextRow EXTERNAL_MONITOR_ROWS[] = {
    { EXTERNAL_MONITOR, CAPTION, 0, { "External monitor", nullptr, "Externí monitor" } },
};

constexpr ControlTextRow PROGRAM_AFTER_CHANGE_ROWS[] = {
    { "CheckBoxProgHned", CAPTION, 0, { "Programming after change", "Programmierung nach Änderung", "Programování po změně" } },
};

constexpr ControlTextRow BIKE_ROWS[] = {
    { "TabSheet_Bike", CAPTION, 0, { "Bike", "Mottorad", "Motocykl" } },
    { "GroupBoxBike", CAPTION, 0, { "Motorbike type", "Mottorad Type", "Typ motocyklu" } },
    { "CheckBoxBikeSecial", CAPTION, 0, { "Special setting - For experienced user only!", "Sonderstellung - Nur für geübte Benutzer!", "Speciální nastavení - Pro zkušené uživatele!" } },
    { "LabelMemo", CAPTION, 0, { "Memo sheet:", "Notizblock", "Poznámka uložená v zapalování:" } },
    { "CheckBoxFallEnable", CAPTION, 0, { "Fall sensor enable", "Not Aus Sensor enable", "Pádový sensor povolen" } },
    { "CheckBoxBlokEnable", CAPTION, 0, { "Blocking enable", "Blockierung zulassen", "Blokování povoleno" } },
    { "CheckBoxBlokInvert", CAPTION, 0, { "Invert blocking input", "Invert Blockierung", "Inverze blokovacího vstupu" } },
    { "CheckBoxIgnEveryTurn", CAPTION, 0, { "Ignition every turn", "Zündung jede Runde", "Zápal každou otáčku" } },
    { "GroupBoxActivation", CAPTION, 0, { "Activation by Switch on", "Aktierung durch Schaltung", "Aktivace sepnutím" } },
    SlotCaption("CheckBoxAktFall", 53),
    { "CheckBoxAktRpm", CAPTION, 0, { "Multifunctional switch", nullptr, "Multifunkční spínač" } },
    { "GroupBoxOmez", CAPTION, 0, { "Limiters", "Begrenzer", "Omezovače" } },
    { "LabelStartLimiter1", CAPTION, 0, START_LIMITER, nullptr, " 1 [rpm]" },
    { "LabelStartLimiter2", CAPTION, 0, START_LIMITER, nullptr, " 2 [rpm]" },
    { "CheckBoxAktStartLimiter", CAPTION, 0, { "Start limiter", "Startbegrenzer", "Startovací omezovač" } },
    { "LabelJetLimiter", CAPTION, 0, { "Injection limiter [rpm]", "Einspritzbegrenzer [rpm]", "Omezovač vstřikem [rpm]" } },
    { "LabelIgnLimiter", CAPTION, 0, { "Ignition limiter [rpm]", "Zündungsbegrenzer [rpm]", "Omezovač zážehem [rpm]" } },
    { "LabelRetardLimiterRpm", CAPTION, 0, { "Retard limiter [rpm]", "Spätzündungbegrenzer [rpm]", "Omezovač zpožděním zážehu [rpm]" } },
    { "LabelRetardLimiterAdv", CAPTION, 0, { "Retard [°/100rpm]", "Spätzündung [°/100rpm]", "Zpoždění zážehu [°/100rpm]" } },
    SlotCaption("GroupBoxChlazeni", 54),
    { "LabelRpmPulsu", CAPTION, 0, { "Pulses per revolution", "Pulse per Umdrehung", "Pulzů za otáčku" } },
    { "LabelRpmKorekce", CAPTION, 0, { "Correction", "Korrektion", "Korekce" } },
    { "GroupBoxIntakePort", CAPTION, 0, { "Intake ports", "Einlaßstutzen", "Sací hrdla" } },
    { "LabelIntakePortRpm", CAPTION, 0, { "Rpm", "Rpm", "Rpm" } },
    { "CheckBox1IntakeInvert", CAPTION, 0, { "Invert", "Invert", "Inverzně" } },
    { "RadioGroupDisplayTyp", CAPTION, 0, { "Display Typ", nullptr, "Typ displeje" } },
    { "CheckBoxCanNoRecord", CAPTION, 0, { "No record", nullptr, "Bez záznamu" } },
    { "GroupBoxDwell", CAPTION, 0, { "Dwell time", "Anfachung", "Buzení" } },
    { "LabelBuzeni", CAPTION, 0, { "Dwell time  [us]", "Anfachung  [us]", "Buzení  [us]" } },
    { "LabelDwellDyn", CAPTION, 0, { "Dynamical addition of dwell [%]", "Anfachung Dyn. Komponente [%]", "Dynamická složka buzení [%]" } },
    { "LabelDwellMaxRPMLobe", CAPTION, 0, { "Max rpm for lobe dwell [rpm]", "Max rpm zur Erzeugung Daumen [min]", "Max rpm pro buzení palcem [rpm]" } },
    { "LabelDwellMaxTime", CAPTION, 0, { "Max. dwell time [us]", "Max. Anfachung [us]", "Max. čas Buzení [us]" } },
    { "CheckBoxInvInput", CAPTION, 0, { "Inverse crankshaft polarity", "Umgekehrte Kurbelgeber", "Opačná polarita snímače kliky" } },
    { "RadioGroupPinEngine23", CAPTION, 0, { "Funktion of pin Engine 23", "Funktion des Stift Engine 23", "Funkce pinu Engine 23" } },
    { "RadioGroupPinEngine23", ITEMS, 0, { "Neutral\nOil", "Ruhestellung\nÖl", "Neutrál\nOlej" } },
    { "RadioGroupPinEngine14", CAPTION, 0, { "Funktion of pin Engine 14", "Funktion des Stift Engine 14", "Funkce pinu Engine 14" } },
    { "RadioGroupPinEngine14", ITEMS, 0, { "ATS\nNeutral", "ATS\nRuhestellung", "ATS\nNeutrál" } },
    { "RadioGroupPinBody11", CAPTION, 0, { "Funktion of pin Body 11", "Funktion des Stift Body 11", "Funkce pinu Body 11" } },
    { "RadioGroupPinBody11", ITEMS, 0, { "Fan 1\nLambda 1 heat", "Lüfter 1\nLambdawärme 1", "Ventilátor 1\nLambda 1 ohřev" } },
    { "RadioGroupPinEngine13", CAPTION, 0, { "Function of pin Engine 13", "Funktion von Pin-Engine 13", "Funkce pinu Motor 13" } },
    { "RadioGroupPinEngine13", ITEMS, 0, { "APS\nMin Tank", "APS\nMin Tank", "APS\nMin nádrž" } },
    { "RadioGroupPinBody1", CAPTION, 0, { "Funktion of pin Body 1", "Funktion des Stift Body 1", "Funkce pinu Body 1" } },
    { "RadioGroupPinBody1", ITEMS, 0, { "Start out\nLambda 2 heat", "Start output\nLambdawärme 2", "Start výstup\nLambda 2 ohřev" } },
    { "RadioGroupPinBody35", CAPTION, 0, { "Funktion of pin Body 35", "Funktion des Stift Body 35", "Funkce pinu Body 35" } },
    { "RadioGroupPinBody35", ITEMS, 0, { "Power mode\nFall sensor", "Power mode\nAus Sensor", "Druhé nastavení\nPádový sensor" } },
};

constexpr ControlTextRow SYNCHRO_ROWS[] = {
    { "TabSheet_Synchro", CAPTION, 0, { "Synchro", "Synchro", "Synchro" } },
    { "GroupBoxSynchro", CAPTION, 0, { "Setting of synchronization", "Stellung der Synchronisierung", "Nastavení synchronizace" } },
    { "LabelPredaniHodnot", CAPTION, 0, { "Lobe of value aquisition", "Leitstück Translation", "Palec předání hodnot" } },
    { "LabelSynchroMaxRpm", CAPTION, 0, { "Synchro max rpm [rpm]", "Synchro max rpm [rpm]", "Synchro max rpm [rpm]" } },
    { "LabelPocPalcu", CAPTION, 0, { "Number of lobes", "Leitstückanzahl", "Počet výstupků" } },
    { "CheckBoxInvInputKlika", CAPTION, 0, { "Inverse crankshaft polarity", "Umgekehrte Kurbelgeber", "Opačná polarita snímače kliky" } },
    { "CheckBoxInvInputVacka", CAPTION, 0, { "Inverse camshaft polarity", "Umgekehrte Nockengeber", "Opačná polarita snímače vačky" } },
    { "CheckBoxKazdy2Vstrik", CAPTION, 0, { "Omission every 2nd injection", "Ausfall jede 2. Einspritz", "Vynechání každého 2. vstriku" } },
    { "CheckBoxIgnPoSynchro1", CAPTION, 0, { "Spark after synchro 1", "Funke nach Synchro 1", "Zápal po synchro 1" } },
    { "GroupBoxSKanaly", CAPTION, 0, { "Channels", "Kanäle", "Kanlály" } },
    { "CheckBoxPalceMode", CAPTION, 0, { "Version max-start advance", nullptr, "Verze max-start předstih" } },
    { "LabelPocKanOut", CAPTION, 0, { "Number of cylinders", "Zylinderanzahl", "Počet válců" } },
    { "LabelLobe", CAPTION, 0, { "lobe", "Leitstück", "Výstupek" } },
    { "LabelHrana2", CAPTION, 0, { "2nd Edge", "2. Kante", "2. Hrana" } },
    { "LabelSnimac2", CAPTION, 0, { "2nd Pick-up", "2. Geber", "2. Snímač" } },
    { "LabelPalec1Zac", CAPTION, 0, MAXIMUM_ADVANCE, nullptr, " 1" },
    { "LabelPalec2Zac", CAPTION, 0, MAXIMUM_ADVANCE, nullptr, " 2" },
    { "LabelPalec3Zac", CAPTION, 0, MAXIMUM_ADVANCE, nullptr, " 3" },
    { "LabelPalec4Zac", CAPTION, 0, MAXIMUM_ADVANCE, nullptr, " 4" },
    { "LabelTop1", CAPTION, 0, START_ADVANCE, nullptr, " 1" },
    { "LabelTop2", CAPTION, 0, START_ADVANCE, nullptr, " 2" },
    { "LabelTop3", CAPTION, 0, START_ADVANCE, nullptr, " 3" },
    { "LabelTop4", CAPTION, 0, START_ADVANCE, nullptr, " 4" },
    { "LabelVynechPalcu", CAPTION, 0, { "Number of missing lobes", "Ausgelassene Leitstücke Anzahl", "Počet vynechaných výstupků" } },
    { "LabelPosunPalcu", CAPTION, 0, { "Number of shifted lobes", "Verschiebte Leitstücke Anzahl", "Počet posunutých výstupků" } },
};

constexpr ControlTextRow SYNCHRO_HUNTING_ROWS[] = {
    { "GroupBoxKyvani", CAPTION, 0, { "Hunting", "Schwingung", "Kývání" } },
    { "RadioGroupKyvaniPodminka", CAPTION, 0, { "Central section", "Mittelabschnitt", "Stredni úsek" } },
    { "RadioGroupKyvaniPodminka", ITEM, 0, { "Shortest", "Kürzeste", "Nejkratší" } },
    { "RadioGroupKyvaniPodminka", ITEM, 1, { "Longest", "Längste", "Nejdelší" } },
    { "LabelKyvaniFaze1", CAPTION, 0, { "Traced sections", "Beobach. Abschnitte", "Sledované úseky" } },
};

constexpr ControlTextRow SYNCHRO_IAP_ROWS[] = {
    { "GroupBoxKyvani", CAPTION, 0, { "IAP", "IAP", "IAP" } },
    { "RadioGroupKyvaniPodminka", CAPTION, 0, { "Central value", "Mittleren Werte", "Střední hodnota" } },
    { "RadioGroupKyvaniPodminka", ITEM, 0, { "Minimal", "Minimal", "Nejmenší" } },
    { "RadioGroupKyvaniPodminka", ITEM, 1, { "Maximal", "Maximal", "Největší" } },
    { "LabelKyvaniFaze1", CAPTION, 0, { "Traced lobes", "Überwachten Leitstück", "Sledované palce" } },
};

constexpr ControlTextRow SYNCHRO_LAST_ROWS[] = {
    { "RadioGroupKyvSrc", CAPTION, 0, { "Source", "Ursache", "Zdroj" } },
    { "LabelPredchoziOtacka", CAPTION, 0, { "Previous revolution", "Vorumdrehung", "Předchozí otáčka" } },
    { "RadioGroupKyvOtVyst", CAPTION, 0, { "Revolutin by compliance", "Umdrehung bei Erfüllung", "Otáčka při splnění" } },
    { "RadioGroupKyvOtVyst", ITEM, 0, { "1st", "1.", "1." } },
    { "RadioGroupKyvOtVyst", ITEM, 1, { "2nd", "2.", "2." } },
    { "LabelKyvaniMinRpm", CAPTION, 0, { "Min Rpm", "Min Rpm", "Min Rpm" } },
    { "LabelKyvaniPocOtacek", CAPTION, 0, { "Number of revolution min", "Umdrehunganzahl min", "Počet otáček min." } },
    { "GroupBoxSynchroSpecial", CAPTION, 0, { "Synchro 1 special", "Synchro 1 sonder", "Synchro 1 specielní" } },
    { "RadioGroupSyn1SpHrana", CAPTION, 0, { "Evaluation edge", "Kante der Auswertung", "Hrana vyhodnocení" } },
    { "RadioGroupSyn1SpHrana", ITEM, 0, { "1st", "1.", "1." } },
    { "RadioGroupSyn1SpHrana", ITEM, 1, { "2nd", "2.", "2." } },
    { "RadioGroupSyn1SpPocetH", CAPTION, 0, { "Traced sections number", "Beobachtenekanteanzahl", "Počet sledovaných hran" } },
    { "LabelSyn1SpPocPodm", CAPTION, 0, { "Number of condition", "Bedingunganzahl", "Počet podmínek" } },
    { "LabelSyn1SpFazeOut", CAPTION, 0, { "Lobe by compliance", "Leitstück bei Erfüllung", "Výstupek při splnění" } },
    { "LabelKoef1", CAPTION, 0, { "Coeff", "Koeff", "Koef" } },
    { "LabelKoef2", CAPTION, 0, { "Coeff", "Koeff", "Koef" } },
    { "LabelFaze1", CAPTION, 0, { "Phase", "Phase", "Fáze" } },
    { "LabelFaze2", CAPTION, 0, { "Phase", "Phase", "Fáze" } },
    { "CheckBoxZamenaPickup", CAPTION, 0, { "Pickups interchange (pin 1 a 19)", "Geber vertauschen (pin 1 a 19)", "Záměna snimačů (pin 1 a 19)" } },
};
// clang-format on

} // namespace

const ControlTextTable EXTERNAL_MONITOR_TEXTS = EXTERNAL_MONITOR_ROWS;
const ControlTextTable PROGRAM_AFTER_CHANGE_TEXTS = PROGRAM_AFTER_CHANGE_ROWS;
const ControlTextTable BIKE_TEXTS = BIKE_ROWS;
const ControlTextTable SYNCHRO_TEXTS = SYNCHRO_ROWS;
const ControlTextTable SYNCHRO_HUNTING_TEXTS = SYNCHRO_HUNTING_ROWS;
const ControlTextTable SYNCHRO_IAP_TEXTS = SYNCHRO_IAP_ROWS;
const ControlTextTable SYNCHRO_LAST_TEXTS = SYNCHRO_LAST_ROWS;

std::string ControlTextRowText(const ControlTextRow& row, int langIndex, const MessageTableTexts& table)
{
    switch (row.source) {
    case TextSource::SLOT:
        return table[size_t(row.slot)];
    case TextSource::LITERAL:
        return SelectLangText(row.text.english, langIndex);
    case TextSource::ENTRY:
        break;
    }
    std::string text = row.prefix ? row.prefix : "";
    text += LangEntryText(row.text, langIndex);
    if (row.suffix)
        text += row.suffix;
    return text;
}

std::string CylinderCorrectionText(int cylinders, int langIndex)
{
    std::string text
        = SelectLangText("###Correction for cylinder##Korrektion für Zylinder##Korekce pro válec", langIndex);
    const char* const numbers[] = { " 1", ",2", ",3", ",4" };
    for (int i = 0; i < 4; i++)
        if (cylinders >= i + 1)
            text += numbers[i];
    return text;
}

std::span<const ControlTextTable> AllControlTextTables()
{
    static const ControlTextTable tables[] = { EXTERNAL_MONITOR_TEXTS, PROGRAM_AFTER_CHANGE_TEXTS, BIKE_TEXTS,
        SYNCHRO_TEXTS, SYNCHRO_HUNTING_TEXTS, SYNCHRO_IAP_TEXTS, SYNCHRO_LAST_TEXTS, ADVANCE_INJECTION_TEXTS,
        CORRECTIONS_TEXTS, SENSORS_TEXTS, POWER_OUT_SHEET_TEXTS, POWER_OUT_HYSTERESIS_TEXTS, SERVO_TEXTS, RACE_TEXTS,
        GEAR_TEXTS, IDLE_TEXTS, N2O_TEXTS, TUNING_TEXTS, TRACKING_TEXTS, MONITOR_TEXTS, TEST_TEXTS, MAINTENANCE_TEXTS,
        RUNTIME_LITERAL_TEXTS };
    return tables;
}
