// The live poll of the main window against an emulated unit paced at 115200
// baud, with the main timer ticking in real time:
//   - polls per second, as a ratio to the nominal rate of one poll every
//     seven 55 ms ticks;
//   - one refresh of every live display from a busy block (the decode into
//     the panel, the Monitor page and the gauges), as a ratio to 2 ms, well
//     under a tick.

#include <benchmark/benchmark.h>

#include <QApplication>

#include <chrono>
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <thread>

#include "app/main.h"
#include "bench/support/benchunit.h"
#include "bench/support/benchwindow.h"
#include "link/serialdevice.h"
#include "support/scripted_dialogs.h"
#include "tools/unit-emulator/emulator.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int PORT = 204;
constexpr double TICK_MS = 55.0;
constexpr int TICKS_PER_POLL = 7;

void BM_LivePollRate(benchmark::State& state)
{
    ScriptedDialogs dialogs;
    ScopedDialogProvider provider(dialogs);
    unitemu::Options options;
    options.pace = true;
    unitemu::UnitEmulator unit(options);
    if (!StartBenchUnit(state, unit, PORT))
        return;
    UseBenchSettingsFolder("live");
    auto form = StartBenchWindow();
    form->ComPort = 0;
    form->ComPortAuto = PORT;

    // Ticks on the wall clock, as the main timer gives them.
    auto runFor = [&](std::chrono::milliseconds span, const std::function<bool()>& done) {
        const Clock::time_point start = Clock::now();
        Clock::time_point next = start;
        while (Clock::now() - start < span && !(done && done())) {
            std::this_thread::sleep_until(next);
            next += std::chrono::microseconds(int(TICK_MS * 1000));
            form->Timer1Timer(form->Timer1);
        }
    };
    // Counted from the moment the connection's reference read is done and
    // the sequencer idles.
    const auto idle = [&] { return form->Images.UnitImageValid != 0 && form->LinkState == linkstate::Idle; };
    runFor(std::chrono::seconds(30), idle);
    if (!idle()) {
        state.SkipWithError("the connection never became idle");
        return;
    }
    double polls = 0, seconds = 0;
    for (auto _ : state) {
        const int before = unit.LiveRequests();
        const Clock::time_point start = Clock::now();
        runFor(std::chrono::seconds(6), {});
        seconds += std::chrono::duration<double>(Clock::now() - start).count();
        polls += unit.LiveRequests() - before;
    }
    const double nominal = 1000.0 / (TICKS_PER_POLL * TICK_MS);
    state.counters["polls_per_s"] = polls / seconds;
    state.counters["of_nominal"] = polls / seconds / nominal;
    form.reset();
    unit.Stop();
    SetComDeviceOverride(PORT, "");
}
BENCHMARK(BM_LivePollRate)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

void BM_UpdateLiveMonitor(benchmark::State& state)
{
    ScriptedDialogs dialogs;
    ScopedDialogProvider provider(dialogs);
    UseBenchSettingsFolder("live");
    auto form = StartBenchWindow();
    form->PcImage.b[2574] = 4;
    form->CheckBoxExtMonitor->SetChecked(true);
    form->LogPlayerState = 6; // a paused playback counts as live data
    std::array<uint8_t, LIVE_BLOCK_LEN> wire {};
    for (int i = 0; i < LIVE_BLOCK_LEN; ++i)
        wire[size_t(i)] = uint8_t(i * 37 + 11);
    int round = 0;
    const Clock::time_point start = Clock::now();
    for (auto _ : state) {
        // A new engine speed each time, so every text really changes.
        wire[3] = uint8_t(++round);
        std::array<uint8_t, LIVE_BLOCK_LEN> data = wire;
        SwapLiveWords(data);
        StoreLiveAnswer(form->Live, data);
        UpdateLiveMonitor(form.get());
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    state.counters["share_of_2ms_limit_%"] = 100.0 * seconds / 2e-3 / double(state.iterations());
}
BENCHMARK(BM_UpdateLiveMonitor)->Unit(benchmark::kMicrosecond);

} // namespace
