#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "link/identity.h"
#include "linkfixture.h"

namespace {

using Bytes = std::vector<uint8_t>;

RsImage RandomImage(unsigned seed)
{
    std::mt19937 random(seed);
    RsImage image;
    for (uint8_t& b : image.b)
        b = uint8_t(random());
    return image;
}

unitemu::Options UnitOf(int32_t protocol, int unitType = RSKEY)
{
    unitemu::Options options;
    options.protocol = protocol;
    options.baud = protocol == PROTO_IGN300 ? 115200 : 57600;
    options.unitType = unitType;
    return options;
}

// The requests the unit took after the first `from`.
std::vector<Bytes> RequestsSince(unitemu::UnitEmulator& unit, size_t from)
{
    std::vector<Bytes> log = unit.RequestLog();
    return { log.begin() + std::ptrdiff_t(std::min(from, log.size())), log.end() };
}

class JobEngine : public LinkFixture {
protected:
    CCOMCOM& Linked(const unitemu::Options& options, int expectedType = RSKEY)
    {
        StartUnit(options);
        CCOMCOM& link = MakeLink(expectedType);
        EXPECT_TRUE(Connect());
        return link;
    }
};

struct ProtocolCase {
    const char* name;
    int32_t protocol;
    int unitType; // a small fixed-frame unit reports its type in one byte
    int32_t length; // the range its block numbers can address
    int framesPerRange;
};

class EveryProtocol : public JobEngine, public ::testing::WithParamInterface<ProtocolCase> { };

// Every job type round trip: a written range reads back, the identity and the
// live block arrive where they belong, a reset reaches the unit.
TEST_P(EveryProtocol, EveryJobTypeReachesTheUnitAndBack)
{
    const ProtocolCase& c = GetParam();
    CCOMCOM& link = Linked(UnitOf(c.protocol, c.unitType), c.unitType);
    ASSERT_EQ(link.ConnectedPort.load(), TEST_PORT);

    RsImage written = RandomImage(7);
    std::memcpy(link.TxImage, written.b.data(), size_t(c.length));
    int before = unit().Requests();
    ASSERT_EQ(RunJob(JOB_WRITE, 0, c.length, JOBFLAG_MARK), JOB_DONE);
    EXPECT_EQ(unit().Requests() - before, c.framesPerRange);
    Bytes stored = unit().UnitImage();
    EXPECT_TRUE(std::equal(stored.begin(), stored.begin() + c.length, written.b.begin()));

    ASSERT_EQ(RunJob(JOB_READ, 0, c.length, JOBFLAG_MARK | JOBFLAG_CLEAR_TX), JOB_DONE);
    EXPECT_TRUE(std::equal(link.RxImage, link.RxImage + c.length, written.b.begin()));
    EXPECT_EQ(link.LastJob.load(), JOB_READ);

    // A small fixed-frame unit sends one frame of its identity and live blocks.
    const int32_t block = IgnDataLength(c.protocol) ? IgnDataLength(c.protocol) : IDENTITY_LEN;
    unit().SetIdentityByte(20, 0x5C);
    ASSERT_EQ(RunJob(JOB_IDENTITY, 0, block, JOBFLAG_MARK | JOBFLAG_CLEAR_TX), JOB_DONE);
    Bytes identity = unit().Identity();
    EXPECT_TRUE(std::equal(link.RxImage, link.RxImage + block, identity.begin()));

    unit().SetLiveWord(3, 0x1234);
    std::memset(link.TxImage, 0x11, 300);
    ASSERT_EQ(RunJob(JOB_LIVE, 0, block, JOBFLAG_MARK | JOBFLAG_SINGLE_TRY), JOB_DONE);
    EXPECT_EQ(link.LastJob.load(), JOB_LIVE);
    EXPECT_EQ(unit().LastLiveRequest()[10], 0x11);
    // Live word k lies at bytes 2k - 1 and 2k, high byte first.
    EXPECT_EQ(link.RxImage[5] * 256 + link.RxImage[6], 0x1234);

    std::memset(link.TxImage, 0, 300);
    link.TxImage[14] = 0xA5;
    link.TxImage[15] = 0x10;
    link.CommandWord = 0xF000;
    link.CommandAddress = 1600;
    link.CommandLength = 0;
    ASSERT_EQ(RunJob(JOB_COMMAND, 0, 1, JOBFLAG_MARK), JOB_DONE);
    EXPECT_EQ(unit().Resets(), 1);
}

INSTANTIATE_TEST_SUITE_P(Link, EveryProtocol,
    ::testing::Values(ProtocolCase { "WCOM", PROTO_WCOM, RSKEY, RS_LEN_EXE, RS_LEN_EXE / 32 },
        ProtocolCase { "WCOMS", PROTO_WCOMS, RSKEY, RS_LEN_EXE, RS_LEN_EXE / 32 },
        ProtocolCase { "IGN300", PROTO_IGN300, RSKEY, RS_LEN_EXE, 16 },
        ProtocolCase { "IGN50", PROTO_IGN50, 52, 1200, 24 }, ProtocolCase { "IGN100", PROTO_IGN100, 52, 1200, 12 },
        ProtocolCase { "IGN150", PROTO_IGN150, 52, 1200, 8 }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(JobEngine, Ign300FramesOfAReadAndAWrite)
{
    CCOMCOM& link = Linked(UnitOf(PROTO_IGN300));
    unit().SetImage(RandomImage(3));

    size_t before = unit().RequestLog().size();
    ASSERT_EQ(RunJob(JOB_READ, 3600, 1200, JOBFLAG_MARK | JOBFLAG_CLEAR_TX), JOB_DONE);
    std::vector<Bytes> frames = RequestsSince(unit(), before);
    ASSERT_EQ(frames.size(), 4u);
    for (int k = 0; k < 4; ++k) {
        Bytes expected(302);
        BuildIgn300Frame(expected.data(), 0x40, uint8_t(13 + k), nullptr, 0);
        EXPECT_EQ(frames[size_t(k)], expected) << "frame " << k;
        EXPECT_EQ(frames[size_t(k)][0], 0x4D + k);
    }
    Bytes stored = unit().UnitImage();
    EXPECT_TRUE(std::equal(link.RxImage + 3600, link.RxImage + 4800, stored.begin() + 3600));
    EXPECT_EQ(link.JobPosition.load(), 4800);

    before = unit().RequestLog().size();
    ASSERT_EQ(RunJob(JOB_WRITE, 0, RS_LEN_EXE, JOBFLAG_MARK), JOB_DONE);
    frames = RequestsSince(unit(), before);
    ASSERT_EQ(frames.size(), 16u);
    for (int k = 0; k < 16; ++k)
        EXPECT_EQ(frames[size_t(k)][0], 0x01 + k);

    before = unit().RequestLog().size();
    ASSERT_EQ(RunJob(JOB_LIVE, 0, 300, JOBFLAG_MARK | JOBFLAG_SINGLE_TRY), JOB_DONE);
    frames = RequestsSince(unit(), before);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0][0], 0x30);
}

TEST_F(JobEngine, WcomFramesOfAReadAResetAndScatteredBytes)
{
    CCOMCOM& link = Linked(UnitOf(PROTO_WCOM));

    size_t before = unit().RequestLog().size();
    ASSERT_EQ(RunJob(JOB_READ, 0, 32, JOBFLAG_MARK | JOBFLAG_CLEAR_TX), JOB_DONE);
    std::vector<Bytes> frames = RequestsSince(unit(), before);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0],
        (Bytes { 0xFF, 0xFF, 0xFF, 0xFF, 0xA5, 0x5A, 0xBB, 0xBB, 0x10, 0x70, 0x00, 0x00, 0x02, 0x00, 0x20, 0x00, 0xCD,
            0x02 }));

    link.CommandWord = 0xF000;
    link.CommandAddress = 1600;
    link.CommandLength = 0;
    before = unit().RequestLog().size();
    ASSERT_EQ(RunJob(JOB_COMMAND, 0, 1, JOBFLAG_MARK), JOB_DONE);
    frames = RequestsSince(unit(), before);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0],
        (Bytes { 0xFF, 0xFF, 0xFF, 0xFF, 0xA5, 0x5A, 0xBB, 0xBB, 0x00, 0xF0, 0x40, 0x06, 0x00, 0x00, 0x02, 0x46 }));

    // Only bytes 10, 40 and 100 flagged: the short gap is bridged, the long one is not.
    std::memset(link.ToSendMask, 0, RS_LEN_EXE);
    for (int at : { 10, 40, 100 }) {
        link.ToSendMask[at] = 1;
        link.TxImage[at] = uint8_t(at);
    }
    before = unit().RequestLog().size();
    ASSERT_EQ(RunJob(JOB_WRITE, 0, RS_LEN_EXE, 0), JOB_DONE);
    frames = RequestsSince(unit(), before);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(FrameWord(frames[0].data(), WCOM_ADDRESS), 10);
    EXPECT_EQ(FrameWord(frames[0].data(), WCOM_LENGTH), 31);
    EXPECT_EQ(FrameWord(frames[1].data(), WCOM_ADDRESS), 100);
    EXPECT_EQ(FrameWord(frames[1].data(), WCOM_LENGTH), 1);
    Bytes stored = unit().UnitImage();
    EXPECT_EQ(stored[40], 40);
    EXPECT_EQ(stored[100], 100);
}

TEST_F(JobEngine, ChangedBytesFarBehindTheStartAreAllWritten)
{
    CCOMCOM& link = Linked(UnitOf(PROTO_WCOMS));
    std::memset(link.ToSendMask, 0, RS_LEN_EXE);
    for (int at : { 4000, 4700, 4799 }) {
        link.ToSendMask[at] = 1;
        link.TxImage[at] = 0xA0;
    }
    ASSERT_EQ(RunJob(JOB_WRITE, 0, RS_LEN_EXE, 0), JOB_DONE);
    Bytes stored = unit().UnitImage();
    for (int at : { 4000, 4700, 4799 })
        EXPECT_EQ(stored[size_t(at)], 0xA0) << at;
}

struct FaultCase {
    const char* name;
    int32_t protocol;
    int32_t job;
    unitemu::Fault fault;
    int count;
    int flags;
    int32_t result;
    int attempts; // requests the unit received for the one-frame job
};

class Faults : public JobEngine, public ::testing::WithParamInterface<FaultCase> { };

// One frame's job against a unit that answers badly: each bad answer costs an
// attempt, the job fails when the attempts run out.
TEST_P(Faults, BadAnswersCostAttempts)
{
    const FaultCase& c = GetParam();
    CCOMCOM& link = Linked(UnitOf(c.protocol));
    int32_t length = IsPreambleProtocol(c.protocol) ? 32 : 300;
    std::memset(link.TxImage, 0x42, size_t(length));
    unit().InjectFault(c.fault, c.count);
    size_t before = unit().RequestLog().size();
    int32_t flags = c.flags | JOBFLAG_MARK | (c.job == JOB_READ ? JOBFLAG_CLEAR_TX : 0);
    EXPECT_EQ(RunJob(c.job, 0, length, flags), c.result);
    std::vector<Bytes> sent = RequestsSince(unit(), before);
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(std::count(sent.begin(), sent.end(), sent.front()), c.attempts);
    EXPECT_EQ(int(sent.size()), c.attempts);
    EXPECT_EQ(link.LastJob.load(), c.job);
}

INSTANTIATE_TEST_SUITE_P(Link, Faults,
    ::testing::Values(FaultCase { "NoAnswerOnce", PROTO_IGN300, JOB_READ, unitemu::Fault::Silence, 1, 0, JOB_DONE, 2 },
        FaultCase { "NoAnswer", PROTO_IGN300, JOB_READ, unitemu::Fault::Silence, -1, 0, JOB_FAILED, 3 },
        FaultCase { "NoAnswerSingleTry", PROTO_IGN300, JOB_LIVE, unitemu::Fault::Silence, 1, JOBFLAG_SINGLE_TRY,
            JOB_FAILED, 1 },
        FaultCase { "WrongBlock", PROTO_IGN300, JOB_READ, unitemu::Fault::WrongBlock, -1, 0, JOB_FAILED, 3 },
        FaultCase { "WrongBlockOnce", PROTO_IGN300, JOB_WRITE, unitemu::Fault::WrongBlock, 1, 0, JOB_DONE, 2 },
        FaultCase { "WriteEchoDiffers", PROTO_IGN300, JOB_WRITE, unitemu::Fault::WrongData, -1, 0, JOB_FAILED, 3 },
        FaultCase { "WriteEchoDiffersOnce", PROTO_IGN300, JOB_WRITE, unitemu::Fault::WrongData, 2, 0, JOB_DONE, 3 },
        FaultCase { "BadCheck", PROTO_IGN300, JOB_READ, unitemu::Fault::BadCheck, -1, 0, JOB_FAILED, 3 },
        FaultCase { "WcomNoAnswer", PROTO_WCOM, JOB_READ, unitemu::Fault::Silence, -1, 0, JOB_FAILED, 3 },
        FaultCase { "WcomWrongAddress", PROTO_WCOM, JOB_READ, unitemu::Fault::WrongBlock, 2, 0, JOB_DONE, 3 },
        FaultCase { "WcomEchoIsNotAnAnswer", PROTO_WCOM, JOB_READ, unitemu::Fault::Echo, 1, 0, JOB_DONE, 1 }),
    [](const auto& info) { return std::string(info.param.name); });

struct LineFaultCase {
    const char* name;
    std::function<void(MemoryLine&)> spoil;
    int32_t result;
    int attempts; // requests the unit received for the one-frame read
};

class LineFaults : public JobEngine, public ::testing::WithParamInterface<LineFaultCase> { };

// The unit answers well but the line spoils its answers: each spoiled answer
// costs an attempt, the job fails when the attempts run out.
TEST_P(LineFaults, SpoiledAnswersCostAttempts)
{
    const LineFaultCase& c = GetParam();
    CCOMCOM& link = Linked(UnitOf(PROTO_IGN300));
    unit().SetImage(RandomImage(11));
    c.spoil(line());
    size_t before = unit().RequestLog().size();
    EXPECT_EQ(RunJob(JOB_READ, 0, 300, JOBFLAG_MARK | JOBFLAG_CLEAR_TX), c.result);
    EXPECT_EQ(int(RequestsSince(unit(), before).size()), c.attempts);
    if (c.result == JOB_DONE) {
        Bytes stored = unit().UnitImage();
        EXPECT_TRUE(std::equal(link.RxImage, link.RxImage + 300, stored.begin()));
    }
}

INSTANTIATE_TEST_SUITE_P(Link, LineFaults,
    ::testing::Values(LineFaultCase { "OneByteCorrupted", [](MemoryLine& l) { l.CorruptBytes(1, 100); }, JOB_DONE, 2 },
        LineFaultCase { "EveryByteCorrupted", [](MemoryLine& l) { l.CorruptBytes(-1); }, JOB_FAILED, 3 },
        LineFaultCase { "LastByteDropped", [](MemoryLine& l) { l.DropBytes(1, 301); }, JOB_DONE, 2 },
        LineFaultCase { "StalledPastTheTimeOut", [](MemoryLine& l) { l.Stall(true); }, JOB_FAILED, 3 },
        LineFaultCase { "Vanished", [](MemoryLine& l) { l.Vanish(); }, JOB_FAILED, 0 }),
    [](const auto& info) { return std::string(info.param.name); });

// An answer held back within the time-out is still the answer.
TEST_F(JobEngine, AStallShorterThanTheTimeOutCostsNoAttempt)
{
    CCOMCOM& link = Linked(UnitOf(PROTO_IGN300));
    unit().SetImage(RandomImage(12));
    line().Stall(true);
    size_t before = unit().RequestLog().size();
    ASSERT_TRUE(link.PostJob(JOB_READ, 0, 300, JOBFLAG_MARK | JOBFLAG_CLEAR_TX));
    ASSERT_TRUE(Pump([&] { return unit().RequestLog().size() > before; }));
    const int32_t asked = TmrNow();
    ASSERT_TRUE(Pump([&] { return TmrSince(asked) >= 100; }));
    line().Stall(false);
    ASSERT_TRUE(Pump([&] { return link.JobCode.load() == JOB_DONE || link.JobCode.load() == JOB_FAILED; }));
    EXPECT_EQ(link.JobCode.load(), JOB_DONE);
    EXPECT_EQ(RequestsSince(unit(), before).size(), 1u);
    Bytes stored = unit().UnitImage();
    EXPECT_TRUE(std::equal(link.RxImage, link.RxImage + 300, stored.begin()));
}

TEST_F(JobEngine, ASecondJobIsRefusedUntilTheResultIsTaken)
{
    CCOMCOM& link = Linked(UnitOf(PROTO_IGN300));
    ASSERT_TRUE(link.PostJob(JOB_READ, 0, 300, JOBFLAG_MARK | JOBFLAG_CLEAR_TX));
    EXPECT_FALSE(link.PostJob(JOB_WRITE, 600, 900, JOBFLAG_MARK | JOBFLAG_CLEAR_TX));
    ASSERT_TRUE(Pump([&] { return link.JobCode.load() == JOB_DONE; }));
    EXPECT_FALSE(link.PostJob(JOB_WRITE, 600, 900, JOBFLAG_MARK | JOBFLAG_CLEAR_TX));
    EXPECT_EQ(link.JobCode.load(), JOB_DONE);
    EXPECT_EQ(link.JobEnd, 300);
    EXPECT_EQ(link.ToSendMask[600], 0);
    EXPECT_EQ(link.LastJob.load(), JOB_READ);
}

TEST_F(JobEngine, AUnitThatVanishesMidJobFailsItAndTheLinkCanBeClosed)
{
    CCOMCOM& link = Linked(UnitOf(PROTO_IGN300));
    unit().InjectFault(unitemu::Fault::Vanish, 1, 3);
    ASSERT_TRUE(link.PostJob(JOB_READ, 0, RS_LEN_EXE, JOBFLAG_MARK | JOBFLAG_CLEAR_TX));
    // Once the unit is gone nothing is under way any more, so the clock runs.
    ASSERT_TRUE(WaitUntil([&] { return link.JobCode.load() == JOB_FAILED; },
        [&] {
            link.TimerStep();
            if (unit().Vanished() && link.TransferState.load() == XFER_WAITING)
                Advance(50);
        }));
    EXPECT_EQ(link.JobPosition.load(), 900);
    link.ClosePort();
    EXPECT_EQ(link.ConnectedPort.load(), 0);
    EXPECT_EQ(link.JobCode.load(), JOB_IDLE);
    EXPECT_EQ(link.TransferState.load(), XFER_NO_LINK);
    EXPECT_TRUE(link.PortListChanged);
}

TEST_F(JobEngine, ReleasingTheLinkAbandonsARunningJob)
{
    CCOMCOM& link = Linked(UnitOf(PROTO_IGN300));
    unit().InjectFault(unitemu::Fault::Silence, -1);
    ASSERT_TRUE(link.PostJob(JOB_READ, 0, 300, JOBFLAG_MARK | JOBFLAG_CLEAR_TX));
    ASSERT_TRUE(WaitUntil([&] { return link.TransferState.load() == XFER_WAITING; }));
    link.LinkEnabled = 0;
    link.TimerStep();
    EXPECT_EQ(link.TransferState.load(), XFER_NO_LINK);
    EXPECT_EQ(link.JobCode.load(), JOB_IDLE);
    // Enabled again, the link is armed with no job.
    link.LinkEnabled = 1;
    link.TimerStep();
    EXPECT_EQ(link.TransferState.load(), XFER_READY);
    EXPECT_TRUE(link.PostJob(JOB_READ, 0, 300, JOBFLAG_MARK | JOBFLAG_CLEAR_TX));
}

// The same jobs through a pseudo-terminal and the termios device, with frames
// longer than the port's transmit buffer.
class JobEngineEndToEnd : public JobEngine {
protected:
    JobEngineEndToEnd() { onPseudoTerminal_ = true; }
};

TEST_F(JobEngineEndToEnd, AWrittenImageReadsBack)
{
    CCOMCOM& link = Linked(UnitOf(PROTO_WCOMS));
    ASSERT_EQ(link.ConnectedPort.load(), TEST_PORT);
    RsImage written = RandomImage(13);
    std::memcpy(link.TxImage, written.b.data(), RS_LEN_EXE);
    ASSERT_EQ(RunJob(JOB_WRITE, 0, RS_LEN_EXE, JOBFLAG_MARK), JOB_DONE);
    Bytes stored = unit().UnitImage();
    EXPECT_TRUE(std::equal(stored.begin(), stored.end(), written.b.begin()));
    ASSERT_EQ(RunJob(JOB_READ, 0, RS_LEN_EXE, JOBFLAG_MARK | JOBFLAG_CLEAR_TX), JOB_DONE);
    EXPECT_TRUE(std::equal(link.RxImage, link.RxImage + RS_LEN_EXE, written.b.begin()));
}

} // namespace
