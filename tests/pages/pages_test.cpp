// The page framework on a started main window: slots and sheets, the store
// guard, the changed-block choice and read, the copy of read blocks into the
// map tables, the lambda bar and the per-tick refresh.
#include "pagewindow.h"

#include "link/jobengine.h"
#include "pages/sensors.h"

#include <map>

namespace {

TEST_F(PageWindow, EverySlotHoldsTheSheetOfItsPageInTabOrder)
{
    const char* expected[PAGE_SLOT_COUNT] = { "TabSheet_Bike", "TabSheet_Synchro", "TabSheet_Advance",
        "TabSheet_Injection", "TabSheet_InjPosition", "TabSheet_Korekce", nullptr, "TabSheet_Cidla", "TabSheet_Servo",
        "TabSheet_Idle", "TabSheet_PowerOut", "TabSheet_Race", "TabSheet_Gear", "TabSheet_Gas", "TabSheet_Ladeni",
        nullptr, "TabSheet_Tracking", "TabSheet_Monitor", "TabSheet_OBD", "TabSheet_Test" };
    for (int slot = 0; slot < PAGE_SLOT_COUNT; ++slot) {
        TTabSheet* sheet = form->PageSheets[size_t(slot)];
        if (!expected[slot]) {
            EXPECT_EQ(sheet, nullptr) << slot;
            continue;
        }
        ASSERT_NE(sheet, nullptr) << slot;
        EXPECT_EQ(sheet->Name(), expected[slot]);
        EXPECT_EQ(sheet->PageIndex(), slot) << expected[slot];
    }
    EXPECT_EQ(form->PageControl1->Pages(20), form->TabMaintenance);
    // The Bike page builds the first map table (id 39), the Advance page the next (id 0).
    ASSERT_GE(form->Maps.MapTableCount, 2);
    EXPECT_EQ(form->Maps.MapTables[0], form->BikePage.LambdaOnRpmTable);
    EXPECT_EQ(form->BikePage.LambdaOnRpmTable->TableId, 39);
    EXPECT_EQ(form->Maps.MapTables[1], form->Maps.AdvanceTable);
    EXPECT_EQ(form->Maps.AdvanceTable->TableId, 0);
}

TEST_F(PageWindow, NothingIsStoredWhileControlsAreBeingLoadedNorFromASlotWithoutAStore)
{
    const RsImage before = form->PcImage;
    form->Advance.UpDownBaseAdvance->SetPosition(33);
    form->LoadingControls = 1;
    StoreActivePage(form.get());
    form->LoadingControls = 0;
    EXPECT_EQ(form->PcImage.b, before.b);

    form->ActivePageIndex = PAGE_SLOT_MONITOR;
    StoreActivePage(form.get());
    EXPECT_EQ(form->PcImage.b, before.b);
}

TEST(ChangedBlocks, TheAdvancePageReadsItsBlockFirstOthersTheLowest)
{
    struct Case {
        int page;
        uint32_t mask;
        int block;
    } cases[] = {
        { PAGE_SLOT_ADVANCE, 0x101, 9 }, { PAGE_SLOT_BIKE, 0x101, 1 }, { PAGE_SLOT_INJECTION, 0x101, 1 },
        { PAGE_SLOT_ADVANCE, 0x001, 1 }, // its own block is not flagged
        { PAGE_SLOT_ADVANCE, 0x8000, 16 }, { PAGE_SLOT_BIKE, 0x0C00, 11 }, { PAGE_SLOT_BIKE, 0, 0 },
        { PAGE_SLOT_BIKE, 0x10000, 0 }, // a block past the image
    };
    for (const Case& c : cases)
        EXPECT_EQ(ChooseChangedBlock(c.page, c.mask), c.block) << c.page << " " << c.mask;
}

TEST_F(PageWindow, AChangedBlockIsReadWithItsRangeAndNoneFallsBackToALiveRequest)
{
    form->Link->JobCode = JOB_IDLE; // as the link is when armed and idle
    form->ChangedBlocks = 0x0101;
    ReadNextChangedBlock(form.get());
    EXPECT_EQ(form->Link->JobCode.load(), JOB_READ);
    EXPECT_EQ(form->Sequencer.LinkRangeStart, 2400);
    EXPECT_EQ(form->Sequencer.LinkRangeEnd, 2700);
    EXPECT_EQ(form->Link->JobLength, 300);
    EXPECT_EQ(form->Link->ToSendMask[2400], 1);
    EXPECT_EQ(form->Link->ToSendMask[2699], 1);

    form->Link->JobCode = JOB_IDLE;
    form->ChangedBlocks = 0;
    form->LinkState = 3;
    ReadNextChangedBlock(form.get());
    EXPECT_EQ(form->LinkState, 2);
    EXPECT_EQ(form->Link->JobCode.load(), JOB_LIVE) << "the live request went out instead";
}

// The tables of pages still to come, made here with their sheets so the
// whole copy table can be checked.
class BlockCopy : public PageWindow {
protected:
    void SetUp() override
    {
        PageWindow::SetUp();
        MapTableSet& maps = form->Maps;
        auto make = [&](TTab*& field, int id, int sheets, int columns, int rows) {
            field = CreateMapTable(maps, id, 300, 200, TABSTYLE_TABLE, form->PageSheets[PAGE_SLOT_TEST]);
            for (int s = 0; s < sheets; ++s)
                field->AddSheet("", "X", "Y", "V", columns, rows, 0);
        };
        make(maps.TuningTable, 38, 1, 5, 5);
        for (int i = 0; i < RS_LEN_EXE; ++i)
            Byte(i) = uint8_t(i * 7 + 3);
    }
    std::map<std::string, TTab*> Tables() const
    {
        const MapTableSet& m = form->Maps;
        const SensorsPageControls& sensors = form->Sensors;
        return { { "advance", m.AdvanceTable }, { "injection", m.InjectionTable }, { "servo", m.ServoTable },
            { "positionA", m.InjectionPositionTableA }, { "positionB", m.InjectionPositionTableB },
            { "tuning", m.TuningTable }, { "temp", sensors.TempSensorTable }, { "lambda", sensors.LambdaSensorTable },
            { "tp", sensors.TpSensorTable }, { "ap", sensors.ApSensorTable }, { "iap", sensors.IapSensorTable } };
    }
    // The tables whose values changed by copying one block.
    std::vector<std::string> CopyBlock(int block)
    {
        for (auto& [name, table] : Tables())
            table->RedrawBits = 0;
        ImageRangeToMaps(form.get(), 300 * (block - 1), 300 * block);
        std::vector<std::string> changed;
        for (auto& [name, table] : Tables())
            if (table->RedrawBits & REDRAW_VALUES)
                changed.push_back(name);
        return changed;
    }
    int32_t Cell(TTab* table, int sheet, int column, int row) const
    {
        return table->Sheets[sheet].V.Values[row * TAB_MAX_COLS + column];
    }
};

using Names = std::vector<std::string>;

TEST_F(BlockCopy, EachBlockReachesExactlyTheTablesThatShowIt)
{
    const struct {
        int block;
        Names tables;
    } cases[] = {
        { 1, { "injection" } }, { 6, { "injection" } }, // words 800..899: sheet 6
        { 7, { "ap", "iap", "temp" } }, // words 1001..1008 and 1022..1039: the sensor calibrations
        { 10, { "lambda", "tp", "tuning" } }, // the lambda ratios, the TP points
        { 8, {} }, // the lambda voltages came with the ratios: a sensor table takes all it shows
        { 9, { "advance" } }, { 11, { "positionA", "positionB" } },
        { 12, { "injection", "servo" } }, // injection sheet 5, the head of servo sheet 1
        { 13, { "servo" } }, { 14, {} }, { 16, { "injection" } }, // the tail of sheet 7
    };
    for (const auto& c : cases)
        EXPECT_EQ(CopyBlock(c.block), c.tables) << "block " << c.block;
    // Copied again, nothing differs and nothing is marked.
    EXPECT_EQ(CopyBlock(9), Names {});
}

TEST_F(BlockCopy, CellsTakeTheirImageEncoding)
{
    MapTableSet& m = form->Maps;
    CopyBlock(13);
    EXPECT_EQ(Cell(m.ServoTable, 0, 4, 2), Byte(3728 + 2 * 15 + 4));
    EXPECT_EQ(Cell(m.ServoTable, 1, 14, 9), Byte(3578 + 9 * 15 + 14)) << "block 13 reaches sheet 1's tail";
    CopyBlock(2);
    EXPECT_EQ(Cell(m.InjectionTable, 1, 3, 1), form->PcImage.Word(200 + 20 + 3) * 10);
    EXPECT_EQ(Cell(m.InjectionTable, 0, 19, 9), form->PcImage.Word(199) * 10) << "block 2 holds the end of sheet 0";
    CopyBlock(9);
    EXPECT_EQ(Cell(m.AdvanceTable, 0, 14, 9), Byte(2549));
}

TEST(LambdaBar, ThreeLabelsSplitTheGaugeByTheLimits)
{
    LambdaBarLayout bar {};
    ASSERT_TRUE(LayOutLambdaBar(10, 20, 30, 40, 13, 214, bar));
    EXPECT_EQ(bar.blueLeft, 13);
    EXPECT_EQ(bar.blueWidth, 71);
    EXPECT_EQ(bar.greenLeft, 84);
    EXPECT_EQ(bar.greenWidth, 71);
    EXPECT_EQ(bar.redLeft, 155);
    EXPECT_EQ(bar.redLeft + bar.redWidth, 227);
    EXPECT_FALSE(LayOutLambdaBar(40, 20, 30, 40, 13, 214, bar)) << "an empty range divides nothing";
}

TEST_F(PageWindow, TheLambdaBarFollowsTheImageAndProgrammingAfterChangeShowsRed)
{
    const MonitorPanelControls& panel = form->Monitor.Panel;
    panel.CGaugeLambda[0]->SetBounds(13, 100, 214, 10);
    TLabel* labels[3] = { panel.LabelLambdaBlue, panel.LabelLambdaGreen, panel.LabelLambdaRed };
    const uint8_t limits[] = { 10, 20, 30, 40 };
    for (int i = 0; i < 4; ++i)
        Byte(2950 + i) = limits[i];
    form->CheckBoxProgHned->SetChecked(true);
    LoadPages(form.get(), 0);
    EXPECT_EQ(labels[1]->Left(), 84);
    EXPECT_EQ(labels[2]->Left() + labels[2]->Width(), 227);
    EXPECT_EQ(form->CheckBoxProgHned->Color(), TColor(0x0000FF));

    Byte(2953) = 10; // empty range: the labels stay
    form->CheckBoxProgHned->SetChecked(false);
    LoadPages(form.get(), 0);
    EXPECT_EQ(labels[1]->Left(), 84);
    EXPECT_EQ(form->CheckBoxProgHned->Color(), clBtnFace);
}

TEST_F(PageWindow, TheExternalMonitorBoxTakesThePlaceOfTheDataErrorLabel)
{
    form->CheckBoxExtMonitor = new TCheckBox(form.get());
    for (bool error : { true, false, true }) {
        form->LabelEeDataErr->SetVisible(error);
        Tick();
        EXPECT_EQ(form->CheckBoxExtMonitor->Visible(), !error);
    }
}

} // namespace
