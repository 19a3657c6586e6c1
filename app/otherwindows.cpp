#include "app/otherwindows.h"

#include "app/main.h"

TFormAbout* FormAbout = nullptr;

namespace {

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
