#include "texts/menutexts.h"

namespace {

using enum TextProperty;

// clang-format off
constexpr ControlTextRow CAPTIONS[] = {
    { "MenuFile", CAPTION, 0, { "&File", "&Datei", "&Soubor" } },
    { "MenuNew", CAPTION, 0, { "&New", "&Neu", "&Nový" } },
    { "MenuNewActPage", CAPTION, 0, { "New for actual page", "Neu für aktual Seite", "&Nový pro aktuální záložku" } },
    { "MenuOpen", CAPTION, 0, { "&Open", "&Öffnen", "&Otevřít" } },
    { "MenuOpenExeDir", CAPTION, 0, { "Open from exe dir", "&Öffnen aue exe dir", "&Otevřít z exe dir" } },
    { "MenuOpenActPage", CAPTION, 0, { "Open for actual page", "Öffnen für aktual Seite", "&Otevřít pro aktuální záložku" } },
    { "MenuSave", CAPTION, 0, { "&Save", "&Speichern", "&Uložit" } },
    { "MenuSaveExeDir", CAPTION, 0, { "Save to exe dir", "Speichern in exe dir", "Uložit do exe dir" } },
    { "MenuPrint", CAPTION, 0, { "&Print", "&Drucken", "&Tisk" } },
    { "MenuExit", CAPTION, 0, { "E&xit", "&Beenden", "&Konec" } },
    { "MenuCom", CAPTION, 0, { "&Com", "&COM-Anschluß", "&Port" } },
    { "MenuDevice", CAPTION, 0, { "&Ignition", "&Zündung", "&Zapalování" } },
    { "MenuRead", CAPTION, 0, { "&Read", "&Lesen", "Čí&st" } },
    { "ButtonRead", CAPTION, 0, { "&Read", "&Lesen", "Čí&st" } },
    { "MenuVerify", CAPTION, 0, { "&Verify", "&Vergleichen", "&Verifikovat" } },
    { "ButtonVerify", CAPTION, 0, { "&Verify", "&Vergleichen", "&Verifikovat" } },
    { "MenuProgram", CAPTION, 0, { "&Program", "&Programmieren", "&Programovat" } },
    { "ButtonProgram", CAPTION, 0, { "&Program", "&Programmieren", "&Programovat" } },
    { "Menu_Jet123Mode", CAPTION, 0, { "Jet 1234", "Einspritzung 1234", "Vstřik 1234" } },
    { "Menu_Jet123Normal", CAPTION, 0, { "Separate", "Getrennt", "Oddělený" } },
    { "Menu_Jet123Coupled", CAPTION, 0, { "Coupled", "Gekoppelt", "Spřažený" } },
    { "MenuTools", CAPTION, 0, { "Tools", "Werkzeuge", "Pomůcky" } },
    { "MenuZpet", CAPTION, 0, { "Undo", "Zurück", "Zpět" } },
    { "MenuZnovu", CAPTION, 0, { "Redo", "Wieder", "Znovu" } },
    { "MenuLadeniOn", CAPTION, 0, { "Tunning On-Off", nullptr, "Ladění Zap-Vyp" } },
    { "MenuInterpol", CAPTION, 0, { "Interpolation", nullptr, "Interpolace" } },
    { "MenuMonitorPlayer", CAPTION, 0, { "Monitor player", "Monitor-Player", "Přehrávač monitoru" } },
    { "MenuServis", CAPTION, 0, { "&Service", nullptr, "&Servis" } },
    { "MenuSaveAllNew", CAPTION, 0, { "&Save All New", nullptr, "&Ulož všechny nové" } },
    { "MenuCompareAll", CAPTION, 0, { "&Compare All New", nullptr, "&Porovnej všechny nové" } },
    { "MenuExternalMonitor", CAPTION, 0, { "External monitor", nullptr, "Externí monitor" } },
    { "MenuMonitorLoad", CAPTION, 0, { "Load monitor", nullptr, "Načti monitor" } },
    { "MenuMonitorStore", CAPTION, 0, { "Store monitor", nullptr, "Ulož monitor" } },
    { "MenuMonitorView", CAPTION, 0, { "View monitor", nullptr, "Zobraz monitor" } },
    { "MenuMonitorSet1", CAPTION, 0, { "Sada 1", nullptr, "Sada 1" } },
    { "MenuMonitorSet2", CAPTION, 0, { "Sada 2", nullptr, "Sada 2" } },
    { "MenuMonitorSet3", CAPTION, 0, { "Sada 3", nullptr, "Sada 3" } },
    { "MenuMonitorSet0", CAPTION, 0, { "Empty...", nullptr, "Prázdný..." } },
};

constexpr ControlTextRow LANGUAGE_CAPTIONS[] = {
    { "MenuLanguage", CAPTION, 0, { "&Language", "&Sprache", "&Jazyk" } },
    { "MenuEnglish", CAPTION, 0, { "&English", "&Englisch - English", "&Anglicky - English" } },
    { "MenuGerman", CAPTION, 0, { "&German - Deutsch", "&Deutsch", "&Německy - Deutsch" } },
    { "MenuCzech", CAPTION, 0, { "&Czech - Česky", "&Tschechisch - Česky", "Če&sky" } },
    { "MenuHelp", CAPTION, 0, { "&Help", "&Hilfe", "Nápoveda" } },
    { "MenuContens", CAPTION, 0, { "&Contents...", "&Inhalt...", "Obsah" } },
    { "MenuAbout", CAPTION, 0, { "&About...", "&Über Programm...", "&O programu..." } },
};

constexpr ControlTextRow HINTS[] = {
    { "LabelVerze1", HINT, 0, { "Version of program in ignition", "Version des Programms der Zündung", "Verze programu v zapalování" } },
    { "LabelVerze2", HINT, 0, { "Date of program in ignition", "Datum des Programms der Zündung", "Datum zhotovení programu v zapalování" } },
    { "LabelVerze3", HINT, 0, { "Time of program in ignition", "Programmierzeitpunkt der Zündung", "Čas zhotovení programu v zapalování" } },
    { "SpeedButtonOpen", HINT, 0, { "Open file with parametrs", "Kenndatendatei öffnen", "Otevření souboru s parametry" } },
    { "MenuOpen", HINT, 0, { "Open file with parametrs", "Kenndatendatei öffnen", "Otevření souboru s parametry" } },
    { "SpeedButtonNew", HINT, 0, { "Set default parametrs", "Neue Kenndatendaten erstellen", "Nastavení výchozích parametrů" } },
    { "MenuNew", HINT, 0, { "Set default parametrs", "Neue Kenndatendaten erstellen", "Nastavení výchozích parametrů" } },
    { "SpeedButtonSave", HINT, 0, { "Save parametrs to file", "Kenndaten in Datei speichern", "Uložení parametrů do souboru" } },
    { "MenuSave", HINT, 0, { "Save parametrs to file", "Kenndaten in Datei speichern", "Uložení parametrů do souboru" } },
    { "SpeedButtonPrint", HINT, 0, { "Print parametrs", "Druck der Kenndaten", "Tisk parametrů" } },
    { "MenuPrint", HINT, 0, { "Print parametrs", "Druck der Kenndaten", "Tisk parametrů" } },
    { "ButtonProgram", HINT, 0, { "Programing  set parametrs to ignition", "Programmieren der Kenndaten auf die Zündbox", "Programování nastavených parametrů do zapalování" } },
    { "MenuProgram", HINT, 0, { "Programing  set parametrs to ignition", "Programmieren der Kenndaten auf die Zündbox", "Programování nastavených parametrů do zapalování" } },
    { "ButtonVerify", HINT, 0, { "Compare set parametrs  with parametrs of ignition", "Vergleich der Kenndaten mit Zündboxkenndaten", "Ověření zda  nastavené parametry souhlasí s parametry naprogramovanými do zapalování" } },
    { "MenuVerify", HINT, 0, { "Compare set parametrs  with parametrs of ignition", "Vergleich der Kenndaten mit Zündboxkenndaten", "Ověření zda  nastavené parametry souhlasí s parametry naprogramovanými do zapalování" } },
    { "ButtonRead", HINT, 0, { "Reading parametrs from ignition", "Kenndaten aus Zündung lesen", "Čtení parametrů ze zapalování" } },
    { "MenuRead", HINT, 0, { "Reading parametrs from ignition", "Kenndaten aus Zündung lesen", "Čtení parametrů ze zapalování" } },
    { "MenuExit", HINT, 0, { "End of program", "Programm beenden", "Ukončení programu" } },
    // The only hint with a short part; the long part still names French.
    { "MenuLanguage", HINT, 0, { "Language|Set English or German or French", "Sprache", "Nastavení jazyka na angličtinu, češtinu nebo němčinu" } },
    { "CheckBoxProgHned", HINT, 0, { "Programing at once after change", "Programmmierung gleich nach der Änderung", "Programování ihned po změně" } },
    { "GroupBoxActivation", HINT, 0, { "Checked items means activation by closing to ground", "Gezeichnete Punkt bedeutet Aktivierung durch Schaltverbindung zu Grund", "Zaškrtnutí znamená aktivaci připojením na zem" } },
    { "MenuCom", HINT, 0, { "Set number of com", "Com-Anschluß festlegen", "Nastavení čísla serivého portu (Com) " } },
};
// clang-format on

constexpr ControlTextTable ALL_TABLES[] = { CAPTIONS, LANGUAGE_CAPTIONS, HINTS };

} // namespace

const ControlTextTable MENU_CAPTIONS = CAPTIONS;
const ControlTextTable LANGUAGE_MENU_CAPTIONS = LANGUAGE_CAPTIONS;
const ControlTextTable VERSION_HINTS = HINTS;

std::span<const ControlTextTable> AllMenuTextTables()
{
    return ALL_TABLES;
}
