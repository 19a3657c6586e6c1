#pragma once
// The toolbar's slots and pictures and the small font of a map table, shared
// by the files that lay out and draw it.

namespace tablayout_detail {

constexpr int FONT_SIZE = 8;

enum Slot {
    SLOT_COPY = 0,
    SLOT_COPY_TABLE = 1,
    SLOT_PASTE = 2,
    SLOT_PLUS = 3,
    SLOT_MINUS = 4,
    SLOT_VIEW_TABLE = 5,
    SLOT_ONLY_X = 13,
    SLOT_ONLY_Y = 14,
    SLOT_BOTH = 15,
    SLOT_TOP = 16,
    SLOT_BEGINNING = 20,
    SLOT_ADD_COLUMN = 23,
    SLOT_REMOVE_COLUMN = 24,
};

// Pictures by their slot in ToolBitmaps.
enum Glyph {
    GLYPH_COPY = 0,
    GLYPH_PASTE = 1,
    GLYPH_COPY_OFF = 2,
    GLYPH_PASTE_OFF = 3,
    GLYPH_COPY_SHEET = 4,
    GLYPH_PASTE_SHEET = 5,
    GLYPH_TABLE = 6,
    GLYPH_2D = 7,
    GLYPH_CHECK_OFF = 9,
    GLYPH_CHECK_ON = 10,
};

} // namespace tablayout_detail
