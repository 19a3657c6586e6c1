// Not a test: pictures of the Sensors page for a person to look at, in the
// voltage and in the resistance view, with the CAN identifiers of four
// wide-band sensors. scripts/screenshots runs it under Xvfb with ZP_SHOTS
// naming the folder.
#include "pagewindow.h"

#include "pages/sensors.h"

#include <QString>

#include <cstdlib>

namespace {

using namespace sensors_cells;

TEST_F(PageWindow, SensorsPageInBothViews)
{
    const char* folder = std::getenv("ZP_SHOTS");
    ASSERT_TRUE(folder) << "ZP_SHOTS names the folder for the pictures";
    form->resize(1240, 760);
    form->ShowPage(PAGE_SLOT_SENSORS);
    Byte(LAMBDA_TYPE) = 2;
    Byte(LAMBDA_OFF) = 0;
    Byte(MAPS_COUPLED) = 0;
    Byte(CYLINDERS) = 4;
    Byte(POT_MODE) = 3;
    LoadPages(form.get(), 1);
    EXPECT_TRUE(form->grab().save(QString::fromUtf8(folder) + "/sensors-voltage.png"));
    form->Sensors.RadioGroupCharView->SetItemIndex(1);
    EXPECT_TRUE(form->grab().save(QString::fromUtf8(folder) + "/sensors-resistance.png"));
}

} // namespace
