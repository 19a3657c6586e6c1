// The Race and Gear pages on an emulated unit: the deceleration test travels
// once with the next poll, and the engaged gear the unit reports lights its
// row and is taken into the image.

#include "windowonunit.h"

#include "pages/gear.h"
#include "pages/pages.h"
#include "pages/race.h"

namespace {

TEST_F(WindowOnUnit, DecelerationTestTravelsOnceWithTheNextPoll)
{
    form->PcImage.b[race_cells::IDLE_MODE] = 2;
    ASSERT_TRUE(Connected());
    form->ShowPage(PAGE_SLOT_RACE);
    ASSERT_TRUE(BetweenPolls());
    form->RacePage.ButtonDCTest->click();
    form->RacePage.ButtonDCTest->click();
    ASSERT_TRUE(Polled(1));
    Bytes request = unit.LastLiveRequest();
    ASSERT_EQ(request.size(), size_t(LIVE_REQUEST_LEN));
    EXPECT_EQ(Bytes(request.begin() + 99, request.begin() + 103), (Bytes { 0, 0, 0, 0x80 }));
    ASSERT_TRUE(Polled(1));
    request = unit.LastLiveRequest();
    EXPECT_EQ(Bytes(request.begin() + 99, request.begin() + 103), (Bytes { 0, 0, 0, 0 })) << "sent once";
}

TEST_F(WindowOnUnit, TheGearPageLightsAndTakesTheUnitsGear)
{
    using namespace gear_cells;
    unit.SetLiveByte(197, 3);
    unit.SetLiveWord(37, 2345);
    ASSERT_TRUE(Connected());
    form->ShowPage(PAGE_SLOT_GEAR);
    ASSERT_TRUE(Run([&] { return form->Monitor.Values.LiveGear == 3; }));
    // Six gears told by the sensor voltage.
    form->PcImage.b[SYSTEM] = 0;
    form->PcImage.b[COUNT] = 6;
    LoadPages(form.get(), 0);
    form->Timer1Timer(form->Timer1);
    const GearPageControls& page = form->GearPage;
    EXPECT_EQ(page.EditGearVoltage[3]->Color(), TColor(0x00FF00));
    EXPECT_EQ(page.LabelGear3->Color(), TColor(0x00FF00));
    EXPECT_EQ(page.EditGearVoltage[2]->Color(), clWindow);
    EXPECT_NE(page.ButtonGear3->Font()->Style() & fsBold, 0u);
    EXPECT_TRUE(page.ButtonGear3->Visible());
    page.ButtonGear3->click();
    EXPECT_EQ(form->PcImage.Word(VOLTAGE_WORD + 3), 2345);
    EXPECT_EQ(page.UpDownGearVoltage[3]->Position(), 2345);
}

} // namespace
