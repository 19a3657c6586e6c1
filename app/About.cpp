#include "app/About.h"

#include "image/rsimage.h"
#include "texts/langtext.h"

#include <QGuiApplication>
#include <QScreen>

#include <cstdio>

namespace {

// The designed client area; the window is centred for it before it shrinks.
constexpr int DESIGN_WIDTH = 789;
constexpr int DESIGN_HEIGHT = 659;
constexpr int SHOWN_WIDTH = 256;
constexpr int SHOWN_HEIGHT = 309;

TLabel* MakeLabel(TFormAbout* form, const char* name, int left, int top, int pointSize, const char* caption)
{
    auto* label = new TLabel(form);
    label->SetName(name);
    label->SetParent(form);
    label->Font()->SetName("MS Sans Serif");
    label->Font()->SetColor(clBlack);
    label->Font()->SetSize(pointSize);
    label->SetCaption(caption);
    label->SetBounds(left, top, label->Width(), label->Height());
    return label;
}

TImage* MakeImage(TFormAbout* form, const char* name, int left, int top, int width, int height)
{
    auto* image = new TImage(form);
    image->SetName(name);
    image->SetParent(form);
    image->SetBounds(left, top, width, height);
    image->Picture()->SetSize(width, height);
    return image;
}

// The maker's logo: the name in a frame.
void DrawLogo(TImage* image)
{
    TCanvas* c = image->Canvas();
    c->Brush.Color = clWhite;
    c->FillRect({ 0, 0, image->Width(), image->Height() });
    c->Pen.Color = TColor(0x00804000);
    c->Rectangle(2, 2, image->Width() - 2, image->Height() - 2);
    c->Brush.Style = bsClear;
    c->Font.SetName("MS Sans Serif");
    c->Font.SetSize(16);
    c->Font.SetStyle(fsBold);
    c->Font.SetColor(TColor(0x00804000));
    c->TextOut(12, 26, "MORVANTA");
    image->Invalidate();
}

} // namespace

TFormAbout::TFormAbout(TComponent* owner)
    : TForm(owner)
{
    SetName("FormAbout");
    SetColor(clWhite);
    Font()->SetName("MS Sans Serif");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    SetClientWidth(DESIGN_WIDTH);
    SetClientHeight(DESIGN_HEIGHT);
    // Label heights follow their fonts: 12 px and 23 px.
    LabelDate = MakeLabel(this, "LabelDate", 24, 209, 9, "");
    LabelTime = MakeLabel(this, "LabelTime", 24, 233, 9, "");
    Image1 = MakeImage(this, "Image1", 38, 32, 159, 81);
    DrawLogo(Image1);
    LabelExit = MakeLabel(this, "LabelExit", 174, 221, 17, "OK");
    LabelExit->OnClick = [this](TObject* sender) { Button1Click(sender); };
    LabelRsKey = MakeLabel(this, "LabelRsKey", 24, 186, 9, "");
    Label1 = MakeLabel(this, "Label1", 24, 149, 17, "morvanta.example");
    Image2 = MakeImage(this, "Image2", -1, 0, 607, 393);
    Image2->Hide();
    Image5 = MakeImage(this, "Image5", 67, 206, 277, 138);
    Image5->Hide();
    OnCreate = [this](TObject* sender) { FormCreate(sender); };
    OnShow = [this](TObject* sender) { FormActivate(sender); };
}

void TFormAbout::FormCreate(TObject*)
{
    LabelDate->SetCaption(__DATE__);
    LabelTime->SetCaption(__TIME__);
    char version[32];
    std::snprintf(version, sizeof version, "Version - %i", RSKEY);
    LabelRsKey->SetCaption(version);
    QSize screen(DESIGN_WIDTH, DESIGN_HEIGHT);
    if (QScreen* primary = QGuiApplication::primaryScreen())
        screen = primary->geometry().size();
    SetLeft(screen.width() / 2 - Width() / 2);
    SetTop(screen.height() / 2 - Height() / 2);
}

void TFormAbout::FormActivate(TObject*)
{
    char caption[96];
    std::snprintf(
        caption, sizeof caption, "%s %s", SelectLangText("###About##Über Programm##O programu"), "Zeperon_12");
    SetCaption(caption);
    SetBounds(Left(), Top(), SHOWN_WIDTH, SHOWN_HEIGHT);
    Image1->Show();
    Image2->Hide();
    Image5->Hide();
}

void TFormAbout::Button1Click(TObject*)
{
    Close();
}
