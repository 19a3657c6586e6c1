#pragma once
// The main window's COM port menu.

class TMainForm;

void CreateComPortMenu(TMainForm* form);
void UpdateComPortMenu(TMainForm* form);
