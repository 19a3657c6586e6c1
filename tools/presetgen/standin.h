#pragma once
// Stand-in presets: one per bike of the bike list, made from a neutral image
// (all zero) with the bike's code, constants, synchronisation defaults and
// the fixed preset values, run through the consistency pass. They are safe to
// look at and not tuned for any engine.

#include "image/rsimage.h"

#include <filesystem>
#include <string>

RsImage StandInPresetImage(int bikeCode);
// The preset file of that image, with a fixed build stamp so that the files
// come out the same at every run.
std::string StandInPresetText(int bikeCode);
// The memo line every stand-in preset carries.
extern const char16_t* const STAND_IN_MEMO;

// Writes the presets of bikes 0..66 into `folder` under their preset names;
// returns false when a file could not be written.
bool WriteStandInPresets(const std::filesystem::path& folder);
