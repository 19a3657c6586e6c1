#include "image/consistency.h"

#include "texts/langtext.h"

#include <algorithm>
#include <cassert>
#include <span>

namespace {

// ---------------------------------------------------------------------------
// Cells of layout 308 the pass reads or bounds. Byte offsets unless the name
// ends in _W (a word index). The comments give the file keys they travel under.

// SYNCHRO, CHANNEL_LOBES, HUNTING, SYNCHRO_SPECIAL
constexpr int LOBES = 2571;
constexpr int MISSING_LOBES = 2572;
constexpr int OUTPUTS = 2574; // number of ignition outputs (cylinders)
constexpr int MAX_OUTPUTS = 4;
constexpr int HALF_INTERVAL_LOBES = 2579;
constexpr int ACQUISITION_LOBE = 2581;
constexpr int LOBES_PER_CHANNEL = 2585; // "Version max-start advance"
constexpr int MAX_ADVANCE_LOBES = 2586; // four, one per channel
constexpr int START_ADVANCE_LOBES = 2590;
constexpr int CHANNEL_COUNT = 4;
constexpr int HUNTING_PHASES = 2611;
constexpr int HUNTING_PHASE_COUNT = 3;
constexpr int SPECIAL_CONDITIONS = 2626;
constexpr int SPECIAL_MAX_CONDITIONS = 5;
constexpr int SPECIAL_LOBE = 2627;
constexpr int LOBE_ANGLE_W = 1000; // tenths of a degree between two lobes
constexpr int SECOND_SYNCHRO_SAME_LOBES = 4; // second synchronisation type that counts lobes once

// Angle between two ignitions in tenths of a degree, by IgnitionsPerTurn.
constexpr int IGNITION_INTERVALS[] = { 7200, 3600, 1800, 1200 };
constexpr int DEFAULT_IGNITION_INTERVAL = 3600;

// CORR_U_DWELL: nine corrections, their column count of the advance map.
constexpr int DWELL_CORRECTIONS = 4668;
constexpr int DWELL_CORRECTION_COUNT = 9;
constexpr int ADVANCE_COLUMNS = 4677;
constexpr int OLD_DWELL_CORRECTION = 100;

// SPEED_OUT_COR, SPEED_OUT_COR_16b
constexpr int SPEED_OUT_COR = 4240;
constexpr int SPEED_OUT_COR_W = 1112;

// SERVO_IN_VALUE and SERVO_EX_VALUE maps, each in percent while its flag is set.
struct ServoMap {
    int map;
    int percentFlag;
};
constexpr ServoMap SERVO_MAPS[] = {
    { 3728, 2786 }, // SERVO_IN_VALUE
    { 3578, 2785 }, // SERVO_EX_VALUE
};
constexpr int SERVO_MAP_CELLS = 150;

// IDLE, IDLE_CONTROL_BAND, IDLE_PEUGEOT
constexpr int IDLE_STEP_PULSE = 2915;
constexpr int IDLE_STEP_PERIOD = 2916;
constexpr int IDLE_HYSTERESIS = 2917;
constexpr int IDLE_CONTROL_BAND = 2918;
constexpr int IDLE_MODE_FREE_STEP = 4; // the step pulse is not bound by the period
constexpr int IDLE_MODE_BAND = 2; // the control band lies above the hysteresis
constexpr int IDLE_LOBE = 4238;

// TUNING
constexpr int TUNING_CHANNEL = 2991; // 0 = all channels
constexpr int INJECTOR_COUPLING = 2659;

// SENSOR_LAMBDA, SENSORS_DISABLE
constexpr int LAMBDA_MODE = 2939;
constexpr int LAMBDA_MODE_RISING_CURVE = 1;
constexpr int LAMBDA_MODE_CAN = 2;
constexpr int LAMBDA_CURVE_W = 1066;
constexpr int LAMBDA_CURVE_POINTS = 6;
constexpr int LAMBDA_SHEET_OFF = 4038;

// CAN_ID
constexpr int CAN_ID_W = 1106; // four identifiers
constexpr int CAN_IDS = 4;
constexpr int CAN_ID_DEFAULT = 802;
constexpr int CAN_ID_MAX = 2047;

// POWER_OUT1..4
constexpr int POWER_OUTPUTS = 4;
constexpr int POWER_OUT_FUNCTION_LIMIT = 8; // codes from here on are unknown
constexpr int POWER_OUT_FUNCTION_FALLBACK = 3;
constexpr int POWER_OUT_RPM = 2816; // three per output
constexpr int POWER_OUT_LEVEL = 2832; // two per output

// JET_COMP_TP, JET_COMP_IAP, TUNING_COMP_LIMIT
constexpr int COMPENSATION_MAPS = 4243;
constexpr int COMPENSATION_CELLS = 400;
constexpr int COMPENSATION_LIMIT = 4241;
constexpr int COMPENSATION_NEUTRAL = 100;

// SERVO_IN, SERVO_IN_TPS
constexpr int INTAKE_SERVO_ENABLED = 2782;
constexpr int INTAKE_SERVO_TPS = 4030;

// Map column counts and the maps whose unused columns repeat the last used one.
enum class Width : uint8_t { Byte, Word };
struct ColumnFill {
    int count; // byte holding the used columns
    Width width;
    int map; // byte offset or word index of the map
    int rowLength;
};
constexpr ColumnFill COLUMN_FILLS[] = {
    { 4677, Width::Byte, 2400, 15 }, // ADVANCE
    { 4678, Width::Byte, 3728, 15 }, // SERVO_IN_VALUE
    { 4679, Width::Byte, 3578, 15 }, // SERVO_EX_VALUE
    { 2664, Width::Word, 0, 20 }, // JET_1A
    { 2665, Width::Word, 200, 20 }, // JET_2A
    { 2666, Width::Word, 400, 20 }, // JET_3A
    { 2667, Width::Word, 600, 20 }, // JET_4A
    { 2668, Width::Byte, 3378, 20 }, // JET_B
    { 2669, Width::Word, 800, 20 }, // IAP
};
constexpr int MAP_ROWS = 10;

// ---------------------------------------------------------------------------
// Rules that need nothing but their own cells, as rows of tables.

enum class Op : uint8_t {
    Run, // ConstrainBytes or ConstrainWords over count cells
    AtMost, // each of count bytes above high becomes high
    RaiseTo, // byte at + i raised to byte ref + i when below it, i < count
    LowerTo, // byte at lowered to byte ref when above it
    OneIfZero, // byte at of 0 becomes 1
};

struct Rule {
    Op op;
    Width width;
    int mode;
    int at;
    int count;
    int low;
    int high;
    int ref;
};

constexpr Rule Bytes(int mode, int at, int count, int low, int high)
{
    return { Op::Run, Width::Byte, mode, at, count, low, high, 0 };
}
constexpr Rule Words(int mode, int at, int count, int low, int high)
{
    return { Op::Run, Width::Word, mode, at, count, low, high, 0 };
}
constexpr Rule AtMost(int at, int high, int count = 1)
{
    return { Op::AtMost, Width::Byte, FLAT, at, count, 0, high, 0 };
}
constexpr Rule RaiseTo(int at, int ref, int count = 1)
{
    return { Op::RaiseTo, Width::Byte, FLAT, at, count, 0, 0, ref };
}
constexpr Rule LowerTo(int at, int ref)
{
    return { Op::LowerTo, Width::Byte, FLAT, at, 1, 0, 0, ref };
}
constexpr Rule OneIfZero(int at)
{
    return { Op::OneIfZero, Width::Byte, FLAT, at, 1, 0, 0, 0 };
}

constexpr Rule AXES_AND_MAPS[] = {
    Bytes(RISING, 3213, 15, 3, 250), // RPM_ADV
    Bytes(RISING, 3228, 20, 3, 250), // RPM_JET_1A
    Bytes(RISING, 3248, 20, 3, 250), // RPM_JET_2A
    Bytes(RISING, 3268, 20, 3, 250), // RPM_JET_3A
    Bytes(RISING, 3288, 20, 3, 250), // RPM_JET_4A
    Bytes(RISING, 3308, 20, 3, 250), // RPM_JET_B
    Bytes(RISING, 3328, 20, 3, 250), // RPM_IAP
    Words(RISING, 2323, 10, 0, 999), // ADV_IAP
    Bytes(RISING, 3153, 15, 3, 250), // POSITION_A
    Bytes(RISING, 3183, 15, 3, 250), // POSITION_B
    Bytes(RISING, 3363, 15, 3, 250), // RPM_SERVO_IN
    Bytes(RISING, 3348, 15, 3, 250), // RPM_SERVO_EX
    Words(RISING, 1056, 10, 0, 1000), // IAP_IAP
    Bytes(RISING, 3093, 15, 0, 250), // AFTERSTART_RETARD, first row
    Bytes(RISING, 3123, 15, 0, 250), // AFTERSTART_LIMITER, first row
    Bytes(SIGNED + FLAT, 2400, 150, 0, 60), // ADVANCE: no negative advance
    Bytes(FLAT, 3378, 200, 0, 100), // JET_B
};

constexpr Rule SINGLE_SETTINGS[] = {
    AtMost(2777, 250), // TPS
    AtMost(2778, 250), // TPS
    AtMost(2716, 250, 10), // CORR_TW_START_JET
    Bytes(RISING, 2769, 4, 0, 250), // CHOKE
    Bytes(FLAT, 2773, 4, 0, 250), // CHOKE
    RaiseTo(2859, 2853, 6), // PILOT_LIGHT
    AtMost(2802, 100), // N2O
    AtMost(2803, 100), // N2O
    RaiseTo(2803, 2802), // N2O
    OneIfZero(2804), // N2O
    AtMost(2805, 200), // N2O
    AtMost(2804, 200), // N2O
    AtMost(2806, 25), // N2O
    AtMost(2807, 25), // N2O
    RaiseTo(2807, 2806), // N2O
    AtMost(2809, 200), // N2O
    OneIfZero(2808), // N2O
    AtMost(2808, 200), // N2O
    RaiseTo(2811, 2810), // N2O
    AtMost(2657, 40), // ADVANCE_MISC
    AtMost(2909, 24), // ADVANCE_PICKUP_COMP
    AtMost(2660, 101), // JET1_MISC
    RaiseTo(2661, 2660), // JET1_MISC
    RaiseTo(2663, 2662), // JET1_MISC
    Words(FALLING, 1022, 9, 0, 5000), // WATER_TEMP_SENSOR
    Words(FALLING, 1031, 9, 0, 5000), // AIR_TEMP_SENSOR
    LowerTo(2800, 2799), // SERVO_IN
};

constexpr Rule LAMBDA_SENSOR_VOLTAGES[] = {
    Bytes(RISING, 2940, 6, 0, 250), // SENSOR_LAMBDA
};

constexpr Rule LAMBDA_AND_ACCELERATION[] = {
    Bytes(RISING, 2946, 2, 0, 250), // LAMBDA_TACHO
    Bytes(FLAT, 2948, 2, 3, 250), // LAMBDA_TACHO
    Bytes(RISING, 2950, 4, 0, 250), // LAMBDA_BAR
    Bytes(RISING, 2956, 5, 3, 250), // TUNING_LAMBDA
    Bytes(FLAT, 2961, 25, 0, 250), // TUNING_LAMBDA
    Bytes(RISING, 4133, 5, 3, 250), // ACC_TRESHOLD
    Bytes(RISING, 4167, 5, 3, 250), // ACC_SPEED_OF_RETURN
    Bytes(RISING, 4201, 5, 3, 250), // ACC_PROP_EFFECTx10
};

constexpr Rule DWELL_CORRECTION_RANGE[] = {
    Bytes(SIGNED + FLAT, DWELL_CORRECTIONS, DWELL_CORRECTION_COUNT, -20, 100), // CORR_U_DWELL
};

// ---------------------------------------------------------------------------

// One run of cells, read signed or unsigned, written as its low bits.
class Cells {
public:
    Cells(RsImage& image, Width width, int first, bool isSigned)
        : image_(image)
        , width_(width)
        , first_(first)
        , signed_(isSigned)
    {
    }
    int Get(int i) const
    {
        if (width_ == Width::Byte) {
            uint8_t v = image_.b[size_t(first_ + i)];
            return signed_ ? int(int8_t(v)) : int(v);
        }
        uint16_t v = image_.Word(first_ + i);
        return signed_ ? int(int16_t(v)) : int(v);
    }
    void Set(int i, int v)
    {
        if (width_ == Width::Byte)
            image_.b[size_t(first_ + i)] = uint8_t(v);
        else
            image_.SetWord(first_ + i, uint16_t(v));
    }

private:
    RsImage& image_;
    Width width_;
    int first_;
    bool signed_;
};

void ConstrainRun(RsImage& image, Width width, int mode, int first, int low, int high, int count, int step)
{
    bool isSigned = mode >= SIGNED - 1;
    if (isSigned)
        mode -= SIGNED;
    int direction = (mode > 0) - (mode < 0);
    Cells cells(image, width, first, isSigned);
    int n = count - 1;
    for (int i = 0; i < count; ++i) {
        int lower = direction > 0 ? low + i * step : direction < 0 ? low + (n - i) * step : low;
        int upper = direction > 0 ? high - (n - i) * step : direction < 0 ? high - i * step : high;
        int v = cells.Get(i);
        if (v < lower)
            v = lower;
        if (v > upper)
            v = upper;
        cells.Set(i, v);
    }
    for (int i = 1; i < count && direction != 0; ++i) {
        int before = cells.Get(i - 1);
        int v = cells.Get(i);
        if (direction > 0 && v <= before)
            cells.Set(i, before + step);
        else if (direction < 0 && v >= before)
            cells.Set(i, before - step);
    }
}

void FillColumns(RsImage& image, Width width, int first, int rowLength, int used, int rows)
{
    assert(used >= 1);
    Cells cells(image, width, first, false);
    for (int r = 0; r < rows; ++r) {
        int row = r * rowLength;
        for (int c = used; c < rowLength; ++c)
            cells.Set(row + c, cells.Get(row + used - 1));
    }
}

// A byte above limit becomes limit, kept as its low 8 bits: a limit of -1
// thus leaves 255.
void AtMostValue(uint8_t& cell, int limit)
{
    if (cell > limit)
        cell = uint8_t(limit);
}

void Apply(RsImage& image, std::span<const Rule> rules)
{
    auto& b = image.b;
    for (const Rule& r : rules) {
        switch (r.op) {
        case Op::Run:
            ConstrainRun(image, r.width, r.mode, r.at, r.low, r.high, r.count, 1);
            break;
        case Op::AtMost:
            for (int i = 0; i < r.count; ++i)
                AtMostValue(b[size_t(r.at + i)], r.high);
            break;
        case Op::RaiseTo:
            for (int i = 0; i < r.count; ++i)
                b[size_t(r.at + i)] = std::max(b[size_t(r.at + i)], b[size_t(r.ref + i)]);
            break;
        case Op::LowerTo:
            AtMostValue(b[size_t(r.at)], b[size_t(r.ref)]);
            break;
        case Op::OneIfZero:
            if (b[size_t(r.at)] == 0)
                b[size_t(r.at)] = 1;
            break;
        }
    }
}

// An image from before the advance map had a column count carries its dwell
// corrections as nine times 100; they mean no correction.
void ClearOldDwellCorrections(RsImage& image)
{
    auto first = image.b.begin() + DWELL_CORRECTIONS;
    if (image.b[ADVANCE_COLUMNS] == 0
        && std::all_of(first, first + DWELL_CORRECTION_COUNT, [](uint8_t v) { return v == OLD_DWELL_CORRECTION; }))
        std::fill(first, first + DWELL_CORRECTION_COUNT, uint8_t(0));
}

void BoundServoMaps(RsImage& image)
{
    for (const ServoMap& servo : SERVO_MAPS) {
        bool percent = image.b[size_t(servo.percentFlag)] != 0;
        ConstrainBytes(image, FLAT, servo.map, 0, percent ? 1 : 0, percent ? 99 : 250, SERVO_MAP_CELLS);
    }
}

void BoundIdleStepPulse(RsImage& image)
{
    if (image.b[cell::IdleMode] != IDLE_MODE_FREE_STEP)
        AtMostValue(image.b[IDLE_STEP_PULSE], image.b[IDLE_STEP_PERIOD]);
}

// Coupled injectors are tuned together: channel 1 alone, or all of them.
void BoundTuningChannel(RsImage& image)
{
    int outputs = image.b[OUTPUTS];
    int limit = image.b[INJECTOR_COUPLING] == 0 ? outputs : outputs <= 1 ? 1 : 0;
    AtMostValue(image.b[TUNING_CHANNEL], limit);
}

void BoundLambdaCurve(RsImage& image)
{
    int mode = image.b[LAMBDA_MODE] == LAMBDA_MODE_RISING_CURVE ? RISING : FALLING;
    ConstrainWords(image, mode, LAMBDA_CURVE_W, 0, 0, 5000, LAMBDA_CURVE_POINTS, 1);
}

// The lobe angle and the lobes in half an ignition interval, which the unit
// takes from the image unless every channel names its own lobes.
void DeriveSynchroValues(RsImage& image)
{
    auto& b = image.b;
    if (b[LOBES_PER_CHANNEL] != 0)
        return;
    int perTurn = b[cell::IgnitionsPerTurn];
    int interval
        = perTurn < int(std::size(IGNITION_INTERVALS)) ? IGNITION_INTERVALS[perTurn] : DEFAULT_IGNITION_INTERVAL;
    int lobes = b[LOBES] + b[MISSING_LOBES];
    if (lobes != 0)
        image.SetWord(LOBE_ANGLE_W, uint16_t(interval / lobes));
    int angle = image.Word(LOBE_ANGLE_W);
    if (angle != 0)
        b[HALF_INTERVAL_LOBES] = uint8_t((interval / 2 - 10) / angle + 1);
    if (lobes < b[HALF_INTERVAL_LOBES])
        b[HALF_INTERVAL_LOBES] = uint8_t(lobes);
}

// Lobe numbers count from 0, so each is at most the lobe count - 1; with no
// lobes that limit is -1 and the cells it bounds become 255.
void BoundLobeNumbers(RsImage& image)
{
    auto& b = image.b;
    int lobes = b[LOBES];
    int channelLimit = b[cell::SecondSynchro] == SECOND_SYNCHRO_SAME_LOBES ? lobes : 2 * lobes;
    ConstrainBytes(image, FLAT, MAX_ADVANCE_LOBES, 0, 1, channelLimit, CHANNEL_COUNT);
    ConstrainBytes(image, FLAT, START_ADVANCE_LOBES, 0, 1, channelLimit, CHANNEL_COUNT);
    ConstrainBytes(image, FLAT, HUNTING_PHASES, 0, 0, lobes - 1, HUNTING_PHASE_COUNT);
    if (b[LOBES_PER_CHANNEL] != 0)
        b[ACQUISITION_LOBE] = 0;
    else
        AtMostValue(b[ACQUISITION_LOBE], lobes - 1);
    AtMostValue(b[SPECIAL_LOBE], lobes - 1);
    AtMostValue(b[SPECIAL_CONDITIONS], SPECIAL_MAX_CONDITIONS);
}

// CAN identifiers are used only by a CAN lambda sensor on uncoupled
// injectors, one per output from the second on.
void DefaultCanIds(RsImage& image)
{
    auto& b = image.b;
    int outputs = b[OUTPUTS];
    if (b[LAMBDA_SHEET_OFF] != 0 || b[LAMBDA_MODE] != LAMBDA_MODE_CAN || b[INJECTOR_COUPLING] != 0 || outputs <= 1) {
        for (int k = 0; k < CAN_IDS; ++k)
            image.SetWord(CAN_ID_W + k, CAN_ID_DEFAULT);
    } else {
        if (outputs <= 2)
            image.SetWord(CAN_ID_W + 2, CAN_ID_DEFAULT);
        if (outputs <= 3)
            image.SetWord(CAN_ID_W + 3, CAN_ID_DEFAULT);
    }
    for (int k = 0; k < CAN_IDS; ++k) {
        int id = image.Word(CAN_ID_W + k);
        if (id == 0 || id > CAN_ID_MAX)
            image.SetWord(CAN_ID_W + k, CAN_ID_DEFAULT);
    }
}

void BoundPowerOutputs(RsImage& image)
{
    for (int j = 0; j < POWER_OUTPUTS; ++j) {
        uint8_t& function = image.b[size_t(cell::PowerOutFunction + j)];
        if (function >= POWER_OUT_FUNCTION_LIMIT)
            function = POWER_OUT_FUNCTION_FALLBACK;
        ConstrainBytes(image, RISING, POWER_OUT_RPM + 3 * j, 0, 3, 250, 3);
        ConstrainBytes(image, RISING, POWER_OUT_LEVEL + 2 * j, 0, 0, 100, 2);
    }
}

void BoundIdleControlBand(RsImage& image)
{
    auto& b = image.b;
    if (b[cell::IdleMode] == IDLE_MODE_BAND && b[IDLE_CONTROL_BAND] <= b[IDLE_HYSTERESIS])
        b[IDLE_CONTROL_BAND] = uint8_t(b[IDLE_HYSTERESIS] + 1);
    if (b[IDLE_CONTROL_BAND] == 0)
        b[IDLE_CONTROL_BAND] = 1;
    AtMostValue(b[IDLE_CONTROL_BAND], 250);
}

void BoundCompensationMaps(RsImage& image)
{
    int limit = image.b[COMPENSATION_LIMIT];
    for (int i = 0; i < COMPENSATION_CELLS; ++i) {
        uint8_t& v = image.b[size_t(COMPENSATION_MAPS + i)];
        if (v < COMPENSATION_NEUTRAL - limit)
            v = uint8_t(COMPENSATION_NEUTRAL - limit);
        AtMostValue(v, COMPENSATION_NEUTRAL + limit);
    }
}

void ClearUnusedServoTps(RsImage& image)
{
    if (image.b[INTAKE_SERVO_ENABLED] == 0)
        image.b[INTAKE_SERVO_TPS] = 0;
}

// A count of 0 means every column is used.
void FillMapTails(RsImage& image)
{
    for (const ColumnFill& fill : COLUMN_FILLS) {
        uint8_t& count = image.b[size_t(fill.count)];
        if (count == 0)
            count = uint8_t(fill.rowLength);
        AtMostValue(count, fill.rowLength);
        if (fill.width == Width::Byte)
            FillByteColumns(image, fill.map, fill.rowLength, count, MAP_ROWS);
        else
            FillWordColumns(image, fill.map, fill.rowLength, count, MAP_ROWS);
    }
}

} // namespace

void ConstrainBytes(RsImage& image, int mode, int offset, int index, int low, int high, int count)
{
    ConstrainRun(image, Width::Byte, mode, offset + index, low, high, count, 1);
}

void ConstrainWords(RsImage& image, int mode, int offset, int index, int low, int high, int count, int step)
{
    ConstrainRun(image, Width::Word, mode, offset + index, low, high, count, step);
}

void FillByteColumns(RsImage& image, int offset, int rowLength, int used, int rows)
{
    FillColumns(image, Width::Byte, offset, rowLength, used, rows);
}

void FillWordColumns(RsImage& image, int offset, int rowLength, int used, int rows)
{
    FillColumns(image, Width::Word, offset, rowLength, used, rows);
}

// The order matters wherever a rule reads a cell an earlier rule bounds: the
// output count is capped before the tuning channel and the CAN identifiers
// read it, and the old dwell corrections are recognised by a column count of
// 0 before the column counts are repaired.
void NormalizeParameterImage(RsImage& PcImage)
{
    AtMostValue(PcImage.b[OUTPUTS], MAX_OUTPUTS);
    ClearOldDwellCorrections(PcImage);
    if (PcImage.Word(SPEED_OUT_COR_W) == 0)
        PcImage.SetWord(SPEED_OUT_COR_W, PcImage.b[SPEED_OUT_COR]);
    Apply(PcImage, AXES_AND_MAPS);
    BoundServoMaps(PcImage);
    Apply(PcImage, SINGLE_SETTINGS);
    BoundIdleStepPulse(PcImage);
    AtMostValue(PcImage.b[IDLE_LOBE], 2 * PcImage.b[LOBES]);
    BoundTuningChannel(PcImage);
    Apply(PcImage, LAMBDA_SENSOR_VOLTAGES);
    BoundLambdaCurve(PcImage);
    Apply(PcImage, LAMBDA_AND_ACCELERATION);
    DeriveSynchroValues(PcImage);
    BoundLobeNumbers(PcImage);
    DefaultCanIds(PcImage);
    BoundPowerOutputs(PcImage);
    BoundIdleControlBand(PcImage);
    BoundCompensationMaps(PcImage);
    ClearUnusedServoTps(PcImage);
    FillMapTails(PcImage);
    Apply(PcImage, DWELL_CORRECTION_RANGE);
    if (LangIndex != 1 && LangIndex != 2)
        LangIndex = 0;
}
