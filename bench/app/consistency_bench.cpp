#include "app/consistency.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

RsImage RandomImage()
{
    std::mt19937 rng(308);
    RsImage image;
    for (auto& v : image.b)
        v = uint8_t(rng());
    return image;
}

// Time per pass as a fraction of the 1 ms it must stay far below.
void ReportRatioToLimit(benchmark::State& state)
{
    state.counters["ratio_to_1ms"] = benchmark::Counter(
        double(state.iterations()) * 1e-3, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// A pass over an image that breaks many rules: every repair runs.
void BM_NormalizeRandomImage(benchmark::State& state)
{
    const RsImage source = RandomImage();
    for (auto _ : state) {
        RsImage image = source;
        NormalizeParameterImage(image);
        benchmark::DoNotOptimize(image);
    }
    ReportRatioToLimit(state);
}
BENCHMARK(BM_NormalizeRandomImage);

// The usual case on a commit: the image is consistent already.
void BM_NormalizeConsistentImage(benchmark::State& state)
{
    RsImage image = RandomImage();
    NormalizeParameterImage(image);
    for (auto _ : state) {
        NormalizeParameterImage(image);
        benchmark::DoNotOptimize(image);
    }
    ReportRatioToLimit(state);
}
BENCHMARK(BM_NormalizeConsistentImage);

} // namespace
