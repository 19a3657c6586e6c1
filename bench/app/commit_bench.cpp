// One commit of an edit on the Advance page and on the Servo page (their
// fields and map tables): store the page, the consistency pass, reload the
// page, the undo snapshot with its settings save. A user feels more than
// about 100 ms per commit. Also the per-tick refresh of the Idle page's live
// colours, which must leave the 55 ms tick almost whole.
#include "app/editpath.h"
#include "app/main.h"
#include "bench/support/benchwindow.h"
#include "pages/advance.h"
#include "pages/pages.h"
#include "pages/servo.h"
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

// The edit box whose typed values the benchmark commits, and how many
// values it takes.
struct EditedField {
    int page;
    TEdit* (*edit)(TMainForm* form);
    int values;
};

void CommitOneEdit(benchmark::State& state, EditedField field)
{
    const std::filesystem::path folder = UseBenchSettingsFolder("commit");
    ScriptedDialogs dialogs;
    ScopedDialogProvider provider(dialogs);
    auto form = StartBenchWindow();

    TMainForm* window = form.get();
    window->ShowPage(field.page);
    TEdit* edit = field.edit(window);

    double seconds = 0;
    int value = 0;
    for (auto _ : state) {
        state.PauseTiming();
        edit->SetText(std::to_string(++value % field.values));
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
BENCHMARK_CAPTURE(CommitOneEdit, AdvancePage,
    EditedField { PAGE_SLOT_ADVANCE, [](TMainForm* f) { return f->Advance.EditBaseAdvance; }, 40 })
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(
    CommitOneEdit, ServoPage, EditedField { PAGE_SLOT_SERVO, [](TMainForm* f) { return f->Servo.EditServoI; }, 250 })
    ->Unit(benchmark::kMillisecond);

// The Idle page's rows lighting and going out with the unit's regulation.
void IdlePageTickRefresh(benchmark::State& state)
{
    const std::filesystem::path folder = UseBenchSettingsFolder("idletick");
    ScriptedDialogs dialogs;
    ScopedDialogProvider provider(dialogs);
    auto form = StartBenchWindow();
    TMainForm* window = form.get();
    window->PcImage.b[2911] = 2;
    window->ShowPage(PAGE_SLOT_IDLE);
    int tick = 0;
    for (auto _ : state) {
        ++tick;
        window->Monitor.Values.IdleTpActive = (tick >> 2) & 1;
        window->Monitor.Values.IdleBandActive = (tick >> 3) & 1;
        RefreshPageColours(window);
    }
    form.reset();
    std::filesystem::remove_all(folder);
}
BENCHMARK(IdlePageTickRefresh)->Unit(benchmark::kMicrosecond);

} // namespace
