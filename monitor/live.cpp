#include "monitor/live.h"

#include <algorithm>
#include <cstring>

void OneShotCommands::Set(int byte, uint8_t mask)
{
    if (byte >= 0 && byte < 4)
        pending_[size_t(byte)] |= mask;
}

void OneShotCommands::TakeInto(uint8_t* out4)
{
    for (size_t i = 0; i < 4; ++i) {
        out4[i] = pending_[i];
        inFlight_[i] = pending_[i];
        pending_[i] = 0;
    }
}

void OneShotCommands::GiveBack(const std::array<uint8_t, 4>& bits)
{
    for (size_t i = 0; i < 4; ++i)
        pending_[i] |= bits[i];
    inFlight_.fill(0);
}

void OneShotCommands::PostRefused()
{
    GiveBack(inFlight_);
}

void OneShotCommands::Answered()
{
    inFlight_.fill(0);
}

void OneShotCommands::Failed()
{
    std::array<uint8_t, 4> stop {};
    stop[StopByte] = inFlight_[StopByte] & StopBit;
    GiveBack(stop);
}

void SendLiveRequest(const LiveRequestInputs& in, const RsImage& pcImage, OneShotCommands& oneShot,
    std::span<uint8_t, LIVE_REQUEST_LEN> out)
{
    std::fill(out.begin(), out.end(), uint8_t(0));
    out[liverq::TuningOn] = in.tuningOn ? 1 : 0;
    out[liverq::TuningMode] = pcImage.b[livecell::TuningMode];
    out[liverq::TuningSwitch] = uint8_t(in.tuningSwitchItem);
    std::memcpy(&out[liverq::LiveTuning], &pcImage.b[livecell::LiveTuning], livecell::LiveTuningCount);
    oneShot.TakeInto(&out[liverq::OneShot]);
    out[liverq::TestRpm] = pcImage.b[livecell::TestRpm];
    out[liverq::TestServo] = pcImage.b[livecell::TestServo];
}

void SwapLiveWords(std::span<uint8_t, LIVE_BLOCK_LEN> received)
{
    for (int k = 0; k < LIVE_WORDS; ++k)
        std::swap(received[size_t(2 * k + 1)], received[size_t(2 * k + 2)]);
}

void StoreLiveAnswer(LiveBlock& block, std::span<const uint8_t, LIVE_BLOCK_LEN> received)
{
    block.b[0] = 0;
    std::copy(received.begin(), received.end(), block.b.begin() + 1);
}

void DecodeLiveBlock(LiveBlock& block, bool liveDataPresent, LiveValues& v)
{
    using namespace live;
    if (!liveDataPresent)
        block.Clear();
    const LiveBlock& k = block;

    v.LiveRpm = k.W(WRpm);
    v.LiveLambdaMv = k.W(WLambdaMv);
    v.LambdaCount = 1;
    for (int i = 1; i < 4; ++i)
        if (k.B(BAfr1 + i) != NotUsed)
            v.LambdaCount++;
    for (int i = 0; i < 4; ++i)
        v.LiveAfr[size_t(i)] = k.B(BAfr1 + i);
    v.LiveTpPercent = k.W(WTpPercent);
    v.LiveTpMv = k.W(WTpMv);
    v.LiveGasPercent = k.W(WGasPercent);
    v.LiveIap = k.W(WIap) != 0 ? k.W(WIap) : k.W(WIapKpa) * 10;
    v.LiveGear = k.B(BGear);
    v.LiveGearMv = k.W(WGearMv);
    v.LiveTw = k.B(BCoolant);
    if (liveDataPresent && v.LiveTw == SensorError && !k.Bit(BSensorsOff, 4))
        v.LiveTw = CoolantErrorValue;
    v.LiveTa = k.B(BAir);
    v.LiveRatio = k.W(WRatio);
    v.LiveStartTime = k.W(WStartTime);
    v.LiveAp = k.W(WAp);
    v.LiveSaving = k.W(WSaving);
    v.LiveInjTpShare = k.B(BInjTpShare);
    v.LimiterIgn = k.Bit(BLimiters, 2);
    v.LimiterInj = k.Bit(BLimiters, 3);
    v.LimiterRetard = k.Bit(BLimiters, 4);
    v.TpError = k.Bit(BErrors, 0);
    v.IapError = k.Bit(BErrors, 1);
    v.ApError = k.Bit(BErrors, 2);
    v.TestsLocked = k.Bit(BErrors, 3);
    v.FixedAdvance = k.Bit(BStates, 3);
    v.GasHandle = k.Bit(BSensorsOff, 0);
    v.IdleTpActive = k.Bit(BOutputs, 3);
    v.IdleBandActive = k.Bit(BOutputs, 4);
    v.LoadSourceA = k.Bit(BOutputs, 5);
    v.LoadSourceB = k.Bit(BOutputs, 6);
    v.LaunchUnitKmh = k.B(BLaunchUnit);
    v.AccThreshold = v.LaunchUnitKmh != 0 ? k.B(BAccThreshold) : k.B(BAccThreshold) * 100;
    v.AccPropEffect = k.B(BAccPropEffect);
    v.AccReturnSpeed = k.B(BAccReturnSpeed);
    v.AccMinAdvance = k.B(BAccMinAdvance) - MinAdvanceOffset;
    v.AccThresholdPot = k.SignedB(BAccThresholdPot);
    v.AccPropEffectPot = k.SignedB(BAccPropEffectPot);
    v.AccReturnSpeedPot = k.SignedB(BAccReturnSpeedPot);
    v.AccMinAdvancePot = k.SignedB(BAccMinAdvancePot);
    v.ChangedBlockMask = k.W(WChangedBlocks);
}

int LiveUnitBike(const RsImage& unitImage, bool unitImageValid)
{
    return unitImageValid ? unitImage.b[cell::BikeCode] : -1;
}

int32_t HourMeterMinutes(const LiveBlock& block)
{
    return int32_t(block.B(live::BHourMeterHigh)) * 65536 + block.W(live::WHourMeterLow);
}

int LiveCylinders(const RsImage& pcImage)
{
    return std::min<int>(pcImage.b[livecell::Cylinders], live::MaxCylinders);
}

void ComputePanelChannels(
    const LiveBlock& block, const LiveValues& values, const RsImage& pcImage, LiveChannelArray& ch)
{
    using namespace live;
    const int cylinders = LiveCylinders(pcImage);

    ch[livech::CkpsRunning] = block.Bit(BStates, 5);
    ch[livech::CmpsRunning] = block.Bit(BStates, 6);
    ch[livech::Cooling] = block.Bit(BStates, 4);
    ch[livech::FallOut] = block.Bit(BInputs, 1);
    ch[livech::BlockOut] = block.Bit(BInputs, 3);
    ch[livech::RetardLimiter] = block.Bit(BLimiters, 4);

    // Advance: cylinder 1 is always shown, the others while present.
    for (int n = 0; n < MaxCylinders; ++n)
        ch[size_t(livech::Advance1 + n)] = 0;
    ch[livech::Advance1] = block.SignedB(BAdvance1);
    int advanceSum = 0;
    for (int n = 0; n < cylinders; ++n) {
        ch[size_t(livech::Advance1 + n)] = block.SignedB(BAdvance1 + n);
        advanceSum += block.SignedB(BAdvance1 + n);
    }
    ch[livech::MeanAdvance] = cylinders != 0 ? advanceSum / cylinders : 0;
    if (values.FixedAdvance) {
        const double base = pcImage.b[livecell::FixedBaseAdvance];
        for (int n = 0; n < cylinders; ++n)
            ch[size_t(livech::Advance1 + n)] = base;
        ch[livech::MeanAdvance] = base;
    }

    // Injection: cylinder 1 always, the others while present.
    int sumA = 0, sumB = 0, maxA = 0, maxB = 0;
    for (int n = 0; n < std::max(cylinders, 1); ++n) {
        const int a = block.B(BInjA1 + n);
        const int b = block.B(BInjB1 + n);
        sumA += a;
        sumB += b;
        maxA = std::max(maxA, a);
        maxB = std::max(maxB, b);
    }
    ch[livech::InjTimeA] = cylinders != 0 ? sumA * 100 / cylinders : 0;
    ch[livech::InjTimeB] = cylinders != 0 ? sumB * 100 / cylinders : 0;
    const int rpm = block.W(WRpm);
    ch[livech::DutyA] = rpm * maxA / 12000;
    ch[livech::DutyB] = rpm * maxB / 12000;
    if (block.B(BDutyA) != 0 || block.B(BDutyB) != 0) {
        ch[livech::DutyA] = block.B(BDutyA);
        ch[livech::DutyB] = block.B(BDutyB);
    }
}
