// The Injection page on a started main window: its strip by sheet, the image
// encoding of its maps and fields, the tails of the maps, the fold of the
// compensation maps, the tabs and captions by outputs and coupling, and the
// coupling of the four injector maps.
#include "pagewindow.h"

#include "app/language.h"
#include "pages/injection.h"

#include <set>

namespace {

using namespace injection_cells;

class InjectionPage : public PageWindow {
protected:
    void SetUp() override
    {
        PageWindow::SetUp();
        Byte(CYLINDERS) = 4;
        Byte(COUPLING) = COUPLING_NORMAL;
        Byte(CORRECT_RESULT) = 0;
        form->ShowPage(PAGE_SLOT_INJECTION);
    }
    InjectionPageControls& P() { return form->Injection; }
    TTab* Table() { return form->Maps.InjectionTable; }
    CSheet& Sheet(int k) { return Table()->Sheets[k]; }
    int32_t& Cell(int k, int column, int row) { return Sheet(k).V.Values[row * TAB_MAX_COLS + column]; }
    uint16_t MapWord(int map, int column, int row) const { return form->PcImage.Word(map * 200 + 20 * row + column); }
    void SetMapWord(int map, int column, int row, int value)
    {
        form->PcImage.SetWord(map * 200 + 20 * row + column, uint16_t(value));
    }
    void Commit() { StoreAndReloadPage(form.get()); }
    void Show(int sheet)
    {
        Table()->SelectSheet(sheet);
        LoadPages(form.get(), 0);
    }
    // Types a text into a cell of the shown sheet, as the user does.
    void TypeIntoCell(int column, int row, const std::string& text)
    {
        Table()->Sheet->Sel.SelectItem(Table()->TableHitMap, column, row);
        for (char c : text)
            Table()->HandleKey(0, c);
        Table()->HandleKey(KEY_ENTER, 0);
    }
    // Every injector map with all 20 rpm points, its cells filled with one value.
    void FillMaps(int value)
    {
        for (int k = 0; k < 4; ++k) {
            Byte(RPM_COUNTS + k) = 20;
            for (int c = 0; c < 20; ++c) {
                Byte(INJECTOR_RPM + 20 * k + c) = uint8_t(10 + 5 * c);
                for (int r = 0; r < 10; ++r)
                    SetMapWord(k, c, r, value);
            }
        }
    }
    std::set<std::string> VisibleStrip()
    {
        std::set<std::string> names;
        for (TControl* c :
            { static_cast<TControl*>(P().ImageInjectionCoupling), static_cast<TControl*>(P().RadioButtonBSplits),
                static_cast<TControl*>(P().LabelIapToTp), static_cast<TControl*>(P().EditIapBlend4),
                static_cast<TControl*>(P().EditInjCylCorrection1), static_cast<TControl*>(P().EditInjCylCorrection3),
                static_cast<TControl*>(P().LabelInjCylCorrection), static_cast<TControl*>(P().ButtonMoveCorrections),
                static_cast<TControl*>(P().EditCompensationLimit), static_cast<TControl*>(P().CheckBoxCorrectResult) })
            if (c->Visible())
                names.insert(c->Name());
        return names;
    }
};

using Names = std::set<std::string>;

TEST_F(InjectionPage, TheStripSitsUnderTheMapAndEachGroupFitsBesideTheOthers)
{
    TTabSheet* sheet = form->PageSheets[PAGE_SLOT_INJECTION];
    EXPECT_EQ(Table()->y(), 4);
    EXPECT_EQ(Table()->height(), sheet->ClientHeight() - 30);
    EXPECT_EQ(P().ImageInjectionCoupling->Top(), sheet->ClientHeight() - 26);
    EXPECT_EQ(P().EditInjCylCorrection2->Left() - P().EditInjCylCorrection1->Left(), 60);
    // Left to right within each group that shows at one time, nothing overlaps and all fit.
    const std::vector<std::vector<TControl*>> groups = {
        { P().ImageInjectionCoupling, P().RadioButtonBSplits, P().RadioButtonBAdds },
        { P().ImageInjectionCoupling, P().LabelIapToTp, P().EditIapBlend1, P().UpDownIapBlend1, P().LabelIapBlend1,
            P().EditIapBlend2, P().LabelIapBlend2, P().EditIapBlend3, P().LabelIapBlend3, P().EditIapBlend4,
            P().UpDownIapBlend4, P().LabelIapBlend4 },
        { P().ImageInjectionCoupling, P().LabelIapToTp, P().ButtonMoveCorrections, P().EditCompensationLimit,
            P().UpDownCompensationLimit, P().LabelCompensationLimit, P().CheckBoxCorrectResult },
        { P().ImageInjectionCoupling, P().EditInjCylCorrection1, P().EditInjCylCorrection4, P().UpDownInjCylCorrection4,
            P().LabelInjCylCorrection },
    };
    for (const auto& group : groups) {
        for (size_t i = 1; i < group.size(); ++i)
            EXPECT_LE(group[i - 1]->Left() + group[i - 1]->Width(), group[i]->Left()) << group[i]->Name();
        EXPECT_LE(group.back()->Left() + group.back()->Width(), sheet->ClientWidth()) << group.back()->Name();
    }
}

TEST_F(InjectionPage, TheStripFollowsTheShownSheet)
{
    struct Case {
        int sheet;
        int correctResult;
        int cylinders;
        Names shown;
        int buttonSlot;
    } cases[] = {
        { 0, 0, 4, { "LabelIapToTp", "EditIapBlend4" }, 198 },
        { 3, 1, 4, { "LabelIapToTp", "EditIapBlend4" }, 199 },
        { 4, 0, 4, { "ButtonMoveCorrections", "EditCompensationLimit" }, 198 },
        { 4, 1, 4, { "ButtonMoveCorrections", "EditCompensationLimit" }, 199 },
        { 5, 0, 4, { "RadioButtonBSplits" }, 198 },
        { 6, 0, 4, { "EditInjCylCorrection1", "EditInjCylCorrection3", "LabelInjCylCorrection" }, 198 },
        { 6, 0, 2, { "EditInjCylCorrection1", "LabelInjCylCorrection" }, 198 },
        { 7, 0, 4, { "ButtonMoveCorrections", "EditCompensationLimit", "CheckBoxCorrectResult" }, 198 },
        { 7, 1, 4, { "EditCompensationLimit", "CheckBoxCorrectResult" }, 198 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("sheet " + std::to_string(c.sheet) + ", 4687 = " + std::to_string(c.correctResult));
        Byte(CORRECT_RESULT) = uint8_t(c.correctResult);
        Byte(CYLINDERS) = uint8_t(c.cylinders);
        Show(c.sheet);
        EXPECT_EQ(VisibleStrip(), c.shown);
        EXPECT_EQ(P().ButtonMoveCorrections->Caption(), form->MessageTable[size_t(c.buttonSlot)]);
    }
    // The correction label stands 15 pixels right of the last pair shown.
    EXPECT_EQ(P().LabelInjCylCorrection->Left(), P().UpDownInjCylCorrection2->Left() + 16 + 15);
}

TEST_F(InjectionPage, TheMapsAndFieldsTakeTheirImageEncoding)
{
    SetMapWord(0, 3, 2, 2000);
    Byte(B_SHARE + 20 * 4 + 5) = 77;
    form->PcImage.SetWord(IAP_BREAKPOINTS_WORD + 1, uint16_t(-20));
    Byte(IAP_BLEND + 2) = 30;
    LoadPages(form.get(), 0);
    EXPECT_EQ(Cell(0, 3, 2), 20000) << "2000 µs shows as 2.0000 ms";
    EXPECT_EQ(Cell(5, 5, 4), 77);
    EXPECT_EQ(Sheet(6).Y.Values[1], -20) << "the IAP breakpoints are signed";
    EXPECT_EQ(Sheet(0).Y.Values[9], 100) << "the fixed TP list";
    EXPECT_EQ(P().UpDownIapBlend3->Position(), 3000);

    TypeIntoCell(4, 1, "1.2345");
    EXPECT_EQ(MapWord(0, 4, 1), 1234) << "a time typed in ms keeps whole µs";

    // Fields: typed text -> the byte stored.
    struct Field {
        TEdit* edit;
        const char* typed;
        int offset;
        int stored;
    } fields[] = {
        { P().EditIapBlend1, "55", IAP_BLEND, 55 },
        { P().EditIapBlend4, "6500", IAP_BLEND + 3, 65 },
        { P().EditInjCylCorrection2, "120", CYLINDER_CORRECTION + 1, 120 },
        { P().EditInjCylCorrection3, "300", CYLINDER_CORRECTION + 2, 255 }, // one byte: held, not wrapped to 44
        { P().EditCompensationLimit, "40", COMPENSATION_LIMIT, 40 },
    };
    for (const Field& f : fields) {
        f.edit->SetText(f.typed);
        Commit();
        EXPECT_EQ(Byte(f.offset), f.stored) << f.typed;
    }
}

TEST_F(InjectionPage, TheTailOfEveryMapRepeatsItsLastUsedColumn)
{
    struct Case {
        int count;
        int shown;
        int firstFilled;
    } cases[] = {
        { 12, 12, 12 },
        { 0, 15, 20 }, // before the first consistency pass: nothing filled, never column -1
        { 25, 20, 20 },
        { 1, 1, 1 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("count " + std::to_string(c.count));
        FillMaps(1000);
        Byte(RPM_COUNTS) = uint8_t(c.count);
        for (int r = 0; r < 10; ++r)
            for (int col = 0; col < 20; ++col)
                SetMapWord(0, col, r, 100 * r + col);
        Byte(INJECTOR_RPM + 19) = 250;
        LoadPages(form.get(), 0);
        EXPECT_EQ(Sheet(0).X.Count, c.shown);
        const int last = c.firstFilled - 1;
        for (int col = c.firstFilled; col < 20; ++col) {
            EXPECT_EQ(Byte(INJECTOR_RPM + col), uint8_t(10 + 5 * last + (col - last))) << col;
            for (int r = 0; r < 10; ++r)
                EXPECT_EQ(MapWord(0, col, r), 100 * r + last) << r << "," << col;
        }
        if (c.firstFilled == 20) {
            EXPECT_EQ(Byte(INJECTOR_RPM + 19), 250);
        }
    }
}

TEST_F(InjectionPage, TheMoveFoldsTheCompensationIntoTheMaps)
{
    struct Case {
        int correctResult;
        int tpPercent, word;
        int iapPercent, iapWord;
        int wordAfter, iapWordAfter, iapPercentAfter;
    } cases[] = {
        { 0, 110, 1000, 90, 500, 1100, 450, 100 }, { 0, 95, 1001, 100, 500, 950, 500, 100 },
        { 0, 150, 60000, 100, 500, 65535, 500, 100 }, // held at the longest time, not wrapped to 24464
        { 1, 110, 1000, 90, 500, 1100, 500, 90 }, // the IAP compensation corrects the result: left alone
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.word);
        Byte(CORRECT_RESULT) = uint8_t(c.correctResult);
        Byte(COMPENSATION_LIMIT) = 100;
        FillMaps(c.word);
        std::fill_n(&form->PcImage.b[TP_COMPENSATION], 200, uint8_t(c.tpPercent));
        std::fill_n(&form->PcImage.b[IAP_COMPENSATION], 200, uint8_t(c.iapPercent));
        for (int i = 0; i < 200; ++i)
            form->PcImage.SetWord(IAP_MAP_WORDS + i, uint16_t(c.iapWord));
        LoadPages(form.get(), 0);
        Show(4);
        P().ButtonMoveCorrections->Click();
        EXPECT_EQ(MapWord(0, 0, 0), c.wordAfter);
        EXPECT_EQ(MapWord(3, 19, 9), c.wordAfter);
        EXPECT_EQ(Byte(TP_COMPENSATION + 77), 100);
        EXPECT_EQ(form->PcImage.Word(IAP_MAP_WORDS + 150), c.iapWordAfter);
        EXPECT_EQ(Byte(IAP_COMPENSATION + 150), c.iapPercentAfter);
        EXPECT_EQ(Cell(4, 7, 3), 100) << "the page shows the folded maps";
    }
}

TEST_F(InjectionPage, TabsAndCaptionsFollowOutputsAndCoupling)
{
    struct Case {
        int outputs, mode;
        int tabs;
        const char* caption;
        bool picture;
        const char* checked;
    } cases[] = {
        { 2, COUPLING_NORMAL, 2, "Inj. 1", false, "Menu_Jet123Normal" },
        { 2, COUPLING_ALL_EQUAL, 1, "Injection TP united", true, "Menu_Jet123Stejny" },
        { 4, COUPLING_COUPLED, 4, "Inj. 1", true, "Menu_Jet123Coupled" },
        { 1, COUPLING_COUPLED, 1, "Injection TP", false, "Menu_Jet123Coupled" },
        { 0, COUPLING_NORMAL, 1, "Injection TP", false, "Menu_Jet123Normal" }, // read as one output
        { 9, COUPLING_NORMAL, 4, "Inj. 1", false, "Menu_Jet123Normal" }, // read as four
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.outputs) + " outputs, mode " + std::to_string(c.mode));
        Byte(CYLINDERS) = uint8_t(c.outputs);
        Byte(COUPLING) = uint8_t(c.mode);
        Show(3);
        for (int k = 0; k < 4; ++k)
            EXPECT_EQ(Sheet(k).Hidden, k >= c.tabs ? 1 : 0) << k;
        for (int k = 4; k < 8; ++k)
            EXPECT_EQ(Sheet(k).Hidden, 0);
        EXPECT_EQ(Table()->CurrentIndex, c.tabs == 4 ? 3 : 0) << "a hidden sheet gives way to sheet 0";
        EXPECT_STREQ(Sheet(0).Caption, c.caption);
        EXPECT_EQ(P().ImageInjectionCoupling->Visible(), c.picture);
        for (const char* item : { "Menu_Jet123Normal", "Menu_Jet123Coupled", "Menu_Jet123Stejny" })
            EXPECT_EQ(dynamic_cast<TMenuItem*>(form->FindComponent(item))->Checked(), item == std::string(c.checked));
    }
}

TEST_F(InjectionPage, TheCouplingPictureIsYellowWhenCoupledAndAquaWhenEqual)
{
    for (auto [mode, colour] : { std::pair { COUPLING_COUPLED, clYellow }, std::pair { COUPLING_ALL_EQUAL, clAqua } }) {
        Byte(COUPLING) = uint8_t(mode);
        LoadPages(form.get(), 0);
        EXPECT_EQ(P().ImageInjectionCoupling->Canvas()->Pixel(3, 12), colour) << mode;
    }
}

TEST_F(InjectionPage, TheCompensationLimitBoundsTheCompensationMaps)
{
    for (auto [limit, low, high] : { std::tuple { 150, 0, 250 }, std::tuple { 30, 70, 130 } }) {
        Byte(COMPENSATION_LIMIT) = uint8_t(limit);
        Show(7);
        for (int s : { 4, 7 }) {
            EXPECT_EQ(Sheet(s).V.Min, low) << limit;
            EXPECT_EQ(Sheet(s).V.Max, high) << limit;
        }
    }
}

TEST_F(InjectionPage, TheBButtonsStoreHowTheBInjectorsAreUsed)
{
    Show(5);
    P().RadioButtonBAdds->SetChecked(true); // commits at once
    EXPECT_EQ(Byte(B_USE), 1);
    EXPECT_TRUE(P().RadioButtonBAdds->Checked());
    P().RadioButtonBSplits->SetChecked(true);
    EXPECT_EQ(Byte(B_USE), 0);
}

TEST_F(InjectionPage, TheFirstTickGivesTheSheetsTheirPictures)
{
    EXPECT_EQ(Sheet(0).V.Background, nullptr) << "no picture decoded before the timer ticked";
    Tick();
    EXPECT_NE(Sheet(0).V.Background, nullptr);
    EXPECT_NE(Sheet(4).V.Background, Sheet(0).V.Background);
    EXPECT_EQ(Sheet(5).Y.Colour, TColor(0xFFEEEE));
    EXPECT_EQ(Sheet(0).X.Background, nullptr);
}

TEST_F(InjectionPage, TheTextsFollowTheLanguage)
{
    const struct {
        int language;
        const char* sheet;
        const char* adds;
        const char* cylinders;
    } cases[] = {
        { 0, "Injection", "B adds", "Correction for cylinder 1,2" },
        { 1, "Einspritzung", "B addiert", "Korrektion für Zylinder 1,2" },
    };
    Byte(CYLINDERS) = 2;
    for (const auto& c : cases) {
        LangIndex = c.language;
        ApplyLanguage(form.get());
        EXPECT_EQ(form->PageSheets[PAGE_SLOT_INJECTION]->Caption(), c.sheet);
        EXPECT_EQ(P().RadioButtonBAdds->Caption(), c.adds);
        EXPECT_EQ(P().LabelInjCylCorrection->Caption(), c.cylinders);
    }
}

// --- Coupling ------------------------------------------------------------

class CoupledMaps : public InjectionPage {
protected:
    void SetUp() override
    {
        InjectionPage::SetUp();
        FillMaps(100);
        Byte(COUPLING) = COUPLING_COUPLED;
        LoadPages(form.get(), 0);
    }
};

TEST_F(CoupledMaps, AnEditOfMapOneCarriesOverIntoTheOthers)
{
    // Map 1 from 1000 (0.1 ms); map 2 holding 1000, 1200 or 900.
    struct Case {
        const char* typed;
        int follower;
        int expected;
    } cases[] = {
        { "0.11", 100, 110 }, // +10 %: a follower at the old value takes the new one
        { "0.11", 120, 133 }, // +10 % in ten logarithmic steps of its own value
        { "0.1037", 120, 124 }, // +3.7 %: in proportion, (1200 x 103.7 + 50) / 100 = 1244
        { "0.09", 120, 109 }, // -10 % in ten steps down
        { "0.0963", 120, 115 }, // -3.7 %: (1200 x 96.3 - 50) / 100 = 1155
        { "0.09", 90, 81 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.typed) + " against " + std::to_string(c.follower));
        FillMaps(100);
        SetMapWord(1, 6, 2, c.follower);
        LoadPages(form.get(), 0);
        Table()->SelectSheet(0);
        TypeIntoCell(6, 2, c.typed);
        EXPECT_EQ(MapWord(1, 6, 2), c.expected);
        EXPECT_EQ(MapWord(3, 6, 2), MapWord(0, 6, 2)) << "map 4 held the old value";
        EXPECT_EQ(MapWord(1, 7, 2), 100) << "other cells stay";
    }
}

TEST_F(CoupledMaps, AnEmptyCellOfMapOneFilledReachesOnlyEmptyFollowers)
{
    SetMapWord(0, 2, 5, 0);
    SetMapWord(1, 2, 5, 0);
    SetMapWord(2, 2, 5, 70);
    LoadPages(form.get(), 0);
    TypeIntoCell(2, 5, "0.05");
    EXPECT_EQ(MapWord(0, 2, 5), 50);
    EXPECT_EQ(MapWord(1, 2, 5), 50);
    EXPECT_EQ(MapWord(2, 2, 5), 70);
}

TEST_F(CoupledMaps, AnRpmPointInsertedReachesEveryMapAndSkipsTheCarryOver)
{
    SetMapWord(1, 4, 0, 150);
    Byte(RPM_COUNTS) = Byte(RPM_COUNTS + 1) = Byte(RPM_COUNTS + 2) = Byte(RPM_COUNTS + 3) = 12;
    LoadPages(form.get(), 0);
    Table()->SelectSheet(0);
    Table()->InsertAt(1, 3);
    Table()->FlushChangeGroup();
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(Byte(RPM_COUNTS + k), 13) << k;
        EXPECT_EQ(Byte(INJECTOR_RPM + 20 * k + 3), Byte(INJECTOR_RPM + 3)) << k;
    }
    EXPECT_EQ(MapWord(1, 5, 0), 150) << "map 2's cell moved with the point and kept its value";
}

TEST_F(CoupledMaps, SheetsTwoToFourCannotBeEdited)
{
    Show(1);
    ASSERT_EQ(Table()->CurrentIndex, 1);
    TypeIntoCell(3, 3, "0.5");
    Table()->InsertAt(1, 2);
    Table()->FlushChangeGroup();
    Commit();
    EXPECT_EQ(MapWord(1, 3, 3), 100);
    EXPECT_EQ(Byte(RPM_COUNTS + 1), 20);
    EXPECT_EQ(Sheet(1).X.Editable, 0);
    EXPECT_EQ(Sheet(0).V.Editable, 1);
}

TEST_F(CoupledMaps, CouplingResamplesOntoMapOneAndClampsToTheEdges)
{
    Byte(COUPLING) = COUPLING_NORMAL;
    // Map 1 from 1000 to 6000 rpm in 20 points, map 2 over 2000..4000 rpm only:
    // 100 µs up to 2000 rpm rising to 300 µs at 4000.
    Byte(RPM_COUNTS + 1) = 3;
    const uint8_t points[] = { 20, 30, 40 };
    const int words[] = { 100, 200, 300 };
    for (int c = 0; c < 3; ++c) {
        Byte(INJECTOR_RPM + 20 + c) = points[c];
        for (int r = 0; r < 10; ++r)
            SetMapWord(1, c, r, words[c]);
    }
    LoadPages(form.get(), 0);
    form->Menu_Jet123CoupledClick(nullptr);
    EXPECT_EQ(Byte(COUPLING), COUPLING_COUPLED);
    EXPECT_EQ(Byte(RPM_COUNTS + 1), 20);
    for (int c = 0; c < 20; ++c)
        EXPECT_EQ(Byte(INJECTOR_RPM + 20 + c), Byte(INJECTOR_RPM + c)) << c;
    // Map 1's points are 10 + 5c hundreds of rpm.
    const struct {
        int column;
        int word;
    } expected[] = { { 0, 100 }, { 2, 100 }, { 3, 150 }, { 4, 200 }, { 5, 250 }, { 6, 300 }, { 19, 300 } };
    for (const auto& e : expected)
        EXPECT_EQ(MapWord(1, e.column, 4), e.word) << e.column;
}

TEST_F(CoupledMaps, AllEqualStoresMapOneIntoEveryMapAndNormalKeepsTheCopies)
{
    for (int k = 0; k < 4; ++k)
        Byte(RPM_COUNTS + k) = 15;
    SetMapWord(0, 5, 5, 444);
    SetMapWord(2, 5, 5, 777);
    LoadPages(form.get(), 0);
    form->Menu_Jet123StejnyClick(nullptr);
    EXPECT_EQ(MapWord(2, 5, 5), 444);

    // An rpm point inserted while all four are equal reaches every map and count.
    Table()->SelectSheet(0);
    Table()->InsertAt(1, 1);
    Table()->FlushChangeGroup();
    TypeIntoCell(5, 5, "0.0555");
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(Byte(RPM_COUNTS + k), 16) << k;
        EXPECT_EQ(Byte(INJECTOR_RPM + 20 * k + 1), Byte(INJECTOR_RPM + 1)) << k;
        EXPECT_EQ(MapWord(k, 5, 5), 55) << k;
    }

    form->Menu_Jet123NormalClick(nullptr);
    EXPECT_EQ(Byte(COUPLING), COUPLING_NORMAL);
    for (int k = 1; k < 4; ++k)
        for (int c = 0; c < 20; ++c) {
            EXPECT_EQ(MapWord(k, c, 5), MapWord(0, c, 5)) << k << "," << c;
            EXPECT_EQ(Byte(INJECTOR_RPM + 20 * k + c), Byte(INJECTOR_RPM + c)) << k << "," << c;
        }
    EXPECT_EQ(Sheet(2).Hidden, 0) << "every output has its tab again";
}

} // namespace
