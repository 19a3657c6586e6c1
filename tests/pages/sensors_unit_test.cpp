// The Sensors page with an emulated unit behind the link: the throttle
// button takes the unit's live voltage, the acceleration limiter's live
// values show in the potentiometer group, and calibrations the unit changed
// itself show in the tables once their blocks are read back.
#include "pageunit.h"

#include "monitor/live.h"
#include "pages/sensors.h"

namespace {

using namespace sensors_cells;

class SensorsWithUnit : public PageWithUnit {
protected:
    void SetUp() override
    {
        PageWithUnit::SetUp();
        form->ShowPage(PAGE_SLOT_SENSORS);
    }
};

TEST_F(SensorsWithUnit, TheZeroButtonTakesTheLiveThrottleVoltage)
{
    Byte(TP_ZERO) = 60;
    unit.SetLiveWord(live::WTpMv, 450);
    ASSERT_TRUE(Run([&] { return form->Monitor.Values.LiveTpMv == 450; }));
    form->Sensors.ButtonTps0->click();
    EXPECT_EQ(Byte(TP_ZERO), 45);
}

TEST_F(SensorsWithUnit, CalibrationsTheUnitChangedShowOnceReadBack)
{
    Byte(COOLANT_OFF) = 0;
    Byte(AIR_OFF) = 0;
    LoadPages(form.get(), 0);
    unit.SetImage(form->PcImage);
    ASSERT_TRUE(Connected());
    RsImage changed = form->PcImage;
    changed.SetWord(AIR_MV_WORD + 4, 1234); // block 7
    changed.SetWord(IAP_WORD + 1, 321);
    changed.b[TP_ZERO] = 38; // block 10
    unit.SetImage(changed);
    unit.SetChangedBlocks((1 << 6) | (1 << 9));
    ASSERT_TRUE(Run([&] { return form->PcImage == changed && form->ChangedBlocks == 0 && Idle(); }));
    const SensorsPageControls& page = form->Sensors;
    auto cell = [](TTab* table, int column, int row) { return table->Sheets[0].V.Values[row * TAB_MAX_COLS + column]; };
    EXPECT_EQ(cell(page.TempSensorTable, 1, 4), 1234);
    EXPECT_EQ(cell(page.IapSensorTable, 0, 0), 321);
    EXPECT_EQ(cell(page.TpSensorTable, 0, 0), 38);
}

TEST_F(SensorsWithUnit, LiveAccelerationValuesShowInTheLimiterLabels)
{
    Byte(POT_MODE) = 4;
    LoadPages(form.get(), 0);
    const SensorsPageControls& page = form->Sensors;
    EXPECT_FALSE(page.LabelMonAcclimRetard->Visible()) << "no live values yet";
    const std::pair<int, int> bytes[]
        = { { live::BLaunchUnit, 0 }, { live::BAccThreshold, 30 }, { live::BAccPropEffect, 25 },
              { live::BAccReturnSpeed, 12 }, { live::BAccMinAdvance, 70 }, { live::BAccThresholdPot, 0xFE },
              { live::BAccPropEffectPot, 5 }, { live::BAccReturnSpeedPot, 3 }, { live::BAccMinAdvancePot, 0xFF } };
    for (auto [n, value] : bytes)
        unit.SetLiveByte(n, uint8_t(value));
    ASSERT_TRUE(Run([&] { return form->Monitor.Values.AccThreshold == 3000; }));
    const std::pair<TLabel*, const char*> labels[] = {
        { page.LabelMonAcclimRetard, "Accel. treshold = 3000 (-200) [rpm/s]" },
        { page.LabelMonAcclimPropEffect, "Pr. effect = 2.5 (+0.5) [°/1000 rpm/s]" },
        { page.LabelMonAcclimSpeedRet, "Speed of return = 12 (+3) [°/s]" },
        { page.LabelMonAcclimMinAdv, "Min Advance = 10 (-1) [°]" },
    };
    for (auto [label, text] : labels) {
        EXPECT_EQ(label->Caption(), text);
        EXPECT_TRUE(label->Visible()) << text;
    }
}

} // namespace
