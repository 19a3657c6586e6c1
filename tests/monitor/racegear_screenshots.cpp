// Not a test: pictures of the Race and Gear pages with the unit in gear 3,
// for a person to look at (scripts/screenshots, ZP_SHOTS names the folder).

#include "windowonunit.h"

#include "pages/gear.h"
#include "pages/pages.h"
#include "pages/race.h"

#include <QImage>

#include <cstdlib>
#include <string>

namespace {

TEST_F(WindowOnUnit, RaceAndGearPagesInGear3)
{
    const char* folder = std::getenv("ZP_SHOTS");
    ASSERT_TRUE(folder) << "ZP_SHOTS names the folder for the pictures";
    unit.SetLiveByte(197, 3);
    unit.SetLiveWord(37, 2345);
    unit.SetLiveWord(38, 412);
    ASSERT_TRUE(Connected());
    ASSERT_TRUE(Run([&] { return form->Monitor.Values.LiveGear == 3; }));
    RsImage& image = form->PcImage;
    image.b[race_cells::IDLE_MODE] = 1;
    image.b[race_cells::DC_ALLOWED] = 1;
    image.b[race_cells::BIKE_CODE] = 17;
    image.b[gear_cells::COUNT] = 6;
    form->resize(1240, 760);
    const auto shoot = [&](int page, const std::string& name) {
        form->PageControl1->SetActivePage(form->PageSheets[size_t(page)]);
        form->PageControl1Change(form->PageControl1);
        LoadPages(form.get(), 0);
        form->Timer1Timer(form->Timer1);
        EXPECT_TRUE(form->grab().save(QString::fromUtf8(folder) + "/" + QString::fromStdString(name)));
    };
    shoot(PAGE_SLOT_RACE, "race-page.png");
    for (int system : { 0, 1, 2 }) {
        image.b[gear_cells::SYSTEM] = uint8_t(system);
        shoot(PAGE_SLOT_GEAR, "gear-page-" + std::to_string(system) + ".png");
    }
}

} // namespace
