// Not a test: the Tracking page's three sections on an emulated unit, for a
// person to look at. scripts/screenshots runs it under Xvfb with ZP_SHOTS
// naming the folder for the pictures.

#include "windowonunit.h"

#include "mapedit/tab.h"
#include "monitor/live.h"
#include "pages/pages.h"
#include "pages/tracking.h"

#include <QImage>

#include <cstdlib>

namespace {

TEST_F(WindowOnUnit, TrackingPageSections)
{
    const char* folder = std::getenv("ZP_SHOTS");
    ASSERT_TRUE(folder) << "ZP_SHOTS names the folder for the pictures";
    ASSERT_TRUE(Connected());
    unit.SetLiveWord(live::WLaunchAccel, uint16_t(-180));
    unit.SetLiveWord(live::WLaunchRetard, 35);
    unit.SetLiveWord(live::WSpeedFront, 84);
    unit.SetLiveWord(live::WSpeedRear, 91);
    unit.SetLiveWord(live::WSlip, 812);
    unit.SetLiveWord(live::WTrackRetard, 40);
    unit.SetLiveWord(2, 6400);
    ASSERT_TRUE(Run([&] { return form->Monitor.Values.LiveRpm == 6400; }));

    using namespace tracking_cells;
    RsImage& image = form->PcImage;
    image.b[LAUNCH_ENABLE] = 1;
    image.b[TRACK_ENABLE] = 1;
    image.b[START_SERVO_IN] = 1;
    image.b[RETARD_COUNT] = 6;
    image.b[LIMITER_COUNT] = 5;
    for (int i = 0; i < 6; ++i) {
        image.b[size_t(RETARD_TIMES + i)] = uint8_t(10 + 40 * i);
        image.b[size_t(RETARD_VALUES + i)] = uint8_t(20 - 3 * i);
        image.b[size_t(LIMITER_TIMES + i)] = uint8_t(10 + 50 * i);
        image.b[size_t(LIMITER_VALUES + i)] = uint8_t(60 + 10 * i);
    }
    for (int i = 0; i < TRACK_COLUMNS; ++i)
        image.b[size_t(TRACK_SLIP + i)] = uint8_t(5 + 10 * i);
    for (int j = 0; j < TRACK_ROWS; ++j) {
        image.SetWord(TRACK_TP_WORD + j, uint16_t(j * 20));
        for (int i = 0; i < TRACK_COLUMNS; ++i)
            image.b[size_t(TRACK_RETARD + TRACK_COLUMNS * j + i)] = uint8_t(i * j / 2);
    }
    form->resize(1240, 760);
    form->PageControl1->SetActivePage(form->PageSheets[PAGE_SLOT_TRACKING]);
    form->PageControl1Change(form->PageControl1);
    const char* names[] = { "/tracking-launch.png", "/tracking-afterstart.png", "/tracking-track.png" };
    for (int section : { SECTION_LAUNCH, SECTION_AFTERSTART, SECTION_TRACK }) {
        form->Tracking.TrackingHeaderBar->SelectSheet(section);
        LoadPages(form.get(), 0);
        UpdateLiveMonitor(form.get());
        EXPECT_TRUE(form->grab().save(QString::fromUtf8(folder) + names[section]));
    }
}

} // namespace
