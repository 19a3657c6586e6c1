#include "platform/cp1250.h"
#include "platform/dialogs.h"
#include "support/scripted_dialogs.h"
#include "texts/langtext.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace {

class LangText : public ::testing::Test {
protected:
    void SetUp() override { LangIndex = 0; }
    void TearDown() override { LangIndex = 0; }

    ScriptedDialogs dialogs;
    ScopedDialogProvider use { dialogs };
};

} // namespace

TEST_F(LangText, PicksTheVariantOfTheLanguage)
{
    struct Case {
        const char* text;
        int language;
        int langIndex;
        const char* expected;
    } cases[] = {
        { "###Advance##Vorzündung##Předstih", 0, 0, "Advance" },
        { "###Advance##Vorzündung##Předstih", 1, 0, "Vorzündung" },
        { "###Advance##Vorzündung##Předstih", 2, 0, "Předstih" },
        { "###Advance##Vorzündung##Předstih", -1, 2, "Předstih" },
        { "###Advance##Vorzündung##Předstih", -1, 1, "Vorzündung" },
        { "###Advance##Vorzündung##Předstih", 7, 2, "Advance" }, // unknown languages are English
        { "###Advance##Vorzündung##Předstih", -3, 2, "Advance" },
        // Empty and ".." variants fall back to English.
        { "###Warning####Varování", 1, 0, "Warning" },
        { "###Warning####Varování", 2, 0, "Varování" },
        { "###Attention##..##Upozornění", 1, 0, "Attention" },
        { "###Attention##..  ##Upozornění", 1, 0, "Attention" }, // ".." once trimmed
        { "###Attention##...##Upozornění", 1, 0, "..." },
        // One or two variants: missing languages are English.
        { "###Error", 0, 0, "Error" },
        { "###Error", 1, 0, "Error" },
        { "###Error", 2, 0, "Error" },
        { "###Error", -2, 0, "Error" },
        { "###Open##Öffnen", 2, 0, "Open" },
        { "###Open##Öffnen", 1, 0, "Öffnen" },
        { "###", 1, 0, "" },
        // More than three variants: the first three count.
        { "###One##Eins##Jedna##Four", 2, 0, "Jedna" },
        // Trailing blanks go from variants followed by "##", not from the last.
        { "###Advance \r\n##Vorzündung\t##Předstih  ", 0, 0, "Advance" },
        { "###Advance \r\n##Vorzündung\t##Předstih  ", 1, 0, "Vorzündung" },
        { "###Advance \r\n##Vorzündung\t##Předstih  ", 2, 0, "Předstih  " },
        { "###A##   ##C", 1, 0, " " }, // blanks only keep their first one
        // A "##" inside a variant splits it; "###" leaves the third hash.
        { "###a###b", 1, 0, "#b" },
    };
    for (const Case& c : cases) {
        LangIndex = c.langIndex;
        const char* result = SelectLangText(c.text, c.language);
        ASSERT_NE(result, nullptr) << c.text;
        EXPECT_STREQ(result, c.expected) << c.text << " language " << c.language;
    }
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(LangText, LongestVariantByItsLengthBeforeTrimming)
{
    struct Case {
        const char* text;
        const char* expected;
    } cases[] = {
        { "###Verify: OK##Vergleichen: OK##Verifikace: OK", "Vergleichen: OK" }, // 10, 15, 14
        { "###Coolant##Kühl.##Voda", "Coolant" }, // 7, 5, 4
        { "###Ab      ##Abcd##Abc", "Ab" }, // 8 before trimming
        { "###Same##Gleich##Stejné", "Gleich" }, // 6 and 6: the first wins
        { "###Speed##..        ##Rychlost", "Speed" }, // ".." wins, English shown
        { "###Abcdefghij##Vorzündung", "Abcdefghij" }, // 10 bytes each in Windows-1250
    };
    for (const Case& c : cases)
        EXPECT_STREQ(SelectLangText(c.text, -2), c.expected) << c.text;
}

TEST_F(LangText, PlainTextsPassThroughUntouched)
{
    EXPECT_EQ(SelectLangText(nullptr, 0), nullptr);
    const char* plain[] = { "Error", "", " ###not at the start" };
    for (const char* text : plain)
        for (int language : { -2, -1, 0, 1, 2, 7 })
            EXPECT_EQ(SelectLangText(text, language), text);
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(LangText, NeverWritesIntoItsArgumentAndItsResultOutlivesIt)
{
    // String literals live in read-only memory: a write would crash here.
    EXPECT_STREQ(SelectLangText("###Reference read:##Referenzlesen:##Čtení reference:", 1), "Referenzlesen:");

    const std::string original = "###Advance  ##Vorzündung##Předstih";
    auto buffer = std::make_unique<std::string>(original);
    const char* german = SelectLangText(buffer->c_str(), 1);
    const char* longest = SelectLangText(buffer->c_str(), -2);
    EXPECT_EQ(*buffer, original);
    // The same text in another buffer gives the same answer.
    EXPECT_EQ(SelectLangText(std::string(original).c_str(), 1), german);
    buffer.reset();
    EXPECT_STREQ(german, "Vorzündung");
    EXPECT_STREQ(longest, "Vorzündung");

    // A buffer reused for another text is parsed afresh, not mistaken for the old one.
    std::string reused = "###One##Eins##Jedna";
    EXPECT_STREQ(SelectLangText(reused.c_str(), 2), "Jedna");
    reused.replace(3, 3, "Two");
    reused.replace(8, 4, "Zwei");
    EXPECT_STREQ(SelectLangText(reused.c_str(), 1), "Zwei");
}

TEST_F(LangText, MalformedTextsAreReportedOnceAndReturnedAsTheyStand)
{
    const std::string longVariant = "###" + std::string(256, 'x') + "##Lang##Dlouhy";
    struct Case {
        std::string text;
        std::string message;
    } cases[] = {
        { "##Missing hash", "Chybi ### na zacatku v jazykovem retezci !\n##Missing hash" },
        { "##", "Chybi ### na zacatku v jazykovem retezci !\n##" },
        { "#1 plain note", "Chybny pocet jazykovych mutaci (49 > 3 || 49==0) !\n " },
        { "#", "Chybny pocet jazykovych mutaci (0 > 3 || 0==0) !\n " },
        { longVariant, "Prilis dlouha jazykova mutace (>255 chars) !\n" + longVariant },
    };
    for (const Case& c : cases) {
        dialogs.boxes.clear();
        for (int language : { 0, 1, -2, 1 })
            EXPECT_EQ(SelectLangText(c.text.c_str(), language), c.text.c_str()) << c.text;
        ASSERT_EQ(dialogs.boxes.size(), 1u) << c.text;
        EXPECT_EQ(dialogs.boxes[0].caption, "Error");
        EXPECT_EQ(dialogs.boxes[0].type, unsigned(MB_OK));
        EXPECT_EQ(dialogs.boxes[0].text, QStringFromCp1250(c.message));
    }
}

TEST_F(LangText, LongLastVariantIsKeptWhole)
{
    const std::string czech(300, 'c');
    const std::string text = "###Short##Kurz##" + czech;
    EXPECT_EQ(SelectLangText(text.c_str(), 2), czech);
    EXPECT_EQ(SelectLangText(text.c_str(), -2), czech);
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(LangText, HashWithSmallSecondByteIsNeverReadPastItsEnd)
{
    // Once such bytes were taken for an already parsed text and their "length"
    // bytes walked; the exact-size heap buffer lets the sanitizer catch that.
    for (char count : { '\x01', '\x02', '\x03' }) {
        const char bytes[] = { '#', count, '\x7F', 'a', '\0' };
        auto heap = std::make_unique<char[]>(sizeof bytes);
        std::memcpy(heap.get(), bytes, sizeof bytes);
        for (int language : { 0, 1, 2, -2 })
            EXPECT_EQ(SelectLangText(heap.get(), language), heap.get());
    }
    EXPECT_EQ(dialogs.boxes.size(), 3u);
}
