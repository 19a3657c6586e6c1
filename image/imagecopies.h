#pragma once
// The copies of the parameter image the main window keeps, and the check
// that tells the user whether the unit and the PC hold the same settings.

#include "image/rsimage.h"
#include "texts/statustexts.h"

#include <array>
#include <cstdint>

struct ImageCopies {
    // The image being edited: controls, map tables, files and the
    // consistency pass all work on it.
    RsImage PcImage;
    // The image as last read from or programmed into the unit; meaningful
    // only while UnitImageValid is 1 (not before the first read, during a
    // programming, or after the connection was closed).
    RsImage UnitImage;
    int32_t UnitImageValid = 0;
    // The image as last opened from or saved to a parameter file. All 0xFF
    // until then, which no real image equals.
    RsImage FileImage = FilledWith(0xFF);
    // 1 while FileImage is the whole content of the file CurrentFileName
    // names: set by opening a whole file or saving one, cleared when a load
    // leaves FileImage holding something else (a file cut short, a file
    // without the layout key, one page of another file).
    int32_t FileImageNamed = 0;
    // 1 while PcImage equals the named file's content; the caption names
    // the file only then.
    int32_t PcEqualsFile = 0;
    // One mark per image byte changed by an edit, undo or redo since the last
    // read or programming: the mask of the program-after-change transfer.
    std::array<uint8_t, RS_LEN_EXE> ChangeMarks {};
    // The bike code (byte cell::BikeCode) of UnitImage while the live monitor
    // reports a unit, else -1.
    int32_t UnitBike = -1;

private:
    static RsImage FilledWith(uint8_t v)
    {
        RsImage image;
        image.Fill(v);
        return image;
    }
};

// The test-output values of the test page travel to the unit with every live
// poll, so they may differ between unit and PC without the settings differing.
constexpr std::array<int, 2> COMPARE_IGNORED_OFFSETS = { 2999, 3000 };

// Bytes in which two images differ, leaving out COMPARE_IGNORED_OFFSETS.
int CountSettingDifferences(const RsImage& a, const RsImage& b);

constexpr int COMPARISON_PRIORITY = 10;
constexpr int COMPARISON_IDENTICAL_MS = 4000;
constexpr int32_t COMPARISON_IDENTICAL_COLOUR = 0x00FF00; // lime
constexpr int32_t COMPARISON_DIFFERENT_COLOUR = 0x00FFFF; // yellow

extern const char* const UNIT_PC_IDENTICAL_TEXT;
extern const char* const UNIT_PC_DIFFERENT_TEXT;

// What the comparison needs of the main window.
class ComparisonDisplay {
public:
    virtual ~ComparisonDisplay() = default;
    // text nullptr hides the slot; durationMs negative shows it until replaced.
    virtual void ShowMessageSlot(
        int slot, const char* text, int durationMs, int32_t textColour, int32_t background, int priority)
        = 0;
    virtual void UpdateMainCaption() = 0;
};

// Sets PcEqualsFile (never while FileImage is not the named file), refreshes the caption and shows in the comparison
// slot whether UnitImage and PcImage agree (nothing while UnitImage is not valid).
void CompareUnitWithPc(ImageCopies& copies, ComparisonDisplay& display);
