#include "app/utils.h"
#include "platform/cp1250.h"
#include "platform/dialogs.h"
#include "platform/scripted_dialogs.h"

#include <gtest/gtest.h>

#include <QTimer>

#include <array>
#include <cstring>
#include <string>
#include <vector>

TEST(SwapWordBytes, SwapsOnlyWordsInsideTheByteRange)
{
    struct Case {
        int first, last, start, end;
        int swappedFrom, swappedTo; // words expected swapped, inclusive; from > to: none
    } cases[] = {
        { 0, 1199, -1, -1, 0, 1199 },
        { 0, 1199, 0, 1200, 0, 599 },
        { 0, 1199, 3600, 4800, 1, 0 },
        { 0, 1199, 300, 900, 150, 449 },
        { 2323, 2332, 0, 4800, 2323, 2332 },
        { 2323, 2332, 4650, 4800, 2325, 2332 },
        { 10, 20, 5, -1, 10, 20 },
        { 0, 20, 7, 17, 4, 7 }, // odd bounds: no word that sticks out of the range
        { 5, 4, -1, -1, 1, 0 },
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> buffer(4800);
        for (size_t i = 0; i < buffer.size(); ++i)
            buffer[i] = uint8_t(i * 7 + 3);
        SwapWordBytes(buffer.data(), c.first, c.last, c.start, c.end);
        for (int k = 0; k < 2400; ++k) {
            const bool swapped = k >= c.swappedFrom && k <= c.swappedTo;
            const uint8_t lo = uint8_t(2 * k * 7 + 3), hi = uint8_t((2 * k + 1) * 7 + 3);
            ASSERT_EQ(buffer[2 * k], swapped ? hi : lo) << "case " << c.first << ".." << c.last << " word " << k;
            ASSERT_EQ(buffer[2 * k + 1], swapped ? lo : hi) << "word " << k;
        }
    }
}

TEST(CopyBounded, CopiesWithinTheBoundAndTerminates)
{
    struct Case {
        const char* source;
        int sourceLength; // -1: up to the terminating zero
        int destinationOffset;
        int boundOffset; // -1: no bound; relative to the buffer
        const char* expected; // the buffer's first 12 bytes afterwards, '.' untouched
        int returned; // offset of the result in the buffer
    } cases[] = {
        { "0123456789ABCDEF", -1, 0, 10, "012345678\0..", 9 }, { "0123", -1, 0, 10, "0123\0.......", 4 },
        { "0123456789", -1, 0, -1, "0123456789\0.", 10 }, { "0123456789", 3, 0, -1, "012\0........", 3 },
        { "01\0003", 4, 0, 10, "01\0003\0.......", 4 }, // a source range is copied as it stands
        { "0123", -1, 2, 3, "..\0.........", 2 }, // room for the zero byte only
        { "0123", -1, 2, 2, "............", 2 }, // no room at all: nothing written
        { "0123", -1, 5, 3, "............", 5 }, // a bound before the destination
    };
    for (const Case& c : cases) {
        std::array<char, 12> buffer;
        buffer.fill('.');
        const char* sourceEnd = c.sourceLength < 0 ? nullptr : c.source + c.sourceLength;
        const char* bound = c.boundOffset < 0 ? nullptr : buffer.data() + c.boundOffset;
        char* end = CopyBounded(buffer.data() + c.destinationOffset, bound, c.source, sourceEnd);
        EXPECT_EQ(end - buffer.data(), c.returned) << c.source;
        EXPECT_EQ(std::string(buffer.data(), 12), std::string(c.expected, 12)) << c.source;
    }

    char destination[4] = { 'x', 'x', 'x', 'x' };
    EXPECT_EQ(CopyBounded(destination, destination + 4, nullptr, nullptr), destination);
    EXPECT_EQ(destination[0], 'x');
    EXPECT_EQ(CopyBounded(nullptr, nullptr, "abc", nullptr), nullptr);
}

TEST(ScaleColor, ScalesEachChannelAndCarriesOverflow)
{
    struct Case {
        uint32_t colour;
        double red, green, blue;
        uint32_t expected;
    } cases[] = {
        { 0x204080, 2, 2, 2, 0x408100 }, // red 256 carries into green
        { 0xFFFFFF, 0.5, 0.5, 0.5, 0x7F7F7F }, { 0x030303, 0.9, 1.0, 0.0, 0x000302 }, // 2.7 truncated toward zero
        { 0xC0FFEE, 1, 1, 1, 0xC0FFEE }, { 0x0000FF, 1, 0, 0, 0x0000FF }, { 0x00FF00, 0, 2, 0, 0x01FE00 },
        { 0xFF0000, 0, 0, 2, 0x1FE0000 }, // blue overflows above the colour bits
    };
    for (const Case& c : cases)
        EXPECT_EQ(ScaleColor(c.colour, c.red, c.green, c.blue), c.expected) << std::hex << c.colour;
}

TEST(ShortClassName, DropsTheFirstCharacter)
{
    QObject object;
    QTimer timer;
    EXPECT_STREQ(ShortClassName(&object), "Object");
    EXPECT_STREQ(ShortClassName(&timer), "Timer");
    EXPECT_STREQ(ShortClassName(nullptr), "");
}

TEST(MessageBoxes, GoThroughTheProviderWithTheirCaptionAndIcon)
{
    ScriptedDialogs dialogs;
    ScopedDialogProvider use(dialogs);
    dialogs.boxAnswers = { IDCANCEL, IDOK };

    EXPECT_EQ(MessageBoxFlagged("Chyba při otevírání souboru!", "Varování", MB_OKCANCEL | MB_ICONWARNING), IDCANCEL);
    EXPECT_EQ(ErrorBox("Column count is on maximum !", MB_OK), IDOK);
    EXPECT_EQ(ErrorBox("Motocycle #70 is not supported", MB_OKCANCEL | MB_ICONQUESTION), IDOK);

    ASSERT_EQ(dialogs.boxes.size(), 3u);
    EXPECT_EQ(dialogs.boxes[0].text, QStringLiteral(u"Chyba při otevírání souboru!"));
    EXPECT_EQ(dialogs.boxes[0].caption, QStringLiteral(u"Varování"));
    EXPECT_EQ(dialogs.boxes[0].type, unsigned(MB_OKCANCEL | MB_ICONWARNING));
    EXPECT_EQ(dialogs.boxes[1].caption, "Error");
    EXPECT_EQ(dialogs.boxes[1].type, unsigned(MB_OK | MB_ICONERROR));
    // The error icon takes the place of any other icon.
    EXPECT_EQ(dialogs.boxes[2].type, unsigned(MB_OKCANCEL | MB_ICONERROR));
}
