#pragma once
// The sizing rules of the external monitor window, apart from any window:
// a requested outer size is passed, corrected or refused before the window
// takes it.

#include "monitor/monitormodes.h"

struct MonitorSizing {
    int mode = MODE_READ_ONLY;
    // The window's outer size now, and the size it had before the current
    // drag began.
    int windowWidth = 0;
    int windowHeight = 0;
    int idleWidth = 0;
    int idleHeight = 0;
    // The place's size now and its base size (its size at zoom 1).
    int placeWidth = 0;
    int placeHeight = 0;
    int origWidth = 0;
    int origHeight = 0;
    int minWidth = 200;
    int minHeight = 35;
    int maxWidth = 1280;
    int maxHeight = 1024;
    // Edit mode keeps every widget visible: the largest right and bottom
    // edges of the widgets, and the bar's height.
    int extentRight = 0;
    int extentBottom = 0;
    int barHeight = 16;
};

// Corrects the requested outer size; false when the request is refused.
// Read-only mode keeps the base size's aspect ratio: the height leads when
// only the height moved away from the idle size (a drag of the top or bottom
// edge), else the width leads and the other follows, truncated. Edit and
// loading modes cut the place into its limits; switching passes everything.
bool CanResize(const MonitorSizing& s, int& width, int& height);
