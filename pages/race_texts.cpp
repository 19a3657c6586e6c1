// The Race page's texts in the three languages, then its rules, since the
// deceleration action's caption depends on the language too.
#include "app/language.h"
#include "app/main.h"
#include "pages/race.h"

namespace {

using enum TextProperty;
// clang-format off
constexpr ControlText RACE_PAGE_TEXTS[] = {
    { "RadioGroupClutchMode", CAPTION, 0, { "Quickshift up mode", "Schaltautomat modus", "Quickshift up mód" } },
    { "RadioGroupClutchMode", ITEMS, 0, { "No ignition\nRetard", "Keine Zündung\nSpätzündung", "Blokování zápalů\nZpoždění zážehu" } },
    { "LabelClutchMinRpm", CAPTION, 0, { "Min Rpm for shift up", "Min Rpm für Schaltautomat", "Min Rpm pro rychlořazení" } },
    { "LabelClutchJet", CAPTION, 0, { "Shift up Inj. [%]", "Schaltautomat Einsp. [%]", "Shift up vstřik [%]" } },
    { "LabelClutchAdv", CAPTION, 0, { "Shift up advance [°]", "Schaltautomat Vorzündung [°]", "Shift up předstih [°]" } },
    { "GroupBoxClutch", CAPTION, 0, { "Setting according gear", nullptr, "Nastavení pro rychlostní stupně" } },
    { "LabelGearShiftLight", CAPTION, 0, { "Gear shift light [rpm]", "Schaltblitz [rpm]", "Kontrolka řazení [rpm]" } },
    { "LabelClutchTime", CAPTION, 0, { "Shift up master time [ms]", "Shift upmaster Zeit [ms]", "Shift up master čas [ms]" } },
    { "LabelClutchPause", CAPTION, 0, { "Shift up master pause [ms]", "Shift up master Pause [ms]", "Shift up master pauza [ms]" } },
    { "GroupBoxPitControl", CAPTION, 0, { "Pit speed control", "Pit speed control", "Pit speed control" } },
    { "LabelPitSpeed", CAPTION, 0, { "Speed [km/h]", "Geschwidigkeit[km/h]", "Rychlost [km/h]" } },
    { "LabelPitRetardP", CAPTION, 0, { "Retard - P [°/km/h]", "Spätzündung - P [°/km/h]", "Snížení předstihu P[°/km/h]" } },
    { "LabelPitRetardI", CAPTION, 0, { "Retard - I [°/s]", "Spätzündung - I [°/s", "Snížení předstihu I [°/s]" } },
    { "LabelPitMinAdv", CAPTION, 0, { "Min Advance [°]", "Min Vorzündung [°]", "Min předstih [°]" } },
    { "LabelPitMinRpm", CAPTION, 0, { "Min Rpm", "Min Rpm", "Min Rpm" } },
    { "RadioGroupDisplay", CAPTION, 0, { "Display on Bike", "Motorradanzeige", "Displej na motocyklu" } },
    { "RadioGroupDisplay", ITEMS, 0, { "Speed\nTemperature\nGear", "Geschwindigkeit\nTemperatur\nGang", "Rychlost\nTeplota\nPřevod" } },
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
// clang-format on

} // namespace

void ApplyRaceTexts(TMainForm* form)
{
    for (const ControlText& row : RACE_PAGE_TEXTS)
        ApplyControlText(form, row);
    UpdateRaceControls(form);
}
