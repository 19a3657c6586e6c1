// The Synchro page's two live labels with an emulated unit behind the link:
// each synchronisation state the unit reports shows its texts and colours.
#include "pageunit.h"

#include "monitor/live.h"
#include "pages/synchro.h"

namespace {

class SynchroWithUnit : public PageWithUnit {
protected:
    void SetUp() override
    {
        PageWithUnit::SetUp();
        form->ShowPage(PAGE_SLOT_SYNCHRO);
    }
};

TEST_F(SynchroWithUnit, TheLiveLabelsShowTheSynchronisationState)
{
    struct Case {
        uint8_t state;
        const char* first;
        TColor firstColour;
        const char* second;
        TColor secondColour;
    } cases[] = {
        { 1, "Synchro 1:YES", clLime, "Synchro 2:NO", clBtnFace },
        { 2, "Synchro 1:YES", clLime, "Synchro 2:YES", clLime },
        { 0, "Synchro 1:No Synchronization", clBtnFace, "Synchro 2:No Synchronization", clBtnFace },
    };
    const SynchroPageControls& page = form->SynchroPage;
    for (const Case& c : cases) {
        unit.SetLiveByte(live::BSynchro, c.state);
        ASSERT_TRUE(Run([&] {
            return page.LabelSyncInfo1->Caption() == c.first && page.LabelSyncInfo2->Caption() == c.second;
        })) << int(c.state)
            << ": " << page.LabelSyncInfo1->Caption() << " / " << page.LabelSyncInfo2->Caption();
        EXPECT_EQ(page.LabelSyncInfo1->Color(), c.firstColour) << int(c.state);
        EXPECT_EQ(page.LabelSyncInfo2->Color(), c.secondColour) << int(c.state);
    }
}

} // namespace
