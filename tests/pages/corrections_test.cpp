// The Corrections and Injection position pages on a started main window: the
// image cells behind every table, the cells the start table keeps fixed, the
// tab strip choosing what is shown, and the reference point of the pulse.
#include "app/language.h"
#include "pagewindow.h"

#include "pages/corrections.h"
#include "pages/injposition.h"

#include <fstream>

namespace {

using namespace corrections_cells;
using namespace injposition_cells;

class CorrectionsPage : public PageWindow {
protected:
    void SetUp() override
    {
        PageWindow::SetUp();
        form->ShowPage(PAGE_SLOT_CORRECTIONS);
    }
    CorrectionsPageControls& P() { return form->Corrections; }
    TTab* Table(int id) { return P().Table(id); }
    static int32_t& Cell(TTab* table, int column, int row)
    {
        return table->Sheets[0].V.Values[row * TAB_MAX_COLS + column];
    }
    void Load() { LoadCorrectionsPage(form.get()); }
    void Store() { StoreCorrectionsPage(form.get()); }
    void ChooseTab(int tab)
    {
        P().CorrectionsHeaderTable->SelectSheet(tab);
        ShowCorrectionsTables(form.get());
    }
};

// Where a shown number sits: a cell, or a breakpoint of the X or Y axis.
enum class Where { CELL, X, Y };
struct Bound {
    int table;
    Where where;
    int column, row; // a breakpoint's index in row
    int offset; // byte offset, or word index
    bool word;
    int stored;
    int32_t shown;
};

// clang-format off
const Bound BOUND[] = {
    { 7, Where::CELL, 0, 9, 2685, false, 250, 250 },
    { 8, Where::CELL, 0, 0, 2726, false, 5, 5 },
    { 9, Where::CELL, 0, 0, 2686, false, 80, -20 },
    { 9, Where::CELL, 0, 9, 2695, false, 120, 20 },
    { 10, Where::CELL, 0, 6, 2739, false, 80, -20 },
    { 11, Where::CELL, 0, 4, 2744, false, 17, 17 },
    { 12, Where::CELL, 3, 2, 2760, false, 99, 99 },
    { 12, Where::CELL, 0, 0, 2749, false, 7, 7 },
    { 12, Where::X, 0, 3, 2748, false, 140, 140 },
    { 13, Where::CELL, 0, 3, 2699, false, 44, 44 },
    { 14, Where::CELL, 0, 9, 2715, false, 45, 45 },
    { 15, Where::CELL, 0, 0, 2716, false, 46, 46 },
    { 16, Where::Y, 0, 1, 2769, false, 3, 3 },
    { 16, Where::Y, 0, 4, 2772, false, 250, 250 },
    { 16, Where::CELL, 0, 0, 2773, false, 0, 100 },
    { 16, Where::CELL, 0, 3, 2776, false, 250, 350 },
    { 17, Where::CELL, 0, 0, 1040, true, 0, -100 },
    { 17, Where::CELL, 0, 8, 1048, true, 250, 150 },
    { 18, Where::CELL, 0, 0, 4668, false, 236, -20 },
    { 18, Where::CELL, 0, 8, 4676, false, 100, 100 },
};
// clang-format on

TEST_F(CorrectionsPage, EveryTableShowsItsCellsAndStoresThemBack)
{
    for (const Bound& b : BOUND) {
        if (b.word)
            form->PcImage.SetWord(b.offset, uint16_t(b.stored));
        else
            Byte(b.offset) = uint8_t(b.stored);
        Load();
        CSheet& sheet = Table(b.table)->Sheets[0];
        int32_t& shown = b.where == Where::CELL ? Cell(Table(b.table), b.column, b.row)
            : b.where == Where::X               ? sheet.X.Values[b.row]
                                                : sheet.Y.Values[b.row];
        EXPECT_EQ(shown, b.shown) << "table " << b.table << " at " << b.offset;
        if (b.word)
            form->PcImage.SetWord(b.offset, 0x5555);
        else
            Byte(b.offset) = 0x55;
        Store();
        EXPECT_EQ(b.word ? form->PcImage.Word(b.offset) : Byte(b.offset), b.stored)
            << "table " << b.table << " at " << b.offset;
    }
}

TEST_F(CorrectionsPage, TypedValuesAreHeldToTheirAxes)
{
    const struct {
        int table;
        Where where;
        int row;
        int32_t typed;
        int offset;
        int stored;
    } cases[] = {
        { 7, Where::CELL, 0, 300, 2676, 250 },
        { 9, Where::CELL, 0, 50, 2686, 120 },
        { 9, Where::CELL, 1, -50, 2687, 80 },
        { 18, Where::CELL, 2, -90, 4670, 236 },
        // The start times are single bytes: 300 s would come back as 44.
        { 16, Where::Y, 4, 300, 2772, 250 },
    };
    for (const auto& c : cases) {
        Load();
        CSheet& sheet = Table(c.table)->Sheets[0];
        (c.where == Where::CELL ? sheet.V.Values[c.row * TAB_MAX_COLS] : sheet.Y.Values[c.row]) = c.typed;
        StoreAndReloadPage(form.get());
        EXPECT_EQ(Byte(c.offset), c.stored) << "table " << c.table << " typed " << c.typed;
    }
    EXPECT_EQ(Table(16)->Sheets[0].Y.Max, 250);
}

TEST_F(CorrectionsPage, TheStartTableKeepsItsFirstTimeAndLastCell)
{
    for (int i = 0; i < 8; i++)
        Byte(2769 + i) = uint8_t(10 + i);
    Load();
    TTab* table = Table(16);
    CSheet& sheet = table->Sheets[0];
    EXPECT_EQ(sheet.Y.Values[0], 0);
    EXPECT_EQ(Cell(table, 0, 4), 100);
    sheet.Y.Values[0] = 7;
    Cell(table, 0, 4) = 180;
    Cell(table, 0, 1) = 190;
    PageTableChanged(form.get(), table);
    EXPECT_EQ(sheet.Y.Values[0], 0);
    EXPECT_EQ(Cell(table, 0, 4), 100);
    EXPECT_EQ(Byte(2774), 90) << "the edited cell is committed";
    // Only points 1..4 and cells 0..3 are in the image.
    EXPECT_EQ(Byte(2769), 10);
    EXPECT_EQ(Byte(2776), 17);
}

TEST_F(CorrectionsPage, EachTabShowsItsTablesAndControls)
{
    const struct {
        int tab;
        std::vector<int> tables;
        bool accGroup, deadTime;
    } cases[] = {
        { 0, { 7, 8 }, false, false },
        { 1, { 9, 10 }, false, false },
        { 2, { 11, 12 }, true, false },
        { 3, { 13, 14 }, false, false },
        { 4, { 15, 16 }, false, false },
        { 5, { 17, 18 }, false, true },
    };
    for (const auto& c : cases) {
        ChooseTab(c.tab);
        for (int id = CORRECTIONS_FIRST_ID; id < CORRECTIONS_FIRST_ID + CORRECTIONS_TABLES; id++) {
            const bool shown = std::find(c.tables.begin(), c.tables.end(), id) != c.tables.end();
            EXPECT_EQ(!Table(id)->isHidden(), shown) << "tab " << c.tab << " table " << id;
        }
        EXPECT_EQ(P().GroupBoxAccK->Visible(), c.accGroup) << "tab " << c.tab;
        EXPECT_EQ(P().EditDeadTime->Visible(), c.deadTime) << "tab " << c.tab;
        EXPECT_EQ(P().UpDownDeadTime->Visible(), c.deadTime) << "tab " << c.tab;
        EXPECT_EQ(P().LabelDeadTime->Visible(), c.deadTime) << "tab " << c.tab;
    }
}

TEST_F(CorrectionsPage, AccelerationAndDeadTimeFieldsKeepTheirCells)
{
    const struct {
        TUpDown* CorrectionsPageControls::*upDown;
        int word; // -1: the dead-time byte
        int stored;
        int set;
        int storedAfter;
    } cases[] = {
        { &CorrectionsPageControls::UpDownAccKPlus, ACC_K_PLUS_WORD, 1200, 250, 250 },
        { &CorrectionsPageControls::UpDownAccKMinus, ACC_K_MINUS_WORD, 30000, 40000, 30000 },
        { &CorrectionsPageControls::UpDownAccT100, ACC_T100_WORD, 50, 5, 10 },
        { &CorrectionsPageControls::UpDownAccT0, ACC_T0_WORD, 70, 90, 90 },
        { &CorrectionsPageControls::UpDownDeadTime, -1, 45, 1230, 123 },
        { &CorrectionsPageControls::UpDownDeadTime, -1, 210, 2500, 200 },
    };
    for (const auto& c : cases) {
        if (c.word < 0)
            Byte(DEAD_TIME) = uint8_t(c.stored);
        else
            form->PcImage.SetWord(c.word, uint16_t(c.stored));
        Load();
        TUpDown* upDown = P().*c.upDown;
        EXPECT_EQ(upDown->Position(), std::min(c.word < 0 ? c.stored * 10 : c.stored, upDown->Max())) << c.set;
        upDown->SetPosition(c.set);
        Store();
        EXPECT_EQ(c.word < 0 ? Byte(DEAD_TIME) : form->PcImage.Word(c.word), c.storedAfter) << c.set;
    }
}

TEST_F(CorrectionsPage, TheLiveCorrectionsAreThePanelsLabels)
{
    const LivePageControls& live = form->Monitor.Pages;
    EXPECT_EQ(live.LabelCorInjTW, form->FindComponent("LabelCorInjTW"));
    EXPECT_EQ(live.LabelCorAdvAT, form->FindComponent("LabelCorAdvAT"));
    EXPECT_EQ(live.LabelCorAccJet->Parent(), P().GroupBoxAccCor);
    EXPECT_EQ(live.LabelCorAdvIdle->Parent(), P().GroupBoxAdvCor);
    EXPECT_EQ(live.LabelCorInjU->Parent(), P().GroupBoxInjCor);
}

TEST_F(CorrectionsPage, TextsFollowTheLanguage)
{
    const struct {
        int language;
        const char* deadTime;
        const char* position;
    } cases[]
        = { { 0, "Dead time [us]", "Position" }, { 1, "Todeszeit [us]", "Lage" }, { 2, "Mrtvý čas [us]", "Poloha" } };
    for (const auto& c : cases) {
        LangIndex = c.language;
        ApplyControlTexts(form.get());
        EXPECT_EQ(P().LabelDeadTime->Caption(), c.deadTime);
        EXPECT_EQ(form->PageSheets[PAGE_SLOT_INJECTION_POSITION]->Caption(), c.position);
    }
}

class PositionPage : public PageWindow {
protected:
    void SetUp() override
    {
        PageWindow::SetUp();
        form->ShowPage(PAGE_SLOT_INJECTION_POSITION);
    }
    TTab* A() { return form->Maps.InjectionPositionTableA; }
    TTab* B() { return form->Maps.InjectionPositionTableB; }
};

TEST_F(PositionPage, CellsAreFifthsOfADegreeAndAllBreakpointsTravel)
{
    for (int i = 0; i < POINTS; i++) {
        Byte(RPM_A + i) = uint8_t(10 + 10 * i);
        Byte(RPM_B + i) = uint8_t(12 + 10 * i);
    }
    Byte(POSITION_A) = 30;
    Byte(POSITION_B + 14) = 150;
    LoadInjectionPositionPage(form.get());
    const CSheet& a = A()->Sheets[0];
    EXPECT_EQ(a.V.Values[0] * a.V.Scale, 150.0);
    EXPECT_EQ(B()->Sheets[0].V.Values[14] * B()->Sheets[0].V.Scale, 750.0);
    EXPECT_EQ(a.X.Count, POINTS);
    EXPECT_EQ(B()->Sheets[0].X.Values[14], 152);

    for (int i = 0; i < POINTS; i++) {
        Byte(RPM_A + i) = 0;
        Byte(RPM_B + i) = 0;
    }
    B()->Sheets[0].V.Values[3] = 400; // typed beyond 750 degrees
    StoreInjectionPositionPage(form.get());
    for (int i = 0; i < POINTS; i++) {
        EXPECT_EQ(Byte(RPM_A + i), 10 + 10 * i);
        EXPECT_EQ(Byte(RPM_B + i), 12 + 10 * i);
    }
    EXPECT_EQ(Byte(POSITION_B + 3), 150);
}

TEST_F(PositionPage, TheCentreReferenceOnBLeavesA)
{
    Byte(REFERENCE_A) = 2;
    Byte(REFERENCE_B) = 0;
    LoadInjectionPositionPage(form.get());
    EXPECT_EQ(A()->PositionRef, 2);
    B()->PositionRef = 1;
    PageTableChanged(form.get(), B());
    EXPECT_EQ(Byte(REFERENCE_B), 1);
    EXPECT_EQ(Byte(REFERENCE_A), 2);
    B()->PositionRef = 0;
    LoadInjectionPositionPage(form.get());
    EXPECT_EQ(B()->PositionRef, 1);
}

class RestoredCorrections : public HeadlessMainWindow { };

TEST_F(RestoredCorrections, AStoredTabReopens)
{
    std::filesystem::create_directories(dir.path() / "settings");
    std::ofstream(dir.file("settings/application.ini"), std::ios::binary)
        << "[BASIC]\r\nPageControl1->ActivePageIndex=504\r\n";
    Construct();
    form->ProgramPath = ZEPERON_PROGRAM;
    form->FormCreate(form.get());
    const CorrectionsPageControls& page = form->Corrections;
    EXPECT_EQ(form->ActivePageIndex, PAGE_SLOT_CORRECTIONS);
    EXPECT_EQ(page.CorrectionsHeaderTable->CurrentIndex, 4);
    EXPECT_FALSE(page.Table(15)->isHidden());
    EXPECT_FALSE(page.Table(16)->isHidden());
    EXPECT_TRUE(page.Table(7)->isHidden());
}

} // namespace
