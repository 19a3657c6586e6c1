// A switch of the interface language on a started main window: the message
// table, the texts of the built pages, alone and with the reload of the shown
// page or of every page. A user feels more than about 100 ms.
#include "app/language.h"
#include "app/main.h"
#include "bench/support/benchwindow.h"
#include "pages/pages.h"
#include "platform/dialogs.h"
#include "support/scripted_dialogs.h"
#include "texts/langtext.h"

#include <benchmark/benchmark.h>

#include <QApplication>

#include <chrono>
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <memory>

namespace {

// Cycles the three languages; `reload` runs after each switch. The counter
// gives the share of the time budget one switch takes.
template <class Reload> void CycleLanguages(benchmark::State& state, double budgetSeconds, Reload reload)
{
    const std::filesystem::path folder = UseBenchSettingsFolder("language");
    ScriptedDialogs dialogs;
    ScopedDialogProvider provider(dialogs);
    auto form = StartBenchWindow();
    form->ShowPage(PAGE_SLOT_ADVANCE);

    double seconds = 0;
    int language = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        LangIndex = language = (language + 1) % 3;
        ApplyLanguage(form.get());
        reload(form.get());
        std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        seconds += took.count();
    }
    if (state.iterations() > 0)
        state.counters["share_of_budget_%"] = 100.0 * seconds / budgetSeconds / double(state.iterations());
    form.reset();
    std::filesystem::remove_all(folder);
}

// The texts alone: the message table, the menus and every control text with
// the list fillers; budget 20 ms.
void ApplyLanguageAlone(benchmark::State& state)
{
    CycleLanguages(state, 0.020, [](TMainForm*) {});
}
BENCHMARK(ApplyLanguageAlone)->Unit(benchmark::kMillisecond);

// As the language commands run it: then the shown page reloaded; budget 100 ms.
void SwitchLanguage(benchmark::State& state)
{
    CycleLanguages(state, 0.1, [](TMainForm* form) { LoadPages(form, 0); });
}
BENCHMARK(SwitchLanguage)->Unit(benchmark::kMillisecond);

// The texts and every page reloaded, as after a change of bike; budget 100 ms.
void SwitchLanguageReloadingAllPages(benchmark::State& state)
{
    CycleLanguages(state, 0.1, [](TMainForm* form) { LoadPages(form, 1); });
}
BENCHMARK(SwitchLanguageReloadingAllPages)->Unit(benchmark::kMillisecond);

} // namespace
