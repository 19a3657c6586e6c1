#include "platform/comctrls.h"

#include "platform/cp1250.h"
#include "platform/stdctrls.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>
#include <QToolButton>

#include <algorithm>
#include <charconv>

TUpDown::TUpDown(TComponent* owner)
    : QWidget(nullptr)
    , TControl(this, owner)
    , up_(new QToolButton(this))
    , down_(new QToolButton(this))
{
    for (auto [button, type] : { std::pair { up_, btNext }, std::pair { down_, btPrev } }) {
        button->setArrowType(type == btNext ? Qt::UpArrow : Qt::DownArrow);
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoRepeat(true);
        connect(button, &QToolButton::clicked, [this, type = type] { Click(type); });
    }
    setFocusPolicy(Qt::NoFocus);
    resize(16, 21);
}

void TUpDown::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    int half = height() / 2;
    up_->setGeometry(0, 0, width(), half);
    down_->setGeometry(0, half, width(), height() - half);
}

int TUpDown::Clamp(long long value) const
{
    long long lo = std::min(min_, max_), hi = std::max(min_, max_);
    return int(std::clamp(value, lo, hi));
}

void TUpDown::SetMin(int min)
{
    min_ = min;
    position_ = Clamp(position_);
}

void TUpDown::SetMax(int max)
{
    max_ = max;
    position_ = Clamp(position_);
}

std::optional<long long> TUpDown::ParsePosition(std::string_view text)
{
    std::string digits;
    for (char c : text)
        if (c != ' ' && c != '\xA0')
            digits += c;
    if (!digits.empty() && digits[0] == '+')
        digits.erase(0, 1);
    long long value = 0;
    const char* end = digits.data() + digits.size();
    auto [ptr, ec] = std::from_chars(digits.data(), end, value);
    if (digits.empty() || ec != std::errc() || ptr != end)
        return std::nullopt;
    return value;
}

int TUpDown::Position() const
{
    if (TEdit* edit = Associate()) {
        if (auto value = ParsePosition(edit->Text()))
            position_ = Clamp(*value);
    }
    return position_;
}

void TUpDown::SetPosition(int position)
{
    int value = Clamp(position);
    if (changingOnSet_ && OnChangingEx) {
        bool allow = true;
        OnChangingEx(this, allow, value, updNone);
        if (!allow)
            return;
    }
    position_ = value;
    WriteAssociate();
}

void TUpDown::SetAssociate(TEdit* edit)
{
    if (TEdit* old = Associate())
        old->removeEventFilter(this);
    associate_ = edit;
    associateAlive_ = static_cast<QObject*>(edit);
    if (edit) {
        edit->installEventFilter(this);
        WriteAssociate();
    }
}

void TUpDown::SetThousands(bool thousands)
{
    thousands_ = thousands;
}

std::string TUpDown::FormatPosition(int position) const
{
    std::string digits = std::to_string(position < 0 ? -(long long)position : (long long)position);
    if (thousands_)
        for (int i = int(digits.size()) - 3; i > 0; i -= 3)
            digits.insert(size_t(i), 1, ' ');
    return position < 0 ? "-" + digits : digits;
}

void TUpDown::WriteAssociate()
{
    if (TEdit* edit = Associate())
        edit->SetText(FormatPosition(position_));
}

void TUpDown::Click(TUDBtnType button)
{
    long long next = (long long)Position() + (button == btNext ? increment_ : -increment_);
    if (OnChangingEx) {
        bool allow = true;
        OnChangingEx(
            this, allow, int(std::clamp<long long>(next, INT_MIN, INT_MAX)), button == btNext ? updUp : updDown);
        if (!allow)
            return;
    }
    position_ = Clamp(next);
    WriteAssociate();
    if (OnClick)
        OnClick(this, button);
}

// The arrow keys in the associate step the value like the arrows.
bool TUpDown::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == associateAlive_.data() && event->type() == QEvent::KeyPress && isEnabled()) {
        int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            Click(key == Qt::Key_Up ? btNext : btPrev);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

TTabSheet::TTabSheet(TComponent* owner)
    : QWidget(nullptr)
    , TControl(this, owner)
{
}

TTabSheet::~TTabSheet()
{
    if (pageControl_)
        pageControl_->RemovePage(this);
}

void TTabSheet::SetParent(TControl* parent)
{
    if (auto* pc = dynamic_cast<TPageControl*>(parent))
        SetPageControl(pc);
    else {
        SetPageControl(nullptr);
        TControl::SetParent(parent);
    }
}

void TTabSheet::SetPageControl(TPageControl* pageControl)
{
    if (pageControl == pageControl_)
        return;
    if (pageControl_)
        pageControl_->RemovePage(this);
    pageControl_ = pageControl;
    TControl::SetParent(pageControl);
    if (pageControl)
        pageControl->InsertPage(this);
}

int TTabSheet::PageIndex() const
{
    if (!pageControl_)
        return -1;
    auto& pages = pageControl_->pages_;
    return int(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetPageIndex(int index)
{
    if (pageControl_)
        pageControl_->MovePage(this, index);
}

void TTabSheet::SetTabVisible(bool visible)
{
    tabVisible_ = visible;
    if (pageControl_)
        pageControl_->SetTabShown(this, visible);
}

int TTabSheet::TabIndex() const
{
    if (!pageControl_ || !tabVisible_)
        return -1;
    int index = 0;
    for (TTabSheet* page : pageControl_->pages_) {
        if (page == this)
            return index;
        index += page->tabVisible_ ? 1 : 0;
    }
    return -1;
}

void TTabSheet::ApplyCaption(const QString& text)
{
    if (pageControl_)
        pageControl_->bar_->setTabText(PageIndex(), text);
}

TPageControl::TPageControl(TComponent* owner)
    : QWidget(nullptr)
    , TControl(this, owner)
    , bar_(new QTabBar(this))
{
    bar_->setDrawBase(false);
    bar_->setExpanding(false);
    connect(bar_, &QTabBar::currentChanged, [this](int index) {
        if (!updating_)
            UserSelect(index);
    });
    resize(289, 193);
}

TPageControl::~TPageControl()
{
    for (TTabSheet* page : pages_)
        page->pageControl_ = nullptr;
}

void TPageControl::InsertPage(TTabSheet* page)
{
    updating_ = true;
    pages_.push_back(page);
    int index = bar_->addTab(page->caption_);
    bar_->setTabVisible(index, page->tabVisible_);
    updating_ = false;
    if (!active_ && page->tabVisible_)
        active_ = page;
    LayoutPages();
    ShowActive();
}

void TPageControl::RemovePage(TTabSheet* page)
{
    auto it = std::find(pages_.begin(), pages_.end(), page);
    if (it == pages_.end())
        return;
    updating_ = true;
    bar_->removeTab(int(it - pages_.begin()));
    pages_.erase(it);
    updating_ = false;
    if (active_ == page) {
        int current = bar_->currentIndex();
        active_ = current >= 0 ? pages_[size_t(current)] : nullptr;
    }
    ShowActive();
}

void TPageControl::MovePage(TTabSheet* page, int index)
{
    int from = page->PageIndex();
    index = std::clamp(index, 0, PageCount() - 1);
    if (from == index)
        return;
    updating_ = true;
    pages_.erase(pages_.begin() + from);
    pages_.insert(pages_.begin() + index, page);
    bar_->moveTab(from, index);
    updating_ = false;
    ShowActive();
}

void TPageControl::SetTabShown(TTabSheet* page, bool visible)
{
    updating_ = true;
    bar_->setTabVisible(page->PageIndex(), visible);
    updating_ = false;
    if (!visible && page == active_) {
        int current = bar_->currentIndex();
        active_ = current >= 0 && current != page->PageIndex() && pages_[size_t(current)]->tabVisible_
            ? pages_[size_t(current)]
            : nullptr;
    } else if (visible && !active_)
        active_ = page;
    ShowActive();
}

int TPageControl::ActivePageIndex() const
{
    return active_ ? active_->PageIndex() : -1;
}

void TPageControl::SetActivePage(TTabSheet* page)
{
    if (page && page->pageControl_ != this)
        return;
    active_ = page;
    ShowActive();
}

void TPageControl::SetActivePageIndex(int index)
{
    SetActivePage(index >= 0 && index < PageCount() ? pages_[size_t(index)] : nullptr);
}

void TPageControl::UserSelect(int index)
{
    TTabSheet* next = index >= 0 ? pages_[size_t(index)] : nullptr;
    if (next == active_)
        return;
    if (OnChanging) {
        bool allow = true;
        OnChanging(this, allow);
        if (!allow) {
            ShowActive();
            return;
        }
    }
    // The edit being worked in on the old page finishes (its OnExit) while
    // its page is still shown.
    QWidget* focus = QApplication::focusWidget();
    if (active_ && focus && active_->isAncestorOf(focus))
        bar_->setFocus(Qt::TabFocusReason);
    active_ = next;
    ShowActive();
    if (OnChange)
        OnChange(this);
}

void TPageControl::ShowActive()
{
    updating_ = true;
    bar_->setCurrentIndex(active_ ? active_->PageIndex() : -1);
    updating_ = false;
    if (active_) {
        active_->visible_ = true;
        active_->Widget()->show();
    }
    for (TTabSheet* page : pages_) {
        if (page != active_) {
            page->visible_ = false;
            page->Widget()->hide();
        }
    }
}

QRect TPageControl::PageRect() const
{
    int top = bar_->sizeHint().height();
    return QRect(4, top + 4, std::max(width() - 8, 0), std::max(height() - top - 8, 0));
}

void TPageControl::LayoutPages()
{
    bar_->setGeometry(2, 0, std::max(width() - 4, 0), bar_->sizeHint().height());
    QRect r = PageRect();
    for (TTabSheet* page : pages_)
        page->Widget()->setGeometry(r);
}

void TPageControl::SetBounds(int left, int top, int width, int height)
{
    TControl::SetBounds(left, top, width, height);
    LayoutPages();
}

void TPageControl::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    LayoutPages();
}

void TPageControl::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QStyleOptionTabWidgetFrame opt;
    opt.initFrom(this);
    int top = bar_->sizeHint().height() - style()->pixelMetric(QStyle::PM_TabBarBaseOverlap, nullptr, this);
    opt.rect = QRect(0, top, width(), height() - top);
    opt.shape = QTabBar::RoundedNorth;
    opt.tabBarSize = bar_->sizeHint();
    opt.tabBarRect = bar_->geometry();
    opt.selectedTabRect = bar_->tabRect(bar_->currentIndex()).translated(bar_->pos());
    style()->drawPrimitive(QStyle::PE_FrameTabWidget, &opt, &p, this);
}

void TStatusPanel::SetText(std::string_view text)
{
    text_ = text;
    bar_->update();
}

void TStatusPanel::SetWidth(int width)
{
    width_ = width;
    bar_->update();
}

TStatusBar::TStatusBar(TComponent* owner)
    : QWidget(nullptr)
    , TControl(this, owner)
{
    resize(200, 19);
    SetAlign(alBottom);
}

TStatusBar::~TStatusBar() = default;

TStatusPanel* TStatusBar::AddPanel()
{
    panels_.push_back(std::make_unique<TStatusPanel>(this));
    update();
    return panels_.back().get();
}

// Panels side by side from the left, each in a sunken frame; the last one
// reaches to the right edge.
void TStatusBar::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), ColorToQColor(Color()));
    p.setFont(font());
    QColor dark = palette().color(QPalette::Dark), light = palette().color(QPalette::Light);
    int x = 0;
    for (size_t i = 0; i < panels_.size(); ++i) {
        int w = i + 1 == panels_.size() ? std::max(width() - x, 0) : panels_[i]->Width();
        QRect r(x, 2, w - 2, height() - 2);
        p.setPen(dark);
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(light);
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
        p.setPen(ColorToQColor(Font()->Color()));
        p.drawText(r.adjusted(3, 0, -2, 0), Qt::AlignVCenter | Qt::AlignLeft, QStringFromCp1250(panels_[i]->Text()));
        x += w;
    }
}

TCGauge::TCGauge(TComponent* owner)
    : QWidget(nullptr)
    , TControl(this, owner)
{
    resize(100, 20);
}

void TCGauge::SetMinValue(int value)
{
    min_ = value;
    SetProgress(progress_);
}

void TCGauge::SetMaxValue(int value)
{
    max_ = value;
    SetProgress(progress_);
}

void TCGauge::SetProgress(int value)
{
    progress_ = std::clamp(value, std::min(min_, max_), std::max(min_, max_));
    update();
}

int TCGauge::PercentDone() const
{
    if (max_ == min_)
        return 0;
    return int((long long)(progress_ - min_) * 100 / ((long long)max_ - min_));
}

void TCGauge::SetForeColor(TColor color)
{
    foreColor_ = color;
    update();
}

void TCGauge::SetBackColor(TColor color)
{
    backColor_ = color;
    update();
}

void TCGauge::SetShowText(bool show)
{
    showText_ = show;
    update();
}

void TCGauge::SetKind(TGaugeKind kind)
{
    kind_ = kind;
    update();
}

void TCGauge::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QRect inner = rect().adjusted(1, 1, -1, -1);
    p.setPen(Qt::black);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.fillRect(inner, ColorToQColor(backColor_));
    QRect bar = inner;
    if (kind_ == gkHorizontalBar)
        bar.setWidth(inner.width() * PercentDone() / 100);
    else
        bar.setTop(inner.bottom() + 1 - inner.height() * PercentDone() / 100);
    p.fillRect(bar, ColorToQColor(foreColor_));
    if (!showText_)
        return;
    // The percentage shows in the back colour over the bar and in the fore
    // colour beside it.
    QString text = QString::number(PercentDone()) + u'%';
    p.setFont(font());
    p.setClipRect(inner);
    p.setPen(ColorToQColor(foreColor_));
    p.drawText(inner, Qt::AlignCenter, text);
    p.setClipRect(bar);
    p.setPen(ColorToQColor(backColor_));
    p.drawText(inner, Qt::AlignCenter, text);
}
