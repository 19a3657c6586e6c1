#pragma once
// The texts of the main window's menu and tool bar in three languages, and
// the hints of the unit version labels, the tool-bar buttons and a few menu
// items and controls, as rows of data. The window writes them
// (app/menutexts.cpp); this file knows no widget.

#include "texts/controltexts.h"

#include <span>

// The rows name menu items or controls and write their caption or hint.

// The captions in the order they are written: the menus up to the external
// monitor's, then, after the check marks of the language items are set, the
// language and help menus. A tool-bar button follows its menu item.
extern const ControlTextTable MENU_CAPTIONS;
extern const ControlTextTable LANGUAGE_MENU_CAPTIONS;
// The hints in the order they are written; a button comes before its menu item.
extern const ControlTextTable VERSION_HINTS;

// Every table above, for checks over all rows.
std::span<const ControlTextTable> AllMenuTextTables();
