#pragma once
// Applying the interface language to the main window: the message table,
// the menu texts, the version hints and the texts of the controls. Also the
// way the window refreshes the texts and lists that depend on the image, so
// pages run it after changing such values; it changes no image byte.

class TMainForm;

// Fills MessageTable for LangIndex, then the menu texts, the version hints
// and the control texts.
void ApplyLanguage(TMainForm* form);
void ApplyMenuTexts(TMainForm* form);
void ApplyVersionHints(TMainForm* form);
// The caption first, the controls of the built pages, the list fillers, and
// last the live panel, so its texts from the message table follow at once.
void ApplyControlTexts(TMainForm* form);
