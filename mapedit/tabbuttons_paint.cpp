#include "mapedit/tabbuttons.h"

#include "mapedit/tabcanvas.h"
#include "platform/cp1250.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr TColor EDGE_DARK = 0x808080;
constexpr TColor EDGE_LIGHT = 0xFFFFFF;

int Round(double v)
{
    return int(std::trunc(v + 0.5));
}

} // namespace

void TabButton::Paint(TabCanvas& cv) const
{
    if (ButtonState == 0 && !(ButtonKind & BUTTON_ALWAYS_PAINT))
        return;
    const TabButtonRect& r = Rect;
    DrawBevelPanel(cv, r.left, r.top, r.Width(), r.Height(), Pressed, Colour, EDGE_DARK, EDGE_LIGHT);
    int o = Pressed ? 1 : 0;
    if (Glyph || GlyphHover || GlyphPressed || GlyphDisabled) {
        const QImage* g = Glyph;
        if (Hover && GlyphHover)
            g = GlyphHover;
        if (Pressed) {
            if (GlyphPressed) {
                g = GlyphPressed;
                o = 0;
            } else if (GlyphHover) {
                g = GlyphHover;
            }
        }
        if (ButtonState == 0)
            g = GlyphDisabled ? GlyphDisabled : Glyph;
        if (g)
            cv.Painter.drawImage(r.left + o + 1, r.top + o + 1, *g);
        return;
    }
    if (!Caption)
        return;
    const bool plus = std::strcmp(Caption, "+") == 0, minus = std::strcmp(Caption, "-") == 0;
    if (plus || minus) {
        TColor colour = 0x000000;
        if (ButtonState & BUTTON_GREYED)
            colour = 0xC0C0C0;
        if (Pressed)
            colour = 0xFFFFFF;
        if (ButtonState == 0)
            colour = 0x808080;
        cv.PenColour = colour;
        cv.PenWidth = std::min(r.Width(), r.Height()) / 10 + 1;
        const int y = Round(0.5 * r.top + 0.5 * r.bottom);
        cv.Line(Round(0.2 * r.left + 0.8 * r.right), y, Round(0.8 * r.left + 0.2 * r.right), y);
        if (plus) {
            const int x = Round(0.5 * r.left + 0.5 * r.right);
            cv.Line(x, Round(0.8 * r.top + 0.2 * r.bottom), x, Round(0.2 * r.top + 0.8 * r.bottom));
        }
        cv.PenWidth = 1;
        return;
    }
    const QString text = QStringFromCp1250(Caption);
    cv.FontColour = ButtonState == 0 ? 0x808080 : 0x000000;
    cv.TextOut(r.left + o + (r.Width() - cv.TextWidth(text)) / 2, r.top + o + (r.Height() - cv.TextHeight()) / 2, text);
    cv.FontColour = 0x000000;
}

void TabScrollBar::Paint(TabCanvas& cv)
{
    if (Total == 0 || !Visible || Page >= Total)
        return;
    Position = std::min(Position, Total - Page);
    const int b = ButtonSize(), c = TrackLength(), f = ThumbLength(), g = ThumbOffset();
    const int start = TrackStart();
    // Positions along the bar become rectangles across it.
    auto box = [&](int from, int length) {
        return Horizontal ? TabButtonRect { from, Rect.top, from + length, Rect.bottom }
                          : TabButtonRect { Rect.left, from, Rect.right, from + length };
    };
    const TabButtonRect track = box(start, c);
    FillHatched(cv, track.left, track.top, track.Width(), track.Height());

    const TabButtonRect first = box(start - b, b), second = box(start + c, b);
    for (int part : { SB_FIRST_ARROW, SB_SECOND_ARROW }) {
        const TabButtonRect& r = part == SB_FIRST_ARROW ? first : second;
        const bool pressed = PressedPart & part;
        DrawBevelBox(cv, r.left, r.top, r.Width(), r.Height(), pressed, Colour, EDGE_DARK, EDGE_LIGHT);
        // Lines across the bar, shorter towards the outer end: an arrow pointing outwards.
        cv.PenColour = 0x000000;
        cv.PenWidth = 1;
        const int shift = pressed ? 1 : 0, mid = b / 2 + shift;
        for (int i = 0; i < b / 2; i++) {
            const int half = (b / 2 - i) / 2;
            const int at = part == SB_FIRST_ARROW ? 3 * b / 4 - i : b - 1 - 3 * b / 4 + i;
            if (Horizontal)
                cv.Line(r.left + at + shift, r.top + mid - half, r.left + at + shift, r.top + mid + half + 1);
            else
                cv.Line(r.left + mid - half, r.top + at + shift, r.left + mid + half + 1, r.top + at + shift);
        }
    }
    if (PressedPart & SB_TRACK_BEFORE) {
        const TabButtonRect r = box(start, g);
        cv.FillRect(r.left, r.top, r.right, r.bottom, 0x000000);
    }
    if (PressedPart & SB_TRACK_AFTER) {
        const TabButtonRect r = box(start + g + f, c - g - f);
        cv.FillRect(r.left, r.top, r.right, r.bottom, 0x000000);
    }
    const TabButtonRect thumb = box(start + g, f);
    DrawBevelBox(cv, thumb.left, thumb.top, thumb.Width(), thumb.Height(), false, Colour, EDGE_DARK, EDGE_LIGHT);
}
