// Texts are selected on every repaint and language switch: a repeated call
// on a known text must stay a lookup, without parsing or allocation.
#include "texts/langtext.h"

#include <benchmark/benchmark.h>

#include <string>

static void RepeatedSelection(benchmark::State& state)
{
    const char* text = "###Unit and PC settings are identical##Einrichten des Einheit und der PC ist die "
                       "gleichen##Nastavení v jednotce a PC je shodné";
    int language = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(SelectLangText(text, language));
        language = (language + 1) % 3;
    }
}
BENCHMARK(RepeatedSelection);

static void FirstSelection(benchmark::State& state)
{
    std::string text = "###Advance##Vorzündung##Předstih 0000000000";
    long n = 0;
    for (auto _ : state) {
        // A new text each time, so each call parses once.
        std::string digits = std::to_string(n++);
        text.replace(text.size() - digits.size(), digits.size(), digits);
        benchmark::DoNotOptimize(SelectLangText(text.c_str(), 2));
    }
}
BENCHMARK(FirstSelection);
