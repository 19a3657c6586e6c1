#include "platform/cp1250.h"

#include <gtest/gtest.h>

#include <QString>

TEST(Cp1250, EveryHighByteHasItsCodePointAndRoundTrips)
{
    // A few well-known letters of the Czech and German texts.
    struct Case {
        unsigned char byte;
        char16_t unicode;
    } cases[] = {
        { 0x80, 0x20AC },
        { 0x8A, 0x0160 },
        { 0x9A, 0x0161 },
        { 0x8E, 0x017D },
        { 0x9E, 0x017E },
        { 0xC8, 0x010C },
        { 0xE8, 0x010D },
        { 0xD8, 0x0158 },
        { 0xF8, 0x0159 },
        { 0xEC, 0x011B },
        { 0xF9, 0x016F },
        { 0xE1, 0x00E1 },
        { 0xFC, 0x00FC },
        { 0xDF, 0x00DF },
        { 0xA0, 0x00A0 },
        { 0xFF, 0x02D9 },
        { 0x81, 0x0081 },
        { 0x98, 0x0098 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(Cp1250ToUnicode(c.byte), c.unicode) << int(c.byte);

    std::string all;
    for (int b = 0x80; b <= 0xFF; ++b) {
        char16_t u = Cp1250ToUnicode(static_cast<unsigned char>(b));
        EXPECT_GE(u, 0x80) << b;
        EXPECT_EQ(UnicodeToCp1250(u), b) << b;
        all.push_back(static_cast<char>(b));
    }
    EXPECT_EQ(Utf16ToCp1250(Cp1250ToUtf16(all)), all);
    EXPECT_EQ(QStringToCp1250(QStringFromCp1250(all)), all);
}

TEST(Cp1250, AsciiPassesAndForeignCharactersAreReplaced)
{
    EXPECT_EQ(Cp1250ToUtf16("Advance 12"), u"Advance 12");
    EXPECT_EQ(Utf16ToCp1250(u"a\u4E2Db\u00E9"), std::string("a?b\xE9"));
    EXPECT_EQ(Utf16ToCp1250(u"\u4E2D", '_'), "_");
    EXPECT_EQ(UnicodeToCp1250(0x00E6), -1); // in Latin-1 but not in this code page
}

TEST(Cp1250, SourceLiteralsAreCompiledAsCp1250)
{
    // The build compiles narrow literals to Windows-1250.
    const char* text = "Předstih";
    EXPECT_EQ(static_cast<unsigned char>(text[1]), 0xF8);
    EXPECT_EQ(QStringFromCp1250(text), QString::fromUtf8(u8"P\u0159edstih"));
}
