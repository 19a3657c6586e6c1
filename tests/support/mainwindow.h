#pragma once
// A main window built as the program entry builds it, in a temporary
// settings folder and working folder, with scripted dialogs and the timer
// off: the test ticks by hand. The neighbours' stand-ins report their calls
// through Record, and a save of the settings shows by its first file.

#include "app/main.h"
#include "app/servicecalls.h"
#include "app/settings.h"
#include "files/impet.h"
#include "files/settingsfiles.h"
#include "platform/filewrite.h"
#include "support/scripted_dialogs.h"
#include "support/tempdir.h"
#include "support/workdir.h"
#include "texts/langtext.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

class HeadlessMainWindow : public ::testing::Test {
protected:
    using Calls = std::vector<std::string>;

    void SetUp() override
    {
        std::filesystem::create_directories(dir.path() / "work");
        cwd = std::make_unique<WorkingDirectory>(dir.path() / "work");
        setenv("ZEPERON_SETTINGS_DIR", dir.file("settings").c_str(), 1);
        setenv("ZEPERON_TEST_SWITCH", dir.file("marker").c_str(), 1);
        LangIndex = 0;
        g_Impet = CImpet(); // start-up imports the presets only into an empty archive
        ServiceCallListener = [this](const char* name) { Record(name); };
        SettingsFileWriter = [this](const std::string& path, std::string_view data) {
            if (path.ends_with("application.ini"))
                Record("SaveSettings");
            return WriteFileAtomic(path, data);
        };
    }
    void TearDown() override
    {
        form.reset();
        ServiceCallListener = nullptr;
        SettingsFileWriter = WriteFileAtomic;
        cwd.reset();
        unsetenv("ZEPERON_SETTINGS_DIR");
        unsetenv("ZEPERON_TEST_SWITCH");
        LangIndex = 0;
    }

    virtual void Record(const char* name) { calls.emplace_back(name); }

    void Construct()
    {
        form = std::make_unique<TMainForm>(nullptr);
        form->Timer1->SetEnabled(false);
        form->ProgramPath = dir.file("no-program");
        form->CommandLine.clear();
    }
    void Start()
    {
        Construct();
        form->FormCreate(form.get());
        calls.clear();
    }
    void Tick(int times = 1)
    {
        for (int i = 0; i < times; ++i)
            form->Timer1Timer(form->Timer1);
    }
    bool Called(const char* name) const { return std::find(calls.begin(), calls.end(), name) != calls.end(); }

    TempDir dir;
    std::unique_ptr<WorkingDirectory> cwd;
    ScriptedDialogs dialogs;
    ScopedDialogProvider provider { dialogs };
    Calls calls;
    std::unique_ptr<TMainForm> form;
};
