#pragma once
// The texts of the main window's menu and tool bar in three languages, and
// the hints of the unit version labels, the tool-bar buttons and a few menu
// items and controls, as rows of data. The window writes them
// (app/menutexts.cpp); this file knows no widget.

#include "texts/messagetable.h"

#include <span>

// What a row writes: the caption of a menu item or control, or its hint.
enum class MenuTextProperty { CAPTION, HINT };

// A menu item or control of the main window by its name, what is written and
// the text (a null German or Czech text shows the English one).
struct MenuTextRow {
    const char* name;
    MenuTextProperty property;
    LangEntry text;
};

using MenuTextTable = std::span<const MenuTextRow>;

// The captions in the order they are written: the menus up to the external
// monitor's, then, after the check marks of the language items are set, the
// language and help menus. A tool-bar button follows its menu item.
extern const MenuTextTable MENU_CAPTIONS;
extern const MenuTextTable LANGUAGE_MENU_CAPTIONS;
// The hints in the order they are written; a button comes before its menu item.
extern const MenuTextTable VERSION_HINTS;

// Every table above, for checks over all rows.
std::span<const MenuTextTable> AllMenuTextTables();
