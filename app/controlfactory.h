#pragma once
// Controls that pages build at run time, placed on a parent and bound to the
// main window's shared edit handlers. Width or height 0 keeps the control's
// default size. Captions of check boxes, radio controls and buttons are
// 8-bit texts; a label's caption is UTF-16.

#include <string_view>

class TMainForm;
class TControl;
class TEdit;
class TUpDown;
class TDeciEdit;
class TDeciUpDown;
class TLabel;
class TCheckBox;
class TRadioGroup;
class TRadioButton;
class TButton;
class TGroupBox;
class TComboBox;
class TMemo;

// The up-down of a pair stands 16 x 21 at the right of its edit.
constexpr int UPDOWN_WIDTH = 16;
constexpr int UPDOWN_HEIGHT = 21;
// Longest item text of a radio group built from a comma list.
constexpr int RADIO_ITEM_MAX = 31;

void CreateDeciEditUpDown(TMainForm* owner, TDeciUpDown*& upDown, TDeciEdit*& edit, TControl* parent);
void PlaceDeciEditUpDown(TDeciUpDown* upDown, int x, int y, int min, int max, int divisor, int width);
void CreateEditUpDown(TMainForm* owner, TUpDown*& upDown, TEdit*& edit, TControl* parent);
void PlaceEditUpDown(TUpDown* upDown, int x, int y, int min, int max, int increment, int width);
void CreateLabel(TMainForm* owner, TLabel*& label, TControl* parent, int x, int y, std::u16string_view caption);
void CreateCheckBox(
    TMainForm* owner, TCheckBox*& box, TControl* parent, int x, int y, int width, int height, std::string_view caption);
void CreateRadioGroup(TMainForm* owner, TRadioGroup*& group, TControl* parent, int x, int y, int width, int height,
    std::string_view caption, std::string_view items);
// Bound like a radio group's item: the shared radio handler commits it.
void CreateRadioButton(TMainForm* owner, TRadioButton*& button, TControl* parent, int x, int y, int width, int height,
    std::string_view caption);
// A drop-down list bound like a radio group: its pick is stored as the item's
// position.
void CreateComboBox(TMainForm* owner, TComboBox*& box, TControl* parent, int x, int y, int width, int height);
// The caller binds its memo's exit.
void CreateMemo(TMainForm* owner, TMemo*& memo, TControl* parent, int x, int y, int width, int height);
// An edit without an up-down, bound to the shared edit handlers.
void CreateEdit(TMainForm* owner, TEdit*& edit, TControl* parent, int x, int y, int width, int height);
void CreateButton(TMainForm* owner, TButton*& button, TControl* parent, int x, int y, int width, int height,
    std::string_view caption);
void CreateGroupBox(TMainForm* owner, TGroupBox*& box, TControl* parent, int x, int y, int width, int height);
