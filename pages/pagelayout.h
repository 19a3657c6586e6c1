#pragma once
// A page's run-time controls as a table of rows: kind, the field of the
// page's control struct it fills, where it goes, its size and range. The
// builder makes them in the order of the rows with the control factory, so
// they bind to the main window's shared edit handlers.
//
// Where a row goes: LEFT_ABSOLUTE at x; LEFT_FLOW x pixels after the right
// end of the previous row's control (a label is measured with the text it was
// given); LEFT_FROM_RIGHT x pixels left of the parent's client width. The top
// is counted from the origin the page gives the builder.

#include "app/About.h"
#include "app/controlfactory.h"
#include "platform/comctrls.h"
#include "platform/controls.h"
#include "platform/stdctrls.h"
#include "texts/langtext.h"

#include <span>
#include <string>
#include <variant>

class TMainForm;

enum class PageControlKind {
    EditUpDown,
    DeciEditUpDown,
    Label,
    RadioGroup,
    CheckBox,
    GroupBox,
    ComboBox,
    RadioButton,
    Memo,
    Button,
    Edit,
    Image,
};
enum class PageLeft { LEFT_ABSOLUTE, LEFT_FLOW, LEFT_FROM_RIGHT };

// Rows read best with designated initialisers ({ .kind = ComboBox, .field =
// &C::ComboBoxBike, .x = 8, ... }); the older pages list the first fields in
// order.
template <class Controls> struct PageLayoutRow {
    PageControlKind kind;
    // The up-down of an edit pair, or the control itself.
    std::variant<TUpDown * Controls::*, TDeciUpDown * Controls::*, TLabel * Controls::*, TRadioGroup * Controls::*,
        TCheckBox * Controls::*, TGroupBox * Controls::*, TComboBox * Controls::*, TRadioButton * Controls::*,
        TMemo * Controls::*, TButton * Controls::*, TEdit * Controls::*, TImage * Controls::*>
        field;
    TEdit* Controls::*edit = nullptr; // the edit of a pair; null otherwise
    PageLeft anchor = PageLeft::LEFT_ABSOLUTE;
    int x = 0, y = 0;
    int width = 0, height = 0; // 0 keeps the control's own size
    int min = 0, max = 0; // the range of an up-down
    // A three-language caption, measured in its longest variant; a radio
    // group's or combo box's items as one comma-separated text.
    const char* caption = nullptr;
    const char* suffix = nullptr; // added to the caption as it stands
    const char* items = nullptr;
    int columns = 0; // of a radio group
    // The control's name (of a pair, the up-down's), by which the language
    // pass and the binding tables find it.
    const char* name = nullptr;
    const char* editName = nullptr; // the edit's name of a pair
    // A group box made by an earlier row; null puts the control on the page's
    // parent.
    TGroupBox* Controls::*parent = nullptr;
    int step = 1; // an up-down's increment; a decimal pair's divisor
    TDeciEdit* Controls::*deciEdit = nullptr; // the edit of a decimal pair
    bool hidden = false;
};

namespace pagelayout_detail {
inline std::string CaptionOf(const char* caption, const char* suffix)
{
    std::string text = caption ? SelectLangText(caption, -2) : "";
    return suffix ? text + suffix : text;
}

// Fills a combo box from a comma-separated list.
inline void AddComboItems(TComboBox* box, std::string_view items)
{
    while (!items.empty()) {
        const size_t comma = items.find(',');
        box->AddItem(items.substr(0, comma));
        if (comma == std::string_view::npos)
            break;
        items.remove_prefix(comma + 1);
    }
}
} // namespace pagelayout_detail

template <class Controls>
void BuildPageControls(
    TMainForm* form, Controls& controls, TControl* parent, int originTop, std::span<const PageLayoutRow<Controls>> rows)
{
    using pagelayout_detail::CaptionOf;
    int flowRight = 0;
    for (const PageLayoutRow<Controls>& row : rows) {
        TControl* within = row.parent ? static_cast<TControl*>(controls.*row.parent) : parent;
        // Rows inside a group box count their tops from the box.
        const int rowOrigin = row.parent ? 0 : originTop;
        int left = row.x;
        if (row.anchor == PageLeft::LEFT_FLOW)
            left = flowRight + row.x;
        else if (row.anchor == PageLeft::LEFT_FROM_RIGHT)
            left = within->ClientWidth() - row.x;
        const int top = rowOrigin + row.y;
        const std::string caption = CaptionOf(row.caption, row.suffix);
        TControl* made = nullptr;
        TControl* partner = nullptr;
        switch (row.kind) {
        case PageControlKind::EditUpDown: {
            TUpDown*& upDown = controls.*std::get<TUpDown * Controls::*>(row.field);
            TEdit*& edit = controls.*row.edit;
            CreateEditUpDown(form, upDown, edit, within);
            PlaceEditUpDown(upDown, left, top, row.min, row.max, row.step, row.width);
            made = upDown;
            partner = edit;
            break;
        }
        case PageControlKind::DeciEditUpDown: {
            TDeciUpDown*& upDown = controls.*std::get<TDeciUpDown * Controls::*>(row.field);
            TDeciEdit*& edit = controls.*row.deciEdit;
            CreateDeciEditUpDown(form, upDown, edit, within);
            PlaceDeciEditUpDown(upDown, left, top, row.min, row.max, row.step, row.width);
            made = upDown;
            partner = edit;
            break;
        }
        case PageControlKind::Label: {
            TLabel*& label = controls.*std::get<TLabel * Controls::*>(row.field);
            CreateLabel(form, label, within, left, top, u"");
            label->SetCaption(std::string_view(caption));
            made = label;
            break;
        }
        case PageControlKind::RadioGroup: {
            TRadioGroup*& group = controls.*std::get<TRadioGroup * Controls::*>(row.field);
            CreateRadioGroup(
                form, group, within, left, top, row.width, row.height, caption, row.items ? row.items : "");
            if (row.columns > 1)
                group->SetColumns(row.columns);
            made = group;
            break;
        }
        case PageControlKind::CheckBox: {
            TCheckBox*& box = controls.*std::get<TCheckBox * Controls::*>(row.field);
            CreateCheckBox(form, box, within, left, top, row.width, row.height, caption);
            made = box;
            break;
        }
        case PageControlKind::GroupBox: {
            TGroupBox*& box = controls.*std::get<TGroupBox * Controls::*>(row.field);
            CreateGroupBox(form, box, within, left, top, row.width, row.height);
            box->SetCaption(caption);
            made = box;
            break;
        }
        case PageControlKind::ComboBox: {
            TComboBox*& box = controls.*std::get<TComboBox * Controls::*>(row.field);
            CreateComboBox(form, box, within, left, top, row.width, row.height);
            if (row.items)
                pagelayout_detail::AddComboItems(box, row.items);
            made = box;
            break;
        }
        case PageControlKind::RadioButton: {
            TRadioButton*& button = controls.*std::get<TRadioButton * Controls::*>(row.field);
            CreateRadioButton(form, button, within, left, top, row.width, row.height, caption);
            made = button;
            break;
        }
        case PageControlKind::Memo: {
            TMemo*& memo = controls.*std::get<TMemo * Controls::*>(row.field);
            CreateMemo(form, memo, within, left, top, row.width, row.height);
            made = memo;
            break;
        }
        case PageControlKind::Button: {
            TButton*& button = controls.*std::get<TButton * Controls::*>(row.field);
            CreateButton(form, button, within, left, top, row.width, row.height, caption);
            made = button;
            break;
        }
        case PageControlKind::Edit: {
            TEdit*& edit = controls.*std::get<TEdit * Controls::*>(row.field);
            CreateEdit(form, edit, within, left, top, row.width, row.height);
            made = edit;
            break;
        }
        case PageControlKind::Image: {
            // A picture the page draws on, its bitmap the control's size.
            TImage*& image = controls.*std::get<TImage * Controls::*>(row.field);
            image = new TImage(form);
            image->SetParent(within);
            image->SetBounds(left, top, row.width, row.height);
            image->Picture()->SetSize(row.width, row.height);
            made = image;
            break;
        }
        }
        if (row.name)
            made->SetName(row.name);
        if (partner && row.editName)
            partner->SetName(row.editName);
        if (row.hidden) {
            made->SetVisible(false);
            if (partner)
                partner->SetVisible(false);
        }
        flowRight = made->Left() + made->Width();
    }
}
