#pragma once
// Colours, fonts and the drawing surface of the program's controls. Colours
// are 0x00BBGGRR values as stored in the settings and the map files; drawing
// keeps the old pixel rules the map tables were laid out for: a rectangle
// covers x1..x2-1, a line leaves out its last pixel and text is placed by its
// top-left corner.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPalette>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class QPainter;

using TColor = int32_t;

// Plain colours, 0x00BBGGRR.
constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clNone = 0x1FFFFFFF;

// System colours: the high bit marks an index into the desktop's colour
// scheme, resolved through the application palette when drawn.
constexpr TColor clSystemColor = static_cast<TColor>(0x80000000u);
constexpr TColor clScrollBar = clSystemColor | 0;
constexpr TColor clBackground = clSystemColor | 1;
constexpr TColor clActiveCaption = clSystemColor | 2;
constexpr TColor clInactiveCaption = clSystemColor | 3;
constexpr TColor clMenu = clSystemColor | 4;
constexpr TColor clWindow = clSystemColor | 5;
constexpr TColor clWindowFrame = clSystemColor | 6;
constexpr TColor clMenuText = clSystemColor | 7;
constexpr TColor clWindowText = clSystemColor | 8;
constexpr TColor clCaptionText = clSystemColor | 9;
constexpr TColor clActiveBorder = clSystemColor | 10;
constexpr TColor clInactiveBorder = clSystemColor | 11;
constexpr TColor clAppWorkSpace = clSystemColor | 12;
constexpr TColor clHighlight = clSystemColor | 13;
constexpr TColor clHighlightText = clSystemColor | 14;
constexpr TColor clBtnFace = clSystemColor | 15;
constexpr TColor clBtnShadow = clSystemColor | 16;
constexpr TColor clGrayText = clSystemColor | 17;
constexpr TColor clBtnText = clSystemColor | 18;
constexpr TColor clInactiveCaptionText = clSystemColor | 19;
constexpr TColor clBtnHighlight = clSystemColor | 20;
constexpr TColor cl3DDkShadow = clSystemColor | 21;
constexpr TColor cl3DLight = clSystemColor | 22;
constexpr TColor clInfoText = clSystemColor | 23;
constexpr TColor clInfoBk = clSystemColor | 24;

constexpr bool IsSystemColor(TColor c)
{
    return (static_cast<uint32_t>(c) & 0xFF000000u) == 0x80000000u;
}
constexpr TColor RGB(int r, int g, int b)
{
    return TColor((r & 255) | ((g & 255) << 8) | ((b & 255) << 16));
}
constexpr int GetRValue(TColor c)
{
    return c & 255;
}
constexpr int GetGValue(TColor c)
{
    return (c >> 8) & 255;
}
constexpr int GetBValue(TColor c)
{
    return (c >> 16) & 255;
}

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
