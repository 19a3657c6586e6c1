#pragma once
// Helpers of the link tests: a bounded wait on a condition, a port record fed
// by hand, and a port of the port layer connected to an emulated unit.

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "link/comport.h"
#include "link/frame.h"
#include "link/jobengine.h"
#include "link/serialdevice.h"
#include "platform/clock.h"
#include "tools/unit-emulator/emulator.h"

// Polls `done` (running `step` before each poll) until it holds or the
// deadline passes; returns whether it held. The deadline only keeps a broken
// test from hanging: a loaded machine may starve the threads waited for for
// many seconds.
inline bool WaitUntil(const std::function<bool()>& done, const std::function<void()>& step = {},
    std::chrono::milliseconds limit = std::chrono::seconds(60))
{
    auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        if (step)
            step();
        if (done())
            return true;
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::yield();
    }
}

// Nothing under way between a port and the emulated unit behind it: no order
// for the port thread, nothing waiting to be sent, every byte each side sent
// taken in by the other.
inline bool PortQuiet(CCOM& c, const unitemu::UnitEmulator& unit)
{
    const uint8_t state = c.PortState.load();
    if (c.Request != 0 || c.ThreadRequest.load() != 0 || (state != PORT_OPEN && state != PORT_CLOSED))
        return false;
    return state != PORT_OPEN
        || (c.TxCount.load() == 0 && c.BytesWritten.load() == unit.BytesHeard()
            && unit.BytesSent() == c.BytesRead.load() && c.RxAvailable() == 0);
}

// A job under way is only waiting for its answer (or has no link to wait on).
// Only then may a test move the program clock on without a time-out
// overtaking an answer on its way.
inline bool JobQuiet(const CCOMCOM& link)
{
    const int32_t job = link.JobCode.load();
    const int32_t transfer = link.TransferState.load();
    const bool active = job != JOB_IDLE && job != JOB_DONE && job != JOB_FAILED;
    return !(active && transfer != XFER_WAITING && transfer != XFER_NO_LINK);
}

// Appends bytes to a port's receive ring as its I/O thread would.
inline void FeedRing(CCOM& port, const std::vector<uint8_t>& bytes)
{
    int32_t w = port.WriteIndex.load();
    for (uint8_t b : bytes) {
        port.RxRing[w] = b;
        w = (w + 1) % COM_BUF;
        ASSERT_NE(w, port.ReadIndex.load()) << "ring overrun in the test";
    }
    port.WriteIndex.store(w);
}

// COM number the tests give the emulated unit.
constexpr int TEST_PORT = 201;

// A port layer whose port TEST_PORT leads to an emulated unit.
class EmulatedPort : public ::testing::Test {
protected:
    void StartUnit(const unitemu::Options& options = {})
    {
        unit_ = std::make_unique<unitemu::UnitEmulator>(options);
        std::string error;
        ASSERT_TRUE(unit_->Start(&error)) << error;
        SetComDeviceOverride(TEST_PORT, unit_->SlavePath());
    }
    void TearDown() override
    {
        ports_.reset();
        if (unit_)
            unit_->Stop();
        SetComDeviceOverride(TEST_PORT, "");
    }

    CCOM& port() { return ports_->Port(TEST_PORT); }
    void Step() { ports_->ManagePorts(); }

    bool OpenAt(int baud)
    {
        ports_->RequestOpen(TEST_PORT, baud);
        return WaitUntil([&] { return port().PortState == PORT_OPEN && port().Request == 0; }, [&] { Step(); });
    }

    // Sends the prepared frame and waits for the next delivered frame.
    bool Exchange(CCOMFRAME& frame)
    {
        frame.SendPosition = nullptr;
        if (!WaitUntil([&] {
                frame.SendPart(port());
                return frame.SendDone();
            }))
            return false;
        return WaitUntil([&] { return frame.Receive(port()); });
    }

    std::unique_ptr<CCOMIOSYS> ports_ = std::make_unique<CCOMIOSYS>();
    std::unique_ptr<unitemu::UnitEmulator> unit_;
};
