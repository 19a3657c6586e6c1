#include "update/PatchForm.h"

#include "platform/cp1250.h"
#include "platform/dialogs.h"

#include <QKeyEvent>

TFormPatch* FormPatch = nullptr;

namespace {

constexpr int FORM_WIDTH = 667;
constexpr int FORM_HEIGHT = 475;

TButton* MakeButton(TFormPatch* form, const char* name, int left, int width, int modalResult)
{
    auto* button = new TButton(form);
    button->SetName(name);
    button->SetParent(form);
    button->SetBounds(left, 402, width, 25);
    button->SetModalResult(modalResult);
    return button;
}

} // namespace

TFormPatch::TFormPatch(TComponent* owner)
    : TForm(owner)
{
    SetName("FormPatch");
    SetCaption("Update");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    SetBounds(Left(), Top(), FORM_WIDTH, FORM_HEIGHT);

    RichEditPatch = new TRichEdit(this);
    RichEditPatch->SetName("RichEditPatch");
    RichEditPatch->SetParent(this);
    RichEditPatch->SetBounds(8, 8, 633, 377);
    RichEditPatch->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEditPatch->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEditPatch->setLineWrapMode(QTextEdit::NoWrap);

    // Created in tab order.
    ButtonPatchDownload = MakeButton(this, "ButtonPatchDownload", 8, 145, mrOk);
    ButtonPatchDownload->setDefault(true);
    ButtonPatchWWW = MakeButton(this, "ButtonPatchWWW", 159, 107, mrNone);
    ButtonPatchWWW->OnClick = [this](TObject* sender) { ButtonPatchWWWClick(sender); };
    ButtonPatchCancel1 = MakeButton(this, "ButtonPatchCancel1", 272, 218, mrAbort);
    ButtonPatchCancel = MakeButton(this, "ButtonPatchCancel", 496, 145, mrCancel);
}

void TFormPatch::ButtonPatchWWWClick(TObject*)
{
    // The shell's own message is all a failed open gets.
    (void)Dialogs().OpenShell(QStringFromCp1250(WebAddress));
}

void TFormPatch::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        SetModalResult(mrCancel);
        return;
    }
    TForm::keyPressEvent(event);
}
