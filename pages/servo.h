#pragma once
// The Servo page (slot 8): the unit's two servo outputs, the intake servo and
// the exhaust servo. Each has a position map over engine speed and throttle
// (one sheet of ServoTable each) and a row of settings under the table: used
// or not, positions in percent or as a feedback voltage, the controller
// constants, the polarity and, for the intake servo, a step-motor drive and
// the "is TPS" option. The row shows the servo whose sheet is selected.

class TMainForm;
class TObject;
class TTab;
class TEdit;
class TUpDown;
class TLabel;
class TCheckBox;
class TRadioGroup;

struct ServoPageControls {
    TCheckBox* CheckBoxServoEnable = nullptr;
    TCheckBox* CheckBoxServoPercent = nullptr;
    TEdit* EditServoP = nullptr;
    TUpDown* UpDownServoP = nullptr;
    TLabel* LabelServoP = nullptr;
    TCheckBox* CheckBoxServoStepMotor = nullptr;
    TEdit* EditServoPeriod = nullptr;
    TUpDown* UpDownServoPeriod = nullptr;
    TLabel* LabelServoPeriod = nullptr;
    TEdit* EditServoExcitation = nullptr;
    TUpDown* UpDownServoExcitation = nullptr;
    TLabel* LabelServoExcitation = nullptr;
    TEdit* EditServoI = nullptr;
    TUpDown* UpDownServoI = nullptr;
    TLabel* LabelServoI = nullptr;
    TEdit* EditServoD = nullptr;
    TUpDown* UpDownServoD = nullptr;
    TLabel* LabelServoD = nullptr;
    TEdit* EditServoIOff = nullptr;
    TUpDown* UpDownServoIOff = nullptr;
    TLabel* LabelServoIOff = nullptr;
    TEdit* EditServoDOff = nullptr;
    TUpDown* UpDownServoDOff = nullptr;
    TLabel* LabelServoDOff = nullptr;
    TEdit* EditServoO = nullptr;
    TUpDown* UpDownServoO = nullptr;
    TLabel* LabelServoO = nullptr;
    TRadioGroup* RadioGroupServoPolarity = nullptr;
    TCheckBox* CheckBoxServoIsTps = nullptr;
    // The sheet whose servo the row showed at the last load; a store writes
    // the row into that servo.
    int ServoLastSheet = 0;
};

// Image cells of the page. Sheet 0 is the intake servo, sheet 1 the exhaust
// servo; the cells of a servo pair are listed intake first.
namespace servo_cells {
constexpr int INTAKE = 0;
constexpr int EXHAUST = 1;
constexpr int ENABLE[2] = { 2782, 2781 };
constexpr int PERCENT[2] = { 2786, 2785 };
constexpr int AXIS_STATE[2] = { 2788, 2787 }; // 0 none collapsed, 1 TP axis, 2 RPM axis
constexpr int RPM_BREAKPOINTS[2] = { 3363, 3348 }; // 15 bytes, hundreds of rpm
constexpr int RPM_COUNT[2] = { 4678, 4679 }; // 1..15; 0 or more than 15 reads as 15
constexpr int MAP[2] = { 3728, 3578 }; // 10 TP rows x 15 rpm columns, row r column c at MAP + 15r + c
constexpr int STEP_MOTOR = 2789; // intake only
constexpr int STEP_PERIOD = 2799; // ms, kept even
constexpr int IS_TPS = 4030; // intake only
constexpr int BIKE = 2550;
constexpr int BIKE_WITHOUT_STEP_MOTOR = 47;
constexpr int MAP_COLUMNS = 15;
constexpr int MAP_ROWS = 10;
} // namespace servo_cells

// The run-time sheet, the table with its two sheets and the row under it;
// then the first load.
void CreateServoPage(TMainForm* form);
void StoreServoPage(TMainForm* form);
void LoadServoPage(TMainForm* form);
void ServoTableChanged(TMainForm* form, TTab* table);
// The OnClick of the enable, percent and step-motor boxes.
void ServoCheckBoxClick(TMainForm* form, TObject* sender);
// Shows the row's controls that the shown servo uses.
void UpdateServoControls(TMainForm* form);
// A sheet's axes are coloured by whether its servo works in percent.
void SetServoAxisColours(TMainForm* form);
