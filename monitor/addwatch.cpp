// "Add watch": the picker of live values and the rows of widgets it leaves
// in the monitor.
#include "monitor/monitorpopup.h"

#include "monitor/CIDList.h"
#include "monitor/ExtMon.h"
#include "monitor/myindicator.h"
#include "monitor/valuedefs.h"

#include <algorithm>
#include <climits>
#include <iterator>
#include <vector>

namespace {

constexpr int PICKER_WIDTH = 600;
constexpr int PICKER_HEIGHT = 400;
constexpr int ROW_HEIGHT = 35;
constexpr int LEVEL_INDENT = 10;
constexpr int WIDGET_GAP = 10;
// No row starts once the rows reach this close to the place's bottom edge.
constexpr int ROW_ROOM = 20;
constexpr int GAUGE_WIDTH = 80;
constexpr int GAUGE_HEIGHT = 32;
constexpr int GAUGE_DROP = 4;
// A state indicator reaches this far past its label and value on each side.
constexpr int FRAME_MARGIN = 10;

// The picker's columns by the widget kind they make.
constexpr int LABEL_COLUMN = 1;
constexpr int VALUE_COLUMN = 2;
constexpr int GAUGE_COLUMN = 3;

// Every node below `node` depth first, collapsed groups included, so that a
// group closed in the picker keeps the ticks of its nodes.
template <class F> void Walk(CID& node, int depth, const F& f)
{
    for (const auto& child : node.children) {
        f(*child, depth);
        Walk(*child, depth + 1, f);
    }
}

// A node's ticks as the place holds them: a column is on while a widget of
// its kind shows the node's definition.
void MarkFromPlace(CID& node, const CMyGroup& place)
{
    std::fill(std::begin(node.check), std::end(node.check), 0);
    for (const CMyComponent* w : place.items) {
        if (w->id != node.id)
            continue;
        if (w->kind & widgetkind::Label)
            node.check[LABEL_COLUMN] = 1;
        if (w->kind & widgetkind::Value)
            node.check[VALUE_COLUMN] = 1;
        if (w->kind & widgetkind::Gauge)
            node.check[GAUGE_COLUMN] = 1;
    }
    std::copy(std::begin(node.check), std::end(node.check), std::begin(node.prior));
}

CMyComponent* FirstOf(const CMyGroup& place, int id, int kind)
{
    auto it = std::find_if(
        place.items.begin(), place.items.end(), [&](const CMyComponent* w) { return w->id == id && w->kind == kind; });
    return it != place.items.end() ? *it : nullptr;
}

// A state indicator becomes the background of its definition's label and
// value: they come to the front and it frames them.
void FrameBehind(CMyGroup& place, CMyIndicator& gauge)
{
    CMyComponent* label = FirstOf(place, gauge.id, widgetkind::Label);
    if (label)
        place.BringToFront(label);
    CMyComponent* value = FirstOf(place, gauge.id, widgetkind::Value);
    if (value)
        place.BringToFront(value);
    if (!label && !value)
        return;
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    for (const CMyComponent* w : { label, value }) {
        if (!w)
            continue;
        left = std::min(left, w->Left);
        top = std::min(top, w->Top);
        right = std::max(right, w->Left + w->Width);
        bottom = std::max(bottom, w->Top + w->Height);
    }
    gauge.Left = left - FRAME_MARGIN;
    gauge.Width = right - left + 2 * FRAME_MARGIN;
    gauge.Top = top;
    gauge.Height = bottom - top;
}

// The block of new rows: where it starts, how far down and right it reaches.
struct WatchBlock {
    CMyGroup& place;
    int x0;
    int y0;
    int row = 0;
    int right = 0;

    template <class W> W* Add(const CID& node)
    {
        auto* w = new W;
        w->s = GetDef(node.id);
        place.Insert(w);
        w->id = node.id;
        w->selected = 1;
        return w;
    }

    // One row for a node: its label, value and indicator, as ticked.
    void AddRow(const CID& node, int depth, int kinds)
    {
        const int xoff = LEVEL_INDENT * depth;
        int lw = 0;
        int vw = 0;
        if (kinds & widgetkind::Label) {
            auto* label = Add<CMyLabel>(node);
            label->Left = x0 + xoff;
            label->Top = y0 + row;
            label->Height = ROW_HEIGHT;
            label->AlignV = -1;
            label->FitWidth();
            lw = label->Width;
            right = std::max(right, xoff + lw);
        }
        if (kinds & widgetkind::Value) {
            auto* value = Add<CMyValue>(node);
            value->Left = x0 + xoff + lw + WIDGET_GAP;
            value->Top = y0 + row;
            value->Height = ROW_HEIGHT;
            value->FitWidth();
            vw = value->Width;
            right = std::max(right, xoff + lw + vw + WIDGET_GAP);
        }
        if (kinds & widgetkind::Gauge) {
            auto* gauge = Add<CMyIndicator>(node);
            gauge->Left = x0 + xoff + lw + vw + 2 * WIDGET_GAP;
            gauge->Top = y0 + row + GAUGE_DROP;
            gauge->Width = GAUGE_WIDTH;
            gauge->Height = GAUGE_HEIGHT;
            if (gauge->s->displayKind != defkind::Number)
                FrameBehind(place, *gauge);
            right = std::max(right, xoff + lw + vw + gauge->Width + 2 * WIDGET_GAP);
        }
        row += ROW_HEIGHT;
        place.MarkDirty(2);
    }

    // The changes of one node's ticks: new rows for what was ticked, and the
    // widgets of what was unticked deleted. Groups have only a label.
    void Apply(const CID& node, int depth)
    {
        int added = 0;
        int removed = 0;
        for (int c = LABEL_COLUMN; c <= GAUGE_COLUMN; ++c) {
            if (c != LABEL_COLUMN && !node.children.empty())
                continue;
            if (node.check[c] != node.prior[c])
                (node.check[c] != 0 ? added : removed) |= 1 << c;
        }
        if (added != 0 && row + ROW_ROOM < place.Height)
            AddRow(node, depth, added);
        if (removed != 0) {
            std::vector<CMyComponent*> gone;
            std::copy_if(place.items.begin(), place.items.end(), std::back_inserter(gone),
                [&](const CMyComponent* w) { return w->id == node.id && (w->kind & removed) != 0; });
            for (CMyComponent* w : gone)
                place.Delete(w);
            place.MarkDirty(2);
        }
    }

    // The selected widgets move so that the block ends inside the place,
    // but not past its left or top edge; the last of them takes the focus.
    void KeepInside()
    {
        int dx = 0;
        int dy = 0;
        if (x0 + right > place.Width)
            dx = place.Width - x0 - right;
        if (y0 + row > place.Height)
            dy = place.Height - y0 - row;
        if (x0 + dx < 0)
            dx = -x0;
        if (y0 + dy < 0)
            dy = -y0;
        CMyComponent* last = nullptr;
        for (CMyComponent* w : place.items) {
            if (w->selected != 1)
                continue;
            w->Left += dx;
            w->Top += dy;
            last = w;
        }
        place.CountSelected();
        place.Focus(last);
    }
};

} // namespace

void AddWatch(TMonImg* img)
{
    TFormCIDList* picker = FormCIDList;
    if (!picker || !picker->List)
        return;
    CMyGroup& place = img->Place;
    WatchBlock block { place, img->InsertX, img->InsertY };
    picker->SetWidth(PICKER_WIDTH);
    picker->SetHeight(PICKER_HEIGHT);
    CID& root = picker->List->root;
    root.ClearMarks();
    if (root.children.empty())
        return;
    root.ResolveNames();
    place.ClearSelection();
    Walk(root, 0, [&](CID& node, int) { MarkFromPlace(node, place); });
    picker->List->redraw = 1;
    if (picker->ShowModal() == mrYes)
        Walk(root, 0, [&](CID& node, int depth) { block.Apply(node, depth); });
    block.KeepInside();
}
