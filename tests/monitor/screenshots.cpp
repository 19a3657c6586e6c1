// Not a test: pictures of the main window on an emulated unit, for a person
// to look at. scripts/screenshots runs it under Xvfb with ZP_SHOTS naming the
// folder for the pictures.

#include "windowonunit.h"

#include "mapedit/tab.h"
#include "pages/pages.h"

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
    const LiveSet sets[] = { { 'W', 47, 236 }, { 'W', 6, 1480 }, { 'B', 195, 186 }, { 'B', 196, 127 }, { 'W', 4, 1009 },
        { 'W', 69, 652 }, { 'W', 10, 13900 }, { 'B', 183, 24 }, { 'B', 184, 23 }, { 'B', 187, 42 }, { 'B', 188, 44 },
        { 'B', 191, 12 }, { 'B', 192, 12 }, { 'B', 203, 131 }, { 'B', 204, 255 }, { 'B', 205, 255 }, { 'B', 206, 255 },
        { 'W', 7, 620 }, { 'B', 177, 0x20 | 0x10 }, { 'B', 176, 0xC0 }, { 'B', 197, 4 }, { 'B', 199, 14 },
        { 'B', 200, 255 }, { 'B', 201, 255 }, { 'B', 202, 255 }, { 'W', 36, 118 }, { 'W', 65, 121 }, { 'W', 13, 2450 },
        { 'W', 14, 2460 }, { 'W', 11, 1800 }, { 'W', 12, 1820 }, { 'B', 223, 0 }, { 'W', 68, 7385 } };
    for (const LiveSet& s : sets) {
        if (s.kind == 'W')
            unit.SetLiveWord(s.k, uint16_t(s.value));
        else
            unit.SetLiveByte(s.k, uint8_t(s.value));
    }
    for (int rpm : { 5400, 7250, 8930 }) {
        unit.SetLiveWord(2, uint16_t(rpm));
        ASSERT_TRUE(Run([&] { return form->Monitor.Values.LiveRpm == rpm; }));
    }
    // The whole window, wider than the offscreen screen.
    form->resize(1240, 760);
    EXPECT_TRUE(form->GroupBoxMonitor->Widget()->grab().save(QString::fromUtf8(folder) + "/monitor-panel.png"));
    EXPECT_TRUE(form->grab().save(QString::fromUtf8(folder) + "/main-window-live.png"));
    for (int page : { PAGE_SLOT_MONITOR, PAGE_SLOT_TEST }) {
        form->PageControl1->SetActivePage(form->PageSheets[size_t(page)]);
        form->PageControl1Change(form->PageControl1);
        EXPECT_TRUE(form->grab().save(
            QString::fromUtf8(folder) + (page == PAGE_SLOT_TEST ? "/test-page.png" : "/monitor-page.png")));
    }
    // The Idle page with the intake servo, then with the step motor.
    form->PageControl1->SetActivePage(form->PageSheets[PAGE_SLOT_IDLE]);
    form->PageControl1Change(form->PageControl1);
    for (int mode : { 1, 2 }) {
        form->PcImage.b[2911] = uint8_t(mode);
        form->PcImage.b[2926] = 1;
        LoadPages(form.get(), 0);
        EXPECT_TRUE(form->grab().save(QString::fromUtf8(folder) + "/idle-page-mode" + QString::number(mode) + ".png"));
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
