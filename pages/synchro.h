#pragma once
// The Synchro page: how the unit synchronises ignition and injection to the
// engine. The pick-up wheel (first synchronisation type, lobes, missing and
// shifted lobes), the second synchronisation that tells the two revolutions
// of a cycle apart (camshaft, crankshaft hunting, intake pressure), the
// lobes of every cylinder channel, the recognition parameters and a
// user-defined synchronisation of up to five conditions. The page is
// editable only while the Bike page's special setting is on.

#include <array>

class TMainForm;
class TCheckBox;
class TComboBox;
class TControl;
class TEdit;
class TGroupBox;
class TLabel;
class TObject;
class TRadioGroup;
class TUpDown;

namespace synchro_cells {
constexpr int SPECIAL = 2568;
constexpr int SYNCHRO_TYPE = 2569;
constexpr int SYNCHRO2_TYPE = 2570;
constexpr int LOBES = 2571;
constexpr int MISSING_LOBES = 2572;
constexpr int SHIFTED_LOBES = 2573;
constexpr int CYLINDERS = 2574;
constexpr int IGNITIONS_PER_TURN = 2576;
constexpr int INVERT_CRANK = 2577;
constexpr int INVERT_CAM = 2578;
constexpr int ACQUISITION_LOBE = 2581;
constexpr int SYNCHRO_MAX_RPM = 2582;
constexpr int SPARK_AFTER_SYNCHRO1 = 2583;
constexpr int SKIP_SECOND_INJECTION = 2584;
constexpr int MAX_START_MODE = 2585;
constexpr int LOBE_MAX = 2586; // + channel
constexpr int LOBE_START = 2590; // + channel
constexpr int LOBE_EDGES = 2594; // + 4 × row + channel
constexpr int HUNTING_CONDITION = 2610;
constexpr int HUNTING_PHASES = 2611; // + j
constexpr int HUNTING_PREVIOUS = 2614; // + j
constexpr int HUNTING_REVOLUTION = 2617;
constexpr int HUNTING_MIN_RPM = 2618;
constexpr int HUNTING_REVOLUTIONS = 2619;
constexpr int SPECIAL_EDGE = 2624;
constexpr int SPECIAL_EDGE_COUNT = 2625;
constexpr int SPECIAL_CONDITIONS = 2626;
constexpr int SPECIAL_LOBE_OUT = 2627;
constexpr int SPECIAL_COEFFICIENTS = 2628; // + k
constexpr int SPECIAL_PHASES = 2638; // + k
constexpr int SPECIAL_LAST = 2647;
constexpr int PICKUPS_SWAPPED = 4032;
constexpr int AP_SENSOR_OFF = 4034;
constexpr int RECOGNITION_SOURCE = 4039;
constexpr int IGNITION_EVERY_TURN = 4643;
} // namespace synchro_cells

// The first synchronisation type that the user describes by conditions.
constexpr int SYNCHRO_TYPE_SPECIAL = 10;
// Second synchronisation types.
constexpr int SYNCHRO2_CAM = 1;
constexpr int SYNCHRO2_NONE = 4;

struct SynchroPageControls {
    // The three lists and the wheel.
    TGroupBox* GroupBoxSynchro = nullptr;
    TLabel* LabelSynchro1 = nullptr;
    TComboBox* ComboBoxSynchro1 = nullptr;
    TLabel* LabelSynchro2 = nullptr;
    TComboBox* ComboBoxSynchro2 = nullptr;
    TLabel* Label1 = nullptr;
    TComboBox* ComboBoxNasobekPalcu = nullptr;
    TLabel* LabelSpecSynchro = nullptr;
    TLabel* LabelPocPalcu = nullptr;
    TEdit* EditPocPalcu = nullptr;
    TUpDown* UpDownPocPalcu = nullptr;
    TLabel* LabelVynechPalcu = nullptr;
    TEdit* EditVynechPalcu = nullptr;
    TUpDown* UpDownVynechPalcu = nullptr;
    TLabel* LabelPosunPalcu = nullptr;
    TEdit* EditPosunPalcu = nullptr;
    TUpDown* UpDownPosunPalcu = nullptr;
    TLabel* LabelPredaniHodnot = nullptr;
    TEdit* EditPredaniHodnot = nullptr;
    TUpDown* UpDownPredaniHodnot = nullptr;
    TLabel* LabelSynchroMaxRpm = nullptr;
    TEdit* EditSynchroMaxRpm = nullptr;
    TUpDown* UpDownSynchroMaxRpm = nullptr;
    TCheckBox* CheckBoxInvInputKlika = nullptr;
    TCheckBox* CheckBoxInvInputVacka = nullptr;
    TCheckBox* CheckBoxKazdy2Vstrik = nullptr;
    TCheckBox* CheckBoxIgnPoSynchro1 = nullptr;
    TCheckBox* CheckBoxZamenaPickup = nullptr;
    TCheckBox* CheckBoxIgnEveryTurn = nullptr;
    TLabel* LabelSyncInfo1 = nullptr;
    TLabel* LabelSyncInfo2 = nullptr;
    // The cylinder channels.
    TGroupBox* GroupBoxSKanaly = nullptr;
    TCheckBox* CheckBoxPalceMode = nullptr;
    TLabel* LabelPocKanOut = nullptr;
    TEdit* EditPocKanOut = nullptr;
    TUpDown* UpDownPocKanOut = nullptr;
    TLabel* LabelLobe = nullptr;
    TLabel* LabelHrana2 = nullptr;
    TLabel* LabelSnimac2 = nullptr;
    TLabel *LabelPalec1Zac = nullptr, *LabelPalec2Zac = nullptr, *LabelPalec3Zac = nullptr, *LabelPalec4Zac = nullptr;
    TEdit *EditPalec1Zac = nullptr, *EditPalec2Zac = nullptr, *EditPalec3Zac = nullptr, *EditPalec4Zac = nullptr;
    TUpDown *UpDownPalec1Zac = nullptr, *UpDownPalec2Zac = nullptr, *UpDownPalec3Zac = nullptr,
            *UpDownPalec4Zac = nullptr;
    TLabel *LabelTop1 = nullptr, *LabelTop2 = nullptr, *LabelTop3 = nullptr, *LabelTop4 = nullptr;
    TEdit *EditTop1 = nullptr, *EditTop2 = nullptr, *EditTop3 = nullptr, *EditTop4 = nullptr;
    TUpDown *UpDownTop1 = nullptr, *UpDownTop2 = nullptr, *UpDownTop3 = nullptr, *UpDownTop4 = nullptr;
    TCheckBox *CheckBoxPalec1ZacH2 = nullptr, *CheckBoxPalec2ZacH2 = nullptr, *CheckBoxPalec3ZacH2 = nullptr,
              *CheckBoxPalec4ZacH2 = nullptr;
    TCheckBox *CheckBoxPalec1EndH2 = nullptr, *CheckBoxPalec2EndH2 = nullptr, *CheckBoxPalec3EndH2 = nullptr,
              *CheckBoxPalec4EndH2 = nullptr;
    TCheckBox *CheckBoxPalec1ZacP2 = nullptr, *CheckBoxPalec2ZacP2 = nullptr, *CheckBoxPalec3ZacP2 = nullptr,
              *CheckBoxPalec4ZacP2 = nullptr;
    TCheckBox *CheckBoxPalec1EndP2 = nullptr, *CheckBoxPalec2EndP2 = nullptr, *CheckBoxPalec3EndP2 = nullptr,
              *CheckBoxPalec4EndP2 = nullptr;
    // The hunting or intake-pressure recognition.
    TGroupBox* GroupBoxKyvani = nullptr;
    TRadioGroup* RadioGroupKyvaniPodminka = nullptr;
    TLabel* LabelKyvaniFaze1 = nullptr;
    TLabel* LabelPredchoziOtacka = nullptr;
    TEdit *EditKyvaniFaze1 = nullptr, *EditKyvaniFaze2 = nullptr, *EditKyvaniFaze3 = nullptr;
    TUpDown *UpDownKyvaniFaze1 = nullptr, *UpDownKyvaniFaze2 = nullptr, *UpDownKyvaniFaze3 = nullptr;
    TCheckBox *CheckBoxKyvaniOtackaF1 = nullptr, *CheckBoxKyvaniOtackaF2 = nullptr, *CheckBoxKyvaniOtackaF3 = nullptr;
    TRadioGroup* RadioGroupKyvOtVyst = nullptr;
    TLabel* LabelKyvaniMinRpm = nullptr;
    TEdit* EditKyvaniMinRpm = nullptr;
    TUpDown* UpDownKyvaniMinRpm = nullptr;
    TLabel* LabelKyvaniPocOtacek = nullptr;
    TEdit* EditKyvaniPocOtacek = nullptr;
    TUpDown* UpDownKyvaniPocOtacek = nullptr;
    TRadioGroup* RadioGroupKyvSrc = nullptr;
    // The special synchronisation: condition n reads coefficient × phase of
    // side 1 < coefficient × phase of side 2 (controls ...n1 and ...n2).
    TGroupBox* GroupBoxSynchroSpecial = nullptr;
    TRadioGroup* RadioGroupSyn1SpHrana = nullptr;
    TRadioGroup* RadioGroupSyn1SpPocetH = nullptr;
    TLabel* LabelSyn1SpPocPodm = nullptr;
    TEdit* EditSyn1SpPocPodm = nullptr;
    TUpDown* UpDownSyn1SpPocPodm = nullptr;
    TLabel* LabelSyn1SpFazeOut = nullptr;
    TEdit* EditSyn1SpFazeOut = nullptr;
    TUpDown* UpDownSyn1SpFazeOut = nullptr;
    TLabel *LabelKoef1 = nullptr, *LabelKoef2 = nullptr, *LabelFaze1 = nullptr, *LabelFaze2 = nullptr;
    TUpDown *UpDownSyn1SpKoef11 = nullptr, *UpDownSyn1SpKoef12 = nullptr, *UpDownSyn1SpKoef21 = nullptr,
            *UpDownSyn1SpKoef22 = nullptr, *UpDownSyn1SpKoef31 = nullptr, *UpDownSyn1SpKoef32 = nullptr,
            *UpDownSyn1SpKoef41 = nullptr, *UpDownSyn1SpKoef42 = nullptr, *UpDownSyn1SpKoef51 = nullptr,
            *UpDownSyn1SpKoef52 = nullptr;
    TEdit *EditSyn1SpKoef11 = nullptr, *EditSyn1SpKoef12 = nullptr, *EditSyn1SpKoef21 = nullptr,
          *EditSyn1SpKoef22 = nullptr, *EditSyn1SpKoef31 = nullptr, *EditSyn1SpKoef32 = nullptr,
          *EditSyn1SpKoef41 = nullptr, *EditSyn1SpKoef42 = nullptr, *EditSyn1SpKoef51 = nullptr,
          *EditSyn1SpKoef52 = nullptr;
    TUpDown *UpDownSyn1SpFaze11 = nullptr, *UpDownSyn1SpFaze12 = nullptr, *UpDownSyn1SpFaze21 = nullptr,
            *UpDownSyn1SpFaze22 = nullptr, *UpDownSyn1SpFaze31 = nullptr, *UpDownSyn1SpFaze32 = nullptr,
            *UpDownSyn1SpFaze41 = nullptr, *UpDownSyn1SpFaze42 = nullptr, *UpDownSyn1SpFaze51 = nullptr,
            *UpDownSyn1SpFaze52 = nullptr;
    TEdit *EditSyn1SpFaze11 = nullptr, *EditSyn1SpFaze12 = nullptr, *EditSyn1SpFaze21 = nullptr,
          *EditSyn1SpFaze22 = nullptr, *EditSyn1SpFaze31 = nullptr, *EditSyn1SpFaze32 = nullptr,
          *EditSyn1SpFaze41 = nullptr, *EditSyn1SpFaze42 = nullptr, *EditSyn1SpFaze51 = nullptr,
          *EditSyn1SpFaze52 = nullptr;
    TLabel *LabelSyn1SpK11 = nullptr, *LabelSyn1SpK12 = nullptr, *LabelSyn1SpK21 = nullptr, *LabelSyn1SpK22 = nullptr,
           *LabelSyn1SpK31 = nullptr, *LabelSyn1SpK32 = nullptr, *LabelSyn1SpK41 = nullptr, *LabelSyn1SpK42 = nullptr,
           *LabelSyn1SpK51 = nullptr, *LabelSyn1SpK52 = nullptr;
    TLabel *LabelSyn1SpN1 = nullptr, *LabelSyn1SpN2 = nullptr, *LabelSyn1SpN3 = nullptr, *LabelSyn1SpN4 = nullptr,
           *LabelSyn1SpN5 = nullptr;

    // Filled by CreateSynchroPage. Channel c: LobeMaxUpDowns[c],
    // LobeStartUpDowns[c]; LobeEdgeCheckBoxes[4r + c] is bound to byte
    // 2594 + 4r + c (r: max 2nd edge, start 2nd edge, max 2nd pick-up,
    // start 2nd pick-up). The special synchronisation's entries in the order
    // 11, 12, 21, 22, ... 52.
    std::array<TUpDown*, 4> LobeMaxUpDowns {};
    std::array<TUpDown*, 4> LobeStartUpDowns {};
    std::array<TCheckBox*, 16> LobeEdgeCheckBoxes {};
    std::array<TUpDown*, 3> HuntingPhaseUpDowns {};
    std::array<TCheckBox*, 3> HuntingPrevCheckBoxes {};
    std::array<TUpDown*, 10> SyncCoefUpDowns {};
    std::array<TUpDown*, 10> SyncPhaseUpDowns {};
    std::array<TEdit*, 10> SyncCoefEdits {};
    std::array<TEdit*, 10> SyncPhaseEdits {};
};

// Builds the page's controls on its tab sheet with the window, and hands the
// six recognition-limit controls to the window before it records their places.
void BuildSynchroPage(TMainForm* form);
void CreateSynchroPage(TMainForm* form);
void StoreSynchroPage(TMainForm* form);
void LoadSynchroPage(TMainForm* form);
// Refills the three lists in the current language and selects the image's codes.
void FillSynchroLists(TMainForm* form);
// Visibility, enabling, the hunting or intake-pressure texts and the place of
// the recognition limits, from the image.
void UpdateSynchroControls(TMainForm* form);
