#include "files/escape.h"

#include <gtest/gtest.h>

namespace {

TEST(EscapeWide, WideUnitsBecomeHexAndBackslashesDouble)
{
    // š and č are beyond one byte, á is not.
    EXPECT_EQ(EscapeWide(u"\u0161a\u010D\u00E1"), "\\x0161a\\x010D\xE1");
    EXPECT_EQ(EscapeWide(u"C:\\dir\\\u0158.ign"), "C:\\\\dir\\\\\\x0158.ign");
    EXPECT_EQ(EscapeWide(u"\\dir"), "\\x005Cdir");
}

TEST(UnescapeWide, InvertsEscapeWide)
{
    // A single leading backslash, or ':' before a wide character, would look
    // like an old plain path once escaped.
    const std::u16string texts[] = { u"", u"plain", u"\\\\server\\share", u"C:\\x\\y", u"\u0158\u00E1\\", u"\uFFFF",
        u"\\dir\\a", u"C:\u0158", u"\\\u0158" };
    for (const std::u16string& t : texts)
        EXPECT_EQ(UnescapeWide(EscapeWide(t)), t);
}

TEST(UnescapeWide, TakesOldPlainPathsUnchangedAndReadsEitherCase)
{
    struct Case {
        std::string in;
        std::u16string out;
    } cases[] = {
        { "C:\\work\\a.ign", u"C:\\work\\a.ign" },
        { "\\\\srv\\x0158", u"\\\\srv\\x0158" },
        { "\\x010d\\x010D", u"\u010D\u010D" },
        { "\\y0041", u"A" }, // the letter after the backslash is not examined
        { "a\\x01", u"a\\x01" }, // cut short: the backslash stays
        { "\\xZZ41", u"\\xZZ41" },
        { "\xE1", u"\u00E1" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(UnescapeWide(c.in), c.out) << c.in;
}

} // namespace
