#include "image/consistency.h"

#include <benchmark/benchmark.h>

#include <chrono>
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

// Time per pass in percent of the 1 ms it must stay far below.
class LimitReport {
public:
    explicit LimitReport(benchmark::State& state)
        : state_(state)
        , start_(std::chrono::steady_clock::now())
    {
    }
    ~LimitReport()
    {
        std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start_;
        if (state_.iterations() > 0)
            state_.counters["pct_of_1ms"] = 100.0 * elapsed.count() / double(state_.iterations());
    }

private:
    benchmark::State& state_;
    std::chrono::steady_clock::time_point start_;
};

// A pass over an image that breaks many rules: every repair runs.
void BM_NormalizeRandomImage(benchmark::State& state)
{
    const RsImage source = RandomImage();
    LimitReport report(state);
    for (auto _ : state) {
        RsImage image = source;
        NormalizeParameterImage(image);
        benchmark::DoNotOptimize(image);
    }
}
BENCHMARK(BM_NormalizeRandomImage);

// The usual case on a commit: the image is consistent already.
void BM_NormalizeConsistentImage(benchmark::State& state)
{
    RsImage image = RandomImage();
    NormalizeParameterImage(image);
    LimitReport report(state);
    for (auto _ : state) {
        NormalizeParameterImage(image);
        benchmark::DoNotOptimize(image);
    }
}
BENCHMARK(BM_NormalizeConsistentImage);

} // namespace
