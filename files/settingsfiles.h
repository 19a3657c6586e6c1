#pragma once
// Where the program keeps its state between runs, and the widget-free parts
// of the two settings files: the edited image as "default.ini" text, the
// coding of the stored language and page, and the developer test switch.

#include "files/loadgroups.h"
#include "image/rsimage.h"

#include <array>
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
// The developer marker file; ZEPERON_TEST_SWITCH names another one.
std::string TestSwitchPath();

class IniFile;

// The section of application.ini that holds the program's state.
constexpr const char* SETTINGS_SECTION = "BASIC";
constexpr int SETTINGS_RECENT_FILES = 10;
// Longest path the settings keep.
constexpr size_t SETTINGS_MAX_PATH = 259; // a 260-character field with its end mark
// The main window's page slots.
constexpr int SETTINGS_PAGES = 20;

// What application.ini keeps of the main window, in the window's own terms.
struct BasicSettings {
    int Left = 0, Top = 0, Height = 0, Width = 0;
    int ComPort = 0; // -1 none, else the chosen COM number
    int ComPortAuto = 1; // where the next automatic port search starts
    int LangIndex = 0; // 0 English, 1 German, 2 Czech
    int UpdateNumber = -1; // the update the user asked not to be offered again
    std::u16string File;
    std::u16string DialogFile; // the file dialogs' starting name
    int Page = 0;
    int Sheet = -1; // the map table's sheet of the page; -1 none
    bool ExtMonitorChecked = false;
    bool ExtMonitorVisible = false;
    int NewInstall = 1;
    bool MonitorPlayer = false;
    int RecentCount = 0;
    std::array<std::u16string, SETTINGS_RECENT_FILES> Recent;
};

// The pages whose map table has sheets the settings keep: advance,
// injection, corrections, servo and track control.
constexpr bool PageKeepsSheet(int page)
{
    return page == PAGE_ADVANCE || page == PAGE_INJECTION || page == PAGE_CORRECTIONS || page == PAGE_SERVO
        || page == PAGE_TRACKING;
}

// Writes every key of the section in its order. Recent-file keys beyond the
// count are cleared, so a removed file does not come back.
void WriteBasicSettings(IniFile& ini, const BasicSettings& s);
// Reads the section over `current`, which gives the defaults where the keys
// are missing. Values out of their range keep the default.
BasicSettings ReadBasicSettings(const IniFile& ini, const BasicSettings& current);
