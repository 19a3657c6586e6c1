// The main window's tick drives the link sequencer against an emulated unit:
// what the window's own controls show of a connection and of a Read.
#include "app/main_link.h"
#include "support/mainwindow.h"

#include "link/linktest.h"
#include "platform/clock.h"
#include "tools/unit-emulator/emulator.h"

#include <chrono>
#include <functional>
#include <thread>

namespace {

constexpr int kPort = 211;

class LinkWindow : public HeadlessMainWindow {
protected:
    void SetUp() override
    {
        HeadlessMainWindow::SetUp();
        std::string error;
        ASSERT_TRUE(unit.Start(&error)) << error;
        SetComDeviceOverride(kPort, unit.SlavePath());
        Start();
        form->ComPort = kPort;
    }
    void TearDown() override
    {
        form.reset();
        unit.Stop();
        SetComDeviceOverride(kPort, "");
        HeadlessMainWindow::TearDown();
    }

    // Nothing under way between the window's link and the unit.
    bool Quiet() { return PortQuiet(form->Link->Port(kPort), unit) && JobQuiet(*form->Link); }

    // The window's tick while the line is quiet, else its link step alone.
    bool Run(const std::function<bool()>& done)
    {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (std::chrono::steady_clock::now() < deadline) {
            if (Quiet())
                form->Timer1Timer(form->Timer1);
            else
                LinkTimerStep(form.get());
            if (done())
                return true;
            std::this_thread::yield();
        }
        return false;
    }
    bool IdleAfter(const char* result)
    {
        return Run([&] {
            return form->LinkState == linkstate::Idle && form->LabelResult->Visible()
                && form->LabelResult->Caption() == result;
        });
    }

    unitemu::UnitEmulator unit;
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
    EXPECT_EQ(form->LabelCom->Caption(), "COM=" + std::to_string(kPort));
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
