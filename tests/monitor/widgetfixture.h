#pragma once
// A monitor group on a white image, driven by pointer and key input as the
// monitor window hands it over.

#include <gtest/gtest.h>

#include <QImage>

#include "monitor/myindicator.h"
#include "monitor/mywidgets.h"
#include "monitor/valuedefs.h"
#include "texts/langtext.h"

// A new widget of the definition `id` at the given place in `into`.
template <typename W> W* InsertWidget(CMyGroup& into, int left, int top, int width, int height, int id)
{
    auto* w = new W;
    w->Left = left;
    w->Top = top;
    w->Width = width;
    w->Height = height;
    w->id = id;
    w->s = GetDef(id);
    into.Insert(w);
    return w;
}

class WidgetGroupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ValueDefs = InitialValueDefs();
        MonitorHasValues = 0;
        LangIndex = 0;
        image.fill(Qt::white);
        group.Left = 0;
        group.Top = 0;
        group.Width = 400;
        group.Height = 300;
        group.SetCanvas(&canvas);
    }
    void TearDown() override
    {
        ValueDefs = InitialValueDefs();
        MonitorHasValues = 0;
        LangIndex = 0;
    }

    template <typename W> W* Add(int left, int top, int width, int height, int id = 0)
    {
        return InsertWidget<W>(group, left, top, width, height, id);
    }

    void Move(int x, int y)
    {
        group.mouseX = x;
        group.mouseY = y;
        group.MouseMove();
    }
    void Press(int x, int y, int button = 1)
    {
        Move(x, y);
        group.button = button;
        group.MouseDown();
    }
    void Release(int x, int y)
    {
        Move(x, y);
        group.MouseUp();
    }
    void Click(int x, int y, bool ctrl = false)
    {
        group.ctrl = ctrl ? 1 : 0;
        Press(x, y);
        Release(x, y);
        group.ctrl = 0;
    }
    void Drag(int x0, int y0, int x1, int y1)
    {
        Press(x0, y0);
        Release(x1, y1);
    }
    void Key(int key, bool shift = false)
    {
        group.shift = shift ? 1 : 0;
        group.KeyPress(key);
        group.shift = 0;
    }
    TColor Pixel(int x, int y) { return canvas.Pixel(x, y); }

    QImage image { 400, 300, QImage::Format_RGB32 };
    TCanvas canvas { &image };
    CMyGroup group;
};

struct Rect {
    int left, top, width, height;
    bool operator==(const Rect&) const = default;
};

inline Rect RectOf(const CMyComponent* w)
{
    return { w->Left, w->Top, w->Width, w->Height };
}

inline std::ostream& operator<<(std::ostream& os, const Rect& r)
{
    return os << r.left << "," << r.top << " " << r.width << "x" << r.height;
}
