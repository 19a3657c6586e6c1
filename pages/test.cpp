// The Test page's layout and cells. A click only sets a bit of the one-shot
// commands; the next live request sends it once.
#include "pages/test.h"

#include "app/binding.h"
#include "app/controlfactory.h"
#include "app/main.h"

const std::array<OneShotBit, ONE_SHOT_BUTTONS> ONE_SHOT_BITS = { {
    { "ButtonTestJet1A", 0, 0x01, true },
    { "ButtonTestJet2A", 0, 0x02, true },
    { "ButtonTestJet3A", 0, 0x04, true },
    { "ButtonTestJet4A", 0, 0x08, true },
    { "ButtonTestJet1B", 0, 0x10, true },
    { "ButtonTestJet2B", 0, 0x20, true },
    { "ButtonTestJet3B", 0, 0x40, true },
    { "ButtonTestJet4B", 0, 0x80, true },
    { "ButtonTestIgn1", 1, 0x01, true },
    { "ButtonTestIgn2", 1, 0x02, true },
    { "ButtonTestIgn3", 1, 0x04, true },
    { "ButtonTestIgn4", 1, 0x08, true },
    { "ButtonTestPOut5", 1, 0x80, false },
    { "ButtonTestPOut1", 2, 0x01, true },
    { "ButtonTestFuelPump", 2, 0x02, true },
    { "ButtonTestCooling", 2, 0x04, true },
    { "ButtonTestPOut2", 2, 0x08, true },
    { "ButtonTestRpm", 2, 0x10, true },
    { "ButtonTestStop", OneShotCommands::StopByte, OneShotCommands::StopBit, false },
    { "ButtonTestPOut3", 2, 0x40, true },
    { "ButtonTestPOut4", 2, 0x80, true },
    { "ButtonTestServoInPlus", 3, 0x01, true },
    { "ButtonTestServoInMinus", 3, 0x02, true },
    { "ButtonTestServoExPlus", 3, 0x04, true },
    { "ButtonTestServoExMinus", 3, 0x08, true },
    { "ButtonTestServo3Plus", 3, 0x10, true },
    { "ButtonTestServo3Minus", 3, 0x20, true },
    { "ButtonTestPortIn", 3, 0x40, false },
} };

namespace {

enum Group { OUT, JET, IGN, SERVO, POUT, RPM, SPECIAL, LAMBDA, PROP };

struct GroupPlace {
    TGroupBox* TestPageControls::*box;
    const char* name;
    const char* caption;
    int parent; // -1 the sheet
    int left, top, width, height;
};
constexpr GroupPlace GROUPS[] = {
    { &TestPageControls::GroupBoxTestOut, "GroupBoxTestOut", "Output tests", -1, 8, 8, 500, 360 },
    { &TestPageControls::GroupBoxTestJet, "GroupBoxTestJet", "Injection", OUT, 8, 18, 236, 118 },
    { &TestPageControls::GroupBoxTestIgn, "GroupBoxTestIgn", "Ignition", OUT, 252, 18, 118, 118 },
    { &TestPageControls::GroupBoxTestServo, "GroupBoxTestServo", "Servo", OUT, 8, 140, 362, 150 },
    { &TestPageControls::GroupBoxTestPout, "GroupBoxTestPout", "PowerOut", OUT, 378, 18, 114, 150 },
    { &TestPageControls::GroupBoxTestRpm, "GroupBoxTestRpm", "Rpm", OUT, 378, 172, 114, 80 },
    { &TestPageControls::GroupBoxTestSpecialOut, "GroupBoxTestSpecialOut", "Various", OUT, 8, 294, 236, 56 },
    { &TestPageControls::GroupBoxLambdaBar, "GroupBoxLambdaBar", "Setting of Lambda bar graph", -1, 516, 8, 228, 150 },
    { &TestPageControls::GroupBoxProprietary, "GroupBoxProprietary", "Proprietary settings", -1, 516, 166, 228, 180 },
};

struct ButtonPlace {
    const char* caption;
    int group;
    int left, top, width, height;
};
// In the order of ONE_SHOT_BITS.
constexpr ButtonPlace BUTTONS[ONE_SHOT_BUTTONS] = {
    { "Injection 1A", JET, 8, 18, 106, 22 },
    { "Injection 2A", JET, 8, 42, 106, 22 },
    { "Injection 3A", JET, 8, 66, 106, 22 },
    { "Injection 4A", JET, 8, 90, 106, 22 },
    { "Injection 1B", JET, 122, 18, 106, 22 },
    { "Injection 2B", JET, 122, 42, 106, 22 },
    { "Injection 3B", JET, 122, 66, 106, 22 },
    { "Injection 4B", JET, 122, 90, 106, 22 },
    { "Ignition 1", IGN, 8, 18, 102, 22 },
    { "Ignition 2", IGN, 8, 42, 102, 22 },
    { "Ignition 3", IGN, 8, 66, 102, 22 },
    { "Ignition 4", IGN, 8, 90, 102, 22 },
    { "Power Out5", POUT, 8, 114, 98, 22 },
    { "Power Out 1", POUT, 8, 18, 98, 22 },
    { "Fuel Pump", SPECIAL, 122, 22, 106, 24 },
    { "Cooling", SPECIAL, 8, 22, 106, 24 },
    { "Power Out 2", POUT, 8, 42, 98, 22 },
    { "Rpm", RPM, 8, 18, 98, 22 },
    { "Stop", OUT, 252, 300, 240, 48 },
    { "Power Out 3", POUT, 8, 66, 98, 22 },
    { "Power Out4", POUT, 8, 90, 98, 22 },
    { "Intake servo plus", SERVO, 8, 18, 170, 22 },
    { "Intake servo minus", SERVO, 184, 18, 170, 22 },
    { "Exhaust servo plus", SERVO, 8, 42, 170, 22 },
    { "Exhaust servo minus", SERVO, 184, 42, 170, 22 },
    { "Idle servo  plus", SERVO, 8, 66, 170, 22 },
    { "Idle servo  minus", SERVO, 184, 66, 170, 22 },
    { "Intake port", SERVO, 8, 94, 170, 22 },
};

// A bound cell: the edit and up-down, their place and label, the image cell
// and how it is stored.
struct CellPlace {
    const char* edit;
    const char* upDown;
    const char* label;
    const char16_t* caption;
    int group;
    int left, top;
    bool word; // a signed word, else a byte stored as position / scale
    int index;
    int scale;
    int min, max, increment;
};
constexpr CellPlace CELLS[TEST_PAGE_CELLS] = {
    { "EditTestRpm", "UpDownTestRpm", nullptr, nullptr, RPM, 8, 46, false, 2999, 100, 200, 25000, 100 },
    { "EditTestServo", "UpDownTestServo", "LabelTestServo", u"Time [ms]", SERVO, 260, 94, false, 3000, 10, 10, 2500,
        10 },
    { "EditLambdaBar0", "UpDownLambdaBar0", "LabelLambdaBar0", u"Beginning", LAMBDA, 120, 20, false, 2950, 1, 100, 200,
        1 },
    { "EditLambdaBar1", "UpDownLambdaBar1", "LabelLambdaBar1", u"1/3", LAMBDA, 120, 50, false, 2951, 1, 100, 200, 1 },
    { "EditLambdaBar2", "UpDownLambdaBar2", "LabelLambdaBar2", u"2/3", LAMBDA, 120, 80, false, 2952, 1, 100, 200, 1 },
    { "EditLambdaBar3", "UpDownLambdaBar3", "LabelLambdaBar3", u"Ending", LAMBDA, 120, 110, false, 2953, 1, 100, 200,
        1 },
    { "EditProp1", "UpDownProp1", "LabelProp1", u"$1", PROP, 120, 20, true, 1113, 1, -32000, 32000, 1 },
    { "EditProp2", "UpDownProp2", "LabelProp2", u"$2", PROP, 120, 50, true, 1114, 1, -32000, 32000, 1 },
    { "EditProp3", "UpDownProp3", "LabelProp3", u"$3", PROP, 120, 80, true, 1115, 1, -32000, 32000, 1 },
    { "EditProp4", "UpDownProp4", "LabelProp4", u"$4", PROP, 120, 110, true, 1116, 1, -32000, 32000, 1 },
    { "EditProp5", "UpDownProp5", "LabelProp5", u"$5", PROP, 120, 140, true, 1117, 1, -32000, 32000, 1 },
};
constexpr int CELL_WIDTH = 60;

} // namespace

void BuildTestPage(TMainForm* form)
{
    TestPageControls& t = form->TestPage;
    auto* sheet = dynamic_cast<TControl*>(form->FindComponent("TabSheet_Test"));
    std::array<TGroupBox*, std::size(GROUPS)> boxes {};
    for (size_t i = 0; i < std::size(GROUPS); ++i) {
        const GroupPlace& g = GROUPS[i];
        TControl* parent = g.parent < 0 ? sheet : boxes[size_t(g.parent)];
        CreateGroupBox(form, t.*g.box, parent, g.left, g.top, g.width, g.height);
        boxes[i] = t.*g.box;
        boxes[i]->SetName(g.name);
        boxes[i]->SetCaption(g.caption);
    }
    for (size_t i = 0; i < std::size(BUTTONS); ++i) {
        const ButtonPlace& b = BUTTONS[i];
        TButton*& button = t.Buttons[i];
        CreateButton(form, button, boxes[size_t(b.group)], b.left, b.top, b.width, b.height, b.caption);
        button->SetName(ONE_SHOT_BITS[i].control);
        button->SetTabStop(false);
        button->OnClick = [form](TObject* sender) { form->ButtonTestClick(sender); };
    }
    for (size_t i = 0; i < std::size(CELLS); ++i) {
        const CellPlace& c = CELLS[i];
        TControl* parent = boxes[size_t(c.group)];
        CreateEditUpDown(form, t.UpDowns[i], t.Edits[i], parent);
        t.Edits[i]->SetName(c.edit);
        t.UpDowns[i]->SetName(c.upDown);
        PlaceEditUpDown(t.UpDowns[i], c.left, c.top, c.min, c.max, c.increment, CELL_WIDTH);
        if (c.label) {
            TLabel* label = nullptr;
            CreateLabel(form, label, parent, c.group == SERVO ? c.left - 70 : 12, c.top + 3, c.caption);
            label->SetName(c.label);
        }
    }
    // Kept from older units and hidden when the window is made.
    CreateButton(form, t.ButtonTestStart, sheet, 8, 380, 80, 22, "Start");
    t.ButtonTestStart->SetName("ButtonTestStart");
    CreateButton(form, t.ButtonTestFan1, sheet, 96, 380, 80, 22, "Fan 1");
    t.ButtonTestFan1->SetName("ButtonTestFan1");
    CreateButton(form, t.ButtonTestFan2, sheet, 184, 380, 80, 22, "Fan 2");
    t.ButtonTestFan2->SetName("ButtonTestFan2");
    CreateCheckBox(form, t.CheckBoxTestInjFuelOn, sheet, 272, 380, 120, 17, "Fuel pump on");
    t.CheckBoxTestInjFuelOn->SetName("CheckBoxTestInjFuelOn");
    CreateCheckBox(form, t.CheckBoxTestIgnFuelOn, sheet, 400, 380, 120, 17, "Fuel pump on");
    t.CheckBoxTestIgnFuelOn->SetName("CheckBoxTestIgnFuelOn");
}

void TMainForm::ButtonTestClick(TObject* Sender)
{
    for (size_t i = 0; i < ONE_SHOT_BITS.size(); ++i)
        if (TestPage.Buttons[i] && static_cast<TObject*>(TestPage.Buttons[i]) == Sender)
            OneShot.Set(ONE_SHOT_BITS[i].byte, ONE_SHOT_BITS[i].mask);
}

void StoreTestPage(TMainForm* form)
{
    if (form->LoadingControls)
        return;
    const TestPageControls& t = form->TestPage;
    for (size_t i = 0; i < std::size(CELLS); ++i) {
        const CellPlace& c = CELLS[i];
        if (c.word)
            StoreUpDownToWord(form, t.UpDowns[i], 0, c.index | SIGNED_CELL, 0);
        else
            StoreUpDownToByte(form, t.UpDowns[i], 0, c.index, c.scale, 0);
    }
}

void LoadTestPage(TMainForm* form)
{
    const TestPageControls& t = form->TestPage;
    for (size_t i = 0; i < std::size(CELLS); ++i) {
        const CellPlace& c = CELLS[i];
        if (c.word)
            SetUpDownFromWord(form, t.UpDowns[i], 0, c.index | SIGNED_CELL, 0);
        else
            SetUpDownFromByte(form, t.UpDowns[i], 0, c.index, c.scale, 0);
    }
}

void EnableTestButtons(TMainForm* form)
{
    TestPageControls& t = form->TestPage;
    const bool unlocked = form->Monitor.Values.TestsLocked == 0;
    if (t.GroupBoxTestJet)
        t.GroupBoxTestJet->SetEnabled(unlocked);
    for (size_t i = 0; i < ONE_SHOT_BITS.size(); ++i)
        if (ONE_SHOT_BITS[i].lockable && t.Buttons[i])
            t.Buttons[i]->SetEnabled(unlocked);
}
