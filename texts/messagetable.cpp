#include "texts/messagetable.h"

#include "image/rsimage.h"

#include <string>

namespace {

struct SlotEntry {
    int slot;
    LangEntry text;
};

// The texts of slots 3..199 that are plain entries; the slots built from
// other texts are filled in FillMessageTable.
constexpr SlotEntry SLOTS[] = {
    { 3, { "Program error!", "Programmierfehler!", "Chyba programování" } },
    { 4, { "Verify error!", "Vergleichsfehler", "Chyba verifikace!" } },
    { 5, { "Read error!", "Lesefehler", "Chyba čtení!" } },
    { 6, { "Program device:", "Programmieren:", "Programování:" } },
    { 7,
        { "Unmatched version of PC and Ignition programs!",
            "Programm der Zündung ist nicht kompatibel mit dem Programm am PC!",
            "Neshodné verze proramu v PC a v zapalování!" } },
    { 8,
        { "Unmatched subversion of PC and Ignition programs!", "Inkongruend SubVersion PC und der Zündung!",
            "Neshodné podverze proramu v PC a zapalování!" } },
    { 9, { "Verify:", "Vergleichen:", "Verifikace:" } },
    { 10, { "Read:", "Lesen:", "Čtení:" } },
    { 11, { "Advance", "Vorzündung", "Předstih" } },
    { 12, { "Number of Programing = ", "Programmierungsanzahl = ", "Počet programování = " } },
    { 13, { "Blocking ", "Blockierung ", "Blokování " } },
    { 14, { "Start limiter", "Start Begrenzer", "Startovací omezovač" } },
    { 15, { "Start limiter by ignition", "Start Begrenzer - Zündung", "Startovací omezovač zápalem" } },
    { 16, { "Start limiter by retard", "Start Begrenzer - Spätzündung", "Startovací omezovač předstihem" } },
    { 17, { "Limiter by ignition", "Begrenzer - Zündung", "Omezovač zápalem" } },
    { 18, { "Limiter by injection", "Begrenzer - Einspritz", "Omezovač vstřikem" } },
    { 19, { "Limiter by retard", "Begrenzer - Spätzündung", "Omezovač předstihem" } },
    { 20, { "YES", "JA", "ANO" } },
    { 21, { "NO", "NEIN", "NE" } },
    { 22, { "Twinkle", "Blinken", "Bliká" } },
    { 23, { "Polarity of CPS - ", "Polarität des CPS - ", "Polarita CPS - " } },
    { 24, { "Positive", "Positiv", "Kladná" } },
    { 25, { "Negative", "Negativ", "Záporná" } },
    { 26, { "Com opening error!", "Falscher COM-Anschlußes!", "Chyba při otevírání portu Com!" } },
    { 27, { "Open file error!", "Fehler beim öffnen der Datei!", "Chyba při otevírání souboru!" } },
    { 28,
        { "Can't open page for coupled jet !", nullptr, "Otevření stránky pro spřažené vstřiky není podporováno !" } },
    { 29,
        { "Do you want default setting?", "Wollen Sie Standardeinstellungen öffnen?",
            "Chcete nastavit základní hodnoty?" } },
    { 30,
        { "Do you want cancel special mode ?\nSynchro changes will be abolished ?",
            "Um eine spezielle Einstellung zu beenden ?\nÄnderungen im Synchro wird abgebrochen !",
            "Chcete ukončit speciální nastavení ?\nZměny v synchru budou zrušeny !" } },
    { 31, { "Do you want delete special settings?", nullptr, "Přejete si smazat speciální nastavení?" } },
    { 32,
        { "Do you want default setting for this page?", "Wollen Sie Standardeinstellungen für diese Seite öffnen?",
            "Chcete nastavit základní hodnoty pro tuto záložku?" } },
    { 34,
        { "Unmatched version of *.ign file!", "Datendatei *.ign ist nicht kompatiebel!",
            "Neshodná verze souboru *.ign!" } },
    { 36, { "Date and time of printing:  ", "Zeitpunkt des Ausdruckes   ", "Datum a čas tisku:  " } },
    { 38, { "Pick-up (CKPS)", "Geber (CKPS)", "Snímač (CKPS)" } },
    { 39, { "Pick-up (CMPS)", "Geber (CMPS)", "Snímač (CMPS)" } },
    { 40, { " is running", " läuft", " pracuje" } },
    { 41, { " no signal", " kein Signal", " bez signálu" } },
    { 42,
        { "This Ignition is not for required motorbike!", "Diese Zündung ist nicht for gestellte Motorrad!",
            "Toto zapalování není pro zvolený typ motocyklu!" } },
    { 43,
        { "This version of program Zeperon_Torvik.exe is not for required bike!",
            "Diese Version des Programs Zeperon_Torvik.exe ist nicht für angeforderte Motorrad!",
            "Tato verze programu Zeperon_Torvik.exe není pro požadovanou motorku!" } },
    { 44, { "Base advance [°]", "Basis Vorzündung [°]", "Základní předstih [°]" } },
    { 45, { "Saving:", "Speicherung:", "Ukládání:" } },
    { 46, { "Injection time", "Einspritzzeit", "Čas vstřiku" } },
    { 47, { "Max injection", "Max.Einspritz", "Max. vstřik" } },
    { 49, { "Exhaust servo ", "Abblaseservo", "Výfuk. servo " } },
    { 50, { "Intake servo", "Ansaugservo", "Sací servo " } },
    { 52, { "Potentiometer", "Potentiometer", "Potenciometr" } },
    { 53, { "Fall sensor", "Not Aus Sensor", "Pádový senzor" } },
    { 54, { "Cooling", "Kühlung", "Chlazení" } },
    { 55, { "Gear", "Gang", "Rychlost. stupeň" } },
    { 56, { "Speed", "Geschwindigkeit", "Rychlost" } },
    { 58, { "Choke", "Startvergaser", "Sytič" } },
    { 59, { "IAP -> TP:", "IAP -> TP:", "IAP -> TP:" } },
    { 60, { "Width of Lobe [°]", "Leitstückbreite [°]", "Šířka výstupku [°]" } },
    { 62, { "TP min", "TP min", "TP min" } },
    { 63, { "TP max", "TP max", "TP max" } },
    { 64, { "RPM min", "RPM min", "RPM min" } },
    { 65, { "RPM max", "RPM max", "RPM max" } },
    { 66, { "Shift up master", "Schaltautomat", "Rychlořazení" } },
    { 67, { "Tacho", "Tacho", "Tacho" } },
    { 68, { "Lambda", "Lambda", "Lambda" } },
    { 69, { "Tacho/AFR, autotunning", nullptr, "Otáčkoměr/AFR, autoladění" } },
    { 71, { "Inj. according TP", "Einsp. nach TP", "Vstřik dle TP" } },
    { 72, { "Coolant", "Kühlflüssigkeit", "Teplota vody" } },
    { 73, { "Intake servo must be enabled", nullptr, "Musí být povoleno sací servo" } },
    { 74, { "Intake servo must be disabled", nullptr, "Sací servo nesmí být povoleno" } },
    { 75,
        { "Intake servo must be enabled ohne step out", nullptr, "Musí být povoleno sací servo a krokový motor ne" } },
    { 76, { "Idle", "Freilauf", "Volnoběh" } },
    { 77, { "Desired RPM", "Gewünschte RPM", "Požadované RPM" } },
    { 78, { "Hysteresis [rpm]", "Hysteresis [rpm]", "Hystereze [rpm]" } },
    { 79, { "Start position of intake servo", "Startlage des Ansaugservo", "Start. poloha sacího serva" } },
    { 80, { "TP min [in steps of servo]", "TP min [in schritt des Servo]", "TP min [kroku serva]" } },
    { 81, { "Min position [%]", "Min Lage [%]", "Min. poloha [%]" } },
    { 82, { "T: rpm=0", "E: rpm=0", "L: rpm=0" } },
    { 83, { "T: Coupled", "E: Gekoppelt", "L: Spřažený" } },
    { 84, { "T: no TP, no IAP", "E: kein TP, kein IAP", "L: není TP, není IAP" } },
    { 85, { "T: Tunning is off", "E: Einstellung ist aus", "L: Ladění vypnuto" } },
    { 86, { "T: Accelarition is to high", "E: Akceleration ist zu hoch", "L: Akcelerace je příliš velká" } },
    { 87, { "T: Lambda is to low", "E: Lamda ist zu klein", "L: Lambda je příliš malá" } },
    { 88, { "T: Lambda is to high", "E: Lamda ist zu hoch", "L: Lambda je příliš velká" } },
    { 89, { "T: TP is to low", "E: TP ist zu klein", "L: TP je příliš malá" } },
    { 90, { "T: RPM to low", "E: RPM ist zu klein", "L: RPM je příliš malá" } },
    { 91, { "T: Temperature is to low", "E: Temperatur ist zu klein", "L: Teplota je příliš nízká" } },
    { 92, { "T: Temperature is to high", "E: Temperatur ist zu hoch", "L: Teplota je příliš vysoká" } },
    { 93, { "T: Jet from TP and IAP map", "E: Jet aus TP und IAP map", "L: Vstřik z mapy TP i IAP" } },
    { 94, { "T: It is not in point-RPM low", "E: Es ist nicht in Punkt-RPM klain", "L: Není v bodě-RPM malé" } },
    { 95, { "T: It is not in point-RPM high", "E: Es ist nicht in Punkt-RPM hoch", "L: Není v bodě-RPM velké" } },
    { 96, { "T: It is not in point-TP low", "E: Es ist nicht in Punkt-TP klein", "L: Není v bodě-TP malé" } },
    { 97, { "T: It is not in point-TP high", "E: Es ist nicht in Punkt-TP hoch", "L: Není v bodě-TP velké" } },
    { 98, { "T: Lambda voltage error", "E: Lambdaspannungfehler", "L: Chybná hodnota lambda napětí" } },
    { 99,
        { "T: RPM to low (before first point)", "E: Rpm zu small (vor erste Punkt)",
            "L: Nízké otáčky (před prvním bodem)" } },
    { 100,
        { "T: RPM high (after last point)", "E: RPM hoch (hinter letzte Punkt)",
            "L: Velké otáčky (za posledním bodem)" } },
    { 101,
        { "T: TP or IAP to low (before first point)", "E: TP or IAP  zu small (vor erste Punkt)",
            "malé TP nebo IAP - před prvním bodem" } },
    { 102,
        { "T: TP or IAP high ((hinter letzte Punkt)", "E: TP or IAP zu hoch ((hinter letzte Punkt)",
            "L: velké TP nebo IAP za posledním bodem" } },
    { 103, { "T: Adding", "E: Zusatz", "L: Přidávání" } },
    { 104, { "T: Decrease", "E: Abnahme", "L: Ubírání" } },
    { 105, { "T: OK", "E: OK", "L: OK" } },
    { 106, { "T: Starting delay", "E: Anlaufverzögerung", "L: Startovní zpoždění" } },
    { 107, { "T: No injection or ignition", "E: Keine Injektion oder Zündung", "L: Není vstřik nebo zapalování" } },
    { 108, { "Gear voltage", "GPS Spannung", "GPS napětí" } },
    { 109, { "Step servo position", "Schrittmotorlage", "Poloha krokového motoru" } },
    { 110, { "Pit speed control retard", nullptr, nullptr } },
    { 111, { "Pit speed control no ignition", nullptr, nullptr } },
    { 112, { "Gas handle", nullptr, "Rukojeť plynu" } },
    { 113, { "Power out - disabled", "Leistungausgang - aus", "Výkonový výstup - vypnut" } },
    { 117, { "Gear shift light - off", "Schaltblitz - aus", "Kontrolka řazení - vypnuta" } },
    { 118, { "Gear shift light - twinkle", "Schaltblitz - blinken", "Kontrolka řazení - bliká" } },
    { 119, { "Gear shift light - on", "Schaltblitz - ein", "Kontrolka řazení - svítí" } },
    { 120, { "Special out - off", "Sonderausgang - aus", "Specielní výstup - vypnut" } },
    { 121, { "Special out - on", "Sonderausgang - ein", "Specielní výstup - zapnut" } },
    { 122, { "N20 - off", "N2O - aus", "N2O - vypnut" } },
    { 123, { "N2O - on", "N2O - ein", "N20 - zapnut" } },
    { 124, { "TC - off", "TC - aus", "TC - vypnut" } },
    { 125, { "TC - on", "TC - ein", "TC - zapnut" } },
    { 127,
        { "This is a new installation of set software for Morvanta ignitions.\nYou have to read actual setting of "
          "ignition before first programming of unit (the Read button),\nor open valid .ign file (e.g. from attached "
          "CD) !",
            nullptr,
            "Toto je nová instalace setovacího programu pro zapalování Morvanta.\nPřed prvním naprogramováním jednotky "
            "musíte stav připojené jednotky vyčíst (tlačítkem číst),\nnebo otevřít .ign soubor s odpovídajícím "
            "nastavením (například z přiloženého CD) !" } },
    { 128,
        { "There is a different bike choosen in set software and in ignition unit,\n are you sure to reprogram it ?\n",
            nullptr,
            "V setovacím programu je vybrán jiný motocykl než aktuálně nastavený v zapalování,\n jste si jist že "
            "chcete provést v zapalování tuto změnu ?" } },
    { 129, { "Warning", nullptr, "Varování" } },
    { 130, { "Attention", nullptr, "Upozornění" } },
    { 131, { "COM &offline", nullptr, "COM &odpojen" } },
    { 132, { "COM &auto", nullptr, "COM &automaticky" } },
    { 133, { "Range", "Bereich", "Rozsah" } },
    { 134, { "Position", nullptr, "Poloha" } },
    { 135, { "Acceleration treshold", nullptr, "Akcelerační práh" } },
    { 136, { "Acceleration hysteresis", nullptr, "Hystereze zrychlení" } },
    { 137, { "Proportional effect", nullptr, "Proporc. vlivnost" } },
    { 138, { "Speed of return", nullptr, "Rychlost návratu" } },
    { 140, { "Pr. effect", nullptr, "Pr. vlivnost" } },
    { 141, { "Accel. treshold", nullptr, "Akcel. práh" } },
    { 143, { "Min Advance", nullptr, "Min předstih" } },
    { 144, { "Speed min", nullptr, "Minimální rychlost" } },
    { 145, { "RPM min", nullptr, "RPM min" } },
    { 146, { "N2O  - ", "N2O  - ", "N2O  - " } },
    { 147, { "Speed rear", nullptr, "Rychlost zadní" } },
    { 148, { "Speed front", nullptr, "Rychlost přední" } },
    { 149, { "Speed rear/front", nullptr, "Rychlost zadní/přední" } },
    { 150, { "L. accel.", nullptr, "L. zrychlení" } },
    { 151, { "L. retard", nullptr, "L. retard" } },
    { 152, { "Slip", nullptr, "Prokluz" } },
    { 153, { "Track retard", nullptr, "Track retard" } },
    { 154, { "Min. adv", nullptr, "Min. předstih" } },
    { 155,
        { "Attention! Current values of the compensation maps will be transferred to the injection map TP and IAP",
            nullptr,
            "Pozor ! Aktuální hodnoty v kompenzačních mapách budou převedeny do vstřikovacích map TP a IAP" } },
    { 156, { "No Synchronization", "Keine Synchronisation", "Není synchronizace" } },
    { 157, { "Hour meter", "Betriebstundenzähler", "Počítadlo provozních hodin" } },
    { 158, { "[h:mm]", "[s:mm]", "[h:mm]" } },
    { 159, { "N2O", "N2O", "N2O" } },
    { 160, { "TW correction", "TW Korrektur", "TW korekce" } },
    { 161, { "AT correction", "AT Korrektur", "AT korekce" } },
    { 162, { "AP correction", "AP Korrektur", "AP korekce" } },
    { 163, { "Starting corr.", "Start Korrektur", "Startovní korekce" } },
    { 164, { "POT correction", "POT Korrektur", "POT korekce" } },
    { 165, { "Idle", "Freilauf", "Volnoběh" } },
    { 166, { "Acc. cor.", "Beschl. kor.", "kor. zrychlení" } },
    { 167, { "Acc TW cor.", "Beschl. TW kor.", "Acc TW kor." } },
    { 168, { "Acc Inj cor.", "Beschl. Inj kor.", "Acc Inj kor." } },
    { 169, { "Size", "Weite", "velikost" } },
    { 170, { "Start Jet", "Start Jet", "Start Jet" } },
    { 171, { "U correction", "U Korrektur", "U korekce" } },
    { 172, { "Rpm/Speed", "Rpm/Speed", "Rpm/Speed" } },
    { 173, { "Dwell", "Anfachung", "Buzení" } },
    { 174, { "Threshold", "Schwelle", "práh" } },
    { 175, { "Fuel", "Kraftstoff", "Palivo" } },
    { 176, { "Fan 1", "Lüfter 1", "Větrák 1" } },
    { 177, { "Fan 2", "Lüfter 2", "Větrák 2" } },
    { 178, { "Oil OK", "Öl in Ordnung", "Olej v pořádku" } },
    { 179, { "Switch start", "Starttaste", "Tlačítko start" } },
    { 180, { "Side stand", "Kippständer", "Boční stojánek" } },
    { 181, { "Idle", "Ruhestellung", "Neutrál" } },
    { 182, { "Lambda 1 heat", "Lambdawärmung 1", "Ohřev lambda 1" } },
    { 183, { "Off", "Aus", "Vypnuto" } },
    { 184, { "Intake servo [%]", "Ansaugservo [%]", "Sací servo [%]" } },
    { 185, { "Intake servo [mV]", "Ansaugservo [mV]", "Sací servo [mV]" } },
    { 186,
        { "Step motor without potentiometer", "Schrittmotor ohne Potentiometer", "Krokový motor bez potenciometru" } },
    { 187, { "Step motor set TP min", "Schrittmotor adjust TP min", "Krokový motor nastavuje TP min" } },
    { 188, { "Input", "Eingang", "Vstup" } },
    { 189, { "Open", "Offen", "Otevřený" } },
    { 190, { "Grounded", "zu Erde", "Uzeměn" } },
    { 191, { "Pin body 1", "Pin body 1", "Pin body 1" } },
    { 192, { "Pin body 11", "Pin body 11", "Pin body 11" } },
    { 193, { "Pin engine 14", "Pin engine 14", "Pin engine 14" } },
    { 194, { "Pin engine 23", "Pin engine 23", "Pin engine 23" } },
    { 195, { "Pin body 35", "Pin body 35", "Pin body 35" } },
    { 196, { "Gear shift light", "Schaltblitz", "Kontrolka řazení" } },
    { 197, { "Quickshift analog actual value", "Wechsel analoger Istwert", "Rychlořazení analogová hodnota" } },
    { 198, { "Move TP+IAP cor. to tab.", nullptr, "Přesuň TP+IAP kor. do tab." } },
    { 199, { "Move TP cor. to tab.", nullptr, "Přesuň TP kor. do tab." } },
};

constexpr const char* PRODUCT_NAME = "Zeperon_12";
constexpr LangEntry DISCONNECTED { "(Disconnected by bootloader)", nullptr, "(Dočasně odpojeno bootloaderem)" };
constexpr LangEntry OLDER_VERSION { "Older version of *.ign file!\n\n"
                                    "Some parameters won't be changed or will be set to default value.\n"
                                    "They are parameters which are not in older version or have another structure.",
    "Älter Version von Datendatei *.ign!\n\n"
    "Einige Kenndaten werden nicht geändert oder werden implizit Wert gestellt.\n"
    "Sie sind die Kenndaten, die in älter Version nicht sind oder andere Struktur haben",
    "Starší verze souboru *.ign!\n\n"
    "Některé parametry budou nezměněny nebo nataveny na základní hodnotu.\n"
    "Jsou to parametry, které v této verzi nebyly obsaženy nebo měly jinou strukturu." };
constexpr LangEntry ERROR_OPENING { "Error by opening file ", "Fehler beim öffnen der Datei ",
    "Chyba při otevírání souboru " };
constexpr LangEntry LAMBDA_HEAT { "Lambda heat", "Lambdawärmung", "Ohřev lambda" };

} // namespace

const char* LangEntryText(const LangEntry& entry, int langIndex)
{
    if (langIndex == 1 && entry.german)
        return entry.german;
    if (langIndex == 2 && entry.czech)
        return entry.czech;
    return entry.english;
}

void FillMessageTable(MessageTableTexts& table, int langIndex)
{
    table[0] = std::string("  ") + PRODUCT_NAME + " ver." + std::to_string(RSKEY);
    table[1] = std::string("  ") + LangEntryText(DISCONNECTED, langIndex);
    table[2].clear();
    // Slots read by the composed ones are filled first.
    for (const SlotEntry& e : SLOTS)
        table[size_t(e.slot)] = LangEntryText(e.text, langIndex);
    table[33] = LangEntryText(OLDER_VERSION, langIndex);
    table[37] = LangEntryText(ERROR_OPENING, langIndex) + table[2] + " !";
    table[70] = table[67] + "/" + table[68];
    const char* heat = LangEntryText(LAMBDA_HEAT, langIndex);
    table[114] = std::string(heat) + " - 0%";
    table[115] = std::string(heat) + " - 50%";
    table[116] = std::string(heat) + " - 100%";
    table[126] = "Test";
}
