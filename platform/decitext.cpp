#include "platform/decitext.h"

#include <cctype>
#include <charconv>
#include <climits>
#include <cmath>

std::string FormatDeciValue(int position, int divisor, char decimalPoint)
{
    double value = divisor != 0 ? double(position) / divisor : double(position);
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    std::string text(buffer, result.ptr);
    // %.15g keeps trailing zeros out already; only the separator is the locale's.
    for (char& c : text)
        if (c == '.')
            c = decimalPoint;
    return text;
}

std::optional<double> ParseTypedNumber(std::string_view text)
{
    std::string head(text.substr(0, 31));
    if (size_t comma = head.find(','); comma != std::string::npos)
        head[comma] = '.';
    size_t i = head.find_first_not_of(" \t\r\n\f\v");
    if (i == std::string::npos)
        return std::nullopt;
    bool negative = false;
    if (head[i] == '+' || head[i] == '-') {
        negative = head[i] == '-';
        ++i;
    }
    // from_chars would also take "inf" and "nan", which are no settings values.
    if (i >= head.size() || !(std::isdigit((unsigned char)head[i]) || head[i] == '.'))
        return std::nullopt;
    double value = 0;
    auto result = std::from_chars(head.data() + i, head.data() + head.size(), value, std::chars_format::general);
    if (result.ec != std::errc() || !std::isfinite(value))
        return std::nullopt;
    return negative ? -value : value;
}

int DeciPositionFor(double value, int divisor)
{
    double scaled = std::trunc(double(divisor) * value + 0.5);
    if (!(scaled > double(INT_MIN)))
        return INT_MIN;
    if (!(scaled < double(INT_MAX)))
        return INT_MAX;
    return int(scaled);
}
