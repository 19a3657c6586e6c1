// The Bike page on a started main window: its cells shown and stored, the
// lambda-on-rpm rows, the intake-port group, the model change and the
// special setting with every answer of their boxes, and the room its long
// caption and its table get.
#include "pagewindow.h"

#include "app/editpath.h"
#include "app/language.h"
#include "files/bikedefaults.h"
#include "mapedit/tab.h"
#include "pages/bike.h"
#include "platform/dialogs.h"

namespace {

using namespace bike_cells;

class BikePage : public PageWindow {
protected:
    void SetUp() override
    {
        PageWindow::SetUp();
        form->ShowPage(PAGE_SLOT_BIKE);
    }
    BikePageControls& P() { return form->BikePage; }
    void Load() { LoadBikePage(form.get()); }
    void Store() { StoreBikePage(form.get()); }
    int RowOf(int code) const
    {
        for (int i = 0; i < form->BikePage.ComboBoxBike->ItemCount(); ++i)
            if (form->BikePage.ComboBoxBike->ItemCode(i) == code)
                return i;
        return -1;
    }
    void Pick(int code)
    {
        P().ComboBoxBike->SetItemIndex(RowOf(code));
        form->ComboBoxBikeChange(P().ComboBoxBike);
    }
};

TEST_F(BikePage, LoadedBytesShowAndStoreBack)
{
    struct Case {
        int cell;
        uint8_t byte;
        TEdit* BikePageControls::*edit;
        const char* shown;
        uint8_t stored;
    } cases[] = {
        { RPM_PULSES, 255, &BikePageControls::EditRpmPulsu, "CKPS", 255 },
        { RPM_PULSES, 254, &BikePageControls::EditRpmPulsu, "CMPS", 254 },
        { RPM_PULSES, 12, &BikePageControls::EditRpmPulsu, "12", 12 },
        { RPM_CORRECTION, 40, &BikePageControls::EditRpmKorekce, "-60", 40 },
        { RETARD_LIMITER_ADV, 25, &BikePageControls::EditRetardLimiterAdv, "-25", 25 },
        { IGN_LIMITER, 5, &BikePageControls::EditIgnLimiter, "500", 5 },
        { DWELL_DYN, 40, &BikePageControls::EditDwellDyn, "30", 30 },
        { WARNING_TEMPERATURE, 200, &BikePageControls::EditFan1, "150", 150 },
    };
    for (const Case& c : cases) {
        Byte(c.cell) = c.byte;
        Load();
        EXPECT_EQ((P().*c.edit)->Text(), c.shown) << c.cell << " " << int(c.byte);
        Store();
        EXPECT_EQ(Byte(c.cell), c.stored) << c.cell << " " << int(c.byte);
    }
}

TEST_F(BikePage, CorrectionIsShownOnlyForAPulseCount)
{
    for (auto [pulses, visible] : { std::pair { 255, false }, { 254, false }, { 12, true }, { 1, true } }) {
        Byte(RPM_PULSES) = uint8_t(pulses);
        Load();
        EXPECT_EQ(P().EditRpmKorekce->Visible(), visible) << pulses;
        EXPECT_EQ(P().LabelRpmKorekce->Visible(), visible) << pulses;
    }
}

TEST_F(BikePage, TypedRetardIsStoredPositive)
{
    P().UpDownRetardLimiterAdv->SetPosition(-1);
    Store();
    EXPECT_EQ(Byte(RETARD_LIMITER_ADV), 1);
}

TEST_F(BikePage, AnyNonZeroCanSpeedMeans500)
{
    Byte(CAN_SPEED) = 7;
    Load();
    EXPECT_TRUE(P().RadioButtonCAN500->Checked());
    EXPECT_FALSE(P().RadioButtonCAN250->Checked());
    Store();
    EXPECT_EQ(Byte(CAN_SPEED), 1);
}

TEST_F(BikePage, LambdaOnRpmRowsFollowTheImage)
{
    Byte(LAMBDA_AFR) = 120;
    Byte(LAMBDA_AFR + 1) = 180;
    Byte(LAMBDA_RPM) = 20;
    Byte(LAMBDA_RPM + 1) = 60;
    Load();
    const CSheet& sheet = P().LambdaOnRpmTable->Sheets[0];
    EXPECT_EQ(sheet.Y.Values[0], 120); // AFR 12.0
    EXPECT_EQ(sheet.Y.Values[1], 180);
    EXPECT_EQ(sheet.V.Values[0], 20); // 2000 rpm
    EXPECT_EQ(sheet.V.Values[TAB_MAX_COLS], 60);
    Byte(LAMBDA_RPM + 1) = 0;
    Store();
    EXPECT_EQ(Byte(LAMBDA_RPM + 1), 60);
}

TEST_F(BikePage, IntakePortGroupFollowsServoAndIdleSettings)
{
    struct Case {
        uint8_t servoMode, servoIntake, idleMode;
        bool visible;
    } cases[] = { { 0, 0, 3, false }, { 0, 0, 1, true }, { 0, 0, 2, false }, { 0, 1, 3, true }, { 1, 1, 1, false } };
    for (const Case& c : cases) {
        Byte(SERVO_MODE) = c.servoMode;
        Byte(SERVO_INTAKE_PORT) = c.servoIntake;
        Byte(IDLE_MODE) = c.idleMode;
        Load();
        EXPECT_EQ(P().GroupBoxIntakePort->Visible(), c.visible) << int(c.servoIntake) << " " << int(c.idleMode);
    }
}

TEST_F(BikePage, ModelChangeFlows)
{
    struct Case {
        const char* what;
        uint8_t special;
        int picked;
        std::vector<int> answers;
        uint8_t code, specialAfter;
        size_t boxes;
    } cases[] = {
        { "the separator asks nothing and keeps the model", 0, BIKE_SEPARATOR_CODE, {}, 13, 0, 0 },
        { "Cancel of leaving special mode keeps the old model", 1, 43, { IDCANCEL }, 13, 1, 1 },
        { "No to the defaults keeps the settings with the new model", 0, 43, { IDNO }, 43, 0, 1 },
        { "OK to leaving special mode, then No", 1, 43, { IDOK, IDNO }, 43, 0, 2 },
        { "Cancel of the defaults takes the old model back", 0, 43, { IDCANCEL }, 13, 0, 1 },
        { "OK to leaving special mode, then Cancel", 1, 43, { IDOK, IDCANCEL }, 13, 0, 2 },
    };
    for (const Case& c : cases) {
        Byte(BIKE_CODE) = 13;
        Byte(SPECIAL) = c.special;
        Byte(DWELL_DYN) = 17;
        Load();
        dialogs.boxes.clear();
        dialogs.boxAnswers.assign(c.answers.begin(), c.answers.end());
        Pick(c.picked);
        EXPECT_EQ(Byte(BIKE_CODE), c.code) << c.what;
        EXPECT_EQ(Byte(SPECIAL), c.specialAfter) << c.what;
        EXPECT_EQ(Byte(DWELL_DYN), 17) << c.what;
        EXPECT_EQ(dialogs.boxes.size(), c.boxes) << c.what;
        const int shown = c.specialAfter ? BIKE_SEPARATOR_CODE : c.code;
        EXPECT_EQ(P().ComboBoxBike->ItemIndex(), RowOf(shown)) << c.what;
    }
}

// The window's timer goes on while a question of the model change is open:
// it commits nothing, a reload asked meanwhile (a read-back of the unit) waits,
// and no second box opens over the first.
TEST_F(BikePage, TicksWhileAModelQuestionIsOpenChangeNothingUnderIt)
{
    for (const std::vector<int>& answers : std::vector<std::vector<int>> { { IDCANCEL }, { IDOK, IDNO } }) {
        SCOPED_TRACE(answers.size());
        Byte(BIKE_CODE) = 13;
        Byte(SPECIAL) = 1;
        Load();
        CommitEditNow(form.get());
        dialogs.boxes.clear();
        dialogs.boxAnswers.assign(answers.begin(), answers.end());
        // A click on the dwell up-down waits for its debounce as the box opens.
        P().UpDownDwellDyn->Click(btNext);
        const uint8_t dwell = Byte(DWELL_DYN);
        int seen = 0;
        dialogs.whileBoxOpen = [&] {
            ++seen;
            const RsImage before = form->PcImage;
            const int undoAt = form->Undo->UndoCurrent();
            const int row = P().ComboBoxBike->ItemIndex();
            Byte(BIKE_CODE) = 200; // what a read-back would bring: a model the list lacks
            LoadPages(form.get(), 0);
            Byte(BIKE_CODE) = before.b[BIKE_CODE];
            for (int i = 0; i < 2 * EDIT_DEBOUNCE_TICKS; ++i)
                form->Timer1Timer(nullptr);
            EXPECT_EQ(form->PcImage.b, before.b);
            EXPECT_EQ(form->Undo->UndoCurrent(), undoAt);
            EXPECT_EQ(P().ComboBoxBike->ItemIndex(), row);
        };
        Pick(43);
        dialogs.whileBoxOpen = nullptr;
        EXPECT_EQ(seen, int(answers.size()));
        EXPECT_EQ(dialogs.boxes.size(), answers.size()) << "no wrong-bike box stacked on the question";
        EXPECT_EQ(Byte(BIKE_CODE), answers.size() == 1 ? 13 : 43);
        for (int i = 0; i < 2 * EDIT_DEBOUNCE_TICKS; ++i)
            form->Timer1Timer(nullptr);
        if (answers.size() > 1)
            EXPECT_EQ(Byte(DWELL_DYN), dwell + 1) << "the click waiting under the boxes is stored with the model";
    }
}

TEST_F(BikePage, CancelOfDeletingTheSpecialSettingTicksTheBoxAgain)
{
    Byte(SPECIAL) = 1;
    Load();
    dialogs.boxAnswers = { IDCANCEL };
    P().CheckBoxBikeSecial->SetChecked(false);
    EXPECT_EQ(Byte(SPECIAL), 1);
    EXPECT_TRUE(P().CheckBoxBikeSecial->Checked());
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].text.toStdString(), form->MessageTable[31]);
}

TEST_F(BikePage, AnUnknownModelCodeShowsTheWrongBikeBoxAndChangesNothing)
{
    Byte(BIKE_CODE) = 200;
    const RsImage before = form->PcImage;
    dialogs.boxes.clear();
    Load();
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].text.toStdString(), form->MessageTable[43]);
    EXPECT_EQ(form->PcImage.b, before.b);
}

TEST_F(BikePage, MemoRoundTripsThroughTheImage)
{
    P().Memo1->SetText("first\nžluť\n\nlast");
    Store();
    P().Memo1->Clear();
    Load();
    ASSERT_EQ(P().Memo1->LineCount(), 4);
    EXPECT_EQ(P().Memo1->LineW(1), u"žluť");
    EXPECT_EQ(P().Memo1->LineW(3), u"last");
}

TEST_F(BikePage, LanguagesRefillTheListsAndKeepTheImage)
{
    const RsImage before = form->PcImage;
    const int row = P().ComboBoxBike->ItemIndex();
    struct Case {
        int language;
        const char* memo;
        std::string dwellRow;
    } cases[] = { { 0, "Memo sheet:", "One lobe short dwell" }, { 1, "Notizblock", "One lobe short dwell" },
        { 2, "Poznámka uložená v zapalování:", "Jednopalec krátké buzení" } };
    for (const Case& c : cases) {
        LangIndex = c.language;
        ApplyLanguage(form.get());
        EXPECT_EQ(P().LabelMemo->Caption(), c.memo);
        EXPECT_EQ(P().ComboBoxBike->ItemText(RowOf(33)), c.dwellRow);
        EXPECT_EQ(P().ComboBoxBike->ItemIndex(), row);
        EXPECT_EQ(form->PcImage.b, before.b);
    }
}

// The special setting's long caption fits its box, and the box its group, in
// every language; the lambda-on-rpm table gives its one column and two rows
// the whole table.
TEST_F(BikePage, TheSpecialSettingAndTheLambdaTableAreReadable)
{
    const int saved = LangIndex;
    TCheckBox* box = P().CheckBoxBikeSecial;
    for (int language : { 0, 1, 2 }) {
        LangIndex = language;
        ApplyLanguage(form.get());
        EXPECT_LE(box->sizeHint().width(), box->width()) << box->Caption();
        EXPECT_LE(box->geometry().right(), P().GroupBoxBike->width()) << box->Caption();
    }
    LangIndex = saved;
    ApplyLanguage(form.get());
    const TTab* table = P().LambdaOnRpmTable;
    ASSERT_TRUE(table);
    EXPECT_EQ(table->VisibleCols, 1);
    EXPECT_EQ(table->VisibleRows, 2);
    ExpectCellsFill(table);
}

} // namespace
