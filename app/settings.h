#pragma once
// The main window's settings between runs: the settings folder,
// application.ini, default.ini (the edited image) and monitor.ini.

#include "platform/filewrite.h"

#include <functional>
#include <string>
#include <string_view>

class TMainForm;

// The writer both settings files go through (a temporary file and a rename
// by default); tests put in one that fails.
using SettingsWriter = std::function<WriteResult(const std::string& path, std::string_view data)>;
extern SettingsWriter SettingsFileWriter;
void InitSettingsPaths(TMainForm* form);
void LoadSettings(TMainForm* form);
void SaveSettings(TMainForm* form);
