// One decode of a live answer (swap, store, live values and the panel's
// channels), one pass over the live-value definitions and one build of a live
// request. A poll comes every 385 ms, so each is far below anything the user
// could notice.

#include <benchmark/benchmark.h>

#include "monitor/live.h"
#include "monitor/valuedefs.h"

namespace {

std::array<uint8_t, LIVE_BLOCK_LEN> SampleAnswer()
{
    std::array<uint8_t, LIVE_BLOCK_LEN> wire {};
    for (int i = 0; i < LIVE_BLOCK_LEN; ++i)
        wire[size_t(i)] = uint8_t(i * 37 + 11);
    return wire;
}

void BM_LiveDecode(benchmark::State& state)
{
    const std::array<uint8_t, LIVE_BLOCK_LEN> wire = SampleAnswer();
    RsImage image;
    image.b[livecell::Cylinders] = 4;
    LiveBlock block;
    LiveValues values;
    LiveChannelArray channels {};
    for (auto _ : state) {
        std::array<uint8_t, LIVE_BLOCK_LEN> data = wire;
        SwapLiveWords(data);
        StoreLiveAnswer(block, data);
        DecodeLiveBlock(block, true, values);
        ComputePanelChannels(block, values, image, channels);
        benchmark::DoNotOptimize(values);
        benchmark::DoNotOptimize(channels);
    }
}
BENCHMARK(BM_LiveDecode);

void BM_LiveRequest(benchmark::State& state)
{
    RsImage image;
    OneShotCommands oneShot;
    std::array<uint8_t, LIVE_REQUEST_LEN> out {};
    for (auto _ : state) {
        oneShot.Set(2, OneShotCommands::StopBit);
        SendLiveRequest({ true, 1 }, image, oneShot, out);
        oneShot.Answered();
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(BM_LiveRequest);

// Five name lookups and one pass over the 88 rows, with a value that changes
// every time.
void BM_UpdateDefValues(benchmark::State& state)
{
    std::array<uint8_t, LIVE_BLOCK_LEN> wire = SampleAnswer();
    SwapLiveWords(wire);
    RsImage image;
    image.b[livecell::Cylinders] = 4;
    LiveBlock block;
    StoreLiveAnswer(block, wire);
    LiveValues values;
    DecodeLiveBlock(block, true, values);
    LiveChannelArray channels {};
    ComputePanelChannels(block, values, image, channels);
    int round = 0;
    for (auto _ : state) {
        block.b[4] = uint8_t(++round);
        benchmark::DoNotOptimize(UpdateDefValues({ block, values, channels, image }));
    }
}
BENCHMARK(BM_UpdateDefValues);

} // namespace
