#include <gtest/gtest.h>

#include <vector>

#include "linktest.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Repeat(uint8_t b, int n)
{
    return Bytes(size_t(n), b);
}

Bytes Cat(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

Bytes Built(int length, const uint8_t* frame)
{
    return Bytes(frame, frame + length);
}

struct EncoderCase {
    const char* name;
    std::function<int(uint8_t*)> build;
    Bytes expected;
};

TEST(FrameEncoders, BuildTheUnitsByteVectors)
{
    const EncoderCase cases[] = {
        { "WCOM probe", [](uint8_t* f) { return BuildWcomFrame(f, 0xFEEE, 0, 0, nullptr); },
            { 0xFF, 0xFF, 0xFF, 0xFF, 0xA5, 0x5A, 0xBB, 0xBB, 0xEE, 0xFE, 0, 0, 0, 0, 0xD8, 0x69 } },
        { "WCOMS probe", [](uint8_t* f) { return BuildWcomFrame(f, 0xFEEE | WCOM_OPT_SUM, 0, 0, nullptr); },
            { 0xFF, 0xFF, 0xFF, 0xFF, 0xA5, 0x5A, 0xBB, 0xFB, 0xEE, 0xFE, 0, 0, 0, 0, 0xB3, 0xAA } },
        { "WCOM read of 32 bytes at 0",
            [](uint8_t* f) {
                const uint8_t len[2] = { 32, 0 };
                return BuildWcomFrame(f, 0x7010, 0, 2, len);
            },
            { 0xFF, 0xFF, 0xFF, 0xFF, 0xA5, 0x5A, 0xBB, 0xBB, 0x10, 0x70, 0, 0, 2, 0, 0x20, 0x00, 0xCD, 0x02 } },
        { "WCOM reset command", [](uint8_t* f) { return BuildWcomFrame(f, 0xF000, 1600, 0, nullptr); },
            { 0xFF, 0xFF, 0xFF, 0xFF, 0xA5, 0x5A, 0xBB, 0xBB, 0x00, 0xF0, 0x40, 0x06, 0, 0, 0x02, 0x46 } },
        { "IGN50 probe with argument 308", [](uint8_t* f) { return BuildIgn50Frame(f, 0x30, 0, nullptr, 308); },
            Cat({ { 0x30 }, Repeat(0, 48), { 0x01, 0x34, 0xFA } }) },
        { "IGN300 probe", [](uint8_t* f) { return BuildIgn300Frame(f, 0x30, 0, nullptr, 308); },
            Cat({ { 0x30 }, Repeat(0, 300), { 0xCF } }) },
    };
    for (const EncoderCase& c : cases) {
        uint8_t frame[FRAME_BUF] = {};
        int length = c.build(frame);
        EXPECT_EQ(Built(length, frame), c.expected) << c.name;
    }
}

TEST(FrameEncoders, CrcRegisterAfterPreambleIsTheReceiversStart)
{
    const uint8_t sync[] = { 0xFF, 0xFF, 0xFF, 0xFF, 0xA5, 0x5A, 0xBB };
    EXPECT_EQ(WcomCrc(sync, 7), WCOM_CRC_AFTER_SYNC);
    EXPECT_EQ(WcomSum(sync, 7), WCOM_SUM_AFTER_SYNC);
}

TEST(FrameEncoders, WordSumOfOddLengthEndsWithHighThenLowComplement)
{
    for (int length : { 1, 2, 3, 17 }) {
        uint8_t data[32];
        for (int i = 0; i < length; ++i)
            data[i] = uint8_t(0x31 * i + 7);
        uint8_t frame[FRAME_BUF];
        int n = BuildWcomFrame(frame, 0x7020 | WCOM_OPT_SUM, 0x0123, length, data);
        ASSERT_EQ(n, 16 + length);
        EXPECT_EQ(WcomSum(frame, n), 0xFFFF) << length;
        uint16_t notSum = uint16_t(~WcomSum(frame, 14 + length));
        uint8_t first = (length & 1) ? uint8_t(notSum >> 8) : uint8_t(notSum);
        EXPECT_EQ(frame[14 + length], first) << length;
    }
}

TEST(FrameEncoders, LongDataIsCutTo512Bytes)
{
    std::vector<uint8_t> data(600, 0x55);
    uint8_t frame[FRAME_BUF];
    EXPECT_EQ(BuildWcomFrame(frame, 0x7020, 0, 600, data.data()), 528);
    EXPECT_EQ(FrameWord(frame, WCOM_LENGTH), 512);
}

TEST(FrameEncoders, FixedFrameArgumentAndCommand)
{
    struct Case {
        uint16_t argument;
        uint8_t beforeLast, last;
    };
    // The data are 0xAA; a zero argument leaves them, a small one replaces the
    // last byte only.
    const Case cases[] = { { 0, 0xAA, 0xAA }, { 0x34, 0xAA, 0x34 }, { 308, 0x01, 0x34 } };
    uint8_t data[150];
    std::fill(std::begin(data), std::end(data), 0xAA);
    for (const Case& c : cases) {
        uint8_t frame[FRAME_BUF];
        int n = BuildIgn100Frame(frame, 0x40, 0x05, data, c.argument);
        ASSERT_EQ(n, 102);
        EXPECT_EQ(frame[0], 0x45);
        EXPECT_EQ(frame[99], c.beforeLast) << c.argument;
        EXPECT_EQ(frame[100], c.last) << c.argument;
        uint8_t total = 0xFF;
        for (int i = 0; i < n; ++i)
            total ^= frame[i];
        EXPECT_EQ(total, 0);
    }
    uint8_t frame[FRAME_BUF];
    BuildIgn150Frame(frame, 0xF0, 0x20, nullptr, 0);
    EXPECT_EQ(frame[0], 0x10) << "the block is added in 8 bits";
}

TEST(FrameEncoders, ReadWordBEReadsTheTwoBytesAfterThePosition)
{
    const uint8_t frame[] = { 0xB0, 0x99, 0x01, 0x34, 0x77 };
    EXPECT_EQ(ReadWordBE(frame, 1), 308);
    EXPECT_EQ(ReadWordBE(frame, 0), 0x9901);
}

// A frame assembler reading a port record filled by hand.
class FrameReceive : public ::testing::Test {
protected:
    void SetUp() override { SetProgramClock(20); }
    void TearDown() override { SetProgramClock(0); }

    void Use(int32_t protocol, int32_t gap = 175) { frame.SetProtocol(protocol, gap); }
    bool Feed(const Bytes& bytes)
    {
        FeedRing(port, bytes);
        return frame.Receive(port);
    }

    static Bytes WcomAnswer(uint16_t command, uint16_t address, const Bytes& data, bool sum = false)
    {
        uint8_t f[FRAME_BUF];
        BuildWcomFrame(f, command | (sum ? WCOM_OPT_SUM : 0), address, int(data.size()), data.data());
        f[WCOM_TYPE] = uint8_t((f[WCOM_TYPE] & 0xF0) | WCOM_KIND_ACK);
        int n = SealWcomFrame(f);
        return Built(n, f);
    }
    static Bytes IgnAnswer(int n, uint8_t command, uint8_t fill)
    {
        Bytes data(size_t(n), fill);
        uint8_t f[FRAME_BUF];
        return Built(BuildIgnFrame(f, n, command, data.data()), f);
    }

    CCOM port;
    CCOMFRAME frame;
};

TEST_F(FrameReceive, DeliversACheckedAnswerInEveryProtocol)
{
    struct Case {
        int32_t protocol;
        Bytes answer;
    };
    const Case cases[] = {
        { PROTO_WCOM, WcomAnswer(0x7010, 0x40, { 1, 2, 3 }) },
        { PROTO_WCOMS, WcomAnswer(0x7010, 0x40, { 1, 2, 3 }, true) },
        { PROTO_WCOMS, WcomAnswer(0x7010, 0x40, { 1, 2, 3, 4 }, true) },
        { PROTO_IGN50, IgnAnswer(50, 0xC1, 0x11) },
        { PROTO_IGN100, IgnAnswer(100, 0xC1, 0x22) },
        { PROTO_IGN150, IgnAnswer(150, 0xC1, 0x33) },
        { PROTO_IGN300, IgnAnswer(300, 0xC1, 0x44) },
    };
    for (const Case& c : cases) {
        Use(c.protocol);
        ASSERT_TRUE(Feed(c.answer)) << c.protocol;
        EXPECT_EQ(Built(int(c.answer.size()), frame.RxFrame), c.answer) << c.protocol;
        EXPECT_EQ(port.ReadIndex.load(), port.WriteIndex.load()) << "stops after the frame's last byte";
        EXPECT_EQ(frame.RxPosition, 0);
    }
}

TEST_F(FrameReceive, SkipsGarbageAndForeignTypesBeforeAPreambleFrame)
{
    Use(PROTO_WCOM);
    Bytes good = WcomAnswer(0xFEEE, 0, { 'Z', 0 });
    Bytes foreign = good;
    foreign[WCOM_TYPE] = 0x7C; // neither CRC nor sum
    EXPECT_TRUE(Feed(Cat({ { 0x00, 0xFF, 0xFF, 0x13, 0xA5 }, foreign, { 0xFF, 0xFF }, good })));
    EXPECT_EQ(Built(int(good.size()), frame.RxFrame), good);
}

TEST_F(FrameReceive, FixedFramesStartOnlyAtAnAnswerByte)
{
    Use(PROTO_IGN50);
    Bytes answer = IgnAnswer(50, 0xB0, 0x01);
    EXPECT_TRUE(Feed(Cat({ { 0x00, 0x30, 0x7F }, answer })));
    EXPECT_EQ(frame.RxFrame[0], 0xB0);
}

TEST_F(FrameReceive, JoinsAFrameSplitAcrossCalls)
{
    for (int32_t protocol : { PROTO_WCOM, PROTO_IGN300 }) {
        Use(protocol);
        Bytes answer = protocol == PROTO_WCOM ? WcomAnswer(0x7010, 0, Bytes(200, 0x5A)) : IgnAnswer(300, 0xC2, 9);
        size_t half = answer.size() / 2;
        EXPECT_FALSE(Feed(Bytes(answer.begin(), answer.begin() + half)));
        EXPECT_TRUE(Feed(Bytes(answer.begin() + half, answer.end()))) << protocol;
    }
}

TEST_F(FrameReceive, DeliversBackToBackFramesOneAfterTheOther)
{
    Use(PROTO_WCOMS);
    Bytes first = WcomAnswer(0x7010, 0, { 1 }, true);
    Bytes second = WcomAnswer(0x7010, 1, { 2 }, true);
    FeedRing(port, Cat({ first, second }));
    ASSERT_TRUE(frame.Receive(port));
    EXPECT_EQ(FrameWord(frame.RxFrame, WCOM_ADDRESS), 0);
    ASSERT_TRUE(frame.Receive(port));
    EXPECT_EQ(FrameWord(frame.RxFrame, WCOM_ADDRESS), 1);
    EXPECT_FALSE(frame.Receive(port));
}

TEST_F(FrameReceive, DropsACorruptedFrameAndTakesTheNext)
{
    struct Case {
        int32_t protocol;
        Bytes good;
    };
    const Case cases[] = {
        { PROTO_WCOM, WcomAnswer(0x7010, 0, { 1, 2, 3 }) },
        { PROTO_WCOMS, WcomAnswer(0x7010, 0, { 1, 2, 3 }, true) },
        { PROTO_IGN150, IgnAnswer(150, 0xC1, 3) },
    };
    for (const Case& c : cases) {
        Use(c.protocol);
        Bytes bad = c.good;
        bad[bad.size() - 3] ^= 0x10;
        EXPECT_FALSE(Feed(bad)) << c.protocol;
        EXPECT_TRUE(Feed(c.good)) << c.protocol;
    }
}

TEST_F(FrameReceive, AGapInMidFrameDiscardsThePartialFrame)
{
    for (int32_t protocol : { PROTO_WCOM, PROTO_IGN300 }) {
        Use(protocol, 175);
        Bytes answer = protocol == PROTO_WCOM ? WcomAnswer(0x7010, 0, Bytes(40, 1)) : IgnAnswer(300, 0xC1, 1);
        Bytes head(answer.begin(), answer.begin() + 20);
        EXPECT_FALSE(Feed(head));
        SetProgramClock(24); // 200 ms later
        // The rest alone is no frame; a whole frame after it is.
        EXPECT_FALSE(Feed(Bytes(answer.begin() + 20, answer.end()))) << protocol;
        SetProgramClock(28);
        EXPECT_TRUE(Feed(answer)) << protocol;
        SetProgramClock(20);
    }
}

TEST_F(FrameReceive, APauseWithinTheTimeoutKeepsTheFrame)
{
    Use(PROTO_IGN300, 175);
    Bytes answer = IgnAnswer(300, 0xC1, 1);
    EXPECT_FALSE(Feed(Bytes(answer.begin(), answer.begin() + 100)));
    SetProgramClock(23); // 150 ms
    EXPECT_TRUE(Feed(Bytes(answer.begin() + 100, answer.end())));
}

TEST_F(FrameReceive, RewritesShortAnswers)
{
    Use(PROTO_WCOM);
    struct Case {
        uint16_t command, address;
        Bytes data;
        uint8_t kind;
        uint16_t newCommand, newAddress, newLength;
    };
    const Case cases[] = {
        { 0xFFFF, 0x7020, { 0x40, 0x01 }, WCOM_KIND_ACK, 0x7020, 0x0140, 0 },
        { 0xFFFF, 0xF000, {}, WCOM_KIND_ACK, 0xF000, 0, 0 },
        { 0xFFFE, 0x1234, { 0x56 }, WCOM_KIND_SHORT, 0x1234, 0x56, 0 },
        { 0xFFFF, 0xFFFE, { 0x01, 0x02 }, WCOM_KIND_SHORT, 0x0201, 0, 0 },
        { 0xFFFF, 0x7010, { 1, 2, 3 }, WCOM_KIND_ACK, 0x7010, 0, 3 },
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(Feed(WcomAnswer(c.command, c.address, c.data)));
        EXPECT_EQ(frame.RxFrame[WCOM_TYPE] & 0x0F, c.kind) << c.address;
        EXPECT_EQ(FrameWord(frame.RxFrame, WCOM_COMMAND), c.newCommand) << c.address;
        EXPECT_EQ(FrameWord(frame.RxFrame, WCOM_ADDRESS), c.newAddress) << c.address;
        EXPECT_EQ(FrameWord(frame.RxFrame, WCOM_LENGTH), c.newLength) << c.address;
    }
}

TEST_F(FrameReceive, AnOverlongPreambleFrameNeverCompletes)
{
    Use(PROTO_WCOM);
    uint8_t f[FRAME_BUF];
    BuildWcomFrame(f, 0x7010, 0, 0, nullptr);
    f[WCOM_TYPE] = 0xBC;
    SetFrameWord(f, WCOM_LENGTH, 2000);
    Bytes head(f, f + WCOM_DATA);
    for (int i = 0; i < 10; ++i) {
        EXPECT_FALSE(Feed(head));
        EXPECT_FALSE(Feed(Bytes(300, 0xA7)));
    }
    EXPECT_LT(frame.RxPosition, FRAME_BUF);
}

TEST_F(FrameReceive, NoProtocolDropsEverythingPending)
{
    Use(PROTO_IGN300);
    frame.Protocol = PROTO_NONE;
    EXPECT_FALSE(Feed(IgnAnswer(300, 0xB0, 0)));
    EXPECT_EQ(port.ReadIndex.load(), port.WriteIndex.load());
}

TEST(FrameSend, HandsAFrameToThePortInPartsOfTheBufferSize)
{
    CCOM port;
    CCOMFRAME frame;
    std::vector<uint8_t> data(512, 0x3C);
    frame.TxLength = BuildWcomFrame(frame.TxFrame, 0x7020, 0, 512, data.data());
    frame.SendPosition = nullptr;
    frame.SendPart(port);
    EXPECT_EQ(port.TxCount.load(), COM_BUF);
    EXPECT_FALSE(frame.SendDone());
    frame.SendPart(port);
    EXPECT_EQ(frame.Remaining, 528 - COM_BUF) << "waits while the port's buffer is taken";
    port.TxCount.store(0);
    frame.SendPart(port);
    EXPECT_EQ(port.TxCount.load(), 528 - COM_BUF);
    EXPECT_TRUE(frame.SendDone());
    EXPECT_EQ(Bytes(port.TxBuffer, port.TxBuffer + 528 - COM_BUF), Bytes(frame.TxFrame + COM_BUF, frame.TxFrame + 528));
}

} // namespace
