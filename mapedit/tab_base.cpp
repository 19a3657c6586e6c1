// The routines the control frame hands on to, in the form the frame needs
// now: choosing a sheet, scrolling, stepping the hovered item and rendering
// the bitmap's frame. The page interface, the views and the editing
// commands build on these and take them over.
#include "mapedit/tab.h"

#include "mapedit/tabcanvas.h"

#include <algorithm>
#include <cmath>

void TTab::SelectSheet(int index)
{
    if (index < 0 || index >= SheetCount)
        return;
    CommitEditor();
    if (index != CurrentIndex && CurrentIndex >= 0)
        PreviousIndex = CurrentIndex;
    CurrentIndex = index;
    Sheet = &Sheets[index];
    RedrawBits |= REDRAW_RENDER | REDRAW_VALUES;
}

void TTab::DoCommand(int code)
{
    if (!Sheet)
        return;
    if (code == 1001)
        ScrollBy(HScroll.Position - Sheet->X.FirstVisible, 0);
    else if (code == 1002)
        ScrollBy(0, VScroll.Position - Sheet->Y.FirstVisible);
}

void TTab::IncrementSelection(int)
{
}

void TTab::StepCurrentItem(int steps)
{
    if (!Sheet || HoverCol < -1 || HoverRow < -1 || (HoverCol == -1 && HoverRow == -1))
        return;
    if (HoverCol >= TAB_MAX_COLS || HoverRow >= TAB_MAX_ROWS)
        return;
    CAxe& axis = HoverRow == -1 ? Sheet->X : HoverCol == -1 ? Sheet->Y : Sheet->V;
    if (!axis.Values)
        return;
    int32_t& value = HoverRow == -1 ? axis.Values[HoverCol]
        : HoverCol == -1            ? axis.Values[HoverRow]
                                    : axis.Values[HoverRow * TAB_MAX_COLS + HoverCol];
    const double amount = std::trunc(steps * (HoverRow >= 0 && HoverCol >= 0 ? axis.Step : 1.0));
    value = int32_t(std::clamp<double>(value + amount, INT32_MIN, INT32_MAX));
    RedrawBits |= REDRAW_RENDER | REDRAW_VALUES;
}

int TTab::ScrollBy(int columns, int rows)
{
    if (!Sheet)
        return 0;
    CAxe& x = Sheet->X;
    CAxe& y = Sheet->Y;
    const int oldX = x.FirstVisible, oldY = y.FirstVisible;
    x.FirstVisible = std::clamp(x.FirstVisible + columns, 0, std::max(0, x.Count - std::max(1, VisibleCols)));
    y.FirstVisible = std::clamp(y.FirstVisible + rows, 0, std::max(0, y.Count - std::max(1, VisibleRows)));
    HScroll.Position = x.FirstVisible;
    VScroll.Position = y.FirstVisible;
    const bool moved = x.FirstVisible != oldX || y.FirstVisible != oldY;
    if (moved)
        RedrawBits |= REDRAW_RENDER;
    return moved ? 1 : 0;
}

void TTab::Render()
{
    if (Rendering)
        return;
    Rendering = 1;
    // The back bitmap is the size of the control, also of a hidden one that was resized.
    if (BackBitmap.size() != size())
        BackBitmap = QImage(size(), QImage::Format_RGB32);
    {
        TabCanvas cv(BackBitmap);
        cv.FillRect(0, 0, BackBitmap.width(), BackBitmap.height(), Colours[0]);
        for (int i = 0; i < ButtonCount && i < TAB_BUTTONS; i++)
            Buttons[i].Paint(cv);
        HScroll.Paint(cv);
        VScroll.Paint(cv);
    }
    RedrawBits = 0;
    Rendering = 0;
    update();
}

void TTab::CommitEditor()
{
    EditorActive = 0;
}

void TTab::SetView(int view)
{
    ViewRequest = view;
    ViewBits = view;
    RedrawBits |= REDRAW_RENDER | REDRAW_VALUES;
}

void TTab::UpdateToolbar()
{
}

void TTab::UpdateToolbarStates()
{
}

void TTab::UpdateLivePosition()
{
}

void TTab::FlushChangeGroup()
{
}

void TTab::DetectViewPreset()
{
}

void TTab::ShowPopupMenu()
{
}

int TTab::ViewHandles(int, TabViewEvent, int)
{
    return 0;
}
