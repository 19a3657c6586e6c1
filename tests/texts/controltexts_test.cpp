// The text a control-text row writes: its own languages with the English
// fall-back, a prefix and suffix, a message slot, or a three-language literal.
#include "texts/controltexts.h"

#include <gtest/gtest.h>

namespace {

using enum TextProperty;

TEST(ControlTextRow, TextPerLanguage)
{
    MessageTableTexts table;
    table[53] = "Not Aus Sensor";
    const ControlTextRow fallback = { "LabelDCSpeedMin", CAPTION, 0, { "Speed min", nullptr, "Rychlost min" } };
    const ControlTextRow joined = { "ButtonGear3", CAPTION, 0, { "Gear", "Gang", "Převod" }, "<- ", " 3" };
    const ControlTextRow slot = SlotCaption("CheckBoxAktFall", 53);
    const ControlTextRow literal
        = LiteralCaption("LabelPickupCorrection", "###Advance PickUp correction####PickUp korekce předstihu");
    const struct {
        const ControlTextRow& row;
        int language;
        const char* text;
    } cases[] = {
        { fallback, 0, "Speed min" },
        { fallback, 1, "Speed min" },
        { fallback, 2, "Rychlost min" },
        { joined, 0, "<- Gear 3" },
        { joined, 1, "<- Gang 3" },
        { joined, 2, "<- Převod 3" },
        { slot, 1, "Not Aus Sensor" },
        { slot, 2, "Not Aus Sensor" },
        { literal, 0, "Advance PickUp correction" },
        { literal, 1, "Advance PickUp correction" },
        { literal, 2, "PickUp korekce předstihu" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(ControlTextRowText(c.row, c.language, table), c.text) << c.row.target.name << " " << c.language;
}

TEST(ControlTextRow, CylinderCorrectionNamesTheCylindersInUse)
{
    const struct {
        int cylinders;
        int language;
        const char* text;
    } cases[] = {
        { 0, 0, "Correction for cylinder" },
        { 1, 0, "Correction for cylinder 1" },
        { 3, 1, "Korrektion für Zylinder 1,2,3" },
        { 4, 2, "Korekce pro válec 1,2,3,4" },
        { 7, 0, "Correction for cylinder 1,2,3,4" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(CylinderCorrectionText(c.cylinders, c.language), c.text) << c.cylinders;
}

} // namespace
