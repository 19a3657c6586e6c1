#pragma once
// The About window: the maker's logo and web address, the program's build
// date and time and the layout key.

#include "platform/controls.h"

class TFormAbout : public TForm {
public:
    explicit TFormAbout(TComponent* owner);
    const char* ClassName() const override { return "TFormAbout"; }

    // Fills the date, time and version labels and centres the designed size.
    void FormCreate(TObject* Sender);
    // Caption in the current language, the small size, only the logo shown.
    void FormActivate(TObject* Sender);
    void Button1Click(TObject* Sender);

    TLabel* LabelDate;
    TLabel* LabelTime;
    TImage* Image1;
    TLabel* LabelExit;
    TLabel* LabelRsKey;
    TLabel* Label1;
    TImage* Image2;
    TImage* Image5;
};
