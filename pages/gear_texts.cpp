// The Gear page's texts in the three languages; the gear system list is
// refilled right after the sheet's caption.
#include "app/language.h"
#include "app/main.h"
#include "pages/gear.h"

#include <string_view>

namespace {

using enum TextProperty;
// clang-format off
constexpr ControlText GEAR_PAGE_TEXTS[] = {
    { "TabSheet_Gear", CAPTION, 0, { "Gear", "Gang", "Převod" } },
    { "GroupBoxNapetiProGear", CAPTION, 0, { "Voltage of gears", "Gangspannung", "Napětí převodových stupňú" } },
    { "LabelPocetGear", CAPTION, 0, { "Number of gears", "Gangzahl", "Počet převodových stupňů" } },
    { "GroupBoxRpmSpeedProGear", CAPTION, 0, { "Ration Rpm/Speed", "Proportion Rpm/Geschwindigkeit", "Poměr Rpm/rychlost" } },
    { "GroupBoxNeutral", CAPTION, 0, { "Setting Neutral", "Neutral stellen", "Nastavení neutrálu" } },
    { "CheckBoxNeutral", CAPTION, 0, { "Neutral detection", "Neutrale Detektions", "detekce Neutrál" } },
    { "ButtonGear0", CAPTION, 0, { "<- Gear 0", "<- Gang 0", "<- Převod 0" } },
    { "ButtonGear1", CAPTION, 0, { "<- Gear 1", "<- Gang 1", "<- Převod 1" } },
    { "ButtonGear2", CAPTION, 0, { "<- Gear 2", "<- Gang 2", "<- Převod 2" } },
    { "ButtonGear3", CAPTION, 0, { "<- Gear 3", "<- Gang 3", "<- Převod 3" } },
    { "ButtonGear4", CAPTION, 0, { "<- Gear 4", "<- Gang 4", "<- Převod 4" } },
    { "ButtonGear5", CAPTION, 0, { "<- Gear 5", "<- Gang 5", "<- Převod 5" } },
    { "ButtonGear6", CAPTION, 0, { "<- Gear 6", "<- Gang 6", "<- Převod 6" } },
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
    { "RadioGroupFrontMode", ITEMS, 0, { "Pulse over 1s for 100 km/h\nDistance for pulse [mm]", "Pulse in 1s bei 100 km/St\nStrecke für Pulse", "Pulsů za 1s pro 100km/hod\nVzdálenost pro pulz" } },
    { "RadioGroupRearMode", ITEMS, 0, { "Pulse over 1s for 100 km/h\nDistance for pulse [mm]", "Pulse in 1s bei 100 km/St\nStrecke für Pulse", "Pulsů za 1s pro 100km/hod\nVzdálenost pro pulz" } },
};
// clang-format on

} // namespace

void ApplyGearTexts(TMainForm* form)
{
    for (const ControlText& row : GEAR_PAGE_TEXTS) {
        ApplyControlText(form, row);
        if (row.control == std::string_view("TabSheet_Gear"))
            FillGearSystemList(form);
    }
}
