// Not a test: pictures of settings pages on an emulated unit, for a person to
// look at. scripts/screenshots runs it under Xvfb with ZP_SHOTS naming the
// folder for the pictures.

#include "app/main_link.h"
#include "pagewindow.h"

#include "pages/corrections.h"
#include "support/unitwindow.h"

#include <QImage>

#include <cstdlib>

namespace {

class PagesOnUnit : public OnEmulatedUnit<PageWindow> {
protected:
    void SetUp() override
    {
        PageWindow::SetUp();
        StartUnit(TEST_PORT);
        unit.SetImage(form->PcImage);
        form->ComPort = TEST_PORT;
    }
    bool Connected()
    {
        return Run([&] {
            return form->LinkState == linkstate::Idle && form->Link->JobCode.load() == JOB_IDLE
                && form->Images.UnitImageValid;
        });
    }
    void Show(int page)
    {
        form->PageControl1->SetActivePage(form->PageSheets[size_t(page)]);
        form->PageControl1Change(form->PageControl1);
    }
    bool Save(const char* folder, const QString& name)
    {
        return form->grab().save(QString::fromUtf8(folder) + "/" + name + ".png");
    }
};

// Every tab of the Corrections page with the unit's corrections moving, and
// the Injection position page.
TEST_F(PagesOnUnit, CorrectionsAndInjectionPosition)
{
    const char* folder = std::getenv("ZP_SHOTS");
    ASSERT_TRUE(folder) << "ZP_SHOTS names the folder for the pictures";
    ASSERT_TRUE(Connected());
    // Corrections in tenths of a percent or degree (degrees biased by 100).
    const std::pair<int, int> words[] = { { 2, 3400 }, { 28, 1125 }, { 29, 985 }, { 30, 1000 }, { 31, 1350 },
        { 32, 1080 }, { 33, 1020 }, { 34, 1000 }, { 35, 1000 }, { 45, 1000 }, { 48, 1000 }, { 51, 990 }, { 52, 1000 },
        { 53, 40 }, { 54, 1100 }, { 55, 120 } };
    for (const auto& [k, value] : words)
        unit.SetLiveWord(k, uint16_t(value));
    ASSERT_TRUE(Run([&] { return form->Monitor.Values.LiveRpm == 3400; }));
    form->resize(1240, 760);
    Show(PAGE_SLOT_CORRECTIONS);
    for (int tab = 0; tab < CORRECTIONS_TABS; tab++) {
        form->Corrections.CorrectionsHeaderTable->SelectSheet(tab);
        ShowCorrectionsTables(form.get());
        Run([] { return false; }, 3);
        EXPECT_TRUE(Save(folder, "corrections-tab" + QString::number(tab)));
    }
    Show(PAGE_SLOT_INJECTION_POSITION);
    Run([] { return false; }, 3);
    EXPECT_TRUE(Save(folder, "injection-position-page"));
}

} // namespace
