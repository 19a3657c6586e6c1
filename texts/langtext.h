#pragma once
// Three-language texts: "###English##German##Czech" (8-bit, Windows-1250).
// One or two variants are allowed ("###English", "###English##German"); more
// than three use the first three. A text that does not start with "#" is a
// plain text and passes through unchanged, so every text field may hold
// either form.

// Language of the user interface: 0 English, 1 German, 2 Czech.
extern int LangIndex;

// The variant of `text` for `language` (0, 1, 2; -1 the current LangIndex;
// -2 the longest variant, used to size controls; anything else English).
// An empty variant or one that reads exactly ".." falls back to English.
// The longest variant is the one with the most bytes before its trailing
// blanks were trimmed; ties go to the earlier one.
//
// The text is never written to. Each distinct language text is parsed once
// and kept for the life of the process, so the result stays valid as long as
// the program runs and later calls cost one lookup. A malformed text is
// reported once in a message box and then returned unchanged (the result is
// `text` itself), as are plain texts. A null text gives null.
const char* SelectLangText(const char* text, int language = -1);
