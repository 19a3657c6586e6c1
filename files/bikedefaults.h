#pragma once
// Bike defaults: every bike of the bike list has a preset parameter file in
// the archive appended to the program (folder NEW_308). Loading the defaults
// of the bike in the image parses that preset over the image, with per-bike
// constants and fixed values for the cells the presets do not carry.

#include "files/impet.h"
#include "files/paramfile.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

constexpr int BIKE_CODES = 67; // bike codes 0..66
constexpr int BIKE_SEPARATOR_CODE = 0xFFFF; // the list's last row, shown in special mode

// One row of the bike list: its code and its text (a plain text, or a
// three-language text for the two one-lobe rows).
struct BikeListRow {
    int code;
    const char* text;
};
// The 68 rows of the bike list in list order, the separator last.
std::span<const BikeListRow> BikeListRows();
// The text of the row carrying `code` in `language` (-1 the current one),
// or none when no row carries it.
std::optional<std::string> BikeListText(int code, int language = -1);

// The one name of a bike's preset file (without ".ign"), made from the text
// of its bike list row. The Czech texts of the two one-lobe rows give the
// English names, so every language reads and writes the same files.
std::string BikePresetName(std::string_view bikeText);
// The archive folder of the presets: "\NEW_308".
std::string PresetArchiveFolder();

// What the bike defaults need of the main window besides the image.
class BikeDefaultsHost : public ParameterFileHost {
public:
    // The text of the bike list row (ComboBoxBike) carrying `code`, or none.
    virtual std::optional<std::string> BikeRowText(int code) const = 0;
};

// Fills the host's image from the preset of the bike in it: pageIndex -1
// loads the whole preset, any other page only that page's keys. A bike
// without a list row or without a preset shows one error box and leaves the
// image unchanged (result false).
bool LoadBikeDefaults(BikeDefaultsHost& host, int pageIndex, CImpet& archive = g_Impet);

// Per-bike constants of the image for bike `code`.
void SetBikeConstants(RsImage& image, int code);
// The special-synchronisation settings and pickup layout of the
// synchronisation type in the image.
void SetSynchroDefaults(RsImage& image);

// The fixed values the bike defaults give every image, in the order they
// apply them: the resets before the first parse of the preset, the cells the
// presets do not carry (before the second parse) and the settings of bikes 22
// and 50 (after it).
void SetPresetResets(RsImage& image);
void SetUncarriedPresetCells(RsImage& image);
void SetBikeSpecials(RsImage& image);
