#pragma once
// The program's own pictures (map-table backgrounds, tool-bar glyphs, logo),
// loaded once by name and kept for the whole run. JPG and BITMAP pictures
// share one cache and are found by name alone, without regard to case
// (callers write both "BGRAINBOW9x22" and "BGRAINBOW9X22"): whichever kind
// was asked for first under a name wins.
// The cache owns the pictures; callers keep the pointers and never free them.

class QImage;

// The JPG picture of that name, or null when the program has none.
const QImage* GetJpgBitmap(const char* name);
// The BITMAP picture of that name, or null when the program has none.
const QImage* GetResourceBitmap(const char* name);
