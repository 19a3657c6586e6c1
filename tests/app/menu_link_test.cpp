// The unit commands of the main menu against an emulated unit: what reaches
// the wire after each command.
#include "app/main.h"

#include "app/main_link.h"
#include "link/linktest.h"
#include "link/serialdevice.h"
#include "support/mainwindow.h"
#include "support/scripted_dialogs.h"
#include "tools/unit-emulator/emulator.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

constexpr int UNIT_PORT = 7;

class MenuOnTheLine : public HeadlessMainWindow {
protected:
    void SetUp() override
    {
        HeadlessMainWindow::SetUp();
        std::string error;
        ASSERT_TRUE(unit.Start(&error)) << error;
        SetComDeviceOverride(UNIT_PORT, unit.SlavePath());
        Start();
        form->ComPort = UNIT_PORT;
        dialogs.boxes.clear();
    }
    void TearDown() override
    {
        HeadlessMainWindow::TearDown();
        unit.Stop();
        SetComDeviceOverride(UNIT_PORT, "");
    }

    // Nothing under way between the window's link and the unit: the program
    // clock may move on without a time-out overtaking an answer on its way.
    bool Quiet() { return PortQuiet(form->Link->Port(UNIT_PORT), unit) && JobQuiet(*form->Link); }
    // Runs the window's tick until `done` holds; the tick moves the clock on
    // only while the line is quiet. False after `ticks` ticks.
    bool Run(const std::function<bool()>& done, int ticks)
    {
        const int32_t last = form->TickCount + ticks;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
        while (std::chrono::steady_clock::now() < deadline) {
            if (done())
                return true;
            if (Quiet()) {
                if (form->TickCount >= last)
                    return false;
                form->Timer1Timer(form->Timer1);
            } else {
                LinkTimerStep(form.get());
                std::this_thread::yield();
            }
        }
        return false;
    }
    bool Idle()
    {
        return form->ConnectedPort.load() == UNIT_PORT && form->LinkState == linkstate::Idle
            && form->LinkRequest == REQ_NONE;
    }

    unitemu::UnitEmulator unit;
};

TEST_F(MenuOnTheLine, ProgramWritesNothingBeforeTheFirstReadOfANewInstallation)
{
    ASSERT_TRUE(Run([&] { return Idle(); }, 2000)) << "the unit connects and its image is read";
    ASSERT_EQ(form->NewInstall, 1);
    const std::vector<uint8_t> unitImage = unit.UnitImage();

    form->ButtonProgram->Click();
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_TRUE(dialogs.boxes[0].text.startsWith("This is a new installation"));
    // Live polls go on; not one write frame.
    const int requests = unit.Requests();
    EXPECT_FALSE(Run([&] { return unit.Writes() != 0; }, 200));
    EXPECT_GT(unit.Requests(), requests) << "the line was in use all along";
    EXPECT_EQ(unit.Writes(), 0);
    EXPECT_EQ(unit.UnitImage(), unitImage);

    // After a Read the same command programs the unit.
    static_cast<TMenuItem*>(form->FindComponent("MenuRead"))->Click();
    ASSERT_TRUE(Run([&] { return form->LinkRequest == 0 && form->NewInstall == 0 && Idle(); }, 2000));
    form->PcImage.b[2648] = uint8_t(form->PcImage.b[2648] ^ 1);
    form->ButtonProgram->Click();
    EXPECT_EQ(dialogs.boxes.size(), 1u);
    ASSERT_TRUE(Run([&] { return unit.Writes() != 0 && Idle(); }, 2000));
    EXPECT_EQ(unit.UnitImage()[2648], form->PcImage.b[2648]);
}

} // namespace
