// The main window's state between runs through a temporary settings folder:
// the first run's files, a restart, damaged default.ini files, failed writes;
// and the About window.
#include "app/About.h"
#include "app/main.h"
#include "app/main_presets.h"
#include "app/settings.h"
#include "files/settingsfiles.h"
#include "image/consistency.h"
#include "mapedit/tab.h"
#include "pages/pages.h"
#include "platform/filewrite.h"
#include "support/mainwindow.h"
#include "support/scripted_dialogs.h"
#include "texts/langtext.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace {

class Settings : public HeadlessMainWindow {
protected:
    std::string Read(const std::string& name) const
    {
        std::string text;
        ReadWholeFile(dir.file("settings/" + name), text);
        return text;
    }
    void Write(const std::string& name, const std::string& text) const
    {
        std::ofstream(dir.file("settings/" + name), std::ios::binary) << text;
    }
};

} // namespace

TEST_F(Settings, AFirstRunWritesBothFilesWithTheirDefaults)
{
    Start();
    std::string image = Read("default.ini");
    EXPECT_EQ(image, DefaultIniText(form->PcImage));
    EXPECT_EQ(image.size(), size_t(480 * 62 + 48 * 2));

    std::string ini = Read("application.ini");
    std::vector<std::string> keys;
    for (size_t pos = 0; pos < ini.size();) {
        size_t end = ini.find("\r\n", pos);
        ASSERT_NE(end, std::string::npos) << "every line ends in CR LF";
        std::string line = ini.substr(pos, end - pos);
        if (size_t eq = line.find('='); eq != std::string::npos)
            keys.push_back(line.substr(0, eq));
        pos = end + 2;
    }
    const std::vector<std::string> expected = { "Left", "Top", "Height", "Width", "ComPort", "ComPortAuto", "Language",
        "UpdateNumber", "File", "IniFileDir", "PageControl1->ActivePageIndex", "CheckBoxExtMonitor->Checked",
        "FormEM->Visible", "NEWINSTAL", "MONITORPLAYER", "MenuHistory00" };
    EXPECT_EQ(ini.substr(0, 9), "[BASIC]\r\n");
    EXPECT_EQ(keys, expected);
    EXPECT_NE(ini.find("UpdateNumber=-1\r\n"), std::string::npos);
    EXPECT_NE(ini.find("NEWINSTAL=1\r\n"), std::string::npos);
    EXPECT_NE(ini.find("MONITORPLAYER=0\r\n"), std::string::npos);
    EXPECT_NE(ini.find("PageControl1->ActivePageIndex=0\r\n"), std::string::npos);
}

TEST_F(Settings, TheWindowsStateSurvivesARestart)
{
    Start();
    QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    form->SetBounds(area.left() + 10, area.top() + 20, 300, 200);
    LangIndex = 2;
    form->ComPort = 5;
    form->ComPortAuto = 9;
    form->UpdateNumber = 44;
    form->NewInstall = 0;
    form->CurrentFileName = u"/work/\u0158idi\u010D.ign";
    form->Recent.RestoreEntry(0, form->CurrentFileName);
    form->Recent.RestoreEntry(1, u"/work/b.ign");
    form->ActivePageIndex = 12;
    form->PcImage.b[100] = 77;
    SaveSettings(form.get());
    EXPECT_NE(Read("application.ini").find("File=/work/\\x0158idi\\x010D.ign\r\n"), std::string::npos);
    RsImage saved = form->PcImage;
    NormalizeParameterImage(saved);
    form.reset();

    LangIndex = 0;
    Start();
    EXPECT_EQ(form->Left(), area.left() + 10);
    EXPECT_EQ(form->Top(), area.top() + 20);
    EXPECT_EQ(form->Width(), 300);
    EXPECT_EQ(form->Height(), 200);
    EXPECT_EQ(LangIndex, 2);
    EXPECT_EQ(form->ComPort, 5);
    EXPECT_EQ(form->ComPortAuto, 9);
    EXPECT_EQ(form->UpdateNumber, 44);
    EXPECT_EQ(form->NewInstall, 0);
    EXPECT_EQ(form->CurrentFileName, u"/work/\u0158idi\u010D.ign");
    EXPECT_EQ(form->OpenDialog1.FileName, form->CurrentFileName);
    EXPECT_EQ(form->Recent.Count(), 2);
    EXPECT_EQ(form->Recent.Entry(1), u"/work/b.ign");
    EXPECT_EQ(form->ActivePageIndex, 12);
    EXPECT_EQ(form->PcImage, saved);
}

TEST_F(Settings, EveryPageWithSheetsShowsItsPageAndSheetAgainAfterARestart)
{
    struct Case {
        int page;
        TTab* MapTableSet::*table;
    };
    const Case cases[] = {
        { PAGE_SLOT_ADVANCE, &MapTableSet::AdvanceTable },
        { PAGE_SLOT_INJECTION, &MapTableSet::InjectionTable },
        { PAGE_SLOT_CORRECTIONS, &MapTableSet::CorrectionsTable },
        { PAGE_SLOT_SERVO, &MapTableSet::ServoTable },
        { PAGE_SLOT_TRACKING, &MapTableSet::TrackTable },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.page);
        Start();
        form->ShowPage(c.page);
        TTab* table = form->Maps.*c.table;
        ASSERT_NE(table, nullptr);
        // The last sheet: the Advance table has only one.
        const int sheet = table->SheetCount - 1;
        table->SelectSheet(sheet);
        SaveSettings(form.get());
        EXPECT_EQ(SavedSetting("PageControl1->ActivePageIndex"), std::to_string(c.page * 100 + sheet));
        form.reset();

        Start();
        EXPECT_EQ(form->ActivePageIndex, c.page);
        EXPECT_EQ(form->PageControl1->ActivePage(), form->PageSheets[size_t(c.page)]);
        EXPECT_EQ(form->PageControl1->ActivePageIndex(), c.page);
        EXPECT_EQ((form->Maps.*c.table)->CurrentIndex, sheet);
        form.reset();
    }
}

TEST_F(Settings, DefaultIniOfAllNumbersIsTakenWhateverFollows)
{
    Construct();
    RsImage image = form->PcImage;
    image.b[cell::BikeCode] = 5;
    NormalizeParameterImage(image);
    std::string text = DefaultIniText(image) + " junk 99";
    // 256 stores its low byte.
    ASSERT_EQ(text.substr(0, 6), "    " + std::to_string(image.b[0]) + " ");
    text.replace(0, 6, "  " + std::to_string(256 + image.b[0]) + " ");
    Write("default.ini", text);
    LoadSettings(form.get());
    EXPECT_EQ(form->PcImage, image) << "the file's image, not the bike's defaults";
    EXPECT_TRUE(std::filesystem::exists(dir.file("settings/default.ini")));
}

TEST_F(Settings, AShortDefaultIniGivesBikeElevenAndIsDeleted)
{
    for (const char* damage : { "cut", "word" }) {
        Construct();
        std::string text = DefaultIniText(form->PcImage);
        if (std::string(damage) == "cut")
            text.resize(text.rfind("    ", text.size() - 5)); // 4799 numbers
        else
            text.replace(text.find(" 0 ", 3000), 3, " x ");
        Write("default.ini", text);
        form->PcImage.b[cell::BikeCode] = 3;
        LoadSettings(form.get());
        EXPECT_EQ(form->PcImage.b[cell::BikeCode], 11) << damage;
        EXPECT_FALSE(std::filesystem::exists(dir.file("settings/default.ini"))) << damage;
        form.reset();
    }
}

TEST_F(Settings, ABikeCodeBeyondTheListGivesBikeZero)
{
    Construct();
    RsImage image = form->PcImage;
    image.b[cell::BikeCode] = 67;
    Write("default.ini", DefaultIniText(image));
    LoadSettings(form.get());
    EXPECT_EQ(form->PcImage.b[cell::BikeCode], 0);
}

TEST_F(Settings, AFailedWriteLeavesTheOldFilesWholeAndIsReportedOnce)
{
    Start();
    std::string ini = Read("application.ini");
    std::string image = Read("default.ini");
    ASSERT_FALSE(ini.empty());
    ASSERT_FALSE(image.empty());
    // A writer that stops half way, as a full disk does.
    SettingsFileWriter = [](const std::string& path, std::string_view data) {
        std::ofstream(path + ".part", std::ios::binary) << data.substr(0, data.size() / 2);
        return WriteResult { false, "No space left on device" };
    };
    dialogs.boxes.clear();
    LangIndex = 1;
    form->PcImage.b[10] ^= 1;
    SaveSettings(form.get());
    SaveSettings(form.get());
    EXPECT_EQ(Read("application.ini"), ini);
    EXPECT_EQ(Read("default.ini"), image);
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_TRUE(dialogs.boxes[0].text.contains("No space left on device"));
}

TEST(AboutWindow, TextsPlaceAndLanguage)
{
    TFormAbout about(nullptr);
    about.DoCreate();
    EXPECT_EQ(about.LabelRsKey->Caption(), "Version - 308");
    EXPECT_EQ(about.LabelDate->Caption(), __DATE__);
    EXPECT_EQ(about.LabelTime->Caption().size(), 8u);
    EXPECT_EQ(about.LabelExit->Caption(), "OK");
    EXPECT_EQ(about.LabelExit->Left(), 174);
    EXPECT_EQ(about.LabelExit->Top(), 221);
    EXPECT_EQ(about.Image1->Width(), 159);
    // Centred for the designed size, so the small window stands above and left of the middle.
    QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    const int left = screen.width() / 2 - about.Width() / 2;
    const int top = screen.height() / 2 - about.Height() / 2;
    EXPECT_EQ(about.Left(), left);
    EXPECT_EQ(about.Top(), top);

    const char* captions[] = { "About Zeperon_12", "Über Programm Zeperon_12", "O programu Zeperon_12" };
    for (int lang = 0; lang < 3; ++lang) {
        LangIndex = lang;
        about.FormActivate(&about);
        EXPECT_EQ(about.Caption(), captions[lang]);
    }
    LangIndex = 0;
    EXPECT_EQ(about.Width(), 256);
    EXPECT_EQ(about.Height(), 309);
    EXPECT_EQ(about.Left(), left);
    EXPECT_TRUE(about.Image1->Visible());
    EXPECT_FALSE(about.Image2->Visible());
    EXPECT_FALSE(about.Image5->Visible());
}
