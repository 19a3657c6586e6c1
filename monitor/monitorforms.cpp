#include "monitor/IndiProp.h"

TTFormIndiProp* TFormIndiProp = nullptr;

TTFormIndiProp::TTFormIndiProp(TComponent* owner)
    : TForm(owner)
{
    SetName("TFormIndiProp");
    SetCaption("Indicator properties");
}
