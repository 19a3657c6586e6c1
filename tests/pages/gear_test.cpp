// The Gear page on a started main window: the take buttons with live data,
// what each gear system and count shows, the live colours and the cells as
// bytes.
#include "pagewindow.h"

#include "app/About.h"
#include "image/consistency.h"
#include "monitor/panel.h"
#include "pages/gear.h"
#include "support/livetest.h"
#include "texts/langtext.h"

#include <vector>

namespace {

using namespace gear_cells;
using P = GearPageControls;

class GearPage : public PageWindow {
protected:
    void SetUp() override
    {
        PageWindow::SetUp();
        form->ShowPage(PAGE_SLOT_GEAR);
    }
    P& Page() { return form->GearPage; }
    void Load(int system, int count)
    {
        Byte(SYSTEM) = uint8_t(system);
        Byte(COUNT) = uint8_t(count);
        LoadGearPage(form.get());
    }
    uint16_t Word(int k) const { return form->PcImage.Word(k); }
    void SetWord(int k, int value) { form->PcImage.SetWord(k, uint16_t(value)); }
    // A live block as a paused playback leaves it, decoded, then a tick's colours.
    void Live(const std::vector<LiveSet>& sets)
    {
        form->Live = ReceivedBlock(sets);
        form->LogPlayerState = 6;
        UpdateLiveMonitor(form.get());
        RefreshPageColours(form.get());
    }
    TButton* Button(int gear)
    {
        return dynamic_cast<TButton*>(form->FindComponent("ButtonGear" + std::to_string(gear)));
    }
};

TEST_F(GearPage, TakeButtonsStoreTheLiveValueOfTheSystem)
{
    struct Case {
        int system, button;
        int word; // the word expected to take a live value; -1 none
        int value;
    } cases[] = {
        { 0, 3, VOLTAGE_WORD + 3, 2345 }, // the sensor voltage
        { 0, 0, VOLTAGE_WORD + 0, 2345 },
        { 1, 3, RATIO_WORD + 2, 456 }, // the ratio
        { 1, 0, -1, 0 }, // gear 0 has no ratio
        { 2, 3, -1, 0 },
    };
    for (const Case& c : cases) {
        for (int i = 0; i <= GEAR_MAX; ++i)
            SetWord(VOLTAGE_WORD + i, 1000 + i);
        for (int i = 0; i < GEAR_MAX; ++i)
            SetWord(RATIO_WORD + i, 100 + i);
        Byte(AUTO_TPS) = 5;
        Load(c.system, 6);
        Live({ { 'B', 197, 3 }, { 'W', 37, 2345 }, { 'W', 38, 456 } });
        Page().UpDownGearAutoTps->SetPosition(17); // an edit the commit stores with it
        Button(c.button)->Click();
        for (int i = 0; i <= GEAR_MAX; ++i)
            EXPECT_EQ(Word(VOLTAGE_WORD + i), VOLTAGE_WORD + i == c.word ? c.value : 1000 + i)
                << "system " << c.system << " button " << c.button << " gear " << i;
        for (int i = 0; i < GEAR_MAX; ++i)
            EXPECT_EQ(Word(RATIO_WORD + i), RATIO_WORD + i == c.word ? c.value : 100 + i)
                << "system " << c.system << " button " << c.button << " ratio " << i + 1;
        const bool commits = !(c.system == 1 && c.button == 0);
        EXPECT_EQ(Byte(AUTO_TPS) == 17, commits) << "system " << c.system << " button " << c.button;
    }
}

TEST_F(GearPage, EachSystemAndCountShowsItsControls)
{
    struct Case {
        int system, count;
        bool countRow, voltage, ratio, automatic, buttons01, korLabel1;
        int shownRows; // gears / rows 2..6 shown up to this one
    } cases[] = {
        { 3, 6, false, false, false, false, false, false, 1 },
        { 0, 4, true, true, false, false, true, true, 4 },
        { 1, 6, true, false, true, false, true, true, 6 },
        { 2, 2, true, false, false, true, false, true, 2 },
    };
    for (const Case& c : cases) {
        Load(c.system, c.count);
        const std::string where = "system " + std::to_string(c.system) + " count " + std::to_string(c.count);
        EXPECT_EQ(Page().EditPocetGear->Visible(), c.countRow) << where;
        EXPECT_EQ(Page().LabelPocetGear->Visible(), c.countRow) << where;
        EXPECT_EQ(Page().GroupBoxNapetiProGear->Visible(), c.voltage) << where;
        EXPECT_EQ(Page().GroupBoxRpmSpeedProGear->Visible(), c.ratio) << where;
        EXPECT_EQ(Page().GroupBoxMonAutoGear->Visible(), c.automatic) << where;
        EXPECT_EQ(Page().LabelMonPomerRpmSpeed->Visible(), c.ratio || c.automatic) << where;
        EXPECT_FALSE(Page().GroupBoxNeutral->Visible()) << where;
        EXPECT_EQ(Button(0)->Visible(), c.buttons01) << where;
        EXPECT_EQ(Button(1)->Visible(), c.buttons01) << where;
        EXPECT_EQ(Page().LabelGearKor1->Visible(), c.korLabel1) << where;
        for (TEdit* edit : Page().EditGearCorrection[1])
            EXPECT_TRUE(edit->Visible()) << "row 1 stays, " << where;
        for (int k = 2; k <= GEAR_MAX; ++k) {
            const bool row = k <= c.shownRows;
            const std::string at = where + " gear " + std::to_string(k);
            EXPECT_EQ(Button(k)->Visible(), c.buttons01 && row) << at;
            EXPECT_EQ(Page().EditGearVoltage[size_t(k)]->Visible(), row) << at;
            EXPECT_EQ(Page().UpDownGearRatio[size_t(k)]->Visible(), row) << at;
            EXPECT_EQ(Page().EditGearCorrection[size_t(k)][3]->Visible(), row) << at;
            EXPECT_EQ(dynamic_cast<TControl*>(form->FindComponent("LabelGearKor" + std::to_string(k)))->Visible(), row)
                << at;
            if (c.system != 3) {
                EXPECT_EQ(dynamic_cast<TControl*>(form->FindComponent("LabelGear" + std::to_string(k)))->Visible(), row)
                    << at;
                EXPECT_EQ(Page().LabelsGearAutoRatio[size_t(k)]->Visible(), row) << at;
            }
        }
    }
}

TEST_F(GearPage, TheEngagedGearIsLit)
{
    struct Case {
        int system, gear;
        int korRow; // the correction row lit
        bool voltageLit, ratioLit, autoLit, bold;
    } cases[] = {
        { 0, 3, 3, true, false, false, true },
        { 1, 3, 3, false, true, false, true },
        { 2, 3, 3, false, false, true, false },
        { 0, 0, 1, true, false, false, true },
        { 1, 0, 1, false, false, false, false },
        { 0, 255, 1, false, false, false, false },
    };
    for (const Case& c : cases) {
        Load(c.system, 6);
        Live({ { 'B', 197, c.gear } });
        const std::string where = "system " + std::to_string(c.system) + " gear " + std::to_string(c.gear);
        for (int r = 1; r <= GEAR_MAX; ++r)
            for (TEdit* edit : Page().EditGearCorrection[size_t(r)])
                EXPECT_EQ(edit->Color(), r == c.korRow ? TColor(0x00FF00) : clWindow) << where << " row " << r;
        if (c.gear <= GEAR_MAX) {
            const size_t g = size_t(c.gear);
            EXPECT_EQ(Page().EditGearVoltage[g]->Color() == TColor(0x00FF00), c.voltageLit) << where;
            if (g >= 1) {
                EXPECT_EQ(Page().EditGearRatio[g]->Color() == TColor(0x00FF00), c.ratioLit) << where;
                EXPECT_EQ(Page().LabelsGearAutoRatio[g]->Color() == TColor(0x00FF00), c.autoLit) << where;
            }
            EXPECT_EQ((Button(c.gear)->Font()->Style() & fsBold) != 0, c.bold) << where;
        }
        for (int i = 0; i <= GEAR_MAX; ++i)
            if (i != c.gear) {
                EXPECT_EQ(Page().EditGearVoltage[size_t(i)]->Color(), clWindow) << where << " gear " << i;
                EXPECT_EQ(Button(i)->Font()->Style() & fsBold, 0u) << where << " gear " << i;
            }
        EXPECT_EQ(Button(0)->Font()->Color(), TColor(0x00FF00));
    }
}

TEST_F(GearPage, CellsAreStoredByTheirBiasAndHeldToTheirRange)
{
    struct Case {
        const char* what;
        TUpDown* (*upDown)(P&);
        int typed;
        int cell; // a byte, or a word when `word`
        bool word;
        int stored;
        int shown;
    } cases[] = {
        { "advance of row 2", [](P& p) { return p.UpDownGearCorrection[2][0]; }, -20, ADVANCE + 1, false, 80, -20 },
        { "advance beyond its range", [](P& p) { return p.UpDownGearCorrection[1][0]; }, 25, ADVANCE, false, 120, 20 },
        { "track of row 6", [](P& p) { return p.UpDownGearCorrection[6][3]; }, 300, TRACK + 5, false, 250, 250 },
        { "auto rpm", [](P& p) { return p.UpDownGearAutoRpm; }, 4200, AUTO_RPM, false, 42, 4200 },
        { "band", [](P& p) -> TUpDown* { return p.DeciUpDownGearAutoBand; }, 55, AUTO_BAND, false, 55, 55 },
        { "voltage of gear 0", [](P& p) { return p.UpDownGearVoltage[0]; }, 6000, VOLTAGE_WORD, true, 5000, 5000 },
        { "ratio of gear 6", [](P& p) { return p.UpDownGearRatio[6]; }, 31999, RATIO_WORD + 5, true, 31999, 31999 },
        { "speed output correction", [](P& p) { return p.UpDownSpeedOutCorrection; }, 65000, SPEED_OUT_WORD, true,
            65000, 65000 },
    };
    Load(0, 6);
    for (const Case& c : cases) {
        TUpDown* upDown = c.upDown(Page());
        upDown->SetPosition(c.typed);
        StoreAndReloadPage(form.get());
        EXPECT_EQ(c.word ? int(Word(c.cell)) : int(Byte(c.cell)), c.stored) << c.what;
        EXPECT_EQ(upDown->Position(), c.shown) << c.what;
    }
}

TEST_F(GearPage, TheBandShowsTenthsOfAPercent)
{
    Byte(AUTO_BAND) = 55;
    Load(2, 6);
    EXPECT_EQ(Page().DeciEditGearAutoBand->Text(), "5.5");
}

TEST_F(GearPage, TheSpeedOutputCopyIsHeldToAByte)
{
    struct Case {
        int typed;
        uint8_t copy;
    } cases[] = { { 300, 250 }, { 250, 250 }, { 249, 249 }, { 1, 1 } };
    Load(0, 6);
    for (const Case& c : cases) {
        Page().UpDownSpeedOutCorrection->SetPosition(c.typed);
        StoreAndReloadPage(form.get());
        EXPECT_EQ(Word(SPEED_OUT_WORD), c.typed);
        EXPECT_EQ(Byte(SPEED_OUT_COPY), c.copy) << c.typed;
    }
}

TEST_F(GearPage, AnEmptySpeedOutputWordTakesTheCopy)
{
    SetWord(SPEED_OUT_WORD, 0);
    Byte(SPEED_OUT_COPY) = 77;
    NormalizeParameterImage(form->PcImage);
    Load(0, 6);
    EXPECT_EQ(Word(SPEED_OUT_WORD), 77);
    EXPECT_EQ(Page().UpDownSpeedOutCorrection->Position(), 77);
}

TEST_F(GearPage, ALoadThenAStoreChangesNoByte)
{
    for (int system : { 0, 1, 2, 3 }) {
        // Cells outside their ranges are first held to them.
        Load(system, 5);
        StoreGearPage(form.get());
        LoadGearPage(form.get());
        const RsImage before = form->PcImage;
        StoreGearPage(form.get());
        for (int i = 0; i < int(std::size(before.b)); ++i)
            EXPECT_EQ(form->PcImage.b[size_t(i)], before.b[size_t(i)]) << "byte " << i << ", system " << system;
    }
}

TEST_F(GearPage, ChoosingASystemCommitsItsCode)
{
    Load(0, 6);
    struct Case {
        int item, code;
    } cases[] = { { 0, 3 }, { 3, 2 }, { 2, 1 }, { 1, 0 } };
    for (const Case& c : cases) {
        Page().RadioGroupGearSystem->SetItemIndex(c.item);
        EXPECT_EQ(Byte(SYSTEM), c.code) << c.item;
        EXPECT_EQ(Page().GroupBoxNapetiProGear->Visible(), c.code == 0) << "reloaded, item " << c.item;
    }
}

TEST_F(GearPage, TheSystemListFollowsTheLanguage)
{
    Load(2, 6);
    const int saved = LangIndex;
    LangIndex = 1;
    FillGearSystemList(form.get());
    EXPECT_EQ(Page().RadioGroupGearSystem->Caption(), "Gangbestimmung");
    EXPECT_EQ(Page().RadioGroupGearSystem->ItemIndex(), 3) << "the stored code stays selected";
    EXPECT_EQ(Byte(SYSTEM), 2);
    LangIndex = saved;
    FillGearSystemList(form.get());
    EXPECT_EQ(Page().RadioGroupGearSystem->Caption(), "Determining of gear");
}

} // namespace
