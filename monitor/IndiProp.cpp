#include "monitor/IndiProp.h"

TTFormIndiProp* TFormIndiProp = nullptr;

// clang-format off
const std::array<MarkColor, MARK_COLOR_COUNT> MarkColors = {{
    { 0x000000, "###Black####Černá" },
    { 0xC0C0C0, "###Light gray####Světle šedá" },
    { 0x808080, "###Dark gray####Tmavě šedá" },
    { 0x00FFFF, "###Yellow####Žlutá" },
    { 0x008080, "###Olive####Olivová" },
    { 0xFF00FF, "###Fuchsia####Růžová" },
    { 0x0000FF, "###Red####Červená" },
    { 0x800080, "###Purple####Fialová" },
    { 0x000080, "###Maroon####Hnědá" },
    { 0x00FF00, "###Lime####Světle zelená" },
    { 0x008000, "###Green####Zelená" },
    { 0x808000, "###Teal####Modrozelná" },
    { 0xFFFF00, "###Aqua####Světle modrá" },
    { 0xFF0000, "###Blue####Modrá" },
    { 0x800000, "###Navy####Tmavě modrá" },
}};
// clang-format on

namespace {

template <class C> C* Place(TTFormIndiProp* form, const char* name, int left, int top, int width, int height)
{
    auto* c = new C(form);
    c->SetName(name);
    c->SetParent(form);
    c->SetBounds(left, top, width, height);
    return c;
}

} // namespace

TTFormIndiProp::TTFormIndiProp(TComponent* owner)
    : TForm(owner)
{
    SetName("TFormIndiProp");
    SetCaption("Indicator properties");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    SetClientWidth(366);
    SetClientHeight(157);
    LabelType = Place<TLabel>(this, "LabelType", 8, 8, 65, 13);
    LabelColor = Place<TLabel>(this, "LabelColor", 85, 42, 50, 13);
    LabelColor->SetAlignment(taRightJustify);
    ColorBox1 = Place<TColorBox>(this, "ColorBox1", 141, 39, 177, 22);
    TypeOfIndi = Place<TRadioGroup>(this, "TypeOfIndi", 8, 67, 350, 46);
    TypeOfIndi->SetCaption("Type of indicator");
    TypeOfIndi->SetColumns(3);
    btCancel = Place<TButton>(this, "btCancel", 24, 119, 75, 25);
    btCancel->SetCaption("Cancel");
    btCancel->SetCancel(true);
    btCancel->SetModalResult(mrCancel);
    btOK = Place<TButton>(this, "btOK", 264, 119, 75, 25);
    btOK->SetCaption("OK");
    btOK->SetDefault(true);
    btOK->SetModalResult(mrOk);
}
