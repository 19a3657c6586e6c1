#pragma once
// The Idle page (slot 9): the kind of idle actuator, its regulation
// parameters, the actuator's two temperature curves (running and start) and
// the idle advance control with its desired-speed curve. The curves change
// meaning with the idle mode, so the page re-labels its table on every load.

class TMainForm;
class TTab;
class TEdit;
class TUpDown;
class TLabel;
class TCheckBox;
class TGroupBox;
class TRadioGroup;

struct IdlePageControls {
    TRadioGroup* RadioGroupIdleMode = nullptr;
    TCheckBox* CheckBoxIdleSmerReg = nullptr;
    TEdit* EditIdleStepPuls = nullptr;
    TUpDown* UpDownIdleStepPuls = nullptr;
    TLabel* LabelIdleStepPuls = nullptr;
    TEdit* EditIdleStepPerioda = nullptr;
    TUpDown* UpDownIdleStepPerioda = nullptr;
    TLabel* LabelIdleStepPerioda = nullptr;
    TEdit* EditIdleStart = nullptr;
    TUpDown* UpDownIdleStart = nullptr;
    TLabel* LabelIdleStart = nullptr;
    TEdit* EditIdleRegulation = nullptr;
    TUpDown* UpDownIdleRegulation = nullptr;
    TLabel* LabelIdleRegulation = nullptr;
    TEdit* EditIdleLobe = nullptr;
    TUpDown* UpDownIdleLobe = nullptr;
    TLabel* LabelIdleLobe = nullptr;
    TEdit* EditIdleRpmMez = nullptr;
    TUpDown* UpDownIdleRpmMez = nullptr;
    TLabel* LabelIdleRpmMez = nullptr;
    TEdit* EditIdleTpsMez = nullptr;
    TUpDown* UpDownIdleTpsMez = nullptr;
    TLabel* LabelIdleTpsMez = nullptr;
    TEdit* EditIdleHyster = nullptr;
    TUpDown* UpDownIdleHyster = nullptr;
    TLabel* LabelIdleHyster = nullptr;
    TEdit* EditIdleControlBand = nullptr;
    TUpDown* UpDownIdleControlBand = nullptr;
    TLabel* LabelIdleControlBand = nullptr;
    TGroupBox* GroupBoxIdleAdv = nullptr;
    TCheckBox* CheckBoxIdleAdvOn = nullptr;
    TEdit* EditIdleAdvNaRpm = nullptr;
    TUpDown* UpDownIdleAdvNaRpm = nullptr;
    TLabel* LabelIdleAdvNaRpm = nullptr;
    TEdit* EditIdleAdvNaCas = nullptr;
    TUpDown* UpDownIdleAdvNaCas = nullptr;
    TLabel* LabelIdleAdvNaCas = nullptr;
    TEdit* EditIdleMaxAdv = nullptr;
    TUpDown* UpDownIdleMaxAdv = nullptr;
    TLabel* LabelIdleMaxAdv = nullptr;
    TLabel* LabelIdleModeErr = nullptr;
    TLabel* LabelMonServoPositionCopy = nullptr;
    TTab* IdleTable = nullptr;
    TTab* IdleAdvanceTable = nullptr;
};

// Image cells of the page.
namespace idle_cells {
constexpr int MODE = 2911; // 0 none, 1 intake servo, 2 step motor, 3 step motor with TP min, 4 FID valve
constexpr int STEP_PERIOD = 2916; // ms, kept even
constexpr int ADVANCE_ON = 2926;
constexpr int ADVANCE_CURVE = 2930; // 9 bytes, desired speed / 50 rpm
constexpr int CURVE_WORD = 1076; // 9 words over coolant temperature
constexpr int START_CURVE_WORD = 1097; // 9 words, during start
constexpr int INTAKE_SERVO_PERCENT = 2786;
constexpr int CURVE_POINTS = 9;
} // namespace idle_cells

// Builds the page's form controls on its tab sheet with the window.
void BuildIdlePage(TMainForm* form);
// The two map tables, then the mode list.
void CreateIdlePage(TMainForm* form);
void FillIdleModeList(TMainForm* form);
void StoreIdlePage(TMainForm* form);
void LoadIdlePage(TMainForm* form);
void IdleTableChanged(TMainForm* form, TTab* table);
// Shows, hides and labels the page's controls and curves for the idle mode.
void UpdateIdleLabels(TMainForm* form);
// Per tick: the TPS-range and control-band rows light green while the unit
// regulates by them.
void ShowIdleLiveValues(TMainForm* form);
// The factor from a curve cell to its image word, by the sheet's value axis;
// never below 1.
int IdleWordFactor(const TTab* table, int sheet);
