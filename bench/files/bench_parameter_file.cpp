// Writing and reading one parameter file of a fully populated image.

#include "files/paramfile.h"

#include <benchmark/benchmark.h>

namespace {

class Host : public ParameterFileHost {
public:
    Host()
    {
        for (int i = 0; i < RS_LEN_EXE; ++i)
            image.b[size_t(i)] = uint8_t(i * 7);
        for (int c = 2664; c <= 2669; ++c)
            image.b[size_t(c)] = 20;
        image.b[2659] = 0;
        image.b[2550] = 11;
        memo = { u"Preset of the workshop", u"\u0158ada 2" };
    }
    RsImage& ParameterImage() override { return image; }
    std::vector<std::u16string> MemoLines() const override { return memo; }
    UnitVersionTexts UnitTexts() const override { return {}; }
    int SelectedSheet(int) const override { return 0; }
    void ShowMessageTableBox(int) override { }
    void ShowErrorBox(const std::string&) override { }
    void LoadBikeDefaults(int) override { }

    RsImage image;
    std::vector<std::u16string> memo;
};

void BM_WriteParameterFile(benchmark::State& state)
{
    Host host;
    for (auto _ : state)
        benchmark::DoNotOptimize(ParameterFileText(host));
}
BENCHMARK(BM_WriteParameterFile);

void BM_ReadParameterFile(benchmark::State& state)
{
    Host host;
    const std::string text = ParameterFileText(host);
    for (auto _ : state) {
        if (ParseParameterText(host, -1, false, text) != ParseOutcome::Complete)
            state.SkipWithError("the file did not read to its end");
        benchmark::DoNotOptimize(host.image);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}
BENCHMARK(BM_ReadParameterFile);

} // namespace
