#pragma once
// The Tuning page (slot 14): the unit's self-tuning of the fuel maps from the
// lambda sensors. The target air-fuel ratio over engine speed and throttle,
// the tuning mode, when tuning runs, its tolerances, limits and step, the
// lambda channel and whether the basic or the compensation maps are tuned.
// Most settings also travel live with every request to the unit.

class TMainForm;
class TTab;
class TCheckBox;
class TDeciEdit;
class TDeciUpDown;
class TEdit;
class TGroupBox;
class TLabel;
class TRadioGroup;
class TUpDown;

struct TuningPageControls {
    TGroupBox* GroupBoxLadeni = nullptr;
    TGroupBox* GroupBoxLambdaPoz = nullptr;
    TLabel* LabelLadeniCaution = nullptr;
    TCheckBox* CheckBoxLadeniPovoleno = nullptr;
    TRadioGroup* RadioGroupLadeniMode = nullptr;
    TRadioGroup* RadioGroupLadeniOnByTLS = nullptr;
    TRadioGroup* RadioGroupTunningSource = nullptr;
    TEdit* EditLadeniTps = nullptr;
    TUpDown* UpDownLadeniTps = nullptr;
    TLabel* LabelLadeniTps = nullptr;
    TEdit* EditLadeniRpm = nullptr;
    TUpDown* UpDownLadeniRpm = nullptr;
    TLabel* LabelLadeniRpm = nullptr;
    TEdit* EditLadeniCas = nullptr;
    TUpDown* UpDownLadeniCas = nullptr;
    TLabel* LabelLadeniCas = nullptr;
    TEdit* EditLadeniKanal = nullptr;
    TUpDown* UpDownLadeniKanal = nullptr;
    TLabel* LabelLadeniKanal = nullptr;
    TEdit* EditCompLimit = nullptr;
    TUpDown* UpDownCompLimit = nullptr;
    TLabel* LabelCompLimit = nullptr;
    TEdit* EditLadeniTempMin = nullptr;
    TUpDown* UpDownLadeniTempMin = nullptr;
    TLabel* LabelLadeniTempMin = nullptr;
    TEdit* EditLadeniTpsMin = nullptr;
    TUpDown* UpDownLadeniTpsMin = nullptr;
    TLabel* LabelLadeniTpsMin = nullptr;
    TEdit* EditLadeniRpmMin = nullptr;
    TUpDown* UpDownLadeniRpmMin = nullptr;
    TLabel* LabelLadeniRpmMin = nullptr;
    TEdit* EditLadeniTempMax = nullptr;
    TUpDown* UpDownLadeniTempMax = nullptr;
    TLabel* LabelLadeniTempMax = nullptr;
    TEdit* EditLadeniMaxAcc = nullptr;
    TUpDown* UpDownLadeniMaxAcc = nullptr;
    TLabel* LabelLadeniMaxAcc = nullptr;
    // Made with the map table: AFR tolerance, step, AFR min and max (tenths).
    TDeciEdit* DeciEditLadeniHyster = nullptr;
    TDeciUpDown* DeciUpDownLadeniHyster = nullptr;
    TLabel* LabelLadeniHyster = nullptr;
    TDeciEdit* DeciEditLadeniKrok = nullptr;
    TDeciUpDown* DeciUpDownLadeniKrok = nullptr;
    TLabel* LabelLadeniKrok = nullptr;
    TDeciEdit* DeciEditLadeniLambdaMin = nullptr;
    TDeciUpDown* DeciUpDownLadeniLambdaMin = nullptr;
    TLabel* LabelLadeniLambdaMin = nullptr;
    TDeciEdit* DeciEditLadeniLambdaMax = nullptr;
    TDeciUpDown* DeciUpDownLadeniLambdaMax = nullptr;
    TLabel* LabelLadeniLambdaMax = nullptr;
};

// Image cells of the page.
namespace tuning_cells {
constexpr int MODE = 2954; // 0 points, 1 all
constexpr int SWITCH = 2955; // the multifunctional switch
constexpr int SOURCE = 4242; // 0 the maps, 1 the compensation maps, 2 permanently the compensation maps
constexpr int COMP_LIMIT = 4241; // percent either side of 100
constexpr int RPM_BREAKPOINTS = 2956; // 5 bytes, hundreds of rpm
constexpr int AFR = 2961; // 5 TP rows x 5 rpm columns, AFR x 10, row r column c at AFR + 5r + c
constexpr int SIZE = 5;
constexpr int CHANNEL = 2991; // 0 all
constexpr int OUTPUTS = 2574; // the injection outputs, edited on the Synchro page
constexpr int COUPLING = 2659; // the injectors coupled, edited on the Injection page
} // namespace tuning_cells

// The fixed throttle breakpoints of the tuning table (percent).
constexpr int TUNING_TP_BREAKPOINTS[5] = { 2, 5, 20, 60, 100 };

// The form's controls of the page, made with the frame.
void BuildTuningPage(TMainForm* form);
void CreateTuningPage(TMainForm* form);
void StoreTuningPage(TMainForm* form);
void LoadTuningPage(TMainForm* form);
void TuningTableChanged(TMainForm* form, TTab* table);
// The menu check, the red of the box and switches, and which rows show.
void UpdateTuningControls(TMainForm* form);
