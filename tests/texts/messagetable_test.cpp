#include "texts/messagetable.h"

#include <gtest/gtest.h>

namespace {

MessageTableTexts Filled(int lang)
{
    MessageTableTexts t;
    FillMessageTable(t, lang);
    FillControlTextSlots(t, lang);
    return t;
}

} // namespace

TEST(MessageTable, TextsAndFallbacksPerLanguage)
{
    struct Case {
        int slot;
        const char* english;
        const char* german;
        const char* czech;
    } cases[] = {
        { 0, "  Zeperon_12 ver.308", "  Zeperon_12 ver.308", "  Zeperon_12 ver.308" },
        { 1, "  (Disconnected by bootloader)", "  (Disconnected by bootloader)", "  (Dočasně odpojeno bootloaderem)" },
        { 11, "Advance", "Vorzündung", "Předstih" },
        { 28, "Can't open page for coupled jet !", "Can't open page for coupled jet !",
            "Otevření stránky pro spřažené vstřiky není podporováno !" },
        { 37, "Error by opening file  !", "Fehler beim öffnen der Datei  !", "Chyba při otevírání souboru  !" },
        { 48, "Position", "Lage", "Poloha" },
        { 57, "Gear shift light", "Schaltblitz", "Kontrolka řazení" },
        { 70, "Tacho/Lambda", "Tacho/Lambda", "Tacho/Lambda" },
        { 110, "Pit speed control retard", "Pit speed control retard", "Pit speed control retard" },
        { 111, "Pit speed control no ignition", "Pit speed control no ignition", "Pit speed control no ignition" },
        { 115, "Lambda heat - 50%", "Lambdawärmung - 50%", "Ohřev lambda - 50%" },
        { 122, "N20 - off", "N2O - aus", "N2O - vypnut" },
        { 123, "N2O - on", "N2O - ein", "N20 - zapnut" },
        { 126, "Test", "Test", "Test" },
        { 158, "[h:mm]", "[s:mm]", "[h:mm]" },
        { 199, "Move TP cor. to tab.", "Move TP cor. to tab.", "Přesuň TP kor. do tab." },
    };
    MessageTableTexts t[3] = { Filled(0), Filled(1), Filled(2) };
    for (const Case& c : cases) {
        EXPECT_EQ(t[0][size_t(c.slot)], c.english) << c.slot;
        EXPECT_EQ(t[1][size_t(c.slot)], c.german) << c.slot;
        EXPECT_EQ(t[2][size_t(c.slot)], c.czech) << c.slot;
    }
    EXPECT_EQ(t[0][33].substr(0, 30), "Older version of *.ign file!\n\n");
    EXPECT_EQ(t[2][33].back(), '.');
    // Czech letters are Windows-1250 bytes: "Předstih" has 0xF8 for the r with caron.
    EXPECT_EQ(static_cast<unsigned char>(t[2][11][1]), 0xF8);
}

TEST(MessageTable, UnusedSlotsStayEmptyAndSwitchingBackRestoresTexts)
{
    MessageTableTexts t;
    FillMessageTable(t, 2);
    FillControlTextSlots(t, 2);
    MessageTableTexts firstCzech = t;
    for (int lang : { 0, 1, 2, 0, 2 }) {
        FillMessageTable(t, lang);
        FillControlTextSlots(t, lang);
    }
    EXPECT_EQ(t, firstCzech);
    for (int slot : { 2, 35, 51, 61, 139, 142 })
        EXPECT_EQ(t[size_t(slot)], "") << slot;
    int filled = 0;
    for (const std::string& s : t)
        filled += !s.empty();
    EXPECT_EQ(filled, 200 - 6);
}
