#pragma once
// A whole unit link (CCOMCOM) in front of emulated units, with the program
// clock driven by the test: the clock moves on by one tick only while nothing
// is under way on the line, so every answer that will come arrives before a
// time-out can pass, and time-outs happen only where the unit is silent.
// The units sit behind in-memory ports, or behind pseudo-terminals for tests
// of the whole way through the termios devices.

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "link/jobengine.h"
#include "linktest.h"
#include "memoryport.h"
#include "platform/clock.h"
#include "tools/unit-emulator/emulator.h"

// Records what the link shows in the status slots.
class RecordingSink : public LinkStatusSink {
public:
    struct Shown {
        int slot;
        std::string text;
        int durationMs;
        int32_t fontColor;
        int32_t color;
        int priority;
    };
    void ShowMessageSlot(
        int slot, const char* text, int durationMs, int32_t fontColor, int32_t color, int priority) override
    {
        shown.push_back({ slot, text, durationMs, fontColor, color, priority });
    }
    std::vector<Shown> shown;
};

class LinkFixture : public ::testing::Test {
protected:
    void SetUp() override { SetProgramClock(tick_); }

    void TearDown() override
    {
        link_.reset();
        memory_.Clear();
        for (auto& [port, unit] : units_) {
            unit->Stop();
            SetComDeviceOverride(port, "");
        }
    }

    unitemu::UnitEmulator& StartUnit(const unitemu::Options& options = {}, int port = TEST_PORT)
    {
        auto unit = std::make_unique<unitemu::UnitEmulator>(options);
        if (onPseudoTerminal_) {
            std::string error;
            EXPECT_TRUE(unit->Start(&error)) << error;
            SetComDeviceOverride(port, unit->SlavePath());
        } else {
            memory_.Attach(port, *unit);
        }
        units_[port] = std::move(unit);
        return *units_[port];
    }
    unitemu::UnitEmulator& unit(int port = TEST_PORT) { return *units_.at(port); }
    // The in-memory line of a port, with its knobs.
    MemoryLine& line(int port = TEST_PORT) { return memory_.Line(port); }

    // The link as the main window sets it up.
    CCOMCOM& MakeLink(int expectedType = RSKEY)
    {
        link_ = std::make_unique<CCOMCOM>();
        if (!onPseudoTerminal_)
            link_->UseDevices(memory_);
        link_->SetProbeDefault(PROTO_IGN300, 115200, 175);
        link_->ExpectedUnitType = expectedType;
        link_->ExpectedSubVersion = 0;
        link_->NextAutoPort = TEST_PORT;
        link_->StatusSink = &sink_;
        return *link_;
    }

    void Advance(int ms)
    {
        tick_ += ms / 50;
        SetProgramClock(tick_);
    }

    // Every byte sent between port `number` and its unit has arrived.
    bool Settled(int number)
    {
        CCOM& c = link_->Port(number);
        if (c.TxCount.load() != 0)
            return false;
        if (!onPseudoTerminal_) {
            // The unit answers inside the write: once the transmit buffer is
            // handed back, its answer is on the line.
            return line(number).Drained(c);
        }
        const unitemu::UnitEmulator& u = unit(number);
        return c.BytesWritten.load() == u.BytesHeard() && u.BytesSent() == c.BytesRead.load();
    }

    // Nothing under way between port `number` and its unit.
    bool PortQuietAt(int number)
    {
        CCOM& c = link_->Port(number);
        if (onPseudoTerminal_)
            return PortQuiet(c, unit(number));
        const uint8_t state = c.PortState.load();
        if (c.Request != 0 || c.ThreadRequest.load() != 0 || (state != PORT_OPEN && state != PORT_CLOSED))
            return false;
        return state != PORT_OPEN || (Settled(number) && c.RxAvailable() == 0);
    }

    // Nothing under way between the link and its units.
    bool Quiet()
    {
        for (auto& [number, u] : units_) {
            if (!PortQuietAt(number))
                return false;
        }
        return JobQuiet(*link_);
    }

    // Runs the main-timer step until `done` holds, moving the clock on only
    // while the line is quiet; false after `maxMs` of program time.
    bool Pump(const std::function<bool()>& done, int maxMs = 60000, const std::function<void()>& check = {})
    {
        int32_t start = TmrNow();
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
        while (std::chrono::steady_clock::now() < deadline) {
            link_->TimerStep();
            if (check)
                check();
            if (done())
                return true;
            if (Quiet()) {
                if (TmrSince(start) > maxMs)
                    return false;
                Advance(50);
            }
            std::this_thread::yield();
        }
        return false;
    }

    // Runs the search until a unit is connected and the link armed. A second
    // probe may still have been under way when the first answer connected:
    // its answer is let in and dropped, so that jobs start on a clean line.
    bool Connect()
    {
        if (!Pump([&] { return link_->ConnectedPort.load() != 0 && link_->TransferState.load() == XFER_READY; }))
            return false;
        int port = link_->ConnectedPort.load();
        CCOM& c = link_->Port(port);
        if (!WaitUntil([&] { return Settled(port); }, [&] { link_->TimerStep(); }))
            return false;
        c.ReadIndex.store(c.WriteIndex.load());
        return true;
    }

    // Posts a job and runs the link until it has a result, which it returns
    // (0 when none came).
    int32_t RunJob(int32_t job, int32_t start, int32_t length, int flags)
    {
        if (!link_->PostJob(job, start, length, flags))
            return 0;
        int32_t result = 0;
        Pump([&] {
            int32_t code = link_->JobCode.load();
            if (code != JOB_DONE && code != JOB_FAILED)
                return false;
            result = code;
            return true;
        });
        // The result is taken, as the sequencer does.
        link_->JobCode.store(JOB_IDLE);
        return result;
    }

    // Set by end-to-end tests before the first unit starts.
    bool onPseudoTerminal_ = false;
    int tick_ = 2;
    MemoryPorts memory_;
    std::map<int, std::unique_ptr<unitemu::UnitEmulator>> units_;
    std::unique_ptr<CCOMCOM> link_;
    RecordingSink sink_;
};
