// The gauge: bars and dial probed by pixel and ranges that have no scale.

#include "widgetfixture.h"

#include <cmath>
#include <string>
#include <vector>

namespace {

struct Probe {
    int x, y;
    TColor colour;
};

class GaugeTest : public WidgetGroupTest {
protected:
    CMyIndicator* Gauge(int style, int left, int top, int width, int height, double value, int flags)
    {
        def = InitialValueDefs()[0]; // range 0 to 100
        def.value = value;
        def.flags = flags;
        auto* g = Add<CMyIndicator>(left, top, width, height);
        g->s = &def;
        g->Style = style;
        return g;
    }
    void PaintFresh()
    {
        image.fill(Qt::white);
        group.Paint();
    }
    // Black pixels inside the left part of a dial's face, away from its ring.
    int BlackInLeftFace(int left, int top, int width, int height)
    {
        const double cx = left + width / 2, cy = top + height / 2, rx = width / 2.0, ry = height / 2.0;
        int black = 0;
        for (int y = top; y < top + height; ++y)
            for (int x = left; x < cx - width / 10; ++x) {
                const double u = (x - cx) / rx, v = (y - cy) / ry;
                if (u * u + v * v < 0.75 * 0.75 && Pixel(x, y) == clBlack)
                    ++black;
            }
        return black;
    }

    ValueDef def {};
};

TEST_F(GaugeTest, BarsShowTheValueAndItsState)
{
    constexpr TColor faded = 0xBFBFBF, silver = 0xC0C0C0;
    struct Case {
        const char* what;
        int style;
        int hasValues;
        double value;
        int flags;
        std::vector<Probe> probes;
    };
    // Horizontal bars at (10, 10) 100 x 20, vertical ones at (10, 10) 20 x 100; range 0 to 100.
    const Case cases[] = {
        { "a 2-pixel stub before any value", 0, 0, 60, 1,
            { { 11, 20, clRed }, { 12, 20, clRed }, { 13, 20, clWhite }, { 10, 20, clBlack } } },
        { "pinned at the top", 0, 1, 150, 1, { { 11, 20, clRed }, { 108, 20, clRed }, { 109, 20, clBlack } } },
        { "pinned at the bottom", 0, 1, -50, 1, { { 11, 20, clWhite }, { 11, 11, clWhite } } },
        { "half", 0, 1, 50, 1, { { 59, 20, clRed }, { 60, 20, clWhite } } },
        { "alarm: red face and a black line", 0, 1, 50, 0x81,
            { { 59, 20, clRed }, { 60, 20, clBlack }, { 60, 11, clBlack }, { 61, 20, clRed }, { 30, 20, clRed } } },
        { "high: yellow face", 0, 1, 50, 0x11, { { 59, 20, clYellow }, { 60, 20, clBlack } } },
        { "limiting: magenta face", 0, 1, 50, 0x41, { { 30, 20, clFuchsia }, { 60, 20, clBlack } } },
        { "faded", 0, 1, 50, 0, { { 30, 20, faded }, { 10, 20, silver }, { 60, 20, clWhite } } },
        { "an unknown style is a horizontal bar", 7, 0, 60, 1, { { 12, 20, clRed }, { 13, 20, clWhite } } },
        { "vertical stub", 1, 0, 60, 1, { { 20, 108, clRed }, { 20, 107, clRed }, { 20, 106, clWhite } } },
        { "vertical pinned", 1, 1, 1e9, 1, { { 20, 11, clRed }, { 20, 108, clRed }, { 20, 10, clBlack } } },
        { "vertical alarm", 1, 1, 50, 0x81, { { 20, 60, clBlack }, { 20, 59, clRed }, { 20, 61, clRed } } },
    };
    for (const Case& c : cases) {
        group.FreeAll();
        MonitorHasValues = c.hasValues;
        if (c.style == 1)
            Gauge(c.style, 10, 10, 20, 100, c.value, c.flags);
        else
            Gauge(c.style, 10, 10, 100, 20, c.value, c.flags);
        PaintFresh();
        for (const Probe& p : c.probes)
            EXPECT_EQ(Pixel(p.x, p.y), p.colour) << c.what << " at " << p.x << "," << p.y;
    }
}

TEST_F(GaugeTest, DialNeedleFollowsTheValueAndTheState)
{
    struct Case {
        const char* what;
        int hasValues;
        double value;
        int flags;
        std::vector<Probe> probes;
    };
    // A dial at (0, 0) 100 x 100: centre (50, 50); the minimum lies to the
    // lower left, the maximum to the lower right, the middle straight up.
    const Case cases[] = {
        { "before values at the minimum", 0, 80, 1, { { 35, 64, clRed }, { 64, 64, clWhite }, { 50, 35, clWhite } } },
        { "pinned at the maximum", 1, 500, 1, { { 64, 64, clRed }, { 35, 64, clWhite } } },
        { "pinned at the minimum", 1, -500, 1, { { 35, 64, clRed }, { 64, 64, clWhite } } },
        { "alarm: red face, black needle", 1, 50, 0x81,
            { { 50, 40, clBlack }, { 50, 25, clBlack }, { 65, 55, clRed }, { 50, 50, clBlack } } },
    };
    for (const Case& c : cases) {
        group.FreeAll();
        MonitorHasValues = c.hasValues;
        Gauge(CMyIndicator::Dial, 0, 0, 100, 100, c.value, c.flags);
        PaintFresh();
        for (const Probe& p : c.probes)
            EXPECT_EQ(Pixel(p.x, p.y), p.colour) << c.what << " at " << p.x << "," << p.y;
    }
}

TEST_F(GaugeTest, SmallDialsHaveNoLabels)
{
    MonitorHasValues = 1;
    ValueDefs[2].value = 20000; // engine speed, 0 to 20000: the needle to the lower right
    auto* small = Add<CMyIndicator>(0, 0, 80, 32, 1010);
    small->Style = CMyIndicator::Dial;
    PaintFresh();
    EXPECT_EQ(BlackInLeftFace(0, 0, 80, 32), 0);
    EXPECT_EQ(Pixel(40, 1), clBlack) << "the ticks are there";

    group.FreeAll();
    auto* large = Add<CMyIndicator>(0, 0, 300, 300, 1010);
    large->Style = CMyIndicator::Dial;
    PaintFresh();
    EXPECT_GT(BlackInLeftFace(0, 0, 300, 300), 20) << "a large dial labels its ticks";
}

TEST_F(GaugeTest, RangesWithoutRoomPaintNothing)
{
    MonitorHasValues = 1;
    // Intake pressure bounds from the image the wrong way round.
    RsImage pcImage;
    pcImage.SetWord(2112 / 2, 1000);
    pcImage.SetWord(2130 / 2, 300);
    LiveBlock block;
    LiveValues values;
    LiveChannelArray channels {};
    (void)UpdateDefValues({ block, values, channels, pcImage });
    ASSERT_GT(GetDef(1140)->min, GetDef(1140)->max);
    for (int style : { 0, 1, 2 }) {
        group.FreeAll();
        auto* iap = Add<CMyIndicator>(10, 10, 200, 200, 1140);
        iap->Style = style;
        iap->selected = 1;
        auto* empty = Gauge(style, 220, 10, 100, 100, 5, 1);
        empty->selected = 1;
        def.min = def.max = 5;
        group.Color = clWhite;
        PaintFresh();
        for (const Probe& p : std::vector<Probe> {
                 { 10, 10, clWhite }, { 100, 100, clWhite }, { 220, 10, clWhite }, { 270, 60, clWhite } })
            EXPECT_EQ(Pixel(p.x, p.y), p.colour) << style << " at " << p.x << "," << p.y;
    }
}

} // namespace
