// The Synchro page on a started main window: its cells shown and stored with
// their ranges, lists that have no item for a byte, the visibility and
// enabling rules, the recognition limits that move onto the page, the first
// type's defaults, the recognition source and the texts of both languages.
#include "app/binding.h"
#include "app/language.h"
#include "pagewindow.h"

#include "mapedit/tab.h"
#include "pages/bike.h"
#include "pages/synchro.h"

namespace {

using namespace synchro_cells;
using P = SynchroPageControls;

class SynchroPage : public PageWindow {
protected:
    void SetUp() override
    {
        PageWindow::SetUp();
        form->ShowPage(PAGE_SLOT_SYNCHRO);
    }
    P& S() { return form->SynchroPage; }
    void Load() { LoadSynchroPage(form.get()); }
    void Store() { StoreSynchroPage(form.get()); }
    void PickFirstType(int code)
    {
        TComboBox* list = S().ComboBoxSynchro1;
        list->SetItemIndex(FindComboItemByValue(list, code));
        form->ComboBoxSync1Change(list);
    }
    // Every cell of the page within its control's range.
    void SetCellsInRange()
    {
        const std::pair<int, uint8_t> cells[] = { { SPECIAL, 1 }, { SYNCHRO_TYPE, 7 }, { SYNCHRO2_TYPE, 2 },
            { LOBES, 36 }, { MISSING_LOBES, 2 }, { SHIFTED_LOBES, 1 }, { CYLINDERS, 3 }, { IGNITIONS_PER_TURN, 2 },
            { INVERT_CRANK, 1 }, { INVERT_CAM, 0 }, { ACQUISITION_LOBE, 30 }, { SYNCHRO_MAX_RPM, 120 },
            { SPARK_AFTER_SYNCHRO1, 1 }, { SKIP_SECOND_INJECTION, 1 }, { MAX_START_MODE, 1 }, { HUNTING_CONDITION, 1 },
            { HUNTING_REVOLUTION, 1 }, { HUNTING_MIN_RPM, 15 }, { HUNTING_REVOLUTIONS, 200 }, { SPECIAL_EDGE, 1 },
            { SPECIAL_EDGE_COUNT, 1 }, { SPECIAL_CONDITIONS, 4 }, { SPECIAL_LOBE_OUT, 57 }, { PICKUPS_SWAPPED, 1 },
            { RECOGNITION_SOURCE, 1 }, { IGNITION_EVERY_TURN, 1 } };
        for (auto [cell, value] : cells)
            Byte(cell) = value;
        for (int c = 0; c < 4; ++c) {
            Byte(LOBE_MAX + c) = uint8_t(60 + c);
            Byte(LOBE_START + c) = uint8_t(1 + c);
        }
        for (int i = 0; i < 16; ++i)
            Byte(LOBE_EDGES + i) = uint8_t(i % 3 == 0);
        for (int j = 0; j < 3; ++j) {
            Byte(HUNTING_PHASES + j) = uint8_t(10 * j);
            Byte(HUNTING_PREVIOUS + j) = uint8_t(j % 2);
        }
        for (int k = 0; k < 10; ++k) {
            Byte(SPECIAL_COEFFICIENTS + k) = uint8_t(1 + k % 6);
            Byte(SPECIAL_PHASES + k) = uint8_t(k % 10);
        }
    }
};

TEST_F(SynchroPage, LoadedBytesShowWithinTheirRangesAndStoreBack)
{
    struct Case {
        int cell;
        uint8_t byte;
        TEdit* P::*edit;
        const char* shown;
        uint8_t stored;
    } cases[] = {
        { CYLINDERS, 0, &P::EditPocKanOut, "1", 1 },
        { CYLINDERS, 9, &P::EditPocKanOut, "4", 4 },
        { SPECIAL_PHASES, 3, &P::EditSyn1SpFaze11, "-3", 3 },
        { SPECIAL_PHASES + 9, 12, &P::EditSyn1SpFaze52, "-9", 9 },
        { SPECIAL_COEFFICIENTS + 3, 0, &P::EditSyn1SpKoef22, "1", 1 },
        { SPECIAL_CONDITIONS, 7, &P::EditSyn1SpPocPodm, "5", 5 },
        { SPECIAL_LOBE_OUT, 0, &P::EditSyn1SpFazeOut, "1", 0 },
        { SYNCHRO_MAX_RPM, 5, &P::EditSynchroMaxRpm, "900", 9 },
        { SHIFTED_LOBES, 6, &P::EditPosunPalcu, "4", 4 },
        { HUNTING_PHASES + 2, 4, &P::EditKyvaniFaze3, "5", 4 },
        { HUNTING_MIN_RPM, 12, &P::EditKyvaniMinRpm, "1 200", 12 },
    };
    for (const Case& c : cases) {
        Byte(c.cell) = c.byte;
        Load();
        EXPECT_EQ((S().*c.edit)->Text(), c.shown) << c.cell << " " << int(c.byte);
        if (c.cell == CYLINDERS) {
            EXPECT_EQ(Byte(c.cell), c.stored) << "the load already writes the cylinders back";
        }
        Store();
        EXPECT_EQ(Byte(c.cell), c.stored) << c.cell << " " << int(c.byte);
    }
}

TEST_F(SynchroPage, ChannelLobesAreLimitedByTheLobesOfOneOrTwoRevolutions)
{
    struct Case {
        uint8_t synchro2;
        int limit;
    } cases[] = { { SYNCHRO2_NONE, 24 }, { SYNCHRO2_CAM, 48 }, { 2, 48 } };
    for (const Case& c : cases) {
        Byte(LOBES) = 24;
        Byte(SYNCHRO2_TYPE) = c.synchro2;
        for (int ch = 0; ch < 4; ++ch)
            Byte(LOBE_MAX + ch) = Byte(LOBE_START + ch) = 40;
        Load();
        for (int ch = 0; ch < 4; ++ch) {
            EXPECT_EQ(S().LobeMaxUpDowns[size_t(ch)]->Max(), c.limit) << int(c.synchro2);
            EXPECT_EQ(S().LobeStartUpDowns[size_t(ch)]->Max(), c.limit) << int(c.synchro2);
        }
        Store();
        EXPECT_EQ(Byte(LOBE_MAX + 3), std::min(40, c.limit)) << int(c.synchro2);
        EXPECT_EQ(Byte(LOBE_START), std::min(40, c.limit)) << int(c.synchro2);
    }
}

TEST_F(SynchroPage, TheAcquisitionLobeTakesItsRangeFromTheLobesBeforeItsValue)
{
    Byte(LOBES) = 24;
    Byte(ACQUISITION_LOBE) = 10;
    Load();
    Byte(LOBES) = 36;
    Byte(ACQUISITION_LOBE) = 30;
    Load();
    EXPECT_EQ(S().EditPredaniHodnot->Text(), "31");
    EXPECT_EQ(S().UpDownPredaniHodnot->Max(), 36);
    Store();
    EXPECT_EQ(Byte(ACQUISITION_LOBE), 30);
}

TEST_F(SynchroPage, AListWithoutAnItemForItsByteKeepsTheByte)
{
    struct Case {
        int cell;
        uint8_t byte;
        TComboBox* P::*list;
        int item; // -1: nothing selected
    } cases[] = {
        { SYNCHRO_TYPE, 3, &P::ComboBoxSynchro1, 3 },
        { SYNCHRO_TYPE, 10, &P::ComboBoxSynchro1, 8 },
        { SYNCHRO_TYPE, 6, &P::ComboBoxSynchro1, -1 },
        { SYNCHRO_TYPE, 9, &P::ComboBoxSynchro1, -1 },
        { SYNCHRO_TYPE, 11, &P::ComboBoxSynchro1, -1 },
        { SYNCHRO2_TYPE, 6, &P::ComboBoxSynchro2, 6 },
        { SYNCHRO2_TYPE, 7, &P::ComboBoxSynchro2, -1 },
        { IGNITIONS_PER_TURN, 3, &P::ComboBoxNasobekPalcu, 3 },
        { IGNITIONS_PER_TURN, 4, &P::ComboBoxNasobekPalcu, -1 },
    };
    for (const Case& c : cases) {
        Byte(c.cell) = c.byte;
        Load();
        EXPECT_EQ((S().*c.list)->ItemIndex(), c.item) << c.cell << " " << int(c.byte);
        StoreAndReloadPage(form.get());
        EXPECT_EQ(Byte(c.cell), c.byte) << c.cell << " " << int(c.byte);
    }
}

TEST_F(SynchroPage, ALoadThenAStoreChangesNoByte)
{
    for (uint8_t synchro1 : { 7, 6 }) {
        SetCellsInRange();
        Byte(SYNCHRO_TYPE) = synchro1;
        Byte(SYNCHRO2_TYPE) = synchro1 == 6 ? 8 : 2;
        Byte(IGNITIONS_PER_TURN) = synchro1 == 6 ? 5 : 2;
        const RsImage before = form->PcImage;
        Load();
        Store();
        for (size_t i = 0; i < RS_LEN_EXE; ++i)
            EXPECT_EQ(form->PcImage.b[i], before.b[i]) << "byte " << i << " type " << int(synchro1);
    }
}

TEST_F(SynchroPage, VisibilityAndEnablingFollowTheSettings)
{
    struct Case {
        uint8_t special, type, type2, cylinders, maxStart, conditions;
        bool top2, max1, max3, end2H2, zac1P2, missing, lobes, hunting, phase2, source, coef22, condition3;
        bool enabled, specialEnabled;
    } cases[] = {
        // S  T1  T2 N  M  D  top2   max1   max3   end2H2 zac1P2 missing lobes  hunting phase2 source coef22 cond3
        // enabled specialEnabled
        { 0, 10, 2, 4, 1, 5, true, true, true, true, false, false, true, true, true, false, true, true, false, false },
        { 1, 10, 5, 1, 0, 1, false, false, false, false, false, true, true, true, true, true, false, false, true,
            true },
        { 1, 5, 6, 3, 1, 2, true, true, true, true, true, false, false, true, false, true, true, false, true, false },
        { 1, 0, 3, 2, 1, 3, true, true, false, true, false, false, true, true, false, false, true, true, true, false },
        { 1, 5, 1, 2, 0, 0, true, false, false, true, false, true, false, false, false, false, false, false, true,
            false },
        { 1, 8, 4, 4, 1, 0, true, true, true, true, false, false, true, false, false, false, false, false, true,
            false },
    };
    for (const Case& c : cases) {
        Byte(SPECIAL) = c.special;
        Byte(SYNCHRO_TYPE) = c.type;
        Byte(SYNCHRO2_TYPE) = c.type2;
        Byte(CYLINDERS) = c.cylinders;
        Byte(MAX_START_MODE) = c.maxStart;
        Byte(SPECIAL_CONDITIONS) = c.conditions;
        Load();
        const std::string at = "S " + std::to_string(c.special) + " T1 " + std::to_string(c.type) + " T2 "
            + std::to_string(c.type2) + " N " + std::to_string(c.cylinders) + " M " + std::to_string(c.maxStart) + " D "
            + std::to_string(c.conditions);
        EXPECT_EQ(S().EditTop2->Visible(), c.top2) << at;
        EXPECT_EQ(S().LabelTop2->Visible(), c.top2) << at;
        EXPECT_TRUE(S().EditTop1->Visible()) << at;
        EXPECT_EQ(S().EditPalec1Zac->Visible(), c.max1) << at;
        EXPECT_EQ(S().CheckBoxPalec1ZacH2->Visible(), c.max1) << at;
        EXPECT_EQ(S().UpDownPalec3Zac->Visible(), c.max3) << at;
        EXPECT_EQ(S().CheckBoxPalec2EndH2->Visible(), c.end2H2) << at;
        EXPECT_TRUE(S().CheckBoxPalec1EndH2->Visible()) << at;
        EXPECT_EQ(S().CheckBoxPalec1ZacP2->Visible(), c.zac1P2) << at;
        EXPECT_EQ(S().LabelSnimac2->Visible(), c.zac1P2) << at;
        EXPECT_EQ(S().EditVynechPalcu->Visible(), c.missing) << at;
        EXPECT_EQ(S().LabelPosunPalcu->Visible(), c.missing) << at;
        EXPECT_EQ(S().EditPocPalcu->Visible(), c.lobes) << at;
        EXPECT_EQ(S().GroupBoxKyvani->Visible(), c.hunting) << at;
        EXPECT_EQ(S().EditKyvaniFaze2->Visible(), c.phase2) << at;
        EXPECT_EQ(S().CheckBoxKyvaniOtackaF1->Visible(), c.phase2) << at;
        EXPECT_EQ(S().RadioGroupKyvSrc->Visible(), c.source) << at;
        EXPECT_EQ(S().EditSyn1SpKoef22->Visible(), c.coef22) << at;
        EXPECT_EQ(S().UpDownSyn1SpFaze22->Visible(), c.coef22) << at;
        EXPECT_EQ(S().EditSyn1SpKoef31->Visible(), c.condition3) << at;
        EXPECT_EQ(S().LabelSyn1SpN3->Visible(), c.condition3) << at;
        EXPECT_EQ(S().LabelSyn1SpK32->Visible(), c.condition3) << at;
        for (TControl* control : std::initializer_list<TControl*> { S().ComboBoxSynchro1, S().ComboBoxNasobekPalcu,
                 S().EditPocPalcu, S().UpDownPocPalcu, S().LabelPocPalcu, S().CheckBoxIgnEveryTurn, S().UpDownPalec4Zac,
                 S().CheckBoxPalec3EndP2, S().RadioGroupKyvSrc, S().EditKyvaniMinRpm, S().LabelLobe,
                 S().CheckBoxZamenaPickup })
            EXPECT_EQ(control->Enabled(), c.enabled) << at << " " << control->Name();
        for (TControl* control : std::initializer_list<TControl*> { S().GroupBoxSynchroSpecial,
                 S().RadioGroupSyn1SpHrana, S().EditSyn1SpPocPodm, S().UpDownSyn1SpFazeOut, S().LabelKoef2,
                 S().EditSyn1SpFaze52, S().LabelSyn1SpN1 })
            EXPECT_EQ(control->Enabled(), c.specialEnabled) << at << " " << control->Name();
        EXPECT_TRUE(S().LabelSpecSynchro->Enabled()) << at;
        EXPECT_TRUE(S().LabelSyncInfo1->Enabled()) << at;
    }
}

TEST_F(SynchroPage, TheSpecialSettingOfTheBikePageEnablesThePage)
{
    Byte(SPECIAL) = 0;
    LoadPages(form.get(), 1);
    EXPECT_FALSE(S().ComboBoxSynchro1->Enabled());
    form->ShowPage(PAGE_SLOT_BIKE);
    form->BikePage.CheckBoxBikeSecial->SetChecked(true);
    EXPECT_EQ(Byte(SPECIAL), 1);
    EXPECT_TRUE(S().ComboBoxSynchro1->Enabled());
    EXPECT_TRUE(S().EditPocKanOut->Enabled());
}

TEST_F(SynchroPage, WithTheCamshaftTheRecognitionLimitsStandOnThePage)
{
    const std::array<TControl*, 6> limits = { S().EditKyvaniMinRpm, S().UpDownKyvaniMinRpm, S().LabelKyvaniMinRpm,
        S().EditKyvaniPocOtacek, S().UpDownKyvaniPocOtacek, S().LabelKyvaniPocOtacek };
    TControl* sheet = form->PageSheets[PAGE_SLOT_SYNCHRO];
    TGroupBox* group = S().GroupBoxKyvani;
    for (int type2 : { SYNCHRO2_CAM, SYNCHRO2_NONE, 2, SYNCHRO2_CAM, 5 }) {
        Byte(SYNCHRO2_TYPE) = uint8_t(type2);
        Load();
        const bool cam = type2 == SYNCHRO2_CAM;
        EXPECT_EQ(group->Visible(), !cam && type2 != SYNCHRO2_NONE) << int(type2);
        for (size_t i = 0; i < limits.size(); ++i) {
            const auto [left, top] = form->HuntingHomePositions[i];
            EXPECT_EQ(limits[i]->Parent(), cam ? sheet : static_cast<TControl*>(group)) << int(type2) << " " << i;
            EXPECT_EQ(limits[i]->Left(), cam ? group->Left() + left : left) << int(type2) << " " << i;
            EXPECT_EQ(limits[i]->Top(), cam ? group->Top() + top : top) << int(type2) << " " << i;
            EXPECT_TRUE(limits[i]->Visible()) << int(type2) << " " << i;
        }
    }
}

TEST_F(SynchroPage, AFirstTypeWritesItsSpecialDefaultsAndTheSpecialTypeKeepsThem)
{
    Byte(SPECIAL) = 1;
    Byte(bike_cells::BIKE_CODE) = 11;
    Load();
    PickFirstType(SYNCHRO_TYPE_SPECIAL);
    EXPECT_EQ(Byte(SYNCHRO_TYPE), SYNCHRO_TYPE_SPECIAL);
    EXPECT_TRUE(S().GroupBoxSynchroSpecial->Enabled());
    EXPECT_TRUE(S().EditSyn1SpKoef11->Enabled());
    for (int i = SPECIAL_EDGE; i <= SPECIAL_LAST; ++i)
        Byte(i) = 3;
    PickFirstType(SYNCHRO_TYPE_SPECIAL);
    EXPECT_EQ(Byte(SPECIAL_LAST), 3) << "the special type keeps the user's conditions";

    PickFirstType(0);
    EXPECT_EQ(Byte(SYNCHRO_TYPE), 0);
    EXPECT_FALSE(S().GroupBoxSynchroSpecial->Enabled());
    EXPECT_FALSE(S().EditSyn1SpKoef11->Enabled());
    const uint8_t expected[] = { 1, 0, 1, 0, 2, 1 };
    const int cells[] = { SPECIAL_EDGE, SPECIAL_EDGE_COUNT, SPECIAL_CONDITIONS, SPECIAL_LOBE_OUT, SPECIAL_COEFFICIENTS,
        SPECIAL_PHASES };
    for (size_t i = 0; i < std::size(cells); ++i)
        EXPECT_EQ(Byte(cells[i]), expected[i]) << cells[i];
    EXPECT_EQ(S().EditSyn1SpPocPodm->Text(), "1");
    EXPECT_EQ(S().EditSyn1SpFaze11->Text(), "-1");
    EXPECT_TRUE(form->Undo->CanUndo());
}

TEST_F(SynchroPage, ModelsWithASpecialWheelKeepTheSpecialType)
{
    for (uint8_t model : { 48, 49 }) {
        Byte(SPECIAL) = 1;
        Byte(bike_cells::BIKE_CODE) = model;
        Load();
        PickFirstType(1);
        EXPECT_EQ(Byte(SYNCHRO_TYPE), SYNCHRO_TYPE_SPECIAL) << int(model);
        EXPECT_EQ(GetComboValue(S().ComboBoxSynchro1), SYNCHRO_TYPE_SPECIAL) << int(model);
        EXPECT_TRUE(S().GroupBoxSynchroSpecial->Enabled()) << int(model);
    }
}

TEST_F(SynchroPage, TheAtmosphericPressureSourceSwitchesItsSensorOff)
{
    Byte(SPECIAL) = 1;
    Byte(SYNCHRO2_TYPE) = 5;
    Byte(RECOGNITION_SOURCE) = 0;
    Byte(AP_SENSOR_OFF) = 0;
    LoadPages(form.get(), 1);
    ASSERT_NE(form->Sensors.ApSensorTable, nullptr);
    ASSERT_EQ(form->Sensors.ApSensorTable->Sheets[0].Enabled, 1);

    S().RadioGroupKyvSrc->SetItemIndex(1);
    EXPECT_EQ(Byte(RECOGNITION_SOURCE), 1);
    EXPECT_EQ(Byte(AP_SENSOR_OFF), 1);
    EXPECT_EQ(form->Sensors.ApSensorTable->Sheets[0].Enabled, 0) << "the Sensors page shows its sensor off";

    S().RadioGroupKyvSrc->SetItemIndex(0);
    EXPECT_EQ(Byte(RECOGNITION_SOURCE), 0);
    EXPECT_EQ(Byte(AP_SENSOR_OFF), 1) << "back to IAP leaves the sensor as it is";

    // A store that does not change the source leaves a sensor switched on again alone.
    Byte(AP_SENSOR_OFF) = 0;
    Byte(RECOGNITION_SOURCE) = 1;
    Load();
    Store();
    EXPECT_EQ(Byte(AP_SENSOR_OFF), 0);
}

TEST_F(SynchroPage, TheRecognitionTextsFollowTheSecondTypeAndTheLanguage)
{
    struct Case {
        int language;
        uint8_t type2;
        const char* group;
        const char* condition; // after the language switch
        const char* item1;
        const char* firstItem5; // the first list's item 5
    } cases[] = {
        { 2, 5, "IAP", "Střední hodnota", "Největší", "1 palec" },
        { 2, 3, "Kývání", "Stredni úsek", "Nejdelší", "1 palec" },
        { 1, 6, "IAP", "Mittleren Werte", "Maximal", "1 Leitstück" },
        { 0, 2, "Hunting", "Central section", "Longest", "1 lobe" },
        { 0, 5, "IAP", "Central value", "Maximal", "1 lobe" },
    };
    Byte(SYNCHRO_TYPE) = 8;
    for (const Case& c : cases) {
        Byte(SYNCHRO2_TYPE) = c.type2;
        LangIndex = c.language;
        ApplyLanguage(form.get());
        EXPECT_EQ(S().GroupBoxKyvani->Caption(), c.group) << c.language << " " << int(c.type2);
        EXPECT_EQ(S().RadioGroupKyvaniPodminka->Caption(), c.condition) << c.language << " " << int(c.type2);
        EXPECT_EQ(S().RadioGroupKyvaniPodminka->ItemText(1), c.item1) << c.language << " " << int(c.type2);
        EXPECT_EQ(S().ComboBoxSynchro1->ItemText(5), c.firstItem5) << c.language;
        EXPECT_EQ(S().ComboBoxSynchro1->ItemIndex(), 7) << "the selection stays";
        EXPECT_EQ(S().ComboBoxSynchro2->ItemIndex(), c.type2);
    }
    // The page's own rule names the intake-pressure middle value differently.
    Byte(SYNCHRO2_TYPE) = 5;
    Load();
    EXPECT_EQ(S().RadioGroupKyvaniPodminka->Caption(), "Middle value");
    Byte(SYNCHRO2_TYPE) = 2;
    Load();
    EXPECT_EQ(S().RadioGroupKyvaniPodminka->Caption(), "Center section");
    EXPECT_EQ(S().LabelKyvaniFaze1->Caption(), "Traced sections");
}

} // namespace
