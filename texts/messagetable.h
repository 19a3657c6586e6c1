#pragma once
// The main window's message table: 200 texts in the current language,
// rewritten from the three-language entries at every language switch and
// read by slot number elsewhere.

#include <array>
#include <string>

constexpr int MESSAGE_SLOTS = 200;
using MessageTableTexts = std::array<std::string, MESSAGE_SLOTS>;

// One text in three languages. A null German or Czech text shows the English one.
struct LangEntry {
    const char* english;
    const char* german;
    const char* czech;
};

// The text of an entry for language 0 English, 1 German or 2 Czech.
const char* LangEntryText(const LangEntry& entry, int langIndex);

// Fills slots 0..199 for the language, except 48 and 57, which the control
// texts fill (FillControlTextSlots). Slots without a text are left as they are:
// they are never filled and stay empty.
void FillMessageTable(MessageTableTexts& table, int langIndex);

// Slots 48 ("Position") and 57 ("Gear shift light"), written with the
// control texts (texts/controltexts_more.cpp).
void FillControlTextSlots(MessageTableTexts& table, int langIndex);
