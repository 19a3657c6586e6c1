// Not a test: a picture of the update window, for a person to look at.
// scripts/screenshots runs it under Xvfb with ZP_SHOTS naming the folder.

#include "updatewindow.h"

#include <QString>

#include <cstdlib>

namespace {

using namespace updatetest;

// The update window with a formatted offer.
TEST_F(UpdateWindow, FormattedOffer)
{
    const char* folder = std::getenv("ZP_SHOTS");
    ASSERT_TRUE(folder) << "ZP_SHOTS names the folder for the picture";
    Start();
    PatchOffer offer = Offer();
    offer.rich = true;
    offer.text
        = "{\\rtf1\\ansi\\ansicpg1250{\\fonttbl{\\f0\\fswiss Arial;}}"
          "{\\colortbl ;\\red192\\green0\\blue0;\\red0\\green96\\blue0;}\\fs28{\\b New version 12}\\fs20\\par\\par "
          "What changed:\\par\\tab - {\\cf2 faster reading} of the unit\\par\\tab - {\\i corrected} idle page "
          "texts\\par\\par{\\cf1\\b Please save your settings before you install.}\\par}";
    AnswerWith([folder](TFormPatch* w) {
        EXPECT_TRUE(w->grab().save(QString::fromUtf8(folder) + "/update_window.png"));
        w->ButtonPatchCancel->Click();
    });
    PresentPatchOffer(form.get(), offer);
}

} // namespace
