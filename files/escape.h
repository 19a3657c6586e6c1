#pragma once
// The 8-bit form of UTF-16 texts that the settings files and the memo lines
// of parameter files keep: a code unit of 0x100 or more is written as "\x"
// and four upper-case hex digits (high byte first), a backslash is doubled and
// every other code unit is the one byte of its value.

#include <string>
#include <string_view>

std::string EscapeWide(std::u16string_view text);

// The inverse of EscapeWide. A text that looks like a plain path written by
// older versions (a drive letter, ':' and one backslash, or two backslashes
// and a name) is taken byte for byte. An escape cut short by the end of the
// text, or one whose four digits are not all hexadecimal, keeps its backslash
// as an ordinary character.
std::u16string UnescapeWide(std::string_view text);
