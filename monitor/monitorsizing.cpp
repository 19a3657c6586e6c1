#include "monitor/monitorsizing.h"

#include <algorithm>

namespace {

int Clamp(int v, int lower, int upper)
{
    return std::max(std::min(v, upper), lower);
}

} // namespace

bool CanResize(const MonitorSizing& s, int& width, int& height)
{
    if (s.mode == MODE_SWITCHING)
        return true;
    int lowerW = s.minWidth;
    int lowerH = s.minHeight;
    if (s.mode == MODE_EDIT) {
        lowerW = std::max(lowerW, s.extentRight);
        lowerH = std::max(lowerH, s.extentBottom + s.barHeight);
    }
    const int placeW = width + s.placeWidth - s.windowWidth;
    const int placeH = height + s.placeHeight - s.windowHeight;
    const bool sameW = placeW == s.placeWidth || width == s.idleWidth;
    const bool sameH = placeH == s.placeHeight || height == s.idleHeight;
    if (sameW && sameH)
        return false;
    int newW = placeW;
    int newH = placeH;
    if (s.mode == MODE_READ_ONLY) {
        if (s.origWidth <= 0 || s.origHeight <= 0)
            return true;
        const bool heightLeads = width == s.idleWidth && height != s.idleHeight;
        if (heightLeads) {
            newH = Clamp(std::max(placeH, 1), lowerH, s.maxHeight);
            newW = Clamp(int(float(s.origWidth) * (float(newH) / float(s.origHeight))), lowerW, s.maxWidth);
        } else {
            newW = Clamp(std::max(placeW, 1), lowerW, s.maxWidth);
            newH = Clamp(int(float(s.origHeight) * (float(newW) / float(s.origWidth))), lowerH, s.maxHeight);
        }
    } else {
        newW = Clamp(placeW, lowerW, s.maxWidth);
        newH = Clamp(placeH, lowerH, s.maxHeight);
    }
    width += newW - placeW;
    height += newH - placeH;
    return true;
}
