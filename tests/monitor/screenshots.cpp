// Not a test: pictures of the main window on an emulated unit, for a person
// to look at. scripts/screenshots runs it under Xvfb with ZP_SHOTS naming the
// folder for the pictures.

#include "windowonunit.h"

#include "app/language.h"
#include "mapedit/tab.h"
#include "pages/pages.h"
#include "texts/langtext.h"

#include <QImage>

#include <cstdlib>

namespace {

// The panel with the unit's values moving.
TEST_F(WindowOnUnit, MonitorPanelAndPages)
{
    const char* folder = std::getenv("ZP_SHOTS");
    ASSERT_TRUE(folder) << "ZP_SHOTS names the folder for the pictures";
    form->PcImage.b[2574] = 2;
    form->PcImage.b[2560] = 120;
    form->PcImage.b[2950] = 100;
    form->PcImage.b[2951] = 130;
    form->PcImage.b[2952] = 150;
    form->PcImage.b[2953] = 180;
    LoadPages(form.get(), 0);
    ASSERT_TRUE(Connected());
    HoldRideValues();
    for (int rpm : { 5400, 7250, 8930 }) {
        unit.SetLiveWord(2, uint16_t(rpm));
        ASSERT_TRUE(Run([&] { return form->Monitor.Values.LiveRpm == rpm; }));
    }
    // The whole window, wider than the offscreen screen.
    form->resize(1240, 760);
    EXPECT_TRUE(form->GroupBoxMonitor->Widget()->grab().save(QString::fromUtf8(folder) + "/monitor-panel.png"));
    // The panel in each language: no text cut.
    for (const auto& [language, name] : { std::pair { 1, "de" }, std::pair { 2, "cs" }, std::pair { 0, "en" } }) {
        LangIndex = language;
        ApplyLanguage(form.get());
        ASSERT_TRUE(Run([&] { return form->Monitor.Values.LiveRpm == 8930 && Quiet(); }));
        UpdateLiveMonitor(form.get());
        EXPECT_TRUE(form->GroupBoxMonitor->Widget()->grab().save(
            QString::fromUtf8(folder) + "/monitor-panel-" + name + ".png"));
    }
    EXPECT_TRUE(form->grab().save(QString::fromUtf8(folder) + "/main-window-live.png"));
    for (int page : { PAGE_SLOT_MONITOR, PAGE_SLOT_TEST }) {
        form->PageControl1->SetActivePage(form->PageSheets[size_t(page)]);
        form->PageControl1Change(form->PageControl1);
        EXPECT_TRUE(form->grab().save(
            QString::fromUtf8(folder) + (page == PAGE_SLOT_TEST ? "/test-page.png" : "/monitor-page.png")));
    }
    // The Idle page with the intake servo, then with the step motor, and the
    // Bike page with a model, then with the special setting (its box red), in
    // each language: no text cut.
    for (const auto& [language, suffix] : { std::pair { 1, "-de" }, std::pair { 2, "-cs" }, std::pair { 0, "" } }) {
        LangIndex = language;
        ApplyLanguage(form.get());
        form->PageControl1->SetActivePage(form->PageSheets[PAGE_SLOT_IDLE]);
        form->PageControl1Change(form->PageControl1);
        for (int mode : { 1, 2 }) {
            form->PcImage.b[2911] = uint8_t(mode);
            form->PcImage.b[2926] = 1;
            LoadPages(form.get(), 0);
            EXPECT_TRUE(form->grab().save(
                QString::fromUtf8(folder) + "/idle-page-mode" + QString::number(mode) + suffix + ".png"));
        }
        form->PageControl1->SetActivePage(form->PageSheets[PAGE_SLOT_BIKE]);
        form->PageControl1Change(form->PageControl1);
        for (int special : { 0, 1 }) {
            form->PcImage.b[2568] = uint8_t(special);
            LoadPages(form.get(), 0);
            EXPECT_TRUE(form->grab().save(
                QString::fromUtf8(folder) + "/bike-page" + (special ? "-special" : "") + suffix + ".png"));
        }
    }
    // The Servo page on the intake sheet (step motor off, so the controller
    // constants show) and on the exhaust sheet.
    form->PcImage.b[2781] = form->PcImage.b[2782] = 1;
    form->PcImage.b[2789] = 0;
    form->PageControl1->SetActivePage(form->PageSheets[PAGE_SLOT_SERVO]);
    form->PageControl1Change(form->PageControl1);
    TTab* servo = form->Maps.ServoTable;
    for (int sheet : { 0, 1 }) {
        servo->HotSheetTab = sheet + 1;
        servo->LeftDown();
        EXPECT_TRUE(
            form->grab().save(QString::fromUtf8(folder) + "/servo-page-sheet" + QString::number(sheet) + ".png"));
    }
}

} // namespace
