#pragma once
// The main window after start-up, the timer off, with its settings in a
// temporary folder; the tests hand it live blocks and read its labels.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "support/livetest.h"
#include "support/mainwindow.h"

class MonitorWindow : public HeadlessMainWindow {
protected:
    void SetUp() override
    {
        HeadlessMainWindow::SetUp();
        Start();
    }

    // A live block as a paused playback leaves it, decoded.
    void Show(const std::vector<LiveSet>& sets, bool present = true)
    {
        form->Live = ReceivedBlock(sets);
        form->LogPlayerState = present ? 6 : 0;
        UpdateLiveMonitor(form.get());
    }
    TLabel* Label(const std::string& name) const { return dynamic_cast<TLabel*>(form->FindComponent(name)); }
    TCGauge* Gauge(const std::string& name) const { return dynamic_cast<TCGauge*>(form->FindComponent(name)); }
};
