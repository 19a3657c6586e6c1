// A switch of the interface language on a started main window: the message
// table, the menu and control texts, and the reload of pages after it. A user
// feels more than about 100 ms.
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

// The pass alone, as pages run it after changing the image, and the pass
// followed by the reload of the shown page (the language commands) or of
// every page (the Bike page after new defaults). The pass should stay under
// 20 ms, a switch with its reload under 100 ms.
enum Reload { NO_RELOAD = -1, SHOWN_PAGE = 0, ALL_PAGES = 1 };

void TimeLanguageSwitch(benchmark::State& state, Reload reload, double limitSeconds)
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
        if (reload != NO_RELOAD)
            LoadPages(form.get(), reload);
        std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        seconds += took.count();
    }
    if (state.iterations() > 0)
        state.counters["share_of_limit_%"] = 100.0 * seconds / limitSeconds / double(state.iterations());
    form.reset();
    LangIndex = 0;
    std::filesystem::remove_all(folder);
}

void ApplyLanguageAlone(benchmark::State& state)
{
    TimeLanguageSwitch(state, NO_RELOAD, 0.020);
}
BENCHMARK(ApplyLanguageAlone)->Unit(benchmark::kMillisecond);

void SwitchLanguageReloadShownPage(benchmark::State& state)
{
    TimeLanguageSwitch(state, SHOWN_PAGE, 0.100);
}
BENCHMARK(SwitchLanguageReloadShownPage)->Unit(benchmark::kMillisecond);

void SwitchLanguageReloadAllPages(benchmark::State& state)
{
    TimeLanguageSwitch(state, ALL_PAGES, 0.100);
}
BENCHMARK(SwitchLanguageReloadAllPages)->Unit(benchmark::kMillisecond);

} // namespace
