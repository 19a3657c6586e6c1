#pragma once
// Applying the interface language to the main window: the message table,
// the menu texts, the version hints and the texts of the controls. Also the
// way the window refreshes the texts and lists that depend on the image, so
// pages run it after changing such values; it changes no image byte.

#include "texts/messagetable.h"

class TMainForm;

// A row of the control texts: the control by name, what is written, and the
// three languages (a null German text shows the English one). A caption from
// a message slot names the slot in `item`; ITEMS replaces a radio group's
// items with the lines of the text.
enum class TextProperty { CAPTION, CAPTION_SLOT, ITEMS };
struct ControlText {
    const char* control;
    TextProperty property;
    int item;
    LangEntry text;
};
void ApplyControlText(TMainForm* form, const ControlText& row);

// Fills MessageTable for LangIndex, then the menu texts, the version hints
// and the control texts.
void ApplyLanguage(TMainForm* form);
void ApplyMenuTexts(TMainForm* form);
void ApplyVersionHints(TMainForm* form);
// The caption first, the controls of the built pages, the list fillers, and
// last the live panel, so its texts from the message table follow at once.
void ApplyControlTexts(TMainForm* form);
