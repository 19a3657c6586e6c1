// One IGN300 exchange (a 302-byte request and its 302-byte answer) through a
// port of the port layer and the emulated unit paced at 115200 baud, as a ratio
// to the 604 bytes' time on the wire (52.4 ms). The exchange is driven the way
// the job thread drives it: a step every millisecond.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "bench/support/benchunit.h"
#include "link/comport.h"
#include "link/frame.h"
#include "link/serialdevice.h"
#include "tools/unit-emulator/emulator.h"

namespace {

constexpr int PORT = 202;
constexpr int BAUD = 115200;
constexpr double WIRE_SECONDS = 604 * 10.0 / BAUD;

void BM_Ign300Exchange(benchmark::State& state)
{
    unitemu::Options options;
    options.protocol = PROTO_IGN300;
    options.baud = BAUD;
    options.pace = true;
    unitemu::UnitEmulator unit(options);
    if (!StartBenchUnit(state, unit, PORT))
        return;
    CCOMIOSYS ports;
    CCOM& port = ports.Port(PORT);
    ports.RequestOpen(PORT, BAUD);
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (port.PortState != PORT_OPEN && std::chrono::steady_clock::now() < deadline) {
        ports.ManagePorts();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    if (port.PortState != PORT_OPEN) {
        state.SkipWithError("the port did not open");
        return;
    }

    CCOMFRAME frame;
    frame.SetProtocol(PROTO_IGN300, 175);
    double seconds = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        frame.TxLength = BuildIgn300Frame(frame.TxFrame, 0x40, 1, nullptr, 0);
        frame.SendPosition = nullptr;
        bool answered = false;
        while (!answered && std::chrono::steady_clock::now() - start < std::chrono::seconds(1)) {
            frame.SendPart(port);
            answered = frame.SendDone() && frame.Receive(port);
            if (!answered)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        if (!answered) {
            state.SkipWithError("no answer");
            break;
        }
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    if (state.iterations() > 0)
        state.counters["ratio_to_wire"] = seconds / double(state.iterations()) / WIRE_SECONDS;
    SetComDeviceOverride(PORT, "");
}

BENCHMARK(BM_Ign300Exchange)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(40);

} // namespace
