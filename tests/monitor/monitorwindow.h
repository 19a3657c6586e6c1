#pragma once
// The main window after start-up, the timer off, with its settings in a
// temporary folder; the tests hand it live blocks and read its labels.

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "app/langtext.h"
#include "app/main.h"
#include "livetest.h"
#include "platform/scripted_dialogs.h"
#include "support/tempdir.h"
#include "support/workdir.h"

class MonitorWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(dir.path() / "work");
        cwd = std::make_unique<WorkingDirectory>(dir.path() / "work");
        setenv("ZEPERON_SETTINGS_DIR", dir.file("settings").c_str(), 1);
        setenv("ZEPERON_TEST_SWITCH", dir.file("marker").c_str(), 1);
        LangIndex = 0;
        form = std::make_unique<TMainForm>(nullptr);
        form->Timer1->SetEnabled(false);
        form->ProgramPath = dir.file("no-program");
        form->CommandLine.clear();
        form->FormCreate(form.get());
    }
    void TearDown() override
    {
        form.reset();
        cwd.reset();
        unsetenv("ZEPERON_SETTINGS_DIR");
        unsetenv("ZEPERON_TEST_SWITCH");
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

    TempDir dir;
    std::unique_ptr<WorkingDirectory> cwd;
    ScriptedDialogs dialogs;
    ScopedDialogProvider provider { dialogs };
    std::unique_ptr<TMainForm> form;
};
