#pragma once
// An emulated unit behind a COM number, as the link benchmarks start it.

#include "link/serialdevice.h"
#include "tools/unit-emulator/emulator.h"

#include <benchmark/benchmark.h>

#include <string>

// Starts `unit` and leads COM `port` to it. When the unit cannot start, the
// benchmark is skipped with the reason and the answer is false.
inline bool StartBenchUnit(benchmark::State& state, unitemu::UnitEmulator& unit, int port)
{
    std::string error;
    if (!unit.Start(&error)) {
        state.SkipWithError(error.c_str());
        return false;
    }
    SetComDeviceOverride(port, unit.SlavePath());
    return true;
}
