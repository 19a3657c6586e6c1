#pragma once
// What the main window's live path hands to the external monitor.

class TMainForm;

// Recomputes every live-value definition from the held live block and, when
// a value changed, marks the external monitor for its next repaint.
void UpdateDefValues(TMainForm* form);
