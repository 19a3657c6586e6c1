// The notes area: memo lines packed into bytes 3878..4028 and read back.
#include "files/notes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::u16string>;
using Bytes = std::vector<uint8_t>;

Bytes Repeat(uint8_t byte, size_t n)
{
    return Bytes(n, byte);
}
Bytes Join(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}
std::u16string As(size_t n)
{
    return std::u16string(n, u'a');
}

struct NotesCase {
    const char* what;
    Lines lines; // stored; none for a case that only loads
    Bytes area; // the area from byte 3878, the rest 0
    Lines loaded;
};

const NotesCase CASES[] = {
    { "three lines", { u"abc", u"", u"x" }, { 'a', 'b', 'c', 0, 0, 'x', 0 }, { u"abc", u"", u"x" } },
    { "a final empty line is lost", { u"abc", u"", u"x", u"" }, { 'a', 'b', 'c', 0, 0, 'x', 0 },
        { u"abc", u"", u"x" } },
    { "a letter above U+00FF", { u"ř" }, { 0x01, 0x59, 0x01, 0, 0 }, { u"ř" } },
    { "150 letters fill the area", { As(150) }, Join(Repeat('a', 150), { 0 }), { As(150) } },
    { "a longer line is cut", { As(200) }, Join(Repeat('a', 150), { 0 }), { As(150) } },
    { "4 bytes left: the wide line is dropped, the 8-bit one stored", { As(146), u"ř", u"ab" },
        Join(Join(Repeat('a', 146), { 0 }), { 'a', 'b', 0 }), { As(146), u"ab" } },
    { "6 bytes left: the wide line keeps one unit", { As(144), u"řřřř" },
        Join(Join(Repeat('a', 144), { 0 }), { 0x01, 0x59, 0x01, 0, 0 }), { As(144), u"ř" } },
    { "Latin letters Windows-1250 shares are 8-bit", { u"é", u"ß", u"áäü" }, { 0xE9, 0, 0xDF, 0, 0xE1, 0xE4, 0xFC, 0 },
        { u"é", u"ß", u"áäü" } },
    { "Latin letters Windows-1250 lacks are wide", { u"ñ", u"è", u"ø" },
        { 0x01, 0xF1, 0, 0, 0, 0x01, 0xE8, 0, 0, 0, 0x01, 0xF8, 0, 0, 0 }, { u"ñ", u"è", u"ø" } },
    { "an all-zero area", {}, {}, {} },
    { "a lone marker", {}, { 0x01 }, {} },
    { "an unterminated record ends at the area's end", {}, Repeat('b', 151), { std::u16string(151, u'b') } },
};

class NotesArea : public ::testing::TestWithParam<NotesCase> { };

TEST_P(NotesArea, StoresAndLoadsTheRecords)
{
    const NotesCase& c = GetParam();
    RsImage image;
    image.Fill(0x77);
    Bytes expected = c.area;
    expected.resize(NOTES_LAST - NOTES_FIRST + 1, 0);
    if (!c.lines.empty()) {
        StoreNotes(image, c.lines);
        EXPECT_EQ(Bytes(&image.b[NOTES_FIRST], &image.b[NOTES_LAST] + 1), expected);
        EXPECT_EQ(image.b[NOTES_FIRST - 1], 0x77);
        EXPECT_EQ(image.b[NOTES_LAST + 1], 0x77);
    } else {
        std::copy(expected.begin(), expected.end(), &image.b[NOTES_FIRST]);
    }
    EXPECT_EQ(LoadNotes(image), c.loaded);
}

INSTANTIATE_TEST_SUITE_P(Cases, NotesArea, ::testing::ValuesIn(CASES));

} // namespace
