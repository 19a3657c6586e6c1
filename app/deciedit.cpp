#include "app/About.h"

TDeciEdit::TDeciEdit(TComponent* owner)
    : TEdit(owner)
{
}

// Either half may go first when the page is torn down; the other must not
// write into it afterwards.
TDeciEdit::~TDeciEdit()
{
    if (partner && partner->partner == this)
        partner->partner = nullptr;
}

TDeciUpDown::TDeciUpDown(TComponent* owner)
    : TUpDown(owner)
{
    // A loaded position reaches the edit only through OnChangingEx.
    SetChangingOnSet(true);
}

TDeciUpDown::~TDeciUpDown()
{
    if (partner && partner->partner == this)
        partner->partner = nullptr;
}
