#include "platform/screen.h"

#include "platform/controls.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cstdint>
#include <limits>

TRect FitRectToMonitors(const TRect& rect, const std::vector<TRect>& monitors)
{
    // Edges far apart (a huge Left) must not overflow.
    int64_t l = rect.Left, t = rect.Top, r = rect.Right, b = rect.Bottom;
    int64_t best = std::numeric_limits<int64_t>::max();
    const TRect* chosen = nullptr;
    for (const TRect& m : monitors) {
        const int64_t d = std::max<int64_t>(0, m.Left - l) + std::max<int64_t>(0, r - m.Right)
            + std::max<int64_t>(0, m.Top - t) + std::max<int64_t>(0, b - m.Bottom);
        if (d < best) {
            best = d;
            chosen = &m;
        }
    }
    if (!chosen || best == 0)
        return rect;
    const TRect& m = *chosen;
    if (int64_t(m.Right) - m.Left < r - l) {
        l = m.Left;
        r = m.Right;
    }
    if (int64_t(m.Bottom) - m.Top < b - t) {
        t = m.Top;
        b = m.Bottom;
    }
    auto shift = [](int64_t& lo, int64_t& hi, int64_t by) {
        lo += by;
        hi += by;
    };
    if (r > m.Right)
        shift(l, r, m.Right - r);
    if (b > m.Bottom)
        shift(t, b, m.Bottom - b);
    if (l < m.Left)
        shift(l, r, m.Left - l);
    if (t < m.Top)
        shift(t, b, m.Top - t);
    r = std::min<int64_t>(r, m.Right);
    b = std::min<int64_t>(b, m.Bottom);
    return { int(l), int(t), int(r), int(b) };
}

std::vector<TRect> ScreenMonitors()
{
    std::vector<TRect> monitors;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect g = screen->geometry();
        monitors.push_back({ g.left(), g.top(), g.left() + g.width(), g.top() + g.height() });
    }
    return monitors;
}

void KeepFormOnScreen(TForm* form)
{
    const TRect r = FitRectToMonitors(form->BoundsRect(), ScreenMonitors());
    form->SetBounds(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
}
