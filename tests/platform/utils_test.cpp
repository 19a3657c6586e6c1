#include "platform/utils.h"

#include "platform/object.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>

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

TEST(ShortClassName, DropsTheFirstCharacterOfTheOwnClassName)
{
    struct TDeciUpDown : TObject {
        const char* ClassName() const override { return "TDeciUpDown"; }
    };
    struct Nameless : TObject {
        const char* ClassName() const override { return ""; }
    };
    TObject object;
    TDeciUpDown upDown;
    Nameless nameless;
    EXPECT_STREQ(ShortClassName(&object), "Object");
    EXPECT_STREQ(ShortClassName(&upDown), "DeciUpDown");
    EXPECT_STREQ(ShortClassName(&nameless), "");
    EXPECT_STREQ(ShortClassName(nullptr), "");
}
