#pragma once
// Texts of the decimal edit pair: a position divided by a divisor shown as a
// decimal number, and a number typed by the user read back. Both ignore the
// C locale, so a comma-decimal LC_NUMERIC changes neither.

#include <optional>
#include <string>
#include <string_view>

// position / divisor in the shortest form of at most 15 significant digits
// ("1.5", "2", "0.25"), with `decimalPoint` between the whole and the fraction.
std::string FormatDeciValue(int position, int divisor, char decimalPoint = '.');

// The number at the start of a typed text: blanks skipped, an optional sign,
// digits with '.' or ',' as the decimal mark and an optional exponent. Only
// the first 31 characters count; nothing when no finite number starts there.
std::optional<double> ParseTypedNumber(std::string_view text);

// The position a typed value gives: divisor x value + 0.5, truncated toward
// zero and held inside the int range.
int DeciPositionFor(double value, int divisor);
