// The per-tick refresh of the Race and Gear pages' live colours, with the
// engaged gear unchanged from tick to tick and changing on every tick. The
// tick is 55 ms; a refresh should take a small share of it.
#include "app/main.h"
#include "bench/support/benchwindow.h"
#include "pages/pages.h"
#include "platform/dialogs.h"
#include "support/scripted_dialogs.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>

namespace {

void RefreshPage(benchmark::State& state, int page, bool changing)
{
    const std::filesystem::path folder = UseBenchSettingsFolder("pagecolour");
    ScriptedDialogs dialogs;
    ScopedDialogProvider provider(dialogs);
    auto form = StartBenchWindow();
    TMainForm* window = form.get();
    window->PcImage.b[2902] = 6; // six gears
    window->ShowPage(page);
    int gear = 3;
    double seconds = 0;
    for (auto _ : state) {
        if (changing)
            gear = gear % 6 + 1;
        window->Monitor.Values.LiveGear = gear;
        auto start = std::chrono::steady_clock::now();
        RefreshPageColours(window);
        std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        seconds += took.count();
    }
    if (state.iterations() > 0)
        state.counters["share_of_55ms_tick_%"] = 100.0 * seconds / 0.055 / double(state.iterations());
    form.reset();
    std::filesystem::remove_all(folder);
}

void RaceGearUnchanged(benchmark::State& state)
{
    RefreshPage(state, PAGE_SLOT_RACE, false);
}
void RaceGearChanging(benchmark::State& state)
{
    RefreshPage(state, PAGE_SLOT_RACE, true);
}
void GearGearUnchanged(benchmark::State& state)
{
    RefreshPage(state, PAGE_SLOT_GEAR, false);
}
void GearGearChanging(benchmark::State& state)
{
    RefreshPage(state, PAGE_SLOT_GEAR, true);
}
BENCHMARK(RaceGearUnchanged)->Unit(benchmark::kMicrosecond);
BENCHMARK(RaceGearChanging)->Unit(benchmark::kMicrosecond);
BENCHMARK(GearGearUnchanged)->Unit(benchmark::kMicrosecond);
BENCHMARK(GearGearChanging)->Unit(benchmark::kMicrosecond);

} // namespace
