// The ready-made monitor sets of the main window's menu, as data: the
// window's bounds and every widget in painting order.
#include "monitor/ExtMon.h"
#include "monitor/myindicator.h"
#include "monitor/valuedefs.h"

namespace {

enum class P { Picture, Text, Label, Value, Gauge };

struct PresetRow {
    P widget;
    int left, top, width, height;
    int id;
    int style;
    TColor colorMk;
    int ow, oh;
    const char* text;
};

struct PresetBounds {
    int left, top, width, height;
};

const PresetRow SET1[] = {
    { P::Picture, 150, 0, 88, 48, 0, 0, 0, 0, 0, nullptr },
    { P::Gauge, 149, 99, 96, 69, 1170, 2, 255, 80, 32, nullptr },
    { P::Gauge, 0, 0, 180, 160, 1160, 2, 255, 80, 32, nullptr },
    { P::Text, 57, 124, 65, 26, 0, 0, 0, 87, 35, "[km/h]" },
    { P::Gauge, 131, 172, 266, 15, 1020, 0, 255, 80, 32, nullptr },
    { P::Label, 0, 167, 59, 20, 1020, 0, 0, 105, 35, nullptr },
    { P::Value, 72, 162, 50, 28, 1020, 0, 0, 64, 35, nullptr },
    { P::Value, 64, 18, 51, 43, 1160, 0, 0, 42, 35, nullptr },
    { P::Label, 224, 156, 68, 14, 1170, 0, 0, 167, 35, nullptr },
    { P::Value, 190, 97, 14, 35, 1170, 0, 0, 0, 0, nullptr },
    { P::Gauge, 217, 1, 180, 160, 1010, 2, 255, 80, 32, nullptr },
    { P::Label, 283, 115, 54, 35, 1010, 0, 0, 0, 0, nullptr },
    { P::Value, 262, 26, 83, 42, 1010, 0, 0, 70, 35, nullptr },
};

const PresetRow SET2[] = {
    { P::Picture, 184, 403, 109, 53, 0, 0, 0, 0, 0, nullptr },
    { P::Gauge, 0, 89, 83, 68, 1030, 2, 255, 80, 32, nullptr },
    { P::Gauge, 199, 95, 94, 76, 1020, 2, 255, 80, 32, nullptr },
    { P::Gauge, 136, 314, 28, 32, 1110, 1, 255, 80, 32, nullptr },
    { P::Gauge, 136, 349, 28, 32, 1120, 1, 255, 80, 32, nullptr },
    { P::Gauge, 136, 384, 28, 32, 1130, 1, 255, 80, 32, nullptr },
    { P::Value, 76, 380, 50, 35, 1130, 0, 0, 0, 0, nullptr },
    { P::Gauge, 136, 419, 28, 32, 1140, 1, 255, 80, 32, nullptr },
    { P::Value, 86, 415, 42, 35, 1140, 0, 0, 0, 0, nullptr },
    { P::Value, 83, 310, 42, 35, 1110, 0, 0, 0, 0, nullptr },
    { P::Value, 83, 345, 42, 35, 1120, 0, 0, 0, 0, nullptr },
    { P::Gauge, 203, 175, 80, 20, 1210, 0, 255, 80, 32, nullptr },
    { P::Gauge, 203, 208, 80, 20, 1220, 0, 255, 80, 32, nullptr },
    { P::Gauge, 203, 244, 80, 20, 1230, 0, 255, 80, 32, nullptr },
    { P::Label, 6, 177, 110, 20, 1210, 0, 0, 192, 35, nullptr },
    { P::Label, 6, 210, 126, 20, 1220, 0, 0, 220, 35, nullptr },
    { P::Gauge, 203, 277, 80, 20, 1240, 0, 255, 80, 32, nullptr },
    { P::Label, 6, 280, 137, 20, 1240, 0, 0, 239, 35, nullptr },
    { P::Value, 145, 269, 50, 35, 1240, 0, 0, 0, 0, nullptr },
    { P::Label, 9, 320, 58, 20, 1110, 0, 0, 102, 35, nullptr },
    { P::Label, 9, 355, 52, 20, 1120, 0, 0, 94, 35, nullptr },
    { P::Label, 9, 425, 64, 20, 1140, 0, 0, 117, 35, nullptr },
    { P::Label, 222, 154, 36, 13, 1020, 0, 0, 105, 35, nullptr },
    { P::Value, 221, 105, 50, 28, 1020, 0, 0, 64, 35, nullptr },
    { P::Gauge, 54, 1, 178, 155, 1010, 2, 255, 80, 32, nullptr },
    { P::Label, 113, 111, 54, 35, 1010, 0, 0, 0, 0, nullptr },
    { P::Value, 101, 26, 83, 42, 1010, 0, 0, 70, 35, nullptr },
    { P::Value, 22, 97, 36, 26, 1030, 0, 0, 50, 35, nullptr },
    { P::Label, 10, 155, 62, 12, 1030, 0, 0, 180, 35, nullptr },
    { P::Label, 6, 245, 137, 20, 1230, 0, 0, 239, 35, nullptr },
    { P::Value, 158, 166, 28, 35, 1210, 0, 0, 0, 0, nullptr },
    { P::Value, 150, 200, 42, 35, 1220, 0, 0, 0, 0, nullptr },
    { P::Value, 145, 234, 50, 35, 1230, 0, 0, 0, 0, nullptr },
    { P::Label, 9, 390, 62, 20, 1130, 0, 0, 107, 35, nullptr },
    { P::Label, 198, 321, 38, 20, 1150, 0, 0, 66, 35, nullptr },
    { P::Value, 203, 340, 35, 25, 1150, 0, 0, 50, 35, nullptr },
};

const PresetRow SET3[] = {
    { P::Picture, 150, 0, 74, 37, 0, 0, 0, 0, 0, nullptr },
    { P::Label, 0, 0, 150, 35, 9000, 0, 0, 0, 0, nullptr },
    { P::Label, 14, 35, 239, 35, 9010, 0, 0, 0, 0, nullptr },
    { P::Gauge, 253, 185, 156, 12, 1020, 0, 255, 80, 32, nullptr },
    { P::Value, 340, 156, 64, 35, 1020, 0, 0, 0, 0, nullptr },
    { P::Gauge, 122, 185, 80, 20, 9014, 0, 255, 80, 32, nullptr },
    { P::Label, 20, 175, 32, 35, 9014, 0, 0, 0, 0, nullptr },
    { P::Value, 62, 175, 50, 35, 9014, 0, 0, 0, 0, nullptr },
    { P::Gauge, 122, 150, 80, 20, 9013, 0, 255, 80, 32, nullptr },
    { P::Label, 20, 140, 32, 35, 9013, 0, 0, 0, 0, nullptr },
    { P::Value, 62, 140, 50, 35, 9013, 0, 0, 0, 0, nullptr },
    { P::Label, 251, 160, 82, 27, 1020, 0, 0, 105, 35, nullptr },
    { P::Gauge, 122, 116, 80, 20, 9012, 0, 255, 80, 32, nullptr },
    { P::Label, 20, 105, 32, 35, 9012, 0, 0, 0, 0, nullptr },
    { P::Value, 62, 105, 50, 35, 9012, 0, 0, 0, 0, nullptr },
    { P::Gauge, 122, 80, 80, 20, 9011, 0, 255, 80, 32, nullptr },
    { P::Label, 20, 70, 32, 35, 9011, 0, 0, 0, 0, nullptr },
    { P::Value, 62, 70, 50, 35, 9011, 0, 0, 0, 0, nullptr },
    { P::Gauge, 233, 0, 199, 155, 1010, 2, 255, 80, 32, nullptr },
    { P::Label, 303, 111, 54, 35, 1010, 0, 0, 0, 0, nullptr },
    { P::Value, 292, 26, 83, 42, 1010, 0, 0, 70, 35, nullptr },
    { P::Gauge, 122, 360, 80, 20, 9024, 0, 255, 80, 32, nullptr },
    { P::Label, 20, 350, 32, 35, 9024, 0, 0, 0, 0, nullptr },
    { P::Value, 62, 350, 50, 35, 9024, 0, 0, 0, 0, nullptr },
    { P::Gauge, 122, 325, 80, 20, 9023, 0, 255, 80, 32, nullptr },
    { P::Label, 20, 315, 32, 35, 9023, 0, 0, 0, 0, nullptr },
    { P::Value, 62, 315, 50, 35, 9023, 0, 0, 0, 0, nullptr },
    { P::Gauge, 122, 290, 80, 20, 9022, 0, 255, 80, 32, nullptr },
    { P::Label, 20, 280, 32, 35, 9022, 0, 0, 0, 0, nullptr },
    { P::Value, 62, 280, 50, 35, 9022, 0, 0, 0, 0, nullptr },
    { P::Gauge, 122, 255, 80, 20, 9021, 0, 255, 80, 32, nullptr },
    { P::Value, 62, 245, 50, 35, 9021, 0, 0, 0, 0, nullptr },
    { P::Gauge, 237, 430, 156, 20, 9040, 0, 255, 80, 32, nullptr },
    { P::Label, 10, 420, 165, 35, 9040, 0, 0, 0, 0, nullptr },
    { P::Value, 185, 420, 42, 35, 9040, 0, 0, 0, 0, nullptr },
    { P::Gauge, 237, 395, 156, 20, 9030, 0, 255, 80, 32, nullptr },
    { P::Value, 185, 385, 42, 35, 9030, 0, 0, 0, 0, nullptr },
    { P::Gauge, 312, 254, 80, 20, 9211, 0, 0xFF0000, 80, 32, nullptr },
    { P::Value, 274, 245, 28, 35, 9211, 0, 0, 0, 0, nullptr },
    { P::Gauge, 312, 289, 80, 20, 9212, 0, 0xFF0000, 80, 32, nullptr },
    { P::Label, 249, 280, 15, 35, 9212, 0, 0, 0, 0, nullptr },
    { P::Value, 274, 280, 28, 35, 9212, 0, 0, 0, 0, nullptr },
    { P::Gauge, 312, 324, 80, 20, 9213, 0, 0xFF0000, 80, 32, nullptr },
    { P::Label, 249, 315, 15, 35, 9213, 0, 0, 0, 0, nullptr },
    { P::Value, 274, 315, 28, 35, 9213, 0, 0, 0, 0, nullptr },
    { P::Gauge, 312, 359, 80, 20, 9214, 0, 0xFF0000, 80, 32, nullptr },
    { P::Label, 249, 350, 15, 35, 9214, 0, 0, 0, 0, nullptr },
    { P::Value, 274, 350, 28, 35, 9214, 0, 0, 0, 0, nullptr },
    { P::Label, 11, 454, 302, 35, 9050, 0, 0, 0, 0, nullptr },
    { P::Label, 10, 385, 165, 35, 9030, 0, 0, 0, 0, nullptr },
    { P::Value, 318, 455, 42, 35, 9050, 0, 0, 42, 35, nullptr },
    { P::Label, 10, 210, 239, 35, 9020, 0, 0, 0, 0, nullptr },
    { P::Label, 237, 210, 192, 35, 9200, 0, 0, 0, 0, nullptr },
    { P::Label, 249, 245, 15, 35, 9211, 0, 0, 0, 0, nullptr },
    { P::Label, 20, 245, 32, 35, 9021, 0, 0, 0, 0, nullptr },
};

// The fields every widget but the picture takes from its class's row.
void Common(CMyComponent& w, const PresetRow& row, int alignV, int nprable, int minw, int minh)
{
    w.Left = row.left;
    w.Top = row.top;
    w.Width = row.width;
    w.Height = row.height;
    w.focusable = 1;
    w.Color = clBtnFace;
    w.ltframe = 0xFFFFFF;
    w.dkframe = 0xC0C0C0;
    w.Down = 0;
    w.TextColor = 0;
    w.AlignV = alignV;
    w.AlignH = 0;
    w.rszable = 1;
    w.nprable = nprable;
    w.ow = row.ow;
    w.oh = row.oh;
    w.minw = minw;
    w.minh = minh;
    w.maxw = 1000;
    w.maxh = 1000;
    w.id = row.id;
    w.s = GetDef(row.id);
}

CMyComponent* Widget(const PresetRow& row, const QImage* logo)
{
    switch (row.widget) {
    case P::Picture: {
        auto* w = new CMyImage;
        // A widget of its own copy; without a logo it has no picture.
        if (logo && !logo->isNull())
            w->picture = std::make_unique<TBitmap>(logo->copy());
        w->Left = row.left;
        w->Top = row.top;
        w->Width = row.width;
        w->Height = row.height;
        return w;
    }
    case P::Text: {
        auto* w = new CMyText;
        w->SetStr(row.text);
        Common(*w, row, 0, 0, 4, 12);
        return w;
    }
    case P::Label: {
        auto* w = new CMyLabel;
        w->ColorMk = 0;
        w->units = 1;
        Common(*w, row, -1, 0, 4, 12);
        return w;
    }
    case P::Value: {
        auto* w = new CMyValue;
        w->ColorMk = 0;
        Common(*w, row, 0, 0, 4, 4);
        return w;
    }
    case P::Gauge:
        break;
    }
    auto* w = new CMyIndicator;
    w->Style = row.style;
    w->ColorMk = row.colorMk;
    Common(*w, row, 0, 1, 10, 4);
    return w;
}

void StartSet(TFormEM* form, const PresetBounds& b)
{
    TMonImg& img = *form->MonitorImage;
    form->SetOuterBounds(b.left, b.top, b.width, b.height);
    img.Place.origWidth = form->ClientWidth();
    img.Place.origHeight = form->ClientHeight() - img.BarHeight;
    img.Place.FreeAll();
}

template <size_t N> void BuildSet(TFormEM* form, const PresetBounds& b, const PresetRow (&rows)[N])
{
    StartSet(form, b);
    TMonImg& img = *form->MonitorImage;
    for (const PresetRow& row : rows)
        img.Place.Insert(Widget(row, img.LogoPicture));
    img.Place.SetCanvas(img.Canvas());
    img.Place.MarkDirty(2);
}

void BuildPresetSet1(TFormEM* form)
{
    BuildSet(form, { 176, 117, 405, 236 }, SET1);
}

void BuildPresetSet2(TFormEM* form)
{
    BuildSet(form, { 176, 117, 301, 499 }, SET2);
}

void BuildPresetSet3(TFormEM* form)
{
    BuildSet(form, { 176, 117, 442, 554 }, SET3);
}

void BuildEmptyMonitorSet(TFormEM* form)
{
    StartSet(form, { 200, 320, 874, 392 });
}

} // namespace

int BuildPresetMonitorSet(TFormEM* form, int number)
{
    switch (number) {
    case 1:
        BuildPresetSet1(form);
        return 1;
    case 2:
        BuildPresetSet2(form);
        return 1;
    case 3:
        BuildPresetSet3(form);
        return 1;
    case 1000:
        BuildEmptyMonitorSet(form);
        return 1;
    default:
        return 0;
    }
}
