#include "files/settingsfiles.h"

#include "support/tempdir.h"

#include <gtest/gtest.h>

#include <fstream>

TEST(DefaultIni, WritesTenValuesALineAndABlankLineEveryHundred)
{
    RsImage image;
    for (int i = 0; i < RS_LEN_EXE; ++i)
        image.b[size_t(i)] = uint8_t(i * 7);
    std::string text = DefaultIniText(image);
    EXPECT_EQ(text.substr(0, 62), "    0     7    14    21    28    35    42    49    56    63 \r\n");
    // Ten lines of 62 bytes, then an empty line.
    EXPECT_EQ(text.substr(10 * 62, 2), "\r\n");
    EXPECT_EQ(text.size(), size_t(480 * 62 + 48 * 2));
    EXPECT_EQ(text.substr(text.size() - 4), "\r\n\r\n");

    RsImage back;
    EXPECT_EQ(ParseDefaultIni(text, back), RS_LEN_EXE);
    EXPECT_EQ(back, image);
}

TEST(DefaultIni, ReadsLowBytesAndStopsAtTheFirstNonNumber)
{
    struct Case {
        std::string text;
        int stored;
        int byte0;
    } cases[] = {
        { "256 1", 2, 0 },
        { "65791", 1, 0xFF },
        { "99999999999999999999 2", 2, 255 }, // 10^20 - 1 modulo 256
        { "  12\r\n\t13 x 14", 2, 12 },
        { "", 0, -1 },
    };
    for (const Case& c : cases) {
        RsImage image;
        image.Fill(0xAA);
        EXPECT_EQ(ParseDefaultIni(c.text, image), c.stored) << c.text;
        if (c.byte0 >= 0)
            EXPECT_EQ(image.b[0], c.byte0) << c.text;
    }

    // Exactly 4800 numbers are accepted whatever follows them.
    std::string full;
    for (int i = 0; i < RS_LEN_EXE; ++i)
        full += "1 ";
    RsImage image;
    EXPECT_EQ(ParseDefaultIni(full + "garbage", image), RS_LEN_EXE);
    EXPECT_EQ(ParseDefaultIni(full.substr(2), image), RS_LEN_EXE - 1);
}

TEST(SettingsCoding, LanguageKeepsCzechAsThreeAndIgnoresOtherValues)
{
    EXPECT_EQ(LanguageToIni(0), 0);
    EXPECT_EQ(LanguageToIni(1), 1);
    EXPECT_EQ(LanguageToIni(2), 3);
    EXPECT_EQ(LanguageFromIni(3, 0), 2);
    EXPECT_EQ(LanguageFromIni(1, 2), 1);
    EXPECT_EQ(LanguageFromIni(2, 1), 1); // 2 leaves the language as it was
    EXPECT_EQ(LanguageFromIni(-1, 0), 0);
}

TEST(SettingsFolder, FollowsTheOverrideAndCreatesIt)
{
    TempDir dir;
    std::string wanted = dir.file("a/b");
    setenv("ZEPERON_SETTINGS_DIR", wanted.c_str(), 1);
    EXPECT_EQ(InitSettingsFolder(), wanted + "/");
    EXPECT_TRUE(std::filesystem::is_directory(wanted));
    unsetenv("ZEPERON_SETTINGS_DIR");
}

TEST(TestSwitch, NeedsTheMarkerWord)
{
    TempDir dir;
    EXPECT_FALSE(ReadTestSwitch(dir.file("missing")));
    std::ofstream(dir.file("m1")) << "foo\nTEST_ENABLE\r\n";
    EXPECT_TRUE(ReadTestSwitch(dir.file("m1")));
    std::ofstream(dir.file("m2")) << "TEST_ENABLED test_enable";
    EXPECT_FALSE(ReadTestSwitch(dir.file("m2")));
}
