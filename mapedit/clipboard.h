#pragma once
// The system clipboard as the map tables use it: plain text, a registered
// format of the program's own (a MIME type named after it) and pictures.
// Texts are Windows-1250 bytes.

#include <cstdint>
#include <string>

class QImage;

// The id of a named format, the same for the same name ("CF_MORVANTA_SHEET"
// becomes "application/x-cf-morvanta-sheet"); 0 for an empty name.
uint32_t RegisterClipboardFormat(const char* name);
std::string ClipboardFormatMime(uint32_t format);

void ClipboardPutText(const std::string& text);
void ClipboardPutTextAndFormat(const std::string& text, uint32_t format, const std::string& second);
void ClipboardPutBitmapRect(const QImage& bitmap, int left, int top, int right, int bottom);
// Copies at most size - 1 bytes of each, terminated; 0 none, 1 text, 2 the format, 3 both.
int ClipboardGetTextAndFormat(char* text, uint32_t format, char* second, int size);
// Bits: 1 plain text present, 2 the format present.
int ClipboardHasFormat(uint32_t format);
