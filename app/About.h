#pragma once
// The About window and the decimal edit pair of the settings pages.

#include "platform/comctrls.h"
#include "platform/controls.h"
#include "platform/stdctrls.h"

#include <cstdint>

// The decimal edit pair: an edit box and an up-down that show an integer
// position divided by a divisor as a decimal number ("2.5" for 25 with
// divisor 10). The up-down is not the edit's associate: the two are tied only
// through their partner references and the main window's UpDnDeciChg and
// EditDeciChg, and each busy flag stops the echo of the other's write.
class TDeciUpDown;

class TDeciEdit : public TEdit {
public:
    explicit TDeciEdit(TComponent* owner);
    ~TDeciEdit() override;
    const char* ClassName() const override { return "TDeciEdit"; }

    int32_t busy = 0;
    TDeciUpDown* partner = nullptr;
};

class TDeciUpDown : public TUpDown {
public:
    explicit TDeciUpDown(TComponent* owner);
    ~TDeciUpDown() override;
    const char* ClassName() const override { return "TDeciUpDown"; }

    int32_t divisor = 1;
    int32_t busy = 0;
    TDeciEdit* partner = nullptr;
};

// The About window: the maker's logo and web address, the program's build
// date and time and the layout key.
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
