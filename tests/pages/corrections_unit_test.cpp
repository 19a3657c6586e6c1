// The Corrections and Injection position pages with an emulated unit behind
// the link: blocks the unit changed reach the position tables, and the live
// corrections reach the page's labels.
#include "app/main_link.h"
#include "pagewindow.h"

#include "pages/corrections.h"
#include "pages/injposition.h"
#include "support/unitwindow.h"

namespace {

using namespace injposition_cells;

class CorrectionsWithUnit : public OnEmulatedUnit<PageWindow> {
protected:
    void SetUp() override
    {
        PageWindow::SetUp();
        form->ShowPage(PAGE_SLOT_INJECTION_POSITION);
        StoreAndReloadPage(form.get());
        StartUnit(TEST_PORT);
        unit.SetImage(form->PcImage);
        form->ComPort = TEST_PORT;
    }
    bool Idle() { return form->LinkState == linkstate::Idle && form->Link->JobCode.load() == JOB_IDLE; }
    bool Connected()
    {
        return Run([&] { return Idle() && form->Images.UnitImageValid; });
    }
};

TEST_F(CorrectionsWithUnit, ABlockReadBackRefreshesBothPositionTables)
{
    ASSERT_TRUE(Connected());
    RsImage changed = form->PcImage;
    changed.b[POSITION_A + 4] = uint8_t(Byte(POSITION_A + 4) == 60 ? 61 : 60);
    changed.b[POSITION_B + 9] = uint8_t(Byte(POSITION_B + 9) == 90 ? 91 : 90);
    unit.SetImage(changed);
    unit.SetChangedBlocks(1 << 10); // block 11: bytes 3000..3299
    ASSERT_TRUE(Run([&] { return form->PcImage == changed && form->ChangedBlocks == 0 && Idle(); }));
    EXPECT_EQ(form->Maps.InjectionPositionTableA->Sheets[0].V.Values[4], changed.b[POSITION_A + 4]);
    EXPECT_EQ(form->Maps.InjectionPositionTableB->Sheets[0].V.Values[9], changed.b[POSITION_B + 9]);
}

TEST_F(CorrectionsWithUnit, TheLiveCoolantCorrectionShowsOnThePage)
{
    form->ShowPage(PAGE_SLOT_CORRECTIONS);
    ASSERT_TRUE(Connected());
    unit.SetLiveWord(28, 1234);
    TLabel* label = form->Monitor.Pages.LabelCorInjTW;
    ASSERT_TRUE(Run([&] { return label->Caption() == "TW correction= 123.4 %"; })) << label->Caption();
}

} // namespace
