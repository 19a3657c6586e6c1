#pragma once
// The external monitor's popup menu and the commands behind it: the pin and
// edit toggles, new texts, pictures and watched values, deleting widgets,
// sending them to the back, and the widgets' property dialogs. New widgets
// go to the point of the last right-button press.

class TMonImg;

// Empties the menu and fills it for the pin, the edit mode and the focused
// widget; the image calls it at every right-button press, before the menu
// opens.
void BuildMonitorPopup(TMonImg* img);
// Stay on top, or not; the window follows at its next tick.
void TogglePin(TMonImg* img);
// Edit mode, or not; the window follows at its next tick.
void ToggleEditButton(TMonImg* img);
// Asks for a text and puts it inside the place at the insert point.
void InsertTextWidget(TMonImg* img);
// Asks for a BMP or JPEG file (by its extension, in any case) and puts the
// picture at the insert point, cut at the place's edges. A file that cannot
// be read or decoded adds nothing.
void AddImageWidget(TMonImg* img);
// The picker of live values: its ticks start from the widgets the place
// holds; after OK each newly ticked definition gets a row of label, value
// and indicator, 35 pixels a row and 10 pixels of indent a tree level, and
// every unticked kind of widget of a definition is deleted. The new block is
// kept inside the place, selected, its last widget focused.
void AddWatch(TMonImg* img);
void DeleteSelectedWidgets(TMonImg* img);
// The selected widgets go behind all others; the selection ends.
void SendBackwards(TMonImg* img);
// The dialog of the focused widget's kind; pictures have none.
void ShowWidgetProperties(TMonImg* img);
