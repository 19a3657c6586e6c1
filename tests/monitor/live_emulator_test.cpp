// The live poll over a real line: requests built here reach the emulated unit
// byte for byte, and its answers decode into the live values.

#include <gtest/gtest.h>

#include "link/linktest.h"
#include "livetest.h"

namespace {

using Bytes = std::vector<uint8_t>;

class LivePoll : public EmulatedPort {
protected:
    void SetUp() override
    {
        StartUnit();
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

} // namespace
