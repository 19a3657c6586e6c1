#include "files/bikelist.h"

#include "files/bikedefaults.h"
#include "files/preset_host.h"
#include "platform/stdctrls.h"
#include "texts/langtext.h"

#include <gtest/gtest.h>

#include <QString>

#include <set>

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

// Every row in list order: its bike code and its length in characters. The
// preset of a model is found by its row text, so the blank runs count; the two
// rows of length 0 are texts of the current language.
TEST(BikeListWidget, RowsCarryTheirCodesAndLengthsInOrder)
{
    struct Row {
        int code;
        size_t length;
    };
    // clang-format off
    constexpr Row ROWS[] = { { 0, 36 }, { 43, 36 }, { 39, 15 }, { 58, 11 }, { 1, 10 }, { 30, 10 }, { 24, 8 }, { 63, 16 }, { 2, 35 }, { 3, 33 }, { 28, 33 }, { 46, 30 }, { 4, 33 }, { 21, 32 }, { 56, 30 }, { 22, 17 }, { 44, 17 }, { 31, 13 }, { 5, 31 }, { 6, 30 }, { 7, 32 }, { 19, 35 }, { 48, 32 }, { 8, 36 }, { 36, 34 }, { 57, 34 }, { 9, 36 }, { 10, 34 }, { 54, 34 }, { 66, 32 }, { 33, 0 }, { 32, 0 }, { 38, 7 }, { 62, 13 }, { 52, 14 }, { 11, 35 }, { 20, 35 }, { 41, 35 }, { 64, 33 }, { 12, 35 }, { 23, 35 }, { 49, 35 }, { 13, 34 }, { 14, 34 }, { 26, 34 }, { 15, 35 }, { 29, 33 }, { 50, 15 }, { 40, 15 }, { 37, 16 }, { 16, 34 }, { 25, 16 }, { 45, 31 }, { 53, 31 }, { 35, 20 }, { 51, 21 }, { 61, 12 }, { 60, 14 }, { 42, 13 }, { 17, 35 }, { 27, 35 }, { 47, 35 }, { 65, 46 }, { 18, 35 }, { 34, 34 }, { 55, 32 }, { 59, 13 }, { BIKE_SEPARATOR_CODE, 13 } };
    // clang-format on
    TComboBox list(nullptr);
    FillBikeList(list, 0);
    ASSERT_EQ(size_t(list.ItemCount()), std::size(ROWS));
    std::set<int> codes;
    for (size_t i = 0; i < std::size(ROWS); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(list.ItemCode(int(i)), ROWS[i].code);
        if (ROWS[i].length != 0)
            EXPECT_EQ(QString::fromStdString(list.ItemText(int(i))).size(), qsizetype(ROWS[i].length))
                << list.ItemText(int(i));
        if (ROWS[i].code != BIKE_SEPARATOR_CODE)
            codes.insert(ROWS[i].code);
    }
    EXPECT_EQ(codes.size(), size_t(BIKE_CODES));
    EXPECT_EQ(*codes.rbegin(), BIKE_CODES - 1);
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
