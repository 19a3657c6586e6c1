#pragma once
// What the window benchmarks share: one application object on the offscreen
// platform for the whole run, a settings folder of the benchmark's own, and
// the main window started as the program starts it.

#include "app/main.h"

#include <QApplication>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

inline QApplication& BenchApplication()
{
    static int argc = 1;
    static char name[] = "bench";
    static char* argv[] = { name, nullptr };
    static std::unique_ptr<QApplication> app = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        // The update check of a ticking window never reaches the maker's server.
        setenv("ZEPERON_UPDATE_URL", "http://127.0.0.1:9", 0);
        auto made = std::make_unique<QApplication>(argc, argv);
        std::setlocale(LC_NUMERIC, "C");
        return made;
    }();
    return *app;
}

// Starts the application and points the program's settings folder at a
// temporary folder named after the benchmark, which it returns.
inline std::filesystem::path UseBenchSettingsFolder(const std::string& name)
{
    BenchApplication();
    std::filesystem::path folder = std::filesystem::temp_directory_path() / ("zp-bench-" + name);
    std::filesystem::create_directories(folder);
    setenv("ZEPERON_SETTINGS_DIR", folder.c_str(), 1);
    return folder;
}

// The main window through its start-up steps, the timer off: the benchmark
// ticks by hand.
inline std::unique_ptr<TMainForm> StartBenchWindow()
{
    auto form = std::make_unique<TMainForm>(nullptr);
    form->Timer1->SetEnabled(false);
    form->CommandLine.clear();
    form->FormCreate(form.get());
    return form;
}
