// A switch of the interface language on a started main window: the message
// table, the texts of the built pages, then the reload of the shown page, as
// the language commands run them. A user feels more than about 100 ms.
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

void SwitchLanguage(benchmark::State& state)
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
        LoadPages(form.get(), 0);
        std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        seconds += took.count();
    }
    if (state.iterations() > 0)
        state.counters["share_of_100ms_limit_%"] = 100.0 * seconds / 0.1 / double(state.iterations());
    form.reset();
    std::filesystem::remove_all(folder);
}
BENCHMARK(SwitchLanguage)->Unit(benchmark::kMillisecond);

} // namespace
