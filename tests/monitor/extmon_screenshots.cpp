// Not a test: pictures of the external monitor on an emulated unit, for a
// person to look at. scripts/screenshots runs it under Xvfb with ZP_SHOTS
// naming the folder for the pictures.

#include "windowonunit.h"

#include "monitor/ExtMon.h"
#include "monitor/valuedefs.h"

#include <QCoreApplication>
#include <QMouseEvent>

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
    void Mouse(QEvent::Type type, int x, int y, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        TMonImg* img = monitor->MonitorImage;
        const QPointF at(x, y);
        QMouseEvent event(type, at, img->mapToGlobal(at), Qt::LeftButton,
            type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, mods);
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

} // namespace
