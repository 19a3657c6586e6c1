// The base of the control layer: components, controls, their hints, focus
// moves and aligned children. Forms and the application object are in
// controls_form.cpp, the simple drawn controls in controls_simple.cpp.
#include "platform/controls.h"

#include "platform/controls_detail.h"
#include "platform/cp1250.h"

#include <QApplication>
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

namespace controls_detail {

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

} // namespace controls_detail

using controls_detail::ControlOf;

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
