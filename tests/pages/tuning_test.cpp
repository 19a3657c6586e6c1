// The Tuning page on a started main window: the load and store of its cells,
// the channel shown as "ALL", which rows show, the switch of the tuning
// source with its question, and F6.
#include "pagewindow.h"

#include "app/About.h"
#include "app/language.h"
#include "app/main.h"
#include "monitor/live.h"
#include "monitor/panel.h"
#include "pages/tuning.h"

namespace {

using namespace tuning_cells;

class TuningPage : public PageWindow {
protected:
    void SetUp() override
    {
        PageWindow::SetUp();
        form->ShowPage(PAGE_SLOT_TUNING);
    }
    TuningPageControls& P() { return form->Tuning; }
    void Load() { LoadTuningPage(form.get()); }
    void Store() { StoreTuningPage(form.get()); }
};

TEST_F(TuningPage, CellsLoadIntoTheirControlsAndStoreBack)
{
    struct Case {
        const char* what;
        TUpDown* TuningPageControls::*upDown;
        int index;
        int stored;
        int shown;
    } cases[] = {
        { "rpm tolerance in tens", &TuningPageControls::UpDownLadeniRpm, 2987, 25, 250 },
        { "rpm min in hundreds", &TuningPageControls::UpDownLadeniRpmMin, 2996, 40, 4000 },
        { "temperature min, offset 100", &TuningPageControls::UpDownLadeniTempMin, 2997, 70, -30 },
        { "temperature max, offset 100", &TuningPageControls::UpDownLadeniTempMax, 2998, 250, 150 },
        { "acceleration limit up to a byte", &TuningPageControls::UpDownLadeniMaxAcc, 2992, 255, 255 },
        { "compensation limit as the Injection page allows", &TuningPageControls::UpDownCompLimit, 4241, 150, 150 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Byte(c.index) = uint8_t(c.stored);
        Load();
        EXPECT_EQ((P().*c.upDown)->Position(), c.shown);
        Byte(c.index) = 0;
        Store();
        EXPECT_EQ(Byte(c.index), c.stored);
    }
    // Decimal pairs hold tenths.
    Byte(2986) = 15;
    Load();
    EXPECT_EQ(P().DeciUpDownLadeniHyster->Position(), 15);
    EXPECT_EQ(P().DeciEditLadeniHyster->Text(), "1.5");
}

TEST_F(TuningPage, TheChannelShowsAllForZeroAndKeepsAChannelOfMoreOutputs)
{
    Byte(OUTPUTS) = 1;
    Byte(CHANNEL) = 1;
    Load();
    Byte(OUTPUTS) = 4;
    Byte(CHANNEL) = 3;
    Load();
    EXPECT_EQ(P().UpDownLadeniKanal->Position(), 3) << "not cut to the earlier output count";
    Store();
    EXPECT_EQ(Byte(CHANNEL), 3);

    Byte(CHANNEL) = 0;
    Load();
    EXPECT_EQ(P().EditLadeniKanal->Text(), "ALL");
    Store();
    EXPECT_EQ(Byte(CHANNEL), 0);
}

TEST_F(TuningPage, ALoadThenAStoreChangesNoByte)
{
    Byte(MODE) = 1;
    Byte(SWITCH) = 3;
    Byte(SOURCE) = 1;
    Byte(COMP_LIMIT) = 120;
    // The tolerances within their controls' ranges, as the unit keeps them.
    Byte(2987) = 5;
    Byte(2988) = 3;
    Byte(2989) = 10;
    Byte(2997) = 100;
    Byte(2998) = 200;
    for (int i = 0; i < 5; i++)
        Byte(RPM_BREAKPOINTS + i) = uint8_t(10 + 20 * i);
    for (int i = 0; i < 25; i++)
        Byte(AFR + i) = uint8_t(120 + i);
    Load();
    const RsImage before = form->PcImage;
    Store();
    for (size_t i = 0; i < sizeof before.b; i++)
        ASSERT_EQ(form->PcImage.b[i], before.b[i]) << "byte " << i;
    EXPECT_EQ(form->Maps.TuningTable->Sheets[0].V.Values[1 * TAB_MAX_COLS + 2], 127);
    EXPECT_EQ(form->Maps.TuningTable->Sheets[0].X.Values[4], 90);
}

TEST_F(TuningPage, RowsShowByModeCouplingOutputsAndSource)
{
    struct Case {
        const char* what;
        int mode, coupling, outputs, source;
        bool tolerances, channel, compLimit;
    } cases[] = {
        { "points, two outputs, the maps", 0, 0, 2, 0, true, true, false },
        { "all", 1, 0, 2, 0, false, true, false },
        { "coupled injectors", 0, 1, 2, 0, true, false, false },
        { "one output", 0, 0, 1, 0, true, false, false },
        { "compensation maps", 0, 0, 2, 1, true, false, true },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Byte(MODE) = uint8_t(c.mode);
        Byte(COUPLING) = uint8_t(c.coupling);
        Byte(OUTPUTS) = uint8_t(c.outputs);
        Byte(SOURCE) = uint8_t(c.source);
        Load();
        EXPECT_EQ(P().EditLadeniRpm->Visible(), c.tolerances);
        EXPECT_EQ(P().LabelLadeniTps->Visible(), c.tolerances);
        EXPECT_EQ(P().UpDownLadeniKanal->Visible(), c.channel);
        EXPECT_EQ(P().LabelLadeniKanal->Visible(), c.channel);
        EXPECT_EQ(P().EditCompLimit->Visible(), c.compLimit);
        EXPECT_EQ(P().UpDownLadeniKanal->Max(), c.outputs);
    }
}

TEST_F(TuningPage, SwitchingToPermanentCompensationAsksBeforeFolding)
{
    Byte(SOURCE) = 1;
    Load();
    dialogs.boxAnswers = { IDCANCEL };
    P().RadioGroupTunningSource->SetItemIndex(2);
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(P().RadioGroupTunningSource->ItemIndex(), 1);
    EXPECT_EQ(Byte(SOURCE), 1);

    dialogs.boxAnswers = { IDOK };
    P().RadioGroupTunningSource->SetItemIndex(2);
    ASSERT_EQ(dialogs.boxes.size(), 2u);
    EXPECT_EQ(Byte(SOURCE), 2);

    P().RadioGroupTunningSource->SetItemIndex(0);
    EXPECT_EQ(dialogs.boxes.size(), 2u) << "leaving the permanent mode asks nothing";
    EXPECT_EQ(Byte(SOURCE), 0);
}

// The timer goes on under the source question: a commit due then waits, so no
// reload puts the stored source back into the group before the answer.
TEST_F(TuningPage, TicksUnderTheSourceQuestionStoreAndReloadNothing)
{
    Byte(SOURCE) = 1;
    Load();
    P().UpDownLadeniCas->Click(btNext);
    dialogs.boxAnswers = { IDOK };
    int seen = 0;
    dialogs.whileBoxOpen = [&] {
        ++seen;
        const RsImage before = form->PcImage;
        for (int i = 0; i < 2 * EDIT_DEBOUNCE_TICKS; ++i)
            form->Timer1Timer(nullptr);
        EXPECT_EQ(form->PcImage.b, before.b);
        EXPECT_EQ(P().RadioGroupTunningSource->ItemIndex(), 2);
    };
    P().RadioGroupTunningSource->SetItemIndex(2);
    dialogs.whileBoxOpen = nullptr;
    EXPECT_EQ(seen, 1);
    EXPECT_EQ(Byte(SOURCE), 2);
    EXPECT_EQ(P().RadioGroupTunningSource->ItemIndex(), 2);
}

TEST_F(TuningPage, F6TogglesTheBoxTheMenuCheckAndTheRed)
{
    ASSERT_FALSE(P().CheckBoxLadeniPovoleno->Checked());
    form->MenuLadeniOnClick(nullptr);
    EXPECT_TRUE(P().CheckBoxLadeniPovoleno->Checked());
    EXPECT_TRUE(form->MenuLadeniOn->Checked());
    EXPECT_EQ(P().CheckBoxLadeniPovoleno->Color(), clRed);
    form->MenuLadeniOnClick(nullptr);
    EXPECT_FALSE(form->MenuLadeniOn->Checked());
    EXPECT_EQ(P().CheckBoxLadeniPovoleno->Color(), clBtnFace);
}

TEST_F(TuningPage, TheLiveRequestCarriesTheBoxTheSwitchAndTheTuningBytes)
{
    Byte(MODE) = 1;
    Byte(2986) = 7;
    Byte(2998) = 150;
    Load();
    form->MenuLadeniOnClick(nullptr);
    P().RadioGroupLadeniOnByTLS->SetItemIndex(2);
    SendLiveRequest(form.get());
    const uint8_t* request = form->Link->TxImage;
    EXPECT_EQ(request[liverq::TuningOn], 1);
    EXPECT_EQ(request[liverq::TuningMode], 1);
    EXPECT_EQ(request[liverq::TuningSwitch], 2);
    EXPECT_EQ(request[liverq::LiveTuning], 7);
    EXPECT_EQ(request[liverq::LiveTuning + 12], 150);
}

TEST_F(TuningPage, ABlockReadBackRefreshesTheTableAndTheNextStoreKeepsIt)
{
    Load();
    // The unit's bytes 2700..2999 replace the image's, as a read-back does.
    for (int i = 0; i < 25; i++)
        Byte(AFR + i) = uint8_t(100 + i);
    ImageRangeToMaps(form.get(), 2700, 3000);
    const CSheet& sheet = form->Maps.TuningTable->Sheets[0];
    EXPECT_EQ(sheet.V.Values[0], 100);
    EXPECT_EQ(sheet.V.Values[4 * TAB_MAX_COLS + 4], 124);
    EXPECT_TRUE(form->Maps.TuningTable->RedrawBits & REDRAW_VALUES);
    Store();
    for (int i = 0; i < 25; i++)
        EXPECT_EQ(Byte(AFR + i), 100 + i) << "cell " << i;
}

TEST_F(TuningPage, TheTextsFollowTheLanguageAndKeepTheSelectedItems)
{
    Byte(MODE) = 1;
    Byte(SOURCE) = 2;
    Load();
    const struct {
        int language;
        const char* sheet;
        const char* group;
        const char* all;
        const char* permanent;
        const char* maxAcc;
    } cases[] = {
        { 2, "Ladění", "Ladění", "Všude", "Ladit trvale v komp. mapách [%]", "Acc. O/O Kor. max [%]" },
        { 1, "Einstellung", "Tunning", "Alles", "Tune permanently in comp. maps [%]", "Acc. E/E Kor. max [%]" },
        { 0, "Tuning", "Tunning", "All", "Tune permanently in comp. maps [%]", "Acc. E/E Corr. max [%]" },
    };
    for (const auto& c : cases) {
        LangIndex = c.language;
        ApplyLanguage(form.get());
        EXPECT_EQ(form->PageSheets[PAGE_SLOT_TUNING]->Caption(), c.sheet);
        EXPECT_EQ(P().GroupBoxLadeni->Caption(), c.group);
        EXPECT_EQ(P().RadioGroupLadeniMode->ItemText(1), c.all);
        EXPECT_EQ(P().RadioGroupTunningSource->ItemText(2), c.permanent);
        EXPECT_EQ(P().LabelLadeniMaxAcc->Caption(), c.maxAcc);
        EXPECT_EQ(P().RadioGroupLadeniMode->ItemIndex(), 1);
        EXPECT_EQ(P().RadioGroupTunningSource->ItemIndex(), 2);
    }
}

} // namespace
