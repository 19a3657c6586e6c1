// Start-up of the main window on the offscreen platform: construction and
// every start-up step until FormCreated, without Qt's own start. More than
// about 1 s is a regression.
#include "app/main.h"
#include "bench/support/benchwindow.h"
#include "platform/dialogs.h"
#include "support/scripted_dialogs.h"

#include <benchmark/benchmark.h>

#include <QApplication>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <memory>

namespace {

void StartUpToFormCreated(benchmark::State& state)
{
    const std::filesystem::path folder = UseBenchSettingsFolder("startup");
    ScriptedDialogs dialogs;
    ScopedDialogProvider provider(dialogs);
    double limitShare = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        auto form = StartBenchWindow();
        benchmark::DoNotOptimize(form->FormCreated);
        std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        limitShare += took.count();
        state.PauseTiming();
        form.reset();
        state.ResumeTiming();
    }
    if (state.iterations() > 0)
        state.counters["share_of_1s_limit_%"] = 100.0 * limitShare / double(state.iterations());
    std::filesystem::remove_all(folder);
}
BENCHMARK(StartUpToFormCreated)->Unit(benchmark::kMillisecond);

} // namespace
