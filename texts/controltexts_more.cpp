// The control texts of the N2O, tuning, tracking, monitor, test and
// maintenance pages, and the run-time controls of the Advance and Servo
// pages. Page slot 4 is the Injection position sheet; message slots 48 and
// 57 are written with the monitor page's texts.
#include "texts/controltexts.h"

namespace {

using enum TextProperty;
using enum TargetKind;

// clang-format off
constexpr ControlTextRow N2O_ROWS[] = {
    { "CheckBoxGas", CAPTION, 0, { "N2O enabled", "N2O zulassen", "N2O povolen" } },
    { "GroupBoxGas", CAPTION, 0, { "N2O", "N2O", "N2O" } },
    { "LabelGas1", CAPTION, 0, { "N2O initial [%]", "N2O anfänglich [%]", "N2O počáteční [%]" } },
    { "LabelGas2", CAPTION, 0, { "N2O final [%]", "N2O endlich [%]", "N2O konečný [%]" } },
    { "LabelGasD", CAPTION, 0, { "Delay [ms]", "Verspätung [ms]", "Zpoždění [ms]" } },
    { "LabelRetardD", CAPTION, 0, { "Delay [ms]", "Verspätung [ms]", "Zpoždění [ms]" } },
    { "LabelGasT", CAPTION, 0, { "Build up time [ms]", "Anlauf [ms]", "Náběh [ms]" } },
    { "LabelRetardT", CAPTION, 0, { "Build up time [ms]", "Anlauf [ms]", "Náběh [ms]" } },
    { "LabelGasJetKor1", CAPTION, 0, { "Correction Inj. initial [%]", "Korrektion Einsp. anfänglich [%]", "Korekce vstřiku počáteční [%]" } },
    { "LabelGasJetKor2", CAPTION, 0, { "Correction Inj. final [%]", "Korrektion Einsp. endlich [%] ", "Korekce vstřiku konečná [%]" } },
    { "GroupBoxRetard", CAPTION, 0, { "Retard", "Spätzündung", "Snížení předstihu" } },
    { "LabelRetard1", CAPTION, 0, { "Retard initial [°]", "Spätzündung anfänglich [°]", "Snížení předstihu počáteční [°]" } },
    { "LabelRetard2", CAPTION, 0, { "Retard final [°]", "Spätzündung endlich [°]", "Snížení předstihu konečné [°]" } },
    { "LabelEeDataErr", CAPTION, 0, { "Programmed data error!", "Abgelegte Daten Fehler!", "Chyba naprogramovaných dat!" } },
    { "LabelN2O_RPMmin", CAPTION, 0, { "RPM min (if 0 - used default value 2000 for older, 5000 for newer versios firmware)", nullptr, "RPM min (pokud je 0 - použita výchozí hodnota 2000 pro starší, 5000 pro novější verze firmware)" } },
    { "LabelN2O_TPSmin", CAPTION, 0, { "TP min [%] (if 0 - used default value 85%)", nullptr, "TP min [%] (pokud je 0 - použita výchozí hodnota 85%)" } },
};

constexpr ControlTextRow TUNING_ROWS[] = {
    { "TabSheet_Ladeni", CAPTION, 0, { "Tuning", "Einstellung", "Ladění" } },
    { "LabelLadeniCaution", CAPTION, 0, { "Caution - For experienced user only!", "Vorsicht - Nur für wohlbewanderte Benutzer!", "Varování - Pouze pro zkušené uživatele!" } },
    { "GroupBoxLadeni", CAPTION, 0, { "Tunning", nullptr, "Ladění" } },
    { "CheckBoxLadeniPovoleno", CAPTION, 0, { "Tunning on - parameters of this box will be stored to unit", nullptr, "Ladění zapnuto - parametry této skupiny budou uloženy do jednotky" } },
    { "RadioGroupLadeniOnByTLS", CAPTION, 0, { "Multifunctional switch", nullptr, "Multifunkční spínač" } },
    { "RadioGroupLadeniOnByTLS", ITEM, 0, { "AFR", nullptr, "AFR" } },
    { "RadioGroupLadeniOnByTLS", ITEM, 1, { "AFR+autotunning", nullptr, "AFR+autoladění" } },
    { "RadioGroupLadeniOnByTLS", ITEM, 2, { "Autotunning", nullptr, "Autoladění" } },
    { "RadioGroupLadeniOnByTLS", ITEM, 3, { "Blocking launch control", nullptr, "Blokování Launch control" } },
    { "RadioGroupLadeniMode", CAPTION, 0, { "Tunning mode", nullptr, "Způsob ladění" } },
    { "RadioGroupLadeniMode", ITEM, 0, { "Points", "Punkte", "V bodech" } },
    { "RadioGroupLadeniMode", ITEM, 1, { "All", "Alles", "Všude" } },
    { "RadioGroupTunningSource", CAPTION, 0, { "Tunning source", nullptr, "Zdrojové mapy k ladění" } },
    { "RadioGroupTunningSource", ITEM, 0, { "Tune directly in maps IAP a TP [ms]", nullptr, "Ladit přímo v mapách IAP a TP [ms]" } },
    { "RadioGroupTunningSource", ITEM, 1, { "Tune in comp. maps [%]", nullptr, "Ladit v komp. mapách [%]" } },
    { "RadioGroupTunningSource", ITEM, 2, { "Tune permanently in comp. maps [%]", nullptr, "Ladit trvale v komp. mapách [%]" } },
    { "LabelLadeniRpm", CAPTION, 0, { "Rpm tolerance", "Rpm Toleranz", "Rpm tolerance" } },
    { "LabelLadeniTps", CAPTION, 0, { "Tps, Iap tolerance", "Tps, Iap Toleranz", "Tps, Iap tolerance" } },
    { "GroupBoxLambdaPoz", CAPTION, 0, { "AFR", "AFR", "AFR" } },
    { "LabelLadeniHyster", CAPTION, 0, { "AFR tolerance", "AFR Toleranz", "AFR tolerance" } },
    { "LabelLadeniCas", CAPTION, 0, { "Revolution for step", "Umdrehungen pro Schritt", "Otaček pro krok" } },
    { "LabelLadeniKrok", CAPTION, 0, { "Step [%/AFR]", "Schritt [%/AFR]", "Krok [%/AFR]" } },
    { "LabelLadeniKanal", CAPTION, 0, { "Channel", "Kanal", "Kanál" } },
    { "LabelCompLimit", CAPTION, 0, { "Compensation limit [+/- %]", nullptr, "Limit kompenzace [+/- %]" } },
    { "LabelCompensationLimit", CAPTION, 0, { "Compensation limit [+/- %]", nullptr, "Limit kompenzace [+/- %]" } },
    { "LabelMaxAcc", CAPTION, 0, { "Acc. E/E Corr. max [%]", "Acc. E/E Kor. max [%]", "Acc. O/O Kor. max [%]" } },
    { "LabelLadeniLambdaMin", CAPTION, 0, { "AFR min", "AFR min", "AFR min" } },
    { "LabelLadeniLambdaMax", CAPTION, 0, { "AFR max", "AFR max", "AFR max" } },
    { "LabelLadeniTpsMin", CAPTION, 0, { "TP min", "TP min", "TP min" } },
    { "LabelLadeniRpmMin", CAPTION, 0, { "RPM min", "RPM min", "RPM min" } },
    { "LabelLadeniTempMin", CAPTION, 0, { "Temperature min", "Temperatur min", "Teplota min" } },
    { "LabelLadeniTempMax", CAPTION, 0, { "Temperature max", "Temperatur max", "Teplota max" } },
};

constexpr ControlTextRow TRACKING_ROWS[] = {
    { "TabSheet_Tracking", CAPTION, 0, { "Tracking", nullptr, nullptr } },
    { "CheckBoxLaunchEnable", CAPTION, 0, { "Launch enable", nullptr, "Ovládání startu povoleno" } },
    { "CheckBoxTrackEnable", CAPTION, 0, { "Track enabled", nullptr, "Track povoleno" } },
    { "LabelLaunchMaxSpeed", CAPTION, 0, { "Max Speed [km/h]", nullptr, "Max rychlost [km/h]" } },
    { "LabelLaunchMinAdv", CAPTION, 0, { "Min advance", nullptr, "Minimální předstih" } },
    { "GroupBoxStartLimiters", CAPTION, 0, { "Start limiters", nullptr, "Startovací limitery" } },
    { "LabelStartLimiterDelay", CAPTION, 0, { "Star limiter delay [ms]", "Startbegrenzer Verzögerung [ms]", "Zpoždění startovacího limiteru [ms]" } },
    { "LabelStartIgnLimiter", CAPTION, 0, { "Start ignition limiter", nullptr, "S. omezovač vynecháním zápalu" } },
    { "LabelStartRetardLimiter", CAPTION, 0, { "Start retard limiter", nullptr, "S. omezovač předstihem" } },
    { "GroupBoxAccLimiters", CAPTION, 0, { "Acceleration limiters", nullptr, "Akcelerační limitery" } },
    { "RadioGroupSpeedSource", CAPTION, 0, { "Speed source method", nullptr, "Metoda detekce rychlosti" } },
    { "RadioGroupSpeedSource", ITEM, 0, { "Engine speed - RPM", nullptr, "Otáčky motoru - RPM" } },
    { "RadioGroupSpeedSource", ITEM, 1, { "Rear wheel speed - km/h", nullptr, "Rychlost dle zadního kola - km/h" } },
    { "LabelAccRetardLimiter", CAPTION, 0, { "Acceleration retard limiter:", nullptr, "Akcelerační omezovač předstihem:" } },
    { "LabelAccLimits", CAPTION, 0, { "Limit conditions:", nullptr, "Omezující podmínky:" } },
    { "LabelAccReturnSpeed", CAPTION, 0, { "Speed of return [°/s]", nullptr, "Rychlost návratu [°/s]" } },
    { "LabelAccTpsMax", CAPTION, 0, { "TP max [%]", nullptr, "TP max [%]" } },
    { "LabelAccTpsMin", CAPTION, 0, { "TP min [%]", nullptr, "TP min [%]" } },
    { "GroupBoxStartServoIn", CAPTION, 0, { "Start limiter servo In", nullptr, "Nastavení serva In při start limiteru" } },
    { "CheckBoxStartServoIn", CAPTION, 0, { "Servo on", nullptr, "Servo zapnuto" } },
    { "LabelStartServoInFuel", CAPTION, 0, { "Fuel correction", nullptr, "Korekce paliva" } },
    { "GroupBoxStartServoEx", CAPTION, 0, { "Start limiter servo Ex", nullptr, "Nastavení serva Ex při start limiteru" } },
    { "CheckBoxStartServoEx", CAPTION, 0, { "Servo on", nullptr, "Servo zapnuto" } },
    { "LabelStartServoExFuel", CAPTION, 0, { "Fuel correction", nullptr, "Korekce paliva" } },
    { "GroupBoxTrackFilter", CAPTION, 0, { "Filtration", nullptr, "Filtrace" } },
    { "LabelTrackSections", CAPTION, 0, { "Sections", nullptr, "Počet úseků" } },
    { "LabelTrackOverlap", CAPTION, 0, { "Overlap", nullptr, "Přesah" } },
    { "RadioButtonTrackBegin", CAPTION, 0, { "Begin", nullptr, "Začátek zubu" } },
    { "RadioButtonTrackEnd", CAPTION, 0, { "End", nullptr, "Konec zubu" } },
    { "LabelTrackMinRpm", CAPTION, 0, { "Min Rpm", nullptr, "Min Rpm" } },
    { "LabelTrackMinAdv", CAPTION, 0, { "Min Adv", nullptr, "Min Adv" } },
    { "LabelTrackMinTps", CAPTION, 0, { "Min TP [%]", nullptr, "Min TP [%]" } },
    { "LabelTrackMinSpeed", CAPTION, 0, { "Min Speed [km/h]", nullptr, "Min Speed [km/h]" } },
    { "GroupBoxTrackLimits", CAPTION, 0, { "Limits", nullptr, "Omezující podmínky" } },
};

constexpr ControlTextRow MONITOR_ROWS[] = {
    { "GroupBoxMonInj", CAPTION, 0, { "Injection", "Einspritzung", "Vstřik" } },
    { { PAGE_SHEET, 4 }, CAPTION, 0, { "Position", "Lage", "Poloha" } },
    { { MESSAGE_SLOT, 48 }, CAPTION, 0, { "Position", "Lage", "Poloha" } },
    { { MESSAGE_SLOT, 57 }, CAPTION, 0, { "Gear shift light", "Schaltblitz", "Kontrolka řazení" } },
    { "GroupBoxMonInput", CAPTION, 0, { "Feature activated", "Feature aktiviert", "Funkce aktivována" } },
    SlotCaption("GroupBoxMonAdvance", 11),
    { "CheckBoxExtMonitor", CAPTION, 0, { "Detailed representation", "Detailliert Abbildung", "Detailní zobrazení" } },
};

constexpr ControlTextRow TEST_ROWS[] = {
    LiteralCaption("GroupBoxTestOut", "###Output tests##Ausgabetests##Test výstupů"),
    LiteralCaption("GroupBoxTestJet", "###Injection##Einspritzung##Vstřik"),
    LiteralCaption("ButtonTestJet1A", "###Injection 1A##Einspritzung 1A##Vstřik 1A"),
    LiteralCaption("ButtonTestJet2A", "###Injection 2A##Einspritzung 2A##Vstřik 2A"),
    LiteralCaption("ButtonTestJet3A", "###Injection 3A##Einspritzung 3A##Vstřik 3A"),
    LiteralCaption("ButtonTestJet4A", "###Injection 4A##Einspritzung 4A##Vstřik 4A"),
    LiteralCaption("ButtonTestJet1B", "###Injection 1B##Einspritzung 1B##Vstřik 1B"),
    LiteralCaption("ButtonTestJet2B", "###Injection 2B##Einspritzung 2B##Vstřik 2B"),
    LiteralCaption("ButtonTestJet3B", "###Injection 3B##Einspritzung 3B##Vstřik 3B"),
    LiteralCaption("ButtonTestJet4B", "###Injection 4B##Einspritzung 4B##Vstřik 4B"),
    LiteralCaption("CheckBoxTestInjFuelOn", "###Fuel pump on##Kraftstoffpumpe ein##Zapnutí palivové pumpy"),
    LiteralCaption("GroupBoxTestIgn", "###Ignition##Zündung##Zapalování"),
    LiteralCaption("ButtonTestIgn1", "###Ignition 1##Zündung 1##Zapalování 1"),
    LiteralCaption("ButtonTestIgn2", "###Ignition 2##Zündung 2##Zapalování 2"),
    LiteralCaption("ButtonTestIgn3", "###Ignition 3##Zündung 3##Zapalování 3"),
    LiteralCaption("ButtonTestIgn4", "###Ignition 4##Zündung 4##Zapalování 4"),
    LiteralCaption("CheckBoxTestIgnFuelOn", "###Fuel pump on##Kraftstoffpumpe ein##Zapnutí palivové pumpy"),
    LiteralCaption("GroupBoxTestServo", "###Servo##Servo##Servo"),
    LiteralCaption("LabelTestServo", "###Time [ms]##Zeit [ms]##Čas [ms]"),
    LiteralCaption("ButtonTestServoInPlus", "###Intake servo plus##Ansaugservo plus##Sací servo plus"),
    LiteralCaption("ButtonTestServoInMinus", "###Intake servo minus##Ansaugservo minus##Sací servo mínus"),
    LiteralCaption("ButtonTestServoExPlus", "###Exhaust servo plus##Abblaseservo plus##Výfukové servo plus"),
    LiteralCaption("ButtonTestServoExMinus", "###Exhaust servo minus##Abblaseservo minus##Výfukové servo mínus"),
    LiteralCaption("ButtonTestServo3Plus", "###Idle servo  plus##Freilauf servo plus##Volnoběžné servo plus"),
    LiteralCaption("ButtonTestServo3Minus", "###Idle servo  minus##Freilauf servo minus##Volnoběžné servo mínus"),
    LiteralCaption("ButtonTestPortIn", "###Intake port##Einlaßstutzen##Sací hrdlo"),
    LiteralCaption("GroupBoxTestSpecialOut", "###Various##Verschiedene##Různé"),
    LiteralCaption("ButtonTestCooling", "###Cooling##Kühlung##Chlazení"),
    LiteralCaption("ButtonTestFuelPump", "###Fuel Pump##Kraftstoffpumpe##Palivová pumpa"),
    LiteralCaption("ButtonTestStart", "###Start##Start##Start"),
    LiteralCaption("ButtonTestFan1", "###Fan 1##Ventilator 1##Ventilátor 1"),
    LiteralCaption("ButtonTestFan2", "###Fan 2##Ventilator 2##Ventilátor 2"),
    LiteralCaption("GroupBoxLambdaBar", "###Setting of Lambda bar graph##Einstellung von Lambda Bargraph##Nastavení pro Lamba graf"),
    LiteralCaption("LabelLambdaBar0", "###Beginning##Anfang##Začátek"),
    LiteralCaption("LabelLambdaBar3", "###Ending##Ende##Konec"),
    LiteralCaption("GroupBoxProprietary", "###Proprietary settings##Proprietäre Einstellungen##Proprietární nastavení"),
};

constexpr ControlTextRow MAINTENANCE_ROWS[] = {
    { "TabMaintenance", CAPTION, 0, { "Maintenance", "Wartung", "Údržba" } },
};

constexpr ControlTextRow RUNTIME_LITERAL_ROWS[] = {
    LiteralCaption("LabelPickupCorrection", "###Advance PickUp correction####PickUp korekce předstihu"),
    LiteralCaption("LabelBaseAdvance", "###Base advance (°)##Base advance (°)##Základní předstih (°)"),
    LiteralCaption("CheckBoxServoEnable", "###Servo enable##Servo zulassen##Servo povoleno"),
    LiteralCaption("CheckBoxServoPercent", "###Percent##Perzent##Procent"),
    LiteralCaption("CheckBoxServoStepMotor", "###Step motor##Schrittmotor##Krokový motor"),
    LiteralCaption("LabelServoPeriod", "###Period [ms]##Periode [ms]##Perioda [ms]"),
    LiteralCaption("LabelServoExcitation", "###Excitation [us]##Anfachung [us]##Buzení [us]"),
    LiteralCaption("LabelServoIOff", "###I off##I aus##I vyp."),
    LiteralCaption("LabelServoDOff", "###D off##D aus##D vyp."),
};
// clang-format on

} // namespace

const ControlTextTable N2O_TEXTS = N2O_ROWS;
const ControlTextTable TUNING_TEXTS = TUNING_ROWS;
const ControlTextTable TRACKING_TEXTS = TRACKING_ROWS;
const ControlTextTable MONITOR_TEXTS = MONITOR_ROWS;
const ControlTextTable TEST_TEXTS = TEST_ROWS;
const ControlTextTable MAINTENANCE_TEXTS = MAINTENANCE_ROWS;
const ControlTextTable RUNTIME_LITERAL_TEXTS = RUNTIME_LITERAL_ROWS;

void FillControlTextSlots(MessageTableTexts& table, int langIndex)
{
    for (const ControlTextRow& row : MONITOR_TEXTS)
        if (row.target.kind == MESSAGE_SLOT)
            table[size_t(row.target.index)] = ControlTextRowText(row, langIndex, table);
}
