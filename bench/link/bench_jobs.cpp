// The unit link at its real pace: the program clock follows the wall clock in
// 55 ms ticks as the main timer would, and the emulated unit sends and takes
// its bytes at the line's byte time.
//   - A full Read of the 4800-byte image (one job) as a ratio to the time its
//     bytes need on the wire, for an IGN300 unit at 115200 baud and a WCOM unit
//     at 57600 baud.
//   - The time from a port appearing to the unit being connected (IGN300,
//     115200 baud).

#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "bench/support/benchunit.h"
#include "image/rsimage.h"
#include "link/jobengine.h"
#include "link/serialdevice.h"
#include "platform/clock.h"
#include "tools/unit-emulator/emulator.h"

namespace {

constexpr int PORT = 203;
using Clock = std::chrono::steady_clock;

// Runs the main timer's link step in real time until `done` holds; false
// after `limit`.
bool RunTicks(CCOMCOM& link, Clock::time_point start, const std::function<bool()>& done,
    std::chrono::seconds limit = std::chrono::seconds(20))
{
    int32_t tick = -1;
    while (Clock::now() - start < limit) {
        auto now = int32_t(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count() / 55);
        if (now != tick) {
            tick = now;
            SetProgramClock(tick + 2);
            link.TimerStep();
        }
        if (done())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
}

std::unique_ptr<unitemu::UnitEmulator> StartUnit(int32_t protocol, int baud, benchmark::State& state)
{
    unitemu::Options options;
    options.protocol = protocol;
    options.baud = baud;
    options.pace = true;
    auto unit = std::make_unique<unitemu::UnitEmulator>(options);
    if (!StartBenchUnit(state, *unit, PORT))
        return nullptr;
    return unit;
}

std::unique_ptr<CCOMCOM> MakeLink()
{
    auto link = std::make_unique<CCOMCOM>();
    link->SetProbeDefault(PROTO_IGN300, 115200, 175);
    link->ExpectedUnitType = RSKEY;
    link->PortChoice = PORT;
    return link;
}

void BM_FullRead(benchmark::State& state)
{
    const int32_t protocol = int32_t(state.range(0));
    const int baud = int(state.range(1));
    auto unit = StartUnit(protocol, baud, state);
    if (!unit)
        return;
    auto link = MakeLink();
    Clock::time_point start = Clock::now();
    if (!RunTicks(*link, start,
            [&] { return link->ConnectedPort.load() != 0 && link->TransferState.load() == XFER_READY; })) {
        state.SkipWithError("no connection");
        return;
    }
    CCOM& port = link->Port(PORT);
    double seconds = 0;
    double wireSeconds = 0;
    for (auto _ : state) {
        uint32_t bytesBefore = port.BytesWritten.load() + port.BytesRead.load();
        auto jobStart = Clock::now();
        link->PostJob(JOB_READ, 0, RS_LEN_EXE, JOBFLAG_MARK | JOBFLAG_CLEAR_TX);
        bool ended = RunTicks(*link, start, [&] {
            int32_t code = link->JobCode.load();
            return code == JOB_DONE || code == JOB_FAILED;
        });
        if (!ended || link->JobCode.load() != JOB_DONE) {
            state.SkipWithError(("the read did not finish: job " + std::to_string(link->JobCode.load()) + " at "
                + std::to_string(link->JobPosition.load()))
                                    .c_str());
            break;
        }
        seconds += std::chrono::duration<double>(Clock::now() - jobStart).count();
        uint32_t bytes = port.BytesWritten.load() + port.BytesRead.load() - bytesBefore;
        wireSeconds += bytes * 10.0 / baud;
        link->JobCode.store(JOB_IDLE);
    }
    if (wireSeconds > 0)
        state.counters["ratio_to_wire"] = seconds / wireSeconds;
    link.reset();
    unit->Stop();
    SetComDeviceOverride(PORT, "");
}

BENCHMARK(BM_FullRead)
    ->Args({ PROTO_IGN300, 115200 })
    ->Args({ PROTO_WCOM, 57600 })
    ->ArgNames({ "protocol", "baud" })
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

void BM_PortAppearsToConnected(benchmark::State& state)
{
    double seconds = 0;
    for (auto _ : state) {
        SetComDeviceOverride(PORT, "");
        auto link = MakeLink();
        link->PortChoice = 0;
        link->NextAutoPort = PORT;
        Clock::time_point start = Clock::now();
        // Ports are listed again every second: let the first listing pass
        // without the port, then let it appear.
        RunTicks(*link, start, [&] { return link->PortsEnumerated; });
        auto unit = StartUnit(PROTO_IGN300, 115200, state);
        if (!unit)
            return;
        auto appeared = Clock::now();
        if (!RunTicks(*link, start, [&] { return link->ConnectedPort.load() == PORT; })) {
            state.SkipWithError("no connection");
            break;
        }
        seconds += std::chrono::duration<double>(Clock::now() - appeared).count();
        link.reset();
        unit->Stop();
    }
    SetComDeviceOverride(PORT, "");
    if (state.iterations() > 0)
        state.counters["ms_to_connected"] = seconds * 1000 / double(state.iterations());
}

BENCHMARK(BM_PortAppearsToConnected)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

} // namespace
