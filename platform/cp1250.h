#pragma once
// The program's 8-bit texts are Windows-1250 bytes, as in every file it reads
// and writes. Conversion to UTF-16 happens only at the widget boundary.

#include <string>
#include <string_view>

class QString;

// Unicode code point of one Windows-1250 byte. The five bytes the code page
// leaves undefined map to the C1 control of the same value, so every byte
// survives a round trip.
char16_t Cp1250ToUnicode(unsigned char byte);

// Windows-1250 byte of a UTF-16 code unit, or -1 when the code page has none.
int UnicodeToCp1250(char16_t unit);

std::u16string Cp1250ToUtf16(std::string_view text);
// Characters the code page lacks become `replacement`.
std::string Utf16ToCp1250(std::u16string_view text, char replacement = '?');

QString QStringFromCp1250(std::string_view text);
std::string QStringToCp1250(const QString& text, char replacement = '?');
