// The main menu's commands on a headless main window: files opened and saved
// through scripted dialogs, the requests left for the link, the questions
// asked, and the keys that reach the commands.
#include "app/editpath.h"
#include "app/main.h"
#include "app/main_menu.h"

#include "app/About.h"
#include "app/binding.h"
#include "app/language.h"
#include "app/main_presets.h"
#include "app/otherwindows.h"
#include "app/settings.h"
#include "files/bikedefaults.h"
#include "files/loadgroups.h"
#include "image/consistency.h"
#include "mapedit/tab.h"
#include "pages/advance.h"
#include "pages/bike.h"
#include "pages/pages.h"
#include "pages/synchro.h"
#include "pages/tracking.h"
#include "platform/cp1250.h"
#include "support/mainwindow.h"
#include "support/scripted_dialogs.h"
#include "texts/langtext.h"
#include "tools/presetgen/standin.h"

#include <algorithm>

#include <gtest/gtest.h>

#include <QTest>
#include <QTimer>

#include <fstream>
#include <utility>

namespace {

// The offsets at which two images differ, for the failure message.
std::string Differences(const RsImage& a, const RsImage& b)
{
    std::string out;
    for (size_t i = 0; i < a.b.size(); ++i)
        if (a.b[i] != b.b[i])
            out += " " + std::to_string(i) + ":" + std::to_string(a.b[i]) + "/" + std::to_string(b.b[i]);
    return out.empty() ? "none" : out;
}

// The main window as the reader and writer see it, over a copy of an image.
class ImageHost : public BikeDefaultsHost {
public:
    explicit ImageHost(const RsImage& from)
        : image(from)
    {
    }
    RsImage& ParameterImage() override { return image; }
    std::vector<std::u16string> MemoLines() const override { return {}; }
    UnitVersionTexts UnitTexts() const override { return {}; }
    int SelectedSheet(int) const override { return 0; }
    void ShowMessageTableBox(int) override { }
    void ShowErrorBox(const std::string&) override { }
    void LoadBikeDefaults(int page) override { ::LoadBikeDefaults(*this, page); }
    std::optional<std::string> BikeRowText(int code) const override { return BikeListText(code); }
    RsImage image;
};

// What the defaults of a bike give over an image, through the archive the
// window imported at start-up.
RsImage BikeDefaults(const RsImage& before, int bike)
{
    ImageHost host(before);
    host.image.b[cell::BikeCode] = uint8_t(bike);
    EXPECT_TRUE(LoadBikeDefaults(host, -1));
    // The Tracking page's load keeps its two point counts in 1..15.
    for (int count : { tracking_cells::RETARD_COUNT, tracking_cells::LIMITER_COUNT })
        host.image.b[size_t(count)] = uint8_t(std::clamp(int(host.image.b[size_t(count)]), 1, 15));
    // The Synchro page's load keeps the cylinder count in 1..4.
    uint8_t& cylinders = host.image.b[size_t(synchro_cells::CYLINDERS)];
    cylinders = uint8_t(std::clamp(int(cylinders), 1, 4));
    return host.image;
}

class MenuCommands : public HeadlessMainWindow {
protected:
    void SetUp() override
    {
        HeadlessMainWindow::SetUp();
        // Start-up imports the presets from the folder beside the working folder.
        ASSERT_TRUE(WriteStandInPresets(dir.path() / "IMPET" / "NEW_308"));
        realCtrlKey = std::exchange(CtrlKeyHeld, [this] { return ctrlHeld; });
        Start();
        ASSERT_TRUE(dialogs.boxes.empty()) << dialogs.boxes.front().text.toStdString();
    }
    void TearDown() override
    {
        HeadlessMainWindow::TearDown();
        CtrlKeyHeld = realCtrlKey;
    }

    void Choose(const char* item) { static_cast<TMenuItem*>(form->FindComponent(item))->Click(); }
    std::string Caption() const { return form->Caption(); }
    bool CaptionNames(const std::string& path) const { return Caption().find(path) != std::string::npos; }
    // A parameter file of the image, as the program writes it.
    std::string WriteFile(const std::string& name, const RsImage& image)
    {
        ImageHost host(image);
        const std::string path = dir.file(name);
        std::ofstream(path, std::ios::binary) << ParameterFileText(host);
        return path;
    }
    std::string WriteText(const std::string& name, const std::string& text)
    {
        const std::string path = dir.file(name);
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    // Opens through the menu with the dialog answering `path`.
    void OpenThroughMenu(const std::string& path, const char* item = "MenuOpen")
    {
        dialogs.fileAnswers.push_back(QString::fromStdString(path));
        Choose(item);
    }
    // The current image with settings of every page changed, through the
    // consistency pass.
    RsImage EditedImage() const
    {
        RsImage image = form->PcImage;
        for (size_t i = 0; i < image.b.size(); ++i)
            if (i != size_t(cell::BikeCode) && i != size_t(bike_cells::SPECIAL) && i % 3 == 0)
                image.b[i] = uint8_t(image.b[i] + 1);
        // Whole afterstart curves, so the file carries every point of them.
        image.b[tracking_cells::RETARD_COUNT] = image.b[tracking_cells::LIMITER_COUNT] = 15;
        NormalizeParameterImage(image);
        return image;
    }
    int Boxes(const char* text) const
    {
        return int(std::count_if(dialogs.boxes.begin(), dialogs.boxes.end(),
            [&](const ScriptedDialogs::ShownBox& box) { return box.text == QStringFromCp1250(text); }));
    }
    std::u16string U16(const std::string& path) const { return QString::fromStdString(path).toStdU16String(); }

    bool ctrlHeld = false;
    std::function<bool()> realCtrlKey;
};

const char* const WANT_DEFAULTS = "Do you want default setting?";
const char* const OPEN_FILE_ERROR = "Open file error!";

// --- New ---------------------------------------------------------------

TEST_F(MenuCommands, NewLoadsTheBikeDefaultsOnlyWhenConfirmed)
{
    const std::string path = WriteFile("edited.ign", EditedImage());
    OpenThroughMenu(path);
    ASSERT_TRUE(CaptionNames(path));
    form->NewInstall = 1;
    const RsImage opened = form->PcImage;
    const int undoAt = form->Undo->UndoCurrent();

    struct Case {
        int answer;
        int result;
        bool loads;
    };
    for (const Case& c : { Case { IDNO, NEW_SETTINGS_DONE, false }, Case { IDCANCEL, NEW_SETTINGS_CANCELLED, false },
             Case { IDYES, NEW_SETTINGS_DONE, true } }) {
        SCOPED_TRACE(c.answer);
        dialogs.boxes.clear();
        dialogs.boxAnswers.push_back(c.answer);
        EXPECT_EQ(NewSettings(form.get(), -1, 0), c.result);
        ASSERT_EQ(dialogs.boxes.size(), 1u);
        EXPECT_EQ(dialogs.boxes[0].text, WANT_DEFAULTS);
        EXPECT_EQ(dialogs.boxes[0].type & MB_TYPEMASK, unsigned(MB_YESNOCANCEL));
        if (c.loads)
            break;
        EXPECT_EQ(form->PcImage.b, opened.b);
        EXPECT_EQ(form->NewInstall, 1);
        EXPECT_EQ(form->CurrentFileName, U16(path));
        EXPECT_EQ(form->Recent.Entry(0), U16(path));
        EXPECT_EQ(form->Undo->UndoCurrent(), undoAt);
    }
    EXPECT_EQ(Differences(form->PcImage, BikeDefaults(opened, 11)), "none");
    EXPECT_EQ(form->NewInstall, 0);
    EXPECT_TRUE(form->CurrentFileName.empty());
    EXPECT_FALSE(CaptionNames(path));
    EXPECT_EQ(form->Recent.Entry(0), u"");
    EXPECT_EQ(form->Recent.Entry(1), U16(path));
    EXPECT_TRUE(form->MenuHistoryItems[1]->Visible()) << "the file is offered again";
    EXPECT_NE(form->Undo->UndoCurrent(), undoAt);
    EXPECT_FALSE(form->LabelResult->Visible());
}

TEST_F(MenuCommands, NewAsksNothingWhereItCannotApply)
{
    // The bike list on its separator row: no bike to load.
    TComboBox* bikes = form->BikePage.ComboBoxBike;
    const int bikeRow = bikes->ItemIndex();
    bikes->SetItemIndex(FindComboItemByValue(bikes, BIKE_SEPARATOR_CODE));
    EXPECT_EQ(NewSettings(form.get(), -1, 0), NEW_SETTINGS_CANCELLED);
    // Leaving the special settings asks its own question whatever the row.
    dialogs.boxAnswers.push_back(IDCANCEL);
    EXPECT_EQ(NewSettings(form.get(), 1, 1), NEW_SETTINGS_CANCELLED);
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].text, "Do you want delete special settings?");
    EXPECT_EQ(dialogs.boxes[0].type & MB_TYPEMASK, unsigned(MB_OKCANCEL));
    bikes->SetItemIndex(bikeRow);

    // One page of the coupled injector maps is refused without a word, for
    // New and, with its message, for Open.
    TTab* table = form->Maps.InjectionTable;
    ASSERT_NE(table, nullptr);
    form->PcImage.b[2574] = 4;
    form->PcImage.b[INJECTOR_COUPLING_MODE] = JET_COUPLED;
    table->SelectSheet(2);
    form->ShowPage(INJECTION_PAGE);
    dialogs.boxes.clear();
    EXPECT_EQ(NewSettings(form.get(), INJECTION_PAGE, 0), NEW_SETTINGS_REFUSED);
    Choose("MenuOpenActPage");
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].text, "Can't open page for coupled jet !");
    EXPECT_TRUE(dialogs.fileDialogs.empty());

    // The whole image, another sheet or another mode is not refused.
    for (auto change : { +[](TMainForm* f) { f->Maps.InjectionTable->CurrentIndex = 4; },
             +[](TMainForm* f) { f->PcImage.b[INJECTOR_COUPLING_MODE] = JET_ALL_ALIKE; } }) {
        table->CurrentIndex = 2;
        form->PcImage.b[INJECTOR_COUPLING_MODE] = JET_COUPLED;
        change(form.get());
        dialogs.boxAnswers.push_back(IDNO);
        EXPECT_EQ(NewSettings(form.get(), INJECTION_PAGE, 0), NEW_SETTINGS_DONE);
    }
    dialogs.boxAnswers.push_back(IDNO);
    form->PcImage.b[INJECTOR_COUPLING_MODE] = JET_COUPLED;
    table->CurrentIndex = 0;
    EXPECT_EQ(NewSettings(form.get(), -1, 0), NEW_SETTINGS_DONE);
}

// --- Open --------------------------------------------------------------

TEST_F(MenuCommands, OpenReadsTheFileOverItsBikesDefaultsAndRemembersIt)
{
    // A file of bike 20 that carries one key besides the bike: every other
    // cell comes from that bike's defaults, loaded between the two passes.
    const std::string path = WriteText("short.ign", "\r\nMORVANTA_KEY 308\r\nBIKE 20\r\nCOOLING 7\r\n");
    form->NewInstall = 1;
    const RsImage before = form->PcImage;
    OpenThroughMenu(path);
    EXPECT_TRUE(dialogs.boxes.empty());
    ASSERT_EQ(dialogs.fileDialogs.size(), 1u);
    EXPECT_FALSE(dialogs.fileDialogs[0].save);
    EXPECT_EQ(dialogs.fileDialogs[0].request.filter, "IGN file|*.ign");
    EXPECT_EQ(dialogs.fileDialogs[0].request.defaultExt, "*.ign");

    RsImage expected = BikeDefaults(before, 20);
    expected.b[2648] = 7;
    NormalizeParameterImage(expected);
    EXPECT_EQ(Differences(form->PcImage, expected), "none");
    EXPECT_EQ(form->Images.FileImage.b, form->PcImage.b);
    EXPECT_EQ(form->Images.PcEqualsFile, 1);
    EXPECT_EQ(form->NewInstall, 0);
    EXPECT_EQ(form->CurrentFileName, U16(path));
    EXPECT_EQ(form->DialogFileName, U16(path));
    EXPECT_EQ(form->SaveDialog1.FileName, U16(path));
    EXPECT_TRUE(CaptionNames(path));
    EXPECT_EQ(form->Recent.Entry(0), U16(path));
    EXPECT_EQ(form->UnitTexts.lastUpdate, "settings not from unit");
    // The pages show the opened image.
    EXPECT_EQ(form->Advance.UpDownBaseAdvance->Position(), form->PcImage.b[advance_cells::BASE_ADVANCE]);
    EXPECT_EQ(form->Advance.RadioGroupAdvanceLoad->ItemIndex(), form->PcImage.b[advance_cells::LOAD_SIGNAL]);
}

TEST_F(MenuCommands, OpenTakesEachOlderLayoutWithItsWarning)
{
    for (int version : { 65, 69, 74, 83, 300, 302, 304, 305, 307 }) {
        SCOPED_TRACE(version);
        dialogs.boxes.clear();
        const std::string path = WriteText("old" + std::to_string(version) + ".ign",
            "\r\nMORVANTA_KEY " + std::to_string(version) + "\r\nBIKE 20\r\nCOOLING 9\r\n");
        OpenThroughMenu(path);
        EXPECT_EQ(Boxes("Older version of *.ign file!\n\n"
                        "Some parameters won't be changed or will be set to default value.\n"
                        "They are parameters which are not in older version or have another structure."),
            1);
        EXPECT_EQ(form->PcImage.b[cell::BikeCode], 20);
        EXPECT_EQ(form->PcImage.b[2648], 9);
        EXPECT_EQ(form->CurrentFileName, U16(path));
        EXPECT_EQ(form->Images.PcEqualsFile, 1);
    }
}

TEST_F(MenuCommands, AFileWithoutTheLayoutKeyIsNotTakenForTheFileShown)
{
    const std::string named = WriteFile("named.ign", EditedImage());
    OpenThroughMenu(named);
    ASSERT_TRUE(CaptionNames(named));
    // The shown page clamps the edited bytes to its ranges once, here.
    CommitEditNow(form.get());
    const int undoAt = form->Undo->UndoCurrent();
    form->NewInstall = 1;

    // Nothing loaded, and a file stopped at a bike it does not know: the
    // values read stay, but the file is not remembered.
    for (const std::string& text : { std::string("\r\nBIKE 20\r\nCOOLING 3\r\n"),
             std::string("\r\nMORVANTA_KEY 308\r\nCOOLING 3\r\nBIKE 200\r\n") }) {
        SCOPED_TRACE(text);
        dialogs.boxes.clear();
        OpenThroughMenu(WriteText("unkeyed.ign", text));
        EXPECT_EQ(dialogs.boxes.size(), 1u);
        EXPECT_EQ(form->Images.FileImage.b, form->PcImage.b);
        EXPECT_EQ(form->Images.PcEqualsFile, 0);
        EXPECT_FALSE(CaptionNames("named.ign")) << Caption();
        EXPECT_FALSE(CaptionNames("unkeyed.ign"));
        // A later comparison (after a read from the unit, an undo step) finds
        // the image equal to the file image, which is still not the named file.
        form->CompareUnitWithPc();
        EXPECT_FALSE(CaptionNames("named.ign")) << Caption();
        EXPECT_EQ(form->CurrentFileName, U16(named));
        EXPECT_EQ(form->Recent.Entry(0), U16(named));
        EXPECT_EQ(form->Recent.Count(), 1);
        EXPECT_EQ(form->NewInstall, 1);
        EXPECT_EQ(form->Undo->UndoCurrent(), undoAt);
    }
    EXPECT_EQ(form->PcImage.b[2648], 3) << "the values before the unknown bike are kept";

    // Opening and saving whole files names them again.
    OpenThroughMenu(named);
    form->CompareUnitWithPc();
    EXPECT_TRUE(CaptionNames(named)) << Caption();
    OpenThroughMenu(WriteText("unkeyed.ign", "\r\nBIKE 20\r\nCOOLING 3\r\n"));
    const std::string saved = dir.file("saved.ign");
    dialogs.fileAnswers.push_back(QString::fromStdString(saved));
    Choose("MenuSave");
    form->CompareUnitWithPc();
    EXPECT_TRUE(CaptionNames(saved)) << Caption();
}

TEST_F(MenuCommands, AFileOpenedForOnePageIsNotNamedForTheImageOfAnother)
{
    // The Corrections page holds some cells of the presets to its ranges as
    // it is shown; the file is saved after that.
    form->ShowPage(PAGE_CORRECTIONS);
    CommitEditNow(form.get());
    const std::string named = dir.file("named.ign");
    dialogs.fileAnswers.push_back(QString::fromStdString(named));
    Choose("MenuSave");
    ASSERT_TRUE(CaptionNames(named));
    // The same settings but for a key of the Bike page: the Corrections
    // page takes nothing new of it, so the image stays the content of
    // named.ign, which other.ign is not.
    ImageHost host(form->PcImage);
    std::string text = ParameterFileText(host);
    const size_t at = text.find("\nCOOLING ");
    ASSERT_NE(at, std::string::npos);
    const size_t value = at + 9;
    text.replace(value, text.find_first_of("\r\n", value) - value, form->PcImage.b[2648] == 9 ? "8" : "9");
    const std::string other = WriteText("other.ign", text);
    OpenThroughMenu(other, "MenuOpenActPage");
    ASSERT_EQ(Differences(form->Images.FileImage, form->PcImage), "none");
    EXPECT_EQ(form->CurrentFileName, U16(other));
    form->CompareUnitWithPc();
    EXPECT_FALSE(CaptionNames("other.ign")) << Caption();
    EXPECT_FALSE(CaptionNames("named.ign")) << Caption();
}

TEST_F(MenuCommands, AFileThatCannotBeOpenedLeavesTheRecentFiles)
{
    const std::string a = WriteFile("a.ign", form->PcImage);
    const std::string b = WriteFile("b.ign", form->PcImage);
    OpenThroughMenu(a);
    OpenThroughMenu(b);
    ASSERT_EQ(form->Recent.Count(), 2);
    EXPECT_EQ(form->MenuHistoryItems[1]->Caption(), "1 a");
    EXPECT_TRUE(form->MenuHistoryItems[1]->Visible());
    EXPECT_FALSE(form->MenuHistoryItems[2]->Visible());
    EXPECT_TRUE(form->MenuHistoryEnd->Visible());

    std::filesystem::remove(a);
    const RsImage before = form->PcImage;
    form->MenuHistoryItems[1]->Click();
    EXPECT_EQ(Boxes(OPEN_FILE_ERROR), 1);
    EXPECT_EQ(form->Recent.Count(), 1);
    EXPECT_EQ(form->Recent.Entry(0), U16(b));
    EXPECT_FALSE(form->MenuHistoryItems[1]->Visible());
    EXPECT_FALSE(form->MenuHistoryEnd->Visible());
    EXPECT_EQ(form->PcImage.b, before.b);
    EXPECT_TRUE(CaptionNames(b));

    // A recent entry that opens moves to the top.
    const std::string c = WriteFile("c.ign", form->PcImage);
    OpenThroughMenu(c);
    form->MenuHistoryItems[1]->Click();
    EXPECT_EQ(form->Recent.Entry(0), U16(b));
    EXPECT_EQ(form->Recent.Entry(1), U16(c));
    EXPECT_TRUE(CaptionNames(b));
}

TEST_F(MenuCommands, OpenForTheActivePageChangesOnlyThatPagesCells)
{
    const std::string named = WriteFile("named.ign", form->PcImage);
    OpenThroughMenu(named);
    const RsImage start = form->PcImage;
    const RsImage fileImage = form->Images.FileImage;
    const std::string path = WriteFile("edited.ign", EditedImage());

    for (int page : { PAGE_CORRECTIONS, PAGE_IDLE }) {
        SCOPED_TRACE(page);
        form->PcImage = start;
        form->ShowPage(page);
        // The shown page's pending edit is committed first; the Idle page holds
        // the presets' out-of-range cells to its controls' ranges there.
        CommitEditNow(form.get());
        const int undoAt = form->Undo->UndoCurrent();
        const RsImage before = form->PcImage;
        OpenThroughMenu(path, "MenuOpenActPage");
        // What the file's keys of that page alone give, read over the same image.
        ImageHost onlyThePage(before);
        ASSERT_EQ(ReadParameterFile(onlyThePage, path, page, false), ParseOutcome::Complete);
        EXPECT_EQ(form->PcImage.b, onlyThePage.image.b);
        EXPECT_GT(CountSettingDifferences(form->PcImage, before), 0);
        ImageHost wholeFile(before);
        ReadParameterFile(wholeFile, path, -1, false);
        EXPECT_GT(CountSettingDifferences(wholeFile.image, form->PcImage), 0) << "other pages keep their cells";

        EXPECT_EQ(form->Images.FileImage.b, fileImage.b);
        EXPECT_EQ(form->Undo->UndoCurrent(), undoAt);
        EXPECT_EQ(form->CurrentFileName, U16(path));
        EXPECT_EQ(form->Recent.Entry(0), U16(path));
    }
    EXPECT_TRUE(dialogs.boxes.empty());

    // A file that is gone: reported, and the recent files stay.
    std::filesystem::remove(named);
    OpenThroughMenu(named, "MenuOpenActPage");
    EXPECT_EQ(Boxes(OPEN_FILE_ERROR), 1);
    EXPECT_EQ(form->Recent.Entry(1), U16(named));
}

// --- Save --------------------------------------------------------------

TEST_F(MenuCommands, SaveWritesTheFileAndRemembersIt)
{
    // Settings of every page changed, in the cells the files carry.
    const RsImage start = form->PcImage;
    OpenThroughMenu(WriteFile("edited.ign", EditedImage()));
    std::filesystem::remove(dir.file("edited.ign"));
    dialogs.fileDialogs.clear();
    // A value shown on the page but not committed yet goes into the file.
    form->ShowPage(PAGE_SLOT_ADVANCE);
    const int advance = form->PcImage.b[advance_cells::BASE_ADVANCE] == 20 ? 21 : 20;
    SetUpDownQuiet(form.get(), form->Advance.UpDownBaseAdvance, advance);
    const std::string path = dir.file("saved.ign");
    std::ofstream(path) << "the old content";
    dialogs.fileAnswers.push_back(QString::fromStdString(path));
    Choose("MenuSave");

    ASSERT_EQ(dialogs.fileDialogs.size(), 1u);
    EXPECT_TRUE(dialogs.fileDialogs[0].save);
    EXPECT_EQ(dialogs.fileDialogs[0].request.filter, "IGN file|*.ign");
    EXPECT_EQ(dialogs.fileDialogs[0].request.filterIndex, 1);
    EXPECT_EQ(dialogs.fileDialogs[0].request.defaultExt, "*.ign");
    EXPECT_TRUE(dialogs.boxes.empty());

    ImageHost host(start);
    ASSERT_EQ(ReadParameterFile(host, path, -1, false), ParseOutcome::Complete);
    EXPECT_EQ(host.image.b[advance_cells::BASE_ADVANCE], advance);
    EXPECT_EQ(Differences(host.image, form->PcImage), "none");
    EXPECT_EQ(form->Images.FileImage.b, form->PcImage.b);
    EXPECT_EQ(form->Images.PcEqualsFile, 1);
    EXPECT_TRUE(CaptionNames(path));
    EXPECT_EQ(form->OpenDialog1.FileName, U16(path));
    EXPECT_EQ(form->Recent.Entry(0), U16(path));
    // No temporary file is left beside it.
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        if (entry.is_regular_file())
            files.push_back(entry.path().filename().string());
    EXPECT_EQ(files, std::vector<std::string> { "saved.ign" });
}

TEST_F(MenuCommands, AFailedSaveChangesNothingItReports)
{
    const std::string named = WriteFile("named.ign", form->PcImage);
    OpenThroughMenu(named);
    form->PcImage.b[2648] = uint8_t(form->PcImage.b[2648] + 1);
    const RsImage fileImage = form->Images.FileImage;
    const std::string caption = Caption();

    dialogs.fileAnswers.push_back(QString::fromStdString(dir.file("missing-folder/x.ign")));
    Choose("MenuSave");
    EXPECT_EQ(Boxes(OPEN_FILE_ERROR), 1);
    EXPECT_EQ(form->Images.FileImage.b, fileImage.b);
    EXPECT_EQ(Caption(), caption);
    EXPECT_EQ(form->CurrentFileName, U16(named));
    EXPECT_EQ(form->Recent.Count(), 1);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "missing-folder"));

    // Cancelling the dialog does nothing at all.
    const RsImage image = form->PcImage;
    const size_t boxes = dialogs.boxes.size();
    settingsSaves = 0;
    Choose("MenuSave");
    EXPECT_EQ(form->PcImage.b, image.b);
    EXPECT_EQ(dialogs.boxes.size(), boxes);
    EXPECT_EQ(Caption(), caption);
    EXPECT_EQ(settingsSaves, 0);
}

TEST_F(MenuCommands, DialogsStartInTheProgramFolderWhenAsked)
{
    const std::u16string exeDir = form->ExeDir;
    ASSERT_TRUE(exeDir.ends_with(u"/data.ign"));
    struct Case {
        const char* name;
        std::function<void()> run;
        bool ctrl;
        bool fromExeDir;
    };
    const Case cases[] = {
        { "open button with Ctrl", [&] { form->SpeedButtonOpen->Click(); }, true, true },
        { "open button", [&] { form->SpeedButtonOpen->Click(); }, false, false },
        { "Open ignores Ctrl", [&] { Choose("MenuOpen"); }, true, false },
        { "Open from exe dir", [&] { Choose("MenuOpenExeDir"); }, false, true },
        { "save button with Ctrl", [&] { form->SpeedButtonSave->Click(); }, true, true },
        { "Save ignores Ctrl", [&] { Choose("MenuSave"); }, true, false },
        { "Save to exe dir", [&] { Choose("MenuSaveExeDir"); }, false, true },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        form->OpenDialog1.FileName = u"/elsewhere/a.ign";
        form->SaveDialog1.FileName = u"/elsewhere/a.ign";
        ctrlHeld = c.ctrl;
        dialogs.fileDialogs.clear();
        c.run();
        ASSERT_EQ(dialogs.fileDialogs.size(), 1u);
        EXPECT_EQ(
            dialogs.fileDialogs[0].request.fileName.toStdU16String(), c.fromExeDir ? exeDir : u"/elsewhere/a.ign");
    }
}

// --- The unit ----------------------------------------------------------

TEST_F(MenuCommands, UnitCommandsLeaveTheirRequestForTheLink)
{
    form->NewInstall = 0;
    struct Case {
        const char* item;
        int request;
        bool storesPage;
    };
    for (const Case& c : { Case { "MenuRead", REQ_READ, false }, Case { "MenuVerify", REQ_VERIFY, true },
             Case { "MenuProgram", REQ_PROGRAM, true }, Case { "MenuReset", REQ_RESET, false } }) {
        SCOPED_TRACE(c.item);
        form->LinkRequest = REQ_NONE;
        form->FullProgram = 0;
        // A value shown on the page but not committed yet.
        form->ShowPage(PAGE_SLOT_ADVANCE);
        const uint8_t before = form->PcImage.b[advance_cells::BASE_ADVANCE];
        const int advance = before == 20 ? 21 : 20;
        SetUpDownQuiet(form.get(), form->Advance.UpDownBaseAdvance, advance);
        Choose(c.item);
        EXPECT_EQ(form->LinkRequest, c.request);
        EXPECT_EQ(form->FullProgram, c.request == REQ_PROGRAM ? 1 : 0);
        // What goes to the unit is what the page shows.
        EXPECT_EQ(form->PcImage.b[advance_cells::BASE_ADVANCE], c.storesPage ? advance : before);
        form->PcImage.b[advance_cells::BASE_ADVANCE] = before;
        LoadPages(form.get(), 0);
    }
    EXPECT_TRUE(dialogs.boxes.empty());
    // The buttons give the same requests.
    form->ButtonRead->Click();
    EXPECT_EQ(form->LinkRequest, REQ_READ);
    form->ButtonProgram->Click();
    EXPECT_EQ(form->LinkRequest, REQ_PROGRAM);

    // Stop motor waits for the next live request, whether or not a unit is there.
    form->LinkRequest = REQ_NONE;
    Choose("MenuStop");
    EXPECT_EQ(form->OneShot.Pending()[2], 0x20);
    EXPECT_EQ(form->LinkRequest, REQ_NONE);
}

TEST_F(MenuCommands, ProgramIsRefusedOnANewInstallationAndAsksAboutAnotherBike)
{
    ASSERT_EQ(form->NewInstall, 1) << "no settings file yet";
    form->ButtonProgram->Click();
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].text, QStringFromCp1250(form->MessageTable[127].c_str()));
    EXPECT_TRUE(dialogs.boxes[0].text.startsWith("This is a new installation"));
    EXPECT_EQ(dialogs.boxes[0].caption, "Attention");
    EXPECT_EQ(dialogs.boxes[0].type, unsigned(MB_SYSTEMMODAL | MB_ICONERROR | MB_OK));
    EXPECT_EQ(form->LinkRequest, REQ_NONE);
    EXPECT_EQ(form->FullProgram, 0);

    form->NewInstall = 0;
    form->PcImage.b[cell::BikeCode] = 11;
    struct Case {
        int unitBike;
        int answer; // 0: no question
        int request;
    };
    for (const Case& c : { Case { -1, 0, REQ_PROGRAM }, Case { 11, 0, REQ_PROGRAM }, Case { 20, IDCANCEL, REQ_NONE },
             Case { 20, IDOK, REQ_PROGRAM } }) {
        SCOPED_TRACE(c.unitBike);
        dialogs.boxes.clear();
        form->LinkRequest = REQ_NONE;
        form->Images.UnitBike = c.unitBike;
        if (c.answer)
            dialogs.boxAnswers.push_back(c.answer);
        Choose("MenuProgram");
        EXPECT_EQ(form->LinkRequest, c.request);
        ASSERT_EQ(dialogs.boxes.size(), c.answer ? 1u : 0u);
        if (c.answer) {
            EXPECT_TRUE(dialogs.boxes[0].text.startsWith("There is a different bike choosen"));
            EXPECT_EQ(dialogs.boxes[0].caption, "Warning");
            EXPECT_EQ(dialogs.boxes[0].type, unsigned(MB_SYSTEMMODAL | MB_ICONWARNING | MB_OKCANCEL | MB_DEFBUTTON2));
        }
    }
}

// --- Injector coupling -------------------------------------------------

TEST_F(MenuCommands, CouplingModesCopyAndCoupleTheInjectorMapsInOrder)
{
    struct Case {
        const char* item;
        int from;
        int to;
    };
    const Case cases[] = {
        { "Menu_Jet123Normal", JET_COUPLED, JET_NORMAL },
        { "Menu_Jet123Normal", JET_ALL_ALIKE, JET_NORMAL },
        { "Menu_Jet123Coupled", JET_NORMAL, JET_COUPLED },
        { "Menu_Jet123Coupled", JET_ALL_ALIKE, JET_COUPLED },
        { "Menu_Jet123Stejny", JET_NORMAL, JET_ALL_ALIKE },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.item) + " from " + std::to_string(c.from));
        form->PcImage.b[INJECTOR_COUPLING_MODE] = uint8_t(c.from);
        form->Undo->TakeUndoSnapshot();
        const int undoAt = form->Undo->UndoCurrent();
        settingsSaves = 0;
        Choose(c.item);
        EXPECT_EQ(form->PcImage.b[INJECTOR_COUPLING_MODE], c.to);
        EXPECT_NE(form->Undo->UndoCurrent(), undoAt) << "one undo step";
        EXPECT_EQ(settingsSaves, 1) << "the undo step saves the settings";
    }
}

// --- Tools, monitor, language, help -------------------------------------

TEST_F(MenuCommands, ToolAndMonitorItemsReachTheirTargets)
{
    TCheckBox* tuning = form->Tuning.CheckBoxLadeniPovoleno;
    ASSERT_NE(tuning, nullptr);
    int tuningClicks = 0;
    tuning->OnClick = [&](TObject*) { ++tuningClicks; };
    Choose("MenuLadeniOn");
    EXPECT_TRUE(tuning->Checked());
    EXPECT_EQ(tuningClicks, 1) << "a click like the user's";

    form->GroupBoxPlayer = new TGroupBox(form.get());
    form->GroupBoxPlayer->SetVisible(false);
    for (bool shown : { true, false }) {
        settingsSaves = 0;
        Choose("MenuMonitorPlayer");
        EXPECT_EQ(form->GroupBoxPlayer->Visible(), shown);
        EXPECT_EQ(form->MenuMonitorPlayer->Checked(), shown);
        EXPECT_EQ(settingsSaves, 1);
        EXPECT_EQ(SavedSetting("MONITORPLAYER"), shown ? "1" : "0");
    }

    for (const char* item : { "MenuMonitorView", "MenuMonitorLoad", "MenuMonitorSet1", "MenuMonitorSet2",
             "MenuMonitorSet3", "MenuMonitorSet0" }) {
        form->ExtMonitorAtStart = 1;
        Choose(item);
        EXPECT_EQ(form->ExtMonitorAtStart, 0) << item << " shows the monitor, not only at the next start";
    }
}

TEST_F(MenuCommands, ServiceItemsWriteAndCompareEveryPresetAndKeepTheImage)
{
    form->PcImage = EditedImage();
    form->ShowPage(PAGE_IDLE);
    // Loading the pages keeps the step-motor periods even; the image as the
    // pages leave it is the one to get back.
    LoadPages(form.get(), 1);
    const RsImage before = form->PcImage;
    Choose("MenuSaveAllNew");
    const std::filesystem::path folder = dir.path() / "work" / "new_ign";
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), BIKE_CODES);
    ImageHost preset(RsImage {});
    ASSERT_EQ(ReadParameterFile(preset, folder / (BikePresetName(*BikeListText(20)) + ".ign"), -1, false),
        ParseOutcome::Complete);
    EXPECT_EQ(preset.image.b[cell::BikeCode], 20);
    EXPECT_EQ(form->PcImage.b, before.b);
    EXPECT_EQ(form->ActivePageIndex, PAGE_IDLE);
    EXPECT_TRUE(dialogs.boxes.empty());

    std::filesystem::rename(folder, dir.path() / "work" / "new_ign_old");
    Choose("MenuSaveAllNew");
    Choose("MenuCompareAll");
    EXPECT_TRUE(std::filesystem::exists(folder / "compare_all_new.txt"));
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].text, "Results in file \".\\new_ign\\compare_all_new.txt\"");
}

TEST_F(MenuCommands, LanguageItemsSwitchTheTexts)
{
    struct Case {
        const char* item;
        int language;
        const char* openError;
    };
    for (const Case& c : { Case { "MenuCzech", 2, "Chyba při otevírání souboru!" },
             Case { "MenuGerman", 1, "Fehler beim öffnen der Datei!" }, Case { "MenuEnglish", 0, OPEN_FILE_ERROR } }) {
        Choose(c.item);
        EXPECT_EQ(LangIndex, c.language);
        EXPECT_EQ(form->MessageTable[27], c.openError);
    }
}

TEST_F(MenuCommands, HelpOpensTheManualOfTheLanguageAndReportsAFailure)
{
    for (int language : { 0, 1, 2 }) {
        LangIndex = language;
        dialogs.shellOpens.clear();
        Choose("MenuContens");
        ASSERT_EQ(dialogs.shellOpens.size(), 1u);
        EXPECT_EQ(dialogs.shellOpens[0], ManualAddress(language == 2 ? 2 : 0));
    }
    EXPECT_NE(ManualAddress(0), ManualAddress(2));
    EXPECT_TRUE(dialogs.boxes.empty());

    dialogs.shellResult = false;
    for (int language : { 0, 2 }) {
        LangIndex = language;
        dialogs.boxes.clear();
        Choose("MenuContens");
        ASSERT_EQ(dialogs.boxes.size(), 1u);
        const QString error
            = QStringFromCp1250(language == 0 ? "Error by opening www link" : "Chyba při otevírání www odkazu");
        EXPECT_EQ(dialogs.boxes[0].text, error + " " + ManualAddress(language) + " !");
    }
}

TEST_F(MenuCommands, AboutShowsItsWindowModally)
{
    TFormAbout about(nullptr);
    FormAbout = &about;
    bool shownModal = false;
    QTimer::singleShot(0, [&] {
        shownModal = about.isVisible() && about.isModal();
        about.SetModalResult(mrOk);
    });
    Choose("MenuAbout");
    FormAbout = nullptr;
    EXPECT_TRUE(shownModal);
    EXPECT_FALSE(about.isVisible());
}

// --- Keys --------------------------------------------------------------

TEST_F(MenuCommands, ShortcutsReachTheirCommandsWhileAnEditHasTheFocus)
{
    form->NewInstall = 0;
    auto* edit = new TEdit(form.get());
    edit->SetParent(form->PageSheets[0]);
    form->ShowPage(0);
    form->Show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    edit->SetFocus();
    ASSERT_TRUE(edit->hasFocus());

    struct Case {
        const char* name;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        std::function<bool()> reached;
    };
    const Case cases[] = {
        { "F7 Read", Qt::Key_F7, Qt::NoModifier, [&] { return form->LinkRequest == REQ_READ; } },
        { "F8 Verify", Qt::Key_F8, Qt::NoModifier, [&] { return form->LinkRequest == REQ_VERIFY; } },
        { "F9 Program", Qt::Key_F9, Qt::NoModifier, [&] { return form->LinkRequest == REQ_PROGRAM; } },
        { "F12 Stop motor", Qt::Key_F12, Qt::NoModifier, [&] { return form->OneShot.Pending()[2] == 0x20; } },
        { "Ctrl+N New", Qt::Key_N, Qt::ControlModifier, [&] { return dialogs.boxes.size() == 1; } },
        { "F3 Open", Qt::Key_F3, Qt::NoModifier,
            [&] { return dialogs.fileDialogs.size() == 1 && !dialogs.fileDialogs[0].save; } },
        { "F2 Save", Qt::Key_F2, Qt::NoModifier,
            [&] { return dialogs.fileDialogs.size() == 1 && dialogs.fileDialogs[0].save; } },
        { "F1 manual", Qt::Key_F1, Qt::NoModifier, [&] { return dialogs.shellOpens.size() == 1; } },
        { "Ctrl+M player", Qt::Key_M, Qt::ControlModifier, [&] { return form->MenuMonitorPlayer->Checked(); } },
    };
    form->GroupBoxPlayer = new TGroupBox(form.get());
    form->GroupBoxPlayer->SetVisible(false);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        form->LinkRequest = REQ_NONE;
        dialogs.boxes.clear();
        dialogs.fileDialogs.clear();
        dialogs.shellOpens.clear();
        dialogs.boxAnswers.push_back(IDNO);
        QTest::keyClick(edit, c.key, c.modifiers);
        EXPECT_TRUE(c.reached());
        EXPECT_TRUE(edit->hasFocus());
    }
}

TEST_F(MenuCommands, ToolKeysStepAndInterpolateTheTableOfThePage)
{
    TTab* table = CreateMapTable(form->Maps, 2, 400, 300, TABSTYLE_TABLE, form->PageSheets[ADVANCE_PAGE]);
    ASSERT_NE(table, nullptr);
    form->Maps.AdvanceTable = table;
    const int i = table->AddSheet("Sheet", "X", "Y", "V", TAB_MAX_COLS, TAB_MAX_ROWS, 0);
    table->DefineAxes(i, 1, "RPM", "", 0, 1000000, 1.0, 1, nullptr, 1, 1, 1, 3, 1, 0, 1, -1, 0, 0, nullptr);
    table->DefineAxes(i, 2, "TP", "", 0, 100000, 1.0, 1, nullptr, 1, 1, 1, 1, 1, 0, 1, -1, 0, 0, nullptr);
    table->DefineAxes(i, 4, "ADV", "", -100000, 100000, 1.0, 1, nullptr, 1, 0, 1, 0, 0, 0, 0, -1, 0, 0, nullptr);
    table->SelectSheet(i);
    CSheet& sheet = *table->Sheet;
    for (int c = 0; c < 3; ++c)
        sheet.X.Values[c] = 1000 * (c + 1);
    int32_t* row = sheet.V.Values;
    const auto select = [&](std::initializer_list<int> columns) {
        sheet.Sel.Clear();
        sheet.Sel.Mode = HIT_CELL;
        for (int c : columns)
            sheet.Sel.CellFlags[c] |= SEL_IN_BAND;
        sheet.Sel.UpdateBandBounds();
        sheet.Sel.Finish(table->TableHitMap);
    };

    auto* edit = new TEdit(form.get());
    edit->SetParent(form->PageSheets[ADVANCE_PAGE]);
    form->ShowPage(ADVANCE_PAGE);
    form->Show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));

    struct Case {
        const char* name;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        std::initializer_list<int> selected;
        std::array<int32_t, 3> cells;
    };
    const Case cases[] = {
        { "F5 Plus", Qt::Key_F5, Qt::NoModifier, { 1 }, { 0, 100, 20 } },
        { "F4 Minus", Qt::Key_F4, Qt::NoModifier, { 1 }, { 0, 98, 20 } },
        { "Ctrl+I interpolation", Qt::Key_I, Qt::ControlModifier, { 0, 1, 2 }, { 0, 10, 20 } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        row[0] = 0;
        row[1] = 99;
        row[2] = 20;
        select(c.selected);
        edit->SetFocus();
        QTest::keyClick(edit, c.key, c.modifiers);
        EXPECT_EQ((std::array<int32_t, 3> { row[0], row[1], row[2] }), c.cells);
    }
}

} // namespace
