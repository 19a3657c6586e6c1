// The N2O page on a started main window: its cells typed and loaded, the
// consistency pass on the ramps, and the page greyed until power output 2
// has the N2O function.
#include "pagewindow.h"

#include "app/language.h"
#include "app/main.h"
#include "pages/n2o.h"

namespace {

using namespace n2o_cells;

class N2OPage : public PageWindow {
protected:
    void SetUp() override
    {
        PageWindow::SetUp();
        form->ShowPage(PAGE_SLOT_N2O);
    }
    N2OPageControls& P() { return form->N2O; }
    void Load() { LoadN2OPage(form.get()); }
    void Store() { StoreN2OPage(form.get()); }
};

using C = N2OPageControls;

TEST_F(N2OPage, TypedValuesReachTheirBytesHeldToTheirRanges)
{
    const struct {
        const char* what;
        TEdit* C::*edit;
        int index;
        const char* typed;
        int stored;
    } cases[] = {
        { "delay in hundreds of ms", &C::EditGasD, 2805, "2500", 25 },
        { "build-up time in hundreds of ms", &C::EditRetardT, 2808, "1200", 12 },
        { "correction less 100", &C::EditGasJetKor1, 2810, "300", 200 },
        { "correction above its range", &C::EditGasJetKor2, 2811, "400", 250 },
        { "correction below its range", &C::EditGasJetKor2, 2811, "50", 0 },
        { "delay above its range, not wrapped", &C::EditGasD, 2805, "30000", 255 },
        { "retard held to 25 degrees", &C::EditRetard2, 2807, "40", 25 },
        { "speed limit in hundreds", &C::EditN2O_RPMmin, 4235, "5000", 50 },
        { "throttle limit", &C::EditN2O_TPSmin, 4236, "85", 85 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Load();
        (P().*c.edit)->SetText(c.typed);
        Store();
        EXPECT_EQ(Byte(c.index), c.stored);
    }
}

TEST_F(N2OPage, StoredBytesLoadScaledAndALoadThenAStoreChangesNoByte)
{
    const struct {
        TUpDown* C::*upDown;
        int index;
        int stored;
        int shown;
    } cases[] = {
        { &C::UpDownGas1, 2802, 60, 60 },
        { &C::UpDownGasT, 2804, 7, 700 },
        { &C::UpDownGasJetKor1, 2810, 20, 120 },
        { &C::UpDownRetardD, 2809, 200, 20000 },
        { &C::UpDownN2O_RPMmin, 4235, 20, 2000 },
    };
    for (const auto& c : cases)
        Byte(c.index) = uint8_t(c.stored);
    Byte(ENABLED) = 1;
    Load();
    for (const auto& c : cases)
        EXPECT_EQ((P().*c.upDown)->Position(), c.shown) << "byte " << c.index;
    EXPECT_TRUE(P().CheckBoxGas->Checked());
    const RsImage before = form->PcImage;
    Store();
    for (size_t i = 0; i < sizeof before.b; i++)
        ASSERT_EQ(form->PcImage.b[i], before.b[i]) << "byte " << i;
}

TEST_F(N2OPage, TheCommitsPassRaisesTheFinalShareAndTheBuildUpTime)
{
    Load();
    P().EditGas1->SetText("60");
    P().EditGas2->SetText("40");
    P().EditGasT->SetText("0");
    CommitEditNow(form.get());
    EXPECT_EQ(Byte(2803), 60);
    EXPECT_EQ(P().UpDownGas2->Position(), 60);
    EXPECT_EQ(Byte(2804), 1);
    EXPECT_EQ(P().UpDownGasT->Position(), 100);
}

TEST_F(N2OPage, ThePageWorksOnlyWhilePowerOutputTwoIsN2O)
{
    const struct {
        const char* what;
        int output2, enabled;
        bool box, edits;
        TColor groupFont, labelColour;
        const char* label;
    } cases[] = {
        { "output 2 off", 0, 1, false, false, clGray, clYellow, "Output: Select Power Out2 to allow N2O function" },
        { "output 2 special", 3, 1, false, false, clGray, clYellow, "Output: Select Power Out2 to allow N2O function" },
        { "N2O, not enabled", N2O_FUNCTION, 0, true, false, clGray, clBtnFace, "Output: Power Out2 = N2O" },
        { "N2O, enabled", N2O_FUNCTION, 1, true, true, clBlack, clBtnFace, "Output: Power Out2 = N2O" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Byte(POWER_OUT_2) = uint8_t(c.output2);
        Byte(ENABLED) = uint8_t(c.enabled);
        Byte(2802) = 30;
        Load();
        EXPECT_EQ(P().CheckBoxGas->Enabled(), c.box);
        EXPECT_EQ(P().EditGas1->Enabled(), c.edits);
        EXPECT_EQ(P().UpDownRetardT->Enabled(), c.edits);
        EXPECT_EQ(P().LabelN2O_TPSmin->Enabled(), c.edits);
        EXPECT_EQ(P().GroupBoxGas->Font()->Color(), c.groupFont);
        EXPECT_EQ(P().GroupBoxRetard->Font()->Color(), c.groupFont);
        EXPECT_EQ(P().LabelN2O_Output->Caption(), c.label);
        EXPECT_EQ(P().LabelN2O_Output->Color(), c.labelColour);
        EXPECT_FALSE(P().LabelN2O_Input->Visible());
        Store();
        EXPECT_EQ(Byte(2802), 30) << "a greyed page keeps its values";
        EXPECT_EQ(Byte(ENABLED), c.enabled);
    }
}

TEST_F(N2OPage, TheTextsFollowTheLanguage)
{
    Byte(POWER_OUT_2) = 0;
    Load();
    const struct {
        int language;
        const char* box;
        const char* retard;
        const char* speedLimit;
        const char* output;
    } cases[] = {
        { 1, "N2O zulassen", "Spätzündung",
            "RPM min (if 0 - used default value 2000 for older, 5000 for newer versios firmware)",
            "Ausgang: Wählen Sie Power Out2, um die N2O-Funktion zu ermöglichen" },
        { 2, "N2O povolen", "Snížení předstihu",
            "RPM min (pokud je 0 - použita výchozí hodnota 2000 pro starší, 5000 pro novější verze firmware)",
            "Výstup: Navolte POUT2 pro povolení funkce N2O" },
        { 0, "N2O enabled", "Retard",
            "RPM min (if 0 - used default value 2000 for older, 5000 for newer versios firmware)",
            "Output: Select Power Out2 to allow N2O function" },
    };
    for (const auto& c : cases) {
        // As the language command: the texts, then the shown page reloaded.
        LangIndex = c.language;
        ApplyLanguage(form.get());
        Load();
        EXPECT_EQ(P().CheckBoxGas->Caption(), c.box);
        EXPECT_EQ(P().GroupBoxRetard->Caption(), c.retard);
        EXPECT_EQ(P().LabelN2O_RPMmin->Caption(), c.speedLimit);
        EXPECT_EQ(P().LabelN2O_Output->Caption(), c.output);
    }
}

} // namespace
