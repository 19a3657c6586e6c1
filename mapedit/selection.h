#pragma once
// Hit maps and selections of a map table. A view fills a hit map with the
// rectangles it has laid out; the selection turns pointer positions and item
// pairs into flags per item. Items are named (column, row): (c, r) a cell,
// (c, -1) X breakpoint c, (-1, r) Y breakpoint r, (-2, -2) no item.

#include <cstdint>

constexpr int TAB_MAX_COLS = 50;
constexpr int TAB_MAX_ROWS = 30;
constexpr int TAB_CELLS = TAB_MAX_COLS * TAB_MAX_ROWS;

// Hit codes; also the low byte of TSel::Mode.
constexpr int HIT_CELL = 1;
constexpr int HIT_XHEADER = 2;
constexpr int HIT_YHEADER = 4;
constexpr int HIT_XBAND = 8;
constexpr int HIT_YBAND = 16;

constexpr int SELMODE_TABLE_DRAG = 0x100;
constexpr int SELMODE_GRAPH_DRAG = 0x200;

// Flag bits of an item.
constexpr int16_t SEL_SELECTED = 1;
constexpr int16_t SEL_IN_BAND = 2;
constexpr int16_t SEL_CORNER = 4;

// Inclusive on all four sides: neighbouring rectangles share their border.
struct TabRect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;

    bool Contains(int x, int y) const { return left <= x && x <= right && top <= y && y <= bottom; }
};

// Marks an empty slot; no pointer position inside a control reaches it.
constexpr TabRect NoRect = { 65535, 65535, 65535, 65535 };

struct TabHitMap {
    static constexpr int XHEADERS = 0;
    static constexpr int YHEADERS = XHEADERS + TAB_MAX_COLS;
    static constexpr int XBANDS = YHEADERS + TAB_MAX_ROWS;
    static constexpr int YBANDS = XBANDS + TAB_MAX_COLS;
    static constexpr int CELLS = YBANDS + TAB_MAX_ROWS;
    static constexpr int RECTS = CELLS + TAB_CELLS;

    int32_t Width = 0, Height = 0;
    int32_t CountX = 0, CountY = 0;
    int32_t HasXHeader = 0, HasYHeader = 0, HasXBand = 0, HasYBand = 0, HasCells = 0;
    int32_t HitCol = 0, HitRow = 0;
    TabRect Rects[RECTS];

    TabHitMap() { Reset(); }

    TabRect& XHeader(int c) { return Rects[XHEADERS + c]; }
    TabRect& YHeader(int r) { return Rects[YHEADERS + r]; }
    TabRect& XBand(int c) { return Rects[XBANDS + c]; }
    TabRect& YBand(int r) { return Rects[YBANDS + r]; }
    TabRect& Cell(int c, int r) { return Rects[CELLS + r * TAB_MAX_COLS + c]; }
    const TabRect& XHeader(int c) const { return Rects[XHEADERS + c]; }
    const TabRect& YHeader(int r) const { return Rects[YHEADERS + r]; }
    const TabRect& XBand(int c) const { return Rects[XBANDS + c]; }
    const TabRect& YBand(int r) const { return Rects[YBANDS + r]; }
    const TabRect& Cell(int c, int r) const { return Rects[CELLS + r * TAB_MAX_COLS + c]; }

    // Columns and rows that may be read, whatever a view stored in the counts.
    int Cols() const;
    int Rows() const;

    void Reset();
    // OR of the codes of every family containing (x, y); on a shared cell
    // border the later column and the upper row are reported.
    int HitAll(int x, int y);
    // The first item containing (x, y): cells, then X, then Y headers.
    int HitItem(int x, int y, int& col, int& row) const;
};

class TSel {
public:
    int32_t Mode = 0;
    int32_t Kind = 0;
    int16_t XFlags[TAB_MAX_COLS] = {};
    int16_t YFlags[TAB_MAX_ROWS] = {};
    int16_t CellFlags[TAB_CELLS] = {};
    int32_t IsBlock = 0;
    int32_t BlockX1 = 0, BlockX2 = 0, BlockY1 = 0, BlockY2 = 0;
    int32_t AnchorPx = -1, AnchorPy = -1;
    int32_t PointerPx = -1, PointerPy = -1;
    int32_t BandX1 = -2, BandY1 = -2, BandX2 = -2, BandY2 = -2;
    int32_t AnchorCol = 0, AnchorRow = 0;
    int32_t EndCol = 0, EndRow = 0;
    int32_t Count = 0;

    TSel() { Clear(); }

    void Clear();
    void BeginAtHit(TabHitMap& map, int x, int y, bool shift, bool ctrl);
    void BeginAt(TabHitMap& map, int x, int y, bool shift, bool ctrl);
    int DragTo(const TabHitMap& map, int x, int y, bool force);
    void Finish(const TabHitMap& map);
    void UpdateBandBounds();
    void SelectItem(const TabHitMap& map, int col, int row);
    void SelectRange(const TabHitMap& map, int col, int row);
    int ItemFlags(int col, int row) const;
    int CornerMarks(int col, int row, bool xCollapsed, bool yCollapsed) const;

private:
    void ApplyModifiers(int x, int y, bool shift, bool ctrl);
    void FinishCells(const TabHitMap& map);
    void FinishHeaders(int16_t* flags, int count, bool xAxis);
};
