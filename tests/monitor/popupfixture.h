#pragma once
// The external monitor in edit mode on a 400 x 200 place, with the picker of
// live values and the indicator window the program makes at start; modal
// windows are answered by the test.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>
#include <memory>
#include <vector>

#include "monitor/CIDList.h"
#include "monitor/ExtMon.h"
#include "monitor/IndiProp.h"
#include "monitor/monitorpopup.h"
#include "monitor/myindicator.h"
#include "monitor/valuedefs.h"
#include "texts/langtext.h"
#include "widgetfixture.h"

class MonitorPopupTest : public ::testing::Test {
protected:
    static constexpr int PLACE_WIDTH = 400;
    static constexpr int PLACE_HEIGHT = 200;

    void SetUp() override
    {
        ValueDefs = InitialValueDefs();
        LangIndex = 0;
        form = std::make_unique<TFormEM>(nullptr);
        form->DoCreate();
        img = form->MonitorImage;
        img->Place.origWidth = PLACE_WIDTH;
        img->Place.origHeight = PLACE_HEIGHT;
        img->EditButton->state = 1;
        form->OnTimer(form.get());
        ASSERT_EQ(place().Width, PLACE_WIDTH);
        ASSERT_EQ(place().Height, PLACE_HEIGHT);
        picker = std::make_unique<TFormCIDList>(nullptr);
        FormCIDList = picker.get();
        indicatorForm = std::make_unique<TTFormIndiProp>(nullptr);
        TFormIndiProp = indicatorForm.get();
    }
    void TearDown() override
    {
        FormCIDList = nullptr;
        TFormIndiProp = nullptr;
        ValueDefs = InitialValueDefs();
        LangIndex = 0;
    }

    template <class W = CMyValue> W* Add(int left, int top, int width, int height, int id = 1010)
    {
        return InsertWidget<W>(place(), left, top, width, height, id);
    }
    void Mouse(QEvent::Type type, int x, int y, Qt::MouseButton button = Qt::LeftButton)
    {
        const QPointF at(x, y);
        const Qt::MouseButtons held
            = type == QEvent::MouseButtonRelease || type == QEvent::MouseMove ? Qt::NoButton : Qt::MouseButtons(button);
        QMouseEvent event(type, at, img->mapToGlobal(at), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(img, &event);
    }
    void Click(int x, int y, Qt::MouseButton button = Qt::LeftButton)
    {
        Mouse(QEvent::MouseMove, x, y);
        Mouse(QEvent::MouseButtonPress, x, y, button);
        Mouse(QEvent::MouseButtonRelease, x, y, button);
    }
    void Key(int key)
    {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(form.get(), &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
        QCoreApplication::sendEvent(form.get(), &release);
    }
    CMyGroup& place() { return img->Place; }
    // The place's widgets of one definition and kind, in painting order.
    std::vector<CMyComponent*> Widgets(int id, int kind)
    {
        std::vector<CMyComponent*> found;
        for (CMyComponent* w : place().items)
            if (w->id == id && w->kind == kind)
                found.push_back(w);
        return found;
    }
    int IndexOf(const CMyComponent* w)
    {
        const auto& items = place().items;
        return int(std::find(items.begin(), items.end(), w) - items.begin());
    }

    std::unique_ptr<TFormEM> form;
    TMonImg* img = nullptr;
    std::unique_ptr<TFormCIDList> picker;
    std::unique_ptr<TTFormIndiProp> indicatorForm;
};
