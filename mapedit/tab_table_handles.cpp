// The handles of the selected block in the table view: its edges move it,
// its bottom-right corner stretches it, and the corner triangles of a
// marked block interpolate it.
#include "mapedit/tab.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

struct Span {
    int low = 0, high = 0;
};

} // namespace

void TTab::StartBlockDrag()
{
    const TSel& sel = Sheet->Sel;
    BlockDrag = CornerHandle ? 1 : 2;
    DragStartX = MouseX;
    DragStartY = MouseY;
    DragRect = { std::min(sel.BandX1, sel.BandX2), std::min(sel.BandY1, sel.BandY2), std::max(sel.BandX1, sel.BandX2),
        std::max(sel.BandY1, sel.BandY2) };
    PointerMoved();
    RedrawBits |= REDRAW_RENDER;
}

void TTab::TrackBlockDrag()
{
    const CSheet& s = *Sheet;
    const TSel& sel = s.Sel;
    const int dx = CellWidth > 0 ? int(std::trunc((MouseX - DragStartX) / CellWidth)) : 0;
    const int dy = CellHeight > 0 ? int(std::trunc((MouseY - DragStartY) / CellHeight)) : 0;
    // One axis of the target: a header selection keeps -1 on the axis it lacks.
    const auto place = [this](int a, int b, int d, const CAxe& axis, int& first, int& last) {
        first = std::min(a, b);
        last = std::max(a, b);
        if (first == -1 || axis.Collapsed)
            return;
        const int n = axis.Count;
        if (BlockDrag == 1) {
            last += d;
            if (first > last)
                std::swap(first, last);
            first = std::clamp(first, 0, n - 1);
            last = std::clamp(last, 0, n - 1);
            return;
        }
        first += d;
        last += d;
        if (first < 0) {
            last -= first;
            first = 0;
        }
        if (last > n - 1) {
            first -= last - (n - 1);
            last = n - 1;
        }
        first = std::max(first, 0);
    };
    int c1, c2, r1, r2;
    place(sel.BandX1, sel.BandX2, dx, s.X, c1, c2);
    place(sel.BandY1, sel.BandY2, dy, s.Y, r1, r2);
    if (DragRect.left != c1 || DragRect.top != r1 || DragRect.right != c2 || DragRect.bottom != r2) {
        DragRect = { c1, r1, c2, r2 };
        RedrawBits |= REDRAW_RENDER;
    }
}

void TTab::FindBlockHandles()
{
    const CSheet& s = *Sheet;
    const TSel& sel = s.Sel;
    const int x = MouseX, y = MouseY;
    const int L = YHeaderLeft, W = YHeaderWidth, T = XHeaderTop, H = XHeaderHeight;
    const int cellsRight = int(CellsLeft + VisibleCols * CellWidth),
              cellsBottom = int(CellsTop + VisibleRows * CellHeight);
    const auto columns = [&](int first, int last) {
        if (first == -1)
            return Span { L, L + W };
        if (s.X.Collapsed)
            return Span { CellsLeft, int(CellsLeft + CellWidth) };
        return Span { int(CellsLeft + (first - s.X.FirstVisible) * CellWidth),
            int(CellsLeft + (last - s.X.FirstVisible + 1) * CellWidth) };
    };
    const auto rows = [&](int first, int last) {
        if (first == -1)
            return Span { T, T + H };
        if (s.Y.Collapsed)
            return Span { CellsTop, int(CellsTop + CellHeight) };
        return Span { int(CellsTop + (first - s.Y.FirstVisible) * CellHeight),
            int(CellsTop + (last - s.Y.FirstVisible + 1) * CellHeight) };
    };
    // The visible part of the selection's area, widened by `spare` pixels.
    const auto inArea = [&](int col, int row, int spare) {
        const Span cx = col == -1 ? Span { L, L + W } : Span { CellsLeft, cellsRight };
        const Span cy = row == -1 ? Span { T, T + H } : Span { CellsTop, cellsBottom };
        return x >= cx.low - spare && x <= cx.high + spare && y >= cy.low - spare && y <= cy.high + spare;
    };

    if (!(sel.Mode & SELMODE_TABLE_DRAG) && sel.Count != 0 && sel.BandX1 >= -1) {
        const Span cx = columns(std::min(sel.BandX1, sel.BandX2), std::max(sel.BandX1, sel.BandX2));
        const Span cy = rows(std::min(sel.BandY1, sel.BandY2), std::max(sel.BandY1, sel.BandY2));
        CornerHandle = std::abs(x - cx.high) <= 5 && std::abs(y - cy.high) <= 5;
        const bool alongX = x >= cx.low - 2 && x <= cx.high + 2, alongY = y >= cy.low - 2 && y <= cy.high + 2;
        if (std::abs(y - cy.low) <= 2 && alongX)
            EdgeHandle = 1;
        if (std::abs(x - cx.low) <= 2 && alongY)
            EdgeHandle = 2;
        if (std::abs(x - cx.high) <= 2 && alongY)
            EdgeHandle = 4;
        if (std::abs(y - cy.high) <= 2 && alongX)
            EdgeHandle = 8;
        if (!inArea(sel.BandX1, sel.BandY1, 2) || !ItemEditable(sel.BandX1, sel.BandY1))
            CornerHandle = EdgeHandle = 0;
        if (CornerHandle)
            EdgeHandle = 0;
    }
    if (sel.IsBlock) {
        Span cx = columns(sel.BlockX1, sel.BlockX2), cy = rows(sel.BlockY1, sel.BlockY2);
        cx.high--;
        cy.high--;
        const int t = int(CellHeight);
        const bool inBlock = x >= cx.low && x <= cx.high && y >= cy.low && y <= cy.high;
        const bool corner = (x - cx.low) + (y - cy.low) <= t || (cx.high - x) + (y - cy.low) <= t
            || (x - cx.low) + (cy.high - y) <= t || (cx.high - x) + (cy.high - y) <= t;
        if (inBlock && corner && inArea(sel.BlockX1, sel.BlockY1, 0) && ItemEditable(sel.BlockX1, sel.BlockY1)) {
            InterpolateHandle = 1;
            CornerHandle = EdgeHandle = 0;
            RedrawBits |= REDRAW_RENDER;
        }
    }
}
