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

// The empty set opens ready to be filled; an unknown preset shows nothing.
TEST_F(MonitorAcrossRuns, EmptySetOpensInEditModeAndAnUnknownPresetNowhere)
{
    NextRun();
    ShowExternalMonitor(form.get(), -4);
    EXPECT_FALSE(monitor->Visible());
    EXPECT_EQ(form->MonitorShown, 0);
    ShowExternalMonitor(form.get(), -1000);
    ASSERT_TRUE(monitor->Visible());
    const TMonImg& img = *monitor->MonitorImage;
    EXPECT_EQ(img.MonitorMode, MODE_EDIT);
    EXPECT_EQ(img.Place.editMode, 1);
    EXPECT_EQ(img.EditButton->state, 1);
    EXPECT_TRUE(img.Place.items.empty());
    EXPECT_EQ(monitor->ClientWidth(), img.Place.origWidth);
    EXPECT_EQ(monitor->ClientHeight(), img.Place.origHeight + 16);
}

// A set is shown at the zoom it was stored at once its mode is final: one
// stored in edit mode at zoom 1, one stored enlarged at the same enlargement.
TEST_F(MonitorAcrossRuns, ALoadedSetShowsAtTheZoomItWasStoredAt)
{
    ValueDefs = InitialValueDefs();
    NextRun();
    ShowExternalMonitor(form.get(), -1);
    TMonImg& img = *monitor->MonitorImage;
    const int base = img.Place.origWidth;
    const std::string edit = dir.file("edit.zmo"), big = dir.file("big.zmo");
    SetEditMode(monitor.get(), true);
    ASSERT_EQ(WriteMonitorSet(monitor.get(), edit), 0);
    SetEditMode(monitor.get(), false);
    monitor->SetClientWidth(base * 3 / 2);
    monitor->FormResize(monitor.get());
    ASSERT_NEAR(img.Place.items.at(0)->zoom, 1.5f, 0.01f);
    ASSERT_EQ(WriteMonitorSet(monitor.get(), big), 0);

    const struct {
        const std::string& file;
        float zoom;
    } loads[] = { { edit, 1.0f }, { big, 1.5f }, { edit, 1.0f } };
    for (const auto& load : loads) {
        SCOPED_TRACE(load.file);
        dialogs.fileAnswers = { QString::fromStdString(load.file) };
        ShowExternalMonitor(form.get(), 1);
        EXPECT_EQ(img.LoadResult, 0);
        EXPECT_EQ(img.MonitorMode, MODE_READ_ONLY);
        EXPECT_EQ(img.Place.items.size(), 13u);
        for (const CMyComponent* w : img.Place.items)
            EXPECT_NEAR(w->zoom, load.zoom, 0.01f);
    }
}

} // namespace
