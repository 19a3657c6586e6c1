// The external monitor from one run of the program to the next: a monitor
// left open comes back on the first tick with the set it showed.
#include "monitor/ExtMon.h"
#include "monitor/valuedefs.h"
#include "support/mainwindow.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class MonitorAcrossRuns : public HeadlessMainWindow {
protected:
    void TearDown() override
    {
        HeadlessMainWindow::TearDown();
        FormEM = nullptr;
        monitor.reset();
    }
    // A run of the program: its main window and its monitor window, created
    // hidden as the program entry creates them.
    void NextRun()
    {
        form.reset();
        FormEM = nullptr;
        monitor = std::make_unique<TFormEM>(nullptr);
        monitor->DoCreate();
        FormEM = monitor.get();
        Start();
    }
    std::unique_ptr<TFormEM> monitor;
};

TEST_F(MonitorAcrossRuns, AnOpenMonitorReopensWithItsSetOnTheFirstTick)
{
    ValueDefs = InitialValueDefs();
    NextRun();
    ShowExternalMonitor(form.get(), -2);
    ASSERT_TRUE(monitor->Visible());
    const int width = monitor->OuterWidth();
    SaveSettings(form.get());
    EXPECT_EQ(SavedSetting("FormEM->Visible"), "1");

    NextRun();
    EXPECT_FALSE(monitor->Visible());
    Tick();
    EXPECT_TRUE(monitor->Visible());
    EXPECT_EQ(monitor->MonitorImage->Place.items.size(), 36u);
    EXPECT_EQ(monitor->OuterWidth(), width);
    EXPECT_EQ(monitor->MonitorImage->MonitorMode, MODE_READ_ONLY);
    EXPECT_EQ(form->MonitorShown, 1);

    // Closed before the settings were saved: the next run leaves it closed.
    monitor->Hide();
    SaveSettings(form.get());
    EXPECT_EQ(SavedSetting("FormEM->Visible"), "0");
    NextRun();
    Tick(3);
    EXPECT_FALSE(monitor->Visible());
    EXPECT_TRUE(monitor->MonitorImage->Place.items.empty());
}

} // namespace
