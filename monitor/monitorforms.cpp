#include "monitor/CIDList.h"
#include "monitor/IndiProp.h"

TFormCIDList* FormCIDList = nullptr;
TTFormIndiProp* TFormIndiProp = nullptr;

TFormCIDList::TFormCIDList(TComponent* owner)
    : TForm(owner)
{
    SetName("FormCIDList");
    SetCaption("Add watch");
}

TTFormIndiProp::TTFormIndiProp(TComponent* owner)
    : TForm(owner)
{
    SetName("TFormIndiProp");
    SetCaption("Indicator properties");
}
