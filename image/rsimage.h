#pragma once
// The unit's parameter image: 4800 bytes at fixed offsets, also read as 2400
// 16-bit words, low byte first in every copy the PC holds. The unit itself
// keeps words 0..1199 and 2323..2332 high byte first; the link swaps them.

#include <array>
#include <cstdint>
#include <cstring>
#include <span>

constexpr int RS_LEN_EXE = 4800; // bytes in the image
constexpr int RS_WORDS = RS_LEN_EXE / 2;
constexpr int RSKEY = 308; // layout key of the image
constexpr int COMMAXBUF = 8000; // size of the link's transmit and receive images
static_assert(RS_LEN_EXE <= COMMAXBUF, "the image travels in the link's buffers");

struct RsImage {
    std::array<uint8_t, RS_LEN_EXE> b {};

    uint8_t* data() { return b.data(); }
    const uint8_t* data() const { return b.data(); }

    uint16_t Word(int k) const { return uint16_t(b[size_t(2 * k)] | (b[size_t(2 * k + 1)] << 8)); }
    void SetWord(int k, uint16_t v)
    {
        b[size_t(2 * k)] = uint8_t(v);
        b[size_t(2 * k + 1)] = uint8_t(v >> 8);
    }
    void Fill(uint8_t v) { b.fill(v); }

    bool operator==(const RsImage&) const = default;
};

// Cells that hold the code of a list item rather than its position.
namespace cell {
constexpr int BikeCode = 2550;
constexpr int FirstSynchro = 2569;
constexpr int SecondSynchro = 2570;
constexpr int IgnitionsPerTurn = 2576;
constexpr int GearSystem = 2901;
constexpr int IdleMode = 2911;
constexpr int PowerOutFunction = 2812; // four bytes, one per power output
} // namespace cell

// A binding names a cell by an offset (byte offset or word index) plus an
// index; this bit in the index marks the cell as signed. Writing ignores it:
// the low 8 or 16 bits of the value are stored either way.
constexpr int SIGNED_CELL = 0x8000;

constexpr bool IsSignedCell(int index)
{
    return (index & SIGNED_CELL) != 0;
}
constexpr int CellIndex(int index)
{
    return index & ~SIGNED_CELL;
}

// Raw value of a byte cell, read as the reference says (0..255 or -128..127).
int ReadByteCell(const RsImage& image, int offset, int index);
void WriteByteCell(RsImage& image, int offset, int index, int value);
// Raw value of a word cell (0..65535 or -32768..32767).
int ReadWordCell(const RsImage& image, int offset, int index);
void WriteWordCell(RsImage& image, int offset, int index, int value);

// What a control shows for a raw cell value and what it stores back. A byte
// is shown as scale x (raw + bias) and stored as value / scale - bias,
// truncating toward zero; a word carries only the bias. Scale -1 shows a
// cell negated.
int ShownByteValue(int raw, int scale, int bias);
uint8_t StoredByteValue(int value, int scale, int bias);
int ShownWordValue(int raw, int bias);
uint16_t StoredWordValue(int value, int bias);

// Byte cells bound through a whole control.
int LoadByteCell(const RsImage& image, int offset, int index, int scale, int bias);
void StoreByteCell(RsImage& image, int offset, int index, int value, int scale, int bias);
int LoadWordCell(const RsImage& image, int offset, int index, int bias);
void StoreWordCell(RsImage& image, int offset, int index, int value, int bias);

// A list control keeps its byte cell either as the position of the selected
// item or, for the lists whose items carry codes, as the selected item's code.
enum class ListBinding { Position, Code };

constexpr int NO_ITEM = -1; // no item selected

// The item to select for a cell value, or NO_ITEM when none fits. itemCodes
// holds one entry per item (its code; for position lists only the count counts).
int ListItemForCell(ListBinding kind, uint8_t cellValue, std::span<const int> itemCodes);
// The cell value for a selection; nothing selected is stored as 255.
uint8_t CellForListItem(ListBinding kind, int item, std::span<const int> itemCodes);

// A check box is checked while its byte is not 0 and stores 1 or 0.
constexpr uint8_t CellForChecked(bool checked)
{
    return checked ? 1 : 0;
}
