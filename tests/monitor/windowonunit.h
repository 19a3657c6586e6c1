#pragma once
// The main window after start-up, its port pointed at an emulated unit; the
// test moves the window's clock and the line by hand.

#include "monitorwindow.h"

#include "support/unitwindow.h"

#include <cstdint>
#include <vector>

class WindowOnUnit : public OnEmulatedUnit<MonitorWindow> {
protected:
    using Bytes = std::vector<uint8_t>;

    void SetUp() override
    {
        MonitorWindow::SetUp();
        StartUnit(TEST_PORT);
        RsImage image;
        image.Fill(0);
        unit.SetImage(image);
        // The automatic search starts at the unit's port.
        form->ComPort = 0;
        form->ComPortAuto = TEST_PORT;
    }
    // The sequencer decides only on the tick, so a poll cannot follow a failed
    // one before the test's clicks are in.
    void StepLine() override { form->Link->TimerStep(); }
    bool Polled(int count)
    {
        const int requests = LiveRequests();
        return Run([&] { return LiveRequests() >= requests + count && Quiet(); });
    }
    int LiveRequests()
    {
        int n = 0;
        for (const Bytes& request : unit.RequestLog())
            n += request.size() > 0 && request[0] == 0x30;
        return n;
    }
    // Between two polls: no job posted and nothing on the line.
    bool BetweenPolls()
    {
        return Run([&] { return form->Link->JobCode.load() == JOB_IDLE && Quiet(); });
    }
    bool Connected()
    {
        return Run([&] {
            return form->ConnectedPort.load() == TEST_PORT
                && (form->LinkState == linkstate::Idle || form->LinkState == linkstate::LivePoll);
        });
    }
};
