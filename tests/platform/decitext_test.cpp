// The decimal pair's texts, which must not follow the C locale.
#include "platform/decitext.h"

#include "support/commalocale.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

struct TypedCase {
    const char* text;
    int divisor;
    std::optional<int> position;
};

// "abc" and friends give nothing: the up-down keeps its position.
const TypedCase TYPED[] = {
    { "2,56", 10, 26 }, // 25.6 + 0.5 truncated
    { "2.56", 10, 26 },
    { "-1.26", 10, -12 }, // -12.6 + 0.5 = -12.1, toward zero
    { "  +3", 1, 3 },
    { "1,5,7", 100, 150 }, // only the first comma is a decimal mark
    { "7abc", 1, 7 }, // the number at the start counts
    { "1e2", 1, 100 },
    { ",5", 10, 5 },
    { "abc", 10, std::nullopt },
    { "", 10, std::nullopt },
    { "-", 10, std::nullopt },
    { "inf", 10, std::nullopt },
    { "nan", 10, std::nullopt },
    { "                                5", 1, std::nullopt }, // past the first 31 characters
    { "1e300", 10, INT_MAX },
    { "-1e300", 10, INT_MIN },
};

void ExpectTypedCases()
{
    for (const TypedCase& c : TYPED) {
        std::optional<double> value = ParseTypedNumber(c.text);
        ASSERT_EQ(value.has_value(), c.position.has_value()) << c.text;
        if (value)
            EXPECT_EQ(DeciPositionFor(*value, c.divisor), *c.position) << c.text;
    }
}

void ExpectShownTexts()
{
    EXPECT_EQ(FormatDeciValue(15, 10), "1.5");
    EXPECT_EQ(FormatDeciValue(20, 10), "2");
    EXPECT_EQ(FormatDeciValue(25, 100), "0.25");
    EXPECT_EQ(FormatDeciValue(-12, 10), "-1.2");
    EXPECT_EQ(FormatDeciValue(1, 3), "0.333333333333333");
    EXPECT_EQ(FormatDeciValue(15, 10, ','), "1,5");
    EXPECT_EQ(FormatDeciValue(7, 0), "7") << "a pair without a divisor shows the position";
}

TEST(DeciText, TypedNumbersGivePositions)
{
    ExpectTypedCases();
}

TEST(DeciText, ShownValuesAreShortestDecimals)
{
    ExpectShownTexts();
}

TEST(DeciText, ACommaDecimalLocaleChangesNothing)
{
    CommaDecimalLocale locale;
    ASSERT_TRUE(locale.Active()) << CommaDecimalLocale::NAME << " is missing: scripts/setup generates it";
    ExpectTypedCases();
    ExpectShownTexts();
}

} // namespace
