#include "platform/graphics.h"

#include "platform/cp1250.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>

#include <cstdlib>
#include <utility>

namespace {

struct SystemColor {
    int role; // QPalette::ColorRole, -1 when the scheme has none
    uint32_t fallback; // 0x00BBGGRR when there is no role
};

// Indexes 0..24 of the desktop colour scheme.
constexpr SystemColor SYSTEM_COLORS[] = {
    { -1, 0xC8C8C8 }, // scroll bar
    { -1, 0x000000 }, // desktop
    { QPalette::Highlight, 0 }, // active caption
    { -1, 0x808080 }, // inactive caption
    { QPalette::Window, 0 }, // menu
    { QPalette::Base, 0 }, // window
    { -1, 0x000000 }, // window frame
    { QPalette::WindowText, 0 }, // menu text
    { QPalette::Text, 0 }, // window text
    { QPalette::HighlightedText, 0 }, // caption text
    { -1, 0xB4B4B4 }, // active border
    { -1, 0xFCF7F4 }, // inactive border
    { QPalette::Mid, 0 }, // application work space
    { QPalette::Highlight, 0 }, // highlight
    { QPalette::HighlightedText, 0 }, // highlighted text
    { QPalette::Button, 0 }, // button face
    { QPalette::Dark, 0 }, // button shadow
    { QPalette::PlaceholderText, 0 }, // grey text
    { QPalette::ButtonText, 0 }, // button text
    { -1, 0x000000 }, // inactive caption text
    { QPalette::Light, 0 }, // button highlight
    { QPalette::Shadow, 0 }, // dark 3D shadow
    { QPalette::Midlight, 0 }, // 3D light
    { QPalette::ToolTipText, 0 }, // info text
    { QPalette::ToolTipBase, 0 }, // info background
};

int SystemIndex(TColor color)
{
    int index = color & 0xFF;
    return index < int(std::size(SYSTEM_COLORS)) ? index : -1;
}

QPalette CurrentPalette()
{
    return qApp ? QApplication::palette() : QPalette();
}

} // namespace

int SystemColorRole(TColor color)
{
    if (!IsSystemColor(color))
        return -1;
    int index = SystemIndex(color);
    return index < 0 ? -1 : SYSTEM_COLORS[index].role;
}

TColor ColorToRGB(TColor color)
{
    if (!IsSystemColor(color))
        return color & 0xFFFFFF;
    int index = SystemIndex(color);
    if (index < 0)
        return clBlack;
    if (SYSTEM_COLORS[index].role < 0)
        return TColor(SYSTEM_COLORS[index].fallback);
    return QColorToColor(CurrentPalette().color(QPalette::ColorRole(SYSTEM_COLORS[index].role)));
}

QColor ColorToQColor(TColor color)
{
    TColor rgb = ColorToRGB(color);
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

TColor QColorToColor(const QColor& color)
{
    return RGB(color.red(), color.green(), color.blue());
}

TFont::TFont()
    : name_("DejaVu Sans")
    , size_(8)
{
}

void TFont::SetName(std::string_view name)
{
    name_ = name;
    Changed();
}

void TFont::SetSize(int points)
{
    size_ = points;
    Changed();
}

void TFont::SetColor(TColor color)
{
    color_ = color;
    Changed();
}

void TFont::SetStyle(unsigned styles)
{
    style_ = styles;
    Changed();
}

void TFont::Assign(const TFont& other)
{
    name_ = other.name_;
    size_ = other.size_;
    color_ = other.color_;
    style_ = other.style_;
    Changed();
}

void TFont::Changed()
{
    if (OnChange)
        OnChange();
}

QFont TFont::ToQFont() const
{
    QFont f(QStringFromCp1250(name_));
    f.setPointSize(size_ > 0 ? size_ : 8);
    f.setBold(style_ & fsBold);
    f.setItalic(style_ & fsItalic);
    f.setUnderline(style_ & fsUnderline);
    f.setStrikeOut(style_ & fsStrikeOut);
    return f;
}

TCanvas::TCanvas(QImage* target)
    : target_(target)
{
}

TCanvas::~TCanvas() = default;

void TCanvas::Flush()
{
    painter_.reset();
}

void TCanvas::EnsurePaintable()
{
    QImage::Format f = target_->format();
    if (!target_->isNull() && f != QImage::Format_RGB32 && f != QImage::Format_ARGB32
        && f != QImage::Format_ARGB32_Premultiplied)
        target_->convertTo(QImage::Format_RGB32);
}

QPainter& TCanvas::Painter()
{
    if (!painter_) {
        EnsurePaintable();
        painter_ = std::make_unique<QPainter>(target_);
        painter_->setRenderHint(QPainter::Antialiasing, false);
    }
    return *painter_;
}

void TCanvas::ApplyPen(QPainter& p) const
{
    if (Pen.Style == psClear) {
        p.setPen(Qt::NoPen);
        return;
    }
    static constexpr Qt::PenStyle STYLES[]
        = { Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine, Qt::DashDotDotLine };
    QPen pen(ColorToQColor(Pen.Color));
    pen.setWidth(Pen.Width > 1 ? Pen.Width : 0);
    pen.setStyle(STYLES[Pen.Style]);
    p.setPen(pen);
}

void TCanvas::ApplyBrush(QPainter& p) const
{
    if (Brush.Style == bsClear)
        p.setBrush(Qt::NoBrush);
    else
        p.setBrush(ColorToQColor(Brush.Color));
}

void TCanvas::MoveTo(int x, int y)
{
    penPos_ = { x, y };
}

std::vector<QPoint> LinePixels(int x1, int y1, int x2, int y2)
{
    std::vector<QPoint> points;
    const int dx = std::abs(x2 - x1), sx = x1 < x2 ? 1 : -1;
    const int dy = -std::abs(y2 - y1), sy = y1 < y2 ? 1 : -1;
    int err = dx + dy;
    while (x1 != x2 || y1 != y2) {
        points.emplace_back(x1, y1);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x1 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y1 += sy;
        }
    }
    return points;
}

// A thin solid line walks its pixels itself: the painter's own lines include
// the end point, which the map drawing relies on being left out.
void TCanvas::SolidLine(int x1, int y1, int x2, int y2)
{
    const QRgb rgb = ColorToQColor(Pen.Color).rgb();
    const QRect bounds = target_->rect();
    for (const QPoint& point : LinePixels(x1, y1, x2, y2))
        if (bounds.contains(point))
            target_->setPixel(point, rgb);
}

void TCanvas::LineTo(int x, int y)
{
    if (Pen.Style == psSolid && Pen.Width <= 1) {
        Flush();
        EnsurePaintable();
        SolidLine(penPos_.X, penPos_.Y, x, y);
    } else if (Pen.Style != psClear) {
        QPainter& p = Painter();
        ApplyPen(p);
        p.drawLine(penPos_.X, penPos_.Y, x, y);
    }
    penPos_ = { x, y };
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2)
{
    if (x2 <= x1 || y2 <= y1)
        return;
    QPainter& p = Painter();
    if (Brush.Style != bsClear)
        p.fillRect(x1, y1, x2 - x1, y2 - y1, ColorToQColor(Brush.Color));
    if (Pen.Style != psClear) {
        ApplyPen(p);
        p.setBrush(Qt::NoBrush);
        p.drawRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1);
    }
}

void TCanvas::FillRect(const TRect& r)
{
    if (r.Width() > 0 && r.Height() > 0 && Brush.Style != bsClear)
        Painter().fillRect(r.Left, r.Top, r.Width(), r.Height(), ColorToQColor(Brush.Color));
}

void TCanvas::FrameRect(const TRect& r)
{
    if (r.Width() <= 0 || r.Height() <= 0)
        return;
    QPainter& p = Painter();
    p.setPen(QPen(ColorToQColor(Brush.Color), 0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1);
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2)
{
    QPainter& p = Painter();
    ApplyPen(p);
    ApplyBrush(p);
    p.drawEllipse(x1, y1, x2 - x1 - 1, y2 - y1 - 1);
}

void TCanvas::Polygon(const std::vector<TPoint>& points)
{
    QPolygon poly;
    for (const TPoint& pt : points)
        poly << QPoint(pt.X, pt.Y);
    QPainter& p = Painter();
    ApplyPen(p);
    ApplyBrush(p);
    p.drawPolygon(poly);
}

void TCanvas::Polyline(const std::vector<TPoint>& points)
{
    if (points.empty())
        return;
    MoveTo(points[0].X, points[0].Y);
    for (size_t i = 1; i < points.size(); ++i)
        LineTo(points[i].X, points[i].Y);
}

void TCanvas::TextOut(int x, int y, std::string_view text)
{
    QPainter& p = Painter();
    QFont font = Font.ToQFont();
    QFontMetrics fm(font);
    QString s = QStringFromCp1250(text);
    if (Brush.Style != bsClear)
        p.fillRect(x, y, fm.horizontalAdvance(s), fm.height(), ColorToQColor(Brush.Color));
    p.setFont(font);
    p.setPen(ColorToQColor(Font.Color()));
    p.drawText(x, y + fm.ascent(), s);
    penPos_ = { x + fm.horizontalAdvance(s), y };
}

void TCanvas::TextRect(const TRect& clip, int x, int y, std::string_view text)
{
    QPainter& p = Painter();
    p.save();
    p.setClipRect(clip.Left, clip.Top, clip.Width(), clip.Height());
    if (Brush.Style != bsClear)
        p.fillRect(clip.Left, clip.Top, clip.Width(), clip.Height(), ColorToQColor(Brush.Color));
    QFont font = Font.ToQFont();
    p.setFont(font);
    p.setPen(ColorToQColor(Font.Color()));
    p.drawText(x, y + QFontMetrics(font).ascent(), QStringFromCp1250(text));
    p.restore();
}

int TCanvas::TextWidth(std::string_view text) const
{
    return QFontMetrics(Font.ToQFont()).horizontalAdvance(QStringFromCp1250(text));
}

int TCanvas::TextHeight(std::string_view) const
{
    return QFontMetrics(Font.ToQFont()).height();
}

TColor TCanvas::Pixel(int x, int y)
{
    Flush();
    if (!target_->valid(x, y))
        return clNone;
    return QColorToColor(target_->pixelColor(x, y));
}

void TCanvas::SetPixel(int x, int y, TColor color)
{
    Flush();
    EnsurePaintable();
    if (target_->valid(x, y))
        target_->setPixel(x, y, ColorToQColor(color).rgb());
}

void TCanvas::Draw(int x, int y, const TBitmap& bitmap)
{
    if (!bitmap.Empty())
        Painter().drawImage(x, y, bitmap.Image());
}

void TCanvas::StretchDraw(const TRect& r, const TBitmap& bitmap)
{
    if (!bitmap.Empty())
        Painter().drawImage(QRect(r.Left, r.Top, r.Width(), r.Height()), bitmap.Image());
}

void TCanvas::CopyRect(const TRect& dest, TCanvas& source, const TRect& sourceRect)
{
    source.Flush();
    QImage part = source.target_->copy(sourceRect.Left, sourceRect.Top, sourceRect.Width(), sourceRect.Height());
    Painter().drawImage(QRect(dest.Left, dest.Top, dest.Width(), dest.Height()), part);
}

TBitmap::TBitmap()
    : canvas_(&image_)
{
}

TBitmap::TBitmap(const QImage& image)
    : image_(image)
    , canvas_(&image_)
{
}

TBitmap::TBitmap(const TBitmap& other)
    : image_(other.Image())
    , canvas_(&image_)
{
}

TBitmap& TBitmap::operator=(const TBitmap& other)
{
    if (this != &other) {
        canvas_.Flush();
        image_ = other.Image();
    }
    return *this;
}

TBitmap::~TBitmap() = default;

void TBitmap::SetSize(int width, int height)
{
    canvas_.Flush();
    if (width == image_.width() && height == image_.height())
        return;
    QImage resized(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32);
    resized.fill(Qt::white);
    if (!image_.isNull()) {
        QPainter p(&resized);
        p.drawImage(0, 0, image_);
    }
    image_ = std::move(resized);
}

void TBitmap::Assign(const QImage& image)
{
    canvas_.Flush();
    image_ = image;
}

bool TBitmap::LoadFromFile(const std::string& path)
{
    QImage loaded;
    if (!loaded.load(QStringFromCp1250(path)))
        return false;
    Assign(loaded);
    return true;
}

const QImage& TBitmap::Image() const
{
    canvas_.Flush();
    return image_;
}
