// Not a test: pictures of the Power out and N2O pages for a person to look at.
// scripts/screenshots runs it under Xvfb with ZP_SHOTS naming the folder.

#include "pagewindow.h"

#include "app/main.h"
#include "pages/powerout.h"

#include <cstdlib>

namespace {

class PagePictures : public PageWindow {
protected:
    void Shoot(int page, const char* name)
    {
        const char* folder = std::getenv("ZP_SHOTS");
        ASSERT_TRUE(folder) << "ZP_SHOTS names the folder for the pictures";
        form->resize(1240, 760);
        form->PageControl1->SetActivePage(form->PageSheets[size_t(page)]);
        form->PageControl1Change(form->PageControl1);
        SyncMapTables(form->Maps);
        EXPECT_TRUE(form->grab().save(QString::fromUtf8(folder) + "/" + name + ".png"));
    }
};

// Every output on its map, with bands of different widths.
TEST_F(PagePictures, PowerOutPage)
{
    using namespace powerout_cells;
    for (int n = 0; n < POWER_OUT_COUNT; ++n) {
        Byte(FUNCTION + n) = SPECIAL;
        Byte(HYSTERESIS + n) = uint8_t(20 + 20 * n);
        Byte(RPM + 3 * n) = 30;
        Byte(RPM + 3 * n + 1) = 60;
        Byte(RPM + 3 * n + 2) = uint8_t(90 + 10 * n);
        Byte(TP + 2 * n) = 20;
        Byte(TP + 2 * n + 1) = 60;
        Byte(ROWS + 3 * n) = 0x0C;
        Byte(ROWS + 3 * n + 1) = 0x0E;
        Byte(ROWS + 3 * n + 2) = 0x0F;
    }
    Shoot(PAGE_SLOT_POWER_OUT, "power-out-page");
    // Outputs 2 and 3 in the proportional view, with their hatched bands.
    for (int n : { 1, 2 }) {
        TTab* table = form->PowerOut.PowerOutTables[size_t(n)];
        table->Graph.OnOffFlag = 1;
        table->RedrawBits |= REDRAW_VALUES;
    }
    Shoot(PAGE_SLOT_POWER_OUT, "power-out-page-bands");
}

TEST_F(PagePictures, N2OPage)
{
    Byte(2813) = 0;
    Shoot(PAGE_SLOT_N2O, "n2o-page-greyed");
    Byte(2813) = 4;
    Byte(2801) = 1;
    Shoot(PAGE_SLOT_N2O, "n2o-page");
}

TEST_F(PagePictures, TuningPage)
{
    for (int i = 0; i < 25; i++)
        Byte(2961 + i) = uint8_t(125 + i % 5 * 5);
    Shoot(PAGE_SLOT_TUNING, "tuning-page");
}

} // namespace
