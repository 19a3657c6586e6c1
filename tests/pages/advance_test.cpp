// The Advance page on a started main window: its layout, the load and store
// of its cells, the load-signal switch over two commits, the per-tick colour,
// and edits of the map, the base advance and a cylinder correction reaching
// the image, the undo ring and default.ini.
#include "pagewindow.h"

#include "pages/advance.h"

#include <QTest>

namespace {

using namespace advance_cells;

class AdvancePage : public PageWindow {
protected:
    AdvancePageControls& P() { return form->Advance; }
    TTab* Table() { return form->Maps.AdvanceTable; }
    CSheet& Sheet() { return Table()->Sheets[0]; }
    int32_t& Cell(int column, int row) { return Sheet().V.Values[row * TAB_MAX_COLS + column]; }
    void Commit() { StoreAndReloadPage(form.get()); }
    // Types a number into a cell of the map, as the user does.
    void TypeIntoCell(int column, int row, int value)
    {
        Table()->Sheet->Sel.SelectItem(Table()->TableHitMap, column, row);
        for (char digit : std::to_string(value))
            Table()->HandleKey(0, digit);
        Table()->HandleKey(KEY_ENTER, 0);
    }
};

TEST_F(AdvancePage, TheStripSitsUnderTheMapWithoutOverlaps)
{
    TTabSheet* sheet = form->PageSheets[PAGE_SLOT_ADVANCE];
    const int stripTop = sheet->ClientHeight() - 30;
    EXPECT_EQ(Table()->height(), stripTop);
    EXPECT_EQ(Table()->width(), sheet->ClientWidth());
    EXPECT_EQ(P().RadioGroupAdvanceLoad->Left(), sheet->ClientWidth() - 110);
    EXPECT_EQ(P().RadioGroupAdvanceLoad->Top(), stripTop - 15);
    // The cylinder pairs stand 50 pixels apart.
    EXPECT_EQ(P().EditCylinderCorrection2->Left() - P().EditCylinderCorrection1->Left(), 50);
    EXPECT_EQ(P().EditCylinderCorrection4->Left() - P().EditCylinderCorrection3->Left(), 50);

    // Left to right, every control ends before the next begins, and all fit the sheet.
    const std::vector<TControl*> strip = { P().EditBaseAdvance, P().UpDownBaseAdvance, P().LabelBaseAdvance,
        P().EditCylinderCorrection1, P().UpDownCylinderCorrection4, P().LabelCylinderCorrection,
        P().EditPickupCorrection, P().UpDownPickupCorrection, P().LabelPickupCorrection, P().RadioGroupAdvanceLoad };
    for (size_t i = 1; i < strip.size(); ++i)
        EXPECT_LE(strip[i - 1]->Left() + strip[i - 1]->Width(), strip[i]->Left()) << i;
    EXPECT_LE(strip.back()->Left() + strip.back()->Width(), sheet->ClientWidth());
    for (TControl* c : strip)
        EXPECT_LE(c->Top() + c->Height(), sheet->ClientHeight()) << c->ClassName();
}

TEST_F(AdvancePage, TheLoadReadsTheCellsAndTheRpmCount)
{
    struct Case {
        int storedCount;
        int shownCount;
    } cases[] = { { 0, 15 }, { 16, 15 }, { 12, 12 }, { 1, 1 } };
    for (const Case& c : cases) {
        Byte(RPM_COUNT) = uint8_t(c.storedCount);
        Byte(MAP + 15 * 3 + 7) = 37;
        Byte(RPM_BREAKPOINTS) = 11;
        Byte(CYLINDER_CORRECTION + 1) = 85;
        LoadPages(form.get(), 0);
        EXPECT_EQ(Sheet().X.Count, c.shownCount) << c.storedCount;
        EXPECT_EQ(P().AdvanceRpmCount, c.shownCount);
        EXPECT_EQ(Cell(7, 3), 37);
        EXPECT_EQ(Sheet().X.Values[0], 11);
        EXPECT_EQ(P().UpDownCylinderCorrection2->Position(), -15);
        EXPECT_EQ(P().EditCylinderCorrection2->Text(), "-15");
    }
}

TEST_F(AdvancePage, TheStoreFillsTheUnusedColumnsAndEncodesTheCorrections)
{
    Byte(RPM_COUNT) = 12;
    LoadPages(form.get(), 0);
    for (int r = 0; r < 10; ++r)
        Cell(11, r) = 20 + r;
    Sheet().X.Values[13] = 222;
    P().UpDownCylinderCorrection1->SetPosition(-15);
    P().UpDownCylinderCorrection2->SetPosition(15);
    StoreActivePage(form.get());
    for (int r = 0; r < 10; ++r)
        for (int c = 11; c < 15; ++c)
            EXPECT_EQ(Byte(MAP + 15 * r + c), 20 + r) << r << "," << c;
    EXPECT_EQ(Byte(RPM_BREAKPOINTS + 13), 222) << "all fifteen breakpoints are written";
    EXPECT_EQ(Byte(RPM_COUNT), 12);
    EXPECT_EQ(Byte(CYLINDER_CORRECTION), 85);
    EXPECT_EQ(Byte(CYLINDER_CORRECTION + 1), 115);
}

TEST_F(AdvancePage, OnlyTheCylindersInUseShowACorrection)
{
    for (int cylinders : { 1, 2, 4 }) {
        Byte(CYLINDERS) = uint8_t(cylinders);
        LoadPages(form.get(), 0);
        TEdit* edits[] = { P().EditCylinderCorrection1, P().EditCylinderCorrection2, P().EditCylinderCorrection3,
            P().EditCylinderCorrection4 };
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(edits[i]->Visible(), i < cylinders) << cylinders << " cylinders, pair " << i + 1;
        EXPECT_TRUE(P().LabelCylinderCorrection->Visible());
    }
}

TEST_F(AdvancePage, CollapsingTheLoadAxisStoresOneRowOverRpm)
{
    Sheet().Y.Collapsed = 1;
    Commit();
    EXPECT_EQ(Byte(LOAD_AXIS_USED), 0);
    EXPECT_EQ(Sheet().Y.Collapsed, 1) << "the reload shows it collapsed";
    Sheet().Y.Collapsed = 0;
    Commit();
    EXPECT_EQ(Byte(LOAD_AXIS_USED), 1);
}

TEST_F(AdvancePage, SwitchingToIapShowsTheStoredBreakpointsAndBackWritesThem)
{
    Byte(LOAD_SIGNAL) = 0;
    for (int r = 0; r < 10; ++r)
        form->PcImage.SetWord(IAP_BREAKPOINTS_WORD + r, uint16_t(20 + 10 * r));
    LoadPages(form.get(), 0);
    EXPECT_EQ(Sheet().Y.Values[3], 10);
    EXPECT_EQ(Sheet().Y.Editable, 0);

    P().RadioGroupAdvanceLoad->SetItemIndex(1); // commits at once
    EXPECT_EQ(Byte(LOAD_SIGNAL), 1);
    EXPECT_EQ(form->PcImage.Word(IAP_BREAKPOINTS_WORD + 3), 50) << "the TP list did not overwrite them";
    EXPECT_EQ(Sheet().Y.Values[3], 50);
    EXPECT_EQ(Sheet().Y.Editable, 1);
    EXPECT_STREQ(Sheet().Y.Key, "IAP");
    EXPECT_STREQ(Sheet().Y.Unit, "kPa");
    EXPECT_EQ(Sheet().Y.Max, 999);

    Sheet().Y.Values[3] = 55;
    P().RadioGroupAdvanceLoad->SetItemIndex(0);
    EXPECT_EQ(Byte(LOAD_SIGNAL), 0);
    EXPECT_EQ(form->PcImage.Word(IAP_BREAKPOINTS_WORD + 3), 55);
    EXPECT_EQ(Sheet().Y.Values[3], 10);
    EXPECT_STREQ(Sheet().Y.Key, "TP");
}

TEST_F(AdvancePage, ARetardTypedAsBaseAdvanceStoresNoAdvance)
{
    P().EditBaseAdvance->SetText("-5");
    Commit();
    EXPECT_EQ(Byte(BASE_ADVANCE), 0);
    EXPECT_EQ(P().EditBaseAdvance->Text(), "0");
}

TEST_F(AdvancePage, TheBaseAdvanceLabelIsGreenWhileTheEngineRunsBelowTheMap)
{
    Byte(RPM_BREAKPOINTS) = 20;
    LoadPages(form.get(), 0);
    const struct {
        int rpm;
        TColor colour;
    } cases[] = { { 1500, clLime }, { 2000, clBtnFace }, { 1999, clLime }, { 6000, clBtnFace } };
    for (const auto& c : cases) {
        form->LiveValues.Rpm = c.rpm;
        Tick();
        EXPECT_EQ(P().LabelBaseAdvance->Color(), c.colour) << c.rpm;
    }
    form->LiveValues.Rpm = 0;
    Tick();
    form->ShowPage(PAGE_SLOT_BIKE);
    form->LiveValues.Rpm = 6000;
    Tick();
    EXPECT_EQ(P().LabelBaseAdvance->Color(), clLime) << "no refresh while another page is shown";
}

// The three edits of the page each end as one undo step, a saved default.ini
// and, with "Programming after change", changed bytes for the unit.
TEST_F(AdvancePage, EditsReachTheImageTheUndoRingTheSettingsAndTheChangeMarks)
{
    // A bike with limiters set (the map tables hold them from here on).
    Byte(CYLINDERS) = 4;
    Byte(IMAGE_LIMITER) = 110;
    Byte(IMAGE_START_LIMITER) = 40;
    Commit();
    form->CheckBoxProgHned->SetChecked(true);
    const uint8_t correctionBefore = Byte(CYLINDER_CORRECTION + 1);
    struct Edit {
        const char* what;
        int offset;
        int expected;
        std::function<void()> make;
    };
    const Edit edits[] = {
        { "map cell", MAP + 15 * 2 + 5, Byte(MAP + 15 * 2 + 5) == 33 ? 34 : 33,
            [&] { TypeIntoCell(5, 2, Byte(MAP + 15 * 2 + 5) == 33 ? 34 : 33); } },
        { "base advance", BASE_ADVANCE, Byte(BASE_ADVANCE) == 12 ? 13 : 12,
            [&] {
                P().UpDownBaseAdvance->SetPosition(Byte(BASE_ADVANCE) == 12 ? 13 : 12);
                P().UpDownBaseAdvance->Click(btNext);
                P().UpDownBaseAdvance->Click(btPrev);
                Tick(EDIT_DEBOUNCE_TICKS + 1);
            } },
        { "cylinder correction", CYLINDER_CORRECTION + 1, correctionBefore == 103 ? 104 : 103,
            [&] {
                P().EditCylinderCorrection2->SetText(correctionBefore == 103 ? "4" : "3");
                char16_t enter = u'\r';
                form->FormKeyPressW(P().EditCylinderCorrection2, enter);
            } },
    };
    for (const Edit& e : edits) {
        SCOPED_TRACE(e.what);
        form->LinkRequest = REQ_NONE;
        form->Images.ChangeMarks.fill(0);
        const int undoBefore = form->Undo->UndoCurrent();
        const std::string iniBefore = DefaultIni();
        e.make();
        EXPECT_EQ(Byte(e.offset), e.expected);
        EXPECT_NE(form->Undo->UndoCurrent(), undoBefore);
        EXPECT_NE(DefaultIni(), iniBefore);
        EXPECT_EQ(form->Images.ChangeMarks[size_t(e.offset)], 1);
        EXPECT_EQ(std::count(form->Images.ChangeMarks.begin(), form->Images.ChangeMarks.end(), 1), 1);
        EXPECT_EQ(form->LinkRequest, REQ_PROGRAM_CHANGED);
    }
    // Undo takes the last edit back.
    form->Undo->Undo();
    EXPECT_EQ(Byte(CYLINDER_CORRECTION + 1), correctionBefore);
    EXPECT_EQ(P().UpDownCylinderCorrection2->Position(), correctionBefore - 100);
}

} // namespace
