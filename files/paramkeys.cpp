#include "files/paramkeys.h"

namespace paramkeys {

namespace {

Item B(int offset, int count = 1, int scale = 1, int bias = 0)
{
    Item it;
    it.cell = offset;
    it.count = count;
    it.scale = scale;
    it.bias = bias;
    return it;
}

Item SB(int offset, int count = 1)
{
    Item it = B(offset, count);
    it.sign = true;
    return it;
}

Item W(int index, int count = 1, int scale = 1, int bias = 0)
{
    Item it = B(index, count, scale, bias);
    it.word = true;
    return it;
}

Item SW(int index, int count = 1)
{
    Item it = W(index, count);
    it.sign = true;
    return it;
}

Item Of(Op op, int cell = 0)
{
    Item it;
    it.op = op;
    it.cell = cell;
    return it;
}

const Item NL = Of(Op::Break);

// Values of an old key read outside the image at the given scale.
Item Scratch(int count, int scale = 1)
{
    Item it = B(0, count, scale);
    it.op = Op::Scratch;
    return it;
}

Item Table(int offset, int count, int perLine, int scale = 1, int bias = 0)
{
    Item it = B(offset, count, scale, bias);
    it.op = Op::Table;
    it.perLine = perLine;
    return it;
}

// The first N of `length` bytes ×scale, N held in `countCell`.
Item Row(int offset, int length, int scale, int countCell, bool lineBreak = true)
{
    Item it = B(offset, length, scale);
    it.op = Op::Row;
    it.countCell = countCell;
    it.rowBreak = lineBreak;
    return it;
}

Item Map(int cell, int countCell, bool word)
{
    Item it = Of(Op::Map, cell);
    it.count = 10;
    it.countCell = countCell;
    it.word = word;
    return it;
}

// Ten (B2628+i, B2638+i negated) pickup pairs, two pairs a line.
std::vector<Item> SynchroSpecial()
{
    std::vector<Item> v = { NL, B(2624, 3), B(2627, 1, 1, 1) };
    for (int i = 0; i < 10; ++i) {
        if (i % 2 == 0)
            v.push_back(NL);
        v.push_back(B(2628 + i));
        v.push_back(B(2638 + i, 1, -1));
    }
    return v;
}

Key PowerOut(int j)
{
    Key k { "", 17,
        { B(2812 + j), NL, B(2816 + 3 * j, 3, 100), B(2828 + j, 1, 10), NL, B(2832 + 2 * j), B(2833 + 2 * j), NL,
            Of(Op::Bits, 2840 + 3 * j), NL, Of(Op::Bits, 2841 + 3 * j), NL, Of(Op::Bits, 2842 + 3 * j) },
        Hook::None, SkipWhenClear };
    static const char* const NAMES[] = { "POWER_OUT1", "POWER_OUT2", "POWER_OUT3", "POWER_OUT4" };
    k.name = NAMES[j];
    if (j == 3)
        k.items.push_back(NL);
    return k;
}

std::vector<Key> BuildTable()
{
    const When old304 = When::UpTo304, v305 = When::From305, full = When::FullServo;
    std::vector<Key> t = {
        { "MORVANTA_KEY", -1, { Of(Op::Const), NL }, Hook::None, WriterOnly },
        { "BIKE", -1, { B(2550), NL }, Hook::Bike, WholeFile | SkipWhenClear },
        { "SENSORS_DISABLE", 14, { B(4033, 6) } },
        { "APS_IAPS", 14, { W(1001, 4), NL, W(1005, 4) } },
        { "IGN_EVERY_TURN", 0, { B(4643) } },
        { "WATER_TEMP_SENSOR", 14, { NL, W(1022, 9) }, Hook::None, 0, When::Above65 },
        { "AIR_TEMP_SENSOR", 14, { NL, W(1031, 9) }, Hook::None, 0, When::Above68 },
        { "SENSOR_LAMBDA", 14, { B(2939), Of(Op::LambdaCurve), NL, B(2940, 6), NL, W(1066, 6) }, Hook::SensorLambda },
        { "LAMBDA_TACHO", 0, { B(2946, 2), NL, B(2948, 2, 100) } },
        { "INPUTS", 0, { B(2552, 6) } },
        { "INPUT-BLOCK_INVERT", 0, { B(4130) } },
        // The first value belongs to the race page, the others to the bike page.
        { "LIMITER", 0, { B(3003, 1, 100).InGroup(23), B(3004, 1, 100).If(v305), B(2560, 3, 100), B(2563) },
            Hook::Limiter },
        { "LIMITER2", 23, { B(3004, 1, 100) }, Hook::Limiter2, ReaderOnly },
        { "START_LIMITER_DELAY", 0, { B(4666, 1, 100) } },
        { "TPS", 14, { B(2777, 1, 10), B(2778, 1, 10, 250) } },
        { "POTENTIOMETER", 14, { B(2779), SW(1093, 4) }, Hook::Potentiometer },
        { "COOLING", 0, { B(2648) } },
        { "RPM", 0, { B(2649), B(2650, 1, 1, -100) } },
        { "INTAKE_PORT", 0, { B(2651, 1, 100) }, Hook::IntakePort },
        { "INTAKE_PORT_INV", 0, { B(4239) } },
        { "DISPLAY_TYP", 0, { B(2564) } },
        { "CAN", 14, { B(2565, 3) } },
        { "CAN_ID", 14, { W(1106, 4) } },
        // Layouts up to 304 carry the old pickup arrangement and four lobes more.
        { "SYNCHRO", 1,
            { B(2568, 3), NL, B(2571), SB(2572), B(2573), B(2574), B(2598).If(old304), B(2577), B(2578), B(2584),
                B(2590, 4).If(old304), NL, B(2579), B(2580), W(1000), B(2581, 1, 1, 1), B(2582, 1, 100), B(2576) },
            Hook::Synchro },
        { "CHANNEL_LOBES", 1,
            { B(2585), NL, B(2586, 4), NL, B(2590, 4), NL, B(2594, 4), NL, B(2598, 4), NL, B(2602, 4), NL, B(2606, 4),
                NL } },
        { "IGN_AFTER_SYNCHRO1", 1, { B(2583) } },
        { "HUNTING", 1, { B(2610), NL, B(2611, 3, 1, 1), B(2614, 4) } },
        { "HUNTING_CON", 1, { B(2618, 1, 100), B(2619) } },
        { "HUNTING_IAPSRC", 1, { B(4039) } },
        { "EXITATION", 0,
            { B(2620).If(old304), B(2620, 1, 100).If(v305), B(2621).If(v305), B(2622, 1, 100).If(v305),
                B(2623, 1, 100).If(v305) } },
        { "DWELL", 0, { B(2620, 1, 100), B(2621), B(2622, 1, 100), B(2623, 1, 100) }, Hook::None, ReaderOnly },
        { "SYNCHRO_SPECIAL", 1, SynchroSpecial() },
        { "PICKUPS_INTERCHANGE", 1, { B(4032) } },
        { "ADVANCE_MISC", 2, { B(2652), B(2653, 4, 1, -100), B(2657) } },
        { "ADVANCE_PICKUP_COMP", 2, { B(2909) } },
        { "ADV_USEIAP", 2, { B(4644) } },
        { "ADV_IAP", 2, { W(2323, 10) } },
        { "RPM_ADV", 2, { Row(3213, 15, 100, 4677) } },
        { "ADVANCE", 2, { Table(2400, 150, 15), NL } },
        { "JET1_MISC", 3, { B(2659).WholeFileOnly(), B(2660, 2), B(2662, 1, 100), B(2663, 1, 100) },
            Hook::CouplingCopy },
        { "RPM_JET_1A", 3, { Row(3228, 20, 100, 2664) } },
        { "JET_1A", 3, { Map(0, 2664, true), NL } },
        { "RPM_JET_2A", 4, { Row(3248, 20, 100, 2665) } },
        { "JET_2A", 4, { Map(200, 2665, true), NL } },
        { "RPM_JET_3A", 5, { Row(3268, 20, 100, 2666) } },
        { "JET_3A", 5, { Map(400, 2666, true), NL } },
        { "RPM_JET_4A", 6, { Row(3288, 20, 100, 2667) } },
        { "JET_4A", 6, { Map(600, 2667, true), NL } },
        { "RPM_JET_B", 7, { Row(3308, 20, 100, 2668) } },
        { "JET_B", 7, { Map(3378, 2668, false), NL } },
        { "JET_B_MODE", 7, { B(4667) } },
        { "IAP_MISC", 8, { B(2670, 4) } },
        { "IAP_IAP", 8, { W(1056, 10) } },
        { "RPM_IAP", 8, { Row(3328, 20, 100, 2669) } },
        { "IAP", 8, { Map(800, 2669, true), NL } },
        { "JET_COMP_TP", 9, { Map(4243, 2664, false), NL } },
        { "JET_COMP_IAP", 10, { Map(4443, 2669, false), NL } },
        { "COR_RESULT_TIME", 10, { B(4687) } },
        { "POSITION_A", 11, { B(2674), NL, B(3153, 15, 100), NL, B(3168, 15, 5), NL } },
        { "POSITION_B", 11, { B(2675), NL, B(3183, 15, 100), NL, B(3198, 15, 5) } },
        { "CORR_TW_INJ", 12, { B(2676, 10) } },
        { "CORR_TW_IGN", 12, { B(2686, 10, 1, -100) } },
        { "CORR_TW_ACCEL", 12, { B(2696, 10) } },
        { "CORR_TW_ACC_PLUS", 12, { B(2706, 10) } },
        { "CORR_TW_START_JET", 12, { B(2716, 10) } },
        { "CORR_AT_INJ", 12, { B(2726, 7) } },
        { "CORR_AT_IGN", 12, { B(2733, 7, 1, -100) } },
        { "CORR_U_INJ", 12, { W(1040, 9, 1, -100) } },
        { "CORR_U_DWELL", 12, { SB(4668, 9) } },
        { "CORR_DEAD_TIME", 12, { B(2893) } },
        { "ACCEL_THRESHOLD", 12, { B(2740, 5, 10) }, Hook::AccelThreshold },
        { "ACCEL_RPM", 12, { B(2745, 4, 100) } },
        { "ACCEL_INJ", 12, { NL, Table(2749, 20, 4, 50) } },
        { "ACCEL_JET", 12, { Table(2749, 20, 4, 50) }, Hook::None, ReaderOnly },
        { "ACC_CORR", 12, { W(1072), W(1073), W(1075), W(1074) } },
        { "CHOKE", 12, { Table(2769, 4, 15), NL, Table(2773, 4, 15, 1, 100), NL } },
        // Keys of layouts below 303, spread into today's correction cells.
        { "START_INJ", 12, { B(2716) }, Hook::StartInj, ReaderOnly | SkipWhenClear, When::Below303 },
        { "INJ_CORR", 12, { Scratch(10) }, Hook::InjCorr, ReaderOnly | SkipWhenClear, When::Below303 },
        { "ACCEL", 12, { Scratch(1, 10), B(2749, 1, 50) }, Hook::None, ReaderOnly | SkipWhenClear, When::Below303 },
        { "ADVANCE_CORR", 12, { Scratch(5) }, Hook::AdvanceCorr, ReaderOnly | SkipWhenClear, When::Below303 },
        { "SERVO_IN", 15,
            { B(2782), B(2786), B(2784, 1, 5), NL, B(2791).If(full), B(2795).If(full), B(2793).If(full),
                B(2797).If(full), B(2798).If(full), NL, B(2788), B(2789), B(2799), B(2800, 1, 250) },
            Hook::ServoIn },
        { "RPM_SERVO_IN", 15, { Row(3363, 15, 100, 4678) } },
        { "SERVO_IN_VALUE", 15, { NL, Table(3728, 150, 15).ScaleBy(2786, 20), NL } },
        { "SERVO_IN_TPS", 15, { B(4030) } },
        { "SERVO_IN_POLARITY", 15, { B(4041) } },
        { "SERVO_EX", 16,
            { B(2781), B(2785), B(2783, 1, 5), B(2790).If(full), B(2794).If(full), B(2792).If(full), B(2796).If(full),
                B(2787) } },
        { "RPM_SERVO_EX", 16, { Row(3348, 15, 100, 4679) } },
        { "SERVO_EX_VALUE", 16, { NL, Table(3578, 150, 15).ScaleBy(2785, 20), NL } },
        { "SERVO_EX_POLARITY", 15, { B(4040) } },
        { "IDLE_PEUGEOT", 20, { B(4237), B(4238), NL }, Hook::IdleModeKey },
        { "IDLE", 20,
            { B(2911), B(2912, 1, 100), B(2913), NL, B(2914), B(2915, 1, 250), Of(Op::IdleValve), B(2917, 1, 10), NL,
                W(1085), NL, W(1076, 9), NL, B(2926, 4), NL, B(2930, 9, 50) },
            Hook::None, 0, When::Above69 },
        { "IDLE_CONTROL_BAND", 20, { B(2918, 1, 10) } },
        { "IDLE_SERVO_POZ_START", 20, { W(1097, 9) } },
        PowerOut(0),
        PowerOut(1),
        PowerOut(2),
        PowerOut(3),
        { "POWER_OUT5", 17, {}, Hook::None, ReaderOnly | SkipWhenClear },
        { "POWER_OUT6", 17, {}, Hook::None, ReaderOnly | SkipWhenClear },
        { "N2O", 21,
            { Of(Op::Flag, 2801), NL, B(2802), B(2803), B(2805, 1, 100), B(2804, 1, 100), B(2810, 1, 1, 100),
                B(2811, 1, 1, 100), NL, B(2806), B(2807), B(2809, 1, 100), B(2808, 1, 100) },
            Hook::N2o },
        { "N2O_RPMmin", 21, { B(4235, 1, 100) } },
        { "N2O_TPSmin", 21, { B(4236) } },
        { "SPEED_PULSES", 19, { B(2903), W(1009) } },
        { "SPEED_PULSES_FRONT", 19, { B(4129), W(1092) } },
        { "SPEED_OUT_COR", 19, { B(4240) }, Hook::SpeedOutCor },
        { "SPEED_OUT_COR_16b", 19, { W(1112), NL }, Hook::SpeedOutCor16 },
        { "GEAR", 19, { B(2901), B(2902), NL, W(1049, 7), NL, W(1010, 6) } },
        { "GEAR_AUTO", 19, { B(2904), B(2905, 1, 100), B(2906), B(2907) } },
        { "GEAR_CORR", 19, { B(2881, 6, 1, -100), NL, B(2887, 6) } },
        { "GEAR_CORR_ACCTR", 19, { B(4045, 6) } },
        { "iADR_GEAR_KOR_TRACKRETARD", 19, { B(4123, 6) } },
        { "PILOT_LIGHT", 18, { B(2853, 6, 100), NL, B(2859, 6, 100) } },
        { "CLUTCH", 18,
            { B(2865), B(2878, 1, 100), B(2879), SB(2880), NL, B(2866, 6, 5).If(When::Above69),
                B(2866, 6, 10).If(When::UpTo69), NL, B(2872, 6, 10) } },
        { "DISPLAY", 18, { B(2852) } },
        { "PIT_SPEED_CONTROL", 18, { B(2896, 3), SB(2899), B(2900, 1, 100) } },
        { "TUNING", 22,
            { B(2955).If(When::From81), B(2954).If(When::From81), B(2987, 1, 10), B(2988), B(2961).If(When::OldTuning),
                B(2986), B(2989), B(2990), B(2991), NL, B(2992), B(2993, 3).If(full), B(2996, 1, 100).If(full),
                B(2997, 1, 1, -100).If(full).AboveRange(56), B(2998, 1, 1, -100).If(full).AboveRange(56) },
            Hook::Tuning, 0, When::Above73 },
        { "TUNING_COMP_LIMIT", 22, { B(4241) } },
        { "TUNING_SOURCE", 22, { B(4242) } },
        { "TUNING_LAMBDA", 22, { B(2956, 5, 100), NL, Table(2961, 25, 5) } },
        { "DEC_ENABLE", 18, { B(4680) } },
        { "DEC_USE_SPEED", 18, { B(4685) } },
        { "DEC_SPEED_MIN", 18, { B(4686) } },
        { "DEC_TPS_MIN", 18, { B(4682) } },
        { "DEC_RPM_MIN", 18, { B(4681) } },
        { "DEC_SERVO_PERC", 18, { B(4683) } },
        { "DEC_SERVO_V", 18, { B(4684) } },
        { "DEC_SERVO_PERC", 18, { B(4683) } },
        { "DEC_STEP_WOPOT", 18, { SW(1110) } },
        { "DEC_STEP_TPSMIN", 18, { SW(1111) } },
        { "LAUNCH_CONTROL", 23, { B(3001), B(3002, 1, 1, -100), B(3017) } },
        { "START_LIMITER", 23, { B(3003, 1, 100), B(3004, 1, 100) } },
        { "ACC_LIMITER", 23,
            { B(3005), B(3006).ScaleBy(3005, 100), B(3007), B(3010), B(4042), B(4043), B(4044).ScaleBy(3005, 100) },
            Hook::AccLimiter },
        { "ACC_TRESHOLD", 23, { B(4133, 5, 100), NL, Table(4140, 25, 5).ScaleBy(3005, 100) } },
        { "ACC_SPEED_OF_RETURN", 23, { B(4167, 5, 100), NL, Table(4174, 25, 5) } },
        { "ACC_PROP_EFFECTx10", 23, { B(4201, 5, 100), NL, Table(4208, 25, 5) } },
        { "STLIM_SERVO_IN", 23, { B(3012), B(3014), B(3016) } },
        { "STLIM_SERVO_EX", 23, { B(3011), B(3013), B(3015) } },
        { "AFTERSTART_RETARD", 23,
            { NL, Row(3093, 15, 20, 3091, false), NL, Row(3108, 15, -1, 3091, false).NoCountStore() } },
        { "AFTERSTART_LIMITER", 23,
            { NL, Row(3123, 15, 20, 3092, false), NL, Row(3138, 15, 100, 3092, false).NoCountStore() } },
        { "TRACK_ENABLE", 23, { B(3018) } },
        { "TRACK_CONTROLL", 23, { W(1086, 6), NL, B(4053, 10), NL, Table(4063, 60, 10, -1) }, Hook::TrackControl },
        { "TRACK_MINRPM", 23, { B(4052, 1, 100) } },
        { "TRACK_MINADV", 23, { B(4051, 1, 1, -100) } },
        { "TRACK_MINTPS", 23, { B(4131) } },
        { "TRACK_TPS", 23, { B(4131) }, Hook::None, ReaderOnly },
        { "TRACK_MINSPEED", 23, { B(4132) } },
        { "TRACK_SPEED", 23, { B(4132) }, Hook::None, ReaderOnly },
        { "TRACK_FILTER_SECTORS", 23, { B(4688) } },
        { "TRACK_FILTER_OVERLAP", 23, { B(4689) } },
        { "TRACK_FILTER_END", 23, { B(4690) } },
        { "TEST_OUT", 25, { B(2999, 1, 100), B(3000, 1, 10) } },
        // Written as "LAMBDA_BAR  "; the two blanks fall inside the fill to column 15.
        { "LAMBDA_BAR", 25, { B(2950, 4), NL } },
        { "LAMBDA1_BAR", 25, { B(2950, 4) }, Hook::None, ReaderOnly },
        { "VERSIONS", -1, { Of(Op::UnitLine), Of(Op::BuildLine), NL }, Hook::None, WriterOnly },
        { "PROPRIETARY", 25, { SW(1113, 5) } },
        { "MEMO", 0, { Of(Op::MemoLines) }, Hook::Memo, SkipWhenClear },
    };
    return t;
}

} // namespace

const std::vector<Key>& KeyTable()
{
    static const std::vector<Key> table = BuildTable();
    return table;
}

void KeyTableCells(std::vector<CellSpan>& words, std::vector<CellSpan>& bytes)
{
    for (const Key& key : KeyTable())
        for (const Item& it : key.items) {
            int count = 0;
            switch (it.op) {
            case Op::Cells:
            case Op::Table:
            case Op::Row:
                count = it.count;
                break;
            case Op::Map:
                count = it.count * 20;
                break;
            case Op::Bits:
            case Op::Flag:
                count = 1;
                break;
            default:
                break;
            }
            if (count > 0)
                (it.word ? words : bytes).push_back({ it.cell, count });
            for (int byte : { it.countCell, it.scaleCell })
                if (byte >= 0)
                    bytes.push_back({ byte, 1 });
        }
}

bool Holds(When when, int v, bool old)
{
    switch (when) {
    case When::Always:
        return true;
    case When::UpTo304:
        return v <= 304;
    case When::From305:
        return v >= 305;
    case When::Above65:
        return v > 65;
    case When::Above68:
        return v > 68;
    case When::Above69:
        return v > 69;
    case When::UpTo69:
        return v <= 69;
    case When::Above73:
        return v > 73;
    case When::From81:
        return v >= 81;
    case When::Below303:
        return v < 303;
    case When::FullServo:
        return v >= 301 || (old && v >= 83);
    case When::OldTuning:
        return old ? v < 83 : v < 301;
    }
    return false;
}

} // namespace paramkeys
