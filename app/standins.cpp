// Stand-ins for the parts of the main window not built yet: each does only
// what the window's own steps rely on afterwards, and the area named above it
// replaces it.

#include "app/standins.h"

#include "app/main.h"

// Until the Race page is built.
void UpdateRaceControls(TMainForm*)
{
}
