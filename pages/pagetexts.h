#pragma once
// A page's rows of the control texts: the control by name, the item of a
// radio group or combo box (-1: the caption) and the text in three languages
// (a null German or Czech text shows the English one).

#include "texts/messagetable.h"

#include <span>

class TMainForm;

struct PageText {
    const char* control;
    int item;
    LangEntry text;
};

// Writes each row's text for the current language, in the order of the rows.
// A control the window lacks or an item a list lacks is passed over.
void ApplyPageTexts(TMainForm* form, std::span<const PageText> rows);
