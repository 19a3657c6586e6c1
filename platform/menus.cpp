#include "platform/menus.h"

#include "platform/cp1250.h"

#include <QMenu>
#include <QMenuBar>

#include <algorithm>
#include <set>

namespace {

// Every menu item with a shortcut, for the edits' key test.
std::set<TMenuItem*>& ShortCutItems()
{
    static std::set<TMenuItem*> items;
    return items;
}

} // namespace

bool IsMenuShortCut(const QKeySequence& keys)
{
    for (TMenuItem* item : ShortCutItems())
        if (item->Action()->shortcut() == keys && item->Action()->isEnabled())
            return true;
    return false;
}

TMenuItem::TMenuItem(TComponent* owner)
    : TComponent(owner)
{
    action_.setShortcutContext(Qt::WindowShortcut);
    QObject::connect(&action_, &QAction::triggered, [this] {
        // The toolkit toggles checkable actions on its own; the item's
        // Checked only changes when code sets it.
        action_.setChecked(checked_);
        Click();
    });
    QObject::connect(&action_, &QAction::hovered, [this] {
        if (Application)
            Application->SetHint(GetLongHint(hint_));
    });
}

TMenuItem::~TMenuItem()
{
    ShortCutItems().erase(this);
    if (parent_)
        parent_->Remove(this);
    Clear();
    delete subMenu_;
}

std::string TMenuItem::Caption() const
{
    return action_.isSeparator() ? std::string("-") : QStringToCp1250(action_.text());
}

void TMenuItem::SetCaption(std::string_view caption)
{
    // A separator keeps no text: some styles draw a separator's text as a section title.
    const bool separator = caption == "-";
    action_.setSeparator(separator);
    action_.setText(separator ? QString() : QStringFromCp1250(caption));
}

void TMenuItem::SetHint(std::string_view hint)
{
    hint_ = hint;
    action_.setToolTip(QStringFromCp1250(GetShortHint(hint)));
    action_.setStatusTip(QStringFromCp1250(GetLongHint(hint)));
}

std::string TMenuItem::ShortCut() const
{
    return action_.shortcut().toString(QKeySequence::PortableText).toStdString();
}

void TMenuItem::SetShortCut(std::string_view keys)
{
    QKeySequence seq = QKeySequence::fromString(QStringFromCp1250(keys), QKeySequence::PortableText);
    action_.setShortcut(seq);
    if (seq.isEmpty())
        ShortCutItems().erase(this);
    else
        ShortCutItems().insert(this);
}

void TMenuItem::SetChecked(bool checked)
{
    checked_ = checked;
    action_.setCheckable(checked_ || radioItem_);
    action_.setChecked(checked_);
    if (checked && radioItem_ && parent_) {
        for (TMenuItem* sibling : parent_->items_)
            if (sibling != this && sibling->radioItem_ && sibling->groupIndex_ == groupIndex_ && sibling->checked_)
                sibling->SetChecked(false);
    }
}

void TMenuItem::SetRadioItem(bool radio)
{
    radioItem_ = radio;
    SetChecked(checked_);
}

void TMenuItem::SetGroupIndex(int index)
{
    groupIndex_ = index;
}

int TMenuItem::IndexOf(const TMenuItem* item) const
{
    auto it = std::find(items_.begin(), items_.end(), item);
    return it == items_.end() ? -1 : int(it - items_.begin());
}

void TMenuItem::Add(TMenuItem* item)
{
    Insert(Count(), item);
}

void TMenuItem::Insert(int index, TMenuItem* item)
{
    if (item->parent_)
        item->parent_->Remove(item);
    index = std::clamp(index, 0, Count());
    items_.insert(items_.begin() + index, item);
    item->parent_ = this;
    QAction* before = index + 1 < Count() ? &items_[size_t(index) + 1]->action_ : nullptr;
    QWidget* host = bar_ ? static_cast<QWidget*>(bar_) : SubMenu();
    host->insertAction(before, &item->action_);
    Rebuild();
}

void TMenuItem::Remove(TMenuItem* item)
{
    auto it = std::find(items_.begin(), items_.end(), item);
    if (it == items_.end())
        return;
    items_.erase(it);
    item->parent_ = nullptr;
    if (subMenu_)
        subMenu_->removeAction(&item->action_);
    if (bar_)
        bar_->removeAction(&item->action_);
    Rebuild();
}

void TMenuItem::Delete(int index)
{
    delete items_.at(index);
}

void TMenuItem::Clear()
{
    while (!items_.empty())
        delete items_.back();
}

void TMenuItem::Click()
{
    if (OnClick)
        OnClick(this);
}

QMenu* TMenuItem::SubMenu()
{
    if (!subMenu_)
        subMenu_ = new QMenu();
    return subMenu_;
}

// An item with children opens its submenu; one without runs its command.
void TMenuItem::Rebuild()
{
    action_.setMenu(items_.empty() ? static_cast<QMenu*>(nullptr) : subMenu_);
}

TMenu::TMenu(TComponent* owner)
    : TComponent(owner)
    , root_(new TMenuItem(nullptr))
{
    root_->rooted_ = true;
}

TMenu::~TMenu()
{
    delete root_;
}

TMainMenu::TMainMenu(TComponent* owner)
    : TMenu(owner)
{
}

void TMainMenu::AttachTo(QMenuBar* bar)
{
    root_->bar_ = bar;
    bar->clear();
    for (TMenuItem* item : root_->items_)
        bar->addAction(&item->action_);
}

TPopupMenu::TPopupMenu(TComponent* owner)
    : TMenu(owner)
{
}

QMenu* TPopupMenu::Menu()
{
    return root_->SubMenu();
}

void TPopupMenu::Popup(int screenX, int screenY)
{
    Menu()->popup(QPoint(screenX, screenY));
}
