#pragma once
// The N2O page (slot 13): nitrous-oxide injection. Whether it is on, the gas
// share at the start and end of a build-up ramp with its delay and ramp
// time, the injection correction at both ends, an ignition retard ramp of the
// same shape, and the engine speed and throttle below which it stays off.
// It works only while power output 2 has the N2O function; until then the
// page is greyed and says so.

class TMainForm;
class TCheckBox;
class TEdit;
class TGroupBox;
class TLabel;
class TUpDown;

struct N2OPageControls {
    TGroupBox* GroupBoxGas = nullptr;
    TCheckBox* CheckBoxGas = nullptr;
    TEdit* EditGas1 = nullptr;
    TUpDown* UpDownGas1 = nullptr;
    TLabel* LabelGas1 = nullptr;
    TEdit* EditGas2 = nullptr;
    TUpDown* UpDownGas2 = nullptr;
    TLabel* LabelGas2 = nullptr;
    TEdit* EditGasD = nullptr;
    TUpDown* UpDownGasD = nullptr;
    TLabel* LabelGasD = nullptr;
    TEdit* EditGasT = nullptr;
    TUpDown* UpDownGasT = nullptr;
    TLabel* LabelGasT = nullptr;
    TEdit* EditGasJetKor1 = nullptr;
    TUpDown* UpDownGasJetKor1 = nullptr;
    TLabel* LabelGasJetKor1 = nullptr;
    TEdit* EditGasJetKor2 = nullptr;
    TUpDown* UpDownGasJetKor2 = nullptr;
    TLabel* LabelGasJetKor2 = nullptr;
    TGroupBox* GroupBoxRetard = nullptr;
    TEdit* EditRetard1 = nullptr;
    TUpDown* UpDownRetard1 = nullptr;
    TLabel* LabelRetard1 = nullptr;
    TEdit* EditRetard2 = nullptr;
    TUpDown* UpDownRetard2 = nullptr;
    TLabel* LabelRetard2 = nullptr;
    TEdit* EditRetardD = nullptr;
    TUpDown* UpDownRetardD = nullptr;
    TLabel* LabelRetardD = nullptr;
    TEdit* EditRetardT = nullptr;
    TUpDown* UpDownRetardT = nullptr;
    TLabel* LabelRetardT = nullptr;
    TEdit* EditN2O_RPMmin = nullptr;
    TUpDown* UpDownN2O_RPMmin = nullptr;
    TLabel* LabelN2O_RPMmin = nullptr;
    TEdit* EditN2O_TPSmin = nullptr;
    TUpDown* UpDownN2O_TPSmin = nullptr;
    TLabel* LabelN2O_TPSmin = nullptr;
    // The repetition rate of older units: never shown, bound to no cell.
    TEdit* EditN2O_Repeat = nullptr;
    TUpDown* UpDownN2O_Repeat = nullptr;
    TLabel* LabelN2O_Repeat = nullptr;
    TLabel* LabelN2O_Input = nullptr;
    TLabel* LabelN2O_Output = nullptr;
};

namespace n2o_cells {
constexpr int ENABLED = 2801;
constexpr int POWER_OUT_2 = 2813; // the function of power output 2
constexpr int N2O_FUNCTION = 4;
} // namespace n2o_cells

// The form's controls of the page.
void BuildN2OPage(TMainForm* form);
void StoreN2OPage(TMainForm* form);
void LoadN2OPage(TMainForm* form);
// Enables the page by the function of power output 2 and the "enabled" box.
void UpdateN2OControls(TMainForm* form);
