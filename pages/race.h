#pragma once
// The Race page (slot 11): the quickshift up with its per-gear shift light,
// master time and pause, the pit speed control, what the bike's own display
// shows, and the deceleration control whose action is set in the unit of the
// idle actuator. The row of the engaged gear lights green on every tick.

#include <array>

class TMainForm;
class TEdit;
class TUpDown;
class TLabel;
class TButton;
class TCheckBox;
class TGroupBox;
class TRadioGroup;

constexpr int RACE_GEARS = 6;
constexpr int RACE_GEAR_COLUMNS = 4; // shift light 1 and 2, master time, master pause

struct RacePageControls {
    TRadioGroup* RadioGroupClutchMode = nullptr;
    TEdit* EditClutchMinRpm = nullptr;
    TUpDown* UpDownClutchMinRpm = nullptr;
    TLabel* LabelClutchMinRpm = nullptr;
    TEdit* EditClutchJet = nullptr;
    TUpDown* UpDownClutchJet = nullptr;
    TLabel* LabelClutchJet = nullptr;
    TEdit* EditClutchAdv = nullptr;
    TUpDown* UpDownClutchAdv = nullptr;
    TLabel* LabelClutchAdv = nullptr;
    TGroupBox* GroupBoxClutch = nullptr;
    TLabel* LabelGearShiftLight = nullptr;
    TLabel* LabelClutchTime = nullptr;
    TLabel* LabelClutchPause = nullptr;
    TLabel* LabelRaceGear1 = nullptr;
    TLabel* LabelRaceGear2 = nullptr;
    TLabel* LabelRaceGear3 = nullptr;
    TLabel* LabelRaceGear4 = nullptr;
    TLabel* LabelRaceGear5 = nullptr;
    TLabel* LabelRaceGear6 = nullptr;
    TGroupBox* GroupBoxPitControl = nullptr;
    TEdit* EditPitSpeed = nullptr;
    TUpDown* UpDownPitSpeed = nullptr;
    TLabel* LabelPitSpeed = nullptr;
    TEdit* EditPitRetardP = nullptr;
    TUpDown* UpDownPitRetardP = nullptr;
    TLabel* LabelPitRetardP = nullptr;
    TEdit* EditPitRetardI = nullptr;
    TUpDown* UpDownPitRetardI = nullptr;
    TLabel* LabelPitRetardI = nullptr;
    TEdit* EditPitMinAdv = nullptr;
    TUpDown* UpDownPitMinAdv = nullptr;
    TLabel* LabelPitMinAdv = nullptr;
    TEdit* EditPitMinRpm = nullptr;
    TUpDown* UpDownPitMinRpm = nullptr;
    TLabel* LabelPitMinRpm = nullptr;
    TRadioGroup* RadioGroupDisplay = nullptr;
    TGroupBox* GroupBoxRaceDC = nullptr;
    TCheckBox* CheckBoxRaceDC = nullptr;
    TCheckBox* CheckBoxDCUseSpeed = nullptr;
    TEdit* EditDCSpeedMin = nullptr;
    TUpDown* UpDownDCSpeedMin = nullptr;
    TLabel* LabelDCSpeedMin = nullptr;
    TEdit* EditDCTPSmin = nullptr;
    TUpDown* UpDownDCTPSmin = nullptr;
    TLabel* LabelDCTPSmin = nullptr;
    TEdit* EditDCRPMmin = nullptr;
    TUpDown* UpDownDCRPMmin = nullptr;
    TLabel* LabelDCRPMmin = nullptr;
    TEdit* EditDCaction = nullptr;
    TUpDown* UpDownDCaction = nullptr;
    TLabel* LabelDCaction = nullptr;
    TButton* ButtonDCTest = nullptr;
    // Kept from older units and hidden for good when the window is made.
    TGroupBox* GroupBoxRaceQuickShiftDown = nullptr;
    TEdit* EditRaceQSDTime = nullptr;
    TUpDown* UpDownRaceQSDTime = nullptr;
    TLabel* LabelRaceQSDTime = nullptr;
    TEdit* EditRaceQSDTPSmax = nullptr;
    TUpDown* UpDownRaceQSDTPSmax = nullptr;
    TLabel* LabelRaceQSDTPSmax = nullptr;
    // The per-gear pairs, gear 1..6 by shift light 1, shift light 2, master
    // time and master pause.
    std::array<std::array<TEdit*, RACE_GEAR_COLUMNS>, RACE_GEARS> GearEdits {};
    std::array<std::array<TUpDown*, RACE_GEAR_COLUMNS>, RACE_GEARS> GearUpDowns {};
};

// Image cells of the page and those of other pages its rules read.
namespace race_cells {
constexpr int DISPLAY = 2852;
constexpr int SHIFT_LIGHT_1 = 2853; // + gear - 1, rpm / 100
constexpr int SHIFT_LIGHT_2 = 2859;
constexpr int CLUTCH_MODE = 2865;
constexpr int MASTER_TIME = 2866; // ms / 5
constexpr int MASTER_PAUSE = 2872; // ms / 10
constexpr int CLUTCH_ADVANCE = 2880; // signed
constexpr int PIT_MIN_ADVANCE = 2899; // signed
constexpr int DC_ALLOWED = 4680;
constexpr int DC_USE_SPEED = 4685;
constexpr int DC_SERVO_PERCENT = 4683;
constexpr int DC_SERVO_MV = 4684; // mV / 50
constexpr int DC_STEP_WORD = 1110; // signed
constexpr int DC_STEP_TP_MIN_WORD = 1111; // signed
constexpr int BIKE_CODE = 2550;
constexpr int GEAR_SYSTEM = 2901; // 3: no gear detection
constexpr int GEAR_COUNT = 2902;
constexpr int IDLE_MODE = 2911;
constexpr int INTAKE_SERVO_PERCENT = 2786;
} // namespace race_cells

// Builds the page's form controls on its tab sheet with the window.
void BuildRacePage(TMainForm* form);
// The 24 per-gear pairs inside "Setting according gear"; loads nothing.
void CreateRacePage(TMainForm* form);
void StoreRacePage(TMainForm* form);
void LoadRacePage(TMainForm* form);
// The display choice, the gear rows, the deceleration controls and the
// action's caption and range, then the live colours.
void UpdateRaceControls(TMainForm* form);
// Per tick: the row of the engaged gear in green.
void ShowRaceLiveValues(TMainForm* form);
