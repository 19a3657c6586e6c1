#include "mapedit/selection.h"

#include <algorithm>
#include <iterator>

namespace {

bool RangesMeet(int a1, int a2, int b1, int b2)
{
    return a1 <= b2 && a2 >= b1;
}

// Sets or clears SEL_IN_BAND; true when the flag changed.
bool SetInBand(int16_t& flags, bool on)
{
    int16_t next = on ? int16_t(flags | SEL_IN_BAND) : int16_t(flags & ~SEL_IN_BAND);
    bool changed = next != flags;
    flags = next;
    return changed;
}

// The kind of item a hit code selects, and the single code a drag runs on,
// tested in the order cells, X headers, Y headers, X bands, Y bands.
int DragCode(int hits)
{
    for (int code : { HIT_CELL, HIT_XHEADER, HIT_YHEADER, HIT_XBAND, HIT_YBAND })
        if (hits & code)
            return code;
    return 0;
}

int KindOfCode(int code)
{
    return (code == HIT_XBAND || code == HIT_YBAND) ? HIT_CELL : code;
}

} // namespace

int TabHitMap::Cols() const
{
    return std::clamp<int>(CountX, 0, TAB_MAX_COLS);
}

int TabHitMap::Rows() const
{
    return std::clamp<int>(CountY, 0, TAB_MAX_ROWS);
}

void TabHitMap::Reset()
{
    CountX = CountY = 0;
    HasXHeader = HasYHeader = HasXBand = HasYBand = HasCells = 0;
    std::fill(std::begin(Rects), std::end(Rects), NoRect);
}

int TabHitMap::HitAll(int x, int y)
{
    int hits = 0;
    const int cols = Cols(), rows = Rows();
    if (HasCells) {
        for (int c = 0; c < cols; c++) {
            for (int r = 0; r < rows; r++) {
                if (Cell(c, r).Contains(x, y)) {
                    hits |= HIT_CELL;
                    HitCol = c;
                    HitRow = r;
                    break;
                }
            }
        }
    }
    auto first = [&](int32_t has, int count, const TabRect* family, int code, int32_t& hit) {
        if (!has)
            return;
        for (int i = 0; i < count; i++) {
            if (family[i].Contains(x, y)) {
                hits |= code;
                hit = i;
                return;
            }
        }
    };
    first(HasXHeader, cols, &Rects[XHEADERS], HIT_XHEADER, HitCol);
    first(HasYHeader, rows, &Rects[YHEADERS], HIT_YHEADER, HitRow);
    first(HasXBand, cols, &Rects[XBANDS], HIT_XBAND, HitCol);
    first(HasYBand, rows, &Rects[YBANDS], HIT_YBAND, HitRow);
    return hits;
}

int TabHitMap::HitItem(int x, int y, int& col, int& row) const
{
    const int cols = Cols(), rows = Rows();
    if (HasCells) {
        for (int c = 0; c < cols; c++)
            for (int r = 0; r < rows; r++)
                if (Cell(c, r).Contains(x, y)) {
                    col = c;
                    row = r;
                    return HIT_CELL;
                }
    }
    if (HasXHeader)
        for (int c = 0; c < cols; c++)
            if (XHeader(c).Contains(x, y)) {
                col = c;
                row = -1;
                return HIT_XHEADER;
            }
    if (HasYHeader)
        for (int r = 0; r < rows; r++)
            if (YHeader(r).Contains(x, y)) {
                col = -1;
                row = r;
                return HIT_YHEADER;
            }
    col = row = -2;
    return 0;
}

void TSel::Clear()
{
    std::fill(std::begin(XFlags), std::end(XFlags), 0);
    std::fill(std::begin(YFlags), std::end(YFlags), 0);
    std::fill(std::begin(CellFlags), std::end(CellFlags), 0);
    Mode = Kind = IsBlock = 0;
    AnchorPx = AnchorPy = PointerPx = PointerPy = -1;
    BandX1 = BandY1 = BandX2 = BandY2 = -2;
    Count = 0;
}

void TSel::ApplyModifiers(int x, int y, bool shift, bool ctrl)
{
    if (shift && ctrl)
        shift = ctrl = false;
    if (!shift && !ctrl)
        Clear();
    if (!shift || AnchorPx == -1) {
        AnchorPx = x;
        AnchorPy = y;
    }
    PointerPx = x;
    PointerPy = y;
}

void TSel::BeginAtHit(TabHitMap& map, int x, int y, bool shift, bool ctrl)
{
    ApplyModifiers(x, y, shift, ctrl);
    int code = DragCode(map.HitAll(x, y));
    if (!code)
        return;
    Mode = code;
    if (KindOfCode(code) != Kind) {
        // Kinds never mix: a drag over another kind of item starts afresh.
        Clear();
        Mode = code;
        AnchorPx = PointerPx = x;
        AnchorPy = PointerPy = y;
    }
    DragTo(map, x, y, true);
    map.HitItem(x, y, AnchorCol, AnchorRow);
    EndCol = AnchorCol;
    EndRow = AnchorRow;
}

void TSel::BeginAt(TabHitMap& map, int x, int y, bool shift, bool ctrl)
{
    ApplyModifiers(x, y, shift, ctrl);
    if (Kind != HIT_CELL)
        Clear();
    Mode = HIT_CELL;
    DragTo(map, x, y, true);
    map.HitItem(x, y, AnchorCol, AnchorRow);
    EndCol = AnchorCol;
    EndRow = AnchorRow;
}

int TSel::DragTo(const TabHitMap& map, int x, int y, bool force)
{
    if (Mode == 0 || (x == PointerPx && y == PointerPy && !force))
        return 0;
    PointerPx = std::max(0, std::min(x, map.Width - 1));
    PointerPy = std::max(0, std::min(y, map.Height - 1));
    const int bl = std::min(AnchorPx, PointerPx), br = std::max(AnchorPx, PointerPx);
    const int bt = std::min(AnchorPy, PointerPy), bb = std::max(AnchorPy, PointerPy);
    const int cols = map.Cols(), rows = map.Rows();
    bool changed = false;
    const int code = DragCode(Mode & 0xFF);
    if (code == HIT_CELL) {
        for (int r = 0; r < rows; r++)
            for (int c = 0; c < cols; c++) {
                const TabRect& rc = map.Cell(c, r);
                bool in = RangesMeet(rc.left, rc.right, bl, br) && RangesMeet(rc.top, rc.bottom, bt, bb);
                changed |= SetInBand(CellFlags[r * TAB_MAX_COLS + c], in);
            }
    } else if (code == HIT_XHEADER) {
        for (int c = 0; c < cols; c++)
            changed |= SetInBand(XFlags[c], RangesMeet(map.XHeader(c).left, map.XHeader(c).right, bl, br));
    } else if (code == HIT_YHEADER) {
        for (int r = 0; r < rows; r++)
            changed |= SetInBand(YFlags[r], RangesMeet(map.YHeader(r).top, map.YHeader(r).bottom, bt, bb));
    } else if (code == HIT_XBAND) {
        for (int c = 0; c < cols; c++) {
            bool in = RangesMeet(map.XBand(c).left, map.XBand(c).right, bl, br);
            for (int r = 0; r < rows; r++)
                changed |= SetInBand(CellFlags[r * TAB_MAX_COLS + c], in);
        }
    } else if (code == HIT_YBAND) {
        for (int r = 0; r < rows; r++) {
            bool in = RangesMeet(map.YBand(r).top, map.YBand(r).bottom, bt, bb);
            for (int c = 0; c < cols; c++)
                changed |= SetInBand(CellFlags[r * TAB_MAX_COLS + c], in);
        }
    }
    UpdateBandBounds();
    return changed ? 1 : 0;
}

void TSel::UpdateBandBounds()
{
    const int code = DragCode(Mode & 0xFF);
    if (code == HIT_CELL || code == HIT_XBAND || code == HIT_YBAND) {
        Count = 0;
        BandX1 = BandY1 = BandX2 = BandY2 = -2;
        for (int r = 0; r < TAB_MAX_ROWS; r++)
            for (int c = 0; c < TAB_MAX_COLS; c++) {
                int16_t f = CellFlags[r * TAB_MAX_COLS + c];
                if (f)
                    Count++;
                if (!(f & SEL_IN_BAND))
                    continue;
                if (BandX1 == -2) {
                    BandX1 = BandX2 = c;
                    BandY1 = BandY2 = r;
                }
                BandX1 = std::min(BandX1, c);
                BandX2 = std::max(BandX2, c);
                BandY1 = std::min(BandY1, r);
                BandY2 = std::max(BandY2, r);
            }
        return;
    }
    if (code != HIT_XHEADER && code != HIT_YHEADER)
        return;
    const bool xAxis = code == HIT_XHEADER;
    const int16_t* flags = xAxis ? XFlags : YFlags;
    const int n = xAxis ? TAB_MAX_COLS : TAB_MAX_ROWS;
    int first = -2, last = -2;
    Count = 0;
    for (int i = 0; i < n; i++) {
        if (!(flags[i] & SEL_IN_BAND))
            continue;
        Count++;
        if (first == -2)
            first = i;
        last = i;
    }
    const int other = Count ? -1 : -2;
    if (xAxis) {
        BandX1 = first;
        BandX2 = last;
        BandY1 = BandY2 = other;
    } else {
        BandY1 = first;
        BandY2 = last;
        BandX1 = BandX2 = other;
    }
}

void TSel::Finish(const TabHitMap& map)
{
    const int code = DragCode(Mode & 0xFF);
    if (code == HIT_CELL || code == HIT_XBAND || code == HIT_YBAND)
        FinishCells(map);
    else if (code == HIT_XHEADER)
        FinishHeaders(XFlags, map.Cols(), true);
    else if (code == HIT_YHEADER)
        FinishHeaders(YFlags, map.Rows(), false);
}

void TSel::FinishCells(const TabHitMap& map)
{
    const int cols = map.Cols(), rows = map.Rows();
    for (int r = 0; r < rows; r++)
        for (int c = 0; c < cols; c++) {
            int16_t& f = CellFlags[r * TAB_MAX_COLS + c];
            if (f & SEL_IN_BAND)
                f |= SEL_SELECTED;
            f &= ~(SEL_IN_BAND | SEL_CORNER);
        }
    // One scan from the top left decides whether the selection is a single
    // solid rectangle; anything else leaves the irregularity mark set.
    int left = -1, right = -1, top = -1, bottom = -1;
    bool irregular = false;
    Count = 0;
    for (int r = 0; r < rows; r++) {
        for (int c = 0; c < cols; c++) {
            if (CellFlags[r * TAB_MAX_COLS + c]) {
                Count++;
                if (left == -1) {
                    left = c;
                    top = r;
                    continue;
                }
                if (c < left || (right != -1 && c > right) || (bottom != -1 && r > bottom))
                    irregular = true;
            } else if (left != -1) {
                if (right == -1) {
                    right = c - 1;
                } else if (c >= left && c <= right && bottom == -1) {
                    bottom = r - 1;
                    if (c != left)
                        irregular = true;
                }
            }
        }
        if (left != -1 && right == -1)
            right = cols - 1;
    }
    if (left != -1 && bottom == -1)
        bottom = rows - 1;
    IsBlock = 0;
    if (left != -1 && !irregular && (right - left >= 2 || bottom - top >= 2)) {
        IsBlock = 1;
        BlockX1 = left;
        BlockX2 = right;
        BlockY1 = top;
        BlockY2 = bottom;
        for (int r : { top, bottom })
            for (int c : { left, right })
                CellFlags[r * TAB_MAX_COLS + c] |= SEL_CORNER;
    }
    Mode = 0;
    Kind = Count ? HIT_CELL : 0;
}

void TSel::FinishHeaders(int16_t* flags, int count, bool xAxis)
{
    int first = -1, last = -1;
    bool gap = false;
    Count = 0;
    for (int i = 0; i < count; i++) {
        if (flags[i] & SEL_IN_BAND)
            flags[i] |= SEL_SELECTED;
        flags[i] &= ~(SEL_IN_BAND | SEL_CORNER);
        if (!flags[i])
            continue;
        Count++;
        if (first == -1)
            first = i;
        else if (i != last + 1)
            gap = true;
        last = i;
    }
    IsBlock = 0;
    if (first != -1 && !gap && last - first >= 2) {
        IsBlock = 1;
        if (xAxis) {
            BlockX1 = first;
            BlockX2 = last;
            BlockY1 = BlockY2 = -1;
        } else {
            BlockY1 = first;
            BlockY2 = last;
            BlockX1 = BlockX2 = -1;
        }
        flags[first] |= SEL_CORNER;
        flags[last] |= SEL_CORNER;
    }
    Mode = 0;
    Kind = Count ? (xAxis ? HIT_XHEADER : HIT_YHEADER) : 0;
}

void TSel::SelectItem(const TabHitMap& map, int col, int row)
{
    Clear();
    if (row == -1 && col >= 0 && col < TAB_MAX_COLS) {
        XFlags[col] = SEL_IN_BAND;
        Mode = HIT_XHEADER;
    } else if (col == -1 && row >= 0 && row < TAB_MAX_ROWS) {
        YFlags[row] = SEL_IN_BAND;
        Mode = HIT_YHEADER;
    } else if (col >= 0 && col < TAB_MAX_COLS && row >= 0 && row < TAB_MAX_ROWS) {
        CellFlags[row * TAB_MAX_COLS + col] = SEL_IN_BAND;
        Mode = HIT_CELL;
    } else {
        return;
    }
    UpdateBandBounds();
    Finish(map);
    AnchorCol = EndCol = BandX1;
    AnchorRow = EndRow = BandY1;
}

void TSel::SelectRange(const TabHitMap& map, int col, int row)
{
    if (AnchorCol < -1 || AnchorRow < -1 || (AnchorCol == -1 && AnchorRow == -1))
        return;
    Clear();
    // A header run stays a header run, and a cell range never reaches into a header.
    EndCol = AnchorCol == -1 ? -1 : std::clamp(col, 0, TAB_MAX_COLS - 1);
    EndRow = AnchorRow == -1 ? -1 : std::clamp(row, 0, TAB_MAX_ROWS - 1);
    auto span = [](int a, int b, int16_t* flags) {
        for (int i = std::min(a, b); i <= std::max(a, b); i++)
            flags[i] = SEL_IN_BAND;
    };
    if (AnchorRow == -1) {
        span(AnchorCol, EndCol, XFlags);
        Mode = HIT_XHEADER;
    } else if (AnchorCol == -1) {
        span(AnchorRow, EndRow, YFlags);
        Mode = HIT_YHEADER;
    } else {
        for (int r = std::min(AnchorRow, EndRow); r <= std::max(AnchorRow, EndRow); r++)
            for (int c = std::min(AnchorCol, EndCol); c <= std::max(AnchorCol, EndCol); c++)
                CellFlags[r * TAB_MAX_COLS + c] = SEL_IN_BAND;
        Mode = HIT_CELL;
    }
    UpdateBandBounds();
    Finish(map);
}

int TSel::ItemFlags(int col, int row) const
{
    if (col < -1 || row < -1 || (col < 0 && row < 0) || col >= TAB_MAX_COLS || row >= TAB_MAX_ROWS)
        return 0;
    if (col == -1)
        return YFlags[row];
    if (row == -1)
        return XFlags[col];
    return CellFlags[row * TAB_MAX_COLS + col];
}

int TSel::CornerMarks(int col, int row, bool xCollapsed, bool yCollapsed) const
{
    if (!IsBlock)
        return 0;
    int bits = 0;
    if (Kind == HIT_CELL) {
        if (col == BlockX1 && row == BlockY1)
            bits |= 1;
        if (col == BlockX2 && row == BlockY1)
            bits |= 2;
        if (col == BlockX1 && row == BlockY2)
            bits |= 4;
        if (col == BlockX2 && row == BlockY2)
            bits |= 8;
        if (yCollapsed) {
            if (col == BlockX1)
                bits |= 1 | 4;
            if (col == BlockX2)
                bits |= 2 | 8;
        }
        if (xCollapsed) {
            if (row == BlockY1)
                bits |= 1 | 2;
            if (row == BlockY2)
                bits |= 4 | 8;
        }
    } else if (Kind == HIT_XHEADER && row == -1) {
        if (col == BlockX1)
            bits |= 1 | 4;
        if (col == BlockX2)
            bits |= 2 | 8;
    } else if (Kind == HIT_YHEADER && col == -1) {
        if (row == BlockY1)
            bits |= 1 | 2;
        if (row == BlockY2)
            bits |= 4 | 8;
    }
    return bits;
}
