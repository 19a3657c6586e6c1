// The edit path on a headless main window: clicks and typing on the Advance
// page committed through the debounce, seen in the image, the undo ring and
// the saved settings; and a small page built from the control factory, bound
// to image cells through the primitives.
#include "app/About.h"
#include "app/binding.h"
#include "app/controlfactory.h"
#include "app/editpath.h"
#include "app/main.h"
#include "app/settings.h"
#include "files/settingsfiles.h"
#include "pages/advance.h"
#include "pages/pages.h"
#include "platform/filewrite.h"
#include "support/commalocale.h"
#include "support/mainwindow.h"
#include "support/scripted_dialogs.h"
#include "texts/langtext.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTabBar>
#include <QTest>

#include <stdexcept>

namespace {

// Cells the consistency pass leaves alone.
constexpr int CELL_A = 100;
constexpr int CELL_B = 101;
constexpr int CELL_DECI = 102 | SIGNED_CELL;
constexpr int CELL_CHECK = 103;
constexpr int CELL_RADIO = 104;

// A page of every kind of bound control; the tests store and load it by hand.
struct TestPage {
    TEdit* EditA;
    TUpDown* UpDownA;
    TEdit* EditB;
    TUpDown* UpDownB;
    TDeciEdit* EditDeci;
    TDeciUpDown* UpDownDeci;
    TCheckBox* Check;
    TRadioGroup* Radio;

    TestPage(TMainForm* form, TControl* parent)
    {
        CreateEditUpDown(form, UpDownA, EditA, parent);
        PlaceEditUpDown(UpDownA, 10, 10, 0, 25, 1, 50);
        CreateEditUpDown(form, UpDownB, EditB, parent);
        PlaceEditUpDown(UpDownB, 10, 40, 0, 250, 1, 50);
        CreateDeciEditUpDown(form, UpDownDeci, EditDeci, parent);
        PlaceDeciEditUpDown(UpDownDeci, 10, 70, -100, 100, 10, 50);
        CreateCheckBox(form, Check, parent, 10, 100, 100, 0, "Check");
        CreateRadioGroup(form, Radio, parent, 10, 130, 120, 80, "Radio", "A,B,C");
    }
    void Store(TMainForm* form) const
    {
        StoreUpDownToByte(form, UpDownA, 0, CELL_A, 1, 0);
        StoreUpDownToByte(form, UpDownB, 0, CELL_B, 1, 0);
        StoreUpDownToByte(form, UpDownDeci, 0, CELL_DECI, 1, 0);
        StoreCheckBoxToByte(form, Check, 0, CELL_CHECK);
        StoreRadioGroupToByte(form, Radio, 0, CELL_RADIO);
    }
    void Load(TMainForm* form) const
    {
        SetUpDownFromByte(form, UpDownA, 0, CELL_A, 1, 0);
        SetUpDownFromByte(form, UpDownB, 0, CELL_B, 1, 0);
        SetUpDownFromByte(form, UpDownDeci, 0, CELL_DECI, 1, 0);
        SetCheckBoxFromByte(form, Check, 0, CELL_CHECK);
        SetRadioGroupFromByte(form, Radio, 0, CELL_RADIO);
    }
};

// The Advance page's fields: the pickup correction (0..24 in one byte), the
// first cylinder's correction (-15..15, stored plus 100) and the load signal.
constexpr int PICKUP = advance_cells::PICKUP_CORRECTION;
constexpr int CYLINDER = advance_cells::CYLINDER_CORRECTION;
constexpr int LOAD = advance_cells::LOAD_SIGNAL;

class EditPath : public HeadlessMainWindow {
protected:
    void SetUp() override
    {
        HeadlessMainWindow::SetUp();
        Start();
        form->PcImage.b[PICKUP] = 0;
        form->PcImage.b[CYLINDER] = 100;
        form->PcImage.b[LOAD] = 0;
        form->ShowPage(PAGE_SLOT_ADVANCE);
        LoadPages(form.get(), 0);
        page = std::make_unique<TestPage>(form.get(), form->PageSheets[0]);
        page->Load(form.get());
        settingsSaves = 0;
    }
    void TearDown() override
    {
        page.reset();
        HeadlessMainWindow::TearDown();
    }
    void TickTo(int tick)
    {
        while (form->TickCount < tick)
            form->Timer1Timer(form->Timer1);
    }
    // Every commit here changes the image, so it takes an undo snapshot,
    // which saves the settings.
    int Commits() const { return settingsSaves; }
    uint8_t Cell(int index) const { return form->PcImage.b[size_t(CellIndex(index))]; }
    void Type(TEdit* edit, const char* text) { edit->SetText(text); }
    AdvancePageControls& Advance() { return form->Advance; }

    std::unique_ptr<TestPage> page;
};

TEST_F(EditPath, ClicksOfOneUpDownCommitOnceFiveTicksAfterTheLast)
{
    std::vector<int> commitTicks;
    TickTo(10);
    for (int tick = 10; tick <= 25; ++tick) {
        TickTo(tick);
        if (tick == 10 || tick == 12 || tick == 14)
            Advance().UpDownPickupCorrection->Click(btNext);
        const uint8_t before = Cell(PICKUP);
        TickTo(tick + 1);
        if (Cell(PICKUP) != before)
            commitTicks.push_back(form->TickCount);
    }
    EXPECT_EQ(commitTicks, (std::vector<int> { 19 }));
    EXPECT_EQ(Cell(PICKUP), 3);
    EXPECT_EQ(Commits(), 1);
    EXPECT_EQ(form->PendingEditControl, nullptr);
}

TEST_F(EditPath, AnotherControlCommitsAtOnceThePendingClickIncluded)
{
    TickTo(10);
    Advance().UpDownPickupCorrection->Click(btNext);
    EXPECT_EQ(Cell(PICKUP), 0) << "the click waits";
    TickTo(11);
    Advance().UpDownCylinderCorrection1->Click(btNext);
    EXPECT_EQ(Commits(), 1);
    EXPECT_EQ(Cell(PICKUP), 1);
    EXPECT_EQ(Cell(CYLINDER), 101);
    EXPECT_EQ(form->PendingEditControl, nullptr) << "the second click is not left pending";
    TickTo(30);
    EXPECT_EQ(Commits(), 1);
}

TEST_F(EditPath, ACommitStoresNormalizesReloadsSnapshotsAndProgramsWhenTicked)
{
    form->CheckBoxProgHned->SetChecked(true);
    form->LinkRequest = REQ_NONE;
    LangIndex = 9; // the consistency pass repairs it before the save
    Advance().RadioGroupAdvanceLoad->SetItemIndex(1);
    EXPECT_EQ(Cell(LOAD), 1);
    EXPECT_EQ(LangIndex, 0);
    EXPECT_EQ(Commits(), 1);
    EXPECT_EQ(SavedSetting("Language"), std::to_string(LanguageToIni(0)));
    EXPECT_EQ(form->LinkRequest, REQ_PROGRAM_CHANGED);
    EXPECT_EQ(form->FullProgram, 0);
    EXPECT_TRUE(form->SpeedButtonZpet->Enabled());

    // The same value again changes nothing: no snapshot, no programming.
    const int commits = Commits();
    form->LinkRequest = REQ_NONE;
    Advance().RadioGroupAdvanceLoad->SetItemIndex(1);
    CommitEditNow(form.get());
    EXPECT_EQ(Commits(), commits);
    EXPECT_EQ(form->LinkRequest, REQ_NONE);
}

TEST_F(EditPath, EnterCommitsAndMovesTheFocus)
{
    TEdit* edit = Advance().EditPickupCorrection;
    form->show();
    QApplication::setActiveWindow(form.get());
    edit->setFocus();
    ASSERT_TRUE(edit->hasFocus());
    edit->selectAll();
    QTest::keyClicks(edit, "12");
    EXPECT_EQ(Cell(PICKUP), 0) << "typing alone commits nothing";
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(Cell(PICKUP), 12);
    EXPECT_FALSE(edit->hasFocus());
    EXPECT_EQ(edit->Text(), "12") << "the key itself is swallowed";
}

TEST_F(EditPath, LeavingAnInvisibleEditCommitsNothing)
{
    TEdit* edit = Advance().EditPickupCorrection;
    edit->Hide();
    Type(edit, "7");
    form->FormEditLooseFocus(edit);
    EXPECT_EQ(Cell(PICKUP), 0);
    edit->Show();
    form->FormEditLooseFocus(edit);
    EXPECT_EQ(Cell(PICKUP), 7);
}

TEST_F(EditPath, LoadingThePageNeverCommits)
{
    // Values beyond the fields' ranges: a commit would write back what the
    // fields hold.
    form->PcImage.b[PICKUP] = 30;
    form->PcImage.b[CYLINDER] = 140;
    form->PcImage.b[LOAD] = 1;
    LoadPages(form.get(), 0);
    EXPECT_EQ(form->LoadingControls, 0);
    EXPECT_EQ(Advance().EditPickupCorrection->Text(), "24");
    EXPECT_EQ(Advance().UpDownCylinderCorrection1->Position(), 15);
    EXPECT_EQ(Advance().RadioGroupAdvanceLoad->ItemIndex(), 1);
    TickTo(form->TickCount + 2 * EDIT_DEBOUNCE_TICKS);
    EXPECT_EQ(Cell(PICKUP), 30);
    EXPECT_EQ(Cell(CYLINDER), 140);
    EXPECT_EQ(Commits(), 0);

    // The primitives of a page's Load are as quiet.
    form->PcImage.b[CELL_A] = 20;
    form->PcImage.b[CellIndex(CELL_DECI)] = uint8_t(-15);
    form->PcImage.b[CELL_CHECK] = 7;
    form->PcImage.b[CELL_RADIO] = 2;
    page->Load(form.get());
    EXPECT_EQ(form->PendingEditControl, nullptr);
    EXPECT_EQ(page->EditA->Text(), "20");
    EXPECT_EQ(page->EditDeci->Text(), "-1.5");
    EXPECT_TRUE(page->Check->Checked());
    EXPECT_EQ(page->Radio->ItemIndex(), 2);
    EXPECT_EQ(Cell(PICKUP), 30);
}

TEST_F(EditPath, ANumberAboveMaxIsHeldToMax)
{
    Type(Advance().EditPickupCorrection, "30");
    form->FormEditLooseFocus(Advance().EditPickupCorrection);
    EXPECT_EQ(Cell(PICKUP), 24);
    EXPECT_EQ(Advance().EditPickupCorrection->Text(), "24") << "the reload shows what was stored";
}

void TypeIntoTheDecimalPair(TMainForm* form, TestPage* page)
{
    struct Case {
        const char* text;
        int position;
    };
    const Case cases[] = {
        { "2,56", 26 },
        { "-1.26", -12 },
        { "abc", -12 },
        { "20", 100 },
        { "-50", -100 },
    };
    for (const Case& c : cases) {
        page->EditDeci->SetText(c.text);
        EXPECT_EQ(page->UpDownDeci->Position(), c.position) << c.text;
        EXPECT_EQ(page->EditDeci->Text(), c.text) << "the typed text stays until the commit";
    }
    page->EditDeci->SetText("2,56");
    page->Store(form);
    EXPECT_EQ(form->PcImage.b[CellIndex(CELL_DECI)], 26);
    // The reload shows the stored value with the locale's own mark.
    page->Load(form);
    std::string shown = page->EditDeci->Text();
    EXPECT_TRUE(shown == "2.6" || shown == "2,6") << shown;
}

TEST_F(EditPath, TheDecimalPairReadsTypedNumbers)
{
    TypeIntoTheDecimalPair(form.get(), page.get());
}

TEST_F(EditPath, TheDecimalPairReadsTypedNumbersUnderACommaLocale)
{
    CommaDecimalLocale locale;
    ASSERT_TRUE(locale.Active()) << CommaDecimalLocale::NAME << " is missing: scripts/setup generates it";
    TypeIntoTheDecimalPair(form.get(), page.get());
}

TEST_F(EditPath, TheDecimalUpDownStepsWithinItsRange)
{
    SetUpDownQuiet(form.get(), page->UpDownDeci, 99);
    EXPECT_EQ(page->EditDeci->Text(), "9.9");
    page->UpDownDeci->Click(btNext);
    page->UpDownDeci->Click(btNext);
    EXPECT_EQ(page->UpDownDeci->Position(), 100);
    EXPECT_EQ(page->EditDeci->Text(), "10");
    EXPECT_EQ(form->PendingEditControl, page->UpDownDeci) << "the clicks wait for the debounce";
    page->Store(form.get());
    EXPECT_EQ(Cell(CELL_DECI), 100);
}

TEST_F(EditPath, TheUsersTabChangeCommitsAPendingClickOnItsOwnPage)
{
    TickTo(10);
    Advance().UpDownPickupCorrection->Click(btNext);
    const int own = form->ActivePageIndex;
    form->PageControl1->TabBar()->setCurrentIndex(own + 1);
    EXPECT_NE(form->ActivePageIndex, own);
    EXPECT_EQ(Cell(PICKUP), 1) << "stored from its own page";

    // A switch made by code commits nothing.
    form->ShowPage(PAGE_SLOT_ADVANCE);
    Advance().UpDownCylinderCorrection1->Click(btNext);
    form->ShowPage(0);
    EXPECT_EQ(Cell(CYLINDER), 100);
    EXPECT_EQ(Commits(), 1);
}

TEST_F(EditPath, AThrowingHandlerLeavesTheGuardClear)
{
    page->Check->OnClick = [](TObject*) { throw std::runtime_error("page fault"); };
    EXPECT_THROW(SetCheckBoxQuiet(form.get(), page->Check, 1), std::runtime_error);
    EXPECT_EQ(form->LoadingControls, 0);
    Advance().RadioGroupAdvanceLoad->SetItemIndex(1);
    EXPECT_EQ(Cell(LOAD), 1) << "later edits still count";
}

TEST_F(EditPath, UndoAndRedoRestoreImagePageAndControls)
{
    // 250 commits of values that differ from one to the next.
    const auto value = [](int i) { return i % 31 - 15; };
    TEdit* edit = Advance().EditCylinderCorrection1;
    for (int i = 1; i <= 250; ++i) {
        Type(edit, std::to_string(value(i)).c_str());
        CommitEditNow(form.get());
    }
    EXPECT_EQ(Commits(), 250) << "each snapshot saves the settings";
    EXPECT_EQ(Cell(CYLINDER), 100 + value(250));

    form->ShowPage(1);
    ASSERT_NE(form->ActivePageIndex, PAGE_SLOT_ADVANCE);
    form->SpeedButtonZpetClick(form->SpeedButtonZpet);
    EXPECT_EQ(Cell(CYLINDER), 100 + value(249));
    EXPECT_EQ(edit->Text(), std::to_string(value(249)));
    EXPECT_EQ(form->ActivePageIndex, PAGE_SLOT_ADVANCE) << "undo shows the page of the change";
    EXPECT_TRUE(form->SpeedButtonZnovu->Enabled());
    EXPECT_TRUE(form->MenuZnovu->Enabled());

    int steps = 1;
    while (form->SpeedButtonZpet->Enabled()) {
        form->SpeedButtonZpetClick(form->SpeedButtonZpet);
        ++steps;
    }
    EXPECT_EQ(steps, 199);
    EXPECT_EQ(Cell(CYLINDER), 100 + value(51));
    EXPECT_FALSE(form->MenuZpet->Enabled());

    form->SpeedButtonZnovuClick(form->SpeedButtonZnovu);
    EXPECT_EQ(Cell(CYLINDER), 100 + value(52));
    EXPECT_EQ(edit->Text(), std::to_string(value(52)));
    EXPECT_TRUE(form->SpeedButtonZpet->Enabled());
    // Undo and redo load the page, they never commit it: a commit's snapshot
    // would have ended the redo.
    EXPECT_TRUE(form->SpeedButtonZnovu->Enabled());
}

TEST_F(EditPath, UpDownCellsBySignScaleAndBias)
{
    TUpDown* upDown = page->UpDownB;
    upDown->SetMin(-40000);
    upDown->SetMax(40000);
    form->PcImage.b[200] = 45;
    SetUpDownFromByte(form.get(), upDown, 200, 0, 100, 0);
    EXPECT_EQ(upDown->Position(), 4500);
    EXPECT_EQ(page->EditB->Text(), "4 500") << "the up-down's own format for 1000 and more";
    for (int position : { 4500, 4550, 4599 }) {
        SetUpDownQuiet(form.get(), upDown, position);
        StoreUpDownToByte(form.get(), upDown, 200, 0, 100, 0);
        EXPECT_EQ(form->PcImage.b[200], 45) << position;
    }

    form->PcImage.SetWord(150, 0xFFFE);
    SetUpDownFromWord(form.get(), upDown, 100, 50 | SIGNED_CELL, 0);
    EXPECT_EQ(upDown->Position(), -2);
    SetUpDownFromWord(form.get(), upDown, 100, 50, 0);
    EXPECT_EQ(upDown->Position(), 40000) << "65534 is held to Max";
    SetUpDownQuiet(form.get(), upDown, -3);
    StoreUpDownToWord(form.get(), upDown, 100, 50, 7);
    EXPECT_EQ(form->PcImage.Word(150), 0xFFF6);

    form->PcImage.b[201] = 0xFF;
    SetUpDownFromByte(form.get(), upDown, 200, 1 | SIGNED_CELL, 1, 0);
    EXPECT_EQ(upDown->Position(), -1);
    SetUpDownFromByte(form.get(), upDown, 200, 1, 1, -100);
    EXPECT_EQ(upDown->Position(), 155);
    StoreUpDownToByte(form.get(), upDown, 200, 1, 1, -100);
    EXPECT_EQ(form->PcImage.b[201], 0xFF);

    SetUpDownQuiet(form.get(), upDown, 1500);
    EXPECT_EQ(upDown->Position(), 1500);
    EXPECT_EQ(page->EditB->Text(), "1 500");
    EXPECT_EQ(IntToText(-7), "-7");
    EXPECT_EQ(form->PendingEditControl, nullptr);
}

TEST_F(EditPath, ListsByPositionAndByCode)
{
    auto* combo = new TComboBox(form.get());
    combo->SetParent(form->PageSheets[0]);
    combo->OnChange = [this](TObject* sender) { form->FormComboChange(sender); };
    for (auto [text, code] : { std::pair { "ten", 10 }, { "twenty", 20 }, { "again ten", 10 } })
        AddComboItem(combo, text, code);
    RsImage& image = form->PcImage;

    image.b[300] = 20;
    SelectComboByValue(form.get(), combo, 300, 0);
    EXPECT_EQ(combo->ItemIndex(), 1);
    image.b[300] = 10;
    SelectComboByValue(form.get(), combo, 300, 0);
    EXPECT_EQ(combo->ItemIndex(), 0) << "the first item carrying the code";
    combo->SetItemIndex(2);
    SelectComboByValueQuiet(form.get(), combo, 10);
    EXPECT_EQ(combo->ItemIndex(), 2) << "an item already carrying the code stays";
    SelectComboByValueQuiet(form.get(), combo, 33);
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_EQ(GetComboValue(combo), -1);
    StoreComboValueToByte(form.get(), combo, 300, 0);
    EXPECT_EQ(image.b[300], 255);
    EXPECT_EQ(FindComboItemByValue(combo, 20), 1);
    EXPECT_EQ(FindComboItemByValue(combo, 21), -1);

    image.b[301] = 1;
    SetComboFromByte(form.get(), combo, 300, 1);
    EXPECT_EQ(combo->ItemIndex(), 1);
    StoreComboToByte(form.get(), combo, 302, 0);
    EXPECT_EQ(image.b[302], 1);

    TRadioGroup* group = page->Radio;
    ClearRadioGroupItems(group);
    AddRadioGroupItem(group, "off", 5);
    AddRadioGroupItem(group, "on", 9);
    image.b[303] = 9;
    SelectRadioGroupByValue(form.get(), group, 303, 0);
    EXPECT_EQ(group->ItemIndex(), 1);
    EXPECT_EQ(GetRadioGroupValue(group), 9);
    image.b[303] = 4;
    SelectRadioGroupByValue(form.get(), group, 303, 0);
    EXPECT_EQ(group->ItemIndex(), -1);
    StoreRadioGroupValueToByte(form.get(), group, 304, 0);
    EXPECT_EQ(image.b[304], 255);
    image.b[305] = 1;
    SetRadioGroupFromByte(form.get(), group, 305, 0);
    StoreRadioGroupToByte(form.get(), group, 306, 0);
    EXPECT_EQ(image.b[306], 1);
    EXPECT_EQ(ClearRadioGroupItems(group), 1);
    EXPECT_EQ(group->ItemCount(), 0);
    EXPECT_EQ(ClearComboItems(combo), 1);

    image.b[307] = 7;
    SetCheckBoxFromByte(form.get(), page->Check, 307, 0);
    EXPECT_TRUE(page->Check->Checked());
    StoreCheckBoxToByte(form.get(), page->Check, 307, 0);
    EXPECT_EQ(image.b[307], 1);

    EXPECT_EQ(form->PendingEditControl, nullptr) << "no primitive ever commits";
    EXPECT_EQ(Commits(), 0);
    EXPECT_EQ(form->LoadingControls, 0);
}

TEST_F(EditPath, RadioGroupItemsFromACommaList)
{
    struct Case {
        const char* list;
        std::vector<std::string> items;
    };
    const std::string forty(40, 'x');
    const std::string longList = "A," + forty + ",B";
    const Case cases[] = {
        { "A,B,,C", { "A", "B", "", "C" } },
        { "", { "" } },
        { "A,", { "A", "" } },
        { longList.c_str(), { "A", std::string(31, 'x'), "B" } },
    };
    for (const Case& c : cases) {
        TRadioGroup* group = nullptr;
        CreateRadioGroup(form.get(), group, form->PageSheets[0], 5, 6, 0, 0, "G", c.list);
        std::vector<std::string> items;
        for (int i = 0; i < group->ItemCount(); ++i)
            items.push_back(group->ItemText(i));
        EXPECT_EQ(items, c.items) << c.list;
        EXPECT_EQ(group->Left(), 5);
        EXPECT_FALSE(group->TabStop());
    }
}

TEST_F(EditPath, PairsArePlacedSideBySide)
{
    EXPECT_EQ(page->EditDeci->Left(), 10);
    EXPECT_EQ(page->EditDeci->Width(), 50);
    EXPECT_EQ(page->UpDownDeci->Left(), 60);
    EXPECT_EQ(page->UpDownDeci->Width(), UPDOWN_WIDTH);
    EXPECT_EQ(page->UpDownDeci->Height(), UPDOWN_HEIGHT);
    EXPECT_EQ(page->UpDownDeci->divisor, 10);
    EXPECT_EQ(page->UpDownDeci->partner, page->EditDeci);
    EXPECT_EQ(page->UpDownA->Associate(), page->EditA);
    EXPECT_EQ(page->UpDownA->Left(), 60);
    EXPECT_FALSE(page->Check->TabStop());
}

} // namespace
