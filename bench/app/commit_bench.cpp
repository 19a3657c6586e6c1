// One commit of an edit on a page: store the page, the consistency pass,
// reload the page, the undo snapshot with its settings save. The Advance page
// (its fields and its map table), the Tracking page (its pairs and five map
// tables, all sections enabled), the Servo page, the Power out page (four
// groups, four on/off maps) and a cell of a Corrections
// table. A user feels more than about 100 ms per commit. Also the per-tick
// refresh of the Idle page's live colours.
#include "app/editpath.h"
#include "app/main.h"
#include "bench/support/benchwindow.h"
#include "mapedit/tab.h"
#include "pages/advance.h"
#include "pages/corrections.h"
#include "pages/pages.h"
#include "pages/powerout.h"
#include "pages/servo.h"
#include "pages/tracking.h"
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

// The started window on a settings folder of the benchmark's own, every box
// answered by script; the folder goes with it.
struct BenchSession {
    explicit BenchSession(const char* name)
        : folder(UseBenchSettingsFolder(name))
        , form(StartBenchWindow())
        , window(form.get())
    {
    }
    ~BenchSession()
    {
        form.reset();
        std::filesystem::remove_all(folder);
    }
    std::filesystem::path folder;
    ScriptedDialogs dialogs;
    ScopedDialogProvider provider { dialogs };
    std::unique_ptr<TMainForm> form;
    TMainForm* window;
};

// Times `commit` after an untimed `change` for each iteration, and reports
// the mean as a share of the 100 ms a user tolerates.
template <typename Change, typename Commit> void TimeCommits(benchmark::State& state, Change change, Commit commit)
{
    double seconds = 0;
    int value = 0;
    for (auto _ : state) {
        state.PauseTiming();
        change(++value);
        state.ResumeTiming();
        auto start = std::chrono::steady_clock::now();
        commit();
        std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        seconds += took.count();
    }
    if (state.iterations() > 0)
        state.counters["share_of_100ms_limit_%"] = 100.0 * seconds / 0.1 / double(state.iterations());
}

// Commits a number typed into the edit the page's setup returns.
void CommitOnPage(benchmark::State& state, const char* name, TEdit* (*showPage)(TMainForm*))
{
    BenchSession session(name);
    TEdit* edit = showPage(session.window);
    TimeCommits(
        state, [&](int value) { edit->SetText(std::to_string(value % 100)); }, [&] { CommitEditNow(session.window); });
}

void CommitOneEdit(benchmark::State& state)
{
    CommitOnPage(state, "commit", [](TMainForm* window) {
        window->ShowPage(PAGE_SLOT_ADVANCE);
        return window->Advance.EditBaseAdvance;
    });
}
BENCHMARK(CommitOneEdit)->Unit(benchmark::kMillisecond);

void CommitOnTrackingPage(benchmark::State& state)
{
    CommitOnPage(state, "commit-tracking", [](TMainForm* window) {
        window->PcImage.b[tracking_cells::LAUNCH_ENABLE] = 1;
        window->PcImage.b[tracking_cells::TRACK_ENABLE] = 1;
        window->ShowPage(PAGE_SLOT_TRACKING);
        return window->Tracking.EditTrackSections;
    });
}
BENCHMARK(CommitOnTrackingPage)->Unit(benchmark::kMillisecond);

// A cell of the coolant correction table, committed as the table's change.
void CommitOneCorrectionsCell(benchmark::State& state)
{
    BenchSession session("commit-corrections");
    session.window->ShowPage(PAGE_SLOT_CORRECTIONS);
    TTab* table = session.window->Corrections.Table(CORRECTIONS_FIRST_ID);
    TimeCommits(
        state, [&](int value) { table->Sheets[0].V.Values[0] = 100 + value % 100; },
        [&] { PageTableChanged(session.window, table); });
}
BENCHMARK(CommitOneCorrectionsCell)->Unit(benchmark::kMillisecond);

void CommitOnServoPage(benchmark::State& state)
{
    CommitOnPage(state, "commit-servo", [](TMainForm* window) {
        window->ShowPage(PAGE_SLOT_SERVO);
        return window->Servo.EditServoI;
    });
}
BENCHMARK(CommitOnServoPage)->Unit(benchmark::kMillisecond);

// The Idle page's rows lighting and going out with the unit's regulation:
// the per-tick refresh must leave the 55 ms tick almost whole.
void IdlePageTickRefresh(benchmark::State& state)
{
    BenchSession session("idletick");
    TMainForm* window = session.window;
    window->PcImage.b[2911] = 2;
    window->ShowPage(PAGE_SLOT_IDLE);
    int tick = 0;
    for (auto _ : state) {
        ++tick;
        window->Monitor.Values.IdleTpActive = (tick >> 2) & 1;
        window->Monitor.Values.IdleBandActive = (tick >> 3) & 1;
        RefreshPageColours(window);
    }
}
BENCHMARK(IdlePageTickRefresh)->Unit(benchmark::kMicrosecond);

// Every output on its map.
void CommitOnPowerOutPage(benchmark::State& state)
{
    CommitOnPage(state, "commit-powerout", [](TMainForm* window) {
        for (int n = 0; n < POWER_OUT_COUNT; ++n)
            window->PcImage.b[size_t(powerout_cells::FUNCTION + n)] = powerout_cells::SPECIAL;
        window->ShowPage(PAGE_SLOT_POWER_OUT);
        return window->PowerOut.EditHysteresis[0];
    });
}
BENCHMARK(CommitOnPowerOutPage)->Unit(benchmark::kMillisecond);

} // namespace
