#pragma once
// The main window after start-up, its port pointed at an emulated unit; the
// test moves the window's clock and the line by hand.

#include "monitorwindow.h"

#include "link/linktest.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

class WindowOnUnit : public MonitorWindow {
protected:
    using Bytes = std::vector<uint8_t>;

    void SetUp() override
    {
        MonitorWindow::SetUp();
        unit = std::make_unique<unitemu::UnitEmulator>();
        std::string error;
        ASSERT_TRUE(unit->Start(&error)) << error;
        SetComDeviceOverride(TEST_PORT, unit->SlavePath());
        RsImage image;
        image.Fill(0);
        unit->SetImage(image);
        // The automatic search starts at the unit's port.
        form->ComPort = 0;
        form->ComPortAuto = TEST_PORT;
    }
    void TearDown() override
    {
        form.reset();
        unit->Stop();
        SetComDeviceOverride(TEST_PORT, "");
        MonitorWindow::TearDown();
    }

    // Nothing under way between the window's link and the unit.
    bool Quiet() { return PortQuiet(form->Link->Port(TEST_PORT), *unit) && JobQuiet(*form->Link); }
    // Ticks the window while the line is quiet until `done` holds.
    bool Pump(const std::function<bool()>& done, int maxTicks = 2000)
    {
        const int32_t start = form->TickCount;
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (std::chrono::steady_clock::now() < deadline) {
            if (done())
                return true;
            if (Quiet()) {
                if (form->TickCount - start > maxTicks)
                    return false;
                form->Timer1Timer(form->Timer1);
            } else {
                // The port layer moves on without the clock.
                form->Link->TimerStep();
            }
            std::this_thread::yield();
        }
        return false;
    }
    bool Polled(int count)
    {
        const int requests = LiveRequests();
        return Pump([&] { return LiveRequests() >= requests + count && Quiet(); });
    }
    int LiveRequests()
    {
        int n = 0;
        for (const Bytes& request : unit->RequestLog())
            n += request.size() > 0 && request[0] == 0x30;
        return n;
    }
    // Between two polls: no job posted and nothing on the line.
    bool BetweenPolls()
    {
        return Pump([&] { return form->Link->JobCode.load() == JOB_IDLE && Quiet(); });
    }
    bool Connected()
    {
        return Pump([&] {
            return form->ConnectedPort.load() == TEST_PORT
                && (form->LinkState == linkstate::Idle || form->LinkState == linkstate::LivePoll);
        });
    }

    std::unique_ptr<unitemu::UnitEmulator> unit;
};
