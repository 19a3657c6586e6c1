// The Synchro page's control texts in the three languages: the page's own
// captions with the lists refilled right after the group's caption, then the
// recognition group's texts for hunting or for the intake pressure (by the
// second synchronisation type of the image), then the rest.
#include "app/language.h"
#include "app/main.h"
#include "pages/synchro.h"

#include <span>
#include <string_view>

namespace {

using enum TextProperty;

// clang-format off
constexpr ControlText FIRST_TEXTS[] = {
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
    { "LabelPalec1Zac", CAPTION, 0, { "Maximum advance 1", "Maximal Vorzündung 1", "Maximální předstih 1" } },
    { "LabelPalec2Zac", CAPTION, 0, { "Maximum advance 2", "Maximal Vorzündung 2", "Maximální předstih 2" } },
    { "LabelPalec3Zac", CAPTION, 0, { "Maximum advance 3", "Maximal Vorzündung 3", "Maximální předstih 3" } },
    { "LabelPalec4Zac", CAPTION, 0, { "Maximum advance 4", "Maximal Vorzündung 4", "Maximální předstih 4" } },
    { "LabelTop1", CAPTION, 0, { "Start advance 1", "Start Vorzündung 1", "Startovací předstih 1" } },
    { "LabelTop2", CAPTION, 0, { "Start advance 2", "Start Vorzündung 2", "Startovací předstih 2" } },
    { "LabelTop3", CAPTION, 0, { "Start advance 3", "Start Vorzündung 3", "Startovací předstih 3" } },
    { "LabelTop4", CAPTION, 0, { "Start advance 4", "Start Vorzündung 4", "Startovací předstih 4" } },
    { "LabelVynechPalcu", CAPTION, 0, { "Number of missing lobes", "Ausgelassene Leitstücke Anzahl", "Počet vynechaných výstupků" } },
    { "LabelPosunPalcu", CAPTION, 0, { "Number of shifted lobes", "Verschiebte Leitstücke Anzahl", "Počet posunutých výstupků" } },
};

constexpr ControlText HUNTING_TEXTS[] = {
    { "GroupBoxKyvani", CAPTION, 0, { "Hunting", "Schwingung", "Kývání" } },
    { "RadioGroupKyvaniPodminka", CAPTION, 0, { "Central section", "Mittelabschnitt", "Stredni úsek" } },
    { "RadioGroupKyvaniPodminka", ITEM, 0, { "Shortest", "Kürzeste", "Nejkratší" } },
    { "RadioGroupKyvaniPodminka", ITEM, 1, { "Longest", "Längste", "Nejdelší" } },
    { "LabelKyvaniFaze1", CAPTION, 0, { "Traced sections", "Beobach. Abschnitte", "Sledované úseky" } },
};

constexpr ControlText INTAKE_PRESSURE_TEXTS[] = {
    { "GroupBoxKyvani", CAPTION, 0, { "IAP", "IAP", "IAP" } },
    { "RadioGroupKyvaniPodminka", CAPTION, 0, { "Central value", "Mittleren Werte", "Střední hodnota" } },
    { "RadioGroupKyvaniPodminka", ITEM, 0, { "Minimal", "Minimal", "Nejmenší" } },
    { "RadioGroupKyvaniPodminka", ITEM, 1, { "Maximal", "Maximal", "Největší" } },
    { "LabelKyvaniFaze1", CAPTION, 0, { "Traced lobes", "Überwachten Leitstück", "Sledované palce" } },
};

constexpr ControlText LAST_TEXTS[] = {
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

void ApplySynchroTexts(TMainForm* form)
{
    for (const ControlText& row : FIRST_TEXTS) {
        ApplyControlText(form, row);
        if (row.control == std::string_view("GroupBoxSynchro"))
            FillSynchroLists(form);
    }
    const int synchro2 = form->PcImage.b[synchro_cells::SYNCHRO2_TYPE];
    for (const ControlText& row :
        synchro2 == 5 || synchro2 == 6 ? std::span(INTAKE_PRESSURE_TEXTS) : std::span(HUNTING_TEXTS))
        ApplyControlText(form, row);
    for (const ControlText& row : LAST_TEXTS)
        ApplyControlText(form, row);
}
