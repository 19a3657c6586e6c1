#include "monitor/CIDList.h"

TFormCIDList* FormCIDList = nullptr;

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
