#pragma once
// The own-drawn toolbar buttons and scroll bars of a map table. The pointer
// logic is plain arithmetic; painting needs a TabCanvas.

#include "platform/colors.h"

#include <cstdint>

class QImage;
class TabCanvas;

struct TabButtonRect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    // Right and bottom edges are outside, as with every button rectangle.
    bool Holds(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

// ButtonKind bits
constexpr uint8_t BUTTON_TOGGLE = 1;
constexpr uint8_t BUTTON_ALWAYS_PAINT = 2;
// ButtonState bit: the glyph is greyed.
constexpr int32_t BUTTON_GREYED = 0x80;

struct TabButton {
    uint8_t ButtonKind = 0;
    int32_t ButtonState = 0;
    TabButtonRect Rect;
    int32_t Pressed = 0;
    int32_t Hover = 0;
    const QImage* Glyph = nullptr;
    const QImage* GlyphHover = nullptr;
    const QImage* GlyphPressed = nullptr;
    const QImage* GlyphDisabled = nullptr;
    TColor Colour = 0;
    const char* Caption = nullptr;
    const char* Hint = nullptr;

    // Shown and usable: a state word that is not 0 and not greyed.
    bool Shown() const { return ButtonState != 0 && !(ButtonState & BUTTON_GREYED); }
    void Paint(TabCanvas& cv) const;
};

// Parts of a scroll bar
constexpr int32_t SB_FIRST_ARROW = 1;
constexpr int32_t SB_SECOND_ARROW = 2;
constexpr int32_t SB_THUMB = 4;
constexpr int32_t SB_TRACK_BEFORE = 8;
constexpr int32_t SB_TRACK_AFTER = 16;

// Result bits of the pointer calls and the step
constexpr int SB_REDRAW = 1;
constexpr int SB_MOVED = 2;
constexpr int SB_USED = 4;

struct TabScrollBar {
    int32_t Horizontal = 0;
    int32_t Visible = 0;
    TabButtonRect Rect;
    int32_t PressedPart = 0;
    int32_t HoverPart = 0;
    int32_t Dragging = 0;
    TColor Colour = 0;
    int32_t Total = 0;
    int32_t Page = 0;
    int32_t Position = 0;
    int32_t PointerX = 0, PointerY = 0;
    int32_t DragStartX = 0, DragStartY = 0, DragStartPosition = 0;
    int32_t PressTick = 0;
    int32_t Ticks = 0;

    // Geometry along the bar: button size, track start and length, thumb length and offset.
    int ButtonSize() const;
    int TrackStart() const;
    int TrackLength() const;
    int ThumbLength() const;
    int ThumbOffset() const;

    int PointerMove();
    int PointerDown();
    int PointerUp();
    int Step();
    void Paint(TabCanvas& cv);

private:
    int Along(int x, int y) const { return Horizontal ? x : y; }
    int PartAt(int t) const;
    int MoveBy(int part);
    int MaxPosition() const;
};
