#pragma once
// What the main menu's commands offer the rest of the program: the defaults
// of the bike for all pages or one (also run by the bike page), and the
// services the commands reach the desktop through, which tests replace.

#include <QString>

#include <functional>
#include <string>

class TMainForm;

// Results of NewSettings.
constexpr int NEW_SETTINGS_DONE = 0; // loaded, or the user answered No
constexpr int NEW_SETTINGS_CANCELLED = 1; // Cancel, or no bike chosen
constexpr int NEW_SETTINGS_REFUSED = 2; // one page of coupled injector maps

// Loads the bike's defaults into all pages (page -1) or one page after asking
// the user: mode 0 asks for the defaults, mode 1 whether to drop the special
// settings.
int NewSettings(TMainForm* form, int page, int mode);

// The injector coupling modes of image byte INJECTOR_COUPLING_MODE.
constexpr int JET_NORMAL = 0;
constexpr int JET_COUPLED = 1;
constexpr int JET_ALL_ALIKE = 2;

// True while a Ctrl key is held; the open and save speed buttons then start
// their dialog in the program folder.
extern std::function<bool()> CtrlKeyHeld;

// The manual for a language (0 English, 1 German, 2 Czech): German readers
// get the English one.
QString ManualAddress(int language);

// Opens a parameter file into the image and the pages.
void OpenParameterFile(TMainForm* form, const std::u16string& path);
// The recent-files entries of the File menu.
void UpdateRecentFilesMenu(TMainForm* form);
