#pragma once
// Drawing into a map table's back bitmap with the old pixel rules the
// painters rely on: a rectangle covers x1..x2-1 and y1..y2-1, a line leaves
// out its last pixel, text is placed by its top-left corner. Also the small
// drawing routines every painter of the map editor shares.

#include "platform/graphics.h"

#include <QImage>
#include <QPainter>
#include <QString>

class TabCanvas {
public:
    explicit TabCanvas(QImage& image);

    QImage& Image;
    QPainter Painter;
    TColor PenColour = 0x000000;
    int PenWidth = 1;
    TColor BrushColour = 0xFFFFFF;
    bool BrushClear = false;
    TColor FontColour = 0x000000;

    void FillRect(int x1, int y1, int x2, int y2, TColor colour);
    // Outline in the pen, inside in the brush (unless BrushClear).
    void Rectangle(int x1, int y1, int x2, int y2);
    void Line(int x1, int y1, int x2, int y2);
    void Ellipse(int x1, int y1, int x2, int y2);
    void Polygon(const QPoint* points, int count);
    void TextOut(int x, int y, const QString& text);
    int TextWidth(const QString& text) const;
    int TextHeight() const;
};

void DrawBevelBox(
    TabCanvas& cv, int x, int y, int width, int height, bool sunken, TColor face, TColor dark, TColor light);
void DrawBevelPanel(
    TabCanvas& cv, int x, int y, int width, int height, bool sunken, TColor face, TColor dark, TColor light);
// Corner bits: 1 top left, 2 top right, 4 bottom left, 8 bottom right.
void DrawCornerTriangles(TabCanvas& cv, int x, int y, int width, int height, int corners, TColor colour);
// The one 8 x 8 pattern shared by all tables: `first`, with every pixel whose
// x + y is odd in `second`.
void MakeHatchBrush(TColor first, TColor second);
const QImage& HatchPattern();
void FillHatched(TabCanvas& cv, int x, int y, int width, int height);
void DrawRing(TabCanvas& cv, int x, int y, int width, int height, TColor colour);
// Canvas pixel (X, Y) shows picture pixel ((X + shiftX) mod w, (Y + shiftY) mod h).
void TileBitmap(TabCanvas& cv, const QImage& picture, int left, int top, int right, int bottom, int shiftX, int shiftY);
// A 50 % stipple written straight into a 32-bit bitmap; other depths are left alone.
void FillDotted(QImage& bitmap, int x, int y, int width, int height, uint32_t pixel);

// The control's font at a size in points (96 pixels per inch), so text
// measures the same on every screen and in every bitmap.
QFont TabFont(int points, bool bold = false, bool italic = false);
