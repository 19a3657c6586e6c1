// Stand-ins for the parts of the main window not built yet: each does only
// what the window's own steps rely on afterwards, and the area named above it
// replaces it.

#include "app/standins.h"

#include "app/main.h"

// Until the monitor's popup menu is built.
void BuildMonitorPopup(TMonImg*)
{
}

// Until the picker of live values is built.
void AddWatch(TMonImg*)
{
}

// Until the widgets' property dialogs are built.
void ShowWidgetProperties(TMonImg*)
{
}
