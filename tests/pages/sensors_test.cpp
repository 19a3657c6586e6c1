// The Sensors page on a started main window: the throttle buttons, the
// temperature characteristic in volts and ohms, the sensors in use, the
// lambda type with its CAN identifiers, the pressure check and the
// potentiometer group with its save into the launch-control maps.
#include "app/language.h"
#include "pagewindow.h"

#include "pages/sensors.h"

namespace {

using namespace sensors_cells;

class SensorsPage : public PageWindow {
protected:
    void SetUp() override
    {
        PageWindow::SetUp();
        form->ShowPage(PAGE_SLOT_SENSORS);
        form->Monitor.Values = {};
    }
    SensorsPageControls& P() { return form->Sensors; }
    static int32_t& Cell(TTab* table, int column, int row)
    {
        return table->Sheets[0].V.Values[row * TAB_MAX_COLS + column];
    }
    void Commit() { StoreAndReloadPage(form.get()); }
    void Load() { LoadSensorsPage(form.get()); }
    int Word(int index) { return int16_t(form->PcImage.Word(index)); }
    void SetWord(int index, int value) { form->PcImage.SetWord(index, uint16_t(value)); }
    void ShowResistance() { P().RadioGroupCharView->SetItemIndex(1); }
};

TEST_F(SensorsPage, TheThrottleButtonsTakeTheLiveVoltageWithinTheirWindows)
{
    struct Case {
        bool full;
        int mv;
        int byte; // expected, -1 unchanged
        int shownCell;
    } cases[] = {
        { false, 450, 45, 45 },
        { false, 299, -1, -1 },
        { false, 2501, -1, -1 },
        { false, 0, -1, -1 },
        { true, 4700, 220, 470 },
        { true, 2500, 0, 250 },
        { true, 4901, -1, -1 },
    };
    for (const Case& c : cases) {
        Byte(TP_ZERO) = 77;
        Byte(TP_FULL) = 77;
        Load();
        form->Monitor.Values.LiveTpMv = c.mv;
        if (c.full)
            form->ButtonTps100Click(nullptr);
        else
            form->ButtonTps0Click(nullptr);
        const int cell = c.full ? TP_FULL : TP_ZERO;
        EXPECT_EQ(Byte(cell), c.byte < 0 ? 77 : c.byte) << c.mv;
        if (c.byte >= 0) {
            EXPECT_EQ(Cell(P().TpSensorTable, 0, c.full ? 1 : 0), c.shownCell) << c.mv;
        }
    }
}

TEST_F(SensorsPage, ThrottleCellsAreHeldToTheirBytes)
{
    struct Case {
        int row, typed, byte;
    } cases[] = { { 1, 240, 0 }, { 1, 470, 220 }, { 1, 600, 250 }, { 0, 300, 250 }, { 0, -5, 0 }, { 0, 45, 45 } };
    for (const Case& c : cases) {
        Load();
        Cell(P().TpSensorTable, 0, c.row) = c.typed;
        Commit();
        EXPECT_EQ(Byte(c.row == 0 ? TP_ZERO : TP_FULL), c.byte) << c.row << " " << c.typed;
    }
}

TEST_F(SensorsPage, ConversionsBetweenVoltageAndResistance)
{
    EXPECT_EQ(SensorMvToOhm(2500), 2200);
    EXPECT_EQ(SensorMvToOhm(5000), 20000000);
    EXPECT_EQ(SensorMvToOhm(4999), 10997800);
    EXPECT_EQ(SensorOhmToMv(2210), 2505);
    EXPECT_EQ(SensorOhmToMv(1000000), 4989);
    EXPECT_EQ(SensorOhmToMv(20000000), 5000);
    EXPECT_EQ(SensorOhmToMv(0), 0);
    EXPECT_EQ(SensorOhmToMv(-3), 0);
}

TEST_F(SensorsPage, TheResistanceViewRewritesOnlyWhatTheResistanceRequires)
{
    Byte(COOLANT_OFF) = 0;
    Byte(AIR_OFF) = 0;
    // The curves fall with the temperature; row 4 is the one edited.
    for (int r = 0; r < SENSORS_TEMP_ROWS; r++)
        SetWord(COOLANT_MV_WORD + r, 4800 - 500 * r);
    SetWord(COOLANT_MV_WORD, 5000);
    Load();
    ShowResistance();
    TTab* temp = P().TempSensorTable;
    EXPECT_EQ(Cell(temp, 0, 0), 20000000);
    struct Case {
        int entered, stored;
    } cases[] = { { 2200, 2500 }, { 2201, 2501 }, { 2210, 2505 } };
    for (const Case& c : cases) {
        SetWord(COOLANT_MV_WORD + 4, 2500);
        Load();
        EXPECT_EQ(Cell(temp, 0, 4), 2200);
        Cell(temp, 0, 4) = c.entered;
        Commit();
        EXPECT_EQ(Word(COOLANT_MV_WORD + 4), c.stored) << c.entered;
    }
    EXPECT_EQ(Word(COOLANT_MV_WORD), 5000);
    EXPECT_EQ(Word(COOLANT_MV_WORD + 3), 3300);
}

TEST_F(SensorsPage, TheColumnsFollowTheSensorsInUse)
{
    for (int r = 0; r < SENSORS_TEMP_ROWS; r++) {
        SetWord(COOLANT_MV_WORD + r, 2000 - 10 * r);
        SetWord(AIR_MV_WORD + r, 3000 - 10 * r);
    }
    struct Case {
        int coolantOff, airOff;
        bool shown;
        int columns, firstName;
        int firstWord;
    } cases[] = {
        { 0, 0, true, 2, 0, COOLANT_MV_WORD },
        { 0, 1, true, 1, 0, COOLANT_MV_WORD },
        { 1, 0, true, 1, 1, AIR_MV_WORD },
        { 1, 1, false, 2, 0, COOLANT_MV_WORD },
    };
    TTab* temp = P().TempSensorTable;
    for (const Case& c : cases) {
        Byte(COOLANT_OFF) = uint8_t(c.coolantOff);
        Byte(AIR_OFF) = uint8_t(c.airOff);
        Load();
        EXPECT_EQ(!temp->isHidden(), c.shown);
        EXPECT_EQ(P().RadioGroupCharView->Visible(), c.shown);
        EXPECT_EQ(temp->Sheets[0].X.Count, c.columns);
        EXPECT_EQ(temp->Sheets[0].X.Values[0], c.firstName);
        EXPECT_EQ(Cell(temp, 0, 3), c.firstWord == AIR_MV_WORD ? 2970 : 1970);
        EXPECT_EQ(P().CheckBoxTempWaterSensor->Checked(), c.coolantOff == 0);
        EXPECT_EQ(P().CheckBoxTempAirSensor->Checked(), c.airOff == 0);
    }
    // An edit of the single "Inlet Air" column reaches the inlet-air words.
    Byte(COOLANT_OFF) = 1;
    Byte(AIR_OFF) = 0;
    Load();
    Cell(temp, 0, 4) = 2965;
    Commit();
    EXPECT_EQ(Word(AIR_MV_WORD + 4), 2965);
    EXPECT_EQ(Word(COOLANT_MV_WORD + 4), 1960);
}

TEST_F(SensorsPage, SwitchingATemperatureSensorKeepsBothCurvesInTheirWords)
{
    for (int r = 0; r < SENSORS_TEMP_ROWS; r++) {
        SetWord(COOLANT_MV_WORD + r, 2000 - 10 * r);
        SetWord(AIR_MV_WORD + r, 3000 - 10 * r);
    }
    struct Case {
        int coolantOff, airOff; // before the switch
        TCheckBox* SensorsPageControls::*box;
        bool ticked;
        int shownFirst; // column 0, row 3, after the switch
    } cases[] = {
        { 0, 0, &SensorsPageControls::CheckBoxTempWaterSensor, false, 2970 },
        { 1, 0, &SensorsPageControls::CheckBoxTempWaterSensor, true, 1970 },
        { 0, 0, &SensorsPageControls::CheckBoxTempAirSensor, false, 1970 },
        { 1, 1, &SensorsPageControls::CheckBoxTempAirSensor, true, 2970 },
    };
    for (const Case& c : cases) {
        Byte(COOLANT_OFF) = uint8_t(c.coolantOff);
        Byte(AIR_OFF) = uint8_t(c.airOff);
        Load();
        (P().*c.box)->SetChecked(c.ticked);
        Commit();
        const std::string where
            = std::to_string(c.coolantOff) + std::to_string(c.airOff) + " " + (c.ticked ? "on" : "off");
        EXPECT_EQ(Word(COOLANT_MV_WORD + 3), 1970) << where;
        EXPECT_EQ(Word(AIR_MV_WORD + 3), 2970) << where;
        EXPECT_EQ(Cell(P().TempSensorTable, 0, 3), c.shownFirst) << where;
    }
}

// A block read back from the unit reaches the sensor tables as the page
// shows them, and the next commit on the page keeps what the unit holds.
TEST_F(SensorsPage, ABlockReadBackShowsTheUnitsCalibration)
{
    struct Case {
        const char* view;
        int coolantOff, airOff;
        bool resistance;
        int firstCell, secondCell; // temperature row 2, columns 0 and 1
    } cases[] = {
        { "both", 0, 0, false, 3500, 3300 },
        { "ohms", 0, 0, true, 5133, 4270 },
        { "air only", 1, 0, false, 3300, 3500 },
    };
    for (const Case& c : cases) {
        Byte(COOLANT_OFF) = uint8_t(c.coolantOff);
        Byte(AIR_OFF) = uint8_t(c.airOff);
        Byte(LAMBDA_TYPE) = 1; // a rising curve
        // Curves as the consistency pass keeps them: falling temperature
        // voltages, rising lambda ratios and voltages.
        for (int r = 0; r < SENSORS_TEMP_ROWS; r++) {
            SetWord(COOLANT_MV_WORD + r, 4000 - 300 * r);
            SetWord(AIR_MV_WORD + r, 4000 - 300 * r);
        }
        for (int r = 0; r < SENSORS_LAMBDA_ROWS; r++) {
            SetWord(LAMBDA_MV_WORD + r, 500 * r);
            Byte(LAMBDA_AFR + r) = uint8_t(100 + 10 * r);
        }
        SetWord(AP_WORD + 1, 400);
        SetWord(AP_WORD + 3, 4500);
        Load();
        P().RadioGroupCharView->SetItemIndex(c.resistance ? 1 : 0);
        // What the unit changed, as the block reads leave it in the image.
        SetWord(COOLANT_MV_WORD + 2, 3500);
        SetWord(AIR_MV_WORD + 2, 3300);
        SetWord(AP_WORD, 15);
        SetWord(AP_WORD + 1, 4500);
        SetWord(IAP_WORD + 3, 3900);
        SetWord(LAMBDA_MV_WORD + 5, 4321);
        Byte(LAMBDA_AFR + 5) = 170;
        Byte(TP_ZERO) = 45;
        Byte(TP_FULL) = 220;
        TTab* temp = P().TempSensorTable;
        ImageRangeToMaps(form.get(), 1800, 2100);
        EXPECT_EQ(Cell(temp, 0, 2), c.firstCell) << c.view;
        EXPECT_EQ(Cell(temp, 1, 2), c.secondCell) << c.view;
        EXPECT_EQ(Cell(temp, 0, 3), c.resistance ? 3589 : 3100) << c.view;
        EXPECT_TRUE(temp->RedrawBits & REDRAW_VALUES) << c.view;
        EXPECT_EQ(P().ApSensorTable->Sheets[0].Y.Values[0], 15) << c.view;
        EXPECT_EQ(Cell(P().ApSensorTable, 0, 0), 4500) << c.view;
        EXPECT_EQ(P().ApSensorTable->Sheets[0].V.Colour, TColor(0x0000FF)) << "equal voltages, " << c.view;
        EXPECT_EQ(Cell(P().IapSensorTable, 0, 1), 3900) << c.view;
        // The lambda table takes its ratios and voltages with either block.
        ImageRangeToMaps(form.get(), c.resistance ? 2100 : 2700, c.resistance ? 2400 : 3000);
        EXPECT_EQ(Cell(P().LambdaSensorTable, 0, 5), 4321) << c.view;
        EXPECT_EQ(P().LambdaSensorTable->Sheets[0].Y.Values[5], 170) << c.view;
        ImageRangeToMaps(form.get(), 2700, 3000);
        EXPECT_EQ(Cell(P().TpSensorTable, 0, 0), 45) << c.view;
        EXPECT_EQ(Cell(P().TpSensorTable, 0, 1), 470) << c.view;

        Commit();
        EXPECT_EQ(Word(COOLANT_MV_WORD + 2), 3500) << c.view;
        EXPECT_EQ(Word(AIR_MV_WORD + 2), 3300) << c.view;
        EXPECT_EQ(Word(AP_WORD), 15) << c.view;
        EXPECT_EQ(Word(LAMBDA_MV_WORD + 5), 4321) << c.view;
        EXPECT_EQ(Byte(LAMBDA_AFR + 5), 170) << c.view;
        EXPECT_EQ(Byte(TP_FULL), 220) << c.view;
    }
}

TEST_F(SensorsPage, TheLambdaTypeRulesFollowCylindersAndCoupling)
{
    struct Case {
        int cylinders, coupled, type;
        bool canGroup;
        int rows;
        const char* item2;
        bool small;
    } cases[] = {
        { 4, 0, 2, true, 4, "Uego-CAN (multichannel)", true },
        { 2, 0, 2, true, 2, "Uego-CAN (multichannel)", true },
        { 1, 0, 2, false, 1, "Uego-CAN (ID:802)", false },
        { 4, 1, 2, false, 4, "Uego-CAN (ID:802)", false },
        { 4, 0, 1, false, 4, "Uego-CAN (multichannel)", false },
    };
    for (const Case& c : cases) {
        Byte(CYLINDERS) = uint8_t(c.cylinders);
        Byte(MAPS_COUPLED) = uint8_t(c.coupled);
        Byte(LAMBDA_TYPE) = uint8_t(c.type);
        Byte(LAMBDA_OFF) = 0;
        Load();
        const std::string where
            = std::to_string(c.cylinders) + "/" + std::to_string(c.coupled) + "/" + std::to_string(c.type);
        EXPECT_EQ(P().GroupBoxCANID->Visible(), c.canGroup) << where;
        const TControl* rows[4] = { P().EditCANID01, P().EditCANID02, P().EditCANID03, P().EditCANID04 };
        for (int n = 0; n < 4; n++)
            EXPECT_EQ(rows[n]->Visible(), n < c.rows) << where << " row " << n + 1;
        EXPECT_EQ(P().RadioGroupCidloLambdaMode->ItemText(2), c.item2) << where;
        EXPECT_EQ(P().LambdaSensorTable->height(), c.small ? 30 : P().LambdaTableHeight) << where;
        EXPECT_EQ(P().LambdaSensorTable->Sheets[0].Inactive, c.type == 2 ? 1 : 0) << where;
    }
}

TEST_F(SensorsPage, CanIdentifiersAndPressurePointsReachTheImage)
{
    Byte(CYLINDERS) = 4;
    Byte(MAPS_COUPLED) = 0;
    Byte(LAMBDA_TYPE) = 2;
    for (int i = 0; i < 4; i++)
        SetWord(CAN_ID_WORD + i, 802 + i);
    SetWord(AP_WORD, 20);
    SetWord(AP_WORD + 1, 2500);
    SetWord(AP_WORD + 2, 110);
    SetWord(AP_WORD + 3, 2500);
    Load();
    EXPECT_EQ(P().UpDownCANID03->Position(), 804);
    // Equal voltages at both points turn the value axis red; nothing is refused.
    EXPECT_EQ(P().ApSensorTable->Sheets[0].V.Colour, TColor(0x0000FF));
    EXPECT_EQ(P().IapSensorTable->Sheets[0].V.Colour == TColor(0x0000FF), Word(IAP_WORD + 1) == Word(IAP_WORD + 3));
    P().EditCANID02->SetText("1500");
    Cell(P().ApSensorTable, 0, 1) = 4000;
    Commit();
    EXPECT_EQ(Word(CAN_ID_WORD + 1), 1500);
    EXPECT_EQ(Word(AP_WORD + 3), 4000);
    EXPECT_EQ(Word(AP_WORD + 2), 110);
    EXPECT_EQ(P().ApSensorTable->Sheets[0].V.Colour, TColor(0xA0E0C0));
}

TEST_F(SensorsPage, SwitchingToUegoWritesTheWideBandCurveWithAnUndoStep)
{
    Byte(LAMBDA_TYPE) = 0;
    Byte(LAMBDA_OFF) = 0;
    Load();
    Commit();
    const int before = form->Undo->UndoCurrent();
    P().RadioGroupCidloLambdaMode->SetItemIndex(1);
    EXPECT_EQ(Byte(LAMBDA_TYPE), 1);
    const int ratios[6] = { 100, 120, 130, 150, 160, 180 };
    const int mv[6] = { 0, 1250, 1875, 3125, 3750, 5000 };
    for (int r = 0; r < 6; r++) {
        EXPECT_EQ(Byte(LAMBDA_AFR + r), ratios[r]);
        EXPECT_EQ(Word(LAMBDA_MV_WORD + r), mv[r]);
        EXPECT_EQ(Cell(P().LambdaSensorTable, 0, r), mv[r]);
    }
    EXPECT_NE(form->Undo->UndoCurrent(), before);
}

TEST_F(SensorsPage, TheTextsFollowTheLanguage)
{
    const struct {
        int language;
        const char* sheet;
        const char* water;
        const char* resistance;
        const char* launch;
    } cases[] = {
        { 2, "Čidla", "Teplotní čidlo - voda", "Odpor", "Launch control" },
        { 1, "Senzoren", "Temperature water sensor", "Resistance", "Launch control" },
        { 0, "Sensors", "Temperature water sensor", "Resistance", "Launch control" },
    };
    for (const auto& c : cases) {
        LangIndex = c.language;
        ApplyLanguage(form.get());
        EXPECT_EQ(form->PageSheets[PAGE_SLOT_SENSORS]->Caption(), c.sheet);
        EXPECT_EQ(P().CheckBoxTempWaterSensor->Caption(), c.water);
        EXPECT_EQ(P().RadioGroupCharView->ItemText(1), c.resistance);
        EXPECT_EQ(P().ComboBoxPotencMode->ItemText(4), c.launch);
    }
}

class PotentiometerGroup : public SensorsPage {
protected:
    void Mode(int mode, int source)
    {
        Byte(POT_MODE) = uint8_t(mode);
        Byte(ACC_SPEED_SOURCE) = uint8_t(source);
    }
};

TEST_F(PotentiometerGroup, RangesStoreAndLoadWithTheModesScaling)
{
    struct Case {
        int mode, source;
        int typed; // into range 1; INT32_MIN loads only
        int word; // word 1093 stored, or loaded
        int shown, step, max;
    } cases[] = {
        { 3, 0, 1000, 20, 1000, 50, 10000 },
        { 3, 0, 1020, 20, 1000, 50, 10000 },
        { 4, 0, INT32_MIN, 30, 3000, 100, 25000 },
        { 4, 1, INT32_MIN, 30, 30, 1, 250 },
        { 1, 0, 40, 40, 40, 1, 100 },
        { 2, 0, -70, -60, -60, 1, 60 },
    };
    for (const Case& c : cases) {
        Mode(c.mode, c.source);
        if (c.typed == INT32_MIN) {
            SetWord(POT_RANGE_WORD, c.word);
            Load();
        } else {
            Load();
            P().EditPotencRozsah->SetText(std::to_string(c.typed));
            Commit();
            EXPECT_EQ(Word(POT_RANGE_WORD), c.word) << c.mode << " " << c.typed;
        }
        EXPECT_EQ(P().UpDownPotencRozsah->Position(), c.shown) << c.mode;
        EXPECT_EQ(P().UpDownPotencRozsah->Increment(), c.step) << c.mode;
        EXPECT_EQ(P().UpDownPotencRozsah->Max(), c.max) << c.mode;
    }
}

TEST_F(PotentiometerGroup, ASpeedSourceChangeConvertsRangeOneOnce)
{
    Mode(4, 0);
    SetWord(POT_RANGE_WORD, 30);
    Load();
    EXPECT_EQ(P().UpDownPotencRozsah->Position(), 3000);
    Byte(ACC_SPEED_SOURCE) = 1;
    UpdateSensorsControls(form.get());
    EXPECT_EQ(P().UpDownPotencRozsah->Position(), 30);
    EXPECT_EQ(P().UpDownPotencRozsah->Increment(), 1);
    EXPECT_EQ(P().UpDownPotencRozsah->Max(), 250);
    UpdateSensorsControls(form.get());
    EXPECT_EQ(P().UpDownPotencRozsah->Position(), 30);
    Commit();
    EXPECT_EQ(Word(POT_RANGE_WORD), 30);
}

TEST_F(PotentiometerGroup, AModeChangeStoresTheRangesAsTheyStood)
{
    Mode(1, 0);
    SetWord(POT_RANGE_WORD, 20);
    Load();
    P().ComboBoxPotencMode->SetItemIndex(3);
    Commit();
    EXPECT_EQ(Byte(POT_MODE), 3);
    EXPECT_EQ(Word(POT_RANGE_WORD), 0);
    EXPECT_EQ(P().UpDownPotencRozsah->Position(), 0);
}

TEST_F(PotentiometerGroup, TheVisibleControlsFollowTheMode)
{
    struct Case {
        int mode;
        bool r1, r2, r34;
    } cases[] = { { 0, false, false, false }, { 1, true, true, false }, { 2, true, true, false },
        { 3, true, false, false }, { 4, true, true, true } };
    for (const Case& c : cases) {
        Mode(c.mode, 0);
        Load();
        EXPECT_EQ(P().EditPotencRozsah->Visible(), c.r1) << c.mode;
        EXPECT_EQ(P().LabelPotencRozsah->Visible(), c.r1) << c.mode;
        EXPECT_EQ(P().EditPotencRozsah2->Visible(), c.r2) << c.mode;
        EXPECT_EQ(P().LabelUpPotencRozsah2->Visible(), c.r2) << c.mode;
        EXPECT_EQ(P().EditPotencRozsah3->Visible(), c.r34) << c.mode;
        EXPECT_EQ(P().EditPotencRozsah4->Visible(), c.r34) << c.mode;
        EXPECT_EQ(P().LabelUpPotencRozsah->Visible(), c.r34) << c.mode;
    }
    Mode(3, 0);
    Load();
    EXPECT_EQ(P().LabelPotencRozsah->Caption(), form->MessageTable[133] + "  +/- RPM");
}

TEST_F(PotentiometerGroup, TheSaveFoldsTheLiveOffsetsIntoTheMaps)
{
    auto fill = [&] {
        Mode(4, 0);
        for (int i = 0; i < 25; i++) {
            Byte(ACC_THRESHOLD_MAP + i) = 100;
            Byte(ACC_RETURN_MAP + i) = 100;
            Byte(ACC_PROP_MAP + i) = 248;
        }
        Byte(ACC_THRESHOLD_MAP + 7) = 5;
        Byte(MIN_ADVANCE) = 155;
    };
    fill();
    form->ButtonPotiSave(nullptr);
    EXPECT_EQ(Byte(POT_MODE), 4);
    EXPECT_EQ(Byte(ACC_THRESHOLD_MAP + 7), 5);

    LiveValues& live = form->Monitor.Values;
    live.AccThreshold = 3000;
    live.AccThresholdPot = -10;
    live.AccReturnSpeedPot = 3;
    live.AccPropEffectPot = 5;
    live.AccMinAdvancePot = 20;
    form->ButtonPotiSave(nullptr);
    EXPECT_EQ(Byte(POT_MODE), 0);
    EXPECT_EQ(Byte(ACC_THRESHOLD_MAP + 7), 0);
    EXPECT_EQ(Byte(ACC_THRESHOLD_MAP + 24), 90);
    EXPECT_EQ(Byte(ACC_RETURN_MAP), 103);
    EXPECT_EQ(Byte(ACC_PROP_MAP + 12), 250);
    EXPECT_EQ(Byte(MIN_ADVANCE), 160);

    fill();
    live.AccMinAdvancePot = -128;
    Byte(MIN_ADVANCE) = 60;
    form->ButtonPotiSave(nullptr);
    EXPECT_EQ(Byte(MIN_ADVANCE), 40);
}

TEST_F(PotentiometerGroup, TheLimiterLabelsShowWithLiveLaunchValues)
{
    Mode(4, 0);
    Load();
    EXPECT_FALSE(P().LabelMonAcclimRetard->Visible());
    form->Monitor.Values.AccReturnSpeed = 12;
    UpdateSensorsControls(form.get());
    for (TLabel* label : { P().LabelMonAcclimRetard, P().LabelMonAcclimPropEffect, P().LabelMonAcclimSpeedRet,
             P().LabelMonAcclimMinAdv })
        EXPECT_TRUE(label->Visible());
    EXPECT_EQ(form->Monitor.Pages.LabelMonAcclimMinAdv, P().LabelMonAcclimMinAdv);
}

} // namespace
