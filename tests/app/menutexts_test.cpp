// The texts of the main menu, the tool bar and the version hints in the three
// languages, on a started main window switched by its language commands.
#include "app/main.h"
#include "platform/cp1250.h"
#include "platform/menus.h"
#include "support/mainwindow.h"
#include "texts/menutexts.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QEnterEvent>

#include <array>
#include <string>

namespace {

class MenuTexts : public HeadlessMainWindow {
protected:
    void SetUp() override
    {
        HeadlessMainWindow::SetUp();
        Start();
    }
    TMenuItem* Item(const char* name) { return dynamic_cast<TMenuItem*>(form->FindComponent(name)); }
    TControl* Control(const char* name) { return dynamic_cast<TControl*>(form->FindComponent(name)); }
    // What the user does: choose the language in the language menu.
    void ChooseLanguage(int language)
    {
        static const char* const ITEMS[] = { "MenuEnglish", "MenuGerman", "MenuCzech" };
        Item(ITEMS[language])->Click();
        ASSERT_EQ(LangIndex, language);
    }
    // The application object must exist before the window starts, so the
    // window takes its hints into status panel 0.
    TApplication application;
};

using Texts = std::array<const char*, 3>;

TEST_F(MenuTexts, CaptionsAndCheckMarksFollowTheLanguageCommands)
{
    const struct {
        const char* name;
        Texts captions;
    } cases[] = {
        { "MenuFile", { "&File", "&Datei", "&Soubor" } },
        { "MenuDevice", { "&Ignition", "&Zündung", "&Zapalování" } },
        { "MenuRead", { "&Read", "&Lesen", "Čí&st" } },
        { "ButtonRead", { "&Read", "&Lesen", "Čí&st" } },
        { "ButtonProgram", { "&Program", "&Programmieren", "&Programovat" } },
        { "Menu_Jet123Mode", { "Jet 1234", "Einspritzung 1234", "Vstřik 1234" } },
        { "MenuZpet", { "Undo", "Zurück", "Zpět" } },
        { "MenuInterpol", { "Interpolation", "Interpolation", "Interpolace" } },
        // No German texts for the service and external monitor menus.
        { "MenuServis", { "&Service", "&Service", "&Servis" } },
        { "MenuCompareAll", { "&Compare All New", "&Compare All New", "&Porovnej všechny nové" } },
        { "MenuExternalMonitor", { "External monitor", "External monitor", "Externí monitor" } },
        { "MenuMonitorView", { "View monitor", "View monitor", "Zobraz monitor" } },
        { "MenuMonitorLoad", { "Load monitor", "Load monitor", "Načti monitor" } },
        { "MenuMonitorSet1", { "Sada 1", "Sada 1", "Sada 1" } },
        { "MenuMonitorSet0", { "Empty...", "Empty...", "Prázdný..." } },
        { "MenuLanguage", { "&Language", "&Sprache", "&Jazyk" } },
        { "MenuEnglish", { "&English", "&Englisch - English", "&Anglicky - English" } },
        { "MenuGerman", { "&German - Deutsch", "&Deutsch", "&Německy - Deutsch" } },
        { "MenuCzech", { "&Czech - Česky", "&Tschechisch - Česky", "Če&sky" } },
        { "MenuHelp", { "&Help", "&Hilfe", "Nápoveda" } },
        // Items without texts of their own keep the captions the window gave them.
        { "MenuPrintAll", { "Print All", "Print All", "Print All" } },
        { "MenuToolsMinus", { "Minus ", "Minus ", "Minus " } },
        { "MenuToolsPlus", { "Plus", "Plus", "Plus" } },
        { "Menu_Jet123Stejny", { "1=2=3=4", "1=2=3=4", "1=2=3=4" } },
    };
    const char* const languageItems[] = { "MenuEnglish", "MenuGerman", "MenuCzech" };
    for (int language : { 1, 2, 0, 1 }) {
        ChooseLanguage(language);
        for (const auto& c : cases) {
            std::string caption;
            if (TMenuItem* item = Item(c.name))
                caption = item->Caption();
            else if (TControl* control = Control(c.name))
                caption = control->Caption();
            EXPECT_EQ(caption, c.captions[size_t(language)]) << c.name << " in language " << language;
        }
        for (int other = 0; other < 3; ++other) {
            TMenuItem* item = Item(languageItems[other]);
            EXPECT_EQ(item->Checked(), other == language) << languageItems[other] << " in language " << language;
            EXPECT_EQ(item->Action()->isChecked(), other == language) << languageItems[other];
        }
    }
}

TEST_F(MenuTexts, HintsFollowTheLanguageAndReachTheStatusBar)
{
    const struct {
        const char* name;
        Texts hints;
    } cases[] = {
        { "LabelVerze1",
            { "Version of program in ignition", "Version des Programms der Zündung", "Verze programu v zapalování" } },
        { "SpeedButtonOpen", { "Open file with parametrs", "Kenndatendatei öffnen", "Otevření souboru s parametry" } },
        { "MenuOpen", { "Open file with parametrs", "Kenndatendatei öffnen", "Otevření souboru s parametry" } },
        // The Read button and the Read item say the same.
        { "ButtonRead",
            { "Reading parametrs from ignition", "Kenndaten aus Zündung lesen", "Čtení parametrů ze zapalování" } },
        { "MenuRead",
            { "Reading parametrs from ignition", "Kenndaten aus Zündung lesen", "Čtení parametrů ze zapalování" } },
        { "ButtonVerify",
            { "Compare set parametrs  with parametrs of ignition", "Vergleich der Kenndaten mit Zündboxkenndaten",
                "Ověření zda  nastavené parametry souhlasí s parametry naprogramovanými do zapalování" } },
        { "CheckBoxProgHned",
            { "Programing at once after change", "Programmmierung gleich nach der Änderung",
                "Programování ihned po změně" } },
        { "GroupBoxActivation",
            { "Checked items means activation by closing to ground",
                "Gezeichnete Punkt bedeutet Aktivierung durch Schaltverbindung zu Grund",
                "Zaškrtnutí znamená aktivaci připojením na zem" } },
        // The Czech text ends with a blank.
        { "MenuCom", { "Set number of com", "Com-Anschluß festlegen", "Nastavení čísla serivého portu (Com) " } },
        { "MenuLanguage",
            { "Language|Set English or German or French", "Sprache",
                "Nastavení jazyka na angličtinu, češtinu nebo němčinu" } },
    };
    for (int language : { 2, 1, 0 }) {
        ChooseLanguage(language);
        for (const auto& c : cases) {
            const std::string hint = c.hints[size_t(language)];
            if (TMenuItem* item = Item(c.name)) {
                EXPECT_EQ(item->Hint(), hint) << c.name << " in language " << language;
                item->Action()->hover();
            } else {
                TControl* control = Control(c.name);
                ASSERT_NE(control, nullptr) << c.name;
                EXPECT_EQ(control->Hint(), hint) << c.name << " in language " << language;
                // The whole text is the tool tip: the form's short parts are gone.
                EXPECT_EQ(QStringToCp1250(control->Widget()->toolTip()), hint) << c.name;
                QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
                QApplication::sendEvent(control->Widget(), &enter);
            }
            EXPECT_EQ(form->StatusBar1->Panels(0)->Text(), GetLongHint(hint)) << c.name;
        }
    }
    // Only the language menu keeps a short part, shown as its tool tip.
    ChooseLanguage(0);
    QAction* language = Item("MenuLanguage")->Action();
    EXPECT_EQ(QStringToCp1250(language->toolTip()), "Language");
    EXPECT_EQ(QStringToCp1250(language->statusTip()), "Set English or German or French");
    language->hover();
    EXPECT_EQ(form->StatusBar1->Panels(0)->Text(), "Set English or German or French");
}

TEST_F(MenuTexts, EveryRowNamesAMenuItemOrControlOfTheWindow)
{
    for (const ControlTextTable& table : AllMenuTextTables())
        for (const ControlTextRow& row : table) {
            ASSERT_EQ(row.target.kind, TargetKind::CONTROL);
            TComponent* target = form->FindComponent(row.target.name);
            EXPECT_TRUE(dynamic_cast<TMenuItem*>(target) || dynamic_cast<TControl*>(target)) << row.target.name;
        }
}

} // namespace
