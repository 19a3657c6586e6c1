#include "platform/screen.h"

#include "platform/controls.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

void KeepFormOnScreen(TForm* form)
{
    QScreen* screen
        = QGuiApplication::screenAt(QPoint(form->Left() + form->Width() / 2, form->Top() + form->Height() / 2));
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect area = screen->availableGeometry();
    int width = std::min(form->Width(), area.width());
    int height = std::min(form->Height(), area.height());
    int left = std::clamp(form->Left(), area.left(), area.left() + area.width() - width);
    int top = std::clamp(form->Top(), area.top(), area.top() + area.height() - height);
    form->SetBounds(left, top, width, height);
}
