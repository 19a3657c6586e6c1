// The monitor window's widgets to and from monitor-set files.
#include <QBuffer>
#include <QFileInfo>
#include <QImage>

#include <cstdio>
#include <utility>

#include "app/main.h"
#include "monitor/ExtMon.h"
#include "monitor/monitorset.h"
#include "monitor/myindicator.h"
#include "monitor/valuedefs.h"
#include "platform/dialogs.h"
#include "platform/filewrite.h"
#include "texts/langtext.h"

static_assert(MONITOR_ITEM_LEN == MONSET_ITEM_LEN);

namespace {

const char* const SET_FILTER = "###Morvanta external monitor|*.zmo;*.ZMO####Morvanta - externí monitor|*.zmo;*.ZMO";
const char* const ERROR_CAPTION = "###Error####Chyba";
const char* const OPEN_ERROR = "###Open file error...####Chyba při otevírání soboru...";

QString Lang(const char* text)
{
    return QString::fromUtf8(SelectLangText(text));
}

std::vector<uint8_t> BmpBytes(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "BMP"))
        return {};
    return { bytes.begin(), bytes.end() };
}

MonitorSet SetOfWindow(TFormEM* form)
{
    const TMonImg& img = *form->MonitorImage;
    MonitorSet set;
    set.header = { form->Left(), form->Top(), form->OuterWidth(), form->OuterHeight(), img.Place.origWidth,
        img.Place.origHeight };
    for (CMyComponent* w : img.Place.items) {
        MonitorSetItem item;
        w->ToRecord(std::span<uint8_t, MONITOR_ITEM_LEN>(item.bytes));
        item.Set(setitem::Kind, w->kind);
        if (auto* picture = dynamic_cast<CMyImage*>(w)) {
            if (!picture->picture || picture->picture->Empty() || set.pictures.size() >= MAX_SET_PICTURES)
                continue;
            std::vector<uint8_t> bmp = BmpBytes(picture->picture->Image());
            if (bmp.empty())
                continue;
            item.Set(setitem::Aux, int32_t(set.pictures.size()));
            set.pictures.push_back({ int32_t(set.pictures.size()), std::move(bmp) });
        } else if (auto* text = dynamic_cast<CMyText*>(w)) {
            if (set.texts.size() >= MAX_SET_TEXTS)
                continue;
            item.Set(setitem::Aux, int32_t(set.texts.size()));
            set.texts.push_back({ int32_t(set.texts.size()), text->text });
        } else if (auto* gauge = dynamic_cast<CMyIndicator*>(w)) {
            item.Set(setitem::Aux, gauge->Style);
            item.Set(setitem::ColorMk, int32_t(gauge->ColorMk));
        } else if (auto* label = dynamic_cast<CMyLabel*>(w)) {
            item.Set(setitem::Aux, label->units);
            item.Set(setitem::ColorMk, int32_t(label->ColorMk));
        } else if (auto* value = dynamic_cast<CMyValue*>(w)) {
            item.Set(setitem::ColorMk, int32_t(value->ColorMk));
        }
        set.items.push_back(item);
    }
    return set;
}

// A widget of the record's kind with the record's fields; its kind stays the
// class's own whatever the record's last field says.
CMyComponent* WidgetOf(const MonitorSetItem& item)
{
    CMyObj* w = nullptr;
    switch (item.kind()) {
    case widgetkind::Picture:
        w = new CMyImage;
        break;
    case widgetkind::Text:
        w = new CMyText;
        break;
    case widgetkind::Label: {
        auto* label = new CMyLabel;
        label->units = item.aux();
        w = label;
        break;
    }
    case widgetkind::Value:
        w = new CMyValue;
        break;
    default: {
        auto* gauge = new CMyIndicator;
        const int style = item.aux();
        gauge->Style = style >= CMyIndicator::HorizontalBar && style <= CMyIndicator::Dial ? style : 0;
        w = gauge;
        break;
    }
    }
    const int kind = w->kind;
    w->FromRecord(std::span<const uint8_t, MONITOR_ITEM_LEN>(item.bytes));
    w->kind = kind;
    if (kind != widgetkind::Picture && kind != widgetkind::Text) {
        w->ColorMk = TColor(item.colorMk());
        w->s = GetDef(w->id);
    }
    return w;
}

// A text as a string literal: quotes, backslashes, control characters and
// bytes above 126 as three-digit octal escapes, so the listing stays plain
// ASCII whatever the text holds.
std::string Quoted(const std::string& text)
{
    std::string out = "\"";
    for (const char ch : text) {
        const auto b = uint8_t(ch);
        if (b < 0x20 || b > 0x7E || ch == '"' || ch == '\\') {
            char esc[8];
            std::snprintf(esc, sizeof esc, "\\%03o", unsigned(b));
            out += esc;
        } else {
            out += ch;
        }
    }
    return out + "\"";
}

} // namespace

std::string MonitorSetSource(TFormEM* form)
{
    const TMonImg& img = *form->MonitorImage;
    std::string out;
    const auto line = [&out](const std::string& text) { out += "\t" + text + "\r\n"; };
    const auto num = [](auto v) { return std::to_string(v); };
    line("//External Monitor Set******");
    line("CMyText* text;");
    line("CMyLabel* label;");
    line("CMyValue* value;");
    line("CMyIndicator* indicator;");
    line("CMyComponent* item;");
    line("//Position");
    line("Parent->Left = " + num(form->Left()) + ";");
    line("Parent->Top = " + num(form->Top()) + ";");
    line("Parent->Width = " + num(form->OuterWidth()) + ";");
    line("Parent->Height = " + num(form->OuterHeight()) + ";");
    line("Place.origWidth = " + num(img.Place.origWidth) + ";");
    line("Place.origHeight = " + num(img.Place.origHeight) + ";");
    line("");
    line("//Clear Place");
    line("Place.FreeAll();");
    line("");
    for (size_t i = 0; i < img.Place.items.size(); ++i) {
        const CMyComponent* w = img.Place.items[i];
        line("//Item " + num(i) + " (" + num(w->kind) + ")");
        switch (w->kind) {
        case widgetkind::Picture:
            line("//Picture skipped :(");
            continue;
        case widgetkind::Text:
            line("text = new CMyText;");
            line("text->SetStr(" + Quoted(static_cast<const CMyText*>(w)->text) + ");");
            line("item = text;");
            break;
        case widgetkind::Label: {
            const auto* label = static_cast<const CMyLabel*>(w);
            line("label = new CMyLabel;");
            line("label->ColorMk = " + num(label->ColorMk) + ";");
            line("label->units = " + num(label->units) + ";");
            line("item = label;");
            break;
        }
        case widgetkind::Value:
            line("value = new CMyValue;");
            line("value->ColorMk = " + num(static_cast<const CMyValue*>(w)->ColorMk) + ";");
            line("item = value;");
            break;
        case widgetkind::Gauge: {
            const auto* gauge = static_cast<const CMyIndicator*>(w);
            line("indicator = new CMyIndicator;");
            line("indicator->Style = " + num(gauge->Style) + ";");
            line("indicator->ColorMk = " + num(gauge->ColorMk) + ";");
            line("item = indicator;");
            break;
        }
        default:
            break;
        }
        line("//Common values...");
        const std::pair<const char*, int64_t> fields[] = { { "Left", w->Left }, { "Top", w->Top },
            { "Width", w->Width }, { "Height", w->Height }, { "focusable", w->focusable }, { "Color", w->Color },
            { "ltframe", w->ltframe }, { "dkframe", w->dkframe }, { "Down", w->Down }, { "TextColor", w->TextColor },
            { "AlignV", w->AlignV }, { "AlignH", w->AlignH }, { "rszable", w->rszable }, { "nprable", w->nprable },
            { "ow", w->ow }, { "oh", w->oh }, { "minw", w->minw }, { "minh", w->minh }, { "maxw", w->maxw },
            { "maxh", w->maxh }, { "id", w->id }, { "kind", w->kind } };
        for (const auto& [name, value] : fields)
            line(std::string("item->") + name + " = " + num(value) + ";");
        line("//Insert...");
        line("item->s = GetDef(item->id);");
        line("Place.Insert(item);");
        line("");
    }
    return out;
}

void ExportMonitorSetSource(TFormEM* form)
{
    FileDialogRequest request;
    request.filter = QStringLiteral("Source|*.cpp;*.h");
    request.defaultExt = QStringLiteral("cpp");
    const QString picked = Dialogs().SaveFileName(request);
    if (picked.isEmpty())
        return;
    WriteFileAtomic(picked.toStdString(), MonitorSetSource(form));
}

int WriteMonitorSet(TFormEM* form, const std::string& path)
{
    const std::vector<uint8_t> bytes = EncodeMonitorSet(SetOfWindow(form));
    const WriteResult result
        = WriteFileAtomic(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    return result.ok ? 0 : 1;
}

int ReadMonitorSet(TFormEM* form, const std::string& path)
{
    std::string raw;
    if (!ReadWholeFile(path, raw))
        return 1;
    MonitorSet set;
    const int result = DecodeMonitorSet({ reinterpret_cast<const uint8_t*>(raw.data()), raw.size() }, set);
    if (result == setread::BadFormat)
        return result;
    TMonImg& img = *form->MonitorImage;
    const MonitorSetHeader& h = set.header;
    form->SetOuterBounds(h.Left, h.Top, h.Width, h.Height);
    img.Place.origWidth = h.origWidth != 0 ? h.origWidth : form->ClientWidth();
    img.Place.origHeight = h.origHeight != 0 ? h.origHeight : form->ClientHeight() - img.BarHeight;
    form->FormResize(form);
    img.Place.FreeAll();
    for (const MonitorSetItem& item : set.items)
        img.Place.Insert(WidgetOf(item));
    img.Place.SetCanvas(img.Canvas());
    size_t texts = 0;
    size_t pictures = 0;
    int status = result;
    for (CMyComponent* w : img.Place.items) {
        if (auto* text = dynamic_cast<CMyText*>(w); text && texts < set.texts.size())
            text->text = set.texts[texts++].text;
        if (auto* picture = dynamic_cast<CMyImage*>(w); picture && pictures < set.pictures.size()) {
            const std::vector<uint8_t>& bmp = set.pictures[pictures++].bmp;
            QImage image;
            if (!image.loadFromData(bmp.data(), int(bmp.size()), "BMP")) {
                status = setread::BadPictures;
                break;
            }
            picture->picture = std::make_unique<TBitmap>(image);
        }
    }
    img.Place.MarkDirty(2);
    return status;
}

void LoadMonitorSet(TFormEM* form)
{
    TMonImg& img = *form->MonitorImage;
    img.LoadResult = -1;
    FileDialogRequest request;
    request.filter = Lang(SET_FILTER);
    request.defaultExt = QStringLiteral("zmo");
    const QString picked = Dialogs().OpenFileName(request);
    if (picked.isEmpty())
        return;
    img.LoadResult = ReadMonitorSet(form, picked.toStdString());
    if (img.LoadResult == 0)
        return;
    const char* text = "###Unspecific error...####Nespecifikovaná chyba...";
    switch (img.LoadResult) {
    case 1:
        text = OPEN_ERROR;
        break;
    case 2:
        text = "###Invalid format or version of file...####Neplatný formát nebo verze souboru...";
        break;
    case 3:
        text = "###Invalid string storage...####Chybné uložení řetězce...";
        break;
    case 4:
        text = "###Invalid picture storage...####Chybné uložení obrázku...";
        break;
    default:
        break;
    }
    Dialogs().MessageBox(Lang(text), Lang(ERROR_CAPTION), MB_OK | MB_ICONERROR);
}

void StoreMonitorSet(TMainForm*)
{
    if (!FormEM || !FormEM->MonitorImage)
        return;
    FileDialogRequest request;
    request.filter = Lang(SET_FILTER);
    request.defaultExt = QStringLiteral("zmo");
    const QString picked = Dialogs().SaveFileName(request);
    if (picked.isEmpty())
        return;
    if (WriteMonitorSet(FormEM, picked.toStdString()) != 0)
        Dialogs().MessageBox(Lang(OPEN_ERROR), Lang(ERROR_CAPTION), MB_OK | MB_ICONERROR);
}

void SaveMonitorIni(TMainForm* form)
{
    if (!form->MonitorShown || !FormEM || !FormEM->MonitorImage)
        return;
    std::vector<uint8_t> bytes = EncodeMonitorSet(SetOfWindow(FormEM));
    if (bytes == FormEM->IniBytes && QFileInfo::exists(QString::fromStdString(form->MonitorIniPath)))
        return;
    const WriteResult result = WriteFileAtomic(
        form->MonitorIniPath, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    if (result.ok)
        FormEM->IniBytes = std::move(bytes);
}
