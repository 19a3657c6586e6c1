// Colours and the pixel rules of drawing on a bitmap.
#include "platform/controls.h"
#include "platform/graphics.h"
#include "platform/stdctrls.h"

#include <gtest/gtest.h>

#include <QApplication>

#include <string>
#include <vector>

namespace {

TEST(Colors, PlainValuesAreBlueGreenRed)
{
    struct Case {
        TColor color;
        QColor qt;
    };
    const Case cases[] = {
        { clRed, QColor(255, 0, 0) },
        { clBlue, QColor(0, 0, 255) },
        { RGB(1, 2, 3), QColor(1, 2, 3) },
        { 0x00102030, QColor(0x30, 0x20, 0x10) },
        { clFuchsia, QColor(255, 0, 255) },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ColorToQColor(c.color), c.qt) << std::hex << c.color;
        EXPECT_EQ(QColorToColor(c.qt), c.color) << std::hex << c.color;
    }
}

TEST(Colors, SystemColorsFollowThePaletteAndRoundTrip)
{
    QPalette pal = QApplication::palette();
    struct Case {
        TColor color;
        QPalette::ColorRole role;
    };
    const Case cases[] = {
        { clBtnFace, QPalette::Button },
        { clWindow, QPalette::Base },
        { clWindowText, QPalette::Text },
        { clBtnText, QPalette::ButtonText },
        { clHighlight, QPalette::Highlight },
        { clInfoBk, QPalette::ToolTipBase },
    };
    TForm form(nullptr);
    auto* label = new TLabel(&form);
    for (const Case& c : cases) {
        EXPECT_EQ(ColorToQColor(c.color), pal.color(c.role)) << std::hex << c.color;
        label->SetColor(c.color);
        EXPECT_EQ(label->Color(), c.color) << std::hex << c.color;
    }
    EXPECT_EQ(ColorToRGB(clScrollBar) & 0xFF000000, 0);
    EXPECT_EQ(ColorToRGB(clSystemColor | 200), clBlack);
}

TEST(Colors, EditColourPaintsItsBase)
{
    TForm form(nullptr);
    auto* edit = new TEdit(&form);
    EXPECT_EQ(edit->Color(), clWindow);
    edit->SetColor(clYellow);
    edit->Font()->SetColor(clRed);
    EXPECT_EQ(edit->palette().color(QPalette::Base), QColor(255, 255, 0));
    EXPECT_EQ(edit->palette().color(QPalette::Text), QColor(255, 0, 0));
}

struct CanvasFixture : ::testing::Test {
    TBitmap bmp;
    TCanvas* c = bmp.Canvas();
    CanvasFixture()
    {
        bmp.SetSize(20, 20);
        c->Brush.Color = clWhite;
        c->FillRect({ 0, 0, 20, 20 });
    }
    // The rows of the bitmap, '#' where the pixel is not white.
    std::vector<std::string> Ink(int rows = 8, int cols = 8)
    {
        std::vector<std::string> out;
        for (int y = 0; y < rows; ++y) {
            std::string row;
            for (int x = 0; x < cols; ++x)
                row += c->Pixel(x, y) == clWhite ? '.' : '#';
            out.push_back(row);
        }
        return out;
    }
};

using CanvasRules = CanvasFixture;

TEST_F(CanvasRules, RectangleCoversUpToButNotIncludingItsRightAndBottom)
{
    c->Pen.Color = clBlack;
    c->Brush.Color = clRed;
    c->Rectangle(1, 1, 5, 4);
    EXPECT_EQ(
        Ink(6, 7), (std::vector<std::string> { ".......", ".####..", ".####..", ".####..", ".......", "......." }));
    EXPECT_EQ(c->Pixel(2, 2), clRed);
    EXPECT_EQ(c->Pixel(1, 1), clBlack);
    EXPECT_EQ(c->Pixel(4, 3), clBlack);
}

TEST_F(CanvasRules, FillRectAndFrameRect)
{
    c->Brush.Color = clBlue;
    c->FillRect({ 2, 2, 4, 3 });
    c->FrameRect({ 5, 0, 8, 3 });
    EXPECT_EQ(Ink(4, 8), (std::vector<std::string> { ".....###", ".....#.#", "..##.###", "........" }));
}

TEST_F(CanvasRules, LineLeavesOutItsLastPixel)
{
    c->Pen.Color = clBlack;
    struct Case {
        int x1, y1, x2, y2;
        std::vector<std::string> ink;
    };
    const Case cases[] = {
        { 0, 0, 4, 0, { "####.", ".....", "....." } },
        { 1, 0, 1, 3, { ".#...", ".#...", ".#...", "....." } },
        { 0, 0, 3, 3, { "#....", ".#...", "..#..", "....." } },
        { 3, 2, 0, 2, { ".....", ".....", ".###.", "....." } },
        { 2, 2, 2, 2, { ".....", ".....", "....." } },
    };
    for (const Case& cs : cases) {
        c->Brush.Color = clWhite;
        c->FillRect({ 0, 0, 20, 20 });
        c->MoveTo(cs.x1, cs.y1);
        c->LineTo(cs.x2, cs.y2);
        EXPECT_EQ(Ink(int(cs.ink.size()), 5), cs.ink) << cs.x1 << ',' << cs.y1 << " to " << cs.x2 << ',' << cs.y2;
        EXPECT_EQ(c->PenPos().X, cs.x2);
    }
}

TEST_F(CanvasRules, TextIsPlacedByItsTopLeftCorner)
{
    bmp.SetSize(60, 40);
    c->Brush.Color = clWhite;
    c->FillRect({ 0, 0, 60, 40 });
    c->Brush.Style = bsClear;
    c->Font.SetColor(clBlack);
    c->TextOut(10, 10, "H");
    int top = 40, left = 60, bottom = -1;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 60; ++x)
            if (c->Pixel(x, y) != clWhite) {
                top = std::min(top, y);
                left = std::min(left, x);
                bottom = std::max(bottom, y);
            }
    EXPECT_GE(top, 10);
    EXPECT_LT(top, 10 + c->TextHeight("H") / 2);
    EXPECT_GE(left, 10);
    EXPECT_LT(left, 14);
    EXPECT_LT(bottom, 10 + c->TextHeight("H"));
}

TEST_F(CanvasRules, OpaqueTextFillsItsCellWithTheBrush)
{
    bmp.SetSize(60, 40);
    c->Brush.Color = clYellow;
    c->TextOut(5, 5, "x");
    EXPECT_EQ(c->Pixel(5, 5), clYellow);
    EXPECT_EQ(c->Pixel(5 + c->TextWidth("x") - 1, 5 + c->TextHeight("x") - 1), clYellow);
    EXPECT_EQ(c->Pixel(5 + c->TextWidth("x"), 5), clWhite);
}

class Cross : public TCustomControl {
public:
    using TCustomControl::TCustomControl;

protected:
    void Paint() override
    {
        Canvas()->Brush.Color = clYellow;
        Canvas()->FillRect({ 0, 0, Width(), Height() });
        Canvas()->Pen.Color = clRed;
        Canvas()->MoveTo(0, 5);
        Canvas()->LineTo(Width(), 5);
    }
};

TEST(OwnDrawnControls, PaintOnTheCanvasIsWhatTheWidgetShows)
{
    TForm form(nullptr);
    auto* cross = new Cross(&form);
    cross->SetParent(&form);
    cross->SetBounds(0, 0, 30, 20);
    QImage shown = cross->grab().toImage();
    EXPECT_EQ(QColorToColor(shown.pixelColor(29, 5)), clRed);
    EXPECT_EQ(QColorToColor(shown.pixelColor(3, 3)), clYellow);
    EXPECT_EQ(cross->BackBitmap().Width(), 30);
}

TEST(Bitmaps, WrapAnImageWithoutCopyingAndDrawOnIndexedPictures)
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::green);
    TBitmap bmp(image);
    EXPECT_EQ(bmp.Image().constBits(), image.constBits());
    EXPECT_EQ(bmp.Canvas()->Pixel(3, 3), clLime);

    QImage indexed(4, 4, QImage::Format_Indexed8);
    indexed.setColorTable({ qRgb(0, 0, 0) });
    indexed.fill(0);
    TBitmap pic(indexed);
    pic.Canvas()->SetPixel(1, 1, clRed);
    pic.Canvas()->Brush.Color = clBlue;
    pic.Canvas()->FillRect({ 2, 2, 4, 4 });
    EXPECT_EQ(pic.Canvas()->Pixel(1, 1), clRed);
    EXPECT_EQ(pic.Canvas()->Pixel(3, 3), clBlue);
    EXPECT_EQ(pic.Canvas()->Pixel(0, 0), clBlack);
    EXPECT_EQ(pic.Canvas()->Pixel(9, 9), clNone);

    TBitmap copy(pic);
    copy.Canvas()->SetPixel(0, 0, clWhite);
    EXPECT_EQ(pic.Canvas()->Pixel(0, 0), clBlack);
}

} // namespace
