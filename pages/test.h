#pragma once
// The Test page: buttons that each set one bit of the one-shot commands the
// next live request carries to the unit, the two test values sent with every
// live request, the thresholds of the panel's lambda gauges and five free
// words of the image.

#include <array>
#include <cstdint>

class TMainForm;
class TObject;
class TButton;
class TCheckBox;
class TEdit;
class TGroupBox;
class TLabel;
class TUpDown;

// One command bit: the control that sets it and whether the unit's test lock
// disables that control.
struct OneShotBit {
    const char* control;
    int byte;
    uint8_t mask;
    bool lockable;
};
constexpr int ONE_SHOT_BUTTONS = 28;
extern const std::array<OneShotBit, ONE_SHOT_BUTTONS> ONE_SHOT_BITS;

// The page's bound cells: an edit with its up-down.
constexpr int TEST_PAGE_CELLS = 11;

struct TestPageControls {
    TGroupBox* GroupBoxTestOut = nullptr;
    TGroupBox* GroupBoxTestJet = nullptr;
    TGroupBox* GroupBoxTestIgn = nullptr;
    TGroupBox* GroupBoxTestServo = nullptr;
    TGroupBox* GroupBoxTestPout = nullptr;
    TGroupBox* GroupBoxTestRpm = nullptr;
    TGroupBox* GroupBoxTestSpecialOut = nullptr;
    TGroupBox* GroupBoxLambdaBar = nullptr;
    TGroupBox* GroupBoxProprietary = nullptr;
    // In the order of ONE_SHOT_BITS.
    std::array<TButton*, ONE_SHOT_BUTTONS> Buttons {};
    // EditTestRpm, EditTestServo, EditLambdaBar0..3, EditProp1..5 and their up-downs.
    std::array<TEdit*, TEST_PAGE_CELLS> Edits {};
    std::array<TUpDown*, TEST_PAGE_CELLS> UpDowns {};
    // Kept from older units; hidden for good and setting no bit.
    TButton* ButtonTestStart = nullptr;
    TButton* ButtonTestFan1 = nullptr;
    TButton* ButtonTestFan2 = nullptr;
    TCheckBox* CheckBoxTestInjFuelOn = nullptr;
    TCheckBox* CheckBoxTestIgnFuelOn = nullptr;
};

// Builds the page's controls on its tab sheet.
void BuildTestPage(TMainForm* form);
void StoreTestPage(TMainForm* form);
void LoadTestPage(TMainForm* form);
// The test buttons the unit's test lock concerns are enabled exactly while
// the live block does not report the lock.
void EnableTestButtons(TMainForm* form);
