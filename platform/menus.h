#pragma once
// Menus: the main menu bar, popup menus and their items. A shortcut of a menu
// item is taken before the focused control sees the key, so Ctrl+Z reaches
// the undo command even while an edit box has the focus.

#include "platform/controls.h"

#include <QAction>
#include <QMenuBar>
#include <QPointer>

#include <string>
#include <string_view>
#include <vector>

class QMenu;

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;
    const char* ClassName() const override { return "TMenuItem"; }
    QObject* Object() override { return &action_; }
    QAction* Action() { return &action_; }

    // "&" marks the access key; "-" makes a separator.
    std::string Caption() const;
    void SetCaption(std::string_view caption);
    const std::string& Hint() const { return hint_; }
    void SetHint(std::string_view hint);
    // Key text such as "Ctrl+S" or "F5"; empty for none.
    std::string ShortCut() const;
    void SetShortCut(std::string_view keys);
    bool Checked() const { return checked_; }
    // Code changes raise no OnClick; a radio item unchecks the other radio
    // items of its group index under the same parent.
    void SetChecked(bool checked);
    bool RadioItem() const { return radioItem_; }
    void SetRadioItem(bool radio);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int index);
    bool Visible() const { return action_.isVisible(); }
    void SetVisible(bool visible) { action_.setVisible(visible); }
    bool Enabled() const { return action_.isEnabled(); }
    void SetEnabled(bool enabled) { action_.setEnabled(enabled); }

    TMenuItem* Parent() const { return parent_; }
    int Count() const { return int(items_.size()); }
    TMenuItem* Items(int index) const { return items_.at(index); }
    int IndexOf(const TMenuItem* item) const;
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    // Takes the item out without deleting it.
    void Remove(TMenuItem* item);
    // Deletes the item at index.
    void Delete(int index);
    void Clear();
    // What a user's choice does: OnClick (no change of Checked).
    void Click();

    TNotifyEvent OnClick;

protected:
    bool DeletedByParent() override { return parent_ != nullptr || rooted_; }

private:
    friend class TMenu;
    friend class TMainMenu;
    friend class TPopupMenu;
    QMenu* SubMenu();
    void Rebuild();

    QAction action_;
    QMenu* subMenu_ = nullptr;
    TMenuItem* parent_ = nullptr;
    std::vector<TMenuItem*> items_;
    std::string hint_;
    bool checked_ = false;
    bool radioItem_ = false;
    int groupIndex_ = 0;
    bool rooted_ = false;
    QPointer<QMenuBar> bar_; // the root of a main menu shows its items here
};

// The root of a menu's item tree.
class TMenu : public TComponent {
public:
    explicit TMenu(TComponent* owner);
    ~TMenu() override;
    TMenuItem* Items() { return root_; }

protected:
    TMenuItem* root_;
};

class TMainMenu : public TMenu {
public:
    explicit TMainMenu(TComponent* owner);
    const char* ClassName() const override { return "TMainMenu"; }
    // Shows the top-level items in a form's menu bar (TForm::SetMenu).
    void AttachTo(QMenuBar* bar);
};

class TPopupMenu : public TMenu {
public:
    explicit TPopupMenu(TComponent* owner);
    const char* ClassName() const override { return "TPopupMenu"; }
    void Popup(int screenX, int screenY);
    QMenu* Menu();
};

// True when keys are the enabled shortcut of a menu item; edit controls then
// leave the key to the menu.
bool IsMenuShortCut(const QKeySequence& keys);
