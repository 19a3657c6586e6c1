#include "update/update.h"

#include "app/main.h"
#include "platform/clock.h"
#include "platform/cp1250.h"
#include "platform/dialogs.h"
#include "texts/langtext.h"
#include "update/PatchForm.h"

#include <string_view>

namespace {

// The request goes out with the first tick after this much of the program clock.
constexpr int32_t UPDATE_START_MS = 2000;
// Shutdown waits at most this long for the worker.
constexpr int UPDATE_JOIN_MS = 3000;

QString Text(const char* languageText)
{
    return QStringFromCp1250(SelectLangText(languageText));
}

void SetCaptions(TFormPatch* window)
{
    // Czech, or English for every other language.
    const bool czech = LangIndex == 2;
    window->ButtonPatchDownload->SetCaption(czech ? "Stáhni aktualizaci" : "Download update");
    window->ButtonPatchWWW->SetCaption(czech ? "jdi na WWW" : "go to WWW");
    window->ButtonPatchCancel1->SetCaption(
        czech ? "Zpět (nepřipomínej tuto aktualizaci)" : "Cancel (don't remind this update)");
    window->ButtonPatchCancel->SetCaption(czech ? "Zpět (připomeň příště)" : "Cancel (remaind later)");
    window->SetCaption(czech ? "Aktualizace" : "Update");
}

void Download(TMainForm* form, const std::string& address)
{
    const QString caption = Text("###Downloading####Stahování");
    if (!Dialogs().OpenShell(QStringFromCp1250(address))) {
        // Nothing was downloaded: say where the update is and keep running.
        Dialogs().MessageBox(Text("###The download address could not be opened:####Adresu ke stažení nelze otevřít:")
                + QStringLiteral("\n") + QStringFromCp1250(address),
            caption, MB_OK | MB_ICONWARNING);
        return;
    }
    const char* text = address.find("setup") != std::string::npos
        ? "###After downloading run new installer.####Po stažení spusťte nový instalátor."
        : "###After downloading store new version to suitable location instead of current version.####Po stažení "
          "novou verzi uložte do vhodné lokace namísto stávající verze.";
    Dialogs().MessageBox(Text(text), caption, MB_OK);
    form->Close();
}

} // namespace

void StartUpdateThread(TMainForm* form)
{
    form->UpdateWorker.Start();
}

void UpdateCheckTimerStep(TMainForm* form)
{
    if (form->UpdateWorker.State() == UPDATE_IDLE) {
        if (TmrNow() > UPDATE_START_MS && !form->NoPatchCheck) {
            form->StatusBar1->Panels(0)->SetText(SelectLangText("###Trying updates...####Zjišťuji aktualizace..."));
            form->UpdateWorker.Request();
        }
        return;
    }
    // Taking the description marks it handled before the window shows, so a
    // tick inside the window's loop never offers it twice.
    size_t size = 0;
    if (const char* buffer = form->UpdateWorker.Take(&size))
        ShowPatchOffer(form, buffer, size);
}

void StopUpdateCheck(TMainForm* form)
{
    form->UpdateWorker.Stop();
    (void)form->UpdateWorker.Join(UPDATE_JOIN_MS);
}

void ShowPatchOffer(TMainForm* form, const char* buffer, size_t size)
{
    std::optional<PatchOffer> offer
        = ChoosePatchOffer(std::string_view(buffer, size), form->BuildDate, LangIndex, form->UpdateNumber);
    if (offer)
        PresentPatchOffer(form, *offer);
}

void PresentPatchOffer(TMainForm* form, const PatchOffer& offer)
{
    if (!FormPatch)
        FormPatch = new TFormPatch(form);
    TFormPatch* window = FormPatch;
    window->RichEditPatch->Clear();
    window->RichEditPatch->SetPlainText(!offer.rich);
    window->RichEditPatch->LoadLines(offer.text);
    window->WebAddress = offer.web;
    window->RichEditPatch->SetReadOnly(true);
    window->ButtonPatchDownload->SetVisible(!offer.download.empty());
    window->ButtonPatchWWW->SetVisible(!offer.web.empty());
    SetCaptions(window);
    window->SetBounds(form->Left() + (form->Width() - window->Width()) / 2,
        form->Top() + (form->Height() - window->Height()) / 2, window->Width(), window->Height());

    const int result = window->ShowModal();
    delete window;
    FormPatch = nullptr;

    if (result == mrAbort) {
        form->UpdateNumber = offer.number;
        form->SaveSettings();
    } else if (result == mrOk) {
        Download(form, offer.download);
    }
    form->StatusBar1->Panels(0)->SetText("");
}
