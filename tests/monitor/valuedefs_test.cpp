// The live-value definitions: lookups, paths and the values a pass computes
// from a live block and the image.

#include <gtest/gtest.h>

#include "monitor/gaugescale.h"
#include "monitor/valuedefs.h"
#include "texts/langtext.h"

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

class ValueDefsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ValueDefs = InitialValueDefs();
        LangIndex = 0;
    }
    void TearDown() override
    {
        ValueDefs = InitialValueDefs();
        LangIndex = 0;
    }

    void SetWord(int k, int value)
    {
        block.b[size_t(2 * k)] = uint8_t(value);
        block.b[size_t(2 * k + 1)] = uint8_t(value >> 8);
    }
    bool Pass() { return UpdateDefValues({ block, values, channels, image }); }

    LiveBlock block;
    LiveValues values;
    LiveChannelArray channels {};
    RsImage image;
};

TEST_F(ValueDefsTest, LookupsFindTheFirstMatchingRow)
{
    struct Case {
        const char* what;
        const ValueDef* found;
        int row;
    };
    const Case cases[] = {
        { "GetDef 7010 (the Launch control row, not Track control)", GetDef(7010), 49 },
        { "GetDef 7030 hangs under the first 7000", GetDef(7030), 54 },
        { "GetDef of an unknown id", GetDef(12345), 0 },
        { "GetDef 0 is not searched in row 0", GetDef(0), 0 },
        { "GetDefByName of the English variant", GetDefByName("Speed"), 15 },
        { "GetDefByName compares exactly", GetDefByName("speed"), 0 },
        { "GetDefByName of a German variant", GetDefByName("Geschwindigkeit"), 0 },
        { "GetDefByName of a plain name", GetDefByName("Launch control"), 48 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.found, &ValueDefs[size_t(c.row)]) << c.what;
    EXPECT_STREQ(GetDef(12345)->name, "?ID not found?");
    // The duplicate rows stay as they are: ids, and the misplaced Czech text.
    EXPECT_EQ(ValueDefs[51].id, 7000);
    EXPECT_STREQ(ValueDefs[51].name, "Track control");
    EXPECT_STREQ(ValueDefs[52].name, "###Launch accel.##Launch zrychlení");
    EXPECT_EQ(ValueDefs[52].max, 20000);
    EXPECT_EQ(ValueDefs[88].id, 59050);
    EXPECT_EQ(ValueDefs[88].position, 74);
}

TEST_F(ValueDefsTest, PathsNameEveryLevelWithItsUnits)
{
    struct Case {
        int id;
        bool units;
        int language;
        std::string start;
        std::string expected;
    };
    const Case cases[] = {
        { 1020, true, 0, "", "/Basic/TPS [%]" },
        { 1020, false, 0, "", "/Basic/TPS" },
        { 1020, true, 2, "", "/Základní/TPS [%]" },
        { 9211, true, 0, "", "/Advance [°]/1" },
        { 6110, true, 2, "", "/Korekce/korekce vstřiku/startovací korekce [%]" },
        { 59010, true, 0, "", "/Proprietary values/VAL1 " },
        { 1010, false, 0, "Watch", "Watch/Basic/RPM" },
        { 12345, true, 0, "kept", "kept" },
    };
    for (const Case& c : cases) {
        LangIndex = c.language;
        std::string buffer = c.start;
        GetDefPath(buffer, c.id, c.units);
        EXPECT_EQ(buffer, c.expected) << c.id;
    }
}

TEST_F(ValueDefsTest, PassComputesValuesFlagsAndRanges)
{
    struct Case {
        const char* what;
        std::vector<std::pair<int, int>> bytes; // block byte k, value
        std::vector<std::pair<int, int>> words; // block word k, value
        std::vector<std::pair<int, int>> cells; // image byte, value
        int id;
        double value;
        int flags;
    };
    const Case cases[] = {
        { "coolant sensor error", {}, {}, {}, 1110, -100, 0x81 },
        { "coolant hot", { { 195, 200 } }, {}, {}, 1110, 100, 0x11 },
        { "coolant normal", { { 195, 185 } }, {}, {}, 1110, 85, 0x01 },
        { "air sensor error", { { 195, 150 } }, {}, {}, 1120, -100, 0x81 },
        { "launch accel in rpm/s", { { 211, 0 } }, { { 63, 0xFFF6 } }, {}, 7010, -100, 0x01 },
        { "launch accel in km/h/s", { { 211, 3 } }, { { 63, 0xFFF6 } }, {}, 7010, -1, 0x01 },
        { "slip is signed", {}, { { 66, 0xFF9C } }, {}, 7030, -1, 0x01 },
        { "launch retard is not", {}, { { 64, 0xFF9C } }, {}, 7020, 6543.6, 0x01 },
        { "battery correction offset", {}, { { 32, 1250 } }, {}, 6140, 250, 0x01 },
        { "advance correction offset", {}, { { 33, 1150 } }, {}, 6210, 15, 0x01 },
        { "one limiter", { { 176, 0x04 } }, { { 2, 9000 } }, {}, 1010, 9000, 0x41 },
        { "all three limiters", { { 176, 0x1C } }, { { 2, 9000 } }, {}, 1010, 9000, 0xC1 },
        { "intake servo in percent", {}, { { 13, 2500 } }, { { 2786, 1 } }, 5010, 50, 0x01 },
        { "intake servo in millivolts", {}, { { 13, 2500 } }, {}, 5010, 2500, 0x01 },
        { "exhaust servo in percent", {}, { { 11, 1000 } }, { { 2785, 1 } }, 5030, 20, 0x01 },
        { "pick-up running", { { 177, 0x20 } }, {}, {}, 3010, 1, 0x01 },
        { "cam pick-up running", { { 177, 0x40 } }, {}, {}, 3020, 1, 0x01 },
        { "cooling on", { { 177, 0x10 } }, {}, {}, 3050, 1, 0x01 },
        { "cooling off", { { 177, 0x60 } }, {}, {}, 3050, 0, 0x01 },
        { "injection time from its channel", { { 187, 25 } }, {}, { { 2574, 1 } }, 1230, 2.5, 0x01 },
        { "full duty", { { 228, 100 } }, {}, {}, 1220, 100, 0x11 },
        { "advance of cylinder 1", { { 183, 0xF6 } }, {}, {}, 9211, -10, 0x01 },
    };
    for (const Case& c : cases) {
        ValueDefs = InitialValueDefs();
        block.Clear();
        image = RsImage {};
        channels = {};
        for (auto [k, v] : c.bytes)
            block.b[size_t(k)] = uint8_t(v);
        for (auto [k, v] : c.words)
            SetWord(k, v);
        for (auto [k, v] : c.cells)
            image.b[size_t(k)] = uint8_t(v);
        DecodeLiveBlock(block, true, values);
        ComputePanelChannels(block, values, image, channels);
        (void)Pass();
        const ValueDef* d = GetDef(c.id);
        EXPECT_NEAR(d->value, c.value, 1e-9) << c.what;
        EXPECT_EQ(d->flags, c.flags) << c.what;
    }
}

TEST_F(ValueDefsTest, UnitSettingsChooseUnitsAndRanges)
{
    (void)Pass();
    EXPECT_EQ(GetDef(1010)->max, 10000) << "no rpm limit set";
    EXPECT_STREQ(GetDef(7010)->units, "[rpm/s]");
    EXPECT_EQ(GetDef(7010)->max, 20000);
    EXPECT_STREQ(GetDef(5010)->units, "[mV]");

    image.b[2560] = 80;
    image.b[2561] = 135;
    image.b[2562] = 120;
    image.SetWord(2112 / 2, 300);
    image.SetWord(2130 / 2, 1000);
    image.b[2786] = 1;
    block.b[211] = 1;
    (void)Pass();
    EXPECT_EQ(GetDef(1010)->max, 13500);
    EXPECT_EQ(GetDef(1140)->min, 300);
    EXPECT_EQ(GetDef(1140)->max, 1000);
    EXPECT_STREQ(GetDef(7010)->units, "[km/h/s]");
    EXPECT_EQ(GetDef(7010)->max, 100);
    EXPECT_STREQ(GetDef(5010)->units, "[%]");
    EXPECT_EQ(GetDef(5010)->decimals, 1);
    EXPECT_STREQ(GetDef(5030)->units, "[mV]");
    EXPECT_EQ(ValueDefs[52].max, 20000) << "only the first launch row follows the unit";
}

TEST_F(ValueDefsTest, PassReportsChangesOnlyWhenAValueMoved)
{
    EXPECT_TRUE(Pass()) << "offsets move the first values off 0";
    EXPECT_FALSE(Pass()) << "the same block again";
    SetWord(2, 4000);
    EXPECT_TRUE(Pass());
    EXPECT_FALSE(Pass());
    image.b[2560] = 50;
    EXPECT_FALSE(Pass()) << "a range is no value";
    block.b[176] = 0x1C;
    values.LimiterIgn = values.LimiterInj = values.LimiterRetard = 1;
    EXPECT_FALSE(Pass()) << "flags are no value";
    EXPECT_EQ(GetDef(1010)->flags, 0xC1);
}

TEST_F(ValueDefsTest, FadedRowsKeepTheirFlags)
{
    GetDef(1110)->flags = 0;
    (void)Pass();
    EXPECT_EQ(GetDef(1110)->flags, 0);
    EXPECT_EQ(GetDef(1110)->value, -100);
}

TEST(GaugeScale, StepsAndTickCounts)
{
    struct Step {
        double span;
        double ticks;
        double m;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Step steps[] = {
        { 20000, 20, 0.0005 },
        { 8, 20, 1 },
        { 1, 20, 10 },
        { 100, 20, 0.1 },
        { 150, 20, 0.05 },
        { 5000, 12.5, 0.001 },
        // Nothing to scale: these used to spin for ever.
        { 0, 20, 0 },
        { -700, 20, 0 }, // intake pressure bounds the wrong way round
        { 100, 0, 0 },
        { 100, -20, 0 }, // a gauge of negative width
        { nan, 20, 0 },
        { 100, nan, 0 },
        { std::numeric_limits<double>::infinity(), 20, 0 },
    };
    for (const Step& s : steps)
        EXPECT_NEAR(ScaleStep(s.span, s.ticks), s.m, s.m * 1e-9) << s.span << " over " << s.ticks;
    // Extreme but valid spans end with a finite step.
    EXPECT_GT(ScaleStep(1e-300, 20), 0);
    EXPECT_GT(ScaleStep(1e300, 20), 0);

    const std::pair<int, double> counts[] = { { 224, 20 }, { 78, 12.5 }, { 50, 10 }, { 4, 0 }, { -102, -20 } };
    for (auto [length, n] : counts)
        EXPECT_EQ(GaugeTickCount(length), n) << length;
}

} // namespace
