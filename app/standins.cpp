// Stand-ins for the parts of the main window not built yet: each does only
// what the window's own steps rely on afterwards, and the area named above it
// replaces it.

#include "app/standins.h"

#include "app/main.h"
#include "app/servicecalls.h"

// Until the Injection page is built.
void SetInjectionBackgrounds(TMainForm*)
{
    ReportServiceCall("SetInjectionBackgrounds");
}

// Until the Tuning page is built.
void UpdateTuningControls(TMainForm*)
{
    ReportServiceCall("UpdateTuningControls");
}

// Until the Injection page is built.
void StoreInjectionPage(TMainForm*)
{
    ReportServiceCall("StoreInjectionPage");
}

// Until the Injection page is built.
void CopyFirstInjectionMap(TMainForm*)
{
    ReportServiceCall("CopyFirstInjectionMap");
}

// Until the Injection page is built.
void CoupleInjectionMaps(TMainForm*)
{
    ReportServiceCall("CoupleInjectionMaps");
}

// Until the Synchro page is built.
void UpdateSynchroControls(TMainForm*)
{
    ReportServiceCall("UpdateSynchroControls");
}

// Until the external monitor is built.
void ShowExternalMonitor(TMainForm* form, int)
{
    ReportServiceCall("ShowExternalMonitor");
    form->ExtMonitorAtStart = 0;
}

// Until the external monitor is built.
void WriteMonitorSet(TMainForm*, const std::string&)
{
    ReportServiceCall("WriteMonitorSet");
}

// Until the external monitor is built.
void StoreMonitorSet(TMainForm*)
{
    ReportServiceCall("StoreMonitorSet");
}
