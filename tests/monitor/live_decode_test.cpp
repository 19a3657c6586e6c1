#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <ostream>

#include "support/livetest.h"

// Failures print the record field by field.
void PrintTo(const LiveValues& v, std::ostream* os)
{
#define F(x) *os << #x "=" << v.x << ' '
    F(LiveRpm);
    F(LiveLambdaMv);
    F(LambdaCount);
    *os << "LiveAfr=" << v.LiveAfr[0] << ',' << v.LiveAfr[1] << ',' << v.LiveAfr[2] << ',' << v.LiveAfr[3] << ' ';
    F(LiveTpPercent);
    F(LiveTpMv);
    F(LiveGasPercent);
    F(LiveIap);
    F(LiveGear);
    F(LiveGearMv);
    F(LiveTw);
    F(LiveTa);
    F(LiveRatio);
    F(LiveStartTime);
    F(LiveAp);
    F(LiveSaving);
    F(LiveInjTpShare);
    F(LimiterIgn);
    F(LimiterInj);
    F(LimiterRetard);
    F(TpError);
    F(IapError);
    F(ApError);
    F(TestsLocked);
    F(FixedAdvance);
    F(GasHandle);
    F(IdleTpActive);
    F(IdleBandActive);
    F(LoadSourceA);
    F(LoadSourceB);
    F(LaunchUnitKmh);
    F(AccThreshold);
    F(AccPropEffect);
    F(AccReturnSpeed);
    F(AccMinAdvance);
    F(AccThresholdPot);
    F(AccPropEffectPot);
    F(AccReturnSpeedPot);
    F(AccMinAdvancePot);
    F(ChangedBlockMask);
#undef F
}

namespace {

TEST(LiveAnswer, SwapsTheEightyWordsOnlyAndShiftsByOne)
{
    std::array<uint8_t, LIVE_BLOCK_LEN> wire {};
    for (int i = 0; i < LIVE_BLOCK_LEN; ++i)
        wire[size_t(i)] = uint8_t(i * 7 + 1);
    wire[1] = 0x01; // W1 high byte first
    wire[2] = 0x34;
    SwapLiveWords(wire);
    LiveBlock block;
    block.b.fill(0xAA);
    StoreLiveAnswer(block, wire);

    EXPECT_EQ(block.b[0], 0) << "index 0 is never filled";
    EXPECT_EQ(block.W(1), RSKEY);
    EXPECT_EQ(block.B(1), 1) << "offset 0 stands alone";
    EXPECT_EQ(block.B(161), uint8_t(159 * 7 + 1)) << "W80's high byte";
    EXPECT_EQ(block.B(160), uint8_t(160 * 7 + 1)) << "W80's low byte";
    EXPECT_EQ(block.W(80), uint16_t((159 * 7 + 1) % 256 << 8 | (160 * 7 + 1) % 256));
    for (int i = 161; i < LIVE_BLOCK_LEN; ++i)
        EXPECT_EQ(block.B(i + 1), uint8_t(i * 7 + 1)) << "offset " << i << " is not swapped";
}

// The record of a block of zeros received from a unit: the base that every
// case below changes.
LiveValues ZeroBlockValues()
{
    LiveValues v;
    v.LambdaCount = 4; // 0 in B204..B206 is a present sensor
    v.LiveTw = live::CoolantErrorValue;
    v.AccMinAdvance = -60;
    return v;
}

struct DecodeCase {
    const char* name;
    std::vector<LiveSet> sets;
    std::function<void(LiveValues&)> expect;
};

class LiveDecode : public ::testing::TestWithParam<DecodeCase> { };

TEST_P(LiveDecode, FillsTheLiveValues)
{
    const DecodeCase& c = GetParam();
    LiveBlock block = ReceivedBlock(c.sets);
    LiveValues got;
    got.LiveRpm = -5; // every field is rewritten
    DecodeLiveBlock(block, true, got);
    LiveValues want = ZeroBlockValues();
    c.expect(want);
    EXPECT_EQ(got, want);
}

INSTANTIATE_TEST_SUITE_P(Cases, LiveDecode,
    ::testing::Values(
        DecodeCase { "ZeroBlock", {}, [](LiveValues&) {} },
        DecodeCase { "PlainPositions",
            { { 'W', 2, 40000 }, { 'W', 4, 1013 }, { 'W', 6, 612 }, { 'W', 25, 125 }, { 'W', 37, 2100 },
                { 'W', 38, 77 }, { 'W', 47, 1000 }, { 'W', 50, 9600 }, { 'W', 57, 333 }, { 'B', 196, 125 },
                { 'B', 197, 3 }, { 'B', 198, 40 }, { 'B', 203, 147 }, { 'B', 204, 150 }, { 'B', 205, 131 },
                { 'B', 206, 160 }, { 'B', 213, 25 }, { 'B', 214, 90 } },
            [](LiveValues& v) {
                v.LiveRpm = 40000; // unsigned above 32767
                v.LiveAp = 1013;
                v.LiveTpMv = 612;
                v.LiveStartTime = 125;
                v.LiveGearMv = 2100;
                v.LiveRatio = 77;
                v.LiveTpPercent = 1000;
                v.LiveSaving = 9600;
                v.LiveGasPercent = 333;
                v.LiveTa = 125;
                v.LiveGear = 3;
                v.LiveInjTpShare = 40;
                v.LiveAfr = { 147, 150, 131, 160 };
                v.AccPropEffect = 25;
                v.AccReturnSpeed = 90;
            } },
        DecodeCase { "SensorErrorsAndTestLock", { { 'B', 178, 0x0F } },
            [](LiveValues& v) { v.TpError = v.IapError = v.ApError = v.TestsLocked = 1; } },
        DecodeCase { "ServoIdleBitIsNoError", { { 'B', 178, 0x70 } }, [](LiveValues&) {} },
        DecodeCase { "AllThreeLimiters", { { 'B', 176, 0x1C } },
            [](LiveValues& v) { v.LimiterIgn = v.LimiterInj = v.LimiterRetard = 1; } },
        DecodeCase { "InjectionLimiterAlone", { { 'B', 176, 0xEB } }, [](LiveValues& v) { v.LimiterInj = 1; } },
        DecodeCase { "StateBits", { { 'B', 177, 0x08 }, { 'B', 179, 0x01 }, { 'B', 180, 0x78 } },
            [](LiveValues& v) {
                v.FixedAdvance = v.GasHandle = 1;
                v.IdleTpActive = v.IdleBandActive = v.LoadSourceA = v.LoadSourceB = 1;
            } },
        DecodeCase { "SignedPotOffsets",
            { { 'B', 215, 0xFF }, { 'B', 216, 0x80 }, { 'B', 217, 0x7F }, { 'B', 218, 0xF6 } },
            [](LiveValues& v) {
                v.AccThresholdPot = -1;
                v.AccPropEffectPot = -128;
                v.AccReturnSpeedPot = 127;
                v.AccMinAdvancePot = -10;
            } },
        DecodeCase { "MinimumAdvanceBelowZero", { { 'B', 219, 50 } }, [](LiveValues& v) { v.AccMinAdvance = -10; } },
        DecodeCase { "ThresholdInRpmPerSecond", { { 'B', 212, 30 } }, [](LiveValues& v) { v.AccThreshold = 3000; } },
        DecodeCase { "ThresholdInKmhPerSecond", { { 'B', 211, 1 }, { 'B', 212, 30 } },
            [](LiveValues& v) {
                v.LaunchUnitKmh = 1;
                v.AccThreshold = 30;
            } },
        DecodeCase { "IapFromKpaWordWhenW69IsZero", { { 'W', 46, 98 } }, [](LiveValues& v) { v.LiveIap = 980; } },
        DecodeCase { "IapFromW69", { { 'W', 46, 98 }, { 'W', 69, 1013 } }, [](LiveValues& v) { v.LiveIap = 1013; } },
        DecodeCase { "OneLambdaSensor", { { 'B', 204, 255 }, { 'B', 205, 255 }, { 'B', 206, 255 } },
            [](LiveValues& v) {
                v.LambdaCount = 1;
                v.LiveAfr = { 0, 255, 255, 255 };
            } },
        DecodeCase { "SecondLambdaIsTheThirdByte", { { 'B', 204, 255 }, { 'B', 206, 255 } },
            [](LiveValues& v) {
                v.LambdaCount = 2;
                v.LiveAfr = { 0, 255, 0, 255 };
            } },
        DecodeCase { "NoSingleSensorVoltage", { { 'W', 7, 0xFFFF } }, [](LiveValues& v) { v.LiveLambdaMv = 65535; } },
        DecodeCase { "NoGear", { { 'B', 197, 255 } }, [](LiveValues& v) { v.LiveGear = 255; } },
        DecodeCase { "CoolantReading", { { 'B', 195, 190 } }, [](LiveValues& v) { v.LiveTw = 190; } },
        DecodeCase { "CoolantSwitchedOffIsNoError", { { 'B', 179, 0x10 } }, [](LiveValues& v) { v.LiveTw = 0; } },
        DecodeCase { "ChangedBlocksAllSixteenBits", { { 'W', 56, 0x8001 } },
            [](LiveValues& v) { v.ChangedBlockMask = 0x8001; } }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LiveDecode, WithoutLiveDataClearsTheBlockAndShowsNoError)
{
    LiveBlock block;
    block.b.fill(0x5A);
    LiveValues got;
    DecodeLiveBlock(block, false, got);
    EXPECT_EQ(block.b, (LiveBlock {}).b) << "all 301 bytes";
    LiveValues want = ZeroBlockValues();
    want.LiveTw = 0; // no coolant error without a unit
    EXPECT_EQ(got, want);
}

TEST(LiveDecode, ForeignUnitTypeIsDecodedAlike)
{
    LiveBlock block = ReceivedBlock({ { 'W', 1, 309 }, { 'W', 2, 1500 } });
    LiveValues got;
    DecodeLiveBlock(block, true, got);
    EXPECT_EQ(got.LiveRpm, 1500);
}

TEST(LiveDecode, HourMeterJoinsB223AndW68)
{
    struct {
        int high, low, minutes;
    } cases[] = { { 0, 59, 59 }, { 1, 0, 65536 }, { 0, 0xFFFF, 65535 }, { 255, 0xFFFF, 16777215 } };
    for (auto c : cases) {
        LiveBlock block = ReceivedBlock({ { 'B', 223, c.high }, { 'W', 68, c.low } });
        EXPECT_EQ(HourMeterMinutes(block), c.minutes) << c.high << ':' << c.low;
    }
}

TEST(LiveDecode, UnitBikeOnlyFromAnAcceptedRead)
{
    RsImage unit;
    unit.b[cell::BikeCode] = 17;
    EXPECT_EQ(LiveUnitBike(unit, true), 17);
    EXPECT_EQ(LiveUnitBike(unit, false), -1);
}

struct ChannelCase {
    const char* name;
    int cylinders;
    std::vector<LiveSet> sets;
    std::map<int, double> want; // every other channel is left alone
    int fixedBase = 0;
};

class PanelChannels : public ::testing::TestWithParam<ChannelCase> { };

TEST_P(PanelChannels, FromBlockAndCylinderCount)
{
    const ChannelCase& c = GetParam();
    RsImage image;
    image.b[livecell::Cylinders] = uint8_t(c.cylinders);
    image.b[livecell::FixedBaseAdvance] = uint8_t(c.fixedBase);
    LiveBlock block = ReceivedBlock(c.sets);
    LiveValues values;
    DecodeLiveBlock(block, true, values);

    LiveChannelArray got;
    got.fill(-1);
    ComputePanelChannels(block, values, image, got);
    LiveChannelArray want;
    want.fill(-1);
    for (int k : { 2, 3, 4, 5, 6, 7, 8, 10, 11, 20, 21, 22, 23, 24, 25 })
        want[size_t(k)] = 0;
    for (auto [k, v] : c.want)
        want[size_t(k)] = v;
    for (int k = 0; k < LIVE_CHANNELS; ++k)
        EXPECT_EQ(got[size_t(k)], want[size_t(k)]) << "channel " << k;
}

const std::vector<LiveSet> FOUR_CYLINDERS = { { 'W', 2, 6000 }, { 'B', 183, 10 }, { 'B', 184, 20 }, { 'B', 185, 30 },
    { 'B', 186, 40 }, { 'B', 187, 30 }, { 'B', 188, 50 }, { 'B', 189, 70 }, { 'B', 190, 90 }, { 'B', 191, 1 },
    { 'B', 192, 2 }, { 'B', 193, 3 }, { 'B', 194, 4 } };

INSTANTIATE_TEST_SUITE_P(Cases, PanelChannels,
    ::testing::Values(ChannelCase { "TwoCylinders", 2, FOUR_CYLINDERS,
                          { { 8, 25 }, { 10, 4000 }, { 11, 150 }, { 20, 15 }, { 21, 10 }, { 22, 20 }, { 25, 1 } } },
        ChannelCase { "UnitDutyOverrides", 2,
            { { 'W', 2, 6000 }, { 'B', 187, 30 }, { 'B', 188, 50 }, { 'B', 228, 40 }, { 'B', 229, 7 } },
            { { 8, 40 }, { 10, 4000 }, { 25, 7 } } },
        ChannelCase { "UnitDutyBOnly", 1, { { 'W', 2, 6000 }, { 'B', 187, 30 }, { 'B', 229, 9 } },
            { { 8, 0 }, { 10, 3000 }, { 25, 9 } } },
        ChannelCase { "NoCylinders", 0, FOUR_CYLINDERS, { { 8, 15 }, { 21, 10 } } },
        // A damaged image or a replayed log may hold any count: four at most.
        ChannelCase { "CountAboveFourHeldToFour", 9, FOUR_CYLINDERS,
            { { 8, 45 }, { 10, 6000 }, { 11, 250 }, { 20, 25 }, { 21, 10 }, { 22, 20 }, { 23, 30 }, { 24, 40 },
                { 25, 2 } } },
        ChannelCase { "CountOf255", 255, FOUR_CYLINDERS,
            { { 8, 45 }, { 10, 6000 }, { 11, 250 }, { 20, 25 }, { 21, 10 }, { 22, 20 }, { 23, 30 }, { 24, 40 },
                { 25, 2 } } },
        ChannelCase { "SignedAdvancesTruncateTowardZero", 2, { { 'B', 183, 0xF6 }, { 'B', 184, 0xFB } },
            { { 20, -7 }, { 21, -10 }, { 22, -5 } } },
        ChannelCase { "FixedBaseAdvance", 2, { { 'B', 177, 0x08 }, { 'B', 183, 10 }, { 'B', 184, 20 } },
            { { 20, 12 }, { 21, 12 }, { 22, 12 } }, 12 },
        ChannelCase { "OutputBits", 1, { { 'B', 175, 0x0A }, { 'B', 176, 0x10 } }, { { 4, 1 }, { 5, 1 }, { 7, 1 } } },
        ChannelCase { "InputBitsAreNoOutputs", 1, { { 'B', 175, 0xF5 }, { 'B', 176, 0xEF } }, {} },
        // The pick-ups and the cooling as the panel shows them.
        ChannelCase { "PickUpsAndCooling", 1, { { 'B', 177, 0x70 } }, { { 2, 1 }, { 3, 1 }, { 6, 1 } } },
        ChannelCase { "OtherStateBitsAreNone", 1, { { 'B', 177, 0x8F } }, {} }),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
