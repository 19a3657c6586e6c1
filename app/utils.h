#pragma once
// Small helpers shared by several parts of the program.

#include <cstdint>

class QObject;

// Swaps the two bytes of every 16-bit word k (bytes 2k and 2k + 1) from word
// `first` to word `last` inclusive. A `rangeStart` of 0 or more and a
// `rangeEnd` of 0 or more narrow the words to those lying wholly inside the
// byte range [rangeStart, rangeEnd); -1 leaves that side open.
void SwapWordBytes(uint8_t* buffer, int first, int last, int rangeStart, int rangeEnd);

// A message box without owner window (8-bit texts); returns the button
// pressed (IDOK, IDYES, ...). Types and results are in platform/dialogs.h.
int MessageBoxFlagged(const char* text, const char* caption, unsigned type);
// MessageBoxFlagged with the caption "Error" and the error icon.
int ErrorBox(const char* text, unsigned type);

// The object's class name without its first character ("TLabel" gives
// "Label"), in a buffer that stays valid until the next call.
const char* ShortClassName(const QObject* object);

// Copies [source, sourceEnd) - or up to the source's terminating zero when
// sourceEnd is null - into destination and writes a zero byte after it;
// returns the position of that zero byte. A non-null destinationEnd bounds
// the copy to destinationEnd - destination - 1 bytes; when it leaves no room
// even for the zero byte, nothing is written and destination is returned. A
// null destination or source returns destination and writes nothing.
char* CopyBounded(char* destination, const char* destinationEnd, const char* source, const char* sourceEnd);

// Multiplies red (bits 0..7), green (8..15) and blue (16..23) of a colour by
// their factors, truncating toward zero, and returns
// blue * 65536 + green * 256 + red. Products above 255 are not limited: they
// carry into the next channel.
uint32_t ScaleColor(uint32_t colour, double red, double green, double blue);
