#pragma once
// The notes area of the image (bytes 3878..4028): the memo's lines packed as
// records in line order, the rest 0. A line whose characters are all below
// U+0100 and read back unchanged through Windows-1250 is an 8-bit record (its
// bytes and a 0); any other line is a wide record (0x01, its UTF-16 code units
// low byte first, and a zero code unit).

#include "image/rsimage.h"

#include <string>
#include <string_view>
#include <vector>

constexpr int NOTES_FIRST = 3878;
constexpr int NOTES_LAST = 4028;

// Writes one record at p within `room` bytes and advances both. A line that
// does not fit is cut and still terminated; a wide line needs more than 5
// bytes of room and is dropped otherwise, as is any line once room is 0.
void WriteNoteRecord(RsImage& image, int& p, int& room, std::u16string_view line);

// The memo's lines into the notes area (the area is cleared first).
void StoreNotes(RsImage& image, const std::vector<std::u16string>& lines);
// The notes area's lines; trailing empty lines are not restored.
std::vector<std::u16string> LoadNotes(const RsImage& image);
