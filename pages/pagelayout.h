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

#include "app/controlfactory.h"
#include "platform/comctrls.h"
#include "platform/stdctrls.h"
#include "texts/langtext.h"

#include <span>
#include <string>
#include <variant>

class TMainForm;

enum class PageControlKind { EditUpDown, Label, RadioGroup, CheckBox };
enum class PageLeft { LEFT_ABSOLUTE, LEFT_FLOW, LEFT_FROM_RIGHT };

template <class Controls> struct PageLayoutRow {
    PageControlKind kind;
    // The up-down of an edit pair, the label, radio group or check box.
    std::variant<TUpDown * Controls::*, TLabel * Controls::*, TRadioGroup * Controls::*, TCheckBox * Controls::*> field;
    TEdit* Controls::*edit; // the edit of a pair; null otherwise
    PageLeft anchor;
    int x, y;
    int width, height; // 0 keeps the control's own size
    int min, max; // the range of an up-down
    // A three-language caption, measured in its longest variant; a radio
    // group's items as one comma-separated text.
    const char* caption;
    const char* suffix; // added to the caption as it stands
    const char* items;
    int columns; // of a radio group
};

namespace pagelayout_detail {
inline std::string CaptionOf(const char* caption, const char* suffix)
{
    std::string text = caption ? SelectLangText(caption, -2) : "";
    return suffix ? text + suffix : text;
}
} // namespace pagelayout_detail

template <class Controls>
void BuildPageControls(
    TMainForm* form, Controls& controls, TControl* parent, int originTop, std::span<const PageLayoutRow<Controls>> rows)
{
    int flowRight = 0;
    for (const PageLayoutRow<Controls>& row : rows) {
        int left = row.x;
        if (row.anchor == PageLeft::LEFT_FLOW)
            left = flowRight + row.x;
        else if (row.anchor == PageLeft::LEFT_FROM_RIGHT)
            left = parent->ClientWidth() - row.x;
        const int top = originTop + row.y;
        const std::string caption = pagelayout_detail::CaptionOf(row.caption, row.suffix);
        TControl* made = nullptr;
        switch (row.kind) {
        case PageControlKind::EditUpDown: {
            TUpDown*& upDown = controls.*std::get<TUpDown * Controls::*>(row.field);
            TEdit*& edit = controls.*row.edit;
            CreateEditUpDown(form, upDown, edit, parent);
            PlaceEditUpDown(upDown, left, top, row.min, row.max, 1, row.width);
            made = upDown;
            break;
        }
        case PageControlKind::Label: {
            TLabel*& label = controls.*std::get<TLabel * Controls::*>(row.field);
            CreateLabel(form, label, parent, left, top, u"");
            label->SetCaption(std::string_view(caption));
            made = label;
            break;
        }
        case PageControlKind::RadioGroup: {
            TRadioGroup*& group = controls.*std::get<TRadioGroup * Controls::*>(row.field);
            CreateRadioGroup(
                form, group, parent, left, top, row.width, row.height, caption, row.items ? row.items : "");
            if (row.columns > 1)
                group->SetColumns(row.columns);
            made = group;
            break;
        }
        case PageControlKind::CheckBox: {
            TCheckBox*& box = controls.*std::get<TCheckBox * Controls::*>(row.field);
            CreateCheckBox(form, box, parent, left, top, row.width, row.height, caption);
            made = box;
            break;
        }
        }
        flowRight = made->Left() + made->Width();
    }
}
