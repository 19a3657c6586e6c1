// One commit of an edit on the Advance page (its fields and its map table),
// and on the Power out page (four groups, four on/off maps): store the page,
// the consistency pass, reload the page, the undo snapshot with its settings
// save. A user feels more than about 100 ms per commit.
#include "app/editpath.h"
#include "app/main.h"
#include "bench/support/benchwindow.h"
#include "pages/advance.h"
#include "pages/pages.h"
#include "pages/powerout.h"
#include "platform/dialogs.h"
#include "support/scripted_dialogs.h"

#include <benchmark/benchmark.h>

#include <QApplication>

#include <chrono>
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace {

// Commits an edit typed into the page's edit, one a round.
void CommitEdits(benchmark::State& state, int page, TEdit* (*edit)(TMainForm*), int modulo, int step)
{
    const std::filesystem::path folder = UseBenchSettingsFolder("commit");
    ScriptedDialogs dialogs;
    ScopedDialogProvider provider(dialogs);
    auto form = StartBenchWindow();

    TMainForm* window = form.get();
    // Every output on its map.
    if (page == PAGE_SLOT_POWER_OUT)
        for (int n = 0; n < POWER_OUT_COUNT; ++n)
            window->PcImage.b[size_t(powerout_cells::FUNCTION + n)] = powerout_cells::SPECIAL;
    window->ShowPage(page);
    TEdit* typed = edit(window);

    double seconds = 0;
    int value = 0;
    for (auto _ : state) {
        state.PauseTiming();
        typed->SetText(std::to_string(++value % modulo * step));
        state.ResumeTiming();
        auto start = std::chrono::steady_clock::now();
        CommitEditNow(window);
        std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        seconds += took.count();
    }
    if (state.iterations() > 0)
        state.counters["share_of_100ms_limit_%"] = 100.0 * seconds / 0.1 / double(state.iterations());
    form.reset();
    std::filesystem::remove_all(folder);
}

void CommitOneEdit(benchmark::State& state)
{
    CommitEdits(
        state, PAGE_SLOT_ADVANCE, [](TMainForm* form) { return form->Advance.EditBaseAdvance; }, 40, 1);
}
BENCHMARK(CommitOneEdit)->Unit(benchmark::kMillisecond);

// The hysteresis of output 1, 10..990 rpm.
void CommitOnPowerOutPage(benchmark::State& state)
{
    CommitEdits(
        state, PAGE_SLOT_POWER_OUT, [](TMainForm* form) { return form->PowerOut.EditHysteresis[0]; }, 99, 10);
}
BENCHMARK(CommitOnPowerOutPage)->Unit(benchmark::kMillisecond);

} // namespace
