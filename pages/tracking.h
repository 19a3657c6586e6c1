#pragma once
// The Tracking page (slot 16): launch control (start limiters, acceleration
// limiters, the servos at the start limiter), the afterstart limiters over
// the time since the engine started, and track control (retard over slip and
// throttle with its limits and filtering). A bare strip of three sheet tabs
// chooses the section shown. The form holds only the empty tab sheet: every
// control and all five map tables are built here.

class TMainForm;
class TCheckBox;
class TEdit;
class TGroupBox;
class TLabel;
class TRadioButton;
class TRadioGroup;
class TTab;
class TUpDown;

// Image cells of the page.
namespace tracking_cells {
constexpr int LAUNCH_ENABLE = 3001;
constexpr int LAUNCH_MIN_ADVANCE = 3002; // degrees + 100
constexpr int START_IGN_LIMITER = 3003; // rpm / 100
constexpr int START_RETARD_LIMITER = 3004; // rpm / 100
constexpr int SPEED_SOURCE = 3005; // 0 engine speed, 1 rear wheel speed
constexpr int ACC_THRESHOLD_MEAN = 3006;
constexpr int ACC_RETURN_MEAN = 3007;
constexpr int ACC_EFFECT_MEAN = 3010;
constexpr int START_SERVO_EX = 3011;
constexpr int START_SERVO_IN = 3012;
constexpr int START_SERVO_EX_THRESHOLD = 3013;
constexpr int START_SERVO_IN_THRESHOLD = 3014;
constexpr int START_SERVO_EX_FUEL = 3015;
constexpr int START_SERVO_IN_FUEL = 3016;
constexpr int LAUNCH_MAX_SPEED = 3017;
constexpr int TRACK_ENABLE = 3018;
constexpr int RETARD_COUNT = 3091;
constexpr int LIMITER_COUNT = 3092;
constexpr int RETARD_TIMES = 3093; // 15 breakpoints
constexpr int RETARD_VALUES = 3108; // 15 degrees, stored positive
constexpr int LIMITER_TIMES = 3123;
constexpr int LIMITER_VALUES = 3138; // 15 speeds, rpm / 100
constexpr int ACC_TP_MAX = 4042;
constexpr int ACC_TP_MIN = 4043;
constexpr int ACC_MIN_SPEED = 4044; // rpm / 100, or km/h with the wheel speed
constexpr int TRACK_MIN_ADVANCE = 4051; // degrees + 100
constexpr int TRACK_MIN_RPM = 4052; // rpm / 100
constexpr int TRACK_SLIP = 4053; // 10 slip breakpoints, %
constexpr int TRACK_RETARD = 4063; // 6 rows of 10, signed, degrees stored positive
constexpr int TRACK_MIN_TP = 4131;
constexpr int TRACK_MIN_SPEED = 4132;
constexpr int START_LIMITER_DELAY = 4666; // ms / 100
constexpr int TRACK_FILTER_SECTIONS = 4688;
constexpr int TRACK_FILTER_OVERLAP = 4689;
constexpr int TRACK_FILTER_END = 4690;
constexpr int TRACK_TP_WORD = 1086; // 6 throttle breakpoints, words
constexpr int EXHAUST_SERVO_PERCENT = 2785;
constexpr int INTAKE_SERVO_PERCENT = 2786;
constexpr int AFTERSTART_POINTS = 15;
constexpr int TRACK_COLUMNS = 10;
constexpr int TRACK_ROWS = 6;
constexpr int ACC_SIZE = 5;
} // namespace tracking_cells

// The three acceleration maps: X breakpoints, 25 cells and the mean of the cells.
struct AccelerationMapCells {
    int x, cells, mean;
};
constexpr AccelerationMapCells ACCELERATION_MAPS[] = {
    { 4133, 4140, tracking_cells::ACC_THRESHOLD_MEAN },
    { 4167, 4174, tracking_cells::ACC_RETURN_MEAN },
    { 4201, 4208, tracking_cells::ACC_EFFECT_MEAN },
};
// The speed breakpoints (rpm) a never-set acceleration map is rebuilt with.
constexpr int ACCELERATION_DEFAULT_RPM[] = { 2000, 4000, 6000, 8000, 10000 };
// The header bar's sections.
enum TrackingSection { SECTION_LAUNCH = 0, SECTION_AFTERSTART = 1, SECTION_TRACK = 2 };

struct TrackingPageControls {
    TCheckBox* CheckBoxLaunchEnable = nullptr;
    TCheckBox* CheckBoxTrackEnable = nullptr;
    TEdit* EditLaunchMinAdv = nullptr;
    TUpDown* UpDownLaunchMinAdv = nullptr;
    TLabel* LabelLaunchMinAdv = nullptr;
    TGroupBox* GroupBoxStartLimiters = nullptr;
    TEdit* EditStartIgnLimiter = nullptr;
    TUpDown* UpDownStartIgnLimiter = nullptr;
    TLabel* LabelStartIgnLimiter = nullptr;
    TEdit* EditStartRetardLimiter = nullptr;
    TUpDown* UpDownStartRetardLimiter = nullptr;
    TLabel* LabelStartRetardLimiter = nullptr;
    TEdit* EditStartLimiterDelay = nullptr;
    TUpDown* UpDownStartLimiterDelay = nullptr;
    TLabel* LabelStartLimiterDelay = nullptr;
    TEdit* EditLaunchMaxSpeed = nullptr;
    TUpDown* UpDownLaunchMaxSpeed = nullptr;
    TLabel* LabelLaunchMaxSpeed = nullptr;
    TGroupBox* GroupBoxAccLimiters = nullptr;
    TRadioGroup* RadioGroupSpeedSource = nullptr;
    TLabel* LabelAccLimits = nullptr;
    TEdit* EditAccTpsMin = nullptr;
    TUpDown* UpDownAccTpsMin = nullptr;
    TLabel* LabelAccTpsMin = nullptr;
    TEdit* EditAccTpsMax = nullptr;
    TUpDown* UpDownAccTpsMax = nullptr;
    TLabel* LabelAccTpsMax = nullptr;
    TEdit* EditAccMinSpeed = nullptr;
    TUpDown* UpDownAccMinSpeed = nullptr;
    TLabel* LabelAccMinSpeed = nullptr;
    TGroupBox* GroupBoxTrackFilter = nullptr;
    TEdit* EditTrackSections = nullptr;
    TUpDown* UpDownTrackSections = nullptr;
    TLabel* LabelTrackSections = nullptr;
    TEdit* EditTrackOverlap = nullptr;
    TUpDown* UpDownTrackOverlap = nullptr;
    TLabel* LabelTrackOverlap = nullptr;
    TRadioButton* RadioButtonTrackBegin = nullptr;
    TRadioButton* RadioButtonTrackEnd = nullptr;
    // Kept hidden: bound to no cell.
    TLabel* LabelAccRetardLimiter = nullptr;
    TEdit* EditAccTreshold = nullptr;
    TUpDown* UpDownAccTreshold = nullptr;
    TLabel* LabelAccTreshold = nullptr;
    TEdit* EditAccReturnSpeed = nullptr;
    TUpDown* UpDownAccReturnSpeed = nullptr;
    TLabel* LabelAccReturnSpeed = nullptr;
    TEdit* EditAccPropEffect = nullptr;
    TUpDown* UpDownAccPropEffect = nullptr;
    TLabel* LabelAccPropEffect = nullptr;
    TGroupBox* GroupBoxStartServoIn = nullptr;
    TCheckBox* CheckBoxStartServoIn = nullptr;
    TEdit* EditStartServoInThreshold = nullptr;
    TUpDown* UpDownStartServoInThreshold = nullptr;
    TLabel* LabelStartServoInThreshold = nullptr;
    TEdit* EditStartServoInFuel = nullptr;
    TUpDown* UpDownStartServoInFuel = nullptr;
    TLabel* LabelStartServoInFuel = nullptr;
    TGroupBox* GroupBoxStartServoEx = nullptr;
    TCheckBox* CheckBoxStartServoEx = nullptr;
    TEdit* EditStartServoExThreshold = nullptr;
    TUpDown* UpDownStartServoExThreshold = nullptr;
    TLabel* LabelStartServoExThreshold = nullptr;
    TEdit* EditStartServoExFuel = nullptr;
    TUpDown* UpDownStartServoExFuel = nullptr;
    TLabel* LabelStartServoExFuel = nullptr;
    TGroupBox* GroupBoxTrackLimits = nullptr;
    TEdit* EditTrackMinRpm = nullptr;
    TUpDown* UpDownTrackMinRpm = nullptr;
    TLabel* LabelTrackMinRpm = nullptr;
    TEdit* EditTrackMinAdv = nullptr;
    TUpDown* UpDownTrackMinAdv = nullptr;
    TLabel* LabelTrackMinAdv = nullptr;
    TEdit* EditTrackMinTps = nullptr;
    TUpDown* UpDownTrackMinTps = nullptr;
    TLabel* LabelTrackMinTps = nullptr;
    TEdit* EditTrackMinSpeed = nullptr;
    TUpDown* UpDownTrackMinSpeed = nullptr;
    TLabel* LabelTrackMinSpeed = nullptr;
    // The live status: written by every decode of the live block.
    TLabel* LabelTrackSpeedFront = nullptr;
    TLabel* LabelTrackSpeedRear = nullptr;
    TLabel* LabelLaunchAccel = nullptr;
    TLabel* LabelLaunchRetard = nullptr;
    TLabel* LabelTrackSlip = nullptr;
    TLabel* LabelTrackRetard = nullptr;
    TTab* TrackingHeaderBar = nullptr; // id 20
    TTab* AfterstartRetardTable = nullptr; // id 21
    TTab* AfterstartLimiterTable = nullptr; // id 22
    TTab* TrackControlTable = nullptr; // id 23
    TTab* AccelerationTable = nullptr; // id 24
};

// Builds the five tables and every control, then loads the page.
void CreateTrackingPage(TMainForm* form);
void StoreTrackingPage(TMainForm* form);
void LoadTrackingPage(TMainForm* form);
// The section shown, the header bar's tabs, the servo pairs' enabling and the
// units and ranges that follow the speed source and the servo units.
void UpdateTrackingUnits(TMainForm* form);
// A change in the header bar or an afterstart table: commits at once.
void TrackingTableChanged(TMainForm* form, TTab* table);
// The speed source picked: stored, the page reloaded in its units, committed.
void TrackingSpeedSourceClick(TMainForm* form);
