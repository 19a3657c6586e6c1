#pragma once
// The monitor widgets' property window: an empty form until the property
// dialogs are built into it.

#include "platform/controls.h"

class TTFormIndiProp : public TForm {
public:
    explicit TTFormIndiProp(TComponent* owner);
};

extern TTFormIndiProp* TFormIndiProp;
