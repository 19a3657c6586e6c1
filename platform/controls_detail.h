#pragma once
// Shared by the files of the control layer; not for its users.

#include "platform/controls.h"

#include <QWidget>

namespace controls_detail {

// A form's client area: the part below the menu bar that holds the controls.
class FormClient : public QWidget {
public:
    FormClient(TForm* form)
        : QWidget(form)
        , form_(form)
    {
    }
    TForm* form_;
};

// The control a widget belongs to: the widget itself, a form's client area or
// the nearest enclosing control.
TControl* ControlOf(QWidget* w);

} // namespace controls_detail
