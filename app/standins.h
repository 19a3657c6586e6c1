#pragma once
// Stand-ins for what the main window calls of areas not built yet. Each
// takes the main window and runs on the user-interface thread; the area
// that builds the real function deletes its stand-in here.

#include <string>

class TMainForm;

// The Injection and Tuning pages.
void SetInjectionBackgrounds(TMainForm* form);
// The tuning page's menu check mark, colours and visibility from its check box.
void UpdateTuningControls(TMainForm* form);
// The injection page's controls and maps into the image.
void StoreInjectionPage(TMainForm* form);
// The first injector map (rpm axis and values) into the other three.
void CopyFirstInjectionMap(TMainForm* form);
// Injector maps 2 to 4 aligned to map 1, for the coupled mode.
void CoupleInjectionMaps(TMainForm* form);

// The Synchro page: its controls enabled by the special setting and the
// cells of the Bike page.
void UpdateSynchroControls(TMainForm* form);

// The external monitor.
void ShowExternalMonitor(TMainForm* form, int set);
// Writes the external monitor's layout to a monitor set file.
void WriteMonitorSet(TMainForm* form, const std::string& path);
// Asks for a monitor set file and writes the external monitor's layout there.
void StoreMonitorSet(TMainForm* form);
