#pragma once
// The Sensors page (slot 7): the calibrations of the unit's analogue sensors
// as small map tables (coolant and inlet-air temperature, lambda, throttle
// position, atmospheric and intake pressure), the lambda sensor type with the
// CAN identifiers of wide-band sensors, and the potentiometer group that lets
// a handlebar knob shift one group of settings while riding.

#include <cstdint>

class TMainForm;
class TTab;
class TEdit;
class TUpDown;
class TDeciEdit;
class TDeciUpDown;
class TLabel;
class TRadioGroup;
class TCheckBox;
class TGroupBox;
class TComboBox;
class TButton;
class TObject;

// Image cells of the page.
namespace sensors_cells {
constexpr int TP_ZERO = 2777; // 10 mV, 0..250
constexpr int TP_FULL = 2778; // 10 mV minus 250, 0..250
constexpr int POT_MODE = 2779; // 0 none, 1 injection, 2 advance, 3 start limiter, 4 launch control
constexpr int LAMBDA_TYPE = 2939; // 0 narrow band, 1 wide band, 2 wide band on the CAN bus
constexpr int LAMBDA_AFR = 2940; // bytes 2940..2945, ratio x 10
constexpr int LAMBDA_MV_WORD = 1066; // words 1066..1071
constexpr int AP_WORD = 1001; // kPa, mV, kPa, mV
constexpr int IAP_WORD = 1005;
constexpr int COOLANT_MV_WORD = 1022; // words 1022..1030
constexpr int AIR_MV_WORD = 1031; // words 1031..1039
constexpr int POT_RANGE_WORD = 1093; // words 1093..1096, signed
constexpr int CAN_ID_WORD = 1106; // words 1106..1109
constexpr int TP_OFF = 4033;
constexpr int AP_OFF = 4034;
constexpr int IAP_OFF = 4035;
constexpr int COOLANT_OFF = 4036;
constexpr int AIR_OFF = 4037;
constexpr int LAMBDA_OFF = 4038;
constexpr int CYLINDERS = 2574; // edited on the Synchro page
constexpr int MAPS_COUPLED = 2659; // edited on the Injection page
constexpr int ACC_SPEED_SOURCE = 3005; // 0 engine speed, else wheel speed; Tracking page
constexpr int MIN_ADVANCE = 3002; // degrees + 100, 40..160
constexpr int ACC_THRESHOLD_MAP = 4140; // 5 x 5 cells, (r, c) at base + 5r + c
constexpr int ACC_RETURN_MAP = 4174;
constexpr int ACC_PROP_MAP = 4208;
} // namespace sensors_cells

constexpr int SENSORS_TEMP_ROWS = 9;
constexpr int SENSORS_LAMBDA_ROWS = 6;

struct SensorsPageControls {
    // Controls of the form.
    TRadioGroup* RadioGroupCidloLambdaMode = nullptr;
    TGroupBox* GroupBoxCANID = nullptr;
    TEdit* EditCANID01 = nullptr;
    TEdit* EditCANID02 = nullptr;
    TEdit* EditCANID03 = nullptr;
    TEdit* EditCANID04 = nullptr;
    TUpDown* UpDownCANID01 = nullptr;
    TUpDown* UpDownCANID02 = nullptr;
    TUpDown* UpDownCANID03 = nullptr;
    TUpDown* UpDownCANID04 = nullptr;
    TLabel* LabelCANID01 = nullptr;
    TLabel* LabelCANID02 = nullptr;
    TLabel* LabelCANID03 = nullptr;
    TLabel* LabelCANID04 = nullptr;
    TButton* ButtonTps0 = nullptr;
    TButton* ButtonTps100 = nullptr;
    TLabel* LabelFuelMonitor = nullptr;
    TCheckBox* CheckBoxTPS3pt = nullptr;
    TButton* ButtonTpsX = nullptr;
    // The potentiometer group.
    TGroupBox* GroupBoxPotenc = nullptr;
    TComboBox* ComboBoxPotencMode = nullptr;
    TEdit* EditPotencRozsah = nullptr;
    TUpDown* UpDownPotencRozsah = nullptr;
    TEdit* EditPotencRozsah2 = nullptr;
    TUpDown* UpDownPotencRozsah2 = nullptr;
    TEdit* EditPotencRozsah3 = nullptr;
    TUpDown* UpDownPotencRozsah3 = nullptr;
    TEdit* EditPotencRozsah4 = nullptr;
    TUpDown* UpDownPotencRozsah4 = nullptr;
    TLabel* LabelPotencRozsah = nullptr;
    TLabel* LabelPotencRozsah2 = nullptr;
    TLabel* LabelPotencRozsah3 = nullptr;
    TLabel* LabelPotencRozsah4 = nullptr;
    TLabel* LabelUpPotencRozsah = nullptr;
    TLabel* LabelUpPotencRozsah2 = nullptr;
    TLabel* LabelUpPotencRozsah3 = nullptr;
    TLabel* LabelUpPotencRozsah4 = nullptr;
    TButton* ButtonLaunchPotiSave = nullptr;
    TLabel* LabelMonAcclimRetard = nullptr;
    TLabel* LabelMonAcclimPropEffect = nullptr;
    TLabel* LabelMonAcclimSpeedRet = nullptr;
    TLabel* LabelMonAcclimMinAdv = nullptr;

    // Run-time controls.
    TCheckBox* CheckBoxTempWaterSensor = nullptr;
    TCheckBox* CheckBoxTempAirSensor = nullptr;
    TRadioGroup* RadioGroupCharView = nullptr;
    TDeciEdit* EditQuickshiftDown = nullptr;
    TDeciUpDown* UpDownQuickshiftDown = nullptr;
    TDeciEdit* EditQuickshiftUp = nullptr;
    TDeciUpDown* UpDownQuickshiftUp = nullptr;
    TLabel* LabelQuickshiftDown = nullptr;
    TLabel* LabelQuickshiftUp = nullptr;
    TLabel* LabelQuickshiftAnalog = nullptr;
    TLabel* LabelQuickshiftMon = nullptr;

    TTab* TempSensorTable = nullptr;
    TTab* LambdaSensorTable = nullptr;
    TTab* TpSensorTable = nullptr;
    TTab* ApSensorTable = nullptr;
    TTab* IapSensorTable = nullptr;
    TTab* FuelSensorTable = nullptr;
    // The normal height of the lambda table.
    int LambdaTableHeight = 0;
};

// Builds the form's controls of the page on its tab sheet.
void BuildSensorsPage(TMainForm* form);
void CreateSensorsPage(TMainForm* form);
void StoreSensorsPage(TMainForm* form);
void LoadSensorsPage(TMainForm* form);
void UpdateSensorsControls(TMainForm* form);
void SensorsTableChanged(TMainForm* form, TTab* table);
void UpdatePotentiometerControls(TMainForm* form);
void CharViewClick(TMainForm* form);

// The temperature sensors hang on a 2200 ohm pull-up at 5 V.
int32_t SensorMvToOhm(int32_t mv);
int32_t SensorOhmToMv(int32_t ohm);
