#pragma once
// The Injection position page (slot 4): where the pulse of injector group A
// and of group B lies over engine speed, each with its reference point
// (beginning, centre or end of the pulse). Two one-row map tables, nothing else.

class TMainForm;
class TTab;

// Image cells of the page.
namespace injposition_cells {
constexpr int POINTS = 15;
constexpr int RPM_A = 3153; // 15 bytes, hundreds of rpm
constexpr int POSITION_A = 3168; // 15 bytes, degrees / 5
constexpr int RPM_B = 3183;
constexpr int POSITION_B = 3198;
constexpr int REFERENCE_A = 2674; // 0 beginning, 1 centre, 2 end of the pulse
constexpr int REFERENCE_B = 2675;
} // namespace injposition_cells

void CreateInjectionPositionPage(TMainForm* form);
void StoreInjectionPositionPage(TMainForm* form);
void LoadInjectionPositionPage(TMainForm* form);
void InjectionPositionTableChanged(TMainForm* form, TTab* table);
