// The gauge: bars and dial probed by pixel, ranges that have no scale, and a
// picture of every widget kind for a person to look at.

#include "widgetfixture.h"

#include <QString>

#include <cmath>
#include <cstdlib>
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

// Every widget kind and gauge style before values, live, faded and selected,
// saved for a person to look at.
TEST_F(GaugeTest, Screenshot)
{
    const char* folder = std::getenv("ZP_SHOTS");
    if (!folder)
        GTEST_SKIP() << "ZP_SHOTS names the folder for the pictures";
    QImage big(640, 420, QImage::Format_RGB32);
    TCanvas bigCanvas(&big);
    group.SetCanvas(&bigCanvas);
    group.Width = 640;
    group.Height = 420;
    group.Color = 0xF0F0F0;
    ValueDefs[2].value = 7250; // RPM
    ValueDefs[3].value = 63.5; // TPS
    ValueDefs[10].value = 92; // TW
    ValueDefs[10].flags = 0x01;
    ValueDefs[12].value = 101.3; // AP
    ValueDefs[12].flags = 0; // faded
    ValueDefs[20].value = 104; // duty A
    ValueDefs[20].flags = 0x11;
    ValueDefs[57].value = 1; // pick-up running
    const auto label = [&](int x, int y, int w, int h, int id) { return Add<CMyLabel>(x, y, w, h, id); };
    const auto value = [&](int x, int y, int w, int h, int id) { return Add<CMyValue>(x, y, w, h, id); };
    const auto gauge = [&](int x, int y, int w, int h, int id, int style) {
        auto* g = Add<CMyIndicator>(x, y, w, h, id);
        g->Style = style;
        return g;
    };
    gauge(10, 10, 200, 200, 1010, CMyIndicator::Dial);
    label(80, 130, 60, 16, 1010);
    value(70, 150, 80, 24, 1010);
    auto* rpmAlarm = gauge(220, 10, 140, 140, 1010, CMyIndicator::Dial);
    rpmAlarm->s = &def;
    def = *GetDef(1010);
    def.flags = 0x81;
    def.value = 11000;
    gauge(370, 10, 80, 32, 1010, CMyIndicator::Dial);
    gauge(460, 10, 80, 32, 1140, CMyIndicator::Dial);
    label(220, 160, 80, 16, 1020);
    gauge(220, 180, 200, 20, 1020, CMyIndicator::HorizontalBar);
    value(430, 178, 60, 24, 1020);
    label(220, 210, 80, 16, 1110);
    gauge(220, 230, 200, 20, 1110, CMyIndicator::HorizontalBar);
    label(220, 260, 80, 16, 1130);
    gauge(220, 280, 200, 20, 1130, CMyIndicator::HorizontalBar);
    value(430, 278, 60, 24, 1130);
    label(220, 310, 80, 16, 1220);
    gauge(220, 330, 200, 20, 1220, CMyIndicator::HorizontalBar);
    value(430, 328, 60, 24, 1220);
    gauge(560, 60, 24, 200, 1220, CMyIndicator::VerticalBar);
    gauge(595, 60, 24, 200, 1130, CMyIndicator::VerticalBar);
    label(10, 230, 120, 16, 3010);
    value(10, 250, 120, 20, 3010);
    auto* text = Add<CMyText>(10, 290, 100, 24);
    text->SetStr("Free text");
    text->TextColor = clBlue;
    text->FitWidth();
    auto* picture = Add<CMyImage>(10, 330, 80, 60);
    QImage logo(40, 30, QImage::Format_RGB32);
    logo.fill(QColor(40, 90, 160));
    for (int i = 0; i < 30; ++i)
        logo.setPixel(i, i, qRgb(255, 200, 0));
    picture->picture = std::make_unique<TBitmap>(logo);
    auto* pin = Add<CMyPin>(500, 390, 14, 16);
    pin->type = CMyButt::Toggle;
    pin->state = 1;
    pin->Color = 0xF0F0F0;
    auto* edit = Add<CMyButt>(520, 390, 50, 16);
    edit->type = CMyButt::Toggle;
    edit->caption = "###Edit##Bearbeiten##Upravit";
    edit->Down = 1;
    edit->Color = 0xF0F0F0;

    const QString dir = QString::fromUtf8(folder);
    const auto save = [&](const char* name) {
        group.Paint();
        bigCanvas.Flush();
        return big.save(dir + name);
    };
    ASSERT_TRUE(save("/monitor-widgets-before-values.png"));
    MonitorHasValues = 1;
    ASSERT_TRUE(save("/monitor-widgets-live.png"));
    group.editMode = 1;
    group.items[0]->selected = 1;
    group.items[4]->selected = 1;
    group.Focus(group.items[0]);
    group.CountSelected();
    ASSERT_TRUE(save("/monitor-widgets-selected.png"));
}

} // namespace
