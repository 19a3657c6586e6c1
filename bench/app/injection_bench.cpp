// The Injection page: one commit of an edit on it (store of its eight sheets,
// the consistency pass, reload, the undo snapshot), the carry-over of a change
// of every cell of map 1 into the coupled maps 2..4, and the resampling of
// maps 2..4 onto the breakpoints of map 1. A user feels more than about 100 ms
// after an edit or a menu command.
#include "app/editpath.h"
#include "app/main.h"
#include "bench/support/benchwindow.h"
#include "mapedit/tab.h"
#include "pages/injection.h"
#include "pages/pages.h"
#include "platform/dialogs.h"
#include "support/scripted_dialogs.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>

namespace {

using namespace injection_cells;

// Times `step` on the coupled Injection page, `prepare` untimed before each.
void OnCoupledPage(benchmark::State& state, const char* name, const std::function<void(TMainForm*, int)>& prepare,
    const std::function<void(TMainForm*)>& step)
{
    const std::filesystem::path folder = UseBenchSettingsFolder(name);
    ScriptedDialogs dialogs;
    ScopedDialogProvider provider(dialogs);
    auto form = StartBenchWindow();
    TMainForm* window = form.get();
    window->PcImage.b[CYLINDERS] = 4;
    window->PcImage.b[COUPLING] = COUPLING_COUPLED;
    window->ShowPage(PAGE_SLOT_INJECTION);

    double seconds = 0;
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        prepare(window, ++round);
        state.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
        step(window);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        seconds += took.count();
    }
    if (state.iterations() > 0)
        state.counters["share_of_100ms_limit_%"] = 100.0 * seconds / 0.1 / double(state.iterations());
    form.reset();
    std::filesystem::remove_all(folder);
}

void CommitOnInjectionPage(benchmark::State& state)
{
    OnCoupledPage(
        state, "injection-commit",
        [](TMainForm* form, int round) {
            form->Injection.EditCompensationLimit->SetText(std::to_string(20 + round % 40));
        },
        [](TMainForm* form) { CommitEditNow(form); });
}
BENCHMARK(CommitOnInjectionPage)->Unit(benchmark::kMillisecond);

void CarryOverAFullSheet(benchmark::State& state)
{
    OnCoupledPage(
        state, "injection-carry",
        [](TMainForm* form, int round) {
            TTab* table = form->Maps.InjectionTable;
            for (int k = 0; k < INJECTOR_MAPS; k++)
                for (int r = 0; r < MAP_ROWS; r++)
                    for (int c = 0; c < MAP_COLUMNS; c++)
                        table->Sheets[k].V.Values[r * TAB_MAX_COLS + c] = 1000 + 37 * k + c;
            TakeInjectionSnapshot(form);
            // Whole percent steps and proportional changes, alternating.
            for (int r = 0; r < MAP_ROWS; r++)
                for (int c = 0; c < MAP_COLUMNS; c++)
                    table->Sheets[0].V.Values[r * TAB_MAX_COLS + c] += (r + c + round) % 2 ? 100 : 37;
        },
        [](TMainForm* form) { CarryOverCoupledEdit(form); });
}
BENCHMARK(CarryOverAFullSheet)->Unit(benchmark::kMillisecond);

void CoupleTheInjectorMaps(benchmark::State& state)
{
    OnCoupledPage(
        state, "injection-couple",
        [](TMainForm* form, int round) {
            TTab* table = form->Maps.InjectionTable;
            for (int k = 1; k < INJECTOR_MAPS; k++)
                for (int c = 0; c < MAP_COLUMNS; c++)
                    table->Sheets[k].X.Values[c] = 10 + (5 + round % 3) * c;
        },
        [](TMainForm* form) { CoupleInjectionMaps(form); });
}
BENCHMARK(CoupleTheInjectorMaps)->Unit(benchmark::kMillisecond);

} // namespace
