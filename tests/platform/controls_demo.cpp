// One of each control on a form, as a user would see them; run it under a
// display (or Xvfb) to look at the layer's rendering.
#include "platform/comctrls.h"
#include "platform/controls.h"
#include "platform/menus.h"
#include "platform/stdctrls.h"

#include <QApplication>

#include <clocale>

namespace {

template <class T> T* Place(TForm* form, TControl* parent, int x, int y, int w, int h, const char* caption = nullptr)
{
    auto* c = new T(form);
    c->SetParent(parent);
    c->SetBounds(x, y, w, h);
    if (caption)
        c->SetCaption(caption);
    return c;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    TApplication application;
    TForm* form = application.CreateForm<TForm>();
    form->SetCaption("Ovládací prvky – ukázka");
    form->SetBounds(0, 0, 1000, 740);

    auto* menu = new TMainMenu(form);
    auto* file = new TMenuItem(form);
    file->SetCaption("&File");
    menu->Items()->Add(file);
    auto* open = new TMenuItem(form);
    open->SetCaption("&Open...");
    open->SetShortCut("Ctrl+O");
    file->Add(open);
    auto* help = new TMenuItem(form);
    help->SetCaption("&Help");
    menu->Items()->Add(help);
    form->SetMenu(menu);

    auto* status = new TStatusBar(form);
    status->SetParent(form);
    for (const char* text : { "Ready", "COM3 115200", "Verify: OK", "", "Žluťoučký kůň" })
        status->AddPanel()->SetText(text);
    status->Panels(0)->SetWidth(160);
    status->Panels(1)->SetWidth(120);
    status->Panels(2)->SetWidth(140);
    status->Panels(3)->SetWidth(60);

    Place<TLabel>(form, form, 10, 10, 0, 0, "Plain label");
    auto* coloured = Place<TLabel>(form, form, 110, 10, 0, 0, "Coloured label");
    coloured->SetColor(clYellow);
    coloured->Font()->SetColor(clRed);
    auto* edit = Place<TEdit>(form, form, 10, 34, 80, 21);
    auto* updown = Place<TUpDown>(form, form, 90, 34, 16, 21);
    updown->SetMax(9000);
    updown->SetAssociate(edit);
    updown->SetPosition(1500);
    auto* all = Place<TEdit>(form, form, 120, 34, 60, 21);
    all->SetText("ALL");
    Place<TCheckBox>(form, form, 10, 64, 190, 17, "Programming after change")->SetChecked(true);
    auto* red = Place<TCheckBox>(form, form, 200, 64, 110, 17, "Red box");
    red->SetColor(clRed);
    Place<TRadioButton>(form, form, 10, 88, 120, 17, "Radio one")->SetChecked(true);
    Place<TRadioButton>(form, form, 130, 88, 120, 17, "Radio two");

    auto* rg = Place<TRadioGroup>(form, form, 10, 114, 280, 90, "Radio group");
    rg->SetColumns(2);
    for (const char* item : { "Voltage", "Resistance", "Off", "On", "Auto" })
        rg->AddItem(item);
    rg->SetItemIndex(1);

    auto* combo = Place<TComboBox>(form, form, 10, 214, 180, 21);
    combo->SetStyle(csDropDownList);
    for (const char* item : { "Honda CBR 600", "Yamaha R6", "Jednopalec krátké buzení" })
        combo->AddItem(item, 11);
    combo->SetItemIndex(0);

    Place<TButton>(form, form, 10, 246, 75, 25, "&Program");
    auto* speed = Place<TSpeedButton>(form, form, 92, 246, 60, 25, "Speed");
    speed->SetFlat(false);
    Place<TBitBtn>(form, form, 160, 246, 90, 25, "Bit button");

    auto* group = Place<TGroupBox>(form, form, 10, 282, 280, 110, "Group box");
    Place<TLabel>(form, group, 10, 22, 0, 0, "Label inside");
    Place<TBevel>(form, group, 10, 44, 120, 50);
    auto* line = Place<TBevel>(form, group, 140, 60, 120, 2);
    line->SetShape(bsTopLine);

    auto* memo = Place<TMemo>(form, form, 10, 402, 280, 80);
    memo->AddLine("Memo line one");
    memo->AddLine("Poznámka: řádek dva");
    auto* rich = Place<TRichEdit>(form, form, 10, 490, 280, 70);
    rich->SetText("Rich edit with plain text");

    auto* gauge = Place<TCGauge>(form, form, 10, 570, 280, 20);
    gauge->SetForeColor(clNavy);
    gauge->SetProgress(63);
    auto* scroll = Place<TScrollBar>(form, form, 10, 598, 280, 17);
    scroll->SetPosition(40);

    auto* pages = Place<TPageControl>(form, form, 310, 10, 660, 380);
    for (const char* caption : { "Bike", "Synchro", "Hidden", "Advance" }) {
        auto* sheet = new TTabSheet(form);
        sheet->SetCaption(caption);
        sheet->SetParent(pages);
    }
    pages->Pages(2)->SetTabVisible(false);
    Place<TLabel>(form, pages->Pages(0), 10, 10, 0, 0, "A label on the first page");
    auto* pageEdit = Place<TEdit>(form, pages->Pages(0), 10, 30, 100, 21);
    pageEdit->SetText("12");

    auto* image = Place<TImage>(form, form, 310, 400, 330, 200);
    TBitmap* bmp = image->Picture();
    bmp->SetSize(330, 200);
    TCanvas* c = bmp->Canvas();
    c->Brush.Color = clWhite;
    c->FillRect({ 0, 0, 330, 200 });
    c->Pen.Color = clBlue;
    c->Brush.Color = clAqua;
    c->Rectangle(10, 10, 110, 70);
    c->Pen.Color = clRed;
    c->MoveTo(10, 190);
    c->LineTo(320, 90);
    c->Brush.Style = bsClear;
    c->Font.SetColor(clBlack);
    c->TextOut(130, 20, "Canvas text 1234");
    c->Brush.Style = bsSolid;
    c->Brush.Color = clLime;
    c->Ellipse(200, 120, 300, 180);

    form->Show();
    return app.exec();
}
