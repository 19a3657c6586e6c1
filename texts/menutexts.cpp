#include "texts/menutexts.h"

namespace {

using enum MenuTextProperty;

// clang-format off
constexpr MenuTextRow CAPTIONS[] = {
    { "MenuFile", CAPTION, { "&File", "&Datei", "&Soubor" } },
    { "MenuNew", CAPTION, { "&New", "&Neu", "&Nový" } },
    { "MenuNewActPage", CAPTION, { "New for actual page", "Neu für aktual Seite", "&Nový pro aktuální záložku" } },
    { "MenuOpen", CAPTION, { "&Open", "&Öffnen", "&Otevřít" } },
    { "MenuOpenExeDir", CAPTION, { "Open from exe dir", "&Öffnen aue exe dir", "&Otevřít z exe dir" } },
    { "MenuOpenActPage", CAPTION, { "Open for actual page", "Öffnen für aktual Seite", "&Otevřít pro aktuální záložku" } },
    { "MenuSave", CAPTION, { "&Save", "&Speichern", "&Uložit" } },
    { "MenuSaveExeDir", CAPTION, { "Save to exe dir", "Speichern in exe dir", "Uložit do exe dir" } },
    { "MenuPrint", CAPTION, { "&Print", "&Drucken", "&Tisk" } },
    { "MenuExit", CAPTION, { "E&xit", "&Beenden", "&Konec" } },
    { "MenuCom", CAPTION, { "&Com", "&COM-Anschluß", "&Port" } },
    { "MenuDevice", CAPTION, { "&Ignition", "&Zündung", "&Zapalování" } },
    { "MenuRead", CAPTION, { "&Read", "&Lesen", "Čí&st" } },
    { "ButtonRead", CAPTION, { "&Read", "&Lesen", "Čí&st" } },
    { "MenuVerify", CAPTION, { "&Verify", "&Vergleichen", "&Verifikovat" } },
    { "ButtonVerify", CAPTION, { "&Verify", "&Vergleichen", "&Verifikovat" } },
    { "MenuProgram", CAPTION, { "&Program", "&Programmieren", "&Programovat" } },
    { "ButtonProgram", CAPTION, { "&Program", "&Programmieren", "&Programovat" } },
    { "Menu_Jet123Mode", CAPTION, { "Jet 1234", "Einspritzung 1234", "Vstřik 1234" } },
    { "Menu_Jet123Normal", CAPTION, { "Separate", "Getrennt", "Oddělený" } },
    { "Menu_Jet123Coupled", CAPTION, { "Coupled", "Gekoppelt", "Spřažený" } },
    { "MenuTools", CAPTION, { "Tools", "Werkzeuge", "Pomůcky" } },
    { "MenuZpet", CAPTION, { "Undo", "Zurück", "Zpět" } },
    { "MenuZnovu", CAPTION, { "Redo", "Wieder", "Znovu" } },
    { "MenuLadeniOn", CAPTION, { "Tunning On-Off", nullptr, "Ladění Zap-Vyp" } },
    { "MenuInterpol", CAPTION, { "Interpolation", nullptr, "Interpolace" } },
    { "MenuMonitorPlayer", CAPTION, { "Monitor player", "Monitor-Player", "Přehrávač monitoru" } },
    { "MenuServis", CAPTION, { "&Service", nullptr, "&Servis" } },
    { "MenuSaveAllNew", CAPTION, { "&Save All New", nullptr, "&Ulož všechny nové" } },
    { "MenuCompareAll", CAPTION, { "&Compare All New", nullptr, "&Porovnej všechny nové" } },
    { "MenuExternalMonitor", CAPTION, { "External monitor", nullptr, "Externí monitor" } },
    { "MenuMonitorLoad", CAPTION, { "Load monitor", nullptr, "Načti monitor" } },
    { "MenuMonitorStore", CAPTION, { "Store monitor", nullptr, "Ulož monitor" } },
    { "MenuMonitorView", CAPTION, { "View monitor", nullptr, "Zobraz monitor" } },
    { "MenuMonitorSet1", CAPTION, { "Sada 1", nullptr, "Sada 1" } },
    { "MenuMonitorSet2", CAPTION, { "Sada 2", nullptr, "Sada 2" } },
    { "MenuMonitorSet3", CAPTION, { "Sada 3", nullptr, "Sada 3" } },
    { "MenuMonitorSet0", CAPTION, { "Empty...", nullptr, "Prázdný..." } },
};

constexpr MenuTextRow LANGUAGE_CAPTIONS[] = {
    { "MenuLanguage", CAPTION, { "&Language", "&Sprache", "&Jazyk" } },
    { "MenuEnglish", CAPTION, { "&English", "&Englisch - English", "&Anglicky - English" } },
    { "MenuGerman", CAPTION, { "&German - Deutsch", "&Deutsch", "&Německy - Deutsch" } },
    { "MenuCzech", CAPTION, { "&Czech - Česky", "&Tschechisch - Česky", "Če&sky" } },
    { "MenuHelp", CAPTION, { "&Help", "&Hilfe", "Nápoveda" } },
    { "MenuContens", CAPTION, { "&Contents...", "&Inhalt...", "Obsah" } },
    { "MenuAbout", CAPTION, { "&About...", "&Über Programm...", "&O programu..." } },
};

constexpr MenuTextRow HINTS[] = {
    { "LabelVerze1", HINT, { "Version of program in ignition", "Version des Programms der Zündung", "Verze programu v zapalování" } },
    { "LabelVerze2", HINT, { "Date of program in ignition", "Datum des Programms der Zündung", "Datum zhotovení programu v zapalování" } },
    { "LabelVerze3", HINT, { "Time of program in ignition", "Programmierzeitpunkt der Zündung", "Čas zhotovení programu v zapalování" } },
    { "SpeedButtonOpen", HINT, { "Open file with parametrs", "Kenndatendatei öffnen", "Otevření souboru s parametry" } },
    { "MenuOpen", HINT, { "Open file with parametrs", "Kenndatendatei öffnen", "Otevření souboru s parametry" } },
    { "SpeedButtonNew", HINT, { "Set default parametrs", "Neue Kenndatendaten erstellen", "Nastavení výchozích parametrů" } },
    { "MenuNew", HINT, { "Set default parametrs", "Neue Kenndatendaten erstellen", "Nastavení výchozích parametrů" } },
    { "SpeedButtonSave", HINT, { "Save parametrs to file", "Kenndaten in Datei speichern", "Uložení parametrů do souboru" } },
    { "MenuSave", HINT, { "Save parametrs to file", "Kenndaten in Datei speichern", "Uložení parametrů do souboru" } },
    { "SpeedButtonPrint", HINT, { "Print parametrs", "Druck der Kenndaten", "Tisk parametrů" } },
    { "MenuPrint", HINT, { "Print parametrs", "Druck der Kenndaten", "Tisk parametrů" } },
    { "ButtonProgram", HINT, { "Programing  set parametrs to ignition", "Programmieren der Kenndaten auf die Zündbox", "Programování nastavených parametrů do zapalování" } },
    { "MenuProgram", HINT, { "Programing  set parametrs to ignition", "Programmieren der Kenndaten auf die Zündbox", "Programování nastavených parametrů do zapalování" } },
    { "ButtonVerify", HINT, { "Compare set parametrs  with parametrs of ignition", "Vergleich der Kenndaten mit Zündboxkenndaten", "Ověření zda  nastavené parametry souhlasí s parametry naprogramovanými do zapalování" } },
    { "MenuVerify", HINT, { "Compare set parametrs  with parametrs of ignition", "Vergleich der Kenndaten mit Zündboxkenndaten", "Ověření zda  nastavené parametry souhlasí s parametry naprogramovanými do zapalování" } },
    { "ButtonRead", HINT, { "Reading parametrs from ignition", "Kenndaten aus Zündung lesen", "Čtení parametrů ze zapalování" } },
    { "MenuRead", HINT, { "Reading parametrs from ignition", "Kenndaten aus Zündung lesen", "Čtení parametrů ze zapalování" } },
    { "MenuExit", HINT, { "End of program", "Programm beenden", "Ukončení programu" } },
    // The only hint with a short part; the long part still names French.
    { "MenuLanguage", HINT, { "Language|Set English or German or French", "Sprache", "Nastavení jazyka na angličtinu, češtinu nebo němčinu" } },
    { "CheckBoxProgHned", HINT, { "Programing at once after change", "Programmmierung gleich nach der Änderung", "Programování ihned po změně" } },
    { "GroupBoxActivation", HINT, { "Checked items means activation by closing to ground", "Gezeichnete Punkt bedeutet Aktivierung durch Schaltverbindung zu Grund", "Zaškrtnutí znamená aktivaci připojením na zem" } },
    { "MenuCom", HINT, { "Set number of com", "Com-Anschluß festlegen", "Nastavení čísla serivého portu (Com) " } },
};
// clang-format on

constexpr MenuTextTable ALL_TABLES[] = { CAPTIONS, LANGUAGE_CAPTIONS, HINTS };

} // namespace

const MenuTextTable MENU_CAPTIONS = CAPTIONS;
const MenuTextTable LANGUAGE_MENU_CAPTIONS = LANGUAGE_CAPTIONS;
const MenuTextTable VERSION_HINTS = HINTS;

std::span<const MenuTextTable> AllMenuTextTables()
{
    return ALL_TABLES;
}
