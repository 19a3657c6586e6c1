#include "monitor/monitorpopup.h"

#include "app/main.h"
#include "monitor/ExtMon.h"
#include "monitor/IndiProp.h"
#include "monitor/myindicator.h"
#include "monitor/valuedefs.h"
#include "platform/cp1250.h"
#include "platform/dialogs.h"
#include "platform/menus.h"
#include "platform/stdctrls.h"
#include "texts/langtext.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <algorithm>
#include <functional>
#include <iterator>
#include <memory>
#include <string>

namespace {

const char* const STORE_SOURCE_TEXT = "***Store source***";
const char* const PIN_OFF_TEXT = "###Normal window####Normální okno";
const char* const PIN_ON_TEXT = "###Always on the top####Vždy nahoře";
const char* const EDIT_OFF_TEXT = "###End edit mode####Konec úprav";
const char* const EDIT_ON_TEXT = "###Enter edit mode####Mód úprav";
const char* const LOAD_SET_TEXT = "###Load monitor set####Načti nastavení monitoru";
const char* const STORE_SET_TEXT = "###Store monitor set####Ulož nastavení monitoru";
const char* const INSERT_TEXT_TEXT = "###Insert text####Vlož text";
const char* const ADD_IMAGE_TEXT = "###Add image####Vlož obrázek";
const char* const ADD_WATCH_TEXT = "###Add watch####Vlož sledování";
const char* const DELETE_TEXT = "###Delete####Smaž";
const char* const BACKWARDS_TEXT = "###Backwards####Na pozadí";
const char* const PROPERTIES_TEXT = "###Properties####Vlastnosti";

const char* const CANCEL_TEXT = "###Cancel####Zpět";
const char* const CONFIRM_TEXT = "###OK####Nastav";
const char* const EDIT_TEXT_CAPTION = "###Edit text####Uprav text";
const char* const USE_UNITS_TEXT = "###Use units####Použít jednotky";
const char* const LABEL_PROMPT = "###Label of parameter:####Popiska parametru:";
const char* const VALUE_PROMPT = "###Value of parameter:####Hodnota parametru:";
const char* const INDICATOR_PROMPT = "###Indicator of parameter:####Ukazatel parametru:";
const char* const SET_INDICATOR_CAPTION = "###Set indicator####Nastav ukazatel";
const char* const TYPE_OF_INDICATOR_TEXT = "###Type of indicator####Typ ukazatele";
const char* const INDICATOR_STYLE_TEXTS[] = {
    "###Horizontal####Horizontální",
    "###Vertical####Vertikální",
    "###Round####Ciferník",
};
const char* const COLOR_OF_INDICATOR_TEXT = "###Color of indicator####Barva ukazatele";

constexpr int TEXT_HEIGHT = 35;

TFormEM* FormOf(TMonImg* img)
{
    return dynamic_cast<TFormEM*>(img->Owner());
}

// Moves a widget left and up until it ends inside the place, but never past
// its left or top edge.
void HoldInside(CMyComponent& w, const CMyGroup& place)
{
    if (w.Left + w.Width > place.Width)
        w.Left = place.Width - w.Width;
    if (w.Top + w.Height > place.Height)
        w.Top = place.Height - w.Height;
    w.Left = std::max(w.Left, 0);
    w.Top = std::max(w.Top, 0);
}

// "Label of parameter: /Group/Name [units]" and the like.
std::string ParameterText(const char* prompt, int id)
{
    std::string text = std::string(SelectLangText(prompt)) + " ";
    GetDefPath(text, id, true);
    return text;
}

// One of the small dialogs the monitor builds for a single use: a form owned
// by the image with a cancel and a confirm button, 80 x 20 each.
struct CodeDialog {
    CodeDialog(TMonImg* img, int width, int height, const char* caption, int buttonsTop, int confirmResult)
        : form(std::make_unique<TForm>(img))
    {
        form->SetName("MonitorDialog");
        form->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
        form->SetCaption(SelectLangText(caption));
        form->SetClientWidth(width);
        form->SetClientHeight(height);
        auto* cancel = Add<TButton>("btCancel", 20, buttonsTop, 80, 20);
        cancel->SetCaption(SelectLangText(CANCEL_TEXT));
        cancel->SetModalResult(mrCancel);
        cancel->SetCancel(true);
        auto* confirm = Add<TButton>("btOK", 120, buttonsTop, 80, 20);
        confirm->SetCaption(SelectLangText(CONFIRM_TEXT));
        confirm->SetModalResult(confirmResult);
        confirm->SetDefault(true);
    }
    template <class C> C* Add(const char* name, int left, int top, int width, int height)
    {
        auto* c = new C(form.get());
        c->SetName(name);
        c->SetParent(form.get());
        c->SetBounds(left, top, width, height);
        return c;
    }
    TEdit* AddEdit(const std::string& text)
    {
        auto* edit = Add<TEdit>("EditText", 20, 20, 260, 20);
        edit->SetText(text);
        return edit;
    }
    TLabel* AddLabel(const std::string& text)
    {
        auto* label = Add<TLabel>("LabelParameter", 20, 20, 460, 20);
        label->SetAutoSize(false);
        label->SetCaption(text);
        return label;
    }
    int ShowModal() { return form->ShowModal(); }

    std::unique_ptr<TForm> form;
};

// The text dialog: true with the text entered when confirmed.
bool AskText(TMonImg* img, const char* caption, std::string& text)
{
    CodeDialog dialog(img, 300, 120, caption, 60, mrYes);
    TEdit* edit = dialog.AddEdit(text);
    if (dialog.ShowModal() != mrYes)
        return false;
    text = edit->Text();
    return true;
}

// The picture of a *.bmp, *.jpg or *.jpeg file, decoded as its extension
// says; null for any other name and for a file that cannot be read, does
// not decode or would pass the image reader's allocation limit.
std::unique_ptr<TBitmap> LoadPicture(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot < 0)
        return nullptr;
    const QString ext = name.mid(dot + 1).toUpper();
    QByteArray format;
    if (ext.startsWith(QStringLiteral("BMP")))
        format = "bmp";
    else if (ext.startsWith(QStringLiteral("JPG")) || ext.startsWith(QStringLiteral("JPEG")))
        format = "jpeg";
    else
        return nullptr;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    QImageReader reader(&file, format);
    reader.setAutoDetectImageFormat(false);
    const QImage image = reader.read();
    if (image.isNull())
        return nullptr;
    return std::make_unique<TBitmap>(image);
}

void EditText(TMonImg* img, CMyText& w)
{
    std::string text = w.text;
    if (!AskText(img, EDIT_TEXT_CAPTION, text))
        return;
    w.SetStr(text.c_str());
    w.FitWidth();
    w.ow = w.Width;
    w.oh = w.Height;
    HoldInside(w, img->Place);
    img->Place.MarkDirty(2);
}

void EditLabel(TMonImg* img, CMyLabel& w)
{
    CodeDialog dialog(img, 500, 130, PROPERTIES_TEXT, 70, mrOk);
    dialog.AddLabel(ParameterText(LABEL_PROMPT, w.id));
    const ValueDef* d = GetDef(w.id);
    TCheckBox* units = nullptr;
    if (d->units && *d->units) {
        units = dialog.Add<TCheckBox>("CheckBoxUnits", 20, 40, 460, 20);
        units->SetCaption(SelectLangText(USE_UNITS_TEXT));
        units->SetChecked(w.units == 1);
    }
    if (dialog.ShowModal() != mrOk || !units)
        return;
    w.units = units->Checked() ? 1 : 0;
    w.FitWidth();
    img->Place.MarkDirty(2);
}

void ShowValue(TMonImg* img, const CMyValue& w)
{
    CodeDialog dialog(img, 500, 120, PROPERTIES_TEXT, 60, mrYes);
    dialog.AddLabel(ParameterText(VALUE_PROMPT, w.id));
    dialog.ShowModal();
}

// The program's indicator window, every control set for this use; a window
// of its own when the program has none.
void EditIndicator(TMonImg* img, CMyIndicator& w)
{
    std::unique_ptr<TTFormIndiProp> own;
    TTFormIndiProp* f = TFormIndiProp;
    if (!f) {
        own = std::make_unique<TTFormIndiProp>(img);
        f = own.get();
    }
    const ValueDef* d = GetDef(w.id);
    f->SetCaption(SelectLangText(SET_INDICATOR_CAPTION));
    f->btCancel->SetCaption(SelectLangText(CANCEL_TEXT));
    f->btOK->SetCaption(SelectLangText(CONFIRM_TEXT));
    const bool numeric = d->displayKind == defkind::Number;
    f->TypeOfIndi->SetVisible(numeric);
    f->TypeOfIndi->ClearItems();
    if (numeric) {
        f->TypeOfIndi->SetCaption(SelectLangText(TYPE_OF_INDICATOR_TEXT));
        f->TypeOfIndi->SetColumns(3);
        for (const char* text : INDICATOR_STYLE_TEXTS)
            f->TypeOfIndi->AddItem(SelectLangText(text));
        // A style the gauge does not know shows as the first.
        const int style = w.Style >= CMyIndicator::HorizontalBar && w.Style <= CMyIndicator::Dial ? w.Style : 0;
        f->TypeOfIndi->SetItemIndex(style);
    }
    f->LabelType->SetCaption(ParameterText(INDICATOR_PROMPT, w.id));
    f->LabelColor->SetCaption(SelectLangText(COLOR_OF_INDICATOR_TEXT));
    f->ColorBox1->ClearItems();
    for (const MarkColor& c : MarkColors)
        f->ColorBox1->AddColor(SelectLangText(c.name), c.color);
    // A colour not offered selects nothing and is kept unless one is picked.
    f->ColorBox1->SetItemIndex(f->ColorBox1->IndexOfColor(w.ColorMk));
    if (f->ShowModal() != mrOk)
        return;
    img->Place.MarkDirty(2);
    if (numeric && f->TypeOfIndi->ItemIndex() >= 0)
        w.Style = f->TypeOfIndi->ItemIndex();
    if (const int picked = f->ColorBox1->ItemIndex(); picked >= 0)
        w.ColorMk = f->ColorBox1->Colors(picked);
}

} // namespace

void BuildMonitorPopup(TMonImg* img)
{
    TPopupMenu* menu = img->PopupMenu;
    if (!menu)
        return;
    TMenuItem* root = menu->Items();
    root->Clear();
    auto add = [&](const char* caption, std::function<void(TMonImg*)> command) {
        auto* item = new TMenuItem(menu);
        item->SetCaption(caption);
        if (command)
            item->OnClick = [img, command = std::move(command)](TObject*) { command(img); };
        root->Add(item);
    };
    auto separator = [&] { add("-", nullptr); };
    auto lang = [](const char* text) { return SelectLangText(text); };
    if (ProgramTestFlag)
        add(STORE_SOURCE_TEXT, [](TMonImg* i) {
            if (TFormEM* form = FormOf(i))
                ExportMonitorSetSource(form);
        });
    add(lang(img->PinButton->state == 1 ? PIN_OFF_TEXT : PIN_ON_TEXT), TogglePin);
    const bool edit = img->EditButton->state == 1;
    add(lang(edit ? EDIT_OFF_TEXT : EDIT_ON_TEXT), ToggleEditButton);
    if (!edit)
        return;
    separator();
    add(lang(LOAD_SET_TEXT), [](TMonImg* i) {
        if (TFormEM* form = FormOf(i))
            LoadMonitorSet(form);
    });
    add(lang(STORE_SET_TEXT), [](TMonImg*) { StoreMonitorSet(MainForm); });
    separator();
    add(lang(INSERT_TEXT_TEXT), InsertTextWidget);
    add(lang(ADD_IMAGE_TEXT), AddImageWidget);
    add(lang(ADD_WATCH_TEXT), AddWatch);
    const CMyComponent* focused = img->Place.focused;
    if (!focused)
        return;
    separator();
    add(lang(DELETE_TEXT), DeleteSelectedWidgets);
    add(lang(BACKWARDS_TEXT), SendBackwards);
    const int kind = focused->kind;
    if (kind == widgetkind::Text || kind == widgetkind::Label || kind == widgetkind::Value || kind == widgetkind::Gauge)
        add(lang(PROPERTIES_TEXT), ShowWidgetProperties);
}

void TogglePin(TMonImg* img)
{
    CMyPin& pin = *img->PinButton;
    pin.state = 1 - pin.state;
    pin.Down = pin.state;
    pin.Paint();
    img->Invalidate();
}

void ToggleEditButton(TMonImg* img)
{
    CMyButt& button = *img->EditButton;
    button.state = 1 - button.state;
    button.Down = button.state;
}

void InsertTextWidget(TMonImg* img)
{
    std::string text;
    if (!AskText(img, INSERT_TEXT_TEXT, text))
        return;
    CMyGroup& place = img->Place;
    auto* w = new CMyText;
    place.Insert(w);
    w->SetStr(text.c_str());
    w->Left = img->InsertX;
    w->Top = img->InsertY;
    w->Height = TEXT_HEIGHT;
    w->FitWidth();
    HoldInside(*w, place);
    place.MarkDirty(2);
}

void AddImageWidget(TMonImg* img)
{
    if (img->EditButton->state != 1)
        return;
    FileDialogRequest request;
    request.filter = QStringLiteral("Image files|*.JPG;*JPEG;*.BMP");
    const QString picked = Dialogs().OpenFileName(request);
    if (picked.isEmpty())
        return;
    std::unique_ptr<TBitmap> picture = LoadPicture(picked);
    if (!picture)
        return;
    CMyGroup& place = img->Place;
    auto* w = new CMyImage;
    w->Left = img->InsertX;
    w->Top = img->InsertY;
    w->Width = picture->Width();
    w->Height = picture->Height();
    w->picture = std::move(picture);
    HoldInside(*w, place);
    w->Width = std::min(w->Width, place.Width - w->Left);
    w->Height = std::min(w->Height, place.Height - w->Top);
    place.ClearSelection();
    place.Insert(w);
    place.Focus(w);
    place.MarkDirty(2);
}

void DeleteSelectedWidgets(TMonImg* img)
{
    CMyGroup& place = img->Place;
    if (place.selCount == 0)
        return;
    std::vector<CMyComponent*> selected;
    std::copy_if(place.items.begin(), place.items.end(), std::back_inserter(selected),
        [](const CMyComponent* w) { return w->selected == 1; });
    for (CMyComponent* w : selected)
        place.Delete(w);
    place.MarkDirty(2);
}

void SendBackwards(TMonImg* img)
{
    CMyGroup& place = img->Place;
    const std::vector<CMyComponent*> order = place.items;
    for (CMyComponent* w : order) {
        if (w->selected != 1)
            continue;
        std::erase(place.items, w);
        place.items.insert(place.items.begin(), w);
        w->selected = 0;
    }
    place.CountSelected();
    place.MarkDirty(2);
}

void ShowWidgetProperties(TMonImg* img)
{
    CMyComponent* w = img->Place.focused;
    if (!w)
        return;
    switch (w->kind) {
    case widgetkind::Text:
        if (auto* text = dynamic_cast<CMyText*>(w))
            EditText(img, *text);
        break;
    case widgetkind::Label:
        if (auto* label = dynamic_cast<CMyLabel*>(w))
            EditLabel(img, *label);
        break;
    case widgetkind::Value:
        if (auto* value = dynamic_cast<CMyValue*>(w))
            ShowValue(img, *value);
        break;
    case widgetkind::Gauge:
        if (auto* gauge = dynamic_cast<CMyIndicator*>(w))
            EditIndicator(img, *gauge);
        break;
    default:
        break;
    }
}
