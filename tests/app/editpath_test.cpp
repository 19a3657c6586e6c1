// The edit path on a headless main window: a small page built from the
// control factory, bound to image cells through the primitives, committed
// through the debounce. The page's store and load run where the window's
// stand-ins report "StoreActivePage" and "LoadPages(active)".
#include "app/About.h"
#include "app/binding.h"
#include "app/controlfactory.h"
#include "app/editpath.h"
#include "app/main.h"
#include "app/settings.h"
#include "app/standins.h"
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

#include <algorithm>
#include <stdexcept>

namespace {

// Cells the consistency pass leaves alone.
constexpr int CELL_A = 100;
constexpr int CELL_B = 101;
constexpr int CELL_DECI = 102 | SIGNED_CELL;
constexpr int CELL_CHECK = 103;
constexpr int CELL_RADIO = 104;

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

class EditPath : public HeadlessMainWindow {
protected:
    void SetUp() override
    {
        HeadlessMainWindow::SetUp();
        Start();
        form->ShowPage(0);
        page = std::make_unique<TestPage>(form.get(), form->PageSheets[0]);
        LoadPages(form.get(), 0);
        calls.clear();
        storedOnPage.clear();
    }
    void TearDown() override
    {
        page.reset();
        HeadlessMainWindow::TearDown();
    }
    // The test page's store and load run where the window's stand-ins report them.
    void Record(const char* name) override
    {
        calls.emplace_back(name);
        if (!page)
            return;
        if (calls.back() == "StoreActivePage") {
            storedOnPage.push_back(form->ActivePageIndex);
            page->Store(form.get());
        } else if (calls.back() == "LoadPages(active)" || calls.back() == "LoadPages(all)") {
            page->Load(form.get());
        }
    }
    void TickTo(int tick)
    {
        while (form->TickCount < tick)
            form->Timer1Timer(form->Timer1);
    }
    int Commits() const { return int(std::count(calls.begin(), calls.end(), "StoreActivePage")); }
    uint8_t Cell(int index) const { return form->PcImage.b[size_t(CellIndex(index))]; }
    void Type(TEdit* edit, const char* text) { edit->SetText(text); }

    std::vector<int> storedOnPage;
    std::unique_ptr<TestPage> page;
};

TEST_F(EditPath, ClicksOfOneUpDownCommitOnceFiveTicksAfterTheLast)
{
    std::vector<int> commitTicks;
    TickTo(10);
    for (int tick = 10; tick <= 25; ++tick) {
        TickTo(tick);
        if (tick == 10 || tick == 12 || tick == 14)
            page->UpDownA->Click(btNext);
        int before = Commits();
        TickTo(tick + 1);
        if (Commits() != before)
            commitTicks.push_back(form->TickCount);
    }
    EXPECT_EQ(commitTicks, (std::vector<int> { 19 }));
    EXPECT_EQ(Cell(CELL_A), 3);
    EXPECT_EQ(form->PendingEditControl, nullptr);
}

TEST_F(EditPath, AnotherControlCommitsAtOnceThePendingClickIncluded)
{
    TickTo(10);
    page->UpDownA->Click(btNext);
    EXPECT_EQ(Commits(), 0);
    TickTo(11);
    page->UpDownB->Click(btNext);
    EXPECT_EQ(Commits(), 1);
    EXPECT_EQ(Cell(CELL_A), 1);
    EXPECT_EQ(Cell(CELL_B), 1);
    EXPECT_EQ(form->PendingEditControl, nullptr) << "B is not left pending";
    TickTo(30);
    EXPECT_EQ(Commits(), 1);
}

TEST_F(EditPath, ACommitStoresNormalizesReloadsSnapshotsAndProgramsWhenTicked)
{
    form->CheckBoxProgHned->SetChecked(true);
    calls.clear();
    form->LinkRequest = REQ_NONE;
    LangIndex = 9; // the consistency pass repairs it
    page->Check->SetChecked(true);
    EXPECT_EQ(calls, (Calls { "StoreActivePage", "LoadPages(active)", "LogImage", "SaveSettings" }));
    EXPECT_EQ(LangIndex, 0);
    EXPECT_EQ(Cell(CELL_CHECK), 1);
    EXPECT_EQ(form->LinkRequest, REQ_PROGRAM_CHANGED);
    EXPECT_EQ(form->FullProgram, 0);
    EXPECT_TRUE(form->SpeedButtonZpet->Enabled());

    // The same value again changes nothing: no snapshot, no programming.
    calls.clear();
    form->LinkRequest = REQ_NONE;
    page->Radio->SetItemIndex(0);
    page->Radio->SetItemIndex(0);
    CommitEditNow(form.get());
    EXPECT_EQ(calls, (Calls { "StoreActivePage", "LoadPages(active)" }));
    EXPECT_EQ(form->LinkRequest, REQ_NONE);
}

TEST_F(EditPath, EnterCommitsAndMovesTheFocus)
{
    form->show();
    QApplication::setActiveWindow(form.get());
    page->EditB->setFocus();
    ASSERT_TRUE(page->EditB->hasFocus());
    page->EditB->selectAll();
    QTest::keyClicks(page->EditB, "42");
    EXPECT_EQ(Commits(), 0) << "typing alone commits nothing";
    QTest::keyClick(page->EditB, Qt::Key_Return);
    EXPECT_GE(Commits(), 1);
    EXPECT_EQ(Cell(CELL_B), 42);
    EXPECT_FALSE(page->EditB->hasFocus());
    EXPECT_EQ(page->EditB->Text(), "42") << "the key itself is swallowed";
}

TEST_F(EditPath, LeavingAnInvisibleEditCommitsNothing)
{
    page->EditB->Hide();
    form->FormEditLooseFocus(page->EditB);
    EXPECT_EQ(Commits(), 0);
    page->EditB->Show();
    form->FormEditLooseFocus(page->EditB);
    EXPECT_EQ(Commits(), 1);
}

TEST_F(EditPath, LoadingThePageNeverCommits)
{
    form->PcImage.b[CELL_A] = 20;
    form->PcImage.b[CellIndex(CELL_DECI)] = uint8_t(-15);
    form->PcImage.b[CELL_CHECK] = 7;
    form->PcImage.b[CELL_RADIO] = 2;
    LoadPages(form.get(), 0);
    EXPECT_EQ(Commits(), 0);
    EXPECT_EQ(form->LoadingControls, 0);
    EXPECT_EQ(page->EditA->Text(), "20");
    EXPECT_EQ(page->EditDeci->Text(), "-1.5");
    EXPECT_TRUE(page->Check->Checked());
    EXPECT_EQ(page->Radio->ItemIndex(), 2);
}

TEST_F(EditPath, ANumberAboveMaxIsHeldToMax)
{
    Type(page->EditA, "30");
    form->FormEditLooseFocus(page->EditA);
    EXPECT_EQ(Cell(CELL_A), 25);
    EXPECT_EQ(page->EditA->Text(), "25") << "the reload shows what was stored";
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
    form->FormEditLooseFocus(page->EditDeci);
    EXPECT_EQ(form->PcImage.b[CellIndex(CELL_DECI)], 26);
    // The reload shows the stored value with the locale's own mark.
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
    TickTo(form->TickCount + EDIT_DEBOUNCE_TICKS);
    EXPECT_EQ(Commits(), 1);
    EXPECT_EQ(Cell(CELL_DECI), 100);
}

TEST_F(EditPath, TheUsersTabChangeCommitsAPendingClickOnItsOwnPage)
{
    TickTo(10);
    page->UpDownA->Click(btNext);
    int own = form->ActivePageIndex;
    form->PageControl1->TabBar()->setCurrentIndex(own + 1);
    EXPECT_NE(form->ActivePageIndex, own);
    EXPECT_EQ(storedOnPage, (std::vector<int> { own }));
    EXPECT_EQ(Cell(CELL_A), 1);

    // A switch made by code commits nothing.
    page->UpDownB->Click(btNext);
    form->ShowPage(0);
    EXPECT_EQ(storedOnPage.size(), 1u);
}

TEST_F(EditPath, AThrowingHandlerLeavesTheGuardClear)
{
    page->Check->OnClick = [](TObject*) { throw std::runtime_error("page fault"); };
    EXPECT_THROW(SetCheckBoxQuiet(form.get(), page->Check, 1), std::runtime_error);
    EXPECT_EQ(form->LoadingControls, 0);
    page->Radio->SetItemIndex(1);
    EXPECT_EQ(Commits(), 1) << "later edits still count";
}

TEST_F(EditPath, UndoAndRedoRestoreImagePageAndControls)
{
    const int pageOfEdit = form->ActivePageIndex;
    for (int i = 1; i <= 250; ++i) {
        Type(page->EditB, std::to_string(i).c_str());
        CommitEditNow(form.get());
    }
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "SaveSettings"), 250) << "each snapshot saves the settings";
    EXPECT_EQ(Cell(CELL_B), 250);

    form->ShowPage(1);
    ASSERT_NE(form->ActivePageIndex, pageOfEdit);
    form->SpeedButtonZpetClick(form->SpeedButtonZpet);
    EXPECT_EQ(Cell(CELL_B), 249);
    EXPECT_EQ(page->EditB->Text(), "249");
    EXPECT_EQ(form->ActivePageIndex, pageOfEdit) << "undo shows the page of the change";
    EXPECT_TRUE(form->SpeedButtonZnovu->Enabled());
    EXPECT_TRUE(form->MenuRedo->Enabled());

    int steps = 1;
    while (form->SpeedButtonZpet->Enabled()) {
        form->SpeedButtonZpetClick(form->SpeedButtonZpet);
        ++steps;
    }
    EXPECT_EQ(steps, 199);
    EXPECT_EQ(Cell(CELL_B), 51);
    EXPECT_FALSE(form->MenuUndo->Enabled());

    form->SpeedButtonZnovuClick(form->SpeedButtonZnovu);
    EXPECT_EQ(Cell(CELL_B), 52);
    EXPECT_TRUE(form->SpeedButtonZpet->Enabled());
    EXPECT_EQ(Commits(), 250) << "undo and redo load the page, they never commit it";
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
    EXPECT_EQ(Commits(), 0);
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

    EXPECT_EQ(Commits(), 0) << "no primitive ever commits";
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
