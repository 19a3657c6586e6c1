// Monitor-set files as bytes: the layout every kind of widget is stored in,
// and what the reader makes of damaged and hostile files.
#include "monitor/monitorset.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

int32_t At(const std::vector<uint8_t>& bytes, size_t offset)
{
    int32_t v = 0;
    std::memcpy(&v, bytes.data() + offset, 4); // the build machine is little-endian as the file
    return v;
}

// A 2 x 2 BMP file with 24-bit pixels: 54 header bytes and two rows of
// 6 pixel bytes padded to 8.
std::vector<uint8_t> TwoByTwoBmp()
{
    std::vector<uint8_t> bmp(70, 0);
    auto put = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bmp[at + size_t(i)] = uint8_t(v >> (8 * i));
    };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put(2, 70);
    put(10, 54);
    put(14, 40);
    put(18, 2);
    put(22, 2);
    bmp[26] = 1;
    bmp[28] = 24;
    put(34, 16);
    for (size_t i = 54; i < 70; ++i)
        bmp[i] = uint8_t(i);
    return bmp;
}

MonitorSetItem Item(int32_t kind, int32_t aux = 0, int32_t left = 0)
{
    MonitorSetItem item;
    item.Set(setitem::Kind, kind);
    item.Set(setitem::Aux, aux);
    item.Set(20, left);
    item.Set(setitem::KindAgain, kind);
    return item;
}

// One widget of every kind, in painting order: picture, text, label, value,
// gauge, with a text and a picture.
MonitorSet EveryKind()
{
    MonitorSet set;
    set.header = { -10, 20, 453, 328, 453, 312 };
    set.items = { Item(0, 0, 1), Item(1, 0, 2), Item(2, 1, 3), Item(4, 0, 4), Item(8, 2, 5) };
    set.items[2].Set(setitem::ColorMk, int32_t(0xFF00000F));
    set.items[4].Set(100, 6030);
    set.texts = { { 0,
        "Ot\xe1\xe8"
        "ky" } };
    set.pictures = { { 0, TwoByTwoBmp() } };
    return set;
}

bool Same(const MonitorSet& a, const MonitorSet& b)
{
    if (std::memcmp(&a.header, &b.header, sizeof a.header) != 0 || a.items.size() != b.items.size()
        || a.texts.size() != b.texts.size() || a.pictures.size() != b.pictures.size())
        return false;
    for (size_t i = 0; i < a.items.size(); ++i)
        if (a.items[i].bytes != b.items[i].bytes)
            return false;
    for (size_t i = 0; i < a.texts.size(); ++i)
        if (a.texts[i].number != b.texts[i].number || a.texts[i].text != b.texts[i].text)
            return false;
    for (size_t i = 0; i < a.pictures.size(); ++i)
        if (a.pictures[i].number != b.pictures[i].number || a.pictures[i].bmp != b.pictures[i].bmp)
            return false;
    return true;
}

TEST(MonitorSetFile, EveryKindIsStoredAtItsOffsetsAndReadsBackInOrder)
{
    const MonitorSet set = EveryKind();
    const std::vector<uint8_t> bytes = EncodeMonitorSet(set);

    const size_t texts = 24 + 5 * 108;
    const size_t pictures = texts + 4 + 4 + 7;
    ASSERT_EQ(bytes.size(), pictures + 4 + 70);
    EXPECT_EQ(At(bytes, 0), 0x1001);
    EXPECT_EQ(At(bytes, 4), -10);
    EXPECT_EQ(At(bytes, 8), 20);
    EXPECT_EQ(At(bytes, 12), 453 << 16 | 453);
    EXPECT_EQ(At(bytes, 16), 312 << 16 | 328);
    EXPECT_EQ(At(bytes, 20), 5);
    const int32_t kinds[] = { 0, 1, 2, 4, 8 };
    for (size_t i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(At(bytes, 24 + i * 108), kinds[i]);
        EXPECT_EQ(At(bytes, 24 + i * 108 + 20), int32_t(i + 1));
        EXPECT_EQ(At(bytes, 24 + i * 108 + 104), kinds[i]);
    }
    EXPECT_EQ(uint32_t(At(bytes, 24 + 2 * 108 + 8)), 0xFF00000Fu);
    EXPECT_EQ(At(bytes, 24 + 4 * 108 + 100), 6030);
    EXPECT_EQ(At(bytes, texts), 0);
    EXPECT_EQ(At(bytes, texts + 4), 6);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes.data() + texts + 8)),
        "Ot\xe1\xe8"
        "ky");
    EXPECT_EQ(bytes[texts + 14], 0);
    EXPECT_EQ(At(bytes, pictures), 0);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + long(pictures) + 4, bytes.end()), TwoByTwoBmp());

    MonitorSet back;
    ASSERT_EQ(DecodeMonitorSet(bytes, back), setread::Ok);
    EXPECT_TRUE(Same(back, set));
}

TEST(MonitorSetFile, SizeWordsSplitIntoWindowAndBaseSize)
{
    MonitorSet set;
    set.header = { 0, 0, 500, 400, 0, 0 }; // base size absent
    MonitorSet back;
    ASSERT_EQ(DecodeMonitorSet(EncodeMonitorSet(set), back), setread::Ok);
    EXPECT_EQ(back.header.Width, 500);
    EXPECT_EQ(back.header.origWidth, 0);
    EXPECT_EQ(back.header.origHeight, 0);

    set.header = { 0, 0, 0xFFFF, 1, -2, 1280 };
    ASSERT_EQ(DecodeMonitorSet(EncodeMonitorSet(set), back), setread::Ok);
    EXPECT_EQ(back.header.Width, 0xFFFF);
    EXPECT_EQ(back.header.origWidth, -2); // a signed shift
    EXPECT_EQ(back.header.origHeight, 1280);
}

TEST(MonitorSetFile, UnknownKindsAreSkippedAndExpectNoText)
{
    MonitorSet set;
    for (int32_t kind : { 3, 5, 6, 7, 9 })
        set.items.push_back(Item(kind, 77));
    set.items.push_back(Item(1, 0));
    set.texts = { { 0, "" } }; // an empty text: number, 0 and one zero byte
    const std::vector<uint8_t> bytes = EncodeMonitorSet(set);
    EXPECT_EQ(bytes.size(), 24 + 6 * 108 + 9u);

    MonitorSet back;
    ASSERT_EQ(DecodeMonitorSet(bytes, back), setread::Ok);
    ASSERT_EQ(back.items.size(), 1u);
    EXPECT_EQ(back.items[0].kind(), 1);
    ASSERT_EQ(back.texts.size(), 1u);
    EXPECT_EQ(back.texts[0].text, "");
}

// Damage done to the bytes of `EveryKind`, and what the reader says.
struct Damage {
    const char* what;
    void (*apply)(std::vector<uint8_t>&);
    int result;
    size_t texts; // texts read before the fault
};

constexpr size_t TEXTS = 24 + 5 * 108;
constexpr size_t PICTURES = TEXTS + 15;

void Put(std::vector<uint8_t>& b, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + size_t(i)] = uint8_t(v >> (8 * i));
}

const Damage DAMAGES[] = {
    { "wrong magic", [](auto& b) { b[0] = 0x02; }, setread::BadFormat, 0 },
    { "header cut short", [](auto& b) { b.resize(23); }, setread::BadFormat, 0 },
    { "a record cut short", [](auto& b) { b.resize(24 + 4 * 108 + 107); }, setread::BadFormat, 0 },
    { "count past the file", [](auto& b) { Put(b, 20, 6); }, setread::BadFormat, 0 },
    { "count negative", [](auto& b) { Put(b, 20, 0x80000000u); }, setread::BadFormat, 0 },
    { "count huge", [](auto& b) { Put(b, 20, 0x7FFFFFFFu); }, setread::BadFormat, 0 },
    { "no text block", [](auto& b) { b.resize(TEXTS); }, setread::BadTexts, 0 },
    { "text number differs", [](auto& b) { Put(b, TEXTS, 1); }, setread::BadTexts, 0 },
    { "text longer than the file", [](auto& b) { Put(b, TEXTS + 4, 0x7FFFFFFFu); }, setread::BadTexts, 0 },
    { "text length negative", [](auto& b) { Put(b, TEXTS + 4, 0xFFFFFFFFu); }, setread::BadTexts, 0 },
    { "text without its zero", [](auto& b) { b.resize(TEXTS + 14); }, setread::BadTexts, 0 },
    { "no picture block", [](auto& b) { b.resize(PICTURES); }, setread::BadPictures, 1 },
    { "picture number differs", [](auto& b) { Put(b, PICTURES, 3); }, setread::BadPictures, 1 },
    { "picture not a BMP", [](auto& b) { b[PICTURES + 4] = 'X'; }, setread::BadPictures, 1 },
    { "picture size below 26", [](auto& b) { Put(b, PICTURES + 6, 25); }, setread::BadPictures, 1 },
    { "picture size past the file", [](auto& b) { Put(b, PICTURES + 6, 71); }, setread::BadPictures, 1 },
    { "picture cut short", [](auto& b) { b.resize(b.size() - 1); }, setread::BadPictures, 1 },
};

TEST(MonitorSetFile, DamagedFilesAreRefusedAtTheFirstFault)
{
    for (const Damage& d : DAMAGES) {
        SCOPED_TRACE(d.what);
        std::vector<uint8_t> bytes = EncodeMonitorSet(EveryKind());
        d.apply(bytes);
        MonitorSet back;
        EXPECT_EQ(DecodeMonitorSet(bytes, back), d.result);
        // A refused format changes nothing; a text or picture fault keeps
        // every record and what was read before it.
        EXPECT_EQ(back.items.size(), d.result == setread::BadFormat ? 0u : 5u);
        EXPECT_EQ(back.texts.size(), d.texts);
        EXPECT_TRUE(back.pictures.empty());
    }
}

TEST(MonitorSetFile, PictureIsTakenAsExactlyItsStoredSize)
{
    MonitorSet set = EveryKind();
    std::vector<uint8_t> bytes = EncodeMonitorSet(set);
    bytes.insert(bytes.end(), { 1, 2, 3 }); // trailing bytes are not the picture's
    MonitorSet back;
    ASSERT_EQ(DecodeMonitorSet(bytes, back), setread::Ok);
    EXPECT_EQ(back.pictures.at(0).bmp, TwoByTwoBmp());
}

} // namespace
