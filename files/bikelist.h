#pragma once
// The bike list of the bike page (ComboBoxBike): one row per bike, each
// carrying its bike code, and the separator row last.

#include <optional>
#include <string>

class TComboBox;

// Refills the list with the rows in the current language and selects the row
// of `bikeCode` (no row selected when none carries it). Raises no OnChange.
void FillBikeList(TComboBox& comboBoxBike, int bikeCode);

// The text of the row carrying `code`, or none when no row carries it.
std::optional<std::string> BikeRowText(const TComboBox& comboBoxBike, int code);
