#pragma once
// The live poll: the 300-byte request the PC sends while the link is idle and
// the 300-byte live status block the unit answers with, decoded into the live
// values that the monitor panel, the pages and the map tables read.
//
// Seam with the link (the sequencer owns the posting):
//   1. While the link has no job (the job thread reads the transmit image
//      from the post on), SendLiveRequest fills the first LIVE_REQUEST_LEN
//      bytes of the link's transmit image and hands the pending one-shot
//      commands to the request.
//   2. The caller posts JOB_LIVE (35), start 0, length 300, flags 5 (mark the
//      range for transfer, single try). When the post is refused it calls
//      OneShotCommands::PostRefused(), so no command is lost.
//   3. On JOB_DONE it swaps the 80 words of the answer (SwapLiveWords), stores
//      the answer with StoreLiveAnswer and calls OneShotCommands::Answered();
//      on JOB_FAILED it calls OneShotCommands::Failed().
//   4. The panel refresh runs DecodeLiveBlock and ComputePanelChannels.

#include <array>
#include <cstdint>
#include <span>

#include "image/rsimage.h"
#include "image/selfcheck.h"

constexpr int LIVE_REQUEST_LEN = 300;
constexpr int LIVE_BLOCK_LEN = 300;
constexpr int LIVE_WORDS = 80; // W1..W80 over bytes 2..161

// Positions of the live request.
namespace liverq {
constexpr int TuningOn = 0;
constexpr int TuningMode = 1;
constexpr int TuningSwitch = 2;
constexpr int LiveTuning = 4; // 13 bytes
constexpr int OneShot = 99; // 4 bytes
constexpr int TestRpm = 103;
constexpr int TestServo = 104;
} // namespace liverq

// Image cells the request and the decode read.
namespace livecell {
constexpr int TuningMode = 2954;
constexpr int LiveTuning = 2986; // 2986..2998
constexpr int LiveTuningCount = 13;
constexpr int TestRpm = 2999;
constexpr int TestServo = 3000;
constexpr int Cylinders = 2574;
constexpr int FixedBaseAdvance = 2657;
} // namespace livecell

// Command bits that travel once with the next live request: the Test page's
// buttons, the Race page's DC test and "Stop motor".
//
// A request that never went out keeps its commands; a request that went out
// but got no answer gives back only the stop bit: stopping twice is harmless,
// while a test pulse the unit may already have fired must not fire again.
class OneShotCommands {
public:
    static constexpr int StopByte = 2;
    static constexpr uint8_t StopBit = 0x20;

    void Set(int byte, uint8_t mask);
    const std::array<uint8_t, 4>& Pending() const { return pending_; }
    // The bits of the request posted last, until its outcome is known.
    const std::array<uint8_t, 4>& InFlight() const { return inFlight_; }

    // Moves the pending bits into the request (also into InFlight) and clears them.
    void TakeInto(uint8_t* out4);
    void PostRefused();
    void Answered();
    void Failed();

private:
    void GiveBack(const std::array<uint8_t, 4>& bits);

    std::array<uint8_t, 4> pending_ {};
    std::array<uint8_t, 4> inFlight_ {};
};

// What the request carries besides the image bytes.
struct LiveRequestInputs {
    bool tuningOn = false; // the check box "Tuning on"
    int tuningSwitchItem = 0; // item index of "Tacho/Lambda switch"; -1 (none) sends 0xFF
};

// Builds the request into `out` (every byte not set is 0) from the tuning
// settings, the image's live-tuning bytes and test values, and the pending
// one-shot commands, which it takes (see OneShotCommands).
void SendLiveRequest(const LiveRequestInputs& in, const RsImage& pcImage, OneShotCommands& oneShot,
    std::span<uint8_t, LIVE_REQUEST_LEN> out);

// Exchanges the bytes of the pairs (1,2) .. (159,160) of a received answer:
// the unit sends its words high byte first.
void SwapLiveWords(std::span<uint8_t, LIVE_BLOCK_LEN> received);

// The held live status block: index k is byte Bk (1..300); index 0 stays 0.
// Word Wk is bytes 2k (low) and 2k+1 (high) after the swap.
struct LiveBlock {
    std::array<uint8_t, LIVE_BLOCK_LEN + 1> b {};

    uint8_t B(int k) const { return b[size_t(k)]; }
    int8_t SignedB(int k) const { return int8_t(b[size_t(k)]); }
    uint16_t W(int k) const { return uint16_t(b[size_t(2 * k)] | (b[size_t(2 * k + 1)] << 8)); }
    int16_t SignedW(int k) const { return int16_t(W(k)); }
    bool Bit(int k, int n) const { return (b[size_t(k)] >> n) & 1; }
    void Clear() { b.fill(0); }
};

// Copies a swapped answer so that received offset i becomes B(i + 1).
void StoreLiveAnswer(LiveBlock& block, std::span<const uint8_t, LIVE_BLOCK_LEN> received);

// Words and bytes of the block.
namespace live {
constexpr int WUnitType = 1;
constexpr int WRpm = 2;
constexpr int WApMv = 3;
constexpr int WAp = 4;
constexpr int WIapMv = 5;
constexpr int WTpMv = 6;
constexpr int WLambdaMv = 7;
constexpr int WCoolantMv = 8;
constexpr int WAirMv = 9;
constexpr int WBatteryMv = 10;
constexpr int WExhaustServo1 = 11;
constexpr int WExhaustServo2 = 12;
constexpr int WIntakeServo1 = 13;
constexpr int WIntakeServo2 = 14;
constexpr int WPotMv = 15;
constexpr int WProgrammings = 16;
constexpr int WTest1 = 17; // W17..W24: test values 1..8
constexpr int WStartTime = 25;
constexpr int WInjPosA = 26;
constexpr int WInjPosB = 27;
constexpr int WCorCoolant = 28;
constexpr int WCorAir = 29;
constexpr int WCorAp = 30;
constexpr int WCorStart = 31;
constexpr int WCorBattery = 32; // minus 1000: microseconds
constexpr int WAdvCorCoolant = 33; // (W - 1000) x 0.1 degree
constexpr int WAdvCorPot = 34;
constexpr int WCorPot = 35;
constexpr int WSpeedRear = 36;
constexpr int WGearMv = 37;
constexpr int WRatio = 38;
constexpr int WRatioGear1 = 39; // W39..W44
constexpr int WAdvCorIdle = 45;
constexpr int WIapKpa = 46;
constexpr int WTpPercent = 47;
constexpr int WAccCor = 48;
constexpr int WStepServo = 49;
constexpr int WSaving = 50;
constexpr int WAdvCorAir = 51;
constexpr int WAccInjCor = 52;
constexpr int WAccSize = 53;
constexpr int WAccCoolantCor = 54;
constexpr int WStartInjection = 55;
constexpr int WChangedBlocks = 56;
constexpr int WGasPercent = 57;
constexpr int WDwell = 58;
constexpr int WSecondAdvance1 = 59; // W59..W62
constexpr int WLaunchAccel = 63; // signed
constexpr int WLaunchRetard = 64;
constexpr int WSpeedFront = 65;
constexpr int WSlip = 66; // signed, 0.01 %
constexpr int WTrackRetard = 67;
constexpr int WHourMeterLow = 68;
constexpr int WIap = 69;
constexpr int WVal1 = 70; // W70..W74
constexpr int WTest9 = 75; // W75..W78: test values 9..12

constexpr int BInputs = 175;
constexpr int BLimiters = 176;
constexpr int BStates = 177;
constexpr int BErrors = 178;
constexpr int BSensorsOff = 179;
constexpr int BOutputs = 180;
constexpr int BAdvance1 = 183; // B183..B186, signed
constexpr int BInjA1 = 187; // B187..B190
constexpr int BInjB1 = 191; // B191..B194
constexpr int BCoolant = 195;
constexpr int BAir = 196;
constexpr int BGear = 197;
constexpr int BInjTpShare = 198;
constexpr int BTuneState1 = 199; // B199..B202
constexpr int BAfr1 = 203; // B203..B206
constexpr int BAccThresholdPercent = 207;
constexpr int BPowerOut1 = 208;
constexpr int BPowerOut2 = 209;
constexpr int BN2oPercent = 210;
constexpr int BLaunchUnit = 211;
constexpr int BAccThreshold = 212;
constexpr int BAccPropEffect = 213;
constexpr int BAccReturnSpeed = 214;
constexpr int BAccThresholdPot = 215; // B215..B218, signed
constexpr int BAccPropEffectPot = 216;
constexpr int BAccReturnSpeedPot = 217;
constexpr int BAccMinAdvancePot = 218;
constexpr int BAccMinAdvance = 219; // + 60
constexpr int BPowerOut3 = 220;
constexpr int BPowerOut4 = 221;
constexpr int BSynchro = 222;
constexpr int BHourMeterHigh = 223;
constexpr int BIntakeServoPercent1 = 224;
constexpr int BExhaustServoPercent1 = 226;
constexpr int BDutyA = 228;
constexpr int BDutyB = 229;

// Sentinels.
constexpr uint16_t NoLambdaVoltage = 0xFFFF; // W7
constexpr uint8_t NoGear = 255; // B197
constexpr uint8_t NotUsed = 255; // B199..B202 and B204..B206
constexpr uint8_t SensorError = 0; // B195, B196
constexpr int TemperatureOffset = 100; // B195, B196
constexpr int CoolantErrorValue = 180; // LiveTw for a coolant sensor reading 0
constexpr int MinAdvanceOffset = 60; // B219
constexpr int MaxCylinders = 4;
} // namespace live

// The words and bytes of the block the decode and the panel read, as runs
// of the enumeration above (a run covers a numbered group like W17..W24).
constexpr CellSpan LIVE_WORD_RUNS[] = {
    { live::WUnitType, live::WTest1 - live::WUnitType },
    { live::WTest1, 8 },
    { live::WStartTime, live::WRatioGear1 - live::WStartTime },
    { live::WRatioGear1, 6 },
    { live::WAdvCorIdle, live::WSecondAdvance1 - live::WAdvCorIdle },
    { live::WSecondAdvance1, 4 },
    { live::WLaunchAccel, live::WVal1 - live::WLaunchAccel },
    { live::WVal1, 5 },
    { live::WTest9, 4 },
};
constexpr CellSpan LIVE_BYTE_RUNS[] = {
    { live::BInputs, live::BAdvance1 - live::BInputs },
    { live::BAdvance1, live::MaxCylinders },
    { live::BInjA1, live::MaxCylinders },
    { live::BInjB1, live::MaxCylinders },
    { live::BCoolant, live::BTuneState1 - live::BCoolant },
    { live::BTuneState1, 4 },
    { live::BAfr1, 4 },
    { live::BAccThresholdPercent, live::BAccThresholdPot - live::BAccThresholdPercent },
    { live::BAccThresholdPot, 4 },
    { live::BAccMinAdvance, live::BIntakeServoPercent1 - live::BAccMinAdvance },
    { live::BIntakeServoPercent1, 2 },
    { live::BExhaustServoPercent1, 2 },
    { live::BDutyA, 2 },
};
// Words W1..W80, bytes B1..B300.
static_assert(EnumerationExcess(LIVE_WORD_RUNS, 1, LIVE_WORDS) <= 0, "a live word lies past W80");
static_assert(EnumerationExcess(LIVE_BYTE_RUNS, 1, LIVE_BLOCK_LEN) <= 0, "a live byte lies past the block");

// The state bytes are bit fields of the unit: the bits of each that the
// decode, the panel and the monitor page read.
struct LiveStateByte {
    int byte;
    std::array<int, 8> bits; // -1 ends the list
};
constexpr LiveStateByte LIVE_STATE_BYTES[] = {
    { live::BInputs, { 0, 1, 2, 3, 4, 5, 6, 7 } },
    { live::BLimiters, { 0, 1, 2, 3, 4, 6, 7, -1 } },
    { live::BStates, { 1, 3, 4, 5, 6, 7, -1, -1 } },
    { live::BErrors, { 0, 1, 2, 3, 4, 5, 6, -1 } },
    { live::BSensorsOff, { 0, 1, 2, 3, 4, 5, 6, -1 } },
    { live::BOutputs, { 0, 1, 2, 3, 4, 5, 6, -1 } },
};
constexpr int LiveStateWidth(const LiveStateByte& state)
{
    return BitFieldWidth(state.bits);
}
constexpr bool LiveStateBytesFit()
{
    for (const LiveStateByte& state : LIVE_STATE_BYTES)
        if (LiveStateWidth(state) > MAX_BIT_FIELD_WIDTH)
            return false;
    return true;
}
static_assert(LiveStateBytesFit(), "a state byte holds 8 bits");

// The decoded live values (signed 32-bit each), rewritten by every decode.
struct LiveValues {
    int32_t LiveRpm = 0;
    int32_t LiveLambdaMv = 0;
    int32_t LambdaCount = 0;
    std::array<int32_t, 4> LiveAfr {};
    int32_t LiveTpPercent = 0;
    int32_t LiveTpMv = 0;
    int32_t LiveGasPercent = 0;
    int32_t LiveIap = 0;
    int32_t LiveGear = 0;
    int32_t LiveGearMv = 0;
    int32_t LiveTw = 0;
    int32_t LiveTa = 0;
    int32_t LiveRatio = 0;
    int32_t LiveStartTime = 0;
    int32_t LiveAp = 0;
    int32_t LiveSaving = 0;
    int32_t LiveInjTpShare = 0;
    int32_t LimiterIgn = 0;
    int32_t LimiterInj = 0;
    int32_t LimiterRetard = 0;
    int32_t TpError = 0;
    int32_t IapError = 0;
    int32_t ApError = 0;
    int32_t TestsLocked = 0;
    int32_t FixedAdvance = 0;
    int32_t GasHandle = 0;
    int32_t IdleTpActive = 0;
    int32_t IdleBandActive = 0;
    int32_t LoadSourceA = 0;
    int32_t LoadSourceB = 0;
    int32_t LaunchUnitKmh = 0;
    int32_t AccThreshold = 0;
    int32_t AccPropEffect = 0;
    int32_t AccReturnSpeed = 0;
    int32_t AccMinAdvance = 0;
    int32_t AccThresholdPot = 0;
    int32_t AccPropEffectPot = 0;
    int32_t AccReturnSpeedPot = 0;
    int32_t AccMinAdvancePot = 0;
    int32_t ChangedBlockMask = 0;

    bool operator==(const LiveValues&) const = default;
};

// First steps of every panel refresh: without live data (no unit connected,
// no log playing or paused) the held block is zeroed first; then every live
// value is taken from it. A coolant sensor reading 0 while live data is
// present and the sensor is not switched off gives LiveTw 180.
void DecodeLiveBlock(LiveBlock& block, bool liveDataPresent, LiveValues& values);

// The unit's bike type: UnitImage byte 2550 while the PC holds an accepted
// read of the unit, else -1.
int LiveUnitBike(const RsImage& unitImage, bool unitImageValid);

// Minutes of the unit's hour meter: B223 x 65536 + W68.
int32_t HourMeterMinutes(const LiveBlock& block);

// The number of cylinders of the image, held to 0..4 so that it never reaches
// past the four advance and injection bytes or their channels.
int LiveCylinders(const RsImage& pcImage);

// Channels computed on the PC from the block.
constexpr int LIVE_CHANNELS = 26;
using LiveChannelArray = std::array<double, LIVE_CHANNELS>;
namespace livech {
constexpr int CkpsRunning = 2;
constexpr int CmpsRunning = 3;
constexpr int FallOut = 4;
constexpr int BlockOut = 5;
constexpr int Cooling = 6;
constexpr int RetardLimiter = 7;
constexpr int DutyA = 8;
constexpr int InjTimeA = 10; // mean injection time A, microseconds
constexpr int InjTimeB = 11;
constexpr int MeanAdvance = 20;
constexpr int Advance1 = 21; // 21..24
constexpr int DutyB = 25;
} // namespace livech

// Writes channels 2..8, 10, 11 and 20..25 from the block and the decoded
// values; leaves the others alone. The pick-up and cooling channels follow
// the same state bits the panel shows.
void ComputePanelChannels(
    const LiveBlock& block, const LiveValues& values, const RsImage& pcImage, LiveChannelArray& channels);
