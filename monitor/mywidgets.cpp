#include "monitor/mywidgets.h"

#include "monitor/valuedefs.h"
#include "texts/langtext.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr const char* YES_TEXT = "###YES##JA##ANO";
constexpr const char* NO_TEXT = "###NO##NEIN##NE";
constexpr const char* RUNNING_TEXT = "###is running##läuft##pracuje";
constexpr const char* NO_SIGNAL = "###no signal##kein Signal##bez signálu";
// The widest definition prints 5 characters; wider ones are cut here.
constexpr int MAX_PRINT_WIDTH = 32;
constexpr int HANDLE = 5;

} // namespace

CMyButt::CMyButt()
{
    focusable = 1;
}

void CMyButt::Paint()
{
    if (!canvas || !HasArea())
        return;
    CMyComponent::Paint();
    TCanvas& c = *canvas;
    c.Font.SetColor(TextColor);
    const std::string text = SelectLangText(caption ? caption : s->name);
    const int w = c.TextWidth(text), h = c.TextHeight(text);
    int x = AlignV == 0 ? Left + (Width - w) / 2 : AlignV < 0 ? Left + 3 : Left + Width - w - 2;
    const int y = AlignH == 0 ? Top + (Height - h) / 2 : AlignH < 0 ? Top : Top + Height - h;
    if (Down)
        ++x;
    c.Brush.Style = bsClear;
    c.TextOut(Scaled(x), Scaled(y), text);
    c.Brush.Style = bsSolid;
}

void CMyButt::MouseDown()
{
    if (!hover || type == Passive)
        return;
    Down = type == Push ? 1 : 1 - state;
    MarkDirty(1);
}

void CMyButt::MouseUp()
{
    if (!hover || type == Passive)
        return;
    if (type == Push)
        Down = 0;
    else
        state = Down;
    MarkDirty(1);
}

void CMyButt::MouseLeave()
{
    if (type != Toggle)
        return;
    // A press released outside is cancelled.
    Down = state;
    MarkDirty(1);
}

void CMyPin::Paint()
{
    if (!canvas || !HasArea())
        return;
    CMyComponent::Paint();
    TCanvas& c = *canvas;
    const int x0 = Left + (Down ? 1 : 0), y0 = Top;
    const auto line = [&](int x1, int y1, int x2, int y2) {
        c.MoveTo(x0 + x1, y0 + y1);
        c.LineTo(x0 + x2, y0 + y2);
    };
    c.Pen.Color = clBlack;
    line(3, 8, 10, 8);
    line(5, 2, 7, 2);
    line(4, 2, 4, 8);
    line(7, 2, 7, 8);
    line(8, 2, 8, 8);
    line(6, 8, 6, 13);
    if (state == 1) {
        c.Pen.Color = clRed;
        line(5, 3, 5, 8);
        line(6, 3, 6, 8);
    }
}

CMyObj::CMyObj()
{
    focusable = 1;
}

void CMyObj::Paint()
{
    if (!selected || !canvas || !HasArea())
        return;
    TCanvas& c = *canvas;
    c.Brush.Style = bsClear;
    c.Pen.Color = clBlack;
    c.Pen.Style = psDot;
    c.Rectangle(Scaled(Left), Scaled(Top), Scaled(Left + Width), Scaled(Top + Height));
    c.Pen.Style = psSolid;
    c.Brush.Style = bsSolid;
    c.Brush.Color = IsFocused() ? clBlack : Color;
    if (!rszable)
        return;
    const int L = Left, T = Top, W = Width, H = Height;
    c.Rectangle(L, T, L + HANDLE, T + HANDLE);
    c.Rectangle(L + W - HANDLE, T, L + W, T + HANDLE);
    c.Rectangle(L + W - HANDLE, T + H - HANDLE, L + W, T + H);
    c.Rectangle(L, T + H - HANDLE, L + HANDLE, T + H);
    if (!nprable)
        return;
    c.Rectangle(L + (W - HANDLE) / 2, T, L + (W + HANDLE) / 2, T + HANDLE);
    c.Rectangle(L + (W - HANDLE) / 2, T + H - HANDLE, L + (W + HANDLE) / 2, T + H);
    c.Rectangle(L, T + (H - HANDLE) / 2, L + HANDLE, T + (H + HANDLE) / 2);
    c.Rectangle(L + W - HANDLE, T + (H - HANDLE) / 2, L + W, T + (H + HANDLE) / 2);
}

void CMyObj::MouseMove()
{
    handle = 0;
    if (!IsFocused() || !rszable)
        return;
    const int x = mouseX, y = mouseY, L = Left, T = Top, W = Width, H = Height;
    const auto in = [](int v, int lo, int hi) { return lo <= v && v <= hi; };
    const bool midX = in(x, L + (W - HANDLE) / 2, L + (W + HANDLE) / 2);
    const bool midY = in(y, T + (H - HANDLE) / 2, T + (H + HANDLE) / 2);
    const bool left = in(x, L, L + HANDLE), right = in(x, L + W - HANDLE, L + W);
    const bool top = in(y, T, T + HANDLE), bottom = in(y, T + H - HANDLE, T + H);
    if (nprable) {
        if (midX && top)
            handle = 1;
        if (midX && bottom)
            handle = 5;
        if (left && midY)
            handle = 7;
        if (right && midY)
            handle = 3;
    }
    // Corners win over edge middles on a small widget.
    if (left && top)
        handle = 8;
    if (right && top)
        handle = 2;
    if (right && bottom)
        handle = 4;
    if (left && bottom)
        handle = 6;
}

void CMyObj::MouseLeave()
{
    handle = 0;
}

void CMyObj::FocusEnter()
{
    MarkDirty(1);
}

void CMyObj::FocusLeave()
{
    MarkDirty(1);
}

int CMyObj::FitFont()
{
    TFont& f = canvas->Font;
    const int saved = f.Size();
    const int h = canvas->TextHeight("Q");
    if (h > 0)
        f.SetSize(std::max(int(float(saved * Height / h) * zoom), 1));
    return saved;
}

void CMyObj::FitFontUnscaled()
{
    TFont& f = canvas->Font;
    const int h = canvas->TextHeight("Q");
    if (h > 0)
        f.SetSize(std::max(f.Size() * Height / h, 1));
}

void CMyObj::PlaceText(const std::string& text)
{
    TCanvas& c = *canvas;
    const float z = zoom;
    const int w = c.TextWidth(text), h = c.TextHeight(text);
    int x = AlignV == 0 ? int((Width * z - w) * 0.5 + z * Left)
        : AlignV < 0    ? int(Left * z + 3)
                        : int(Left * z + z * Width - w - 2);
    const int y = AlignH == 0 ? int((Height * z - h) * 0.5 + z * Top)
        : AlignH < 0          ? int(Top * z)
                              : int(Top * z + z * Height - h);
    if (Down)
        ++x;
    c.Brush.Style = bsClear;
    c.TextOut(x, y, text);
    c.Brush.Style = bsSolid;
}

CMyValue::CMyValue()
{
    nprable = 0;
    kind = widgetkind::Value;
}

std::string CMyValue::FormatValue() const
{
    const ValueDef& d = *s;
    if (d.displayKind != defkind::Number) {
        if (d.displayKind == defkind::YesNo)
            return SelectLangText(d.value == 0 ? NO_TEXT : YES_TEXT);
        if (d.displayKind == defkind::Running)
            return SelectLangText(d.value == 0 ? NO_SIGNAL : RUNNING_TEXT);
        return " ";
    }
    const int width = std::min(d.width, MAX_PRINT_WIDTH);
    if (MonitorHasValues) {
        char text[MAX_PRINT_WIDTH + 320];
        if (d.decimals >= 0) {
            std::snprintf(text, sizeof text, "%*.*f", width, std::min(d.decimals, MAX_PRINT_WIDTH), d.value);
        } else {
            const double unit = std::pow(10.0, std::min(-d.decimals, 300));
            std::snprintf(text, sizeof text, "%*.0f", width, std::round(d.value / unit) * unit);
        }
        return text;
    }
    const int n = width < 1 ? 4 : width;
    std::string placeholder(size_t(n), 'x');
    if (d.decimals < 0)
        std::fill(placeholder.end() - std::min(-d.decimals, n - 1), placeholder.end(), '0');
    else if (d.decimals > 0)
        placeholder[size_t(n - std::min(d.decimals, n - 1) - 1)] = '.';
    return placeholder;
}

void CMyValue::Paint()
{
    if (!canvas || !HasArea())
        return;
    TCanvas& c = *canvas;
    const std::string text = FormatValue();
    const bool faded = s->flags == 0;
    TColor colour = faded ? BlendColor(TextColor, clWhite) : TextColor;
    if (!MonitorHasValues)
        colour = faded ? BlendColor(clRed, clWhite) : clRed;
    c.Font.SetColor(colour);
    const int saved = FitFont();
    PlaceText(text);
    c.Font.SetSize(saved);
    c.Brush.Color = Color;
    c.Font.SetColor(clBlack);
    CMyObj::Paint();
}

void CMyValue::FitWidth()
{
    if (!canvas)
        return;
    TFont& f = canvas->Font;
    const int saved = f.Size();
    if (s->displayKind != defkind::Number) {
        const double value = s->value;
        const int language = LangIndex;
        Width = 0;
        for (int lang = 0; lang < 3; ++lang) {
            LangIndex = lang;
            for (double v : { 0.0, 1.0 }) {
                s->value = v;
                const std::string text = FormatValue();
                FitFontUnscaled();
                Width = std::max(Width, canvas->TextWidth(text));
            }
        }
        s->value = value;
        LangIndex = language;
    } else {
        const std::string text = FormatValue();
        FitFontUnscaled();
        Width = canvas->TextWidth(text);
    }
    f.SetSize(saved);
}

CMyLabel::CMyLabel()
{
    nprable = 0;
    minh = 12;
    kind = widgetkind::Label;
}

std::string CMyLabel::LabelText() const
{
    std::string text = SelectLangText(s->name);
    if (text.empty())
        text = " ";
    if (units == 1 && s->units) {
        text += ' ';
        text += s->units;
    }
    return text;
}

void CMyLabel::Paint()
{
    if (!canvas || !HasArea())
        return;
    TCanvas& c = *canvas;
    c.Font.SetColor(s->flags == 0 ? BlendColor(TextColor, clWhite) : TextColor);
    const int saved = FitFont();
    PlaceText(LabelText());
    c.Font.SetSize(saved);
    c.Brush.Color = Color;
    CMyObj::Paint();
}

void CMyLabel::FitWidth()
{
    if (!canvas)
        return;
    TFont& f = canvas->Font;
    const int saved = f.Size();
    const int language = LangIndex;
    Width = 0;
    for (int lang = 0; lang < 3; ++lang) {
        LangIndex = lang;
        const std::string text = LabelText();
        FitFontUnscaled();
        Width = std::max(Width, canvas->TextWidth(text));
    }
    LangIndex = language;
    f.SetSize(saved);
}

CMyText::CMyText()
{
    kind = widgetkind::Text;
}

void CMyText::SetStr(const char* t)
{
    text = t && *t ? t : " ";
}

void CMyText::Paint()
{
    if (!canvas || !HasArea())
        return;
    TCanvas& c = *canvas;
    c.Font.SetColor(TextColor);
    const int saved = FitFont();
    PlaceText(text);
    c.Font.SetSize(saved);
    c.Brush.Color = Color;
    CMyObj::Paint();
}

void CMyText::FitWidth()
{
    if (!canvas)
        return;
    TFont& f = canvas->Font;
    const int saved = f.Size();
    FitFontUnscaled();
    Width = canvas->TextWidth(text);
    f.SetSize(saved);
}

void CMyImage::Paint()
{
    if (!canvas || !HasArea())
        return;
    if (picture)
        canvas->StretchDraw({ Scaled(Left), Scaled(Top), Scaled(Left + Width), Scaled(Top + Height) }, *picture);
    CMyObj::Paint();
}
