#pragma once
// The program's other windows, created once at start like the main window.
// Each is an empty form until its own content is built.

#include "app/About.h"
#include "platform/controls.h"
#include "update/PatchForm.h"

class TFormEM : public TForm {
public:
    explicit TFormEM(TComponent* owner);
};
class TFormCIDList : public TForm {
public:
    explicit TFormCIDList(TComponent* owner);
};
class TTFormIndiProp : public TForm {
public:
    explicit TTFormIndiProp(TComponent* owner);
};

extern TFormAbout* FormAbout;
extern TFormEM* FormEM;
extern TFormCIDList* FormCIDList;
extern TTFormIndiProp* TFormIndiProp;

// Creates the six windows in their order, each exactly once; the main window
// first, so that it is the application's main form.
void CreateProgramWindows(TApplication& application);
