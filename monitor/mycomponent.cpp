#include "monitor/mycomponent.h"

#include "monitor/valuedefs.h"

CMyGroup* MonitorPlace = nullptr;
int MonitorHasValues = 0;

void MarkMonitorDirty()
{
    MonitorHasValues = 1;
    if (MonitorPlace)
        MonitorPlace->MarkDirty(1);
}

TColor BlendColor(TColor a, TColor b)
{
    uint32_t result = 0;
    for (int shift : { 0, 8, 16 }) {
        const uint32_t ca = (uint32_t(a) >> shift) & 0xFF;
        const uint32_t cb = (uint32_t(b) >> shift) & 0xFF;
        result |= ((ca + 3 * cb) / 4) << shift;
    }
    return TColor(result);
}

CMyComponent::CMyComponent()
    : s(&ValueDefs[0])
{
}

CMyComponent::~CMyComponent() = default;

void CMyComponent::Paint()
{
    if (!canvas || !HasArea())
        return;
    TCanvas& c = *canvas;
    c.Pen.Color = Color;
    c.Brush.Color = Color;
    const int l = Scaled(Left), t = Scaled(Top);
    const int r = Scaled(Left + Width), b = Scaled(Top + Height);
    c.Rectangle(l, t, r, b);
    c.Pen.Color = Down ? dkframe : ltframe;
    c.MoveTo(l, t);
    c.LineTo(Scaled(Left + Width - 1), t);
    c.MoveTo(l, t);
    c.LineTo(l, Scaled(Top + Height - 1));
    c.Pen.Color = Down ? ltframe : dkframe;
    c.MoveTo(l, b);
    c.LineTo(r, b);
    c.MoveTo(r, t);
    c.LineTo(r, b);
}

void CMyComponent::SetCanvas(TCanvas* c)
{
    canvas = c;
}

void CMyComponent::SetColor(TColor c)
{
    Color = c;
}

int CMyComponent::IsFocused()
{
    if (!parent)
        return 1;
    return parent->focused == this && parent->IsFocused() ? 1 : 0;
}

void CMyComponent::FocusEnter()
{
}

void CMyComponent::FocusLeave()
{
}

void CMyComponent::Reserved(int&, int&)
{
}

void CMyComponent::SetZoom(float z)
{
    zoom = z;
}

void CMyComponent::MarkDirty(int bits)
{
    if (parent) {
        parent->dirty |= bits;
        dirty |= bits;
    } else {
        dirty |= 2;
    }
}

namespace {

// The common fields in record order, from offset 20 on, 4 bytes each.
template <typename Widget> auto CommonFields(Widget& w)
{
    return std::array { &w.Left, &w.Top, &w.Width, &w.Height, &w.focusable, &w.Color, &w.ltframe, &w.dkframe, &w.Down,
        &w.TextColor, &w.AlignV, &w.AlignH, &w.rszable, &w.nprable, &w.ow, &w.oh, &w.minw, &w.minh, &w.maxw, &w.maxh,
        &w.id, &w.kind };
}

} // namespace

void CMyComponent::FromRecord(std::span<const uint8_t, MONITOR_ITEM_LEN> record)
{
    size_t at = MONITOR_ITEM_COMMON;
    for (int* field : CommonFields(*this)) {
        *field = int32_t(uint32_t(record[at]) | uint32_t(record[at + 1]) << 8 | uint32_t(record[at + 2]) << 16
            | uint32_t(record[at + 3]) << 24);
        at += 4;
    }
}

void CMyComponent::ToRecord(std::span<uint8_t, MONITOR_ITEM_LEN> record) const
{
    size_t at = MONITOR_ITEM_COMMON;
    for (const int* field : CommonFields(*this)) {
        const auto v = uint32_t(*field);
        for (int i = 0; i < 4; ++i)
            record[at + size_t(i)] = uint8_t(v >> (8 * i));
        at += 4;
    }
}
