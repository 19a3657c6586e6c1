// Print All into a PDF file on a started main window: the reload of every
// page, the print look, one grabbed window per visible tab and the file.
// A print of all pages that takes longer than about a second feels stuck.
#include "app/main.h"
#include "bench/support/benchwindow.h"
#include "pages/pages.h"
#include "platform/dialogs.h"
#include "print/printing.h"
#include "print/printsink.h"
#include "support/scripted_dialogs.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>

namespace {

void PrintAllToPdf(benchmark::State& state)
{
    const std::filesystem::path folder = UseBenchSettingsFolder("print");
    ScriptedDialogs dialogs;
    ScopedDialogProvider provider(dialogs);
    PrintListsInit();
    auto form = StartBenchWindow();
    form->ShowPage(PAGE_SLOT_ADVANCE);
    dialogs.boxes.clear(); // the start-up's own, without a preset archive
    const QString pdf = QString::fromStdString((folder / "all.pdf").string());
    ScopedPrintSinkFactory toPdf([&] { return MakePdfSink(pdf); });

    double seconds = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        form->MenuPrintAllClick(nullptr);
        std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        seconds += took.count();
    }
    if (state.iterations() > 0) {
        state.counters["share_of_1s_limit_%"] = 100.0 * seconds / 1.0 / double(state.iterations());
        state.counters["pdf_kB"] = double(std::filesystem::file_size(folder / "all.pdf")) / 1024.0;
    }
    if (!dialogs.boxes.empty())
        state.SkipWithError(dialogs.boxes.front().text.toStdString().c_str());
    form.reset();
    PrintListsFinal();
    std::filesystem::remove_all(folder);
}
BENCHMARK(PrintAllToPdf)->Unit(benchmark::kMillisecond);

} // namespace
