#include "files/paramfile.h"
#include "paramfile_host.h"
#include "support/tempdir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

std::string File(int version, const std::string& body)
{
    return "\r\nMORVANTA_KEY  " + std::to_string(version) + " \r\n" + body + "\r\n";
}

class ReaderTest : public ::testing::Test {
protected:
    ReaderTest() { img.Fill(0x77); }
    ParseOutcome Parse(const std::string& text, int page = -1, bool messages = true)
    {
        return ParseParameterText(host, page, messages, text);
    }
    FakeParameterHost host;
    RsImage& img = host.image;
};

TEST_F(ReaderTest, NumbersFollowTheRulesOfPercentI)
{
    struct Case {
        const char* value;
        int stored;
    } cases[] = {
        { "12", 12 },
        { "010", 8 }, // a leading 0 makes the number octal
        { "09", 0 }, // and stops at the first digit that is not octal
        { "-0", 0 },
        { "255", 255 },
        { "256", 0 }, // out of the byte's range: 0
        { "-1", 0 },
        { "-", 0x77 }, // no number: the cell keeps its value
        { "x7y", 7 }, // letters are stepped over
        { "000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
          "7",
            7 },
        { "99999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999",
            0 },
    };
    for (const Case& c : cases) {
        img.Fill(0x77);
        Parse(File(308, "COOLING  " + std::string(c.value) + "\r\nTRACK_ENABLE  3"));
        EXPECT_EQ(img.b[2648], c.stored) << c.value;
        if (std::string(c.value) != "-") {
            EXPECT_EQ(img.b[3018], 3) << c.value;
        }
    }
}

TEST_F(ReaderTest, LongTokensAreCutAndTheRestStaysReadable)
{
    Parse(File(308, std::string(5000, 'A') + " COOLING 5 " + std::string(300, '7') + "\r\nTRACK_ENABLE 3"));
    EXPECT_EQ(img.b[2648], 5);
    EXPECT_EQ(img.b[3018], 3);
}

TEST_F(ReaderTest, AKeyAtTheVeryEndIsNotRead)
{
    const std::string text = "\r\nMORVANTA_KEY 308 COOLING 5 TRACK_ENABLE";
    Parse(text + " 3");
    EXPECT_EQ(img.b[3018], 3);
    img.b[3018] = 0x77;
    Parse(text);
    EXPECT_EQ(img.b[3018], 0x77);
}

TEST_F(ReaderTest, LayoutKeyDecidesWhatIsLoaded)
{
    struct Case {
        std::string text;
        ParseOutcome outcome;
        uint16_t version;
        std::vector<int> slots;
        bool loaded;
    } cases[] = {
        { File(308, "COOLING 5"), ParseOutcome::Complete, 308, {}, true },
        { File(306, "COOLING 5"), ParseOutcome::Complete, 306, { 33 }, true },
        { File(309, "COOLING 5"), ParseOutcome::UnmatchedVersion, 0, { 34 }, false },
        { File(67, "COOLING 5"), ParseOutcome::UnmatchedVersion, 0, { 34 }, false },
        // The key is compared with its carriage return.
        { "\r\nMORVANTA_KEY\r\n308 COOLING 5", ParseOutcome::NoLayoutKey, 0, { 34 }, false },
        { "\r\nMORVANTA_KEY COOLING 5", ParseOutcome::UnmatchedVersion, 0, { 34 }, false },
        { "\r\nMORVANTA_KEY ", ParseOutcome::UnmatchedVersion, 0, { 34 }, false },
        { "\r\nCOOLING 5\r\nSYNCHRO 0 0 0", ParseOutcome::NoLayoutKey, 0, { 34 }, false },
        { "", ParseOutcome::NoLayoutKey, 0, { 34 }, false },
    };
    for (const Case& c : cases) {
        for (bool messages : { false, true }) {
            FakeParameterHost h;
            h.FileVersion = 99;
            h.image.Fill(0x77);
            const ParseOutcome outcome = ParseParameterText(h, -1, messages, c.text);
            EXPECT_EQ(outcome, c.outcome) << c.text;
            EXPECT_EQ(h.FileVersion, c.version) << c.text;
            EXPECT_EQ(h.slots, messages ? c.slots : std::vector<int> {}) << c.text;
            EXPECT_EQ(h.image.b[2648], c.loaded ? 5 : 0x77) << c.text;
            // A file without the key applies no preset either.
            EXPECT_TRUE(h.presetLoads.empty()) << c.text;
        }
    }
}

TEST_F(ReaderTest, BikeOutOfRangeStopsTheParseAsFailed)
{
    for (const char* code : { "67", "-1", "300", "323" }) {
        FakeParameterHost h;
        h.image.b[2550] = 12;
        const ParseOutcome outcome
            = ParseParameterText(h, -1, true, File(308, std::string("BIKE ") + code + "\r\nCOOLING 5"));
        EXPECT_EQ(outcome, ParseOutcome::UnsupportedBike) << code;
        EXPECT_EQ(h.FileVersion, 0) << code;
        EXPECT_FALSE(h.FileHadBike);
        EXPECT_EQ(h.image.b[2550], 12) << code;
        EXPECT_EQ(h.image.b[2648], 0) << code; // nothing after BIKE is read
        EXPECT_EQ(h.errors, std::vector<std::string> { std::string("Motocycle #") + code + " is not supported" });
    }
    const std::string bike66 = File(308, "BIKE 66\r\nCOOLING 5");
    EXPECT_EQ(Parse(bike66, -1, false), ParseOutcome::Complete);
    EXPECT_TRUE(host.FileHadBike);
    EXPECT_EQ(img.b[2550], 66);
    EXPECT_TRUE(host.errors.empty());
    // A page load never reads the bike.
    img.b[2550] = 3;
    host.FileHadBike = false;
    EXPECT_EQ(Parse(File(308, "BIKE 99\r\nCOOLING 5"), 0), ParseOutcome::Complete);
    EXPECT_EQ(img.b[2550], 3);
    EXPECT_EQ(img.b[2648], 5);
    EXPECT_FALSE(host.FileHadBike);
}

TEST_F(ReaderTest, RowsCountTheirPointsAndRepeatTheLastValue)
{
    std::string rpm = "RPM_JET_1A    ", row;
    for (int i = 1; i <= 16; ++i) {
        rpm += std::to_string(i * 100) + " ";
        row += std::to_string(i) + " ";
    }
    std::string map = "JET_1A ";
    for (int r = 0; r < 10; ++r)
        map += row + "\r\n               ";
    Parse(File(308, rpm + "\r\n" + map + "\r\n"));
    EXPECT_EQ(img.b[2664], 16);
    EXPECT_EQ(img.b[3228 + 15], 16);
    EXPECT_EQ(img.b[3228 + 19], 16);
    for (int r = 0; r < 10; ++r) {
        EXPECT_EQ(img.Word(r * 20 + 15), 16);
        EXPECT_EQ(img.Word(r * 20 + 19), 16);
    }
}

TEST_F(ReaderTest, ARowThatReadNothingFillsNothing)
{
    // A file cut short after the key: the cells keep their values, and the
    // point count of a row is the number of values found.
    RsImage expected = img;
    Parse(File(308, "JET_1A "));
    Parse("\r\nMORVANTA_KEY 308\nJET_B \n");
    EXPECT_EQ(img, expected);
    Parse(File(308, "RPM_JET_1A"));
    expected.b[2664] = 0;
    EXPECT_EQ(img, expected);
}

TEST_F(ReaderTest, AnEmptyRowReadsNoValueAndLeavesTheNextKeyItsOwn)
{
    // The writer puts a row with no points on a line of its own, empty.
    Parse(File(308, "RPM_JET_1A     \r\n               \r\nTRACK_ENABLE  3\r\n"));
    EXPECT_EQ(img.b[2664], 0); // the point count
    EXPECT_EQ(img.b[3228], 0x77); // no cell of the row is filled
    EXPECT_EQ(img.b[3018], 3);

    img.Fill(0x77);
    Parse(File(308, "RPM_JET_1A 1500 2000\r\nTRACK_ENABLE  3\r\n"));
    EXPECT_EQ(img.b[2664], 2); // a row on the key's own line
    EXPECT_EQ(img.b[3228], 15);
    EXPECT_EQ(img.b[3018], 3);
}

TEST_F(ReaderTest, MemoLinesFillTheNotesArea)
{
    Parse(File(308, "MEMO           \r\nab\xE1\r\n\r\n\\x010Dx\\\\\r\nlast"));
    const uint8_t expected[] = { 'a', 'b', 0xE1, 0, 0x01, 0x0D, 0x01, 'x', 0, '\\', 0, 0, 0, 'l', 'a', 's', 't', 0, 0 };
    for (size_t i = 0; i < sizeof expected; ++i)
        EXPECT_EQ(img.b[3878 + i], expected[i]) << i;
    EXPECT_EQ(img.b[4028], 0);
}

TEST_F(ReaderTest, MemoLettersWindows1250LacksGoIntoWideRecords)
{
    // "ñ" as one byte would read back as another letter; "é" reads back as itself.
    Parse(File(308, "MEMO \r\n\\x00F1\r\n\xE9"));
    const uint8_t expected[] = { 0x01, 0xF1, 0, 0, 0, 0xE9, 0, 0 };
    for (size_t i = 0; i < sizeof expected; ++i)
        EXPECT_EQ(img.b[3878 + i], expected[i]) << i;
}

TEST_F(ReaderTest, MemoIsBoundedByTheNotesArea)
{
    const std::string wide = "\\x0158" + std::string(3000, 'w');
    Parse(File(308, "MEMO \r\n" + std::string(3000, 'a') + "\r\n" + wide + "\r\nb\r\n" + wide + "\r\nTPS 40 0"));
    // The first line fills the area up to its terminator at 4027.
    EXPECT_EQ(img.b[3878], 'a');
    EXPECT_EQ(img.b[4026], 'a');
    EXPECT_EQ(img.b[4027], 0);
    EXPECT_EQ(img.b[4028], 0);
    EXPECT_EQ(img.b[2777], 0x77); // the memo takes the rest of the text

    img.Fill(0);
    Parse(File(308, "MEMO \r\n" + wide));
    EXPECT_EQ(img.b[3878], 1);
    EXPECT_EQ(img.b[3879], 0x58);
    EXPECT_EQ(img.b[3881], 'w');
    EXPECT_EQ(img.b[4023], 'w'); // 73 units end at 4024, the zero unit at 4025..4026
    EXPECT_EQ(img.b[4025], 0);
    EXPECT_EQ(img.b[4026], 0);
}

TEST_F(ReaderTest, WithItsGroupClearTheMemoIsOrdinaryText)
{
    // A page load of the sensors page: MEMO is an unknown word, CAN in the memo a key.
    Parse(File(308, "MEMO\r\nCAN 1 2 3"), 7);
    EXPECT_EQ(img.b[2565], 1);
    EXPECT_EQ(img.b[3878], 0x77);
}

TEST_F(ReaderTest, PageLoadsStoreOnlyTheirGroups)
{
    FakeParameterHost writer;
    for (int i = 0; i < RS_LEN_EXE; ++i)
        writer.image.b[size_t(i)] = uint8_t(i % 7);
    writer.image.b[2664] = writer.image.b[2665] = 20;
    writer.image.b[2659] = 1;
    writer.image.b[2840] = 5;
    const std::string text = ParameterFileText(writer);

    img.Fill(0);
    Parse(text, 1); // synchronisation
    EXPECT_EQ(img.b[2568], writer.image.b[2568]);
    EXPECT_EQ(img.b[4032], writer.image.b[4032]); // PICKUPS_INTERCHANGE
    EXPECT_EQ(img.b[2648], 0); // COOLING, bike page
    EXPECT_EQ(img.b[2840], 0); // POWER_OUT1
    EXPECT_EQ(img.b[3878], 0); // memo

    img.Fill(0);
    host.injectionSheet = 0;
    Parse(text, 3); // map 1A: the coupling mode stays as it was
    EXPECT_EQ(img.b[2659], 0);
    EXPECT_EQ(img.b[2660], writer.image.b[2660]);
    EXPECT_EQ(img.Word(5), writer.image.Word(5));
    EXPECT_EQ(img.Word(205), 0);

    img.Fill(0);
    img.b[2659] = 1;
    host.injectionSheet = 1;
    Parse(text, 3); // map 2A of coupled injectors: nothing at all
    RsImage expected;
    expected.b[2659] = 1;
    EXPECT_EQ(img, expected);

    img.Fill(0);
    Parse(text, 10); // power outputs
    EXPECT_EQ(img.b[2840], 5);
    EXPECT_EQ(img.b[2568], 0);
}

TEST_F(ReaderTest, LineFeedOnlyFilesReadTheSame)
{
    FakeParameterHost writer;
    for (int i = 0; i < RS_LEN_EXE; ++i)
        writer.image.b[size_t(i)] = uint8_t(i % 5);
    for (int c = 2664; c <= 2669; ++c)
        writer.image.b[size_t(c)] = 20;
    std::string text = ParameterFileText(writer);
    FakeParameterHost crlf;
    ParseParameterText(crlf, -1, false, text);
    std::erase(text, '\r');
    FakeParameterHost lf;
    ParseParameterText(lf, -1, false, text);
    EXPECT_EQ(lf.image, crlf.image);
}

// Older layouts: each case a small file and the cells it must produce.
struct OldCase {
    int version;
    std::string body;
    std::vector<std::pair<int, int>> bytes; // offset, value
    std::vector<std::pair<int, int>> words; // word index, value (signed)
};

TEST_F(ReaderTest, OlderLayoutsAreConverted)
{
    const OldCase cases[] = {
        // Potentiometer: one value negated before 306; at 306 a second one by B2779.
        { 305, "POTENTIOMETER 2 12 34", { { 2779, 2 } }, { { 1093, -12 }, { 1094, 0 }, { 1095, 0 } } },
        { 306, "POTENTIOMETER 4 12 34", {}, { { 1093, -12 }, { 1094, 0 }, { 1095, 34 } } },
        { 306, "POTENTIOMETER 1 12 34", {}, { { 1093, -12 }, { 1094, 34 }, { 1095, 0 } } },
        { 308, "POTENTIOMETER 1 5 6\r\nCOOLING 3", { { 2648, 3 } },
            { { 1093, 5 }, { 1094, 6 }, { 1095, 0 }, { 1096, 0 } } },
        // Limiter speeds by layout.
        { 69, "LIMITER 1000 2000 3000 4000 5",
            { { 3003, 10 }, { 3004, 0x77 }, { 2560, 20 }, { 2562, 40 }, { 2563, 5 } }, {} },
        { 300, "LIMITER 1000 2000 3000 4000 5", { { 3003, 10 }, { 3004, 10 }, { 2560, 20 }, { 2563, 5 } }, {} },
        { 305, "LIMITER 1000 2100 3000 4000 5000 6", { { 3003, 15 }, { 3004, 15 }, { 2560, 30 }, { 2563, 6 } }, {} },
        { 308, "LIMITER 1000 2100 3000 4000 5000 6", { { 3003, 10 }, { 3004, 21 }, { 2563, 6 } }, {} },
        { 83, "LIMITER2 3000 LIMITER 1000", { { 3003, 10 }, { 3004, 10 } }, {} },
        // The old pickup arrangement and four more lobes in SYNCHRO.
        { 304, "SYNCHRO 1 2 3 4 5 6 7 3 8 9 10 21 22 23 24 11 12 13 14 15 16",
            { { 2574, 7 }, { 2598, 1 }, { 2599, 0 }, { 2600, 0 }, { 2601, 1 }, { 2624, 0 }, { 2577, 8 }, { 2590, 21 },
                { 2593, 24 }, { 2576, 16 } },
            {} },
        { 304, "SYNCHRO 1 2 3 4 5 6 7 2", { { 2598, 1 }, { 2599, 1 }, { 2600, 1 }, { 2601, 1 }, { 2624, 1 } }, {} },
        { 304, "SYNCHRO 1 2 3 4 5 6 7 9", { { 2598, 9 }, { 2599, 0x77 }, { 2624, 0x77 } }, {} },
        // Dwell.
        { 300, "EXITATION 7 8", { { 2620, 7 }, { 2621, 0x77 } }, {} },
        { 308, "EXITATION 700 8 900 1000", { { 2620, 7 }, { 2621, 8 }, { 2622, 9 }, { 2623, 10 } }, {} },
        { 300, "DWELL 700 8 900 1000", { { 2620, 7 }, { 2623, 10 } }, {} },
        // Corrections of layouts below 303.
        { 300, "START_INJ 9", { { 2716, 9 }, { 2717, 9 }, { 2725, 9 } }, {} },
        { 300, "INJ_CORR 10 20 30 40 100 5 6 7 8 20",
            { { 2676, 10 }, { 2679, 40 }, { 2680, 60 }, { 2681, 70 }, { 2682, 80 }, { 2683, 90 }, { 2684, 100 },
                { 2685, 110 }, { 2726, 5 }, { 2728, 7 }, { 2729, 8 }, { 2730, 16 }, { 2731, 20 }, { 2732, 24 } },
            {} },
        { 300, "INJ_CORR 0 0 0 60 0 0 0 0 30 0", { { 2685, 246 }, { 2732, 246 } }, {} },
        { 300, "ADVANCE_CORR 10 20 30 40 100", { { 2686, 10 }, { 2690, 60 }, { 2694, 100 }, { 2695, 110 } }, {} },
        { 300, "ACCEL 30 100", { { 2749, 2 } }, {} },
        { 303, "START_INJ 9 COOLING 4", { { 2716, 0x77 }, { 2648, 4 } }, {} },
        // Keys that older layouts do not carry yet.
        { 65, "WATER_TEMP_SENSOR 1 2 3 4 5 6 7 8 9 COOLING 4", { { 2648, 4 } }, { { 1022, 0x7777 } } },
        { 66, "WATER_TEMP_SENSOR 1 2 3 4 5 6 7 8 9 COOLING 4", { { 2648, 4 } }, { { 1022, 1 }, { 1030, 9 } } },
        { 69, "IDLE 3 COOLING 4", { { 2911, 0x77 }, { 2648, 4 } }, {} },
        { 69, "CLUTCH 1 200 3 -4 10 20 30 40 50 60", { { 2865, 1 }, { 2880, 252 }, { 2866, 1 }, { 2871, 6 } }, {} },
        { 308, "CLUTCH 1 200 3 -4 10 20 30 40 50 60", { { 2866, 2 }, { 2871, 12 } }, {} },
        { 300, "ACCEL_THRESHOLD 10 20 30 40 50",
            { { 2740, 1 }, { 2745, 10 }, { 2746, 20 }, { 2747, 50 }, { 2748, 100 } }, {} },
        { 300, "SENSOR_LAMBDA 1 90 91 92 93 94 95 1 2 3 4 5 6", { { 2944, 94 }, { 2945, 95 } },
            { { 1070, 5 }, { 1071, 5 } } },
        { 306, "SENSOR_LAMBDA 0", { { 2940, 100 }, { 2941, 130 } }, { { 1066, 900 } } },
        { 300, "SERVO_IN 1 2 15 6 7 8 2500",
            { { 2782, 1 }, { 2784, 3 }, { 2788, 6 }, { 2799, 8 }, { 2800, 10 }, { 2791, 0x77 } }, {} },
        { 83, "SERVO_IN 1 2 15 1 2 3 4 5 6 7 9 2500", { { 2791, 1 }, { 2798, 5 }, { 2799, 10 } }, {} },
        { 82, "SERVO_EX 1 2 15 6", { { 2787, 6 }, { 2790, 0x77 } }, {} },
        // Tuning: the old single lambda value spreads over the table.
        { 300, "TUNING 1 2 30 4 5 6 7 8 9 10",
            { { 2955, 1 }, { 2954, 2 }, { 2987, 3 }, { 2988, 4 }, { 2961, 5 }, { 2956, 10 }, { 2960, 160 }, { 2962, 5 },
                { 2985, 5 }, { 2986, 6 }, { 2992, 10 }, { 2993, 0x77 } },
            {} },
        { 74, "TUNING 30 4 5 6 7 8 9 10", { { 2955, 0x77 }, { 2987, 3 }, { 2961, 5 }, { 2992, 10 } }, {} },
        { 73, "TUNING 30 4 5 COOLING 4", { { 2987, 0x77 }, { 2648, 4 } }, {} },
        { 308, "TUNING 1 2 30 4 5 6 7 8 9 10 11 12 1300 400 -100",
            { { 2996, 13 }, { 2997, 56 }, { 2998, 0 }, { 2961, 0x77 } }, {} },
        // Conversions of the current layout.
        { 308, "SPEED_OUT_COR 90 SPEED_OUT_COR_16b 300", { { 4240, 250 } }, { { 1112, 300 } } },
        { 308, "SPEED_OUT_COR 90", { { 4240, 90 } }, { { 1112, 90 } } },
        { 308, "INTAKE_PORT 500", { { 2651, 5 }, { 4239, 0 } }, {} },
        { 308, "N2O 5 1 2 3 4 5 6 7 8 9 10", { { 2801, 5 }, { 4235, 0 }, { 4236, 0 } }, {} },
        { 308, "TRACK_CONTROLL 1 2 3 4 5 6 1 2 3 4 5 6 7 8 9 10 -200 -100 10",
            { { 4063, 56 }, { 4064, 100 }, { 4065, 0 } }, {} },
        { 308, "ACC_LIMITER 1 2 3 4 5 6 7",
            { { 3006, 2 }, { 4140, 2 }, { 4164, 2 }, { 4174, 3 }, { 4208, 4 }, { 4232, 4 } }, {} },
        { 308, "POWER_OUT2 1 100 200 300 40 5 6 1 0 0 9 0 1 - 1 1 1 1 0",
            { { 2841, 0x77 }, { 2829, 4 }, { 2843, 9 }, { 2844, 10 }, { 2845, 7 } }, {} },
        { 308, "IDLE_PEUGEOT 3 4 IDLE 4 200 1 2 250 7 10", { { 2911, 4 }, { 2916, 0x77 }, { 2917, 1 } }, {} },
        { 308, "IDLE 0 200 1 2 250 7 10", { { 2911, 0 }, { 2916, 8 }, { 2917, 1 } }, {} },
        { 308, "BIKE 38 IDLE 0 200 1 2 250 7 10", { { 2911, 4 }, { 2916, 0x77 } }, {} },
    };
    for (const OldCase& c : cases) {
        FakeParameterHost h;
        h.image.Fill(0x77);
        h.image.b[2568] = 1; // a file that sets the synchronisation needs no preset
        ParseParameterText(h, -1, false, File(c.version, c.body));
        for (auto [cell, value] : c.bytes)
            EXPECT_EQ(h.image.b[size_t(cell)], value) << c.version << " " << c.body << ": B" << cell;
        for (auto [index, value] : c.words)
            EXPECT_EQ(int16_t(h.image.Word(index)), int16_t(value)) << c.version << " " << c.body << ": W" << index;
    }
}

TEST_F(ReaderTest, OlderLayoutsTakeTheSynchronisationFromThePreset)
{
    struct Case {
        int version;
        std::string body;
        int page;
        int presetLoads;
    } cases[] = {
        { 304, "SYNCHRO 0", -1, 1 }, // B2568 0 below 305
        { 304, "SYNCHRO 3", -1, 0 },
        { 83, "SYNCHRO 3", -1, 1 }, // an old layout always
        { 83, "SYNCHRO 3", 1, 1 },
        { 83, "SYNCHRO 3", 2, 0 }, // the synchronisation group is not loaded
        { 305, "SYNCHRO 0", -1, 0 },
    };
    for (const Case& c : cases) {
        FakeParameterHost h;
        h.onLoadBikeDefaults = [&](int page) {
            EXPECT_EQ(page, 1);
            // The preset's own parse must leave the file's results alone.
            ParseParameterText(h, page, false, File(308, "BIKE 5 SYNCHRO 7"));
            h.FileHadBike = true;
        };
        ParseParameterText(h, c.page, true, File(c.version, c.body));
        EXPECT_EQ(int(h.presetLoads.size()), c.presetLoads) << c.version << " " << c.body;
        EXPECT_EQ(h.FileVersion, c.version);
        EXPECT_FALSE(h.FileHadBike);
        if (c.presetLoads) {
            EXPECT_EQ(h.image.b[2568], 7);
        }
    }
}

TEST_F(ReaderTest, AnOldPresetDoesNotRecurse)
{
    // A preset of an old layout loaded by the end rule reads no further preset.
    host.onLoadBikeDefaults = [&](int page) { ParseParameterText(host, page, false, File(83, "SYNCHRO 0")); };
    Parse(File(83, "SYNCHRO 0"));
    EXPECT_EQ(host.presetLoads, std::vector<int> { 1 });
    EXPECT_EQ(host.FileVersion, 83);
}

TEST(ReadParameterFile, SizeLimitAndUnreadableFiles)
{
    TempDir dir;
    FakeParameterHost host;
    host.image.Fill(0x77);
    EXPECT_EQ(ReadParameterFile(host, dir.file("missing.ign"), -1, true), ParseOutcome::FileUnreadable);
    EXPECT_EQ(ReadParameterFile(host, dir.path(), -1, true), ParseOutcome::FileUnreadable);

    const std::string path = dir.file("big.ign");
    {
        std::ofstream(path, std::ios::binary) << File(308, "COOLING 5");
    }
    std::filesystem::resize_file(path, PARAMETER_FILE_MAX_SIZE); // zero bytes end the text
    EXPECT_EQ(ReadParameterFile(host, path, -1, true), ParseOutcome::Complete);
    EXPECT_EQ(host.image.b[2648], 5);

    host.image.b[2648] = 0x77;
    std::filesystem::resize_file(path, PARAMETER_FILE_MAX_SIZE + 1);
    EXPECT_EQ(ReadParameterFile(host, path, -1, true), ParseOutcome::FileUnreadable);
    EXPECT_EQ(host.image.b[2648], 0x77);
    EXPECT_TRUE(host.slots.empty());
}

} // namespace
