#pragma once
// Service tools for the people who maintain the presets: write the defaults
// of every bike into a folder of preset files, and compare such a folder
// line by line with an older one.

#include "files/bikedefaults.h"

#include <filesystem>
#include <string>

// MessageTable entry shown when a preset file cannot be written.
constexpr int MSG_OPEN_FILE_ERROR = 27;

// What the service tools need of the main window besides the bike defaults.
class PresetToolsHost : public BikeDefaultsHost {
public:
    // The page shown in the page control.
    virtual int ActivePageIndex() const = 0;
    // Shows a page (the page control's selection and its change handler).
    virtual void ShowPage(int pageIndex) = 0;
    // Loads a page's controls from the image (the bike page also refreshes
    // the lambda bar and fills the notes memo).
    virtual void LoadPage(int pageIndex) = 0;
    // Stores the active page's controls into the image.
    virtual void StoreActivePage() = 0;
    // A plain message box.
    virtual void ShowMessage(const std::string& text) = 0;
};

// "Save All New": writes the defaults of bikes 0..66, run through the
// consistency pass, as `folder`/<preset name>.ign (folder created with its
// parents). A file that cannot be written shows MessageTable entry 27 and the
// other bikes are still written. The image and the shown page are restored,
// and the bike page is reloaded so that its memo shows the image's notes.
void SaveAllNewPresets(PresetToolsHost& host, const std::filesystem::path& folder = "new_ign");

// "Compare All New": compares `base`/new_ign_old against `base`/new_ign bike
// by bike and writes the differences into `base`/new_ign/compare_all_new.txt,
// then tells where the report is. Nothing happens when the report cannot be
// created.
void CompareAllNewPresets(PresetToolsHost& host, const std::filesystem::path& base = ".");
