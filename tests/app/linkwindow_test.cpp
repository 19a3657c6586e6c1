// The main window's tick drives the link sequencer against an emulated unit:
// what the window's own controls show of a connection and of a Read.
#include "app/main_link.h"
#include "support/mainwindow.h"
#include "support/unitwindow.h"

#include "platform/clock.h"

namespace {

constexpr int PORT = 211;

class LinkWindow : public OnEmulatedUnit<HeadlessMainWindow> {
protected:
    void SetUp() override
    {
        HeadlessMainWindow::SetUp();
        StartUnit(PORT);
        Start();
        form->ComPort = PORT;
    }
    bool IdleAfter(const char* result)
    {
        return Run([&] {
            return form->LinkState == linkstate::Idle && form->LabelResult->Visible()
                && form->LabelResult->Caption() == result;
        });
    }
};

TEST_F(LinkWindow, TheWindowShowsTheConnectionAndTakesARead)
{
    // The unit holds the window's own consistent image but for one setting.
    RsImage unitImage = form->PcImage;
    unitImage.b[3001] ^= 1;
    unit.SetImage(unitImage);
    unit.SetIdentityByte(0, 'Q');
    form->CurrentFileName = u"bike.ign";

    ASSERT_TRUE(IdleAfter("Reference read: OK"));
    EXPECT_EQ(form->LabelCom->Caption(), "COM=" + std::to_string(PORT));
    EXPECT_EQ(form->LabelCongruence->Caption(), SelectLangText(UNIT_PC_DIFFERENT_TEXT, 0));
    EXPECT_EQ(form->CGaugeProgram->Progress(), 100);
    EXPECT_EQ(form->UnitTexts.name.substr(0, 1), "Q");
    ASSERT_TRUE(Run([&] { return form->UnitTypeStatus == UNIT_THIS_TYPE; }));
    EXPECT_EQ(form->StatusBar1->Panels(4)->Text(), form->StatusText);

    form->LinkRequest = REQ_READ;
    ASSERT_TRUE(IdleAfter("Verify: OK"));
    EXPECT_TRUE(form->PcImage == unitImage);
    EXPECT_TRUE(form->CurrentFileName.empty());
    EXPECT_EQ(form->LabelCongruence->Caption(), SelectLangText(UNIT_PC_IDENTICAL_TEXT, 0));
    EXPECT_TRUE(form->SpeedButtonZpet->Enabled()) << "the read is a step of the undo ring";
    EXPECT_TRUE(std::all_of(
        form->Images.ChangeMarks.begin(), form->Images.ChangeMarks.end(), [](uint8_t m) { return m == 0; }));
}

} // namespace
