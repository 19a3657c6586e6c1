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
    // Live values of an engine out on a ride, held by the unit whatever its
    // engine does; the rpm is the test's own.
    void HoldRideValues()
    {
        const LiveSet sets[] = { { 'W', 47, 236 }, { 'W', 6, 1480 }, { 'B', 195, 186 }, { 'B', 196, 127 },
            { 'W', 4, 1009 }, { 'W', 69, 652 }, { 'W', 10, 13900 }, { 'B', 183, 24 }, { 'B', 184, 23 },
            { 'B', 187, 42 }, { 'B', 188, 44 }, { 'B', 191, 12 }, { 'B', 192, 12 }, { 'B', 203, 131 },
            { 'B', 204, 255 }, { 'B', 205, 255 }, { 'B', 206, 255 }, { 'W', 7, 620 }, { 'B', 177, 0x20 | 0x10 },
            { 'B', 176, 0xC0 }, { 'B', 197, 4 }, { 'B', 199, 14 }, { 'B', 200, 255 }, { 'B', 201, 255 },
            { 'B', 202, 255 }, { 'W', 36, 118 }, { 'W', 65, 121 }, { 'W', 13, 2450 }, { 'W', 14, 2460 },
            { 'W', 11, 1800 }, { 'W', 12, 1820 }, { 'B', 223, 0 }, { 'W', 68, 7385 } };
        for (const LiveSet& s : sets) {
            if (s.kind == 'W')
                unit.SetLiveWord(s.k, uint16_t(s.value));
            else
                unit.SetLiveByte(s.k, uint8_t(s.value));
        }
    }
    bool Connected()
    {
        return Run([&] {
            return form->ConnectedPort.load() == TEST_PORT
                && (form->LinkState == linkstate::Idle || form->LinkState == linkstate::LivePoll);
        });
    }
};
