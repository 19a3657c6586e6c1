// Stand-ins for the parts of the main window not built yet: each does only
// what the window's own steps rely on afterwards, and the area named above it
// replaces it.

#include "app/standins.h"

#include "app/main.h"

// Until the Injection page is built.
void SetInjectionBackgrounds(TMainForm*)
{
}

// Until the Tuning page is built.
void UpdateTuningControls(TMainForm*)
{
}

// Until the Injection page is built.
void StoreInjectionPage(TMainForm*)
{
}

// Until the Injection page is built.
void CopyFirstInjectionMap(TMainForm*)
{
}

// Until the Injection page is built.
void CoupleInjectionMaps(TMainForm*)
{
}

// Until the external monitor is built.
void ShowExternalMonitor(TMainForm* form, int)
{
    form->ExtMonitorAtStart = 0;
}

// Until the external monitor is built.
void WriteMonitorSet(TMainForm*, const std::string&)
{
}

// Until the external monitor is built.
void StoreMonitorSet(TMainForm*)
{
}
