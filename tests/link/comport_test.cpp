#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>

#include "linktest.h"

namespace {

TEST(PortRing, OffersItsFreeSpaceInTwoPiecesKeepingOnePlace)
{
    struct Case {
        int32_t w, r, first, second;
    };
    const Case cases[] = {
        { 0, 0, 329, 0 },
        { 200, 100, 130, 99 },
        { 200, 200, 130, 199 },
        { 100, 200, 99, 0 },
        { 329, 0, 0, 0 },
        { 99, 100, 0, 0 },
    };
    for (const Case& c : cases) {
        CCOM::RingPieces p = CCOM::FreePieces(c.w, c.r);
        EXPECT_EQ(p.first, c.first) << c.w << "," << c.r;
        EXPECT_EQ(p.second, c.second) << c.w << "," << c.r;
    }
}

TEST(ComNames, MarkOnlyComNumbersFrom1To255)
{
    bool present[256] = {};
    MarkComNames({ "COM3", "COM12", "COM255", "COM", "COM0", "COM256", "COM1000", "COMX", "LPT1" }, present);
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(present[i], i == 3 || i == 12 || i == 255) << i;
}

TEST(ComMap, FollowsTheRulesAndTheEnvironment)
{
    ::unsetenv("ZP_COM_MAP");
    EXPECT_EQ(ComDevicePath(1), "/dev/ttyS0");
    EXPECT_EQ(ComDevicePath(32), "/dev/ttyS31");
    EXPECT_EQ(ComDevicePath(33), "/dev/ttyUSB0");
    EXPECT_EQ(ComDevicePath(66), "/dev/ttyACM1");
    EXPECT_EQ(ComDevicePath(200), "");
    ::setenv("ZP_COM_MAP", "COM5=/tmp/a;200=/tmp/b;bad;COM0=/tmp/c;7=", 1);
    EXPECT_EQ(ComDevicePath(5), "/tmp/a");
    EXPECT_EQ(ComDevicePath(200), "/tmp/b");
    EXPECT_EQ(ComDevicePath(7), "/dev/ttyS6");
    SetComDeviceOverride(5, "/tmp/d");
    EXPECT_EQ(ComDevicePath(5), "/tmp/d");
    SetComDeviceOverride(5, "");
    ::unsetenv("ZP_COM_MAP");
    EXPECT_EQ(ComDevicePath(5), "/dev/ttyS4");
}

TEST(PortLayer, FirstEnumerationRunsAtTheSecondTick)
{
    CCOMIOSYS ports;
    SetProgramClock(1);
    ports.ManagePorts();
    EXPECT_FALSE(ports.PortsEnumerated);
    SetProgramClock(2);
    ports.ManagePorts();
    EXPECT_TRUE(ports.PortsEnumerated);
    EXPECT_EQ(ports.Port(0).Present, 0);
    SetProgramClock(0);
}

class PortOnEmulator : public EmulatedPort { };

TEST_F(PortOnEmulator, EnumerationFindsTheMappedDevice)
{
    StartUnit();
    SetProgramClock(2);
    Step();
    EXPECT_EQ(port().Present, 1);
    EXPECT_TRUE(ports_->PortListChanged);
    SetProgramClock(0);
}

TEST_F(PortOnEmulator, MovesBytesBothWays)
{
    StartUnit();
    RsImage image;
    for (int i = 0; i < RS_LEN_EXE; ++i)
        image.b[size_t(i)] = uint8_t(i * 7 + 1);
    unit_->SetImage(image);
    ASSERT_TRUE(OpenAt(115200));
    EXPECT_EQ(unit_->LineBaud(), 115200);

    CCOMFRAME frame;
    frame.SetProtocol(PROTO_IGN300, 175);
    frame.TxLength = BuildIgn300Frame(frame.TxFrame, 0x40, 2, nullptr, 0); // read block 1
    ASSERT_TRUE(Exchange(frame));
    EXPECT_EQ(frame.RxFrame[0], 0xC2);
    std::vector<uint8_t> unitOrder = unit_->UnitImage();
    EXPECT_TRUE(std::equal(frame.RxFrame + 1, frame.RxFrame + 301, unitOrder.begin() + 300));

    uint8_t data[300];
    std::fill(std::begin(data), std::end(data), 0x5D);
    frame.TxLength = BuildIgn300Frame(frame.TxFrame, 0x00, 16, data, 0); // write the last block
    ASSERT_TRUE(Exchange(frame));
    EXPECT_EQ(frame.RxFrame[0], 0x90);
    EXPECT_EQ(unit_->Image().b[4799], 0x5D);
    EXPECT_EQ(port().Error.load(), PORTERR_NONE);
}

TEST_F(PortOnEmulator, ReopensAtAnotherBaudWithANewThreadAndRestoresTheLineAtClose)
{
    StartUnit();
    ASSERT_TRUE(OpenAt(115200));
    uint32_t turnsOfFirstThread = 0;
    ports_->RequestOpen(TEST_PORT, 57600);
    EXPECT_EQ(port().Request, PORTREQ_OPEN | PORTREQ_CLOSE);
    ASSERT_TRUE(WaitUntil(
        [&] {
            if (port().PortState == PORT_CLOSED)
                turnsOfFirstThread = std::max(turnsOfFirstThread, port().LoopTurns.load());
            return port().PortState == PORT_OPEN && port().Request == 0;
        },
        [&] { Step(); }));
    EXPECT_EQ(unit_->LineBaud(), 57600);

    ports_->RequestClose(TEST_PORT);
    ASSERT_TRUE(WaitUntil([&] { return port().PortState == PORT_CLOSED && !port().HasThread; }, [&] { Step(); }));
    EXPECT_EQ(port().Request, 0);
    EXPECT_EQ(unit_->LineBaud(), 115200) << "the emulator's own settings are back";
}

TEST_F(PortOnEmulator, AMissingDeviceFailsTheOpenAndLeavesNoThread)
{
    SetComDeviceOverride(TEST_PORT, "/nonexistent/tty");
    ports_->RequestOpen(TEST_PORT, 115200);
    ASSERT_TRUE(WaitUntil([&] { return port().Request == 0; }, [&] { Step(); }));
    EXPECT_EQ(port().Error.load(), PORTERR_OPEN_FAILED);
    EXPECT_EQ(port().PortState.load(), PORT_CLOSED);
    // The failed thread ends on its own; the next steps reap it.
    EXPECT_TRUE(WaitUntil([&] { return !port().HasThread; }, [&] { Step(); }));
    EXPECT_EQ(port().ThreadState.load(), THREAD_NONE);
}

TEST_F(PortOnEmulator, ASecondOpenOfAnOpenPortIsRefused)
{
    StartUnit();
    ASSERT_TRUE(OpenAt(115200));
    SerialDevice other;
    EXPECT_EQ(other.Open(unit_->SlavePath(), 115200), EBUSY);

    CCOMIOSYS second;
    SetComDeviceOverride(TEST_PORT, unit_->SlavePath());
    second.RequestOpen(TEST_PORT, 115200);
    ASSERT_TRUE(WaitUntil([&] { return second.Port(TEST_PORT).Request == 0; }, [&] { second.ManagePorts(); }));
    EXPECT_EQ(second.Port(TEST_PORT).Error.load(), PORTERR_OPEN_FAILED);
}

TEST_F(PortOnEmulator, AVanishedDeviceIsReportedAndItsThreadStopsPolling)
{
    StartUnit();
    ASSERT_TRUE(OpenAt(115200));
    unit_->InjectFault(unitemu::Fault::Vanish);
    CCOMFRAME frame;
    frame.SetProtocol(PROTO_IGN300, 175);
    frame.TxLength = BuildIgn300Frame(frame.TxFrame, 0x30, 0, nullptr, 0);
    frame.SendPart(port());
    ASSERT_TRUE(WaitUntil([&] { return port().Vanished.load(); }));
    uint8_t error = port().Error.load();
    EXPECT_TRUE(error == PORTERR_READ || error == PORTERR_WRITE) << int(error);
    EXPECT_EQ(port().LoopPause(), 50) << "a vanished device is not polled at the busy pace";
    EXPECT_EQ(port().PortState.load(), PORT_OPEN);

    // A frame handed over now is dropped as a failed write, not left waiting.
    frame.SendPosition = nullptr;
    frame.SendPart(port());
    ASSERT_TRUE(WaitUntil([&] { return port().TxCount.load() == 0; }));
    EXPECT_EQ(port().Error.load(), PORTERR_WRITE);

    ports_->RequestClose(TEST_PORT);
    ASSERT_TRUE(WaitUntil([&] { return port().PortState == PORT_CLOSED && !port().HasThread; }, [&] { Step(); }));
    EXPECT_EQ(port().Request, 0);
}

// The program clock stands still in these tests, so an open order that got
// lost would never be given again and the wait would run out.
TEST_F(PortOnEmulator, ReopensAgainAndAgainWithoutLosingAnOrder)
{
    StartUnit();
    ASSERT_TRUE(OpenAt(115200));
    for (int round = 0; round < 10; ++round) {
        int baud = round % 2 ? 115200 : 57600;
        ASSERT_TRUE(OpenAt(baud)) << "round " << round;
        EXPECT_EQ(unit_->LineBaud(), baud);
    }
    EXPECT_EQ(port().Error.load(), PORTERR_NONE);
}

std::atomic<bool> g_releaseEndingThread { false };

// Stands for a port thread that has closed its device and cleared its order
// but has not yet marked itself finished.
void* EndingPortThread(void* record)
{
    while (!g_releaseEndingThread.load())
        std::this_thread::yield();
    static_cast<CCOM*>(record)->ThreadState.store(THREAD_FINISHED);
    return nullptr;
}

TEST_F(PortOnEmulator, AnOpenOrderIsNeverGivenToAThreadThatIsEnding)
{
    StartUnit();
    CCOM& c = port();
    c.ThreadState.store(THREAD_RUNNING);
    ASSERT_EQ(pthread_create(&c.ThreadHandle, nullptr, EndingPortThread, &c), 0);
    c.HasThread = true;

    ports_->RequestOpen(TEST_PORT, 115200);
    Step();
    Step();
    EXPECT_EQ(c.ThreadRequest.load(), 0) << "the order went to a thread that will never carry it out";
    EXPECT_EQ(c.Request, PORTREQ_OPEN);

    g_releaseEndingThread.store(true);
    ASSERT_TRUE(WaitUntil([&] { return c.PortState == PORT_OPEN && c.Request == 0; }, [&] { Step(); }));
}

// A close asked for right after the open order went out, before the thread
// took it, must still close the port once the thread has opened it. The
// thread may take the order at any moment, so the close is given again until
// it was seen to come first; every round must end with the port closed.
TEST_F(PortOnEmulator, ACloseRightAfterTheOpenOrderIsNotLost)
{
    StartUnit();
    CCOM& c = port();
    bool closeCameFirst = false;
    for (int round = 0; round < 50 && !closeCameFirst; ++round) {
        ports_->RequestOpen(TEST_PORT, 115200);
        Step();
        ports_->RequestClose(TEST_PORT);
        closeCameFirst = c.ThreadRequest.load() == PORTREQ_OPEN;
        ASSERT_TRUE(WaitUntil([&] { return c.Request == 0 && c.ThreadState.load() == THREAD_NONE; }, [&] { Step(); }))
            << round;
        ASSERT_EQ(c.PortState.load(), PORT_CLOSED) << round;
    }
    EXPECT_TRUE(closeCameFirst) << "the thread always took the open order before the close was given";
}

TEST_F(PortOnEmulator, RingFillsTo329BytesAndTheRestWaitsInTheDriver)
{
    StartUnit();
    ASSERT_TRUE(OpenAt(115200));
    CCOMFRAME frame;
    frame.SetProtocol(PROTO_IGN300, 175);
    // Two read answers (604 bytes) arrive while nobody reads the ring.
    for (uint8_t block : { 1, 2 }) {
        frame.TxLength = BuildIgn300Frame(frame.TxFrame, 0x40, block, nullptr, 0);
        frame.SendPosition = nullptr;
        ASSERT_TRUE(WaitUntil([&] {
            frame.SendPart(port());
            return frame.SendDone();
        }));
    }
    ASSERT_TRUE(WaitUntil([&] { return port().RxAvailable() == COM_BUF - 1; }));
    ASSERT_TRUE(frame.Receive(port()));
    EXPECT_EQ(frame.RxFrame[0], 0xC1);
    ASSERT_TRUE(WaitUntil([&] { return frame.Receive(port()); }));
    EXPECT_EQ(frame.RxFrame[0], 0xC2);
    EXPECT_EQ(port().Error.load(), PORTERR_NONE);
}

} // namespace
