#pragma once
// The Injection page (slot 3): one map table of eight sheets (the injection
// times of injectors 1..4 over rpm and TP, the TP compensation, the share of
// the B injectors, the injection time over IAP and the IAP compensation), and
// a strip under it whose controls follow the shown sheet. Also the coupling
// of the four injector maps: independent, coupled to map 1, or all equal.

#include "mapedit/selection.h"

#include <array>
#include <cstdint>

class TMainForm;
class TTab;
class TEdit;
class TUpDown;
class TLabel;
class TButton;
class TCheckBox;
class TRadioButton;
class TImage;

constexpr int INJECTION_SHEETS = 8;

struct InjectionPageControls {
    TImage* ImageInjectionCoupling = nullptr;
    TRadioButton* RadioButtonBSplits = nullptr;
    TRadioButton* RadioButtonBAdds = nullptr;
    TLabel* LabelIapToTp = nullptr;
    // TP min, TP max, RPM min, RPM max of the IAP-to-TP changeover.
    TEdit* EditIapBlend1 = nullptr;
    TUpDown* UpDownIapBlend1 = nullptr;
    TLabel* LabelIapBlend1 = nullptr;
    TEdit* EditIapBlend2 = nullptr;
    TUpDown* UpDownIapBlend2 = nullptr;
    TLabel* LabelIapBlend2 = nullptr;
    TEdit* EditIapBlend3 = nullptr;
    TUpDown* UpDownIapBlend3 = nullptr;
    TLabel* LabelIapBlend3 = nullptr;
    TEdit* EditIapBlend4 = nullptr;
    TUpDown* UpDownIapBlend4 = nullptr;
    TLabel* LabelIapBlend4 = nullptr;
    TEdit* EditInjCylCorrection1 = nullptr;
    TUpDown* UpDownInjCylCorrection1 = nullptr;
    TEdit* EditInjCylCorrection2 = nullptr;
    TUpDown* UpDownInjCylCorrection2 = nullptr;
    TEdit* EditInjCylCorrection3 = nullptr;
    TUpDown* UpDownInjCylCorrection3 = nullptr;
    TEdit* EditInjCylCorrection4 = nullptr;
    TUpDown* UpDownInjCylCorrection4 = nullptr;
    TLabel* LabelInjCylCorrection = nullptr;
    TButton* ButtonMoveCorrections = nullptr;
    TEdit* EditCompensationLimit = nullptr;
    TUpDown* UpDownCompensationLimit = nullptr;
    TLabel* LabelCompensationLimit = nullptr;
    TCheckBox* CheckBoxCorrectResult = nullptr;

    // The rpm breakpoint count of each sheet as the image gives it (0 before
    // the first consistency pass).
    std::array<int, INJECTION_SHEETS> InjectionRpmCounts { 15, 15, 15, 15, 15, 15, 15, 15 };
    // Sheet 0's cells as last loaded, read back from the unit or handled by
    // the page, laid out like a sheet's cells: the coupled maps follow the
    // changes against them.
    std::array<int32_t, TAB_CELLS> InjectionSnapshot {};
    int InjectionSnapshotColumns = 0;
    int InjectionSnapshotRows = 0;
};

// Image cells of the page.
namespace injection_cells {
constexpr int MAP_ROWS = 10;
constexpr int MAP_COLUMNS = 20;
constexpr int INJECTOR_MAPS = 4;
constexpr int INJECTOR_MAP_WORDS = 0; // maps 1..4 at words 0, 200, 400, 600; µs
constexpr int INJECTOR_RPM = 3228; // maps 1..4 at 3228, 3248, 3268, 3288; hundreds of rpm
constexpr int RPM_COUNTS = 2664; // maps 1..4, then B (2668) and IAP (2669)
constexpr int TP_COMPENSATION = 4243; // percent, 100 = no change
constexpr int B_SHARE = 3378; // percent
constexpr int B_RPM = 3308;
constexpr int IAP_MAP_WORDS = 800;
constexpr int IAP_RPM = 3328;
constexpr int IAP_BREAKPOINTS_WORD = 1056; // words 1056..1065, kPa, signed
constexpr int IAP_COMPENSATION = 4443;
constexpr int COUPLING = 2659; // 0 normal, 1 coupled, 2 all four equal
constexpr int CYLINDERS = 2574;
constexpr int IAP_BLEND = 2660; // TP min, TP max (%), RPM min, RPM max (hundreds)
constexpr int CYLINDER_CORRECTION = 2670; // bytes 2670..2673
constexpr int COMPENSATION_LIMIT = 4241; // percent either side of 100
constexpr int B_USE = 4667; // 0 B splits, 1 B adds
constexpr int CORRECT_RESULT = 4687; // the IAP compensation corrects the result
} // namespace injection_cells

// The coupling modes of image byte injection_cells::COUPLING.
constexpr int COUPLING_NORMAL = 0;
constexpr int COUPLING_COUPLED = 1;
constexpr int COUPLING_ALL_EQUAL = 2;

// Flags of MoveCorrectionsToMaps: the TP and the IAP compensation.
constexpr int MOVE_TP_CORRECTIONS = 1;
constexpr int MOVE_IAP_CORRECTIONS = 2;

void CreateInjectionPage(TMainForm* form);
void LoadInjectionPage(TMainForm* form);
void StoreInjectionPage(TMainForm* form);
void InjectionTableChanged(TMainForm* form, TTab* table);
// Fills every map's tail beyond its rpm count: increasing breakpoints and
// copies of the last used column.
void NormaliseInjectionMaps(TMainForm* form);
void UpdateInjectionTitles(TMainForm* form);
// The value-axis pictures and colours of sheets 0..5, pictures only once the
// timer has ticked.
void SetInjectionBackgrounds(TMainForm* form);
// Folds the compensation maps into the injection maps, which leaves the
// compensation at 100 %, then reloads and commits.
void MoveCorrectionsToMaps(TMainForm* form, int flags);
// Sheet 0's cells and counts become the snapshot the coupled maps follow.
void TakeInjectionSnapshot(TMainForm* form);

// The coupled maps 2..4 take the change of map 1 since the snapshot.
void CarryOverCoupledEdit(TMainForm* form);
// Resamples maps 2..4 onto the breakpoints of map 1.
void CoupleInjectionMaps(TMainForm* form);
// Maps 2..4 become copies of map 1 (breakpoints, counts and cells).
void CopyFirstInjectionMap(TMainForm* form);
