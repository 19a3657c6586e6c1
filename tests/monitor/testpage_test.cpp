// The Test page: its buttons set command bits only, and its cells go into
// the image and back as the unit reads them.

#include "monitorwindow.h"

#include "app/binding.h"
#include "pages/pages.h"

namespace {

TButton* Button(const TestPageControls& t, const std::string& name)
{
    for (size_t i = 0; i < ONE_SHOT_BITS.size(); ++i)
        if (ONE_SHOT_BITS[i].control == name)
            return t.Buttons[i];
    return nullptr;
}

TEST_F(MonitorWindow, TestButtonsSetTheirBitOnce)
{
    const TestPageControls& t = form->TestPage;
    for (const char* name : { "ButtonTestStop", "ButtonTestStop", "ButtonTestIgn1", "ButtonTestPOut5",
             "ButtonTestJet4B", "ButtonTestPortIn" })
        Button(t, name)->click();
    EXPECT_EQ(form->OneShot.Pending(), (std::array<uint8_t, 4> { 0x80, 0x81, 0x20, 0x40 }));
    // A button of older units sets nothing.
    t.ButtonTestStart->click();
    form->ButtonTestClick(form->CheckBoxProgHned);
    EXPECT_EQ(form->OneShot.Pending(), (std::array<uint8_t, 4> { 0x80, 0x81, 0x20, 0x40 }));
    EXPECT_FALSE(t.ButtonTestStart->Visible());
    EXPECT_FALSE(t.CheckBoxTestInjFuelOn->Visible());
}

TEST_F(MonitorWindow, EveryBitOfTheTableHasOneButton)
{
    std::array<uint8_t, 4> all {};
    for (const OneShotBit& bit : ONE_SHOT_BITS) {
        EXPECT_EQ(all[size_t(bit.byte)] & bit.mask, 0) << bit.control;
        all[size_t(bit.byte)] |= bit.mask;
        ASSERT_NE(Button(form->TestPage, bit.control), nullptr) << bit.control;
    }
    // Byte 1 bits 4..6 are free; byte 3 bit 7 belongs to the Race page.
    EXPECT_EQ(all, (std::array<uint8_t, 4> { 0xFF, 0x8F, 0xFF, 0x7F }));
}

struct CellCase {
    const char* upDown;
    int position;
    int offset; // byte offset; words give their low byte
    std::vector<uint8_t> stored;
    int loaded;
};

TEST_F(MonitorWindow, TestPageCellsStoreAndLoad)
{
    const CellCase cases[] = {
        { "UpDownTestRpm", 25000, 2999, { 250 }, 25000 },
        { "UpDownTestRpm", 200, 2999, { 2 }, 200 },
        { "UpDownTestServo", 2500, 3000, { 250 }, 2500 },
        { "UpDownTestServo", 10, 3000, { 1 }, 10 },
        { "UpDownLambdaBar2", 160, 2952, { 160 }, 160 },
        { "UpDownProp1", -1, 2226, { 0xFF, 0xFF }, -1 },
        { "UpDownProp5", 32000, 2234, { 0x00, 0x7D }, 32000 },
    };
    form->PageControl1->SetActivePage(form->PageSheets[PAGE_SLOT_TEST]);
    form->PageControl1Change(form->PageControl1);
    ASSERT_EQ(form->ActivePageIndex, PAGE_SLOT_TEST);
    for (const CellCase& c : cases) {
        auto* upDown = dynamic_cast<TUpDown*>(form->FindComponent(c.upDown));
        ASSERT_NE(upDown, nullptr) << c.upDown;
        SetUpDownQuiet(form.get(), upDown, c.position);
        StoreActivePage(form.get());
        for (size_t i = 0; i < c.stored.size(); ++i)
            EXPECT_EQ(form->PcImage.b[size_t(c.offset) + i], c.stored[i]) << c.upDown << " " << c.position;
        SetUpDownQuiet(form.get(), upDown, upDown->Min() == c.position ? upDown->Max() : upDown->Min());
        LoadPages(form.get(), 0);
        EXPECT_EQ(upDown->Position(), c.loaded) << c.upDown;
    }
}

} // namespace
