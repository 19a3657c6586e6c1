#pragma once
// A main window built as the program entry builds it, in a temporary
// settings folder and working folder, with scripted dialogs and the timer
// off: the test ticks by hand. Each save of the program's settings is kept:
// how many there were and the text of the last one.

#include "app/main.h"
#include "app/settings.h"
#include "files/impet.h"
#include "files/settingsfiles.h"
#include "platform/filewrite.h"
#include "support/scripted_dialogs.h"
#include "support/tempdir.h"
#include "support/workdir.h"
#include "texts/langtext.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

class HeadlessMainWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(dir.path() / "work");
        cwd = std::make_unique<WorkingDirectory>(dir.path() / "work");
        setenv("ZEPERON_SETTINGS_DIR", dir.file("settings").c_str(), 1);
        setenv("ZEPERON_TEST_SWITCH", dir.file("marker").c_str(), 1);
        LangIndex = 0;
        g_Impet = CImpet(); // start-up imports the presets only into an empty archive
        SettingsFileWriter = [this](const std::string& path, std::string_view data) {
            if (path.ends_with("application.ini")) {
                ++settingsSaves;
                savedSettings = data;
            }
            return WriteFileAtomic(path, data);
        };
    }
    void TearDown() override
    {
        form.reset();
        SettingsFileWriter = WriteFileAtomic;
        cwd.reset();
        unsetenv("ZEPERON_SETTINGS_DIR");
        unsetenv("ZEPERON_TEST_SWITCH");
        LangIndex = 0;
    }

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
        settingsSaves = 0;
    }
    void Tick(int times = 1)
    {
        for (int i = 0; i < times; ++i)
            form->Timer1Timer(form->Timer1);
    }
    // The value of a key in the last saved settings text, or "" without one.
    std::string SavedSetting(const std::string& key) const
    {
        const size_t at = savedSettings.find("\n" + key + "=");
        if (at == std::string::npos)
            return {};
        const size_t from = at + key.size() + 2;
        return savedSettings.substr(from, savedSettings.find_first_of("\r\n", from) - from);
    }

    TempDir dir;
    std::unique_ptr<WorkingDirectory> cwd;
    ScriptedDialogs dialogs;
    ScopedDialogProvider provider { dialogs };
    int settingsSaves = 0;
    std::string savedSettings;
    std::unique_ptr<TMainForm> form;
};
