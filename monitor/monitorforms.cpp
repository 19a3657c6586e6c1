#include "monitor/CIDList.h"
#include "monitor/IndiProp.h"

TFormCIDList* FormCIDList = nullptr;
TTFormIndiProp* TFormIndiProp = nullptr;

TFormCIDList::TFormCIDList(TComponent* owner)
    : TForm(owner)
{
    SetName("FormCIDList");
    SetCaption("Add watch");
    List = new TCIDList(this);
}

TCIDList::TCIDList(TComponent* owner)
    : TCustomControl(owner)
{
    BuildDefTree(root);
}

TTFormIndiProp::TTFormIndiProp(TComponent* owner)
    : TForm(owner)
{
    SetName("TFormIndiProp");
    SetCaption("Indicator properties");
}
