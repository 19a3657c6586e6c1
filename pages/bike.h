#pragma once
// The Bike page: the motorbike model whose preset fills the image, the
// limiters, dwell, warning temperature, rev-counter pulses, intake ports,
// switched-input polarities, dashboard display and CAN bus, the small
// lambda-on-rpm map, the unit's version texts and the notes memo.

class TMainForm;
class TButton;
class TCheckBox;
class TComboBox;
class TEdit;
class TGroupBox;
class TLabel;
class TMemo;
class TRadioButton;
class TRadioGroup;
class TTab;
class TUpDown;

namespace bike_cells {
constexpr int BIKE_CODE = 2550;
constexpr int FALL_ENABLE = 2552;
constexpr int BLOCK_ENABLE = 2553;
constexpr int ACT_FALL = 2554;
constexpr int ACT_CLUTCH = 2555;
constexpr int ACT_START_LIMITER = 2556;
constexpr int ACT_RPM = 2557;
constexpr int IGN_LIMITER = 2560;
constexpr int JET_LIMITER = 2561;
constexpr int RETARD_LIMITER_RPM = 2562;
constexpr int RETARD_LIMITER_ADV = 2563;
constexpr int DISPLAY_TYPE = 2564;
constexpr int CAN_TYPE = 2565;
constexpr int CAN_SPEED = 2566;
constexpr int CAN_NO_RECORD = 2567;
constexpr int SPECIAL = 2568;
constexpr int DWELL = 2620;
constexpr int DWELL_DYN = 2621;
constexpr int DWELL_MAX_TIME = 2622;
constexpr int DWELL_MAX_RPM_LOBE = 2623;
constexpr int WARNING_TEMPERATURE = 2648;
constexpr int RPM_PULSES = 2649;
constexpr int RPM_CORRECTION = 2650;
constexpr int INTAKE_PORT_RPM = 2651;
constexpr int SERVO_INTAKE_PORT = 2782;
constexpr int SERVO_MODE = 2789;
constexpr int IDLE_MODE = 2911;
constexpr int LAMBDA_AFR = 2946;
constexpr int LAMBDA_RPM = 2948;
constexpr int START_LIMITER = 3003;
constexpr int BLOCK_INVERT = 4130;
constexpr int INTAKE_INVERT = 4239;
} // namespace bike_cells

// The rev-counter pulses shown as texts for the two pick-up sources.
constexpr int RPM_PULSES_CKPS = -1;
constexpr int RPM_PULSES_CMPS = -2;

struct BikePageControls {
    TGroupBox* GroupBoxBike = nullptr;
    TComboBox* ComboBoxBike = nullptr;
    TCheckBox* CheckBoxBikeSecial = nullptr;
    TLabel* LabelVerze1 = nullptr;
    TLabel* LabelVerze2 = nullptr;
    TLabel* LabelVerze3 = nullptr;
    TLabel* LabelMemo = nullptr;
    TMemo* Memo1 = nullptr;
    TCheckBox* CheckBoxFallEnable = nullptr;
    TCheckBox* CheckBoxBlokEnable = nullptr;
    TCheckBox* CheckBoxBlokInvert = nullptr;
    TCheckBox* CheckBoxInvInput = nullptr;
    TGroupBox* GroupBoxActivation = nullptr;
    TCheckBox* CheckBoxAktFall = nullptr;
    TCheckBox* CheckBoxAktClutch = nullptr;
    TCheckBox* CheckBoxAktStartLimiter = nullptr;
    TCheckBox* CheckBoxAktRpm = nullptr;
    TGroupBox* GroupBoxOmez = nullptr;
    TLabel* LabelIgnLimiter = nullptr;
    TEdit* EditIgnLimiter = nullptr;
    TUpDown* UpDownIgnLimiter = nullptr;
    TLabel* LabelJetLimiter = nullptr;
    TEdit* EditJetLimiter = nullptr;
    TUpDown* UpDownJetLimiter = nullptr;
    TLabel* LabelRetardLimiterRpm = nullptr;
    TEdit* EditRetardLimiterRpm = nullptr;
    TUpDown* UpDownRetardLimiterRpm = nullptr;
    TLabel* LabelRetardLimiterAdv = nullptr;
    TEdit* EditRetardLimiterAdv = nullptr;
    TUpDown* UpDownRetardLimiterAdv = nullptr;
    TLabel* LabelStartLimiter1 = nullptr;
    TLabel* LabelStartLimiter2 = nullptr;
    TGroupBox* GroupBoxDwell = nullptr;
    TLabel* LabelBuzeni = nullptr;
    TEdit* EditBuzeni = nullptr;
    TUpDown* UpDownBuzeni = nullptr;
    TLabel* LabelDwellDyn = nullptr;
    TEdit* EditDwellDyn = nullptr;
    TUpDown* UpDownDwellDyn = nullptr;
    TLabel* LabelDwellMaxRPMLobe = nullptr;
    TEdit* EditDwellMaxRPMLobe = nullptr;
    TUpDown* UpDownDwellMaxRPMLobe = nullptr;
    TLabel* LabelDwellMaxTime = nullptr;
    TEdit* EditDwellMaxTime = nullptr;
    TUpDown* UpDownDwellMaxTime = nullptr;
    TGroupBox* GroupBoxChlazeni = nullptr;
    TEdit* EditFan1 = nullptr;
    TUpDown* UpDownFan1 = nullptr;
    TLabel* LabelRpmPulsu = nullptr;
    TEdit* EditRpmPulsu = nullptr;
    TUpDown* UpDownRpmPulsu = nullptr;
    TLabel* LabelRpmKorekce = nullptr;
    TEdit* EditRpmKorekce = nullptr;
    TUpDown* UpDownRpmKorekce = nullptr;
    TGroupBox* GroupBoxIntakePort = nullptr;
    TLabel* LabelIntakePortRpm = nullptr;
    TEdit* EditIntakePortRpm = nullptr;
    TUpDown* UpDownIntakePortRpm = nullptr;
    TCheckBox* CheckBox1IntakeInvert = nullptr;
    TRadioGroup* RadioGroupDisplayTyp = nullptr;
    TGroupBox* GroupBoxCan = nullptr;
    TComboBox* ComboBoxCanType = nullptr;
    TRadioButton* RadioButtonCAN250 = nullptr;
    TRadioButton* RadioButtonCAN500 = nullptr;
    TCheckBox* CheckBoxCanNoRecord = nullptr;
    TLabel* LabelPocetProgramovani = nullptr;
    // Kept from older units and hidden for good.
    TRadioGroup* RadioGroupPinEngine23 = nullptr;
    TRadioGroup* RadioGroupPinEngine14 = nullptr;
    TRadioGroup* RadioGroupPinBody11 = nullptr;
    TRadioGroup* RadioGroupPinEngine13 = nullptr;
    TRadioGroup* RadioGroupPinBody1 = nullptr;
    TRadioGroup* RadioGroupPinBody35 = nullptr;
    // The two-point map of the rev counter over the air-fuel ratio (table id 39).
    TTab* LambdaOnRpmTable = nullptr;
};

// Builds the page's controls on its tab sheet with the window.
void BuildBikePage(TMainForm* form);
void CreateBikePage(TMainForm* form);
void StoreBikePage(TMainForm* form);
void LoadBikePage(TMainForm* form);
void BikeTableChanged(TMainForm* form, TTab* table);
void UpdateBikeControls(TMainForm* form);
// Refills the model list in the current language and selects byte 2550's row.
void FillBikeList(TMainForm* form);
// The selected model's code into byte 2550 (not in special mode, not the separator).
void StoreBikeCode(TMainForm* form);
// Shows byte 2550's model (or the separator in special mode) in the list.
void SelectBikeCode(TMainForm* form);
// The memo's lines into the notes area, and back.
void StoreNotes(TMainForm* form);
void LoadNotes(TMainForm* form);
