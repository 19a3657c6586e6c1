// The simple drawn controls: labels, bevels, images, custom-painted
// controls, and timers.
#include "platform/controls.h"

#include <QMouseEvent>
#include <QPainter>

TLabel::TLabel(TComponent* owner)
    : QWidget(nullptr)
    , TControl(this, owner)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    resize(65, 13);
}

// A single '&' marks an access key and is not shown; "&&" shows one '&'.
static QString WithoutAccessKeys(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size())
            ++i;
        out += text[i];
    }
    return out;
}

void TLabel::ApplyCaption(const QString& text)
{
    shown_ = WithoutAccessKeys(text);
    FitToText();
    update();
}

void TLabel::ApplyColor()
{
    parentColor_ = false;
    update();
}

void TLabel::ApplyFont()
{
    setFont(Font()->ToQFont());
    FitToText();
    update();
}

void TLabel::SetTransparent(bool transparent)
{
    transparent_ = transparent;
    update();
}

void TLabel::SetAutoSize(bool autoSize)
{
    autoSize_ = autoSize;
    FitToText();
}

void TLabel::SetAlignment(TAlignment alignment)
{
    alignment_ = alignment;
    update();
}

void TLabel::SetWordWrap(bool wrap)
{
    wordWrap_ = wrap;
    FitToText();
    update();
}

void TLabel::FitToText()
{
    if (!autoSize_)
        return;
    QFontMetrics fm(font());
    if (wordWrap_)
        resize(width(), fm.boundingRect(0, 0, width(), 100000, Qt::TextWordWrap, shown_).height());
    else if (alignment_ == taRightJustify)
        setGeometry(
            geometry().right() + 1 - fm.horizontalAdvance(shown_), y(), fm.horizontalAdvance(shown_), fm.height());
    else
        resize(fm.horizontalAdvance(shown_), fm.height());
}

void TLabel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (!transparent_ && !parentColor_)
        p.fillRect(rect(), ColorToQColor(Color()));
    p.setFont(font());
    p.setPen(isEnabled() ? ColorToQColor(Font()->Color()) : palette().color(QPalette::Disabled, QPalette::WindowText));
    int flags = Qt::AlignTop | (wordWrap_ ? Qt::TextWordWrap : 0);
    flags |= alignment_ == taCenter ? Qt::AlignHCenter : alignment_ == taRightJustify ? Qt::AlignRight : Qt::AlignLeft;
    p.drawText(rect(), flags, shown_);
}

void TLabel::mouseReleaseEvent(QMouseEvent* event)
{
    QWidget::mouseReleaseEvent(event);
    if (OnClick && rect().contains(event->position().toPoint()))
        OnClick(this);
}

TBevel::TBevel(TComponent* owner)
    : QWidget(nullptr)
    , TControl(this, owner)
{
    resize(50, 50);
}

void TBevel::SetShape(TBevelShape shape)
{
    shape_ = shape;
    update();
}

void TBevel::SetStyle(TBevelStyle style)
{
    style_ = style;
    update();
}

void TBevel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QColor dark = palette().color(QPalette::Dark);
    QColor light = palette().color(QPalette::Light);
    QColor topLeft = style_ == bsLowered ? dark : light;
    QColor bottomRight = style_ == bsLowered ? light : dark;
    int r = width() - 1, b = height() - 1;
    auto hline = [&](int y, const QColor& c) {
        p.setPen(c);
        p.drawLine(0, y, r, y);
    };
    auto vline = [&](int x, const QColor& c) {
        p.setPen(c);
        p.drawLine(x, 0, x, b);
    };
    switch (shape_) {
    case bsBox:
        hline(0, topLeft);
        vline(0, topLeft);
        hline(b, bottomRight);
        vline(r, bottomRight);
        break;
    case bsFrame:
        p.setPen(topLeft);
        p.drawRect(0, 0, r - 1, b - 1);
        p.setPen(bottomRight);
        p.drawRect(1, 1, r - 1, b - 1);
        break;
    case bsTopLine:
        hline(0, topLeft);
        hline(1, bottomRight);
        break;
    case bsBottomLine:
        hline(b - 1, topLeft);
        hline(b, bottomRight);
        break;
    case bsLeftLine:
        vline(0, topLeft);
        vline(1, bottomRight);
        break;
    case bsRightLine:
        vline(r - 1, topLeft);
        vline(r, bottomRight);
        break;
    case bsSpacer:
        break;
    }
}

TImage::TImage(TComponent* owner)
    : QWidget(nullptr)
    , TControl(this, owner)
{
    resize(105, 105);
}

void TImage::SetStretch(bool stretch)
{
    stretch_ = stretch;
    update();
}

void TImage::SetCenter(bool center)
{
    center_ = center;
    update();
}

void TImage::paintEvent(QPaintEvent*)
{
    if (picture_.Empty())
        return;
    QPainter p(this);
    const QImage& img = picture_.Image();
    if (stretch_)
        p.drawImage(rect(), img);
    else if (center_)
        p.drawImage((width() - img.width()) / 2, (height() - img.height()) / 2, img);
    else
        p.drawImage(0, 0, img);
}

void TImage::mouseReleaseEvent(QMouseEvent* event)
{
    QWidget::mouseReleaseEvent(event);
    if (OnClick && rect().contains(event->position().toPoint()))
        OnClick(this);
}

TCustomControl::TCustomControl(TComponent* owner)
    : QWidget(nullptr)
    , TControl(this, owner)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TCustomControl::paintEvent(QPaintEvent*)
{
    back_.SetSize(width(), height());
    Paint();
    QPainter(this).drawImage(0, 0, back_.Image());
}

TTimer::TTimer(TComponent* owner)
    : TComponent(owner)
{
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        if (OnTimer)
            OnTimer(this);
    });
    Update();
}

TTimer::~TTimer() = default;

QObject* TTimer::Object()
{
    return &timer_;
}

void TTimer::SetInterval(int ms)
{
    interval_ = ms;
    Update();
}

void TTimer::SetEnabled(bool enabled)
{
    enabled_ = enabled;
    Update();
}

void TTimer::Update()
{
    if (enabled_ && interval_ > 0)
        timer_.start(interval_);
    else
        timer_.stop();
}
