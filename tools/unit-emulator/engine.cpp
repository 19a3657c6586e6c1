#include "tools/unit-emulator/engine.h"

#include <algorithm>
#include <cmath>

namespace unitemu {

namespace {

// Overall ratio (engine turns per wheel turn) of gears 1..6 and the rear
// wheel's circumference in metres.
constexpr double GEAR_RATIO[7] = { 0, 12.0, 8.6, 6.9, 5.9, 5.2, 4.7 };
constexpr double WHEEL_METRES = 1.95;
constexpr int ENGINE_CYLINDERS = 4;
constexpr uint8_t NOT_USED = 255;

// Positions in the live block (words and bytes numbered from 1).
namespace at {
constexpr int WRpm = 2, WApMv = 3, WAp = 4, WIapMv = 5, WTpMv = 6, WLambdaMv = 7, WCoolantMv = 8, WAirMv = 9,
              WBatteryMv = 10, WStartTime = 25, WSpeedRear = 36, WGearMv = 37, WRatio = 38, WIapKpa = 46,
              WTpPercent = 47, WDwell = 58, WSpeedFront = 65, WHourMeterLow = 68, WIap = 69;
constexpr int BLimiters = 176, BStates = 177, BAdvance1 = 183, BInjA1 = 187, BInjB1 = 191, BCoolant = 195, BAir = 196,
              BGear = 197, BTuneState1 = 199, BAfr1 = 203, BHourMeterHigh = 223;
} // namespace at

double Approach(double value, double target, double rate, double seconds)
{
    return target + (value - target) * std::exp(-rate * seconds);
}

} // namespace

EngineModel::EngineModel(Engine mode, uint32_t seed)
    : mode_(mode)
    , state_(seed * 0x9E3779B97F4A7C15ull + 0x2545F4914F6CDD1Dull)
{
    coolant_ = mode == Engine::Run ? 62 + 10 * Random() : 70 + 10 * Random();
    air_ = 18 + 12 * Random();
    hourMinutes_ = 6000 + uint32_t(Random() * 90000);
    wobble_ = Random() * 6.28;
    rpm_ = mode == Engine::Off ? 0 : 1300;
}

double EngineModel::Random()
{
    state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
    return double(state_ >> 11) / double(1ull << 53);
}

void EngineModel::Step()
{
    if (mode_ == Engine::Off)
        return;
    const double dt = STEP_SECONDS;
    seconds_ += dt;
    wobble_ += dt * 2.1;
    coolant_ = Approach(coolant_, mode_ == Engine::Run ? 88 : 82, 0.004, dt);

    if (mode_ == Engine::Idle) {
        throttle_ = 0;
        gear_ = 0;
        rpm_ = Approach(rpm_, 1300 + 40 * std::sin(wobble_), 2.0, dt);
        return;
    }

    // The rider holds a throttle for a few seconds, then picks another one:
    // mostly part throttle, now and then wide open or shut.
    holdSeconds_ -= dt;
    if (holdSeconds_ <= 0) {
        const double pick = Random();
        throttleTarget_ = pick < 0.15 ? 0 : pick > 0.85 ? 100 : 10 + 60 * Random();
        holdSeconds_ = 1.5 + 3.5 * Random();
    }
    throttle_ = Approach(throttle_, throttleTarget_, 4.0, dt);
    if (gear_ == 0)
        gear_ = 1;
    const double target = 1400 + throttle_ * 115 - (gear_ - 1) * 250 * throttle_ / 100;
    rpm_ = Approach(rpm_, std::max(1300.0, target), 1.2 / gear_, dt);
    if (rpm_ > 9500 && gear_ < 6) {
        ++gear_;
        rpm_ *= GEAR_RATIO[gear_] / GEAR_RATIO[gear_ - 1];
    } else if (rpm_ < 3500 && gear_ > 1 && throttle_ < 30) {
        --gear_;
        rpm_ *= GEAR_RATIO[gear_] / GEAR_RATIO[gear_ + 1];
    }
}

void EngineModel::Write(std::vector<uint8_t>& live, const std::vector<bool>& fixed) const
{
    if (mode_ == Engine::Off)
        return;
    auto byte = [&](int n, int value) {
        if (!fixed[size_t(n - 1)])
            live[size_t(n - 1)] = uint8_t(value);
    };
    auto word = [&](int k, int value) {
        byte(2 * k, value >> 8);
        byte(2 * k + 1, value);
    };
    const double load = throttle_ / 100;
    const int rpm = int(rpm_);
    const double iapKpa = 32 + 66 * std::sqrt(load) + 0.5 * std::sin(wobble_ * 3);
    const double speed = gear_ ? rpm_ / GEAR_RATIO[gear_] * WHEEL_METRES * 60 / 1000 : 0;

    word(at::WRpm, rpm);
    word(at::WAp, 1008);
    word(at::WApMv, 4100);
    word(at::WIap, int(iapKpa * 10));
    word(at::WIapKpa, int(iapKpa));
    word(at::WIapMv, int(iapKpa * 45));
    word(at::WTpPercent, int(throttle_ * 10));
    word(at::WTpMv, int(500 + throttle_ * 40));
    // A lean idle and cruise, rich under full load.
    const double afr = 14.5 - 1.7 * load * load + 0.2 * std::sin(wobble_ * 5);
    word(at::WLambdaMv, int(afr < 14.7 ? 750 : 150));
    byte(at::BAfr1, int(afr * 10));
    for (int i = 1; i < 4; ++i)
        byte(at::BAfr1 + i, NOT_USED);
    for (int i = 0; i < 4; ++i)
        byte(at::BTuneState1 + i, NOT_USED); // no tuning under way
    byte(at::BCoolant, int(coolant_) + 100);
    word(at::WCoolantMv, int(3600 - coolant_ * 30));
    byte(at::BAir, int(air_) + 100);
    word(at::WAirMv, int(3600 - air_ * 30));
    word(at::WBatteryMv, int(13650 + std::min(rpm_, 5000.0) / 20 + 60 * std::sin(wobble_ * 7)));
    word(at::WStartTime, int(std::min(seconds_, 65535.0)));
    word(at::WDwell, 2800 - rpm / 10);

    // Advance per cylinder (degrees) and injection times (0.1 ms).
    const double advance = mode_ == Engine::Idle ? 10 : 12 + 2.2 * std::min(rpm_, 9000.0) / 1000 - 8 * load;
    const double injection = 18 + 70 * load * (0.6 + 0.4 * std::min(rpm_, 9000.0) / 9000);
    for (int c = 0; c < ENGINE_CYLINDERS; ++c) {
        byte(at::BAdvance1 + c, int(std::lround(advance + 0.4 * std::sin(wobble_ + c))));
        byte(at::BInjA1 + c, int(injection + 0.5 * std::sin(wobble_ * 2 + c)));
        byte(at::BInjB1 + c, load > 0.6 ? int(40 * (load - 0.6) / 0.4) : 0);
    }

    // Both crank and cam signals present, both servos fine.
    byte(at::BStates, 0x60);
    byte(at::BLimiters, 0xC0);

    byte(at::BGear, gear_);
    word(at::WGearMv, 400 + 700 * gear_);
    word(at::WRatio, gear_ ? int(GEAR_RATIO[gear_] * 100) : 0);
    word(at::WSpeedRear, int(speed));
    word(at::WSpeedFront, int(speed * 0.99));

    const uint32_t minutes = hourMinutes_ + uint32_t(seconds_ / 60);
    word(at::WHourMeterLow, int(minutes & 0xFFFF));
    byte(at::BHourMeterHigh, int(minutes >> 16));
}

} // namespace unitemu
