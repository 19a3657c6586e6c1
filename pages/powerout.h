#pragma once
// The Power out page (slot 10): the unit's four switched power outputs on
// pins 18, 17, 53 and 54. Each output has a function; with "Special setting"
// it follows an on/off map over engine speed and throttle with a speed
// hysteresis, edited in a map table of its own.

#include <array>

class TMainForm;
class TEdit;
class TLabel;
class TRadioGroup;
class TScrollBar;
class TTab;
class TUpDown;

constexpr int POWER_OUT_COUNT = 4;

struct PowerOutPageControls {
    std::array<TRadioGroup*, POWER_OUT_COUNT> PowerOutGroups {};
    std::array<TTab*, POWER_OUT_COUNT> PowerOutTables {};
    std::array<TEdit*, POWER_OUT_COUNT> EditHysteresis {};
    std::array<TUpDown*, POWER_OUT_COUNT> UpDownHysteresis {};
    std::array<TLabel*, POWER_OUT_COUNT> LabelPowerOutHysteresis {};
    // LabelMonPOut1a .. LabelMonPOut5a: the outputs' live states; the fifth
    // stays hidden.
    std::array<TLabel*, 5> LabelMonPOut {};
    TScrollBar* ScrollBarPout = nullptr;
};

// Image cells of output n (0..3).
namespace powerout_cells {
constexpr int FUNCTION = 2812; // + n
constexpr int RPM = 2816; // + 3n + i, three breakpoints in hundreds of rpm
constexpr int HYSTERESIS = 2828; // + n, tens of rpm
constexpr int TP = 2832; // + 2n + i, two breakpoints in percent
constexpr int ROWS = 2840; // + 3n + r, bit c the cell of row r, column c
constexpr int RPM_POINTS = 3, TP_POINTS = 2;
constexpr int MAP_ROWS = TP_POINTS + 1, MAP_COLUMNS = RPM_POINTS + 1;
constexpr int SPECIAL = 3; // the output follows its map
} // namespace powerout_cells

// The form's row of state labels and the scroll bar above them.
void BuildPowerOutPage(TMainForm* form);
// Per output: the function group, its list, the map table, the hysteresis
// edit, up-down and label, laid out from the sheet's size.
void CreatePowerOutPage(TMainForm* form);
// Sets output n's group caption and its list of functions, then selects the
// function the image holds.
void FillPowerOutList(TMainForm* form, int n);
void StorePowerOutPage(TMainForm* form);
void LoadPowerOutPage(TMainForm* form);
void LoadPowerOutTable(TMainForm* form, int n);
void StorePowerOutTable(TMainForm* form, int n);
// An output's map, edit and label show only with "Special setting".
void UpdatePowerOutControls(TMainForm* form);
