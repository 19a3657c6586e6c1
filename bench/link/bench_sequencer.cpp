// The sequencer's operations against an IGN300 unit emulated at the line's
// real byte time, driven by real 55 ms ticks: the connection's reference read,
// a Read, a Program of the whole image and a Program of one changed byte.
// Each is reported as a ratio to the time its frames take on the wire (ten
// bits a byte, both directions), tick hand-overs included.

#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>
#include <thread>

#include "link/sequencer.h"
#include "platform/clock.h"
#include "tools/unit-emulator/emulator.h"

namespace {

constexpr int PORT = 203;
constexpr auto TICK = std::chrono::milliseconds(55);

// The window's services as far as the link's timing needs them.
class BenchHost : public LinkHost {
public:
    explicit BenchHost(CCOMCOM& link)
        : link_(link)
    {
    }
    void ShowMessageSlot(int, const char*, int, int32_t, int32_t, int) override { }
    void CompareUnitWithPc() override { }
    void UpdateMainCaption() override { }
    void SetProgressGauge(int, int32_t, bool) override { }
    void SetComLabel(const std::string&) override { }
    void NormalizeImage() override { }
    void LoadActivePage() override { }
    void TakeUndoSnapshot() override { }
    void SaveSettings() override { }
    bool TakeNewInstall() override { return false; }
    void ForgetFileName() override { }
    void UnitIdentified(const uint8_t*) override { }
    void ShowConnectionStatus(bool) override { }
    void ShowVersionMismatch(const std::string&) override { }
    std::string MismatchText(bool) override { return {}; }
    void SendLiveRequest() override
    {
        std::fill(link_.TxImage, link_.TxImage + LIVE_REQUEST_LEN, 0);
        link_.PostJob(JOB_LIVE, 0, LIVE_REQUEST_LEN, JOBFLAG_MARK | JOBFLAG_SINGLE_TRY);
    }
    void LiveRequestEnded(bool) override { }
    void LogMonitorFrame() override { }
    void UpdateLiveMonitor() override { }
    void ReadNextChangedBlock() override { SendLiveRequest(); }
    void ImageRangeToMaps(int, int) override { }

private:
    CCOMCOM& link_;
};

enum Operation { REFERENCE_READ, READ, PROGRAM_ALL, PROGRAM_ONE_BYTE };

class Bench {
public:
    explicit Bench(int baud)
        : baud_(baud)
    {
        unitemu::Options options;
        options.baud = baud;
        options.pace = true;
        unit_ = std::make_unique<unitemu::UnitEmulator>(options);
        started_ = unit_->Start(&error_);
        SetComDeviceOverride(PORT, unit_->SlavePath());
        link_.SetProbeDefault(PROTO_IGN300, baud, 175);
        link_.ExpectedUnitType = RSKEY;
        link_.PortChoice = PORT;
        next_ = std::chrono::steady_clock::now();
    }
    ~Bench() { SetComDeviceOverride(PORT, ""); }

    bool Started() const { return started_; }
    const std::string& Error() const { return error_; }

    // One real tick.
    void Tick()
    {
        next_ += TICK;
        std::this_thread::sleep_until(next_);
        SetProgramClock(++tick_);
        seq_.Step(tick_);
    }
    bool TickUntil(const std::function<bool()>& done, int maxTicks = 2000)
    {
        for (int i = 0; i < maxTicks; ++i) {
            Tick();
            if (done())
                return true;
        }
        return false;
    }
    bool Idle() const { return seq_.LinkState == linkstate::Idle && link_.JobCode.load() == JOB_IDLE; }
    uint32_t WireBytes()
    {
        CCOM& port = link_.Port(PORT);
        return port.BytesWritten.load() + port.BytesRead.load();
    }

    // Runs the operation once; the seconds it took and its bytes on the wire.
    bool Run(Operation op, double* seconds, uint32_t* bytes)
    {
        if (op == REFERENCE_READ) {
            if (link_.ConnectedPort.load() != 0)
                seq_.ClosePortAndReport();
            if (!TickUntil([&] { return seq_.LinkState == linkstate::Identity; }))
                return false;
        } else {
            if (!TickUntil([&] { return Idle() && seq_.LinkState == linkstate::Idle; }))
                return false;
            seq_.FullProgram = op == PROGRAM_ALL;
            if (op == PROGRAM_ONE_BYTE) {
                images_.PcImage.b[1000] ^= 1;
                images_.ChangeMarks[1000] = 1;
            }
            seq_.LinkRequest = op == READ ? REQ_READ : op == PROGRAM_ALL ? REQ_PROGRAM : REQ_PROGRAM_CHANGED;
        }
        const uint32_t before = WireBytes();
        const auto start = std::chrono::steady_clock::now();
        // Done when the sequencer is idle again (a programming: verified, before the unit's saving).
        if (!TickUntil([&] { return seq_.LinkRequest == REQ_NONE && Idle(); }))
            return false;
        *seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        *bytes = WireBytes() - before;
        return true;
    }

    int baud_;

private:
    std::unique_ptr<unitemu::UnitEmulator> unit_;
    std::string error_;
    bool started_ = false;
    CCOMCOM link_;
    ImageCopies images_;
    BenchHost host_ { link_ };
    LinkSequencer seq_ { link_, images_, host_ };
    int32_t tick_ = 2;
    std::chrono::steady_clock::time_point next_;
};

void BM_Sequencer(benchmark::State& state)
{
    const auto op = Operation(state.range(0));
    const int baud = int(state.range(1));
    Bench bench(baud);
    if (!bench.Started()) {
        state.SkipWithError(bench.Error().c_str());
        return;
    }
    double seconds = 0, wire = 0;
    for (auto _ : state) {
        double s = 0;
        uint32_t bytes = 0;
        if (!bench.Run(op, &s, &bytes)) {
            state.SkipWithError("the operation did not finish");
            return;
        }
        state.SetIterationTime(s);
        seconds += s;
        wire += bytes * 10.0 / baud;
    }
    if (wire > 0)
        state.counters["ratio_to_wire"] = seconds / wire;
    state.counters["wire_s"] = wire / double(state.iterations());
}

void Operations(benchmark::internal::Benchmark* b)
{
    b->ArgNames({ "op", "baud" });
    for (int baud : { 115200, 57600 })
        for (int op : { REFERENCE_READ, READ, PROGRAM_ALL, PROGRAM_ONE_BYTE })
            b->Args({ op, baud });
}

// op: 0 reference read, 1 Read, 2 Program all, 3 Program one changed byte.
BENCHMARK(BM_Sequencer)->Apply(Operations)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace
