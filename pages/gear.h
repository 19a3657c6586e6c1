#pragma once
// The Gear page (slot 12): how the unit knows the engaged gear (a sensor
// voltage, the ratio of engine speed to road speed, that ratio learnt
// automatically, or not at all), the number of gears, each gear's voltage or
// ratio (taken from the running engine with one button per gear), four
// corrections per gear, and the rear and front speed sensors. The engaged
// gear lights green on every tick.

#include <array>

class TMainForm;
class TObject;
class TEdit;
class TUpDown;
class TDeciEdit;
class TDeciUpDown;
class TLabel;
class TButton;
class TCheckBox;
class TGroupBox;
class TRadioGroup;

constexpr int GEAR_MAX = 6;
constexpr int GEAR_CORRECTIONS = 4; // advance, injection, acceleration threshold, track

struct GearPageControls {
    TRadioGroup* RadioGroupGearSystem = nullptr;
    TEdit* EditPocetGear = nullptr;
    TUpDown* UpDownPocetGear = nullptr;
    TLabel* LabelPocetGear = nullptr;
    TGroupBox* GroupBoxNapetiProGear = nullptr;
    TLabel* LabelGear0 = nullptr;
    TLabel* LabelGear1 = nullptr;
    TLabel* LabelGear2 = nullptr;
    TLabel* LabelGear3 = nullptr;
    TLabel* LabelGear4 = nullptr;
    TLabel* LabelGear5 = nullptr;
    TLabel* LabelGear6 = nullptr;
    TLabel* LabelMonGearNapeti = nullptr;
    TGroupBox* GroupBoxRpmSpeedProGear = nullptr;
    TLabel* LabelPomerRpmSpeedHeader = nullptr;
    TLabel* LabelPomerRpmSpeed1 = nullptr;
    TLabel* LabelPomerRpmSpeed2 = nullptr;
    TLabel* LabelPomerRpmSpeed3 = nullptr;
    TLabel* LabelPomerRpmSpeed4 = nullptr;
    TLabel* LabelPomerRpmSpeed5 = nullptr;
    TLabel* LabelPomerRpmSpeed6 = nullptr;
    TLabel* LabelMonPomerRpmSpeed = nullptr;
    TGroupBox* GroupBoxMonAutoGear = nullptr;
    TEdit* EditGearAutoTime = nullptr;
    TUpDown* UpDownGearAutoTime = nullptr;
    TLabel* LabelGearAutoTime = nullptr;
    TEdit* EditGearAutoRpm = nullptr;
    TUpDown* UpDownGearAutoRpm = nullptr;
    TLabel* LabelGearAutoRpm = nullptr;
    TEdit* EditGearAutoTps = nullptr;
    TUpDown* UpDownGearAutoTps = nullptr;
    TLabel* LabelGearAutoTps = nullptr;
    TLabel* LabelGearAutoBand = nullptr;
    TLabel* LabelMonGearAuto1 = nullptr;
    TLabel* LabelMonGearAuto2 = nullptr;
    TLabel* LabelMonGearAuto3 = nullptr;
    TLabel* LabelMonGearAuto4 = nullptr;
    TLabel* LabelMonGearAuto5 = nullptr;
    TLabel* LabelMonGearAuto6 = nullptr;
    TLabel* LabelMonPomerRpmSpeedAuto1 = nullptr;
    TLabel* LabelMonPomerRpmSpeedAuto2 = nullptr;
    TLabel* LabelMonPomerRpmSpeedAuto3 = nullptr;
    TLabel* LabelMonPomerRpmSpeedAuto4 = nullptr;
    TLabel* LabelMonPomerRpmSpeedAuto5 = nullptr;
    TLabel* LabelMonPomerRpmSpeedAuto6 = nullptr;
    TGroupBox* GroupBoxGearKor = nullptr;
    TLabel* LabelGearKorAdvance = nullptr;
    TLabel* LabelGearKorInjection = nullptr;
    TLabel* LabelGearKorAccTres = nullptr;
    TLabel* LabelGearKorRetard = nullptr;
    TLabel* LabelGearKor1 = nullptr;
    TLabel* LabelGearKor2 = nullptr;
    TLabel* LabelGearKor3 = nullptr;
    TLabel* LabelGearKor4 = nullptr;
    TLabel* LabelGearKor5 = nullptr;
    TLabel* LabelGearKor6 = nullptr;
    TButton* ButtonGear0 = nullptr;
    TButton* ButtonGear1 = nullptr;
    TButton* ButtonGear2 = nullptr;
    TButton* ButtonGear3 = nullptr;
    TButton* ButtonGear4 = nullptr;
    TButton* ButtonGear5 = nullptr;
    TButton* ButtonGear6 = nullptr;
    TLabel* LabelSpeedRear = nullptr;
    TRadioGroup* RadioGroupRearMode = nullptr;
    TEdit* EditPulsuProRear = nullptr;
    TUpDown* UpDownPulsuProRear = nullptr;
    TLabel* LabelSpeedFront = nullptr;
    TRadioGroup* RadioGroupFrontMode = nullptr;
    TEdit* EditPulsuProFront = nullptr;
    TUpDown* UpDownPulsuProFront = nullptr;
    TLabel* LabelSpeedOutCorrection = nullptr;
    TEdit* EditSpeedOutCorrection = nullptr;
    TUpDown* UpDownSpeedOutCorrection = nullptr;
    // Neutral detection: made with the page, always hidden, bound to no cell.
    TGroupBox* GroupBoxNeutral = nullptr;
    TCheckBox* CheckBoxNeutral = nullptr;
    TLabel* LabelN0 = nullptr;
    TLabel* LabelN1 = nullptr;
    TLabel* LabelMonGearNapeti1 = nullptr;

    // Made by CreateGearPage.
    std::array<TEdit*, GEAR_MAX + 1> EditGearVoltage {}; // gear 0..6
    std::array<TUpDown*, GEAR_MAX + 1> UpDownGearVoltage {};
    std::array<TEdit*, GEAR_MAX + 1> EditGearRatio {}; // gear 1..6; 0 unused
    std::array<TUpDown*, GEAR_MAX + 1> UpDownGearRatio {};
    std::array<TEdit*, 2> EditGearNeutral {};
    std::array<TUpDown*, 2> UpDownGearNeutral {};
    // Row 1..6 (row 1 serves gears 0 and 1; 0 unused) by advance, injection,
    // acceleration threshold and track.
    std::array<std::array<TEdit*, GEAR_CORRECTIONS>, GEAR_MAX + 1> EditGearCorrection {};
    std::array<std::array<TUpDown*, GEAR_CORRECTIONS>, GEAR_MAX + 1> UpDownGearCorrection {};
    TDeciEdit* DeciEditGearAutoBand = nullptr;
    TDeciUpDown* DeciUpDownGearAutoBand = nullptr;
    // The live ratio of gear 1..6 (0 unused).
    std::array<TLabel*, GEAR_MAX + 1> LabelsGearAutoRatio {};
};

// Image cells of the page.
namespace gear_cells {
constexpr int SYSTEM = 2901; // 0 sensor, 1 ratio, 2 automatic ratio, 3 none
constexpr int COUNT = 2902;
constexpr int REAR_MODE = 2903;
constexpr int AUTO_TIME = 2904;
constexpr int AUTO_RPM = 2905; // rpm / 100
constexpr int AUTO_TPS = 2906;
constexpr int AUTO_BAND = 2907; // % x 10
constexpr int ADVANCE = 2881; // + row - 1, degrees + 100
constexpr int INJECTION = 2887;
constexpr int ACC_THRESHOLD = 4045;
constexpr int TRACK = 4123;
constexpr int FRONT_MODE = 4129;
constexpr int SPEED_OUT_COPY = 4240; // word 1112, at most 250
constexpr int VOLTAGE_WORD = 1049; // + gear, mV
constexpr int RATIO_WORD = 1010; // + gear - 1, rpm / speed x 10
constexpr int REAR_PULSES_WORD = 1009;
constexpr int FRONT_PULSES_WORD = 1092;
constexpr int SPEED_OUT_WORD = 1112;
constexpr int NO_SYSTEM = 3;
} // namespace gear_cells

// Builds the page's form controls on its tab sheet with the window.
void BuildGearPage(TMainForm* form);
// The run-time pairs (voltages, neutral, ratios, corrections, the band), the
// live ratio labels, then the system list.
void CreateGearPage(TMainForm* form);
// Refills "Determining of gear" in the current language.
void FillGearSystemList(TMainForm* form);
void StoreGearPage(TMainForm* form);
void LoadGearPage(TMainForm* form);
// Shows the rows, groups and buttons of the gear system and count.
void UpdateGearControls(TMainForm* form);
// Per tick: the engaged gear's rows in green and its button in bold.
void ShowGearLiveValues(TMainForm* form);
// Puts the running engine's voltage or ratio into gear n (0..6) and commits.
void TakeGearLiveValue(TMainForm* form, int n);
