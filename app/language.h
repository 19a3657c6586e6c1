#pragma once
// Applying the interface language to the main window: the message table,
// the menu texts, the version hints and the texts of the controls. Also the
// way the window refreshes the texts and lists that depend on the image, so
// pages run it after changing such values; it changes no image byte.

#include "texts/controltexts.h"

class TControl;
class TMainForm;

// The control a row of the control texts writes to: a control of the window
// by name, a page slot's sheet, the external monitor window (null while it
// does not exist) or the hysteresis label of power output `entry`. Null for
// a message slot and for a target the window lacks.
TControl* FindControlTextTarget(TMainForm* form, const TextTarget& target, int entry = 0);

// Writes one row's text for LangIndex. A row aimed at a control or an item
// the window lacks is passed by; lists keep their selection and item codes
// and raise no event.
void ApplyControlTextRow(TMainForm* form, const ControlTextRow& row, int entry = 0);

// Fills MessageTable for LangIndex, then the menu texts, the version hints
// and the control texts.
void ApplyLanguage(TMainForm* form);
void ApplyMenuTexts(TMainForm* form);
void ApplyVersionHints(TMainForm* form);
// The caption first, the controls of the pages with their list fillers in
// between, and last the live panel, so its texts from the message table
// follow at once.
void ApplyControlTexts(TMainForm* form);
