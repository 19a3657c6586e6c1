#pragma once
// The program's other windows, created once at start like the main window.
// Each is an empty form until its own content is built.

#include "app/About.h"
#include "monitor/CIDList.h"
#include "monitor/ExtMon.h"
#include "monitor/IndiProp.h"
#include "platform/controls.h"
#include "update/PatchForm.h"

extern TFormAbout* FormAbout;

// Creates the six windows in their order, each exactly once; the main window
// first, so that it is the application's main form.
void CreateProgramWindows(TApplication& application);
