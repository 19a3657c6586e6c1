#include "mapedit/tabbuttons.h"

#include <algorithm>

int TabScrollBar::ButtonSize() const
{
    return Horizontal ? Rect.Height() : Rect.Width();
}

int TabScrollBar::TrackStart() const
{
    return (Horizontal ? Rect.left : Rect.top) + ButtonSize();
}

int TabScrollBar::TrackLength() const
{
    return (Horizontal ? Rect.Width() : Rect.Height()) - 2 * ButtonSize();
}

int TabScrollBar::ThumbLength() const
{
    const int c = TrackLength();
    return Total > 0 ? std::max(10, int(int64_t(c) * Page / Total)) : 10;
}

int TabScrollBar::ThumbOffset() const
{
    const int c = TrackLength(), f = ThumbLength();
    if (Total - Page <= 0 || c - f <= 0)
        return 0;
    return std::clamp(int(int64_t(c - f) * Position / (Total - Page)), 0, c - f);
}

int TabScrollBar::MaxPosition() const
{
    return std::max(0, Total - Page);
}

int TabScrollBar::PartAt(int t) const
{
    const int c = TrackLength(), f = ThumbLength(), g = ThumbOffset();
    if (t < 0)
        return SB_FIRST_ARROW;
    if (t >= c)
        return SB_SECOND_ARROW;
    if (t < g)
        return SB_TRACK_BEFORE;
    if (t >= f + g)
        return SB_TRACK_AFTER;
    return SB_THUMB;
}

int TabScrollBar::PointerMove()
{
    if (Total == 0 || !Visible)
        return 0;
    if (Dragging) {
        const int c = TrackLength();
        if (c <= 0)
            return 0;
        const int d = Along(PointerX, PointerY), d0 = Along(DragStartX, DragStartY);
        const int old = Position;
        Position = std::clamp(int(DragStartPosition + int64_t(Total) * (d - d0) / c), 0, MaxPosition());
        return Position != old ? SB_MOVED : 0;
    }
    const int old = HoverPart;
    const bool inside
        = PointerX >= Rect.left && PointerX <= Rect.right && PointerY >= Rect.top && PointerY <= Rect.bottom;
    if (inside) {
        HoverPart = PartAt(Along(PointerX, PointerY) - TrackStart());
        return HoverPart != old ? SB_REDRAW : 0;
    }
    HoverPart = 0;
    const bool released = PressedPart != 0;
    PressedPart = 0;
    return (released || old != 0) ? SB_REDRAW : 0;
}

int TabScrollBar::MoveBy(int part)
{
    const int pageStep = Page < 2 ? 1 : Page - 1;
    const int old = Position;
    switch (part) {
    case SB_FIRST_ARROW:
        Position -= 1;
        break;
    case SB_SECOND_ARROW:
        Position += 1;
        break;
    case SB_TRACK_BEFORE:
        Position -= pageStep;
        break;
    case SB_TRACK_AFTER:
        Position += pageStep;
        break;
    default:
        break;
    }
    Position = std::clamp(Position, 0, MaxPosition());
    return Position != old;
}

int TabScrollBar::PointerDown()
{
    if (!HoverPart)
        return 0;
    PressedPart = HoverPart;
    PressTick = Ticks;
    if (HoverPart == SB_THUMB) {
        Dragging = 1;
        DragStartX = PointerX;
        DragStartY = PointerY;
        DragStartPosition = Position;
        return SB_USED | SB_REDRAW;
    }
    return SB_USED | (MoveBy(HoverPart) ? SB_MOVED : SB_REDRAW);
}

int TabScrollBar::PointerUp()
{
    if (Dragging || PressedPart) {
        Dragging = 0;
        PressedPart = 0;
        return SB_USED | SB_REDRAW;
    }
    return HoverPart ? SB_USED : 0;
}

int TabScrollBar::Step()
{
    Ticks++;
    if (!PressedPart || PressedPart == SB_THUMB || Ticks - PressTick <= 2)
        return 0;
    if (PressedPart == SB_TRACK_BEFORE || PressedPart == SB_TRACK_AFTER) {
        HoverPart = PartAt(Along(PointerX, PointerY) - TrackStart());
        if (HoverPart == SB_THUMB) {
            PressedPart = 0;
            return SB_REDRAW;
        }
    }
    return MoveBy(PressedPart) ? SB_MOVED : 0;
}
