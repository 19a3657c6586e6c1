#pragma once
// The Corrections page (slot 5): injection and advance corrected by coolant
// and air temperature, the acceleration enrichment, the start corrections and
// the voltage corrections of injection and dwell. A strip of six tabs on top
// chooses which correction tables are shown; the live corrections the unit
// applies run along the bottom.

#include <array>
#include <cstddef>

class TMainForm;
class TTab;
class TEdit;
class TUpDown;
class TLabel;
class TGroupBox;

// Image cells of the page's controls; the tables' cells are in the page's
// table of cells.
namespace corrections_cells {
constexpr int ACC_K_PLUS_WORD = 1072; // %/100%
constexpr int ACC_K_MINUS_WORD = 1073;
constexpr int ACC_T100_WORD = 1074; // 10 ms
constexpr int ACC_T0_WORD = 1075;
constexpr int DEAD_TIME = 2893; // 10 us
} // namespace corrections_cells

// The ids of the page's map tables: the tab strip, then the correction tables.
constexpr int CORRECTIONS_HEADER_ID = 6;
constexpr int CORRECTIONS_FIRST_ID = 7;
constexpr int CORRECTIONS_TABLES = 12; // ids 7..18
// The tabs of the strip.
constexpr int CORRECTIONS_TABS = 6;

struct CorrectionsPageControls {
    TGroupBox* GroupBoxAccK = nullptr;
    TUpDown* UpDownAccKPlus = nullptr;
    TEdit* EditAccKPlus = nullptr;
    TLabel* LabelAccKPlus = nullptr;
    TUpDown* UpDownAccKMinus = nullptr;
    TEdit* EditAccKMinus = nullptr;
    TLabel* LabelAccKMinus = nullptr;
    TUpDown* UpDownAccT100 = nullptr;
    TEdit* EditAccT100 = nullptr;
    TLabel* LabelAccT100 = nullptr;
    TUpDown* UpDownAccT0 = nullptr;
    TEdit* EditAccT0 = nullptr;
    TLabel* LabelAccT0 = nullptr;
    TUpDown* UpDownDeadTime = nullptr;
    TEdit* EditDeadTime = nullptr;
    TLabel* LabelDeadTime = nullptr;
    // The live corrections.
    TGroupBox* GroupBoxInjCor = nullptr;
    TGroupBox* GroupBoxAdvCor = nullptr;
    TGroupBox* GroupBoxAccCor = nullptr;
    TLabel* LabelCorInjTW = nullptr;
    TLabel* LabelCorInjAT = nullptr;
    TLabel* LabelCorInjAP = nullptr;
    TLabel* LabelCorInjStart = nullptr;
    TLabel* LabelCorInjPotenc = nullptr;
    TLabel* LabelCorInjU = nullptr;
    TLabel* LabelCorAdvTW = nullptr;
    TLabel* LabelCorAdvPotenc = nullptr;
    TLabel* LabelCorAdvIdle = nullptr;
    TLabel* LabelCorAdvAT = nullptr;
    TLabel* LabelAccTres = nullptr;
    TLabel* LabelAccCor = nullptr;
    TLabel* LabelCorInjAcc = nullptr;
    TLabel* LabelStartJet = nullptr;
    TLabel* LabelCorAccTW = nullptr;
    TLabel* LabelCorAccJet = nullptr;

    // The tab strip (table 6) and tables 7..18, by id - 7.
    TTab* CorrectionsHeaderTable = nullptr;
    std::array<TTab*, CORRECTIONS_TABLES> Tables {};
    TTab* Table(int id) const { return Tables[std::size_t(id - CORRECTIONS_FIRST_ID)]; }
};

// Builds the form's controls of the page on its tab sheet.
void BuildCorrectionsPage(TMainForm* form);
void CreateCorrectionsPage(TMainForm* form);
void StoreCorrectionsPage(TMainForm* form);
void LoadCorrectionsPage(TMainForm* form);
void CorrectionsTableChanged(TMainForm* form, TTab* table);
// Shows the tables and controls of the tab chosen in the strip, hides the others.
void ShowCorrectionsTables(TMainForm* form);
