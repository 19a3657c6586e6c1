#pragma once
// The emulated unit's engine: a motorcycle engine at idle or out on a ride,
// whose live values move smoothly from one live answer to the next. The same
// seed gives the same values answer by answer, so tests can rely on them.

#include <cstdint>
#include <vector>

namespace unitemu {

enum class Engine {
    Off, // the live block keeps what was set into it
    Idle, // warm engine idling in neutral
    Run, // a ride: throttle opens and closes, the gears go up and down
};

class EngineModel {
public:
    // Time that passes on the engine between two live answers.
    static constexpr double STEP_SECONDS = 0.05;

    EngineModel(Engine mode, uint32_t seed);

    // Moves the engine on by one live answer.
    void Step();
    // Writes the engine's values into a live block as the unit sends it
    // (byte n at index n - 1, numbered from 1; word k is bytes 2k and 2k + 1,
    // high byte first), leaving every byte marked in `fixed` alone.
    void Write(std::vector<uint8_t>& live, const std::vector<bool>& fixed) const;

    int Rpm() const { return int(rpm_); }
    int Gear() const { return gear_; }

private:
    double Random(); // 0..1

    Engine mode_;
    uint64_t state_;
    double seconds_ = 0; // since the start
    double throttle_ = 0; // percent
    double throttleTarget_ = 0;
    double holdSeconds_ = 0; // until the rider picks a new throttle
    double rpm_ = 1300;
    double coolant_ = 0; // degrees
    double air_ = 0;
    int gear_ = 0;
    double wobble_ = 0; // phase of the small unsteadiness of a real engine
    uint32_t hourMinutes_ = 0;
};

} // namespace unitemu
