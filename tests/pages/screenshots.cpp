// Not a test: pictures of the Injection page, for a person to look at.
// scripts/screenshots runs it under Xvfb with ZP_SHOTS naming the folder for
// the pictures: the injector map in coupled mode after the first tick (with
// its background and the coupling picture), and the strip of the
// compensation and IAP sheets.

#include "pagewindow.h"

#include "app/language.h"
#include "pages/injection.h"

#include <QImage>

#include <cstdlib>

namespace {

using namespace injection_cells;

TEST_F(PageWindow, InjectionPage)
{
    const char* folder = std::getenv("ZP_SHOTS");
    ASSERT_TRUE(folder) << "ZP_SHOTS names the folder for the pictures";
    Byte(CYLINDERS) = 4;
    Byte(COUPLING) = COUPLING_COUPLED;
    ApplyLanguage(form.get()); // the texts that follow the number of cylinders
    form->resize(1240, 760);
    form->ShowPage(PAGE_SLOT_INJECTION);
    Tick(); // the first tick decodes the backgrounds
    TTab* table = form->Maps.InjectionTable;
    const struct {
        int sheet;
        const char* name;
    } shots[] = { { 0, "/injection-coupled.png" }, { 4, "/injection-comp-tp.png" }, { 5, "/injection-b.png" },
        { 6, "/injection-iap.png" }, { 7, "/injection-comp-iap.png" } };
    for (const auto& s : shots) {
        table->SelectSheet(s.sheet);
        LoadPages(form.get(), 0);
        Tick();
        EXPECT_TRUE(form->grab().save(QString::fromUtf8(folder) + s.name));
    }
}

} // namespace
