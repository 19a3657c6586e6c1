#include "app/otherwindows.h"

#include "app/main.h"

TFormAbout* FormAbout = nullptr;
TFormEM* FormEM = nullptr;
TFormCIDList* FormCIDList = nullptr;
TTFormIndiProp* TFormIndiProp = nullptr;

namespace {

template <class Form> void Init(Form* form, const char* name, const char* caption)
{
    form->SetName(name);
    form->SetCaption(caption);
}

// The global names the window only while it lives: the application frees its
// windows, and a later caller must find null rather than freed memory.
template <class Form> void ClearOnDestroy(Form*& global)
{
    Form* form = global;
    QObject::connect(form, &QObject::destroyed, [&global, form] {
        if (global == form)
            global = nullptr;
    });
}

} // namespace

TFormEM::TFormEM(TComponent* owner)
    : TForm(owner)
{
    Init(this, "FormEM", "External monitor");
}

TFormCIDList::TFormCIDList(TComponent* owner)
    : TForm(owner)
{
    Init(this, "FormCIDList", "Add watch");
}

TTFormIndiProp::TTFormIndiProp(TComponent* owner)
    : TForm(owner)
{
    Init(this, "TFormIndiProp", "Indicator properties");
}

void CreateProgramWindows(TApplication& application)
{
    MainForm = application.CreateForm<TMainForm>();
    FormAbout = application.CreateForm<TFormAbout>();
    FormEM = application.CreateForm<TFormEM>();
    FormCIDList = application.CreateForm<TFormCIDList>();
    TFormIndiProp = application.CreateForm<TTFormIndiProp>();
    FormPatch = application.CreateForm<TFormPatch>();
    ClearOnDestroy(FormAbout);
    ClearOnDestroy(FormEM);
    ClearOnDestroy(FormCIDList);
    ClearOnDestroy(TFormIndiProp);
    ClearOnDestroy(FormPatch);
}
