#pragma once
// A test window whose link leads to an emulated unit, and the one loop that
// runs such a window: the window's tick (and with it the program clock) comes
// only while the line is quiet, so that no time-out overtakes an answer on its
// way; meanwhile the link steps on without the clock, as between two ticks.

#include "app/main.h"
#include "app/main_link.h"
#include "link/linktest.h"
#include "link/serialdevice.h"
#include "tools/unit-emulator/emulator.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>

// `Window` is a fixture holding the main window in `form` (HeadlessMainWindow
// or one built on it).
template <class Window> class OnEmulatedUnit : public Window {
protected:
    // Starts the unit and leads COM `port` to it.
    void StartUnit(int port)
    {
        std::string error;
        ASSERT_TRUE(unit.Start(&error)) << error;
        unitPort = port;
        SetComDeviceOverride(port, unit.SlavePath());
    }
    void TearDown() override
    {
        this->form.reset();
        unit.Stop();
        if (unitPort)
            SetComDeviceOverride(unitPort, "");
        Window::TearDown();
    }

    // Nothing under way between the window's link and the unit.
    bool Quiet() { return PortQuiet(this->form->Link->Port(unitPort), unit) && JobQuiet(*this->form->Link); }

    // Runs the window until `done` holds; false after `maxTicks` ticks.
    bool Run(const std::function<bool()>& done, int maxTicks = 3000)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
        auto nextLook = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        for (int ticks = 0; std::chrono::steady_clock::now() < deadline;) {
            if (done())
                return true;
            // Another program on the unit's terminal takes its answers: say so
            // at once instead of waiting out the guard.
            if (std::chrono::steady_clock::now() > nextLook) {
                nextLook += std::chrono::seconds(2);
                if (const std::string other = unitemu::OtherUserOfPath(unit.SlavePath()); !other.empty()) {
                    ADD_FAILURE() << unit.SlavePath() << " is taken: " << other;
                    return false;
                }
            }
            if (Quiet()) {
                if (ticks >= maxTicks)
                    return false;
                this->form->Timer1Timer(this->form->Timer1);
                ++ticks;
            } else {
                StepLine();
            }
            std::this_thread::yield();
        }
        return false;
    }

    // What moves between two ticks: the sequencer with the port layer, unless
    // a fixture wants the sequencer to wait for the tick.
    virtual void StepLine() { LinkTimerStep(this->form.get()); }

    unitemu::UnitEmulator unit;
    int unitPort = 0;
};
