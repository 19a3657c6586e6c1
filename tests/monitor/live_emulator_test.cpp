// The live poll over a real line: requests built here reach the emulated unit
// byte for byte, and its answers decode into the live values.

#include <gtest/gtest.h>

#include <bit>
#include <cstdlib>

#include "link/linktest.h"
#include "support/livetest.h"

namespace {

using Bytes = std::vector<uint8_t>;

class LivePoll : public EmulatedPort {
protected:
    void SetUp() override
    {
        StartUnit(options);
        ASSERT_TRUE(OpenAt(115200));
        frame.SetProtocol(PROTO_IGN300, 175);
        image.b[livecell::TuningMode] = 2;
        for (int i = 0; i < livecell::LiveTuningCount; ++i)
            image.b[size_t(livecell::LiveTuning + i)] = uint8_t(100 + i);
        image.b[livecell::TestRpm] = 30;
        image.b[livecell::TestServo] = 50;
    }

    // Builds the next request and puts it on the line.
    Bytes Post()
    {
        Bytes request(LIVE_REQUEST_LEN);
        SendLiveRequest({ true, 1 }, image, oneShot, std::span<uint8_t, LIVE_REQUEST_LEN>(request.data(), 300));
        frame.TxLength = BuildIgn300Frame(frame.TxFrame, 0x30, 0, request.data(), RSKEY);
        frame.SendPosition = nullptr;
        EXPECT_TRUE(WaitUntil([&] {
            frame.SendPart(port());
            return frame.SendDone();
        }));
        return request;
    }
    int Buffered() { return (port().WriteIndex.load() - port().ReadIndex.load() + COM_BUF) % COM_BUF; }
    // Takes the answer as the link does: swapped, then held.
    bool Answer()
    {
        if (!WaitUntil([&] { return frame.Receive(port()); }))
            return false;
        std::array<uint8_t, LIVE_BLOCK_LEN> data;
        std::copy(frame.RxFrame + 1, frame.RxFrame + 1 + LIVE_BLOCK_LEN, data.begin());
        SwapLiveWords(data);
        StoreLiveAnswer(block, data);
        return true;
    }

    unitemu::Options options;
    CCOMFRAME frame;
    RsImage image;
    OneShotCommands oneShot;
    LiveBlock block;
};

TEST_F(LivePoll, RequestArrivesAsBuiltAndAnswerDecodes)
{
    unit_->SetLiveWord(live::WRpm, 41000);
    unit_->SetLiveWord(live::WLaunchAccel, uint16_t(-250));
    unit_->SetLiveWord(live::WHourMeterLow, 0);
    unit_->SetLiveByte(live::BHourMeterHigh, 1);
    unit_->SetLiveByte(live::BAccThresholdPot, 0xFE);
    unit_->SetLiveByte(live::BErrors, 0x02);
    unit_->SetLiveByte(live::BAfr1 + 1, 255);
    unit_->SetLiveByte(live::BAfr1 + 2, 255);
    unit_->SetLiveByte(live::BAfr1 + 3, 255);
    unit_->SetChangedBlocks(0x0005);
    oneShot.Set(0, 0x04);
    oneShot.Set(2, OneShotCommands::StopBit);

    Bytes first = Post();
    ASSERT_TRUE(Answer());
    oneShot.Answered();
    EXPECT_EQ(unit_->LastLiveRequest(), first);
    Bytes head(first.begin(), first.begin() + 17);
    EXPECT_EQ(head, (Bytes { 1, 2, 1, 0, 100, 101, 102, 103, 104, 105, 106, 107, 108, 109, 110, 111, 112 }));
    EXPECT_EQ(Bytes(first.begin() + 99, first.begin() + 105), (Bytes { 0x04, 0, 0x20, 0, 30, 50 }));

    LiveValues values;
    DecodeLiveBlock(block, true, values);
    EXPECT_EQ(block.W(live::WUnitType), RSKEY);
    EXPECT_EQ(values.LiveRpm, 41000);
    EXPECT_EQ(block.SignedW(live::WLaunchAccel), -250);
    EXPECT_EQ(HourMeterMinutes(block), 65536);
    EXPECT_EQ(values.AccThresholdPot, -2);
    EXPECT_EQ(values.IapError, 1);
    EXPECT_EQ(values.LambdaCount, 1);
    EXPECT_EQ(values.ChangedBlockMask, 5);

    Post();
    ASSERT_TRUE(Answer());
    Bytes second = unit_->LastLiveRequest();
    EXPECT_EQ(Bytes(second.begin() + 99, second.begin() + 103), (Bytes { 0, 0, 0, 0 })) << "sent once";
    EXPECT_EQ(Bytes(second.begin(), second.begin() + 17), head);
}

TEST_F(LivePoll, StopLostWithAFailedPollGoesWithTheNext)
{
    oneShot.Set(2, OneShotCommands::StopBit);
    oneShot.Set(1, 0x01); // ignition 1 test pulse
    unit_->InjectFault(unitemu::Fault::BadCheck);
    Post();
    // The whole corrupted answer is in; the link rejects it.
    ASSERT_TRUE(WaitUntil([&] { return Buffered() >= LIVE_BLOCK_LEN + IGN_OVERHEAD; }));
    EXPECT_FALSE(frame.Receive(port()));
    oneShot.Failed();

    Post();
    ASSERT_TRUE(Answer());
    oneShot.Answered();
    Bytes again = unit_->LastLiveRequest();
    EXPECT_EQ(Bytes(again.begin() + 99, again.begin() + 103), (Bytes { 0, 0, 0x20, 0 }));

    Post();
    ASSERT_TRUE(Answer());
    Bytes third = unit_->LastLiveRequest();
    EXPECT_EQ(Bytes(third.begin() + 99, third.begin() + 103), (Bytes { 0, 0, 0, 0 }));
}

// The emulator's running engine, polled as the program polls it: every value
// the panel shows is plausible and free of sensor errors, moves smoothly from
// one answer to the next, and a value fixed from outside stays as fixed.
class RunningEngine : public LivePoll {
protected:
    RunningEngine()
    {
        options.engine = unitemu::Engine::Run;
        options.seed = 7;
    }
};

TEST_F(RunningEngine, LiveValuesArePlausibleAndSmooth)
{
    unit_->SetLiveByte(live::BAdvance1, 42);
    unit_->SetLiveWord(live::WBatteryMv, 12345);
    int lastRpm = -1, lastGear = -1, lowest = 100000, highest = 0, gears = 0;
    for (int poll = 0; poll < 400; ++poll) { // 20 s on the engine
        Post();
        ASSERT_TRUE(Answer());
        LiveValues v;
        DecodeLiveBlock(block, true, v);
        SCOPED_TRACE(poll);
        EXPECT_GE(v.LiveRpm, 1200);
        EXPECT_LE(v.LiveRpm, 12500);
        if (lastRpm >= 0 && v.LiveGear == lastGear) {
            EXPECT_LE(std::abs(v.LiveRpm - lastRpm), 1500);
        }
        lastRpm = v.LiveRpm;
        lastGear = v.LiveGear;
        lowest = std::min(lowest, v.LiveRpm);
        highest = std::max(highest, v.LiveRpm);
        gears |= 1 << v.LiveGear;
        EXPECT_GE(v.LiveGear, 1);
        EXPECT_LE(v.LiveGear, 6);
        EXPECT_GE(v.LiveTw - live::TemperatureOffset, 40);
        EXPECT_LE(v.LiveTw - live::TemperatureOffset, 100);
        EXPECT_GE(v.LiveTa - live::TemperatureOffset, 10);
        EXPECT_LE(v.LiveTa - live::TemperatureOffset, 40);
        EXPECT_EQ(block.W(live::WBatteryMv), 12345);
        EXPECT_EQ(block.B(live::BAdvance1), 42);
        EXPECT_FALSE(v.TpError || v.IapError || v.ApError);
        EXPECT_EQ(v.LambdaCount, 1);
        EXPECT_GE(v.LiveAfr[0], 110);
        EXPECT_LE(v.LiveAfr[0], 160);
        EXPECT_GE(v.LiveTpPercent, 0);
        EXPECT_LE(v.LiveTpPercent, 1000);
        EXPECT_GT(HourMeterMinutes(block), 0);
        EXPECT_TRUE(block.Bit(live::BStates, 5)) << "crank signal";
    }
    EXPECT_LT(lowest, 4000);
    EXPECT_GT(highest, 7000);
    EXPECT_GE(std::popcount(unsigned(gears)), 3) << "the gears change";
}

TEST(EngineModel, SameSeedSameValuesOtherSeedOthers)
{
    auto run = [](unitemu::Engine mode, uint32_t seed) {
        unitemu::EngineModel engine(mode, seed);
        std::vector<uint8_t> block(LIVE_BLOCK_LEN, 0);
        const std::vector<bool> fixed(LIVE_BLOCK_LEN, false);
        std::vector<std::vector<uint8_t>> blocks;
        for (int i = 0; i < 200; ++i) {
            engine.Step();
            engine.Write(block, fixed);
            blocks.push_back(block);
        }
        return blocks;
    };
    EXPECT_EQ(run(unitemu::Engine::Run, 3), run(unitemu::Engine::Run, 3));
    EXPECT_NE(run(unitemu::Engine::Run, 3), run(unitemu::Engine::Run, 4));
    const auto idle = run(unitemu::Engine::Idle, 3);
    for (const auto& b : idle) {
        const int rpm = b[3] << 8 | b[4];
        EXPECT_GE(rpm, 1200);
        EXPECT_LE(rpm, 1400);
        EXPECT_EQ(b[live::BGear - 1], 0) << "neutral";
    }
}

} // namespace
