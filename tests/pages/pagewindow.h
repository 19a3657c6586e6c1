#pragma once
// A headless main window with every settings page built, started from the
// presets appended to the built program, its timer off: tests tick by hand.

#include "app/editpath.h"
#include "app/langtext.h"
#include "app/main.h"
#include "app/main_services.h"
#include "mapedit/tab.h"
#include "pages/pages.h"
#include "platform/filewrite.h"
#include "platform/scripted_dialogs.h"
#include "support/tempdir.h"
#include "support/workdir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

class PageWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(dir.path() / "work");
        cwd = std::make_unique<WorkingDirectory>(dir.path() / "work");
        setenv("ZEPERON_SETTINGS_DIR", dir.file("settings").c_str(), 1);
        setenv("ZEPERON_TEST_SWITCH", dir.file("marker").c_str(), 1);
        LangIndex = 0;
        ServiceCallListener = [this](const char* name) { calls.emplace_back(name); };
        form = std::make_unique<TMainForm>(nullptr);
        form->Timer1->SetEnabled(false);
        form->ProgramPath = ZEPERON_PROGRAM;
        form->CommandLine.clear();
        form->FormCreate(form.get());
        form->ShowPage(PAGE_SLOT_ADVANCE);
        calls.clear();
    }
    void TearDown() override
    {
        form.reset();
        ServiceCallListener = nullptr;
        cwd.reset();
        unsetenv("ZEPERON_SETTINGS_DIR");
        unsetenv("ZEPERON_TEST_SWITCH");
    }
    void Tick(int times = 1)
    {
        for (int i = 0; i < times; ++i)
            form->Timer1Timer(form->Timer1);
    }
    uint8_t& Byte(int offset) { return form->PcImage.b[size_t(offset)]; }
    std::string DefaultIni() const
    {
        std::string text;
        ReadWholeFile(form->DefaultIniPath, text);
        return text;
    }

    TempDir dir;
    std::unique_ptr<WorkingDirectory> cwd;
    ScriptedDialogs dialogs;
    ScopedDialogProvider provider { dialogs };
    std::vector<std::string> calls;
    std::unique_ptr<TMainForm> form;
};
