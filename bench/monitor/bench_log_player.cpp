// The monitor player:
//   - a recording against an emulated unit paced at 115200 baud, the main
//     timer ticking in real time: live polls and log records per second, and
//     records per poll (1.0: every answer is recorded), beside the poll rate
//     of the same window without a recording;
//   - a replay of a log at the format's limit (the start records and as many
//     live frames as the index can address): opening and checking the file,
//     and stepping through every record with the panel refreshed each time.

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <thread>

#include "app/main.h"
#include "bench/support/benchwindow.h"
#include "link/serialdevice.h"
#include "support/scripted_dialogs.h"
#include "tools/unit-emulator/emulator.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int PORT = 205;
constexpr double TICK_MS = 55.0;

std::unique_ptr<TMainForm> StartWindow()
{
    UseBenchSettingsFolder("log");
    auto form = std::make_unique<TMainForm>(nullptr);
    form->Timer1->SetEnabled(false);
    form->CommandLine.clear();
    form->FormCreate(form.get());
    return form;
}

int LiveRequests(const unitemu::UnitEmulator& unit)
{
    int n = 0;
    for (const std::vector<uint8_t>& request : unit.RequestLog())
        n += !request.empty() && request[0] == 0x30;
    return n;
}

void BM_RecordingAtTheLiveRate(benchmark::State& state)
{
    ScriptedDialogs dialogs;
    ScopedDialogProvider provider(dialogs);
    unitemu::Options options;
    options.pace = true;
    unitemu::UnitEmulator unit(options);
    std::string error;
    if (!unit.Start(&error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    SetComDeviceOverride(PORT, unit.SlavePath());
    auto form = StartWindow();
    form->ComPort = 0;
    form->ComPortAuto = PORT;
    auto runFor = [&](std::chrono::milliseconds span, const std::function<bool()>& done) {
        const Clock::time_point start = Clock::now();
        Clock::time_point next = start;
        while (Clock::now() - start < span && !(done && done())) {
            std::this_thread::sleep_until(next);
            next += std::chrono::microseconds(int(TICK_MS * 1000));
            form->Timer1Timer(form->Timer1);
        }
    };
    runFor(std::chrono::seconds(20), [&] { return LiveRequests(unit) > 0; });
    if (LiveRequests(unit) == 0) {
        state.SkipWithError("no live poll");
        return;
    }
    const std::filesystem::path path = std::filesystem::temp_directory_path() / "zp-bench-log.ignlog";
    double pollsIdle = 0, polls = 0, records = 0, seconds = 0, secondsIdle = 0;
    for (auto _ : state) {
        int before = LiveRequests(unit);
        Clock::time_point start = Clock::now();
        runFor(std::chrono::seconds(6), {});
        secondsIdle += std::chrono::duration<double>(Clock::now() - start).count();
        pollsIdle += LiveRequests(unit) - before;

        dialogs.fileAnswers.push_back(QString::fromStdString(path.string()));
        form->Player.SpeedButtonPlay1->Click();
        const int initial = form->Player.Position;
        before = LiveRequests(unit);
        start = Clock::now();
        runFor(std::chrono::seconds(6), {});
        seconds += std::chrono::duration<double>(Clock::now() - start).count();
        polls += LiveRequests(unit) - before;
        records += form->Player.Position - initial;
        form->Player.SpeedButtonPlay4->Click();
    }
    state.counters["polls_per_s_idle"] = pollsIdle / secondsIdle;
    state.counters["polls_per_s_recording"] = polls / seconds;
    state.counters["records_per_s"] = records / seconds;
    state.counters["records_per_poll"] = polls > 0 ? records / polls : 0;
    form.reset();
    unit.Stop();
    SetComDeviceOverride(PORT, "");
    std::filesystem::remove(path);
}
BENCHMARK(BM_RecordingAtTheLiveRate)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

// A log at the limit: no further live frame could be addressed.
std::string WriteLogAtTheLimit(const RsImage& image)
{
    LogHeaderInfo info;
    info.startTime = 1700000000;
    MonitorLogWriter log(info);
    std::vector<uint8_t> connection(monlog::ConnectionLen - monlog::RecordHead, 0);
    std::vector<uint8_t> ui(monlog::UiPayloadLen, 0);
    (void)log.Append(monlog::Connection, 0, connection);
    (void)log.Append(monlog::PcImage, 0, image.b);
    (void)log.Append(monlog::UiState, 0, ui);
    log.MarkInitial();
    LiveBlock block;
    for (uint32_t ms = 385; log.Append(monlog::LiveFrame, ms, { block.b.data(), 300 }) == LogAppend::Appended;
         ms += 385)
        block.b[4] = uint8_t(ms);
    const std::filesystem::path path = std::filesystem::temp_directory_path() / "zp-bench-limit.ignlog";
    std::ofstream(path, std::ios::binary) << log.FileBytes();
    return path.string();
}

void BM_ReplayAtTheFormatLimit(benchmark::State& state)
{
    ScriptedDialogs dialogs;
    ScopedDialogProvider provider(dialogs);
    auto form = StartWindow();
    const std::string path = WriteLogAtTheLimit(form->PcImage);
    int records = 0;
    for (auto _ : state) {
        dialogs.fileAnswers.push_back(QString::fromStdString(path));
        form->Player.SpeedButtonPlay2->Click();
        form->Player.SpeedButtonPlay3->Click();
        for (int p = 1; p < form->Player.Positions; ++p)
            form->Player.ScrollBarPlay->SetPosition(p);
        records = form->Player.Positions - 1;
        form->Player.SpeedButtonPlay4->Click();
    }
    state.counters["live_frames"] = records;
    state.counters["s_per_frame"] = benchmark::Counter(
        double(records) * double(state.iterations()), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    std::filesystem::remove(path);
}
BENCHMARK(BM_ReplayAtTheFormatLimit)->Unit(benchmark::kMillisecond);

} // namespace
