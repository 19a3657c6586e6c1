// Not a test: pictures of the external monitor's widgets, for a person to
// look at. scripts/screenshots runs it with ZP_SHOTS naming the folder.

#include "widgetfixture.h"

#include <QString>

#include <cstdlib>
#include <memory>

namespace {

// Every widget kind and gauge style before values, live, faded and selected.
TEST_F(WidgetGroupTest, EveryWidgetKind)
{
    const char* folder = std::getenv("ZP_SHOTS");
    ASSERT_TRUE(folder) << "ZP_SHOTS names the folder for the pictures";
    ValueDef def {};
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
