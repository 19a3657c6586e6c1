// The Sensors page with an emulated unit behind the link: the throttle
// button takes the unit's live voltage, and the acceleration limiter's live
// values show in the potentiometer group.
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
