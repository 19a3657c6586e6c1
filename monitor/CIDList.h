#pragma once
// The monitor's "Add watch" window: an empty form until the parameter tree
// is built into it.

#include "platform/controls.h"

class TFormCIDList : public TForm {
public:
    explicit TFormCIDList(TComponent* owner);
};

extern TFormCIDList* FormCIDList;
