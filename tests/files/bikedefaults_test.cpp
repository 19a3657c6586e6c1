#include "files/bikedefaults.h"

#include "files/bikename.h"
#include "files/preset_host.h"
#include "tools/presetgen/standin.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

TEST(BikeList, CarriesEveryCodeOnceAndTheSeparatorLast)
{
    const auto rows = BikeListRows();
    ASSERT_EQ(rows.size(), 68u);
    std::set<int> codes;
    std::set<std::string> names;
    for (size_t i = 0; i + 1 < rows.size(); ++i) {
        codes.insert(rows[i].code);
        names.insert(BikePresetName(*BikeListText(rows[i].code, 0)));
    }
    EXPECT_EQ(codes.size(), 67u);
    EXPECT_EQ(*codes.rbegin(), 66);
    EXPECT_EQ(names.size(), 67u); // every bike has its own preset file
    EXPECT_EQ(rows.back().code, BIKE_SEPARATOR_CODE);
    EXPECT_EQ(BikeListText(28, 0), "Honda CBR 600 RR            05-06");
    EXPECT_EQ(BikeListText(67, 0), std::nullopt);
}

TEST(BikeList, OneLobeRowsHaveOnePresetNameInEveryLanguage)
{
    struct Case {
        int code;
        const char* english;
        const char* czech;
    };
    for (const Case& c : { Case { 33, "One lobe short dwell", "Jednopalec krátké buzení" },
             Case { 32, "One lobe long dwell", "Jednopalec dlouhé buzení" } }) {
        EXPECT_EQ(BikeListText(c.code, 0), c.english);
        EXPECT_EQ(BikeListText(c.code, 1), c.english); // the German part is empty
        EXPECT_EQ(BikeListText(c.code, 2), c.czech);
        EXPECT_EQ(BikePresetName(c.czech), c.english);
        EXPECT_EQ(BikePresetName(c.english), c.english);
    }
    EXPECT_EQ(BikePresetName("Aprilia RSV MILLE                04-"), "Aprilia RSV MILLE (04-)");
    EXPECT_EQ(PresetArchiveFolder(), "\\NEW_308");
}

TEST(BikeConstants, FollowTheBikeCode)
{
    const std::vector<std::pair<int, std::vector<int>>> table = {
        { 80, { 60 } },
        { 95, { 52 } },
        { 100, { 24, 53, 58 } },
        { 105, { 16, 25, 37, 62 } },
        { 108, { 1, 30 } },
        { 109, { 15, 29, 50 } },
        { 110, { 0, 5, 9, 10, 40 } },
        { 113, { 43 } },
        { 115, { 39, 54, 66 } },
        { 120, { 4, 13, 14, 22, 31, 38, 51 } },
        { 124, { 21 } },
        { 127, { 8, 36 } },
        { 130, { 26 } },
        { 133, { 56 } },
        { 135, { 45 } },
        { 136, { 12, 23 } },
        { 138, { 17 } },
        { 140, { 2, 6, 7, 11, 20, 32, 35, 44, 63 } },
        { 143, { 27 } },
        { 148, { 49 } },
        { 150, { 3, 18, 28, 33, 42, 57, 59, 61, 64, 65, 67, 70, 255 } },
        { 152, { 48 } },
        { 154, { 41 } },
        { 155, { 19, 46 } },
        { 158, { 34, 47, 55 } },
    };
    std::set<int> seen;
    for (const auto& [value, codes] : table)
        for (int code : codes) {
            RsImage image;
            image.b[cell::BikeCode] = uint8_t(code);
            SetBikeConstants(image, code);
            EXPECT_EQ(image.b[2908], value) << "code " << code;
            EXPECT_EQ(image.b[4029], code == 43 ? 1 : 0) << "code " << code;
            EXPECT_EQ(image.b[4031], code == 47 || code == 55 ? 1 : 0) << "code " << code;
            EXPECT_EQ(image.b[2910], 35);
            EXPECT_EQ(image.b[2894], 55);
            EXPECT_EQ(image.b[2895], 105);
            seen.insert(code);
        }
    for (int code = 0; code < BIKE_CODES; ++code)
        EXPECT_TRUE(seen.count(code)) << "code " << code;
}

TEST(SynchroDefaults, SetTheLayoutOfEachType)
{
    struct Case {
        int type;
        int b2598;
        std::vector<int> special; // B2624..2627, -1 unchanged
        std::vector<std::pair<int, int>> pairs;
    };
    std::vector<std::pair<int, int>> regular;
    for (int i = 0; i < 10; ++i)
        regular.push_back({ i % 2 == 0 ? 2 : 1, i });
    const Case cases[] = {
        { 0, 0, { 1, 0, 1, 0 }, { { 2, 1 }, { 1, 0 } } },
        { 1, 0, { 1, 0, 1, 0 }, { { 3, 1 }, { 2, 0 } } },
        { 2, 0, { 0, 1, 4, 1 }, { { 2, 5 }, { 1, 3 }, { 2, 1 }, { 1, 3 }, { 1, 4 }, { 1, 3 }, { 1, 2 }, { 1, 3 } } },
        { 5, 0, { -1, -1, 0, -1 }, {} },
        { 7, 9, { 1, 0, 2, 1 }, { { 3, 1 }, { 2, 0 }, { 3, 1 }, { 1, 2 } } },
        { 7, 0, { 0, 0, 2, 1 }, { { 3, 1 }, { 2, 0 }, { 3, 1 }, { 1, 2 } } },
        { 8, 1, { 1, 0, 2, 0 }, { { 3, 0 }, { 2, 2 }, { 3, 1 }, { 2, 2 } } },
        { 10, 0, { -1, -1, -1, -1 }, {} },
        { 3, 0, { 0, 0, 2, 0 }, regular },
        { 4, 0, { 0, 0, 2, 0 }, regular },
        { 11, 0, { 0, 0, 2, 0 }, regular },
    };
    for (const Case& c : cases) {
        RsImage image;
        image.Fill(0xEE);
        image.b[cell::BikeCode] = 11;
        image.b[cell::FirstSynchro] = uint8_t(c.type);
        image.b[2598] = uint8_t(c.b2598);
        SetSynchroDefaults(image);
        for (int k = 0; k < 4; ++k)
            EXPECT_EQ(image.b[2624 + k], c.special[k] < 0 ? 0xEE : c.special[k]) << "type " << c.type << " cell " << k;
        for (int i = 0; i < 10; ++i) {
            const bool named = size_t(i) < c.pairs.size();
            EXPECT_EQ(image.b[2628 + i], named ? c.pairs[i].first : 0xEE) << "type " << c.type << " pair " << i;
            EXPECT_EQ(image.b[2638 + i], named ? c.pairs[i].second : 0xEE) << "type " << c.type << " pair " << i;
        }
        EXPECT_EQ(image.b[2571], c.type == 5 ? 1 : 0xEE);
        EXPECT_EQ(image.b[cell::FirstSynchro], c.type);
    }
    for (int bike : { 48, 49 }) {
        RsImage image;
        image.b[cell::BikeCode] = uint8_t(bike);
        image.b[cell::FirstSynchro] = 4;
        SetSynchroDefaults(image);
        EXPECT_EQ(image.b[cell::FirstSynchro], 10);
        EXPECT_EQ(image.b[2624], 0);
        EXPECT_EQ(image.b[2628], 2); // the type-4 layout was set first
    }
}

} // namespace

namespace {

// Loads over an image whose every byte is 0x33, with the bike code set.
struct Load {
    explicit Load(int code, CImpet& archive = StandInArchive())
        : host(archive)
    {
        host.image.Fill(0x33);
        host.image.b[cell::BikeCode] = uint8_t(code);
        before = host.image;
    }
    FakePresetHost host;
    RsImage before;
};

CImpet ArchiveWith(const std::string& name, const std::string& content)
{
    CImpet archive;
    archive.MakeDir("", "NEW_308", 1);
    archive.CreateFileEntry("NEW_308", name);
    archive.SetContent("NEW_308", name, content);
    return archive;
}

std::string WithoutLine(std::string text, const std::string& key)
{
    const size_t at = text.find("\n" + key + " ");
    return text.erase(at + 1, text.find('\n', at + 1) - at);
}

TEST(LoadBikeDefaults, AMissingRowOrPresetLeavesTheImage)
{
    Load unknown(200);
    EXPECT_FALSE(LoadBikeDefaults(unknown.host, -1, unknown.host.archive));
    EXPECT_EQ(unknown.host.errors, std::vector<std::string> { "NEW for Motocycle #200 is missing" });
    EXPECT_EQ(unknown.host.image, unknown.before);

    CImpet empty;
    Load missing(11, empty);
    EXPECT_FALSE(LoadBikeDefaults(missing.host, -1, empty));
    EXPECT_EQ(missing.host.errors, std::vector<std::string> { "NEW for Motocycle Suzuki GSX-R600 (01-03) is missing" });
    EXPECT_EQ(missing.host.image, missing.before);
}

TEST(LoadBikeDefaults, CellsThePresetLacksTakeTheFixedValues)
{
    // A preset of bike 11 without CAN_ID, with other CAN identifiers in the
    // image before, and an IDLE position the defaults copy.
    CImpet archive = ArchiveWith("Suzuki GSX-R600 (01-03).ign", WithoutLine(StandInPresetText(11), "CAN_ID"));
    Load load(11, archive);
    EXPECT_TRUE(LoadBikeDefaults(load.host, -1, archive));
    EXPECT_TRUE(load.host.errors.empty());
    for (int k = 1106; k <= 1109; ++k)
        EXPECT_EQ(load.host.image.Word(k), 802);
    EXPECT_EQ(load.host.image.b[2908], 140); // the bike's constant
    EXPECT_EQ(load.host.image.b[4240], 100);
    EXPECT_EQ(load.host.image.Word(1112), 100);
    EXPECT_EQ(load.host.image.Word(2323), 30);
    EXPECT_EQ(load.host.image.b[4686], 80);
    // The preset's cells: a key it carries replaced what the image held.
    EXPECT_EQ(load.host.image.Word(1040), StandInPresetImage(11).Word(1040));
}

TEST(LoadBikeDefaults, KeepsThePresetsLastCharacter)
{
    // The stand-in presets end in their memo line without a line end.
    const std::string preset = StandInPresetText(11);
    ASSERT_EQ(preset.back(), '.');
    Load load(11);
    ASSERT_TRUE(LoadBikeDefaults(load.host, -1, load.host.archive));
    const std::string image(load.host.image.b.begin(), load.host.image.b.end());
    EXPECT_NE(image.find("not tuned for an engine."), std::string::npos);
}

TEST(LoadBikeDefaults, SynchroPageLoadsOnlyItsKeysButEveryReset)
{
    Load load(11);
    ASSERT_TRUE(LoadBikeDefaults(load.host, 1, load.host.archive));
    const RsImage preset = StandInPresetImage(11);
    EXPECT_EQ(load.host.image.b[2624], preset.b[2624]); // SYNCHRO_SPECIAL
    EXPECT_EQ(load.host.image.b[2628], preset.b[2628]);
    EXPECT_EQ(load.host.image.Word(1106), 802); // resets apply to a page load too
    EXPECT_EQ(load.host.image.b[4240], 100);
    EXPECT_EQ(load.host.image.Word(1040), 226);
    EXPECT_EQ(load.host.image.b[4000], 0x33); // advance map: not the synchro page
}

TEST(LoadBikeDefaults, CzechOneLobeRowsReadTheEnglishPresets)
{
    for (int code : { 32, 33 }) {
        Load load(code);
        load.host.language = 2;
        EXPECT_TRUE(LoadBikeDefaults(load.host, -1, load.host.archive));
        EXPECT_TRUE(load.host.errors.empty()) << load.host.errors.front();
    }
}

TEST(LoadBikeDefaults, Bikes22And50EndWithTheirOwnSettings)
{
    for (int code : { 22, 50, 11 }) {
        // Presets that say otherwise, made from bike 11's.
        std::string text = StandInPresetText(11);
        text.replace(text.find("BIKE              11"), 20, "BIKE              " + std::to_string(code));
        const std::string name = BikePresetName(*BikeListText(code, 0)) + ".ign";
        CImpet archive = ArchiveWith(name, text);
        Load load(code, archive);
        load.host.image.b[2583] = 7;
        ASSERT_TRUE(LoadBikeDefaults(load.host, -1, archive)) << code;
        EXPECT_EQ(load.host.image.b[cell::BikeCode], code);
        EXPECT_EQ(load.host.image.b[4643], code == 11 ? 0 : 1) << code;
        if (code != 11)
            EXPECT_EQ(load.host.image.b[2583], 0) << code;
    }
}

} // namespace
