#include "image/imagecopies.h"

#include <algorithm>

const char* const UNIT_PC_IDENTICAL_TEXT
    = "###Unit and PC settings are identical##Einrichten des Einheit und der PC ist die gleichen##"
      "Nastavení v jednotce a PC je shodné";
const char* const UNIT_PC_DIFFERENT_TEXT
    = "###Unit and PC settings are different##Einrichten der Einheit und der PC sind anders##"
      "Nastavení v jednotce a PC se liší";

int CountSettingDifferences(const RsImage& a, const RsImage& b)
{
    int count = 0;
    for (int i = 0; i < RS_LEN_EXE; ++i) {
        if (a.b[size_t(i)] != b.b[size_t(i)]
            && std::find(COMPARE_IGNORED_OFFSETS.begin(), COMPARE_IGNORED_OFFSETS.end(), i)
                == COMPARE_IGNORED_OFFSETS.end())
            ++count;
    }
    return count;
}

void CompareUnitWithPc(ImageCopies& copies, ComparisonDisplay& display)
{
    copies.PcEqualsFile
        = copies.FileImageNamed != 0 && CountSettingDifferences(copies.FileImage, copies.PcImage) == 0 ? 1 : 0;
    display.UpdateMainCaption();
    if (copies.UnitImageValid == 0) {
        display.ShowMessageSlot(SLOT_CONGRUENCE, nullptr, 0, KEEP_COLOR, KEEP_COLOR, COMPARISON_PRIORITY);
        return;
    }
    if (CountSettingDifferences(copies.UnitImage, copies.PcImage) == 0)
        display.ShowMessageSlot(SLOT_CONGRUENCE, UNIT_PC_IDENTICAL_TEXT, COMPARISON_IDENTICAL_MS, KEEP_COLOR,
            COMPARISON_IDENTICAL_COLOUR, COMPARISON_PRIORITY);
    else
        display.ShowMessageSlot(
            SLOT_CONGRUENCE, UNIT_PC_DIFFERENT_TEXT, -1, KEEP_COLOR, COMPARISON_DIFFERENT_COLOUR, COMPARISON_PRIORITY);
}
