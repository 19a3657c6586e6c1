#include "mapedit/tabbuttons.h"
#include "mapedit/tabcanvas.h"

#include <gtest/gtest.h>

#include <string>

namespace {

QImage White(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::white);
    return img;
}

bool IsColour(const QImage& img, int x, int y, TColor c)
{
    return img.pixelColor(x, y) == ColorToQColor(c);
}

// One image row as text: '#' where the pixel has the colour.
std::string Row(const QImage& img, int y, int x1, int x2, TColor c)
{
    std::string s;
    for (int x = x1; x < x2; x++)
        s += IsColour(img, x, y, c) ? '#' : '.';
    return s;
}

} // namespace

TEST(TabCanvas, OldPixelRules)
{
    QImage img = White(20, 20);
    {
        TabCanvas cv(img);
        cv.FillRect(2, 2, 5, 4, 0x0000FF);
        cv.PenColour = 0xFF0000;
        cv.Line(2, 10, 6, 10); // the last pixel stays out
        cv.Line(10, 0, 10, 0); // a line of length 0 paints nothing
    }
    EXPECT_TRUE(IsColour(img, 2, 2, 0x0000FF)); // TColor 0x0000FF is red
    EXPECT_EQ(img.pixelColor(2, 2), QColor(255, 0, 0));
    EXPECT_EQ(Row(img, 3, 0, 7, 0x0000FF), "..###..");
    EXPECT_EQ(Row(img, 4, 0, 7, 0x0000FF), ".......");
    EXPECT_EQ(Row(img, 10, 0, 8, 0xFF0000), "..####..");
    EXPECT_TRUE(IsColour(img, 10, 0, 0xFFFFFF));
}

TEST(TabCanvas, BevelsTrianglesAndTiles)
{
    QImage img = White(40, 40);
    {
        TabCanvas cv(img);
        DrawBevelBox(cv, 0, 0, 10, 10, false, 0xC0C0C0, 0x808080, 0x00FF00);
        DrawCornerTriangles(cv, 20, 20, 20, 10, 1 | 8, 0x0000FF);
    }
    EXPECT_TRUE(IsColour(img, 0, 0, 0x00FF00)); // raised: light top left
    EXPECT_TRUE(IsColour(img, 9, 9, 0x808080)); // dark bottom right
    EXPECT_TRUE(IsColour(img, 5, 5, 0xC0C0C0)); // face
    EXPECT_TRUE(IsColour(img, 10, 10, 0xFFFFFF)); // nothing beyond the box
    EXPECT_TRUE(IsColour(img, 21, 21, 0x0000FF)); // top-left triangle
    EXPECT_TRUE(IsColour(img, 38, 28, 0x0000FF)); // bottom-right triangle
    EXPECT_TRUE(IsColour(img, 36, 20, 0xFFFFFF)); // no top-right one

    // Tiles are anchored at the canvas origin plus the shift.
    QImage tile(4, 1, QImage::Format_RGB32);
    for (int x = 0; x < 4; x++)
        tile.setPixelColor(x, 0, QColor(x * 60, 0, 0));
    QImage out = White(12, 2);
    {
        TabCanvas cv(out);
        TileBitmap(cv, tile, 5, 0, 12, 2, 1, 0);
    }
    for (int x = 5; x < 12; x++)
        EXPECT_EQ(out.pixelColor(x, 1).red(), ((x + 1) % 4) * 60) << x;
    EXPECT_EQ(out.pixelColor(4, 0), QColor(Qt::white));
}

TEST(TabCanvas, HatchAndDottedFill)
{
    MakeHatchBrush(0xFFFFFF, 0x000000);
    QImage img = White(8, 4);
    {
        TabCanvas cv(img);
        FillHatched(cv, 0, 0, 8, 4);
    }
    EXPECT_EQ(Row(img, 0, 0, 8, 0x000000), ".#.#.#.#");
    EXPECT_EQ(Row(img, 1, 0, 8, 0x000000), "#.#.#.#.");

    QImage dots = White(8, 3);
    FillDotted(dots, -2, 1, 7, 9, 0xFF000000);
    EXPECT_EQ(Row(dots, 0, 0, 8, 0x000000), "........");
    EXPECT_EQ(Row(dots, 1, 0, 8, 0x000000), ".#.#....");
    EXPECT_EQ(Row(dots, 2, 0, 8, 0x000000), "#.#.#...");
    FillDotted(dots, 8, 0, 5, 5, 0xFF000000); // starts outside: nothing

    QImage low(8, 3, QImage::Format_RGB16);
    low.fill(Qt::white);
    const QImage before = low.copy();
    FillDotted(low, 0, 0, 8, 3, 0);
    EXPECT_EQ(low, before);
}

TEST(TabButton, PlusAndMinusStrokes)
{
    struct Case {
        const char* caption;
        int32_t state, pressed;
        TColor colour;
        int width; // rows the horizontal stroke covers
        bool vertical;
    } cases[] = {
        { "+", 1, 0, 0x000000, 2, true },
        { "+", 0x81, 0, 0xC0C0C0, 2, true },
        { "+", 1, 1, 0xFFFFFF, 2, true },
        { "-", 1, 0, 0x000000, 2, false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.caption) + " state " + std::to_string(c.state));
        TabButton b;
        b.ButtonState = c.state;
        b.Pressed = c.pressed;
        b.Colour = 0x00FF00;
        b.Caption = c.caption;
        b.Rect = { 0, 0, 24, 12 }; // pen min(24, 12) / 10 + 1 = 2
        QImage img = White(30, 20);
        {
            TabCanvas cv(img);
            b.Paint(cv);
        }
        int rows = 0;
        for (int y = 2; y < 10; y++) // inside the bevel
            rows += IsColour(img, 8, y, c.colour);
        EXPECT_EQ(rows, c.width);
        EXPECT_EQ(IsColour(img, 12, 3, c.colour), c.vertical);
    }
    TabButton hidden;
    hidden.Caption = "+";
    hidden.Rect = { 0, 0, 24, 12 };
    QImage img = White(30, 20);
    {
        TabCanvas cv(img);
        hidden.Paint(cv);
    }
    EXPECT_EQ(img, White(30, 20));
}

TEST(TabScrollBar, PaintsOnlyWhenThereIsSomethingToScroll)
{
    TabScrollBar b;
    b.Horizontal = 1;
    b.Visible = 1;
    b.Rect = { 0, 0, 100, 10 };
    b.Colour = 0x00FF00;
    b.Total = 10;
    b.Page = 10;
    QImage img = White(100, 10);
    {
        TabCanvas cv(img);
        b.Paint(cv);
    }
    EXPECT_EQ(img, White(100, 10));
    b.Page = 5;
    b.Position = 9; // cut to Total - Page while painting
    b.PressedPart = SB_TRACK_BEFORE;
    {
        TabCanvas cv(img);
        b.Paint(cv);
    }
    EXPECT_EQ(b.Position, 5);
    EXPECT_TRUE(IsColour(img, 2, 2, 0x00FF00)); // the first arrow's face
    EXPECT_TRUE(IsColour(img, 30, 5, 0x000000)); // the held track before the thumb
    EXPECT_TRUE(IsColour(img, 80, 5, 0x00FF00)); // the thumb at the end
}
