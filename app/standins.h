#pragma once
// Stand-ins for what the main window calls of areas not built yet. Each
// takes the main window and runs on the user-interface thread; the area
// that builds the real function deletes its stand-in here.

class TMainForm;

// The external monitor's popup menu and its commands.
class TMonImg;
// Rebuilds the popup menu before it opens.
void BuildMonitorPopup(TMonImg* img);
// The picker of live values to add as widgets.
void AddWatch(TMonImg* img);
// The dialog of the focused widget's properties.
void ShowWidgetProperties(TMonImg* img);
