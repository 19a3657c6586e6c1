// Stand-ins for the parts of the main window not built yet: each does only
// what the window's own steps rely on afterwards, and the area named above it
// replaces it.

#include "app/standins.h"

#include "app/main.h"

// Until the Injection page is built.
void SetInjectionBackgrounds(TMainForm*)
{
}

// Until the Injection page is built.
void MoveCorrectionsToMaps(TMainForm*, int)
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

// Until the Synchro page is built.
void UpdateSynchroControls(TMainForm*)
{
}

// Until the Race page is built.
void UpdateRaceControls(TMainForm*)
{
}

// Until the Tracking page is built.
void LoadTrackingPage(TMainForm*)
{
}
