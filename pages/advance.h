#pragma once
// The Advance page (slot 2): the ignition advance map over engine speed and
// load, the base advance, the advance correction of each cylinder, the
// pickup correction and the choice of the load signal (TP or IAP).

class TMainForm;
class TTab;
class TEdit;
class TUpDown;
class TLabel;
class TRadioGroup;

struct AdvancePageControls {
    TEdit* EditBaseAdvance = nullptr;
    TUpDown* UpDownBaseAdvance = nullptr;
    TLabel* LabelBaseAdvance = nullptr;
    TEdit* EditCylinderCorrection1 = nullptr;
    TUpDown* UpDownCylinderCorrection1 = nullptr;
    TEdit* EditCylinderCorrection2 = nullptr;
    TUpDown* UpDownCylinderCorrection2 = nullptr;
    TEdit* EditCylinderCorrection3 = nullptr;
    TUpDown* UpDownCylinderCorrection3 = nullptr;
    TEdit* EditCylinderCorrection4 = nullptr;
    TUpDown* UpDownCylinderCorrection4 = nullptr;
    TLabel* LabelCylinderCorrection = nullptr;
    TEdit* EditPickupCorrection = nullptr;
    TUpDown* UpDownPickupCorrection = nullptr;
    TLabel* LabelPickupCorrection = nullptr;
    TRadioGroup* RadioGroupAdvanceLoad = nullptr;
    // The rpm breakpoint count last loaded or stored.
    int AdvanceRpmCount = 15;
};

// Image cells of the page.
namespace advance_cells {
constexpr int MAP = 2400; // 10 load rows x 15 rpm columns, row r column c at MAP + 15r + c
constexpr int MAP_COLUMNS = 15;
constexpr int MAP_ROWS = 10;
constexpr int RPM_BREAKPOINTS = 3213; // 15 bytes, hundreds of rpm
constexpr int RPM_COUNT = 4677; // 1..15; 0 or more reads as 15
constexpr int LOAD_AXIS_USED = 2652; // 0: one row over rpm
constexpr int LOAD_SIGNAL = 4644; // 0 TP, 1 IAP
constexpr int IAP_BREAKPOINTS_WORD = 2323; // words 2323..2332, kPa
constexpr int BASE_ADVANCE = 2657;
constexpr int CYLINDER_CORRECTION = 2653; // bytes 2653..2656, correction + 100
constexpr int PICKUP_CORRECTION = 2909;
constexpr int CYLINDERS = 2574; // edited on the Synchro page
} // namespace advance_cells

// The fixed throttle breakpoints of the load axis with TP (percent).
constexpr int TP_BREAKPOINTS[10] = { 0, 2, 5, 10, 20, 30, 40, 60, 80, 100 };

void CreateAdvancePage(TMainForm* form);
void StoreAdvancePage(TMainForm* form);
void LoadAdvancePage(TMainForm* form);
void AdvanceTableChanged(TMainForm* form, TTab* table);
void UpdateAdvanceAxes(TMainForm* form);
void ColourBaseAdvance(TMainForm* form);
