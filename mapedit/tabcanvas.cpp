#include "mapedit/tabcanvas.h"

#include <QFontMetrics>

#include <algorithm>
#include <cstdlib>
#include <vector>

TabCanvas::TabCanvas(QImage& image)
    : Image(image)
    , Painter(&image)
{
    Painter.setRenderHint(QPainter::Antialiasing, false);
    Painter.setFont(TabFont(8));
}

void TabCanvas::FillRect(int x1, int y1, int x2, int y2, TColor colour)
{
    if (x2 > x1 && y2 > y1)
        Painter.fillRect(QRect(x1, y1, x2 - x1, y2 - y1), ColorToQColor(colour));
}

void TabCanvas::Rectangle(int x1, int y1, int x2, int y2)
{
    if (x2 <= x1 || y2 <= y1)
        return;
    if (!BrushClear)
        FillRect(x1, y1, x2, y2, BrushColour);
    const int w = std::max(1, PenWidth);
    FillRect(x1, y1, x2, std::min(y2, y1 + w), PenColour);
    FillRect(x1, std::max(y1, y2 - w), x2, y2, PenColour);
    FillRect(x1, y1, std::min(x2, x1 + w), y2, PenColour);
    FillRect(std::max(x1, x2 - w), y1, x2, y2, PenColour);
}

void TabCanvas::Line(int x1, int y1, int x2, int y2)
{
    if (PenWidth > 1) {
        Painter.setPen(QPen(ColorToQColor(PenColour), PenWidth, Qt::SolidLine, Qt::FlatCap));
        Painter.drawLine(x1, y1, x2, y2);
        return;
    }
    const std::vector<QPoint> points = LinePixels(x1, y1, x2, y2);
    if (points.empty())
        return;
    Painter.setPen(QPen(ColorToQColor(PenColour), 1));
    Painter.drawPoints(points.data(), int(points.size()));
}

void TabCanvas::Ellipse(int x1, int y1, int x2, int y2)
{
    if (x2 <= x1 || y2 <= y1)
        return;
    Painter.setPen(QPen(ColorToQColor(PenColour), PenWidth));
    Painter.setBrush(BrushClear ? QBrush(Qt::NoBrush) : QBrush(ColorToQColor(BrushColour)));
    Painter.drawEllipse(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
}

void TabCanvas::Polygon(const QPoint* points, int count)
{
    Painter.setPen(QPen(ColorToQColor(PenColour), PenWidth));
    Painter.setBrush(BrushClear ? QBrush(Qt::NoBrush) : QBrush(ColorToQColor(BrushColour)));
    Painter.drawPolygon(points, count);
}

void TabCanvas::TextOut(int x, int y, const QString& text)
{
    Painter.setPen(ColorToQColor(FontColour));
    Painter.drawText(x, y + Painter.fontMetrics().ascent(), text);
}

int TabCanvas::TextWidth(const QString& text) const
{
    return Painter.fontMetrics().horizontalAdvance(text);
}

int TabCanvas::TextHeight() const
{
    return Painter.fontMetrics().height();
}

void DrawBevelBox(
    TabCanvas& cv, int x, int y, int width, int height, bool sunken, TColor face, TColor dark, TColor light)
{
    cv.FillRect(x, y, x + width, y + height, face);
    const TColor topLeft = sunken ? dark : light, bottomRight = sunken ? light : dark;
    const int r = x + width - 1, b = y + height - 1;
    cv.PenWidth = 1;
    cv.PenColour = topLeft;
    cv.Line(x, b, x, y);
    cv.Line(x, y, r, y);
    cv.PenColour = bottomRight;
    cv.Line(x, b, r, b);
    cv.Line(r, b, r, y);
}

void DrawBevelPanel(
    TabCanvas& cv, int x, int y, int width, int height, bool sunken, TColor face, TColor dark, TColor light)
{
    DrawBevelBox(cv, x, y, width, height, sunken, face, dark, light);
    const int r = x + width - 2, b = y + height - 2;
    if (sunken) {
        cv.PenColour = dark;
        cv.Line(x + 1, b, x + 1, y + 1);
        cv.Line(x + 1, y + 1, r, y + 1);
    } else {
        cv.PenColour = dark;
        cv.Line(x + 1, b, r, b);
        cv.Line(r, b, r, y + 1);
    }
}

void DrawCornerTriangles(TabCanvas& cv, int x, int y, int width, int height, int corners, TColor colour)
{
    if (!corners)
        return;
    const int s = std::min(width, height);
    const int r = x + width - 1, b = y + height - 1;
    cv.PenColour = cv.BrushColour = colour;
    cv.BrushClear = false;
    cv.PenWidth = 1;
    const QPoint tri[4][3] = { { { x, y }, { x, y + s }, { x + s, y } }, { { r, y }, { r, y + s }, { r - s, y } },
        { { x, b }, { x, b - s }, { x + s, b } }, { { r, b }, { r, b - s }, { r - s, b } } };
    for (int i = 0; i < 4; i++)
        if (corners & (1 << i))
            cv.Polygon(tri[i], 3);
}

namespace {

QImage& Pattern()
{
    static QImage pattern;
    return pattern;
}

} // namespace

void MakeHatchBrush(TColor first, TColor second)
{
    QImage& p = Pattern();
    if (p.isNull())
        p = QImage(8, 8, QImage::Format_RGB32);
    for (int y = 0; y < 8; y++)
        for (int x = 0; x < 8; x++)
            p.setPixelColor(x, y, ColorToQColor((x + y) % 2 ? second : first));
}

const QImage& HatchPattern()
{
    if (Pattern().isNull())
        MakeHatchBrush(0xFFFFFF, 0xC0C0C0);
    return Pattern();
}

void FillHatched(TabCanvas& cv, int x, int y, int width, int height)
{
    if (width <= 0 || height <= 0)
        return;
    cv.Painter.setBrushOrigin(0, 0);
    cv.Painter.fillRect(QRect(x, y, width, height), QBrush(HatchPattern()));
}

void DrawRing(TabCanvas& cv, int x, int y, int width, int height, TColor colour)
{
    const bool clear = cv.BrushClear;
    cv.BrushClear = true;
    cv.PenWidth = 3;
    cv.PenColour = (colour >> 1) & 0x7F7F7F;
    cv.Ellipse(x + 4, y + 3, x + width, y + height - 1);
    cv.PenColour = colour;
    cv.Ellipse(x + 2, y + 2, x + width - 2, y + height - 2);
    cv.PenWidth = 1;
    cv.BrushClear = clear;
}

void TileBitmap(TabCanvas& cv, const QImage& picture, int left, int top, int right, int bottom, int shiftX, int shiftY)
{
    if (picture.isNull() || right <= left || bottom <= top)
        return;
    cv.Painter.setBrushOrigin(-shiftX, -shiftY);
    cv.Painter.fillRect(QRect(left, top, right - left, bottom - top), QBrush(picture));
    cv.Painter.setBrushOrigin(0, 0);
}

void FillDotted(QImage& bitmap, int x, int y, int width, int height, uint32_t pixel)
{
    if (bitmap.depth() != 32)
        return;
    const int x2 = std::min<int64_t>(bitmap.width(), int64_t(x) + width);
    const int y2 = std::min<int64_t>(bitmap.height(), int64_t(y) + height);
    x = std::max(x, 0);
    y = std::max(y, 0);
    if (x >= bitmap.width() || y >= bitmap.height())
        return;
    for (int r = y; r < y2; r++) {
        auto* line = reinterpret_cast<uint32_t*>(bitmap.scanLine(r));
        for (int c = x + r % 2; c < x2; c += 2)
            line[c] = pixel;
    }
}

QFont TabFont(int points, bool bold, bool italic)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(std::max(1, (std::abs(points) * 96 + 36) / 72));
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}
