#pragma once
// What the main window's start-up, tick and shutdown call of the settings
// pages, the live monitor, the language texts, the link,
// the settings files, the edit path and the map tables. Each takes the main
// window and runs on the user-interface thread.
//
// The bodies in main_services.cpp are the least each caller needs; the
// subsystems that own them replace them one by one with the real ones.

#include "pages/pages.h"
#include "platform/filewrite.h"
#include "texts/language.h"

#include <functional>
#include <string>

class TForm;
class TMainForm;

// Tests follow the order of the calls here: each body reports its own name
// when a listener is set (the settings pages and the language texts report
// their entry points too).
extern std::function<void(const char* name)> ServiceCallListener;
void ReportServiceCall(const char* name);

// Settings pages (pages/pages.h has the framework).
void SetInjectionBackgrounds(TMainForm* form);
// The tuning page's menu check mark, colours and visibility from its check box.
void UpdateTuningControls(TMainForm* form);
// The injection page's controls and maps into the image.
void StoreInjectionPage(TMainForm* form);
// The first injector map (rpm axis and values) into the other three.
void CopyFirstInjectionMap(TMainForm* form);
// Injector maps 2 to 4 aligned to map 1, for the coupled mode.
void CoupleInjectionMaps(TMainForm* form);

// Live monitoring.
// Updates every live-value definition and marks the external monitor.
void UpdateDefValues(TMainForm* form);
// Fills the live request into the link's transmit image and posts it.
void SendLiveRequest(TMainForm* form);
void LogMonitorFrame(TMainForm* form);
void InitLogPlayer(TMainForm* form);
void StopLog(TMainForm* form);
void LogPlayStep(TMainForm* form);
void LogImage(TMainForm* form, int kind);
void LogUiState(TMainForm* form);
void ShowExternalMonitor(TMainForm* form, int set);
// Moves and shrinks a window onto the nearest screen.
void KeepFormOnScreen(TForm* form);
// Writes the external monitor's layout to a monitor set file.
void WriteMonitorSet(TMainForm* form, const std::string& path);
// Asks for a monitor set file and writes the external monitor's layout there.
void StoreMonitorSet(TMainForm* form);

// Settings files.
// The writer both settings files go through (a temporary file and a rename
// by default); tests put in one that fails.
using SettingsWriter = std::function<WriteResult(const std::string& path, std::string_view data)>;
extern SettingsWriter SettingsFileWriter;
void InitSettingsPaths(TMainForm* form);
void LoadSettings(TMainForm* form);
void SaveSettings(TMainForm* form);
// The developer marker file; ZEPERON_TEST_SWITCH names another one.
std::string TestSwitchPath();

// Bike defaults and recent files.
void LoadBikeDefaults(TMainForm* form, int page);
void SetBikeConstants(TMainForm* form);
void UpdateRecentFilesMenu(TMainForm* form);
void OpenParameterFile(TMainForm* form, const std::u16string& path);

// The link.
void SetProbeDefault(TMainForm* form);
void CreateComPortMenu(TMainForm* form);
void UpdateComPortMenu(TMainForm* form);
void LinkTimerStep(TMainForm* form);
void ClosePortAndReport(TMainForm* form);
void DropConnection(TMainForm* form);
void EnableLink(TMainForm* form);
