// Not a test: pictures of the Synchro page for a person to look at.
// scripts/screenshots runs it under Xvfb with ZP_SHOTS naming the folder.
#include "pagewindow.h"

#include "pages/synchro.h"

#include <QString>

#include <cstdlib>

namespace {

using namespace synchro_cells;

class SynchroPictures : public PageWindow {
protected:
    void Save(const char* name)
    {
        const char* folder = std::getenv("ZP_SHOTS");
        ASSERT_TRUE(folder) << "ZP_SHOTS names the folder for the pictures";
        EXPECT_TRUE(form->grab().save(QString::fromUtf8(folder) + "/" + name));
    }
};

TEST_F(SynchroPictures, SpecialTypeAndCamshaft)
{
    form->resize(1240, 760);
    form->ShowPage(PAGE_SLOT_SYNCHRO);
    // The special setting on with the type described by conditions.
    Byte(SPECIAL) = 1;
    Byte(SYNCHRO_TYPE) = SYNCHRO_TYPE_SPECIAL;
    Byte(SYNCHRO2_TYPE) = 2;
    Byte(CYLINDERS) = 4;
    Byte(MAX_START_MODE) = 1;
    Byte(SPECIAL_CONDITIONS) = 3;
    LoadPages(form.get(), 1);
    Save("synchro-special.png");
    // The camshaft as second synchronisation: the two limits on the page.
    Byte(SYNCHRO_TYPE) = 3;
    Byte(SYNCHRO2_TYPE) = SYNCHRO2_CAM;
    Byte(CYLINDERS) = 2;
    Byte(MAX_START_MODE) = 0;
    LoadPages(form.get(), 1);
    Save("synchro-cam.png");
}

} // namespace
