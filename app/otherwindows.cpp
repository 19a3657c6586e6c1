#include "app/otherwindows.h"

#include "app/main.h"

TFormAbout* FormAbout = nullptr;

void CreateProgramWindows(TApplication& application)
{
    MainForm = application.CreateForm<TMainForm>();
    FormAbout = application.CreateForm<TFormAbout>();
    FormEM = application.CreateForm<TFormEM>();
    FormCIDList = application.CreateForm<TFormCIDList>();
    TFormIndiProp = application.CreateForm<TTFormIndiProp>();
    FormPatch = application.CreateForm<TFormPatch>();
}
