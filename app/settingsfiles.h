#pragma once
// Where the program keeps its state between runs, and the widget-free parts
// of the two settings files: the edited image as "default.ini" text, the
// coding of the stored language and page, and the developer test switch.

#include "app/rsimage.h"

#include <string>
#include <string_view>

// The per-machine settings folder with a final slash: the user's data folder
// followed by "Morvanta/Zeperon_12/308/". ZEPERON_SETTINGS_DIR names another
// folder (tests use it). The folder and its parents are created; failures are
// passed over, and an empty result means the current folder.
std::string InitSettingsFolder();

// The image as "default.ini": each byte as "%5u ", a line break after every
// tenth value and another after every hundredth, CR LF line ends.
std::string DefaultIniText(const RsImage& image);

// Reads unsigned decimal numbers separated by white space into the image, the
// low byte of each, until 4800 are stored or no further number can be read.
// Returns how many were stored; fewer than 4800 means the file is incomplete.
int ParseDefaultIni(std::string_view text, RsImage& image);

// "Language" in application.ini: English 0, German 1, Czech 3.
int LanguageToIni(int langIndex);
// The language index of a stored value, or `current` for any other value.
int LanguageFromIni(int value, int current);

// True when the marker file exists and holds the word "TEST_ENABLE".
bool ReadTestSwitch(const std::string& markerPath);
