// Rich text as a word processor saves a short note, read into runs.
#include "platform/rtf.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The runs as "text|b i u size colour" lines, for one comparison per case.
std::string Describe(const std::vector<RtfRun>& runs)
{
    std::string out;
    for (const RtfRun& run : runs) {
        for (char16_t c : run.text)
            out += c == u'\n'    ? std::string("\\n")
                : c == u'\u2028' ? std::string("\\l")
                : c < 0x80       ? std::string(1, char(c))
                                 : "<" + std::to_string(int(c)) + ">";
        char tail[64];
        std::snprintf(tail, sizeof tail, "|%s%s%s %d %06x\n", run.bold ? "b" : "-", run.italic ? "i" : "-",
            run.underline ? "u" : "-", run.halfPoints, unsigned(run.colour) & 0xFFFFFFu);
        out += tail;
    }
    return out;
}

} // namespace

TEST(Rtf, ReadsTheFormatsOfAShortNote)
{
    struct Case {
        const char* name;
        std::string rtf;
        std::string runs;
    };
    const std::string head = "{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}"
                             "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue128;}"
                             "{\\*\\generator Riched20 10.0;}\\viewkind4\\uc1\\pard\\f0\\fs20 ";
    const Case cases[] = {
        { "bold and colour", head + "Plain {\\b bold} \\cf1 red\\cf0  back\\par}",
            "Plain |--- 20 ffffff\nbold|b-- 20 ffffff\n |--- 20 ffffff\nred|--- 20 ff0000\n back\\n|--- 20 ffffff\n" },
        { "toggles", "{\\rtf1 \\i it\\i0 \\ul u\\ulnone \\b1 b\\b0 n\\line x\\tab y}",
            "it|-i- 0 ffffff\nu|--u 0 ffffff\nb|b-- 0 ffffff\nn\\lx\ty|--- 0 ffffff\n" },
        { "Windows-1250 and unicode", "{\\rtf1 \\'9e\\'e1 \\u269?x \\uc2\\u-3913\\'3f\\'3fy}",
            "<382><225> <269>x <61623>y|--- 0 ffffff\n" },
        { "escaped braces and backslash", "{\\rtf1 a\\{b\\}c\\\\d}", "a{b}c\\d|--- 0 ffffff\n" },
        { "skipped destinations", "{\\rtf1 {\\*\\unknown hidden}{\\pict 0123abcd}{\\stylesheet{Normal;}}shown}",
            "shown|--- 0 ffffff\n" },
        { "unknown words dropped", "{\\rtf1 \\lang1029\\sa200\\sl276\\slmult1 text\\par}", "text\\n|--- 0 ffffff\n" },
        { "colour index beyond the table", "{\\rtf1{\\colortbl;\\red1\\green2\\blue3;}\\cf7 a\\cf1 b}",
            "a|--- 0 ffffff\nb|--- 0 010203\n" },
        { "unbalanced", "{\\rtf1 a}}}b{{c\\", "abc|--- 0 ffffff\n" },
        { "line ends are no text", "{\\rtf1 a\r\nb\\\r\nc}", "ab\\nc|--- 0 ffffff\n" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(Describe(ParseRtf(c.rtf)), c.runs) << c.name;
}

TEST(Rtf, DeepNestingIsReadWithoutItsText)
{
    std::string deep = "{\\rtf1 top";
    for (int i = 0; i < 100000; ++i)
        deep += "{x";
    for (int i = 0; i < 100000; ++i)
        deep += "}";
    deep += " end}";
    const std::vector<RtfRun> runs = ParseRtf(deep);
    std::u16string text;
    for (const RtfRun& run : runs)
        text += run.text;
    EXPECT_EQ(text, u"top" + std::u16string(size_t(RTF_MAX_DEPTH - 2), u'x') + u" end");
}

TEST(Rtf, TheMarkAnywhereMakesRichText)
{
    EXPECT_TRUE(IsRtfText("{\\rtf1 x}"));
    EXPECT_TRUE(IsRtfText("News: {\\rtf1 x}"));
    EXPECT_FALSE(IsRtfText("{\\rtf x}"));
    EXPECT_FALSE(IsRtfText("{rtf1}"));
}
