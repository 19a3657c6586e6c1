// The Bike page with an emulated unit behind the link: limiters the unit
// changed come back into the page with their block, and the unit's count of
// programmings shows under the notes.
#include "pageunit.h"

#include "pages/bike.h"

namespace {

using namespace bike_cells;

class BikeWithUnit : public PageWithUnit {
protected:
    void SetUp() override
    {
        PageWithUnit::SetUp();
        form->ShowPage(PAGE_SLOT_BIKE);
    }
};

TEST_F(BikeWithUnit, LimitersTheUnitChangedAreReadBackIntoThePage)
{
    ASSERT_TRUE(Connected());
    RsImage changed = form->PcImage;
    changed.b[IGN_LIMITER] = uint8_t(Byte(IGN_LIMITER) == 120 ? 121 : 120);
    changed.b[JET_LIMITER] = uint8_t(Byte(JET_LIMITER) == 118 ? 119 : 118);
    unit.SetImage(changed);
    unit.SetChangedBlocks(1 << 8); // block 9: bytes 2400..2699
    ASSERT_TRUE(Run([&] { return form->PcImage == changed && form->ChangedBlocks == 0 && Idle(); }));
    const BikePageControls& page = form->BikePage;
    EXPECT_EQ(page.UpDownIgnLimiter->Position(), changed.b[IGN_LIMITER] * 100);
    EXPECT_EQ(page.UpDownJetLimiter->Position(), changed.b[JET_LIMITER] * 100);
    EXPECT_EQ(form->LinkRequest, REQ_NONE) << "a read from the unit is not an edit";
}

TEST_F(BikeWithUnit, TheCountOfProgrammingsShowsTheUnitsWord)
{
    ASSERT_TRUE(Connected());
    unit.SetLiveWord(16, 4321);
    ASSERT_TRUE(Run([&] { return form->BikePage.LabelPocetProgramovani->Caption().ends_with("= 4321"); }))
        << form->BikePage.LabelPocetProgramovani->Caption();
}

} // namespace
