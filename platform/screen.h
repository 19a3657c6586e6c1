#pragma once
// Windows kept on the desktop.

#include <vector>

#include "platform/graphics.h"

class TForm;

// The rectangle moved onto the monitor it sticks out of least (the first on
// ties): where the monitor is narrower or lower it takes the monitor's edges,
// then it is shifted inside and cut to it. A rectangle inside a monitor, or
// no monitor at all, leaves it as it is.
TRect FitRectToMonitors(const TRect& rect, const std::vector<TRect>& monitors);
// The screens' rectangles in the window system's order.
std::vector<TRect> ScreenMonitors();
// FitRectToMonitors for the window's outer bounds and the screens.
void KeepFormOnScreen(TForm* form);
