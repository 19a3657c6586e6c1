// One commit of an edit on a page built from the control factory: store the
// page, the consistency pass, reload the page, the undo snapshot with its
// settings save. A user feels more than about 100 ms per commit.
#include "app/binding.h"
#include "app/controlfactory.h"
#include "app/editpath.h"
#include "app/main.h"
#include "app/servicecalls.h"
#include "bench/support/benchwindow.h"
#include "pages/pages.h"
#include "platform/dialogs.h"
#include "support/scripted_dialogs.h"

#include <benchmark/benchmark.h>

#include <QApplication>

#include <array>
#include <chrono>
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace {

constexpr int PAGE_CELLS = 40; // about the size of a busy settings page
constexpr int FIRST_CELL = 100;

void CommitOneEdit(benchmark::State& state)
{
    const std::filesystem::path folder = UseBenchSettingsFolder("commit");
    ScriptedDialogs dialogs;
    ScopedDialogProvider provider(dialogs);
    auto form = StartBenchWindow();

    std::array<TUpDown*, PAGE_CELLS> upDowns {};
    std::array<TEdit*, PAGE_CELLS> edits {};
    for (int i = 0; i < PAGE_CELLS; ++i) {
        CreateEditUpDown(form.get(), upDowns[size_t(i)], edits[size_t(i)], form->PageSheets[0]);
        PlaceEditUpDown(upDowns[size_t(i)], 10, 10 + 22 * i, 0, 255, 1, 50);
    }
    TMainForm* window = form.get();
    ServiceCallListener = [&](const char* name) {
        std::string_view call(name);
        for (int i = 0; i < PAGE_CELLS; ++i) {
            if (call == "StoreActivePage")
                StoreUpDownToByte(window, upDowns[size_t(i)], FIRST_CELL, i, 1, 0);
            else if (call == "LoadPages(active)")
                SetUpDownFromByte(window, upDowns[size_t(i)], FIRST_CELL, i, 1, 0);
        }
    };

    double seconds = 0;
    int value = 0;
    for (auto _ : state) {
        state.PauseTiming();
        edits[0]->SetText(std::to_string(++value % 200));
        state.ResumeTiming();
        auto start = std::chrono::steady_clock::now();
        CommitEditNow(window);
        std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        seconds += took.count();
    }
    if (state.iterations() > 0)
        state.counters["share_of_100ms_limit_%"] = 100.0 * seconds / 0.1 / double(state.iterations());
    ServiceCallListener = nullptr;
    form.reset();
    std::filesystem::remove_all(folder);
}
BENCHMARK(CommitOneEdit)->Unit(benchmark::kMillisecond);

} // namespace
