#include "app/controlfactory.h"

#include "app/About.h"
#include "app/main.h"

namespace {

template <class T> T* MakeOn(TMainForm* owner, TControl* parent)
{
    T* control = new T(owner);
    control->SetParent(parent);
    return control;
}

void PlaceSized(TControl* control, int x, int y, int width, int height)
{
    control->SetLeft(x);
    control->SetTop(y);
    if (width != 0)
        control->SetWidth(width);
    if (height != 0)
        control->SetHeight(height);
}

void PlaceUpDownBeside(TUpDown* upDown, TEdit* edit, int x, int y, int width)
{
    if (edit) {
        edit->SetLeft(x);
        edit->SetTop(y);
        if (width != 0)
            edit->SetWidth(width);
    }
    upDown->SetBounds(x + width, y, UPDOWN_WIDTH, UPDOWN_HEIGHT);
}

void BindEdit(TMainForm* owner, TEdit* edit)
{
    edit->OnExit = [owner](TObject* sender) { owner->FormEditLooseFocus(sender); };
    edit->OnKeyPress = [owner](TObject* sender, char16_t& key) { owner->FormKeyPressW(sender, key); };
}

void BindUpDownClick(TMainForm* owner, TUpDown* upDown)
{
    upDown->OnClick = [owner](TObject* sender, TUDBtnType button) { owner->FormUpDownClick(sender, button); };
}

} // namespace

void CreateDeciEditUpDown(TMainForm* owner, TDeciUpDown*& upDown, TDeciEdit*& edit, TControl* parent)
{
    edit = MakeOn<TDeciEdit>(owner, parent);
    upDown = MakeOn<TDeciUpDown>(owner, parent);
    edit->partner = upDown;
    upDown->partner = edit;
    BindEdit(owner, edit);
    edit->OnChange = [owner](TObject* sender) { owner->EditDeciChg(sender); };
    BindUpDownClick(owner, upDown);
    upDown->OnChangingEx = [owner](TObject* sender, bool& allow, int value, TUpDownDirection direction) {
        owner->UpDnDeciChg(sender, allow, value, direction);
    };
}

void PlaceDeciEditUpDown(TDeciUpDown* upDown, int x, int y, int min, int max, int divisor, int width)
{
    PlaceUpDownBeside(upDown, upDown->partner, x, y, width);
    upDown->SetMin(min);
    upDown->SetMax(max);
    upDown->SetIncrement(1);
    upDown->divisor = divisor;
}

void CreateEditUpDown(TMainForm* owner, TUpDown*& upDown, TEdit*& edit, TControl* parent)
{
    edit = MakeOn<TEdit>(owner, parent);
    upDown = MakeOn<TUpDown>(owner, parent);
    upDown->SetAssociate(edit);
    BindEdit(owner, edit);
    BindUpDownClick(owner, upDown);
}

void PlaceEditUpDown(TUpDown* upDown, int x, int y, int min, int max, int increment, int width)
{
    PlaceUpDownBeside(upDown, upDown->Associate(), x, y, width);
    upDown->SetMin(min);
    upDown->SetMax(max);
    upDown->SetIncrement(increment);
}

void CreateLabel(TMainForm* owner, TLabel*& label, TControl* parent, int x, int y, std::u16string_view caption)
{
    label = MakeOn<TLabel>(owner, parent);
    label->SetLeft(x);
    label->SetTop(y);
    label->SetCaption(caption);
}

void CreateCheckBox(
    TMainForm* owner, TCheckBox*& box, TControl* parent, int x, int y, int width, int height, std::string_view caption)
{
    box = MakeOn<TCheckBox>(owner, parent);
    PlaceSized(box, x, y, width, height);
    box->SetTabStop(false);
    box->SetCaption(caption);
    box->OnClick = [owner](TObject* sender) { owner->FormCheckBoxClick(sender); };
}

void CreateRadioGroup(TMainForm* owner, TRadioGroup*& group, TControl* parent, int x, int y, int width, int height,
    std::string_view caption, std::string_view items)
{
    group = MakeOn<TRadioGroup>(owner, parent);
    PlaceSized(group, x, y, width, height);
    group->SetTabStop(false);
    group->SetCaption(caption);
    size_t start = 0;
    for (;;) {
        std::string_view item = items.substr(start, RADIO_ITEM_MAX);
        group->AddItem(item.substr(0, item.find(',')));
        size_t comma = items.find(',', start);
        if (comma == std::string_view::npos)
            break;
        start = comma + 1;
    }
    group->OnClick = [owner](TObject* sender) { owner->FormCheckBoxClick(sender); };
}

void CreateRadioButton(TMainForm* owner, TRadioButton*& button, TControl* parent, int x, int y, int width, int height,
    std::string_view caption)
{
    button = MakeOn<TRadioButton>(owner, parent);
    PlaceSized(button, x, y, width, height);
    button->SetTabStop(false);
    button->SetCaption(caption);
    button->OnClick = [owner](TObject* sender) { owner->FormRadioGroupClick(sender); };
}

void CreateComboBox(TMainForm* owner, TComboBox*& box, TControl* parent, int x, int y, int width, int height)
{
    box = MakeOn<TComboBox>(owner, parent);
    PlaceSized(box, x, y, width, height);
    box->SetStyle(csDropDownList);
    box->SetTabStop(false);
    box->OnChange = [owner](TObject* sender) { owner->FormRadioGroupClick(sender); };
}

void CreateMemo(TMainForm* owner, TMemo*& memo, TControl* parent, int x, int y, int width, int height)
{
    memo = MakeOn<TMemo>(owner, parent);
    PlaceSized(memo, x, y, width, height);
}

void CreateEdit(TMainForm* owner, TEdit*& edit, TControl* parent, int x, int y, int width, int height)
{
    edit = MakeOn<TEdit>(owner, parent);
    PlaceSized(edit, x, y, width, height);
    BindEdit(owner, edit);
}

// The main window has no click handler of its own: the caller assigns one.
void CreateButton(
    TMainForm* owner, TButton*& button, TControl* parent, int x, int y, int width, int height, std::string_view caption)
{
    button = MakeOn<TButton>(owner, parent);
    PlaceSized(button, x, y, width, height);
    button->SetCaption(caption);
}

void CreateGroupBox(TMainForm* owner, TGroupBox*& box, TControl* parent, int x, int y, int width, int height)
{
    box = MakeOn<TGroupBox>(owner, parent);
    box->SetBounds(x, y, width, height);
}
