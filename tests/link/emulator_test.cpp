#include <gtest/gtest.h>

#include "linktest.h"

#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

namespace {

using Bytes = std::vector<uint8_t>;
using unitemu::Fault;

class Emulator : public EmulatedPort, public ::testing::WithParamInterface<int32_t> {
protected:
    void Start(unitemu::Options options = {})
    {
        options.protocol = GetParam();
        StartUnit(options);
        ASSERT_TRUE(OpenAt(options.baud));
        frame.SetProtocol(GetParam(), 175);
    }
    bool Preamble() const { return IsPreambleProtocol(GetParam()); }
    uint32_t Option() const { return GetParam() == PROTO_WCOMS ? WCOM_OPT_SUM : 0; }
    // Data bytes per frame: the fixed size, or the 32 bytes of a unit
    // announcing 48-byte frames.
    int Payload() const { return Preamble() ? 32 : IgnDataLength(GetParam()); }
    const uint8_t* Data() const { return Preamble() ? frame.RxFrame + WCOM_DATA : frame.RxFrame + 1; }

    // Request of `length` image bytes at `address` (a block start on fixed frames).
    void Read(uint16_t address)
    {
        if (Preamble()) {
            uint8_t len[2] = { uint8_t(Payload()), 0 };
            frame.TxLength = BuildWcomFrame(frame.TxFrame, 0x7010 | Option(), address, 2, len);
        } else {
            frame.TxLength
                = BuildFixedFrame(GetParam(), frame.TxFrame, 0x40, uint8_t(address / Payload() + 1), nullptr, 0);
        }
    }
    void Write(uint16_t address, const uint8_t* data)
    {
        if (Preamble())
            frame.TxLength = BuildWcomFrame(frame.TxFrame, 0x7020 | Option(), address, Payload(), data);
        else
            frame.TxLength
                = BuildFixedFrame(GetParam(), frame.TxFrame, 0x00, uint8_t(address / Payload() + 1), data, 0);
    }
    void Live(const uint8_t* data)
    {
        if (Preamble())
            frame.TxLength = BuildWcomFrame(frame.TxFrame, 0x7050 | Option(), 0, Payload(), data);
        else
            frame.TxLength = BuildFixedFrame(GetParam(), frame.TxFrame, 0x30, 0, data, RSKEY);
    }
    void Identity()
    {
        if (Preamble()) {
            uint8_t len[2] = { uint8_t(Payload()), 0 };
            frame.TxLength = BuildWcomFrame(frame.TxFrame, 0x701F | Option(), 0, 2, len);
        } else {
            frame.TxLength = BuildFixedFrame(GetParam(), frame.TxFrame, 0x40, 0, nullptr, 0);
        }
    }
    void Reset()
    {
        if (Preamble()) {
            frame.TxLength = BuildWcomFrame(frame.TxFrame, 0xF000 | Option(), 1600, 0, nullptr);
        } else {
            uint8_t data[300] = {};
            data[14] = 0xA5;
            data[15] = 0x10;
            frame.TxLength = BuildFixedFrame(GetParam(), frame.TxFrame, 0x00, 0, data, 0);
        }
    }
    uint16_t LiveWord(int k) const { return uint16_t(Data()[2 * k - 1] << 8 | Data()[2 * k]); }

    CCOMFRAME frame;
};

TEST_P(Emulator, AnswersIdentityReadWriteLiveAndReset)
{
    Start();
    RsImage image;
    for (int i = 0; i < RS_LEN_EXE; ++i)
        image.b[size_t(i)] = uint8_t(i * 13 + 5);
    unit_->SetImage(image);
    const int n = Payload();

    Identity();
    ASSERT_TRUE(Exchange(frame));
    if (Preamble())
        EXPECT_EQ(frame.RxFrame[WCOM_TYPE] & 0x0F, WCOM_KIND_ACK);
    else
        EXPECT_EQ(frame.RxFrame[0], 0xC0);
    std::vector<uint8_t> identity = unit_->Identity();
    EXPECT_EQ(Bytes(Data(), Data() + n), Bytes(identity.begin(), identity.begin() + n));
    EXPECT_EQ(ReadWordBE(Data(), 10), RSKEY) << "unit type high byte first at 11..12";

    Read(uint16_t(n));
    ASSERT_TRUE(Exchange(frame));
    if (Preamble())
        EXPECT_EQ(FrameWord(frame.RxFrame, WCOM_ADDRESS), n);
    else
        EXPECT_EQ(frame.RxFrame[0], 0xC2);
    std::vector<uint8_t> unitOrder = unit_->UnitImage();
    EXPECT_EQ(Bytes(Data(), Data() + n), Bytes(unitOrder.begin() + n, unitOrder.begin() + 2 * n));

    Bytes data(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        data[size_t(i)] = uint8_t(0xA0 + i);
    Write(uint16_t(2 * n), data.data());
    ASSERT_TRUE(Exchange(frame));
    if (Preamble()) {
        EXPECT_EQ(frame.RxFrame[WCOM_TYPE] & 0x0F, WCOM_KIND_ACK);
        EXPECT_EQ(FrameWord(frame.RxFrame, WCOM_COMMAND), 0x7020);
        EXPECT_EQ(FrameWord(frame.RxFrame, WCOM_ADDRESS), 2 * n);
    } else {
        EXPECT_EQ(frame.RxFrame[0], 0x83);
        EXPECT_EQ(Bytes(Data(), Data() + n), data) << "a write is answered with its data";
    }
    unitOrder = unit_->UnitImage();
    EXPECT_EQ(Bytes(unitOrder.begin() + 2 * n, unitOrder.begin() + 3 * n), data);
    EXPECT_EQ(unit_->Writes(), 1);

    Bytes request(static_cast<size_t>(n), 0x11);
    Live(request.data());
    ASSERT_TRUE(Exchange(frame));
    if (GetParam() == PROTO_IGN50 || GetParam() == PROTO_IGN100 || GetParam() == PROTO_IGN150) {
        EXPECT_EQ(frame.RxFrame[0], 0xB0);
        EXPECT_EQ(frame.RxFrame[n], RSKEY & 0xFF) << "small units report their type in one byte";
    } else {
        EXPECT_EQ(LiveWord(1), RSKEY);
    }
    if (GetParam() == PROTO_IGN300) {
        EXPECT_EQ(ReadWordBE(frame.RxFrame, 1), RSKEY) << "the probe reads the type at offsets 2..3";
    }
    Bytes sent(frame.TxFrame + (Preamble() ? WCOM_DATA : 1), frame.TxFrame + (Preamble() ? WCOM_DATA : 1) + n);
    EXPECT_EQ(unit_->LastLiveRequest(), sent);

    Reset();
    ASSERT_TRUE(Exchange(frame));
    if (Preamble()) {
        EXPECT_EQ(FrameWord(frame.RxFrame, WCOM_COMMAND), 0xF000);
        EXPECT_EQ(FrameWord(frame.RxFrame, WCOM_ADDRESS), 0);
    } else {
        EXPECT_EQ(frame.RxFrame[0], 0x80);
    }
    EXPECT_EQ(unit_->Resets(), 1);
}

TEST_P(Emulator, InjectedFaultsSpoilOnlyTheirAnswers)
{
    Start();
    const int n = Payload();
    const int answerLength = Preamble() ? WCOM_OVERHEAD + n : n + IGN_OVERHEAD;
    for (Fault fault : { Fault::Silence, Fault::BadCheck, Fault::CutShort }) {
        unit_->InjectFault(fault);
        Read(0);
        frame.SendPosition = nullptr;
        ASSERT_TRUE(WaitUntil([&] {
            frame.SendPart(port());
            return frame.SendDone();
        }));
        if (fault == Fault::CutShort) {
            // The half answer waits in the assembler until the gap time-out
            // outlives it.
            ASSERT_TRUE(WaitUntil([&] {
                EXPECT_FALSE(frame.Receive(port()));
                return frame.RxPosition == answerLength / 2;
            }));
            SetProgramClock(TmrNow() / 50 + 10);
        }
        Read(uint16_t(n));
        ASSERT_TRUE(Exchange(frame)) << int(fault);
        EXPECT_EQ(Preamble() ? FrameWord(frame.RxFrame, WCOM_ADDRESS) : frame.RxFrame[0], Preamble() ? n : 0xC2)
            << int(fault);
    }

    unit_->InjectFault(Fault::WrongBlock);
    Read(uint16_t(n));
    ASSERT_TRUE(Exchange(frame));
    EXPECT_EQ(Preamble() ? FrameWord(frame.RxFrame, WCOM_ADDRESS) : frame.RxFrame[0], Preamble() ? n + 1 : 0xC3);

    // A line that returns the request, and a unit that stays silent.
    unit_->InjectFault(Fault::Echo);
    unit_->InjectFault(Fault::Silence);
    Read(uint16_t(n));
    if (Preamble()) {
        // A preamble receiver takes the echoed request for a frame.
        ASSERT_TRUE(Exchange(frame));
        EXPECT_EQ(
            Bytes(frame.RxFrame, frame.RxFrame + frame.TxLength), Bytes(frame.TxFrame, frame.TxFrame + frame.TxLength));
    } else {
        // A fixed-frame receiver passes over the request; only its check
        // byte, which has bit 7, starts a frame that the gap time-out ends.
        frame.SendPosition = nullptr;
        ASSERT_TRUE(WaitUntil([&] {
            frame.SendPart(port());
            EXPECT_FALSE(frame.Receive(port()));
            return frame.RxPosition == 1;
        }));
        SetProgramClock(TmrNow() / 50 + 10);
    }
    Read(uint16_t(n));
    ASSERT_TRUE(Exchange(frame));
    EXPECT_EQ(Preamble() ? FrameWord(frame.RxFrame, WCOM_ADDRESS) : frame.RxFrame[0], Preamble() ? n : 0xC2);
    SetProgramClock(0);
}

INSTANTIATE_TEST_SUITE_P(AllProtocols, Emulator,
    ::testing::Values(PROTO_WCOM, PROTO_WCOMS, PROTO_IGN50, PROTO_IGN100, PROTO_IGN150, PROTO_IGN300));

class EmulatorUnit : public EmulatedPort { };

TEST_F(EmulatorUnit, KeepsTheUnitsHighByteFirstWords)
{
    unitemu::UnitEmulator unit;
    RsImage image;
    for (int k : { 0, 1199, 1200, 2322, 2323, 2332, 2333 })
        image.SetWord(k, uint16_t(0x1200 + k % 256));
    unit.SetImage(image);
    std::vector<uint8_t> raw = unit.UnitImage();
    for (int k : { 0, 1199, 2323, 2332 })
        EXPECT_EQ(raw[size_t(2 * k)], 0x12) << k;
    for (int k : { 1200, 2322, 2333 })
        EXPECT_EQ(raw[size_t(2 * k + 1)], 0x12) << k;
    EXPECT_EQ(unit.Image(), image);
}

TEST_F(EmulatorUnit, CountsSavingDownAndClearsChangedBlocksThatWereRead)
{
    unitemu::Options options;
    options.saveWork = 4800;
    options.saveStep = 1600;
    StartUnit(options);
    ASSERT_TRUE(OpenAt(115200));
    unit_->SetChangedBlocks(0x0005);
    CCOMFRAME frame;
    frame.SetProtocol(PROTO_IGN300, 175);
    auto live = [&] {
        frame.TxLength = BuildIgn300Frame(frame.TxFrame, 0x30, 0, nullptr, 0);
        EXPECT_TRUE(Exchange(frame));
        return std::pair<int, int>(ReadWordBE(frame.RxFrame, 99), ReadWordBE(frame.RxFrame, 111));
    };
    EXPECT_EQ(live(), std::make_pair(0, 5));
    uint8_t data[300] = {};
    frame.TxLength = BuildIgn300Frame(frame.TxFrame, 0x00, 1, data, 0);
    ASSERT_TRUE(Exchange(frame));
    frame.TxLength = BuildIgn300Frame(frame.TxFrame, 0x40, 1, nullptr, 0); // block 0
    ASSERT_TRUE(Exchange(frame));
    EXPECT_EQ(live(), std::make_pair(4800, 4));
    EXPECT_EQ(live().first, 3200);
    EXPECT_EQ(live().first, 1600);
    EXPECT_EQ(live().first, 0);
}

TEST_F(EmulatorUnit, HearsNothingAtAnotherBaudRate)
{
    StartUnit();
    ASSERT_TRUE(OpenAt(57600));
    CCOMFRAME frame;
    frame.SetProtocol(PROTO_IGN300, 175);
    frame.TxLength = BuildIgn300Frame(frame.TxFrame, 0x30, 0, nullptr, 0);
    frame.SendPart(port());
    ASSERT_TRUE(WaitUntil([&] { return unit_->NoiseBytes() == frame.TxLength; }));
    ASSERT_TRUE(OpenAt(115200));
    ASSERT_TRUE(Exchange(frame));
    EXPECT_EQ(unit_->Requests(), 1);
}

TEST_F(EmulatorUnit, ReportsItsVersionAndAnnouncesItselfOnPreambleProtocols)
{
    unitemu::Options options;
    options.protocol = PROTO_WCOM;
    options.subVersion = 1;
    options.frameSize = 528;
    options.hardwareId = 0x77;
    options.name = "ZX";
    StartUnit(options);
    ASSERT_TRUE(OpenAt(115200));
    EXPECT_EQ(unit_->Identity()[10], 1);
    CCOMFRAME frame;
    frame.SetProtocol(PROTO_WCOM, 75);
    frame.TxLength = BuildWcomFrame(frame.TxFrame, 0xFEEE, 0, 0, nullptr);
    ASSERT_TRUE(Exchange(frame));
    EXPECT_EQ(FrameWord(frame.RxFrame, WCOM_COMMAND), 0xFEEE);
    EXPECT_EQ(Bytes(frame.RxFrame + WCOM_DATA, frame.RxFrame + WCOM_DATA + 9),
        (Bytes { 'Z', 'X', 0, 0x10, 0x02, 0x77, 0x00, 0x34, 0x01 }));
}

// The kernel hands a terminal number out again once it is free: a copy of
// the program whose port map names that number, or which holds it open,
// must never reach a unit started later.
TEST(EmulatorTerminal, PassesOverANumberAnotherProgramMapsOrHolds)
{
    for (const bool holds : { false, true }) {
        SCOPED_TRACE(holds);
        // The number the next terminal gets: the lowest free one.
        const int probe = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        ASSERT_GE(probe, 0);
        ASSERT_EQ(::grantpt(probe) | ::unlockpt(probe), 0);
        const std::string taken = ::ptsname(probe);
        if (!holds)
            ::close(probe);
        const std::string map = "ZP_COM_MAP=3=" + taken;
        char* const argv[] = { const_cast<char*>("sleep"), const_cast<char*>("60"), nullptr };
        char* const envp[] = { const_cast<char*>(map.c_str()), nullptr };
        int slave = -1;
        pid_t other = 0;
        if (holds) {
            // A child that keeps the terminal open, as a running program keeps its port.
            slave = ::open(taken.c_str(), O_RDWR | O_NOCTTY);
            ASSERT_GE(slave, 0);
            posix_spawn_file_actions_t actions;
            posix_spawn_file_actions_init(&actions);
            posix_spawn_file_actions_adddup2(&actions, slave, 3);
            ASSERT_EQ(::posix_spawnp(&other, "sleep", &actions, nullptr, argv, environ), 0);
            posix_spawn_file_actions_destroy(&actions);
            ::close(slave);
        } else {
            ASSERT_EQ(::posix_spawnp(&other, "sleep", nullptr, nullptr, argv, envp), 0);
        }
        // The child has its environment and descriptors once it runs sleep.
        ASSERT_TRUE(WaitUntil([&] { return !unitemu::OtherUserOfPath(taken).empty(); }));
        const std::string user = unitemu::OtherUserOfPath(taken);
        EXPECT_NE(user.find("process " + std::to_string(other)), std::string::npos) << user;
        EXPECT_NE(user.find(holds ? "holds it open" : "maps it in ZP_COM_MAP"), std::string::npos) << user;

        unitemu::UnitEmulator unit;
        std::string error;
        ASSERT_TRUE(unit.Start(&error)) << error;
        EXPECT_NE(unit.SlavePath(), taken);
        EXPECT_EQ(unitemu::OtherUserOfPath(unit.SlavePath()), "");
        unit.Stop();
        ::kill(other, SIGKILL);
        ::waitpid(other, nullptr, 0);
        if (holds)
            ::close(probe);
    }
}

} // namespace
