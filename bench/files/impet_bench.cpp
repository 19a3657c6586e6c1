// Start-up cost of the preset archive: finding it at the end of a program
// file of debug-build size and reading its 67 presets, and one preset lookup.
#include "files/impet.h"
#include "files/impet_command.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {

constexpr size_t PROGRAM_SIZE = 20 * 1024 * 1024;
constexpr int PRESETS = 67;

// A program file with 67 presets of about 19.5 KB appended, made once and
// removed at exit.
struct Fixture {
    std::string root;
    std::string carrier;
    ~Fixture() { fs::remove_all(root); }
};

const std::string& Carrier()
{
    static const Fixture fixture = [] {
        std::string root = (fs::temp_directory_path() / "zp-bench-impet-XXXXXX").string();
        if (!::mkdtemp(root.data()))
            std::abort();
        fs::create_directories(root + "/NEW_308");
        for (int bike = 0; bike < PRESETS; ++bike) {
            std::string text;
            for (int line = 0; text.size() < 19500; ++line)
                text += "KEY_" + std::to_string(line % 300) + " " + std::to_string(bike * line % 251) + " 0 1 2\r\n";
            std::ofstream(root + "/NEW_308/Bike " + std::to_string(bike) + ".ign", std::ios::binary) << text;
        }
        std::string carrier = root + "/program";
        std::string program(PROGRAM_SIZE, '\0');
        for (size_t i = 0; i < program.size(); ++i)
            program[i] = char(i * 2654435761u >> 24);
        std::ofstream(carrier, std::ios::binary) << program;
        std::unique_ptr<CImpet> impet;
        std::string out;
        for (std::string line : { "OPEN " + carrier, "IMPORT " + root + "/NEW_308 \"\"", std::string("SAVE") })
            ImpetExecuteCommand(impet, line, out);
        return Fixture { root, carrier };
    }();
    return fixture.carrier;
}

void BM_LoadAtStartUp(benchmark::State& state)
{
    const std::string& carrier = Carrier();
    for (auto _ : state) {
        CImpet impet;
        if (impet.Load(carrier, false) != CImpet::LoadOk)
            state.SkipWithError("no archive");
        benchmark::DoNotOptimize(impet.Root().Count());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(fs::file_size(carrier)));
}
BENCHMARK(BM_LoadAtStartUp)->Unit(benchmark::kMillisecond);

void BM_ReadOnePreset(benchmark::State& state)
{
    CImpet impet;
    impet.Load(Carrier(), false);
    for (auto _ : state) {
        auto content = impet.ReadFile("\\NEW_308", "Bike 33.ign");
        if (!content)
            state.SkipWithError("preset missing");
        benchmark::DoNotOptimize(content);
    }
}
BENCHMARK(BM_ReadOnePreset)->Unit(benchmark::kMicrosecond);

} // namespace
