#pragma once
// A started main window with an emulated unit behind the link, holding the
// window's image, with limiters set as the pages leave the image after a
// commit.

#include "app/main_link.h"
#include "pages/advance.h"
#include "pagewindow.h"
#include "support/unitwindow.h"

class PageWithUnit : public OnEmulatedUnit<PageWindow> {
protected:
    void SetUp() override
    {
        PageWindow::SetUp();
        Byte(advance_cells::IMAGE_LIMITER) = 110;
        Byte(advance_cells::IMAGE_START_LIMITER) = 40;
        Byte(advance_cells::CYLINDERS) = 2;
        StoreAndReloadPage(form.get());
        StartUnit(TEST_PORT);
        unit.SetImage(form->PcImage);
        form->ComPort = TEST_PORT;
    }
    bool Idle() { return form->LinkState == linkstate::Idle && form->Link->JobCode.load() == JOB_IDLE; }
    bool Connected()
    {
        return Run([&] { return Idle() && form->Images.UnitImageValid; });
    }
};
