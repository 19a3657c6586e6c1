// Not a test: pictures of the external monitor on an emulated unit, for a
// person to look at. scripts/screenshots runs it under Xvfb with ZP_SHOTS
// naming the folder for the pictures.

#include "windowonunit.h"

#include "monitor/ExtMon.h"
#include "monitor/IndiProp.h"
#include "monitor/monitorpopup.h"
#include "monitor/myindicator.h"
#include "monitor/valuedefs.h"
#include "platform/menus.h"
#include "texts/langtext.h"

#include <QCoreApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace {

class MonitorOnUnit : public WindowOnUnit {
protected:
    void SetUp() override
    {
        WindowOnUnit::SetUp();
        ValueDefs = InitialValueDefs();
        monitor = std::make_unique<TFormEM>(nullptr);
        monitor->DoCreate();
        FormEM = monitor.get();
    }
    void TearDown() override
    {
        FormEM = nullptr;
        monitor.reset();
        WindowOnUnit::TearDown();
    }
    // The engine's speed moves; the monitor repaints on its next tick.
    void Rev(int rpm)
    {
        unit.SetLiveWord(2, uint16_t(rpm));
        ASSERT_TRUE(Run([&] { return form->Monitor.Values.LiveRpm == rpm; }));
        monitor->OnTimer(monitor.get());
    }
    void Mouse(QEvent::Type type, int x, int y, Qt::KeyboardModifiers mods = Qt::NoModifier,
        Qt::MouseButton button = Qt::LeftButton)
    {
        TMonImg* img = monitor->MonitorImage;
        const QPointF at(x, y);
        QMouseEvent event(
            type, at, img->mapToGlobal(at), button, type == QEvent::MouseButtonPress ? button : Qt::NoButton, mods);
        QCoreApplication::sendEvent(img, &event);
    }
    bool Save(const char* name)
    {
        return monitor->grab().save(QString::fromUtf8(std::getenv("ZP_SHOTS")) + "/" + name);
    }
    std::unique_ptr<TFormEM> monitor;
};

// Sets 1 to 3 with the ride's values, then set 3 in edit mode with two
// widgets selected and the focused one's place in the bar.
TEST_F(MonitorOnUnit, ExternalMonitorSets)
{
    ASSERT_TRUE(std::getenv("ZP_SHOTS")) << "ZP_SHOTS names the folder for the pictures";
    ASSERT_TRUE(Connected());
    HoldRideValues();
    const char* const names[] = { "extmon-set1.png", "extmon-set2.png", "extmon-set3.png" };
    for (int set = 1; set <= 3; ++set) {
        ShowExternalMonitor(form.get(), -set);
        Rev(4200 + 1500 * set);
        Rev(4300 + 1500 * set);
        EXPECT_TRUE(Save(names[set - 1]));
    }
    monitor->MonitorImage->EditButton->state = 1;
    monitor->OnTimer(monitor.get());
    Mouse(QEvent::MouseMove, 300, 30);
    Mouse(QEvent::MouseButtonPress, 300, 30);
    Mouse(QEvent::MouseButtonRelease, 300, 30);
    Mouse(QEvent::MouseMove, 360, 170, Qt::ControlModifier);
    Mouse(QEvent::MouseButtonPress, 360, 170, Qt::ControlModifier);
    Mouse(QEvent::MouseButtonRelease, 360, 170, Qt::ControlModifier);
    Rev(9100);
    EXPECT_TRUE(Save("extmon-edit.png"));
}

// Set 3 in edit mode with the popup menu of a focused gauge open, and the
// gauge's property window in Czech.
TEST_F(MonitorOnUnit, PopupMenuAndIndicatorWindow)
{
    ASSERT_TRUE(std::getenv("ZP_SHOTS")) << "ZP_SHOTS names the folder for the pictures";
    ShowExternalMonitor(form.get(), -3);
    monitor->MonitorImage->EditButton->state = 1;
    monitor->OnTimer(monitor.get());
    CMyGroup& place = monitor->MonitorImage->Place;
    CMyIndicator* gauge = nullptr;
    for (CMyComponent* w : place.items)
        if (!gauge && w->kind == widgetkind::Gauge && w->s->displayKind == defkind::Number)
            gauge = dynamic_cast<CMyIndicator*>(w);
    ASSERT_NE(gauge, nullptr);
    const int x = gauge->Left + gauge->Width / 2;
    const int y = gauge->Top + gauge->Height / 2;
    Mouse(QEvent::MouseMove, x, y);
    Mouse(QEvent::MouseButtonPress, x, y, Qt::NoModifier, Qt::RightButton);
    Mouse(QEvent::MouseButtonRelease, x, y, Qt::NoModifier, Qt::RightButton);
    monitor->OnTimer(monitor.get());
    QMenu* menu = monitor->PopupMenu1->Menu();
    const QPixmap window = monitor->grab();
    const QPixmap shownMenu = menu->grab();
    menu->hide();
    QPixmap shot(std::max(window.width(), x + shownMenu.width()), std::max(window.height(), y + shownMenu.height()));
    shot.fill(Qt::darkGray);
    QPainter painter(&shot);
    painter.drawPixmap(0, 0, window);
    painter.drawPixmap(x, y, shownMenu);
    painter.end();
    EXPECT_TRUE(shot.save(QString::fromUtf8(std::getenv("ZP_SHOTS")) + "/extmon-popup.png"));

    LangIndex = 2;
    TTFormIndiProp indicatorWindow(nullptr);
    TFormIndiProp = &indicatorWindow;
    place.Focus(gauge);
    bool saved = false;
    {
        ScopedModalAnswer answer([&](TForm* shown) {
            QCoreApplication::processEvents();
            saved = shown->grab().save(QString::fromUtf8(std::getenv("ZP_SHOTS")) + "/extmon-indicator-cs.png");
        });
        ShowWidgetProperties(monitor->MonitorImage);
    }
    TFormIndiProp = nullptr;
    LangIndex = 0;
    EXPECT_TRUE(saved);
}

} // namespace
