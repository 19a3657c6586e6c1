// The main window driven by hand: start-up, the tick, shutdown, port notices,
// dropped files, the command line and the lambda gauge. Where the order of
// the steps is the behaviour, it shows by what the steps leave behind.
#include "app/main.h"
#include "mapedit/tab.h"

#include "app/binding.h"
#include "app/editpath.h"
#include "app/language.h"
#include "app/main_presets.h"
#include "app/otherwindows.h"
#include "app/settings.h"
#include "files/impet.h"
#include "files/settingsfiles.h"
#include "monitor/logplayer.h"
#include "monitor/valuedefs.h"
#include "pages/advance.h"
#include "pages/pages.h"
#include "platform/clock.h"
#include "platform/cp1250.h"
#include "support/mainwindow.h"
#include "support/scripted_dialogs.h"
#include "texts/langtext.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDropEvent>
#include <QLocalSocket>
#include <QMimeData>
#include <QTest>
#include <QUrl>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <fstream>

namespace {

class MainWindow : public HeadlessMainWindow { };

TEST_F(MainWindow, ConstructionSetsTheStartingState)
{
    Construct();
    EXPECT_EQ(settingsSaves, 0);
    EXPECT_EQ(form->AppIniPath, dir.file("settings") + "/application.ini");
    EXPECT_EQ(form->DefaultIniPath, dir.file("settings") + "/default.ini");
    EXPECT_EQ(form->MonitorIniPath, dir.file("settings") + "/monitor.ini");
    EXPECT_TRUE(dialogs.boxes.empty()) << "the layout check of this build finds nothing";
    EXPECT_EQ(form->TickCount, 0);
    EXPECT_EQ(form->FormCreated, 0);
    EXPECT_EQ(form->TestMode, 0);
    EXPECT_EQ(form->ReleasedPort, -1);
    EXPECT_EQ(form->Images.UnitBike, -1);
    EXPECT_EQ(form->Images.UnitImageValid, 0);
    EXPECT_EQ(form->Images.PcEqualsFile, 0);
    for (uint8_t b : form->Images.FileImage.b)
        ASSERT_EQ(b, 0xFF);
    EXPECT_EQ(form->UnitTexts.name, "Unit = --");
    EXPECT_EQ(form->UnitTexts.date, "Date = --");
    EXPECT_EQ(form->UnitTexts.time, "--:--");
    EXPECT_EQ(form->UnitTexts.lastUpdate, "settings not from unit");
    EXPECT_EQ(form->ImpetFolderName, "\\NEW_308");
    EXPECT_EQ(form->Timer1->Interval(), 55);
}

TEST(StartUpCheck, RunsOnTheTablesTheProgramAddressesItsCellsWith)
{
    const LayoutTables layout = ProgramLayoutTables();
    EXPECT_TRUE(SelfCheckMessages(layout).empty());
    // Seven bit fields: the six state bytes of the live block and the four
    // switches of a parameter-file byte.
    EXPECT_EQ(layout.bitFieldWidths, (std::vector<int> { 8, 8, 8, 7, 7, 7, 4 }));

    // One cell past the end of each area is reported with its table's name.
    struct Area {
        const char* name;
        int last; // the last cell of the area
    };
    const Area areas[] = { { "Adrw", 2399 }, { "Adrb", 4799 }, { "Monw", 80 }, { "Monb", 300 } };
    ASSERT_EQ(layout.enumerations.size(), std::size(areas));
    for (size_t i = 0; i < std::size(areas); ++i) {
        SCOPED_TRACE(areas[i].name);
        EXPECT_FALSE(layout.enumerations[i].runs.empty());
        LayoutTables overlong = layout;
        overlong.enumerations[i].runs.push_back({ areas[i].last, 2 });
        EXPECT_EQ(SelfCheckMessages(overlong),
            std::vector<std::string> { std::string("Software error: Enum ") + areas[i].name + " to long - 1" });
    }
}

TEST_F(MainWindow, StartUpRunsItsStepsInOrder)
{
    Construct();
    LangIndex = 7; // the consistency pass repairs it before the first save
    form->LogPlayerState = LOG_PLAYER_PLAYING;
    form->FormCreate(form.get());
    // The undo ring's reset saves the settings once, of the repaired image.
    EXPECT_EQ(settingsSaves, 1);
    EXPECT_EQ(SavedSetting("Language"), std::to_string(LanguageToIni(0)));
    EXPECT_EQ(LangIndex, 0);
    // The pages were loaded after the bike's constants and the repair.
    EXPECT_EQ(form->Advance.UpDownBaseAdvance->Position(), form->PcImage.b[advance_cells::BASE_ADVANCE]);
    EXPECT_EQ(form->Advance.RadioGroupAdvanceLoad->ItemIndex(), form->PcImage.b[advance_cells::LOAD_SIGNAL]);
    EXPECT_EQ(form->LogPlayerState, LOG_PLAYER_IDLE) << "the player starts idle";
    EXPECT_EQ(form->FormCreated, 1);
    EXPECT_EQ(form->PcImage.b[cell::BikeCode], 11);
    EXPECT_EQ(form->Maps.MapSyncPrev, 1);
    EXPECT_EQ(form->StatusBar1->Panels(2)->Text(), form->ProgramIdText);
    EXPECT_EQ(form->ProgramIdText.rfind("Zeperon_12   RSKEY=308   COMPILE=", 0), 0u);
    EXPECT_EQ(form->StatusText, "not connected");
    EXPECT_EQ(form->StatusBar1->Panels(4)->Text(), "not connected");
    EXPECT_EQ(form->LabelConnection->Caption(), "No connection with PC...");
    EXPECT_FALSE(form->LabelResult->Visible());
    EXPECT_FALSE(form->CGaugeProgram->Visible());
    EXPECT_FALSE(form->LabelEeDataErr->Visible());
    EXPECT_EQ(form->CGaugeProgram->MaxValue(), 100);
    EXPECT_EQ(form->ExeDir, (QString::fromStdString(dir.path().string()) + "/data.ign").toStdU16String());
}

TEST_F(MainWindow, AnArchiveWithoutPresetsIsImportedFromTheDiskOrReportedOnceAtTheEnd)
{
    auto warnings = [&] {
        return std::count_if(
            dialogs.boxes.begin(), dialogs.boxes.end(), [](const auto& box) { return box.caption == "Warning"; });
    };
    Start();
    // Bike 11's defaults are missing too and say so; the warning comes once, last.
    ASSERT_FALSE(dialogs.boxes.empty());
    EXPECT_EQ(warnings(), 1);
    EXPECT_EQ(dialogs.boxes.back().caption, "Warning");
    EXPECT_EQ(dialogs.boxes.back().text,
        QStringFromCp1250("No Impet attached !\nNejsou vloženy NEW soubory - nutne doplnit !!!"));
    EXPECT_EQ(dialogs.boxes.back().type & MB_ICONWARNING, unsigned(MB_ICONWARNING));

    // With the preset folder beside the working folder, start-up imports it.
    form.reset();
    dialogs.boxes.clear();
    std::filesystem::create_directories(dir.path() / "IMPET" / "NEW_308");
    std::ofstream(dir.path() / "IMPET" / "NEW_308" / "Bike.ign") << "RSKEY=308\r\n";
    Start();
    EXPECT_EQ(warnings(), 0);
    ASSERT_EQ(g_Impet.Root().Count(), 1);
    EXPECT_TRUE(ImpetNamesEqual(g_Impet.Root().children[0].name, "NEW_308"));
    EXPECT_NE(form->ProgramIdText.find("   NEW="), std::string::npos);
}

TEST_F(MainWindow, PagesKeepTheirSlotNumbersWithTheRunTimeSheetsInserted)
{
    Start();
    const char* names[] = { "TabSheet_Bike", "TabSheet_Synchro", "TabSheet_Advance", "TabSheet_Injection",
        "TabSheet_InjPosition", "TabSheet_Korekce", "TabSheet_Input", "TabSheet_Cidla", "TabSheet_Servo",
        "TabSheet_Idle", "TabSheet_PowerOut", "TabSheet_Race", "TabSheet_Gear", "TabSheet_Gas", "TabSheet_Ladeni",
        "TabSheet_Knock", "TabSheet_Tracking", "TabSheet_Monitor", "TabSheet_OBD", "TabSheet_Test", "TabMaintenance" };
    ASSERT_EQ(form->PageControl1->PageCount(), 21);
    for (int i = 0; i < 21; ++i) {
        EXPECT_EQ(form->PageControl1->Pages(i)->Name(), names[i]) << i;
        if (i < PAGE_SLOTS && i != 6 && i != 15) {
            EXPECT_EQ(form->PageSheets[size_t(i)], form->PageControl1->Pages(i)) << i;
        }
    }
    EXPECT_EQ(form->PageSheets[6], nullptr);
    EXPECT_EQ(form->PageSheets[15], nullptr);
    for (const char* hidden : { "TabSheet_Input", "TabSheet_Knock", "TabSheet_OBD" })
        EXPECT_FALSE(static_cast<TTabSheet*>(form->FindComponent(hidden))->TabVisible()) << hidden;
    for (const char* shown : { "TabSheet_Synchro", "TabSheet_Tracking" })
        EXPECT_TRUE(static_cast<TTabSheet*>(form->FindComponent(shown))->TabVisible()) << shown;
    EXPECT_EQ(form->StatusBar1->PanelCount(), 5);
}

TEST_F(MainWindow, FixedVisibilityHidesTheControlsOfOtherBuildsWhereverTheyStand)
{
    Construct();
    // A control of the Bike page that this build does not show.
    auto* invInput = dynamic_cast<TCheckBox*>(form->FindComponent("CheckBoxInvInput"));
    ASSERT_NE(invInput, nullptr);
    // The Monitor page's fuel gauge of older units is the window's own.
    auto* fuel = dynamic_cast<TCGauge*>(form->FindComponent("CGaugeFuel"));
    ASSERT_NE(fuel, nullptr);
    auto* other = new TLabel(form.get());
    other->SetName("LabelSomethingElse");
    auto* hunting = new TEdit(form.get());
    hunting->SetBounds(120, 64, 40, 21);
    form->HuntingControls[3] = hunting;
    form->FormCreate(form.get());
    EXPECT_EQ(form->HuntingHomePositions[3], std::make_pair(120, 64));
    EXPECT_FALSE(invInput->Visible());
    EXPECT_FALSE(fuel->Visible());
    EXPECT_TRUE(other->Visible());
}

TEST_F(MainWindow, TestControlsFollowTheMarkerFileNotTheSavedPlayerState)
{
    for (bool marker : { false, true }) {
        if (marker)
            std::ofstream(dir.file("marker")) << "some words TEST_ENABLE\n";
        Construct();
        form->GroupBoxPlayer = new TGroupBox(form.get());
        form->GroupBoxPlayer->SetVisible(true); // as the settings might have left it
        for (size_t i = 0; i < form->TestLabels.size(); ++i)
            (new TLabel(form.get()))->SetName("LabelTest" + std::to_string(i + 1));
        form->FormCreate(form.get());
        EXPECT_EQ(form->TestMode, marker ? 1 : 0);
        EXPECT_EQ(ProgramTestFlag, marker ? 1 : 0);
        EXPECT_EQ(form->GroupBoxPlayer->Visible(), marker);
        EXPECT_EQ(form->LabelTmp->Visible(), marker);
        EXPECT_EQ(form->MenuServis->Visible(), marker);
        for (TLabel* label : form->TestLabels)
            EXPECT_EQ(label->Visible(), marker);
        form.reset();
    }
}

TEST_F(MainWindow, CommandLineTakesOnlyTheFirstWordExactly)
{
    struct Case {
        QStringList words;
        int language;
        int noPatchCheck;
    };
    const Case cases[] = {
        { {}, 1, 0 },
        { { "ENGLISH" }, 0, 0 },
        { { "DEUTSCH" }, 1, 0 },
        { { "CESKY" }, 2, 0 },
        { { "english" }, 1, 0 },
        { { "Cesky" }, 1, 0 },
        { { "nopatchcheck" }, 1, 1 },
        { { "NOPATCHCHECK" }, 1, 0 },
        { { "file.ign", "CESKY" }, 1, 0 },
        { { "nopatchcheck", "ENGLISH" }, 1, 1 },
    };
    Construct();
    for (const Case& c : cases) {
        LangIndex = 1;
        form->NoPatchCheck = 0;
        form->ReadCommandLine(c.words);
        EXPECT_EQ(LangIndex, c.language) << c.words.join(' ').toStdString();
        EXPECT_EQ(form->NoPatchCheck, c.noPatchCheck) << c.words.join(' ').toStdString();
    }

    // At start-up the word takes effect before the language is applied.
    form.reset();
    Construct();
    form->CommandLine = { "CESKY" };
    form->FormCreate(form.get());
    EXPECT_EQ(LangIndex, 2);
}

TEST_F(MainWindow, TicksBeforeStartUpOnlyCountTheClock)
{
    Construct();
    form->ExtMonitorAtStart = 1;
    Tick(3);
    EXPECT_EQ(form->TickCount, 3);
    EXPECT_EQ(TmrNow(), 150);
    EXPECT_EQ(form->LabelTmp->Caption(), "MON BIKE=-1");
    EXPECT_EQ(settingsSaves, 0);
    EXPECT_EQ(form->ExtMonitorAtStart, 1);
    EXPECT_EQ(form->InjectionBackgroundsSet, 0);
}

TEST_F(MainWindow, TheTickRunsEachOfItsSteps)
{
    Start();
    form->ShowPage(PAGE_SLOT_ADVANCE);
    form->ExtMonitorAtStart = 1;
    form->Link->PortListChanged = true;
    form->LogPlayerState = LOG_PLAYER_PLAYING;
    // A click whose deadline has come is committed.
    const int advance = form->PcImage.b[advance_cells::BASE_ADVANCE] == 20 ? 21 : 20;
    SetUpDownQuiet(form.get(), form->Advance.UpDownBaseAdvance, advance);
    form->PendingEditControl = form->Advance.UpDownBaseAdvance;
    form->PendingEditCode = EDIT_UPDOWN_CLICK;
    form->PendingEditDeadline = 0;
    Tick();
    EXPECT_EQ(form->PcImage.b[advance_cells::BASE_ADVANCE], advance);
    EXPECT_EQ(form->PendingEditControl, nullptr);
    EXPECT_EQ(settingsSaves, 1) << "the commit's undo snapshot";
    EXPECT_EQ(form->ExtMonitorAtStart, 0);
    EXPECT_EQ(form->InjectionBackgroundsSet, 1);
    // The link step ran (its label shows the search) and the COM menu was rebuilt.
    EXPECT_EQ(form->LabelCom->Caption().rfind("COM=", 0), 0u);
    EXPECT_FALSE(form->Link->PortListChanged);
    EXPECT_TRUE(form->ComItems[1]->Visible());

    form->LogPlayerState = LOG_PLAYER_IDLE;
    GetDef(1010)->value = 1234;
    Tick();
    // The playback ended: the live panel and the definitions are refreshed
    // once, without the values.
    EXPECT_EQ(GetDef(1010)->value, 0);
    GetDef(1010)->value = 1234;
    Tick();
    EXPECT_EQ(GetDef(1010)->value, 1234);
    EXPECT_EQ(settingsSaves, 1) << "nothing else was committed";
}

TEST_F(MainWindow, TheTickPushesTheLiveValuesIntoTheMapTables)
{
    Start();
    TTab* table = CreateMapTable(form->Maps, 0, 600, 300, TABSTYLE_TABLE, form->PageSheets[2]->Widget());
    ASSERT_NE(table, nullptr);
    form->ConnectedPort = 1;
    form->LiveValues.Throttle = 305;
    form->LiveValues.CoolantByte = 190;
    Tick();
    EXPECT_EQ(table->LiveTp, 30);
    EXPECT_EQ(table->LiveTw, 90);
}

TEST_F(MainWindow, TheTickCountWrapsWithoutOverflow)
{
    Start();
    form->TickCount = INT32_MAX;
    Tick();
    EXPECT_EQ(form->TickCount, INT32_MIN);
    EXPECT_EQ(TmrNow(), int32_t(uint32_t(INT32_MIN) * 50u));
    EXPECT_EQ(TmrDiff(TmrNow(), int32_t(uint32_t(INT32_MAX) * 50u)), 50);
}

TEST_F(MainWindow, TypedCodesOfTheTuningChannelAndPulseSourceBecomeTheirNames)
{
    Start();
    auto* channelEdit = new TEdit(form.get());
    auto* channel = new TUpDown(form.get());
    channel->SetMin(0);
    channel->SetMax(4);
    channel->SetAssociate(channelEdit);
    auto* pulseEdit = new TEdit(form.get());
    auto* pulse = new TUpDown(form.get());
    pulse->SetMin(-2);
    pulse->SetMax(12);
    pulse->SetAssociate(pulseEdit);
    form->EditLadeniKanal = channelEdit;
    form->UpDownLadeniKanal = channel;
    form->EditRpmPulsu = pulseEdit;
    form->UpDownRpmPulsu = pulse;

    struct Case {
        const char* typed;
        const char* shown;
        int position;
        uint8_t stored;
    };
    const Case pulseCases[] = {
        { "-1", "CKPS", -1, 255 },
        { "-2", "CMPS", -2, 254 },
        { "5", "5", 5, 77 },
    };
    for (const Case& c : pulseCases) {
        form->PcImage.b[2649] = 77;
        pulseEdit->SetText(c.typed);
        Tick();
        EXPECT_EQ(pulseEdit->Text(), c.shown) << c.typed;
        EXPECT_EQ(pulse->Position(), c.position) << c.typed;
        EXPECT_EQ(form->PcImage.b[2649], c.stored) << c.typed;
    }

    form->PcImage.b[2991] = 3;
    channelEdit->SetText("0");
    Tick();
    EXPECT_EQ(channelEdit->Text(), "ALL");
    EXPECT_EQ(channel->Position(), 0);
    EXPECT_EQ(form->PcImage.b[2991], 0);
    channelEdit->SetText("00");
    form->PcImage.b[2991] = 3;
    Tick();
    EXPECT_EQ(channelEdit->Text(), "00");
    EXPECT_EQ(form->PcImage.b[2991], 3);
}

TEST_F(MainWindow, StatusSlotsExpireOnTheTickAndKeepTheHigherPriority)
{
    Start();
    form->CGaugeProgram->SetVisible(true);
    form->ShowMessageSlot(SLOT_RESULT, "###Done##Fertig##Hotovo", 2000, KEEP_COLOR, KEEP_COLOR, 0);
    EXPECT_TRUE(form->LabelResult->Visible());
    EXPECT_EQ(form->LabelResult->Caption(), "Done");
    Tick(40);
    EXPECT_TRUE(form->LabelResult->Visible());
    Tick();
    EXPECT_FALSE(form->LabelResult->Visible());
    EXPECT_FALSE(form->CGaugeProgram->Visible());

    form->ShowMessageSlot(SLOT_CONNECTION, "###Connected", -1, clBlack, clLime, 100);
    form->ShowMessageSlot(SLOT_CONNECTION, "###Searching", -1, clBlack, clYellow, 10);
    EXPECT_EQ(form->LabelConnection->Caption(), "Connected");
    EXPECT_EQ(form->LabelConnection->Color(), clLime);
    form->ShowMessageSlot(SLOT_CONNECTION, "###No connection", -1, clBlack, clRed, -5);
    EXPECT_EQ(form->LabelConnection->Caption(), "No connection");
}

TEST_F(MainWindow, PortNoticesActOnlyOnTheConnectedOrReleasedPort)
{
    Start();
    form->ConnectedPort = 4;
    const std::string caption = form->Caption();

    form->OnPortNotice({ 3, PORT_NOTICE_RELEASE });
    form->OnPortNotice({ 3, PORT_NOTICE_RESET_RELEASE });
    form->OnPortNotice({ 4, 0x7FFFFFA3 });
    EXPECT_EQ(form->Caption(), caption);
    EXPECT_EQ(form->LinkEnabled, 1);
    EXPECT_EQ(form->LinkRequest, REQ_NONE);

    form->OnPortNotice({ 4, PORT_NOTICE_RESET_RELEASE });
    EXPECT_EQ(form->LinkRequest, REQ_RESET_DISCONNECT);
    EXPECT_EQ(form->LinkEnabled, 1);
    EXPECT_EQ(form->Caption(), caption);

    form->OnPortNotice({ 4, PORT_NOTICE_RELEASE });
    EXPECT_EQ(form->LinkEnabled, 0);
    EXPECT_EQ(form->ReleasedPort, 4);
    EXPECT_NE(form->Caption().find("(Disconnected by bootloader)"), std::string::npos);

    form->OnPortNotice({ 3, PORT_NOTICE_TAKE_BACK });
    EXPECT_EQ(form->ReleasedPort, 4);
    EXPECT_EQ(form->LinkEnabled, 0);

    form->OnPortNotice({ 4, PORT_NOTICE_TAKE_BACK });
    EXPECT_EQ(form->LinkEnabled, 1);
    EXPECT_EQ(form->ReleasedPort, -1);
    EXPECT_EQ(form->Caption(), caption);

    // With no port connected a release notice matches nothing, not even port 0.
    form->ConnectedPort = 0;
    form->OnPortNotice({ 0, PORT_NOTICE_RELEASE });
    EXPECT_EQ(form->LinkEnabled, 1);
    EXPECT_EQ(form->Caption(), caption);
}

TEST_F(MainWindow, PortNoticesArriveOverTheLocalSocket)
{
    Start();
    const QString path = QString::fromStdString(dir.file("notice.sock"));
    ASSERT_TRUE(form->ListenForPortNotices(path));
    form->ConnectedPort = 4;
    QLocalSocket sender;
    sender.connectToServer(path);
    ASSERT_TRUE(sender.waitForConnected(5000));
    sender.write(FormatPortNotice({ 4, PORT_NOTICE_RELEASE }).c_str());
    ASSERT_TRUE(sender.waitForBytesWritten(5000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return form->ReleasedPort == 4; }, 5000));
    EXPECT_EQ(form->LinkEnabled, 0);
}

TEST_F(MainWindow, ADropOpensTheFirstParameterFileAsItWasNamed)
{
    Start();
    const QString folder = QString::fromStdString(dir.path().string());
    QMimeData mime;
    mime.setUrls({ QUrl::fromLocalFile(folder + "/a.txt"), QUrl::fromLocalFile(folder + "/B.IGN"),
        QUrl::fromLocalFile(folder + "/c.ign") });
    // As the desktop delivers a drop: the window takes the drag, then the drop.
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(form.get(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(form.get(), &drop);

    // No such file: the one attempt is reported once.
    const auto openErrors = [&] {
        return std::count_if(dialogs.boxes.begin(), dialogs.boxes.end(),
            [](const ScriptedDialogs::ShownBox& box) { return box.text == "Open file error!"; });
    };
    EXPECT_EQ(openErrors(), 1);
    const std::u16string opened = (folder + "/B.IGN").toStdU16String();
    EXPECT_EQ(form->OpenDialog1.FileName, opened);
    EXPECT_EQ(form->SaveDialog1.FileName, opened);

    form->OnDropFiles({ "ign", ".IGN", "x.ign.txt" });
    EXPECT_EQ(openErrors(), 2) << "\".IGN\" has four characters";
    EXPECT_EQ(form->OpenDialog1.FileName, u".IGN");
    form->OnDropFiles({ "ign", "notes.txt" });
    EXPECT_EQ(openErrors(), 2);
}

TEST_F(MainWindow, CloseStoresNormalizesAndSavesAfterStoppingTheWorkers)
{
    Start();
    form->ShowPage(PAGE_SLOT_ADVANCE);
    form->ShowMessageSlot(SLOT_CONNECTION, "###Connected", -1, KEEP_COLOR, KEEP_COLOR, 0);
    form->Link->RequestOpen(5, 115200);
    form->LogPlayerState = LOG_PLAYER_PLAYING;
    // A value shown but not committed yet, and an image the consistency pass repairs.
    const int advance = form->PcImage.b[advance_cells::BASE_ADVANCE] == 20 ? 21 : 20;
    SetUpDownQuiet(form.get(), form->Advance.UpDownBaseAdvance, advance);
    LangIndex = 7;
    TCloseAction action = caHide;
    form->FormClose(form.get(), action);
    EXPECT_EQ(form->LogPlayerState, LOG_PLAYER_IDLE);
    EXPECT_EQ(form->PcImage.b[advance_cells::BASE_ADVANCE], advance);
    EXPECT_EQ(settingsSaves, 1);
    EXPECT_EQ(SavedSetting("Language"), std::to_string(LanguageToIni(0))) << "repaired before the save";
    EXPECT_FALSE(form->MessageSlot[SLOT_CONNECTION].hasText);
    EXPECT_EQ(form->Link->Port(5).Request, PORTREQ_CLOSE) << "every port is asked to close";
    // The tick may still come after the close; it must not trip over anything.
    Tick();
}

TEST_F(MainWindow, UndoAndRedoWalkTheRingAndTheirControlsFollow)
{
    Start();
    EXPECT_FALSE(form->SpeedButtonZpet->Enabled());
    EXPECT_FALSE(form->MenuZnovu->Enabled());
    form->PcImage.b[100] = 42;
    EXPECT_TRUE(form->Undo->TakeUndoSnapshot());
    EXPECT_TRUE(form->SpeedButtonZpet->Enabled());
    EXPECT_TRUE(form->MenuZpet->Enabled());
    EXPECT_FALSE(form->SpeedButtonZnovu->Enabled());

    form->MenuZpet->Click();
    EXPECT_NE(form->PcImage.b[100], 42);
    EXPECT_FALSE(form->SpeedButtonZpet->Enabled());
    EXPECT_TRUE(form->SpeedButtonZnovu->Enabled());
    EXPECT_EQ(form->LinkRequest, REQ_NONE) << "programming after change is off";

    form->CheckBoxProgHned->SetChecked(true);
    form->MenuZnovu->Click();
    EXPECT_EQ(form->PcImage.b[100], 42);
    EXPECT_EQ(form->LinkRequest, REQ_PROGRAM_CHANGED);
    EXPECT_EQ(form->FullProgram, 0);
}

TEST_F(MainWindow, ACommitStoresNormalizesReloadsAndSnapshotsInThisOrder)
{
    Start();
    form->CheckBoxProgHned->SetChecked(true);
    form->PcImage.b[100] = 42;
    form->ShowPage(PAGE_SLOT_ADVANCE);
    const int advance = form->PcImage.b[advance_cells::BASE_ADVANCE] == 20 ? 21 : 20;
    SetUpDownQuiet(form.get(), form->Advance.UpDownBaseAdvance, advance);
    LangIndex = 7; // the consistency pass repairs it
    StoreAndReloadPage(form.get());
    EXPECT_EQ(form->PcImage.b[advance_cells::BASE_ADVANCE], advance);
    EXPECT_EQ(LangIndex, 0);
    EXPECT_EQ(settingsSaves, 1);
    EXPECT_EQ(SavedSetting("Language"), std::to_string(LanguageToIni(0)));
    EXPECT_TRUE(form->Undo->CanUndo());
    EXPECT_EQ(form->LinkRequest, REQ_PROGRAM_CHANGED);
    EXPECT_EQ(form->Images.ChangeMarks[100], 1);

    // Nothing changed: no snapshot, no programming.
    form->LinkRequest = REQ_NONE;
    StoreAndReloadPage(form.get());
    EXPECT_EQ(settingsSaves, 1);
    EXPECT_EQ(form->LinkRequest, REQ_NONE);
}

TEST(MonitorGauge, PercentOfTheRange)
{
    struct Case {
        int value, low, high, percent;
    };
    const Case cases[] = {
        { 5, 10, 40, 0 },
        { 10, 10, 40, 0 },
        { 25, 10, 40, 50 },
        { 39, 10, 40, 96 },
        { 40, 10, 40, 100 },
        { 41, 10, 40, 100 },
        { 20, 20, 20, 0 },
        { 255, 0, 255, 100 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(MonitorGaugePercent(c.value, c.low, c.high), c.percent) << c.value << " " << c.low << " " << c.high;
}

TEST_F(MainWindow, MonitorGaugeColoursAndVisibility)
{
    Construct();
    form->PcImage.b[2950] = 10;
    form->PcImage.b[2951] = 20;
    form->PcImage.b[2952] = 30;
    form->PcImage.b[2953] = 40;
    auto* gauge = new TCGauge(form.get());
    struct Case {
        int value;
        bool visible;
        TColor colour;
        int progress;
    };
    const Case cases[] = {
        { 0, true, clBtnFace, 0 },
        { 15, true, clBlue, 16 },
        { 20, true, clLime, 33 },
        { 29, true, clLime, 63 },
        { 30, true, clFuchsia, 66 },
        { 40, true, clFuchsia, 100 },
        { 255, false, clFuchsia, 100 },
    };
    for (const Case& c : cases) {
        UpdateMonitorGauge(form.get(), gauge, c.value);
        EXPECT_EQ(gauge->Visible(), c.visible) << c.value;
        EXPECT_EQ(gauge->ForeColor(), c.colour) << c.value;
        EXPECT_EQ(gauge->Progress(), c.progress) << c.value;
    }
    form->PcImage.b[2953] = 10;
    UpdateMonitorGauge(form.get(), gauge, 10);
    EXPECT_EQ(gauge->Progress(), 0);
}

TEST_F(MainWindow, TheProgramStartsTicksAndClosesThroughTheMessageLoop)
{
    TApplication application;
    CreateProgramWindows(application);
    TMainForm* main = MainForm;
    // A fast timer; the third tick closes the window as the user's Exit does.
    main->Timer1->SetInterval(1);
    main->Timer1->OnTimer = [main](TObject* sender) {
        main->Timer1Timer(sender);
        if (main->TickCount == 3)
            main->MenuExit->Click();
    };
    main->Show();
    settingsSaves = 0;
    EXPECT_EQ(application.Run(), 0);
    EXPECT_GE(main->TickCount, 3);
    EXPECT_FALSE(main->Visible());
    EXPECT_GE(settingsSaves, 1) << "the close saved the settings";
}

TEST_F(MainWindow, TheEntryCreatesEachWindowOnceWithTheMainWindowFirst)
{
    {
        TApplication application;
        CreateProgramWindows(application);
        ASSERT_NE(MainForm, nullptr);
        MainForm->Timer1->SetEnabled(false);
        EXPECT_EQ(application.MainForm(), MainForm);
        EXPECT_EQ(MainForm->FormCreated, 1);
        const std::vector<TComponent*> expected
            = { MainForm, FormAbout, FormEM, FormCIDList, TFormIndiProp, FormPatch };
        ASSERT_EQ(application.ComponentCount(), 6);
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(application.Components(i), expected[size_t(i)]) << i;

        // The hint under the mouse reaches status panel 0.
        application.SetHint("Opens a parameter file");
        EXPECT_EQ(MainForm->StatusBar1->Panels(0)->Text(), "Opens a parameter file");
        application.SetHint("");
        EXPECT_EQ(MainForm->StatusBar1->Panels(0)->Text(), "");
    }
    // No global names a freed window.
    for (const void* window : { static_cast<const void*>(MainForm), static_cast<const void*>(FormAbout),
             static_cast<const void*>(FormEM), static_cast<const void*>(FormCIDList),
             static_cast<const void*>(TFormIndiProp), static_cast<const void*>(FormPatch) })
        EXPECT_EQ(window, nullptr);
}

} // namespace
