// The control texts of the map, corrections, sensors, power out, servo,
// race, gear and idle pages. Page sheets made at run time are named by their
// page slot: 2 Advance, 3 Injection, 8 Servo, 10 Power out.
#include "texts/controltexts.h"

namespace {

using enum TextProperty;
using enum TargetKind;

constexpr LangEntry GEAR = { "Gear", "Gang", "Převod" };
constexpr LangEntry PULSES_PER_SECOND
    = { "Pulse over 1s for 100 km/h", "Pulse in 1s bei 100 km/St", "Pulsů za 1s pro 100km/hod" };
constexpr LangEntry DISTANCE_PER_PULSE = { "Distance for pulse [mm]", "Strecke für Pulse", "Vzdálenost pro pulz" };

// clang-format off
constexpr ControlTextRow ADVANCE_INJECTION_ROWS[] = {
    { { PAGE_SHEET, 2 }, CAPTION, 0, { "Advance", "Vorzündung", "Předstih" } },
    { { PAGE_SHEET, 3 }, CAPTION, 0, { "Injection", "Einspritzung", "Vstřik" } },
    { "RadioButtonBSplits", CAPTION, 0, { "B splits", "B spaltungen", "B rozděluje" } },
    { "RadioButtonBAdds", CAPTION, 0, { "B adds", "B addiert", "B přidává" } },
    { "CheckBoxCorrectResult", CAPTION, 0, { "Correct the resulting injection time", nullptr, "Koriguj výsledný vstřikovací čas" } },
};

constexpr ControlTextRow CORRECTIONS_ROWS[] = {
    { "TabSheet_Korekce", CAPTION, 0, { "Corrections", "Korrektionen", "Korekce" } },
    { "GroupBoxAccK", CAPTION, 0, { "Acceleration correction of synchronous injections", "Beschleunigungskorrektur den Synchron Injektionen", "Akcelerační korekce synchronních vstřiků" } },
    { "LabelAccKPlus", CAPTION, 0, { "Enrichment + [%/100%]", nullptr, "Obohacení + [%/100%]" } },
    { "LabelAccKMinus", CAPTION, 0, { "Enleanment - [%/100%]", nullptr, "Ochuzení - [%/100%]" } },
    { "LabelAccT0", CAPTION, 0, { "Time constant by TP 0% [10ms]", "Zeitkonstante - TP 0% [10ms]", "Časová konstanta - TP 0% [10ms]" } },
    { "LabelAccT100", CAPTION, 0, { "Time constant TP 100% [10ms]", "Zeitkonstante - TP 100% [10ms]", "Časová konstanta - TP 100% [10ms]" } },
    { "GroupBoxInjCor", CAPTION, 0, { "Injection Corrections", "Einspritzung Korrektionen", "Korekce vstřikování" } },
    { "GroupBoxAdvCor", CAPTION, 0, { "Advance Corrections", "Vorzündung Korrektionen", "Korekce předstihu" } },
    { "GroupBoxAccCor", CAPTION, 0, { "Acceleration Corrections", "Beschleunigung Korrektionen", "Korekce akcelerace" } },
    { "LabelDeadTime", CAPTION, 0, { "Dead time [us]", "Todeszeit [us]", "Mrtvý čas [us]" } },
};

constexpr ControlTextRow SENSORS_ROWS[] = {
    { "TabSheet_Cidla", CAPTION, 0, { "Sensors", "Senzoren", "Čidla" } },
    { "CheckBoxTPS3pt", CAPTION, 0, { "3 pt.", nullptr, "3 bd." } },
    { "CheckBoxTempWaterSensor", CAPTION, 0, { "Temperature water sensor", nullptr, "Teplotní čidlo - voda" } },
    { "CheckBoxTempAirSensor", CAPTION, 0, { "Temperature air sensor", nullptr, "Teplotní čidlo - vzduch" } },
    { "RadioGroupCharView", CAPTION, 0, { "View characteristic as ", nullptr, "Zobrazit hodnoty charakteristiky jako " } },
    { "RadioGroupCharView", ITEMS, 0, { "Voltage\nResistance", nullptr, "Napětí\nOdpor" } },
    { "RadioGroupCidloLambdaMode", CAPTION, 0, { "Type of lambda sensor", nullptr, "Typ lambda senzoru" } },
    { "GroupBoxPotenc", CAPTION, 0, { "Potentiometer", nullptr, "Potenciometr" } },
    { "ComboBoxPotencMode", ITEM, 0, { "No", nullptr, "Nevyužit" } },
    { "ComboBoxPotencMode", ITEM, 1, { "Injection", nullptr, "Vstřikování" } },
    { "ComboBoxPotencMode", ITEM, 2, { "Advance", nullptr, "Předstih" } },
    { "ComboBoxPotencMode", ITEM, 3, { "Start Limiter", nullptr, "Startovací omezovač" } },
    { "ComboBoxPotencMode", ITEM, 4, { "Launch control", nullptr, "Launch control" } },
    { "ButtonLaunchPotiSave", CAPTION, 0, { "Store values set by poti", nullptr, "Ulož hodnoty dané potenciometrem" } },
    { "GroupBoxCANID", CAPTION, 0, { "UEGO CAN ID", nullptr, "UEGO CAN ID" } },
    { "LabelQuickshiftAnalog", CAPTION, 0, { "Quickshift analog [V]", nullptr, "Rychlořazení analog. [V]" } },
    { "LabelQuickshiftDown", CAPTION, 0, { "dn.", nullptr, "-" } },
    { "LabelQuickshiftUp", CAPTION, 0, { "up", nullptr, "+" } },
};

constexpr ControlTextRow POWER_OUT_SHEET_ROWS[] = {
    { { PAGE_SHEET, 10 }, CAPTION, 0, { "Power out", "Power out", "Power out" } },
};

constexpr ControlTextRow POWER_OUT_HYSTERESIS_ROWS[] = {
    { HYSTERESIS_LABEL, CAPTION, 0, { "Hysteresis", "Hysterese", "Hystereze" } },
};

constexpr ControlTextRow SERVO_ROWS[] = {
    { { PAGE_SHEET, 8 }, CAPTION, 0, { "Servo", "Servo", "Servo" } },
    { "RadioGroupServoPolarity", CAPTION, 0, { "Polarity", "Polarität", "Polarita" } },
    { "CheckBoxServoIsTps", CAPTION, 0, { "is TPS", "ist TPS", "je TPS" } },
};

constexpr ControlTextRow RACE_ROWS[] = {
    { "RadioGroupClutchMode", CAPTION, 0, { "Quickshift up mode", "Schaltautomat modus", "Quickshift up mód" } },
    { "RadioGroupClutchMode", ITEM, 0, { "No ignition", "Keine Zündung", "Blokování zápalů" } },
    { "RadioGroupClutchMode", ITEM, 1, { "Retard", "Spätzündung", "Zpoždění zážehu" } },
    { "LabelClutchMinRpm", CAPTION, 0, { "Min Rpm for shift up", "Min Rpm für Schaltautomat", "Min Rpm pro rychlořazení" } },
    { "LabelClutchJet", CAPTION, 0, { "Shift up Inj. [%]", "Schaltautomat Einsp. [%]", "Shift up vstřik [%]" } },
    { "LabelClutchAdv", CAPTION, 0, { "Shift up advance [°]", "Schaltautomat Vorzündung [°]", "Shift up předstih [°]" } },
    { "GroupBoxClutch", CAPTION, 0, { "Setting according gear", nullptr, "Nastavení pro rychlostní stupně" } },
    { "LabelGearShiftLight", CAPTION, 0, { "Gear shift light", "Schaltblitz", "Kontrolka řazení" }, nullptr, " [rpm]" },
    { "LabelClutchTime", CAPTION, 0, { "Shift up master time [ms]", "Shift upmaster Zeit [ms]", "Shift up master čas [ms]" } },
    { "LabelClutchPause", CAPTION, 0, { "Shift up master pause [ms]", "Shift up master Pause [ms]", "Shift up master pauza [ms]" } },
    { "GroupBoxPitControl", CAPTION, 0, { "Pit speed control", "Pit speed control", "Pit speed control" } },
    { "LabelPitSpeed", CAPTION, 0, { "Speed [km/h]", "Geschwidigkeit[km/h]", "Rychlost [km/h]" } },
    { "LabelPitRetardP", CAPTION, 0, { "Retard - P [°/km/h]", "Spätzündung - P [°/km/h]", "Snížení předstihu P[°/km/h]" } },
    { "LabelPitRetardI", CAPTION, 0, { "Retard - I [°/s]", "Spätzündung - I [°/s", "Snížení předstihu I [°/s]" } },
    { "LabelPitMinAdv", CAPTION, 0, { "Min Advance [°]", "Min Vorzündung [°]", "Min předstih [°]" } },
    { "LabelPitMinRpm", CAPTION, 0, { "Min Rpm", "Min Rpm", "Min Rpm" } },
    { "RadioGroupDisplay", CAPTION, 0, { "Display on Bike", "Motorradanzeige", "Displej na motocyklu" } },
    { "RadioGroupDisplay", ITEM, 0, { "Speed", "Geschwindigkeit", "Rychlost" } },
    { "RadioGroupDisplay", ITEM, 1, { "Temperature", "Temperatur", "Teplota" } },
    { "RadioGroupDisplay", ITEM, 2, { "Gear", "Gang", "Převod" } },
    { "GroupBoxRaceDC", CAPTION, 0, { "Deceleration control", "Verzögerungssteuerung", "Kontrola decelerace" } },
    { "CheckBoxRaceDC", CAPTION, 0, { "Deceleration control allowed", "Überprüfung der Verzögerung aktivieren", "Kontrola decelerace povolena" } },
    { "LabelDCRPMmin", CAPTION, 0, { "RPM min", nullptr, "RPM min" } },
    { "LabelDCTPSmin", CAPTION, 0, { "TP min", nullptr, "TP min" } },
    { "CheckBoxDCUseSpeed", CAPTION, 0, { "Use Speed for activation", nullptr, "Použij rychlost pro aktivaci funkce" } },
    { "LabelDCSpeedMin", CAPTION, 0, { "Speed min", nullptr, "Rychlost min" } },
    { "GroupBoxRaceQuickShiftDown", CAPTION, 0, { "Quickshift down", "Wechsel unten", "Quickshift down" } },
    { "LabelRaceQSDTime", CAPTION, 0, { "Quickshift down time [ms]", "Zeit [ms]", "Čas [ms]" } },
    { "LabelRaceQSDTPSmax", CAPTION, 0, { "TPS target [%]", "TPS Ziel [%]", "TPS cílové [%]" } },
};

constexpr ControlTextRow GEAR_ROWS[] = {
    { "TabSheet_Gear", CAPTION, 0, { "Gear", "Gang", "Převod" } },
    { "GroupBoxNapetiProGear", CAPTION, 0, { "Voltage of gears", "Gangspannung", "Napětí převodových stupňú" } },
    { "LabelPocetGear", CAPTION, 0, { "Number of gears", "Gangzahl", "Počet převodových stupňů" } },
    { "GroupBoxRpmSpeedProGear", CAPTION, 0, { "Ration Rpm/Speed", "Proportion Rpm/Geschwindigkeit", "Poměr Rpm/rychlost" } },
    { "GroupBoxNeutral", CAPTION, 0, { "Setting Neutral", "Neutral stellen", "Nastavení neutrálu" } },
    { "CheckBoxNeutral", CAPTION, 0, { "Neutral detection", "Neutrale Detektions", "detekce Neutrál" } },
    { "ButtonGear0", CAPTION, 0, GEAR, "<- ", " 0" },
    { "ButtonGear1", CAPTION, 0, GEAR, "<- ", " 1" },
    { "ButtonGear2", CAPTION, 0, GEAR, "<- ", " 2" },
    { "ButtonGear3", CAPTION, 0, GEAR, "<- ", " 3" },
    { "ButtonGear4", CAPTION, 0, GEAR, "<- ", " 4" },
    { "ButtonGear5", CAPTION, 0, GEAR, "<- ", " 5" },
    { "ButtonGear6", CAPTION, 0, GEAR, "<- ", " 6" },
    { "GroupBoxMonAutoGear", CAPTION, 0, { "Automatic from ratio rpm speed", "Automatisch aus Rpm/Geschwindigkeit", "Automaticky z poměru Rpm/rychlost" } },
    { "LabelGearAutoTime", CAPTION, 0, { "Min Time [s]", "Min Zeit [s]", "Min čas [s]" } },
    { "LabelGearAutoBand", CAPTION, 0, { "Zone [%]", "Zone [%]", "Pásmo [%]" } },
    { "GroupBoxGearKor", CAPTION, 0, { "Correction per gear", nullptr, "Korekce pro rychlosti" } },
    { "LabelGearKorAdvance", CAPTION, 0, { "Advance [°]", "Vorzündung [°]", "Předstih [°]" } },
    { "LabelGearKorInjection", CAPTION, 0, { "Injection [%]", "Einspritzung [%]", "Vstřik [%]" } },
    { "LabelGearKorAccTres", CAPTION, 0, { "Acc. tres. [%]", nullptr, "Akcel. práh [%]" } },
    { "LabelGearKorRetard", CAPTION, 0, { "Track [%]", nullptr, "Track [%]" } },
    { "LabelSpeedFront", CAPTION, 0, { "Front speedometer:", "Vortachometerstellung:", "Přední rychloměr:" } },
    { "LabelSpeedRear", CAPTION, 0, { "Rear speedometer:", "Rücktachometerstellung:", "Zadní rychloměr:" } },
    { "LabelSpeedOutCorrection", CAPTION, 0, { "Speed output correction:", "Drehzahlausgabe Korrektur:", "Korekce výstupu rychlosti:" } },
    { "RadioGroupFrontMode", ITEM, 0, PULSES_PER_SECOND },
    { "RadioGroupRearMode", ITEM, 0, PULSES_PER_SECOND },
    { "RadioGroupFrontMode", ITEM, 1, DISTANCE_PER_PULSE },
    { "RadioGroupRearMode", ITEM, 1, DISTANCE_PER_PULSE },
};

constexpr ControlTextRow IDLE_ROWS[] = {
    SlotCaption("TabSheet_Idle", 76),
    { "RadioGroupIdleMode", CAPTION, 0, { "Idle control", "Freilaufregulation", "Regulace volnoběhu" } },
    { "LabelIdleStepPuls", CAPTION, 0, { "Step motor excitation[us]", "Schrittmotor Anfachung [us]", "Buzení krokového motoru [us]" } },
    { "LabelIdleStepPerioda", CAPTION, 0, { "Step motor period [ms]", "Schrittmotor Periode [ms]", "Perioda krokového motoru [ms]" } },
    { "LabelIdleRegulation", CAPTION, 0, { "Idle regulation [0.1%/2rpm]", "Freilaufregulationg[0.1%/2rpm]", "Regulace volnoběhu [0.1%/2rpm]" } },
    { "LabelIdleLobe", CAPTION, 0, { "Idle lobe", "Freilauf Leitstück", "Palec volnoběhu" } },
    { "GroupBoxIdleAdv", CAPTION, 0, { "Advance control of Idle", "Vorzündungregelung", "Regulace předstihu při volnoběhu" } },
    { "LabelIdleAdvNaRpm", CAPTION, 0, { "Advance control[°/1000 rpm]", "Vorzündungregelung [°/1000 rpm]", "Regulace předstihu [°/1000 rpm]" } },
    { "LabelIdleAdvNaCas", CAPTION, 0, { "Regulace advance [°/10s]", "Vorzündungregelung [°/10s]", "Regulace předstihu [°/10s]" } },
    { "LabelIdleMaxAdv", CAPTION, 0, { "Maximal advance [°]", "Maximal Vorzündung [°]", "Maximální předstih [°]" } },
    { "LabelIdleRpmMez", CAPTION, 0, { "Control Range [rpm]", "Steuer. Bereich [rpm]", "Regul. rozsah [rpm]" } },
    { "LabelIdleControlBand", CAPTION, 0, { "Control band [rpm]", "Control-Band [rpm]", "Regulační pásmo [rpm]" } },
};
// clang-format on

} // namespace

const ControlTextTable ADVANCE_INJECTION_TEXTS = ADVANCE_INJECTION_ROWS;
const ControlTextTable CORRECTIONS_TEXTS = CORRECTIONS_ROWS;
const ControlTextTable SENSORS_TEXTS = SENSORS_ROWS;
const ControlTextTable POWER_OUT_SHEET_TEXTS = POWER_OUT_SHEET_ROWS;
const ControlTextTable POWER_OUT_HYSTERESIS_TEXTS = POWER_OUT_HYSTERESIS_ROWS;
const ControlTextTable SERVO_TEXTS = SERVO_ROWS;
const ControlTextTable RACE_TEXTS = RACE_ROWS;
const ControlTextTable GEAR_TEXTS = GEAR_ROWS;
const ControlTextTable IDLE_TEXTS = IDLE_ROWS;
