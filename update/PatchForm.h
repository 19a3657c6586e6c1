#pragma once
// The update window: the chosen update's text and the user's answer:
// download it, open its web page, never be reminded of it, or later.

#include "platform/controls.h"
#include "platform/stdctrls.h"

#include <string>

class TFormPatch : public TForm {
public:
    explicit TFormPatch(TComponent* owner);
    const char* ClassName() const override { return "TFormPatch"; }

    // The shell opens the offer's web page; the window stays.
    void ButtonPatchWWWClick(TObject* Sender);

    TRichEdit* RichEditPatch;
    TButton* ButtonPatchDownload; // mrOk
    TButton* ButtonPatchWWW;
    TButton* ButtonPatchCancel1; // mrAbort: never remind of this update
    TButton* ButtonPatchCancel; // mrCancel: remind next time

    // The offer's web address while the window is shown.
    std::string WebAddress;

protected:
    // Esc postpones, whichever buttons are shown.
    void keyPressEvent(QKeyEvent* event) override;
};

// The window while an offer is shown; null otherwise.
extern TFormPatch* FormPatch;
