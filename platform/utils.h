#pragma once
// Small text helpers shared by several parts of the program.

class TObject;

// The object's own class name without its first character ("TLabel" gives
// "Label"), in a buffer that stays valid until the next call.
const char* ShortClassName(const TObject* object);

// Copies [source, sourceEnd) - or up to the source's terminating zero when
// sourceEnd is null - into destination and writes a zero byte after it;
// returns the position of that zero byte. A non-null destinationEnd bounds
// the copy to destinationEnd - destination - 1 bytes; when it leaves no room
// even for the zero byte, nothing is written and destination is returned. A
// null destination or source returns destination and writes nothing.
char* CopyBounded(char* destination, const char* destinationEnd, const char* source, const char* sourceEnd);
