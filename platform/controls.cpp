#include "platform/controls.h"

#include "platform/cp1250.h"
#include "platform/menus.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

#include <algorithm>

TApplication* Application = nullptr;

namespace {

bool SameTextNoCase(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

// A form's client area: the part below the menu bar that holds the controls.
class FormClient : public QWidget {
public:
    FormClient(TForm* form)
        : QWidget(form)
        , form_(form)
    {
    }
    TForm* form_;
};

// The control a widget belongs to: the widget itself, a form's client area or
// the nearest enclosing control.
TControl* ControlOf(QWidget* w)
{
    for (; w; w = w->parentWidget()) {
        if (auto* c = dynamic_cast<TControl*>(w))
            return c;
        if (auto* client = dynamic_cast<FormClient*>(w))
            return client->form_;
    }
    return nullptr;
}

void SetRoleColor(QWidget* w, QPalette::ColorRole role, TColor color, bool keepDisabled)
{
    QPalette pal = w->palette();
    QColor c = ColorToQColor(color);
    pal.setColor(QPalette::Active, role, c);
    pal.setColor(QPalette::Inactive, role, c);
    if (!keepDisabled)
        pal.setColor(QPalette::Disabled, role, c);
    w->setPalette(pal);
}

} // namespace

// Hints under the mouse, focus moves and the layout of aligned children, for
// all controls at once.
class ControlEvents : public QObject {
public:
    static ControlEvents* Instance()
    {
        static QPointer<ControlEvents> events;
        if (!events && qApp) {
            events = new ControlEvents();
            events->setParent(qApp);
            // Controls take the application's font unless their own is set,
            // so a form's font reaches its children.
            QApplication::setFont(TFont().ToQFont());
            qApp->installEventFilter(events);
            QObject::connect(qApp, &QApplication::focusChanged, events, &ControlEvents::FocusChanged);
        }
        return events;
    }

    bool eventFilter(QObject* obj, QEvent* event) override
    {
        if (event->type() == QEvent::Enter && obj->isWidgetType())
            EnterWidget(static_cast<QWidget*>(obj));
        else if (event->type() == QEvent::Resize && obj->isWidgetType()) {
            QWidget* w = static_cast<QWidget*>(obj);
            if (TControl* c = ControlOf(w); c && c->ClientWidget() == w)
                c->AlignControls();
        }
        return false;
    }

private:
    static void EnterWidget(QWidget* w)
    {
        if (!Application)
            return;
        TControl* c = ControlOf(w);
        while (c && c->Hint().empty())
            c = c->Parent();
        Application->SetHint(c ? GetLongHint(c->Hint()) : std::string());
    }

    // A move between two controls of one window; activation changes (the
    // other side null or in another window) raise nothing.
    static void FocusChanged(QWidget* old, QWidget* now)
    {
        if (!old || !now || old->window() != now->window())
            return;
        TControl* from = ControlOf(old);
        TControl* to = ControlOf(now);
        if (from == to)
            return;
        if (from && from->OnExit)
            from->OnExit(from);
        if (to && to->OnEnter)
            to->OnEnter(to);
    }
};

TComponent::TComponent(TComponent* owner)
    : owner_(owner)
{
    if (owner_)
        owner_->components_.push_back(this);
}

TComponent::~TComponent()
{
    if (owner_)
        std::erase(owner_->components_, this);
    std::vector<TComponent*> owned = std::move(components_);
    std::vector<TComponent*> orphans;
    for (TComponent* c : owned) {
        c->owner_ = nullptr;
        if (!c->DeletedByParent())
            orphans.push_back(c);
    }
    for (TComponent* c : orphans)
        delete c;
}

void TComponent::SetName(std::string_view name)
{
    name_ = name;
    if (QObject* o = Object())
        o->setObjectName(QStringFromCp1250(name));
}

TComponent* TComponent::FindComponent(std::string_view name) const
{
    for (TComponent* c : components_)
        if (SameTextNoCase(c->name_, name))
            return c;
    return nullptr;
}

bool TComponent::DeletedByParent()
{
    QObject* o = Object();
    return o && o->parent();
}

TControl::TControl(QWidget* self, TComponent* owner)
    : TComponent(owner)
    , w_(self)
{
    ControlEvents::Instance();
    font_.OnChange = [this] { ApplyFont(); };
}

TControl::~TControl()
{
    if (parent_)
        parent_->RemoveChild(this);
    for (TControl* c : controls_)
        c->parent_ = nullptr;
}

QObject* TControl::Object()
{
    return w_;
}

void TControl::RemoveChild(TControl* child)
{
    std::erase(controls_, child);
}

void TControl::SetParent(TControl* parent)
{
    if (parent == parent_)
        return;
    if (parent_)
        parent_->RemoveChild(this);
    parent_ = parent;
    QRect geometry = w_->geometry();
    if (!parent) {
        w_->setParent(nullptr);
        return;
    }
    parent->controls_.push_back(this);
    w_->setParent(parent->ClientWidget());
    w_->setGeometry(geometry);
    w_->setVisible(visible_);
    if (align_ != alNone)
        parent->AlignControls();
}

int TControl::Left() const
{
    return w_->x();
}

int TControl::Top() const
{
    return w_->y();
}

int TControl::Width() const
{
    return w_->width();
}

int TControl::Height() const
{
    return w_->height();
}

void TControl::SetLeft(int left)
{
    SetBounds(left, Top(), Width(), Height());
}

void TControl::SetTop(int top)
{
    SetBounds(Left(), top, Width(), Height());
}

void TControl::SetWidth(int width)
{
    SetBounds(Left(), Top(), width, Height());
}

void TControl::SetHeight(int height)
{
    SetBounds(Left(), Top(), Width(), height);
}

void TControl::SetBounds(int left, int top, int width, int height)
{
    w_->setGeometry(left, top, std::max(width, 0), std::max(height, 0));
    // A hidden widget gets its resize event only when shown; its aligned
    // children are placed now so that code reading them sees their place.
    AlignControls();
    if (align_ != alNone && parent_)
        parent_->AlignControls();
}

int TControl::ClientWidth() const
{
    return ClientWidget()->width();
}

int TControl::ClientHeight() const
{
    return ClientWidget()->height();
}

void TControl::SetAlign(TAlign align)
{
    align_ = align;
    if (parent_)
        parent_->AlignControls();
}

// Top-aligned children stack from the top, bottom-aligned from the bottom,
// then left and right, and a client-aligned child takes what is left.
void TControl::AlignControls()
{
    QRect r(0, 0, ClientWidth(), ClientHeight());
    for (TAlign pass : { alTop, alBottom, alLeft, alRight, alClient }) {
        for (TControl* c : controls_) {
            if (c->align_ != pass || !c->visible_)
                continue;
            QWidget* w = c->w_;
            switch (pass) {
            case alTop:
                w->setGeometry(r.left(), r.top(), r.width(), w->height());
                r.setTop(r.top() + w->height());
                break;
            case alBottom:
                w->setGeometry(r.left(), r.bottom() + 1 - w->height(), r.width(), w->height());
                r.setBottom(r.bottom() - w->height());
                break;
            case alLeft:
                w->setGeometry(r.left(), r.top(), w->width(), r.height());
                r.setLeft(r.left() + w->width());
                break;
            case alRight:
                w->setGeometry(r.right() + 1 - w->width(), r.top(), w->width(), r.height());
                r.setRight(r.right() - w->width());
                break;
            default:
                w->setGeometry(r);
                break;
            }
        }
    }
}

std::string TControl::Caption() const
{
    return QStringToCp1250(caption_);
}

void TControl::SetCaption(std::string_view text)
{
    caption_ = QStringFromCp1250(text);
    ApplyCaption(caption_);
}

void TControl::SetCaption(std::u16string_view text)
{
    caption_ = QString::fromUtf16(text.data(), qsizetype(text.size()));
    ApplyCaption(caption_);
}

void TControl::ApplyCaption(const QString&)
{
}

void TControl::SetHint(std::string_view hint)
{
    hint_ = hint;
    w_->setToolTip(QStringFromCp1250(GetShortHint(hint)));
}

void TControl::SetVisible(bool visible)
{
    visible_ = visible;
    if (parent_)
        w_->setVisible(visible);
    if (parent_ && align_ != alNone)
        parent_->AlignControls();
}

bool TControl::Showing() const
{
    return w_->isVisible();
}

void TControl::SetEnabled(bool enabled)
{
    enabled_ = enabled;
    w_->setEnabled(enabled);
}

void TControl::SetColor(TColor color)
{
    color_ = color;
    ApplyColor();
}

void TControl::ApplyColor()
{
    SetRoleColor(w_, BackgroundRole(), color_, false);
    if (BackgroundRole() == QPalette::Window) {
        w_->setBackgroundRole(QPalette::Window);
        w_->setAutoFillBackground(true);
    }
}

void TControl::ApplyFont()
{
    w_->setFont(font_.ToQFont());
    SetRoleColor(w_, TextRole(), font_.Color(), true);
}

bool TControl::TabStop() const
{
    return w_->focusPolicy() == Qt::StrongFocus;
}

void TControl::SetTabStop(bool tabStop)
{
    if (w_->focusPolicy() != Qt::NoFocus || tabStop)
        w_->setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::ClickFocus);
}

void TControl::SetFocus()
{
    w_->setFocus(Qt::OtherFocusReason);
}

bool TControl::Focused() const
{
    QWidget* f = QApplication::focusWidget();
    return f && ControlOf(f) == this;
}

bool TControl::CanFocus() const
{
    return w_->isVisible() && w_->isEnabled() && w_->focusPolicy() != Qt::NoFocus;
}

void TControl::Invalidate()
{
    w_->update();
}

void TControl::Repaint()
{
    w_->repaint();
}

void TControl::BringToFront()
{
    w_->raise();
}

std::string GetShortHint(std::string_view hint)
{
    return std::string(hint.substr(0, hint.find('|')));
}

std::string GetLongHint(std::string_view hint)
{
    size_t bar = hint.find('|');
    return std::string(bar == std::string_view::npos ? hint : hint.substr(bar + 1));
}

TForm::TForm(TComponent* owner)
    : QWidget(nullptr, Qt::Window)
    , TControl(this, owner)
    , client_(new FormClient(this))
{
    visible_ = false;
    client_->setGeometry(rect());
    SetColor(clBtnFace);
}

TForm::~TForm() = default;

void TForm::SetBounds(int left, int top, int width, int height)
{
    move(left, top);
    resize(std::max(width, 0), std::max(height, 0));
    LayoutClient();
}

int TForm::ClientWidth() const
{
    return width();
}

int TForm::ClientHeight() const
{
    return std::max(height() - MenuHeight(), 0);
}

int TForm::MenuHeight() const
{
    return menuBar_ ? menuBar_->sizeHint().height() : 0;
}

void TForm::SetClientWidth(int width)
{
    resize(width, height());
    LayoutClient();
}

void TForm::SetClientHeight(int h)
{
    resize(width(), h + MenuHeight());
    LayoutClient();
}

void TForm::SetVisible(bool visible)
{
    visible_ = visible;
    setVisible(visible);
}

QMenuBar* TForm::MenuBar()
{
    if (!menuBar_) {
        int clientHeight = ClientHeight();
        menuBar_ = new QMenuBar(this);
        menuBar_->setNativeMenuBar(false);
        resize(width(), clientHeight + MenuHeight());
        LayoutClient();
    }
    return menuBar_;
}

void TForm::SetMenu(TMainMenu* menu)
{
    menu_ = menu;
    if (menu)
        menu->AttachTo(MenuBar());
}

// Hidden windows get their resize events only when shown, so the client area
// and its aligned controls are laid out here at once.
void TForm::LayoutClient()
{
    int top = MenuHeight();
    if (menuBar_) {
        menuBar_->setGeometry(0, 0, width(), top);
        menuBar_->show();
    }
    client_->setGeometry(0, top, width(), ClientHeight());
    AlignControls();
}

TControl* TForm::ActiveControl() const
{
    QWidget* f = focusWidget();
    return f ? ControlOf(f) : nullptr;
}

void TForm::SetFormStyle(TFormStyle style)
{
    formStyle_ = style;
    setWindowFlag(Qt::WindowStaysOnTopHint, style == fsStayOnTop);
}

int TForm::ShowModal()
{
    modalResult_ = mrNone;
    setWindowModality(Qt::ApplicationModal);
    SetVisible(true);
    QEventLoop loop;
    modalLoop_ = &loop;
    if (modalResult_ == mrNone)
        loop.exec();
    modalLoop_ = nullptr;
    SetVisible(false);
    setWindowModality(Qt::NonModal);
    return modalResult_;
}

void TForm::SetModalResult(int result)
{
    modalResult_ = result;
    if (result != mrNone && modalLoop_)
        modalLoop_->quit();
}

void TForm::Close()
{
    close();
}

void TForm::closeEvent(QCloseEvent* event)
{
    TCloseAction action = caHide;
    if (OnClose)
        OnClose(this, action);
    if (action == caNone) {
        event->ignore();
        return;
    }
    visible_ = false;
    event->accept();
    if (modalLoop_) {
        if (modalResult_ == mrNone)
            modalResult_ = mrCancel;
        modalLoop_->quit();
    } else if (action == caFree)
        deleteLater();
}

void TForm::SelectNextControl(bool forward)
{
    focusNextPrevChild(forward);
}

void TForm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    LayoutClient();
    if (OnResize)
        OnResize(this);
}

void TForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (OnShow && !event->spontaneous())
        OnShow(this);
}

void TForm::ApplyCaption(const QString& text)
{
    setWindowTitle(text);
}

QImage TForm::GetFormImage()
{
    return client_->grab().toImage();
}

void TForm::DoCreate()
{
    if (OnCreate)
        OnCreate(this);
}

TApplication::TApplication()
    : TComponent(nullptr)
{
    Application = this;
}

TApplication::~TApplication()
{
    if (Application == this)
        Application = nullptr;
}

void TApplication::SetHint(std::string_view hint)
{
    if (hint == hint_)
        return;
    hint_ = hint;
    if (OnHint)
        OnHint(this);
}

void TApplication::ProcessMessages()
{
    QCoreApplication::processEvents();
}

int TApplication::Run()
{
    return QCoreApplication::exec();
}

void TApplication::Terminate()
{
    QCoreApplication::quit();
}

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
