// A switch of the interface language on a started main window: the message
// table, the texts of the built pages, then the reload of the shown page, as
// the language commands run them. A user feels more than about 100 ms.
#include "app/langtext.h"
#include "app/main.h"
#include "app/main_services.h"
#include "platform/dialogs.h"
#include "platform/scripted_dialogs.h"

#include <benchmark/benchmark.h>

#include <QApplication>

#include <chrono>
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <memory>

namespace {

QApplication& Qt()
{
    static int argc = 1;
    static char name[] = "bench_language";
    static char* argv[] = { name, nullptr };
    static std::unique_ptr<QApplication> app = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        auto made = std::make_unique<QApplication>(argc, argv);
        std::setlocale(LC_NUMERIC, "C");
        return made;
    }();
    return *app;
}

void SwitchLanguage(benchmark::State& state)
{
    Qt();
    std::filesystem::path folder = std::filesystem::temp_directory_path() / "zp-bench-language";
    std::filesystem::create_directories(folder);
    setenv("ZEPERON_SETTINGS_DIR", folder.c_str(), 1);
    ScriptedDialogs dialogs;
    ScopedDialogProvider provider(dialogs);
    auto form = std::make_unique<TMainForm>(nullptr);
    form->Timer1->SetEnabled(false);
    form->CommandLine.clear();
    form->FormCreate(form.get());
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
