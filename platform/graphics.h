#pragma once
// Colours, fonts and the drawing surface of the program's controls. Colours
// are 0x00BBGGRR values as stored in the settings and the map files; drawing
// keeps the old pixel rules the map tables were laid out for: a rectangle
// covers x1..x2-1, a line leaves out its last pixel and text is placed by its
// top-left corner.

#include "platform/colors.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPalette>
#include <QPoint>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class QPainter;

// The palette role a system colour stands for, or -1 for plain colours and
// system indexes without a role (those resolve to fixed values).
int SystemColorRole(TColor color);
// A plain 0x00BBGGRR value; system colours resolve through the palette.
TColor ColorToRGB(TColor color);
QColor ColorToQColor(TColor color);
TColor QColorToColor(const QColor& color);

struct TPoint {
    int X = 0;
    int Y = 0;
};

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
};

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

// A control's or a canvas's font. Changes reach the owner through OnChange.
class TFont {
public:
    TFont();
    const std::string& Name() const { return name_; }
    void SetName(std::string_view name);
    int Size() const { return size_; }
    void SetSize(int points);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    unsigned Style() const { return style_; }
    void SetStyle(unsigned styles);
    void Assign(const TFont& other);
    QFont ToQFont() const;

    std::function<void()> OnChange;

private:
    void Changed();
    std::string name_;
    int size_;
    TColor color_ = clWindowText;
    unsigned style_ = 0;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear };
enum TBrushStyle { bsSolid, bsClear };

struct TPen {
    TColor Color = clBlack;
    int Width = 1;
    TPenStyle Style = psSolid;
};

struct TBrush {
    TColor Color = clWhite;
    TBrushStyle Style = bsSolid;
};

// The pixels of a thin line from (x1, y1) to (x2, y2) without its end point,
// so that joined lines never paint a pixel twice.
std::vector<QPoint> LinePixels(int x1, int y1, int x2, int y2);

class TBitmap;

// Drawing on a bitmap. The painter stays open between calls for speed and is
// closed before pixels are read or the image leaves the canvas.
class TCanvas {
public:
    explicit TCanvas(QImage* target);
    ~TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    TPen Pen;
    TBrush Brush;
    TFont Font;

    TPoint PenPos() const { return penPos_; }
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Rectangle(int x1, int y1, int x2, int y2);
    void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    void FillRect(const TRect& r);
    void FrameRect(const TRect& r);
    void Ellipse(int x1, int y1, int x2, int y2);
    void Polygon(const std::vector<TPoint>& points);
    void Polyline(const std::vector<TPoint>& points);
    void TextOut(int x, int y, std::string_view text);
    void TextRect(const TRect& clip, int x, int y, std::string_view text);
    int TextWidth(std::string_view text) const;
    int TextHeight(std::string_view text) const;
    TColor Pixel(int x, int y);
    void SetPixel(int x, int y, TColor color);
    void Draw(int x, int y, const TBitmap& bitmap);
    void StretchDraw(const TRect& r, const TBitmap& bitmap);
    void CopyRect(const TRect& dest, TCanvas& source, const TRect& sourceRect);

    // Closes the open painter; called before the image is read elsewhere.
    void Flush();

private:
    QPainter& Painter();
    void EnsurePaintable();
    void ApplyPen(QPainter& p) const;
    void ApplyBrush(QPainter& p) const;
    void SolidLine(int x1, int y1, int x2, int y2);

    QImage* target_;
    std::unique_ptr<QPainter> painter_;
    TPoint penPos_;
};

// A picture held as a QImage, so images from the picture cache or a file
// become bitmaps without copying pixels (QImage shares its data).
class TBitmap {
public:
    TBitmap();
    explicit TBitmap(const QImage& image);
    TBitmap(const TBitmap& other);
    TBitmap& operator=(const TBitmap& other);
    ~TBitmap();

    int Width() const { return image_.width(); }
    int Height() const { return image_.height(); }
    void SetSize(int width, int height);
    bool Empty() const { return image_.isNull(); }
    TCanvas* Canvas() { return &canvas_; }
    void Assign(const QImage& image);
    bool LoadFromFile(const std::string& path);
    // The pixels as they stand, with any drawing flushed.
    const QImage& Image() const;

private:
    mutable QImage image_;
    mutable TCanvas canvas_;
};
