// The Idle and Servo pages with an emulated unit behind the link: with
// "Programming after change" an edit on either page reaches the unit as
// changed bytes, and a servo block the unit reports as changed is read back
// into both servo sheets.
#include "pageunit.h"

#include "pages/idle.h"
#include "pages/servo.h"

#include <algorithm>
#include <functional>

namespace {

class IdleServoWithUnit : public PageWithUnit {
protected:
    void SetUp() override
    {
        PageWithUnit::SetUp();
        // The FID valve: the idle curves hold percent, one word per cell.
        Byte(idle_cells::MODE) = 4;
        for (int servo : { servo_cells::INTAKE, servo_cells::EXHAUST })
            Byte(servo_cells::ENABLE[servo]) = 1;
        StoreAndReloadPage(form.get());
        unit.SetImage(form->PcImage);
    }
    // The value as the cell shows it.
    void TypeIntoCell(TTab* table, int column, int row, const std::string& shown)
    {
        table->Sheet->Sel.SelectItem(table->TableHitMap, column, row);
        for (char digit : shown)
            table->HandleKey(0, digit);
        table->HandleKey(KEY_ENTER, 0);
    }
};

TEST_F(IdleServoWithUnit, AnEditOnEitherPageIsProgrammedAsChangedBytes)
{
    ASSERT_TRUE(Connected());
    form->CheckBoxProgHned->SetChecked(true);
    const int curveByte = 2 * (idle_cells::CURVE_WORD + 2);
    const int servoCell = servo_cells::MAP[servo_cells::INTAKE] + 15 * 4 + 6;
    struct Edit {
        const char* what;
        int page;
        int offset;
        uint8_t value;
        std::function<void(uint8_t)> make;
    };
    const Edit edits[] = {
        { "idle curve", PAGE_SLOT_IDLE, curveByte, uint8_t(Byte(curveByte) == 77 ? 78 : 77),
            [&](uint8_t v) { TypeIntoCell(form->Idle.IdleTable, 0, 2, std::to_string(v)); } },
        // Cells of 20 mV: 3 V is 150.
        { "servo map", PAGE_SLOT_SERVO, servoCell, uint8_t(Byte(servoCell) == 150 ? 100 : 150),
            [&](uint8_t v) { TypeIntoCell(form->Maps.ServoTable, 6, 4, std::to_string(v / 50)); } },
        { "servo I", PAGE_SLOT_SERVO, 2791, uint8_t(Byte(2791) == 12 ? 13 : 12),
            [&](uint8_t v) {
                form->Servo.EditServoI->SetText(std::to_string(v));
                char16_t enter = u'\r';
                form->FormKeyPressW(form->Servo.EditServoI, enter);
            } },
    };
    for (const Edit& e : edits) {
        SCOPED_TRACE(e.what);
        // A first commit on the page brings the preset's values into the
        // controls' ranges; the unit takes them before the edit.
        form->ShowPage(e.page);
        CommitEditNow(form.get());
        ASSERT_TRUE(Run([&] { return form->LinkRequest == REQ_NONE && Idle() && unit.Image() == form->PcImage; }));
        form->Images.ChangeMarks.fill(0);
        const int undoBefore = form->Undo->UndoCurrent();
        const std::string iniBefore = DefaultIni();
        e.make(e.value);
        EXPECT_EQ(Byte(e.offset), e.value);
        EXPECT_NE(form->Undo->UndoCurrent(), undoBefore);
        EXPECT_NE(DefaultIni(), iniBefore);
        EXPECT_EQ(form->Images.ChangeMarks[size_t(e.offset)], 1);
        EXPECT_EQ(std::count(form->Images.ChangeMarks.begin(), form->Images.ChangeMarks.end(), 1), 1);
        EXPECT_EQ(form->LinkRequest, REQ_PROGRAM_CHANGED);
        ASSERT_TRUE(Run(
            [&] { return form->LinkRequest == REQ_NONE && Idle() && unit.Image().b[size_t(e.offset)] == e.value; }));
        EXPECT_TRUE(unit.Image() == form->PcImage);
    }
}

TEST_F(IdleServoWithUnit, AChangedServoBlockRefreshesBothSheets)
{
    ASSERT_TRUE(Connected());
    form->ShowPage(PAGE_SLOT_SERVO);
    // Block 13 (bytes 3600..3899) holds the tail of the exhaust map and the
    // whole intake map.
    const int intake = servo_cells::MAP[servo_cells::INTAKE] + 15 * 7 + 2;
    const int exhaust = servo_cells::MAP[servo_cells::EXHAUST] + 15 * 9 + 14;
    RsImage changed = form->PcImage;
    changed.b[size_t(intake)] = uint8_t(Byte(intake) == 44 ? 45 : 44);
    changed.b[size_t(exhaust)] = uint8_t(Byte(exhaust) == 66 ? 67 : 66);
    unit.SetImage(changed);
    unit.SetChangedBlocks(1 << 12);
    ASSERT_TRUE(Run([&] { return form->PcImage == changed && form->ChangedBlocks == 0 && Idle(); }));
    TTab* table = form->Maps.ServoTable;
    EXPECT_EQ(table->Sheets[servo_cells::INTAKE].V.Values[7 * TAB_MAX_COLS + 2], changed.b[size_t(intake)]);
    EXPECT_EQ(table->Sheets[servo_cells::EXHAUST].V.Values[9 * TAB_MAX_COLS + 14], changed.b[size_t(exhaust)]);
    EXPECT_EQ(form->LinkRequest, REQ_NONE) << "a read from the unit is not an edit";
}

TEST_F(IdleServoWithUnit, TheUnitsRegulationLightsTheIdleRowsGreenAndBack)
{
    ASSERT_TRUE(Connected());
    Byte(idle_cells::MODE) = 2;
    form->ShowPage(PAGE_SLOT_IDLE);
    const IdlePageControls& idle = form->Idle;
    struct Case {
        uint8_t outputs; // bit 3: by the TPS range, bit 4: in the control band
        bool tps, band;
    } cases[] = { { 0x08, true, false }, { 0x18, true, true }, { 0x10, false, true }, { 0x00, false, false } };
    for (const Case& c : cases) {
        unit.SetLiveByte(live::BOutputs, c.outputs);
        const TColor tps = c.tps ? TColor(0x00FF00) : clWindow;
        const TColor band = c.band ? TColor(0x00FF00) : clWindow;
        EXPECT_TRUE(Run([&] {
            return idle.EditIdleTpsMez->Color() == tps && idle.EditIdleControlBand->Color() == band;
        })) << int(c.outputs);
        EXPECT_EQ(idle.LabelIdleTpsMez->Color(), c.tps ? TColor(0x00FF00) : clBtnFace) << int(c.outputs);
        EXPECT_EQ(idle.LabelIdleControlBand->Color(), c.band ? TColor(0x00FF00) : clBtnFace) << int(c.outputs);
    }
}

} // namespace
