// The unit commands of the main menu against an emulated unit: what reaches
// the wire after each command.
#include "app/main.h"

#include "app/main_link.h"
#include "support/mainwindow.h"
#include "support/scripted_dialogs.h"
#include "support/unitwindow.h"

#include <gtest/gtest.h>

namespace {

constexpr int UNIT_PORT = 7;

class MenuOnTheLine : public OnEmulatedUnit<HeadlessMainWindow> {
protected:
    void SetUp() override
    {
        HeadlessMainWindow::SetUp();
        StartUnit(UNIT_PORT);
        Start();
        form->ComPort = UNIT_PORT;
        dialogs.boxes.clear();
    }
    bool Idle()
    {
        return form->ConnectedPort.load() == UNIT_PORT && form->LinkState == linkstate::Idle
            && form->LinkRequest == REQ_NONE;
    }
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
