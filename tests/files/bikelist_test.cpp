#include "files/bikelist.h"

#include "files/bikedefaults.h"
#include "files/preset_host.h"
#include "platform/stdctrls.h"
#include "texts/langtext.h"

#include <gtest/gtest.h>

namespace {

TEST(BikeListWidget, FillsEveryRowWithItsCodeAndSelectsTheBike)
{
    const int savedLanguage = LangIndex;
    for (int language : { 0, 2 }) {
        LangIndex = language;
        TComboBox list(nullptr);
        list.AddItem("stale row", 99);
        FillBikeList(list, 28);
        ASSERT_EQ(list.ItemCount(), 68);
        EXPECT_EQ(list.ItemCode(0), 0);
        EXPECT_EQ(list.ItemText(1), "Aprilia RSV MILLE                04-");
        EXPECT_EQ(list.ItemCode(67), BIKE_SEPARATOR_CODE);
        EXPECT_EQ(list.ItemText(list.ItemIndex()), "Honda CBR 600 RR            05-06");
        EXPECT_EQ(BikeRowText(list, 33), language == 2 ? "Jednopalec krátké buzení" : "One lobe short dwell");
        EXPECT_EQ(BikeRowText(list, 99), std::nullopt);
        FillBikeList(list, 99);
        EXPECT_EQ(list.ItemIndex(), -1);
    }
    LangIndex = savedLanguage;
}

// The build appends the committed presets to the program, and the bike
// defaults of every bike load from the program's archive.
TEST(BuiltProgram, CarriesThePresetOfEveryBike)
{
    ImpetInit(ZEPERON_PROGRAM);
    const IMPET_FILE* folder = g_Impet.FindDir(nullptr, PresetArchiveFolder());
    ASSERT_NE(folder, nullptr);
    EXPECT_EQ(folder->Count(), BIKE_CODES);
    for (int code = 0; code < BIKE_CODES; ++code) {
        FakePresetHost host(g_Impet);
        host.image.b[cell::BikeCode] = uint8_t(code);
        EXPECT_TRUE(LoadBikeDefaults(host, -1)) << "bike " << code;
        EXPECT_EQ(host.image.b[cell::BikeCode], code);
        EXPECT_EQ(host.image.Word(1106), 802);
        EXPECT_EQ(host.image.b[2624], StandInPresetImage(code).b[2624]);
    }
    g_Impet.Clear();
}

} // namespace
