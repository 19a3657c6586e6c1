#pragma once
// Parameter files ("*.ign"): a keyword text that carries the parameter image
// key by key, each key followed by the values of its cells in user units.
// The writer produces the current layout; the reader also takes the older
// layouts and can load only the keys of one settings page.

#include "image/rsimage.h"
#include "link/identity.h" // the unit texts written into the HEX line

#include <array>
#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

constexpr int LOAD_GROUPS = 26;
constexpr long PARAMETER_FILE_MAX_SIZE = 10485760; // larger files are not read

// MessageTable entries the reader shows in a message box.
constexpr int MSG_OLDER_FILE_VERSION = 33;
constexpr int MSG_UNMATCHED_FILE_VERSION = 34;

// The program's build stamp written into the EXE line ("Dec  1 2019", "10:16:09").
struct BuildStamp {
    std::string date;
    std::string time;
};
BuildStamp ProgramBuildStamp();

// What the writer and the reader need of the main window. The window keeps
// the reader's results (FileVersion, FileHadBike) and the load groups here.
class ParameterFileHost {
public:
    virtual ~ParameterFileHost() = default;

    // The edited image (PcImage).
    virtual RsImage& ParameterImage() = 0;
    // The lines of the notes memo, written in the file's MEMO part.
    virtual std::vector<std::u16string> MemoLines() const = 0;
    // The texts of the unit last identified.
    virtual UnitVersionTexts UnitTexts() const = 0;
    // The sheet selected in the map table of page 3 (injection) or 8 (servo).
    virtual int SelectedSheet(int pageIndex) const = 0;
    // MessageTable entry `slot` in a message box.
    virtual void ShowMessageTableBox(int slot) = 0;
    // An error message box with the caption "Error".
    virtual void ShowErrorBox(const std::string& text) = 0;
    // Fills the image from the preset of the bike in it (-1 all groups, else
    // the groups of that page): the main window runs LoadBikeDefaults of
    // files/bikedefaults.h, which parses the preset with ParseParameterText.
    virtual void LoadBikeDefaults(int pageIndex) = 0;

    // The layout key read from the last file (0: none, or the parse stopped).
    uint16_t FileVersion = 0;
    // Set when a whole-file load read an accepted BIKE value; callers clear it.
    bool FileHadBike = false;
    // The store flags of a load, set by SelectLoadGroups.
    std::array<uint8_t, LOAD_GROUPS> LoadGroupFlags {};
};

// Writes the whole file from the host's image, memo and unit texts, with CR LF
// line ends. In injector coupling mode 2 the maps 1A are first copied over 2A,
// 3A and 4A inside the image. Returns false when the stream failed.
bool WriteParameterFile(ParameterFileHost& host, std::ostream& out, const BuildStamp& stamp = ProgramBuildStamp());
std::string ParameterFileText(ParameterFileHost& host, const BuildStamp& stamp = ProgramBuildStamp());

enum class ParseOutcome {
    Complete, // read to the end of the text
    NoLayoutKey, // the text holds no MORVANTA_KEY: nothing loaded
    UnmatchedVersion, // a layout key the program cannot read: nothing loaded
    UnsupportedBike, // stopped at a bike code out of range; FileVersion is 0
    FileUnreadable, // the file could not be opened, was too large or read short
};

// Parses a file's text into the host's image. pageIndex -1 loads the whole
// file, 0..19 only the keys of that settings page; showMessages 0 keeps every
// message back. The text ends at its first zero byte.
ParseOutcome ParseParameterText(ParameterFileHost& host, int pageIndex, bool showMessages, std::string_view text);

// Reads a file of at most PARAMETER_FILE_MAX_SIZE bytes and parses it; an
// unreadable file changes nothing.
ParseOutcome ReadParameterFile(
    ParameterFileHost& host, const std::filesystem::path& path, int pageIndex, bool showMessages);
