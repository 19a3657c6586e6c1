#include "monitor/mycomponent.h"

#include <algorithm>

namespace {

constexpr int LEFT_BUTTON = 1;
constexpr int RIGHT_BUTTON = 2;

bool IsLeftHandle(int h)
{
    return h == 6 || h == 7 || h == 8;
}
bool IsRightHandle(int h)
{
    return h == 2 || h == 3 || h == 4;
}
bool IsTopHandle(int h)
{
    return h == 1 || h == 2 || h == 8;
}
bool IsBottomHandle(int h)
{
    return h == 4 || h == 5 || h == 6;
}

int16_t HandleCursor(int h)
{
    switch (h) {
    case 1:
    case 5:
        return mycursor::SizeNS;
    case 2:
    case 6:
        return mycursor::SizeNESW;
    case 3:
    case 7:
        return mycursor::SizeWE;
    default:
        return mycursor::SizeNWSE;
    }
}

} // namespace

CMyGroup::~CMyGroup()
{
    for (CMyComponent* child : items)
        delete child;
}

void CMyGroup::Insert(CMyComponent* child)
{
    items.push_back(child);
    child->parent = this;
    child->canvas = canvas;
    child->selected = 0;
}

void CMyGroup::Delete(CMyComponent* child)
{
    auto it = std::find(items.begin(), items.end(), child);
    if (it == items.end())
        return;
    items.erase(it);
    child->parent = nullptr;
    if (focused == child)
        focused = nullptr;
    delete child;
    CountSelected();
}

void CMyGroup::FreeAll()
{
    for (CMyComponent* child : items)
        delete child;
    items.clear();
    focused = nullptr;
    CountSelected();
}

void CMyGroup::Paint()
{
    CMyComponent::Paint();
    for (CMyComponent* child : items) {
        child->Paint();
        child->dirty = 0;
    }
    dirty = 0;
    if (!canvas)
        return;
    if (banding) {
        TCanvas& c = *canvas;
        c.Brush.Style = bsClear;
        c.Pen.Color = clBlack;
        c.Pen.Style = psDash;
        c.Rectangle(Scaled(bandX0), Scaled(bandY0), Scaled(bandX1), Scaled(bandY1));
        c.Pen.Style = psSolid;
        c.Brush.Style = bsSolid;
        c.Brush.Color = Color;
    }
    if (grip)
        PaintGrip();
}

void CMyGroup::PaintDirty()
{
    if (dirty & 2) {
        Paint();
        return;
    }
    if (dirty != 0) {
        bool painted = false;
        for (CMyComponent* child : items) {
            if (child->dirty != 0) {
                child->Paint();
                child->dirty = 0;
                painted = true;
            }
        }
        if (painted && grip)
            PaintGrip();
    }
    dirty = 0;
}

void CMyGroup::PaintGrip()
{
    if (!canvas)
        return;
    TCanvas& c = *canvas;
    for (int i = 1; i <= 12; ++i) {
        c.Pen.Color = 0xC0C0C0;
        if (i % 4 == 0)
            c.Pen.Color = Color;
        if (i % 4 == 3)
            c.Pen.Color = clWhite;
        c.MoveTo(Scaled(Left + Width - 2), Scaled(Top + Height - 3 - i));
        c.LineTo(Scaled(Left + Width - 3 - i), Scaled(Top + Height - 2));
    }
}

void CMyGroup::Focus(CMyComponent* child)
{
    if (child == focused)
        return;
    if (focused)
        focused->FocusLeave();
    focused = child;
    if (!child)
        return;
    if (editMode)
        child->selected = 1;
    CountSelected();
    BringToFront(child);
    if (child->kind == widgetkind::Gauge) {
        // The label and the value of a gauge stay painted over it.
        for (int k : { widgetkind::Label, widgetkind::Value }) {
            std::vector<CMyComponent*> partners;
            for (CMyComponent* c : items)
                if (c->id == child->id && c->kind == k)
                    partners.push_back(c);
            for (CMyComponent* c : partners)
                BringToFront(c);
        }
    }
    child->FocusEnter();
}

void CMyGroup::BringToFront(CMyComponent* child)
{
    auto it = std::find(items.begin(), items.end(), child);
    if (it != items.end())
        std::rotate(it, it + 1, items.end());
}

void CMyGroup::ClearSelection()
{
    for (CMyComponent* c : items)
        c->selected = 0;
    selCount = 0;
}

void CMyGroup::CountSelected()
{
    selCount = int(std::count_if(items.begin(), items.end(), [](const CMyComponent* c) { return c->selected != 0; }));
}

void CMyGroup::PassKeys(CMyComponent* child) const
{
    child->shift = shift;
    child->ctrl = ctrl;
}

void CMyGroup::StartDrag(CMyComponent* child)
{
    child->moving = 1;
    child->grabX = mouseX - child->Left;
    child->grabY = mouseY - child->Top;
}

void CMyGroup::MouseDown()
{
    // A resize starts on a handle of the one selected widget.
    if (button == LEFT_BUTTON && editMode && focused && focused->hover && focused->handle != 0 && selCount == 1) {
        CMyComponent* c = focused;
        c->resizing = c->handle;
        c->grabX = mouseX;
        c->grabY = mouseY;
        c->startLeft = c->Left;
        c->startTop = c->Top;
        c->startWidth = c->Width;
        c->startHeight = c->Height;
        if (c->ow == 0 || c->oh == 0) {
            c->ow = std::max(c->Width, 1);
            c->oh = std::max(c->Height, 1);
        }
        return;
    }
    if (button == LEFT_BUTTON && editMode) {
        for (auto it = items.rbegin(); it != items.rend(); ++it) {
            if ((*it)->hover && (*it)->selected) {
                StartDrag(*it);
                return;
            }
        }
    }
    CMyComponent* hit = nullptr;
    for (auto it = items.rbegin(); it != items.rend(); ++it) {
        if ((*it)->hover && (*it)->focusable) {
            hit = *it;
            break;
        }
    }
    bool wasSelected = false;
    if (hit) {
        wasSelected = hit->selected != 0;
        if (editMode)
            hit->selected = 1;
        Focus(hit);
    }
    if (!ctrl && !wasSelected) {
        for (CMyComponent* c : items) {
            if (c->selected && c != focused) {
                c->selected = 0;
                c->MarkDirty(1);
            }
        }
    }
    CountSelected();
    if (hit && focused) {
        PassKeys(focused);
        if (button == LEFT_BUTTON) {
            focused->button = button;
            focused->MouseDown();
            if (editMode)
                StartDrag(focused);
        }
        MouseMove();
        if (button == RIGHT_BUTTON)
            MarkDirty(2);
        return;
    }
    if (!hit) {
        Focus(nullptr);
        if (button == RIGHT_BUTTON) {
            MarkDirty(2);
        } else if (button == LEFT_BUTTON && editMode) {
            if (!ctrl)
                ClearSelection();
            banding = 1;
            bandX0 = bandX1 = mouseX;
            bandY0 = bandY1 = mouseY;
            MouseMove();
        }
    }
}

void CMyGroup::ClampToGroup(int& dx, int& dy) const
{
    for (const CMyComponent* c : items) {
        if (!c->selected)
            continue;
        dx = std::max(dx, Left - c->Left);
        dx = std::min(dx, Left + Width - c->Left - c->Width);
        dy = std::max(dy, Top - c->Top);
        dy = std::min(dy, Top + Height - c->Top - c->Height);
    }
}

void CMyGroup::MoveSelection(int dx, int dy)
{
    ClampToGroup(dx, dy);
    if (dx == 0 && dy == 0)
        return;
    for (CMyComponent* c : items) {
        if (c->selected) {
            c->Left += dx;
            c->Top += dy;
        }
    }
    MarkDirty(1);
}

void CMyGroup::ChooseCursor()
{
    cursor = mycursor::Default;
    for (const CMyComponent* c : items) {
        if (c->hover && c->selected)
            cursor = c->handle != 0 && selCount == 1 ? HandleCursor(c->handle) : mycursor::SizeAll;
    }
}

void CMyGroup::MouseMove()
{
    if (editMode) {
        for (CMyComponent* c : items) {
            if (c->resizing != 0) {
                ResizeChild(c, c->resizing, mouseX - c->grabX, mouseY - c->grabY);
                return;
            }
        }
        for (CMyComponent* leader : items) {
            if (leader->moving == 1) {
                MoveSelection(mouseX - leader->Left - leader->grabX, mouseY - leader->Top - leader->grabY);
                cursor = mycursor::SizeAll;
                return;
            }
        }
        if (banding) {
            bandX1 = std::clamp(mouseX, Left, std::max(Left, Left + Width));
            bandY1 = std::clamp(mouseY, Top, std::max(Top, Top + Height));
            MarkDirty(1);
            cursor = mycursor::Cross;
            return;
        }
    }
    for (auto it = items.rbegin(); it != items.rend(); ++it) {
        CMyComponent* c = *it;
        PassKeys(c);
        if (c->Contains(mouseX, mouseY)) {
            c->hover = 1;
            c->mouseX = mouseX;
            c->mouseY = mouseY;
            c->MouseMove();
        } else {
            if (c->hover) {
                c->hover = 0;
                c->MouseLeave();
            }
            if (c == focused) {
                c->mouseX = mouseX;
                c->mouseY = mouseY;
                c->MouseMove();
            }
        }
    }
    if (editMode)
        ChooseCursor();
}

void CMyGroup::MouseUp()
{
    if (editMode) {
        for (CMyComponent* c : items) {
            if (c->resizing != 0) {
                c->resizing = 0;
                MarkDirty(1);
                MouseMove();
                return;
            }
        }
        for (CMyComponent* c : items) {
            if (c->moving == 1) {
                c->moving = 0;
                MarkDirty(1);
                MouseMove();
                return;
            }
        }
        if (banding) {
            banding = 0;
            if (bandX0 > bandX1)
                std::swap(bandX0, bandX1);
            if (bandY0 > bandY1)
                std::swap(bandY0, bandY1);
            CMyComponent* lastSelected = nullptr;
            for (CMyComponent* c : items) {
                if (c->Left >= bandX0 && c->Left + c->Width <= bandX1 && c->Top >= bandY0
                    && c->Top + c->Height <= bandY1)
                    c->selected = 1;
                if (c->selected)
                    lastSelected = c;
            }
            if (!focused && lastSelected)
                Focus(lastSelected);
            CountSelected();
            MarkDirty(1);
            MouseMove();
            return;
        }
    }
    if (focused) {
        PassKeys(focused);
        focused->MouseUp();
    }
}

void CMyGroup::ResizeChild(CMyComponent* child, int h, int dx, int dy)
{
    CMyComponent& c = *child;
    const int sL = c.startLeft, sT = c.startTop, sW = c.startWidth, sH = c.startHeight;
    int dw = dx, dh = dy;
    switch (h) {
    case 1:
        dw = 0;
        dh = -dy;
        break;
    case 2:
        dh = -dy;
        break;
    case 3:
        dh = 0;
        break;
    case 5:
        dw = 0;
        break;
    case 6:
        dw = -dx;
        break;
    case 7:
        dw = -dx;
        dh = 0;
        break;
    case 8:
        dw = -dx;
        dh = -dy;
        break;
    default:
        break;
    }
    if (sW + dw < c.minw)
        dw = c.minw - sW;
    if (sH + dh < c.minh)
        dh = c.minh - sH;
    if (sW + dw > c.maxw)
        dw = c.maxw - sW;
    if (sH + dh > c.maxh)
        dh = c.maxh - sH;
    if (IsLeftHandle(h) && sL - dw < Left)
        dw = sL - Left;
    if (IsRightHandle(h) && sL + sW + dw > Left + Width)
        dw = Left + Width - sL - sW;
    if (IsTopHandle(h) && sT - dh < Top)
        dh = sT - Top;
    if (IsBottomHandle(h) && sT + sH + dh > Top + Height)
        dh = Top + Height - sT - sH;
    if (c.nprable == 0) {
        // A file may hold any reference size; a zero one would divide by 0.
        const int ow = c.ow != 0 ? c.ow : 1;
        const int oh = c.oh != 0 ? c.oh : 1;
        const double rx = double(sW + dw) / ow;
        const double ry = double(sH + dh) / oh;
        if (rx > ry)
            dw = int(ow * ry - sW);
        else if (ry > rx)
            dh = int(oh * rx - sH);
        if (sW + dw < c.minw) {
            dw = c.minw - sW;
            dh = oh * (sW + dw) / ow - sH;
        }
        if (sH + dh < c.minh) {
            dh = c.minh - sH;
            dw = ow * (sH + dh) / oh - sW;
        }
    }
    dw += sW - c.Width;
    dh += sH - c.Height;
    c.Reserved(dw, dh);
    if (dw == 0 && dh == 0)
        return;
    if (IsLeftHandle(h))
        c.Left -= dw;
    if (IsTopHandle(h))
        c.Top -= dh;
    c.Width += dw;
    c.Height += dh;
    MarkDirty(1);
}

void CMyGroup::ShiftResize(int key)
{
    if (!focused)
        return;
    CMyComponent& c = *focused;
    int dw = key == vkey::Left ? -1 : key == vkey::Right ? 1 : 0;
    int dh = key == vkey::Up ? -1 : key == vkey::Down ? 1 : 0;
    c.startLeft = c.Left;
    c.startTop = c.Top;
    c.startWidth = c.Width;
    c.startHeight = c.Height;
    if (c.ow == 0 || c.oh == 0) {
        c.ow = std::max(c.Width, 1);
        c.oh = std::max(c.Height, 1);
    }
    if (c.nprable == 0) {
        // Both sides take the one step given, whichever key gave it, so that
        // Up and Down resize a locked widget too.
        const int step = dw != 0 ? dw : dh;
        dw = step;
        dh = step;
    }
    ResizeChild(&c, 4, dw, dh);
}

void CMyGroup::KeyPress(int key)
{
    if (key == vkey::Tab) {
        for (auto it = items.rbegin(); it != items.rend(); ++it) {
            CMyComponent* c = *it;
            if (c == focused || !c->focusable)
                continue;
            if (editMode) {
                if (focused)
                    focused->selected = 0;
                c->selected = 1;
            }
            Focus(c);
            MarkDirty(1);
            return;
        }
    } else if (editMode && key >= vkey::Left && key <= vkey::Down) {
        if (shift) {
            ShiftResize(key);
        } else {
            MoveSelection(key == vkey::Left ? -1
                    : key == vkey::Right    ? 1
                                            : 0,
                key == vkey::Up         ? -1
                    : key == vkey::Down ? 1
                                        : 0);
        }
        return;
    }
    if (focused) {
        PassKeys(focused);
        focused->KeyPress(key);
    }
}

void CMyGroup::MouseLeave()
{
    for (auto it = items.rbegin(); it != items.rend(); ++it) {
        CMyComponent* c = *it;
        if (c->hover) {
            PassKeys(c);
            c->MouseLeave();
            c->hover = 0;
        }
    }
}

void CMyGroup::MouseWheel(int delta)
{
    if (focused) {
        PassKeys(focused);
        focused->MouseWheel(delta);
    }
}

void CMyGroup::DblClick()
{
    if (focused) {
        PassKeys(focused);
        focused->DblClick();
    }
}

void CMyGroup::SetCanvas(TCanvas* c)
{
    canvas = c;
    for (CMyComponent* child : items)
        child->canvas = c;
}

void CMyGroup::SetColor(TColor c)
{
    Color = c;
    for (CMyComponent* child : items)
        child->SetColor(c);
}

void CMyGroup::SetZoom(float z)
{
    for (CMyComponent* child : items)
        child->SetZoom(z);
}
