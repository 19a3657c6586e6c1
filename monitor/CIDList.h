#pragma once
// The monitor's "Add watch" window: the tree of live-value definitions with a
// check-box column per widget kind ("Label", "Value", "Indicator").

#include "monitor/cid.h"
#include "platform/controls.h"

// The tree list control. The window and the caller reach its fields directly.
class TCIDList : public TCustomControl {
public:
    explicit TCIDList(TComponent* owner);

    CID root; // the definitions' tree, built once when the list is made
    int redraw = 1; // the window's timer draws the list again while set
    int topRow = 0; // the first row shown (scroll position)
};

class TFormCIDList : public TForm {
public:
    explicit TFormCIDList(TComponent* owner);

    TCIDList* List = nullptr;
};

extern TFormCIDList* FormCIDList;
